#pragma once

#include <QObject>

// A timer as the session engine sees it: on or off, an interval in
// milliseconds, and the signal Disparou when it fires. Whether it fires once
// (the session timer) or repeatedly (the progress timer) is fixed by the
// clock that made it.
//
// Semantics every implementation keeps, the engine counts on them:
// - Ligar while off: the timer runs and fires an interval from now; Ligar
//   while on changes nothing (it does not restart).
// - DefinirIntervalo while on restarts the timer: it fires the new interval
//   from now. While off it only stores the interval.
// - Desligar: it will not fire until switched on again.
// - A one-shot timer is off when Disparou is emitted; a repeating one fires
//   every interval while on.
// - Disparou is emitted on the thread of the clock, directly from its event
//   loop (real clock) or from AvancarAte (virtual clock).
class TTemporizador : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void Ligar() = 0;
    virtual void Desligar() = 0;
    virtual bool Ligado() const = 0;
    virtual void DefinirIntervalo(qint64 ms) = 0;
    virtual qint64 Intervalo() const = 0;

signals:
    void Disparou();
};
