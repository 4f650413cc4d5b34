#include "AmbienteAnalise.h"
#include "analysis/Regioes.h"
#include "analysis/TDados.h"

#include <QTest>

using namespace AmbienteAnalise;

namespace {

// The region tests and the letters that mark their squares in the maps below.
const struct {
    char letra;
    bool (*teste)(const QString &, const QString &);
} kTestes[] = {
    {'a', Regioes::BracoAberto},    {'n', Regioes::BracoNorte},  {'o', Regioes::BracoOeste},
    {'c', Regioes::Centro},         {'e', Regioes::Extremidade}, {'C', Regioes::CentroArena},
    {'P', Regioes::PeriferiaArena}, {'K', Regioes::CantoArena},  {'i', Regioes::BracoAbertoI},
    {'x', Regioes::ExtremidadeI},
};

} // namespace

class TstRegioes : public QObject {
    Q_OBJECT

private slots:
    // Every square of the maze in list order, with the letters of the tests
    // true for it: a open arm, n north arm, o west arm, c centre, e arm end;
    // i open half and x end of the I maze; C centre, P periphery and K corner
    // of the 6 x 6 arena, which has no list of its own (row by row here).
    void regioes_data() {
        QTest::addColumn<QString>("labirinto");
        QTest::addColumn<QString>("mapa");
        QTest::newRow("CRUZ (3)") << "CRUZ (3)"
                                  << "D1:ane D2:an D3:an D4:c D5:a D6:a D7:ae A4:oe B4:o C4:o E4 "
                                     "F4 G4:e";
        QTest::newRow("CRUZ (5)") << "CRUZ (5)"
                                  << "F1:ane F2:ane F3:an F4:an F5:an F6:c F7:a F8:a F9:a F10:ae "
                                     "F11:ae A6:oe B6:oe C6:o D6:o E6:o G6 H6 I6 J6:e K6:e";
        QTest::newRow("CRUZ (6)") << "CRUZ (6)"
                                  << "G1:ane G2:ane G3:an G4:an G5:an G6:an G7:c G8:a G9:a G10:a "
                                     "G11:a G12:ae G13:ae A7:oe B7:oe C7:o D7:o E7:o F7:o H7 I7 "
                                     "J7 K7 L7:e M7:e";
        QTest::newRow("EM I (3)") << "EM I (3)"
                                  << "A1:x B1 C1 D1:i E1:i F1:ix";
        QTest::newRow("EM I (5)") << "EM I (5)"
                                  << "A1:x B1:x C1 D1 E1 F1:i G1:i H1:i I1:ix J1:ix";
        QTest::newRow("EM T (5)") << "EM T (5)"
                                  << "A1 B1 C1 D1 E1 F1 G1 H1 I1 J1 K1 F2 F3 F4 F5 F6";
        QTest::newRow("ARENA (6x6)")
            << "ARENA (6x6)"
            << "A1:PK B1:P C1:P D1:P E1:P F1:PK A2:P B2 C2 D2 E2 F2:P A3:P B3 C3:C D3:C E3 F3:P "
               "A4:P B4 C4:C D4:C E4 F4:P A5:P B5 C5 D5 E5 F5:P A6:PK B6:P C6:P D6:P E6:P F6:PK";
        QTest::newRow("letter case") << "cruz (3)"
                                     << "";
    }
    void regioes() {
        QFETCH(QString, labirinto);
        QFETCH(QString, mapa);
        const QStringList esperado = mapa.split(' ', Qt::SkipEmptyParts);
        QStringList quadrados, obtido;
        for (const QString &q : esperado)
            quadrados << q.section(':', 0, 0);
        const bool arena = labirinto.startsWith("ARENA");
        const TFormaLabirinto forma(labirinto);
        QCOMPARE(forma.Quadrados(), arena ? QStringList() : quadrados);
        QCOMPARE(forma.TemListaPropria(), !arena && !quadrados.isEmpty());
        if (arena) QCOMPARE(TFormaLabirinto::QuadradosArena(6, 6), quadrados);
        for (const QString &q : quadrados) {
            QString letras;
            for (const auto &t : kTestes)
                if (t.teste(q, labirinto)) letras += t.letra;
            obtido << (letras.isEmpty() ? q : q + ':' + letras);
        }
        QCOMPARE(obtido, esperado);
        // Squares of a maze with regions only; names that merely look alike
        // fail.
        for (const auto &t : kTestes) {
            QVERIFY(!t.teste("Z9", labirinto) && !t.teste(QString(), labirinto));
            for (const char *outro : {"EM T (5)", "ARENA (4x4)", "", "cruz (3)", "CRUZ  (3)",
                                      "CRUZ (3) ", "arena (6x6)", "EM I(5)"})
                for (const QString &q : quadrados)
                    QVERIFY2(!t.teste(q, outro), outro);
        }
    }

