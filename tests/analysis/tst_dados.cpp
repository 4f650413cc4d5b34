#include "AmbienteAnalise.h"
#include "analysis/TDados.h"
#include "core/TArquivoIni.h"
#include "core/TErro.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Header of a record file, Windows-1252, CR LF.
QByteArray cabecalho() {
    return QByteArray("Trevalin 2005  |  08/12/2026  |  14:05:33\r\n"
                      "\r\n"
                      "Usuario:\tana\r\n"
                      "Experimento:\tansiedade\r\n"
                      "Indiv\xED"
                      "duo:\trato1\r\n"
                      "Labirinto:\tCRUZ (3)\r\n"
                      "Tempo de Sess\xE3o:\t300 segundos\r\n"
                      "Dist\xE2ncia:\t10 cm\r\n"
                      "\r\n"
                      "Posi\xE7\xE3o\tComportamento\tIn\xED"
                      "cio\tFim\tDura\xE7\xE3o\tMinuto\tFrequ\xEAncia\r\n");
}

std::vector<double> aleatorios(QRandomGenerator &gen, int n, int distintos) {
    std::vector<double> v(static_cast<size_t>(n));
    for (double &x : v)
        x = 1000.0 * gen.bounded(distintos);
    return v;
}

} // namespace

class TstDados : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString gravar(const QByteArray &bytes, const QString &nome = QStringLiteral("r.tvl")) {
        const QString caminho = m_dir.filePath(nome);
        QFile f(caminho);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(caminho));
        f.write(bytes);
        return caminho;
    }

