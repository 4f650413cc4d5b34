#include "TArquivoIni.h"

#include "Arquivos.h"
#include "Cp1252.h"
#include "TErro.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <limits>

// A parsed line. Only section headers and key lines are interpreted; every
// other line is carried along verbatim so that a rewrite keeps it.
struct TArquivoIni::Linha {
    enum Tipo { Outra, Secao, Chave } tipo = Outra;
    QString texto; // the line as read (Outra) or as it will be written
    QString nome;  // section name (Secao) or key name (Chave)
    QString valor; // Chave only
};

namespace {

const int kMaxValor = 2047;

bool mesmoNome(const QString &a, const QString &b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

} // namespace

TArquivoIni::TArquivoIni(const QString &caminho) : m_caminho(caminho) {}

QList<TArquivoIni::Linha> TArquivoIni::carregar() const {
    QList<Linha> linhas;
    QByteArray bytes;
    if (!Arquivos::lerTudo(m_caminho, &bytes))
        return linhas;
    const QList<QByteArray> brutas = Arquivos::dividirLinhas(bytes);
    linhas.reserve(brutas.size());
    for (const QByteArray &bruta : brutas) {
        Linha l;
        l.texto = Cp1252::decodificar(bruta);
        const QString t = l.texto.trimmed();
        if (t.startsWith(QLatin1Char('['))) {
            const int fim = t.indexOf(QLatin1Char(']'));
            l.tipo = Linha::Secao;
            l.nome = (fim < 0 ? t.mid(1) : t.mid(1, fim - 1)).trimmed();
        } else if (!t.startsWith(QLatin1Char(';'))) {
            const int igual = l.texto.indexOf(QLatin1Char('='));
            if (igual >= 0) {
                l.tipo = Linha::Chave;
                l.nome = l.texto.left(igual).trimmed();
                l.valor = l.texto.mid(igual + 1);
            }
        }
        linhas.append(std::move(l));
    }
    return linhas;
}

void TArquivoIni::gravar(const QList<Linha> &linhas) {
    QByteArray saida;
    for (const Linha &l : linhas) {
        saida += Cp1252::codificar(l.texto);
        saida += "\r\n";
    }
    if (!Arquivos::gravarAtomico(m_caminho, saida))
        throw TErro(QStringLiteral("Unable to write to %1").arg(m_caminho));
}

QString TArquivoIni::ReadString(const QString &secao, const QString &chave,
                                const QString &padrao) const {
    bool dentro = false;
    for (const Linha &l : carregar()) {
        if (l.tipo == Linha::Secao)
            dentro = mesmoNome(l.nome, secao);
        else if (dentro && l.tipo == Linha::Chave && mesmoNome(l.nome, chave))
            return l.valor.left(kMaxValor);
    }
    return padrao;
}

bool TArquivoIni::converterInteiro(const QString &texto, int *valor) {
    QString t = texto.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    if (t.size() > 2 && (t.startsWith(QLatin1String("0x")) || t.startsWith(QLatin1String("0X")))) {
        const QString hex = t.mid(2);
        if (hex.size() > 8 || hex.startsWith(QLatin1Char('+')) || hex.startsWith(QLatin1Char('-')))
            return false;
        const uint v = hex.toUInt(&ok, 16);
        if (ok)
            *valor = static_cast<int>(v); // 32-bit hex wraps like the platform's integers
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
        if (ok)
            *valor = negativo ? -static_cast<int>(v) : static_cast<int>(v);
        return ok;
    }
    if (t.isEmpty() || !t[0].isDigit())
        return false;
    const qlonglong v = t.toLongLong(&ok, 10);
    if (!ok)
        return false;
    const qlonglong s = negativo ? -v : v;
    if (s < std::numeric_limits<int>::min() || s > std::numeric_limits<int>::max())
        return false;
    *valor = static_cast<int>(s);
    return true;
}

int TArquivoIni::ReadInteger(const QString &secao, const QString &chave, int padrao) const {
    int v = padrao;
    if (!converterInteiro(ReadString(secao, chave, QString()), &v))
        return padrao;
    return v;
}

bool TArquivoIni::ReadBool(const QString &secao, const QString &chave, bool padrao) const {
    return ReadInteger(secao, chave, padrao ? 1 : 0) != 0;
}

void TArquivoIni::WriteString(const QString &secao, const QString &chave, const QString &valor) {
    // A value is one line of the file: a line break inside it would make the
    // rest of the value a line of its own.
    QString v = valor;
    v.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));

    QList<Linha> linhas = carregar();
    Linha nova;
    nova.tipo = Linha::Chave;
    nova.nome = chave;
    nova.valor = v;
    nova.texto = chave + QLatin1Char('=') + v;

    bool dentro = false;
    qsizetype fimDaSecao = -1; // index after the last line of the first matching section
    for (qsizetype i = 0; i < linhas.size(); ++i) {
        const Linha &l = linhas[i];
        if (l.tipo == Linha::Secao) {
            dentro = mesmoNome(l.nome, secao);
            if (dentro && fimDaSecao < 0)
                fimDaSecao = i + 1;
            continue;
        }
        if (!dentro)
            continue;
        if (l.tipo == Linha::Chave && mesmoNome(l.nome, chave)) {
            nova.nome = l.nome; // keep the spelling already in the file
            nova.texto = l.nome + QLatin1Char('=') + v;
            linhas[i] = nova;
            gravar(linhas);
            return;
        }
        if (l.tipo == Linha::Chave && fimDaSecao >= 0 && fimDaSecao <= i)
            fimDaSecao = i + 1;
    }
    if (fimDaSecao >= 0) {
        // Insert after the section's last key, not after trailing blank lines.
        linhas.insert(fimDaSecao, nova);
    } else {
        if (!linhas.isEmpty() && !linhas.last().texto.trimmed().isEmpty())
            linhas.append(Linha{});
        Linha cab;
        cab.tipo = Linha::Secao;
        cab.nome = secao;
        cab.texto = QLatin1Char('[') + secao + QLatin1Char(']');
        linhas.append(cab);
        linhas.append(nova);
    }
    gravar(linhas);
}

