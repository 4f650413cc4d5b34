#include "core/Arquivos.h"
#include "core/TArquivoIni.h"
#include "core/TErro.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TstArquivoIni : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString caminho(const QString &nome = QStringLiteral("a.ini")) const {
        return m_dir.filePath(nome);
    }
    void escrever(const QByteArray &bytes, const QString &nome = QStringLiteral("a.ini")) {
        QFile f(caminho(nome));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray conteudo(const QString &nome = QStringLiteral("a.ini")) {
        QByteArray b;
        Arquivos::lerTudo(caminho(nome), &b);
        return b;
    }

private slots:
    void init() {
        QFile::remove(caminho());
    }

    void readInteger_data() {
        QTest::addColumn<QByteArray>("valor");
        QTest::addColumn<int>("esperado");
        QTest::newRow("decimal") << QByteArray("42") << 42;
        QTest::newRow("negative") << QByteArray("-17") << -17;
        QTest::newRow("hex 0x") << QByteArray("0x1F") << 31;
        QTest::newRow("hex 0X") << QByteArray("0X1f") << 31;
        QTest::newRow("hex $") << QByteArray("$10") << 16;
        QTest::newRow("0x alone is invalid") << QByteArray("0x") << -5;
        QTest::newRow("digits then letters") << QByteArray("12ab") << -5;
        QTest::newRow("empty") << QByteArray("") << -5;
        QTest::newRow("overflow") << QByteArray("99999999999") << -5;
        QTest::newRow("max") << QByteArray("2147483647") << 2147483647;
        QTest::newRow("blank inside") << QByteArray("1 2") << -5;
        QTest::newRow("letters") << QByteArray("abc") << -5;
    }
    void readInteger() {
        QFETCH(QByteArray, valor);
        QFETCH(int, esperado);
        escrever("[S]\r\nk=" + valor + "\r\n");
        QCOMPARE(TArquivoIni(caminho()).ReadInteger("S", "k", -5), esperado);
    }

    void readBool() {
        escrever("[S]\r\ndois=2\r\nzero=0\r\nlixo=x\r\n");
        TArquivoIni ini(caminho());
        QVERIFY(ini.ReadBool("S", "dois", false));
        QVERIFY(!ini.ReadBool("S", "zero", true));
        QVERIFY(ini.ReadBool("S", "falta", true));
        QVERIFY(!ini.ReadBool("S", "falta", false));
        QVERIFY(ini.ReadBool("S", "lixo", true));
    }

    void missingFileReadsDefaults() {
        TArquivoIni ini(m_dir.filePath("nao/existe.ini"));
        QCOMPARE(ini.ReadString("a", "b", "pad"), QString("pad"));
        QCOMPARE(ini.ReadInteger("a", "b", 7), 7);
        QVERIFY(!ini.SectionExists("a"));
    }

    void caseInsensitiveNames() {
        TArquivoIni ini(caminho());
        ini.WriteInteger("Experimentos", "QdeExp", 3);
        QCOMPARE(ini.ReadInteger("EXPERIMENTOS", "qdeexp", 0), 3);
        QCOMPARE(ini.ReadInteger("experimentos", "QDEEXP", 0), 3);
        // accented letters fold too
        ini.WriteString(QString::fromUtf8("Sessão"), QString::fromUtf8("Posição"), "x");
        QCOMPARE(ini.ReadString(QString::fromUtf8("SESSÃO"), QString::fromUtf8("POSIÇÃO"), ""),
                 QString("x"));
        // rewriting in other case keeps one key
        ini.WriteInteger("EXPERIMENTOS", "qdeexp", 4);
        QCOMPARE(ini.ReadInteger("Experimentos", "QdeExp", 0), 4);
        QCOMPARE(conteudo().count("QdeExp"), 1);
    }

    void writesCp1252WithCrLf() {
        TArquivoIni ini(caminho());
        ini.WriteString("Comp1", "1", QString::fromUtf8("Locomoção"));
        ini.WriteBool("Comp1", "b", true);
        QCOMPARE(conteudo(), QByteArray("[Comp1]\r\n1=Locomo\xE7\xE3o\r\nb=1\r\n"));
        QCOMPARE(ini.ReadString("comp1", "1", ""), QString::fromUtf8("Locomoção"));
    }

    void longValueIsCut() {
        TArquivoIni ini(caminho());
        const QString longo(3000, QLatin1Char('z'));
        ini.WriteString("S", "k", longo);
        QCOMPARE(ini.ReadString("S", "k", ""), longo.left(2047));
    }

    void eraseSectionAndDeleteKey() {
        escrever("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\nz=3\r\n[C]\r\nw=4\r\n");
        TArquivoIni ini(caminho());
        ini.EraseSection("b");
        QVERIFY(!ini.SectionExists("B"));
        QCOMPARE(ini.ReadInteger("B", "y", -1), -1);
        QCOMPARE(ini.ReadInteger("C", "w", -1), 4);
        QCOMPARE(ini.ReadInteger("A", "x", -1), 1);
        ini.DeleteKey("A", "X");
        QVERIFY(!ini.SectionExists("A"));
        ini.DeleteKey("nada", "nada"); // no error
        QCOMPARE(ini.ReadInteger("C", "w", -1), 4);
    }

    void newKeyGoesIntoItsSection() {
        escrever("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
        TArquivoIni ini(caminho());
        ini.WriteString("A", "nova", "v");
        QCOMPARE(conteudo(), QByteArray("[A]\r\nx=1\r\nnova=v\r\n\r\n[B]\r\ny=2\r\n"));
    }

    void valueKeepsEqualsAndBlanks() {
        escrever("[S]\r\nk = a=b \r\n");
        TArquivoIni ini(caminho());
        QCOMPARE(ini.ReadString("S", "k", ""), QString(" a=b "));
    }

    void lineEndsOfAnyKind_data() {
        QTest::addColumn<QByteArray>("texto");
        QTest::newRow("lf") << QByteArray("[S]\nk=5\nj=6");
        QTest::newRow("cr") << QByteArray("[S]\rk=5\rj=6\r");
        QTest::newRow("crlf") << QByteArray("[S]\r\nk=5\r\nj=6\r\n");
    }
    void lineEndsOfAnyKind() {
        QFETCH(QByteArray, texto);
        escrever(texto);
        TArquivoIni ini(caminho());
        QCOMPARE(ini.ReadInteger("S", "k", 0), 5);
        QCOMPARE(ini.ReadInteger("S", "j", 0), 6);
    }

    void garbageReadsDefaults() {
        const char bruto[] = "\x00\x01\xff[semfim\r\nsemigual\r\n=x\r\n[";
        QByteArray lixo(bruto, sizeof(bruto) - 1);
        lixo += QByteArray(1 << 20, 'q');
        lixo += "\r\n[S]\r\nk=9\r\n";
        escrever(lixo);
        TArquivoIni ini(caminho());
        QCOMPARE(ini.ReadInteger("S", "k", 0), 9);
        QCOMPARE(ini.ReadString("semfim", "semigual", "d"), QString("d"));
        ini.WriteInteger("S", "k", 10); // rewrite keeps the rest and works
        QCOMPARE(ini.ReadInteger("S", "k", 0), 10);
        QVERIFY(conteudo().size() > (1 << 20));
    }

    void writeFailures() {
        TArquivoIni semPasta(m_dir.filePath("nao/existe.ini"));
        try {
            semPasta.WriteString("a", "b", "c");
            QFAIL("no error");
        } catch (const TErro &e) {
            QVERIFY(e.mensagem().startsWith("Unable to write to "));
            QVERIFY(e.mensagem().contains("existe.ini"));
        }
        escrever("[a]\r\nb=antes\r\n", "ro.ini");
        QVERIFY(Arquivos::marcarSomenteLeitura(caminho("ro.ini")));
        TArquivoIni ro(caminho("ro.ini"));
        QVERIFY_THROWS_EXCEPTION(TErro, ro.WriteString("a", "b", "depois"));
        QVERIFY_THROWS_EXCEPTION(TErro, ro.EraseSection("a"));
        ro.DeleteKey("a", "b"); // ignored
        QCOMPARE(ro.ReadString("a", "b", ""), QString("antes"));
        Arquivos::desmarcarSomenteLeitura(caminho("ro.ini"));
        QFile::remove(caminho("ro.ini"));
    }

    void noTemporaryFilesLeft() {
        TArquivoIni ini(caminho());
        for (int i = 0; i < 5; ++i)
            ini.WriteInteger("S", QString::number(i), i);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TstArquivoIni)
#include "tst_arquivoini.moc"
