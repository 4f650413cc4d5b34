#include "TImagemLabirinto.h"

#include "core/TDesenho.h"
#include "recording/JanelaSessao.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

QColor cor(const TCor &c, const QWidget *w) {
    return c.fundoDoSistema ? w->palette().color(QPalette::Button)
                            : QColor(c.vermelho, c.verde, c.azul);
}

} // namespace

TImagemLabirinto::TImagemLabirinto(const TDesenho &desenho, QWidget *parent)
    : QWidget(parent), m_desenho(desenho) {
    setObjectName(QStringLiteral("Image"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(TDesenho::Lado, TDesenho::Lado);
}

void TImagemLabirinto::Redesenhar() {
    update();
}

void TImagemLabirinto::QuadradoAlterado(int coluna, int linha) {
    const TFigura *f = m_desenho.Quadrado(coluna, linha);
    if (!f) return;
    update(JanelaSessao::AreaNoControle(f->retangulo, f->larguraContorno, width(), height()));
}

void TImagemLabirinto::paintEvent(QPaintEvent *evento) {
    QPainter p(this);
    const QRect area = evento->rect();
    p.fillRect(area, cor(m_desenho.Fundo(), this));
    const double sx = double(width()) / TDesenho::Lado;
    const double sy = double(height()) / TDesenho::Lado;
    p.scale(sx, sy);
    // The area in drawing coordinates, to skip the figures outside it.
    const QRectF alvo(area.x() / sx, area.y() / sy, area.width() / sx, area.height() / sy);
    for (const TFigura &f : m_desenho.Figuras()) {
        const TRetangulo &r = f.retangulo;
        const double m = f.larguraContorno / 2.0 + 1;
        if (!alvo.intersects(
                QRectF(r.esquerda - m, r.topo - m, r.largura() + 2 * m, r.altura() + 2 * m)))
            continue;
        if (f.larguraContorno > 0) {
            QPen caneta(cor(f.contorno, this));
            caneta.setWidth(f.larguraContorno);
            caneta.setJoinStyle(Qt::MiterJoin);
            p.setPen(caneta);
        } else {
            p.setPen(Qt::NoPen);
        }
        p.setBrush(cor(f.preenchimento, this));
        p.drawRect(QRect(r.esquerda, r.topo, r.largura(), r.altura()));
    }
}

void TImagemLabirinto::mousePressEvent(QMouseEvent *evento) {
    if (evento->button() != Qt::LeftButton) return;
    const QPointF p = evento->position();
    emit Clicado(TDesenho::ParaDesenho(p.x(), p.y(), width(), height()));
}
