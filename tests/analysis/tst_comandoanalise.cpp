#include "AmbienteAnalise.h"
#include "analysis/ComandoAnalise.h"
#include "core/Arquivos.h"
#include "core/TDocumentoIni.h"
#include "data/LeitorPlanilha.h"

#include <QRegularExpression>
#include <QTest>

#include <map>

using namespace AmbienteAnalise;

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

} // namespace

class TstComandoAnalise : public QObject {
    Q_OBJECT

    // One data directory per maze, with records r1, r2 and r3.
    std::map<QString, std::unique_ptr<Ambiente>> m_ambientes;
    Ambiente &amb(const QString &labirinto = QStringLiteral("CRUZ (3)")) {
        auto &a = m_ambientes[labirinto];
        if (!a) {
            a = std::make_unique<Ambiente>(labirinto);
            for (const char *n : {"r1.tvl", "r2.tvl", "r3.tvl"})
                a->registro(n, caminho("D4 D3", 30000, 300000));
        }
        return *a;
    }
    QStringList base(const QString &saida, const char *tipo = "compacta",
                     const QString &labirinto = QStringLiteral("CRUZ (3)")) {
        return lista("--user ana --experiment exp --group g1=r1.tvl,r2 --group g2=r3")
               << "--data" << amb(labirinto).dados << "--kind" << tipo << "--out" << saida;
    }

private slots:
    void sucesso() {
        for (const char *tipo : {"compacta", "compacta-braco", "quadrado", "compacta-minuto",
                                 "compacta-braco-minuto", "quadrado-minuto"}) {
            const QString saida = amb().dir.filePath(tipo);
            const Saida s = rodar(base(saida, tipo));
            QCOMPARE(s.codigo, 0);
            QCOMPARE(s.out, saida + ".XLS\n");
            QCOMPARE(s.err, QString());
            QVERIFY(Arquivos::somenteLeitura(saida + ".XLS"));
        }
        const auto c = LeitorPlanilha::lerArquivo(amb().dir.filePath("compacta.XLS"));
        QCOMPARE(LeitorPlanilha::extensao(c).first, 7);
        QCOMPARE(LeitorPlanilha::faixa(c, 5, 1, 2), (QVariantList{1, "r1"}));
        QCOMPARE(LeitorPlanilha::faixa(c, 7, 1, 2), (QVariantList{1, "r3"}));
    }

    // The command reads the profile once for its checks and settings; the
    // run reads it once more for the experiment its records name, however
    // many records there are.
    void perfilLidoUmaVez() {
        Ambiente &a = amb();
        const QString perfil = TUsuario::ArquivoDoUsuario(a.dados, a.usuario);
        const qint64 antes = TDocumentoIni::Leituras(perfil);
        const Saida s = rodar(base(a.dir.filePath("umaLeitura")));
        QVERIFY2(s.codigo == 0, qPrintable(s.err));
        QCOMPARE(TDocumentoIni::Leituras(perfil) - antes, 2);
    }

    void saidaExistente() {
        Ambiente &a = amb();
        const QString saida = a.dir.filePath("existente"), final = saida + ".XLS";
        a.gravar("existente.XLS", "antigo", a.dados);
        QVERIFY(Arquivos::marcarSomenteLeitura(final));
        Saida s = rodar(base(saida));
        QCOMPARE(s.codigo, 1);
        QVERIFY2(s.err.contains(final) && s.err.contains("--force"), qPrintable(s.err));
        QVERIFY2(!s.err.contains("usage:"), qPrintable(s.err)); // a refusal, not a misuse
        QCOMPARE(ler(final), QByteArray("antigo"));
        // --force with a damaged record: refused, the old file stays.
        a.registro("r3.tvl", "D4\tENTRADA\t0\t1\t1\tum\t1\r\n");
        s = rodar(base(saida) << "--force");
        a.registro("r3.tvl", caminho("D4", 1, 300000));
        QCOMPARE(s.codigo, 1);
        QVERIFY2(s.err.contains(a.pastaExperimento() + "r3.tvl, line 11"), qPrintable(s.err));
        QCOMPARE(ler(final), QByteArray("antigo"));
        s = rodar(base(saida) << "--force");
        QCOMPARE(s.codigo, 0);
        QVERIFY(ler(final).startsWith(QByteArray::fromHex("0908")));
        QVERIFY(Arquivos::somenteLeitura(final));
    }

