#include "core/Arquivos.h"
#include "core/Perfil.h"
#include "core/TArquivoIni.h"
#include "core/TErro.h"
#include "core/TExperimento.h"
#include "core/TUsuario.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

static const QByteArray kPerfilNovo = "[Experimentos]\r\nQdeExp=0";

class TstPerfil : public QObject {
    Q_OBJECT

    QTemporaryDir *m_temp = nullptr;
    QString m_dados;

    QString perfil(const QString &usuario = "ana") const {
        return TUsuario::ArquivoDoUsuario(m_dados, usuario);
    }
    QString pasta(const QString &usuario = "ana") const {
        return TUsuario::PastaDoUsuario(m_dados, usuario);
    }
    static QByteArray conteudo(const QString &caminho) {
        QByteArray b;
        Arquivos::lerTudo(caminho, &b);
        return b;
    }
    void criar(const QStringList &experimentos) {
        Perfil::CriarUsuario(m_dados, "ana");
        for (const QString &n : experimentos)
            Perfil::CriarExperimento(perfil(), pasta(), n);
    }
    // The experiment list as "QdeExp|1|2|...", one key past the count (at
    // most 5); "?" for a missing key.
    QString indice() const {
        const TArquivoIni ini(perfil());
        const int qde = ini.ReadInteger("Experimentos", "QdeExp", -1);
        QStringList l{QString::number(qde)};
        for (int k = 1; k <= qMin(qde, 4) + 1; ++k)
            l << ini.ReadString("Experimentos", QString::number(k), "?");
        return l.join('|');
    }

private slots:
    void init() {
        m_temp = new QTemporaryDir;
        m_dados = m_temp->path() + "/";
    }
    void cleanup() {
        if (QFile::exists(perfil())) Arquivos::desmarcarSomenteLeitura(perfil());
        delete m_temp;
    }

    void novoUsuario() {
        Perfil::CriarUsuario(m_dados, "ana");
        QCOMPARE(conteudo(perfil()), kPerfilNovo);
        QVERIFY(QFileInfo(pasta()).isDir());

        // An existing profile is never overwritten.
        TArquivoIni(perfil()).WriteInteger("Experimentos", "QdeExp", 5);
        const QByteArray antes = conteudo(perfil());
        QVERIFY_THROWS_EXCEPTION(TErro, Perfil::CriarUsuario(m_dados, "ana"));
        QCOMPARE(conteudo(perfil()), antes);

        // A user folder left from earlier is reused.
        QVERIFY(QDir().mkpath(pasta("bruno") + "guardado"));
        Perfil::CriarUsuario(m_dados, "bruno");
        QVERIFY(QFile::exists(perfil("bruno")));
        QVERIFY(QFileInfo(pasta("bruno") + "guardado").isDir());
    }

