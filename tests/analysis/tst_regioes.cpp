#include "AmbienteAnalise.h"
#include "analysis/Regioes.h"
#include "analysis/TDados.h"

#include <QTest>

#include <functional>

using Teste = std::function<bool(const QString &, const QString &)>;
Q_DECLARE_METATYPE(Teste)

namespace {

QStringList lista(const char *nomes) {
    return QString::fromLatin1(nomes).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QStringList todos(const QString &labirinto) {
    return labirinto == QLatin1String("ARENA (6x6)") ? Regioes::QuadradosArena(6, 6)
                                                     : Regioes::Quadrados(labirinto);
}

} // namespace

class TstRegioes : public QObject {
    Q_OBJECT

private slots:
    void listas_data() {
        QTest::addColumn<QString>("labirinto");
        QTest::addColumn<QStringList>("quadrados");
        QTest::newRow("CRUZ (3)") << "CRUZ (3)" << lista("D1 D2 D3 D4 D5 D6 D7 A4 B4 C4 E4 F4 G4");
        QTest::newRow("CRUZ (5)") << "CRUZ (5)"
                                  << lista("F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 A6 B6 C6 D6 E6 "
                                           "G6 H6 I6 J6 K6");
        QTest::newRow("CRUZ (6)") << "CRUZ (6)"
                                  << lista("G1 G2 G3 G4 G5 G6 G7 G8 G9 G10 G11 G12 G13 A7 B7 C7 "
                                           "D7 E7 F7 H7 I7 J7 K7 L7 M7");
        QTest::newRow("EM I (5)") << "EM I (5)" << lista("A1 B1 C1 D1 E1 F1 G1 H1 I1 J1");
        QTest::newRow("EM I (3)") << "EM I (3)" << lista("A1 B1 C1 D1 E1 F1");
        QTest::newRow("EM T (5)") << "EM T (5)"
                                  << lista("A1 B1 C1 D1 E1 F1 G1 H1 I1 J1 K1 F2 F3 F4 F5 F6");
        QTest::newRow("ARENA (6x6) has none of its own") << "ARENA (6x6)" << QStringList();
        QTest::newRow("letter case") << "cruz (3)" << QStringList();
    }
    void listas() {
        QFETCH(QString, labirinto);
        QFETCH(QStringList, quadrados);
        QCOMPARE(Regioes::Quadrados(labirinto), quadrados);
        QCOMPARE(Regioes::TemListaPropria(labirinto), !quadrados.isEmpty());
    }

    void dimensoesArena() {
        int c = 0, r = 0;
        QVERIFY(Regioes::DimensoesArena(QStringLiteral("ARENA (15x4)"), &c, &r));
        QCOMPARE(c, 15);
        QCOMPARE(r, 4);
        for (const char *ruim : {"ARENA", "ARENA (x)", "ARENA (6X6)", "ARENA (0x3)",
                                 "ARENA (3x300)", "ARENA (ax3)", "CRUZ (6x6)"})
            QVERIFY2(!Regioes::DimensoesArena(QString::fromLatin1(ruim), &c, &r), ruim);
    }

