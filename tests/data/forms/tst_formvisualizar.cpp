// The record viewer driven through its widgets: a folder double-clicked,
// a record shown and exported (13 rows), a short record, the overwrite
// question, and a record too long for one sheet.

#include "ArvoreArquivos.h"
#include "TInteracaoFalsa.h"
#include "core/Arquivos.h"
#include "core/Cp1252.h"
#include "data/LeitorPlanilha.h"
#include "data/forms/TFormVisualizar.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList kCabecalho = {"Trevalin 2005  |  08/12/2026  |  14:05:33",
                                "",
                                "Usuario:\tana",
                                "Experimento:\tExp1",
                                "Indivíduo:\trato1",
                                "Labirinto:\tCRUZ (3)",
                                "Tempo de Sessão:\t300 segundos",
                                "Distância:\t10 cm",
                                "",
                                "Posição\tComportamento\tInício\tFim\tDuração\tMinuto\tFrequência"};

void gravar(const QString &caminho, const QStringList &linhas) {
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    QVERIFY(Arquivos::gravarAtomico(caminho, Cp1252::codificar(linhas.join("\r\n") + "\r\n")));
}

QByteArray ler(const QString &caminho) {
    QByteArray b;
    Arquivos::lerTudo(caminho, &b);
    return b;
}

} // namespace

class TstFormVisualizar : public QObject {
    Q_OBJECT

    QTemporaryDir m_raiz;
    QString m_pasta;
    TInteracaoFalsa m_interacao;
    std::unique_ptr<TFormVisualizar> m_w;
    int m_dialogos = 0;

    QTreeView *arvore() { return m_w->findChild<QTreeView *>("ShellTreeView"); }
    QTableView *tabela() { return m_w->findChild<QTableView *>("ListView"); }
    QPushButton *exportar() { return m_w->findChild<QPushButton *>("SpeedButtonExportar"); }
    // Export with the dialog answering `nome`.
    void exportarPara(const QString &nome) {
        m_w->DialogoSalvar = [this, nome](QWidget *, const QString &) {
            ++m_dialogos;
            return nome;
        };
        QTest::mouseClick(exportar(), Qt::LeftButton);
    }

private slots:
    void init() {
        static int n = 0;
        m_pasta = m_raiz.filePath(QStringLiteral("u%1").arg(++n));
        gravar(m_pasta + "/Exp1/rato1.tvl",
               kCabecalho + QStringList{"D4\tENTRADA\t0\t40000\t40000\t1\t1",
                                        "D3\tENTRADA\t40000\t60000\t20000\t1\t1",
                                        "D3\tENTRADA\t60000\t300000\t240000\t2\t0"});
        gravar(m_pasta + "/Exp1/curto.tvl", kCabecalho.mid(0, 4));
        m_interacao = TInteracaoFalsa();
        m_dialogos = 0;
        m_w = std::make_unique<TFormVisualizar>(
            m_pasta, QStringLiteral(TREVALIN_RESOURCES "/idiomas/portugues.ini"), &m_interacao);
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
    }
    void cleanup() { m_w.reset(); }

    // A record shows its three rows; a folder empties the table and
    // disables the export; the export writes the 13 rows of the sheet.
    void mostrarEExportar() {
        QVERIFY(!exportar()->isEnabled());
        QVERIFY(ArvoreArquivos::duploClique(arvore(), m_pasta + "/Exp1/rato1.tvl"));
        QCOMPARE(tabela()->model()->rowCount(), 3);
        QCOMPARE(tabela()->model()->index(1, 4).data().toString(), QString("20000"));
        QCOMPARE(m_w->findChild<QLabel *>("LabelTitulo")->text(), kCabecalho[0]);
        QCOMPARE(m_w->findChild<QLabel *>("LabelArquivo")->text(), QString("rato1.tvl"));
        QVERIFY(exportar()->isEnabled());

        const QString saida = m_raiz.filePath("rato1.xls");
        exportarPara(saida);
        const QString final = m_raiz.filePath("rato1.XLS");
        QCOMPARE(m_interacao.mensagens, QStringList{"Planilha Salva!"});
        const auto c = LeitorPlanilha::lerArquivo(final);
        int linhas = 0;
        for (auto it = c.cbegin(); it != c.cend(); ++it)
            linhas = qMax(linhas, it.key().first);
        QCOMPARE(linhas, 13);
        QCOMPARE(c.value({7, 2}), QVariant("300 segundos"));
        QCOMPARE(c.value({2, 2}), QVariant(""));
        QCOMPARE(c.value({13, 5}), QVariant(240000.0));
        QCOMPARE(c.value({13, 7}), QVariant(0));

        // The other formats, by the picked name's extension.
        exportarPara(m_raiz.filePath("rato1.csv"));
        QCOMPARE(ler(m_raiz.filePath("rato1.csv")),
                 QByteArray("record,square,behaviour,start_ms,end_ms,duration_ms,minute,frequency\n"
                            "rato1,D4,ENTRADA,0,40000,40000,1,1\n"
                            "rato1,D3,ENTRADA,40000,60000,20000,1,1\n"
                            "rato1,D3,ENTRADA,60000,300000,240000,2,0\n"));
        exportarPara(m_raiz.filePath("rato1.xlsx"));
        QVERIFY(ler(m_raiz.filePath("rato1.xlsx")).startsWith("PK"));
        QCOMPARE(m_interacao.mensagens, QStringList(3, "Planilha Salva!"));

        QVERIFY(ArvoreArquivos::duploClique(arvore(), m_pasta + "/Exp1"));
        QCOMPARE(tabela()->model()->rowCount(), 0);
        QVERIFY(!exportar()->isEnabled());
        QVERIFY(m_w->findChild<QLabel *>("LabelTitulo")->text().isEmpty());
    }

