#pragma once

#include <QString>

// How the core reaches the person at the keyboard: message boxes, Yes/No
// questions and the beep. The windows hand in an implementation built on
// message boxes; tests and the command-line tool hand in their own.
class TInteracao {
public:
    virtual ~TInteracao() = default;

    // A message box with an OK button; returns when it was closed.
    virtual void Mensagem(const QString &texto) = 0;
    // A Yes/No question; true for Yes.
    virtual bool Confirmar(const QString &texto) = 0;
    // The system beep.
    virtual void Bipe() = 0;
};
