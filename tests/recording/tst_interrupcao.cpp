// Recordings stopped from outside: the command-line tool runs as a real
// process and is killed (SIGKILL) in the middle of a recording or of saving
// it, or runs beside another one of the same animal.
#include "Gravacoes.h"

#include "recording/ComandoReplay.h"
#include "recording/TArquivoRegistro.h"
#include "recording/TRecuperacao.h"
#include "recording/TTravaIdentificacao.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include <sys/resource.h>

namespace {

// A killed child leaves no core file, whatever the machine's settings.
void semCore(QProcess &p) {
    p.setChildProcessModifier([] {
        const struct rlimit zero = {0, 0};
        ::setrlimit(RLIMIT_CORE, &zero);
    });
}

QString escreverRoteiro(const AmbienteSessao &amb, const QString &nome, const QList<Tecla> &t) {
    const QString caminho = amb.dados + nome;
    QFile::remove(caminho);
    Arquivos::gravarAtomico(caminho, Gravacoes::roteiro(t));
    return caminho;
}

QStringList argumentos(const AmbienteSessao &amb, const QString &id, const QString &roteiro,
                       const QStringList &extra = {}) {
    return QStringList{"replay",       "--data", amb.dados, "--user", "ana",
                       "--experiment", "exp",    "--id",    id} +
           extra + QStringList{roteiro};
}

// Runs the tool to its end (at most 20 s, then killed).
struct Execucao {
    int codigo = -1;
    bool morto = false;
    QString out, err;
};
Execucao executar(const QStringList &args, const QString &matar = QString()) {
    QProcess p;
    semCore(p);
    if (!matar.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TREVALIN_TESTE_MATAR", matar);
        p.setProcessEnvironment(env);
    }
    p.start(TREVALIN_CLI, args);
    Execucao e;
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished(5000);
    }
    e.morto = p.exitStatus() == QProcess::CrashExit;
    e.codigo = p.exitCode();
    e.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    e.err = QString::fromLocal8Bit(p.readAllStandardError());
    return e;
}

// Every 10 ms one input the engine notes: moves, a behaviour, a fall and
// its resume; then one a minute later, so that the replay never ends by
// itself while a test waits to kill it.
QList<Tecla> teclasLongas() {
    QList<Tecla> t{{0, "5"}};
    const QStringList ciclo = {"8", "+A", "2", "-A", "esc", "5", "4", "6"};
    for (int i = 1; i <= 120; ++i)
        t << Tecla{i * 10LL, ciclo[(i - 1) % ciclo.size()]};
    t << Tecla{60000, "8"};
    return t;
}

// The journals of one identification in the experiment's folder.
QStringList diariosDe(const AmbienteSessao &amb, const QString &id) {
    QStringList r;
    for (const QString &d : TRecuperacao::Diarios(amb.pasta()))
        if (QFileInfo(d).fileName().startsWith(id + '-')) r << d;
    return r;
}

} // namespace

