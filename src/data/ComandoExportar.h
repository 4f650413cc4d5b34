#pragma once

#include <QStringList>
#include <QTextStream>

// trevalin-cli export --out FILE [--force] RECORD
//
// Exports one record file to a spreadsheet exactly as the record viewer
// does, with the same name rule (a trailing ".xls"/".XLS" is dropped, then
// the name ends in ".XLS" unless it already ends in ".xls" in some case).
// An existing output is left untouched unless --force is given, in which
// case it is replaced in one step. The written file is read-only.
// On success prints the final path and returns 0; on any failure prints why
// on `err`, writes nothing and returns 1.
int ComandoExportar(const QStringList &args, QTextStream &out, QTextStream &err);

// The usage line of the command.
extern const char *const UsoComandoExportar;
