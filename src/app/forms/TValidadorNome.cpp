#include "TValidadorNome.h"

#include "core/Cp1252.h"

// The 27 characters of the original program plus "/", which on this system
// would put the profile file inside another folder.
const QString TValidadorNome::RecusadosUsuario = QStringLiteral("!#$%&()*+,-.<=>?@[\\]^_`{|}~/");
// An experiment name is a section and a folder name: "/" and the brackets
// are among the 28.
const QString TValidadorNome::RecusadosExperimento =
    QStringLiteral("!#$%&()*+,-./<=>?@[\\]^`{|}~ ");

TValidadorNome::TValidadorNome(const QString &recusados, QObject *parent)
    : QValidator(parent), m_recusados(recusados) {}

bool TValidadorNome::Aceito(QChar c) const {
    return !m_recusados.contains(c) && c.isPrint() && Cp1252::representavel(c);
}

QValidator::State TValidadorNome::validate(QString &texto, int &posicao) const {
    // Drop what is refused instead of refusing the whole edit: a paste keeps
    // its acceptable characters, and the cursor stays behind the last
    // character that was actually inserted.
    int antes = 0;
    QString limpo;
    limpo.reserve(texto.size());
    for (int i = 0; i < texto.size(); ++i) {
        if (Aceito(texto[i])) {
            limpo.append(texto[i]);
        } else if (i < posicao) {
            ++antes;
        }
    }
    if (limpo.size() != texto.size()) {
        texto = limpo;
        posicao -= antes;
    }
    return Acceptable;
}

void TValidadorNome::fixup(QString &texto) const {
    int posicao = 0;
    validate(texto, posicao);
}
