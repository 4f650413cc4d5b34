#pragma once

// Reads back the cells of a sheet the writer produced: (row, column) ->
// value, 1-based. Labels come back as QString, NUMBER cells as double,
// INTEGER cells as int. A record cut short, a cell written twice or a
// document not ending in EOF is fatal.

#include "core/Cp1252.h"

#include <QFile>
#include <QMap>
#include <QPair>
#include <QVariant>

#include <cstring>

namespace LeitorPlanilha {

using Celulas = QMap<QPair<int, int>, QVariant>;

inline Celulas lerArquivo(const QString &caminho) {
    QFile f(caminho);
    const QByteArray b = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    auto u16 = [&b](qsizetype i) { return quint16(quint8(b[i]) | (quint8(b[i + 1]) << 8)); };
    Celulas c;
    qsizetype i = 0;
    quint16 id = 0;
    for (; i + 4 <= b.size() && i + 4 + u16(i + 2) <= b.size(); i += 4 + u16(i + 2)) {
        id = u16(i);
        const qsizetype p = i + 4;
        if (id != 0x0002 && id != 0x0003 && id != 0x0004) continue;
        const QPair<int, int> rc(u16(p) + 1, u16(p + 2) + 1);
        if (c.contains(rc))
            qFatal("%s: cell %d,%d written twice", qPrintable(caminho), rc.first, rc.second);
        if (id == 0x0002) {
            c.insert(rc, int(u16(p + 7)));
        } else if (id == 0x0003) {
            double d;
            std::memcpy(&d, b.constData() + p + 7, 8);
            c.insert(rc, d);
        } else {
            c.insert(rc, Cp1252::decodificar(b.mid(p + 8, quint8(b[p + 7]))));
        }
    }
    if (b.isEmpty() || i != b.size() || id != 0x000A)
        qFatal("%s: not a whole sheet ending with EOF", qPrintable(caminho));
    return c;
}

inline quint16 u16(const QByteArray &b, qsizetype i) {
    return static_cast<quint16>(static_cast<quint8>(b[i]) | (static_cast<quint8>(b[i + 1]) << 8));
}

// Returns false (with *erro) on a malformed document.
inline bool ler(const QByteArray &b, Celulas *celulas, QString *erro) {
    celulas->clear();
    qsizetype i = 0;
    bool fim = false;
    while (i + 4 <= b.size()) {
        const quint16 id = u16(b, i), n = u16(b, i + 2);
        const qsizetype corpo = i + 4;
        if (corpo + n > b.size()) {
            *erro = QStringLiteral("record cut short");
            return false;
        }
        if (id == 0x0002 || id == 0x0003 || id == 0x0004) {
            const QPair<int, int> rc(u16(b, corpo) + 1, u16(b, corpo + 2) + 1);
            QVariant v;
            if (id == 0x0002) {
                v = int(u16(b, corpo + 7));
            } else if (id == 0x0003) {
                double d;
                std::memcpy(&d, b.constData() + corpo + 7, 8);
                v = d;
            } else {
                v = Cp1252::decodificar(b.mid(corpo + 8, static_cast<quint8>(b[corpo + 7])));
            }
            if (celulas->contains(rc)) {
                *erro = QStringLiteral("cell %1,%2 written twice").arg(rc.first).arg(rc.second);
                return false;
            }
            celulas->insert(rc, v);
        } else if (id == 0x000A) {
            fim = true;
        }
        i = corpo + n;
    }
    if (!fim || i != b.size()) {
        *erro = QStringLiteral("no EOF at the end");
        return false;
    }
    return true;
}

// Values of row `l` from column `de` to `ate` (missing cells: invalid).
inline QVariantList faixa(const Celulas &c, int l, int de, int ate) {
    QVariantList r;
    for (int col = de; col <= ate; ++col)
        r << c.value(qMakePair(l, col));
    return r;
}

// Expected values written "1,r1,,50": numbers where they read as one,
// otherwise labels; nothing between two commas is an empty cell.
inline QVariantList valores(const char *lista) {
    QVariantList r;
    for (const QString &t : QString::fromUtf8(lista).split(QLatin1Char(','))) {
        bool numero = false;
        const double d = t.toDouble(&numero);
        r << (t.isEmpty() ? QVariant() : numero ? QVariant(d) : QVariant(t));
    }
    return r;
}

// (last row, last column) holding a cell.
inline QPair<int, int> extensao(const Celulas &c) {
    QPair<int, int> m(0, 0);
    for (auto it = c.cbegin(); it != c.cend(); ++it)
        m = {std::max(m.first, it.key().first), std::max(m.second, it.key().second)};
    return m;
}

} // namespace LeitorPlanilha
