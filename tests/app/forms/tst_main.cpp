// The application shell: first start, the language box, users and login,
// experiment deletion, log-off and change of language.

#include "app/TInstalacao.h"
#include "app/forms/TFormInicio.h"
#include "app/forms/TFormMain.h"
#include "app/forms/TFormNovoUsuario.h"
#include "app/forms/TListaExperimentos.h"
#include "core/Arquivos.h"
#include "core/BibliotecaLabirintos.h"
#include "core/TArquivoIni.h"
#include "core/TIdioma.h"
#include "core/TUsuario.h"

#include "Controles.h"
#include "TInteracaoFalsa.h"
#include "TextosVisiveis.h"

#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

namespace {

// Stands in for the experiment list window.
class ListaFalsa : public QWidget, public TListaExperimentos {
public:
    QString selecionado;
    int atualizacoes = 0, limpezas = 0;
    QString ExperimentoSelecionado() const override { return selecionado; }
    void AtualizarLista() override { ++atualizacoes; }
    void LimparConfiguracao() override { ++limpezas; }
};

// A window that will not close (a recording in progress, say).
class Teimosa : public QWidget {
    void closeEvent(QCloseEvent *e) override { e->ignore(); }
};

const QByteArray kPerfil = "[Experimentos]\r\nQdeExp=3\r\n1=A\r\n2=B\r\n3=C\r\n"
                           "[A]\r\nConfigurado=1\r\n[B]\r\nLabirinto=EM T (5)\r\n"
                           "[C]\r\nLabirinto=CRUZ (3)\r\n";

// Key presses of each character (QTest::keyClicks takes Latin-1 only).
void digitar(QWidget *w, const QString &texto) {
    for (const QChar c : texto) {
        QKeyEvent tecla(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &tecla);
    }
}

// The controls of the windows, by their design names.
QListWidget *usuarios(TFormInicio *inicio) {
    return Controle<QListWidget>(inicio, "ListBoxUsuarios");
}
QPushButton *botao(QWidget *janela, const char *nome) {
    return Controle<QPushButton>(janela, nome);
}
QGroupBox *bandeiras(TFormInicio *inicio) {
    return Controle<QGroupBox>(inicio, "GroupBoxBandeira");
}
QLineEdit *campoNome(QWidget *dialogo) {
    return Controle<QLineEdit>(dialogo, "LabeledEditNome");
}
QAction *acao(TFormMain &main, const char *nome) {
    return Controle<QAction>(&main, nome);
}
QAction *menu(TFormMain &main, const char *nome) {
    return Controle<QMenu>(&main, nome)->menuAction();
}

QStringList itens(QListWidget *lista) {
    QStringList nomes;
    for (int i = 0; i < lista->count(); ++i)
        nomes << lista->item(i)->text();
    return nomes;
}

QByteArray ler(const QString &arquivo) {
    QByteArray b;
    Arquivos::lerTudo(arquivo, &b);
    return b;
}

} // namespace

class TstMain : public QObject {
    Q_OBJECT

    QTemporaryDir m_raiz;
    QString m_dir; // data directory of one test
    TInteracaoFalsa m_interacao;
    int m_n = 0;

    void escrever(const QString &relativo, const QByteArray &bytes) {
        QDir().mkpath(QFileInfo(m_dir + relativo).absolutePath());
        QVERIFY(Arquivos::gravarAtomico(m_dir + relativo, bytes));
    }
    // The data directory as the first start leaves it.
    void instalar() {
        QVERIFY(TInstalacao::CompletarDiretorio(m_dir, TInstalacao::PastaDistribuida()));
    }
    void escolherIdioma(int lingua, int configurado) {
        TArquivoIni ini(m_dir + "idiomas/idioma.ini");
        ini.WriteInteger("idioma", "lingua", lingua);
        ini.WriteInteger("idioma", "configurado", configurado);
    }
    // Logs the user in through the login window.
    static void entrar(TFormMain &main, const QString &nome) {
        TFormInicio *inicio = main.Inicio();
        QVERIFY(inicio);
        QListWidget *lista = usuarios(inicio);
        const auto achados = lista->findItems(nome, Qt::MatchExactly);
        QCOMPARE(achados.size(), 1);
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                          lista->visualItemRect(achados[0]).center());
        QVERIFY(achados[0]->isSelected());
        QTest::mouseClick(botao(inicio, "BitBtnLogar"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!main.Inicio());
    }

private slots:
    void init() {
        m_dir = QStringLiteral("%1/d%2/").arg(m_raiz.path()).arg(++m_n);
        QDir().mkpath(m_dir);
        m_interacao = TInteracaoFalsa();
    }

