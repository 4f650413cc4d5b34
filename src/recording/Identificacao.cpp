#include "Identificacao.h"

#include "core/Cp1252.h"

namespace Identificacao {

namespace {
const QString kRecusados = QStringLiteral("!#$%&()*+,-./<=>?[\\]^{|}~@`");
} // namespace

bool CaractereAceito(QChar c) {
    if (c.category() == QChar::Other_Control) return true;
    if (c.isSpace()) return false;
    if (kRecusados.contains(c)) return false;
    return Cp1252::representavel(c);
}

QString Filtrar(const QString &texto) {
    QString r;
    for (const QChar c : texto) {
        if (r.size() >= TamanhoMaximo) break;
        if (c.category() != QChar::Other_Control && CaractereAceito(c)) r.append(c);
    }
    return r;
}

bool Valida(const QString &texto) {
    return !texto.isEmpty() && texto.size() <= TamanhoMaximo && Filtrar(texto) == texto;
}

} // namespace Identificacao
