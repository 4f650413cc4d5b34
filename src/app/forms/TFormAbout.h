#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About window (unit "UnitAbout"): the program's logo, the credits of
// the project, the version line and "Fechar". A borderless window with a
// frame, on top of everything and centred on the screen; while it is open
// the rest of the program takes no input. Its texts come from the language
// file given (the main window's, since it opens before login too).
// Destroyed when closed; emits Fechada then, so the opener can enable its
// menu item again.
class TFormAbout : public QDialog {
    Q_OBJECT
public:
    static const QString Secao; // "UnitAbout"

    explicit TFormAbout(const QString &arquivoIdioma, QWidget *parent = nullptr);

signals:
    void Fechada();

protected:
    void showEvent(QShowEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;
    void paintEvent(QPaintEvent *evento) override;
    // Esc closes the window as "Fechar" does.
    void reject() override { close(); }

private:
    QLabel *m_titulo = nullptr;
    QPushButton *SpeedButtonFechar = nullptr;
};
