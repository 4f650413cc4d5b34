#include "AmbienteAnalise.h"
#include "LeitorPlanilha.h"
#include "analysis/ComandoAnalise.h"
#include "core/Arquivos.h"

#include <QTest>

using AmbienteAnalise::Ambiente;

namespace {

struct Saida {
    int codigo;
    QString out, err;
};

Saida rodar(const QStringList &args) {
    Saida s;
    QTextStream out(&s.out), err(&s.err);
    s.codigo = ComandoAnalise(args, out, err);
    return s;
}

QByteArray ler(const QString &caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TstComandoAnalise : public QObject {
    Q_OBJECT

    std::unique_ptr<Ambiente> a;
    QString saida;
    QStringList base(const char *tipo = "compacta") const {
        return {"--data", a->dados, "--user", "ana",     "--experiment", "exp",     "--kind",
                tipo,     "--out",  saida,    "--group", "g1=r1.tvl,r2", "--group", "g2=r3"};
    }

private slots:
    void init() {
        a = std::make_unique<Ambiente>(QStringLiteral("CRUZ (3)"));
        for (const char *n : {"r1", "r2", "r3"})
            a->registro(QString::fromLatin1(n) + ".tvl",
                        AmbienteAnalise::caminho({"D4", "D3"}, 30000, 300000));
        saida = a->dir.filePath("saida");
    }

    void sucesso() {
        const Saida s = rodar(base());
        QCOMPARE(s.codigo, 0);
        QCOMPARE(s.out, saida + ".XLS\n");
        QCOMPARE(s.err, QString());
        QVERIFY(Arquivos::somenteLeitura(saida + ".XLS"));
        const auto c = LeitorPlanilha::lerArquivo(saida + ".XLS");
        QCOMPARE(LeitorPlanilha::ultimaLinha(c), 7);
        QCOMPARE(LeitorPlanilha::linha(c, 5, 1, 2), (QVariantList{1, "r1"}));
        QCOMPARE(LeitorPlanilha::linha(c, 7, 1, 2), (QVariantList{1, "r3"}));

        // Every kind the cross has.
        for (const char *tipo : {"compacta-braco", "quadrado", "compacta-minuto",
                                 "compacta-braco-minuto", "quadrado-minuto"}) {
            saida = a->dir.filePath(tipo);
            const Saida t = rodar(base(tipo));
            QVERIFY2(t.codigo == 0, qPrintable(t.err));
            QCOMPARE(t.out, saida + ".XLS\n");
        }
    }

    void saidaExistente() {
        const QString final = saida + ".XLS";
        QFile f(final);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("antigo");
        f.close();
        QVERIFY(Arquivos::marcarSomenteLeitura(final));

        Saida s = rodar(base());
        QCOMPARE(s.codigo, 1);
        QVERIFY2(s.err.contains(final) && s.err.contains("--force"), qPrintable(s.err));
        QCOMPARE(ler(final), QByteArray("antigo"));

        // --force with a damaged record: refused, the old file stays.
        a->registro("r3.tvl", "D4\tENTRADA\t0\t1\t1\tum\t1\r\n");
        s = rodar(base() << "--force");
        QCOMPARE(s.codigo, 1);
        QVERIFY2(s.err.contains(a->pastaExperimento() + "r3.tvl") && s.err.contains("line 11"),
                 qPrintable(s.err));
        QCOMPARE(ler(final), QByteArray("antigo"));

        a->registro("r3.tvl", AmbienteAnalise::caminho({"D4"}, 1, 300000));
        s = rodar(base() << "--force");
        QCOMPARE(s.codigo, 0);
        QVERIFY(ler(final).startsWith(QByteArray::fromHex("0908")));
        QVERIFY(Arquivos::somenteLeitura(final));
    }

    void recusas_data() {
        QTest::addColumn<QString>("labirinto");
        QTest::addColumn<QStringList>("trocas"); // option, new value (empty: drop it)
        QTest::addColumn<QStringList>("extras");
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("not available") << "EM T (5)" << QStringList{"--kind", "compacta"}
                                       << QStringList() << 1 << "not available";
        QTest::newRow("does nothing for this maze")
            << "ARENA (6x6)" << QStringList{"--kind", "compacta-braco"} << QStringList() << 1
            << "not available";
        QTest::newRow("unknown kind") << "CRUZ (3)" << QStringList{"--kind", "compact"}
                                      << QStringList() << 1 << "unknown --kind";
        QTest::newRow("missing option") << "CRUZ (3)" << QStringList{"--user", ""} << QStringList()
                                        << 1 << "--user is required";
        QTest::newRow("unknown option")
            << "CRUZ (3)" << QStringList() << QStringList{"--fast"} << 1 << "unknown option";
        QTest::newRow("no such user")
            << "CRUZ (3)" << QStringList{"--user", "bia"} << QStringList() << 1 << "no user";
        QTest::newRow("no such experiment") << "CRUZ (3)" << QStringList{"--experiment", "x"}
                                            << QStringList() << 1 << "no experiment";
        QTest::newRow("same group twice")
            << "CRUZ (3)" << QStringList() << QStringList{"--group", "g1=r3"} << 1 << "twice";
        QTest::newRow("path as a file name")
            << "CRUZ (3)" << QStringList() << QStringList{"--group", "g3=../r1"} << 1
            << "not the name of a file";
        QTest::newRow("missing folder")
            << "CRUZ (3)" << QStringList{"--out", "/nonexistent-folder/s"} << QStringList() << 1
            << "the folder does not exist";
        QTest::newRow("missing record")
            << "CRUZ (3)" << QStringList() << QStringList{"--group", "g3=r9"} << 1 << "r9.tvl";
        QStringList grupos, arquivos;
        for (int i = 0; i < 50; ++i)
            grupos << "--group" << QStringLiteral("x%1=r1").arg(i);
        for (int i = 0; i < 52; ++i)
            arquivos << QStringLiteral("r1");
        QTest::newRow("52 groups")
            << "CRUZ (3)" << QStringList() << grupos << 1 << "52 groups given";
        QTest::newRow("52 files") << "CRUZ (3)" << QStringList()
                                  << QStringList{"--group", "g3=" + arquivos.join(',')} << 1
                                  << "52 files";
    }
    void recusas() {
        QFETCH(QString, labirinto);
        QFETCH(QStringList, trocas);
        QFETCH(QStringList, extras);
        QFETCH(int, codigo);
        QFETCH(QString, mensagem);
        a = std::make_unique<Ambiente>(labirinto);
        for (const char *n : {"r1", "r2", "r3"})
            a->registro(QString::fromLatin1(n) + ".tvl",
                        AmbienteAnalise::caminho({"A1"}, 1, 300000));
        saida = a->dir.filePath("saida");
        QStringList args = base();
        for (int i = 0; i + 1 < trocas.size(); i += 2) {
            const qsizetype k = args.indexOf(trocas[i]);
            if (trocas[i + 1].isEmpty())
                args.remove(k, 2);
            else
                args[k + 1] = trocas[i + 1];
        }
        const Saida s = rodar(args + extras);
        QCOMPARE(s.codigo, codigo);
        QVERIFY2(s.err.contains(mensagem), qPrintable(s.err));
        QCOMPARE(s.out, QString());
        QVERIFY(!QFileInfo::exists(saida + ".XLS"));
    }
};

QTEST_GUILESS_MAIN(TstComandoAnalise)
#include "tst_comandoanalise.moc"
