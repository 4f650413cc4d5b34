#include "TIdioma.h"

#include "core/Arquivos.h"
#include "core/Cp1252.h"
#include "core/TArquivoIni.h"

const QString TIdioma::Erro = QStringLiteral("ERRO");

namespace {
// Same limit as the settings-file reader, so that both give the same text.
const int kMaxValor = 2047;
} // namespace

TIdioma::TIdioma(const QString &arquivo) : m_arquivo(arquivo) {
    QByteArray bytes;
    if (arquivo.isEmpty() || !Arquivos::lerTudo(arquivo, &bytes)) return;
    m_carregado = true;

    // A window reads dozens of texts at creation; parsing the file once
    // instead of once per text. The rules are those of TArquivoIni: sections
    // open with "[", comment lines with ";", a key line is split at its first
    // "=", names are trimmed and compared case-folded, values are kept as
    // stored, and the first occurrence of a key wins even across repeated
    // sections of the same name.
    QHash<QString, QString> *atual = nullptr;
    for (const QByteArray &bruta : Arquivos::dividirLinhas(bytes)) {
        const QString linha = Cp1252::decodificar(bruta);
        const QString t = linha.trimmed();
        if (t.startsWith(QLatin1Char('['))) {
            const int fim = t.indexOf(QLatin1Char(']'));
            const QString nome = (fim < 0 ? t.mid(1) : t.mid(1, fim - 1)).trimmed();
            atual = &m_textos[nome.toCaseFolded()];
            continue;
        }
        if (!atual || t.startsWith(QLatin1Char(';'))) continue;
        const int igual = linha.indexOf(QLatin1Char('='));
        if (igual < 0) continue;
        const QString chave = linha.left(igual).trimmed().toCaseFolded();
        if (!atual->contains(chave)) atual->insert(chave, linha.mid(igual + 1).left(kMaxValor));
    }
}

QString TIdioma::Texto(const QString &secao, const QString &chave) const {
    const auto s = m_textos.constFind(secao.toCaseFolded());
    if (s == m_textos.constEnd()) return Erro;
    const auto k = s->constFind(chave.toCaseFolded());
    return k == s->constEnd() ? Erro : *k;
}

QString TIdioma::Ler(const QString &arquivo, const QString &secao, const QString &chave) {
    if (arquivo.isEmpty()) return Erro;
    return TArquivoIni(arquivo).ReadString(secao, chave, Erro);
}
