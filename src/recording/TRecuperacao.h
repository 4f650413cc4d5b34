#pragma once

#include "recording/TArquivoRegistro.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// A recording journal (TDiario) left behind by a recording that stopped: the
// program crashed or was killed, or the machine stopped. Reading it replays
// its inputs into a session engine on a virtual clock, with the settings
// and behaviours the journal holds (the profile may have changed since),
// and ends the recording at the last instant noted; saving writes the rows
// so obtained as record files and removes the journal.
//
// Promises:
// - A journal that a live session holds (its lock is taken, in this or
//   another program instance) is left alone: EmUso.
// - A last line cut short (the machine stopped in the middle of a write) is
//   ignored. Any other damage makes the journal Danificado: it is reported
//   with its name and never deleted by the program.
// - The saved file is never taken for a complete recording: its name is the
//   record file's name with "-parcial" before ".tvl" (plus "-2", "-3"...
//   when taken), which no identification can carry (they hold no "-"), and
//   it still ends in ".tvl", so the analysis window lists it. A two-start
//   recording stopped in its free phase gives "_T1-parcial.tvl" only. The
//   header keeps the experiment's session length. A journal whose recording
//   reached its session end (the program stopped while writing the record)
//   gives the record files' own names when they are free; when they exist
//   already with the same rows, the record was written and the journal is
//   simply removed.
// - The two halves of a recovered pair carry one number. A save stopped
//   between them (the journal is removed only after both) is finished by
//   the next one under the names it began: the "_T1" it left, holding the
//   same rows, is kept and "_T2" is written beside it.
// - The lock of the journal is held from Ler to the end of the object, so
//   two instances never save one journal twice.
class TRecuperacao {
public:
    enum Situacao { NaoLido, Pronta, EmUso, Danificado };
    // The sign of a partial record file's name.
    static const QString SufixoParcial;

    TRecuperacao(const QString &diretorioDados, const QString &caminhoDiario);
    ~TRecuperacao();
    TRecuperacao(const TRecuperacao &) = delete;
    TRecuperacao &operator=(const TRecuperacao &) = delete;

    // The journals in an experiment folder, by name.
    static QStringList Diarios(const QString &pastaExperimento);
    // The journals in every experiment folder of a user folder.
    static QStringList DiariosDoUsuario(const QString &pastaUsuario);
    // Finishes or undoes the half-written pairs of every identification in
    // the experiment folders of a user folder that no live recording holds
    // (TArquivoRegistro::ConcluirPares). Returns the record files finished.
    static QStringList ConcluirPendentes(const QString &pastaUsuario);
    // The same in one experiment folder.
    static QStringList ConcluirPendentesDaPasta(const QString &pastaExperimento);

    // Locks, reads and replays the journal.
    Situacao Ler();
    Situacao SituacaoAtual() const { return m_situacao; }
    const QString &Caminho() const { return m_caminho; }
    // Why the journal is damaged (English), with its name.
    const QString &Problema() const { return m_problema; }

    // What the journal says (after Ler gave Pronta).
    const QString &Usuario() const { return m_cabecalho.usuario; }
    const QString &Experimento() const { return m_cabecalho.experimento; }
    const QString &Individuo() const { return m_cabecalho.individuo; }
    // Recorded time of the phase in progress when it stopped, and the
    // session length, in ms.
    qint64 Gravado() const { return m_gravado; }
    qint64 Duracao() const { return qint64(m_cabecalho.tempoSecao) * 1000; }
    // Wall time of the last input noted.
    QDateTime Parada() const { return m_parada; }
    // The recording reached its session end.
    bool Completa() const { return m_completa; }
    int Eventos() const { return m_eventos; }
    // The model's %1 identification, %2 experiment, %3 recorded time and %4
    // session length (mm:ss), %5 date (dd/MM/yyyy) and %6 time (HH:mm) of
    // the stop.
    QString Descrever(const QString &modelo) const;

    // Writes the record file(s) and removes the journal. The result lists
    // the files written; on a failure the journal stays.
    TResultadoGravacao Salvar();

private:
    QString m_dados;
    QString m_caminho;
    int m_fd = -1;
    Situacao m_situacao = NaoLido;
    QString m_problema;
    TCabecalhoRegistro m_cabecalho;
    bool m_doisInicios = false;
    bool m_faseFixa = false;
    bool m_completa = false;
    int m_eventos = 0;
    qint64 m_gravado = 0;
    QDateTime m_parada;
    QList<QByteArray> m_entradas;
    QList<QByteArray> m_comportamentos;
};
