#pragma once

#include "core/TFormaLabirinto.h"

#include <QString>

// The region tests of the analyses, each a function of (square name, maze
// name). The regions themselves are TFormaLabirinto's: the cross mazes
// ("CRUZ (3)", "CRUZ (5)", "CRUZ (6)") are a vertical arm (the open arms,
// centre in the middle) crossed by a horizontal arm (the closed arms); the
// I mazes ("EM I (3)", "EM I (5)") one row whose half with the higher
// letters is open; the 6 x 6 arena has a middle, walls and corners. The T
// maze and other arenas have no regions.
//
// Every test compares both names exactly (letter case and spacing
// included); a maze without regions, or a square it does not have, gives
// false. Code that tests many squares of one maze asks one TFormaLabirinto.
namespace Regioes {

// True when square `quadrado` of maze `labirinto` lies in region R.
template <TRegiao R> bool Testa(const QString &quadrado, const QString &labirinto) {
    return TFormaLabirinto(labirinto).Regioes(quadrado) & R;
}

constexpr auto BracoAberto = Testa<RBracoAberto>;
constexpr auto BracoNorte = Testa<RBracoNorte>;
constexpr auto BracoOeste = Testa<RBracoOeste>;
constexpr auto Centro = Testa<RCentro>;
constexpr auto Extremidade = Testa<RExtremidade>;
constexpr auto CentroArena = Testa<RCentroArena>;
constexpr auto PeriferiaArena = Testa<RPeriferiaArena>;
constexpr auto CantoArena = Testa<RCantoArena>;
constexpr auto BracoAbertoI = Testa<RBracoAbertoI>;
constexpr auto ExtremidadeI = Testa<RExtremidadeI>;

} // namespace Regioes
