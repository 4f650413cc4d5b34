#pragma once

#include <QString>
#include <QStringList>

// The regions of the built-in mazes and the ordered square lists the
// analyses use.
//
// The cross mazes ("CRUZ (3)", "CRUZ (5)", "CRUZ (6)") are a vertical arm
// (the open arms, centre in the middle) crossed by a horizontal arm (the
// closed arms); the number is the number of squares per arm. The I mazes
// ("EM I (3)", "EM I (5)") are one row whose half with the higher letters is
// open. Only the 6 x 6 arena has regions; the T maze and other arenas have
// square lists only.
//
// Every test takes a square name and a maze name and compares both exactly
// (letter case and spacing included); a maze it does not list, or an empty
// square name, gives false.
namespace Regioes {

// One bit per test, as Mascara returns them.
enum Regiao : quint16 {
    RBracoAberto = 1u << 0,
    RBracoNorte = 1u << 1,
    RBracoOeste = 1u << 2,
    RCentro = 1u << 3,
    RExtremidade = 1u << 4,
    RCentroArena = 1u << 5,
    RPeriferiaArena = 1u << 6,
    RCantoArena = 1u << 7,
    RBracoAbertoI = 1u << 8,
    RExtremidadeI = 1u << 9,
};

// The tests that hold for the square in that maze, as Regiao bits.
quint16 Mascara(const QString &quadrado, const QString &labirinto);

bool BracoAberto(const QString &quadrado, const QString &labirinto);
bool BracoNorte(const QString &quadrado, const QString &labirinto);
bool BracoOeste(const QString &quadrado, const QString &labirinto);
bool Centro(const QString &quadrado, const QString &labirinto);
bool Extremidade(const QString &quadrado, const QString &labirinto);
bool CentroArena(const QString &quadrado, const QString &labirinto);
bool PeriferiaArena(const QString &quadrado, const QString &labirinto);
bool CantoArena(const QString &quadrado, const QString &labirinto);
bool BracoAbertoI(const QString &quadrado, const QString &labirinto);
bool ExtremidadeI(const QString &quadrado, const QString &labirinto);

// True for the six mazes whose square list is built in: the three crosses,
// the two I mazes and "EM T (5)".
bool TemListaPropria(const QString &labirinto);
// The built-in square list of one of those six (empty for any other name):
// a cross lists its vertical arm top to bottom, then the west and the east
// closed arm left to right; an I maze A1 onwards; the T maze its top row,
// then its stem.
QStringList Quadrados(const QString &labirinto);

// Columns and rows of an arena named "ARENA (CxR)"; false when the name is
// not of that form or a size lies outside 1..255.
bool DimensoesArena(const QString &labirinto, int *colunas, int *linhas);
// Square names of an arena, row by row: A1 B1 ... then A2 ...
QStringList QuadradosArena(int colunas, int linhas);

} // namespace Regioes
