#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

// One data row of a record file as the analyses use it: the numbers,
// converted once when the file is read, and the square and behaviour as
// indices into the reader's table of names (TDados::Nome). The seven fields
// as the file holds them are found again from the file's bytes
// (TDados::Campos), for messages and for checks.
struct TLinhaRegistro {
    double inicio = 0;  // Inicio, milliseconds
    double fim = 0;     // Fim, milliseconds; NaN when the field is not a number
    qint32 duracao = 0; // Duracao, milliseconds
    qint32 minuto = 0;  // Minuto, 1-based
    qint32 frequencia = 0;
    qint32 posicao = 0;       // index of the square's name
    qint32 comportamento = 0; // index of the behaviour's name
    int linha = 0;            // line of the file the row came from (1-based), for messages
    quint32 deslocamento = 0; // where the line starts in the file's bytes
    quint32 tamanho = 0;      // its length, line end excluded
};

// The seven fields of a row as the file holds them, decoded.
struct TCamposRegistro {
    QString Posicao;
    QString Comportamento;
    QString Inicio;
    QString Fim;
    QString Duracao;
    QString Minuto;
    QString Frequencia;
};

// One cell of the per-minute table.
struct TCelulaMinuto {
    qint64 SomaDuracao = 0;
    qint64 SomaFrequencia = 0;
    qint64 EntradasExtremidade = 0;
    qint64 Ocorrencias = 0;
};

