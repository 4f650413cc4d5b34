#include "TDocumentoIni.h"

#include "Arquivos.h"
#include "Cp1252.h"
#include "TErro.h"

#include <QDir>
#include <QFileInfo>

#include <atomic>
#include <limits>
#include <mutex>

namespace {

const int kMaxValor = 2047;

std::atomic<qint64> g_leituras{0};

// Reads per file, by absolute path.
QHash<QString, qint64> &leiturasPorArquivo() {
    static QHash<QString, qint64> h;
    return h;
}
std::mutex g_mutexLeituras;

QString chaveLeitura(const QString &caminho) {
    return QDir::cleanPath(QFileInfo(caminho).absoluteFilePath());
}

bool mesmoNome(const QString &a, const QString &b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// Key of a name in the index. Simple case folding of each character is what
// QString::compare(..., Qt::CaseInsensitive) compares, so two names share a
// key exactly when mesmoNome holds for them.
QString dobrado(const QString &nome) {
    return nome.toCaseFolded();
}

} // namespace

TDocumentoIni::TDocumentoIni(const QString &caminho) : m_caminho(caminho) {
    ++g_leituras;
    {
        const QString chave = chaveLeitura(caminho);
        const std::lock_guard<std::mutex> trava(g_mutexLeituras);
        ++leiturasPorArquivo()[chave];
    }
    QByteArray bytes;
    if (Arquivos::lerTudo(caminho, &bytes)) {
        m_lido = true;
        m_linhas = analisar(bytes);
        // The file is rewritten with CR LF after every line.
        for (Linha &l : m_linhas)
            l.fim.clear();
    } else {
        m_ilegivel = QFileInfo::exists(caminho);
    }
    indexar();
}

qint64 TDocumentoIni::Leituras() {
    return g_leituras.load();
}

qint64 TDocumentoIni::Leituras(const QString &caminho) {
    const QString chave = chaveLeitura(caminho);
    const std::lock_guard<std::mutex> trava(g_mutexLeituras);
    return leiturasPorArquivo().value(chave);
}

QList<TDocumentoIni::Linha> TDocumentoIni::analisar(const QByteArray &bytes) {
    // Lines end at CR LF, LF or a lone CR (as Arquivos::dividirLinhas splits
    // them); each is decoded straight from the buffer, so a huge value is
    // copied no more than once.
    QList<Linha> linhas;
    const char *dados = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype inicio = 0;
    for (qsizetype i = 0; i <= n; ++i) {
        if (i < n && dados[i] != '\r' && dados[i] != '\n') continue;
        if (i == n && inicio == n) break;
        Linha l;
        l.texto = Cp1252::decodificar(QByteArray::fromRawData(dados + inicio, i - inicio));
        if (i < n) {
            const bool crlf = dados[i] == '\r' && i + 1 < n && dados[i + 1] == '\n';
            if (!crlf) l.fim = QByteArray(1, dados[i]);
            if (crlf) ++i;
        }
        inicio = i + 1;

        const QString t = l.texto.trimmed();
        if (t.startsWith(QLatin1Char('['))) {
            const qsizetype fim = t.indexOf(QLatin1Char(']'));
            l.tipo = Linha::Secao;
            l.nome = (fim < 0 ? t.mid(1) : t.mid(1, fim - 1)).trimmed();
        } else if (!t.startsWith(QLatin1Char(';'))) {
            const qsizetype igual = l.texto.indexOf(QLatin1Char('='));
            if (igual >= 0) {
                l.tipo = Linha::Chave;
                l.nome = l.texto.left(igual).trimmed();
                l.valor = igual + 1;
            }
        }
        linhas.append(std::move(l));
    }
    return linhas;
}

void TDocumentoIni::substituir(qsizetype inicio, qsizetype quantas, const QString &texto) {
    // The text goes through the file's encoding and parser: a name holding a
    // line break becomes two lines, an unknown character "?", a key name
    // holding "=" splits there - as the written file will read. The break
    // itself is kept for the bytes: a write of the line on its own puts it
    // in the file as given.
    QList<Linha> novas = analisar(Cp1252::codificar(texto) + QByteArrayLiteral("\r\n"));
    for (const Linha &l : std::as_const(novas))
        m_fins = m_fins || !l.fim.isEmpty();
    m_linhas.remove(inicio, quantas);
    for (qsizetype i = 0; i < novas.size(); ++i)
        m_linhas.insert(inicio + i, std::move(novas[i]));
}

void TDocumentoIni::normalizarFins() {
    // Each write of the file used to start from the file read back, where
    // a break inside a line had already become a line end of its own.
    if (!m_fins) return;
    for (Linha &l : m_linhas)
        l.fim.clear();
    m_fins = false;
}

void TDocumentoIni::indexar() {
    m_secoes.clear();
    bool dentro = false;
    QString atual;
    for (qsizetype i = 0; i < m_linhas.size(); ++i) {
        const Linha &l = m_linhas[i];
        if (l.tipo == Linha::Secao) {
            dentro = true;
            atual = dobrado(l.nome);
        } else if (dentro && l.tipo == Linha::Chave) {
            Indice &indice = m_secoes[atual];
            const QString k = dobrado(l.nome);
            if (!indice.porChave.contains(k)) {
                indice.porChave.insert(k, i);
                indice.ordem.append(i);
            }
        }
    }
}

const TDocumentoIni::Indice *TDocumentoIni::indice(const QString &secao) const {
    const auto it = m_secoes.constFind(dobrado(secao));
    return it == m_secoes.constEnd() ? nullptr : &*it;
}

const TDocumentoIni::Linha *TDocumentoIni::chave(const QString &secao, const QString &chave) const {
    const Indice *s = indice(secao);
    if (!s) return nullptr;
    const auto it = s->porChave.constFind(dobrado(chave));
    return it == s->porChave.constEnd() ? nullptr : &m_linhas[*it];
}

QString TDocumentoIni::ReadString(const QString &secao, const QString &chave,
                                  const QString &padrao) const {
    const Linha *l = this->chave(secao, chave);
    return l ? QStringView(l->texto).mid(l->valor).left(kMaxValor).toString() : padrao;
}

bool TDocumentoIni::converterInteiro(const QString &texto, int *valor) {
    QString t = texto.trimmed();
    if (t.isEmpty()) return false;
    bool ok = false;
    if (t.size() > 2 && (t.startsWith(QLatin1String("0x")) || t.startsWith(QLatin1String("0X")))) {
        const QString hex = t.mid(2);
        if (hex.size() > 8 || hex.startsWith(QLatin1Char('+')) || hex.startsWith(QLatin1Char('-')))
            return false;
        const uint v = hex.toUInt(&ok, 16);
        if (ok) *valor = static_cast<int>(v); // 32-bit hex wraps like the platform's integers
        return ok;
    }
    bool negativo = false;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+'))) {
        negativo = t.startsWith(QLatin1Char('-'));
        t = t.mid(1);
    }
    if (t.startsWith(QLatin1Char('$'))) {
        const QString hex = t.mid(1);
        if (hex.isEmpty() || hex.size() > 8 || hex.startsWith(QLatin1Char('+')) ||
            hex.startsWith(QLatin1Char('-')))
            return false;
        const uint v = hex.toUInt(&ok, 16);
        if (ok) *valor = negativo ? -static_cast<int>(v) : static_cast<int>(v);
        return ok;
    }
    if (t.isEmpty() || !t[0].isDigit()) return false;
    const qlonglong v = t.toLongLong(&ok, 10);
    if (!ok) return false;
    const qlonglong s = negativo ? -v : v;
    if (s < std::numeric_limits<int>::min() || s > std::numeric_limits<int>::max()) return false;
    *valor = static_cast<int>(s);
    return true;
}

