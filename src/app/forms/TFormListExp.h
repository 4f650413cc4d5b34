#pragma once

#include "TListaExperimentos.h"

#include <QWidget>

class QListWidget;
class QPushButton;
class TUsuario;

// The experiment list: a child window of the main window with a fixed border
// and no caption buttons, at the top left of the main window's client area.
// ListBoxExp lists the user's experiments (Experimentos::Listar) and keeps
// them sorted without regard to letter case; SpeedButtonAnalise is enabled
// once an experiment is selected.
//
// Selecting an experiment (click or arrow keys) loads it as the current
// experiment and announces it (Selecionado). A double-click or Enter opens
// it: SessaoPedida for a configured experiment, ConfiguracaoPedida for one
// that is not; with nothing selected neither does anything. Empty lines (a
// "QdeExp" larger than the entries) are shown but cannot be selected.
// The configuration display below the list is reached through signals
// (MostrarConfiguracaoPedida, LimparConfiguracaoPedida).
class TFormListExp : public QWidget, public TListaExperimentos {
    Q_OBJECT
public:
    static const QString Secao; // "UnitListExp"

    // The user must outlive the window.
    explicit TFormListExp(TUsuario &usuario, QWidget *parent = nullptr);

    QString ExperimentoSelecionado() const override;
    void AtualizarLista() override;
    void LimparConfiguracao() override;

signals:
    // An experiment was selected and loaded as the current one.
    void Selecionado(const QString &nome);
    void MostrarConfiguracaoPedida();
    void NaoConfiguradoPedido();
    void LimparConfiguracaoPedida();
    // Double-click or Enter on a configured experiment (loaded).
    void SessaoPedida(const QString &nome);
    // Double-click or Enter on an experiment that is not configured (loaded).
    void ConfiguracaoPedida(const QString &nome);
    // SpeedButtonAnalise, with the selected experiment loaded.
    void AnalisePedida(const QString &nome);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void ListBoxExpClick();
    void CarregarFormLabirinto();
    void SpeedButtonAnaliseClick();

    TUsuario &m_usuario;
    QListWidget *m_lista;
    QPushButton *m_analise;
};
