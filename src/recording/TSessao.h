#pragma once

#include "core/TDesenho.h"
#include "core/TStatus.h"
#include "recording/TArquivoRegistro.h"
#include "recording/TDiario.h"
#include "recording/TEstadoGravacao.h"
#include "recording/TTravaIdentificacao.h"

#include <QChar>
#include <QObject>
#include <QString>

#include <array>

class TInteracao;
class TLabirinto;
class TRelogio;
class TUsuario;

// The recording of one animal after another in the current experiment: the
// logic of the session window, runnable without it. Every user action is an
// operation; every effect on the window is a signal, which the window
// connects to its widgets; messages (texts of the language file's section
// "UnitLabirinto") and beeps go through TInteracao. Time comes from the
// clock, which also holds the two timers: the one-shot session timer (ends
// the recording after the session length) and the progress timer (every
// second). The engine listens to both.
//
// It works on the program-wide objects it is given (the experiment's TStatus
// holds InicioSessao = S and the behaviours' state; the maze gives squares
// and the picture) and keeps its own state besides: the phase (FaseLivre),
// the identification, the three active-behaviour labels and the recording's
// bookkeeping (TEstadoGravacao: the animal's square, the pauses, the two
// recorders, the arrow-key mode).
//
// One engine may serve one session window after another: Abrir starts a
// window's life afresh, except for the arrow-key mode, which lasts as long
// as the engine: the program is to keep one engine per logged-in user,
// remade at log-off like the maze, so that the mode is off after start-up
// and after log-off.
//
// While a recording runs, every input the engine receives (start, fall,
// resume, move, behaviour down and up, arrow-key mode) is noted in the
// recording's journal (TDiario) with its time on the session clock and the
// wall time, after a first block holding the experiment's settings and
// behaviours as they were at the start; TRecuperacao rebuilds a recording
// from it. The journal goes when the record files are safely written, or
// when the window drops the recording; otherwise it stays. The
// identification is locked (TTravaIdentificacao) from its confirmation to
// the end of its recording, and each recording has raw files of its own.
//
// Every operation takes the clock once and uses that instant throughout, so
// a fall, a resume or a phase change happens at one instant, however long
// redrawing the maze takes. Signals are emitted before the operation
// returns, in the order the window must apply them.
class TSessao : public QObject {
    Q_OBJECT
public:
    enum class Estado {
        Fechada,       // not open, or closed
        EscolhaInicio, // the start squares are to be chosen
        AguardandoIdentificacao,
        Pronta, // identification confirmed, waiting for 5
        Gravando,
        Pausada // after a fall, waiting for 5
    };

    // Nothing is read or shown before Abrir. The clock must outlive the engine.
    TSessao(TUsuario &usuario, TLabirinto &labirinto, TInteracao &interacao, TRelogio &relogio,
            QObject *parent = nullptr);
    ~TSessao() override;
    TSessao(const TSessao &) = delete;
    TSessao &operator=(const TSessao &) = delete;

    // --- Operations (the window event that triggers each in brackets).
    // Windows call them directly or connect their widgets' signals to them.