    // Nothing in the data directory: "ERRO" texts, the language box, no
    // users. After the first start's copy: the same in Portuguese, with the
    // built-in mazes; the language picked in the box is stored and
    // translates both windows at once, and is not asked again.
    void primeiroInicio_data() {
        QTest::addColumn<bool>("instalado");
        QTest::newRow("empty data directory") << false;
        QTest::newRow("first start") << true;
    }
    void primeiroInicio() {
        QFETCH(bool, instalado);
        if (instalado) {
            QCOMPARE(TInstalacao::PrepararDiretorio(&m_interacao, m_raiz.path(), m_dir,
                                                    TInstalacao::PastaDistribuida()),
                     m_dir);
            QVERIFY(BibliotecaLabirintos::ListarLabirintos(m_dir + "Labirintos.ini")
                        .contains("CRUZ (3)"));
        }
        TFormMain main(m_dir, &m_interacao);
        main.show();
        TFormInicio *inicio = main.AbrirInicio();
        QCOMPARE(acao(main, "Sair1")->text(), instalado ? QString("&Sair") : QString("ERRO"));
        QCOMPARE(inicio->windowTitle(), instalado ? QString("Identificação") : QString("ERRO"));
        QVERIFY(inicio->isVisible() && bandeiras(inicio)->isVisible());
        QVERIFY(Controle<QRadioButton>(inicio, "RadioGroupIdioma0")->isChecked());
        QCOMPARE(usuarios(inicio)->count(), 0);
        QVERIFY(!botao(inicio, "BitBtnLogar")->isEnabled());
        QVERIFY(m_interacao.mensagens.isEmpty());
        if (!instalado) return;

        QSignalSpy confirmado(inicio, &TFormInicio::IdiomaConfirmado);
        QTest::mouseClick(Controle<QRadioButton>(inicio, "RadioGroupIdioma1"), Qt::LeftButton, {},
                          QPoint(5, 5));
        QTest::mouseClick(botao(inicio, "SpeedButtonOk"), Qt::LeftButton);
        QCOMPARE(confirmado, QList<QVariantList>{{1}});
        const TArquivoIni escolha(m_dir + "idiomas/idioma.ini");
        QCOMPARE(escolha.ReadInteger("idioma", "lingua", -1), 1);
        QCOMPARE(escolha.ReadInteger("idioma", "configurado", -1), 1);
        QVERIFY(!bandeiras(inicio)->isVisible());
        QCOMPARE(main.Painel(2), QString("English"));
        QCOMPARE(botao(inicio, "BitBtnLogar")->text(), QString("Log In"));
        QCOMPARE(acao(main, "Sair1")->text(), QString("E&xit"));
        main.DefinirPainel(2, QString());
        QVERIFY(!bandeiras(main.AbrirInicio())->isVisible());
        QCOMPARE(main.Painel(2), QString("English"));
    }

    // The first user: folder, profile and data folder are made, the list
    // shows the user unselected; logging in enables the menus.
    void primeiroUsuario() {
        instalar();
        TFormMain main(m_dir, &m_interacao);
        TFormInicio *inicio = main.AbrirInicio();
        bool foco = false;
        QTimer::singleShot(0, this, [&foco] {
            auto *d = qobject_cast<TFormNovoUsuario *>(QApplication::activeModalWidget());
            if (!d) return QApplication::activeModalWidget()->close();
            foco = d->focusWidget() == campoNome(d);
            QTest::keyClicks(campoNome(d), "Ana");
            QTest::keyClick(campoNome(d), Qt::Key_Return);
            return true;
        });
        QSignalSpy criado(inicio, &TFormInicio::UsuarioCriado);
        QSignalSpy login(inicio, &TFormInicio::LoginConcluido);
        QTest::mouseClick(botao(inicio, "SpeedButtonNovoUsuario"), Qt::LeftButton);
        QVERIFY(foco);
        QCOMPARE(criado, QList<QVariantList>{{"Ana"}});
        QVERIFY(m_interacao.mensagens.isEmpty());
        QVERIFY(QFileInfo(m_dir + "usuarios/Ana").isDir());
        QCOMPARE(ler(m_dir + "usuarios/Ana.ini"), QByteArray("[Experimentos]\r\nQdeExp=0"));
        QCOMPARE(itens(usuarios(inicio)), QStringList{"Ana"});
        QVERIFY(!botao(inicio, "BitBtnLogar")->isEnabled());

        entrar(main, "Ana");
        QCOMPARE(login, QList<QVariantList>{{"Ana"}});
        QCOMPARE(main.Usuario().Arquivo, m_dir + "usuarios/Ana.ini");
        QCOMPARE(acao(main, "LogOff1")->text(), QString("Log Off Ana"));
        for (QAction *a : {acao(main, "LogOff1"), menu(main, "Opes1"), menu(main, "Experimento1"),
                           menu(main, "Analise1")})
            QVERIFY(a->isEnabled());
        QVERIFY(!acao(main, "Excluir1")->isEnabled() && !acao(main, "Ajuda1")->isEnabled());
    }

