#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TInteracao;

// The new-user dialog, modal over the login window: takes a name and makes
// the user's profile file and data folder (Perfil::CriarUsuario). Closes
// itself (accepted) once the user exists; every refusal leaves it open with
// the name field focused.
//
// The name field takes at most 21 characters and refuses, as they are
// typed or pasted, the characters of TValidadorNome::RecusadosUsuario and
// every character Windows-1252 cannot hold. An empty name and a name already
// in use (compared without regard to letter case, as users are listed) are
// answered with a message; so is a name the file system refuses.
//
// Texts: section "UnitNovoUsuario" of the language file it is given (the
// login window's: no user is logged in yet). Its controls are its own, each
// with its design name as object name ("LabeledEditNome", "BitBtnOK").
class TFormNovoUsuario : public QDialog {
    Q_OBJECT
public:
    static const QString Secao; // "UnitNovoUsuario"
    static const int TamanhoMaximo = 21;

    TFormNovoUsuario(const QString &diretorioDados, const QString &arquivoIdioma,
                     TInteracao *interacao, QWidget *parent = nullptr);

signals:
    // The user's profile file and folder were made; the dialog then closes.
    void UsuarioCriado(const QString &nome);

protected:
    void showEvent(QShowEvent *evento) override;

private slots:
    void BitBtnOKClick();

private:
    QString mensagem(int n) const;
    void recusar(const QString &texto);

    QString m_diretorio;
    QString m_arquivoIdioma;
    TInteracao *m_interacao;

    QLabel *LabelNome = nullptr;
    QLineEdit *LabeledEditNome = nullptr;
    QPushButton *BitBtnOK = nullptr;
};
