#include "Cp1252.h"

namespace {

// Unicode of bytes 0x80..0x9F; the undefined ones map to the C1 control.
const char16_t kAlto[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int paraByte(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i)
        if (kAlto[i] == u)
            return 0x80 + i;
    return -1;
}

} // namespace

namespace Cp1252 {

QString decodificar(const QByteArray &bytes) {
    QString s;
    s.resize(bytes.size());
    QChar *out = s.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        out[i] = (b >= 0x80 && b < 0xA0) ? QChar(kAlto[b - 0x80]) : QChar(b);
    }
    return s;
}

QByteArray codificar(const QString &texto) {
    QByteArray b;
    b.reserve(texto.size());
    for (QChar c : texto) {
        const int v = paraByte(c);
        b.append(v < 0 ? '?' : static_cast<char>(v));
    }
    return b;
}

bool representavel(QChar c) { return paraByte(c) >= 0; }

bool representavel(const QString &texto) {
    for (QChar c : texto)
        if (paraByte(c) < 0)
            return false;
    return true;
}

unsigned char codigo(QChar c) {
    const int v = paraByte(c);
    return static_cast<unsigned char>(v < 0 ? '?' : v);
}

} // namespace Cp1252
