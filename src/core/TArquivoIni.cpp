#include "TArquivoIni.h"

#include "TDocumentoIni.h"
#include "TErro.h"

TArquivoIni::TArquivoIni(const QString &caminho) : m_caminho(caminho) {}

QString TArquivoIni::ReadString(const QString &secao, const QString &chave,
                                const QString &padrao) const {
    return TDocumentoIni(m_caminho).ReadString(secao, chave, padrao);
}

int TArquivoIni::ReadInteger(const QString &secao, const QString &chave, int padrao) const {
    return TDocumentoIni(m_caminho).ReadInteger(secao, chave, padrao);
}

bool TArquivoIni::ReadBool(const QString &secao, const QString &chave, bool padrao) const {
    return TDocumentoIni(m_caminho).ReadBool(secao, chave, padrao);
}

void TArquivoIni::WriteString(const QString &secao, const QString &chave, const QString &valor) {
    TDocumentoIni documento(m_caminho);
    documento.WriteString(secao, chave, valor);
    documento.Gravar();
}

void TArquivoIni::WriteInteger(const QString &secao, const QString &chave, int valor) {
    WriteString(secao, chave, QString::number(valor));
}

void TArquivoIni::WriteBool(const QString &secao, const QString &chave, bool valor) {
    WriteString(secao, chave, valor ? QStringLiteral("1") : QStringLiteral("0"));
}

bool TArquivoIni::SectionExists(const QString &secao) const {
    return TDocumentoIni(m_caminho).SectionExists(secao);
}

QStringList TArquivoIni::ReadSection(const QString &secao) const {
    return TDocumentoIni(m_caminho).ReadSection(secao);
}

void TArquivoIni::EraseSection(const QString &secao) {
    TDocumentoIni documento(m_caminho);
    if (documento.EraseSection(secao)) documento.Gravar();
}

void TArquivoIni::DeleteKey(const QString &secao, const QString &chave) {
    TDocumentoIni documento(m_caminho);
    if (!documento.DeleteKey(secao, chave)) return;
    try {
        documento.Gravar();
    } catch (const TErro &) {
        // Deleting a key is best effort.
    }
}
