#pragma once

#include <QString>
#include <stdexcept>

// An operation that could not be completed (a file that cannot be written, a
// number that does not parse...). Carries the text shown to the user; the
// caller that started the operation catches it and shows it in a message box.
class TErro : public std::runtime_error {
public:
    explicit TErro(const QString &mensagem)
        : std::runtime_error(mensagem.toStdString()), m_mensagem(mensagem) {}
    const QString &mensagem() const { return m_mensagem; }

private:
    QString m_mensagem;
};
