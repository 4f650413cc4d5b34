// The main window offers to save the recordings that stopped without their
// session end: at program start and at login, Yes and No; and closing a
// session window during a recording asks before its journal goes.

#include "app/TEscolhaIdioma.h"
#include "app/TInstalacao.h"
#include "app/forms/TFormMain.h"
#include "core/Perfil.h"
#include "core/TArquivoIni.h"
#include "core/TLabirinto.h"
#include "core/TUsuario.h"
#include "recording/TRecuperacao.h"
#include "recording/TRelogioVirtual.h"
#include "recording/TSessao.h"

#include "Controles.h"
#include "TInteracaoFalsa.h"

#include <QTest>
#include <QtWidgets>

namespace {

struct Ambiente {
    QTemporaryDir dados;
    QString dir = dados.path() + "/";
    TInteracaoFalsa ia;
    std::unique_ptr<TFormMain> main;

    Ambiente() {
        TInstalacao::CompletarDiretorio(dir, TInstalacao::PastaDistribuida());
        TArquivoIni escolha(dir + TEscolhaIdioma::Relativo);
        escolha.WriteInteger("idioma", "lingua", 1);
        escolha.WriteInteger("idioma", "configurado", 1);
        Perfil::CriarUsuario(dir, "Ana");
        TUsuario u(dir);
        u.Carregar("Ana");
        Perfil::CriarExperimento(u.Arquivo, u.Pasta, "Exp1");
        TExperimento e;
        e.Nome = "Exp1";
        e.Labirinto = "CRUZ (3)";
        e.TempoSecao = 300;
        e.QdeInicios = 1;
        e.InicioX1 = 4;
        e.InicioY1 = 4;
        e.ComecoQueda = 3;
        Perfil::SalvarConfiguracoes(u.Arquivo, e);
        Perfil::SalvarInicios(u.Arquivo, e);
        Perfil::SalvarComportamentos(u.Arquivo, "Exp1", "Comp1", {{1, "Limpeza"}});
    }
    ~Ambiente() { main.reset(); }
    QString pasta() const { return dir + "usuarios/Ana/Exp1/"; }

    // A recording of rato7 that stopped 1.5 s in (the program was killed).
    QString interrompida() {
        TUsuario u(dir);
        u.Carregar("Ana");
        u.Experimento.Carregar(u.Arquivo, "Exp1");
        TLabirinto l(dir);
        TRelogioVirtual relogio;
        TInteracaoFalsa muda;
        TSessao s(u, l, muda, relogio);
        s.Abrir();
        s.ConfirmarIdentificacao("rato7");
        s.TeclaPressionada('5');
        relogio.Avancar(1500);
        s.TeclaPressionada('8');
        return s.ArquivoDiario();
    }
    void iniciar() {
        main = std::make_unique<TFormMain>(dir, &ia);
        main->show();
        main->AbrirInicio();
    }
};

} // namespace

class TstRecuperacaoMain : public QObject {
    Q_OBJECT

private slots:
    // At start: the question names the recording; Yes saves it.
    void inicioSim() {
        Ambiente a;
        const QString diario = a.interrompida();
        QVERIFY(QFile::exists(diario));
        a.iniciar();
        a.ia.respostas = {true};
        QCOMPARE(a.main->OferecerRecuperacao(), 1);
        QCOMPARE(a.ia.perguntas.size(), 1);
        QVERIFY2(a.ia.perguntas[0].startsWith("A recording was interrupted: rato7, experiment "
                                              "Exp1, stopped at 00:01 of 05:00 on "),
                 qPrintable(a.ia.perguntas[0]));
        QCOMPARE(a.ia.mensagens,
                 QStringList{"What was recorded is saved in:\n" + a.pasta() + "rato7-parcial.tvl"});
        QVERIFY(!QFile::exists(diario));
        QVERIFY(QFile::exists(a.pasta() + "rato7-parcial.tvl"));
        // Nothing left to ask at login.
        a.main->Entrar("Ana");
        QCOMPARE(a.ia.perguntas.size(), 1);
    }

