#include "Experimentos.h"

#include "core/Ordem.h"
#include "core/TArquivoIni.h"

#include <algorithm>

namespace {

const QString kSecao = QStringLiteral("Experimentos");

QStringList emOrdemDeCriacao(const QString &arquivoPerfil) {
    const TArquivoIni ini(arquivoPerfil);
    const int qde =
        std::min(ini.ReadInteger(kSecao, QStringLiteral("QdeExp"), 0), Experimentos::MaximoListado);
    // Only the keys the file holds are read (each read parses the file);
    // the others are empty names.
    QStringList nomes(std::max(qde, 0));
    const QStringList chaves = ini.ReadSection(kSecao);
    for (const QString &chave : chaves) {
        bool ok = false;
        const int k = chave.toInt(&ok);
        if (ok && k >= 1 && k <= qde && QString::number(k) == chave)
            nomes[k - 1] = ini.ReadString(kSecao, chave, QString());
    }
    return nomes;
}

} // namespace

namespace Experimentos {

QStringList Listar(const QString &arquivoPerfil) {
    QStringList nomes = emOrdemDeCriacao(arquivoPerfil);
    OrdenarNomes(nomes);
    return nomes;
}

bool EmUso(const QString &arquivoPerfil, const QString &nome) {
    return emOrdemDeCriacao(arquivoPerfil).contains(nome, Qt::CaseInsensitive);
}

} // namespace Experimentos