    // Every test is true for exactly the squares its table lists.
    void testes_data() {
        QTest::addColumn<Teste>("teste");
        QTest::addColumn<QString>("labirinto");
        QTest::addColumn<QStringList>("verdadeiros");
        const Teste aberto = Regioes::BracoAberto, norte = Regioes::BracoNorte,
                    oeste = Regioes::BracoOeste, centro = Regioes::Centro,
                    ponta = Regioes::Extremidade, centroA = Regioes::CentroArena,
                    periferia = Regioes::PeriferiaArena, canto = Regioes::CantoArena,
                    abertoI = Regioes::BracoAbertoI, pontaI = Regioes::ExtremidadeI;
        QTest::newRow("BracoAberto 3") << aberto << "CRUZ (3)" << lista("D1 D2 D3 D5 D6 D7");
        QTest::newRow("BracoAberto 5")
            << aberto << "CRUZ (5)" << lista("F1 F2 F3 F4 F5 F7 F8 F9 F10 F11");
        QTest::newRow("BracoAberto 6")
            << aberto << "CRUZ (6)" << lista("G1 G2 G3 G4 G5 G6 G8 G9 G10 G11 G12 G13");
        QTest::newRow("BracoNorte 3") << norte << "CRUZ (3)" << lista("D1 D2 D3");
        QTest::newRow("BracoNorte 5") << norte << "CRUZ (5)" << lista("F1 F2 F3 F4 F5");
        QTest::newRow("BracoNorte 6") << norte << "CRUZ (6)" << lista("G1 G2 G3 G4 G5 G6");
        QTest::newRow("BracoOeste 3") << oeste << "CRUZ (3)" << lista("A4 B4 C4");
        QTest::newRow("BracoOeste 5") << oeste << "CRUZ (5)" << lista("A6 B6 C6 D6 E6");
        QTest::newRow("BracoOeste 6") << oeste << "CRUZ (6)" << lista("A7 B7 C7 D7 E7 F7");
        QTest::newRow("Centro 3") << centro << "CRUZ (3)" << lista("D4");
        QTest::newRow("Centro 5") << centro << "CRUZ (5)" << lista("F6");
        QTest::newRow("Centro 6") << centro << "CRUZ (6)" << lista("G7");
        QTest::newRow("Extremidade 3") << ponta << "CRUZ (3)" << lista("D1 D7 A4 G4");
        QTest::newRow("Extremidade 5") << ponta << "CRUZ (5)" << lista("F1 F2 F10 F11 A6 B6 J6 K6");
        QTest::newRow("Extremidade 6") << ponta << "CRUZ (6)" << lista("G1 G2 G12 G13 A7 B7 L7 M7");
        QTest::newRow("CentroArena") << centroA << "ARENA (6x6)" << lista("C3 C4 D3 D4");
        QTest::newRow("PeriferiaArena")
            << periferia << "ARENA (6x6)"
            << lista("A1 B1 C1 D1 E1 F1 A6 B6 C6 D6 E6 F6 A2 A3 A4 A5 F2 F3 F4 F5");
        QTest::newRow("CantoArena") << canto << "ARENA (6x6)" << lista("A1 F1 A6 F6");
        QTest::newRow("BracoAbertoI 5") << abertoI << "EM I (5)" << lista("F1 G1 H1 I1 J1");
        QTest::newRow("BracoAbertoI 3") << abertoI << "EM I (3)" << lista("D1 E1 F1");
        QTest::newRow("ExtremidadeI 5") << pontaI << "EM I (5)" << lista("A1 B1 I1 J1");
        QTest::newRow("ExtremidadeI 3") << pontaI << "EM I (3)" << lista("A1 F1");
    }
    void testes() {
        QFETCH(Teste, teste);
        QFETCH(QString, labirinto);
        QFETCH(QStringList, verdadeiros);
        QStringList obtidos;
        for (const QString &q : todos(labirinto))
            if (teste(q, labirinto)) obtidos << q;
        std::sort(obtidos.begin(), obtidos.end());
        std::sort(verdadeiros.begin(), verdadeiros.end());
        QCOMPARE(obtidos, verdadeiros);
        // Squares of the maze only; names that merely look alike fail.
        QVERIFY(!teste(QStringLiteral("Z9"), labirinto));
        QVERIFY(!teste(QString(), labirinto));
        for (const char *outro : {"EM T (5)", "ARENA (4x4)", "", "cruz (3)", "CRUZ  (3)",
                                  "CRUZ (3) ", "arena (6x6)", "EM I(5)"})
            for (const QString &q : verdadeiros)
                QVERIFY2(!teste(q, QString::fromLatin1(outro)), outro);
    }

