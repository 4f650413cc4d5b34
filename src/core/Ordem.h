#pragma once

#include <QStringList>

// Alphabetical order as people read it, the same on every machine: letter
// case and accents do not move a name (Álvaro comes before Ana, a1 before
// B7). Names that differ only in case or accents keep a fixed order. Used by
// the lists of users and of experiments.
void OrdenarNomes(QStringList &nomes);
