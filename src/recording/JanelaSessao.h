#pragma once

#include "core/TDesenho.h"

#include <QRect>

// The geometry of the session window that is logic rather than widgets: how
// big the maze picture is for a window size, and which part of the picture
// control a square covers at any scale (what a square's repaint must cover).
namespace JanelaSessao {

// The smallest window, and where a window that became smaller is put back.
constexpr int LarguraMinima = 600;
constexpr int AlturaMinima = 450;
constexpr int EsquerdaPadrao = 150;
constexpr int TopoPadrao = 0;

// Side of the maze picture for a window of outer size largura x altura:
// with a = Round((altura - 200) / 450) the side is altura - 68 a when the
// window is wider than high, else largura - 68 a with a = Round(largura /
// 450) (Round halves to even). 0 when the window is smaller than
// LarguraMinima x AlturaMinima: the window is then to be put back to that
// size at (EsquerdaPadrao, TopoPadrao), with a picture of TDesenho::Lado.
int LadoImagem(int largura, int altura);

// The area of a picture control of the given size that shows the drawing
// rectangle r with an outline of that width (centred on its edges),
// rounded outwards with a pixel to spare: repainting it repaints the whole
// figure, outline included, whatever the scale.
QRect AreaNoControle(const TRetangulo &r, int larguraContorno, double largura, double altura);

} // namespace JanelaSessao
