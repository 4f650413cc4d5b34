#include "TValidadorComportamento.h"

#include "app/Catalogo.h"

QValidator::State TValidadorComportamento::validate(QString &texto, int &posicao) const {
    texto = Catalogo::Normalizar(texto, &posicao);
    return Acceptable;
}

void TValidadorComportamento::fixup(QString &texto) const {
    texto = Catalogo::Normalizar(texto);
}
