// The logic under the experiment windows: the list, the spin ranges, the
// two stages of a new experiment, the settings save and the display's
// summary, the behaviour catalogues.

#include "app/Catalogo.h"
#include "app/Configuracao.h"
#include "app/Experimentos.h"
#include "app/TIntervalo.h"
#include "app/TNovoExperimento.h"
#include "core/Arquivos.h"
#include "core/Perfil.h"
#include "core/TArquivoIni.h"
#include "core/TErro.h"
#include "core/TUsuario.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray ler(const QString &arquivo) {
    QByteArray b;
    Arquivos::lerTudo(arquivo, &b);
    return b;
}

} // namespace

class TstExperimentos : public QObject {
    Q_OBJECT

    QTemporaryDir *m_temp = nullptr;
    TUsuario *m_usuario = nullptr;

    void gravar(const QByteArray &perfil) {
        QVERIFY(Arquivos::gravarAtomico(m_usuario->Arquivo, perfil));
    }

private slots:
    void init() {
        m_temp = new QTemporaryDir;
        const QString dir = m_temp->path() + "/";
        Perfil::CriarUsuario(dir, "Ana");
        QVERIFY(Arquivos::gravarAtomico(dir + "Labirintos.ini",
                                        "[LABIRINTOS]\r\nLabirintos=CRUZ (3)/EM I (3)/\r\n"
                                        "Qde=5\r\n"));
        m_usuario = new TUsuario(dir);
        m_usuario->Carregar("Ana");
    }
    void cleanup() {
        Arquivos::desmarcarSomenteLeitura(m_usuario->Arquivo);
        delete m_usuario;
        delete m_temp;
    }

    void lista_data() {
        QTest::addColumn<QByteArray>("perfil");
        QTest::addColumn<QStringList>("nomes");
        QTest::newRow("case does not order") << QByteArray("[Experimentos]\r\nQdeExp=3\r\n1=C2\r\n"
                                                           "2=a1\r\n3=B7\r\n")
                                             << QStringList{"a1", "B7", "C2"};
        QTest::newRow("missing keys are empty lines")
            << QByteArray("[Experimentos]\r\nQdeExp=4\r\n3=b\r\n1=a\r\n01=x\r\n9=z\r\n")
            << QStringList{"", "", "a", "b"};
        QTest::newRow("no profile") << QByteArray() << QStringList{};
        QTest::newRow("damaged count")
            << QByteArray("[Experimentos]\r\nQdeExp=2147483647\r\n1=a\r\n")
            << QStringList(Experimentos::MaximoListado - 1, QString()) + QStringList{"a"};
    }
    void lista() {
        QFETCH(QByteArray, perfil);
        QFETCH(QStringList, nomes);
        if (perfil.isEmpty())
            QVERIFY(QFile::remove(m_usuario->Arquivo));
        else
            gravar(perfil);
        QCOMPARE(Experimentos::Listar(m_usuario->Arquivo), nomes);
    }

