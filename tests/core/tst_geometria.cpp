#include "core/TDesenho.h"
#include "core/TLabirinto.h"

#include <QtTest>

Q_DECLARE_METATYPE(TRetangulo)

namespace QTest {
template <> char *toString(const TRetangulo &r) {
    return qstrdup(QStringLiteral("(%1, %2, %3, %4)")
                       .arg(r.esquerda).arg(r.topo).arg(r.direita).arg(r.base)
                       .toLatin1().constData());
}
} // namespace QTest

// Drawing geometry, closed-arm bands, square names, the picture model and
// the mapping of clicks to squares. Mazes are set up field by field, as the
// library would load them: x y l tq tc d b1 b2 b3 b4.
using Campos = QVector<int>;

static void definir(TLabirinto &lab, const Campos &v) {
    lab.QuadradosEmX = v[0];
    lab.QuadradosEmY = v[1];
    lab.ComprimentoDoBraco = v[2];
    lab.TemQuadradoCentral = v[3];
    lab.TemCentro = v[4];
    lab.Desloca = v[5];
    lab.BracoQuadrante1 = v[6];
    lab.BracoQuadrante2 = v[7];
    lab.BracoQuadrante3 = v[8];
    lab.BracoQuadrante4 = v[9];
}
static Campos arena(int c, int r) { return {c, r, c / 2, c % 2, 0, r, 1, 0, 1, 0}; }

