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
    QByteArray conteudo(const QString &caminho) const {
        QByteArray b;
        Arquivos::lerTudo(caminho, &b);
        return b;
    }
    void criarUsuarioComExperimentos(const QStringList &nomes) {
        Perfil::CriarUsuario(m_dados, "ana");
        for (const QString &n : nomes)
            Perfil::CriarExperimento(perfil(), pasta(), n);
    }
    static QStringList lista(const QString &arquivo) {
        const TArquivoIni ini(arquivo);
        QStringList l;
        const int qde = ini.ReadInteger("Experimentos", "QdeExp", 0);
        for (int k = 1; k <= qde; ++k)
            l << ini.ReadString("Experimentos", QString::number(k), "<missing>");
        return l;
    }

private slots:
    void init() {
        m_temp = new QTemporaryDir;
        m_dados = m_temp->path() + "/";
    }
    void cleanup() {
        const QString p = perfil();
        if (QFile::exists(p))
            Arquivos::desmarcarSomenteLeitura(p);
        delete m_temp;
    }

    void novoUsuario() {
        QVERIFY(!QDir(m_dados + "usuarios").exists());
        Perfil::CriarUsuario(m_dados, "ana");
        QCOMPARE(conteudo(perfil()), QByteArray("[Experimentos]\r\nQdeExp=0"));
        QVERIFY(QFileInfo(pasta()).isDir());
        QCOMPARE(TArquivoIni(perfil()).ReadInteger("Experimentos", "QdeExp", -1), 0);

        // An existing profile is never overwritten.
        TArquivoIni(perfil()).WriteInteger("Experimentos", "QdeExp", 5);
        const QByteArray antes = conteudo(perfil());
        QVERIFY_THROWS_EXCEPTION(TErro, Perfil::CriarUsuario(m_dados, "ana"));
        QCOMPARE(conteudo(perfil()), antes);

        // A user folder left from earlier is reused.
        QVERIFY(QDir().mkpath(pasta("bruno")));
        QFile f(pasta("bruno") + "guardado.tvl");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        Perfil::CriarUsuario(m_dados, "bruno");
        QVERIFY(QFile::exists(perfil("bruno")));
        QVERIFY(QFile::exists(pasta("bruno") + "guardado.tvl"));
    }

    void nomesRecusados_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<bool>("usuario");
        QTest::addColumn<bool>("experimento");
        QTest::newRow("empty") << "" << false << false;
        QTest::newRow("slash") << "a/b" << false << false;
        QTest::newRow("dot dot") << ".." << false << false;
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
            QVERIFY(!QDir(m_dados + "usuarios").exists() ||
                    QDir(m_dados + "usuarios").isEmpty());
        }
        if (!experimento) {
            Perfil::CriarUsuario(m_dados, "ana");
            QVERIFY_THROWS_EXCEPTION(TErro, Perfil::CriarExperimento(perfil(), pasta(), nome));
            QCOMPARE(conteudo(perfil()), QByteArray("[Experimentos]\r\nQdeExp=0"));
        }
    }

    void novoExperimento() {
        criarUsuarioComExperimentos({"EXP1"});
        QCOMPARE(conteudo(perfil()),
                 QByteArray("[Experimentos]\r\nQdeExp=1\r\n1=EXP1\r\n\r\n[EXP1]\r\n"
                            "Configurado=0\r\nBraco=0\r\nQdeInicios=0\r\nInicioX1=0\r\n"
                            "InicioY1=0\r\nInicioX2=0\r\nInicioY2=0\r\nLabirinto=\r\n"
                            "CompTipo=\r\nTempoSecao=0\r\nDistancia=0\r\n"));
        QVERIFY(QFileInfo(pasta() + "EXP1").isDir());

        // Read back: the written zeros, not the defaults of missing keys.
        TExperimento e;
        e.Carregar(perfil(), "EXP1");
        QCOMPARE(e.Configurado, false);
        QCOMPARE(e.QdeInicios, 0);
        QCOMPARE(e.TempoSecao, 0);
        QCOMPARE(e.Distancia, 0);
        QCOMPARE(e.DivisoesDaSecao, 10);
        QCOMPARE(e.Labirinto, QString());
        QCOMPARE(e.Status.Qde, 0);

        Perfil::CriarExperimento(perfil(), pasta(), "EXP2");
        QCOMPARE(lista(perfil()), (QStringList{"EXP1", "EXP2"}));
        // Names are sections and folders: letter case does not make a new one.
        QVERIFY_THROWS_EXCEPTION(TErro, Perfil::CriarExperimento(perfil(), pasta(), "exp2"));
        QCOMPARE(lista(perfil()), (QStringList{"EXP1", "EXP2"}));
    }

    // A section left behind by an experiment that is no longer listed does
    // not leak into a new experiment of the same name.
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

    void salvarConfiguracoes() {
        criarUsuarioComExperimentos({"E"});
        TArquivoIni(perfil()).WriteString("E", "CompTipo", "Comp2");
        TExperimento e;
        e.Carregar(perfil(), "E");
        e.Configurado = true;
        e.Labirinto = "CRUZ (3)";
        e.Distancia = 10;
        e.QdeInicios = 1;
        e.TempoSecao = 300;
        Perfil::SalvarConfiguracoes(perfil(), e);
        const TArquivoIni ini(perfil());
        QCOMPARE(ini.ReadString("E", "Configurado", ""), QString("1"));
        QCOMPARE(ini.ReadString("E", "Labirinto", ""), QString("CRUZ (3)"));
        QCOMPARE(ini.ReadString("E", "Distancia", ""), QString("10"));
        QCOMPARE(ini.ReadString("E", "QdeInicios", ""), QString("1"));
        QCOMPARE(ini.ReadString("E", "DivisoesDaSecao", ""), QString("10"));
        QCOMPARE(ini.ReadString("E", "TempoSecao", ""), QString("300"));
        QCOMPARE(ini.ReadString("E", "CompTipo", ""), QString("Comp2"));
        QCOMPARE(ini.ReadString("E", "Braco", ""), QString("0"));
        QVERIFY(conteudo(perfil()).endsWith("Distancia=10\r\nDivisoesDaSecao=10\r\n"));
    }

    void salvarComportamentos() {
        criarUsuarioComExperimentos({"E1", "E2"});
        TArquivoIni ini(perfil());
        ini.WriteString("Comp2", "1", "VELHO");
        ini.WriteString("Comp2", "2", "X");
        ini.WriteString("Comp2", "26", "Z");
        ini.WriteString("E2", "CompTipo", "Comp2");
        ini.WriteString("Comp1", "1", "OUTRA LISTA");

        Perfil::SalvarComportamentos(perfil(), "E1", "Comp2", {{4, "GROOM"}, {2, "FARE"}});
        QCOMPARE(ini.ReadString("E1", "CompTipo", ""), QString("Comp2"));
        QCOMPARE(ini.ReadSection("Comp2"), (QStringList{"2", "4"}));
        QCOMPARE(ini.ReadString("Comp2", "2", ""), QString("FARE"));
        QCOMPARE(ini.ReadString("Comp2", "4", ""), QString("GROOM"));
        QCOMPARE(ini.ReadString("Comp1", "1", ""), QString("OUTRA LISTA"));

        // Removing a letter removes it for every experiment using the list;
        // a ticked letter without a name is written empty and is no behaviour.
        Perfil::SalvarComportamentos(perfil(), "E1", "Comp2", {{2, "FARE"}, {7, ""}});
        QCOMPARE(ini.ReadSection("Comp2"), (QStringList{"2", "7"}));
        TExperimento e;
        e.Carregar(perfil(), "E2");
        QCOMPARE(e.Status.Nome, QStringList{"FARE"});
        QCOMPARE(e.Comp[4], QString());

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

    void salvarInicios() {
        criarUsuarioComExperimentos({"E"});
        TExperimento e;
        e.Carregar(perfil(), "E");
        e.InicioX1 = 6;
        e.InicioY1 = 7;
        e.InicioX2 = 2;
        e.InicioY2 = 3;
        e.ComecoQueda = 3;
        Perfil::SalvarInicios(perfil(), e);
        TExperimento lido;
        lido.Carregar(perfil(), "E");
        QCOMPARE(lido.InicioX1, 6);
        QCOMPARE(lido.InicioY1, 7);
        QCOMPARE(lido.InicioX2, 2);
        QCOMPARE(lido.InicioY2, 3);
        QCOMPARE(lido.ComecoQueda, 3);
        QVERIFY(conteudo(perfil()).endsWith("Distancia=0\r\nComecoQueda=3\r\n"));
        e.ComecoQueda = 0;
        QVERIFY_THROWS_EXCEPTION(TErro, Perfil::SalvarInicios(perfil(), e));
    }

    void excluirExperimento_data() {
        QTest::addColumn<QStringList>("experimentos");
        QTest::addColumn<QString>("excluir");
        QTest::addColumn<QStringList>("restantes");
        QTest::newRow("second of three") << QStringList{"A", "B", "C"} << "B"
                                         << QStringList{"A", "C"};
        QTest::newRow("first of three") << QStringList{"A", "B", "C"} << "A"
                                        << QStringList{"B", "C"};
        QTest::newRow("last of three") << QStringList{"A", "B", "C"} << "C"
                                       << QStringList{"A", "B"};
        QTest::newRow("the only one") << QStringList{"A"} << "A" << QStringList{};
    }
    void excluirExperimento() {
        QFETCH(QStringList, experimentos);
        QFETCH(QString, excluir);
        QFETCH(QStringList, restantes);
        criarUsuarioComExperimentos(experimentos);
        TArquivoIni(perfil()).WriteString("Comp1", "1", "FARE");
        QVERIFY(Perfil::ExcluirExperimento(perfil(), excluir));
        const TArquivoIni ini(perfil());
        QCOMPARE(lista(perfil()), restantes);
        QCOMPARE(ini.ReadSection("Experimentos").size(), restantes.size() + 1);
        QVERIFY(!ini.SectionExists(excluir));
        QVERIFY(ini.ReadString("Experimentos", QString::number(experimentos.size()), "")
                    .isEmpty());
        for (const QString &r : restantes)
            QVERIFY(ini.SectionExists(r));
        QVERIFY(ini.SectionExists("Comp1"));
        QVERIFY(QFileInfo(pasta() + excluir).isDir()); // records stay on disk
    }

    void excluirNomeRepetido() {
        Perfil::CriarUsuario(m_dados, "ana");
        QFile f(perfil());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("[Experimentos]\r\nQdeExp=4\r\n1=A\r\n2=B\r\n3=A\r\n4=C\r\n"
                "[A]\r\nConfigurado=1\r\n");
        f.close();
        QVERIFY(Perfil::ExcluirExperimento(perfil(), "A"));
        QCOMPARE(lista(perfil()), (QStringList{"A", "B", "C"}));
        QVERIFY(!TArquivoIni(perfil()).SectionExists("A"));
    }

    // A name that is not in the list must not shift the list.
    void excluirNomeAusente() {
        criarUsuarioComExperimentos({"A", "B"});
        const QByteArray antes = conteudo(perfil());
        QVERIFY(!Perfil::ExcluirExperimento(perfil(), "X"));
        QVERIFY(!Perfil::ExcluirExperimento(perfil(), "a")); // names compare exactly
        QCOMPARE(conteudo(perfil()), antes);
    }

    // A list that claims more entries than it holds, with a gap.
    void excluirListaIncompleta() {
        Perfil::CriarUsuario(m_dados, "ana");
        QFile f(perfil());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("[Experimentos]\r\nQdeExp=1000000\r\n1=A\r\n2=B\r\n4=D\r\n");
        f.close();
        QVERIFY(Perfil::ExcluirExperimento(perfil(), "A"));
        const TArquivoIni ini(perfil());
        QCOMPARE(ini.ReadInteger("Experimentos", "QdeExp", 0), 999999);
        QCOMPARE(ini.ReadString("Experimentos", "1", "?"), QString("B"));
        QCOMPARE(ini.ReadString("Experimentos", "2", "?"), QString(""));
        QCOMPARE(ini.ReadString("Experimentos", "3", "?"), QString("D"));
        QCOMPARE(ini.ReadString("Experimentos", "4", "?"), QString(""));
    }

    // A profile that cannot be written is left exactly as it was.
    void perfilSomenteLeitura() {
        criarUsuarioComExperimentos({"A", "B", "C"});
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