    void acumularRegioes() {
        AmbienteAnalise::Ambiente a(QStringLiteral("CRUZ (3)"), 300, {{1, "A"}});
        const QStringList passos = lista("D4 D3 D2 D3 D4 C4 B4 A4");
        a.registro(QStringLiteral("r.tvl"),
                   AmbienteAnalise::caminho(passos, 10000, 300000) +
                       AmbienteAnalise::linha("C4", "A", 55000, 65000, 1, 1) +
                       AmbienteAnalise::linha("C4", "A", 60000, 65000, 2, 0) +
                       AmbienteAnalise::linha("A4", "A", 400000, 400001, 7, 1));
        TDados d;
        d.InserirGrupo("g", {"r.tvl"});
        TDados::Execucao e;
        d.PrepararArquivo(*a.u, 0, 0, e);
        d.AcumularRegioes(QStringLiteral("CRUZ (3)"));
        auto q = [&](const char *nome) { return d.Quadrados.indexOf(QLatin1String(nome)); };
        auto soma = [&](const char *nome, qint64 TCelulaMinuto::*campo, int b = 0) {
            qint64 s = 0;
            for (int m = 0; m < d.Minutos; ++m)
                s += d.TabelaMinutos(b, q(nome), m).*campo;
            return s;
        };
        // Region entries: D4 (first placement), D3 (from the centre), D4 (back
        // to the centre) and C4 (into the closed arm); D2 and the second D3
        // stay in the open arm, B4 and A4 in the closed one.
        QCOMPARE(soma("D4", &TCelulaMinuto::SomaFrequencia), qint64(2));
        QCOMPARE(soma("D3", &TCelulaMinuto::SomaFrequencia), qint64(1));
        QCOMPARE(soma("D2", &TCelulaMinuto::SomaFrequencia), qint64(0));
        QCOMPARE(soma("C4", &TCelulaMinuto::SomaFrequencia), qint64(1));
        QCOMPARE(soma("B4", &TCelulaMinuto::SomaFrequencia), qint64(0));
        QCOMPARE(soma("A4", &TCelulaMinuto::SomaFrequencia), qint64(0));
        QCOMPARE(soma("D3", &TCelulaMinuto::Ocorrencias), qint64(2));
        // One arrival at an arm end, in minute 1 (A4 entered at 70 s: minute 2).
        QCOMPARE(soma("A4", &TCelulaMinuto::EntradasExtremidade), qint64(1));
        QCOMPARE(d.TabelaMinutos(0, q("A4"), 1).EntradasExtremidade, qint64(1));
        QCOMPARE(soma("D1", &TCelulaMinuto::EntradasExtremidade), qint64(0));
        // The last stay lasts to the session end, cut at every minute.
        QCOMPARE(soma("A4", &TCelulaMinuto::SomaDuracao), qint64(300000 - 70000));
        QCOMPARE(d.TabelaMinutos(0, q("A4"), 4).SomaDuracao, qint64(60000));
        // Other behaviours: the plain sums; the row of minute 7 has no cell.
        QCOMPARE(soma("C4", &TCelulaMinuto::SomaFrequencia, 1), qint64(1));
        QCOMPARE(soma("C4", &TCelulaMinuto::SomaDuracao, 1), qint64(15000));
        QCOMPARE(soma("C4", &TCelulaMinuto::Ocorrencias, 1), qint64(1));
        QCOMPARE(soma("A4", &TCelulaMinuto::SomaDuracao, 1), qint64(0));
        QCOMPARE(soma("C4", &TCelulaMinuto::EntradasExtremidade, 1), qint64(0));

        // The same record judged by an I maze, which has none of these
        // squares: only the first placement is an entry.
        d.AcumularRegioes(QStringLiteral("EM I (3)"));
        qint64 entradas = 0;
        for (int i = 0; i < d.QdeQuadrados(); ++i)
            for (int m = 0; m < d.Minutos; ++m)
                entradas += d.TabelaMinutos(0, i, m).SomaFrequencia;
        QCOMPARE(entradas, qint64(1));
    }
};

QTEST_GUILESS_MAIN(TstRegioes)
#include "tst_regioes.moc"
