#include "Figuras.h"

#include <QFont>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>

namespace Figuras {

QColor CorFaixa() {
    return QColor(0x1f, 0x4e, 0x5f);
}

QColor CorFaixaClara() {
    return QColor(0x3c, 0x7f, 0x8f);
}

namespace {

// The maze in a square of side l at (x, y): five squares per arm width
// of one, the west and east arms closed (walls drawn as dark bands).
void desenharLabirinto(QPainter &p, qreal x, qreal y, qreal l) {
    const qreal q = l / 5.0;
    const QColor aberto(0xf2, 0xe6, 0xc8);
    const QColor fechado(0x8a, 0x5a, 0x2b);
    const QColor linha(0x33, 0x2a, 0x20);
    p.setPen(QPen(linha, qMax<qreal>(1.0, l / 60.0)));
    for (int i = 0; i < 5; ++i) {
        // Vertical arm (open) and horizontal arm (closed).
        p.setBrush(aberto);
        p.drawRect(QRectF(x + 2 * q, y + i * q, q, q));
        if (i != 2) {
            p.setBrush(fechado);
            p.drawRect(QRectF(x + i * q, y + 2 * q, q, q));
        }
    }
}

} // namespace

QPixmap Labirinto(int lado) {
    QPixmap pm(lado, lado);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    desenharLabirinto(p, 0.5, 0.5, lado - 1.0);
    return pm;
}

QPixmap Logotipo(int altura) {
    QFont fonte;
    fonte.setBold(true);
    fonte.setPixelSize(altura * 45 / 100);
    const QFontMetrics fm(fonte);
    const QString nome = QStringLiteral("Trevalin");
    const int largura = altura + altura / 5 + fm.horizontalAdvance(nome) + altura / 5;

    QPixmap pm(largura, altura);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    desenharLabirinto(p, altura * 0.05, altura * 0.05, altura * 0.9);
    p.setFont(fonte);
    p.setPen(CorFaixa());
    const QRect texto(altura + altura / 5, 0, largura - altura - altura / 5, altura);
    p.drawText(texto, Qt::AlignVCenter | Qt::AlignLeft, nome);
    return pm;
}

QPixmap Bandeira(int lingua, const QSize &tamanho) {
    const int w = tamanho.width();
    const int h = tamanho.height();
    QPixmap pm(tamanho);
    pm.fill(Qt::lightGray);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    auto vertical = [&](QColor a, QColor b, QColor c) {
        p.fillRect(QRectF(0, 0, w / 3.0, h), a);
        p.fillRect(QRectF(w / 3.0, 0, w / 3.0, h), b);
        p.fillRect(QRectF(2 * w / 3.0, 0, w - 2 * w / 3.0, h), c);
    };
    const QColor vermelho(0xce, 0x11, 0x26);
    switch (lingua) {
    case 0: { // Portugal: green and red, the sphere on the border.
        p.fillRect(QRectF(0, 0, w * 0.4, h), QColor(0x00, 0x66, 0x00));
        p.fillRect(QRectF(w * 0.4, 0, w * 0.6, h), QColor(0xff, 0x00, 0x00));
        p.setBrush(QColor(0xff, 0xdd, 0x00));
        p.drawEllipse(QPointF(w * 0.4, h / 2.0), h * 0.28, h * 0.28);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(w * 0.4 - h * 0.12, h * 0.34, h * 0.24, h * 0.3), 2, 2);
        break;
    }
    case 1: { // United Kingdom.
        p.fillRect(pm.rect(), QColor(0x01, 0x21, 0x69));
        QPen diagonal(Qt::white, h * 0.2);
        p.setPen(diagonal);
        p.drawLine(QPointF(0, 0), QPointF(w, h));
        p.drawLine(QPointF(0, h), QPointF(w, 0));
        p.setPen(QPen(QColor(0xc8, 0x10, 0x2e), h * 0.07));
        p.drawLine(QPointF(0, 0), QPointF(w, h));
        p.drawLine(QPointF(0, h), QPointF(w, 0));
        p.setPen(Qt::NoPen);
        p.fillRect(QRectF(w * 0.42, 0, w * 0.16, h), Qt::white);
        p.fillRect(QRectF(0, h * 0.36, w, h * 0.28), Qt::white);
        p.fillRect(QRectF(w * 0.45, 0, w * 0.1, h), QColor(0xc8, 0x10, 0x2e));
        p.fillRect(QRectF(0, h * 0.4, w, h * 0.2), QColor(0xc8, 0x10, 0x2e));
        break;
    }
    case 2: // France.
        vertical(QColor(0x00, 0x23, 0x95), Qt::white, QColor(0xed, 0x29, 0x39));
        break;
    case 3: // Germany.
        p.fillRect(QRectF(0, 0, w, h / 3.0), Qt::black);
        p.fillRect(QRectF(0, h / 3.0, w, h / 3.0), QColor(0xdd, 0x00, 0x00));
        p.fillRect(QRectF(0, 2 * h / 3.0, w, h - 2 * h / 3.0), QColor(0xff, 0xce, 0x00));
        break;
    case 4: // Italy.
        vertical(QColor(0x00, 0x92, 0x46), Qt::white, vermelho);
        break;
    case 5: // Spain.
        p.fillRect(QRectF(0, 0, w, h), QColor(0xaa, 0x15, 0x1b));
        p.fillRect(QRectF(0, h / 4.0, w, h / 2.0), QColor(0xf1, 0xbf, 0x00));
        break;
    default:
        break;
    }
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    return pm;
}

QLabel *Faixa(const QString &texto, QWidget *pai, qreal escala, int margem) {
    auto *faixa = new QLabel(texto, pai);
    QFont fonte = faixa->font();
    fonte.setBold(true);
    if (escala != 1.0) fonte.setPointSizeF(fonte.pointSizeF() * escala);
    faixa->setFont(fonte);
    faixa->setAutoFillBackground(true);
    QPalette paleta = faixa->palette();
    paleta.setColor(QPalette::Window, CorFaixa());
    paleta.setColor(QPalette::WindowText, Qt::white);
    faixa->setPalette(paleta);
    faixa->setContentsMargins(12, margem, 12, margem);
    return faixa;
}

} // namespace Figuras
