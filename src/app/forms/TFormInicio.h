#pragma once

#include <QDialog>

#include <array>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class TInteracao;

// The login window, shown at start and after every log-off: lists the
// users, creates new ones (TFormNovoUsuario), asks for the language while it
// is unconfirmed, and hands the chosen user to whoever logs users in.
//
// A borderless window over its parent, centred on the screen and sized to
// its content; it cannot be closed except by a login (the main window's
// "Sair" ends the program). Destroyed when it closes. Its texts come from
// the language file named by the language choice (section "UnitInicio"),
// read again when the language is confirmed.
//
// It knows nothing of the main window: what happens is told through its
// signals. Its controls are its own; each carries its design name as
// object name ("ListBoxUsuarios", "BitBtnLogar", "SpeedButtonNovoUsuario",
// "GroupBoxBandeira", "RadioGroupIdioma0".."RadioGroupIdioma5",
// "SpeedButtonOk", "LabelCitar", "MemoPublicacao").
class TFormInicio : public QDialog {
    Q_OBJECT
public:
    static const QString Secao; // "UnitInicio"

    // diretorioDados: the data directory, ending with "/". interacao:
    // message boxes; it must outlive the window.
    TFormInicio(const QString &diretorioDados, TInteracao *interacao, QWidget *parent = nullptr);

    // Fills the user list from the profile files "usuarios/*.ini" of the
    // data directory, sorted without regard to letter case.
    void ListarUsuarios();
    // Sets the window's texts from the current language file.
    void CarregarIdioma();

    // The user names the data directory holds, in the list's order.
    static QStringList Usuarios(const QString &diretorioDados);

signals:
    // "Carregar" (or a double click) on a user: log that user in. Emitted
    // under the hourglass; the window closes right after.
    void LoginConcluido(const QString &usuario);
    // The language box's choice was stored and confirmed (index 0 to 5);
    // this window's texts are already in that language.
    void IdiomaConfirmado(int lingua);
    // The new-user dialog made a user (profile file and folder).
    void UsuarioCriado(const QString &usuario);

protected:
    void showEvent(QShowEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;
    void reject() override;
    void paintEvent(QPaintEvent *evento) override;

private slots:
    void BitBtnLogarClick();
    void SpeedButtonNovoUsuarioClick();
    void SpeedButtonOkClick();

private:
    void centralizar();
    int idiomaEscolhido() const;

    QString m_diretorio;
    TInteracao *m_interacao;
    // The current language file, as of the last CarregarIdioma.
    QString m_arquivoIdioma;

    QListWidget *ListBoxUsuarios = nullptr;
    QPushButton *BitBtnLogar = nullptr;
    QPushButton *SpeedButtonNovoUsuario = nullptr;
    QLabel *LabelCitar = nullptr;
    QPlainTextEdit *MemoPublicacao = nullptr;
    QGroupBox *GroupBoxBandeira = nullptr;
    std::array<QRadioButton *, 6> RadioGroupIdioma{};
    QPushButton *SpeedButtonOk = nullptr;
    QLabel *m_titulo = nullptr;
    QButtonGroup *m_grupoIdioma = nullptr;
    bool m_podeFechar = false;
};
