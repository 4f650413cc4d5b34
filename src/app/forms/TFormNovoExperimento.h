#pragma once

#include "app/TNovoExperimento.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TInteracao;
class TPainelConfiguracao;
class TUsuario;

// The new-experiment dialog (menu "Novo"), modal, always on top, centred on
// the screen, with a close button only. Two stages (TNovoExperimento): the
// name field (LabeledEdit) and BitBtnOK register a name; then GroupBoxConf
// (the settings, TPainelConfiguracao) and BitBtn1 save its settings, after
// which the dialog announces it (ConfiguracoesSalvas) and closes. Closed in
// the configuring stage, it leaves the experiment registered but not
// configured.
//
// The name field refuses, typed or pasted, the characters of
// TValidadorNome::RecusadosExperimento, control characters and anything
// outside Windows-1252. Texts: section "UnitNovoExperimento" of the user's
// language file.
class TFormNovoExperimento : public QDialog {
    Q_OBJECT
public:
    static const QString Secao; // "UnitNovoExperimento"

    TFormNovoExperimento(TUsuario &usuario, TInteracao *interacao, QWidget *parent = nullptr);

signals:
    // The settings of the new experiment `nome` were saved; the current
    // experiment holds them. The behaviour catalogue comes next.
    void ConfiguracoesSalvas(const QString &nome);

private slots:
    void BitBtnOKClick();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent *evento) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    QString mensagem(const char *chave) const;
    void mostrarEtapa();

    TUsuario &m_usuario;
    TInteracao *m_interacao;
    TNovoExperimento m_novo;
    QLabel *m_rotulo;
    QLineEdit *m_nome;
    QPushButton *m_ok;
    QGroupBox *m_conf;
    TPainelConfiguracao *m_painel;
    QPushButton *m_salvar;
};