    void nomesRecusados_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<bool>("usuario");
        QTest::addColumn<bool>("experimento");
        QTest::newRow("empty") << "" << false << false;
        QTest::newRow("slash") << "a/b" << false << false;
        QTest::newRow("dot dot") << ".." << false << false;
        QTest::newRow("line break") << "a\nb" << false << false;
        QTest::newRow("carriage return") << "a\rb" << false << false;
        QTest::newRow("list section") << "EXPERIMENTOS" << true << false;
        QTest::newRow("behaviour list") << "comp3" << true << false;
        QTest::newRow("not a list") << "Comp5" << true << true;
        QTest::newRow("bracket") << "a]b" << true << false;
        QTest::newRow("blank at the end") << "ab " << true << false;
        QTest::newRow("accented") << QString::fromUtf8("Ração;1") << true << true;
    }
    void nomesRecusados() {
        QFETCH(QString, nome);
        QFETCH(bool, usuario);
        QFETCH(bool, experimento);
        QCOMPARE(Perfil::ProblemaNomeUsuario(nome).isEmpty(), usuario);
        QCOMPARE(Perfil::ProblemaNomeExperimento(nome).isEmpty(), experimento);
        if (!usuario) {
            QVERIFY_THROWS_EXCEPTION(TErro, Perfil::CriarUsuario(m_dados, nome));
            QVERIFY(QDir(m_dados + "usuarios").isEmpty());
        }
        if (!experimento) {
            Perfil::CriarUsuario(m_dados, "ana");
            QVERIFY_THROWS_EXCEPTION(TErro, Perfil::CriarExperimento(perfil(), pasta(), nome));
            QCOMPARE(conteudo(perfil()), kPerfilNovo);
        }
    }

    // A profile file made by hand whose name holds a line break is no user:
    // the name would put an extra line into every record header.
    void usuarioComQuebraNaoListado() {
        QVERIFY(QDir().mkpath(m_dados + "usuarios"));
        for (const char *nome : {"ana.ini", "a\nb.ini", "c\rd.ini"})
            QVERIFY(Arquivos::gravarAtomico(m_dados + "usuarios/" + nome, "[Experimentos]"));
        QCOMPARE(TUsuario::ListarUsuarios(m_dados), QStringList{"ana"});
    }

    void novoExperimento() {
        criar({"EXP1"});
        QCOMPARE(conteudo(perfil()),
                 QByteArray("[Experimentos]\r\nQdeExp=1\r\n1=EXP1\r\n\r\n[EXP1]\r\n"
                            "Configurado=0\r\nBraco=0\r\nQdeInicios=0\r\nInicioX1=0\r\n"
                            "InicioY1=0\r\nInicioX2=0\r\nInicioY2=0\r\nLabirinto=\r\n"
                            "CompTipo=\r\nTempoSecao=0\r\nDistancia=0\r\n"));
        QVERIFY(QFileInfo(pasta() + "EXP1").isDir());

        // Read back: the written zeros, not the defaults of missing keys.
        TExperimento e;
        e.Carregar(perfil(), "EXP1");
        QCOMPARE((QList<int>{e.Configurado, e.QdeInicios, e.TempoSecao, e.Distancia, e.Status.Qde}),
                 (QList<int>{0, 0, 0, 0, 0}));

        // Names are sections and folders: letter case does not make a new one.
        Perfil::CriarExperimento(perfil(), pasta(), "EXP2");
        QVERIFY_THROWS_EXCEPTION(TErro, Perfil::CriarExperimento(perfil(), pasta(), "exp2"));
        QCOMPARE(indice(), QString("2|EXP1|EXP2|?"));
    }

    // A section left behind by an experiment no longer listed does not leak
    // into a new experiment of the same name.
    void secaoOrfa() {
        Perfil::CriarUsuario(m_dados, "ana");
        TArquivoIni(perfil()).WriteInteger("VELHO", "ComecoQueda", 3);
        TArquivoIni(perfil()).WriteInteger("VELHO", "DivisoesDaSecao", 7);
        Perfil::CriarExperimento(perfil(), pasta(), "VELHO");
        TExperimento e;
        e.Carregar(perfil(), "VELHO");
        QCOMPARE(e.ComecoQueda, 0);
        QCOMPARE(e.DivisoesDaSecao, 10);
    }

    void salvarConfiguracoesEInicios() {
        criar({"E"});
        TArquivoIni(perfil()).WriteString("E", "CompTipo", "Comp2");
        TExperimento e;
        e.Carregar(perfil(), "E");
        e.Configurado = true;
        e.Labirinto = "CRUZ (3)";
        e.Distancia = 10;
        e.QdeInicios = 1;
        e.TempoSecao = 300;
        e.InicioX1 = 6;
        e.InicioY1 = 7;
        e.InicioX2 = 2;
        e.InicioY2 = 3;
        e.ComecoQueda = 3;
        Perfil::SalvarConfiguracoes(perfil(), e);
        Perfil::SalvarInicios(perfil(), e);
        QCOMPARE(conteudo(perfil()),
                 QByteArray("[Experimentos]\r\nQdeExp=1\r\n1=E\r\n\r\n[E]\r\n"
                            "Configurado=1\r\nBraco=0\r\nQdeInicios=1\r\nInicioX1=6\r\n"
                            "InicioY1=7\r\nInicioX2=2\r\nInicioY2=3\r\nLabirinto=CRUZ (3)\r\n"
                            "CompTipo=Comp2\r\nTempoSecao=300\r\nDistancia=10\r\n"
                            "DivisoesDaSecao=10\r\nComecoQueda=3\r\n"));
        e.ComecoQueda = 0;
        QVERIFY_THROWS_EXCEPTION(TErro, Perfil::SalvarInicios(perfil(), e));
    }

    void salvarComportamentos() {
        criar({"E1", "E2"});
        TArquivoIni ini(perfil());
        ini.WriteString("Comp2", "1", "VELHO");
        ini.WriteString("Comp2", "26", "Z");
        ini.WriteString("E2", "CompTipo", "Comp2");
        ini.WriteString("Comp1", "1", "OUTRA LISTA");

        Perfil::SalvarComportamentos(perfil(), "E1", "Comp2", {{4, "GROOM"}, {2, "FARE"}});
        QCOMPARE(ini.ReadString("E1", "CompTipo", ""), QString("Comp2"));
        QCOMPARE(ini.ReadSection("Comp2"), (QStringList{"2", "4"}));
        QCOMPARE(ini.ReadString("Comp2", "4", ""), QString("GROOM"));
        QCOMPARE(ini.ReadString("Comp1", "1", ""), QString("OUTRA LISTA"));

        // Removing a letter removes it for every experiment using the list;
        // a ticked letter without a name is written empty and is no behaviour.
        Perfil::SalvarComportamentos(perfil(), "E1", "Comp2", {{2, "FARE"}, {7, ""}});
        QCOMPARE(ini.ReadSection("Comp2"), (QStringList{"2", "7"}));
        TExperimento e;
        e.Carregar(perfil(), "E2");
        QCOMPARE(e.Status.Nome, QStringList{"FARE"});

        // No letter ticked: the list's section is gone.
        Perfil::SalvarComportamentos(perfil(), "E1", "Comp2", {});
        QVERIFY(!ini.SectionExists("Comp2"));

        const QByteArray antes = conteudo(perfil());
        QVERIFY_THROWS_EXCEPTION(TErro,
                                 Perfil::SalvarComportamentos(perfil(), "E1", "Experimentos", {}));
        QVERIFY_THROWS_EXCEPTION(TErro, Perfil::SalvarComportamentos(perfil(), "E1", "Comp5", {}));
        QVERIFY_THROWS_EXCEPTION(
            TErro, Perfil::SalvarComportamentos(perfil(), "E1", "Comp1", {{27, "X"}}));
        QCOMPARE(conteudo(perfil()), antes);
    }

    // "list name result", lists in the form of indice() (an empty entry is
    // a missing key); result "-": refused, file unchanged.
    void excluirExperimento_data() {
        QTest::addColumn<QString>("caso");
        QTest::newRow("second of three") << "3|A|B|C B 2|A|C|?";
        QTest::newRow("last of three") << "3|A|B|C C 2|A|B|?";
        QTest::newRow("the only one") << "1|A A 0|?";
        QTest::newRow("listed twice: the last goes") << "4|A|B|A|C A 3|A|B|C|?";
        QTest::newRow("count beyond the keys, a gap") << "1000000|A|B||D A 999999|B||D||?";
        // A name that is not in the list must not shift the list.
        QTest::newRow("unlisted") << "2|A|B X -";
        QTest::newRow("other letter case") << "2|A|B a -";
    }
    void excluirExperimento() {
        QFETCH(QString, caso);
        const QString lista = caso.section(' ', 0, 0), excluir = caso.section(' ', 1, 1),
                      esperada = caso.section(' ', 2, 2);
        const QStringList l = lista.split('|');
        QByteArray texto = "[Experimentos]\r\nQdeExp=" + l[0].toLatin1() + "\r\n";
        for (int k = 1; k < l.size(); ++k)
            if (!l[k].isEmpty()) texto += QByteArray::number(k) + "=" + l[k].toLatin1() + "\r\n";
        for (const QString &n : QStringList{"A", "B", "C", "D"})
            texto += "[" + n.toLatin1() + "]\r\nConfigurado=1\r\n";
        texto += "[Comp1]\r\n1=FARE\r\n";
        QVERIFY(QDir().mkpath(pasta() + excluir));
        QVERIFY(Arquivos::gravarAtomico(perfil(), texto));

        QCOMPARE(Perfil::ExcluirExperimento(perfil(), excluir), esperada != "-");
        if (esperada == "-") {
            QCOMPARE(conteudo(perfil()), texto);
            return;
        }
        QCOMPARE(indice(), esperada);
        const TArquivoIni ini(perfil());
        for (const QString &n : QStringList{"A", "B", "C", "D", "Comp1"})
            QCOMPARE(ini.SectionExists(n), n != excluir);
        QVERIFY(QFileInfo(pasta() + excluir).isDir()); // records stay on disk
    }

    // A profile that cannot be written is left exactly as it was.
    void perfilSomenteLeitura() {
        criar({"A", "B", "C"});
        const QByteArray antes = conteudo(perfil());
        QVERIFY(Arquivos::marcarSomenteLeitura(perfil()));
        TExperimento e;
        e.Carregar(perfil(), "B");
        e.ComecoQueda = 1;
        auto verificar = [&](auto &&operacao) {
            try {
                operacao();
                QFAIL("no error");
            } catch (const TErro &erro) {
                QCOMPARE(erro.mensagem(), "Unable to write to " + perfil());
            }
            QCOMPARE(conteudo(perfil()), antes);
        };
        verificar([&] { Perfil::ExcluirExperimento(perfil(), "B"); });
        verificar([&] { Perfil::CriarExperimento(perfil(), pasta(), "D"); });
        verificar([&] { Perfil::SalvarConfiguracoes(perfil(), e); });
        verificar([&] { Perfil::SalvarComportamentos(perfil(), "B", "Comp1", {{1, "X"}}); });
        verificar([&] { Perfil::SalvarInicios(perfil(), e); });
        QVERIFY(!QFileInfo::exists(pasta() + "D"));
        QCOMPARE(QDir(pasta()).entryList(QDir::Files | QDir::Hidden), QStringList{});
        QCOMPARE(QDir(m_dados + "usuarios").entryList(QDir::Files | QDir::Hidden),
                 QStringList{"ana.ini"});
    }
};

QTEST_GUILESS_MAIN(TstPerfil)
#include "tst_perfil.moc"