void TArquivoIni::WriteInteger(const QString &secao, const QString &chave, int valor) {
    WriteString(secao, chave, QString::number(valor));
}

void TArquivoIni::WriteBool(const QString &secao, const QString &chave, bool valor) {
    WriteString(secao, chave, valor ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TArquivoIni::SectionExists(const QString &secao) const {
    bool dentro = false;
    for (const Linha &l : carregar()) {
        if (l.tipo == Linha::Secao)
            dentro = mesmoNome(l.nome, secao);
        else if (dentro && l.tipo == Linha::Chave)
            return true;
    }
    return false;
}

QStringList TArquivoIni::ReadSection(const QString &secao) const {
    QStringList chaves;
    bool dentro = false;
    for (const Linha &l : carregar()) {
        if (l.tipo == Linha::Secao)
            dentro = mesmoNome(l.nome, secao);
        else if (dentro && l.tipo == Linha::Chave &&
                 !chaves.contains(l.nome, Qt::CaseInsensitive))
            chaves.append(l.nome);
    }
    return chaves;
}

void TArquivoIni::EraseSection(const QString &secao) {
    const QList<Linha> linhas = carregar();
    QList<Linha> restantes;
    bool dentro = false;
    bool mudou = false;
    for (const Linha &l : linhas) {
        if (l.tipo == Linha::Secao)
            dentro = mesmoNome(l.nome, secao);
        if (dentro)
            mudou = true;
        else
            restantes.append(l);
    }
    if (mudou)
        gravar(restantes);
}

void TArquivoIni::DeleteKey(const QString &secao, const QString &chave) {
    QList<Linha> linhas = carregar();
    bool dentro = false;
    bool mudou = false;
    for (qsizetype i = 0; i < linhas.size();) {
        const Linha &l = linhas[i];
        if (l.tipo == Linha::Secao)
            dentro = mesmoNome(l.nome, secao);
        if (dentro && l.tipo == Linha::Chave && mesmoNome(l.nome, chave)) {
            linhas.removeAt(i);
            mudou = true;
        } else {
            ++i;
        }
    }
    if (!mudou)
        return;
    try {
        gravar(linhas);
    } catch (const TErro &) {
        // Deleting a key is best effort.
    }
}

void TArquivoIni::Alterar(const QString &caminho,
                          const std::function<void(TArquivoIni &)> &alteracoes) {
    const QString falha = QStringLiteral("Unable to write to %1").arg(caminho);
    const QFileInfo info(caminho);
    if (!info.dir().exists() || info.isDir() || Arquivos::somenteLeitura(caminho))
        throw TErro(falha);

    QByteArray original;
    if (info.exists() && !Arquivos::lerTudo(caminho, &original))
        throw TErro(QStringLiteral("Unable to read %1").arg(caminho));

    // Every write of the group rewrites the copy; the file itself is
    // replaced once, at the end.
    QTemporaryDir temporaria;
    if (!temporaria.isValid()) throw TErro(falha);
    const QString copia = temporaria.filePath(QStringLiteral("alteracao.ini"));
    {
        QFile f(copia);
        if (!f.open(QIODevice::WriteOnly) || f.write(original) != original.size())
            throw TErro(falha);
    }
    TArquivoIni ini(copia);
    try {
        alteracoes(ini);
    } catch (const TErro &) {
        throw TErro(falha);
    }
    QByteArray novo;
    if (!Arquivos::lerTudo(copia, &novo) || !Arquivos::gravarAtomico(caminho, novo))
        throw TErro(falha);
}
