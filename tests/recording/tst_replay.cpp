#include "AmbienteSessao.h"

#include "core/TDocumentoIni.h"
#include "recording/ComandoReplay.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QTest>

class TstReplay : public QObject {
    Q_OBJECT

    struct Saida {
        int codigo = 0;
        QString out, err;
    };

    static Saida executar(const AmbienteSessao &amb, const QString &id, const QByteArray &roteiro,
                          QStringList extra = {}) {
        const QString caminho = amb.dados + "roteiro.txt";
        QFile::remove(caminho);
        Arquivos::gravarAtomico(caminho, roteiro);
        Saida s;
        QTextStream out(&s.out), err(&s.err);
        QStringList args = extra.isEmpty()
                               ? QStringList{"--data", amb.dados, "--user", "ana",  "--experiment",
                                             "exp",    "--id",    id,       caminho}
                               : extra;
        s.codigo = ComandoReplay(args, out, err);
        out.flush();
        err.flush();
        return s;
    }

    // Everything after the first line (which carries the writing moment).
    static QByteArray semPrimeiraLinha(const QString &caminho) {
        QByteArray b;
        Arquivos::lerTudo(caminho, &b);
        return b.mid(b.indexOf("\r\n"));
    }

private slots:
    // A two-start recording with a fall in each phase, behaviours, the arrow
    // keys and an event after the session end, against golden files.
    void duasFases() {
        AmbienteSessao amb;
        amb.configurar(2, 120, 6, 4, 6, 2, 3);
        QByteArray roteiro;
        Arquivos::lerTudo(QStringLiteral(TREVALIN_TEST_DATA "/replay/duas_fases.txt"), &roteiro);
        const Saida s = executar(amb, "rato7", roteiro);
        QVERIFY2(s.codigo == 0, qPrintable(s.err));
        QCOMPARE(s.out, amb.pasta() + "rato7_T1.tvl\n" + amb.pasta() + "rato7_T2.tvl\n");
        for (const char *nome : {"rato7_T1.tvl", "rato7_T2.tvl"}) {
            QCOMPARE(semPrimeiraLinha(amb.pasta() + nome),
                     semPrimeiraLinha(QStringLiteral(TREVALIN_TEST_DATA "/replay/") + nome));
            QVERIFY(QRegularExpression("^Trevalin 2005  \\|  [0-9/]{10}  \\|  [0-9:]{8}$")
                        .match(AmbienteSessao::linhas(amb.pasta() + nome).value(0))
                        .hasMatch());
        }
    }

    // The session timer due at an event's time fires first; the event is
    // then after the end and ignored.
    void eventoNoFimDaSessao() {
        AmbienteSessao amb;
        const Saida s = executar(amb, "r", "0 5\n300000 8\n");
        QCOMPARE(s.codigo, 0);
        QCOMPARE(AmbienteSessao::linhasRegistro(amb.pasta() + "r.tvl").filter("F5").size(), 0);
        QCOMPARE(AmbienteSessao::linhasRegistro(amb.pasta() + "r.tvl").size(), 5);
    }

    // A profile with a 16 MB value (any key of any section) is read once by
    // a replay, however many settings the session takes from it.
    void perfilGrandeLidoUmaVez() {
        AmbienteSessao amb;
        QByteArray perfil;
        Arquivos::lerTudo(amb.perfil(), &perfil);
        perfil += "[Notas]\r\nTexto=" + QByteArray(16 << 20, 'x') + "\r\n";
        QFile::remove(amb.perfil());
        QVERIFY(Arquivos::gravarAtomico(amb.perfil(), perfil));
        const qint64 antes = TDocumentoIni::Leituras(amb.perfil());
        const Saida s = executar(amb, "r", "0 5\n1000 8\n");
        QVERIFY2(s.codigo == 0, qPrintable(s.err));
        QCOMPARE(TDocumentoIni::Leituras(amb.perfil()) - antes, 1);
        QCOMPARE(AmbienteSessao::linhasRegistro(amb.pasta() + "r.tvl").size(), 6);
    }

