// The main window's side of recording: the session window opened for the
// current experiment, one at a time, the experiment kept from deletion
// while it is open, the status panels and menu items a recording changes,
// and the keyboard window in step with F5.

#include "app/TEscolhaIdioma.h"
#include "app/TInstalacao.h"
#include "app/forms/TFormMain.h"
#include "app/forms/TJanelasExperimento.h"
#include "app/forms/TListaExperimentos.h"
#include "core/Perfil.h"
#include "core/TArquivoIni.h"
#include "core/TIdioma.h"
#include "core/TUsuario.h"
#include "recording/TSessao.h"

#include "Controles.h"
#include "TInteracaoFalsa.h"

#include <QTest>
#include <QtWidgets>

namespace {

class ListaFalsa : public QWidget, public TListaExperimentos {
public:
    QString selecionado;
    QString ExperimentoSelecionado() const override { return selecionado; }
    void AtualizarLista() override {}
    void LimparConfiguracao() override {}
};

struct Ambiente {
    QTemporaryDir dados;
    QString dir = dados.path() + "/";
    TInteracaoFalsa ia;
    std::unique_ptr<TFormMain> main;
    ListaFalsa *lista = nullptr;

    Ambiente() {
        TInstalacao::CompletarDiretorio(dir, TInstalacao::PastaDistribuida());
        TArquivoIni escolha(dir + TEscolhaIdioma::Relativo);
        escolha.WriteInteger("idioma", "lingua", 1);
        escolha.WriteInteger("idioma", "configurado", 1);
        Perfil::CriarUsuario(dir, "Ana");
        main = std::make_unique<TFormMain>(dir, &ia);
        main->show();
        main->Entrar("Ana");
        TUsuario &u = main->Usuario();
        for (const char *nome : {"Exp1", "Exp2"}) {
            Perfil::CriarExperimento(u.Arquivo, u.Pasta, nome);
            TExperimento e;
            e.Nome = nome;
            e.Labirinto = "CRUZ (3)";
            e.TempoSecao = 300;
            e.QdeInicios = 1;
            e.InicioX1 = 4;
            e.InicioY1 = 4;
            e.ComecoQueda = 3;
            Perfil::SalvarConfiguracoes(u.Arquivo, e);
            Perfil::SalvarInicios(u.Arquivo, e);
        }
        Perfil::SalvarComportamentos(u.Arquivo, "Exp1", "Comp1", {{1, "Limpeza"}});
        u.Experimento.Carregar(u.Arquivo, "Exp1");
        lista = new ListaFalsa;
        main->AbrirFilha(lista)->show();
        main->DefinirListaExperimentos(lista, lista);
    }
    ~Ambiente() { main.reset(); }
    QString texto(const char *secao, const char *chave) {
        return TIdioma::Ler(main->Usuario().ArquivoIdioma, secao, chave);
    }
    QAction *item(const char *nome) { return Controle<QAction>(main.get(), nome); }
};

} // namespace

class TstSessaoMain : public QObject {
    Q_OBJECT

private slots:
    void abrirSessao() {
        Ambiente a;
        QWidget *w = a.main->AbrirSessao();
        QVERIFY(w);
        QCOMPARE(w->objectName(), QStringLiteral("FormLabirinto"));
        QVERIFY(a.main->Usuario().Experimento.JanelaAberta[TExperimento::JanelaSessao]);
        QVERIFY(!a.item("Excluir1")->isEnabled());
        QCOMPARE(a.main->Sessao().EstadoAtual(), TSessao::Estado::AguardandoIdentificacao);
        // One at a time: a second opening replaces the first.
        QPointer<QWidget> primeira = w;
        QWidget *segunda = a.main->AbrirSessao();
        QTRY_VERIFY(primeira.isNull());
        QVERIFY(segunda);
        QCOMPARE(a.main->findChildren<QWidget *>("FormLabirinto").size(), 1);
        segunda->close();
        QVERIFY(!a.main->Usuario().Experimento.JanelaAberta[TExperimento::JanelaSessao]);
        QVERIFY(a.item("Excluir1")->isEnabled());
    }

    // The experiment windows ask for it (the list's double-click, the
    // catalogue's save); its behaviours button opens the catalogue over it.
    void pedidaPelasJanelasDeExperimento() {
        Ambiente a;
        emit a.main->Experimentos()->SessaoPedida("Exp1");
        auto *w = a.main->findChild<QWidget *>("FormLabirinto");
        QVERIFY(w);
        QVERIFY(a.main->Usuario().Experimento.JanelaAberta[TExperimento::JanelaSessao]);
        QTest::mouseClick(Controle<QPushButton>(w, "SpeedButtonComportamentos"), Qt::LeftButton);
        QWidget *comp = a.main->findChild<QWidget *>("FormComp");
        QVERIFY(comp);
        QVERIFY(!w->isEnabled());
        comp->close();
        QTRY_VERIFY(w->isEnabled());
    }

