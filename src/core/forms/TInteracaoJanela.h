#pragma once

#include "core/TInteracao.h"

#include <QPointer>
#include <QWidget>

// The windows' way of telling the user something: message boxes and Yes/No
// boxes over the window that is active at that moment (a dialog that asks
// something gets its answer in front of it), or over the fallback window
// when none is active. The beep is the system's.
class TInteracaoJanela : public TInteracao {
public:
    explicit TInteracaoJanela(QWidget *janela = nullptr);

    void DefinirJanela(QWidget *janela) { m_janela = janela; }

    void Mensagem(const QString &texto) override;
    bool Confirmar(const QString &texto) override;
    void Bipe() override;

private:
    QWidget *pai() const;

    QPointer<QWidget> m_janela;
};
