#include "AmbienteAnalise.h"
#include "analysis/TDados.h"
#include "core/Arquivos.h"
#include "core/Cp1252.h"
#include "core/TArquivoIni.h"
#include "core/TErro.h"

#include <QRandomGenerator>

#include <QTest>
#include <cmath>
#include <limits>
#include <random>
#include <sys/stat.h>

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
        const TCamposRegistro t = d.Campos(r);
        QCOMPARE((QStringList{t.Posicao, t.Comportamento, t.Inicio, t.Fim}),
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
        QCOMPARE(d.Campos(d.Registros().at(0)).Fim, QStringLiteral("?"));
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
        QCOMPARE(d.Campos(d.Registros()[0]).Posicao, QStringLiteral("B2"));
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
            obtida
                << QStringLiteral("%1:%2:%3").arg(d.Campos(r).Posicao).arg(r.inicio).arg(r.linha);
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
            linhas +=
                linha(QString(QChar('A' + i)), "x", v[i].toLongLong(), v[i].toLongLong() + i, 1, 1);
        TDados d;
        d.LerArquivo(gravar(cab() + linhas));
        d.OrdenarPorInicio();
        QString obtida;
        for (const TLinhaRegistro &r : d.Registros()) {
            const TCamposRegistro t = d.Campos(r);
            obtida += t.Posicao;
            // The whole row moves with its start.
            const int i = t.Posicao[0].unicode() - 'A';
            QCOMPARE(t.Fim, QString::number(v[i].toLongLong() + i));
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

    // Records no recorder could have written are refused by the analysis
    // step, naming file and line; the reader itself still takes them.
    void registroDanificado_data() {
        QTest::addColumn<QByteArray>("linhas");
        QTest::addColumn<QString>("segundos");
        QTest::addColumn<QString>("esperado"); // part of the message
        const QByteArray bom = linha("D4", "ENTRADA", 0, 60000, 1, 1);
        auto caso = [&](const char *nome, const QByteArray &ruim, const char *esperado,
                        const char *segundos = "300") {
            QTest::newRow(nome) << bom + ruim << QString::fromLatin1(segundos)
                                << QString::fromUtf8(esperado);
        };
        caso("duration off by 2 ms", "D3\tENTRADA\t60000\t70000\t9998\t2\t1\r\n",
             "line 12: the duration 9998");
        caso("duration of another row", "D3\tENTRADA\t60000\t70000\t20000\t2\t1\r\n",
             "line 12: the duration 20000");
        caso("frequency 2", linha("D3", "A", 60000, 70000, 2, 2), "line 12: the frequency 2");
        caso("frequency -1", linha("D3", "A", 60000, 70000, 2, -1), "line 12: the frequency -1");
        caso("minute of the minute before", linha("D3", "A", 60000, 70000, 1, 1),
             "line 12: the minute 1");
        caso("minute 0", linha("D3", "A", 1000, 2000, 0, 1), "line 12: the minute 0");
        caso("negative end", "D3\tA\t-5000\t-1000\t4000\t1\t1\r\n", "line 12: the end -1000");
        caso("end not a number", "D3\tA\t0\t?\t5\t1\t1\r\n", "line 12: the end \"?\"");
        caso("session of 0 s", {}, "line 7: the session length \"0 segundos\"", "0");
        caso("negative session", {}, "line 7", "-300");
        caso("session beyond 9990 s", {}, "line 7", "9991");
    }
    void registroDanificado() {
        QFETCH(QByteArray, linhas);
        QFETCH(QString, segundos);
        QFETCH(QString, esperado);
        Ambiente &a = *m_amb;
        a.registro("dano.tvl", linhas, segundos);
        TDados d;
        d.InserirGrupo("g", {"dano.tvl"});
        TDados::Execucao e;
        const QString m = erroDe([&] { d.PrepararArquivo(*a.u, 0, 0, e); });
        QVERIFY2(m.contains(a.pastaExperimento() + "dano.tvl") && m.contains(esperado) &&
                     m.startsWith("Damaged record"),
                 qPrintable(m));
        // The viewer's reader still takes the file.
        d.LerArquivo(a.pastaExperimento() + "dano.tvl");
    }

    // The limits a recorder can reach are taken: rounding within 1 ms, a
    // start a fraction of a millisecond before a boundary, the shortest and
    // the longest session, a row ending at 0.
    void registroNosLimites() {
        Ambiente &a = *m_amb;
        a.registro("limite.tvl",
                   linha("D4", "ENTRADA", 0, 0, 1, 1) +
                       "D4\tENTRADA\t0.4\t60000\t60000\t1\t0\r\n"
                       "D3\tENTRADA\t60000\t9990000\t9930000\t2\t1\r\n"
                       "D3\tA\t59999.9998\t60000\t0\t2\t1\r\n",
                   "9990");
        a.registro("curta.tvl", linha("D4", "ENTRADA", 0, 1000, 1, 1), "1");
        TDados d;
        d.InserirGrupo("g", {"limite.tvl", "curta.tvl"});
        TDados::Execucao e;
        d.PrepararArquivo(*a.u, 0, 0, e);
        QCOMPARE(d.Aviso(), QString());
        QCOMPARE(d.Minutos, 166);
        d.PrepararArquivo(*a.u, 0, 1, e);
        QCOMPARE(d.Aviso(), QString());
    }

    // Rows of recordings made before the recorder was mended are analysed
    // as they are; Aviso names the file and each such row.
    void linhasEstranhas() {
        Ambiente &a = *m_amb;
        a.registro("velho.tvl",
                   linha("D4", "ENTRADA", 0, 300000, 1, 1) + "D4\tA\t-2000\t1000\t3000\t1\t1\r\n" +
                       linha("D3", "A", 5000, 4000, 1, 1) + linha("D3", "A", 310000, 320000, 6, 1) +
                       linha("D3", "A", 300000, 300000, 6, 1));
        a.registro("r1.tvl", caminho("D4 D3", 30000, 300000));
        TDados d;
        d.InserirGrupo("g", {"velho.tvl", "r1.tvl"});
        TDados::Execucao e;
        d.PrepararArquivo(*a.u, 0, 0, e);
        QCOMPARE(d.QdeRegistros(), 5);
        const QString aviso = d.Aviso();
        QVERIFY2(aviso.contains(a.pastaExperimento() + "velho.tvl") &&
                     aviso.contains("line 12 (starts before the session began)") &&
                     aviso.contains("line 13 (starts after its end)") &&
                     aviso.contains("line 14 (starts after the session's length)") &&
                     !aviso.contains("line 15") && !aviso.contains("line 11"),
                 qPrintable(aviso));
        // Counted as before; the row past the session has no minute cell.
        d.Acumular();
        QCOMPARE(d.TabelaMinutos(1, 3, 0).SomaDuracao, qint64(3000));  // A on D4
        QCOMPARE(d.TabelaMinutos(1, 2, 0).SomaDuracao, qint64(-1000)); // A on D3
        d.PrepararArquivo(*a.u, 0, 1, e);
        QCOMPARE(d.Aviso(), QString());
    }

    // Names are kept once, by their bytes: a name of the row before, a name
    // of an earlier file and names that differ only in a byte above 0x7F
    // all keep their own index; rows point at them and the fields read
    // back as the file holds them.
    void nomesDosRegistros() {
        TDados d;
        d.LerArquivo(gravar(cab() + "D4\tCabe\xE7"
                                    "a\t0\t1\t1\t1\t1\r\n"
                                    "D4\tCabe\xE3"
                                    "a\t0\t1\t1\t1\t1\r\n"
                                    "\x80\x81\tCabe\xE7"
                                    "a\t0\t1\t1\t1\t1\r\n"
                                    "\tx\t0\t1\t1\t1\t1"));
        const auto &r = d.Registros();
        QCOMPARE(r.size(), size_t(4));
        QCOMPARE(d.Nome(r[0].comportamento), QStringLiteral("Cabeça"));
        QCOMPARE(d.Nome(r[1].comportamento), QStringLiteral("Cabeãa"));
        QCOMPARE(r[2].comportamento, r[0].comportamento);
        QCOMPARE(d.Nome(r[2].posicao), QString::fromUtf8("\u20AC\u0081"));
        QCOMPARE(d.Nome(r[3].posicao), QString());
        QCOMPARE(d.Campos(r[2]).Posicao, d.Nome(r[2].posicao));
        QCOMPARE(d.IndiceNome("Cabeça"), r[0].comportamento);
        QCOMPARE(d.IndiceNome("nenhum"), -1);
        const int cabeca = r[0].comportamento, quadrado = r[0].posicao;
        d.LerArquivo(gravar(cab() + "D4\tCabe\xE7"
                                    "a\t0\t1\t1\t1\t1\r\n"));
        QCOMPARE(d.Registros()[0].comportamento, cabeca);
        QCOMPARE(d.Registros()[0].posicao, quadrado);
    }

    // Numbers at the limits of their fields; lines ended by CR LF, LF, a
    // lone CR or nothing; a long file read whole and in order.
    void camposNosLimites() {
        TDados d;
        d.LerArquivo(gravar(cab() + "A\tx\t-999999999999999999\t0\t2147483647\t-2147483648\t0\r"
                                    "B\tx\t-0\t0\t-2147483648\t2147483647\t1\n"
                                    "C\tx\t1e3\t0\t0\t1\t1"));
        const auto &r = d.Registros();
        QCOMPARE(r.size(), size_t(3));
        QCOMPARE(r[0].inicio, -999999999999999999.0);
        QCOMPARE(r[0].duracao, std::numeric_limits<qint32>::max());
        QCOMPARE(r[0].minuto, std::numeric_limits<qint32>::min());
        QVERIFY(std::signbit(r[1].inicio));
        QCOMPARE(r[1].duracao, std::numeric_limits<qint32>::min());
        QCOMPARE(r[2].inicio, 1000.0);
        QCOMPARE((QList<int>{r[0].linha, r[1].linha, r[2].linha}), (QList<int>{11, 12, 13}));
        QCOMPARE(d.Campos(r[2]).Frequencia, QStringLiteral("1"));
        QVERIFY(erroDe([&] {
                    d.LerArquivo(gravar(cab() + "A\tx\t0\t0\t2147483648\t1\t1\r\n"));
                }).contains("Duração \"2147483648\""));

        QByteArray longo = cab();
        const int n = 200000;
        for (int i = 0; i < n; ++i)
            longo += linha(i % 2 ? "D3" : "D4", i % 3 ? "A" : "ENTRADA", n - i, n - i + 1, 1, 1);
        d.LerArquivo(gravar(longo));
        QCOMPARE(d.QdeRegistros(), n);
        d.OrdenarPorInicio();
        QCOMPARE(d.Registros().front().inicio, 1.0);
        QCOMPARE(d.Registros().back().linha, 11);
        QCOMPARE(d.Campos(d.Registros().back()).Comportamento, QStringLiteral("ENTRADA"));
    }

    // Rows cut wherever they fall in the 64-byte blocks their separators
    // are found in: names of 0 to 130 bytes (bytes above 0x7F among them),
    // lines ended by CR LF, LF, a lone CR or (the last) nothing, so that a
    // CR LF also falls across two blocks. Every row reads back as its bytes
    // were written, and a bad row anywhere is named by its line.
    void camposEmQualquerPosicao() {
        QRandomGenerator gen(6464u);
        const char *const fins[] = {"\r\n", "\n", "\r"};
        for (int arquivo = 0; arquivo < 120; ++arquivo) {
            QByteArray corpo;
            QList<QByteArrayList> esperado;
            const int n = gen.bounded(0, 40);
            const int ruim = arquivo % 6 == 5 && n > 0 ? gen.bounded(n) : -1;
            auto nome = [&gen] {
                QByteArray b;
                for (int k = gen.bounded(0, 131); k > 0; --k)
                    b += char(gen.bounded(32, 256)); // no tab, CR or LF
                return b;
            };
            auto numero = [&gen] { return QByteArray::number(gen.bounded(-70000, 700000)); };
            for (int i = 0; i < n; ++i) {
                const QByteArrayList campos{nome(),   nome(),   numero(),
                                            numero(), numero(), i == ruim ? "1.5" : numero(),
                                            numero()};
                esperado << campos;
                corpo += campos.join('\t');
                if (i + 1 < n || gen.bounded(2)) corpo += fins[gen.bounded(3)];
            }
            TDados d;
            const QString arquivoGravado = gravar(cab() + corpo);
            if (ruim >= 0) {
                const QString m = erroDe([&] { d.LerArquivo(arquivoGravado); });
                QVERIFY2(m.contains(QStringLiteral("line %1: Minuto \"1.5\"").arg(11 + ruim)),
                         qPrintable(m));
                continue;
            }
            d.LerArquivo(arquivoGravado);
            QCOMPARE(d.QdeRegistros(), n);
            for (int i = 0; i < n; ++i) {
                const TLinhaRegistro &r = d.Registros()[size_t(i)];
                const TCamposRegistro t = d.Campos(r);
                const QByteArrayList &e = esperado[i];
                QCOMPARE((QStringList{t.Posicao, t.Comportamento, t.Inicio, t.Fim, t.Duracao,
                                      t.Minuto, t.Frequencia}),
                         (QStringList{Cp1252::decodificar(e[0]), Cp1252::decodificar(e[1]), e[2],
                                      e[3], e[4], e[5], e[6]}));
                QCOMPARE(d.Nome(r.posicao), t.Posicao);
                QCOMPARE(d.Nome(r.comportamento), t.Comportamento);
                QCOMPARE(r.linha, 11 + i);
                QCOMPARE((QList<qint64>{qint64(r.inicio), qint64(r.fim), r.duracao, r.minuto,
                                        r.frequencia}),
                         (QList<qint64>{e[2].toLongLong(), e[3].toLongLong(), e[4].toLongLong(),
                                        e[5].toLongLong(), e[6].toLongLong()}));
            }
        }
    }

    // OrdenarPorInicio takes a shortcut for the usual record (starts all
    // different, in one or two ascending runs); on those and on their near
    // misses (a tie within a run or across the two, -0 beside 0, three
    // runs) the rows end in the exchange sort's order, each row whole.
    void ordenarComoLiteral() {
        QRandomGenerator gen(4242u);
        for (int caso = 0; caso < 500; ++caso) {
            const int n = gen.bounded(0, 40);
            std::vector<double> v;
            for (int i = 0, x = -50; i < n; ++i)
                v.push_back(x += gen.bounded(1, 30)); // ascending, distinct, 0 among them often
            // Cut into one to three ascending runs, the later ones first.
            const int runs = 1 + caso % 3;
            std::vector<double> w;
            for (int r = runs - 1; r >= 0; --r)
                for (int i = 0; i < n; ++i)
                    if (i % runs == r) w.push_back(v[size_t(i)]);
            if (caso % 5 == 3 && n > 1) w[size_t(gen.bounded(n))] = w[size_t(gen.bounded(n))];
            bool negativo = false;
            if (caso % 7 == 4)
                for (double &x : w)
                    if (x == 0 && !negativo) x = -0.0, negativo = true;
            QByteArray corpo;
            for (size_t i = 0; i < w.size(); ++i) {
                const QByteArray ini = std::signbit(w[i]) && w[i] == 0
                                           ? QByteArray("-0")
                                           : QByteArray::number(qint64(w[i]));
                corpo += "Q" + QByteArray::number(qint64(i)) + "\tx\t" + ini + "\t" + ini +
                         "\t0\t1\t1\r\n";
            }
            TDados d;
            d.LerArquivo(gravar(cab() + corpo));
            d.OrdenarPorInicio();
            std::vector<int> obtida;
            for (const TLinhaRegistro &r : d.Registros()) {
                obtida.push_back(r.linha - 11);
                QCOMPARE(d.Campos(r).Posicao, QStringLiteral("Q%1").arg(r.linha - 11));
                QCOMPARE(std::signbit(r.inicio), std::signbit(w[size_t(r.linha - 11)]));
            }
            QVERIFY2(obtida == TDados::OrdemDeTrocaLiteral(w), qPrintable(QString::number(caso)));
        }
    }

    // The reader into a reused buffer says what the plain one says, and
    // never keeps bytes of a longer file read before.
    void leituraComMemoriaReusada() {
        QByteArray buffer;
        const QString longo = gravar(QByteArray(100000, 'x'), "longo.tvl");
        const QString curto = gravar("abc", "curto.tvl");
        const QString vazio = gravar(QByteArray(), "vazio.tvl");
        for (const QString &c : {longo, curto, vazio, longo}) {
            Arquivos::lerOuFalhar(c, 200000, buffer);
            QCOMPARE(buffer, Arquivos::lerOuFalhar(c, 200000));
        }
        const QString fifo = m_amb->dados + "fifo";
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        for (const QString &c : {m_amb->dados + "falta.tvl", m_amb->dir.path(), fifo, longo}) {
            const QString esperado = erroDe([&] { Arquivos::lerOuFalhar(c, 99999); });
            QVERIFY(!esperado.isEmpty());
            QCOMPARE(erroDe([&] { Arquivos::lerOuFalhar(c, 99999, buffer); }), esperado);
        }
        QFile::remove(fifo);
    }

    // The order without ties and with every start equal, on large arrays.
    void ordemSemEComEmpates() {
        QRandomGenerator gen(7);
        for (int n : {2, 3, 50, 1200}) {
            std::vector<double> v(static_cast<size_t>(n), 0.0);
            for (int i = 0; i < n; ++i)
                v[size_t(i)] = i * 10.0 + gen.bounded(5);
            std::shuffle(v.begin(), v.end(), std::mt19937(n));
            QVERIFY(igualAoLiteral(v));
            QVERIFY(igualAoLiteral(std::vector<double>(size_t(n), 60000.0)));
            v[size_t(n / 2)] = v[0];
            QVERIFY(igualAoLiteral(v));
        }
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
