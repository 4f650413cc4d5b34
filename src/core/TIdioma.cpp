#include "TIdioma.h"

const QString TIdioma::Erro = QStringLiteral("ERRO");

// A window reads dozens of texts at creation: the file is read and parsed
// once, the texts come from memory.
TIdioma::TIdioma(const QString &arquivo)
    : m_arquivo(arquivo), m_textos(arquivo.isEmpty() ? TDocumentoIni() : TDocumentoIni(arquivo)) {}

QString TIdioma::Texto(const QString &secao, const QString &chave) const {
    return m_textos.ReadString(secao, chave, Erro);
}

QString TIdioma::Ler(const QString &arquivo, const QString &secao, const QString &chave) {
    if (arquivo.isEmpty()) return Erro;
    return TDocumentoIni(arquivo).ReadString(secao, chave, Erro);
}
