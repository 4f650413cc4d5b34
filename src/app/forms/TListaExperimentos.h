#pragma once

#include <QString>

// What the main window asks of the experiment list: which experiment is
// selected, and the two refreshes that follow a change of the profile (the
// list itself and the configuration display below it). The experiment list
// window implements it and hands itself to TFormMain::DefinirListaExperimentos.
class TListaExperimentos {
public:
    virtual ~TListaExperimentos() = default;

    // Name of the selected experiment; empty when none is selected.
    virtual QString ExperimentoSelecionado() const = 0;
    // Refills the list from the current user's profile.
    virtual void AtualizarLista() = 0;
    // Empties the configuration display.
    virtual void LimparConfiguracao() = 0;
};