    // Window creation: loads and draws the maze and places the animal. The
    // start-choice state follows when a start square the experiment needs is
    // not set or not a square of the maze, else waiting for identification.
    // A maze that cannot be recorded (library missing, maze not in it, no
    // squares) or a session length outside 1 to 9990 s: a message,
    // FechamentoSolicitado, false.
    bool Abrir();
    // Click on square (coluna, linha) of the picture while choosing the start
    // squares; inicioFixo: the fixed-phase start (the only one with one
    // start), else the free-phase start. A point beside the squares changes
    // nothing.
    void EscolherInicio(int coluna, int linha, bool inicioFixo);
    // "Confirmar Seleção": saves the start squares and comecoQueda (1 the
    // free-phase start, 2 the fixed-phase start, 3 where the animal was) to
    // the profile, tells so and asks the window to close. Refused with a beep while
    // a start square the experiment needs is not chosen; a profile that
    // cannot be written: its message, the choice stays open. True when saved.
    bool ConfirmarInicios(int comecoQueda);
    // "Confirmar" / Enter in the name field. True when the identification is
    // taken (ready to start). Refused (a message, false; RecusaAtual says
    // why) when it is not valid, when one of its record files exists, or
    // while another session records the same identification. A pair of
    // record files of this identification left half written by a session
    // that stopped is finished or undone first (TArquivoRegistro).
    bool ConfirmarIdentificacao(const QString &texto);
    enum class Recusa { Nenhuma, Invalida, Existente, EmGravacao };
    Recusa RecusaAtual() const { return m_recusa; }
    // Key 5: starts, or resumes after a fall.
    void IniciarOuRetomar();
    // Esc: the animal fell off the maze; the recording pauses.
    void Queda();
    // Digit or arrow key: one square in that direction (columns grow to the
    // right, rows downwards). Only while recording.
    void Mover(int dx, int dy);
    // Letter key down / up (key code = the upper-case letter's code).
    void ComportamentoAbaixado(int tecla);
    void ComportamentoLiberado(int tecla);
    // F5: arrow keys move the animal, or not.
    void AlternarTeclasEdicao();
    // Progress timer tick (and after every character key).
    void Andamento();
    // Session timer tick: closes the recording, writes the record file(s)
    // and re-arms for the next animal.
    void FimSessao();
    // The window closes: a recording in progress is dropped, nothing is
    // written, its journal is removed.
    void Fechar();

    // --- The journal and recovery.

    // The journal of the next recordings on (the default) or off.
    void DefinirDiario(bool ligado) { m_diarioLigado = ligado; }
    bool DiarioLigado() const { return m_diarioLigado; }
    // The journal of the recording in progress; empty when there is none.
    QString ArquivoDiario() const { return m_diario.Caminho(); }
    // For TRecuperacao: takes the identification without any check, lock or
    // journal (state Pronta); the inputs of a journal are then fed in on a
    // virtual clock. A session end reached that way closes the rows at the
    // session length and writes nothing: the rows stay in Gravacao().
    void PrepararRecuperacao(const QString &identificacao);
    // Ends the recording in progress at the current instant (at the fall,
    // when paused): the rows are closed there as a session end would close
    // them, and stay in Gravacao(); nothing is written; the engine is
    // closed. Returns the recorded time of the current phase in ms (-1 when
    // no recording was in progress).
    qint64 Interromper();

    // --- Key events as the window receives them.

    // Character key: '5' start or resume, Esc (27) fall, '1'..'9' moves as
    // on a numeric keypad; then the progress.
    void TeclaPressionada(QChar c);
    // Key down (Qt::Key codes): F5, the arrows, letters.
    void TeclaAbaixada(int tecla);
    // Key up: letters.
    void TeclaLiberada(int tecla);

    // --- State.

    Estado EstadoAtual() const { return m_estado; }
    // True in the free phase of a two-start recording and between recordings.
    bool FaseLivre() const { return m_faseLivre; }
    const QString &IdentificacaoAtual() const { return m_identificacao; }
    // Active-behaviour label 0..2 (empty when free).
    const QString &Rotulo(int i) const { return m_rotulos.at(i); }
    // The recording's bookkeeping (square, pauses, recorders, arrow keys).
    const TEstadoGravacao &Gravacao() const { return m_gravacao; }
    // F5 / the keyboard window: arrow keys move the animal.
    bool TeclasEdicao() const { return m_gravacao.TeclasEdicao; }
    // Session length T in ms.
    qint64 T() const;
    bool DoisInicios() const;
    // Folder of the experiment's record files (ends with "/").
    QString PastaExperimento() const;
    // The objects it works on (the window reads the experiment's settings
    // and the maze picture).
    const TUsuario &Usuario() const { return m_usuario; }
    const TLabirinto &Labirinto() const { return m_labirinto; }
    // Sessions ended since Abrir, and what the last one wrote.
    int SessoesEncerradas() const { return m_sessoesEncerradas; }
    const TResultadoGravacao &UltimaGravacao() const { return m_ultimaGravacao; }

signals:
    // --- What the window shows (the widget each signal is for in brackets).

