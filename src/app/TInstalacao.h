#pragma once

#include <QString>
#include <QStringList>

class TInteracao;

// Where the program keeps its data, and what a data directory gets from the
// program itself.
//
// The data directory is named by "Instalacao.ini" in the working directory
// (section "Diretorio", key "Path"; the program never writes that file). A
// relative Path is taken relative to the working directory; a missing file or
// an empty Path gives the per-user default folder (DiretorioPadrao), created
// when it does not exist yet. The result is always an absolute path ending
// with "/", used verbatim as the prefix of every data path.
//
// The program carries the files a working installation needs - the maze
// library "Labirintos.ini" and the language files "idiomas/*.ini" (the six
// languages and the initial language choice) - as embedded resources under
// PastaDistribuida(). At start-up each of them that the data directory lacks
// is copied there; a file that exists is never replaced, so the user's mazes
// and language choice survive every start.
class TInstalacao {
public:
    static const QString ArquivoInstalacao; // "Instalacao.ini"

    // The data directory named by pastaTrabalho + "/Instalacao.ini", absolute
    // and ending with "/"; padrao when the file, the key or its value is
    // missing (blanks around the value are ignored, "\" counts as "/").
    // *configurado (when given) tells whether Path named a directory.
    static QString LerDiretorio(const QString &pastaTrabalho, const QString &padrao,
                                bool *configurado = nullptr);

    // The per-user default: the user's data folder + "/Trevalin/"
    // (~/.local/share/Trevalin/ unless XDG_DATA_HOME says otherwise). The
    // same for the windowed program and the command-line tool.
    static QString DiretorioPadrao();

    // Folder of the files the program ships (embedded resources).
    static QString PastaDistribuida();

    // The shipped files found in origem, as paths relative to it:
    // "Labirintos.ini" (when present) then "idiomas/<name>.ini" sorted.
    static QStringList ArquivosDistribuidos(const QString &origem);

    // Copies every shipped file of origem that diretorio lacks, creating the
    // "idiomas" folder when needed. Never replaces an existing file. Each
    // copy is written in one step, so an interrupted start leaves no
    // half-written file behind (which would then never be replaced).
    // *copiados receives the relative paths copied. Returns false when a
    // file could not be copied (the others are still copied); *erro then
    // says which and why.
    static bool CompletarDiretorio(const QString &diretorio, const QString &origem,
                                   QStringList *copiados = nullptr, QString *erro = nullptr);

    // The start-up step: reads the installation file of pastaTrabalho,
    // creates the default folder when it is used and missing, completes the
    // directory from origem, and returns the data directory. Problems are
    // told to the user and never stop the start (the program then runs with
    // what is there):
    //  - a configured directory that does not exist is reported and left
    //    alone (it may be a disk that is not mounted: creating it would put
    //    the recordings somewhere the user does not expect);
    //  - a default folder that cannot be created, or files that cannot be
    //    copied, are reported.
    static QString PrepararDiretorio(TInteracao *interacao, const QString &pastaTrabalho,
                                     const QString &padrao, const QString &origem);
    // Same with the working directory, DiretorioPadrao() and PastaDistribuida().
    static QString PrepararDiretorio(TInteracao *interacao);
};
