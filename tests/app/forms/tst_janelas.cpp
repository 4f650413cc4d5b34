// Every window opened in each of the six languages: none may show "ERRO"
// (a text its language file lacks). A window joins by one line in
// janelas(). With TREVALIN_CAPTURAS naming a folder, each window is also
// saved there as <window>_<language>.png (scripts/grab-windows.sh).

#include "app/Catalogo.h"
#include "app/Configuracao.h"
#include "app/TEscolhaIdioma.h"
#include "app/TInstalacao.h"
#include "app/forms/TFormAbout.h"
#include "app/forms/TFormComp.h"
#include "app/forms/TFormConf.h"
#include "app/forms/TFormInicio.h"
#include "app/forms/TFormMain.h"
#include "app/forms/TFormNovoExperimento.h"
#include "app/forms/TFormNovoLabirinto.h"
#include "app/forms/TFormNovoUsuario.h"
#include "app/forms/TFormShowConf.h"
#include "core/Arquivos.h"
#include "core/Cp1252.h"
#include "core/Perfil.h"
#include "core/TArquivoIni.h"
#include "core/TExperimento.h"
#include "core/TUsuario.h"
#include "data/forms/TFormVisualizar.h"

#include "Controles.h"
#include "TInteracaoFalsa.h"
#include "TextosVisiveis.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

using Abridor = std::function<QWidget *(TFormMain &)>;

struct Janela {
    const char *nome;
    Abridor abrir; // opens the window over a logged-out main window
};

QWidget *mostrar(QWidget *w) {
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->show();
    return w;
}

// Ana logged in, with a configured experiment "Cruz" (catalogue 2: A, C, Z)
// and an unconfigured one "Novo"; the current experiment is "Cruz".
TUsuario &comExperimentos(TFormMain &m) {
    TUsuario &u = m.Usuario();
    u.Carregar("Ana");
    for (const char *nome : {"Cruz", "Novo"})
        Perfil::CriarExperimento(u.Arquivo, u.Pasta, nome);
    Configuracao::Salvar(u, "Cruz", {"CRUZ (5)", 12, 600, 2});
    Catalogo::Salvar(u.Arquivo, u.Experimento, 2,
                     {{1, "ANDAR"}, {3, "LEVANTAR"}, {26, "LIMPEZA FACIAL"}});
    return u;
}

// Clicks the list entry of an experiment.
void clicar(QWidget *janela, const QString &nome) {
    auto *lista = janela->findChild<QListWidget *>("ListBoxExp");
    const QRect r = lista->visualItemRect(lista->findItems(nome, Qt::MatchExactly).value(0));
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, r.center());
}

// Ana logged in, with the experiment "Exp1" in the cross maze and three
// record files in its folder.
void entrar(TFormMain &m) {
    m.Entrar("Ana");
    TUsuario &u = m.Usuario();
    Perfil::CriarExperimento(u.Arquivo, u.Pasta, "Exp1");
    TExperimento e;
    e.Nome = "Exp1";
    e.Labirinto = "CRUZ (3)";
    e.TempoSecao = 300;
    Perfil::SalvarConfiguracoes(u.Arquivo, e);
    u.Experimento.Carregar(u.Arquivo, "Exp1");
    const QStringList linhas = {"Trevalin 2005  |  08/12/2026  |  14:05:33",
                                "",
                                "Usuario:\tAna",
                                "Experimento:\tExp1",
                                "Indivíduo:\trato1",
                                "Labirinto:\tCRUZ (3)",
                                "Tempo de Sessão:\t300 segundos",
                                "Distância:\t10 cm",
                                "",
                                "Posição\tComportamento\tInício\tFim\tDuração\tMinuto\tFrequência",
                                "D4\tENTRADA\t0\t40000\t40000\t1\t1",
                                "D3\tENTRADA\t40000\t60000\t20000\t1\t1",
                                "D3\tENTRADA\t60000\t300000\t240000\t2\t0"};
    for (const char *n : {"rato1.tvl", "rato2.tvl", "rato3.tvl"})
        Arquivos::gravarAtomico(u.Pasta + "Exp1/" + n,
                                Cp1252::codificar(linhas.join("\r\n") + "\r\n"));
}

