#pragma once

#include "recording/TEntradaTeclas.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class TImagemLabirinto;
class TInteracao;
class TSessao;

// The session window (unit "UnitLabirinto"): the experiment, the animal's
// identification, the maze picture with the animal's square, the active
// behaviours and the session's progress. A thin window over the session
// engine: it turns clicks and keys into engine operations and shows what
// the engine signals; every decision lives below it (TSessao, the key rules
// of TEntradaTeclas, the size rule of JanelaSessao).
//
// Keys: while the window is active it takes them itself, whichever of its
// widgets has the focus (see TEntradaTeclas for which and when); when it
// loses the keyboard, the letters held end their bouts then.
//
// Closing during a recording (or a pause after a fall) asks first, since
// the recording is then dropped; "No" keeps the window and the recording.
// Controls are private; their object names are the design names
// ("LabeledEditNome", "Image", "Gauge"...). Emits Fechada when it closes
// and ComportamentosSolicitados when its behaviours button is pressed.
class TFormLabirinto : public QWidget {
    Q_OBJECT
public:
    static const QString Secao; // "UnitLabirinto"

    // The engine belongs to the opener and must outlive the window; its
    // user and maze objects give the texts, the experiment and the picture.
    TFormLabirinto(TSessao &sessao, TInteracao *interacao, QWidget *parent = nullptr);
    ~TFormLabirinto() override;

    // Opens the engine for the current experiment (start choice or
    // waiting for the identification). False when the experiment cannot be
    // recorded: the engine has told why, and the window is to be closed.
    bool Abrir();

signals:
    void Fechada();
    void ComportamentosSolicitados();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;
    void resizeEvent(QResizeEvent *evento) override;
    void hideEvent(QHideEvent *evento) override;
    void changeEvent(QEvent *evento) override;

private:
    void criarControles();
    void carregarTextos();
    void ligarSessao();
    bool meu(const QObject *objeto) const;
    void focoMudou(QWidget *antigo, QWidget *novo);
    void ImageClick(QPointF ponto);
    void SpeedButtonConfirmarClick();
    void BitBtnOKClick();
    void LabeledEditNomeEdited(const QString &texto);
    void FormResize();
    void mostrarEscolhaInicio(bool visivel);

    TSessao &m_sessao;
    // Null once the engine is gone: a window closed at log-off is deleted
    // later than the engine it worked on, and must not touch it then.
    QPointer<TSessao> m_sessaoViva;
    TInteracao *m_interacao;
    TEntradaTeclas m_teclas;
    bool m_redimensionando = false;

    QLabel *LabelExperimento = nullptr;
    QLabel *LabelNomeExp = nullptr;
    QLabel *Labelindividuo = nullptr;
    QLabel *LabelNome = nullptr;
    QGroupBox *GroupBoxInf = nullptr;
    QLabel *LabeledEditNomeEditLabel = nullptr;
    QLineEdit *LabeledEditNome = nullptr;
    QPushButton *SpeedButtonConfirmar = nullptr;
    QLabel *StaticText1 = nullptr;
    QLabel *StaticText2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *LabelUltimoNome = nullptr;
    QPushButton *SpeedButtonComportamentos = nullptr;
    QLabel *StaticText9 = nullptr;
    QLabel *StaticText10 = nullptr;
    QLabel *LabelComp = nullptr;
    std::array<QLabel *, 3> LabelCompN{};
    QLabel *LabelTempoDecorrido = nullptr;
    QProgressBar *Gauge = nullptr;
    TImagemLabirinto *Image = nullptr;
    QGroupBox *GroupBoxInicio = nullptr;
    QLabel *LabelQdeInicios = nullptr;
    QLabel *LabelInicios = nullptr;
    QLabel *StaticTextInformativo = nullptr;
    QGroupBox *GroupBoxQdeInicios = nullptr;
    QPushButton *SpeedButton2 = nullptr;
    QPushButton *SpeedButton1 = nullptr;
    QGroupBox *GroupBoxComeco = nullptr;
    std::array<QRadioButton *, 3> RadioButtonN{};
    QPushButton *BitBtnOK = nullptr;
};
