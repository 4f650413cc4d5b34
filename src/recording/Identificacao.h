#pragma once

#include <QChar>
#include <QString>

// What an animal's identification may hold. It names the record file
// (identification + ".tvl", or + "_T1.tvl" / "_T2.tvl") and its raw files
// (identification + "1.txt" / "2.txt") in the experiment folder, and is
// written into the record header in Windows-1252, so it never holds a blank,
// a path separator, an extension dot or a character that encoding cannot
// hold. The session window filters typed and pasted text with these rules;
// the replay command checks its --id with them.
namespace Identificacao {

// Longest identification, in characters: keeps every file name built from it
// well within the file system's limit of 255 bytes.
constexpr int TamanhoMaximo = 100;

// Filter of one typed character (the key press of the name field). Dropped:
// blanks, ! # $ % & ( ) * + , - . / < = > ? [ \ ] ^ { | } ~, the at sign,
// the grave accent, and characters Windows-1252 cannot hold. Letters
// (accented ones too), digits, apostrophe, double quote, colon, semicolon,
// underscore and the like pass, and so do control keys (backspace...), which
// edit the field rather than enter text.
bool CaractereAceito(QChar c);

// The text with every character dropped that CaractereAceito refuses or that
// is a control character (for pasted text); cut to TamanhoMaximo.
QString Filtrar(const QString &texto);

// True when the text is a usable identification: not empty, at most
// TamanhoMaximo characters, and Filtrar leaves it unchanged.
bool Valida(const QString &texto);

} // namespace Identificacao
