#include "core/Arquivos.h"
#include "data/ComandoExportar.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kRegistro = "Trevalin 2005  |  08/12/2026  |  14:05:33\r\n\r\n"
                             "Usuario:\tana\r\nExperimento:\tx\r\nIndiv\xED"
                             "duo:\trato1\r\nLabirinto:\tCRUZ (3)\r\n"
                             "Tempo de Sess\xE3o:\t60 segundos\r\nDist\xE2ncia:\t10 cm\r\n\r\n"
                             "Posi\xE7\xE3o\tComportamento\tIn\xED"
                             "cio\tFim\tDura\xE7\xE3o\tMinuto\tFrequ\xEAncia\r\n"
                             "D4\tENTRADA\t0\t60000\t60000\t1\t1\r\n";

} // namespace

// The command end to end: argument handling, the output name, an existing
// output kept unless --force, the read-only result.
class TstComandoExportar : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString caminho(const QString &nome) const { return m_dir.filePath(nome); }
    QStringList arquivos() const {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden);
    }

private slots:
    void init() {
        for (const QString &n : arquivos()) // read-only ones too
            QFile::remove(caminho(n));
        QVERIFY(Arquivos::gravarAtomico(caminho("rato1.tvl"), kRegistro));
    }

    void executar_data() {
        QTest::addColumn<QString>("args"); // "@name": a file of the test folder
        QTest::addColumn<bool>("existe");  // a read-only "r.XLS" is there before
        QTest::addColumn<int>("rc");
        QTest::addColumn<QString>("saida"); // file expected, or the error's text
        // clang-format off
        QTest::newRow("xls") << "--out @r.xls @rato1.tvl" << false << 0 << "r.XLS";
        QTest::newRow("existente") << "--out @r.xls @rato1.tvl" << true << 1 << "--force";
        QTest::newRow("--force") << "--force --out @r.xls @rato1.tvl" << true << 0 << "r.XLS";
        QTest::newRow("sem --out") << "@rato1.tvl" << false << 1 << "--out FILE is required";
        QTest::newRow("opcao desconhecida") << "--out @r --forca @rato1.tvl" << false << 1
                                            << "unknown option";
        QTest::newRow("saida e pasta") << "--out @ @rato1.tvl" << false << 1 << "is a folder";
        QTest::newRow("registro ausente") << "--out @r @rato2.tvl" << false << 1 << "rato2.tvl";
        // clang-format on
    }
    void executar() {
        QFETCH(QString, args);
        QFETCH(bool, existe);
        QFETCH(int, rc);
        QFETCH(QString, saida);
        if (existe) {
            QVERIFY(Arquivos::gravarAtomico(caminho("r.XLS"), "antigo"));
            QVERIFY(Arquivos::marcarSomenteLeitura(caminho("r.XLS")));
        }
        const QStringList antes = arquivos();
        QStringList lista = args.split(QLatin1Char(' '));
        for (QString &a : lista)
            if (a.startsWith(QLatin1Char('@'))) a = caminho(a.mid(1));
        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(ComandoExportar(lista, o, e), rc);
        o.flush();
        e.flush();
        QByteArray bytes;
        Arquivos::lerTudo(caminho("r.XLS"), &bytes);
        if (rc != 0) {
            QVERIFY(out.isEmpty());
            QVERIFY2(err.contains(saida), qPrintable(err));
            QCOMPARE(arquivos(), antes);
            QCOMPARE(bytes, existe ? QByteArray("antigo") : QByteArray());
            return;
        }
        QCOMPARE(out, caminho(saida) + QLatin1Char('\n'));
        QVERIFY(err.isEmpty());
        QVERIFY(Arquivos::somenteLeitura(caminho(saida)));
        QVERIFY(bytes.startsWith(QByteArray::fromHex("09080600")));
        QVERIFY(bytes.endsWith(QByteArray::fromHex("0A000000")));
        QCOMPARE(arquivos(), QStringList({"r.XLS", "rato1.tvl"}));
    }
};

QTEST_GUILESS_MAIN(TstComandoExportar)
#include "tst_comandoexportar.moc"
