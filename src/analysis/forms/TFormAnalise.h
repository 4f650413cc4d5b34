#pragma once

#include "analysis/TAnalise.h"
#include "analysis/TDados.h"
#include "analysis/TMontagemGrupos.h"
#include "core/TUsuario.h"
#include "data/TPlanilha.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QThread;
class TInteracao;

// The analysis window (unit "UnitSelecionarGrupo"): the current
// experiment's record files grouped into named groups (TMontagemGrupos),
// then one analysis of the kind checked, saved as a spreadsheet (TAnalise).
//
// Works on a copy of the user as it was when the window opened (the
// experiment, its maze, the language file), so nothing it reads changes
// under a run. Owns the TDados of the groups and the run's TPlanilha (the
// format the picked name's extension asks for; the save dialog offers .xls,
// .xlsx and tidy CSV).
//
// A run goes to a worker thread: the window shows its progress, stays
// responsive and refuses every change of the groups until the run ends; it
// will not close meanwhile either. Questions are asked before the run, the
// run's messages are shown when it ends; the file written is the same as
// the one `trevalin-cli analyse` writes for the same groups.
//
// Emits Fechada when it closes, so the opener can clear its flag.
class TFormAnalise : public QWidget {
    Q_OBJECT
public:
    static const QString Secao; // "UnitSelecionarGrupo"

    TFormAnalise(const TUsuario &usuario, TInteracao *interacao, QWidget *parent = nullptr);
    ~TFormAnalise() override;

    // The save dialog: the file picked, or an empty text when cancelled.
    // By default a file dialog; tests put their own answer in.
    std::function<QString(QWidget *pai, const QString &pasta)> DialogoSalvar;

    bool Executando() const { return m_thread != nullptr; }

signals:
    void Fechada();
    // A run ended, with its TAnalise::Resultado (after its messages).
    void AnaliseConcluida(int resultado);
    // A run's analysis exists and its worker thread is about to start; a
    // direct connection to its signals runs on that thread.
    void AnaliseCriada(TAnalise *analise);

protected:
    void closeEvent(QCloseEvent *evento) override;

private:
    void criarControles();
    void carregarIdioma();
    QString mensagem(const char *chave) const;
    void mostrarListas();
    void modoInserir();
    void SpeedButtonAddSelecaoClick();
    void SpeedButtonRemSelecaoClick();
    void SpeedButtonInserirGrupoClick();
    void ListBoxGruposClick(QListWidgetItem *item);
    void SpeedButtonCleanGruposClick();
    void SpeedButtonOkClick();
    void SpeedButtonANALISARClick();
    void executar(TAnalise::Tipo tipo, const QString &arquivo, TAnalise::Substituicao s);
    void progresso(int feitos, int total);
    void concluir();

    TUsuario m_usuario;
    TInteracao *m_interacao;
    TDados m_dados;
    std::unique_ptr<TPlanilha> m_planilha; // of the run, by the name's format
    TMontagemGrupos m_montagem;

    QGroupBox *GroupBox1 = nullptr;
    QLabel *LabelExperimento = nullptr;
    QListWidget *ListBoxArquivos = nullptr;
    QGroupBox *GroupBoxMontarGrupo = nullptr;
    QPushButton *SpeedButtonAddSelecao = nullptr;
    QPushButton *SpeedButtonRemSelecao = nullptr;
    QLabel *LabelNomeGrupo = nullptr;
    QLineEdit *EditNomeGrupo = nullptr;
    QListWidget *ListBoxSelecao = nullptr;
    QPushButton *SpeedButtonInserirGrupo = nullptr;
    QGroupBox *GroupBoxGrupos = nullptr;
    QListWidget *ListBoxGrupos = nullptr;
    QPushButton *SpeedButtonCleanGrupos = nullptr;
    QPushButton *SpeedButtonOk = nullptr;
    QGroupBox *GroupBoxOpcoes = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label5 = nullptr;
    // Indexed by TAnalise::Tipo.
    std::array<QRadioButton *, 6> m_radios{};
    QPushButton *SpeedButtonANALISAR = nullptr;
    QProgressBar *ProgressBarAnalise = nullptr;

    // The run in progress.
    QThread *m_thread = nullptr;
    std::unique_ptr<TAnalise> m_analise;
    class TColetor;
    std::unique_ptr<TColetor> m_coletor;
    TAnalise::Resultado m_resultado = TAnalise::Falha;
};
