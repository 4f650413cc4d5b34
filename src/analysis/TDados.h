#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// One data row of a record file: the seven fields as the file holds them,
// plus the numbers the analyses use, converted once when the file is read.
struct TLinhaRegistro {
    QString Posicao;
    QString Comportamento;
    QString Inicio;
    QString Fim;
    QString Duracao;
    QString Minuto;
    QString Frequencia;

    double inicio = 0;  // Inicio, milliseconds
    qint32 duracao = 0; // Duracao, milliseconds
    qint32 minuto = 0;  // Minuto, 1-based
    qint32 frequencia = 0;
    int linha = 0; // line of the file the row came from (1-based), for messages
};

// One cell of the per-minute table.
struct TCelulaMinuto {
    qint64 SomaDuracao = 0;
    qint64 SomaFrequencia = 0;
    qint64 EntradasExtremidade = 0;
    qint64 Ocorrencias = 0;
};

// One named group of record files, as the user built it.
struct TGrupo {
    QString Nome;
    QStringList Arquivos; // file names as picked, without folder
    int QdeArquivos() const { return static_cast<int>(Arquivos.size()); }
};

// The analysis side's model: the user's groups of record files, and the
// contents of one record file at a time with the lists and the per-minute
// table derived from it. Loading a file replaces the previous file's rows.
//
// Promises:
// - LerArquivo either loads the whole file or throws TErro naming the file
//   and the line at fault (missing file, header cut short, a start, duration,
//   minute or frequency that is not a number); the previous contents then
//   stay as they were.
// - OrdenarPorInicio puts the rows in ascending order of Inicio, rows with
//   equal starts in exactly the order of the program's long-standing
//   exchange sort (see OrdemDeTroca), in O(n log n).
// - The group table never holds more than MaxGrupos groups of MaxArquivos
//   files: InserirGrupo and SubstituirArquivos refuse beyond that.
class TDados {
public:
    static constexpr int MaxGrupos = 51;
    static constexpr int MaxArquivos = 51;
    // Header lines kept; line 10 (the column titles) is skipped.
    static constexpr int LinhasCabecalho = 9;

    // --- Record file ---

    // Reads a record file: lines 1 to 9 into Cabecalho, line 10 dropped,
    // every further line one row, cut at its first six tabs.
    void LerArquivo(const QString &caminho);
    // Ascending order of Inicio; ties as OrdemDeTroca gives them.
    void OrdenarPorInicio();

    const QString &Arquivo() const { return m_arquivo; } // path last loaded
    // Cabecalho()[0] is line 1 of the file ... [8] is line 9.
    const QStringList &Cabecalho() const { return m_cabecalho; }
    const QList<TLinhaRegistro> &Registros() const { return m_registros; }
    int QdeRegistros() const { return static_cast<int>(m_registros.size()); }

    // The order of rows that the exchange sort "for i over all rows, for j
    // over all rows: if Inicio(i) < Inicio(j), exchange rows i and j" leaves:
    // element k of the result is the index of the row that ends at position
    // k. Computed in O(n log n) without performing the exchanges.
    static std::vector<int> OrdemDeTroca(const std::vector<double> &inicios);
    // The same by performing the exchange sort itself (quadratic); kept to
    // check the fast one against.
    static std::vector<int> OrdemDeTrocaLiteral(const std::vector<double> &inicios);

    // --- Lists derived for the loaded file and the per-minute table ---

    QStringList Quadrados;      // square names of the maze
    QStringList Comportamentos; // "ENTRADA" first, then the behaviours
    int Minutos = 1;            // whole minutes of the session, at least 1
    int QdeQuadrados() const { return static_cast<int>(Quadrados.size()); }
    int QdeComportamentos() const { return static_cast<int>(Comportamentos.size()); }

    // Allocates the table for the current lists (QdeComportamentos x
    // QdeQuadrados x Minutos), every cell zero. Throws TErro when the table
    // would be unreasonably large (a damaged session length).
    void ZerarTabelaMinutos();
    // Zeroes the table, then adds every row into the cell of its behaviour,
    // square and minute (every index whose name matches). Rows whose square
    // or behaviour is not listed, or whose minute lies outside 1..Minutos,
    // add nothing.
    void Acumular();
    // Cell [behaviour][square][minute index = Minuto - 1]; indices must be
    // inside the table.
    const TCelulaMinuto &TabelaMinutos(int b, int q, int m) const;
    TCelulaMinuto &TabelaMinutos(int b, int q, int m);
    bool TabelaAlocada() const { return !m_tabela.empty(); }

    // --- Groups ---

    const QList<TGrupo> &Grupos() const { return m_grupos; }
    int QdeGrupos() const { return static_cast<int>(m_grupos.size()); }
    // Index of the group of that name, or -1.
    int IndiceGrupo(const QString &nome) const;
    // Adds a group at the end. False (and nothing changes) when the table
    // already has MaxGrupos groups, the name is taken, or there are more
    // than MaxArquivos files.
    bool InserirGrupo(const QString &nome, const QStringList &arquivos);
    // Replaces the files of the group of that name (an empty list leaves it
    // without files). False when there is no such group or more than
    // MaxArquivos files.
    bool SubstituirArquivos(const QString &nome, const QStringList &arquivos);
    void LimparGrupos() { m_grupos.clear(); }

private:
    int indiceTabela(int b, int q, int m) const;

    QString m_arquivo;
    QStringList m_cabecalho;
    QList<TLinhaRegistro> m_registros;

    std::vector<TCelulaMinuto> m_tabela;
    int m_tabQuadrados = 0;
    int m_tabMinutos = 0;
    int m_tabComportamentos = 0;

    QList<TGrupo> m_grupos;
};