class TstInterrupcao : public QObject {
    Q_OBJECT

private slots:
    // Killed at 50 random moments of a recording: each time the journal
    // gives the record of the inputs noted before the kill, ended at the
    // last of them.
    void matarDuranteAGravacao() {
        AmbienteSessao amb;
        const QList<Tecla> teclas = teclasLongas();
        const QString roteiro = escreverRoteiro(amb, "longo.txt", teclas);
        const quint32 semente = QRandomGenerator::global()->generate();
        QRandomGenerator sorte(semente);
        qInfo("seed %u", semente);
        int comDiario = 0;
        QElapsedTimer total;
        total.start();
        int feitas = 0;
        for (int i = 0; i < 50; ++i, ++feitas) {
            // Bounded, however slow the machine: ctest never waits for it.
            if (total.elapsed() > 200000) break;
            const QString id = QStringLiteral("r%1").arg(i);
            QProcess p;
            semCore(p);
            p.start(TREVALIN_CLI, argumentos(amb, id, roteiro, {"--journal", "--real-time"}));
            QVERIFY(p.waitForStarted(5000));
            // A random moment of the recording (from its key 5, however
            // long a loaded machine takes to start the program); one kill
            // in ten at a random moment of the start instead.
            QElapsedTimer desde;
            desde.start();
            if (i % 10 != 9)
                while (diariosDe(amb, id).isEmpty() && desde.elapsed() < 5000 &&
                       p.state() == QProcess::Running)
                    QThread::msleep(1);
            QVERIFY(!p.waitForFinished(int(sorte.bounded(1100))));
            p.kill();
            QVERIFY(p.waitForFinished(5000));
            const QStringList diarios = diariosDe(amb, id);
            QVERIFY2(diarios.size() <= 1, qPrintable(diarios.join(' ')));
            if (diarios.isEmpty()) continue; // killed before key 5
            ++comDiario;
            TRecuperacao r(amb.dados, diarios[0]);
            QCOMPARE(r.Ler(), TRecuperacao::Pronta);
            const int n = r.Eventos();
            QVERIFY(n >= 1 && n <= teclas.size());
            const TResultadoGravacao s = r.Salvar();
            QVERIFY2(s.Ok(), qPrintable(s.erro));
            QCOMPARE(s.gravados, QStringList{amb.pasta() + id + "-parcial.tvl"});
            QCOMPARE(AmbienteSessao::linhasRegistro(s.gravados[0]),
                     Gravacoes::linhasInterrompidas(teclas.mid(0, n)));
            QVERIFY(!QFile::exists(diarios[0]));
        }
        qInfo("%d of %d kills during a recording, %lld ms", comDiario, feitas, total.elapsed());
        QVERIFY(feitas >= 10);
        QVERIFY(comDiario >= feitas * 4 / 5);
    }

    // trevalin-cli recover saves what a killed replay left, and lists it.
    void comandoRecover() {
        AmbienteSessao amb;
        const QString roteiro = escreverRoteiro(amb, "longo.txt", teclasLongas());
        QProcess p;
        semCore(p);
        p.start(TREVALIN_CLI, argumentos(amb, "rato9", roteiro, {"--journal", "--real-time"}));
        QVERIFY(p.waitForStarted(5000));
        QElapsedTimer t;
        t.start();
        while (TRecuperacao::Diarios(amb.pasta()).isEmpty() && t.elapsed() < 5000)
            QThread::msleep(5);
        QThread::msleep(200);
        const QStringList recover = {"recover", "--data",       amb.dados, "--user",
                                     "ana",     "--experiment", "exp"};
        // While it runs its journal is in use.
        Execucao lista = executar(recover + QStringList{"--list"});
        QCOMPARE(lista.codigo, 0);
        QVERIFY2(lista.out.endsWith("\tin use\n"), qPrintable(lista.out));
        p.kill();
        QVERIFY(p.waitForFinished(5000));
        lista = executar(recover + QStringList{"--list"});
        QCOMPARE(lista.codigo, 0);
        QVERIFY2(lista.out.contains("\trato9\t00:0"), qPrintable(lista.out));
        QVERIFY2(lista.out.contains("\t05:00\t"), qPrintable(lista.out));
        const Execucao salvo = executar(recover);
        QCOMPARE(salvo.codigo, 0);
        QCOMPARE(salvo.out, amb.pasta() + "rato9-parcial.tvl\n");
        QVERIFY(TRecuperacao::Diarios(amb.pasta()).isEmpty());
        // A damaged journal: named, kept, exit 1.
        const QString estragado = amb.pasta() + "x-1.diario";
        Arquivos::gravarAtomico(estragado, "lixo\nmais lixo\n");
        const Execucao falha = executar(recover);
        QCOMPARE(falha.codigo, 1);
        QVERIFY2(falha.err.contains(estragado), qPrintable(falha.err));
        QVERIFY(QFile::exists(estragado));
    }

