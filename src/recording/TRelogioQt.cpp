#include "TRelogioQt.h"

#include <QDateTime>

#include <algorithm>
#include <limits>

namespace {
int intervaloQt(qint64 ms) {
    return static_cast<int>(std::clamp<qint64>(ms, 0, std::numeric_limits<int>::max()));
}
} // namespace

TRelogioQt::Temporizador::Temporizador(bool repetir) {
    m_timer.setSingleShot(!repetir);
    // Coarse timers may fire up to 5 % late, seconds over a long session.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TTemporizador::Disparou);
}

void TRelogioQt::Temporizador::Ligar() {
    // QTimer::start restarts a running timer; switching on a running timer
    // must leave it alone.
    if (!m_timer.isActive()) m_timer.start();
}

void TRelogioQt::Temporizador::DefinirIntervalo(qint64 ms) {
    if (m_timer.isActive())
        m_timer.start(intervaloQt(ms));
    else
        m_timer.setInterval(intervaloQt(ms));
}

TRelogioQt::TRelogioQt()
    : m_base(QDateTime::currentMSecsSinceEpoch()), m_sessao(false), m_andamento(true) {
    m_decorrido.start();
    m_andamento.DefinirIntervalo(IntervaloAndamento);
}

TDataHora TRelogioQt::Agora() const {
    return m_base + m_decorrido.elapsed();
}
