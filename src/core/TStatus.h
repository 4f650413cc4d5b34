#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// A date-time as the recording clock gives it: whole milliseconds since
// 1970-01-01 00:00 UTC (QDateTime::currentMSecsSinceEpoch). 0 means "not set".
// An integer count keeps the difference of two instants exact, so the
// milliseconds written into a record never suffer from floating-point error.
using TDataHora = qint64;

// Whole milliseconds between two date-times, whatever their order.
inline qint64 Milissegundos(TDataHora a, TDataHora b) {
    return a > b ? a - b : b - a;
}

// Behaviour state table of the current experiment: one element per coded
// behaviour, in the order the experiment's letters were loaded (letter order,
// so the position of a behaviour is not its letter). Owned by TExperimento,
// rebuilt at every load, driven by the recording session.
//
// The arrays are parallel and always Qde long; change them only through the
// operations below.
class TStatus {
public:
    // Instant at which behaviour i went on, or at which its current segment
    // began; 0 when appended and after Zerar.
    QList<TDataHora> InicioComportamento;
    // Instant at which the session clock started.
    TDataHora InicioSessao = 0;
    // Number of behaviours.
    int Qde = 0;
    QStringList Nome;
    // Behaviour i is on.
    QList<bool> Ativo;
    // Key code that switches it: 64 + letter number (the upper-case letter).
    QList<quint16> Tecla;
    // Frequency of the next recorded segment: 1 when it starts a new bout,
    // 0 when it continues one.
    QList<int> Primeiro;

    // Appends a behaviour: off, switch-on time 0, Primeiro 1.
    void Adicionar(const QString &nome, quint16 tecla);
    // Every behaviour off, switch-on time 0, Primeiro 1 (after a session end).
    void Zerar();
    // No behaviours at all.
    void Limpar();
};
