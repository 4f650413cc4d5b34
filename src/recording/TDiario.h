#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

// The recording journal: one file per recording, beside the experiment's
// record files, holding what the recording was started with and every input
// the engine received, so that a recording survives the program or the
// machine stopping in the middle of it (TRecuperacao reads it back).
//
// Promises:
// - Every line reaches the operating system in one write before Anotar
//   returns: a killed process loses nothing that was noted.
// - A worker thread syncs the file to the disk at least once a second while
//   lines are waiting, so a power cut loses at most the last second; the
//   caller's thread never waits for the disk.
// - The file is created new (never replacing one) and locked (flock) for as
//   long as it is open, so that another program instance sees that a live
//   session owns it and leaves it alone.
// - Each line carries its own checksum: a line cut short or damaged is told
//   apart from a whole one (Verificar).
//
// What TSessao notes (UTF-8, one item a line, values of names
// percent-encoded): "diario 1"; the start's settings "usuario",
// "experimento", "individuo", "labirinto", "geometria" (the maze's twelve
// numbers, TLabirinto::Geometria), "tempo" (s), "distancia",
// "inicios", "inicio1 X Y", "inicio2 X Y", "comecoQueda", "teclasEdicao",
// one "comportamento KEY NAME" per behaviour; then the inputs as "TYPE MS
// WALL [ARGS]", MS on the session clock since key 5 (pauses included),
// WALL the date-time in ms since 1970: "inicio", "mover DX DY", "abaixar
// KEY", "liberar KEY", "queda", "retomada", "setas", and "fim" at the
// session end.
class TDiario {
public:
    // Suffix of a journal's file name.
    static const QString Extensao;

    TDiario() = default;
    ~TDiario(); // closes the file and keeps it
    TDiario(const TDiario &) = delete;
    TDiario &operator=(const TDiario &) = delete;

    // Creates `caminho` with the given lines. False (and *erro says why) when
    // it exists or cannot be created; nothing is left behind then.
    bool Abrir(const QString &caminho, const QList<QByteArray> &linhas, QString *erro = nullptr);
    bool Aberto() const { return m_fd >= 0; }
    const QString &Caminho() const { return m_caminho; }
    // Appends one line. A failing write is remembered (Falhou) and the
    // recording goes on: the journal is a safety net, not the record.
    void Anotar(const QByteArray &linha);
    bool Falhou() const { return m_falhou; }
    // Syncs and closes; the file stays (a recording that did not end well).
    void Fechar();
    // Removes the file and closes it (the recording is safe elsewhere, or
    // was dropped on purpose).
    void Remover();

    // A line as written: the text, a tab, its checksum in four hex digits,
    // a line feed. The text must hold neither a tab nor a line break.
    static QByteArray Linha(const QByteArray &texto);
    // The text of a written line (given without its line feed); false when
    // the checksum does not match.
    static bool Verificar(const QByteArray &linha, QByteArray *texto);

private:
    void sincronizar();
    void parar();

    int m_fd = -1;
    QString m_caminho;
    bool m_falhou = false;
    std::atomic<bool> m_pendente{false};
    std::mutex m_mutex;
    std::condition_variable m_acordar;
    bool m_parar = false;
    std::thread m_sincronizador;
};
