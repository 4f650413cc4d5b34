#include "LeitorPlanilha.h"
#include "TInteracaoFalsa.h"
#include "core/Arquivos.h"
#include "core/Cp1252.h"
#include "core/TErro.h"
#include "data/TPlanilhaXLS.h"
#include "data/TVisualizacao.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

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

// The document's rows as "kind:value;kind:value;..." (kind L label, N
// number, I integer), every row filled from column 1 without gaps.
QStringList linhas(const QByteArray &doc) {
    LeitorPlanilha::Celulas c;
    QString erro;
    if (!LeitorPlanilha::ler(doc, &c, &erro)) return {erro};
    QStringList r;
    for (auto it = c.cbegin(); it != c.cend(); ++it) {
        if (it.key().second == 1) r << QString();
        if (it.key().first != r.size() || it.key().second != r.last().count(';') + 1)
            return {QStringLiteral("cell out of place")};
        const int t = it->typeId();
        r.last() += (t == QMetaType::QString  ? ";L:"
                     : t == QMetaType::Double ? ";N:"
                                              : ";I:") +
                    it->toString();
    }
    for (QString &l : r)
        l.remove(0, 1);
    return r;
}

} // namespace

class TstExportar : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString caminho(const QString &nome) const { return m_dir.filePath(nome); }
    QString gravar(const QString &nome, const QByteArray &bytes) {
        if (!Arquivos::gravarAtomico(caminho(nome), bytes)) qFatal("cannot write");
        return caminho(nome);
    }
    QByteArray ler(const QString &nome) const {
        QByteArray b;
        Arquivos::lerTudo(caminho(nome), &b);
        return b;
    }
    QStringList arquivosNaPasta() const {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
    }

