#pragma once

#include "core/TRegistro.h"
#include "core/TStatus.h"

#include <QString>

// The bookkeeping of the recording in progress, besides the experiment's
// behaviour table: where the animal stands, whether it is recording or
// paused after a fall, how long it has been paused, and the two recorders
// that collect the rows of the record file. Only the session engine
// (TSessao) changes it; windows and tests read it.
//
// Times: TempoPausado in whole milliseconds, like every instant of a
// recording, so the rows' times are exact whatever the session length.
class TEstadoGravacao {
public:
    int Coluna = 0;            // current column, 1-based; 0 while no square is chosen
    int Linha = 0;             // current row, 1-based
    int PosX = 0;              // pixel origin (left edge) of the current square
    int PosY = 0;              // pixel origin (top edge) of the current square
    QString QuadradoLetra;     // current square's column letter
    QString QuadradoNumero;    // current square's row number, decimal text
    bool Gravando = false;     // a recording is running
    bool Caiu = false;         // the recording is paused after a fall
    qint64 TempoPausado = 0;   // ms paused by falls since the current phase began
    TDataHora InicioQueda = 0; // when the last fall happened
    // The arrow keys move the animal (F5, and the keyboard window). Not
    // part of any one recording: it keeps its value from one session window
    // to the next, and is off when the engine is made.
    bool TeclasEdicao = false;
    TRegistro RegistroEntradas;       // square entries, "ENTRADA"
    TRegistro RegistroComportamentos; // behaviour bouts and the phase marker "T2"

    // QuadradoLetra + QuadradoNumero ("F6"); the square of the rows written now.
    QString QuadradoAtual() const { return QuadradoLetra + QuadradoNumero; }
};