    void dimensoesArena() {
        int c = 0, r = 0;
        QVERIFY(TFormaLabirinto(QStringLiteral("ARENA (15x4)")).DimensoesArena(&c, &r));
        QCOMPARE(qMakePair(c, r), qMakePair(15, 4));
        for (const char *ruim : {"ARENA", "ARENA (x)", "ARENA (6X6)", "ARENA (0x3)",
                                 "ARENA (3x300)", "ARENA (ax3)", "CRUZ (6x6)"})
            QVERIFY2(!TFormaLabirinto(QString::fromLatin1(ruim)).DimensoesArena(&c, &r), ruim);
    }

    // The cross example, with a behaviour A at C4 over two minutes and a row
    // of minute 7 that has no cell.
    void acumularRegioes() {
        Ambiente a(QStringLiteral("CRUZ (3)"), {{1, "A"}});
        a.registro("r.tvl", caminho("D4 D3 D2 D3 D4 C4 B4 A4", 10000, 300000) +
                                linha("C4", "A", 55000, 65000, 1, 1) +
                                linha("C4", "A", 60000, 65000, 2, 0) +
                                linha("A4", "A", 400000, 400001, 7, 1));
        TDados d;
        d.InserirGrupo("g", {"r.tvl"});
        TDados::Execucao e;
        d.PrepararArquivo(*a.u, 0, 0, e);
        d.AcumularRegioes(QStringLiteral("CRUZ (3)"));
        // Region entries: D4 (first placement), D3 (from the centre), D4 (back
        // to the centre) and C4 (into the closed arm); D2 and the second D3
        // stay in the open arm, B4 and A4 in the closed one; one arrival at an
        // arm end. The last stay lasts to the session end, cut at every
        // minute. Other behaviours: the plain sums.
        QCOMPARE(celulas(d), "D2/ENTRADA/1:10,0,0,1 D3/ENTRADA/1:20,1,0,2 D4/ENTRADA/1:20,2,0,2 "
                             "A4/ENTRADA/2:50,0,1,1 A4/ENTRADA/3:60,0,0,0 A4/ENTRADA/4:60,0,0,0 "
                             "A4/ENTRADA/5:60,0,0,0 B4/ENTRADA/2:10,0,0,1 C4/ENTRADA/1:10,1,0,1 "
                             "C4/A/1:10,1,0,1 C4/A/2:5,0,0,0");
        // Judged by an I maze, which has none of these squares: only the
        // first placement is an entry.
        d.AcumularRegioes(QStringLiteral("EM I (3)"));
        QCOMPARE(celulas(d), "D2/ENTRADA/1:10,0,0,1 D3/ENTRADA/1:20,0,0,2 D4/ENTRADA/1:20,1,0,2 "
                             "A4/ENTRADA/2:50,0,0,1 A4/ENTRADA/3:60,0,0,0 A4/ENTRADA/4:60,0,0,0 "
                             "A4/ENTRADA/5:60,0,0,0 B4/ENTRADA/2:10,0,0,1 C4/ENTRADA/1:10,0,0,1 "
                             "C4/A/1:10,1,0,1 C4/A/2:5,0,0,0");
    }
};

QTEST_GUILESS_MAIN(TstRegioes)
#include "tst_regioes.moc"
