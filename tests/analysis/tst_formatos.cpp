#include "AmbienteAnalise.h"
#include "TInteracaoFalsa.h"
#include "analysis/TAnalise.h"
#include "analysis/TDados.h"
#include "data/TPlanilha.h"
#include "data/TVisualizacao.h"

#include <QProcess>
#include <QTest>

using namespace AmbienteAnalise;
using A = TAnalise;

Q_DECLARE_METATYPE(TAnalise::Tipo)

// The full-capacity runs read 2601 records three times over; under the
// sanitizers every read of a record costs its 64 MiB buffer, filled.
#ifdef __SANITIZE_ADDRESS__
#define PULAR_SOB_SANITIZADOR()                                                                    \
    QSKIP("full-capacity runs are left to the normal build (too slow under the sanitizers)")
#else
#define PULAR_SOB_SANITIZADOR() (void)0
#endif

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");

// Runs the comparison script over the three files of one run.
void comparar(const QString &base, const QStringList &opcoes) {
    QProcess p;
    p.start(kPython, QStringList{QStringLiteral(TREVALIN_TEST_DATA "/comparar_formatos.py"),
                                 base + ".XLS", base + ".xlsx", base + ".csv"} +
                         opcoes);
    QVERIFY(p.waitForFinished(240000));
    const QByteArray err = p.readAllStandardError();
    QVERIFY2(p.exitCode() == 0 && p.exitStatus() == QProcess::NormalExit, err.constData());
    qInfo("%s", p.readAllStandardOutput().trimmed().constData());
}

// The script's keys for an analysis sheet; `linhasPorRegistro` rows per
// record, `porGrupo` records per group (named g1, g2, ...).
QStringList opcoes(A::Tipo tipo, int linhasPorRegistro, const QList<int> &porGrupo) {
    const bool quadrado = tipo == A::Quadrado || tipo == A::QuadradoMinuto;
    const bool minuto = tipo >= A::CompactaMinuto;
    const int titulos = quadrado ? 2 : 4;
    QStringList grupos;
    int linha = titulos + 1;
    for (int g = 0; g < porGrupo.size(); ++g) {
        grupos << QStringLiteral("%1:g%2").arg(linha).arg(g + 1);
        linha += porGrupo[g] * linhasPorRegistro;
    }
    QStringList o{"folha=" + A::NomeDoTipo(tipo), QStringLiteral("titulos=%1").arg(titulos),
                  "pos=1", "reg=2", "grupos=" + grupos.join(';')};
    if (quadrado)
        o << "comp=c4"
          << "med=c5" << QStringLiteral("min=%1").arg(minuto ? 6 : 0) << "regioes=2"
          << QStringLiteral("valor=%1").arg(minuto ? 7 : 6);
    else
        o << "comp=l1"
          << "med=l2" << QStringLiteral("min=%1").arg(minuto ? 4 : 0) << "regioes=3,4"
          << QStringLiteral("valor=%1").arg(minuto ? 5 : 4);
    return o;
}

bool semPython() {
    return QProcess::execute(kPython, {"-c", "import xlrd, openpyxl, pandas"}) != 0;
}

} // namespace

// Every analysis kind and the record export, written as .xls, .xlsx and
// tidy CSV, read back by other programs' readers and compared value by
// value with the .xls.
class TstFormatos : public QObject {
    Q_OBJECT

    std::unique_ptr<Ambiente> m_cruz;

    // One run of `tipo` into base + each format's extension.
    void rodarTodos(Ambiente &a, TDados &dados, A::Tipo tipo, const QString &base) {
        for (TPlanilha::Formato f : {TPlanilha::Xls, TPlanilha::Xlsx, TPlanilha::Csv}) {
            const auto p = TPlanilha::Criar(f);
            TInteracaoFalsa i;
            TAnalise an(*a.u, dados, *p, &i);
            const A::Resultado r = an.Executar(tipo, base, A::Substituir);
            QVERIFY2(r == A::Sucesso, qPrintable(i.mensagens.join('\n')));
            QCOMPARE(an.ArquivoFinal(), p->NomeArquivo(base));
        }
    }

private slots:
    void initTestCase() {
        if (semPython())
            QSKIP("python3 with xlrd, openpyxl and pandas is needed (Debian packages "
                  "python3-xlrd, python3-openpyxl, python3-pandas)");
        // An accented behaviour, user and record name.
        m_cruz = std::make_unique<Ambiente>("CRUZ (3)", QMap<int, QString>{{1, "Posição"}}, "José");
        for (const char *r : {"r1", "ração"})
            m_cruz->registro(QString::fromUtf8(r) + ".tvl",
                             caminho("D4 D3 D2 D3 D4 B4 A4", 20000, 180000) +
                                 linha("D3", "Posição", 40000, 41500, 1, 1) +
                                 linha("A4", "Posição", 130000, 131250, 3, 1),
                             "180");
    }

    void analises_data() {
        QTest::addColumn<A::Tipo>("tipo");
        QTest::addColumn<int>("linhas"); // per record: 2 behaviours, 3 minutes
        QTest::newRow("compacta") << A::Compacta << 1;
        QTest::newRow("compacta-braco") << A::CompactaPorBraco << 1;
        QTest::newRow("quadrado") << A::Quadrado << 4;
        QTest::newRow("compacta-minuto") << A::CompactaMinuto << 3;
        QTest::newRow("compacta-braco-minuto") << A::CompactaPorBracoMinuto << 3;
        QTest::newRow("quadrado-minuto") << A::QuadradoMinuto << 12;
    }
    void analises() {
        QFETCH(A::Tipo, tipo);
        QFETCH(int, linhas);
        TDados dados;
        dados.InserirGrupo("g1", {"r1", "ração"});
        dados.InserirGrupo("g2", {"ração"});
        const QString base = m_cruz->dir.filePath(A::NomeDoTipo(tipo));
        rodarTodos(*m_cruz, dados, tipo, base);
        comparar(base, opcoes(tipo, linhas, {2, 1}));
    }

