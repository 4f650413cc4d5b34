#pragma once

#include <QColor>
#include <QPixmap>

class QLabel;
class QWidget;

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

// A window's heading as a banner (bold white text on CorFaixa), for the
// borderless windows that show no caption: font `escala` times the
// default, `margem` pixels above and below the text.
QLabel *Faixa(const QString &texto, QWidget *pai, qreal escala, int margem);

} // namespace Figuras
