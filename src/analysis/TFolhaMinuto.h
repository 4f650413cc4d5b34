#pragma once

#include "TFolhaCompacta.h"

// The per-minute compact sheet of the cross and I mazes: for every record
// file one row per whole minute of the session (column 4 "MIN: " + minute),
// with the measures of the whole-session sheet for that minute, one column
// further right. It reads the per-minute table as AcumularRegioes fills it,
// so an entry counts in the minute of the row that made it, the first
// placement counts in whatever region it is, and crossings are the rows
// that open an occurrence. Rows beyond the last whole minute are not
// reported. The per-arm kind has no per-minute split and gives this sheet.
class TFolhaMinuto : public TFolhaAnalise {
public:
    enum Variante { Cruz, EmI };

    TFolhaMinuto(Variante variante, const QString &labirinto);

    void Acumular(TDados &d) override;
    qint64 Linhas(const TDados &d) const override;
    qint64 Colunas(const TDados &d) const override;
    void Escrever(TPlanilhaXLS &p, const TDados &d, const TIdentificacao &id, int &linha) override;
    void Titulos(TPlanilhaXLS &p, const TDados &d) override;

private:
    TFolhaCompacta::Variante m_variante; // Cruz or EmI
    TFormaLabirinto m_labirinto;
};
