#pragma once

#include "core/TStatus.h"
#include "recording/TTemporizador.h"

// The time source of a recording: the current date-time and the session
// window's two timers. The window hands in a real clock (TRelogioQt); tests
// and the replay command hand in a virtual one (TRelogioVirtual) whose time
// moves only when told to.
class TRelogio {
public:
    // Interval of the progress timer.
    static constexpr qint64 IntervaloAndamento = 1000;

    virtual ~TRelogio() = default;

    // Now, in whole milliseconds (see TDataHora). Never goes backwards.
    virtual TDataHora Agora() const = 0;
    // One-shot timer that ends the session; off and interval 0 at first.
    virtual TTemporizador &Sessao() = 0;
    // Repeating timer of the progress bar, IntervaloAndamento; off at first.
    virtual TTemporizador &Andamento() = 0;
};