    // Typed or pasted: refused characters dropped, 21 characters at most.
    void filtroNome() {
        const QList<std::pair<QString, QString>> casos = {
            {"a.b-c", "abc"},
            {"!#$%&()*+,-.<=>?@[\\]^_`{|}~/", ""},
            {"Zé \"Ção\" 'x':;9", "Zé \"Ção\" 'x':;9"},
            {"€Łódź", "€ód"}, // outside Windows-1252
            {"abcdefghijklmnopqrstuv", "abcdefghijklmnopqrstu"}};
        for (const auto &[digitado, campo] : casos) {
            TFormNovoUsuario d(m_dir, QString(), &m_interacao);
            digitar(campoNome(&d), digitado);
            QCOMPARE(campoNome(&d)->text(), campo);
            campoNome(&d)->clear();
            campoNome(&d)->insert(digitado);
            QCOMPARE(campoNome(&d)->text(), campo);
        }
    }

    // Each refusal leaves the dialog open, writes nothing and says why
    // (message 0: the file system's error).
    void recusas_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("mensagem");
        QTest::newRow("empty") << "" << 1;
        QTest::newRow("existing") << "Ana" << 2;
        QTest::newRow("existing, other case") << "aNA" << 2;
        QTest::newRow("users folder is a file") << "Bia" << 0;
    }
    void recusas() {
        QFETCH(QString, nome);
        QFETCH(int, mensagem);
        instalar();
        escrever(mensagem ? "usuarios/Ana.ini" : "usuarios", "x");
        TFormNovoUsuario d(m_dir, m_dir + "idiomas/portugues.ini", &m_interacao);
        d.show();
        digitar(campoNome(&d), nome);
        QTest::mouseClick(botao(&d, "BitBtnOK"), Qt::LeftButton);
        QVERIFY(d.isVisible());
        QCOMPARE(m_interacao.mensagens.size(), 1);
        const QString esperada =
            mensagem ? TIdioma::Ler(m_dir + "idiomas/portugues.ini", "UnitNovoUsuario",
                                    QString("TFormNovoUsuarioBitBtnOKClickMessage%1").arg(mensagem))
                     : m_dir + "usuarios";
        QVERIFY2(m_interacao.mensagens[0].contains(esperada), qPrintable(m_interacao.mensagens[0]));
        QCOMPARE(ler(m_dir + (mensagem ? "usuarios/Ana.ini" : "usuarios")), QByteArray("x"));
        QCOMPARE(QDir(m_dir + "usuarios").count(), mensagem ? 3u : 0u); // ".", "..", Ana.ini
    }

    void ordemUsuarios() {
        for (const char *arquivo : {"Carla.ini", "bruno.ini", "Ana.ini", "Álvaro.ini", "x.ini.ini",
                                    "Zé.INI", "notas.txt", ".ini"})
            escrever(QStringLiteral("usuarios/") + QString::fromUtf8(arquivo), "");
        QDir().mkpath(m_dir + "usuarios/pasta.ini");
        TFormMain main(m_dir, &m_interacao);
        QCOMPARE(itens(usuarios(main.AbrirInicio())),
                 (QStringList{"Álvaro", "Ana", "bruno", "Carla", "x.ini", "Zé"}));
    }

    void excluir_data() {
        QTest::addColumn<QString>("selecionado");
        QTest::addColumn<bool>("resposta");
        QTest::addColumn<bool>("somenteLeitura");
        QTest::newRow("second of three") << "B" << true << false;
        QTest::newRow("declined") << "B" << false << false;
        QTest::newRow("nothing selected") << "" << true << false;
        QTest::newRow("read-only profile") << "B" << true << true;
    }
    void excluir() {
        QFETCH(QString, selecionado);
        QFETCH(bool, resposta);
        QFETCH(bool, somenteLeitura);
        instalar();
        const QString arquivo = m_dir + "usuarios/Ana.ini";
        escrever("usuarios/Ana.ini", kPerfil);
        if (somenteLeitura) QVERIFY(Arquivos::marcarSomenteLeitura(arquivo));
        TFormMain main(m_dir, &m_interacao);
        main.AbrirInicio();
        entrar(main, "Ana");
        auto *lista = new ListaFalsa;
        lista->selecionado = selecionado;
        main.DefinirListaExperimentos(lista, lista);
        main.AbrirFilha(lista);
        m_interacao.respostas = {resposta};
        main.HabilitarExcluirExperimento(true); // as a click in the list does
        acao(main, "Excluir1")->trigger();

        const bool excluido = !selecionado.isEmpty() && resposta && !somenteLeitura;
        QCOMPARE(ler(arquivo),
                 excluido ? QByteArray("[Experimentos]\r\nQdeExp=2\r\n1=A\r\n2=C\r\n[A]\r\n"
                                       "Configurado=1\r\n[C]\r\nLabirinto=CRUZ (3)\r\n")
                          : kPerfil);
        QCOMPARE(m_interacao.perguntas.size(), selecionado.isEmpty() ? 0 : 1);
        QStringList mensagens;
        if (excluido)
            mensagens << "O experimento B foi excluído."
                      << TIdioma::Ler(m_dir + "idiomas/portugues.ini", "UnitMain",
                                      "TFormMainExcluir1ClickMessage4");
        if (somenteLeitura) mensagens << "Unable to write to " + arquivo;
        QCOMPARE(m_interacao.mensagens, mensagens);
        QCOMPARE(lista->atualizacoes + lista->limpezas, 2);
    }

    // Log-off closes every window of the user, flagged ones first, remakes
    // the user and leaves only "About..." and "Sair" usable; the next login
    // shows the new name. A window that refuses to close stops it.
    // "Mudar Idioma" logs off too.
    void logOff() {
        instalar();
        escolherIdioma(0, 1);
        for (const char *u : {"usuarios/Ana.ini", "usuarios/Bia.ini"})
            escrever(u, kPerfil);
        TFormMain main(m_dir, &m_interacao);
        main.AbrirInicio();
        entrar(main, "Ana");
        QPointer<QWidget> video = new QWidget, lista = new ListaFalsa, teimosa = new Teimosa;
        for (QWidget *w : {video.data(), lista.data(), teimosa.data()})
            main.AbrirFilha(w);
        main.RegistrarJanela(TExperimento::JanelaVideo, video);
        main.Usuario().Experimento.JanelaAberta[TExperimento::JanelaVideo] = true;
        main.DefinirListaExperimentos(static_cast<ListaFalsa *>(lista.data()), lista);

        QVERIFY(!main.LogOff1Click());
        QVERIFY(!main.close());
        QCOMPARE(main.Usuario().Nome, QString("Ana"));
        QVERIFY(acao(main, "LogOff1")->isEnabled() && !main.Inicio());

        delete teimosa;
        acao(main, "LogOff1")->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!video && !lista &&
                Controle<QMdiArea>(&main, "AreaFilhas")->subWindowList().isEmpty());
        QVERIFY(main.Usuario().Nome.isEmpty());
        QStringList usaveis;
        for (QAction *a : main.menuBar()->actions())
            if (a->isEnabled()) usaveis << a->text();
        QCOMPARE(usaveis, (QStringList{"Sobre...", "&Sair"}));
        QVERIFY(!acao(main, "LogOff1")->isEnabled() && !menu(main, "Analise1")->isEnabled());
        QCOMPARE(itens(usuarios(main.Inicio())), (QStringList{"Ana", "Bia"}));
        QVERIFY(!bandeiras(main.Inicio())->isVisibleTo(main.Inicio()));
        entrar(main, "Bia");
        QCOMPARE(acao(main, "LogOff1")->text(), QString("Log Off Bia"));

        // Change of language: asked again in the login window that follows.
        acao(main, "Idioma1")->trigger();
        const TArquivoIni ini(m_dir + "idiomas/idioma.ini");
        QCOMPARE(ini.ReadInteger("idioma", "configurado", -1), 0);
        QCOMPARE(ini.ReadInteger("idioma", "lingua", -1), 0);
        QVERIFY(bandeiras(main.Inicio())->isVisibleTo(main.Inicio()));
        QVERIFY(main.Usuario().Nome.isEmpty());
    }

    // A language file without one key: exactly that text reads "ERRO".
    void chaveFaltando() {
        instalar();
        QByteArray ingles = ler(m_dir + "idiomas/ingles.ini");
        QVERIFY(ingles.contains("\r\nSair1=E&xit\r\n"));
        escrever("idiomas/ingles.ini", ingles.replace("\r\nSair1=E&xit\r\n", "\r\n"));
        escolherIdioma(1, 1);
        TFormMain main(m_dir, &m_interacao);
        main.show();
        QCOMPARE(TextosVisiveis::Erros(&main), QStringList{"QMenuBar > ERRO"});
        QCOMPARE(acao(main, "Sair1")->text(), QString("ERRO"));
    }
};

QTEST_MAIN(TstMain)
#include "tst_main.moc"
