#pragma once

#include <QString>

class TInteracao;

// The language-choice file "idiomas/idioma.ini" of one data directory:
// section "idioma", key "lingua" (index of the current language, 0 to 5) and
// key "configurado" (1 once a language has been confirmed in the login
// window, 0 to have the login window ask again).
//
// Holds only the data directory; every read looks at the file as it is now.
// A missing file, a missing key or a value outside 0 to 5 means "no language":
// no language file, so every window text reads "ERRO".
//
// The six languages, by index:
//   0 "idiomas/portugues.ini" "Português"   3 "idiomas/alemao.ini"   "Deutsch"
//   1 "idiomas/ingles.ini"    "English"     4 "idiomas/italiano.ini" "Italiano"
//   2 "idiomas/frances.ini"   "Français"    5 "idiomas/espanhol.ini" "Español"
class TEscolhaIdioma {
public:
    static const int QdeIdiomas = 6;

    // diretorio: the data directory, ending with "/".
    explicit TEscolhaIdioma(const QString &diretorio);

    // Path of the choice file: data directory + "idiomas/idioma.ini".
    QString FileName() const;

    // "lingua" as stored, or padrao when missing or not a number. (The
    // language file is resolved with -1 as default; the login window shows a
    // language's name with 0 as default.)
    int Lingua(int padrao) const;
    // "configurado" nonzero (default 0).
    bool Confirmado() const;

    // The current language file: data directory + the file of "lingua";
    // empty when "lingua" is missing or outside 0 to 5. The file itself need
    // not exist.
    QString ArquivoIdioma() const;

    // Confirm a language: writes "lingua" = lingua and "configurado" = 1,
    // creating the "idiomas" folder and the file when they are missing.
    // An index outside 0 to 5 writes nothing. When the file cannot be written
    // the user is told (the write error) and false is returned; the stored
    // choice is then as before or, if only the second key failed, has the new
    // index but stays unconfirmed.
    bool Confirmar(int lingua, TInteracao *interacao);

    // Ask for a new choice at the next login window: writes "configurado" = 0
    // and leaves "lingua" as it is. Failure as for Confirmar.
    bool PedirNovaEscolha(TInteracao *interacao);

    // File of a language relative to the data directory
    // ("idiomas/ingles.ini"); empty for an index outside 0 to 5.
    static QString ArquivoRelativo(int lingua);
    // Name shown for a language ("English"); empty outside 0 to 5.
    static QString NomeIdioma(int lingua);

    static const QString Secao;            // "idioma"
    static const QString ChaveLingua;      // "lingua"
    static const QString ChaveConfigurado; // "configurado"
    static const QString Relativo;         // "idiomas/idioma.ini"

private:
    bool gravar(int lingua, bool confirmar, TInteracao *interacao);

    QString m_diretorio;
};
