#pragma once

#include <QStringList>
#include <QTextStream>

// trevalin-cli recover --data DIR --user USER --experiment EXP [--list]
//
// The recovery of stopped recordings without a window, for a lab that
// manages its data by script. First finishes (or undoes) the pairs of
// two-start record files that a stopped recording left half written. Then
// each journal left behind in the experiment's folder is saved as the
// program offers to at start-up (TRecuperacao): its record file paths on
// out, one a line, and the journal is removed. --list saves nothing: one
// line per journal on out, "<journal>\t<identification>\t<recorded
// mm:ss>\t<session mm:ss>\t<dd/MM/yyyy HH:mm of the stop>", or
// "<journal>\tin use" for a journal a running session holds.
//
// A damaged journal is named on err with what is wrong and kept; the exit
// status is then 1, as for any other error. Exit 0 otherwise (also when
// there is nothing to recover).
int ComandoRecuperar(const QStringList &args, QTextStream &out, QTextStream &err);

extern const char *const UsoComandoRecuperar;
