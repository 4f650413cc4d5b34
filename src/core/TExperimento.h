#pragma once

#include "TStatus.h"

#include <QString>

#include <array>

class TDocumentoIni;

// Settings of the current experiment as the user's profile file holds them,
// its behaviour list and its state table, and the flags of the
// single-instance windows that are open. One program-wide instance, owned by
// the current user; reloaded (Carregar) whenever an experiment is selected,
// opened, configured or analysed. Between loads it keeps the values of the
// last experiment loaded; the configuration dialogs start from them.
class TExperimento {
public:
    // Indices of JanelaAberta.
    enum Janela {
        JanelaSessao = 0,
        JanelaAnalise,
        JanelaVideo,
        JanelaVisualizar,
        JanelaGerenciadorArquivos,
        JanelaTeclado,
        JanelaNovoLabirinto,
        QdeJanelas
    };

    // Behaviours of the experiment in letter order, with their on/off state.
    TStatus Status;
    // Experiment name (its section in the profile file).
    QString Nome;
    bool Configurado = false;
    // 1 start square, or 2 (a free phase, then a fixed phase).
    int QdeInicios = 1;
    // Start square of the fixed phase (the only one with one start).
    int InicioX1 = 0;
    int InicioY1 = 0;
    // Start square of the free phase.
    int InicioX2 = 0;
    int InicioY2 = 0;
    // Session length in seconds; 0 when the profile holds a value that is not
    // a number (or not a 32-bit one).
    int TempoSecao = 300;
    // Maze name (section of the maze library).
    QString Labirinto;
    // Kept and rewritten by the configuration dialogs; nothing else uses it.
    int DivisoesDaSecao = 10;
    // Distance in centimetres, copied into the record header.
    int Distancia = 10;
    // Comp[0]: behaviour list in use ("Comp1".."Comp4", empty for none).
    // Comp[n], n = 1..26: behaviour on the letter with code 64 + n; empty
    // when the letter has none.
    std::array<QString, 27> Comp;
    // Restart after a fall: 1 free-phase start, 2 fixed-phase start, 3 where
    // the animal was; 0 never chosen.
    int ComecoQueda = 0;
    // Single-instance windows that are open (indexed by Janela); all false
    // when the object is created.
    std::array<bool, QdeJanelas> JanelaAberta{};

    // Loads the experiment's section of the profile file (every missing key
    // takes its default) and rebuilds Status from the behaviour list it
    // names: one behaviour per non-empty name, in letter order A to Z.
    // Never fails: a missing file or section gives the defaults. Reads the
    // file once.
    void Carregar(const QString &arquivoPerfil, const QString &nome);
    // The same from a profile already read: a caller that checks the
    // profile first reads it only once.
    void Carregar(const TDocumentoIni &perfil, const QString &nome);
};
