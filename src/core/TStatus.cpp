#include "TStatus.h"

void TStatus::Adicionar(const QString &nome, quint16 tecla) {
    InicioComportamento.append(0);
    Nome.append(nome);
    Ativo.append(false);
    Tecla.append(tecla);
    Primeiro.append(1);
    ++Qde;
}

void TStatus::Zerar() {
    for (int i = 0; i < Qde; ++i) {
        Ativo[i] = false;
        InicioComportamento[i] = 0;
        Primeiro[i] = 1;
    }
}

void TStatus::Limpar() {
    InicioComportamento.clear();
    Nome.clear();
    Ativo.clear();
    Tecla.clear();
    Primeiro.clear();
    Qde = 0;
}
