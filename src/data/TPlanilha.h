#pragma once

#include "core/TGravacao.h"
#include "core/TResultado.h"

#include <QFlags>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// How the rows of a sheet read as a table: which rows are titles, where the
// behaviour, the measure, the minute and the region of each value are found.
// The sheet layouts describe themselves with it; the tidy CSV writer turns
// every value cell into one observation with it, the .xlsx writer freezes
// the title rows. Columns and rows are 1-based; 0 means "none".
struct TFormaTabela {
    enum Tipo {
        Valores, // one value per cell beyond the keys (the analyses)
        Eventos, // one event per row, the title row naming the columns (export)
    };
    Tipo Disposicao = Valores;
    int LinhasTitulo = 0;        // rows above the first data row
    int ColunaPosicao = 0;       // the record's position in its group
    int ColunaRegistro = 0;      // the record's name
    int ColunaComportamento = 0; // in data rows, when a row holds one behaviour
    int LinhaComportamento = 0;  // title row naming each value column's behaviour
    int ColunaMedida = 0;        // in data rows, when a row holds one measure
    int LinhaMedida = 0;         // title row naming each value column's measure
    int ColunaMinuto = 0;        // "MIN: n" in per-minute sheets
    QList<int> LinhasRegiao;     // title rows naming each value column's region
    int PrimeiraColunaValor = 0; // values from this column on
    QStringList NomesColunas;    // Eventos: the CSV's names of columns 1, 2, ...
};

// One sheet as the analyses and the record export fill it: cells by row and
// column (1-based), text or number, then one save under a final name. The
// classic .xls (TPlanilhaXLS), the .xlsx and the tidy CSV are its formats;
// the sheet layouts write to this interface only, so every format gets the
// same cells at the same positions.
//
// Save options and rules are the same for every format: the file is saved
// through TGravacao (temporary file beside the target, then one rename), an
// existing writable file is replaced unless GravNovo is given, a read-only
// one only with GravSubstituir, and GravSomenteLeitura makes the result
// read-only.
class TPlanilha {
public:
    enum Formato { Xls, Xlsx, Csv };
    enum OpcaoGravacao {
        GravNormal = 0x0,
        // Replace the target even when it is read-only (the user agreed).
        GravSubstituir = 0x1,
        // The saved file has no write permission bits (analysis outputs).
        GravSomenteLeitura = 0x2,
        // Never replace a file: the caller found none and asked no one, so a
        // file that appeared meanwhile is refused. Wins over GravSubstituir.
        GravNovo = 0x4,
    };
    Q_DECLARE_FLAGS(OpcoesGravacao, OpcaoGravacao)

    virtual ~TPlanilha() = default;

    // A new, empty sheet writer of that format.
    static std::unique_ptr<TPlanilha> Criar(Formato formato);
    // The format an output name asks for: ".xlsx" and ".csv" (any case)
    // their own, anything else the classic .xls.
    static Formato FormatoDoNome(const QString &nome);
    // "xls", "xlsx", "csv".
    static bool FormatoDoTexto(const QString &texto, Formato *formato);
    static QString TextoDoFormato(Formato formato);

    // The file types of the save dialogs, one per format (Formato order):
    // the window's own type for the .xls, then ".xlsx" and ".csv" (no
    // words, so that no language needs its own).
    static QStringList FiltrosDialogo(const QString &filtroXls);
    // The name a save dialog returned with the file type picked (its index
    // in FiltrosDialogo): a name ending in none of the three extensions
    // gets the type's, except for the .xls, whose writer adds its own.
    static QString NomeDoDialogo(const QString &nome, qsizetype filtro);

    virtual Formato formato() const = 0;

    // The name the writer's rule makes of `nome` (its extension forced), so
    // that a caller can test whether the final file exists beforehand.
    virtual QString NomeArquivo(const QString &nome) const = 0;
    QString FileName() const { return m_nomeArquivo; }
    // Applies NomeArquivo.
    void setFileName(const QString &nome);

    // Largest row and column a sheet of the format holds.
    virtual qint64 MaxLinhas() const = 0;
    virtual qint64 MaxColunas() const = 0;
    bool Comporta(qint64 linhas, qint64 colunas) const {
        return linhas >= 0 && linhas <= MaxLinhas() && colunas >= 0 && colunas <= MaxColunas();
    }

    // Begins a new document (discarding the current one).
    virtual void StartSheet() = 0;
    // A cell at (linha, coluna). Throws TErro for a cell outside the sheet;
    // nothing is kept then.
    virtual void WriteCell(int linha, int coluna, const QString &texto) = 0;
    virtual void WriteCell(int linha, int coluna, double valor) = 0;
    virtual void WriteCell(int linha, int coluna, quint16 valor) = 0;
    // Fixed titles: the text is UTF-8 (the source files' encoding). A
    // format may take plain ASCII without building a string.
    virtual void WriteCell(int linha, int coluna, const char *texto) {
        WriteCell(linha, coluna, texto ? QString::fromUtf8(texto) : QString());
    }
    virtual void EndSheet() = 0;
    // Writes the document to FileName. Throws TErro naming the file when it
    // cannot be written; the old file is then untouched.
    virtual void SaveSheet(OpcoesGravacao opcoes = GravNormal) = 0;
    // Builds a document and saves it in one step: `preencher` starts the
    // document, writes its cells and ends it; the document is then saved to
    // FileName as SaveSheet saves it (same options, same rules, same
    // messages). Here the document is built whole, then saved; a format may
    // instead send the document to the temporary file of the save as it
    // grows, and then keeps nothing of it once saved. Whatever `preencher`
    // throws leaves the target as it was and reaches the caller unchanged;
    // the save's own failure is thrown as SaveSheet throws it, after
    // `preencher` has run to its end.
    virtual void GerarEGravar(const std::function<void()> &preencher,
                              OpcoesGravacao opcoes = GravNormal) {
        preencher();
        SaveSheet(opcoes);
    }

    // What the formats beyond the classic one make use of; the .xls ignores
    // them. The sheet's name (the analysis kind, the record).
    virtual void setNomeFolha(const QString &) {}
    // The table's shape, given before the first cell.
    virtual void setForma(const TFormaTabela &) {}
    // Rows from `primeiraLinha` on hold the records of the group `nome`.
    virtual void Grupo(int /*primeiraLinha*/, const QString & /*nome*/) {}

protected:
    QString nomeParaMensagem() const;
    // Throws the TErro of a failed save ("Cannot create file ...").
    void conferirGravacao(const TResultado &r) const;
    static TGravacao::Modo modoDe(OpcoesGravacao opcoes);

    QString m_nomeArquivo;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TPlanilha::OpcoesGravacao)