    // Every refusal exits 1 with a message and writes nothing. The options
    // are given as "--option=value"; a row's changes replace the option of
    // that name, drop it (the name alone) or come in addition.
    void recusas_data() {
        QTest::addColumn<QString>("labirinto");
        QTest::addColumn<QStringList>("mudancas");
        QTest::addColumn<QString>("mensagem");
        const QString cruz = QStringLiteral("CRUZ (3)");
        QTest::newRow("not available") << "EM T (5)" << lista("--kind=compacta") << "not available";
        QTest::newRow("nothing for this maze")
            << "ARENA (6x6)" << lista("--kind=compacta-braco") << "not available";
        QTest::newRow("unknown kind") << cruz << lista("--kind=compact") << "unknown --kind";
        QTest::newRow("missing option") << cruz << lista("--user") << "--user is required";
        QTest::newRow("unknown option") << cruz << lista("--fast") << "unknown option";
        QTest::newRow("no such user") << cruz << lista("--user=bia") << "no user";
        QTest::newRow("no such experiment") << cruz << lista("--experiment=x") << "no experiment";
        QTest::newRow("experiment climbs out")
            << cruz << lista("--experiment=../x") << "\"../x\" is refused";
        QTest::newRow("same group twice") << cruz << lista("--group=g1=r3") << "twice";
        QTest::newRow("path as a file name")
            << cruz << lista("--group=g3=../r1") << "not the name of a file";
        QTest::newRow("missing folder")
            << cruz << lista("--out=/nonexistent-folder/s") << "the folder does not exist";
        QTest::newRow("missing record") << cruz << lista("--group=g3=r9") << "r9.tvl";
        QStringList grupos;
        for (int i = 0; i < 50; ++i)
            grupos << QStringLiteral("--group=x%1=r1").arg(i);
        QTest::newRow("52 groups") << cruz << grupos << "52 groups given";
        QTest::newRow("52 files") << cruz
                                  << QStringList{"--group=g3=" + QStringList(52, "r1").join(',')}
                                  << "52 files";
    }
    void recusas() {
        QFETCH(QString, labirinto);
        QFETCH(QStringList, mudancas);
        QFETCH(QString, mensagem);
        const QString saida = amb(labirinto).dir.filePath("recusada");
        const QStringList b = base(saida, "compacta", labirinto);
        QStringList args;
        for (int i = 0; i < b.size(); i += 2)
            args << b[i] + '=' + b[i + 1];
        for (const QString &m : mudancas) {
            const QString nome = m.section('=', 0, 0);
            const qsizetype k =
                nome == "--group" ? -1 : args.indexOf(QRegularExpression(nome + "=.*"));
            if (k < 0)
                args << m;
            else if (m.contains('='))
                args[k] = m;
            else
                args.removeAt(k);
        }
        const Saida s = rodar(args);
        QCOMPARE(s.codigo, 1);
        QVERIFY2(s.err.contains(mensagem), qPrintable(s.err));
        // The usage line only for a malformed command line.
        const bool uso = mensagem.contains("--") || mensagem.startsWith("unknown");
        QCOMPARE(s.err.contains("usage: trevalin-cli analyse"), uso);
        QCOMPARE(s.out, QString());
        QVERIFY(!QFileInfo::exists(saida + ".XLS"));
    }
};

QTEST_GUILESS_MAIN(TstComandoAnalise)
#include "tst_comandoanalise.moc"
