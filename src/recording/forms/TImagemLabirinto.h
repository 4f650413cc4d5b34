#pragma once

#include <QWidget>

class TDesenho;

// The maze picture of the session window ("Image"): paints a TDesenho
// stretched to the control, and turns a click into a point of the drawing
// (0 to TDesenho::Lado on each axis) whatever the control's size.
//
// Repaints are asked for by the owner: the whole picture after a drawing
// (Redesenhar), or only the area of one square after it was painted
// (QuadradoAlterado), so a move costs the two squares it changes, not the
// maze. A paint draws only the figures that meet the area being repainted.
class TImagemLabirinto : public QWidget {
    Q_OBJECT
public:
    // The picture must outlive the control.
    explicit TImagemLabirinto(const TDesenho &desenho, QWidget *parent = nullptr);

    void Redesenhar();
    void QuadradoAlterado(int coluna, int linha);

signals:
    // Left click at that point of the drawing.
    void Clicado(QPointF pontoDesenho);

protected:
    void paintEvent(QPaintEvent *evento) override;
    void mousePressEvent(QMouseEvent *evento) override;

private:
    const TDesenho &m_desenho;
};
