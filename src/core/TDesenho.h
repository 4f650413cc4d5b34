#pragma once

#include <QHash>
#include <QPointF>
#include <QVector>

// A colour of the maze picture: red, green and blue, or the marker "the
// system's button-face colour", which only the window can resolve.
struct TCor {
    int vermelho = 0;
    int verde = 0;
    int azul = 0;
    bool fundoDoSistema = false;

    static constexpr TCor Rgb(int r, int g, int b) { return TCor{r, g, b, false}; }
    static constexpr TCor Fundo() { return TCor{0, 0, 0, true}; }
    static constexpr TCor Branco() { return Rgb(255, 255, 255); }
    static constexpr TCor Preto() { return Rgb(0, 0, 0); }
    // Closed-arm bands.
    static constexpr TCor Oliva() { return Rgb(128, 128, 0); }
    // Current square in the free phase; free-phase start being chosen.
    static constexpr TCor Verde() { return Rgb(0, 128, 0); }
    // Current square otherwise; fixed-phase start being chosen.
    static constexpr TCor Vermelho() { return Rgb(255, 0, 0); }

    bool operator==(const TCor &o) const {
        return fundoDoSistema == o.fundoDoSistema &&
               (fundoDoSistema ||
                (vermelho == o.vermelho && verde == o.verde && azul == o.azul));
    }
    bool operator!=(const TCor &o) const { return !(*this == o); }
};

// A rectangle of the picture by its edges, in pixels of the 385 x 385
// drawing: from (esquerda, topo) to (direita, base). A square of side s has
// direita = esquerda + s.
struct TRetangulo {
    int esquerda = 0;
    int topo = 0;
    int direita = 0;
    int base = 0;

    int largura() const { return direita - esquerda; }
    int altura() const { return base - topo; }
    // True when the point lies in [esquerda, direita) x [topo, base).
    bool contem(double x, double y) const {
        return x >= esquerda && x < direita && y >= topo && y < base;
    }
    bool operator==(const TRetangulo &o) const {
        return esquerda == o.esquerda && topo == o.topo && direita == o.direita && base == o.base;
    }
    bool operator!=(const TRetangulo &o) const { return !(*this == o); }
};

// One filled, outlined rectangle of the picture. The outline is drawn with a
// pen of the given width centred on the rectangle's edges (half of it falls
// outside the rectangle). Squares of the maze carry their column and row
// (1-based); the bands carry 0 for both.
struct TFigura {
    TRetangulo retangulo;
    TCor preenchimento;
    TCor contorno;
    int larguraContorno = 0;
    int coluna = 0;
    int linha = 0;

    bool operator==(const TFigura &o) const {
        return retangulo == o.retangulo && preenchimento == o.preenchimento &&
               contorno == o.contorno && larguraContorno == o.larguraContorno &&
               coluna == o.coluna && linha == o.linha;
    }
    bool operator!=(const TFigura &o) const { return !(*this == o); }
};

// What the maze picture shows, independent of any display: a background
// colour covering the whole 385 x 385 drawing, then the figures painted in
// list order (later ones on top). The maze object fills it; the session
// window paints it, stretched to its picture control, and repaints whenever
// it changes (the session engine's signals say when; Versao tells too).
//
// Painting a square changes that square's figure in place, so the picture
// keeps one figure per square however long a recording lasts.
class TDesenho {
public:
    // Side of the drawing in pixels (the design size of the picture control).
    static constexpr int Lado = 385;

    TDesenho();

    const TCor &Fundo() const { return m_fundo; }
    const QVector<TFigura> &Figuras() const { return m_figuras; }
    // Grows by one at every change; lets a viewer tell whether it is up to date.
    quint64 Versao() const { return m_versao; }

    // Replaces the whole picture (one change notification).
    void Redefinir(const TCor &fundo, const QVector<TFigura> &figuras);

    // The figure of square (coluna, linha), or null when the picture has no
    // such square.
    const TFigura *Quadrado(int coluna, int linha) const;

    // Fills square (coluna, linha) with the colour; its outline stays as it
    // is. False, and nothing changes, when the picture has no such square
    // (a square that does not exist in the maze is never painted).
    bool PintarQuadrado(int coluna, int linha, const TCor &cor);

    // Same background and same figures in the same order.
    bool operator==(const TDesenho &o) const {
        return m_fundo == o.m_fundo && m_figuras == o.m_figuras;
    }
    bool operator!=(const TDesenho &o) const { return !(*this == o); }

    // Turns a point of a picture control of the given size, which shows the
    // drawing stretched to fill it, into drawing coordinates (0 to 385 on
    // each axis). A control with no area gives (-1, -1), which lies outside
    // the drawing.
    static QPointF ParaDesenho(double x, double y, double largura, double altura);

private:
    static quint64 chave(int coluna, int linha) {
        return (static_cast<quint64>(static_cast<quint32>(coluna)) << 32) |
               static_cast<quint32>(linha);
    }
    void mudou();

    TCor m_fundo;
    QVector<TFigura> m_figuras;
    QHash<quint64, int> m_indiceQuadrado; // (coluna, linha) -> index into m_figuras
    quint64 m_versao = 0;
};
