#include "AmbienteAnalise.h"
#include "analysis/TDados.h"
#include "core/TArquivoIni.h"
#include "core/TErro.h"

#include <QRandomGenerator>
#include <QTest>

using namespace AmbienteAnalise;

namespace {

QByteArray cab() {
    return cabecalho("ana", "ansiedade", "CRUZ (3)", "300");
}

// The message of the TErro that `f` throws; empty when it throws none.
template <class F> QString erroDe(F f) {
    try {
        f();
    } catch (const TErro &e) {
        return e.mensagem();
    }
    return QString();
}

bool igualAoLiteral(const std::vector<double> &v) {
    return TDados::OrdemDeTroca(v) == TDados::OrdemDeTrocaLiteral(v);
}

} // namespace

class TstDados : public QObject {
    Q_OBJECT

    std::unique_ptr<Ambiente> m_amb; // files go to its data directory
    QString gravar(const QByteArray &bytes, const QString &nome = QStringLiteral("r.tvl")) {
        return m_amb->gravar(nome, bytes, m_amb->dados);
    }

private slots:
    void initTestCase() {
        m_amb = std::make_unique<Ambiente>("CRUZ (3)",
                                           QMap<int, QString>{{1, "A"}, {2, "Cabeça"}, {5, "E"}});
    }

    void lerArquivo() {
        TDados d;
        d.LerArquivo(gravar(cab() + "D4\tENTRADA\t0\t40000\t40000\t1\t1\r\n"
                                    "D4\tCabe\xE7"
                                    "a\t10000\t15000\t4000\t3\t1\r\n"));
        QCOMPARE(d.Cabecalho().size(), 9);
        QCOMPARE(d.Cabecalho()[4], QStringLiteral("Indivíduo:\trato"));
        QCOMPARE(d.Cabecalho()[8], QString());
        QCOMPARE(d.QdeRegistros(), 2);
        const TLinhaRegistro &r = d.Registros()[1];
        QCOMPARE((QStringList{r.Posicao, r.Comportamento, r.Inicio, r.Fim}),
                 (QStringList{"D4", "Cabeça", "10000", "15000"}));
        QCOMPARE(r.inicio, 10000.0);
        QCOMPARE((QList<int>{r.duracao, r.minuto, r.frequencia, r.linha}),
                 (QList<int>{4000, 3, 1, 12}));
        // LF line ends, no final line end; Fim is never used, so not checked.
        QByteArray lf = cab();
        lf.replace("\r\n", "\n");
        d.LerArquivo(gravar(lf));
        QCOMPARE(d.QdeRegistros(), 0);
        d.LerArquivo(gravar(lf + "A1\tENTRADA\t0\t?\t5\t1\t1"));
        QCOMPARE(d.Registros().value(0).Fim, QStringLiteral("?"));
    }

    void registroInvalido_data() {
        QTest::addColumn<QByteArray>("conteudo");
        QTest::addColumn<QString>("esperado"); // part of the message
        const QByteArray c = cab(), a1 = c + "A1\tENTRADA\t";
        auto caso = [](const char *nome, const QByteArray &conteudo, const char *esperado) {
            QTest::newRow(nome) << conteudo << QString::fromUtf8(esperado);
        };
        caso("empty file", {}, "ends at line 0");
        caso("no column titles", c.left(c.indexOf("Posi")), "ends at line 9");
        caso("start not a number", a1 + "0\t5\t5\t1\t1\r\nA2\tx\tx5\t9\t4\t1\t1\r\n",
             "line 12: Início \"x5\"");
        caso("start nan", a1 + "nan\t5\t5\t1\t1\r\n", "line 11: Início");
        caso("decimal duration", a1 + "0\t5\t1.5\t1\t1\r\n", "line 11: Duração \"1.5\"");
        caso("duration beyond 32 bits", a1 + "0\t5\t99999999999\t1\t1\r\n", "line 11: Duração");
        caso("short line", a1 + "100\r\n", "line 11: Início \"\"");
        caso("empty line", a1 + "0\t5\t5\t1\t1\r\n\r\n", "line 12: Início \"\"");
        caso("minute missing", a1 + "0\t5\t5\t\t1\r\n", "line 11: Minuto \"\"");
        caso("extra field", a1 + "0\t5\t5\t1\t1\tx\r\n", "line 11: Frequência \"1\tx\"");
    }
    void registroInvalido() {
        QFETCH(QByteArray, conteudo);
        QFETCH(QString, esperado);
        TDados d;
        const QString bom = gravar(cab() + "B2\tENTRADA\t0\t5\t5\t1\t1\r\n", "bom.tvl");
        d.LerArquivo(bom);
        // A "%1" in the name comes through the message as it is.
        const QString ruim = gravar(conteudo, QStringLiteral("ruim%1.tvl"));
        const QString m = erroDe([&] { d.LerArquivo(ruim); });
        QVERIFY2(m.contains(ruim) && m.contains(esperado), qPrintable(m));
        // The file loaded before is still there, whole.
        QCOMPARE(d.Arquivo(), bom);
        QCOMPARE(d.Cabecalho().size(), 9);
        QCOMPARE(d.QdeRegistros(), 1);
        QCOMPARE(d.Registros()[0].Posicao, QStringLiteral("B2"));
    }

