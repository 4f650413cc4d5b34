#pragma once

#include "app/Configuracao.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class TIdioma;
class TSpinEdit;

// The settings part that the new-experiment dialog and the configuration
// window share: GroupBoxLabirinto (ComboBoxLabirinto, a pick-only list of
// mazes, and SpinEditDistancia) beside GroupBoxSecao (SpinEditDuracao and
// RadioButton1 / RadioButton2 for the number of starts). Starts with the
// built-in values and no maze chosen.
class TPainelConfiguracao : public QWidget {
    Q_OBJECT
public:
    explicit TPainelConfiguracao(QWidget *parent = nullptr);

    // Texts of both group boxes and their labels, from section `secao`.
    void CarregarIdioma(const TIdioma &idioma, const QString &secao);
    // Fills the maze list; nothing is chosen.
    void PreencherLabirintos(const QStringList &nomes);
    Configuracao::TValores Valores() const;
    void DefinirInicios(int inicios);

signals:
    // The user chose a maze in the list.
    void LabirintoEscolhido();

private:
    QGroupBox *m_grupoLabirinto;
    QGroupBox *m_grupoSecao;
    QLabel *m_tipo;
    QLabel *m_distancia;
    QLabel *m_duracao;
    QLabel *m_inicios;
    QComboBox *m_labirinto;
    TSpinEdit *m_spinDistancia;
    TSpinEdit *m_spinDuracao;
    QRadioButton *m_um;
    QRadioButton *m_dois;
};
