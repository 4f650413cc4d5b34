#pragma once

#include "core/TDesenho.h"

#include <QString>

// What the session engine asks of its window. Every method does nothing by
// default; the session window overrides what it shows, tests record the
// calls. Messages and beeps go through TInteracao instead.
class TObservadorSessao {
public:
    virtual ~TObservadorSessao() = default;

    // The maze picture (TLabirinto::Imagem) was drawn anew.
    virtual void RedesenharLabirinto() {}
    // Square (coluna, linha) of the picture was filled with that colour.
    virtual void PintarQuadrado(int coluna, int linha, const TCor &cor) {
        Q_UNUSED(coluna)
        Q_UNUSED(linha)
        Q_UNUSED(cor)
    }
    // Start-choice panel (over the identification panel).
    virtual void MostrarEscolhaInicio(bool visivel) { Q_UNUSED(visivel) }
    // Identification panel as a whole (hidden while recording).
    virtual void MostrarPainelIdentificacao(bool visivel) { Q_UNUSED(visivel) }
    // Name field and its confirm button.
    virtual void MostrarCampoIdentificacao(bool visivel) { Q_UNUSED(visivel) }
    // Empty the name field and give it the input focus.
    virtual void EsvaziarCampoIdentificacao() {}
    // The confirmed identification of the animal being recorded.
    virtual void Identificacao(const QString &texto) { Q_UNUSED(texto) }
    // "To start recording press 5".
    virtual void MostrarAvisoInicio(bool visivel) { Q_UNUSED(visivel) }
    // "To resume recording press 5", after a fall.
    virtual void MostrarAvisoReinicio(bool visivel) { Q_UNUSED(visivel) }
    // The identification of the last recording that ended, and whether that
    // display is shown.
    virtual void UltimaIdentificacao(const QString &texto) { Q_UNUSED(texto) }
    virtual void MostrarUltimaIdentificacao(bool visivel) { Q_UNUSED(visivel) }
    // Active-behaviour label 0, 1 or 2; an empty name empties it.
    virtual void RotuloComportamento(int indice, const QString &nome) {
        Q_UNUSED(indice)
        Q_UNUSED(nome)
    }
    // Progress bar, 0 to 100.
    virtual void Andamento(int valor) { Q_UNUSED(valor) }
    // Main window's status panel 0 or 1.
    virtual void PainelStatus(int painel, const QString &texto) {
        Q_UNUSED(painel)
        Q_UNUSED(texto)
    }
    // Experiment list and configuration display windows.
    virtual void HabilitarJanelasExperimento(bool habilitar) { Q_UNUSED(habilitar) }
    // Main menu item of the keyboard configuration.
    virtual void HabilitarMenuTeclado(bool habilitar) { Q_UNUSED(habilitar) }
    // Main menu item that deletes an experiment.
    virtual void HabilitarMenuExcluirExperimento(bool habilitar) { Q_UNUSED(habilitar) }
    // The window is to close (after the start squares were saved, or when
    // the maze cannot be recorded). The window's own closing then calls
    // TSessao::Fechar, which does nothing the second time.
    virtual void FecharJanela() {}
};