private slots:
    void lerArquivo() {
        TDados d;
        d.LerArquivo(gravar(cabecalho() + "D4\tENTRADA\t0\t40000\t40000\t1\t1\r\n"
                                          "D3\tENTRADA\t40000\t60000\t20000\t1\t1\r\n"
                                          "D4\tCabe\xE7\x61\t10000\t15000\t5000\t1\t1\r\n"));
        QCOMPARE(d.Cabecalho().size(), 9);
        QCOMPARE(d.Cabecalho()[0], QStringLiteral("Trevalin 2005  |  08/12/2026  |  14:05:33"));
        QCOMPARE(d.Cabecalho()[4], QStringLiteral("Indivíduo:\trato1"));
        QCOMPARE(d.Cabecalho()[6], QStringLiteral("Tempo de Sessão:\t300 segundos"));
        QCOMPARE(d.Cabecalho()[8], QString());
        QCOMPARE(d.QdeRegistros(), 3);
        const TLinhaRegistro &r = d.Registros()[2];
        QCOMPARE(r.Posicao, QStringLiteral("D4"));
        QCOMPARE(r.Comportamento, QStringLiteral("Cabeça"));
        QCOMPARE(r.Inicio, QStringLiteral("10000"));
        QCOMPARE(r.Fim, QStringLiteral("15000"));
        QCOMPARE(r.inicio, 10000.0);
        QCOMPARE(r.duracao, 5000);
        QCOMPARE(r.minuto, 1);
        QCOMPARE(r.frequencia, 1);
        QCOMPARE(r.linha, 13);
    }

    void lerArquivoSemLinhasEOutrosFinsDeLinha() {
        TDados d;
        // Only the header: no rows. LF line ends and no final line end.
        QByteArray so = cabecalho();
        so.replace("\r\n", "\n");
        d.LerArquivo(gravar(so));
        QCOMPARE(d.QdeRegistros(), 0);
        d.LerArquivo(gravar(so + "A1\tENTRADA\t0\t5\t5\t1\t1"));
        QCOMPARE(d.QdeRegistros(), 1);
        // Fim is never used, so it is not checked.
        d.LerArquivo(gravar(cabecalho() + "A1\tENTRADA\t0\t?\t5\t1\t1\r\n"));
        QCOMPARE(d.Registros()[0].Fim, QStringLiteral("?"));
    }

    void registroInvalido_data() {
        QTest::addColumn<QByteArray>("conteudo");
        QTest::addColumn<QString>("esperado"); // part of the message
        const QByteArray c = cabecalho();
        QTest::newRow("empty file") << QByteArray() << "ends at line 0";
        QTest::newRow("header cut short") << c.left(c.indexOf("Tempo")) << "ends at line 6";
        QTest::newRow("no column titles") << c.left(c.indexOf("Posi")) << "ends at line 9";
        QTest::newRow("start not a number")
            << c + "A1\tENTRADA\t0\t5\t5\t1\t1\r\nA2\tENTRADA\tx5\t9\t4\t1\t1\r\n"
            << "line 12: Início \"x5\"";
        QTest::newRow("start nan") << c + "A1\tENTRADA\tnan\t5\t5\t1\t1\r\n"
                                   << "line 11: Início";
        QTest::newRow("start inf") << c + "A1\tENTRADA\tinf\t5\t5\t1\t1\r\n"
                                   << "line 11: Início";
        QTest::newRow("decimal duration") << c + "A1\tENTRADA\t0\t5\t1.5\t1\t1\r\n"
                                          << "line 11: Duração \"1.5\"";
        QTest::newRow("duration beyond 32 bits") << c + "A1\tENTRADA\t0\t5\t99999999999\t1\t1\r\n"
                                                 << "line 11: Duração";
        QTest::newRow("short line") << c + "A1\tENTRADA\t100\r\n"
                                    << "line 11: Início \"\"";
        QTest::newRow("empty line") << c + "A1\tENTRADA\t0\t5\t5\t1\t1\r\n\r\n"
                                    << "line 12: Início \"\"";
        QTest::newRow("minute missing") << c + "A1\tENTRADA\t0\t5\t5\t\t1\r\n"
                                        << "line 11: Minuto \"\"";
        QTest::newRow("extra field") << c + "A1\tENTRADA\t0\t5\t5\t1\t1\tx\r\n"
                                     << "line 11: Frequência \"1\tx\"";
    }
    void registroInvalido() {
        QFETCH(QByteArray, conteudo);
        QFETCH(QString, esperado);
        TDados d;
        const QString bom =
            gravar(cabecalho() + "B2\tENTRADA\t0\t5\t5\t1\t1\r\n", QStringLiteral("bom.tvl"));
        d.LerArquivo(bom);
        // A "%1" in the name must come through the message as it is.
        const QString ruim = gravar(conteudo, QStringLiteral("ruim%1.tvl"));
        try {
            d.LerArquivo(ruim);
            QFAIL("a damaged record was accepted");
        } catch (const TErro &e) {
            QVERIFY2(e.mensagem().contains(ruim), qPrintable(e.mensagem()));
            QVERIFY2(e.mensagem().contains(esperado), qPrintable(e.mensagem()));
        }
        // The file loaded before is still there, whole.
        QCOMPARE(d.Arquivo(), bom);
        QCOMPARE(d.QdeRegistros(), 1);
        QCOMPARE(d.Registros()[0].Posicao, QStringLiteral("B2"));
        QCOMPARE(d.Cabecalho().size(), 9);
    }

    void arquivoAusenteOuPasta() {
        TDados d;
        for (const QString &c : {m_dir.filePath(QStringLiteral("falta.tvl")), m_dir.path()}) {
            try {
                d.LerArquivo(c);
                QFAIL("read");
            } catch (const TErro &e) {
                QVERIFY2(e.mensagem().startsWith(QStringLiteral("Cannot open file ") + c),
                         qPrintable(e.mensagem()));
            }
        }
    }

    // Worked by hand through the exchange sort: it is not a stable sort, and
    // the order of equal starts depends on the rows that follow them.
    void ordenarPorInicio_data() {
        QTest::addColumn<QByteArray>("linhas");
        QTest::addColumn<QStringList>("ordem");
        const QByteArray abc = "A1\tx\t1000\t0\t0\t1\t1\r\n"
                               "B1\tx\t1000\t0\t0\t1\t1\r\n"
                               "C1\tx\t0\t0\t0\t1\t1\r\n";
        QTest::newRow("equal starts reversed") << abc << QStringList{"C1", "B1", "A1"};
        QTest::newRow("and back again") << abc + "D1\tx\t500\t0\t0\t1\t1\r\n"
                                        << QStringList{"C1", "D1", "A1", "B1"};
    }
    void ordenarPorInicio() {
        QFETCH(QByteArray, linhas);
        QFETCH(QStringList, ordem);
        TDados d;
        d.LerArquivo(gravar(cabecalho() + linhas));
        d.OrdenarPorInicio();
        QStringList obtida;
        for (const TLinhaRegistro &r : d.Registros())
            obtida << r.Posicao;
        QCOMPARE(obtida, ordem);
        QCOMPARE(d.Registros()[0].linha, 13); // rows move whole
        QCOMPARE(d.Registros()[0].inicio, 0.0);
    }

    void ordemIgualAoLiteralExaustiva() {
        // Every array of up to 7 rows over three start values.
        for (int n = 0; n <= 7; ++n) {
            int total = 1;
            for (int i = 0; i < n; ++i)
                total *= 3;
            for (int codigo = 0; codigo < total; ++codigo) {
                std::vector<double> v;
                for (int i = 0, c = codigo; i < n; ++i, c /= 3)
                    v.push_back(c % 3);
                if (TDados::OrdemDeTroca(v) != TDados::OrdemDeTrocaLiteral(v))
                    QFAIL(
                        qPrintable(QStringLiteral("differs for n=%1 code=%2").arg(n).arg(codigo)));
            }
        }
    }

    void ordemIgualAoLiteralAleatoria_data() {
        QTest::addColumn<int>("distintos");
        QTest::newRow("all equal") << 1;
        QTest::newRow("two values") << 2;
        QTest::newRow("five values") << 5;
        QTest::newRow("thirty values") << 30;
        QTest::newRow("mostly distinct") << 100000;
    }
    void ordemIgualAoLiteralAleatoria() {
        QFETCH(int, distintos);
        QRandomGenerator gen(20260812u + static_cast<quint32>(distintos));
        for (int t = 0; t < 300; ++t) {
            const int n = t % 50 == 0 ? 1500 : gen.bounded(1, 250);
            std::vector<double> v = aleatorios(gen, n, distintos);
            // Record-like inputs too: two ascending runs (entries, then bouts).
            if (t % 3 == 0) {
                const auto meio = v.begin() + static_cast<long>(v.size() / 2);
                std::sort(v.begin(), meio);
                std::sort(meio, v.end());
            }
            if (TDados::OrdemDeTroca(v) != TDados::OrdemDeTrocaLiteral(v))
                QFAIL(qPrintable(QStringLiteral("differs on trial %1").arg(t)));
        }
    }

    void ordemComZeroNegativo() {
        // -0 and 0 are equal starts.
        const std::vector<double> v{0.0, -0.0, -1.0, 0.0, -0.0};
        QCOMPARE(TDados::OrdemDeTroca(v), TDados::OrdemDeTrocaLiteral(v));
    }

    void acumular() {
        TDados d;
        d.LerArquivo(gravar(cabecalho() + "D4\tENTRADA\t0\t40000\t40000\t1\t1\r\n"
                                          "D3\tENTRADA\t40000\t60000\t20000\t1\t1\r\n"
                                          "D3\tENTRADA\t60000\t90000\t30000\t2\t0\r\n"
                                          "D4\tA\t10000\t15000\t5000\t1\t1\r\n"
                                          "D4\tA\t20000\t21000\t1000\t1\t1\r\n"
                                          "D3\tA\t300000\t300500\t500\t6\t1\r\n"
                                          "D3\tA\t0\t1\t1\t0\t1\r\n"
                                          "Z9\tA\t0\t1\t1\t1\t1\r\n"
                                          "D4\tB\t0\t1\t7\t1\t1\r\n"));
        d.Quadrados = QStringList{"D3", "D4", "D3"};
        d.Comportamentos = QStringList{"ENTRADA", "A"};
        d.Minutos = 5;
        d.Acumular();
        QCOMPARE(d.TabelaMinutos(0, 1, 0).SomaDuracao, qint64(40000));
        QCOMPARE(d.TabelaMinutos(0, 1, 0).Ocorrencias, qint64(1));
        // A square listed twice gets the row in both places.
        for (int q : {0, 2}) {
            QCOMPARE(d.TabelaMinutos(0, q, 0).SomaDuracao, qint64(20000));
            QCOMPARE(d.TabelaMinutos(0, q, 1).SomaDuracao, qint64(30000));
            QCOMPARE(d.TabelaMinutos(0, q, 1).SomaFrequencia, qint64(0));
            QCOMPARE(d.TabelaMinutos(0, q, 1).Ocorrencias, qint64(0));
        }
        QCOMPARE(d.TabelaMinutos(1, 1, 0).SomaDuracao, qint64(6000));
        QCOMPARE(d.TabelaMinutos(1, 1, 0).SomaFrequencia, qint64(2));
        QCOMPARE(d.TabelaMinutos(1, 1, 0).Ocorrencias, qint64(2));
        // Minute 6 of a 5-minute table, minute 0, an unlisted square and an
        // unlisted behaviour add nothing anywhere.
        qint64 total = 0;
        for (int b = 0; b < 2; ++b)
            for (int q = 0; q < 3; ++q)
                for (int m = 0; m < 5; ++m)
                    total += d.TabelaMinutos(b, q, m).SomaDuracao;
        QCOMPARE(total, qint64(40000 + 2 * (20000 + 30000) + 6000));
        // Accumulating again starts from zero.
        d.Acumular();
        QCOMPARE(d.TabelaMinutos(1, 1, 0).SomaDuracao, qint64(6000));
    }

    void tabelaGrandeDemaisRecusada() {
        TDados d;
        d.Comportamentos = QStringList(30, QStringLiteral("x"));
        d.Quadrados = QStringList(225, QStringLiteral("y"));
        d.Minutos = 1666666; // a damaged session length
        QVERIFY_THROWS_EXCEPTION(TErro, d.ZerarTabelaMinutos());
        QVERIFY(!d.TabelaAlocada());
        d.Minutos = 0; // treated as one minute
        d.ZerarTabelaMinutos();
        QCOMPARE(d.TabelaMinutos(29, 224, 0).SomaDuracao, qint64(0));
    }

    void grupos() {
        TDados d;
        QStringList muitos;
        for (int i = 0; i < TDados::MaxArquivos; ++i)
            muitos << QStringLiteral("r%1.tvl").arg(i);
        QVERIFY(!d.InserirGrupo(QStringLiteral("g"), muitos + QStringList{"demais"}));
        QCOMPARE(d.QdeGrupos(), 0);
        for (int g = 0; g < TDados::MaxGrupos; ++g)
            QVERIFY(d.InserirGrupo(QStringLiteral("g%1").arg(g), muitos));
        QVERIFY(!d.InserirGrupo(QStringLiteral("mais um"), {"a"}));
        QCOMPARE(d.QdeGrupos(), TDados::MaxGrupos);
        QVERIFY(!d.InserirGrupo(QStringLiteral("g3"), {"a"}));

        QVERIFY(d.SubstituirArquivos(QStringLiteral("g3"), {"x", "y"}));
        QCOMPARE(d.Grupos()[3].Arquivos, (QStringList{"x", "y"}));
        QVERIFY(d.SubstituirArquivos(QStringLiteral("g3"), {}));
        QCOMPARE(d.Grupos()[3].QdeArquivos(), 0);
        QVERIFY(!d.SubstituirArquivos(QStringLiteral("g3"), muitos + QStringList{"demais"}));
        QVERIFY(!d.SubstituirArquivos(QStringLiteral("nenhum"), {"x"}));
        QCOMPARE(d.IndiceGrupo(QStringLiteral("g50")), 50);

        d.LimparGrupos();
        QCOMPARE(d.QdeGrupos(), 0);
        QVERIFY(d.InserirGrupo(QStringLiteral("g3"), {"a"}));
    }

    void minutosDaSessao_data() {
        QTest::addColumn<QString>("segundos");
        QTest::addColumn<int>("minutos"); // 0: refused
        QTest::newRow("59 s") << "59" << 1;
        QTest::newRow("120 s") << "120" << 2;
        QTest::newRow("150 s") << "150" << 2;
        QTest::newRow("330 s") << "330" << 5;
        QTest::newRow("none") << "0" << 1;
        QTest::newRow("negative") << "-600" << 1;
        QTest::newRow("decimal") << "299.9" << 4;
        QTest::newRow("not a number") << "cinco" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("absurd") << "1e300" << 0;
    }
    void minutosDaSessao() {
        QFETCH(QString, segundos);
        QFETCH(int, minutos);
        AmbienteAnalise::Ambiente a(QStringLiteral("CRUZ (3)"));
        const QString c = a.registro(QStringLiteral("r.tvl"), {});
        QFile f(c);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QByteArray b = f.readAll();
        f.close();
        b.replace("\t300 segundos", "\t" + segundos.toLatin1() + " segundos");
        a.bruto(QStringLiteral("r.tvl"), b);
        TDados d;
        d.LerArquivo(c);
        if (minutos == 0) {
            try {
                d.MontarListas(*a.u);
                QFAIL("accepted");
            } catch (const TErro &e) {
                QVERIFY2(e.mensagem().contains(QStringLiteral("line 7")), qPrintable(e.mensagem()));
                QVERIFY(e.mensagem().contains(QStringLiteral("r.tvl")));
            }
        } else {
            d.MontarListas(*a.u);
            QCOMPARE(d.Minutos, minutos);
        }
    }

    void listasDoPerfil() {
        AmbienteAnalise::Ambiente a(QStringLiteral("CRUZ (3)"), 300,
                                    {{1, "Farejar"}, {2, "Cabeça"}, {5, "Erguer"}});
        TDados d;
        d.LerArquivo(a.registro(QStringLiteral("r.tvl"), {}));
        d.MontarListas(*a.u);
        QCOMPARE(d.Comportamentos, (QStringList{"ENTRADA", "Farejar", "Cabeça", "Erguer"}));
        QCOMPARE(d.Quadrados, (QStringList{"D1", "D2", "D3", "D4", "D5", "D6", "D7", "A4", "B4",
                                           "C4", "E4", "F4", "G4"}));

        // An experiment the profile does not list reads keys 1 to 26 of its
        // own section; a maze it lacks falls back to the current one's.
        TArquivoIni(a.u->Arquivo).WriteString("solto", "3", "Lamber");
        a.bruto(QStringLiteral("s.tvl"),
                AmbienteAnalise::cabecalho("ana", "solto", "CRUZ (5)", "60"));
        d.LerArquivo(a.pastaExperimento() + "s.tvl");
        d.MontarListas(*a.u);
        QCOMPARE(d.Comportamentos, (QStringList{"ENTRADA", "Lamber"}));
        QCOMPARE(d.QdeQuadrados(), 13);

        // A user-made arena as the current maze: its squares row by row.
        a.u->Experimento.Labirinto = QStringLiteral("ARENA (5x7)");
        d.MontarListas(*a.u);
        QCOMPARE(d.QdeQuadrados(), 35);
        QCOMPARE(d.Quadrados.mid(0, 6), (QStringList{"A1", "B1", "C1", "D1", "E1", "A2"}));
        QCOMPARE(d.Quadrados.last(), QStringLiteral("E7"));
        a.u->Experimento.Labirinto = QStringLiteral("ARENA (0x7)");
        QVERIFY_THROWS_EXCEPTION(TErro, d.MontarListas(*a.u));

        // A damaged experiment count does not mean as many reads.
        TArquivoIni(a.u->Arquivo).WriteString("Experimentos", "QdeExp", "2000000000");
        a.u->Experimento.Labirinto = QStringLiteral("CRUZ (3)");
        d.LerArquivo(a.pastaExperimento() + "r.tvl");
        d.MontarListas(*a.u);
        QCOMPARE(d.QdeComportamentos(), 4);
    }

    void prepararArquivo() {
        AmbienteAnalise::Ambiente a(QStringLiteral("CRUZ (3)"), 300, {{1, "A"}});
        a.registro(QStringLiteral("r1.tvl"),
                   AmbienteAnalise::linha("D4", "ENTRADA", 5000, 300000, 1, 1) +
                       AmbienteAnalise::linha("D4", "ENTRADA", 0, 5000, 1, 1) +
                       AmbienteAnalise::linha("D4", "Novo", 0, 10, 1, 1));
        a.registro(QStringLiteral("r2.tvl"), AmbienteAnalise::linha("D4", "Outro", 0, 10, 1, 1) +
                                                 AmbienteAnalise::linha("D4", "A", 0, 10, 1, 1));
        TDados d;
        QVERIFY(d.InserirGrupo("g", {"r1.tvl", "r2"}));
        TDados::Execucao e;
        d.PrepararArquivo(*a.u, 0, 0, e);
        QCOMPARE(d.Registros()[0].inicio, 0.0); // ordered
        QCOMPARE(d.Comportamentos, (QStringList{"ENTRADA", "A", "Novo"}));
        d.PrepararArquivo(*a.u, 0, 1, e); // picked without extension
        QCOMPARE(d.Arquivo(), a.pastaExperimento() + "r2.tvl");
        QCOMPARE(d.Comportamentos, (QStringList{"ENTRADA", "A", "Novo", "Outro"}));
        QCOMPARE(e.ComportamentosExtras, (QStringList{"Novo", "Outro"}));
        QVERIFY(d.SubstituirArquivos("g", {"falta"}));
        try {
            d.PrepararArquivo(*a.u, 0, 0, e);
            QFAIL("a missing file was read");
        } catch (const TErro &erro) {
            QVERIFY(erro.mensagem().contains(a.pastaExperimento() + "falta.tvl"));
        }
    }
};

QTEST_GUILESS_MAIN(TstDados)
#include "tst_dados.moc"
