#pragma once

#include "TExperimento.h"

#include <QString>
#include <QStringList>

// The logged-in user: the paths of the user's files under the data directory
// and the current experiment. One program-wide instance, created with the
// data directory at start-up and again at every log-off; Carregar is called
// once, at login. Before that only the data directory is known (the login
// dialogs use it to list and create users).
//
// Every path is the data directory (which ends with "/") immediately
// followed by a relative path.
class TUsuario {
public:
    explicit TUsuario(const QString &diretorioDados);

    // The current experiment's settings, behaviours and open-window flags.
    TExperimento Experimento;
    QString Nome;
    // Profile file: data directory + "usuarios/" + Nome + ".ini".
    QString Arquivo;
    // User folder: data directory + "usuarios/" + Nome + "/"; one folder per
    // experiment inside it.
    QString Pasta;
    // Maze library: data directory + "Labirintos.ini".
    QString ArquivoLabirintos;
    // Current language file; empty until a valid language choice is read.
    QString ArquivoIdioma;

    const QString &DiretorioDados() const { return m_diretorioDados; }

    // Sets Nome and the paths for the named user, and ArquivoIdioma from the
    // language choice file (data directory + "idiomas/idioma.ini", section
    // "idioma", key "lingua" 0..5); a missing file or another value leaves
    // ArquivoIdioma as it was.
    void Carregar(const QString &nome);

    // Paths of a user's profile file and folder, for the login dialogs that
    // list and create users before anyone is loaded.
    static QString ArquivoDoUsuario(const QString &diretorioDados, const QString &nome);
    static QString PastaDoUsuario(const QString &diretorioDados, const QString &nome);
    // Folder holding every profile file and user folder.
    static QString PastaUsuarios(const QString &diretorioDados);
    // The users of a data directory: the names of the profile files
    // "usuarios/<name>.ini" without ".ini" (that end matched without regard
    // to letter case) that the user name rules accept, sorted alphabetically
    // without regard to letter case.
    static QStringList ListarUsuarios(const QString &diretorioDados);

private:
    QString m_diretorioDados;
};
