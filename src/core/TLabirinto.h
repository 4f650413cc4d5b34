#pragma once

#include "core/TDesenho.h"
#include "core/TFormaLabirinto.h"
#include "core/TStatus.h"

#include <QString>

#include <vector>

class TInteracao;

// The current maze: its geometry as loaded from the maze library
// "Labirintos.ini" in the data directory, the square mask that tells which
// squares exist, and the drawing geometry and picture. What a recording
// changes as it runs (the animal's square, the pauses, the recorders) is the
// session's (TEstadoGravacao), not the maze's.
//
// Squares are addressed by 1-based column c (left to right) and row r (top
// to bottom). A square's name is its column letter (code 64 + c, "A" for
// column 1) followed by its row number ("F6", "G13").
//
// Order of use: CarregarDoArquivo, then Desenhar (which rebuilds the mask and
// sets the drawing geometry), then moves and clicks. A maze that is not
// Desenhavel() must not be drawn for recording: Desenhar then gives only the
// background and a mask without squares, so every move and click is refused.
class TLabirinto {
public:
    // Largest number of columns or rows a drawable maze may have: columns
    // are named by one letter, A to Z.
    static constexpr int MaximoQuadrados = 26;

    // diretorio: the data directory, ending with "/".
    explicit TLabirinto(const QString &diretorio);

    // --- Geometry, loaded by CarregarDoArquivo (library key and default in brackets).
    int QuadradosEmX = 0;       // columns X ["QuadradosEmX", 0]
    int QuadradosEmY = 0;       // rows Y ["QuadradosEmY", 0]
    int BracoQuadrante1 = 0;    // 1 = west arm closed ["BracoQuadrante1", 1]
    int BracoQuadrante2 = 0;    // 1 = north arm closed ["BracoQuadrante2", 1]
    int BracoQuadrante3 = 0;    // 1 = east arm closed ["BracoQuadrante3", 1]
    int BracoQuadrante4 = 0;    // 1 = south arm closed ["BracoQuadrante4", 1]
    int ComprimentoDoBraco = 0; // arm length L in squares ["ComprimentoDoBraco", 6]
    int TemQuadradoCentral = 0; // 1 = a centre square between opposite arms ["TemQuadradoCentral", 1]
    int TemCentro = 0;          // 1 = the horizontal arm lies L rows down ["TemCentro", 1]
    int Desloca = 0;            // thickness of the closed-arm bands in squares ["Desloca", 1]
    // A square of the library's own ["MascaraX", 7], ["MascaraY", 7]. A
    // recording never starts there: it always takes the experiment's start.
    int MascaraX = 0;
    int MascaraY = 0;

    // --- Drawing geometry, set by Desenhar (pixels of the 385 x 385 drawing).
    int TamanhoQuadrado = 0; // side s of a square; 0 while nothing is drawable
    int OrigemX = 0;         // left edge x0 of column 1
    int OrigemY = 0;         // top edge y0 of row 1

    // Square mask, rebuilt by Desenhar: Grade[c][r] is 1 when square (c, r)
    // exists, else 0. X + 2 columns by Y + 2 rows (X and Y taken within 0 to
    // MaximoQuadrados); column 0, column X + 1, row 0 and row Y + 1 are 0, so
    // one step off any existing square still reads inside the array.
    std::vector<std::vector<quint8>> Grade;

    // The picture as last drawn; the session window shows it.
    TDesenho Imagem;

    QString Diretorio; // data directory, ending with "/"

    // Diretorio + "Labirintos.ini".
    QString ArquivoLabirintos() const;

    // Loads the maze of that name from the library. A missing section (or
    // missing keys) gives the defaults, so X = Y = 0 for an unknown name.
    // When the library file does not exist, shows the language file's text
    // "UnitUsuario" / "TLabirintoCarregarDoArquivo" through interacao (when
    // given), leaves every field as it was and returns false.
    bool CarregarDoArquivo(const QString &nome, const QString &arquivoIdioma,
                           TInteracao *interacao);

