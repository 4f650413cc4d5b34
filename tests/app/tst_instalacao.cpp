#include "app/TEscolhaIdioma.h"
#include "app/TIdioma.h"
#include "app/TInstalacao.h"
#include "core/Arquivos.h"

#include "TInteracaoFalsa.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TstInstalacao : public QObject {
    Q_OBJECT

    QTemporaryDir m_raiz;
    QString m_trabalho; // the working directory of one test
    QString m_origem;   // a folder of shipped files of one test

    QString raiz() const { return m_raiz.path(); }
    static void escrever(const QString &caminho, const QByteArray &bytes) {
        QDir().mkpath(QFileInfo(caminho).absolutePath());
        QFile f(caminho);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    static QByteArray conteudo(const QString &caminho) {
        QByteArray b;
        Arquivos::lerTudo(caminho, &b);
        return b;
    }
    void instalacao(const QByteArray &bytes) { escrever(m_trabalho + "/Instalacao.ini", bytes); }

private slots:
    void init() {
        QDir(raiz()).removeRecursively();
        QDir().mkpath(raiz());
        m_trabalho = raiz() + "/trabalho";
        m_origem = raiz() + "/origem";
        QDir().mkpath(m_trabalho);
        escrever(m_origem + "/Labirintos.ini", "[LABIRINTOS]\r\nQde=1\r\n");
        escrever(m_origem + "/idiomas/b.ini", "[UnitMain]\r\nSair1=B\r\n");
        escrever(m_origem + "/idiomas/a.ini", "[UnitMain]\r\nSair1=A\r\n");
        escrever(m_origem + "/idiomas/leiame.txt", "not shipped");
        escrever(m_origem + "/outro.ini", "not shipped");
    }

    // ---- Reading the installation file -------------------------------------

    void lerDiretorio_data() {
        QTest::addColumn<QByteArray>("arquivo"); // empty: no installation file
        QTest::addColumn<QString>("esperado");   // "@" stands for the working directory
        QTest::addColumn<bool>("configurado");
        QTest::newRow("no file") << QByteArray() << "/padrao/x/" << false;
        QTest::newRow("no section")
            << QByteArray("[Outra]\r\nPath=/a/\r\n") << "/padrao/x/" << false;
        QTest::newRow("empty Path")
            << QByteArray("[Diretorio]\r\nPath=\r\n") << "/padrao/x/" << false;
        QTest::newRow("blank Path")
            << QByteArray("[Diretorio]\r\nPath=   \r\n") << "/padrao/x/" << false;
        QTest::newRow("absolute") << QByteArray("[Diretorio]\r\nPath=/srv/dados/\r\n")
                                  << "/srv/dados/" << true;
        QTest::newRow("absolute without /")
            << QByteArray("[Diretorio]\r\nPath=/srv/dados\r\n") << "/srv/dados/" << true;
        QTest::newRow("root") << QByteArray("[Diretorio]\r\nPath=/\r\n") << "/" << true;
        QTest::newRow("relative") << QByteArray("[Diretorio]\r\nPath=dados\r\n") << "@/dados/"
                                  << true;
        QTest::newRow("relative with dots")
            << QByteArray("[Diretorio]\r\nPath=./a/../dados/\r\n") << "@/dados/" << true;
        QTest::newRow("backslashes")
            << QByteArray("[Diretorio]\r\nPath=..\\outro\\\r\n") << "@/../outro/" << true;
        QTest::newRow("blanks around")
            << QByteArray("[Diretorio]\r\n Path = /srv/x \r\n") << "/srv/x/" << true;
        QTest::newRow("letter case")
            << QByteArray("[DIRETORIO]\npath=/srv/y/\n") << "/srv/y/" << true;
    }
    void lerDiretorio() {
        QFETCH(QByteArray, arquivo);
        QFETCH(QString, esperado);
        QFETCH(bool, configurado);
        if (!arquivo.isEmpty()) instalacao(arquivo);
        esperado.replace(QLatin1Char('@'), m_trabalho);
        if (esperado.contains(QStringLiteral("/../")))
            esperado = QDir::cleanPath(esperado) + QLatin1Char('/');
        bool c = !configurado;
        QCOMPARE(TInstalacao::LerDiretorio(m_trabalho, "/padrao/x", &c), esperado);
        QCOMPARE(c, configurado);
    }

    void diretorioPadrao() {
        const QByteArray antes = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", (raiz() + "/xdg").toUtf8());
        const QString padrao = TInstalacao::DiretorioPadrao();
        if (antes.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", antes);
        QCOMPARE(padrao, raiz() + "/xdg/Trevalin/");
    }

    // ---- Completing a data directory ---------------------------------------

    void completarDiretorioVazio() {
        const QString dados = raiz() + "/dados/";
        QStringList copiados;
        QString erro;
        QVERIFY(TInstalacao::CompletarDiretorio(dados, m_origem, &copiados, &erro));
        QCOMPARE(copiados, QStringList({"Labirintos.ini", "idiomas/a.ini", "idiomas/b.ini"}));
        for (const QString &r : copiados) {
            QCOMPARE(conteudo(dados + r), conteudo(m_origem + "/" + r));
            QVERIFY(!Arquivos::somenteLeitura(dados + r)); // the user adds mazes to it
        }
        QVERIFY(!QFile::exists(dados + "outro.ini"));
        QVERIFY(!QFile::exists(dados + "idiomas/leiame.txt"));

        // A second start copies nothing.
        copiados.clear();
        QVERIFY(TInstalacao::CompletarDiretorio(dados, m_origem, &copiados, &erro));
        QVERIFY(copiados.isEmpty());
    }

    void naoSubstituiArquivos() {
        const QString dados = raiz() + "/dados/";
        escrever(dados + "Labirintos.ini", "[ARENA (5x3)]\r\nQuadradosEmX=5\r\n");
        escrever(dados + "idiomas/a.ini", "editado");
        QVERIFY(Arquivos::marcarSomenteLeitura(dados + "idiomas/a.ini"));
        QStringList copiados;
        QVERIFY(TInstalacao::CompletarDiretorio(dados, m_origem, &copiados));
        QCOMPARE(copiados, QStringList({"idiomas/b.ini"}));
        QCOMPARE(conteudo(dados + "Labirintos.ini"),
                 QByteArray("[ARENA (5x3)]\r\nQuadradosEmX=5\r\n"));
        QCOMPARE(conteudo(dados + "idiomas/a.ini"), QByteArray("editado"));
        Arquivos::desmarcarSomenteLeitura(dados + "idiomas/a.ini");
    }

    void origemSemLabirintos() {
        QFile::remove(m_origem + "/Labirintos.ini");
        QCOMPARE(TInstalacao::ArquivosDistribuidos(m_origem),
                 QStringList({"idiomas/a.ini", "idiomas/b.ini"}));
        QVERIFY(TInstalacao::ArquivosDistribuidos(raiz() + "/nada").isEmpty());
    }

    void falhaDeCopiaNaoParaAsOutras() {
        const QString dados = raiz() + "/dados/";
        escrever(dados + "idiomas", "a file where the folder should be");
        QStringList copiados;
        QString erro;
        QVERIFY(!TInstalacao::CompletarDiretorio(dados, m_origem, &copiados, &erro));
        QCOMPARE(copiados, QStringList({"Labirintos.ini"}));
        QVERIFY2(erro.contains(QStringLiteral("idiomas")), qPrintable(erro));
    }

    // The program carries the files of the resources folder, all of them and
    // as they are now.
    void arquivosEmbutidos() {
        const QString fonte = QStringLiteral(TREVALIN_RESOURCES "/");
        const QStringList embutidos =
            TInstalacao::ArquivosDistribuidos(TInstalacao::PastaDistribuida());
        QCOMPARE(embutidos, TInstalacao::ArquivosDistribuidos(fonte));
        QVERIFY(embutidos.contains("idiomas/idioma.ini"));
        for (int i = 0; i < TEscolhaIdioma::QdeIdiomas; ++i)
            QVERIFY(embutidos.contains(TEscolhaIdioma::ArquivoRelativo(i)));
        for (const QString &r : embutidos)
            QVERIFY2(conteudo(TInstalacao::PastaDistribuida() + r) == conteudo(fonte + r),
                     qPrintable(r + " differs from the embedded copy: rebuild"));
    }

    // ---- Start-up -------------------------------------------------------------

    void primeiraPartida() {
        const QString padrao = raiz() + "/home/.local/share/Trevalin";
        TInteracaoFalsa interacao;
        const QString dados = TInstalacao::PrepararDiretorio(&interacao, m_trabalho, padrao,
                                                             TInstalacao::PastaDistribuida());
        QCOMPARE(dados, padrao + "/");
        QVERIFY(interacao.mensagens.isEmpty());
        QVERIFY(QFileInfo(dados).isDir());
        for (const QString &r : TInstalacao::ArquivosDistribuidos(TInstalacao::PastaDistribuida()))
            QVERIFY2(QFile::exists(dados + r), qPrintable(r));

        // The first start shows Portuguese texts and asks for the language.
        TEscolhaIdioma escolha(dados);
        QVERIFY(!escolha.Confirmado());
        QCOMPARE(TIdioma(escolha.ArquivoIdioma()).Texto("UnitMain", "Sair1"),
                 QStringLiteral("&Sair"));

        // Later starts keep what the user changed.
        QVERIFY(escolha.PedirNovaEscolha(nullptr) && escolha.Confirmar(1, nullptr));
        QFile::remove(dados + "idiomas/frances.ini");
        QCOMPARE(TInstalacao::PrepararDiretorio(&interacao, m_trabalho, padrao,
                                                TInstalacao::PastaDistribuida()),
                 dados);
        QCOMPARE(TEscolhaIdioma(dados).Lingua(-1), 1);
        QVERIFY(TEscolhaIdioma(dados).Confirmado());
        QVERIFY(QFile::exists(dados + "idiomas/frances.ini"));
        QVERIFY(interacao.mensagens.isEmpty());
    }

    void diretorioConfigurado() {
        QDir().mkpath(m_trabalho + "/dados");
        instalacao("[Diretorio]\r\nPath=dados\r\n");
        TInteracaoFalsa interacao;
        const QString dados =
            TInstalacao::PrepararDiretorio(&interacao, m_trabalho, raiz() + "/padrao", m_origem);
        QCOMPARE(dados, m_trabalho + "/dados/");
        QVERIFY(QFile::exists(dados + "Labirintos.ini"));
        QVERIFY(QFile::exists(dados + "idiomas/a.ini"));
        QVERIFY(!QFile::exists(raiz() + "/padrao"));
        QVERIFY(interacao.mensagens.isEmpty());
    }

    // A configured directory that is missing (a disk not mounted) is reported
    // and not created.
    void diretorioConfiguradoInexistente() {
        instalacao("[Diretorio]\r\nPath=" + (raiz() + "/rede/trevalin/").toUtf8() + "\r\n");
        TInteracaoFalsa interacao;
        const QString dados =
            TInstalacao::PrepararDiretorio(&interacao, m_trabalho, raiz() + "/padrao", m_origem);
        QCOMPARE(dados, raiz() + "/rede/trevalin/");
        QVERIFY(!QFile::exists(raiz() + "/rede"));
        QVERIFY(!QFile::exists(raiz() + "/padrao"));
        QCOMPARE(interacao.mensagens.size(), 1);
        QVERIFY(interacao.mensagens[0].contains(dados));
    }

    void padraoQueNaoPodeSerCriado() {
        escrever(raiz() + "/arquivo", "x");
        TInteracaoFalsa interacao;
        const QString dados = TInstalacao::PrepararDiretorio(&interacao, m_trabalho,
                                                             raiz() + "/arquivo/sub", m_origem);
        QCOMPARE(dados, raiz() + "/arquivo/sub/");
        QCOMPARE(interacao.mensagens.size(), 1);
    }

    void copiaQueFalhaEAvisada() {
        const QString dados = raiz() + "/dados/";
        escrever(dados + "idiomas", "a file where the folder should be");
        instalacao("[Diretorio]\r\nPath=" + dados.toUtf8() + "\r\n");
        TInteracaoFalsa interacao;
        QCOMPARE(TInstalacao::PrepararDiretorio(&interacao, m_trabalho, raiz() + "/p", m_origem),
                 dados);
        QCOMPARE(interacao.mensagens.size(), 1);
        QVERIFY(QFile::exists(dados + "Labirintos.ini"));
    }
};

QTEST_GUILESS_MAIN(TstInstalacao)
#include "tst_instalacao.moc"
