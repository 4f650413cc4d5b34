// trevalin-cli as a program: the guard around every command, and the
// command line run as real processes under faults (memory capped, a kill in
// the middle of a save, a full disk, two analyses racing for one output).
// Faults are injected at system calls with strace; without it those tests
// are skipped with a message.
#include "analysis/AmbienteAnalise.h"
#include "app/ComandoProtegido.h"
#include "core/TErro.h"
#include "recording/AmbienteSessao.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>
#include <sys/mount.h>
#include <sys/resource.h>

using namespace AmbienteAnalise;

namespace {

// Every process of these tests is bounded in time: one that hangs is killed.
const int kPrazoMs = 60000;

struct Execucao {
    int codigo = -1;    // exit status; -1 when the process did not exit
    bool morto = false; // ended by a signal (or killed for hanging)
    QString out, err;
};

// strace, or an empty text when it is missing.
QString strace() {
    return QStandardPaths::findExecutable(QStringLiteral("strace"));
}

// Prepares `p` to run trevalin-cli with `args`; under strace with the given
// options (fault injection) when they are not empty.
void preparar(QProcess &p, const QStringList &args, const QStringList &injecao = {}) {
    if (injecao.isEmpty()) {
        p.setProgram(QStringLiteral(TREVALIN_CLI));
        p.setArguments(args);
    } else {
        p.setProgram(strace());
        p.setArguments(QStringList{"-f", "-o", "/dev/null"} + injecao +
                       QStringList{"--", QStringLiteral(TREVALIN_CLI)} + args);
    }
}

Execucao terminar(QProcess &p) {
    Execucao e;
    if (!p.waitForFinished(kPrazoMs)) {
        p.kill();
        p.waitForFinished();
        e.morto = true;
    }
    e.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    e.err = QString::fromLocal8Bit(p.readAllStandardError());
    // strace ends with the status of the process it ran, 128 + n for a signal.
    if (p.exitStatus() == QProcess::CrashExit || p.exitCode() > 128)
        e.morto = true;
    else if (!e.morto)
        e.codigo = p.exitCode();
    return e;
}

Execucao rodar(const QStringList &args, const QStringList &injecao = {}) {
    QProcess p;
    preparar(p, args, injecao);
    p.start();
    return terminar(p);
}

// The hidden temporary files of saves in `pasta`.
QStringList temporarios(const QString &pasta) {
    return QDir(pasta).entryList({QStringLiteral(".*trevalin-*")}, QDir::Files | QDir::Hidden);
}

// A record of the CRUZ (3) experiment of `amb`.
QByteArray registro() {
    return caminho("D4 D3 D2 C3 D3 E3 D3 D4", 20000, 300000);
}

} // namespace

class TstLinhaComando : public QObject {
    Q_OBJECT

private slots:
    // Whatever escapes a command becomes exit 1 and one line naming the
    // command; its own status passes through.
    void guarda_data() {
        QTest::addColumn<int>("falha");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("status") << 0 << 3 << QString();
        QTest::newRow("out of memory")
            << 1 << 1 << "trevalin-cli export: not enough memory; the command stopped";
        QTest::newRow("error") << 2 << 1 << "trevalin-cli export: Cannot open file x\n";
        QTest::newRow("other") << 3 << 1 << "trevalin-cli export: vector\n";
    }
    void guarda() {
        QFETCH(int, falha);
        QFETCH(int, codigo);
        QFETCH(QString, mensagem);
        QString err;
        QTextStream e(&err);
        const int r = ExecutarComandoProtegido(
            QStringLiteral("export"),
            [falha]() -> int {
                if (falha == 1) throw std::bad_alloc();
                if (falha == 2) throw TErro(QStringLiteral("Cannot open file x"));
                if (falha == 3) throw std::length_error("vector");
                return 3;
            },
            e);
        QCOMPARE(r, codigo);
        QVERIFY2(mensagem.isEmpty() ? err.isEmpty() : err.startsWith(mensagem), qPrintable(err));
    }

