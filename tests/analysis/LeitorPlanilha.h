#pragma once

// Reads back the cells of a sheet the writer produced: (row, column) -> value,
// 1-based. Labels come back as QString, NUMBER cells as double, INTEGER
// cells as int. A cell written twice is an error.

#include "core/Cp1252.h"

#include <QByteArray>
#include <QFile>
#include <QMap>
#include <QPair>
#include <QVariant>

#include <cstring>

namespace LeitorPlanilha {

using Celulas = QMap<QPair<int, int>, QVariant>;

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

inline Celulas lerArquivo(const QString &caminho) {
    QFile f(caminho);
    Celulas c;
    QString erro;
    if (!f.open(QIODevice::ReadOnly) || !ler(f.readAll(), &c, &erro))
        qFatal("cannot read the sheet %s: %s", qPrintable(caminho), qPrintable(erro));
    return c;
}

// Values of one row from column `de` to `ate` (missing cells: invalid).
inline QVariantList linha(const Celulas &c, int l, int de, int ate) {
    QVariantList r;
    for (int col = de; col <= ate; ++col)
        r << c.value(qMakePair(l, col));
    return r;
}

inline int ultimaLinha(const Celulas &c) {
    int m = 0;
    for (auto it = c.cbegin(); it != c.cend(); ++it)
        m = std::max(m, it.key().first);
    return m;
}

inline int ultimaColuna(const Celulas &c) {
    int m = 0;
    for (auto it = c.cbegin(); it != c.cend(); ++it)
        m = std::max(m, it.key().second);
    return m;
}

} // namespace LeitorPlanilha
