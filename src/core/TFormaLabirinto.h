#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

// Kind of a maze, decided by the start of its name (letter case counts).
enum class TTipoLabirinto {
    Cruz,        // "CRUZ...": plus-shaped cross maze
    EmI,         // "EM I...": one row split into two halves
    EmT,         // "EM T...": bar of 11 squares on row 1, stem of 5 below column 6
    Arena,       // "ARENA...": every square of the rectangle (user-made mazes too)
    Desconhecido // anything else: no squares at all
};

// The regions a square of a built-in maze lies in, one bit each.
enum TRegiao : quint16 {
    RBracoAberto = 1u << 0,    // cross: open arm (vertical arm without the centre)
    RBracoNorte = 1u << 1,     // cross: open arm above the centre
    RBracoOeste = 1u << 2,     // cross: closed arm left of the centre
    RCentro = 1u << 3,         // cross: the crossing square
    RExtremidade = 1u << 4,    // cross: an arm's end
    RCentroArena = 1u << 5,    // 6 x 6 arena: the four middle squares
    RPeriferiaArena = 1u << 6, // 6 x 6 arena: the squares along the walls
    RCantoArena = 1u << 7,     // 6 x 6 arena: the corners
    RBracoAbertoI = 1u << 8,   // I maze: open half (the higher letters)
    RExtremidadeI = 1u << 9,   // I maze: an end
};

// What a maze's name says about it: its kind, whether it is one of the
// built-in mazes the analyses know, the squares of its kind and, for a
// built-in maze, its square list and the regions of its squares. The one
// place where names are read for these; the maze object (drawing and mask),
// the analyses and their reader all ask it.
//
// Built-in mazes, by exact name: "CRUZ (3)", "CRUZ (5)", "CRUZ (6)" (cross
// of 3, 5, 6 squares per arm), "EM I (3)", "EM I (5)" (I maze of two halves
// of 3, 5), "EM T (5)", "ARENA (4x4)", "ARENA (6x6)". Regions exist for the
// crosses, the I mazes and the 6 x 6 arena only.
//
// Cheap to make and to copy: the built-in tables are built once per program.
class TFormaLabirinto {
public:
    explicit TFormaLabirinto(const QString &nome);

    const QString &Nome() const { return m_nome; }

    // Kind by the start of the name ("CRUZ", "EM I", "EM T", "ARENA"; exact
    // case): what the maze is drawn and recorded as.
    TTipoLabirinto Tipo() const { return m_tipo; }
    // Kind when the name is the kind's word followed by one character and
    // "(" (as "CRUZ (5)": the text up to two characters before the first
    // "("); Desconhecido otherwise ("CRUZ" alone, "CRUZX (5)"). The
    // analysis window offers its kinds by this reading.
    TTipoLabirinto TipoDaPalavra() const;

    // One of the eight built-in names, exactly.
    bool Embutido() const { return m_embutido != nullptr; }
    // A built-in maze whose squares fall in regions (crosses, I mazes, the
    // 6 x 6 arena).
    bool TemRegioes() const;
    // The regions (TRegiao bits) square `quadrado` lies in; 0 for a square
    // the maze does not have and for a maze without regions.
    quint16 Regioes(const QString &quadrado) const;

    // A built-in maze with a square list of its own: the crosses, the I
    // mazes and the T maze (arenas get theirs from their size).
    bool TemListaPropria() const;
    // That list (empty for any other name): a cross lists its vertical arm
    // top to bottom, then its horizontal arm left to right without the
    // centre; an I maze A1 onwards; the T maze its top row, then its stem.
    QStringList Quadrados() const;

    // Columns and rows of a name of the form "ARENA (CxR)"; false when the
    // name is not of that form or a size lies outside 1..255.
    bool DimensoesArena(int *colunas, int *linhas) const;
    // Square names of an arena, row by row: A1 B1 ... then A2 ...; column c
    // is the character of code 64 + c.
    static QStringList QuadradosArena(int colunas, int linhas);

    // Squares (column, row; 1-based) of this kind laid out on `colunas` x
    // `linhas` with the horizontal arm `temCentro` rows down, in list order:
    // - cross: column Round((X - TC) / 2 + TC) top to bottom, then row
    //   Round((Y - TC) / 2 + TC) left to right without the crossing square
    //   (Round: halves to the even neighbour);
    // - I maze: row 1, columns 1 to X;
    // - T maze: row 1, columns 1 to 11, then column 6, rows 2 to 6, whatever
    //   X and Y are;
    // - arena: row by row, every square of X by Y;
    // - unknown kind: none.
    // Squares may fall outside X by Y (a T maze stored smaller, a cross with
    // an absurd TemCentro); the caller keeps the ones it can hold.
    QList<QPoint> Posicoes(int colunas, int linhas, int temCentro) const;

    struct TEmbutido; // one row of the built-in table

private:
    QString m_nome;
    TTipoLabirinto m_tipo;
    const TEmbutido *m_embutido;
};