    // With its memory capped, a command given a file too large for the cap
    // (a record to export, a script to replay) exits 1 with a message
    // instead of aborting, and writes nothing.
    void memoriaLimitada_data() {
        QTest::addColumn<QString>("comando");
        QTest::newRow("export") << "export";
        QTest::newRow("replay") << "replay";
    }
    void memoriaLimitada() {
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the address sanitizer reserves more address space than the cap allows");
#endif
        QFETCH(QString, comando);
        QTemporaryDir dir;
        // About 45 MB, below the record size limit.
        const bool exportar = comando == "export";
        const QByteArray linha =
            exportar ? QByteArray("D4\tENTRADA\t0\t60000\t60000\t1\t1\r\n") : QByteArray("0 8\n");
        const int linhas = 45000000 / linha.size();
        QByteArray bytes = exportar ? cabecalho("ana", "exp", "CRUZ (3)", "60") : QByteArray();
        bytes.reserve(bytes.size() + linhas * linha.size());
        for (int i = 0; i < linhas; ++i)
            bytes += linha;
        const QString arquivo = dir.filePath("grande");
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        f.close();
        bytes = QByteArray();

        QProcess p;
        preparar(p, exportar ? QStringList{"export", "--out", dir.filePath("g"), arquivo}
                             : QStringList{"replay", "--data", dir.path(), "--user", "ana",
                                           "--experiment", "exp", "--id", "r", arquivo});
        p.setChildProcessModifier([] {
            const rlimit memoria{200u << 20, 200u << 20}; // far less than the file needs
            const rlimit semCore{0, 0};
            ::setrlimit(RLIMIT_AS, &memoria);
            ::setrlimit(RLIMIT_CORE, &semCore);
        });
        p.start();
        const Execucao e = terminar(p);
        QVERIFY2(!e.morto, qPrintable("the command aborted: " + e.err));
        QCOMPARE(e.codigo, 1);
        QVERIFY2(e.err.startsWith("trevalin-cli " + comando + ": not enough memory"),
                 qPrintable(e.err));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"grande"});
    }

    // A process killed in the middle of a save (at the sync of its
    // temporary file) leaves that hidden file; the next save of the same
    // output removes it.
    void mortoDuranteGravacao() {
        if (strace().isEmpty()) QSKIP("strace is not installed: the kill cannot be injected");
        Ambiente amb("CRUZ (3)");
        const QString rec = amb.registro("r1.tvl", registro());
        const QString pasta = amb.dir.filePath("saida");
        QVERIFY(QDir().mkpath(pasta));
        const QStringList args = {"export", "--out", pasta + "/r1", rec};

        const Execucao morto =
            rodar(args, {"-e", "trace=fsync", "-e", "inject=fsync:signal=SIGKILL:when=1"});
        QVERIFY2(morto.morto, qPrintable(morto.err));
        QCOMPARE(QDir(pasta).entryList(QDir::Files), QStringList());
        QCOMPARE(temporarios(pasta).size(), 1);
        QVERIFY(temporarios(pasta)[0].startsWith(".r1.XLS.trevalin-"));

        const Execucao depois = rodar(args);
        QVERIFY2(depois.codigo == 0, qPrintable(depois.err));
        QCOMPARE(QDir(pasta).entryList(QDir::Files), QStringList{"r1.XLS"});
        QCOMPARE(temporarios(pasta), QStringList());
    }

    // A full disk is reported with the system's own words, whether the
    // disk is really full (a small file system, filled) or the sync is what
    // reports it; nothing is left behind.
    void discoCheio_data() {
        QTest::addColumn<bool>("cheio");
        QTest::newRow("full file system") << true;
        QTest::newRow("at the sync") << false;
    }
    void discoCheio() {
        QFETCH(bool, cheio);
        Ambiente amb("CRUZ (3)");
        const QString rec = amb.registro("r1.tvl", registro());
        const QString pasta = amb.dir.filePath("saida");
        QVERIFY(QDir().mkpath(pasta));
        const QByteArray p = QFile::encodeName(pasta);
        struct Desmontar {
            QByteArray p;
            ~Desmontar() {
                if (!p.isEmpty()) ::umount(p.constData());
            }
        } desmontar;
        QStringList injecao;
        if (cheio) {
            if (::mount("tmpfs", p.constData(), "tmpfs", 0, "size=64k") != 0)
                QSKIP(qPrintable("cannot mount a small file system here: " +
                                 QString::fromLocal8Bit(std::strerror(errno))));
            desmontar.p = p;
            QFile f(pasta + "/cheio");
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray bloco(4096, 'x');
            while (f.write(bloco) > 0) {
            }
        } else {
            if (strace().isEmpty())
                QSKIP("strace is not installed: the failure cannot be injected");
            injecao = QStringList{"-e", "trace=fsync", "-e", "inject=fsync:error=ENOSPC"};
        }
        const Execucao e = rodar({"export", "--out", pasta + "/r1", rec}, injecao);
        QCOMPARE(e.codigo, 1);
        QVERIFY2(e.err.contains("No space left on device"), qPrintable(e.err));
        QVERIFY2(!e.err.contains("Unknown error"), qPrintable(e.err));
        QVERIFY2(e.err.contains("r1.XLS"), qPrintable(e.err));
        QCOMPARE(QDir(pasta).entryList(QDir::Files | QDir::Hidden),
                 cheio ? QStringList{"cheio"} : QStringList());
    }

    // The other commands name the cause too, and leave no file.
    void discoCheioNosComandos_data() {
        QTest::addColumn<QString>("comando");
        QTest::newRow("replay") << "replay";
        QTest::newRow("analyse") << "analyse";
    }
    void discoCheioNosComandos() {
        if (strace().isEmpty()) QSKIP("strace is not installed: the failure cannot be injected");
        QFETCH(QString, comando);
        AmbienteSessao sessao;
        Ambiente analise("CRUZ (3)");
        analise.registro("r1.tvl", registro());
        const QString roteiro = sessao.dados + "roteiro.txt";
        QVERIFY(Arquivos::gravarAtomico(roteiro, "0 5\n1000 8\n"));
        const QStringList args =
            comando == "replay"
                ? QStringList{"replay",       "--data", sessao.dados, "--user", "ana",
                              "--experiment", "exp",    "--id",       "r",      roteiro}
                : QStringList{"analyse",
                              "--data",
                              analise.dados,
                              "--user",
                              "ana",
                              "--experiment",
                              "exp",
                              "--kind",
                              "compacta",
                              "--out",
                              analise.dir.filePath("comp"),
                              "--group",
                              "g=r1"};
        const Execucao e = rodar(args, {"-e", "trace=fsync", "-e", "inject=fsync:error=ENOSPC"});
        QCOMPARE(e.codigo, 1);
        QVERIFY2(e.err.contains("No space left on device"), qPrintable(e.err));
        QVERIFY2(!e.err.contains("Unknown error"), qPrintable(e.err));
        QCOMPARE(QDir(sessao.pasta()).entryList(QDir::Files | QDir::Hidden), QStringList());
        QCOMPARE(QDir(analise.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // Two analyses to one output without --force: the one that finishes
    // second, though it found no file when it checked, does not replace the
    // first one's; it exits 1 naming the file.
    void duasAnalisesAoMesmoArquivo() {
        if (strace().isEmpty()) QSKIP("strace is not installed: the race cannot be arranged");
        Ambiente amb("CRUZ (3)");
        amb.registro("r1.tvl", registro());
        amb.registro("r2.tvl", caminho("D4 D5 D4", 50000, 300000));
        const QString saida = amb.dir.filePath("comp");
        auto args = [&](const char *grupo) {
            return QStringList{"analyse",      "--data",  amb.dados, "--user",   "ana",
                               "--experiment", "exp",     "--kind",  "compacta", "--out",
                               saida,          "--group", grupo};
        };
        // The first is held for 10 s at the sync of its temporary file
        // (after its check found no output) while the second runs to the
        // end; 10 s leaves room for a slow machine.
        QProcess lenta;
        preparar(lenta, args("lenta=r1"),
                 {"-e", "trace=fsync", "-e", "inject=fsync:delay_enter=10000000:when=1"});
        lenta.start();
        QElapsedTimer t;
        t.start();
        while (temporarios(amb.dir.path()).isEmpty() && t.elapsed() < kPrazoMs)
            QTest::qWait(20);
        QCOMPARE(temporarios(amb.dir.path()).size(), 1);

        const Execucao rapida = rodar(args("rapida=r2"));
        QVERIFY2(rapida.codigo == 0, qPrintable(rapida.err));
        const QByteArray primeira = ler(saida + ".XLS");
        QVERIFY(!primeira.isEmpty());
        const Execucao segunda = terminar(lenta);
        QCOMPARE(segunda.codigo, 1);
        QVERIFY2(segunda.err.contains(saida + ".XLS"), qPrintable(segunda.err));
        QVERIFY2(segunda.err.contains("exists"), qPrintable(segunda.err));
        QCOMPARE(ler(saida + ".XLS"), primeira);
        QCOMPARE(temporarios(amb.dir.path()), QStringList());
    }
};

QTEST_GUILESS_MAIN(TstLinhaComando)
#include "tst_linhacomando.moc"
