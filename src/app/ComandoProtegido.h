#pragma once

#include <QString>
#include <QTextStream>

#include <functional>

// Runs one command of trevalin-cli so that it always ends with an exit
// status and a message, never with an abort: running out of memory (an
// allocation that fails with memory capped or exhausted) or any other
// failure that escapes the command is reported on `err` as
// "trevalin-cli <nome>: <why>" and gives 1. A command's own status is
// returned as it is.
//
// Nothing is undone here: every file the program saves appears whole or not
// at all (TGravacao), so a command stopped part way has left each file it
// was saving as it was before.
int ExecutarComandoProtegido(const QString &nome, const std::function<int()> &comando,
                             QTextStream &err);
