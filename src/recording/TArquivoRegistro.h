#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// Who recorded which animal where: the values of header lines 3 to 8.
struct TCabecalhoRegistro {
    QString usuario;
    QString experimento;
    // The animal's identification; it also names the files.
    QString individuo;
    QString labirinto;
    int tempoSecao = 0; // seconds
    int distancia = 0;  // cm
};

// What became of one recording's files.
struct TResultadoGravacao {
    // Record files written (read-only).
    QStringList gravados;
    // Record files that could not be written.
    QStringList faltando;
    // Why not (English); empty when every record file was written.
    QString erro;
    // Recovery files holding the full contents of the files in `faltando`.
    QStringList recuperacao;
    // Why no recovery file could be written either; empty otherwise.
    QString erroRecuperacao;

    bool Ok() const { return erro.isEmpty(); }
};

// The record file of one recording, built at the session end from the two
// raw files of the recorders (identification + "1.txt": square entries,
// identification + "2.txt": behaviour rows and the phase marker) in the
// experiment folder.
//
// A one-start recording gives identification + ".tvl"; a two-start one gives
// identification + "_T1.tvl" (free phase) and identification + "_T2.tvl"
// (fixed phase). Each file: ten header lines, then the square-entry rows, then
// the behaviour rows, Windows-1252, CR LF after every line; marked read-only
// once written.
//
// A record file is never replaced: when one of the targets exists already,
// none is written. Each file is saved through TGravacao in mode CriarSomente:
// it appears whole and read-only or not at all, and a file that takes the
// name meanwhile is not replaced either.
//
// Each recording has raw files of its own, named after the recording
// (TSessao's session name: identification + "-" + start date-time):
// session + "-1.txt" and session + "-2.txt", so two recordings never read
// each other's rows.
//
// The two files of a two-start recording appear both or neither: "_T2" is
// first written whole under a pending name (session + "_T2.pendente"), then
// "_T1" is written, then the pending file takes the name "_T2". A session
// stopped on the way leaves the pending file; ConcluirPares then gives it
// its name when "_T1" exists (finish) or removes it when "_T1" does not
// (undo: the raw files and the journal still hold the rows).
class TArquivoRegistro {
public:
    // Record file paths for an identification, in the experiment folder
    // (which ends with "/").
    static QStringList Destinos(const QString &pastaExperimento, const QString &identificacao,
                                bool doisInicios);
    // The two raw files of a recording named `sessao`.
    static QStringList Brutos(const QString &pastaExperimento, const QString &sessao);
    // Pending "_T2" file of a recording named `sessao`.
    static QString Pendente(const QString &pastaExperimento, const QString &sessao);
    static const QString SufixoPendente; // "_T2.pendente"

    // Finishes or undoes every pair of `identificacao` (every pair in the
    // folder when empty) that a stopped recording left half written. A
    // finished pair's raw files and journal are removed: the record holds
    // their rows. The caller must hold the identification's lock
    // (TTravaIdentificacao), so that no live recording is touched. Returns
    // the record files that were finished.
    static QStringList ConcluirPares(const QString &pastaExperimento,
                                     const QString &identificacao = QString());

    // The ten header lines, each ended by CR LF, in Windows-1252. Line 1
    // carries the given moment as dd/MM/yyyy and HH:mm:ss.
    static QByteArray Cabecalho(const TCabecalhoRegistro &c, const QDateTime &momento);

    // Rows of each record file (one list, or two for two starts), from the
    // lines of the two raw files. Two starts: entry rows go to the first file
    // up to the second row that starts at 0 (the first square of the fixed
    // phase), to the second file from there on; behaviour rows go to the
    // first file up to the phase marker (empty square, "T2"), which is
    // dropped, and to the second file after it.
    static QList<QList<QByteArray>> Separar(bool doisInicios, const QList<QByteArray> &entradas,
                                            const QList<QByteArray> &comportamentos);

    // Whole contents of each record file: header (taken at the moment of
    // the call) and rows.
    static QList<QByteArray> Conteudos(const TCabecalhoRegistro &c, bool doisInicios,
                                       const QList<QByteArray> &entradas,
                                       const QList<QByteArray> &comportamentos);

    // The same from the two raw files' whole texts (Windows-1252, CR LF).
    static QList<QByteArray> ConteudosDosTextos(const TCabecalhoRegistro &c, bool doisInicios,
                                                const QByteArray &entradas,
                                                const QByteArray &comportamentos);

    // Builds the record file(s) from the raw files of recording `sessao`
    // (empty: the old names, identification + "1.txt" and "2.txt") in
    // pastaExperimento, marks them read-only and deletes the raw files. On
    // a failure the raw files stay and the result names what was not
    // written and why.
    static TResultadoGravacao GravarArquivos(const QString &pastaExperimento,
                                             const TCabecalhoRegistro &c, bool doisInicios,
                                             const QString &sessao = QString());
    // The same from the raw files' texts as the recorders made them (and
    // wrote them): nothing is read back. Two starts: "_T2" is written
    // whole under its pending name, then "_T1", then "_T2" takes its name.
    // The raw files of `sessao` are deleted once the record files are
    // written.
    static TResultadoGravacao GravarArquivos(const QString &pastaExperimento,
                                             const TCabecalhoRegistro &c, bool doisInicios,
                                             const QByteArray &entradas,
                                             const QByteArray &comportamentos,
                                             const QString &sessao = QString());
    // The raw files of recording `sessao` (empty: the identification's).
    static QStringList BrutosDe(const QString &pastaExperimento, const TCabecalhoRegistro &c,
                                const QString &sessao);

    // Keeps contents that could not become record files: each one goes to
    // a new file named after its record file, "<name>-recuperacao-<date>-
    // <time>.txt" (plus "-2", "-3"... when that exists), read-only, in the
    // first of the folders where writing succeeds. Returns the paths written,
    // in the order of destinos; *erro is empty when every content was
    // written, else it says why the others could not be.
    static QStringList GravarRecuperacao(const QStringList &pastas, const QStringList &destinos,
                                         const QList<QByteArray> &conteudos, QString *erro);
};
