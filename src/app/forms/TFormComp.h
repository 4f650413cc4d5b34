#pragma once

#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TInteracao;
class TUsuario;

// The behaviour catalogue: a child window of the main window with a close
// button, sized to its content. 26 rows A to Z, each a check box
// (CheckBoxA..CheckBoxZ, the letter in bold) and a name field
// (EditA..EditZ, capitals only, disabled and silver while unchecked); the
// catalogue 1 to 4 in RadioGroup ("RadioGroup1".."RadioGroup4"); BitBtnSalvar
// (or Enter in a name field) saves.
//
// Choosing a catalogue makes it the current experiment's in memory
// (Catalogo::Carregar) and shows its ticked letters when the experiment is
// configured; nothing is written until BitBtnSalvar (Catalogo::Salvar),
// which then announces the saved experiment (ComportamentosSalvos) and
// closes the window. Refusals and a failed write leave the window open and
// the profile as it was. Texts: section "UnitComp" of the user's language
// file.
class TFormComp : public QWidget {
    Q_OBJECT
public:
    static const QString Secao; // "UnitComp"

    TFormComp(TUsuario &usuario, TInteracao *interacao, QWidget *parent = nullptr);

    // Selects catalogue n (1 to 4) as a click on its radio item does.
    void SelecionarCatalogo(int n);

signals:
    // The catalogue of experiment `nome` was saved; its session comes next.
    void ComportamentosSalvos(const QString &nome);

protected:
    void showEvent(QShowEvent *evento) override;

private:
    void RadioGroupClick(int n);
    void CarregarComp();
    void CheckBoxAClick(int posicao, bool marcado);
    void BitBtnSalvarClick();

    TUsuario &m_usuario;
    TInteracao *m_interacao;
    std::array<QCheckBox *, 27> m_caixas{};
    std::array<QLineEdit *, 27> m_campos{};
    QButtonGroup *m_catalogos;
    QPushButton *m_salvar;
};
