#pragma once

#include <QString>
#include <QStringList>

// The maze library file "Labirintos.ini" as a list of mazes: one section of
// geometry keys per maze, and the index section "LABIRINTOS" whose key
// "Labirintos" holds every name followed by "/" in order of creation and
// whose key "Qde" says how many of them the pick lists show.
namespace BibliotecaLabirintos {

// Outcome of adding a user arena.
enum class TResultadoArena {
    Criada,          // section written and index extended
    TamanhoInvalido, // columns or rows outside 1 to 15: nothing written
    JaExiste,        // a maze of that name is in the library already: nothing written
    ListaCheia       // the index list would grow past the 2047 characters a settings
                     // value can hold (the last names would be lost): nothing written
};

// Largest number of columns and of rows of a user arena.
constexpr int MaximoArena = 15;

// "ARENA (" + colunas + "x" + linhas + ")".
QString NomeArena(int colunas, int linhas);

// The names the pick lists show: "Qde" (default 1) names taken in order
// from "Labirintos", each up to the next "/". A list shorter than "Qde"
// gives the names it has; a last name without its "/" still counts; empty
// names (as in "//") are skipped; "Qde" of 0 or less gives none.
QStringList ListarLabirintos(const QString &arquivoLabirintos);

// Every name in "Labirintos", whatever "Qde" says (same splitting rules).
QStringList TodosOsNomes(const QString &arquivoLabirintos);

// True when the library has a section of that name or lists it in its index
// (names compared without regard to letter case, like section names).
bool Existe(const QString &arquivoLabirintos, const QString &nome);

// Adds the open field of colunas x linhas squares: sets, in this order,
// "QuadradosEmX", "QuadradosEmY", "BracoQuadrante1" to "BracoQuadrante4",
// "ComprimentoDoBraco", "TemQuadradoCentral", "TemCentro", "Desloca" in the
// new section (its closed-arm band is a frame around the whole field), then
// appends the name and "/" to "Labirintos" and sets "Qde" + 1 ("Qde" read
// with default 1); all of it reaches the file in one write. The name is left
// in *nome when given. Throws TErro("Unable to write to <file>") when the
// library cannot be written (the file is then unchanged); a read-only
// library or a missing folder is refused even when the list is full.
TResultadoArena CriarArena(const QString &arquivoLabirintos, int colunas, int linhas,
                           QString *nome = nullptr);

} // namespace BibliotecaLabirintos