    // A recording: status panels, the list disabled, and a replacement
    // refused by the user keeps the recording.
    void gravacao() {
        Ambiente a;
        QWidget *w = a.main->AbrirSessao();
        auto *nome = Controle<QLineEdit>(w, "LabeledEditNome");
        QTest::keyClicks(nome, "rato1");
        QTest::keyClick(nome, Qt::Key_Return);
        QTest::keyClick(w, Qt::Key_5);
        QCOMPARE(a.main->Sessao().EstadoAtual(), TSessao::Estado::Gravando);
        QCOMPARE(a.main->Painel(0), a.texto("UnitLabirinto", "FormMainStatusBar1PanelsItems0Text"));
        QCOMPARE(a.main->Painel(1),
                 a.texto("UnitLabirinto", "FormMainStatusBar1PanelsItems1TextOFF"));
        QVERIFY(!a.lista->isEnabled());
        QTest::keyClick(w, Qt::Key_F5);
        QCOMPARE(a.main->Painel(1),
                 a.texto("UnitLabirinto", "FormMainStatusBar1PanelsItems1TextON"));
        a.ia.respostas = {false};
        QVERIFY(!a.main->AbrirSessao());
        QCOMPARE(a.main->Sessao().EstadoAtual(), TSessao::Estado::Gravando);
        // Log-off asks too; "Yes" drops the recording.
        a.ia.respostas = {true};
        QVERIFY(a.main->LogOff1Click());
        QCOMPARE(a.main->Painel(0), QString());
        QCOMPARE(a.main->Painel(1), QString());
        // The new user's engine starts with the arrow keys off.
        QVERIFY(!a.main->Sessao().TeclasEdicao());
    }

    // The experiment open in the session window cannot be deleted; another
    // one can.
    void excluirAberto() {
        Ambiente a;
        QVERIFY(a.main->AbrirSessao());
        a.lista->selecionado = "Exp1";
        a.main->Excluir1Click();
        QVERIFY(a.ia.perguntas.isEmpty());
        QVERIFY(a.ia.mensagens.value(0).startsWith(
            a.texto("UnitMain", "TFormMainExcluir1ClickMessage5")));
        QVERIFY(TArquivoIni(a.main->Usuario().Arquivo).SectionExists("Exp1"));
        a.lista->selecionado = "Exp2";
        a.main->Excluir1Click();
        QCOMPARE(a.ia.perguntas.size(), 1);
        QVERIFY(!TArquivoIni(a.main->Usuario().Arquivo).SectionExists("Exp2"));
    }

    // Switched on here, off by F5 in the session window: the keyboard
    // window follows, and reopening shows off. Closing it leaves panel 1 to
    // an open session window.
    void tecladoEF5() {
        Ambiente a;
        a.main->ConfigurarTeclado1Click();
        auto *teclado = a.main->findChild<QDialog *>("FormTeclado");
        QVERIFY(teclado);
        QVERIFY(!a.item("ConfigurarTeclado1")->isEnabled());
        auto *status = Controle<QLabel>(teclado, "LabelStatus");
        auto *botao = Controle<QPushButton>(teclado, "SpeedButtonConfigurar");
        QCOMPARE(status->text(), a.texto("UnitTeclado", "TFormTecladoFormCreateMessage2"));
        QVERIFY(!Controle<QWidget>(teclado, "ShapeEdicao")->isVisibleTo(teclado));
        QTest::mouseClick(botao, Qt::LeftButton);
        QVERIFY(a.main->Sessao().TeclasEdicao());
        QCOMPARE(status->text(),
                 a.texto("UnitTeclado", "TFormTecladoSpeedButtonConfigurarClickMessage5"));
        QCOMPARE(botao->text(),
                 a.texto("UnitTeclado", "TFormTecladoSpeedButtonConfigurarClickMessage4"));
        QCOMPARE(status->palette().color(QPalette::WindowText), QColor(0, 128, 0));
        QVERIFY(Controle<QWidget>(teclado, "ShapeEdicao")->isVisibleTo(teclado));
        QCOMPARE(a.main->Painel(1),
                 a.texto("UnitTeclado", "TFormTecladoSpeedButtonConfigurarClickMessage6"));

        QWidget *w = a.main->AbrirSessao();
        QTest::keyClick(w, Qt::Key_F5);
        QVERIFY(!a.main->Sessao().TeclasEdicao());
        QCOMPARE(status->text(),
                 a.texto("UnitTeclado", "TFormTecladoSpeedButtonConfigurarClickMessage2"));
        QCOMPARE(status->palette().color(QPalette::WindowText), QColor(128, 0, 0));
        const QString painel = a.main->Painel(1);
        QVERIFY(!painel.isEmpty());
        teclado->close();
        QCOMPARE(a.main->Painel(1), painel);
        QVERIFY(a.item("ConfigurarTeclado1")->isEnabled());
        QTRY_VERIFY(!a.main->findChild<QDialog *>("FormTeclado"));

        a.main->ConfigurarTeclado1Click();
        teclado = a.main->findChild<QDialog *>("FormTeclado");
        QCOMPARE(Controle<QLabel>(teclado, "LabelStatus")->text(),
                 a.texto("UnitTeclado", "TFormTecladoFormCreateMessage2"));
        w->close();
        teclado->close();
        QCOMPARE(a.main->Painel(1), QString());
    }
};

QTEST_MAIN(TstSessaoMain)
#include "tst_sessaomain.moc"
