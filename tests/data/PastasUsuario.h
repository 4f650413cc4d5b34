#pragma once

// The folders the file-manager tests work on: one temporary root and, for
// each test, a fresh user folder in it holding Exp1/rato1.tvl ("um"),
// Exp1/notas.txt ("notas") and an older record ("nove") elsewhere.

#include "core/Arquivos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace PastasUsuario {

// Writes the file, making its folders.
inline void gravar(const QString &caminho, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("cannot write");
}

inline QByteArray ler(const QString &caminho) {
    QByteArray b;
    Arquivos::lerTudo(caminho, &b);
    return b;
}

class Raiz : public QTemporaryDir {
public:
    // A new user folder "u<n>" with the files above, the older record at
    // `antigo` (relative to the folder).
    QString nova(const QString &antigo) {
        const QString pasta = filePath(QStringLiteral("u%1").arg(++m_n));
        gravar(pasta + "/Exp1/rato1.tvl", "um");
        gravar(pasta + "/Exp1/notas.txt", "notas");
        gravar(pasta + QLatin1Char('/') + antigo, "nove");
        return pasta;
    }

private:
    int m_n = 0;
};

} // namespace PastasUsuario
