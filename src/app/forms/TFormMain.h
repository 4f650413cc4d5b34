#pragma once

#include "core/TExperimento.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class TFormInicio;
class TInteracao;
class TJanelasExperimento;
class TLabirinto;
class TListaExperimentos;
class TOfertaRecuperacao;
class TRelogio;
class TSessao;
class TUsuario;

// The main window: the frame inside which every other window opens, with
// the menu, the bottom banner and the four-panel status bar.
//
// Owns the program-wide objects: the current user (with the current
// experiment and its open-window flags) and the current maze, both made for
// the data directory; log-off destroys and remakes them. Holds the data
// directory and its own copy of the current language file (CarregarIdioma);
// the login window, the new-user dialog and the About window read through
// that copy, the windows opened after login through the user's.
//
// Windows that open later register here, so that log-off can close them
// before the user they belong to goes away: the seven single-instance
// windows by their flag (RegistrarJanela), the experiment list and the
// configuration display by their own calls. Every child window is closed
// before the user and maze objects are remade or the program ends; a window
// that refuses to close stops the log-off (or the quit), so no window ever
// outlives the objects it works on.
//
// Menu items keep the names of their language keys (section "UnitMain"),
// also as their object names ("Opes1", "Sair1"...); the child-window area
// is "AreaFilhas". They are the window's own: other windows ask for changes
// through its slots and never touch them.
class TFormMain : public QMainWindow {
    Q_OBJECT
public:
    static const QString Secao; // "UnitMain"

    // diretorioDados: the data directory, ending with "/" (see TInstalacao).
    // interacao: message boxes for this window and those it opens; it must
    // outlive the window.
    TFormMain(const QString &diretorioDados, TInteracao *interacao, QWidget *parent = nullptr);
    ~TFormMain() override;

    const QString &DiretorioDados() const { return m_diretorio; }
    // The main window's copy of the current language file (empty: none).
    const QString &ArquivoIdioma() const { return m_arquivoIdioma; }
    TInteracao *Interacao() const { return m_interacao; }
    TUsuario &Usuario() { return *m_usuario; }
    TLabirinto &Labirinto() { return *m_labirinto; }
    // The session engine of the logged-in user, on the real clock; made and
    // remade with the user and maze objects (so the arrow-key mode is off
    // after start-up and after log-off).
    TSessao &Sessao() { return *m_sessao; }

    // Resolves the current language file from the language choice, stores
    // it and sets the caption, the menu texts and status panel 3 from it.
    void CarregarIdioma();

    // Status bar: panel 0 recording state, 1 arrow-key mode, 2 language
    // name, 3 version.
    static const int QdePaineis = 4;
    void DefinirPainel(int painel, const QString &texto);
    QString Painel(int painel) const;

    // A new login window over this one (at start and after log-off), shown
    // and listing the users; a login window still open is replaced. Status
    // panel 2 shows the language once it is confirmed.
    TFormInicio *AbrirInicio();
    // The login window while it is open, else null.
    TFormInicio *Inicio() const;

    // Puts a window into the frame as a child window, destroyed when closed.
    QMdiSubWindow *AbrirFilha(QWidget *janela);

    // The window behind a flag of JanelaAberta, closed at log-off while its
    // flag is set, and the experiment it works on (when it has one).
    void RegistrarJanela(TExperimento::Janela janela, QWidget *widget,
                         const QString &experimento = QString());
    // The window registered for a flag while it exists, else null.
    QWidget *JanelaRegistrada(TExperimento::Janela janela) const;
    // Closes the window of a flag that is set and clears the flag; false
    // when the window refused to close.
    bool FecharJanelaAberta(TExperimento::Janela janela);
    // The experiment windows (list, display, configuration dialogs); their
    // signals say when a session or an analysis is to be opened.
    TJanelasExperimento *Experimentos() const { return m_experimentos; }
    // The experiment list (asked for the selected experiment when one is
    // deleted) and the configuration display; both close at log-off.
    void DefinirListaExperimentos(TListaExperimentos *lista, QWidget *janela);
    void DefinirConfiguracao(QWidget *janela);