    // The geometry above as one line of twelve numbers (X, Y, the four
    // arms, L, centre square, centre, bands, MascaraX, MascaraY): what a
    // recording's journal keeps of its maze.
    QByteArray Geometria() const;
    // Takes a line of Geometria() and keeps it: CarregarDoArquivo then
    // reads nothing and returns true, so a recording replayed later meets
    // the maze it was made on, whatever became of the library since. False
    // (and nothing changed) unless the line is twelve whole numbers.
    bool FixarGeometria(const QByteArray &linha);

    // True when the loaded geometry can be drawn and recorded: 1 to
    // MaximoQuadrados columns and rows.
    bool Desenhavel() const;

    // Draws the maze loaded last, under the given name's kind, into Imagem
    // (or the given picture): rebuilds Grade, sets TamanhoQuadrado, OrigemX,
    // OrigemY. Background, then the
    // closed-arm bands, then one white square with a 4-pixel black outline
    // per existing square. A maze that is not Desenhavel() gives the
    // background alone, an all-zero mask and s = x0 = y0 = 0.
    void Desenhar(const QString &nome);
    void Desenhar(TDesenho &imagem, const QString &nome);

    // Rebuilds Grade for the kind of the name (part of Desenhar): marks the
    // squares TFormaLabirinto lays out for the kind on this geometry.
    void MontarGrade(const QString &nome);

    // True when (coluna, linha) is an existing square; any other pair,
    // however far outside the grid, is simply false.
    bool Existe(int coluna, int linha) const;

    // Fills square (coluna, linha) of Imagem; its outline stays black.
    // False when the square is not in the picture (not an existing square).
    bool PintarQuadrado(int coluna, int linha, const TCor &cor);

    // Rectangle of square (coluna, linha) with the current drawing geometry:
    // (x0 + s(c-1), y0 + s(r-1)) to (x0 + s c, y0 + s r).
    TRetangulo RetanguloQuadrado(int coluna, int linha) const;

    // The two closed-arm bands with the current geometry and flags. A band
    // whose pair of flags is 0, 0 has no area and is left out of the picture.
    TRetangulo FaixaHorizontal() const;
    TRetangulo FaixaVertical() const;

    // The existing square that contains the point (x, y) of the drawing
    // (unscaled, 0 to 385; see TDesenho::ParaDesenho for a stretched
    // picture). A point belongs to the square whose rectangle holds it, left
    // and top edges included, right and bottom edges excluded; the outlines
    // do not matter. A point outside every existing square gives false and
    // leaves *coluna and *linha untouched.
    bool QuadradoDoClique(double x, double y, int *coluna, int *linha) const;

    // Kind by the start of the name ("CRUZ", "EM I", "EM T", "ARENA"; exact
    // case), as TFormaLabirinto reads it.
    static TTipoLabirinto TipoDoNome(const QString &nome) { return TFormaLabirinto(nome).Tipo(); }

    // "A" for column 1 ... "Z" for column 26; empty outside 1 to 26.
    static QString LetraColuna(int coluna);
    // Row number in decimal without leading zeros.
    static QString NumeroLinha(int linha);
    // LetraColuna + NumeroLinha ("J1", "G13").
    static QString NomeQuadrado(int coluna, int linha);

    // Nearest integer, halves to the even neighbour (38.5 gives 38).
    static int ArredondarPar(double valor);

    // Drawing geometry of X columns and Y rows: n = max(X, Y);
    // s = Round(385 / n) - 3; x0 = Round((386 - s X) / 2); y0 = Round((386 - s Y) / 2).
    // False (and zeros) when X or Y is not within 1 to MaximoQuadrados.
    static bool CalcularGeometria(int x, int y, int *s, int *x0, int *y0);

private:
    bool m_geometriaFixa = false;
    void marcar(int coluna, int linha);
};