    // Every failure: exit 1, a clear message, nothing written.
    void erros_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QByteArray>("roteiro");
        QTest::addColumn<QString>("preparo");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("malformed line") << "r" << QByteArray("0 5\n\n# note\n1000 jump\n") << ""
                                        << "roteiro.txt:4: unknown event \"jump\"";
        QTest::newRow("time goes back") << "r" << QByteArray("1000 5\r\n500 8\r\n") << ""
                                        << "roteiro.txt:2: time 500 is before";
        QTest::newRow("bad argument") << "r" << QByteArray("0 5\n10 down 7\n") << ""
                                      << "roteiro.txt:2: \"7\" is not a letter";
        QTest::newRow("refused character") << "rato-1" << QByteArray("0 5\n") << ""
                                           << "identification \"rato-1\" is refused";
        QTest::newRow("record file exists") << "r" << QByteArray("0 5\n") << "existe"
                                            << "a record file of identification r already exists";
        QTest::newRow("never started") << "r" << QByteArray("1000 8\n") << ""
                                       << "the recording never started";
        QTest::newRow("paused at the end") << "r" << QByteArray("0 5\n1000 esc\n") << ""
                                           << "paused after a fall";
        QTest::newRow("start squares not set") << "r" << QByteArray("0 5\n") << "semInicio"
                                               << "are not set";
        QTest::newRow("unknown experiment") << "r" << QByteArray("0 5\n") << "outroExperimento"
                                            << "experiment nada is not in the profile";
        QTest::newRow("missing argument") << "r" << QByteArray("0 5\n") << "semId"
                                          << "are all required";
        // Names that would put files outside the data directory, even when a
        // profile for them exists there.
        QTest::newRow("user climbs out") << "r" << QByteArray("0 5\n") << "usuarioCaminho"
                                         << "user \"../ana\" is refused";
        QTest::newRow("user with a line break")
            << "r" << QByteArray("0 5\n") << "usuarioQuebra" << "is refused";
        QTest::newRow("length not a number")
            << "r" << QByteArray("0 5\n") << "tempo:5 min"
            << "experiment exp cannot be recorded: its session length TempoSecao=\"5 min\"";
        QTest::newRow("length beyond 32 bits")
            << "r" << QByteArray("0 5\n") << "tempo:4294967596" << "TempoSecao=\"4294967596\"";
        QTest::newRow("length too long")
            << "r" << QByteArray("0 5\n") << "tempo:9991" << "TempoSecao=\"9991\"";
        QTest::newRow("experiment climbs out")
            << "r" << QByteArray("0 5\n") << "experimentoCaminho"
            << "experiment \"../exp\" is refused";
    }
    void erros() {
        QFETCH(QString, id);
        QFETCH(QByteArray, roteiro);
        QFETCH(QString, preparo);
        QFETCH(QString, mensagem);
        AmbienteSessao amb;
        QStringList extra;
        if (preparo == "existe")
            Arquivos::gravarAtomico(amb.pasta() + "r.tvl", "x");
        else if (preparo == "semInicio")
            amb.configurar(1, 300, 0, 0, 0, 0, 3);
        else if (preparo == "outroExperimento")
            extra = {"--data",
                     amb.dados,
                     "--user",
                     "ana",
                     "--experiment",
                     "nada",
                     "--id",
                     id,
                     amb.dados + "roteiro.txt"};
        else if (preparo == "semId")
            extra = {"--data", amb.dados, "--user", "ana", amb.dados + "roteiro.txt"};
        else if (preparo == "usuarioCaminho") {
            QFile::copy(amb.perfil(), amb.dados + "ana.ini");
            QDir(amb.dados).mkpath("ana/exp");
            extra = {"--data",       amb.dados, "--user", "../ana",
                     "--experiment", "exp",     "--id",   id,
                     amb.dados + "roteiro.txt"};
        } else if (preparo == "usuarioQuebra") {
            QFile::copy(amb.perfil(), amb.dados + "usuarios/ana\nx.ini");
            QDir(amb.dados).mkpath("usuarios/ana\nx/exp");
            extra = {"--data",       amb.dados, "--user", "ana\nx",
                     "--experiment", "exp",     "--id",   id,
                     amb.dados + "roteiro.txt"};
        } else if (preparo.startsWith("tempo:")) {
            QByteArray perfil;
            Arquivos::lerTudo(amb.perfil(), &perfil);
            perfil.replace("TempoSecao=300", preparo.mid(6).prepend("TempoSecao=").toLatin1());
            QFile::remove(amb.perfil());
            Arquivos::gravarAtomico(amb.perfil(), perfil);
        } else if (preparo == "experimentoCaminho") {
            QByteArray perfil;
            Arquivos::lerTudo(amb.perfil(), &perfil);
            perfil.replace("1=exp\r\n[exp]", "1=../exp\r\n[../exp]");
            QFile::remove(amb.perfil());
            Arquivos::gravarAtomico(amb.perfil(), perfil);
            QDir(amb.dados).mkpath("usuarios/exp");
            extra = {"--data",       amb.dados, "--user", "ana",
                     "--experiment", "../exp",  "--id",   id,
                     amb.dados + "roteiro.txt"};
        }
        const QStringList antes = QDir(amb.pasta()).entryList(QDir::Files);
        const Saida s = executar(amb, id, roteiro, extra);
        QCOMPARE(s.codigo, 1);
        QVERIFY2(s.err.contains(mensagem), qPrintable(s.err));
        QVERIFY(s.out.isEmpty());
        QCOMPARE(QDir(amb.pasta()).entryList(QDir::Files), antes);
        QStringList registros;
        for (QDirIterator it(amb.dados, {"*.tvl"}, QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();)
            registros << it.next();
        QCOMPARE(registros.size(), preparo == "existe" ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TstReplay)
#include "tst_replay.moc"
