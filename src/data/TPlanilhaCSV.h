#pragma once

#include "TPlanilhaGrade.h"

#include <functional>
#include <limits>

// Writes the sheet as a tidy CSV for R and pandas: UTF-8 without a byte
// order mark, a header row, "," between fields, "." as decimal separator
// (numbers in their shortest exact form), fields quoted only when they hold
// a comma, a quote or a line break, lines ending in "\n".
//
// An analysis sheet (TFormaTabela::Valores) becomes one line per value
// cell: group, position (of the record in its group), record, region (the
// region or arm or square: the value column's region titles joined by a
// space), behaviour, minute (empty for whole-session kinds), measure, value.
// Identification cells, title rows and empty cells add no line.
//
// A record export (TFormaTabela::Eventos) becomes one line per event:
// record, then the columns named in the shape, as the sheet holds them.
//
// Its limits are those of the kept cells (rows up to 2^31 - 1, columns up
// to 65,535); the file is written line by line into TGravacao's temporary
// file.
class TPlanilhaCSV : public TPlanilhaGrade {
public:
    static const char *const CabecalhoValores; // "group,position,record,region,..."

    Formato formato() const override { return Csv; }
    QString NomeArquivo(const QString &nome) const override {
        return ComExtensao(nome, QStringLiteral(".csv"));
    }
    qint64 MaxLinhas() const override { return std::numeric_limits<int>::max(); }
    qint64 MaxColunas() const override { return std::numeric_limits<quint16>::max(); }
    void SaveSheet(OpcoesGravacao opcoes = GravNormal) override;

    // The whole CSV text (what SaveSheet writes).
    QByteArray Texto();

    // One field as CSV: quoted when needed.
    static QByteArray Campo(const QString &texto);
    static QByteArray Numero(double valor);

private:
    // Calls `saida` with pieces of the text, in order; false stops.
    bool produzir(const std::function<bool(const QByteArray &)> &saida);
};
