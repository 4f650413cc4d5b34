#pragma once

#include "TFolhaAnalise.h"

// The square-by-square sheet: for every record file and behaviour ("ENTRADA"
// first) a frequency row and a time row, one column per square of the maze
// (from column 6), and with porMinuto one such pair per whole minute of the
// session (column 6 "MIN: " + minute, squares from column 7). For "ENTRADA"
// the frequency counts every entry into the square, moves inside an arm
// included. Works for every maze with a square list; rows outside the
// session's whole minutes are left out. Data begins on row 3.
class TFolhaQuadrado : public TFolhaAnalise {
public:
    explicit TFolhaQuadrado(bool porMinuto);

    int LinhaInicial() const override { return 2; }
    void Acumular(TDados &d) override;
    qint64 Linhas(const TDados &d) const override;
    qint64 Colunas(const TDados &d) const override;
    void Escrever(TPlanilha &p, const TDados &d, const TIdentificacao &id, int &linha) override;
    void Titulos(TPlanilha &p, const TDados &d) override;
    TFormaTabela Forma() const override;

private:
    bool m_porMinuto;
};