int TDocumentoIni::ReadInteger(const QString &secao, const QString &chave, int padrao) const {
    int v = padrao;
    if (!converterInteiro(ReadString(secao, chave, QString()), &v)) return padrao;
    return v;
}

bool TDocumentoIni::ReadBool(const QString &secao, const QString &chave, bool padrao) const {
    return ReadInteger(secao, chave, padrao ? 1 : 0) != 0;
}

bool TDocumentoIni::SectionExists(const QString &secao) const {
    const Indice *s = indice(secao);
    return s && !s->ordem.isEmpty();
}

QStringList TDocumentoIni::ReadSection(const QString &secao) const {
    QStringList chaves;
    if (const Indice *s = indice(secao)) {
        chaves.reserve(s->ordem.size());
        for (const qsizetype i : s->ordem)
            chaves.append(m_linhas[i].nome);
    }
    return chaves;
}

void TDocumentoIni::WriteString(const QString &secao, const QString &chave, const QString &valor) {
    // A value is one line of the file: a line break inside it would make the
    // rest of the value a line of its own.
    QString v = valor;
    v.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    normalizarFins();

    bool dentro = false;
    qsizetype fimDaSecao = -1; // index after the last line of the first matching section
    for (qsizetype i = 0; i < m_linhas.size(); ++i) {
        const Linha &l = m_linhas[i];
        if (l.tipo == Linha::Secao) {
            dentro = mesmoNome(l.nome, secao);
            if (dentro && fimDaSecao < 0) fimDaSecao = i + 1;
            continue;
        }
        if (!dentro) continue;
        if (l.tipo == Linha::Chave && mesmoNome(l.nome, chave)) {
            // The spelling already in the file stays.
            substituir(i, 1, l.nome + QLatin1Char('=') + v);
            indexar();
            return;
        }
        if (l.tipo == Linha::Chave && fimDaSecao >= 0 && fimDaSecao <= i) fimDaSecao = i + 1;
    }
    if (fimDaSecao >= 0) {
        // After the section's last key, not after trailing blank lines.
        substituir(fimDaSecao, 0, chave + QLatin1Char('=') + v);
    } else {
        if (!m_linhas.isEmpty() && !m_linhas.last().texto.trimmed().isEmpty())
            substituir(m_linhas.size(), 0, QString());
        substituir(m_linhas.size(), 0, QLatin1Char('[') + secao + QLatin1Char(']'));
        substituir(m_linhas.size(), 0, chave + QLatin1Char('=') + v);
    }
    indexar();
}

