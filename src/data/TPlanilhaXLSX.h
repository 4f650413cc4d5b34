#pragma once

#include "TPlanilhaGrade.h"

class TPacoteZip;

// Writes the sheet as an .xlsx workbook of one worksheet: the same cells at
// the same positions as the .xls of the same run, numbers as numbers, texts
// whole (Unicode, up to 32,767 characters), plus what the classic format
// lacks: the sheet named after the analysis kind or the record, every
// column as wide as its widest value (at most 60 characters), the title
// rows frozen. A sheet holds 1,048,576 rows and 16,384 columns.
//
// The workbook is written row after row from the kept cells straight into
// the temporary file TGravacao gives, its markup deflated as it is made
// (TPacoteZip), so a large sheet costs the kept cells and little more. The
// texts go to the workbook's table of shared texts, each once. The same
// cells always give the same bytes.
class TPlanilhaXLSX : public TPlanilhaGrade {
public:
    static constexpr int UltimaLinha = 1048576;
    static constexpr int UltimaColuna = 16384;
    static constexpr int MaxTexto = 32767;
    static constexpr int LarguraMaxima = 60;

    Formato formato() const override { return Xlsx; }
    QString NomeArquivo(const QString &nome) const override {
        return ComExtensao(nome, QStringLiteral(".xlsx"));
    }
    qint64 MaxLinhas() const override { return UltimaLinha; }
    qint64 MaxColunas() const override { return UltimaColuna; }
    void SaveSheet(OpcoesGravacao opcoes = GravNormal) override;

    // A name the format accepts for a sheet: at most 31 characters, none of
    // []:*?/\, no apostrophe at either end; "Planilha" when nothing is left.
    static QString NomeDeFolha(const QString &nome);

private:
    QString escrever(const QString &arquivo);
    bool escreverPacote(TPacoteZip &pacote) const;
};
