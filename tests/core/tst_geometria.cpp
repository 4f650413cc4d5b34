#include "core/TDesenho.h"
#include "core/TLabirinto.h"

#include <QtTest>

// Drawing geometry, closed-arm bands, square names, the picture model and
// the mapping of clicks to squares. Mazes are set up field by field, as the
// library would load them: x y l tq tc d b1 b2 b3 b4.
using Campos = QVector<int>;

static void desenhar(TLabirinto &lab, const Campos &v, const QString &nome) {
    int TLabirinto::*const campos[] = {
        &TLabirinto::QuadradosEmX,       &TLabirinto::QuadradosEmY,
        &TLabirinto::ComprimentoDoBraco, &TLabirinto::TemQuadradoCentral,
        &TLabirinto::TemCentro,          &TLabirinto::Desloca,
        &TLabirinto::BracoQuadrante1,    &TLabirinto::BracoQuadrante2,
        &TLabirinto::BracoQuadrante3,    &TLabirinto::BracoQuadrante4};
    for (int i = 0; i < 10; ++i)
        lab.*campos[i] = v[i];
    lab.Desenhar(nome);
}
static Campos arena(int c, int r) {
    return {c, r, c / 2, c % 2, 0, r, 1, 0, 1, 0};
}
static Campos ret(const TRetangulo &r) {
    return {r.esquerda, r.topo, r.direita, r.base};
}

class TstGeometria : public QObject {
    Q_OBJECT

private slots:
    // x y -> s x0 y0; "I 10x1": 385 / 10 = 38.5 rounds to 38.
    void geometria_data() {
        QTest::addColumn<Campos>("v");
        for (const Campos &v : {Campos{7, 7, 52, 11, 11},
                                {11, 11, 32, 17, 17},
                                {13, 13, 27, 18, 18},
                                {6, 1, 61, 10, 162},
                                {10, 1, 35, 18, 176},
                                {11, 6, 32, 17, 97},
                                {4, 4, 93, 7, 7},
                                {6, 6, 61, 10, 10},
                                {15, 15, 23, 20, 20}})
            QTest::addRow("%dx%d", v[0], v[1]) << v;
    }
    void geometria() {
        QFETCH(Campos, v);
        int s = -1, x0 = -1, y0 = -1;
        QVERIFY(TLabirinto::CalcularGeometria(v[0], v[1], &s, &x0, &y0));
        QCOMPARE((Campos{s, x0, y0}), v.mid(2));

        // Desenhar sets the same values; square A1 starts at the origin.
        TLabirinto lab(QStringLiteral("/nao/existe/"));
        desenhar(lab, arena(v[0], v[1]), "ARENA");
        const TRetangulo a1 = lab.RetanguloQuadrado(1, 1);
        QCOMPARE((Campos{lab.TamanhoQuadrado, lab.OrigemX, lab.OrigemY, a1.esquerda, a1.topo}),
                 (Campos{s, x0, y0, x0, y0}));
        QCOMPARE(ret(lab.RetanguloQuadrado(2, 3)),
                 (Campos{x0 + s, y0 + 2 * s, x0 + 2 * s, y0 + 3 * s}));
    }

    // Drawing such a maze neither divides by zero nor allocates the
    // impossible: background only, no squares, every click refused.
    void geometriaImpossivel() {
        for (const auto &[x, y] : {std::pair{0, 0}, {5, 0}, {-3, 4}, {27, 4}, {INT_MAX, INT_MAX}}) {
            int s = -1, x0 = -1, y0 = -1;
            QVERIFY(!TLabirinto::CalcularGeometria(x, y, &s, &x0, &y0));
            QCOMPARE(s, 0);
            TLabirinto lab(QStringLiteral("/nao/existe/"));
            desenhar(lab, arena(x, y), "ARENA (4x4)");
            QVERIFY(!lab.Desenhavel());
            QCOMPARE(lab.TamanhoQuadrado, 0);
            QVERIFY(lab.Imagem.Figuras().isEmpty());
            QCOMPARE(lab.Imagem.Fundo(), TCor::Fundo());
            QVERIFY(lab.Grade.size() <= size_t(TLabirinto::MaximoQuadrados + 2));
            for (const auto &coluna : lab.Grade)
                QVERIFY(std::all_of(coluna.begin(), coluna.end(), [](quint8 q) { return !q; }));
            int c = 0, r = 0;
            QVERIFY(!lab.QuadradoDoClique(100, 100, &c, &r));
            QVERIFY(!lab.Existe(1, 1));
        }
    }

