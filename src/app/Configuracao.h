#pragma once

#include "TIntervalo.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class TExperimento;
class TUsuario;

// The settings of an experiment as the configuration dialogs take them
// (maze, distance, session length, number of starts) and as the
// configuration display shows them.
namespace Configuracao {

inline constexpr TIntervalo Distancia{0, 100, 1};
inline constexpr TIntervalo Duracao{10, 9990, 10};

// What a dialog holds; the built-in values are those a dialog starts with.
struct TValores {
    QString Labirinto; // empty: none chosen
    int Distancia = 10;
    int Duracao = 300;
    int Inicios = 1;
};

enum class TResultado {
    Salvo,
    SemLabirinto // no maze chosen: nothing written
};

// The mazes a dialog offers: the pick list of the user's maze library.
QStringList Labirintos(const TUsuario &usuario);

// Saves the settings of the user's experiment `nome`: the current experiment
// is loaded from the profile (so that "DivisoesDaSecao" is the experiment's
// own, 10 when it has none), takes the values (distance and duration moved
// into their ranges, any number of starts but 2 counting as 1) and is
// written in one profile write (Perfil::SalvarConfiguracoes: "Configurado"
// 1, "Labirinto", "Distancia", "QdeInicios", "DivisoesDaSecao",
// "TempoSecao"); then it is loaded again from the file.
// Throws TErro when the profile cannot be written: the file is unchanged and
// the current experiment holds what the file holds.
TResultado Salvar(TUsuario &usuario, const QString &nome, const TValores &valores);

// What the configuration display shows of the current experiment: the maze,
// the three numbers in decimal, the catalogue number ("CompTipo" from its
// fifth character on) and, for a configured experiment, one row per
// behaviour in letter order (letter, name).
struct TResumo {
    QString Labirinto, Distancia, Duracao, Inicios, Padrao;
    QList<QPair<QString, QString>> Comportamentos;
};
TResumo Resumo(const TExperimento &experimento);

} // namespace Configuracao