    void arquivoAusenteOuPasta() {
        for (const QString &c : {m_amb->dados + "falta.tvl", m_amb->dir.path()}) {
            const QString m = erroDe([&] { TDados().LerArquivo(c); });
            QVERIFY2(m.startsWith("Cannot open file " + c), qPrintable(m));
        }
    }

    // Worked by hand through the exchange sort: it is not stable, and the
    // order of equal starts depends on the rows that follow them. Rows move
    // whole.
    void ordenarPorInicio() {
        QVERIFY(TDados::OrdemDeTroca({1000, 1000, 0}) == (std::vector<int>{2, 1, 0}));
        TDados d;
        d.LerArquivo(gravar(cab() + linha("A1", "x", 1000, 1000, 1, 1) +
                            linha("B1", "x", 1000, 1000, 1, 1) + linha("C1", "x", 0, 0, 1, 1) +
                            linha("D1", "x", 500, 500, 1, 1)));
        d.OrdenarPorInicio();
        QStringList obtida;
        for (const TLinhaRegistro &r : d.Registros())
            obtida << QStringLiteral("%1:%2:%3").arg(r.Posicao).arg(r.inicio).arg(r.linha);
        QCOMPARE(obtida, lista("C1:0:13 D1:500:14 A1:1000:11 B1:1000:12"));
    }

    // Orders only the exchange sort gives: neither a stable sort nor one that
    // reverses ties puts these rows right (rows A, B, C ... in file order).
    void empatesPorInicio_data() {
        QTest::addColumn<QString>("inicios");
        QTest::addColumn<QString>("ordem");
        QTest::newRow("1000 1000 0") << "1000 1000 0"
                                     << "CBA";
        QTest::newRow("5 5 5 0") << "5 5 5 0"
                                 << "DBCA";
        QTest::newRow("2000 1000 1000 0") << "2000 1000 1000 0"
                                          << "DCBA";
        QTest::newRow("1000 0 1000 0") << "1000 0 1000 0"
                                       << "BDCA";
        QTest::newRow("0 0 1000 1000 500") << "0 0 1000 1000 500"
                                           << "BAEDC";
        QTest::newRow("already in order") << "0 1000 1000"
                                          << "ABC";
    }
    void empatesPorInicio() {
        QFETCH(QString, inicios);
        QFETCH(QString, ordem);
        QByteArray linhas;
        const QStringList v = inicios.split(' ');
        for (int i = 0; i < v.size(); ++i)
            linhas += linha(QString(QChar('A' + i)), "x", v[i].toLongLong(), v[i].toLongLong() + i,
                            1, 1);
        TDados d;
        d.LerArquivo(gravar(cab() + linhas));
        d.OrdenarPorInicio();
        QString obtida;
        for (const TLinhaRegistro &r : d.Registros()) {
            obtida += r.Posicao;
            // The whole row moves with its start.
            const int i = r.Posicao[0].unicode() - 'A';
            QCOMPARE(r.Fim, QString::number(v[i].toLongLong() + i));
            QCOMPARE(r.linha, 11 + i);
        }
        QCOMPARE(obtida, ordem);
    }

