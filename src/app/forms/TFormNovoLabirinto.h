#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class TInteracao;
class TSpinEdit;

// The new-maze dialog: a child window of the main window with a close
// button, sized to its content. SpinEditColunas and SpinEditLinhas (1 to 15,
// changed only by their arrows) size a rectangular open field, shown in the
// preview StringGridArena (cells of 10 pixels with grid lines, its centre
// nearly still as the sizes change); SpeedButton1 adds "ARENA (CxR)" to the
// maze library (BibliotecaLabirintos::CriarArena), says so and closes the
// window. A size the library holds already, and a failed write, leave the
// library as it was and the window open. Texts: section "UnitNovoLabirinto"
// of the language file given.
class TFormNovoLabirinto : public QWidget {
    Q_OBJECT
public:
    static const QString Secao; // "UnitNovoLabirinto"

    TFormNovoLabirinto(const QString &arquivoLabirintos, const QString &arquivoIdioma,
                       TInteracao *interacao, QWidget *parent = nullptr);

signals:
    void LabirintoCriado(const QString &nome);

private:
    void SpinEditChange();
    void SpeedButton1Click();

    QString m_arquivoLabirintos;
    QString m_arquivoIdioma;
    TInteracao *m_interacao;
    TSpinEdit *m_colunas;
    TSpinEdit *m_linhas;
    QWidget *m_area;
    QWidget *m_grade;
};
