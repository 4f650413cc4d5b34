#pragma once

#include "core/TInteracao.h"

#include <QStringList>

// Records what the core would have shown and answers questions from a
// preset list (Yes when the list is empty).
class TInteracaoFalsa : public TInteracao {
public:
    QStringList mensagens;
    QStringList perguntas;
    QList<bool> respostas;
    int bipes = 0;

    void Mensagem(const QString &texto) override { mensagens.append(texto); }
    bool Confirmar(const QString &texto) override {
        perguntas.append(texto);
        return respostas.isEmpty() ? true : respostas.takeFirst();
    }
    void Bipe() override { ++bipes; }
};
