#include "TPlanilha.h"

#include "TPlanilhaCSV.h"
#include "TPlanilhaXLS.h"
#include "TPlanilhaXLSX.h"
#include "core/TErro.h"

#include <QDir>

std::unique_ptr<TPlanilha> TPlanilha::Criar(Formato formato) {
    switch (formato) {
    case Xlsx:
        return std::make_unique<TPlanilhaXLSX>();
    case Csv:
        return std::make_unique<TPlanilhaCSV>();
    case Xls:
        break;
    }
    return std::make_unique<TPlanilhaXLS>();
}

TPlanilha::Formato TPlanilha::FormatoDoNome(const QString &nome) {
    if (nome.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive)) return Xlsx;
    if (nome.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)) return Csv;
    return Xls;
}

bool TPlanilha::FormatoDoTexto(const QString &texto, Formato *formato) {
    for (Formato f : {Xls, Xlsx, Csv})
        if (texto == TextoDoFormato(f)) {
            *formato = f;
            return true;
        }
    return false;
}

QString TPlanilha::TextoDoFormato(Formato formato) {
    switch (formato) {
    case Xlsx:
        return QStringLiteral("xlsx");
    case Csv:
        return QStringLiteral("csv");
    case Xls:
        break;
    }
    return QStringLiteral("xls");
}

QStringList TPlanilha::FiltrosDialogo(const QString &filtroXls) {
    return {filtroXls, QStringLiteral(".xlsx (*.xlsx *.XLSX)"),
            QStringLiteral(".csv (*.csv *.CSV)")};
}

QString TPlanilha::NomeDoDialogo(const QString &nome, qsizetype f) {
    if (nome.isEmpty()) return nome;
    for (const char *e : {".xls", ".xlsx", ".csv"})
        if (nome.endsWith(QLatin1String(e), Qt::CaseInsensitive)) return nome;
    if (f == Xlsx) return nome + QStringLiteral(".xlsx");
    if (f == Csv) return nome + QStringLiteral(".csv");
    return nome;
}

void TPlanilha::setFileName(const QString &nome) {
    m_nomeArquivo = NomeArquivo(nome);
}

QString TPlanilha::nomeParaMensagem() const {
    return m_nomeArquivo.isEmpty() ? QStringLiteral("(no file name)")
                                   : QDir::toNativeSeparators(m_nomeArquivo);
}

TGravacao::Modo TPlanilha::modoDe(OpcoesGravacao opcoes) {
    return (opcoes & GravNovo)         ? TGravacao::CriarSomente
           : (opcoes & GravSubstituir) ? TGravacao::SubstituirSomenteLeitura
                                       : TGravacao::Substituir;
}

void TPlanilha::conferirGravacao(const TResultado &r) const {
    if (!r)
        throw TErro(r.Mensagem(QStringLiteral("Cannot create file %1: %2."), nomeParaMensagem()));
}
