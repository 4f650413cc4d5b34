#pragma once

#include <QString>
#include <QStringList>

// The user's experiments as the profile file lists them (section
// "Experimentos": "QdeExp" names under the keys "1" to "QdeExp"), read for
// the experiment list and the new-experiment dialog. Reads never fail: a
// missing profile has no experiments.
namespace Experimentos {

// Most entries a list shows: a damaged "QdeExp" (two thousand million, say)
// must not make the list try to hold that many lines.
constexpr int MaximoListado = 10000;

// The names under keys 1 to "QdeExp" (default 0; at most MaximoListado), a
// missing key giving an empty name, sorted alphabetically without regard to
// letter case or accents (OrdenarNomes).
QStringList Listar(const QString &arquivoPerfil);

// True when a listed experiment has this name without regard to letter
// case: the name is also a section and a folder name.
bool EmUso(const QString &arquivoPerfil, const QString &nome);

} // namespace Experimentos
