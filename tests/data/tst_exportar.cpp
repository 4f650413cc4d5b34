#include "TInteracaoFalsa.h"
#include "core/Arquivos.h"
#include "core/Cp1252.h"
#include "core/TErro.h"
#include "data/TPlanilhaXLS.h"
#include "data/TVisualizacao.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>

namespace {

// Header of a record file as the recording writes it (Windows-1252, CR LF).
QByteArray cabecalho() {
    return Cp1252::codificar(QStringLiteral("Trevalin 2005  |  08/12/2026  |  14:05:33\r\n"
                                            "\r\n"
                                            "Usuario:\tana\r\n"
                                            "Experimento:\tansiedade\r\n"
                                            "Indivíduo:\trato1\r\n"
                                            "Labirinto:\tCRUZ (3)\r\n"
                                            "Tempo de Sessão:\t300 segundos\r\n"
                                            "Distância:\t10 cm\r\n"
                                            "\r\n"
                                            "Posição\tComportamento\tInício\tFim\tDuração\tMinuto\t"
                                            "Frequência\r\n"));
}

QByteArray tresEventos() {
    return cabecalho() +
           Cp1252::codificar(QStringLiteral("D4\tENTRADA\t0\t40000\t40000\t1\t1\r\n"
                                            "D3\tENTRADA\t40000\t61234\t21234\t2\t0\r\n"
                                            "D4\tCabeça\t10000\t15000\t5000\t1\t1\r\n"));
}

// One cell of a sheet: kind 'L' label, 'N' number, 'I' integer.
struct Celula {
    int linha, coluna;
    char tipo;
    QVariant valor;
    bool operator==(const Celula &o) const {
        return linha == o.linha && coluna == o.coluna && tipo == o.tipo && valor == o.valor;
    }
};

// Cells of a document made of BOF, DIMENSIONS, cell records and EOF.
QList<Celula> celulas(const QByteArray &doc) {
    QList<Celula> r;
    auto u16 = [&doc](qsizetype p) { return quint16(quint8(doc[p]) | (quint8(doc[p + 1]) << 8)); };
    for (qsizetype p = 0; p + 4 <= doc.size();) {
        const quint16 id = u16(p), n = u16(p + 2);
        const qsizetype c = p + 4;
        if (id >= 2 && id <= 4) {
            Celula x{u16(c) + 1, u16(c + 2) + 1, "INL" [id - 2], {}};
            if (id == 2) x.valor = int(u16(c + 7));
            if (id == 3) {
                double d;
                std::memcpy(&d, doc.constData() + c + 7, 8);
                x.valor = d;
            }
            if (id == 4) x.valor = Cp1252::decodificar(doc.mid(c + 8, quint8(doc[c + 7])));
            r.append(x);
        }
        p = c + n;
    }
    return r;
}

QString python3ComXlrd() {
    for (const QString &c : {QStandardPaths::findExecutable(QStringLiteral("python3")),
                             QStringLiteral("/usr/bin/python3")}) {
        if (c.isEmpty() || !QFileInfo::exists(c)) continue;
        QProcess p;
        p.start(c, {QStringLiteral("-c"), QStringLiteral("import xlrd")});
        if (p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
            return c;
    }
    return {};
}

} // namespace

class TstExportar : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString caminho(const QString &nome) const { return m_dir.filePath(nome); }
    QString gravar(const QString &nome, const QByteArray &bytes) {
        QFile f(caminho(nome));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write");
        f.write(bytes);
        return caminho(nome);
    }
    QByteArray ler(const QString &nome) const {
        QByteArray b;
        Arquivos::lerTudo(caminho(nome), &b);
        return b;
    }

private slots:
    void init() {
        for (const QString &n : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden)) {
            Arquivos::desmarcarSomenteLeitura(caminho(n));
            QFile::remove(caminho(n));
        }
    }

    // The viewer's table: caption and six sub-items cut at the tabs, short
    // lines leaving the middle columns empty.
    void carregarDados() {
        TVisualizacao v;
        v.CarregarDados(
            gravar(QStringLiteral("r.tvl"),
                   tresEventos() + "A1\tENTRADA\t7\r\n\r\nsem tabs\r\nB2\t\t\t\t\t\t\tx"));
        QCOMPARE(v.Titulo(), QStringLiteral("Trevalin 2005  |  08/12/2026  |  14:05:33"));
        QCOMPARE(v.Cabecalho().size(), 9);
        QCOMPARE(v.Cabecalho()[4], QStringLiteral("Indivíduo:\trato1"));
        QCOMPARE(v.Linhas().size(), 7);
        const TLinhaVisualizada &c = v.Linhas()[2];
        QCOMPARE(QStringList({c.Posicao, c.Comportamento, c.Inicio, c.Fim, c.Duracao, c.Minuto,
                              c.Frequencia}),
                 QStringList({"D4", "Cabeça", "10000", "15000", "5000", "1", "1"}));
        QCOMPARE(c.linha, 13);
        auto campos = [&v](int i) {
            const TLinhaVisualizada &r = v.Linhas()[i];
            return QStringList{r.Posicao, r.Comportamento, r.Inicio,    r.Fim,
                               r.Duracao, r.Minuto,        r.Frequencia};
        };
        QCOMPARE(campos(3), QStringList({"A1", "ENTRADA", "", "", "", "", "7"}));
        QCOMPARE(campos(4), QStringList({"", "", "", "", "", "", ""}));
        QCOMPARE(campos(5), QStringList({"", "", "", "", "", "", "sem tabs"}));
        QCOMPARE(campos(6), QStringList({"B2", "", "", "", "", "", "\tx"}));

        // Fewer than eleven lines: the title and no rows.
        v.CarregarDados(gravar(QStringLiteral("curto.tvl"), cabecalho().left(60)));
        QCOMPARE(v.Titulo(), QStringLiteral("Trevalin 2005  |  08/12/2026  |  14:05:33"));
        QVERIFY(v.Linhas().isEmpty());
    }

    // A record with three events exports to 13 rows: title, eight header
    // rows split at their tab (blank lines as two empty texts), the fixed
    // titles, then one row per event with times as numbers and minute and
    // frequency as integers.
    void exemploDeTresEventos() {
        TVisualizacao v;
        v.CarregarDados(gravar(QStringLiteral("rato1.tvl"), tresEventos()));
        TPlanilhaXLS p;
        TInteracaoFalsa ui;
        QString final;
        QCOMPARE(v.Exportar(caminho(QStringLiteral("rato1.xls")), p, ui, {}, &final),
                 TVisualizacao::Salva);
        QCOMPARE(final, caminho(QStringLiteral("rato1.XLS")));
        QCOMPARE(ui.mensagens, QStringList{QStringLiteral("Planilha Salva!")});
        QVERIFY(ui.perguntas.isEmpty());
        QCOMPARE(ler(QStringLiteral("rato1.XLS")), p.Conteudo());
        QVERIFY(p.Conteudo().endsWith(QByteArray::fromHex("0A000000")));
        QVERIFY(!Arquivos::somenteLeitura(final)); // the window's export stays writable

        auto L = [](int l, int c, const QString &t) { return Celula{l, c, 'L', t}; };
        auto N = [](int l, int c, double d) { return Celula{l, c, 'N', d}; };
        auto I = [](int l, int c, int i) { return Celula{l, c, 'I', i}; };
        QList<Celula> esperado{L(1, 1, "Trevalin 2005  |  08/12/2026  |  14:05:33"), L(2, 1, ""),
                               L(2, 2, "")};
        const QStringList pares{"Usuario:",         "ana",          "Experimento:", "ansiedade",
                                "Indivíduo:",       "rato1",        "Labirinto:",   "CRUZ (3)",
                                "Tempo de Sessão:", "300 segundos", "Distância:",   "10 cm"};
        for (int i = 0; i < 6; ++i)
            esperado << L(3 + i, 1, pares[2 * i]) << L(3 + i, 2, pares[2 * i + 1]);
        esperado << L(9, 1, "") << L(9, 2, "");
        const QStringList titulos{"Posição", "Comportamento", "Início",    "Fim",
                                  "Duração", "Minuto",        "Frequência"};
        for (int c = 0; c < 7; ++c)
            esperado << L(10, c + 1, titulos[c]);
        esperado << L(11, 1, "D4") << L(11, 2, "ENTRADA") << N(11, 3, 0) << N(11, 4, 40000)
                 << N(11, 5, 40000) << I(11, 6, 1) << I(11, 7, 1);
        esperado << L(12, 1, "D3") << L(12, 2, "ENTRADA") << N(12, 3, 40000) << N(12, 4, 61234)
                 << N(12, 5, 21234) << I(12, 6, 2) << I(12, 7, 0);
        esperado << L(13, 1, "D4") << L(13, 2, "Cabeça") << N(13, 3, 10000) << N(13, 4, 15000)
                 << N(13, 5, 5000) << I(13, 6, 1) << I(13, 7, 1);
        const QList<Celula> obtido = celulas(p.Conteudo());
        QCOMPARE(obtido.size(), esperado.size());
        for (int i = 0; i < esperado.size(); ++i)
            QVERIFY2(obtido[i] == esperado[i], qPrintable(QString::number(i)));
    }

    void nomes_data() {
        QTest::addColumn<QString>("escolhido");
        QTest::addColumn<QString>("final");
        QTest::newRow("xls") << "d/rato1.xls"
                             << "d/rato1.XLS";
        QTest::newRow("XLS") << "rato1.XLS"
                             << "rato1.XLS";
        QTest::newRow("sem extensao") << "rato1"
                                      << "rato1.XLS";
        QTest::newRow("Xls como digitado") << "rato1.Xls"
                                           << "rato1.Xls";
        QTest::newRow("outra extensao") << "rato1.txt"
                                        << "rato1.XLS";
        // ".xls" goes first, then the inner dot counts as the extension.
        QTest::newRow("dois pontos") << "rato1.v2.xls"
                                     << "rato1.XLS";
        QTest::newRow("pasta com ponto") << "d.x/rato1"
                                         << "d.x/rato1.XLS";
    }
    void nomes() {
        QFETCH(QString, escolhido);
        QFETCH(QString, final);
        QCOMPARE(TVisualizacao::NomeExportacao(escolhido), final);
        QCOMPARE(TVisualizacao::NomeProposto(QStringLiteral("rato1_T2.tvl")),
                 QStringLiteral("rato1_T2.xls"));
    }

    // An existing file: No leaves it and says nothing; Yes replaces it even
    // when read-only; the options decide whether the result is read-only.
    void arquivoExistente_data() {
        QTest::addColumn<bool>("resposta");
        QTest::addColumn<bool>("antigoSomenteLeitura");
        QTest::addColumn<bool>("resultadoSomenteLeitura");
        QTest::newRow("nao") << false << true << false;
        QTest::newRow("sim, antigo somente leitura") << true << true << false;
        QTest::newRow("sim, resultado somente leitura") << true << false << true;
    }
    void arquivoExistente() {
        QFETCH(bool, resposta);
        QFETCH(bool, antigoSomenteLeitura);
        QFETCH(bool, resultadoSomenteLeitura);
        const QString alvo = gravar(QStringLiteral("rato1.XLS"), "antigo");
        if (antigoSomenteLeitura) QVERIFY(Arquivos::marcarSomenteLeitura(alvo));
        TVisualizacao v;
        v.CarregarDados(gravar(QStringLiteral("rato1.tvl"), tresEventos()));
        TPlanilhaXLS p;
        TInteracaoFalsa ui;
        ui.respostas = {resposta};
        const auto r = v.Exportar(caminho(QStringLiteral("rato1")), p, ui,
                                  resultadoSomenteLeitura ? TPlanilhaXLS::GravSomenteLeitura
                                                          : TPlanilhaXLS::GravNormal);
        QCOMPARE(ui.perguntas, QStringList{TVisualizacao::PerguntaSobrescrever});
        if (!resposta) {
            QCOMPARE(r, TVisualizacao::NaoSubstituida);
            QVERIFY(ui.mensagens.isEmpty());
            QCOMPARE(ler(QStringLiteral("rato1.XLS")), QByteArray("antigo"));
            QVERIFY(Arquivos::somenteLeitura(alvo));
            return;
        }
        QCOMPARE(r, TVisualizacao::Salva);
        QCOMPARE(ui.mensagens, QStringList{QStringLiteral("Planilha Salva!")});
        QCOMPARE(ler(QStringLiteral("rato1.XLS")), p.Conteudo());
        QCOMPARE(Arquivos::somenteLeitura(alvo), resultadoSomenteLeitura);
    }

    // A bad record stops the export with a message naming the file and the
    // line at fault; nothing is written and an old file stays as it was.
    void registrosRuins_data() {
        QTest::addColumn<QByteArray>("conteudo"); // empty: no file at all
        QTest::addColumn<QString>("esperado");
        const QByteArray c = cabecalho();
        const QByteArray ok = "D4\tENTRADA\t0\t40000\t40000\t1\t1\r\n";
        QTest::newRow("arquivo ausente") << QByteArray() << "Cannot open file";
        QTest::newRow("cabecalho cortado") << c.left(c.indexOf("Tempo")) << "ends at line 6";
        QTest::newRow("sem titulos") << c.left(c.lastIndexOf("Posi")) << "ends at line 9";
        QTest::newRow("decimal") << c + ok + "D3\tENTRADA\t1.5\t2\t1\t1\t1\r\n"
                                 << "line 12, column \"Início\": '1.5' is not a valid integer";
        QTest::newRow("fim vazio") << c + "D3\tENTRADA\t1\t\t1\t1\t1\r\n"
                                   << "line 11, column \"Fim\": '' is not a valid integer";
        QTest::newRow("linha vazia no fim") << c + ok + "\r\n"
                                            << "line 12, column \"Início\"";
        QTest::newRow("expoente") << c + "D3\tENTRADA\t1e3\t2\t1\t1\t1\r\n"
                                  << "'1e3'";
        QTest::newRow("alem de 32 bits") << c + "D3\tENTRADA\t1\t2\t4294967297\t1\t1\r\n"
                                         << "'4294967297'";
        QTest::newRow("minuto grande") << c + "D3\tENTRADA\t1\t2\t1\t65536\t1\r\n"
                                       << "\"Minuto\": '65536' is not a whole number from 0 to";
        QTest::newRow("frequencia negativa") << c + "D3\tENTRADA\t1\t2\t1\t1\t-1\r\n"
                                             << "\"Frequência\": '-1' is not a whole number";
        QByteArray muitas = c;
        for (int i = 0; i <= TVisualizacao::MaxLinhas; ++i)
            muitas += ok;
        QTest::newRow("mais linhas que a planilha") << muitas << "has 65526 rows";
    }
    void registrosRuins() {
        QFETCH(QByteArray, conteudo);
        QFETCH(QString, esperado);
        const QString registro = caminho(QStringLiteral("ruim.tvl"));
        if (!conteudo.isEmpty()) gravar(QStringLiteral("ruim.tvl"), conteudo);
        gravar(QStringLiteral("antigo.XLS"), "antigo");

        TVisualizacao v;
        try {
            v.CarregarDados(registro);
            QVERIFY(!conteudo.isEmpty());
        } catch (const TErro &e) {
            QVERIFY(conteudo.isEmpty());
            QVERIFY(e.mensagem().contains(QDir::toNativeSeparators(registro)));
        }
        for (const QString &saida : {QStringLiteral("ruim"), QStringLiteral("antigo")}) {
            TPlanilhaXLS p;
            TInteracaoFalsa ui;
            QCOMPARE(v.Exportar(caminho(saida), p, ui), TVisualizacao::Falhou);
            QCOMPARE(ui.mensagens.size(), 1);
            QVERIFY2(ui.mensagens[0].contains(esperado), qPrintable(ui.mensagens[0]));
            QVERIFY2(ui.mensagens[0].contains(QDir::toNativeSeparators(registro)),
                     qPrintable(ui.mensagens[0]));
            QVERIFY(ui.perguntas.isEmpty());
        }
        QVERIFY(!QFile::exists(caminho(QStringLiteral("ruim.XLS"))));
        QCOMPARE(ler(QStringLiteral("antigo.XLS")), QByteArray("antigo"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(),
                 conteudo.isEmpty() ? 1 : 2);
    }

    // The exported file as an independent reader of the format sees it.
    void lidaPorOutroLeitor() {
        const QString python = python3ComXlrd();
        if (python.isEmpty())
            QSKIP("python3 with the xlrd module is not installed (Debian package python3-xlrd)");
        TVisualizacao v;
        v.CarregarDados(gravar(QStringLiteral("rato1.tvl"), tresEventos()));
        TPlanilhaXLS p;
        TInteracaoFalsa ui;
        QString final;
        QCOMPARE(v.Exportar(caminho(QStringLiteral("rato1")), p, ui, {}, &final),
                 TVisualizacao::Salva);
        const char *script = R"PY(
import json, sys, xlrd
s = xlrd.open_workbook(sys.argv[1], encoding_override="cp1252").sheet_by_index(0)
print(json.dumps([s.nrows, s.ncols, s.row_values(4), s.row_values(9), s.row_values(12),
                  [c.ctype for c in s.row(12)]]))
)PY";
        QProcess proc;
        proc.start(python, {QStringLiteral("-c"), QString::fromUtf8(script), final});
        QVERIFY(proc.waitForFinished(30000));
        QVERIFY2(proc.exitCode() == 0, proc.readAllStandardError().constData());
        const QJsonArray r = QJsonDocument::fromJson(proc.readAllStandardOutput()).array();
        QCOMPARE(r[0].toInt(), 13);
        QCOMPARE(r[1].toInt(), 7);
        QCOMPARE(r[2].toArray(), QJsonArray({"Indivíduo:", "rato1", "", "", "", "", ""}));
        QCOMPARE(r[3].toArray(), QJsonArray({"Posição", "Comportamento", "Início", "Fim", "Duração",
                                             "Minuto", "Frequência"}));
        QCOMPARE(r[4].toArray(), QJsonArray({"D4", "Cabeça", 10000, 15000, 5000, 1, 1}));
        // Text, text, then numbers (xlrd reads integer cells as numbers too).
        QCOMPARE(r[5].toArray(), QJsonArray({1, 1, 2, 2, 2, 2, 2}));
    }
};

QTEST_GUILESS_MAIN(TstExportar)
#include "tst_exportar.moc"
