#include "TResultado.h"

#include <cstring>

TResultado TResultado::Sucesso(const QString &caminho) {
    return TResultado(caminho, Nenhuma, QString());
}

TResultado TResultado::Recusa(const QString &caminho, Causa causa) {
    QString motivo;
    switch (causa) {
    case SemNome:
        motivo = QStringLiteral("no file name was given");
        break;
    case PastaInexistente:
        motivo = QStringLiteral("the folder does not exist");
        break;
    case EhPasta:
        motivo = QStringLiteral("it is a folder");
        break;
    case SomenteLeitura:
        motivo = QStringLiteral("the file is read-only");
        break;
    case Existente:
        motivo = QStringLiteral("the file already exists");
        break;
    case Nenhuma:
    case Sistema:
        // Not refusals of the program's own: a failure must carry a reason.
        causa = Sistema;
        motivo = QStringLiteral("the file cannot be written");
        break;
    }
    return TResultado(caminho, causa, motivo);
}

TResultado TResultado::FalhaDoSistema(const QString &caminho, int erro) {
    return TResultado(caminho, Sistema, TextoDoSistema(erro));
}

TResultado TResultado::FalhaDoEscritor(const QString &caminho, const QString &motivo) {
    return TResultado(caminho, Sistema,
                      motivo.isEmpty() ? QStringLiteral("the file cannot be written") : motivo);
}

QString TResultado::Mensagem(const QString &modelo) const {
    return Mensagem(modelo, m_caminho);
}

QString TResultado::Mensagem(const QString &modelo, const QString &caminhoMostrado) const {
    return modelo.arg(caminhoMostrado, m_motivo);
}

QString TResultado::TextoDoSistema(int erro) {
    // errno 0 would read "Success": a failure whose number got lost still
    // says that the system refused.
    if (erro == 0) return QStringLiteral("the system refused the operation");
    return QString::fromLocal8Bit(std::strerror(erro));
}
