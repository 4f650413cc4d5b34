#pragma once

#include "data/TPlanilha.h"

#include <QString>
#include <QStringList>

#include <vector>

class TDados;

// The first three columns of every data row: which file of which group.
struct TIdentificacao {
    quint16 Posicao = 0; // 1-based position of the file in its group
    QString Rotulo;      // file name as picked, without folder and extension
    QString Usuario;     // the logged-in user's name
};

// The layout of one analysis sheet: what a prepared record file adds to the
// sheet, and the titles written once all files are in. TAnalise runs the
// files through it.
//
// Promises: Linhas and Colunas tell, before Escrever is called for a file,
// exactly how many rows the file takes and the last column it (or the
// titles, for the lists as they stand) writes; Escrever writes nowhere else.
class TFolhaAnalise {
public:
    virtual ~TFolhaAnalise() = default;

    // Row counter before the first file (data begins on the next row).
    virtual int LinhaInicial() const { return 4; }
    // Fills the per-minute table of the file just prepared, when the sheet
    // reads it.
    virtual void Acumular(TDados &) {}
    virtual qint64 Linhas(const TDados &d) const = 0;
    virtual qint64 Colunas(const TDados &d) const = 0;
    // Writes the file's rows after row `linha`, leaving `linha` on its last.
    virtual void Escrever(TPlanilha &p, const TDados &d, const TIdentificacao &id, int &linha) = 0;
    // Writes the titles, for the lists of the last file.
    virtual void Titulos(TPlanilha &p, const TDados &d) = 0;
    // Where the rows and columns of the sheet keep what (for the tidy CSV
    // and the frozen title rows of the .xlsx).
    virtual TFormaTabela Forma() const = 0;

    // Column 2 of a data row: the picked name without anything up to its
    // first "/" and without the four characters from its first "." (the
    // ".tvl" a name picked with its extension carries).
    static QString Rotulo(const QString &arquivo);

protected:
    static void Identificacao(TPlanilha &p, int linha, const TIdentificacao &id);
    // The titles over those columns in row `linha`, and `inj` one row above
    // column 2.
    static void TitulosIdentificacao(TPlanilha &p, int linha, const char *inj);
    // Seconds from a millisecond sum, unrounded.
    static double Segundos(qint64 ms) { return static_cast<double>(ms) / 1000.0; }
    // 100 x aberto / (aberto + fechado), or 0 when both are 0.
    static double Percentual(qint64 aberto, qint64 fechado);
    // "MIN: " + minute, made once for every file of the run.
    const QString &RotuloMinuto(int minuto);

private:
    std::vector<QString> m_rotulosMinuto; // [minuto - 1]
};