    // The arena's and the I maze's compact sheets have layouts of their own.
    void outrosLabirintos_data() {
        QTest::addColumn<QString>("labirinto");
        QTest::addColumn<QString>("quadrados");
        QTest::addColumn<A::Tipo>("tipo");
        QTest::addColumn<int>("linhas");
        QTest::newRow("arena") << "ARENA (6x6)"
                               << "A1 B1 C2 C3 D4 F6" << A::Compacta << 1;
        QTest::newRow("I maze") << "EM I (3)"
                                << "A1 B1 C1 D1 E1 F1" << A::Compacta << 1;
        QTest::newRow("I maze, per minute") << "EM I (3)"
                                            << "A1 B1 C1 D1 E1 F1" << A::CompactaMinuto << 5;
    }
    void outrosLabirintos() {
        QFETCH(QString, labirinto);
        QFETCH(QString, quadrados);
        QFETCH(A::Tipo, tipo);
        QFETCH(int, linhas);
        Ambiente a(labirinto, {{1, "Posição"}});
        const QByteArray q = quadrados.toLatin1();
        a.registro("r.tvl", caminho(q.constData(), 30000, 300000) +
                                linha(quadrados.left(2), "Posição", 40000, 41500, 1, 1));
        TDados dados;
        dados.InserirGrupo("g1", {"r", "r"});
        const QString base = a.dir.filePath("s");
        rodarTodos(a, dados, tipo, base);
        comparar(base, opcoes(tipo, linhas, {2}));
    }

    // The full capacity, 51 groups of 51 records, square by square: 2 rows
    // x 2 behaviours x 2601 records (10,404 rows, still within what xlrd
    // reads of the .xls it is compared with).
    void quadradoGrande() {
        PULAR_SOB_SANITIZADOR();
        TDados dados;
        for (int g = 1; g <= 51; ++g)
            dados.InserirGrupo(QStringLiteral("g%1").arg(g), QStringList(51, "ração"));
        const QString base = m_cruz->dir.filePath("grande");
        rodarTodos(*m_cruz, dados, A::Quadrado, base);
        comparar(base, opcoes(A::Quadrado, 4, QList<int>(51, 51)));
    }

    // Past the .xls's 65,535 rows: refused as .xls with nothing written,
    // written whole as .xlsx and CSV.
    void alemDoXls() {
        PULAR_SOB_SANITIZADOR();
        Ambiente a("CRUZ (3)", {{1, "A"}, {2, "B"}, {3, "C"}});
        a.registro("r.tvl", caminho("D4 D3", 20000, 300000));
        TDados dados;
        // A group name that looks like a placeholder of the message.
        for (int g = 1; g <= 51; ++g)
            dados.InserirGrupo(QStringLiteral("g%1 %3").arg(g), QStringList(51, "r"));
        // 2 rows x 4 behaviours x 5 minutes x 2601 records + 2 title rows.
        const qint64 linhas = 2 + 2 * 4 * 5 * 2601;
        const QString base = a.dir.filePath("q");
        for (TPlanilha::Formato f : {TPlanilha::Xls, TPlanilha::Xlsx, TPlanilha::Csv}) {
            const auto p = TPlanilha::Criar(f);
            TInteracaoFalsa i;
            TAnalise an(*a.u, dados, *p, &i);
            const A::Resultado r = an.Executar(A::QuadradoMinuto, base, A::NaoSubstituir);
            QCOMPARE(r, f == TPlanilha::Xls ? A::Falha : A::Sucesso);
            if (f == TPlanilha::Xls)
                QVERIFY2(an.Erro().contains("(group \"g33 %3\") it needs 65562 rows") &&
                             an.Erro().contains(".xlsx"),
                         qPrintable(an.Erro()));
            QCOMPARE(QFileInfo::exists(p->NomeArquivo(base)), f != TPlanilha::Xls);
        }
        const char *script = R"PY(
import sys, openpyxl, pandas as pd
ws = openpyxl.load_workbook(sys.argv[1], read_only=True).worksheets[0]
print(ws.max_row, ws.max_column, len(pd.read_csv(sys.argv[2])))
)PY";
        QProcess p;
        p.start(kPython, {"-c", script, base + ".xlsx", base + ".csv"});
        QVERIFY(p.waitForFinished(240000));
        QCOMPARE(p.readAllStandardOutput().trimmed(),
                 QByteArray::number(linhas) + " 19 " + QByteArray::number((linhas - 2) * 13));
    }

    // The record export in the three formats.
    void exportar() {
        const QString registro = m_cruz->pastaExperimento() + "ração.tvl";
        TVisualizacao v;
        v.CarregarDados(registro);
        const QString base = m_cruz->dir.filePath("exportado");
        for (TPlanilha::Formato f : {TPlanilha::Xls, TPlanilha::Xlsx, TPlanilha::Csv}) {
            const auto p = TPlanilha::Criar(f);
            TInteracaoFalsa i;
            QString final;
            QCOMPARE(v.Exportar(base, *p, i, TPlanilha::GravNormal, &final), TVisualizacao::Salva);
            QCOMPARE(final, p->NomeArquivo(base));
        }
        comparar(base, {"folha=ração", "titulos=10", "eventos=1", "reg=ração",
                        "nomes=square,behaviour,start_ms,end_ms,duration_ms,minute,frequency"});
    }
};

QTEST_GUILESS_MAIN(TstFormatos)
#include "tst_formatos.moc"