class TstGeometria : public QObject {
    Q_OBJECT

private slots:
    void geometria_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("s");
        QTest::addColumn<int>("x0");
        QTest::addColumn<int>("y0");
        QTest::newRow("cruz 7x7") << 7 << 7 << 52 << 11 << 11;
        QTest::newRow("cruz 11x11") << 11 << 11 << 32 << 17 << 17;
        QTest::newRow("cruz 13x13") << 13 << 13 << 27 << 18 << 18;
        QTest::newRow("I 6x1") << 6 << 1 << 61 << 10 << 162;
        QTest::newRow("I 10x1 (38.5 -> 38)") << 10 << 1 << 35 << 18 << 176;
        QTest::newRow("T 11x6") << 11 << 6 << 32 << 17 << 97;
        QTest::newRow("arena 4x4") << 4 << 4 << 93 << 7 << 7;
        QTest::newRow("arena 6x6") << 6 << 6 << 61 << 10 << 10;
        QTest::newRow("arena 15x15") << 15 << 15 << 23 << 20 << 20;
    }
    void geometria() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, s);
        QFETCH(int, x0);
        QFETCH(int, y0);
        int ss = -1, xx = -1, yy = -1;
        QVERIFY(TLabirinto::CalcularGeometria(x, y, &ss, &xx, &yy));
        QCOMPARE((QList<int>{ss, xx, yy}), (QList<int>{s, x0, y0}));

        // Desenhar sets the same values and leaves the animal's pixel origin there.
        TLabirinto lab(QStringLiteral("/nao/existe/"));
        definir(lab, arena(x, y));
        lab.PosX = lab.PosY = 999;
        lab.Desenhar(QStringLiteral("ARENA"));
        QCOMPARE((QList<int>{lab.TamanhoQuadrado, lab.OrigemX, lab.OrigemY, lab.PosX, lab.PosY}),
                 (QList<int>{s, x0, y0, x0, y0}));
        QCOMPARE(lab.RetanguloQuadrado(2, 3),
                 (TRetangulo{x0 + s, y0 + 2 * s, x0 + 2 * s, y0 + 3 * s}));
    }

    // Drawing such a maze neither divides by zero nor allocates the
    // impossible: background only, no squares, every click refused.
    void geometriaImpossivel_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("0x0") << 0 << 0;
        QTest::newRow("5x0") << 5 << 0;
        QTest::newRow("negativo") << -3 << 4;
        QTest::newRow("27 colunas") << 27 << 4;
        QTest::newRow("enorme") << 2147483647 << 2147483647;
    }
    void geometriaImpossivel() {
        QFETCH(int, x);
        QFETCH(int, y);
        int s = -1, x0 = -1, y0 = -1;
        QVERIFY(!TLabirinto::CalcularGeometria(x, y, &s, &x0, &y0));
        QCOMPARE(s, 0);
        TLabirinto lab(QStringLiteral("/nao/existe/"));
        definir(lab, arena(x, y));
        QVERIFY(!lab.Desenhavel());
        lab.Desenhar(QStringLiteral("ARENA (4x4)"));
        QCOMPARE(lab.TamanhoQuadrado, 0);
        QVERIFY(lab.Imagem.Figuras().isEmpty());
        QCOMPARE(lab.Imagem.Fundo(), TCor::Fundo());
        QVERIFY(lab.Grade.size() <= size_t(TLabirinto::MaximoQuadrados + 2));
        for (const auto &coluna : lab.Grade)
            for (const quint8 q : coluna)
                QCOMPARE(int(q), 0);
        int c = 0, r = 0;
        QVERIFY(!lab.QuadradoDoClique(100, 100, &c, &r));
        QVERIFY(!lab.Existe(1, 1));
    }

    // Columns beyond 9 take letters, rows keep their digits.
    void nomes() {
        QCOMPARE(TLabirinto::NomeQuadrado(10, 1), QStringLiteral("J1"));
        QCOMPARE(TLabirinto::NomeQuadrado(11, 1), QStringLiteral("K1"));
        QCOMPARE(TLabirinto::NomeQuadrado(7, 13), QStringLiteral("G13"));
        QCOMPARE(TLabirinto::NomeQuadrado(26, 26), QStringLiteral("Z26"));
        QVERIFY(TLabirinto::LetraColuna(0).isEmpty() && TLabirinto::LetraColuna(27).isEmpty());
    }

    // Bands of a 7 x 7 cross (s = 52, x0 = y0 = 11, L = 3, centre square,
    // centre, thickness 1) for every combination of one pair of flags.
    void faixas_data() {
        QTest::addColumn<int>("ba"); // west or north flag
        QTest::addColumn<int>("bb"); // east or south flag
        QTest::addColumn<TRetangulo>("horizontal");
        QTest::addColumn<TRetangulo>("vertical");
        QTest::newRow("ambos") << 1 << 1 << TRetangulo{5, 161, 381, 225}
                               << TRetangulo{161, 5, 225, 381};
        QTest::newRow("so oeste/norte: braco ate o centro")
            << 1 << 0 << TRetangulo{5, 161, 167, 225} << TRetangulo{161, 5, 225, 167};
        QTest::newRow("so leste/sul: centro e braco")
            << 0 << 1 << TRetangulo{167, 161, 381, 225} << TRetangulo{161, 167, 225, 381};
        QTest::newRow("nenhum: largura zero")
            << 0 << 0 << TRetangulo{11, 161, 11, 225} << TRetangulo{161, 11, 225, 11};
    }
    void faixas() {
        QFETCH(int, ba);
        QFETCH(int, bb);
        QFETCH(TRetangulo, horizontal);
        QFETCH(TRetangulo, vertical);
        TLabirinto lab{QString()};
        definir(lab, {7, 7, 3, 1, 1, 1, ba, ba, bb, bb});
        lab.Desenhar(QStringLiteral("CRUZ (3)"));
        QCOMPARE(lab.FaixaHorizontal(), horizontal);
        QCOMPARE(lab.FaixaVertical(), vertical);

        // Bands lie under the squares; a band without area is not in the picture.
        const QVector<TFigura> &f = lab.Imagem.Figuras();
        const int bandas = (ba || bb) ? 2 : 0;
        QCOMPARE(f.size(), bandas + 13);
        for (int i = 0; i < f.size(); ++i) {
            QCOMPARE(f[i].larguraContorno, 4);
            if (i < bandas) {
                QCOMPARE(f[i].preenchimento, TCor::Oliva());
                QCOMPARE(f[i].contorno, TCor::Oliva());
            } else {
                QCOMPARE(f[i].preenchimento, TCor::Branco());
                QCOMPARE(f[i].contorno, TCor::Preto());
                QCOMPARE(f[i].retangulo, lab.RetanguloQuadrado(f[i].coluna, f[i].linha));
            }
        }
    }

    // A user arena's horizontal band frames the whole field 6 pixels out;
    // its vertical band has no area.
    void faixaArena() {
        for (const auto &[c, r] : {std::pair{5, 3}, std::pair{4, 6}}) {
            TLabirinto lab{QString()};
            definir(lab, arena(c, r));
            lab.Desenhar(QStringLiteral("ARENA (x)"));
            const int s = lab.TamanhoQuadrado, x0 = lab.OrigemX, y0 = lab.OrigemY;
            QCOMPARE(lab.FaixaHorizontal(),
                     (TRetangulo{x0 - 6, y0 - 6, x0 + c * s + 6, y0 + r * s + 6}));
            QCOMPARE(lab.FaixaVertical().altura(), 0);
            QCOMPARE(lab.Imagem.Figuras().size(), 1 + c * r);
            QCOMPARE(lab.Imagem.Figuras()[0].retangulo, lab.FaixaHorizontal());
        }
    }

    void redesenhoIgual() {
        TLabirinto lab{QString()};
        definir(lab, {11, 11, 5, 1, 1, 1, 1, 0, 1, 0});
        lab.Desenhar(QStringLiteral("CRUZ (5)"));
        const TDesenho primeiro = lab.Imagem;
        const auto grade = lab.Grade;
        QVERIFY(lab.PintarQuadrado(6, 6, TCor::Vermelho()));
        QVERIFY(lab.Imagem != primeiro);
        lab.Desenhar(QStringLiteral("CRUZ (5)"));
        QVERIFY(lab.Imagem == primeiro);
        QVERIFY(lab.Grade == grade);
    }

    void pintarQuadrado() {
        TLabirinto lab{QString()};
        definir(lab, arena(6, 6));
        lab.Desenhar(QStringLiteral("ARENA (6x6)"));
        int avisos = 0;
        lab.Imagem.aoMudar = [&avisos] { ++avisos; };
        const int figuras = lab.Imagem.Figuras().size();

        // A long session moves the highlight tens of thousands of times: the
        // picture keeps one figure per square.
        for (int i = 0; i < 36000; ++i)
            QVERIFY(lab.PintarQuadrado(1 + i % 6, 1 + (i / 6) % 6,
                                       i % 2 ? TCor::Branco() : TCor::Verde()));
        QCOMPARE(lab.Imagem.Figuras().size(), figuras);
        QCOMPARE(avisos, 36000);
        QVERIFY(lab.PintarQuadrado(3, 4, TCor::Vermelho()));
        QCOMPARE(lab.Imagem.Quadrado(3, 4)->preenchimento, TCor::Vermelho());
        QCOMPARE(lab.Imagem.Quadrado(3, 4)->contorno, TCor::Preto());

        // Squares that are not in the maze are never painted.
        const TDesenho antes = lab.Imagem;
        QVERIFY(!lab.PintarQuadrado(0, 0, TCor::Vermelho()));
        QVERIFY(!lab.PintarQuadrado(7, 1, TCor::Vermelho()));
        QVERIFY(!lab.PintarQuadrado(-1, 2, TCor::Vermelho()));
        QVERIFY(lab.Imagem == antes);
        QCOMPARE(avisos, 36001);
        definir(lab, {11, 6, 5, 1, 0, 1, 0, 0, 0, 1});
        lab.Desenhar(QStringLiteral("EM T (5)"));
        QVERIFY(!lab.PintarQuadrado(1, 2, TCor::Verde()));
        QVERIFY(lab.PintarQuadrado(6, 6, TCor::Verde()));
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
        definir(lab, campos);
        lab.Desenhar(nome);
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
                if (achou) {
                    ++existentes;
                    // Left and top edges belong to the square, right and bottom to the next.
                    QVERIFY(lab.QuadradoDoClique(q.esquerda, q.topo, &cc, &rr));
                    QVERIFY(lab.QuadradoDoClique(q.direita - 0.01, q.base - 0.01, &cc, &rr));
                    QCOMPARE(QPoint(cc, rr), QPoint(c, r));
                    QVERIFY(!lab.QuadradoDoClique(q.direita, q.base, &cc, &rr) ||
                            QPoint(cc, rr) != QPoint(c, r));
                }
                const QPointF p = TDesenho::ParaDesenho(cx * 700 / 385, cy * 500 / 385, 700, 500);
                QCOMPARE(lab.QuadradoDoClique(p.x(), p.y(), &cc, &rr), lab.Existe(c, r));
            }
        }
        int quadrados = 0;
        for (const TFigura &f : lab.Imagem.Figuras())
            quadrados += f.coluna > 0;
        QVERIFY(existentes > 0);
        QCOMPARE(quadrados, existentes);

        // Beside the grid on every side, far away, not a number, no picture area.
        int cc = 0, rr = 0;
        const int x0 = lab.OrigemX, y0 = lab.OrigemY;
        for (const QPointF &p : {QPointF(x0 - 1, y0 + s / 2), QPointF(x0 + s / 2, y0 - 1),
                                 QPointF(x0 + s * lab.QuadradosEmX, y0 + s / 2),
                                 QPointF(x0 + s / 2, y0 + s * lab.QuadradosEmY), QPointF(-5, -5),
                                 QPointF(1e12, 1e12), QPointF(std::nan(""), 10),
                                 TDesenho::ParaDesenho(10, 10, 0, 385)})
            QVERIFY(!lab.QuadradoDoClique(p.x(), p.y(), &cc, &rr));
    }
};

QTEST_GUILESS_MAIN(TstGeometria)
#include "tst_geometria.moc"
