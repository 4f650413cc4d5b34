#pragma once

#include "data/TPlanilhaXLS.h"

#include <QList>
#include <QString>
#include <QStringList>

class TInteracao;

// One row of the viewer's table: the caption and its six sub-items, as text
// exactly as the record file holds them.
struct TLinhaVisualizada {
    QString Posicao;       // caption
    QString Comportamento; // sub-item 1
    QString Inicio;        // sub-item 2
    QString Fim;           // sub-item 3
    QString Duracao;       // sub-item 4
    QString Minuto;        // sub-item 5
    QString Frequencia;    // sub-item 6
    int linha = 0;         // line of the file (1-based), for messages
};

// The record viewer's model: one record file as the viewer shows it (title,
// header lines and one table row per data line) and its export to a
// spreadsheet. The viewer window fills its table from Linhas() and calls
// Exportar with the name the user picked; the command-line tool does the
// same without a window.
//
// Loading never judges the content: any file is read by the same rules, so
// the user can look at a damaged file. Exporting does judge it:
// - a file cut short before its column-title line, a time that is not a
//   whole number, a minute or frequency that is not a whole number from 0 to
//   65535, or more rows than a sheet holds stops the export with a message
//   naming the file and the line; nothing is written;
// - the spreadsheet is built whole in memory before the question about an
//   existing file is asked, and a replaced file is replaced in one step, so
//   a failed export leaves any old file as it was.
class TVisualizacao {
public:
    enum Resultado {
        Salva,          // the spreadsheet was written
        NaoSubstituida, // a file of that name exists and the answer was No
        Falhou,         // a message said why; nothing was written
    };

    // Lines before the rows: line 1 the title, lines 2 to 9 the header
    // lines, line 10 the column titles.
    static constexpr int LinhasCabecalho = 9;
    static constexpr int PrimeiraLinhaDados = 11;
    // Sheet rows above the records: title, eight header rows, column titles.
    static constexpr int LinhasAntesDosDados = 10;
    static constexpr int Colunas = 7;
    // Most rows a record may have to fit one .xls sheet.
    static constexpr int MaxLinhas = TPlanilhaXLS::UltimaLinha - LinhasAntesDosDados;

    static const QString PerguntaSobrescrever;
    static const QString MensagemSalva;

    // Reads the record file. Throws TErro naming the file when it cannot be
    // opened or read; the model is then empty (Carregado() false) but keeps
    // the path and the reason, which Exportar reports.
    void CarregarDados(const QString &caminho);
    // Forgets the loaded file (a folder was selected).
    void Limpar();

    bool Carregado() const { return m_carregado; }
    const QString &Arquivo() const { return m_arquivo; } // full path
    QString Titulo() const;                              // line 1
    // Lines 1 to 9 as read (fewer when the file is shorter).
    const QStringList &Cabecalho() const { return m_cabecalho; }
    // Number of lines of the file.
    int QdeLinhasArquivo() const { return m_qdeLinhas; }
    // One row per line from line 11 on.
    const QList<TLinhaVisualizada> &Linhas() const { return m_linhas; }

    // Name offered in the save dialog for a file shown as `nomeArquivo`:
    // the name without its extension, followed by ".xls".
    static QString NomeProposto(const QString &nomeArquivo);
    // The file an export to the picked name writes: a trailing ".xls" or
    // ".XLS" is dropped, then the writer's rule gives the name ".XLS" unless
    // it ends in ".xls" in any other case.
    static QString NomeExportacao(const QString &escolhido);
    // The same for the writer's format: the rule above for the .xls, the
    // writer's own (its extension forced) for the others.
    static QString NomeExportacao(const QString &escolhido, const TPlanilha &planilha);

    // Builds the sheet of the loaded record in `planilha` (StartSheet to
    // EndSheet), named after the record, shaped as one event per row.
    // Throws TErro naming the file and the line when the record cannot be
    // exported (more rows than the writer's sheet holds below the header
    // included); every row is checked before the first cell is written.
    void MontarPlanilha(TPlanilha &planilha) const;

    // Exports the loaded record to the picked name: builds the sheet, asks
    // before replacing an existing file (PerguntaSobrescrever), saves, and
    // says MensagemSalva. Every failure is told through `interacao`.
    // `opcoes` are added to the save (GravSomenteLeitura for a read-only
    // result); GravSubstituir is added when the user agreed to replace,
    // GravNovo when there was nothing to ask about.
    // *arquivoFinal receives the name of the file written or refused.
    Resultado Exportar(const QString &escolhido, TPlanilha &planilha, TInteracao &interacao,
                       TPlanilha::OpcoesGravacao opcoes = TPlanilha::GravNormal,
                       QString *arquivoFinal = nullptr) const;

private:
    QString m_arquivo;
    QString m_erroLeitura;
    bool m_carregado = false;
    int m_qdeLinhas = 0;
    QStringList m_cabecalho;
    QList<TLinhaVisualizada> m_linhas;
};
