#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class TInteracao;
class TPainelConfiguracao;
class TUsuario;

// The configuration window of an experiment that exists but is not
// configured yet: a child window of the main window with a close button.
// Label2 and LabelExp name the experiment; the settings (TPainelConfiguracao)
// start with the built-in values, and choosing a maze sets the starts back
// to 1. BitBtnOK (Enter) saves them (Configuracao::Salvar), announces it
// (ConfiguracoesSalvas) and closes the window; a refusal or a failed write
// leaves it open. Texts: section "UnitConf" of the user's language file.
class TFormConf : public QWidget {
    Q_OBJECT
public:
    static const QString Secao; // "UnitConf"

    TFormConf(TUsuario &usuario, TInteracao *interacao, const QString &experimento,
              QWidget *parent = nullptr);

    const QString &Experimento() const { return m_experimento; }

signals:
    void ConfiguracoesSalvas(const QString &nome);

private slots:
    void BitBtnOKClick();

protected:
    void keyPressEvent(QKeyEvent *evento) override;
    void showEvent(QShowEvent *evento) override;

private:
    TUsuario &m_usuario;
    TInteracao *m_interacao;
    QString m_experimento;
    TPainelConfiguracao *m_painel;
    QPushButton *m_ok;
};
