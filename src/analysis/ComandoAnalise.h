#pragma once

#include <QStringList>
#include <QTextStream>

// trevalin-cli analyse --data DIR --user USER --experiment EXP --kind KIND
//                      --out FILE [--force] --group NAME=FILE[,FILE...] [--group ...]
//
// Runs one analysis of the user's experiment, as the analysis window does,
// over the groups given (in that order; files are names in the experiment's
// folder, with or without ".tvl"). KIND is compacta, compacta-braco,
// quadrado, compacta-minuto, compacta-braco-minuto or quadrado-minuto; the
// maze is the experiment's. The output gets the extension ".XLS" and is
// read-only.
//
// Exit status: 0 on success, with the final path on `out`; 1 when the
// analysis cannot be made (no such analysis for the maze, the output exists
// and --force was not given, too many groups or files, a missing or damaged
// record, a sheet too large) or the command line is malformed, with a
// message on `err` and no file written.
int ComandoAnalise(const QStringList &args, QTextStream &out, QTextStream &err);

extern const char *const UsoComandoAnalise;
