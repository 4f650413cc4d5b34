#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class TFormComp;
class TFormConf;
class TFormListExp;
class TFormMain;
class TFormShowConf;

// The experiment windows of the main window and the way they work together:
// the experiment list and the configuration display of a logged-in user,
// the new-experiment dialog (menu "Novo"), the configuration window, the
// behaviour catalogue and the new-maze dialog (menu "Criar Novo
// Labirinto"). The windows know nothing of each other; this object connects
// their signals, opens and places them in the main window's frame, keeps
// the list and the display disabled while a configuration window or the
// catalogue is open, keeps the session and new-maze flags of JanelaAberta
// and enables "Excluir" as the Parts of the windows say.
//
// The session and analysis windows are opened elsewhere: SessaoPedida and
// AnalisePedida say when (the current experiment then holds the
// experiment's settings); whoever opens them sets their flag.
class TJanelasExperimento : public QObject {
    Q_OBJECT
public:
    // Connects "Novo" and "Criar Novo Labirinto" of the main window.
    explicit TJanelasExperimento(TFormMain *main);

    // At login: the configuration display and the experiment list, in this
    // order, at the left of the frame.
    void AbrirJanelasDoUsuario();

public slots:
    void Inserir1Click();
    void CriarNovoLabirinto1Click();

signals:
    // A configured experiment is to be recorded: its list entry was
    // double-clicked or its catalogue saved. A session window that was open
    // has been closed.
    void SessaoPedida(const QString &nome);
    // The list's analysis button, for experiment `nome`.
    void AnalisePedida(const QString &nome);

private:
    void abrirConf(const QString &nome);
    void abrirComp();
    void configurarSelecionado();
    void pedirSessao(const QString &nome);
    void atualizarBloqueio();
    QMdiSubWindow *abrir(QWidget *janela, bool centrada);

    TFormMain *m_main;
    QMdiArea *m_area;            // the main window's child-window area
    QAction *m_criarLabirinto;   // "Criar Novo Labirinto"
    QPointer<TFormListExp> m_lista;
    QPointer<TFormShowConf> m_exibicao;
    QPointer<TFormConf> m_conf;
    QPointer<TFormComp> m_comp;
};
