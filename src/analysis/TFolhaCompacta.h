#pragma once

#include "TDados.h"
#include "TFolhaAnalise.h"

#include "core/TFormaLabirinto.h"

#include <array>
#include <vector>

// The compact sheet: for the whole session, one row per record file with,
// for every behaviour, its frequency and time in each region of the maze,
// and for "ENTRADA" the region entries, the time spent and the square
// crossings.
//
// Four variants by maze kind:
// - Cruz: open arms, closed arms, centre, open-arm ends, closed-arm ends;
// - CruzBraco: north, south, east and west arm, centre, each arm's end;
// - Arena (6 x 6): centre, intermediate zone, periphery, corners, one-wall
//   squares;
// - EmI: open half, closed half, open ends, closed ends.
// Regions are judged by the maze given (the current experiment's), whatever
// maze the record was made in; squares no test of that maze accepts count in
// the remainder region (closed arms, east arm, intermediate zone, closed
// half).
//
// For "ENTRADA" a row counts as an entry into a region only when the square
// the animal came from lets it (the entry rules): so a move within an arm is
// a crossing but not an entry, and the first placement counts in the open
// arms, the centre and an arm end of a cross but not in a closed arm.
//
// The per-minute sheet (porMinuto; cross and I mazes only) has for every
// record file one row per whole minute of the session (column 4 "MIN: " +
// minute) with the same measures for that minute, one column further right.
// It reads the per-minute table as AcumularRegioes fills it, so an entry
// counts in the minute of the row that made it, the first placement counts
// in whatever region it is, and crossings are the rows that open an
// occurrence. Rows beyond the last whole minute are not reported. The
// per-arm kind has no per-minute split and gives the cross sheet.
class TFolhaCompacta : public TFolhaAnalise {
public:
    enum Variante { Cruz, CruzBraco, Arena, EmI };

    TFolhaCompacta(Variante variante, const QString &labirinto, bool porMinuto = false);

    void Acumular(TDados &d) override;
    qint64 Linhas(const TDados &d) const override { return m_porMinuto ? d.Minutos : 1; }
    qint64 Colunas(const TDados &d) const override;
    void Escrever(TPlanilha &p, const TDados &d, const TIdentificacao &id, int &linha) override;
    void Titulos(TPlanilha &p, const TDados &d) override;
    TFormaTabela Forma() const override;

private:
    // What one behaviour adds up in each region of the cross or I-maze sheet
    // (Centro: the cross only), and for "ENTRADA" the crossings of the open
    // and of the closed region.
    struct TMedidas {
        enum Regiao { Aberto, Fechado, PontaAberta, PontaFechada, Centro };
        std::array<qint64, 5> freq{}, tempo{};
        std::array<qint64, 2> cruzamentos{};
    };
    // The minute rows of the per-minute sheet.
    void escreverMinutos(TPlanilha &p, const TDados &d, const TIdentificacao &id, int &linha);
    // Writes behaviour b's columns of the Cruz or EmI sheet in row `linha`,
    // where TitulosDe puts their titles (porMinuto: one column further right).
    static void EscreverMedidas(TPlanilha &p, int linha, Variante variante, bool porMinuto, int b,
                                const TMedidas &m);
    // Titles of the variant's sheet; for the per-minute sheet (porMinuto)
    // every title from column 4 on is one column further right, row 3 of
    // column 2 reads "INJ" and column 4 "MINUTO".
    static void TitulosDe(TPlanilha &p, const TDados &d, Variante variante, bool porMinuto);
    // Last column the sheet of the variant uses with that many behaviours
    // ("ENTRADA" included).
    static qint64 UltimaColuna(Variante variante, qint64 comportamentos);

    // Region bits by name index of the TDados they were found for.
    const TDados *m_dadosMascaras = nullptr;
    std::vector<quint16> m_mascaras;
    // Rows by behaviour name index, reused from file to file.
    std::vector<int> m_de, m_linhas, m_cheio;

    Variante m_variante;
    TFormaLabirinto m_labirinto;
    bool m_porMinuto;
};
