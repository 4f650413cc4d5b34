#pragma once

// Recordings described as lists of timed keys, for the journal and recovery
// tests: as a replay script, and as the rows the engine holds when the
// recording is ended at its last key.

#include "AmbienteSessao.h"
#include "TInteracaoFalsa.h"

#include "core/TLabirinto.h"
#include "core/TUsuario.h"
#include "recording/TRelogioVirtual.h"
#include "recording/TSessao.h"

#include <QList>
#include <QStringList>

struct Tecla {
    qint64 ms;
    QString tecla; // "5", "esc", a digit, "+A" / "-A" letter down / up
};

namespace Gravacoes {

inline QByteArray roteiro(const QList<Tecla> &teclas) {
    QByteArray r;
    for (const Tecla &t : teclas) {
        QString e = t.tecla;
        if (e.startsWith('+')) e = "down " + e.mid(1);
        if (e.startsWith('-')) e = "up " + e.mid(1);
        r += QByteArray::number(t.ms) + ' ' + e.toUtf8() + '\n';
    }
    return r;
}

inline void tocar(TSessao &s, TRelogioVirtual &relogio, TDataHora t0, const Tecla &t) {
    relogio.AvancarAte(t0 + t.ms);
    if (t.tecla == "esc")
        s.TeclaPressionada(QChar(27));
    else if (t.tecla.startsWith('+'))
        s.TeclaAbaixada(t.tecla.at(1).unicode());
    else if (t.tecla.startsWith('-'))
        s.TeclaLiberada(t.tecla.at(1).unicode());
    else
        s.TeclaPressionada(t.tecla.at(0));
}

// The rows (entries, then behaviours) of a recording of experiment "exp"
// (AmbienteSessao, one start or two), made of
// `teclas` and ended at the last of them (no journal; a folder of its own).
inline QStringList linhasInterrompidas(const QList<Tecla> &teclas, int qdeInicios = 1,
                                       int tempo = 300) {
    AmbienteSessao amb;
    if (qdeInicios == 2)
        amb.configurar(2, tempo, 6, 4, 6, 2, 3);
    else
        amb.configurar(1, tempo, 6, 6, 0, 0, 3);
    TUsuario usuario(amb.dados);
    usuario.Carregar("ana");
    usuario.Experimento.Carregar(usuario.Arquivo, "exp");
    TLabirinto labirinto(amb.dados);
    TRelogioVirtual relogio;
    TInteracaoFalsa ia;
    TSessao s(usuario, labirinto, ia, relogio);
    s.DefinirDiario(false);
    s.Abrir();
    s.ConfirmarIdentificacao("ref");
    const TDataHora t0 = relogio.Agora();
    for (const Tecla &t : teclas)
        tocar(s, relogio, t0, t);
    s.Interromper();
    QStringList r;
    for (const TRegistro *g :
         {&s.Gravacao().RegistroEntradas, &s.Gravacao().RegistroComportamentos})
        for (const QByteArray &l : Arquivos::dividirLinhas(g->Texto()))
            r << Cp1252::decodificar(l);
    return r;
}

} // namespace Gravacoes
