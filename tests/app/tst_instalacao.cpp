#include "app/TEscolhaIdioma.h"
#include "app/TInstalacao.h"
#include "core/Arquivos.h"
#include "core/TIdioma.h"

#include "TInteracaoFalsa.h"

#include <QDir>
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
        QVERIFY(Arquivos::gravarAtomico(caminho, bytes));
    }
    static QByteArray conteudo(const QString &caminho) {
        QByteArray b;
        Arquivos::lerTudo(caminho, &b);
        return b;
    }
    void instalacao(const QString &path) {
        escrever(m_trabalho + "/Instalacao.ini", "[Diretorio]\r\nPath=" + path.toUtf8() + "\r\n");
    }
    // The start-up step with the test's folders; its messages go to *ui.
    QString preparar(TInteracaoFalsa *ui, const QString &padrao) {
        return TInstalacao::PrepararDiretorio(ui, m_trabalho, padrao, m_origem);
    }

private slots:
    void init() {
        QDir(raiz()).removeRecursively();
        m_trabalho = raiz() + "/trabalho";
        m_origem = raiz() + "/origem";
        QDir().mkpath(m_trabalho);
        escrever(m_origem + "/Labirintos.ini", "[LABIRINTOS]\r\nQde=1\r\n");
        escrever(m_origem + "/idiomas/b.ini", "[UnitMain]\r\nSair1=B\r\n");
        escrever(m_origem + "/idiomas/a.ini", "[UnitMain]\r\nSair1=A\r\n");
        escrever(m_origem + "/idiomas/leiame.txt", "not shipped");
        escrever(m_origem + "/outro.ini", "not shipped");
    }

    void lerDiretorio_data() {
        QTest::addColumn<QByteArray>("linha"); // of section "Diretorio"; empty: no file
        QTest::addColumn<QString>("esperado"); // "@": the working directory, "^": its parent
        // clang-format off
        QTest::newRow("no file") << QByteArray() << "/padrao/x/";
        QTest::newRow("empty Path") << QByteArray("Path=") << "/padrao/x/";
        QTest::newRow("blank Path") << QByteArray("Path=   ") << "/padrao/x/";
        QTest::newRow("absolute") << QByteArray("Path=/srv/dados/") << "/srv/dados/";
        QTest::newRow("absolute without /") << QByteArray("Path=/srv/dados") << "/srv/dados/";
        QTest::newRow("root") << QByteArray("Path=/") << "/";
        QTest::newRow("relative") << QByteArray("Path=dados") << "@/dados/";
        QTest::newRow("relative with dots") << QByteArray("Path=./a/../dados/") << "@/dados/";
        QTest::newRow("backslashes") << QByteArray("Path=..\\outro\\") << "^/outro/";
        QTest::newRow("blanks around") << QByteArray(" Path = /srv/x ") << "/srv/x/";
        QTest::newRow("letter case, LF") << QByteArray("[DIRETORIO]\npath=/srv/y/\n") << "/srv/y/";
        // clang-format on
    }
    void lerDiretorio() {
        QFETCH(QByteArray, linha);
        QFETCH(QString, esperado);
        if (!linha.isEmpty())
            escrever(m_trabalho + "/Instalacao.ini",
                     linha.startsWith('[') ? linha : "[Diretorio]\r\n" + linha + "\r\n");
        esperado.replace(QLatin1Char('@'), m_trabalho).replace(QLatin1Char('^'), raiz());
        const bool padrao = esperado.startsWith("/padrao/");
        bool configurado = padrao; // the opposite of what is expected
        QCOMPARE(TInstalacao::LerDiretorio(m_trabalho, "/padrao/x", &configurado), esperado);
        QCOMPARE(configurado, !padrao);
    }

    // (This test's process only: nothing else here reads the variable.)
    void diretorioPadrao() {
        qputenv("XDG_DATA_HOME", (raiz() + "/xdg").toUtf8());
        QCOMPARE(TInstalacao::DiretorioPadrao(), raiz() + "/xdg/Trevalin/");
    }

    // Only shipped files the directory lacks are copied, writable; the user's
    // files stay as they are, read-only or not; a second start copies nothing.
    void completarDiretorio() {
        const QString dados = raiz() + "/dados/";
        escrever(dados + "Labirintos.ini", "mazes of the user");
        escrever(dados + "idiomas/a.ini", "editado");
        QVERIFY(Arquivos::marcarSomenteLeitura(dados + "idiomas/a.ini"));
        QStringList copiados;
        QVERIFY(TInstalacao::CompletarDiretorio(dados, m_origem, &copiados));
        QCOMPARE(copiados, QStringList({"idiomas/b.ini"}));
        QCOMPARE(conteudo(dados + "idiomas/b.ini"), conteudo(m_origem + "/idiomas/b.ini"));
        QVERIFY(!Arquivos::somenteLeitura(dados + "idiomas/b.ini"));
        QCOMPARE(conteudo(dados + "Labirintos.ini"), QByteArray("mazes of the user"));
        QCOMPARE(conteudo(dados + "idiomas/a.ini"), QByteArray("editado"));
        QVERIFY(!QFile::exists(dados + "outro.ini") &&
                !QFile::exists(dados + "idiomas/leiame.txt"));
        copiados.clear();
        QVERIFY(TInstalacao::CompletarDiretorio(dados, m_origem, &copiados));
        QVERIFY(copiados.isEmpty());
    }

    // The program carries all files of the resources folder, as they are now.
    void arquivosEmbutidos() {
        const QString fonte = QStringLiteral(TREVALIN_RESOURCES "/");
        const QString embutida = TInstalacao::PastaDistribuida();
        const QStringList arquivos = TInstalacao::ArquivosDistribuidos(embutida);
        QCOMPARE(arquivos, TInstalacao::ArquivosDistribuidos(fonte));
        QVERIFY(arquivos.contains("Labirintos.ini") && arquivos.contains("idiomas/idioma.ini"));
        for (const QString &r : arquivos)
            QVERIFY2(conteudo(embutida + r) == conteudo(fonte + r),
                     qPrintable(r + " differs from the embedded copy: rebuild"));
    }

    // No Instalacao.ini: the default folder is made and filled, Portuguese is
    // shown and the language asked for; later starts keep the user's changes.
    void primeiraPartida() {
        const QString padrao = raiz() + "/home/.local/share/Trevalin";
        m_origem = TInstalacao::PastaDistribuida();
        TInteracaoFalsa ui;
        const QString dados = preparar(&ui, padrao);
        QCOMPARE(dados, padrao + "/");
        for (const QString &r : TInstalacao::ArquivosDistribuidos(m_origem))
            QVERIFY2(QFile::exists(dados + r), qPrintable(r));
        TEscolhaIdioma escolha(dados);
        QVERIFY(!escolha.Confirmado());
        QCOMPARE(TIdioma(escolha.ArquivoIdioma()).Texto("UnitMain", "Sair1"),
                 QStringLiteral("&Sair"));

        QVERIFY(escolha.Confirmar(1, nullptr));
        QFile::remove(dados + "idiomas/frances.ini");
        QCOMPARE(preparar(&ui, padrao), dados);
        QCOMPARE(TEscolhaIdioma(dados).Lingua(-1), 1);
        QVERIFY(TEscolhaIdioma(dados).Confirmado());
        QVERIFY(QFile::exists(dados + "idiomas/frances.ini"));
        QVERIFY(ui.mensagens.isEmpty());
    }

    // A relative Path is the working directory's; the default folder is left
    // alone. Problems are told once each and never stop the start.
    void partidaConfigurada() {
        QDir().mkpath(m_trabalho + "/dados");
        instalacao("dados");
        TInteracaoFalsa ui;
        const QString dados = preparar(&ui, raiz() + "/padrao");
        QCOMPARE(dados, m_trabalho + "/dados/");
        QVERIFY(QFile::exists(dados + "Labirintos.ini") && QFile::exists(dados + "idiomas/a.ini"));
        QVERIFY(ui.mensagens.isEmpty());

        // A configured directory that is missing (a disk not mounted) is
        // reported and not created.
        instalacao(raiz() + "/rede/trevalin/");
        QCOMPARE(preparar(&ui, raiz() + "/padrao"), raiz() + "/rede/trevalin/");
        QVERIFY(!QFile::exists(raiz() + "/rede") && !QFile::exists(raiz() + "/padrao"));
        QCOMPARE(ui.mensagens.size(), 1);
        QVERIFY(ui.mensagens[0].contains(raiz() + "/rede/trevalin/"));

        // A default folder that cannot be created.
        QFile::remove(m_trabalho + "/Instalacao.ini");
        escrever(raiz() + "/arquivo", "x");
        QCOMPARE(preparar(&ui, raiz() + "/arquivo/sub"), raiz() + "/arquivo/sub/");
        QCOMPARE(ui.mensagens.size(), 2);

        // A file that cannot be copied does not stop the others.
        const QString outros = raiz() + "/outros/";
        escrever(outros + "idiomas", "a file where the folder should be");
        instalacao(outros);
        QCOMPARE(preparar(&ui, raiz() + "/p"), outros);
        QCOMPARE(ui.mensagens.size(), 3);
        QVERIFY2(ui.mensagens[2].contains("idiomas"), qPrintable(ui.mensagens[2]));
        QVERIFY(QFile::exists(outros + "Labirintos.ini"));
    }
};

QTEST_GUILESS_MAIN(TstInstalacao)
#include "tst_instalacao.moc"