    void intervalo_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("valor");
        QTest::newRow("inside") << "15" << 15;
        QTest::newRow("above") << "10000" << 9990;
        QTest::newRow("below") << "5" << 10;
        QTest::newRow("negative") << "-3" << 10;
        QTest::newRow("empty") << "" << 10;
        QTest::newRow("letters") << "3a" << 10;
        QTest::newRow("blanks") << " 300 " << 300;
        QTest::newRow("overflow") << "99999999999999999999999" << 9990;
        QTest::newRow("negative overflow") << "-99999999999999999999999" << 10;
    }
    void intervalo() {
        QFETCH(QString, texto);
        QFETCH(int, valor);
        QCOMPARE(Configuracao::Duracao.Ajustar(texto), valor);
    }

    // Naming, then configuring: the first experiment of a new user, its
    // eleven keys, the saved settings with the built-in values.
    void novoExperimento() {
        TNovoExperimento novo(*m_usuario);
        QCOMPARE(novo.Salvar({"CRUZ (3)"}), Configuracao::TResultado::SemLabirinto);
        QCOMPARE(ler(m_usuario->Arquivo), QByteArray("[Experimentos]\r\nQdeExp=0"));
        m_usuario->Experimento.DivisoesDaSecao = 7; // left by another experiment
        QCOMPARE(novo.Registrar("Ração"), TNovoExperimento::TRegistro::Registrado);
        QCOMPARE(novo.Etapa(), TNovoExperimento::Configurando);
        QCOMPARE(novo.Registrar("Outro"), TNovoExperimento::TRegistro::Recusado);
        QCOMPARE(m_usuario->Experimento.Nome, QString("Ração"));
        QVERIFY(QFileInfo(m_usuario->Pasta + "Ração").isDir());
        const TArquivoIni ini(m_usuario->Arquivo);
        QCOMPARE(ini.ReadSection("Ração"),
                 (QStringList{"Configurado", "Braco", "QdeInicios", "InicioX1", "InicioY1",
                              "InicioX2", "InicioY2", "Labirinto", "CompTipo", "TempoSecao",
                              "Distancia"}));
        QCOMPARE(ini.ReadString("Experimentos", "1", ""), QString("Ração"));

        QCOMPARE(novo.Salvar({}), Configuracao::TResultado::SemLabirinto);
        QCOMPARE(novo.Salvar({"CRUZ (3)"}), Configuracao::TResultado::Salvo);
        QCOMPARE(ler(m_usuario->Arquivo).mid(ler(m_usuario->Arquivo).indexOf("[Ra")),
                 QByteArray("[Ra\xe7\xe3o]\r\nConfigurado=1\r\nBraco=0\r\nQdeInicios=1\r\n"
                            "InicioX1=0\r\nInicioY1=0\r\nInicioX2=0\r\nInicioY2=0\r\n"
                            "Labirinto=CRUZ (3)\r\nCompTipo=\r\nTempoSecao=300\r\n"
                            "Distancia=10\r\nDivisoesDaSecao=10\r\n"));
        QVERIFY(m_usuario->Experimento.Configurado);
    }

    void nomeRecusado_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("registro");
        QTest::newRow("empty") << "" << int(TNovoExperimento::TRegistro::VazioOuEmUso);
        QTest::newRow("other case") << "eXp" << int(TNovoExperimento::TRegistro::VazioOuEmUso);
        QTest::newRow("reserved") << "comp2" << int(TNovoExperimento::TRegistro::Recusado);
        QTest::newRow("longer than a folder name")
            << QString(128, QChar(0xe7)) << int(TNovoExperimento::TRegistro::Recusado);
    }
    void nomeRecusado() {
        QFETCH(QString, nome);
        QFETCH(int, registro);
        Perfil::CriarExperimento(m_usuario->Arquivo, m_usuario->Pasta, "Exp");
        const QByteArray antes = ler(m_usuario->Arquivo);
        TNovoExperimento novo(*m_usuario);
        QString erro;
        QCOMPARE(int(novo.Registrar(nome, &erro)), registro);
        QCOMPARE(novo.Etapa(), TNovoExperimento::Nomeando);
        QCOMPARE(ler(m_usuario->Arquivo), antes);
        QCOMPARE(QDir(m_usuario->Pasta).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{"Exp"});
        QCOMPARE(novo.Registrar(QString(127, QChar(0xe7))),
                 TNovoExperimento::TRegistro::Registrado);
    }

    // A profile that cannot be written: no folder, no entry; the settings
    // stay as the file has them, in the file and in memory.
    void perfilSomenteLeitura() {
        TNovoExperimento novo(*m_usuario);
        QVERIFY(Arquivos::marcarSomenteLeitura(m_usuario->Arquivo));
        QString erro;
        QCOMPARE(novo.Registrar("Exp", &erro), TNovoExperimento::TRegistro::Falhou);
        QVERIFY(erro.contains(m_usuario->Arquivo));
        QVERIFY(!QFileInfo::exists(m_usuario->Pasta + "Exp"));
        QVERIFY(Arquivos::desmarcarSomenteLeitura(m_usuario->Arquivo));
        // A profile that fails only when it is replaced (its folder is
        // gone): the experiment folder made before it goes again.
        QVERIFY_THROWS_EXCEPTION(TErro, Perfil::CriarExperimento(m_usuario->Pasta + "x/Ana.ini",
                                                                  m_usuario->Pasta, "Exp"));
        QVERIFY(!QFileInfo::exists(m_usuario->Pasta + "Exp"));
        QCOMPARE(novo.Registrar("Exp"), TNovoExperimento::TRegistro::Registrado);

        const QByteArray antes = ler(m_usuario->Arquivo);
        QVERIFY(Arquivos::marcarSomenteLeitura(m_usuario->Arquivo));
        QVERIFY_THROWS_EXCEPTION(TErro, novo.Salvar({"EM I (3)", 5, 20, 2}));
        QCOMPARE(ler(m_usuario->Arquivo), antes);
        QVERIFY(!m_usuario->Experimento.Configurado);
        QCOMPARE(m_usuario->Experimento.Labirinto, QString());

        QVERIFY_THROWS_EXCEPTION(TErro, Catalogo::Salvar(m_usuario->Arquivo,
                                                          m_usuario->Experimento, 2, {{2, "X"}}));
        QCOMPARE(ler(m_usuario->Arquivo), antes);
        QCOMPARE(m_usuario->Experimento.Comp[0], QString());
    }

    void salvarLimitaEResume() {
        gravar("[Experimentos]\r\nQdeExp=1\r\n1=E\r\n[E]\r\nDivisoesDaSecao=4\r\nCompTipo=Comp1\r\n"
               "[Comp1]\r\n26=ZZ\r\n3=CC\r\n");
        QCOMPARE(Configuracao::Salvar(*m_usuario, "E", {"EM I (3)", 500, 3, 7}),
                 Configuracao::TResultado::Salvo);
        const TExperimento &e = m_usuario->Experimento;
        QCOMPARE((QList<int>{e.Distancia, e.TempoSecao, e.QdeInicios, e.DivisoesDaSecao}),
                 (QList<int>{100, 10, 1, 4}));
        const Configuracao::TResumo r = Configuracao::Resumo(e);
        QCOMPARE((QStringList{r.Labirinto, r.Distancia, r.Duracao, r.Inicios, r.Padrao}),
                 (QStringList{"EM I (3)", "100", "10", "1", "1"}));
        QCOMPARE(r.Comportamentos, (QList<QPair<QString, QString>>{{"C", "CC"}, {"Z", "ZZ"}}));
        m_usuario->Experimento.Configurado = false;
        QVERIFY(Configuracao::Resumo(e).Comportamentos.isEmpty());
    }

    void normalizar_data() {
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<QString>("campo");
        QTest::newRow("capitals") << "sniff" << "SNIFF";
        QTest::newRow("tab and line breaks") << "a\tb\r\nc" << "ABC";
        QTest::newRow("equals at the start") << "==a=b" << "A=B";
        QTest::newRow("outside Windows-1252") << "€ž→Ω" << "€Ž";
        QTest::newRow("capital not in Windows-1252") << "µß" << "µSS";
        QTest::newRow("accents") << "ração" << "RAÇÃO";
    }
    void normalizar() {
        QFETCH(QString, digitado);
        QFETCH(QString, campo);
        QCOMPARE(Catalogo::Normalizar(digitado), campo);
        int posicao = digitado.size();
        Catalogo::Normalizar(digitado, &posicao);
        QCOMPARE(posicao, campo.size());
    }

    // Catalogue 2 saved with B and D only: the old section goes, CompTipo
    // names it; every experiment using it sees the change.
    void salvarCatalogo() {
        gravar("[Experimentos]\r\nQdeExp=2\r\n1=E\r\n2=F\r\n[E]\r\nConfigurado=1\r\n"
               "[F]\r\nConfigurado=1\r\nCompTipo=Comp2\r\n[Comp2]\r\n1=ANDAR\r\n26=Z\r\n");
        TExperimento &e = m_usuario->Experimento;
        e.Carregar(m_usuario->Arquivo, "E");
        Catalogo::Carregar(m_usuario->Arquivo, 2, e);
        QCOMPARE(e.Comp[0], QString("Comp2"));
        QCOMPARE(e.Comp[1] + e.Comp[26], QString("ANDARZ"));
        QCOMPARE(e.Status.Qde, 0); // memory only: not loaded from the file
        QCOMPARE(Catalogo::Salvar(m_usuario->Arquivo, e, 0, {{2, "fare"}}),
                 Catalogo::TResultado::SemCatalogo);
        QString nome;
        QCOMPARE(Catalogo::Salvar(m_usuario->Arquivo, e, 2, {{2, "entrada"}}, &nome),
                 Catalogo::TResultado::NomeReservado);
        QCOMPARE(Catalogo::Salvar(m_usuario->Arquivo, e, 2, {{2, "A"}, {3, ""}, {4, "a"}}, &nome),
                 Catalogo::TResultado::NomeRepetido);
        QCOMPARE(nome, QString("A"));
        QCOMPARE(Catalogo::Salvar(m_usuario->Arquivo, e, 2, {{2, "fare"}, {4, "GROOM"}}),
                 Catalogo::TResultado::Salvo);
        const TArquivoIni ini(m_usuario->Arquivo);
        QCOMPARE(ini.ReadSection("Comp2"), (QStringList{"2", "4"}));
        QCOMPARE(ini.ReadString("Comp2", "2", ""), QString("FARE"));
        QCOMPARE(ini.ReadString("E", "CompTipo", ""), QString("Comp2"));
        QCOMPARE(e.Status.Qde, 2);
        TExperimento f;
        f.Carregar(m_usuario->Arquivo, "F");
        QCOMPARE(f.Comp[4], QString("GROOM"));
        QVERIFY(f.Comp[1].isEmpty());
        QCOMPARE(Catalogo::Numero("Comp2"), 2);
        QCOMPARE(Catalogo::Numero("comp2"), 0);
    }
};

QTEST_MAIN(TstExperimentos)
#include "tst_experimentos.moc"
