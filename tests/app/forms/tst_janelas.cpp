// Every window opened in each of the six languages: none may show "ERRO"
// (a text its language file lacks). A window joins by one line in
// janelas(). With TREVALIN_CAPTURAS naming a folder, each window is also
// saved there as <window>_<language>.png (scripts/grab-windows.sh).

#include "app/Catalogo.h"
#include "app/Configuracao.h"
#include "app/TEscolhaIdioma.h"
#include "app/TInstalacao.h"
#include "app/forms/TFormComp.h"
#include "app/forms/TFormConf.h"
#include "app/forms/TFormInicio.h"
#include "app/forms/TFormMain.h"
#include "app/forms/TFormNovoExperimento.h"
#include "app/forms/TFormNovoLabirinto.h"
#include "app/forms/TFormNovoUsuario.h"
#include "app/forms/TFormShowConf.h"
#include "core/Perfil.h"
#include "core/TArquivoIni.h"
#include "core/TUsuario.h"

#include "Controles.h"
#include "TInteracaoFalsa.h"
#include "TextosVisiveis.h"

#include <QDir>
#include <QListWidget>
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