    // At program start: offers to save the recordings of every user that
    // stopped without their session end (TOfertaRecuperacao). Waits for a
    // confirmed language (the login then asks). Returns the questions asked.
    int OferecerRecuperacao();

public slots:
    // Login (the login window's LoginConcluido): loads the user, opens the
    // windows of a logged-in user, gives LogOff1 the user's name and
    // enables the menus; then offers to save the user's recordings that
    // stopped without their session end (those not declined since start).
    void Entrar(const QString &usuario);
    // "Excluir" of the experiment menu: enabled while an experiment is
    // selected in the experiment list or configuration windows.
    void HabilitarExcluirExperimento(bool habilitar);
    // Deletes the experiment selected in the experiment list from the
    // profile, after the user's confirmation.
    void Excluir1Click();
    // Closes the user's windows, remakes the user and maze objects and opens
    // a new login window. False when a window refused to close (nothing else
    // then changes).
    bool LogOff1Click();
    // Asks for the language again at the next login window, and logs off.
    void Idioma1Click();
    void Sair1Click();
    // The windows of the data menu, the video window and About. Each opens
    // one window; the single-instance ones set their flag of JanelaAberta
    // and disable their menu item until they close.
    void Visualizar1Click();
    void Excluir2Click();
    void Video1Click();
    void Sobre1Click();
    // The analysis window for the current experiment (the experiment
    // list's analysis button); an analysis window already open is closed
    // first. Returns the window, or null when the open one would not close
    // (a run in progress).
    QWidget *AbrirAnalise();
    // The session window for the current experiment (TUsuario::Experimento,
    // loaded by the caller: the experiment list's double-click, the
    // behaviour catalogue's save). A session window already open is closed
    // first; one that will not close (its recording kept) leaves things as
    // they are and gives null, as does an experiment that cannot be
    // recorded. Disables "Excluir" while the window is open.
    QWidget *AbrirSessao();
    // "Configurar Teclado": the keyboard configuration window.
    void ConfigurarTeclado1Click();

protected:
    void closeEvent(QCloseEvent *evento) override;

private slots:
    // The login window's language box was confirmed.
    void idiomaConfirmado(int lingua);

private:
    void abrirJanelasDoUsuario();
    void usuarioEntrou();
    void criarObjetos();
    void criarMenu();
    void criarBarraStatus();
    bool fecharFilhas();
    static bool fechar(QWidget *janela);
    // A single-instance window as a child: its flag set, its menu item (if
    // any) disabled until `fechada` (its closing signal) clears both.
    template <class J>
    void abrirUnica(TExperimento::Janela flag, J *janela, QAction *item);

    QString m_diretorio;
    QString m_arquivoIdioma;
    TInteracao *m_interacao;
    std::unique_ptr<TUsuario> m_usuario;
    std::unique_ptr<TLabirinto> m_labirinto;
    // After the objects it works on, so it goes before them.
    std::unique_ptr<TRelogio> m_relogio;
    std::unique_ptr<TSessao> m_sessao;
    std::unique_ptr<TOfertaRecuperacao> m_recuperacao;

    // Menu.
    QMenu *Opes1 = nullptr;
    QMenu *Experimento1 = nullptr;
    QAction *Inserir1 = nullptr;
    QAction *Excluir1 = nullptr;
    QMenu *Labirinto1 = nullptr;
    QAction *CriarNovoLabirinto1 = nullptr;
    QMenu *Analise1 = nullptr;
    QAction *Visualizar1 = nullptr;
    QAction *Excluir2 = nullptr;
    QAction *Video1 = nullptr;
    QAction *ConfigurarTeclado1 = nullptr;
    QAction *Idioma1 = nullptr;
    QAction *LogOff1 = nullptr;
    QAction *Ajuda1 = nullptr;
    QAction *Sobre1 = nullptr;
    QAction *Sair1 = nullptr;

    QMdiArea *m_mdi = nullptr;
    std::array<QLabel *, QdePaineis> m_paineis{};
    QPointer<TFormInicio> m_inicio;
    std::array<QPointer<QWidget>, TExperimento::QdeJanelas> m_janelas;
    std::array<QString, TExperimento::QdeJanelas> m_experimentosJanelas;
    TJanelasExperimento *m_experimentos = nullptr;
    TListaExperimentos *m_listaExperimentos = nullptr;
    QPointer<QWidget> m_janelaLista;
    QPointer<QWidget> m_janelaConfiguracao;
};