class TUsuario;

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
// - PrepararArquivo refuses, naming file and line, a record no recorder
//   could have written (see Conferir), and keeps in Aviso the rows that old
//   recordings hold and that are analysed as they are.
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
    const std::vector<TLinhaRegistro> &Registros() const { return m_registros; }
    int QdeRegistros() const { return static_cast<int>(m_registros.size()); }
    // The fields of a row of the loaded file as the file holds them.
    TCamposRegistro Campos(const TLinhaRegistro &r) const;
    // Name of a square or behaviour index of a row. Indices stay valid for
    // the life of this object: every file read adds only names it has not
    // met yet.
    const QString &Nome(int indice) const { return m_nomes[indice]; }
    int QdeNomes() const { return static_cast<int>(m_nomes.size()); }
    // Index of a name met in some row, or -1.
    int IndiceNome(const QString &nome) const { return m_indicePorTexto.value(nome, -1); }

    // Refuses a loaded record that no version of the recorder could have
    // written, with TErro naming the file and the first line at fault: a
    // session length (header line 7) that is not from 1 to 9990 seconds; a
    // row whose end is not a number or negative, whose duration differs
    // from end - start by more than the 1 ms of rounding, whose frequency
    // is not 0 or 1, or whose minute is not start / 60000 truncated + 1.
    // Rows that recordings made before the recorder was mended hold (a
    // start before 0, after the row's end or after the session's length)
    // are kept: Aviso then names the file and those rows, else it is empty.
    void Conferir();
    const QString &Aviso() const { return m_aviso; }

    // The order of rows that the exchange sort "for i over all rows, for j
    // over all rows: if Inicio(i) < Inicio(j), exchange rows i and j" leaves:
    // element k of the result is the index of the row that ends at position
    // k. Computed in O(n log n) without performing the exchanges.
    static std::vector<int> OrdemDeTroca(const std::vector<double> &inicios);
    // The same by performing the exchange sort itself (quadratic); kept to
    // check the fast one against.
    static std::vector<int> OrdemDeTrocaLiteral(const std::vector<double> &inicios);

    // What one analysis run carries from file to file: the behaviours first
    // met in earlier files (so that a behaviour keeps its position for every
    // later file) and the profile settings already read. Start every run
    // with a new one.
    class Execucao {
    public:
        QStringList ComportamentosExtras;

    private:
        friend class TDados;
        struct Perfil {
            QString labirinto;
            QStringList comportamentos;
        };
        QHash<QString, Perfil> m_perfis; // by experiment name
    };

    // --- Lists derived for the loaded file and the per-minute table ---

    // Rebuilds Quadrados, Comportamentos and Minutos for the loaded file
    // from its header, the user's profile file and the current experiment's
    // maze:
    // - Quadrados: the built-in list of the maze the profile gives for the
    //   experiment named in header line 4; when that is no built-in maze,
    //   the built-in list of the current experiment's maze. When the current
    //   maze is an arena ("ARENA (CxR)") its C x R squares instead. With
    //   none of these the list keeps its previous contents.
    // - Comportamentos: "ENTRADA", then the non-empty entries 1 to 26 of the
    //   behaviour list that experiment uses.
    // - Minutos: whole minutes of the session time of header line 7, at
    //   least 1.
    // Throws TErro naming the file and line 7 when the session time is not
    // a number, and naming the maze when an arena's name gives no size.
    void MontarListas(const TUsuario &usuario);
    // The step every analysis takes for file `arquivo` of group `grupo`:
    // reads it from the current experiment's folder (".tvl" appended unless
    // the name ends in "tvl"), checks it (Conferir), orders its rows,
    // rebuilds the lists, appends
    // the run's extra behaviours, then every behaviour of the rows not yet
    // listed (to Comportamentos and to the run's extras). Throws TErro as
    // LerArquivo, Conferir and MontarListas do.
    void PrepararArquivo(const TUsuario &usuario, int grupo, int arquivo, Execucao &execucao);
    // Full path PrepararArquivo reads for a file name as picked.
    static QString CaminhoArquivo(const TUsuario &usuario, const QString &arquivo);

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
    // Zeroes the table and fills it counting region entries: every row adds
    // its duration, and a row opening an occurrence adds one to Ocorrencias,
    // as Acumular does; for behaviours other than "ENTRADA" SomaFrequencia is
    // also as Acumular gives it. For "ENTRADA" (index 0) SomaFrequencia
    // counts only moves that enter another region of the maze (open arm,
    // centre or open half changes) plus the first placement, and
    // EntradasExtremidade the arrivals at an arm end from outside the ends.
    // Rows outside minutes 1..Minutos add nothing (but still count as the
    // square the animal came from).
    void AcumularRegioes(const QString &labirinto);
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
    void montarListas(const TUsuario &usuario, Execucao *execucao);
    // OrdenarPorInicio when no two starts are equal and the rows are at
    // most two ascending runs; false (rows untouched) otherwise.
    bool ordenarSemEmpates();
    // Index of the name of those bytes (Windows-1252), added when new.
    int indiceDe(const char *p, qsizetype n);
    int indiceNaTabela(const char *p, qsizetype n);
    // For every name index, the positions at which it stands in `nomes`
    // (flat: posicoes[de[i] .. de[i + 1])).
    void posicoesDosNomes(const QStringList &nomes, std::vector<int> &de,
                          std::vector<int> &posicoes) const;
    // Acumular, leaving SomaFrequencia of "ENTRADA" (index 0) at zero unless
    // frequenciaEntrada.
    void acumularLinhas(bool frequenciaEntrada);
    // The seconds after the last whole minute (and a damaged minute) have no
    // cell.
    bool temCelula(const TLinhaRegistro &r) const {
        return r.minuto >= 1 && r.minuto <= m_tabMinutos;
    }
    int indiceTabela(int b, int q, int m) const;

    QString m_arquivo;
    QStringList m_cabecalho;
    QByteArray m_bytes;      // the loaded file
    QByteArray m_bytesLendo; // the file being read (the memory is reused)
    std::vector<TLinhaRegistro> m_registros;
    std::vector<TLinhaRegistro> m_lendo; // rows of the file being read, reused
    std::vector<TLinhaRegistro> m_ordenados;
    std::vector<double> m_inicios;
    QString m_aviso;

    QStringList m_nomes;
    QHash<QByteArray, int> m_indicePorBytes;
    QHash<QString, int> m_indicePorTexto;
    struct Recente {
        QByteArray bytes;
        int indice = -1;
    };
    Recente m_recentes[61];

    std::vector<TCelulaMinuto> m_tabela;
    int m_tabQuadrados = 0;
    int m_tabMinutos = 0;
    int m_tabComportamentos = 0;

    QList<TGrupo> m_grupos;
};
