#pragma once

#include <QMap>
#include <QString>

class TExperimento;

// The user's four behaviour catalogues ("Comp1" to "Comp4" of the profile;
// key n = the behaviour on the letter with code 64 + n) as the catalogue
// window loads, edits and saves them.
//
// Behaviour names end up as INI values and as a column of tab-separated
// record files, where "ENTRADA" marks square entries: a name keeps no
// control character (tab, line break), no character Windows-1252 cannot
// hold, no "=" at its start, and is held in capitals.
namespace Catalogo {

constexpr int Quantidade = 4;
constexpr int Letras = 26;

// "Comp" + n.
QString Nome(int n);
// 1 to 4 for the exact names "Comp1" to "Comp4", else 0 (no catalogue).
int Numero(const QString &compTipo);

// Makes catalogue n the current experiment's, in memory only: its
// catalogue name and the 26 names as the profile holds them (missing keys
// empty). Nothing is written.
void Carregar(const QString &arquivoPerfil, int n, TExperimento &experimento);

// A behaviour name as its field keeps it: letters in capitals (a letter
// whose capital Windows-1252 cannot hold stays as typed), the refused
// characters dropped. The cursor position *posicao (when given) follows
// the characters before it.
QString Normalizar(const QString &texto, int *posicao = nullptr);

enum class TResultado {
    Salvo,
    SemCatalogo,   // no catalogue chosen
    NomeReservado, // a ticked letter is named "ENTRADA", the tag of square entries
    NomeRepetido   // two ticked letters share a name: their rows could not be told apart
};

// Saves catalogue n for the current experiment: the ticked letters
// (position 1 to 26 -> name, names as Normalizar keeps them) replace the
// whole catalogue and the experiment's "CompTipo" names it, in one profile
// write (Perfil::SalvarComportamentos). Then the experiment holds the
// catalogue in memory and, when configured, is loaded again from the file.
// A refusal writes nothing and leaves *nome naming the offending behaviour.
// Throws TErro when the profile cannot be written: the file and the
// experiment in memory are then unchanged.
TResultado Salvar(const QString &arquivoPerfil, TExperimento &experimento, int n,
                  const QMap<int, QString> &marcados, QString *nome = nullptr);

} // namespace Catalogo
