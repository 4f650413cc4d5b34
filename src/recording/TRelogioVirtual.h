#pragma once

#include "recording/TRelogio.h"

// A clock whose time moves only through AvancarAte/Avancar, for tests and
// the replay command. Timers fire while time is moved forward, each at its
// own deadline (the clock reads that deadline while its Disparou runs), in
// deadline order; the session timer goes first when both are due at the
// same instant.
class TRelogioVirtual : public TRelogio {
public:
    class Temporizador : public TTemporizador {
    public:
        Temporizador(const TRelogioVirtual &relogio, bool repetir)
            : m_relogio(relogio), m_repetir(repetir) {}
        void Ligar() override;
        void Desligar() override { m_ligado = false; }
        bool Ligado() const override { return m_ligado; }
        void DefinirIntervalo(qint64 ms) override;
        qint64 Intervalo() const override { return m_intervalo; }
        // When it fires next; meaningful while Ligado().
        TDataHora Prazo() const { return m_prazo; }

    private:
        friend class TRelogioVirtual;
        // Called by the clock at the deadline.
        void disparar();

        const TRelogioVirtual &m_relogio;
        bool m_repetir;
        bool m_ligado = false;
        qint64 m_intervalo = 0;
        TDataHora m_prazo = 0;
    };

    // A start far from 0, so that no instant of a test reads as "not set".
    static constexpr TDataHora InicioPadrao = 1000000000000LL;

    explicit TRelogioVirtual(TDataHora inicio = InicioPadrao);

    TDataHora Agora() const override { return m_agora; }
    Temporizador &Sessao() override { return m_sessao; }
    Temporizador &Andamento() override { return m_andamento; }

    // Moves the time to t, firing on the way every timer whose deadline is
    // at or before t. A t in the past changes nothing.
    void AvancarAte(TDataHora t);
    void Avancar(qint64 ms) { AvancarAte(m_agora + ms); }

private:
    TDataHora m_agora;
    Temporizador m_sessao;
    Temporizador m_andamento;
};