private slots:
    void init() {
        for (const QString &n : arquivosNaPasta()) // read-only ones too
            QFile::remove(caminho(n));
    }

    // The viewer's table: caption and six sub-items cut at the tabs, a
    // short line leaving the middle columns empty; a file of fewer than
    // eleven lines shows its title and no rows.
    void carregarDados() {
        TVisualizacao v;
        v.CarregarDados(
            gravar(QStringLiteral("r.tvl"),
                   tresEventos() + "A1\tENTRADA\t7\r\n\r\nsem tabs\r\nB2\t\t\t\t\t\t\tx"));
        QCOMPARE(v.Titulo(), QStringLiteral("Trevalin 2005  |  08/12/2026  |  14:05:33"));
        QCOMPARE(v.Cabecalho().value(4), QStringLiteral("Indivíduo:\trato1"));
        QStringList linhas;
        for (const TLinhaVisualizada &r : v.Linhas())
            linhas << QStringList{r.Posicao,    r.Comportamento,
                                  r.Inicio,     r.Fim,
                                  r.Duracao,    r.Minuto,
                                  r.Frequencia, QString::number(r.linha)}
                          .join(QLatin1Char('|'));
        QCOMPARE(linhas, QStringList({"D4|ENTRADA|0|40000|40000|1|1|11",
                                      "D3|ENTRADA|40000|61234|21234|2|0|12",
                                      "D4|Cabeça|10000|15000|5000|1|1|13", "A1|ENTRADA|||||7|14",
                                      "|||||||15", "||||||sem tabs|16", "B2||||||\tx|17"}));

        v.CarregarDados(gravar(QStringLiteral("curto.tvl"), cabecalho().left(60)));
        QCOMPARE(v.Titulo(), QStringLiteral("Trevalin 2005  |  08/12/2026  |  14:05:33"));
        QVERIFY(v.Linhas().isEmpty());
    }

    // Three events export to 13 rows (header rows split at their tab, times as
    // numbers, minute and frequency as integers). An existing file, even
    // read-only, is replaced only after a Yes; the result is writable.
    void exportar_data() {
        QTest::addColumn<int>("antigo"); // 0 none, 1 read-only and No, 2 read-only and Yes
        QTest::newRow("new file") << 0;
        QTest::newRow("existing, No") << 1;
        QTest::newRow("existing, Yes") << 2;
    }
    void exportar() {
        QFETCH(int, antigo);
        const QString alvo = caminho(QStringLiteral("rato1.XLS"));
        if (antigo) QVERIFY(Arquivos::marcarSomenteLeitura(gravar("rato1.XLS", "antigo")));
        TVisualizacao v;
        v.CarregarDados(gravar(QStringLiteral("rato1.tvl"), tresEventos()));
        TPlanilhaXLS p;
        TInteracaoFalsa ui;
        ui.respostas = {antigo == 2};
        QString final;
        QCOMPARE(v.Exportar(caminho(QStringLiteral("rato1.xls")), p, ui, {}, &final),
                 antigo == 1 ? TVisualizacao::NaoSubstituida : TVisualizacao::Salva);
        QCOMPARE(final, alvo);
        QCOMPARE(ui.perguntas,
                 antigo ? QStringList{TVisualizacao::PerguntaSobrescrever} : QStringList());
        QCOMPARE(ui.mensagens, antigo == 1 ? QStringList() : QStringList{"Planilha Salva!"});
        QCOMPARE(Arquivos::somenteLeitura(alvo), antigo == 1);
        if (antigo == 1) {
            QCOMPARE(ler(QStringLiteral("rato1.XLS")), QByteArray("antigo"));
            return;
        }
        QCOMPARE(linhas(ler(QStringLiteral("rato1.XLS"))),
                 QStringList({"L:Trevalin 2005  |  08/12/2026  |  14:05:33",
                              "L:;L:", "L:Usuario:;L:ana", "L:Experimento:;L:ansiedade",
                              "L:Indivíduo:;L:rato1", "L:Labirinto:;L:CRUZ (3)",
                              "L:Tempo de Sessão:;L:300 segundos", "L:Distância:;L:10 cm", "L:;L:",
                              "L:Posição;L:Comportamento;L:Início;L:Fim;L:Duração;L:Minuto;"
                              "L:Frequência",
                              "L:D4;L:ENTRADA;N:0;N:40000;N:40000;I:1;I:1",
                              "L:D3;L:ENTRADA;N:40000;N:61234;N:21234;I:2;I:0",
                              "L:D4;L:Cabeça;N:10000;N:15000;N:5000;I:1;I:1"}));
    }

    void nomes() {
        // clang-format off
        const char *const casos[][2] = {
            {"d/rato1.xls", "d/rato1.XLS"}, {"rato1.XLS", "rato1.XLS"}, {"rato1", "rato1.XLS"},
            {"rato1.Xls", "rato1.Xls"}, {"rato1.txt", "rato1.XLS"}, {"d.x/rato1", "d.x/rato1.XLS"},
            {"rato1.v2.xls", "rato1.XLS"}}; // ".xls" goes, then ".v2" is the extension
        // clang-format on
        for (const auto &c : casos)
            QCOMPARE(TVisualizacao::NomeExportacao(QString::fromUtf8(c[0])),
                     QString::fromUtf8(c[1]));
        QCOMPARE(TVisualizacao::NomeProposto(QStringLiteral("rato1_T2.tvl")),
                 QStringLiteral("rato1_T2.xls"));
    }

    // A bad record stops the export with a message naming the file (a "%1"
    // in it kept) and the line; nothing is written, new file or old.
    void registrosRuins_data() {
        QTest::addColumn<QByteArray>("conteudo"); // empty: no file at all
        QTest::addColumn<QString>("esperado");
        const QByteArray c = cabecalho();
        const QByteArray ok = "D4\tENTRADA\t0\t40000\t40000\t1\t1\r\n";
        // clang-format off
        QTest::newRow("arquivo ausente") << QByteArray() << "Cannot open file";
        QTest::newRow("cabecalho cortado") << c.left(c.indexOf("Tempo")) << "ends at line 6";
        QTest::newRow("decimal") << c + ok + "D3\tENTRADA\t1.5\t2\t1\t1\t1\r\n"
                                 << "line 12, column \"Início\": '1.5' is not a valid integer";
        QTest::newRow("linha vazia no fim") << c + ok + "\r\n" << "line 12, column \"Início\"";
        QTest::newRow("expoente") << c + "D3\tENTRADA\t1e3\t2\t1\t1\t1\r\n" << "'1e3'";
        QTest::newRow("minuto grande") << c + "D3\tENTRADA\t1\t2\t1\t65536\t1\r\n"
                                       << "\"Minuto\": '65536' is not a whole number from 0 to";
        // clang-format on
        QByteArray muitas = c;
        for (int i = 0; i <= TVisualizacao::MaxLinhas; ++i)
            muitas += ok;
        QTest::newRow("mais linhas que a planilha") << muitas << "has 65526 rows";
    }
    void registrosRuins() {
        QFETCH(QByteArray, conteudo);
        QFETCH(QString, esperado);
        const QString registro = caminho(QStringLiteral("ruim%1.tvl"));
        if (!conteudo.isEmpty()) gravar(QStringLiteral("ruim%1.tvl"), conteudo);
        gravar(QStringLiteral("antigo.XLS"), "antigo");
        TVisualizacao v;
        QString erro;
        try {
            v.CarregarDados(registro);
        } catch (const TErro &e) {
            erro = e.mensagem();
        }
        QVERIFY2(conteudo.isEmpty() ? erro.contains(registro) : erro.isEmpty(), qPrintable(erro));
        for (const QString &saida : {QStringLiteral("ruim"), QStringLiteral("antigo")}) {
            TPlanilhaXLS p;
            TInteracaoFalsa ui;
            QCOMPARE(v.Exportar(caminho(saida), p, ui), TVisualizacao::Falhou);
            QCOMPARE(ui.mensagens.size(), 1);
            QVERIFY2(ui.mensagens[0].contains(esperado) && ui.mensagens[0].contains(registro),
                     qPrintable(ui.mensagens[0]));
            QVERIFY(ui.perguntas.isEmpty());
        }
        QCOMPARE(ler(QStringLiteral("antigo.XLS")), QByteArray("antigo"));
        QCOMPARE(arquivosNaPasta().size(), conteudo.isEmpty() ? 1 : 2);
    }
};

QTEST_GUILESS_MAIN(TstExportar)
#include "tst_exportar.moc"
