#pragma once

#include "core/TDocumentoIni.h"

#include <QString>

// The texts of one language file ("idiomas/portugues.ini" and its five
// siblings in the data directory), read once when the object is made.
//
// A language file is a settings file: one section per window, named after the
// window's unit ("UnitMain", "UnitLabirinto"...), one key per text (a control
// name, the form name + "Caption", a control name + "Hint", or
// "T" + form + handler + "Message" + number). It is read as a TDocumentoIni:
// section and key names compared without regard to letter case, values taken
// as stored (first occurrence wins).
//
// Anything that cannot be found - no language chosen, a missing file, section
// or key - reads "ERRO": the window shows that word in place of the text and
// goes on working. Nothing is ever reported.
class TIdioma {
public:
    // The text of everything that cannot be found.
    static const QString Erro;

    // No language file: every text reads "ERRO".
    TIdioma() = default;
    // Reads the whole file now; an empty path or a missing file gives an
    // object whose every text reads "ERRO".
    explicit TIdioma(const QString &arquivo);

    const QString &Arquivo() const { return m_arquivo; }
    // True when the file could be read.
    bool Carregado() const { return m_textos.Lido(); }

    // The stored text, or "ERRO".
    QString Texto(const QString &secao, const QString &chave) const;

    // One look-up straight from the file as it is on disk now, for texts
    // read at the moment they are shown (messages, status-bar texts).
    static QString Ler(const QString &arquivo, const QString &secao, const QString &chave);

private:
    QString m_arquivo;
    // The whole file, read once.
    TDocumentoIni m_textos;
};
