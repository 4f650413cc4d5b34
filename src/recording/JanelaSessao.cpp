#include "JanelaSessao.h"

#include "core/TLabirinto.h"

#include <cmath>

namespace JanelaSessao {

int LadoImagem(int largura, int altura) {
    if (largura < LarguraMinima || altura < AlturaMinima) return 0;
    if (altura < largura) return altura - 68 * TLabirinto::ArredondarPar((altura - 200) / 450.0);
    return largura - 68 * TLabirinto::ArredondarPar(largura / 450.0);
}

QRect AreaNoControle(const TRetangulo &r, int larguraContorno, double largura, double altura) {
    const double sx = largura / TDesenho::Lado;
    const double sy = altura / TDesenho::Lado;
    // Half the pen falls outside the rectangle; one more pixel covers the
    // rounding of a scaled, unantialiased edge.
    const double m = larguraContorno / 2.0 + 1;
    const int esquerda = int(std::floor((r.esquerda - m) * sx)) - 1;
    const int topo = int(std::floor((r.topo - m) * sy)) - 1;
    const int direita = int(std::ceil((r.direita + m) * sx)) + 1;
    const int base = int(std::ceil((r.base + m) * sy)) + 1;
    return QRect(QPoint(esquerda, topo), QPoint(direita, base));
}

} // namespace JanelaSessao
