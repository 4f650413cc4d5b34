#pragma once

#include <QByteArray>
#include <QString>

// Conversion between the program's Unicode text and the Windows-1252 bytes of
// every file it reads and writes (settings files, raw and record files,
// spreadsheet labels). Decoding never fails: the five bytes Windows-1252
// leaves undefined decode to the C1 control of the same value, so any byte
// string survives a decode/encode round trip.
namespace Cp1252 {

QString decodificar(const QByteArray &bytes);

// Characters Windows-1252 cannot hold become '?'.
QByteArray codificar(const QString &texto);

bool representavel(QChar c);
bool representavel(const QString &texto);

// Windows-1252 code of a representable character (used by the spreadsheet writer).
unsigned char codigo(QChar c);

} // namespace Cp1252
