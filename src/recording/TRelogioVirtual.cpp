#include "TRelogioVirtual.h"

#include <algorithm>

void TRelogioVirtual::Temporizador::Ligar() {
    if (m_ligado) return;
    m_ligado = true;
    m_prazo = m_relogio.Agora() + m_intervalo;
}

void TRelogioVirtual::Temporizador::DefinirIntervalo(qint64 ms) {
    m_intervalo = ms;
    if (m_ligado) m_prazo = m_relogio.Agora() + ms;
}

void TRelogioVirtual::Temporizador::disparar() {
    if (m_repetir)
        // An interval below 1 ms would fire forever without time moving on.
        m_prazo += std::max<qint64>(m_intervalo, 1);
    else
        m_ligado = false;
    emit Disparou();
}

TRelogioVirtual::TRelogioVirtual(TDataHora inicio)
    : m_agora(inicio), m_sessao(*this, false), m_andamento(*this, true) {
    m_andamento.m_intervalo = IntervaloAndamento;
}

void TRelogioVirtual::AvancarAte(TDataHora t) {
    for (;;) {
        // A receiver of Disparou may switch either timer on or off, so the next one
        // due is looked up again after every firing.
        Temporizador *proximo = nullptr;
        for (Temporizador *tm : {&m_sessao, &m_andamento}) {
            if (tm->m_ligado && tm->m_prazo <= t && (!proximo || tm->m_prazo < proximo->m_prazo))
                proximo = tm;
        }
        if (!proximo) break;
        m_agora = std::max(m_agora, proximo->m_prazo);
        proximo->disparar();
    }
    m_agora = std::max(m_agora, t);
}
