#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Event recorder of one recording: square entries or behaviour bouts, one
// row per event, in seven parallel arrays of Qde elements. The session
// appends rows; at its end Finalizar closes open ends, computes durations and
// minutes and splits rows at minute boundaries, and GravarTexto writes the
// rows as a raw tab-separated file that the record file is built from.
//
// Times are milliseconds since the session clock started, pauses excluded.
class TRegistro {
public:
    int Qde = 0;
    // Square name ("F6"); empty for a marker row.
    QStringList Posicao;
    // Behaviour name, "ENTRADA" for a square entry, "T2" for the phase marker.
    QStringList Comportamento;
    QList<double> Inicio;
    // End. Before Finalizar, -1 means "until the next row starts" and -2 the
    // same with the row moved to start at 0 (first square of a new phase).
    QList<double> Fim;
    // Fim - Inicio; set by Finalizar (0 until then).
    QList<double> Duracao;
    // 1 when the row starts a new occurrence, 0 when it continues one.
    QList<int> Frequencia;
    // 1-based minute of Inicio; set by Finalizar (0 until then).
    QList<int> Minuto;

    static constexpr double AteProximo = -1;
    static constexpr double AteProximoDoZero = -2;

    void Limpar();
    void Adicionar(const QString &posicao, const QString &comportamento, double inicio, double fim,
                   int frequencia);

    // Closes the open ends (-1: the next row's start; -2: the same, and the
    // row starts at 0), fills Duracao and Minuto, cuts every row that crosses
    // a minute boundary into one row per minute (the first piece keeps its
    // Frequencia, the others get 0; no empty piece for the minute that starts
    // exactly at the row's end) and rounds Inicio, Fim and Duracao to the
    // nearest 0.001, halves to even. T is the session length in ms. An open
    // end on the last row (nothing follows it) runs to the session end T.
    void Finalizar(double T);

    // The raw text GravarTexto writes (see there), as Windows-1252 bytes.
    QByteArray Texto() const;

    // Writes base path + ".txt": one line per row (rows still ending at -1
    // are left out) with Posicao, Comportamento, Inicio, Fim, Duracao, Minuto
    // and Frequencia separated by tabs, CR LF line ends, Windows-1252.
    // Throws TErro naming the file when it cannot be written. The file is
    // replaced in one step, never left half written.
    void GravarTexto(const QString &caminhoBase) const;
    // The same with a text already made by Texto().
    static void GravarTexto(const QString &caminhoBase, const QByteArray &texto);

    // Text of a time as the raw and record files hold it: shortest general
    // form with up to 15 significant digits, "." as decimal separator.
    static QString TextoTempo(double valor);

private:
    void DividirPorMinuto();
};
