#pragma once

#include "TPlanilha.h"

#include <QByteArray>
#include <QString>

// Version written into the BOF record's identifier.
enum TxlsBIFFVersion : quint8 { bvBIFF2, bvBIFF3, bvBIFF4, bvBIFF5 };
enum TxlsAlignment : quint8 { eaGeneral, eaLeft, eaRight, eaCenter, eaFill, eaMultiPlan };
enum TxlsBorders : quint8 { ebTop, ebBottom, ebLeft, ebRight };
// Set of TxlsBorders: bit n set when border n is in the set.
using TxlsBorderSet = quint8;
constexpr TxlsBorderSet xlsBorda(TxlsBorders b) {
    return static_cast<TxlsBorderSet>(1u << b);
}
enum TxlsMoveAfterEnter : quint8 { maNone, maUp, maDown, maLeft, maRight };

// Writes one worksheet in the binary spreadsheet format (BIFF): a BOF record
// whose identifier follows the BIFF setting, one DIMENSIONS record, cell
// records of the oldest kind (LABEL, NUMBER, INTEGER) and an EOF record.
// Every analysis and the record export produce their ".xls" files through it.
//
// The whole document is built in memory (Conteudo) and written to disk only
// by SaveSheet; GerarEGravar instead sends it to the save's temporary file in
// pieces of a fixed buffer as the cells come (the analyses' sheets run to
// tens of megabytes), so that no buffer grows to the whole document. A new writer already holds BOF
// and DIMENSIONS; StartSheet or a change of BIFF discards the document and starts again; after
// EndSheet the next cell (or a second EndSheet) also starts a new document.
//
// Promises beyond the bare format:
// - A cell outside the sheet (row above 65535, column above 256, negative
//   index) is refused with TErro before anything is appended; callers check
//   the planned size first with Cabe / ConferirTamanho.
// - Labels are Windows-1252, one byte per character; a character the code
//   page lacks is written as '?'. A label longer than 255 characters (the
//   format's limit) is cut to its first 255 characters: a long file or user
//   name then reads shortened in its cell instead of stopping a whole
//   analysis. TextoCabe tells whether a text fits whole.
// - SaveSheet saves through TGravacao: never a half-written file, and a
//   failed save leaves the old file (and its read-only mark) as it was. An
//   existing writable file is replaced unless GravNovo is given; a read-only
//   one only with GravSubstituir (the caller asked the user), and
//   GravSomenteLeitura makes the new file read-only before it takes the
//   target's name.
class TPlanilhaXLS : public TPlanilha {
public:
    static constexpr int UltimaLinha = 65535;
    static constexpr int UltimaColuna = 256;
    static constexpr int MaxTexto = 255;

    TPlanilhaXLS();
    ~TPlanilhaXLS() override = default;

    Formato formato() const override { return Xls; }
    QString NomeArquivo(const QString &nome) const override { return NomeFinal(nome); }
    qint64 MaxLinhas() const override { return UltimaLinha; }
    qint64 MaxColunas() const override { return UltimaColuna; }

    // Properties. A write the rules do not accept leaves the value unchanged.
    quint8 ActiveFont() const { return m_fonteAtiva; }
    void setActiveFont(quint8 fonte); // only up to the font count, which stays 0
    TxlsAlignment Alignment() const { return m_alinhamento; }
    void setAlignment(TxlsAlignment a) {
        m_alinhamento = a;
        m_atributosProntos = false;
    }
    TxlsBIFFVersion BIFF() const { return m_biff; }
    void setBIFF(TxlsBIFFVersion v); // a change restarts the document
    TxlsBorderSet Borders() const { return m_bordas; }
    void setBorders(TxlsBorderSet b) {
        m_bordas = b & 0x0F;
        m_atributosProntos = false;
    }
    // FileName / setFileName: the extension ".XLS" is forced (NomeFinal).
    int Row() const { return m_linha; }
    void setRow(int linha); // 1 .. UltimaLinha
    int Column() const { return m_coluna; }
    void setColumn(int coluna); // 1 .. UltimaColuna
    TxlsMoveAfterEnter MoveAfterEnter() const { return m_mover; }
    void setMoveAfterEnter(TxlsMoveAfterEnter m) { m_mover = m; }
    bool Shading() const { return m_sombreado; }
    void setShading(bool s) {
        m_sombreado = s;
        m_atributosProntos = false;
    }
    bool Hidden() const { return m_oculto; }
    void setHidden(bool h) {
        m_oculto = h;
        m_atributosProntos = false;
    }
    bool Locked() const { return m_travado; }
    void setLocked(bool t) {
        m_travado = t;
        m_atributosProntos = false;
    }
    QString Version() const; // "1.23"
    void setVersion(const QString &) {}