    // No keeps the journal; it is not asked again at login, but at the
    // next start.
    void inicioNao() {
        Ambiente a;
        const QString diario = a.interrompida();
        a.iniciar();
        a.ia.respostas = {false};
        QCOMPARE(a.main->OferecerRecuperacao(), 1);
        QVERIFY(a.ia.mensagens.isEmpty());
        QVERIFY(QFile::exists(diario));
        a.main->Entrar("Ana");
        QCOMPARE(a.ia.perguntas.size(), 1);
        a.main.reset();
        a.iniciar();
        a.ia.respostas = {false};
        QCOMPARE(a.main->OferecerRecuperacao(), 1);
        QVERIFY(QFile::exists(diario));
        QVERIFY(!QFile::exists(a.pasta() + "rato7-parcial.tvl"));
    }

    // A recording that stopped after the start: asked at login, Yes and No.
    void login_data() {
        QTest::addColumn<bool>("sim");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void login() {
        QFETCH(bool, sim);
        Ambiente a;
        a.iniciar();
        QCOMPARE(a.main->OferecerRecuperacao(), 0);
        const QString diario = a.interrompida();
        a.ia.respostas = {sim};
        a.main->Entrar("Ana");
        QCOMPARE(a.ia.perguntas.size(), 1);
        QVERIFY(a.ia.perguntas[0].contains("rato7, experiment Exp1"));
        QCOMPARE(QFile::exists(diario), !sim);
        QCOMPARE(QFile::exists(a.pasta() + "rato7-parcial.tvl"), sim);
    }

    // A damaged journal: said once, by name, and kept.
    void danificado() {
        Ambiente a;
        const QString diario = a.pasta() + "rato7-1.diario";
        QFile f(diario);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a journal\n");
        f.close();
        a.iniciar();
        QCOMPARE(a.main->OferecerRecuperacao(), 0);
        QCOMPARE(a.ia.mensagens.size(), 1);
        QVERIFY(a.ia.mensagens[0].startsWith("A recording journal is damaged"));
        QVERIFY(a.ia.mensagens[0].contains(diario));
        a.main->Entrar("Ana");
        QCOMPARE(a.ia.mensagens.size(), 1);
        QVERIFY(QFile::exists(diario));
    }

    // Closing the session window during a recording asks first: No keeps
    // the recording and its journal, Yes drops both.
    void fecharDuranteAGravacao() {
        Ambiente a;
        a.iniciar();
        a.main->Entrar("Ana");
        a.main->Usuario().Experimento.Carregar(a.main->Usuario().Arquivo, "Exp1");
        QWidget *w = a.main->AbrirSessao();
        QVERIFY(w);
        auto *nome = Controle<QLineEdit>(w, "LabeledEditNome");
        QTest::keyClicks(nome, "rato8");
        QTest::keyClick(nome, Qt::Key_Return);
        QTest::keyClick(w, Qt::Key_5);
        QCOMPARE(a.main->Sessao().EstadoAtual(), TSessao::Estado::Gravando);
        const QString diario = a.main->Sessao().ArquivoDiario();
        QVERIFY(QFile::exists(diario));
        QPointer<QWidget> janela = w;
        a.ia.respostas = {false};
        w->close();
        QCOMPARE(a.ia.perguntas.size(), 1);
        QVERIFY(!janela.isNull());
        QVERIFY(QFile::exists(diario));
        a.ia.respostas = {true};
        w->close();
        QCOMPARE(a.ia.perguntas.size(), 2);
        QTRY_VERIFY(janela.isNull());
        QVERIFY(!QFile::exists(diario));
        QVERIFY(TRecuperacao::Diarios(a.pasta()).isEmpty());
    }
};

QTEST_MAIN(TstRecuperacaoMain)
#include "tst_recuperacaomain.moc"
