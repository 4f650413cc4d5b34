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
// library would load them.
class TstGeometria : public QObject {
    Q_OBJECT

private:
    static void definir(TLabirinto &lab, int x, int y, int l, int tq, int tc, int d, int b1,
                        int b2, int b3, int b4) {
        lab.QuadradosEmX = x;
        lab.QuadradosEmY = y;
        lab.ComprimentoDoBraco = l;
        lab.TemQuadradoCentral = tq;
        lab.TemCentro = tc;
        lab.Desloca = d;
        lab.BracoQuadrante1 = b1;
        lab.BracoQuadrante2 = b2;
        lab.BracoQuadrante3 = b3;
        lab.BracoQuadrante4 = b4;
    }
    static void arena(TLabirinto &lab, int c, int r) {
        definir(lab, c, r, c / 2, c % 2, 0, r, 1, 0, 1, 0);
    }

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
        QCOMPARE(ss, s);
        QCOMPARE(xx, x0);
        QCOMPARE(yy, y0);

        // Desenhar sets the same values and leaves the animal's pixel origin there.
        TLabirinto lab(QStringLiteral("/nao/existe/"));
        arena(lab, x, y);
        lab.PosX = lab.PosY = 999;
        lab.Desenhar(QStringLiteral("ARENA"));
        QCOMPARE(lab.TamanhoQuadrado, s);
        QCOMPARE(lab.OrigemX, x0);
        QCOMPARE(lab.OrigemY, y0);
        QCOMPARE(lab.PosX, x0);
        QCOMPARE(lab.PosY, y0);
        QCOMPARE(lab.RetanguloQuadrado(2, 3),
                 (TRetangulo{x0 + s, y0 + 2 * s, x0 + 2 * s, y0 + 3 * s}));
    }

    void geometriaImpossivel_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("0x0") << 0 << 0;
        QTest::newRow("0x5") << 0 << 5;
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

        // Drawing such a maze neither divides by zero nor allocates the
        // impossible: background only, no squares, every click refused.
        TLabirinto lab(QStringLiteral("/nao/existe/"));
        arena(lab, x, y);
        QVERIFY(!lab.Desenhavel());
        lab.Desenhar(QStringLiteral("ARENA (4x4)"));
        QCOMPARE(lab.TamanhoQuadrado, 0);
        QVERIFY(lab.Imagem.Figuras().isEmpty());
        QCOMPARE(lab.Imagem.Fundo(), TCor::Fundo());
        QVERIFY(lab.Grade.size() <= size_t(TLabirinto::MaximoQuadrados + 2));
        for (size_t c = 0; c < lab.Grade.size(); ++c)
            for (size_t r = 0; r < lab.Grade[c].size(); ++r)
                QCOMPARE(int(lab.Grade[c][r]), 0);
        int c = 0, r = 0;
        QVERIFY(!lab.QuadradoDoClique(100, 100, &c, &r));
        QVERIFY(!lab.Existe(1, 1));
    }

    void nomes_data() {
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("r");
        QTest::addColumn<QString>("nome");
        QTest::newRow("A1") << 1 << 1 << "A1";
        QTest::newRow("F6") << 6 << 6 << "F6";
        QTest::newRow("J1") << 10 << 1 << "J1";
        QTest::newRow("K1") << 11 << 1 << "K1";
        QTest::newRow("G13") << 7 << 13 << "G13";
        QTest::newRow("O15") << 15 << 15 << "O15";
        QTest::newRow("Z26") << 26 << 26 << "Z26";
    }
    void nomes() {
        QFETCH(int, c);
        QFETCH(int, r);
        QFETCH(QString, nome);
        QCOMPARE(TLabirinto::NomeQuadrado(c, r), nome);
        QVERIFY(TLabirinto::LetraColuna(0).isEmpty());
        QVERIFY(TLabirinto::LetraColuna(27).isEmpty());
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
        definir(lab, 7, 7, 3, 1, 1, 1, ba, ba, bb, bb);
        lab.Desenhar(QStringLiteral("CRUZ (3)"));
        QCOMPARE(lab.FaixaHorizontal(), horizontal);
        QCOMPARE(lab.FaixaVertical(), vertical);

        // Bands lie under the squares; a band without area is not in the picture.
        const QVector<TFigura> &f = lab.Imagem.Figuras();
        const int bandas = (ba || bb) ? 2 : 0;
        QCOMPARE(f.size(), bandas + 13);
        for (int i = 0; i < f.size(); ++i) {
            if (i < bandas) {
                QCOMPARE(f[i].preenchimento, TCor::Oliva());
                QCOMPARE(f[i].contorno, TCor::Oliva());
                QCOMPARE(f[i].larguraContorno, 4);
                QCOMPARE(f[i].coluna, 0);
            } else {
                QCOMPARE(f[i].preenchimento, TCor::Branco());
                QCOMPARE(f[i].contorno, TCor::Preto());
                QCOMPARE(f[i].larguraContorno, 4);
                QCOMPARE(f[i].retangulo, lab.RetanguloQuadrado(f[i].coluna, f[i].linha));
            }
        }
    }

    // A user arena's horizontal band frames the whole field 6 pixels out;
    // its vertical band has no area.
    void faixaArena_data() {
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("r");
        QTest::newRow("1x1") << 1 << 1;
        QTest::newRow("5x3") << 5 << 3;
        QTest::newRow("4x6") << 4 << 6;
        QTest::newRow("6x4") << 6 << 4;
        QTest::newRow("15x15") << 15 << 15;
    }
    void faixaArena() {
        QFETCH(int, c);
        QFETCH(int, r);
        TLabirinto lab{QString()};
        arena(lab, c, r);
        lab.Desenhar(QStringLiteral("ARENA (x)"));
        const int s = lab.TamanhoQuadrado, x0 = lab.OrigemX, y0 = lab.OrigemY;
        QCOMPARE(lab.FaixaHorizontal(), (TRetangulo{x0 - 6, y0 - 6, x0 + c * s + 6, y0 + r * s + 6}));
        QCOMPARE(lab.FaixaVertical().altura(), 0);
        const QVector<TFigura> &f = lab.Imagem.Figuras();
        QCOMPARE(f.size(), 1 + c * r);
        QCOMPARE(f[0].retangulo, lab.FaixaHorizontal());
    }

    void redesenhoIgual() {
        TLabirinto lab{QString()};
        definir(lab, 11, 11, 5, 1, 1, 1, 1, 0, 1, 0);
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
        arena(lab, 6, 6);
        lab.Desenhar(QStringLiteral("ARENA (6x6)"));
        int avisos = 0;
        lab.Imagem.aoMudar = [&avisos] { ++avisos; };
        const int figuras = lab.Imagem.Figuras().size();
        const quint64 versao = lab.Imagem.Versao();

        // A long session moves the highlight tens of thousands of times: the
        // picture keeps one figure per square.
        for (int i = 0; i < 36000; ++i) {
            const int c = 1 + i % 6, r = 1 + (i / 6) % 6;
            QVERIFY(lab.PintarQuadrado(c, r, i % 2 ? TCor::Branco() : TCor::Verde()));
        }
        QCOMPARE(lab.Imagem.Figuras().size(), figuras);
        QCOMPARE(avisos, 36000);
        QCOMPARE(lab.Imagem.Versao(), versao + 36000);

        QVERIFY(lab.PintarQuadrado(3, 4, TCor::Vermelho()));
        QCOMPARE(lab.Imagem.Quadrado(3, 4)->preenchimento, TCor::Vermelho());
        QCOMPARE(lab.Imagem.Quadrado(3, 4)->contorno, TCor::Preto());
        int vermelhos = 0;
        for (const TFigura &f : lab.Imagem.Figuras())
            vermelhos += f.preenchimento == TCor::Vermelho();
        QCOMPARE(vermelhos, 1);

        // Squares that are not in the maze (or bands) are never painted.
        const TDesenho antes = lab.Imagem;
        QVERIFY(!lab.PintarQuadrado(0, 0, TCor::Vermelho()));
        QVERIFY(!lab.PintarQuadrado(7, 1, TCor::Vermelho()));
        QVERIFY(!lab.PintarQuadrado(1, 7, TCor::Vermelho()));
        QVERIFY(!lab.PintarQuadrado(-1, 2, TCor::Vermelho()));
        QVERIFY(lab.Imagem == antes);
        QCOMPARE(avisos, 36001);

        // The T maze has no square at A2.
        definir(lab, 11, 6, 5, 1, 0, 1, 0, 0, 0, 1);
        lab.Desenhar(QStringLiteral("EM T (5)"));
        QVERIFY(!lab.PintarQuadrado(1, 2, TCor::Verde()));
        QVERIFY(lab.PintarQuadrado(6, 6, TCor::Verde()));
    }

    // For every kind: the centre of each existing square selects it, the
    // centre of each missing one selects nothing.
    void clique_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QVector<int>>("campos"); // x y l tq tc d b1 b2 b3 b4
        QTest::newRow("CRUZ (3)") << "CRUZ (3)" << QVector<int>{7, 7, 3, 1, 1, 1, 1, 0, 1, 0};
        QTest::newRow("CRUZ (5)") << "CRUZ (5)" << QVector<int>{11, 11, 5, 1, 1, 1, 1, 0, 1, 0};
        QTest::newRow("CRUZ (6)") << "CRUZ (6)" << QVector<int>{13, 13, 6, 1, 1, 1, 1, 0, 1, 0};
        QTest::newRow("EM I (3)") << "EM I (3)" << QVector<int>{6, 1, 3, 0, 0, 1, 1, 0, 0, 0};
        QTest::newRow("EM I (5)") << "EM I (5)" << QVector<int>{10, 1, 5, 0, 0, 1, 1, 0, 0, 0};
        QTest::newRow("EM T (5)") << "EM T (5)" << QVector<int>{11, 6, 5, 1, 0, 1, 0, 0, 0, 1};
        QTest::newRow("ARENA (4x4)") << "ARENA (4x4)" << QVector<int>{4, 4, 2, 0, 0, 4, 1, 0, 1, 0};
        QTest::newRow("ARENA (15x2)") << "ARENA (15x2)"
                                      << QVector<int>{15, 2, 7, 1, 0, 2, 1, 0, 1, 0};
    }
    void clique() {
        QFETCH(QString, nome);
        QFETCH(QVector<int>, campos);
        TLabirinto lab{QString()};
        definir(lab, campos[0], campos[1], campos[2], campos[3], campos[4], campos[5], campos[6],
                campos[7], campos[8], campos[9]);
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
                if (achou) {
                    ++existentes;
                    QCOMPARE(cc, c);
                    QCOMPARE(rr, r);
                    // The left and top edges belong to the square, the
                    // right and bottom ones to the next.
                    QVERIFY(lab.QuadradoDoClique(q.esquerda, q.topo, &cc, &rr));
                    QCOMPARE(cc, c);
                    QCOMPARE(rr, r);
                    QVERIFY(lab.QuadradoDoClique(q.direita - 0.01, q.base - 0.01, &cc, &rr));
                    QCOMPARE(cc, c);
                    QCOMPARE(rr, r);
                } else {
                    QCOMPARE(cc, -7);
                }
                // The same centre clicked on a picture stretched to 700 x 500.
                const QPointF p = TDesenho::ParaDesenho(cx * 700 / 385, cy * 500 / 385, 700, 500);
                QCOMPARE(lab.QuadradoDoClique(p.x(), p.y(), &cc, &rr), lab.Existe(c, r));
            }
        }
        QVERIFY(existentes > 0);
        int quadrados = 0;
        for (const TFigura &f : lab.Imagem.Figuras())
            quadrados += f.coluna > 0;
        QCOMPARE(quadrados, existentes);

        // Beside the squares: left of and above the grid, right of and below it.
        int cc = 0, rr = 0;
        const int x0 = lab.OrigemX, y0 = lab.OrigemY;
        QVERIFY(!lab.QuadradoDoClique(x0 - 1, y0 + s / 2, &cc, &rr));
        QVERIFY(!lab.QuadradoDoClique(x0 + s / 2, y0 - 1, &cc, &rr));
        QVERIFY(!lab.QuadradoDoClique(x0 + s * lab.QuadradosEmX, y0 + s / 2, &cc, &rr));
        QVERIFY(!lab.QuadradoDoClique(x0 + s / 2, y0 + s * lab.QuadradosEmY, &cc, &rr));
        QVERIFY(!lab.QuadradoDoClique(-5, -5, &cc, &rr));
        QVERIFY(!lab.QuadradoDoClique(1e12, 1e12, &cc, &rr));
        QVERIFY(!lab.QuadradoDoClique(std::nan(""), 10, &cc, &rr));
        const QPointF semArea = TDesenho::ParaDesenho(10, 10, 0, 385);
        QVERIFY(!lab.QuadradoDoClique(semArea.x(), semArea.y(), &cc, &rr));
    }

};

QTEST_GUILESS_MAIN(TstGeometria)
#include "tst_geometria.moc"
