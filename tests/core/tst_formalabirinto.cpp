#include "core/TFormaLabirinto.h"
#include "core/TLabirinto.h"

#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

Q_DECLARE_METATYPE(TTipoLabirinto)

// What a maze's name says: kinds, built-in mazes, and the squares that the
// recording's mask and the analyses' lists take from the same place.
class TstFormaLabirinto : public QObject {
    Q_OBJECT

private slots:
    // Kind by the start, kind by the word before "(", built-in, regions,
    // own list.
    void nomes_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<TTipoLabirinto>("tipo");
        QTest::addColumn<TTipoLabirinto>("palavra");
        QTest::addColumn<QString>("fatos"); // built-in, regions, own list: 1 or 0
        using T = TTipoLabirinto;
        QTest::newRow("CRUZ (5)") << "CRUZ (5)" << T::Cruz << T::Cruz << "111";
        QTest::newRow("CRUZ (7)") << "CRUZ (7)" << T::Cruz << T::Cruz << "000";
        QTest::newRow("CRUZ") << "CRUZ" << T::Cruz << T::Desconhecido << "000";
        QTest::newRow("CRUZX (3)") << "CRUZX (3)" << T::Cruz << T::Desconhecido << "000";
        QTest::newRow("CRUZ (3) ") << "CRUZ (3) " << T::Cruz << T::Cruz << "000";
        QTest::newRow("cruz (3)") << "cruz (3)" << T::Desconhecido << T::Desconhecido << "000";
        QTest::newRow("EM I (3)") << "EM I (3)" << T::EmI << T::EmI << "111";
        QTest::newRow("EM I(5)") << "EM I(5)" << T::EmI << T::Desconhecido << "000";
        QTest::newRow("EM T (5)") << "EM T (5)" << T::EmT << T::EmT << "101";
        QTest::newRow("ARENA (6x6)") << "ARENA (6x6)" << T::Arena << T::Arena << "110";
        QTest::newRow("ARENA (4x4)") << "ARENA (4x4)" << T::Arena << T::Arena << "100";
        QTest::newRow("ARENA (5x3)") << "ARENA (5x3)" << T::Arena << T::Arena << "000";
        QTest::newRow("ARENA(6x6)") << "ARENA(6x6)" << T::Arena << T::Desconhecido << "000";
        QTest::newRow("empty") << "" << T::Desconhecido << T::Desconhecido << "000";
    }
    void nomes() {
        QFETCH(QString, nome);
        QFETCH(TTipoLabirinto, tipo);
        QFETCH(TTipoLabirinto, palavra);
        QFETCH(QString, fatos);
        const TFormaLabirinto f(nome);
        QCOMPARE(f.Tipo(), tipo);
        QCOMPARE(TLabirinto::TipoDoNome(nome), tipo);
        QCOMPARE(f.TipoDaPalavra(), palavra);
        const QString obtido = QString::number(f.Embutido()) + QString::number(f.TemRegioes()) +
                               QString::number(f.TemListaPropria());
        QCOMPARE(obtido, fatos);
        QCOMPARE(f.Quadrados().isEmpty(), !f.TemListaPropria());
    }

    // Every built-in maze as the shipped library draws it has exactly the
    // squares its analysis list names (an arena's list from its size).
    void mascaraIgualALista_data() {
        QTest::addColumn<QString>("nome");
        for (const char *n : {"CRUZ (3)", "CRUZ (5)", "CRUZ (6)", "EM I (3)", "EM I (5)",
                              "EM T (5)", "ARENA (4x4)", "ARENA (6x6)"})
            QTest::newRow(n) << QString::fromLatin1(n);
    }
    void mascaraIgualALista() {
        QFETCH(QString, nome);
        QTemporaryDir dir;
        QVERIFY(QFile::copy(QStringLiteral(TREVALIN_RESOURCES "/Labirintos.ini"),
                            dir.filePath("Labirintos.ini")));
        TLabirinto lab(dir.path() + QLatin1Char('/'));
        QVERIFY(lab.CarregarDoArquivo(nome, QString(), nullptr));
        lab.Desenhar(nome);
        QStringList mascara;
        for (int c = 0; c < int(lab.Grade.size()); ++c)
            for (int r = 0; r < int(lab.Grade[c].size()); ++r)
                if (lab.Grade[c][r]) mascara << TLabirinto::NomeQuadrado(c, r);

        const TFormaLabirinto f(nome);
        QVERIFY(f.Embutido());
        int colunas = 0, linhas = 0;
        const QStringList lista =
            f.Tipo() == TTipoLabirinto::Arena && f.DimensoesArena(&colunas, &linhas)
                ? TFormaLabirinto::QuadradosArena(colunas, linhas)
                : f.Quadrados();
        QStringList ordenada = lista;
        std::sort(mascara.begin(), mascara.end());
        std::sort(ordenada.begin(), ordenada.end());
        QCOMPARE(mascara, ordenada);
        QCOMPARE(QSet<QString>(lista.cbegin(), lista.cend()).size(), lista.size());
    }

    // Layouts on other sizes: the T maze keeps its shape, a cross of unequal
    // sides puts each arm in its own middle, the crossing square once.
    void posicoes() {
        auto nomes = [](const QList<QPoint> &p) {
            QStringList r;
            for (const QPoint &q : p)
                r << TLabirinto::NomeQuadrado(q.x(), q.y());
            return r.join(' ');
        };
        QCOMPARE(nomes(TFormaLabirinto("EM T (5)").Posicoes(8, 4, 1)),
                 "A1 B1 C1 D1 E1 F1 G1 H1 I1 J1 K1 F2 F3 F4 F5 F6");
        QCOMPARE(nomes(TFormaLabirinto("CRUZ (x)").Posicoes(7, 5, 1)),
                 "D1 D2 D3 D4 D5 A3 B3 C3 E3 F3 G3");
        QCOMPARE(nomes(TFormaLabirinto("EM I (2)").Posicoes(4, 3, 0)), "A1 B1 C1 D1");
        QCOMPARE(nomes(TFormaLabirinto("ARENA (2x2)").Posicoes(2, 2, 0)), "A1 B1 A2 B2");
        QVERIFY(TFormaLabirinto("LABIRINTO").Posicoes(5, 5, 1).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstFormaLabirinto)
#include "tst_formalabirinto.moc"
