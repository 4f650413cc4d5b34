#include "core/TErro.h"
#include "core/TResultado.h"
#include "data/TPacoteZip.h"
#include "data/TPlanilhaXLSX.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <QDir>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

// The package of an .xlsx workbook, read back by another program's zip
// reader (which checks every entry's checksum), and the workbook's texts
// read back by spreadsheet readers exactly as they were written.
class TstPacoteZip : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    const QString m_python = QStringLiteral("/usr/bin/python3");

    // Runs a Python script over `args`; its output, or skips the test when
    // the readers are missing.
    QByteArray python(const char *script, const QStringList &args) {
        QProcess p;
        p.start(m_python, QStringList{"-c", script} + args);
        if (!p.waitForFinished(120000) || p.exitCode() != 0)
            qWarning("%s", p.readAllStandardError().constData());
        return p.exitCode() == 0 ? p.readAllStandardOutput() : QByteArray("falhou");
    }

private slots:
    // Entries empty, small, incompressible, and larger than the writer's
    // blocks, given in pieces of every size.
    void entradas() {
        QByteArray aleatorio(3 << 20, Qt::Uninitialized);
        QRandomGenerator g(7);
        for (char &c : aleatorio)
            c = char(g.bounded(256));
        QByteArray repetido;
        for (int k = 0; k < 200000; ++k)
            repetido += "<c r=\"A" + QByteArray::number(k) + "\"><v>1.5</v></c>";
        const QString nome = m_dir.filePath("p.zip");
        std::FILE *f = std::fopen(QFile::encodeName(nome).constData(), "wb");
        QVERIFY(f);
        {
            TPacoteZip z(f);
            QVERIFY(z.Entrada("vazia"));
            QVERIFY(z.Entrada("a/pequena.xml") && z.Escrever("<x/>", 4));
            QVERIFY(z.Entrada("aleatorio"));
            for (qsizetype k = 0, n = 1; k < aleatorio.size(); k += n, n = n * 3 + 1)
                QVERIFY(z.Escrever(aleatorio.constData() + k,
                                   size_t(std::min(n, aleatorio.size() - k))));
            QVERIFY(z.Entrada("repetido") && z.Escrever(repetido));
            QVERIFY(z.Fechar());
            QVERIFY(!z.Falhou());
        }
        QCOMPARE(std::fclose(f), 0);
        const char *script = R"PY(
import hashlib, struct, sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
assert z.testzip() is None
f = open(sys.argv[1], "rb")
for i in z.infolist():  # streaming readers trust the local headers
    f.seek(i.header_offset)
    assert struct.unpack("<III", f.read(30)[14:26]) == (i.CRC, i.compress_size, i.file_size)
for i in z.infolist():
    print(i.filename, i.file_size, hashlib.md5(z.read(i)).hexdigest())
)PY";
        const QByteArray esperado =
            "vazia 0 d41d8cd98f00b204e9800998ecf8427e\n"
            "a/pequena.xml 4 " +
            QCryptographicHash::hash("<x/>", QCryptographicHash::Md5).toHex() + "\naleatorio " +
            QByteArray::number(aleatorio.size()) + ' ' +
            QCryptographicHash::hash(aleatorio, QCryptographicHash::Md5).toHex() +
            "\nrepetido " + QByteArray::number(repetido.size()) + ' ' +
            QCryptographicHash::hash(repetido, QCryptographicHash::Md5).toHex() + '\n';
        QCOMPARE(python(script, {nome}), esperado);
    }

    // A write failing half-way (the file-size limit binds root too): the
    // package says why and writes nothing more; a workbook's save leaves
    // the old file whole and no temporary file behind.
    void falhaAoEscrever() {
        struct rlimit antes;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &antes), 0);
        const auto sinalAntes = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limite = antes;
        limite.rlim_cur = 100000;
        QByteArray aleatorio(1 << 20, Qt::Uninitialized);
        QRandomGenerator g(3);
        for (char &c : aleatorio)
            c = char(g.bounded(256));
        QTemporaryDir pasta;
        const QString alvo = pasta.filePath("antigo.xlsx");
        QFile a(alvo);
        QVERIFY(a.open(QIODevice::WriteOnly) && a.write("antigo") == 6);
        a.close();
        TPlanilhaXLSX p;
        p.setFileName(alvo);
        p.StartSheet();
        for (int l = 1; l <= 20000; ++l)
            p.WriteCell(l, 1, QString::number(l * 7919)); // many distinct texts

        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limite), 0);
        std::FILE *f = std::fopen(QFile::encodeName(pasta.filePath("p.zip")).constData(), "wb");
        bool ok = f != nullptr;
        QString erroPacote, erroPlanilha;
        if (f) {
            TPacoteZip z(f);
            ok = z.Entrada("a") && z.Escrever(aleatorio) && z.Fechar();
            erroPacote = z.Erro();
            ok = ok || z.Entrada("b");
            std::fclose(f);
        }
        try {
            p.SaveSheet(TPlanilha::GravSubstituir);
        } catch (const TErro &e) {
            erroPlanilha = e.mensagem();
        }
        setrlimit(RLIMIT_FSIZE, &antes);
        std::signal(SIGXFSZ, sinalAntes);

        QVERIFY(!ok);
        QCOMPARE(erroPacote, TResultado::TextoDoSistema(EFBIG));
        QVERIFY2(erroPlanilha.contains(alvo), qPrintable(erroPlanilha));
        QVERIFY(a.open(QIODevice::ReadOnly) && a.readAll() == "antigo");
        QCOMPARE(QDir(pasta.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"antigo.xlsx", "p.zip"}));
    }

    // A package given up half-way (its writer failed elsewhere) stops its
    // thread with the object: the file can be closed at once, and nothing
    // is written to it after that.
    void abandonado() {
        const QString nome = m_dir.filePath("abandonado.zip");
        std::FILE *f = std::fopen(QFile::encodeName(nome).constData(), "wb");
        QVERIFY(f);
        {
            TPacoteZip z(f);
            const QByteArray bloco(1 << 20, 'z');
            QVERIFY(z.Entrada("a"));
            for (int k = 0; k < 8; ++k)
                QVERIFY(z.Escrever(bloco));
        }
        const long tamanho = std::ftell(f);
        QCOMPARE(std::fclose(f), 0);
        QCOMPARE(QFileInfo(nome).size(), qint64(tamanho));
    }

    // Texts with what markup cannot hold as it is; each must read back as
    // written, in the readers' full and streaming modes, and the sheet's
    // name with markup characters.
    void textos() {
        const QStringList textos = {
            "a & b <c> \"d\" 'e'", "  espaços  ", "linha\nnova\ttab", "volta\rcarro",
            QString("ctl") + QChar(1) + QChar(0x1f), "_x0041_ fica", "_x00", "_X1234_",
            "ração ü € 鼠", QString::fromUcs4(U"rato 🐀"), QString("fim") + QChar(0xFFFE)};
        TPlanilhaXLSX p;
        p.setFileName(m_dir.filePath("t"));
        p.StartSheet();
        p.setNomeFolha("a&b <\"c\">");
        for (int k = 0; k < textos.size(); ++k) {
            p.WriteCell(k + 1, 2, textos[k]);
            p.WriteCell(k + 1, 3, 0.1 * (k + 1));
        }
        p.WriteCell(3, 30, 1e300);
        p.EndSheet();
        p.SaveSheet(TPlanilha::GravNovo);
        const char *script = R"PY(
import sys, openpyxl, pandas as pd
for so in (False, True):
    wb = openpyxl.load_workbook(sys.argv[1], read_only=so)
    ws = wb.worksheets[0]
    print(ws.title, ws.max_row, ws.max_column)
    for i, (t, v) in enumerate(ws.iter_rows(min_col=2, max_col=3, values_only=True)):
        print(repr(t), v == 0.1 * (i + 1))
print(repr(pd.read_excel(sys.argv[1], header=None).iloc[:, 1].tolist()))
)PY";
        // Control characters can only go as codes, which these readers
        // leave as they stand (the spreadsheet programs decode them).
        QStringList lidos = textos;
        lidos[4] = "ctl_x0001__x001F_";
        lidos.last() = "fim_xFFFE_";
        QStringList linhas;
        for (int k = 0; k < textos.size(); ++k)
            linhas << repr(lidos[k]) + " True";
        const QString uma = "a&b <\"c\"> 11 30\n" + linhas.join('\n') + '\n';
        QStringList todos;
        for (const QString &t : lidos)
            todos << repr(t);
        QCOMPARE(QString::fromUtf8(python(script, {p.FileName()})),
                 uma + uma + "[" + todos.join(", ") + "]\n");
    }

    // The same cells give the same bytes.
    void mesmosBytes() {
        QByteArray antes;
        for (int vez = 0; vez < 2; ++vez) {
            TPlanilhaXLSX p;
            p.setFileName(m_dir.filePath("m"));
            p.StartSheet();
            p.WriteCell(2, 1, "x");
            p.WriteCell(1, 1, 3.0);
            p.SaveSheet(TPlanilha::GravSubstituir);
            QFile f(p.FileName());
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QByteArray b = f.readAll();
            if (vez) QCOMPARE(b, antes);
            antes = b;
        }
    }

private:
    // Python's repr of a text, as the script prints it.
    static QString repr(const QString &t) {
        QString r = "'";
        for (const uint c : t.toUcs4()) {
            if (c == '\\' || c == '\'') r += '\\' + QChar(c);
            else if (c == '\n') r += "\\n";
            else if (c == '\r') r += "\\r";
            else if (c == '\t') r += "\\t";
            else if (c < 0x20 || c == 0x7f) r += QStringLiteral("\\x%1").arg(c, 2, 16, QChar('0'));
            else r += QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1);
        }
        return r + "'";
    }
};

QTEST_GUILESS_MAIN(TstPacoteZip)
#include "tst_pacotezip.moc"