    // Columns beyond 9 take letters, rows keep their digits.
    void nomes() {
        QCOMPARE((QStringList{TLabirinto::NomeQuadrado(10, 1), TLabirinto::NomeQuadrado(11, 1),
                              TLabirinto::NomeQuadrado(7, 13), TLabirinto::NomeQuadrado(26, 26)}),
                 (QStringList{"J1", "K1", "G13", "Z26"}));
        QVERIFY(TLabirinto::LetraColuna(0).isEmpty() && TLabirinto::LetraColuna(27).isEmpty());
    }

    // Bands of a 7 x 7 cross (s = 52, x0 = y0 = 11, L = 3, centre square,
    // centre, thickness 1) for each combination of one pair of flags: west
    // (north) only is the arm up to the centre square, east (south) only the
    // centre square and the arm, neither a band of zero width.
    void faixas_data() {
        QTest::addColumn<int>("ba");   // west or north flag
        QTest::addColumn<int>("bb");   // east or south flag
        QTest::addColumn<Campos>("h"); // horizontal band; the vertical one is its mirror
        QTest::newRow("ambos") << 1 << 1 << Campos{5, 161, 381, 225};
        QTest::newRow("so oeste/norte") << 1 << 0 << Campos{5, 161, 167, 225};
        QTest::newRow("so leste/sul") << 0 << 1 << Campos{167, 161, 381, 225};
        QTest::newRow("nenhum") << 0 << 0 << Campos{11, 161, 11, 225};
    }
    void faixas() {
        QFETCH(int, ba);
        QFETCH(int, bb);
        QFETCH(Campos, h);
        TLabirinto lab{QString()};
        desenhar(lab, {7, 7, 3, 1, 1, 1, ba, ba, bb, bb}, "CRUZ (3)");
        QCOMPARE(ret(lab.FaixaHorizontal()), h);
        QCOMPARE(ret(lab.FaixaVertical()), (Campos{h[1], h[0], h[3], h[2]}));

        // Bands lie under the squares; a band without area is not in the picture.
        const QVector<TFigura> &f = lab.Imagem.Figuras();
        const int bandas = (ba || bb) ? 2 : 0;
        QCOMPARE(f.size(), bandas + 13);
        for (int i = 0; i < f.size(); ++i) {
            QCOMPARE(f[i].larguraContorno, 4);
            QCOMPARE(f[i].preenchimento, i < bandas ? TCor::Oliva() : TCor::Branco());
            QCOMPARE(f[i].contorno, i < bandas ? TCor::Oliva() : TCor::Preto());
            if (i >= bandas)
                QCOMPARE(ret(f[i].retangulo), ret(lab.RetanguloQuadrado(f[i].coluna, f[i].linha)));
        }
    }

    // A user arena's horizontal band frames the whole field 6 pixels out;
    // its vertical band has no area.
    void faixaArena() {
        for (const auto &[c, r] : {std::pair{5, 3}, {4, 6}}) {
            TLabirinto lab{QString()};
            desenhar(lab, arena(c, r), "ARENA (x)");
            const int s = lab.TamanhoQuadrado, x0 = lab.OrigemX, y0 = lab.OrigemY;
            QCOMPARE(ret(lab.FaixaHorizontal()),
                     (Campos{x0 - 6, y0 - 6, x0 + c * s + 6, y0 + r * s + 6}));
            QCOMPARE(lab.FaixaVertical().altura(), 0);
            QCOMPARE(lab.Imagem.Figuras().size(), 1 + c * r);
        }
    }