    // An existing read-only sheet: No leaves it and says nothing; Yes
    // replaces it.
    void sobrescrever() {
        m_w->CarregarDados(m_pasta + "/Exp1/rato1.tvl");
        const QString final = m_raiz.filePath("velha.XLS");
        QVERIFY(Arquivos::gravarAtomico(final, "antiga"));
        QVERIFY(Arquivos::marcarSomenteLeitura(final));
        m_interacao.respostas = {false, true};
        exportarPara(m_raiz.filePath("velha"));
        QCOMPARE(m_interacao.perguntas.size(), 1);
        QCOMPARE(ler(final), QByteArray("antiga"));
        QVERIFY(m_interacao.mensagens.isEmpty());
        exportarPara(final);
        QCOMPARE(m_interacao.mensagens, QStringList{"Planilha Salva!"});
        QVERIFY(ler(final).startsWith(QByteArray::fromHex("0908")));
    }

    // Fewer than eleven lines: the title and no rows. Cut before its column
    // titles it is no record: the export says so before any dialog.
    void registroCurto() {
        QVERIFY(ArvoreArquivos::duploClique(arvore(), m_pasta + "/Exp1/curto.tvl"));
        QCOMPARE(tabela()->model()->rowCount(), 0);
        QCOMPARE(m_w->findChild<QLabel *>("LabelTitulo")->text(), kCabecalho[0]);
        exportarPara(m_raiz.filePath("curto.xls"));
        QCOMPARE(m_dialogos, 0);
        QCOMPARE(m_interacao.mensagens.size(), 1);
        QVERIFY2(m_interacao.mensagens[0].contains("curto.tvl"),
                 qPrintable(m_interacao.mensagens[0]));
        QVERIFY(!QFileInfo::exists(m_raiz.filePath("curto.XLS")));
    }

    // One event more than an .xls sheet holds below its header: refused as
    // .xls, saying why, once the name says .xls (the other formats hold
    // it: exported as .xlsx); one fewer is exported as .xls.
    void longoDemais() {
        QStringList linhas = kCabecalho;
        for (int i = 0; i < 65526; ++i)
            linhas << QStringLiteral("D4\tENTRADA\t%1\t%2\t1\t1\t1").arg(i).arg(i + 1);
        gravar(m_pasta + "/Exp1/longo.tvl", linhas);
        m_w->CarregarDados(m_pasta + "/Exp1/longo.tvl");
        QCOMPARE(tabela()->model()->rowCount(), 65526);
        exportarPara(m_raiz.filePath("longo.xls"));
        QCOMPARE(m_dialogos, 1);
        QCOMPARE(m_interacao.mensagens.size(), 1);
        QVERIFY2(m_interacao.mensagens[0].contains("65526 rows"),
                 qPrintable(m_interacao.mensagens[0]));
        QVERIFY(!QFileInfo::exists(m_raiz.filePath("longo.XLS")));
        exportarPara(m_raiz.filePath("longo.xlsx"));
        QCOMPARE(m_interacao.mensagens.last(), QString("Planilha Salva!"));
        QVERIFY(QFileInfo::exists(m_raiz.filePath("longo.xlsx")));
        linhas.removeLast();
        gravar(m_pasta + "/Exp1/longo.tvl", linhas);
        m_w->CarregarDados(m_pasta + "/Exp1/longo.tvl");
        exportarPara(m_raiz.filePath("longo.xls"));
        QCOMPARE(m_dialogos, 3);
        QCOMPARE(m_interacao.mensagens.last(), QString("Planilha Salva!"));
    }
};

QTEST_MAIN(TstFormVisualizar)
#include "tst_formvisualizar.moc"
