#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>

class TDados;
class TFolhaAnalise;
class TInteracao;
class TPlanilha;
class TUsuario;

// One analysis run: every record file of every group of a TDados turned into
// one spreadsheet through a TPlanilha (.xls, .xlsx or tidy CSV, the same
// cells in each), for the logged-in user and the
// current experiment (its name, its maze). The analysis window and the
// command line both start runs through it.
//
// Which analysis runs is decided by the kind the user checked and the
// current experiment's maze (Despacho); a kind the maze has no analysis for
// is answered with the "not available" message of the analysis window.
//
// Promises:
// - The output is written only when the whole sheet is complete, under the
//   final name (the writer's extension forced: ".XLS", ".xlsx", ".csv"),
//   read-only. An existing file is
//   replaced only when the caller or the user agreed, and only by the
//   complete new file: a run that fails leaves it as it was. Without that
//   agreement the final rename refuses a file that appeared after the
//   check, so it is never replaced either.
// - A run whose sheet would pass the writer's last row or column (65535 x
//   256 for the .xls) is refused with a message saying so; nothing is
//   written and no cell is dropped or moved.
// - The writer is told the sheet's name (the kind's name, NomeDoTipo), its
//   shape (TFolhaAnalise::Forma) and the first row of every group.
// - A missing or damaged record file stops the run with a message naming
//   the file (and the line); nothing is written.
// - Messages and questions go through the TInteracao (texts of section
//   "UnitSelecionarGrupo" of the user's language file, error texts as the
//   reader and the writer give them); Ampulheta is on for the long part and
//   always off again before any message is shown.
class TAnalise : public QObject {
    Q_OBJECT

public:
    // The six kinds of the analysis window: whole session and per minute.
    enum Tipo {
        Compacta,
        CompactaPorBraco,
        Quadrado,
        CompactaMinuto,
        CompactaPorBracoMinuto,
        QuadradoMinuto,
    };
    // What a kind does for a maze.
    enum Operacao {
        Nenhuma,       // the window does nothing
        NaoDisponivel, // the window says the analysis is not available
        CompactaCruz,
        CompactaCruzBraco,
        CompactaArena,
        CompactaEmI,
        CompactaMinutoCruz,
        CompactaMinutoCruzBraco,
        CompactaMinutoEmI,
        QuadradoAQuadrado,
        QuadradoAQuadradoMinuto,
    };
    enum Resultado {
        Sucesso,
        Indisponivel, // no analysis of that kind for the maze (message shown)
        Cancelada,    // the user did not want the existing file replaced
        Existente,    // the file exists and the caller did not allow replacing it
        Falha,        // the run stopped (message shown); nothing written
    };
    // What to do when the final file exists.
    enum Substituicao { Perguntar, Substituir, NaoSubstituir };

    static Operacao Despacho(Tipo tipo, const QString &labirinto);
    // Which kinds (indexed by Tipo) the analysis window offers for the maze
    // once the groups are done: every kind for a cross and the 6 x 6 arena,
    // no per-arm kind for an I maze, only the square kinds for the T maze
    // and other arenas. False for a maze of no known kind: the window then
    // leaves its choices as they are.
    static bool Habilitados(const QString &labirinto, std::array<bool, 6> *habilitados);
    // Names of the kinds on the command line: "compacta", "compacta-braco",
    // "quadrado", "compacta-minuto", "compacta-braco-minuto",
    // "quadrado-minuto".
    static bool TipoDoNome(const QString &nome, Tipo *tipo);
    static QString NomeDoTipo(Tipo tipo);

    TAnalise(const TUsuario &usuario, TDados &dados, TPlanilha &planilha, TInteracao *interacao);
    ~TAnalise() override;

    // Runs the analysis of that kind into `nomeSaida` (the writer's name
    // rule applies). The success message is shown on success.
    Resultado Executar(Tipo tipo, const QString &nomeSaida, Substituicao substituicao);

    // Name the last run wrote, or would have written.
    const QString &ArquivoFinal() const { return m_arquivoFinal; }
    // Text of the last failure (also shown through the TInteracao).
    const QString &Erro() const { return m_erro; }
    // The warnings of the last run, one per record file (see Aviso).
    const QStringList &Avisos() const { return m_avisos; }

    // The sheet layout of an operation, for the maze; null for Nenhuma and
    // NaoDisponivel.
    static std::unique_ptr<TFolhaAnalise> Folha(Operacao operacao, const QString &labirinto);

signals:
    // True when the long part of a run starts, false when it ends (the
    // windows show the hourglass cursor).
    void Ampulheta(bool ligada);
    // (0, total) before the first file, then (files done, total files of
    // every group) after each record file. Emitted from the thread that runs
    // Executar: a window's worker thread reaches the window queued.
    void Progresso(int feitos, int total);
    // A record file of the run holds rows that old recordings hold and that
    // are analysed as they are (see TDados::Conferir): the text names the
    // file and the rows. Emitted as the file is read; the same texts are
    // shown in one message, before the success message, when the run ends.
    void Aviso(const QString &texto);

private:
    QString texto(const char *chave) const;
    void mensagem(const QString &t) const;
    void gerar(TFolhaAnalise &folha, bool substituir);
    // The sheet's cells, from StartSheet to EndSheet.
    void preencher(TFolhaAnalise &folha);

    const TUsuario &m_usuario;
    TDados &m_dados;
    TPlanilha &m_planilha;
    TInteracao *m_interacao;
    QString m_arquivoFinal;
    QString m_erro;
    QStringList m_avisos;
};