void TDocumentoIni::WriteInteger(const QString &secao, const QString &chave, int valor) {
    WriteString(secao, chave, QString::number(valor));
}

void TDocumentoIni::WriteBool(const QString &secao, const QString &chave, bool valor) {
    WriteString(secao, chave, valor ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TDocumentoIni::EraseSection(const QString &secao) {
    QList<Linha> restantes;
    bool dentro = false;
    bool mudou = false;
    for (const Linha &l : std::as_const(m_linhas)) {
        if (l.tipo == Linha::Secao) dentro = mesmoNome(l.nome, secao);
        if (dentro)
            mudou = true;
        else
            restantes.append(l);
    }
    if (mudou) {
        m_linhas = std::move(restantes);
        normalizarFins();
        indexar();
    }
    return mudou;
}

bool TDocumentoIni::DeleteKey(const QString &secao, const QString &chave) {
    bool dentro = false;
    bool mudou = false;
    for (qsizetype i = 0; i < m_linhas.size();) {
        const Linha &l = m_linhas[i];
        if (l.tipo == Linha::Secao) dentro = mesmoNome(l.nome, secao);
        if (dentro && l.tipo == Linha::Chave && mesmoNome(l.nome, chave)) {
            m_linhas.removeAt(i);
            mudou = true;
        } else {
            ++i;
        }
    }
    if (mudou) {
        normalizarFins();
        indexar();
    }
    return mudou;
}

QByteArray TDocumentoIni::Conteudo() const {
    QByteArray saida;
    for (const Linha &l : m_linhas) {
        saida += Cp1252::codificar(l.texto);
        saida += l.fim.isEmpty() ? QByteArrayLiteral("\r\n") : l.fim;
    }
    return saida;
}

void TDocumentoIni::Gravar() {
    // The one place a settings file is written.
    if (m_caminho.isEmpty() || m_ilegivel || !Arquivos::gravarAtomico(m_caminho, Conteudo()))
        throw TErro(QStringLiteral("Unable to write to %1").arg(m_caminho));
}
