#include "TRegistro.h"

#include "Cp1252.h"
#include "TErro.h"
#include "TGravacao.h"

#include <cmath>

namespace {

const double kMinuto = 60000.0;
// Far beyond any session; keeps corrupt times (a clock that jumped) from
// overflowing the minute numbers or being cut into unbounded numbers of rows.
const double kMinutoMaximo = 1e9;
const qint64 kMaximoDePedacos = 100000;

// Trunc(ms / 60000), bounded; NaN and infinities count as minute 0.
qint64 minutoDe(double ms) {
    if (!std::isfinite(ms))
        return 0;
    return static_cast<qint64>(qBound(-kMinutoMaximo, std::trunc(ms / kMinuto), kMinutoMaximo));
}

// Nearest 0.001, halves to even (the default rounding mode of the FPU).
// Adding 0.0 turns a -0 into 0 so that it is not written as "-0".
double arredondarMilesimo(double v) {
    return std::nearbyint(v * 1000.0) / 1000.0 + 0.0;
}

} // namespace

void TRegistro::Limpar() {
    Qde = 0;
    Posicao.clear();
    Comportamento.clear();
    Inicio.clear();
    Fim.clear();
    Duracao.clear();
    Frequencia.clear();
    Minuto.clear();
}

void TRegistro::Adicionar(const QString &posicao, const QString &comportamento, double inicio,
                          double fim, int frequencia) {
    Posicao.append(posicao);
    Comportamento.append(comportamento);
    Inicio.append(inicio);
    Fim.append(fim);
    Duracao.append(0);
    Frequencia.append(frequencia);
    Minuto.append(0);
    ++Qde;
}

void TRegistro::Finalizar(double T) {
    // Open ends take the start of the following row. The session end always
    // closes the last row; should it still be open, nothing followed it and
    // it lasts until the session end (never ending before it started).
    for (int i = 0; i < Qde; ++i) {
        if (Fim[i] != AteProximo && Fim[i] != AteProximoDoZero)
            continue;
        const bool ultima = i + 1 >= Qde;
        // Rows are closed in order, so the row before the first square of a
        // new phase (-2) ends where that phase began, on the old clock, before
        // the new phase's row is itself moved to 0.
        double fim = ultima ? T : Inicio[i + 1];
        if (Fim[i] == AteProximoDoZero)
            Inicio[i] = 0;
        if (ultima && fim < Inicio[i])
            fim = Inicio[i];
        Fim[i] = fim;
    }
    for (int i = 0; i < Qde; ++i) {
        Duracao[i] = Fim[i] - Inicio[i];
        Minuto[i] = static_cast<int>(minutoDe(Inicio[i])) + 1;
    }
    DividirPorMinuto();
    for (int i = 0; i < Qde; ++i) {
        Inicio[i] = arredondarMilesimo(Inicio[i]);
        Fim[i] = arredondarMilesimo(Fim[i]);
        Duracao[i] = arredondarMilesimo(Duracao[i]);
    }
}

void TRegistro::inserirCopia(int indice) {
    const int de = indice - 1;
    Posicao.insert(indice, Posicao[de]);
    Comportamento.insert(indice, Comportamento[de]);
    Inicio.insert(indice, Inicio[de]);
    Fim.insert(indice, Fim[de]);
    Duracao.insert(indice, Duracao[de]);
    Frequencia.insert(indice, Frequencia[de]);
    Minuto.insert(indice, Minuto[de]);
    ++Qde;
}

// A row whose start and end lie in different minutes is cut at every minute
// boundary it crosses; the first piece keeps the row's Frequencia, the others
// get 0, and the last piece keeps the row's end. No piece is made for the
// minute that starts exactly at the row's end: it would be empty (a row
// ending at a session end of a whole number of minutes, or on a boundary,
// stays within its last full minute). A session end that is not a whole
// number of minutes (330 s) gives a last piece in the partial minute after
// the last whole one, so that no minute ever holds more than 60 s.
//
// Passes over the rows that existed at the start of each pass; pieces
// inserted inside that range are visited in the same pass, the rows pushed
// beyond it in a later one. A visit splits a row completely. Passes go on
// until one finds nothing to split: a fixed number of passes would leave
// rows whole when many rows of several minutes follow each other (each long
// row pushes the next ones beyond the range of its pass).
void TRegistro::DividirPorMinuto() {
    bool dividiu = true;
    while (dividiu) {
        dividiu = false;
        const int n = Qde;
        for (int i = 0; i < n; ++i) {
            const qint64 sm = minutoDe(Inicio[i]);
            const qint64 em = minutoDe(Fim[i]);
            if (sm >= em)
                continue;
            qint64 k = em - sm;
            if (Fim[i] == static_cast<double>(em) * kMinuto)
                --k; // the piece from the boundary to the end would be empty
            if (k > kMaximoDePedacos)
                continue;
            for (qint64 j = 1; j <= k; ++j) {
                const int p = i + static_cast<int>(j);
                inserirCopia(p);
                Fim[p - 1] = static_cast<double>(sm + j) * kMinuto;
                Minuto[p] = Minuto[p - 1] + 1;
                Inicio[p] = Fim[p - 1];
                Duracao[p] = Fim[p] - Inicio[p];
                Duracao[p - 1] = Fim[p - 1] - Inicio[p - 1];
                Frequencia[p] = 0;
                dividiu = true;
            }
        }
    }
}

QString TRegistro::TextoTempo(double valor) {
    // 'g' with 15 digits: no trailing zeros, no decimal point for whole
    // values, "." whatever the locale.
    return QString::number(valor + 0.0, 'g', 15);
}

QByteArray TRegistro::Texto() const {
    const QChar tab(QLatin1Char('\t'));
    QByteArray saida;
    for (int i = 0; i < Qde; ++i) {
        if (Fim[i] == AteProximo)
            continue;
        const QString linha = Posicao[i] + tab + Comportamento[i] + tab + TextoTempo(Inicio[i]) +
                              tab + TextoTempo(Fim[i]) + tab + TextoTempo(Duracao[i]) + tab +
                              QString::number(Minuto[i]) + tab + QString::number(Frequencia[i]);
        saida += Cp1252::codificar(linha);
        saida += "\r\n";
    }
    return saida;
}

void TRegistro::GravarTexto(const QString &caminhoBase) const {
    const QString caminho = caminhoBase + QStringLiteral(".txt");
    const TResultado r = TGravacao::Gravar(caminho, Texto(), TGravacao::Substituir);
    if (!r) throw TErro(r.Mensagem(QStringLiteral("Cannot create file %1 (%2)")));
}
