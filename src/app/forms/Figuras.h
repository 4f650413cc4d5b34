#pragma once

#include <QColor>
#include <QPixmap>

// The program's pictures, drawn rather than shipped as files: they scale to
// any size and need nothing beside the program.
namespace Figuras {

// The program's logo: a plus-shaped maze beside the name.
QPixmap Logotipo(int altura);

// A plus-shaped maze seen from above (open arms light, closed arms dark).
QPixmap Labirinto(int lado);

// Flag of a language (index of the language choice, 0 to 5): the country
// the language is named after. An index outside 0 to 5 gives a grey field.
QPixmap Bandeira(int lingua, const QSize &tamanho);

// Colours of the program's banners.
QColor CorFaixa();
QColor CorFaixaClara();

} // namespace Figuras