// The frame of the child window that the main window opened last.
QWidget *filha(TFormMain &m) {
    const auto filhas = m.findChild<QMdiArea *>()->subWindowList(QMdiArea::CreationOrder);
    return filhas.isEmpty() ? nullptr : filhas.last();
}

const QList<Janela> &janelas() {
    static const QList<Janela> lista = {
        {"FormMain", [](TFormMain &m) -> QWidget * { return &m; }},
        {"MenuOpes1",
         [](TFormMain &m) -> QWidget * {
             m.Entrar("Ana");
             auto *opes1 = Controle<QMenu>(&m, "Opes1");
             opes1->popup(m.mapToGlobal(QPoint(0, 0)));
             return opes1;
         }},
        {"FormInicio", [](TFormMain &m) -> QWidget * { return m.AbrirInicio(); }},
        {"FormInicioConfirmado",
         [](TFormMain &m) -> QWidget * {
             TFormInicio *inicio = m.AbrirInicio();
             QTest::mouseClick(Controle<QPushButton>(inicio, "SpeedButtonOk"), Qt::LeftButton);
             return inicio;
         }},
        {"FormNovoUsuario",
         [](TFormMain &m) {
             return mostrar(
                 new TFormNovoUsuario(m.DiretorioDados(), m.ArquivoIdioma(), m.Interacao(), &m));
         }},
        {"FormMainUsuario",
         [](TFormMain &m) -> QWidget * {
             comExperimentos(m);
             m.Entrar("Ana");
             clicar(&m, "Cruz");
             return &m;
         }},
        {"FormShowConf",
         [](TFormMain &m) {
             TUsuario &u = comExperimentos(m);
             auto *w = new TFormShowConf(u.Experimento, u.ArquivoIdioma);
             w->MostrarConfiguracao();
             w->resize(270, 420);
             return mostrar(w);
         }},
        {"FormMainNaoConf",
         [](TFormMain &m) -> QWidget * {
             comExperimentos(m);
             m.Entrar("Ana");
             clicar(&m, "Novo");
             return &m;
         }},
        {"FormNovoExperimento",
         [](TFormMain &m) {
             return mostrar(new TFormNovoExperimento(comExperimentos(m), m.Interacao(), &m));
         }},
        {"FormConf",
         [](TFormMain &m) {
             return mostrar(new TFormConf(comExperimentos(m), m.Interacao(), "Novo"));
         }},
        {"FormComp",
         [](TFormMain &m) {
             auto *w = new TFormComp(comExperimentos(m), m.Interacao());
             w->SelecionarCatalogo(2);
             return mostrar(w);
         }},
        {"FormNovoLabirinto",
         [](TFormMain &m) {
             TUsuario &u = comExperimentos(m);
             return mostrar(
                 new TFormNovoLabirinto(u.ArquivoLabirintos, u.ArquivoIdioma, m.Interacao()));
         }},
        {"FormAnalise",
         [](TFormMain &m) -> QWidget * {
             entrar(m);
             m.AbrirAnalise();
             return filha(m);
         }},
        {"FormAnaliseOpcoes",
         [](TFormMain &m) -> QWidget * {
             entrar(m);
             QWidget *w = m.AbrirAnalise();
             auto *arquivos = w->findChild<QListWidget *>("ListBoxArquivos");
             arquivos->setCurrentRow(0);
             w->findChild<QPushButton *>("SpeedButtonAddSelecao")->click();
             w->findChild<QLineEdit *>("EditNomeGrupo")->setText("Controle");
             w->findChild<QPushButton *>("SpeedButtonInserirGrupo")->click();
             w->findChild<QPushButton *>("SpeedButtonOk")->click();
             return filha(m);
         }},
        {"FormVisualizar",
         [](TFormMain &m) -> QWidget * {
             entrar(m);
             m.Visualizar1Click();
             QWidget *sub = filha(m);
             sub->findChild<TFormVisualizar *>()->CarregarDados(m.Usuario().Pasta +
                                                                "Exp1/rato1.tvl");
             return sub;
         }},
        {"FormExcluirDados",
         [](TFormMain &m) -> QWidget * {
             entrar(m);
             m.Excluir2Click();
             return filha(m);
         }},
        {"FormExcluirDadosCopiar",
         [](TFormMain &m) -> QWidget * {
             entrar(m);
             m.Excluir2Click();
             QWidget *sub = filha(m);
             sub->findChild<QPushButton *>("SpeedButtonCopyArq")->click();
             return sub;
         }},
        {"FormExcluirDadosExcluir",
         [](TFormMain &m) -> QWidget * {
             entrar(m);
             m.Excluir2Click();
             QWidget *sub = filha(m);
             sub->findChild<QPushButton *>("SpeedButtonDelFolder")->click();
             return sub;
         }},
        {"FormExcluirDadosRenomear",
         [](TFormMain &m) -> QWidget * {
             entrar(m);
             m.Excluir2Click();
             QWidget *sub = filha(m);
             sub->findChild<QPushButton *>("SpeedButtonRenArq")->click();
             return sub;
         }},
        {"FormVideo",
         [](TFormMain &m) -> QWidget * {
             entrar(m);
             m.Video1Click();
             return filha(m);
         }},
        {"FormAbout",
         [](TFormMain &m) -> QWidget * {
             m.Sobre1Click();
             return m.findChild<TFormAbout *>();
         }},
    };
    return lista;
}

} // namespace

