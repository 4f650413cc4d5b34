#pragma once

#include "Configuracao.h"

#include <QString>

class TUsuario;

// The two stages of the new-experiment dialog: naming, then configuring.
//
// Naming registers the name in the user's profile (Perfil::CriarExperimento:
// folder, list entry and the eleven keys of a new experiment) and loads the
// new experiment as the current one; only then does configuring begin, and
// it saves the settings of that experiment alone (Configuracao::Salvar).
// Works on the user given at creation, which must outlive it.
class TNovoExperimento {
public:
    enum TEtapa { Nomeando, Configurando };

    enum class TRegistro {
        Registrado,
        VazioOuEmUso, // empty, or a listed name without regard to case: nothing written
        Recusado,     // a name that cannot be a section and folder name: nothing written
        Falhou        // the folder or the profile could not be written: nothing is left
                      // half made
    };

    explicit TNovoExperimento(TUsuario &usuario);

    TEtapa Etapa() const { return m_etapa; }
    // The registered name (empty while naming).
    const QString &Nome() const { return m_nome; }

    // Registers the name (naming stage only; later calls change nothing and
    // give Recusado). The reason of a refusal or failure, for the user, goes
    // to *erro when given.
    TRegistro Registrar(const QString &nome, QString *erro = nullptr);

    // Saves the settings (configuring stage only; before that the result is
    // SemLabirinto and nothing is written). Throws TErro as
    // Configuracao::Salvar does.
    Configuracao::TResultado Salvar(const Configuracao::TValores &valores);

private:
    TUsuario &m_usuario;
    TEtapa m_etapa = Nomeando;
    QString m_nome;
};
