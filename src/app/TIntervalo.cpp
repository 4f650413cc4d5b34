#include "TIntervalo.h"

int TIntervalo::Limitar(qint64 valor) const {
    if (valor < Minimo) return Minimo;
    if (valor > Maximo) return Maximo;
    return static_cast<int>(valor);
}

int TIntervalo::Ajustar(const QString &texto) const {
    const QString t = texto.trimmed();
    int inicio = 0;
    bool negativo = false;
    if (!t.isEmpty() && (t[0] == QLatin1Char('+') || t[0] == QLatin1Char('-'))) {
        negativo = t[0] == QLatin1Char('-');
        inicio = 1;
    }
    if (inicio >= t.size()) return Minimo;
    qint64 valor = 0;
    for (int i = inicio; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return Minimo;
        // Past any bound the digits that follow change nothing.
        if (valor < (qint64(1) << 40)) valor = valor * 10 + (c.unicode() - '0');
    }
    return Limitar(negativo ? -valor : valor);
}