    // Two recordings of one animal at once: the second is refused while the
    // first runs, and the first's record holds its own rows.
    void duasGravacoesDoMesmoAnimal() {
        AmbienteSessao amb;
        amb.configurar(1, 2, 6, 6, 0, 0, 3);
        const QList<Tecla> a = {{0, "5"}, {300, "8"}, {600, "2"}, {900, "4"}};
        const QList<Tecla> b = {{0, "5"}, {100, "6"}};
        QProcess p;
        semCore(p);
        p.start(TREVALIN_CLI,
                argumentos(amb, "r", escreverRoteiro(amb, "a.txt", a), {"--real-time"}));
        QVERIFY(p.waitForStarted(5000));
        QElapsedTimer t;
        t.start();
        while (!QFile::exists(TTravaIdentificacao::Arquivo(amb.pasta(), "r")) && t.elapsed() < 5000)
            QThread::msleep(2);
        const Execucao segunda = executar(argumentos(amb, "r", escreverRoteiro(amb, "b.txt", b)));
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(segunda.codigo, 1);
        QVERIFY2(segunda.err.contains("is being recorded by another session"),
                 qPrintable(segunda.err));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(p.readAllStandardOutput()), amb.pasta() + "r.tvl\n");

        AmbienteSessao ref;
        ref.configurar(1, 2, 6, 6, 0, 0, 3);
        QString o, e;
        QTextStream out(&o), err(&e);
        QCOMPARE(
            ComandoReplay(argumentos(ref, "r", escreverRoteiro(ref, "a.txt", a)).mid(1), out, err),
            0);
        QCOMPARE(AmbienteSessao::linhasRegistro(amb.pasta() + "r.tvl"),
                 AmbienteSessao::linhasRegistro(ref.pasta() + "r.tvl"));
        // Nothing else of either recording is left.
        QCOMPARE(QDir(amb.pasta()).entryList(QDir::Files | QDir::Hidden), QStringList{"r.tvl"});
    }

    // Killed between "_T1" and "_T2": the next attempt finishes the pair
    // (and is then refused, the animal being recorded); killed before
    // "_T1": the next attempt undoes it and records.
    void parInterrompido_data() {
        QTest::addColumn<QString>("matar");
        QTest::addColumn<bool>("concluido");
        QTest::newRow("after _T1") << "pasta:rato7_T1.tvl" << true;
        QTest::newRow("before _T1") << "nomear:rato7_T1.tvl" << false;
    }
    void parInterrompido() {
        QFETCH(QString, matar);
        QFETCH(bool, concluido);
        AmbienteSessao amb;
        amb.configurar(2, 120, 6, 4, 6, 2, 3);
        const QString roteiro = amb.dados + "duas.txt";
        QFile::copy(QStringLiteral(TREVALIN_TEST_DATA "/replay/duas_fases.txt"), roteiro);
        const Execucao morta = executar(argumentos(amb, "rato7", roteiro, {"--journal"}), matar);
        QVERIFY(morta.morto);
        const QString t1 = amb.pasta() + "rato7_T1.tvl", t2 = amb.pasta() + "rato7_T2.tvl";
        QCOMPARE(QFile::exists(t1), concluido);
        QVERIFY(!QFile::exists(t2));
        QCOMPARE(TRecuperacao::Diarios(amb.pasta()).size(), 1);

        const Execucao outra = executar(argumentos(amb, "rato7", roteiro, {"--journal"}));
        QCOMPARE(outra.codigo, concluido ? 1 : 0);
        if (concluido) QVERIFY2(outra.err.contains("already exists"), qPrintable(outra.err));
        auto semPrimeiraLinha = [](const QString &c) {
            QByteArray b;
            Arquivos::lerTudo(c, &b);
            return b.mid(b.indexOf("\r\n"));
        };
        for (const QString &f : {t1, t2})
            QCOMPARE(semPrimeiraLinha(f),
                     semPrimeiraLinha(QStringLiteral(TREVALIN_TEST_DATA "/replay/") +
                                      QFileInfo(f).fileName()));
        // The finished pair took its raw files and journal with it; the
        // undone one left them for a recovery, whose journal is still there.
        QStringList resto = QDir(amb.pasta()).entryList(QDir::Files | QDir::Hidden);
        resto.removeAll("rato7_T1.tvl");
        resto.removeAll("rato7_T2.tvl");
        if (concluido) {
            QCOMPARE(resto, QStringList());
        } else {
            QCOMPARE(resto.filter(".diario").size(), 1);
            QCOMPARE(resto.filter(TArquivoRegistro::SufixoPendente).size(), 0);
        }
    }
};

QTEST_GUILESS_MAIN(TstInterrupcao)
#include "tst_interrupcao.moc"
