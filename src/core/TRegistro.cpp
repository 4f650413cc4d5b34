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
    if (!std::isfinite(ms)) return 0;
    return static_cast<qint64>(qBound(-kMinutoMaximo, std::trunc(ms / kMinuto), kMinutoMaximo));
}

// Nearest 0.001, halves to even (the default rounding mode of the FPU).
// Adding 0.0 turns a -0 into 0 so that it is not written as "-0".
double arredondarMilesimo(double v) {
    return std::nearbyint(v * 1000.0) / 1000.0 + 0.0;
}

// How many pieces beyond the first a row is cut into at the minute
// boundaries: none when it starts and ends in the same minute; none for the
// minute that starts exactly at its end (that piece would be empty); none
// when it would take more than kMaximoDePedacos (a corrupt time).
qint64 pedacosDe(double inicio, double fim) {
    const qint64 sm = minutoDe(inicio);
    const qint64 em = minutoDe(fim);
    if (sm >= em) return 0;
    qint64 k = em - sm;
    if (fim == static_cast<double>(em) * kMinuto) --k;
    return k > kMaximoDePedacos ? 0 : k;
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
        if (Fim[i] != AteProximo && Fim[i] != AteProximoDoZero) continue;
        const bool ultima = i + 1 >= Qde;
        // Rows are closed in order, so the row before the first square of a
        // new phase (-2) ends where that phase began, on the old clock, before
        // the new phase's row is itself moved to 0.
        double fim = ultima ? T : Inicio[i + 1];
        if (Fim[i] == AteProximoDoZero) Inicio[i] = 0;
        if (ultima && fim < Inicio[i]) fim = Inicio[i];
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
    // One pass into new arrays: a row is followed by its pieces, which is
    // where the repeated passes of insertions in place put them, without
    // their cost growing with the square of the session's length.
    qint64 pedacos = 0;
    for (int i = 0; i < Qde; ++i)
        pedacos += pedacosDe(Inicio[i], Fim[i]);
    if (pedacos == 0) return;
    const qsizetype n = Qde + pedacos;
    QStringList posicao, comportamento;
    QList<double> inicio, fim, duracao;
    QList<int> frequencia, minuto;
    posicao.reserve(n);
    comportamento.reserve(n);
    inicio.reserve(n);
    fim.reserve(n);
    duracao.reserve(n);
    frequencia.reserve(n);
    minuto.reserve(n);
    for (int i = 0; i < Qde; ++i) {
        const qint64 k = pedacosDe(Inicio[i], Fim[i]);
        const qint64 sm = minutoDe(Inicio[i]);
        double de = Inicio[i];
        for (qint64 j = 0; j <= k; ++j) {
            // Every piece but the last ends on the next boundary.
            const double ate = j < k ? static_cast<double>(sm + j + 1) * kMinuto : Fim[i];
            posicao.append(Posicao[i]);
            comportamento.append(Comportamento[i]);
            inicio.append(de);
            fim.append(ate);
            duracao.append(k == 0 ? Duracao[i] : ate - de);
            frequencia.append(j == 0 ? Frequencia[i] : 0);
            minuto.append(Minuto[i] + static_cast<int>(j));
            de = ate;
        }
    }
    Posicao = std::move(posicao);
    Comportamento = std::move(comportamento);
    Inicio = std::move(inicio);
    Fim = std::move(fim);
    Duracao = std::move(duracao);
    Frequencia = std::move(frequencia);
    Minuto = std::move(minuto);
    Qde = static_cast<int>(n);
}

namespace {

// Whole numbers below 10^15 are written by 'g' with 15 digits as their plain
// digits; they are all a recording holds (times in whole milliseconds), so
// they skip the general conversion.
const double kInteiroMaximo = 1e15;

bool inteiro(double v) {
    return std::fabs(v) < kInteiroMaximo && v == std::trunc(v);
}

void anexarInteiro(QByteArray &saida, qint64 v) {
    char buf[24];
    char *fim = buf + sizeof buf, *p = fim;
    const bool negativo = v < 0;
    quint64 u = negativo ? quint64(0) - quint64(v) : quint64(v);
    do {
        *--p = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    if (negativo) *--p = '-';
    saida.append(p, fim - p);
}

void anexarTempo(QByteArray &saida, double v) {
    v += 0.0;
    if (inteiro(v))
        anexarInteiro(saida, static_cast<qint64>(v));
    else
        saida.append(Cp1252::codificar(QString::number(v, 'g', 15)));
}

// The Windows-1252 bytes of a name; names repeat from row to row, so the
// last one is kept.
class TCodificados {
public:
    const QByteArray &operator()(const QString &nome) {
        if (!m_valido || nome != m_nome) {
            m_nome = nome;
            m_bytes = Cp1252::codificar(nome);
            m_valido = true;
        }
        return m_bytes;
    }

private:
    bool m_valido = false;
    QString m_nome;
    QByteArray m_bytes;
};

} // namespace

QString TRegistro::TextoTempo(double valor) {
    // 'g' with 15 digits: no trailing zeros, no decimal point for whole
    // values, "." whatever the locale.
    valor += 0.0;
    if (inteiro(valor)) return QString::number(static_cast<qint64>(valor));
    return QString::number(valor, 'g', 15);
}

QByteArray TRegistro::Texto() const {
    QByteArray saida;
    saida.reserve(qsizetype(Qde) * 40);
    TCodificados posicao, comportamento;
    for (int i = 0; i < Qde; ++i) {
        if (Fim[i] == AteProximo) continue;
        saida += posicao(Posicao[i]);
        saida += '\t';
        saida += comportamento(Comportamento[i]);
        saida += '\t';
        anexarTempo(saida, Inicio[i]);
        saida += '\t';
        anexarTempo(saida, Fim[i]);
        saida += '\t';
        anexarTempo(saida, Duracao[i]);
        saida += '\t';
        anexarInteiro(saida, Minuto[i]);
        saida += '\t';
        anexarInteiro(saida, Frequencia[i]);
        saida += "\r\n";
    }
    return saida;
}

void TRegistro::GravarTexto(const QString &caminhoBase) const {
    GravarTexto(caminhoBase, Texto());
}

void TRegistro::GravarTexto(const QString &caminhoBase, const QByteArray &texto) {
    const QString caminho = caminhoBase + QStringLiteral(".txt");
    const TResultado r = TGravacao::Gravar(caminho, texto, TGravacao::Substituir);
    if (!r) throw TErro(r.Mensagem(QStringLiteral("Cannot create file %1 (%2)")));
}