    // The maze picture (TLabirinto::Imagem) was drawn anew [Image].
    void LabirintoRedesenhado();
    // Square (coluna, linha) of the picture was filled with that colour.
    void QuadradoPintado(int coluna, int linha, const TCor &cor);
    // Start-choice panel, over the identification panel [GroupBoxInicio].
    void EscolhaInicioVisivel(bool visivel);
    // Identification panel as a whole, hidden while recording [GroupBoxInf].
    void PainelIdentificacaoVisivel(bool visivel);
    // Name field and its confirm button [LabeledEditNome, SpeedButtonConfirmar].
    void CampoIdentificacaoVisivel(bool visivel);
    // The name field is to be emptied and given the input focus.
    void CampoIdentificacaoEsvaziado();
    // The confirmed identification of the animal to be recorded [LabelNome].
    void IdentificacaoConfirmada(const QString &texto);
    // "To start recording press 5" [StaticText1, StaticText2].
    void AvisoInicioVisivel(bool visivel);
    // "To resume recording press 5", after a fall [StaticText9, StaticText10].
    void AvisoReinicioVisivel(bool visivel);
    // The identification of the last recording that ended [LabelUltimoNome],
    // and whether that display is shown [Label1, LabelUltimoNome].
    void UltimaIdentificacaoAlterada(const QString &texto);
    void UltimaIdentificacaoVisivel(bool visivel);
    // Active-behaviour label 0, 1 or 2 [LabelComp1..3]; empty: a free label.
    void RotuloAlterado(int indice, const QString &nome);
    // Progress bar, 0 to 100 [Gauge].
    void AndamentoAlterado(int valor);
    // Main window's status panel 0 or 1.
    void PainelStatusAlterado(int painel, const QString &texto);
    // The arrow-key mode changed (F5 or AlternarTeclasEdicao).
    void TeclasEdicaoAlteradas(bool ligadas);
    // Experiment list and configuration display windows.
    void JanelasExperimentoHabilitadas(bool habilitar);
    // Main menu item of the keyboard configuration.
    void MenuTecladoHabilitado(bool habilitar);
    // Main menu item that deletes an experiment.
    void MenuExcluirExperimentoHabilitado(bool habilitar);
    // The window is to close (after the start squares were saved, or when
    // the maze cannot be recorded). The engine is already closed: the
    // window's own closing then calls Fechar, which does nothing then.
    void FechamentoSolicitado();

private:
    bool ajustar();
    void desenhar();
    void mover(int dx, int dy);
    void pintar(int coluna, int linha, const TCor &cor);
    bool iniciosDefinidos() const;
    bool gravarArquivos();
    void mensagem(const QString &chave);
    QString texto(const QString &chave) const;
    // Status panel 1's text for the arrow-key mode.
    QString textoTeclasEdicao() const;
    qint64 desde(TDataHora instante) const; // ms(S, instante) - P
    // Closes the rows at `fim` ms of the current phase; comportamentosAtivos:
    // the behaviours still on get their last segment.
    void fecharLinhas(qint64 fim, bool comportamentosAtivos);
    void abrirDiario();
    void anotar(const char *tipo, int a = 0, int b = 0, int argumentos = 0);
    void encerrarDiario(bool remover);
    void definirRotulo(int i, const QString &nome);

    TUsuario &m_usuario;
    TLabirinto &m_labirinto;
    TInteracao &m_interacao;
    TRelogio &m_relogio;

    Estado m_estado = Estado::Fechada;
    bool m_faseLivre = true;
    QString m_identificacao;
    std::array<QString, 3> m_rotulos;
    // The instant of the operation in progress.
    TDataHora m_agora = 0;
    TEstadoGravacao m_gravacao;
    int m_sessoesEncerradas = 0;
    TResultadoGravacao m_ultimaGravacao;
    Recusa m_recusa = Recusa::Nenhuma;
    bool m_diarioLigado = true;
    bool m_recuperacao = false;
    TDiario m_diario;
    TDataHora m_inicioDiario = 0;
    // Names the recording's own files (journal, raw files, the pending
    // half of a pair): identification + "-" + start date-time.
    QString m_nomeSessao;
    TTravaIdentificacao m_trava;
};