    // The fast order equals the exchange sort's on every array of up to 7
    // rows over three values, and on random arrays with many ties.
    void ordemIgualAoLiteral() {
        QVERIFY(igualAoLiteral({0.0, -0.0, -1.0, 0.0, -0.0})); // -0 ties with 0
        for (int n = 0, total = 1; n <= 7; ++n, total *= 3)
            for (int codigo = 0; codigo < total; ++codigo) {
                std::vector<double> v;
                for (int i = 0, c = codigo; i < n; ++i, c /= 3)
                    v.push_back(c % 3);
                QVERIFY2(igualAoLiteral(v), qPrintable(QStringLiteral("code %1").arg(codigo)));
            }
        QRandomGenerator gen(20260812u);
        for (int distintos : {1, 2, 5, 30, 100000})
            for (int t = 0; t < 300; ++t) {
                std::vector<double> v(t % 50 == 0 ? 1500 : gen.bounded(1, 250));
                for (double &x : v)
                    x = 1000.0 * gen.bounded(distintos);
                // Record-like inputs too: two ascending runs (entries, bouts).
                if (t % 3 == 0) {
                    std::sort(v.begin(), v.begin() + static_cast<long>(v.size() / 2));
                    std::sort(v.begin() + static_cast<long>(v.size() / 2), v.end());
                }
                QVERIFY2(igualAoLiteral(v),
                         qPrintable(QStringLiteral("%1/%2").arg(distintos).arg(t)));
            }
    }

    void acumular() {
        TDados d;
        d.LerArquivo(gravar(cab() + linha("D4", "ENTRADA", 0, 40000, 1, 1) +
                            linha("D3", "ENTRADA", 40000, 60000, 1, 1) +
                            linha("D3", "ENTRADA", 60000, 90000, 2, 0) +
                            linha("D4", "A", 10000, 15000, 1, 1) +
                            linha("D4", "A", 20000, 21000, 1, 1) +
                            linha("D3", "A", 300000, 300500, 6, 1) + linha("D3", "A", 0, 1, 0, 1) +
                            linha("Z9", "A", 0, 1, 1, 1) + linha("D4", "B", 0, 7, 1, 1)));
        d.Quadrados = lista("D3 D4 D3");
        d.Comportamentos = lista("ENTRADA A");
        d.Minutos = 5;
        d.Acumular();
        d.Acumular(); // starts from zero again
        // A square listed twice gets the row in both places; minute 6 of a
        // 5-minute table, minute 0, an unlisted square and an unlisted
        // behaviour add nothing anywhere.
        QCOMPARE(celulas(d), "D3/ENTRADA/1:20,1,0,1 D3/ENTRADA/2:30,0,0,0 D4/ENTRADA/1:40,1,0,1 "
                             "D3/ENTRADA/1:20,1,0,1 D3/ENTRADA/2:30,0,0,0 D4/A/1:6,2,0,2");
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
        const QStringList cheio(TDados::MaxArquivos, "r"), demais = cheio + QStringList{"r"};
        QVERIFY(!d.InserirGrupo("g", demais));
        for (int g = 0; g < TDados::MaxGrupos; ++g)
            QVERIFY(d.InserirGrupo(QStringLiteral("g%1").arg(g), cheio));
        QVERIFY(!d.InserirGrupo("mais um", {}));
        QCOMPARE(d.QdeGrupos(), TDados::MaxGrupos);
        QCOMPARE(d.IndiceGrupo("g50"), 50);
        QVERIFY(d.SubstituirArquivos("g3", {"x", "y"}));
        QCOMPARE(d.Grupos()[3].Arquivos, (QStringList{"x", "y"}));
        QVERIFY(d.SubstituirArquivos("g3", {}));
        QCOMPARE(d.Grupos()[3].QdeArquivos(), 0);
        QVERIFY(!d.SubstituirArquivos("g3", demais));
        QVERIFY(!d.SubstituirArquivos("nenhum", {"x"}));
        d.LimparGrupos();
        QVERIFY(d.InserirGrupo("g3", {"a"}));
        QVERIFY(!d.InserirGrupo("g3", {"b"})); // a name once
        QCOMPARE(d.QdeGrupos(), 1);
    }

