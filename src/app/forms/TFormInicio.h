#pragma once

#include <QDialog>

#include <array>

class QAbstractButton;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TFormMain;

// The login window, shown at start and after every log-off: lists the
// users, creates new ones (TFormNovoUsuario), asks for the language while it
// is unconfirmed, and logs the chosen user in.
//
// A borderless window over the main window, centred on the screen and sized
// to its content; it cannot be closed except by a login (the main window's
// "Sair" ends the program). Destroyed when it closes. Its texts come from
// the language file named by the language choice (section "UnitInicio"),
// read again when the language is confirmed.
class TFormInicio : public QDialog {
    Q_OBJECT
public:
    static const QString Secao; // "UnitInicio"

    explicit TFormInicio(TFormMain *main);

    // Fills the user list from the profile files "usuarios/*.ini" of the
    // data directory, sorted without regard to letter case.
    void ListarUsuarios();
    // Sets the window's texts from the current language file.
    void CarregarIdioma();

    // The user names the data directory holds, in the list's order.
    static QStringList Usuarios(const QString &diretorioDados);

    QListWidget *ListBoxUsuarios = nullptr;
    QPushButton *BitBtnLogar = nullptr;
    QPushButton *SpeedButtonNovoUsuario = nullptr;
    QLabel *LabelCitar = nullptr;
    QPlainTextEdit *MemoPublicacao = nullptr;
    QGroupBox *GroupBoxBandeira = nullptr;
    std::array<QRadioButton *, 6> RadioGroupIdioma{};
    QPushButton *SpeedButtonOk = nullptr;

public slots:
    void BitBtnLogarClick();
    void SpeedButtonNovoUsuarioClick();
    void SpeedButtonOkClick();

protected:
    void showEvent(QShowEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;
    void reject() override;
    void paintEvent(QPaintEvent *evento) override;

private:
    void centralizar();
    int idiomaEscolhido() const;

    TFormMain *m_main;
    QLabel *m_titulo = nullptr;
    QButtonGroup *m_grupoIdioma = nullptr;
    bool m_podeFechar = false;
};