class TstJanelas : public QObject {
    Q_OBJECT

private slots:
    void semErro_data() {
        QTest::addColumn<int>("janela");
        QTest::addColumn<int>("lingua");
        for (int j = 0; j < janelas().size(); ++j)
            for (int l = 0; l < TEscolhaIdioma::QdeIdiomas; ++l)
                QTest::addRow("%s %s", janelas()[j].nome,
                              qPrintable(TEscolhaIdioma::ArquivoRelativo(l).mid(8)))
                    << j << l;
    }
    void semErro() {
        QFETCH(int, janela);
        QFETCH(int, lingua);
        QTemporaryDir dados;
        const QString dir = dados.path() + "/";
        QVERIFY(TInstalacao::CompletarDiretorio(dir, TInstalacao::PastaDistribuida()));
        // Unconfirmed, so that the login window shows its language box too.
        TArquivoIni escolha(dir + TEscolhaIdioma::Relativo);
        escolha.WriteInteger("idioma", "lingua", lingua);
        escolha.WriteInteger("idioma", "configurado", 0);
        for (const char *usuario : {"Ana", "Bruno", "Carla"})
            Perfil::CriarUsuario(dir, usuario);

        TInteracaoFalsa interacao;
        TFormMain main(dir, &interacao);
        main.resize(1000, 700);
        main.show();
        QWidget *w = janelas()[janela].abrir(main);
        QVERIFY(QTest::qWaitForWindowExposed(w));

        const QStringList erros = TextosVisiveis::Erros(w);
        QVERIFY2(erros.isEmpty(), qPrintable(erros.join(", ")));
        QVERIFY(TextosVisiveis::De(w).size() > 3);

        const QString capturas = qEnvironmentVariable("TREVALIN_CAPTURAS");
        if (!capturas.isEmpty()) {
            QTest::qWait(300); // the folder trees fill themselves in the background
            QDir().mkpath(capturas);
            const QString arquivo =
                QStringLiteral("%1/%2_%3.png")
                    .arg(capturas, janelas()[janela].nome)
                    .arg(TEscolhaIdioma::ArquivoRelativo(lingua).mid(8, -1).chopped(4));
            QVERIFY(w->grab().save(arquivo));
        }
    }
};

QTEST_MAIN(TstJanelas)
#include "tst_janelas.moc"
