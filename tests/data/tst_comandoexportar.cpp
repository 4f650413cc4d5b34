#include "core/Arquivos.h"
#include "data/ComandoExportar.h"

#include <QDir>
#include <QFile>
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
    QByteArray ler(const QString &nome) const {
        QByteArray b;
        Arquivos::lerTudo(caminho(nome), &b);
        return b;
    }
    void gravar(const QString &nome, const QByteArray &bytes) {
        QFile f(caminho(nome));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    int executar(QStringList args, QString *out, QString *err) {
        // Relative names are the test folder's.
        for (QString &a : args)
            if (a.startsWith(QLatin1Char('@'))) a = caminho(a.mid(1));
        QTextStream o(out), e(err);
        const int rc = ComandoExportar(args, o, e);
        o.flush();
        e.flush();
        return rc;
    }

private slots:
    void init() {
        for (const QString &n : QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden)) {
            Arquivos::desmarcarSomenteLeitura(caminho(n));
            QFile::remove(caminho(n));
        }
        gravar(QStringLiteral("rato1.tvl"), kRegistro);
    }

    void argumentos_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("rc");
        QTest::addColumn<QString>("saida"); // file expected, or the error's text
        QTest::newRow("xls") << QStringList{"--out", "@r.xls", "@rato1.tvl"} << 0 << "r.XLS";
        QTest::newRow("sem --out") << QStringList{"@rato1.tvl"} << 1 << "--out FILE is required";
        QTest::newRow("opcao desconhecida")
            << QStringList{"--out", "@r", "--forca", "@rato1.tvl"} << 1 << "unknown option";
        QTest::newRow("saida e pasta")
            << QStringList{"--out", "@", "@rato1.tvl"} << 1 << "is a folder";
        QTest::newRow("registro ausente")
            << QStringList{"--out", "@r", "@rato2.tvl"} << 1 << "rato2.tvl";
    }
    void argumentos() {
        QFETCH(QStringList, args);
        QFETCH(int, rc);
        QFETCH(QString, saida);
        QString out, err;
        QCOMPARE(executar(args, &out, &err), rc);
        if (rc != 0) {
            QVERIFY(out.isEmpty());
            QVERIFY2(err.contains(saida), qPrintable(err));
            QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
                     QStringList{QStringLiteral("rato1.tvl")});
            return;
        }
        QCOMPARE(out, QDir::toNativeSeparators(caminho(saida)) + QLatin1Char('\n'));
        QVERIFY(err.isEmpty());
        QVERIFY(Arquivos::somenteLeitura(caminho(saida)));
        QVERIFY(ler(saida).startsWith(QByteArray::fromHex("09080600")));
    }

    // An existing (read-only) output stays untouched without --force and is
    // replaced, read-only again, with it.
    void saidaExistente() {
        gravar(QStringLiteral("r.XLS"), "antigo");
        QVERIFY(Arquivos::marcarSomenteLeitura(caminho("r.XLS")));
        QString out, err;
        QCOMPARE(executar({"--out", "@r.xls", "@rato1.tvl"}, &out, &err), 1);
        QVERIFY(out.isEmpty());
        QVERIFY2(err.contains("--force"), qPrintable(err));
        QCOMPARE(ler("r.XLS"), QByteArray("antigo"));

        QCOMPARE(executar({"--force", "--out", "@r.xls", "@rato1.tvl"}, &out, &err), 0);
        QCOMPARE(out, QDir::toNativeSeparators(caminho("r.XLS")) + QLatin1Char('\n'));
        QVERIFY(ler("r.XLS").endsWith(QByteArray::fromHex("0A000000")));
        QVERIFY(Arquivos::somenteLeitura(caminho("r.XLS")));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }
};

QTEST_GUILESS_MAIN(TstComandoExportar)
#include "tst_comandoexportar.moc"