    // Begins a new document (discarding the current one).
    void StartSheet() override;
    // Writes a cell at (linha, coluna), 1-based; 0 keeps the cursor's row or
    // column. The cursor then moves as MoveAfterEnter says. Throws TErro for
    // a cell outside the sheet; nothing is appended then.
    using TPlanilha::WriteCell;
    void WriteCell(int linha, int coluna, const QString &texto) override;
    void WriteCell(int linha, int coluna, double valor) override;
    void WriteCell(int linha, int coluna, quint16 valor) override;
    void WriteCell(int linha, int coluna, const char *texto) override;
    void EndSheet() override;
    // Writes the document to FileName, creating or replacing the file; the
    // document stays as it is. Throws TErro naming the file when it cannot
    // be written; the old file is then untouched.
    void SaveSheet(OpcoesGravacao opcoes = GravNormal) override;
    // Sends the document to the save's temporary file as `preencher` writes
    // it, in pieces of at most TamanhoPedaco bytes, and saves it. The bytes
    // saved are the ones SaveSheet would save. Afterwards (success or not)
    // the writer holds a new document (BOF and DIMENSIONS). A write that
    // fails midway lets `preencher` run on (its own errors come first, as
    // with SaveSheet) and the save then fails with the system's reason.
    void GerarEGravar(const std::function<void()> &preencher,
                      OpcoesGravacao opcoes = GravNormal) override;
    static constexpr qsizetype TamanhoPedaco = 256 * 1024;

    // The document as it would be saved (during GerarEGravar, only the part
    // not yet sent to the file).
    const QByteArray &Conteudo() const;

    // The name the FileName rule makes of `nome`, so that a caller can test
    // whether the final file exists before anything is written.
    static QString NomeFinal(const QString &nome);
    // True when cells up to row `linhas` and column `colunas` fit the sheet.
    static bool Cabe(qint64 linhas, qint64 colunas);
    // Throws TErro naming FileName when such a sheet does not fit.
    void ConferirTamanho(qint64 linhas, qint64 colunas) const;
    // True when the text fits a label whole (at most 255 characters).
    static bool TextoCabe(const QString &texto);

protected:
    // Empties the document and writes BOF and DIMENSIONS (state open).
    virtual void WriteBOF();
    // Appends the EOF record (state closed).
    virtual void WriteEOF();

private:
    enum Estado : quint8 { Criado, Aberto, Fechado };

    void cabecalhoRegistro(quint16 id, quint16 tamanho);
    void celula(int linha, int coluna, quint16 id, const char *valor, int tamanho);
    void moverCursor();
    // The three attribute bytes of a cell.
    void atributos(char *a) const;
    void put16(quint16 v);

    // Room for n more bytes at the end of the document.
    char *anexar(qsizetype n);
    // Room when the buffer is full: sends it to the file, or grows it.
    void abrirEspaco(qsizetype n);
    // Sends the buffered bytes to the file of GerarEGravar.
    void despejar();

    // The document is m_fluxo's first m_usado bytes; the buffer beyond them
    // is room to grow into (Conteudo cuts it off).
    mutable QByteArray m_fluxo;
    qsizetype m_usado = 0;
    TxlsBIFFVersion m_biff = bvBIFF5;
    Estado m_estado = Criado;
    quint16 m_primeiraLinha = 0;
    quint16 m_ultimaLinha = 0xFFFF;
    quint16 m_primeiraColuna = 0;
    quint16 m_ultimaColuna = 0x0100;
    int m_linha = 1;
    int m_coluna = 1;
    quint8 m_qdeFontes = 0;
    quint8 m_fonteAtiva = 0;
    TxlsMoveAfterEnter m_mover = maRight;
    bool m_sombreado = false;
    TxlsBorderSet m_bordas = 0;
    TxlsAlignment m_alinhamento = eaGeneral;
    bool m_oculto = false;
    bool m_travado = true;
    qint32 m_versao = 0x0117;
    // The three attribute bytes, made again after a property changes.
    char m_atributos[3] = {};
    bool m_atributosProntos = false;
    // During GerarEGravar: the temporary file, how much of the document it
    // already holds, and the first write error (0 when none).
    int m_destino = -1;
    qint64 m_despejados = 0;
    int m_erroDestino = 0;
};