    // Redrawing gives the same picture and mask; painting keeps one figure
    // per square however often the highlight moves, and never paints a
    // square that is not in the maze.
    void pintar() {
        TLabirinto lab{QString()};
        desenhar(lab, {11, 11, 5, 1, 1, 1, 1, 0, 1, 0}, "CRUZ (5)");
        const TDesenho primeiro = lab.Imagem;
        const auto grade = lab.Grade;
        const quint64 versao = lab.Imagem.Versao();
        auto avisos = [&] { return int(lab.Imagem.Versao() - versao); }; // changes told
        for (int i = 0; i < 36000; ++i)
            QVERIFY(lab.PintarQuadrado(6, 1 + i % 11, i % 2 ? TCor::Branco() : TCor::Verde()));
        QCOMPARE(lab.Imagem.Figuras().size(), primeiro.Figuras().size());
        QCOMPARE(avisos(), 36000);
        QVERIFY(lab.PintarQuadrado(3, 6, TCor::Vermelho()));
        QCOMPARE(lab.Imagem.Quadrado(3, 6)->preenchimento, TCor::Vermelho());
        QCOMPARE(lab.Imagem.Quadrado(3, 6)->contorno, TCor::Preto());
        const TDesenho antes = lab.Imagem;
        for (const auto &[c, r] : {std::pair{0, 0}, {5, 5}, {12, 6}, {-1, 6}})
            QVERIFY(!lab.PintarQuadrado(c, r, TCor::Vermelho()));
        QVERIFY(lab.Imagem == antes);
        QCOMPARE(avisos(), 36001);
        lab.Desenhar(QStringLiteral("CRUZ (5)"));
        QVERIFY(lab.Imagem == primeiro);
        QVERIFY(lab.Grade == grade);
    }

    // For every kind: the centre of each existing square selects it (also on
    // a stretched picture), the centre of each missing one selects nothing.
    void clique_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<Campos>("campos");
        QTest::newRow("CRUZ (3)") << "CRUZ (3)" << Campos{7, 7, 3, 1, 1, 1, 1, 0, 1, 0};
        QTest::newRow("EM I (5)") << "EM I (5)" << Campos{10, 1, 5, 0, 0, 1, 1, 0, 0, 0};
        QTest::newRow("EM T (5)") << "EM T (5)" << Campos{11, 6, 5, 1, 0, 1, 0, 0, 0, 1};
        QTest::newRow("ARENA (15x2)") << "ARENA (15x2)" << arena(15, 2);
    }
    void clique() {
        QFETCH(QString, nome);
        QFETCH(Campos, campos);
        TLabirinto lab{QString()};
        desenhar(lab, campos, nome);
        const int s = lab.TamanhoQuadrado;
        int existentes = 0;
        for (int c = 1; c <= lab.QuadradosEmX; ++c) {
            for (int r = 1; r <= lab.QuadradosEmY; ++r) {
                const TRetangulo q = lab.RetanguloQuadrado(c, r);
                const double cx = q.esquerda + s / 2.0, cy = q.topo + s / 2.0;
                int cc = -7, rr = -7;
                const bool achou = lab.QuadradoDoClique(cx, cy, &cc, &rr);
                QCOMPARE(achou, lab.Existe(c, r));
                QCOMPARE(QPoint(cc, rr), achou ? QPoint(c, r) : QPoint(-7, -7));
                const QPointF p = TDesenho::ParaDesenho(cx * 700 / 385, cy * 500 / 385, 700, 500);
                QCOMPARE(lab.QuadradoDoClique(p.x(), p.y(), &cc, &rr), achou);
                if (!achou) continue;
                ++existentes;
                // Left and top edges belong to the square, right and bottom to the next.
                QVERIFY(lab.QuadradoDoClique(q.esquerda, q.topo, &cc, &rr));
                QVERIFY(lab.QuadradoDoClique(q.direita - 0.01, q.base - 0.01, &cc, &rr));
                QCOMPARE(QPoint(cc, rr), QPoint(c, r));
                QVERIFY(!lab.QuadradoDoClique(q.direita, q.base, &cc, &rr) ||
                        QPoint(cc, rr) != QPoint(c, r));
            }
        }
        QVERIFY(existentes > 0);
        QCOMPARE(std::count_if(lab.Imagem.Figuras().begin(), lab.Imagem.Figuras().end(),
                               [](const TFigura &f) { return f.coluna > 0; }),
                 existentes);

        // Beside the grid on every side, far away, not a number, no picture area.
        int cc = 0, rr = 0;
        const int x0 = lab.OrigemX, y0 = lab.OrigemY;
        for (const QPointF &p :
             {QPointF(x0 - 1, y0 + s / 2), QPointF(x0 + s / 2, y0 - 1),
              QPointF(x0 + s * lab.QuadradosEmX, y0 + s / 2),
              QPointF(x0 + s / 2, y0 + s * lab.QuadradosEmY), QPointF(-5, -5), QPointF(1e12, 1e12),
              QPointF(std::nan(""), 10), TDesenho::ParaDesenho(10, 10, 0, 385)})
            QVERIFY(!lab.QuadradoDoClique(p.x(), p.y(), &cc, &rr));
    }
};

QTEST_GUILESS_MAIN(TstGeometria)
#include "tst_geometria.moc"
