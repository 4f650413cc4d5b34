#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TSessao;

// The keyboard configuration window (unit "UnitTeclado"): shows whether the
// arrow keys move the animal as well as the numeric keypad, and switches
// them. The mode is the session engine's (TSessao::TeclasEdicao), the same
// that F5 toggles in the session window; the window follows F5 while it is
// open. A small window on top of the others, centred on the screen,
// destroyed when closed.
//
// Controls keep their design names ("LabelStatus", "SpeedButtonConfigurar",
// "ShapeEdicao"...). The picture of a keyboard ("ImageTeclado") carries two
// yellow markers: over the numeric keypad ("ShapeNumerico", always) and
// over the arrow keys ("ShapeEdicao", while they are on).
class TFormTeclado : public QDialog {
    Q_OBJECT
public:
    static const QString Secao; // "UnitTeclado"

    // The engine must outlive the window.
    TFormTeclado(TSessao &sessao, const QString &arquivoIdioma, QWidget *parent = nullptr);

signals:
    // Status panel 1 of the main window is to show the text (a switch here).
    void PainelStatus(int painel, const QString &texto);
    void Fechada();

protected:
    void closeEvent(QCloseEvent *evento) override;
    void reject() override { close(); }

private:
    void SpeedButtonConfigurarClick();
    // Texts, colours and marker for the mode; `chaves`: the language keys
    // of the switch button's and of the state label's text.
    void mostrar(bool ligadas, const char *chaveBotao, const char *chaveEstado);

    TSessao &m_sessao;
    QString m_arquivoIdioma;

    QLabel *LabelInf1 = nullptr;
    QLabel *LabelInf2 = nullptr;
    QLabel *ImageTeclado = nullptr;
    QWidget *ShapeNumerico = nullptr;
    QWidget *ShapeEdicao = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *LabelStatus = nullptr;
    QPushButton *SpeedButtonConfigurar = nullptr;
    QPushButton *SpeedButton1 = nullptr;
};
