#include "core/Arquivos.h"
#include "data/ComandoExportar.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

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
    // Every run finds the record and an older read-only output "r.XLS".
    void init() {
        for (const QString &n : arquivos()) // read-only ones too
            QFile::remove(caminho(n));
        QVERIFY(Arquivos::gravarAtomico(caminho("rato1.tvl"), kRegistro));
        QVERIFY(Arquivos::gravarAtomico(caminho("r.XLS"), "antigo"));
        QVERIFY(Arquivos::marcarSomenteLeitura(caminho("r.XLS")));
    }

    void executar_data() {
        QTest::addColumn<QString>("args"); // "@name": a file of the test folder
        QTest::addColumn<int>("rc");
        QTest::addColumn<QString>("saida"); // file written, or the error's text
        // clang-format off
        QTest::newRow("novo") << "--out @novo.xls @rato1.tvl" << 0 << "novo.XLS";
        QTest::newRow("existente") << "--out @r.xls @rato1.tvl" << 1 << "--force";
        QTest::newRow("--force") << "--force --out @r.xls @rato1.tvl" << 0 << "r.XLS";
        QTest::newRow("xlsx by name") << "--out @novo.xlsx @rato1.tvl" << 0 << "novo.xlsx";
        QTest::newRow("--format csv") << "--format csv --out @novo @rato1.tvl" << 0 << "novo.csv";
        QTest::newRow("--format over .xls") << "--out @r.xls --format xlsx @rato1.tvl" << 0 << "r.xlsx";
        QTest::newRow("unknown format") << "--format ods --out @n @rato1.tvl" << 1 << "unknown --format";
        QTest::newRow("format twice") << "--format csv --format csv --out @n @rato1.tvl" << 1 << "twice";
        QTest::newRow("sem --out") << "@rato1.tvl" << 1 << "--out FILE is required";
        QTest::newRow("opcao desconhecida") << "--out @r --x @rato1.tvl" << 1 << "unknown option";
        QTest::newRow("saida e pasta") << "--out @ @rato1.tvl" << 1 << "is a folder";
        QTest::newRow("registro ausente") << "--force --out @r @rato2.tvl" << 1 << "rato2.tvl";
        // Nothing but a regular file of a plausible size is read: no hang, no
        // memory without bound.
        QTest::newRow("fifo") << "--force --out @r %fifo" << 1 << "not a regular file";
        QTest::newRow("link to /dev/zero") << "--force --out @r %zero" << 1 << "not a regular file";
        QTest::newRow("too large") << "--force --out @r %grande" << 1 << "is larger than 67108864";
        // clang-format on
    }
    void executar() {
        QFETCH(QString, args);
        QFETCH(int, rc);
        QFETCH(QString, saida);
        QStringList lista = args.split(QLatin1Char(' '));
        QTemporaryDir outros; // hostile records, kept out of the test folder
        for (QString &a : lista) {
            if (a.startsWith(QLatin1Char('@'))) a = caminho(a.mid(1));
            if (!a.startsWith(QLatin1Char('%'))) continue;
            a = outros.filePath(a.mid(1) + ".tvl");
            if (a.endsWith("fifo.tvl")) {
                QCOMPARE(::mkfifo(QFile::encodeName(a).constData(), 0600), 0);
            } else if (a.endsWith("zero.tvl")) {
                QVERIFY(QFile::link("/dev/zero", a));
            } else { // sparse: a header, then a hole up to one byte past the limit
                QFile f(a);
                QVERIFY(f.open(QIODevice::WriteOnly) && f.write(kRegistro) > 0);
                QVERIFY(f.resize(Arquivos::TamanhoMaximoRegistro + 1));
            }
        }
        QString out, err;
        QTextStream o(&out), e(&err);
        QCOMPARE(ComandoExportar(lista, o, e), rc);
        o.flush();
        e.flush();
        QByteArray bytes;
        if (rc != 0) {
            QVERIFY(out.isEmpty());
            QVERIFY2(err.contains(saida), qPrintable(err));
            QCOMPARE(arquivos(), QStringList({"r.XLS", "rato1.tvl"}));
            QVERIFY(Arquivos::lerTudo(caminho("r.XLS"), &bytes) && bytes == "antigo");
            return;
        }
        QCOMPARE(out, caminho(saida) + QLatin1Char('\n'));
        QVERIFY(err.isEmpty());
        QVERIFY(Arquivos::somenteLeitura(caminho(saida)));
        QVERIFY(Arquivos::lerTudo(caminho(saida), &bytes));
        if (saida.endsWith(".xlsx")) {
            QVERIFY(bytes.startsWith("PK"));
        } else if (saida.endsWith(".csv")) {
            QCOMPARE(bytes, QByteArray("record,square,behaviour,start_ms,end_ms,duration_ms,"
                                       "minute,frequency\nrato1,D4,ENTRADA,0,60000,60000,1,1\n"));
        } else {
            QVERIFY(bytes.startsWith(QByteArray::fromHex("09080600")));
            QVERIFY(bytes.endsWith(QByteArray::fromHex("0A000000")));
        }
        QCOMPARE(arquivos().size(), saida == "r.XLS" ? 2 : 3); // no temporary file left
    }
};

QTEST_GUILESS_MAIN(TstComandoExportar)
#include "tst_comandoexportar.moc"
