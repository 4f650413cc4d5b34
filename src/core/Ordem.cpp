#include "Ordem.h"

#include <QPair>

#include <algorithm>

void OrdenarNomes(QStringList &nomes) {
    auto chave = [](const QString &nome) {
        QString k = nome.normalized(QString::NormalizationForm_D).toCaseFolded();
        k.removeIf([](QChar c) { return c.category() == QChar::Mark_NonSpacing; });
        return k;
    };
    QList<QPair<QString, QString>> ordem;
    ordem.reserve(nomes.size());
    for (const QString &nome : std::as_const(nomes))
        ordem.append({chave(nome), nome});
    std::sort(ordem.begin(), ordem.end());
    nomes.clear();
    for (const auto &par : std::as_const(ordem))
        nomes.append(par.second);
}
