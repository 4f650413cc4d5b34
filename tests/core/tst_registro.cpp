#include "core/Arquivos.h"
#include "core/TErro.h"
#include "core/TRegistro.h"
#include "core/TStatus.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// One row as a compact text, so that whole recorders compare in one QCOMPARE:
// "inicio-fim/duracao m<minuto> f<frequencia>".
static QString linha(const TRegistro &r, int i) {
    return QStringLiteral("%1-%2/%3 m%4 f%5")
        .arg(TRegistro::TextoTempo(r.Inicio[i]), TRegistro::TextoTempo(r.Fim[i]),
             TRegistro::TextoTempo(r.Duracao[i]))
        .arg(r.Minuto[i])
        .arg(r.Frequencia[i]);
}

static QStringList linhas(const TRegistro &r) {
    QStringList l;
    for (int i = 0; i < r.Qde; ++i)
        l << linha(r, i);
    return l;
}

class TstRegistro : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QByteArray conteudo(const QString &caminho) {
        QByteArray b;
        Arquivos::lerTudo(caminho, &b);
        return b;
    }

private slots:
    void divisaoPorMinuto_data() {
        QTest::addColumn<double>("inicio");
        QTest::addColumn<double>("fim");
        QTest::addColumn<int>("frequencia");
        QTest::addColumn<double>("T");
        QTest::addColumn<QStringList>("esperado");

        QTest::newRow("three minutes") << 30000.0 << 150000.0 << 1 << 300000.0
                                       << QStringList{"30000-60000/30000 m1 f1",
                                                      "60000-120000/60000 m2 f0",
                                                      "120000-150000/30000 m3 f0"};
        QTest::newRow("ends at the session end") << 250000.0 << 300000.0 << 1 << 300000.0
                                                 << QStringList{"250000-300000/50000 m5 f1"};
        QTest::newRow("ends on its minute's end") << 30000.0 << 60000.0 << 1 << 300000.0
                                                  << QStringList{"30000-60000/30000 m1 f1"};
        QTest::newRow("whole session") << 0.0 << 300000.0 << 1 << 300000.0
                                       << QStringList{"0-60000/60000 m1 f1",
                                                      "60000-120000/60000 m2 f0",
                                                      "120000-180000/60000 m3 f0",
                                                      "180000-240000/60000 m4 f0",
                                                      "240000-300000/60000 m5 f0"};
        QTest::newRow("inside one minute") << 61000.0 << 119999.0 << 0 << 300000.0
                                           << QStringList{"61000-119999/58999 m2 f0"};
        QTest::newRow("continuation across a boundary")
            << 50000.0 << 70000.0 << 0 << 300000.0
            << QStringList{"50000-60000/10000 m1 f0", "60000-70000/10000 m2 f0"};
        // A session of 330 s: the last 30 s form their own minute, minute 5
        // never holds more than 60 s.
        QTest::newRow("session not a whole number of minutes")
            << 250000.0 << 330000.0 << 1 << 330000.0
            << QStringList{"250000-300000/50000 m5 f1", "300000-330000/30000 m6 f0"};
        // Ending on a later boundary: no empty piece in minute 3.
        QTest::newRow("ends on a later boundary")
            << 30000.0 << 120000.0 << 1 << 300000.0
            << QStringList{"30000-60000/30000 m1 f1", "60000-120000/60000 m2 f0"};
        // A continuation that ends on a boundary is split all the same.
        QTest::newRow("continuation ending on a boundary")
            << 60000.0 << 180000.0 << 0 << 300000.0
            << QStringList{"60000-120000/60000 m2 f0", "120000-180000/60000 m3 f0"};
    }
    void divisaoPorMinuto() {
        QFETCH(double, inicio);
        QFETCH(double, fim);
        QFETCH(int, frequencia);
        QFETCH(double, T);
        QFETCH(QStringList, esperado);
        TRegistro r;
        r.Adicionar("F6", "LIMPEZA", inicio, fim, frequencia);
        r.Finalizar(T);
        QCOMPARE(linhas(r), esperado);
        QCOMPARE(r.Qde, esperado.size());
        for (int i = 0; i < r.Qde; ++i) {
            QCOMPARE(r.Posicao[i], QString("F6"));
            QCOMPARE(r.Comportamento[i], QString("LIMPEZA"));
        }
    }

    // Rows keep their order: each row is replaced in place by its pieces.
    void divisaoMantemAOrdem() {
        TRegistro r;
        r.Adicionar("A1", "ENTRADA", 0, -1, 1);
        r.Adicionar("B1", "ENTRADA", 90000, -1, 1);
        r.Adicionar("C1", "ENTRADA", 100000, 300000, 1);
        r.Finalizar(300000);
        QCOMPARE(linhas(r), (QStringList{"0-60000/60000 m1 f1", "60000-90000/30000 m2 f0",
                                         "90000-100000/10000 m2 f1", "100000-120000/20000 m2 f1",
                                         "120000-180000/60000 m3 f0", "180000-240000/60000 m4 f0",
                                         "240000-300000/60000 m5 f0"}));
        QCOMPARE(r.Posicao, (QStringList{"A1", "A1", "B1", "C1", "C1", "C1", "C1"}));
    }

    // Many consecutive rows of several minutes each push one another beyond
    // the range of a pass; every one of them must still be split.
    void muitasLinhasLongas() {
        TRegistro r;
        const int n = 13;
        const double T = 9990000;
        const double passo = 12.5 * 60000;
        for (int i = 0; i < n; ++i)
            r.Adicionar("A1", "ENTRADA", i * passo, i + 1 < n ? -1 : T, 1);
        r.Finalizar(T);
        int entradas = 0;
        for (int i = 0; i < r.Qde; ++i) {
            QVERIFY2(r.Minuto[i] == static_cast<int>(r.Inicio[i] / 60000) + 1,
                     qPrintable(linha(r, i)));
            QVERIFY2(r.Duracao[i] <= 60000 && r.Duracao[i] > 0, qPrintable(linha(r, i)));
            QVERIFY2(r.Fim[i] <= r.Minuto[i] * 60000.0, qPrintable(linha(r, i)));
            if (i > 0)
                QCOMPARE(r.Inicio[i], r.Fim[i - 1]);
            entradas += r.Frequencia[i];
        }
        QCOMPARE(entradas, n);
        QCOMPARE(r.Fim.last(), T);
        QCOMPARE(r.Qde, 173); // 167 minutes, plus the 6 entries that start inside a minute
    }

    void fimsAbertos() {
        TRegistro r;
        r.Adicionar("A1", "ENTRADA", 0, -1, 1);
        r.Adicionar("A2", "ENTRADA", 12000, -1, 1);
        r.Adicionar("A3", "ENTRADA", 40000, 50000, 1);
        r.Finalizar(50000);
        QCOMPARE(linhas(r), (QStringList{"0-12000/12000 m1 f1", "12000-40000/28000 m1 f1",
                                         "40000-50000/10000 m1 f1"}));
    }

    // The first square of the second phase: its start was taken on the old
    // clock and moves to 0; the row before it ends where the phase began.
    void fimMenosDois() {
        TRegistro r;
        r.Adicionar("A1", "ENTRADA", 10000, -1, 1);
        r.Adicionar("C3", "ENTRADA", 45000, -2, 1);
        r.Adicionar("C4", "ENTRADA", 8000, 20000, 1);
        r.Finalizar(300000);
        QCOMPARE(linhas(r), (QStringList{"10000-45000/35000 m1 f1", "0-8000/8000 m1 f1",
                                         "8000-20000/12000 m1 f1"}));
    }

    // The last row should have been closed by the session end; if it was not,
    // nothing follows it and it runs to the session end, never past the array.
    void ultimaLinhaAberta_data() {
        QTest::addColumn<double>("inicio");
        QTest::addColumn<double>("fim");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("-1") << 100000.0 << -1.0
                            << QStringList{"100000-120000/20000 m2 f1",
                                           "120000-150000/30000 m3 f0"};
        QTest::newRow("-2") << 100000.0 << -2.0
                            << QStringList{"0-60000/60000 m1 f1", "60000-120000/60000 m2 f0",
                                           "120000-150000/30000 m3 f0"};
        QTest::newRow("-1 after the session end") << 170000.0 << -1.0
                                                  << QStringList{"170000-170000/0 m3 f1"};
    }
    void ultimaLinhaAberta() {
        QFETCH(double, inicio);
        QFETCH(double, fim);
        QFETCH(QStringList, esperado);
        TRegistro r;
        r.Adicionar("A1", "ENTRADA", inicio, fim, 1);
        r.Finalizar(150000);
        QCOMPARE(linhas(r), esperado);
    }

    void arredondamento_data() {
        QTest::addColumn<double>("valor");
        QTest::addColumn<double>("esperado");
        QTest::newRow("half down to even") << 1.0625 << 1.062;
        QTest::newRow("half up to even") << 1.1875 << 1.188;
        QTest::newRow("nearest") << 12.3456 << 12.346;
        QTest::newRow("whole") << 61234.0 << 61234.0;
        QTest::newRow("negative zero") << -0.0001 << 0.0;
    }
    void arredondamento() {
        QFETCH(double, valor);
        QFETCH(double, esperado);
        TRegistro r;
        r.Adicionar("A1", "X", valor, valor, 1);
        r.Finalizar(300000);
        QCOMPARE(r.Inicio[0], esperado);
        QCOMPARE(r.Fim[0], esperado);
        QCOMPARE(r.Duracao[0], 0.0);
        QCOMPARE(TRegistro::TextoTempo(r.Inicio[0]), TRegistro::TextoTempo(esperado));
        QVERIFY(!TRegistro::TextoTempo(r.Inicio[0]).startsWith('-'));
    }

    void textoTempo_data() {
        QTest::addColumn<double>("valor");
        QTest::addColumn<QString>("texto");
        QTest::newRow("integral") << 61234.0 << "61234";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("fraction") << 1500.25 << "1500.25";
        QTest::newRow("thousandth") << 0.001 << "0.001";
        QTest::newRow("large") << 599940000.0 << "599940000";
        QTest::newRow("15 digits") << 123456789012.345 << "123456789012.345";
        QTest::newRow("negative") << -8000.0 << "-8000";
    }
    void textoTempo() {
        QFETCH(double, valor);
        QFETCH(QString, texto);
        QCOMPARE(TRegistro::TextoTempo(valor), texto);
    }

    void gravarTexto() {
        TRegistro r;
        r.Adicionar("F6", "ENTRADA", 0, -1, 1);
        r.Adicionar("G6", "ENTRADA", 40000.5, 70000, 1);
        r.Adicionar("", "T2", 0, 0, 0);
        r.Adicionar("G6", QString::fromUtf8("LOCOMOÇÃO"), 10000, 15000, 1);
        r.Finalizar(70000);
        const QString base = m_dir.filePath("rato11");
        r.GravarTexto(base);
        QCOMPARE(conteudo(base + ".txt"),
                 QByteArray("F6\tENTRADA\t0\t40000.5\t40000.5\t1\t1\r\n"
                            "G6\tENTRADA\t40000.5\t60000\t19999.5\t1\t1\r\n"
                            "G6\tENTRADA\t60000\t70000\t10000\t2\t0\r\n"
                            "\tT2\t0\t0\t0\t1\t0\r\n"
                            "G6\tLOCOMO\xC7\xC3O\t10000\t15000\t5000\t1\t1\r\n"));
    }

    // Rows still open (never finished) are left out of the file.
    void gravarTextoPulaAbertas() {
        TRegistro r;
        r.Adicionar("A1", "ENTRADA", 0, -1, 1);
        r.Adicionar("A2", "ENTRADA", 5, 9, 1);
        const QString base = m_dir.filePath("abertas");
        r.GravarTexto(base);
        QCOMPARE(conteudo(base + ".txt"), QByteArray("A2\tENTRADA\t5\t9\t0\t0\t1\r\n"));
    }

    void vazioGravaArquivoVazio() {
        const QString base = m_dir.filePath("vazio");
        QFile f(base + ".txt");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("antigo");
        f.close();
        TRegistro r;
        r.Adicionar("A1", "ENTRADA", 0, 100, 1);
        r.Limpar();
        QCOMPARE(r.Qde, 0);
        QVERIFY(r.Inicio.isEmpty() && r.Posicao.isEmpty() && r.Minuto.isEmpty());
        r.Finalizar(300000);
        r.GravarTexto(base);
        QVERIFY(QFile::exists(base + ".txt"));
        QCOMPARE(conteudo(base + ".txt"), QByteArray());
    }

    void gravarTextoFalha() {
        TRegistro r;
        r.Adicionar("A1", "ENTRADA", 0, 100, 1);
        const QString semPasta = m_dir.filePath("nao/existe/rato1");
        try {
            r.GravarTexto(semPasta);
            QFAIL("no error");
        } catch (const TErro &e) {
            QVERIFY2(e.mensagem().contains(semPasta + ".txt"), qPrintable(e.mensagem()));
        }
        const QString base = m_dir.filePath("protegido");
        QFile f(base + ".txt");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("antes");
        f.close();
        QVERIFY(Arquivos::marcarSomenteLeitura(base + ".txt"));
        QVERIFY_THROWS_EXCEPTION(TErro, r.GravarTexto(base));
        QCOMPARE(conteudo(base + ".txt"), QByteArray("antes"));
        Arquivos::desmarcarSomenteLeitura(base + ".txt");
    }

    void status() {
        TStatus s;
        s.Adicionar("FARE", 'B');
        s.Adicionar("GROOM", 'D');
        QCOMPARE(s.Qde, 2);
        QCOMPARE(s.Nome, (QStringList{"FARE", "GROOM"}));
        QCOMPARE(s.Tecla, (QList<quint16>{66, 68}));
        QCOMPARE(s.Ativo, (QList<bool>{false, false}));
        QCOMPARE(s.Primeiro, (QList<int>{1, 1}));
        QCOMPARE(s.InicioComportamento, (QList<TDataHora>{0, 0}));
        // A behaviour still on at a session end starts the next session's
        // first bout as a new occurrence.
        s.Ativo[1] = true;
        s.Primeiro[1] = 0;
        s.InicioComportamento[1] = 1700000000123;
        s.Zerar();
        QCOMPARE(s.Ativo, (QList<bool>{false, false}));
        QCOMPARE(s.Primeiro, (QList<int>{1, 1}));
        QCOMPARE(s.InicioComportamento, (QList<TDataHora>{0, 0}));
        QCOMPARE(s.Qde, 2);
        QCOMPARE(Milissegundos(1700000000123, 1700000060000), qint64(59877));
        QCOMPARE(Milissegundos(1700000060000, 1700000000123), qint64(59877));
        s.Limpar();
        QCOMPARE(s.Qde, 0);
        QVERIFY(s.Nome.isEmpty() && s.Tecla.isEmpty() && s.Primeiro.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstRegistro)
#include "tst_registro.moc"