    void minutosDaSessao_data() {
        QTest::addColumn<QString>("segundos");
        QTest::addColumn<int>("minutos"); // 0: refused
        const std::pair<const char *, int> casos[] = {
            {"59", 1}, {"330", 5}, {"-600", 1}, {"299.9", 4}, {"cinco", 0}, {"", 0}, {"1e300", 0}};
        for (const auto &[s, m] : casos)
            QTest::addRow("'%s'", s) << QString::fromLatin1(s) << m;
    }
    void minutosDaSessao() {
        QFETCH(QString, segundos);
        QFETCH(int, minutos);
        TDados d;
        d.LerArquivo(m_amb->registro("r.tvl", {}, segundos));
        const QString m = erroDe([&] { d.MontarListas(*m_amb->u); });
        QVERIFY2(m.isEmpty() == (minutos > 0), qPrintable(m));
        if (minutos > 0)
            QCOMPARE(d.Minutos, minutos);
        else
            QVERIFY2(m.contains("r.tvl, line 7"), qPrintable(m));
    }

    void listasDoPerfil() {
        Ambiente &a = *m_amb;
        TDados d;
        d.LerArquivo(a.registro("r.tvl", {}));
        d.MontarListas(*a.u);
        QCOMPARE(d.Comportamentos, lista("ENTRADA A Cabeça E"));
        QCOMPARE(d.Quadrados, lista("D1 D2 D3 D4 D5 D6 D7 A4 B4 C4 E4 F4 G4"));
        // An experiment the profile does not list reads keys 1 to 26 of its
        // own section; a maze it lacks falls back to the current one's.
        TArquivoIni(a.u->Arquivo).WriteString("solto", "3", "Lamber");
        d.LerArquivo(a.gravar("s.tvl", cabecalho("ana", "solto", "CRUZ (5)", "60")));
        d.MontarListas(*a.u);
        QCOMPARE(d.Comportamentos, lista("ENTRADA Lamber"));
        QCOMPARE(d.QdeQuadrados(), 13);
        // A user-made arena as the current maze: its squares row by row.
        a.u->Experimento.Labirinto = QStringLiteral("ARENA (5x7)");
        d.MontarListas(*a.u);
        QCOMPARE(d.QdeQuadrados(), 35);
        QCOMPARE(d.Quadrados.mid(4, 2) << d.Quadrados.last(), lista("E1 A2 E7"));
        a.u->Experimento.Labirinto = QStringLiteral("ARENA (0x7)");
        QVERIFY_THROWS_EXCEPTION(TErro, d.MontarListas(*a.u));
        // The maze of the record's experiment comes before the current one;
        // a damaged experiment count does not mean as many reads.
        a.u->Experimento.Labirinto = QStringLiteral("EM I (3)");
        TArquivoIni(a.u->Arquivo).WriteString("Experimentos", "QdeExp", "2000000000");
        d.LerArquivo(a.pastaExperimento() + "r.tvl");
        d.MontarListas(*a.u);
        QCOMPARE(d.QdeQuadrados(), 13);
        QCOMPARE(d.QdeComportamentos(), 4);
        a.u->Experimento.Labirinto = QStringLiteral("CRUZ (3)");
    }

    void prepararArquivo() {
        Ambiente &a = *m_amb;
        a.registro("r1.tvl", linha("D4", "ENTRADA", 5000, 300000, 1, 1) +
                                 linha("D4", "ENTRADA", 0, 5000, 1, 1) +
                                 linha("D4", "Novo", 0, 10, 1, 1));
        a.registro("r2.tvl", linha("D4", "Outro", 0, 10, 1, 1) + linha("D4", "A", 0, 10, 1, 1));
        TDados d;
        d.InserirGrupo("g", {"r1.tvl", "r2", "falta"});
        TDados::Execucao e;
        d.PrepararArquivo(*a.u, 0, 0, e);
        QCOMPARE(d.Registros()[0].inicio, 0.0); // ordered
        QCOMPARE(d.Comportamentos, lista("ENTRADA A Cabeça E Novo"));
        d.PrepararArquivo(*a.u, 0, 1, e); // picked without extension
        QCOMPARE(d.Arquivo(), a.pastaExperimento() + "r2.tvl");
        QCOMPARE(d.Comportamentos, lista("ENTRADA A Cabeça E Novo Outro"));
        QCOMPARE(e.ComportamentosExtras, lista("Novo Outro"));
        QVERIFY(erroDe([&] {
                    d.PrepararArquivo(*a.u, 0, 2, e);
                }).contains(a.pastaExperimento() + "falta.tvl"));
    }
};

QTEST_GUILESS_MAIN(TstDados)
#include "tst_dados.moc"
