#pragma once

#include "recording/TRelogio.h"

#include <QElapsedTimer>
#include <QTimer>

// The clock of the session window: a monotonic time (a change of the system
// clock during a recording does not move it) expressed as a date-time, and
// two precise toolkit timers. Needs a running event loop for the timers.
class TRelogioQt : public TRelogio {
public:
    class Temporizador : public TTemporizador {
    public:
        explicit Temporizador(bool repetir);
        void Ligar() override;
        void Desligar() override { m_timer.stop(); }
        bool Ligado() const override { return m_timer.isActive(); }
        void DefinirIntervalo(qint64 ms) override;
        qint64 Intervalo() const override { return m_timer.interval(); }

    private:
        QTimer m_timer;
    };

    TRelogioQt();

    // The date-time when the clock was made plus the monotonic time since.
    TDataHora Agora() const override;
    TTemporizador &Sessao() override { return m_sessao; }
    TTemporizador &Andamento() override { return m_andamento; }

private:
    TDataHora m_base;
    QElapsedTimer m_decorrido;
    Temporizador m_sessao;
    Temporizador m_andamento;
};
