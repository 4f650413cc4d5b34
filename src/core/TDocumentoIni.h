#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// One INI settings file held in memory: read from disk once when the object
// is made, read from memory after that, changed in memory, and written back
// in one step by Gravar. Everything that reads or writes a settings file goes
// through this class (TArquivoIni is a one-operation wrapper around it).
//
// Format: Windows-1252 text with CR LF line ends (CR-only and LF-only files
// are read too). "[name]" opens a section; "key=value" lines belong to the
// section above them; the value is everything after the first "=". Section
// and key names are compared without regard to letter case (accented letters
// included); the first occurrence of a key wins, even across repeated
// sections of the same name. Lines that are neither are kept untouched when
// the file is rewritten; every line is written back with CR LF.
//
// The document always reads as the file Gravar would write: a change stores
// its line as the file will hold it (characters Windows-1252 lacks become
// "?", a name that holds "=", "[" or a line break reads back the way the
// written line parses), so reading after a change gives what reading the
// written file gives. The bytes written are those of the same changes made
// one at a time, each writing the file: a line break inside a name is
// written as given by the last change that wrote, and as CR LF once another
// change has followed.
//
// Reads never fail: a missing or unreadable file reads as an empty one and a
// missing section or key gives the caller's default. Only Gravar touches the
// disk after loading.
class TDocumentoIni {
public:
    // An empty document of no file: reads give the defaults, Gravar fails.
    TDocumentoIni() = default;
    // Reads the whole file now. A missing file gives an empty document whose
    // first Gravar creates the file (its folder must exist).
    explicit TDocumentoIni(const QString &caminho);

    const QString &FileName() const { return m_caminho; }
    // True when the file was read (false: missing or unreadable).
    bool Lido() const { return m_lido; }
    // True when the file exists but could not be read: Gravar then refuses,
    // since it would replace content the document never saw.
    bool Ilegivel() const { return m_ilegivel; }

    // Values longer than 2047 characters are cut to their first 2047.
    QString ReadString(const QString &secao, const QString &chave, const QString &padrao) const;
    // Decimal, "0x"/"0X" + hex (more than two characters) or "$" + hex;
    // an empty or invalid text gives the default.
    int ReadInteger(const QString &secao, const QString &chave, int padrao) const;
    // ReadInteger with the default as 1 or 0; true when not 0.
    bool ReadBool(const QString &secao, const QString &chave, bool padrao) const;
    // True when the section holds at least one key.
    bool SectionExists(const QString &secao) const;
    // Keys of a section in file order, each name once (first spelling).
    QStringList ReadSection(const QString &secao) const;

    // Sets the key's value: the first occurrence in the first section of that
    // name keeps its spelling and place; a new key goes after the last key of
    // that section; a new section goes at the end, after a blank line. A line
    // break in the value becomes a blank.
    void WriteString(const QString &secao, const QString &chave, const QString &valor);
    void WriteInteger(const QString &secao, const QString &chave, int valor);
    void WriteBool(const QString &secao, const QString &chave, bool valor);
    // Removes every section of that name with all its lines. False when
    // there was none (nothing changed).
    bool EraseSection(const QString &secao);
    // Removes every occurrence of the key in the sections of that name.
    // False when there was none (nothing changed).
    bool DeleteKey(const QString &secao, const QString &chave);

    // The file as Gravar writes it.
    QByteArray Conteudo() const;
    // Replaces the file with the document in one step (Arquivos::gravarAtomico):
    // the file holds either its old content or the whole document, never a
    // mix. Writes even when nothing changed. Throws TErro("Unable to write to
    // <file>") when the file cannot be written: a missing folder, a folder in
    // its place, a read-only file (no write bits), an unreadable file or a
    // disk error.
    void Gravar();

    // Text of an integer setting as ReadInteger reads it; exposed for tests.
    static bool converterInteiro(const QString &texto, int *valor);

    // Settings files read from disk by all documents since the program
    // started; lets tests and benchmarks count the reads an operation makes.
    static qint64 Leituras();
    // The same for one file (its absolute path decides which).
    static qint64 Leituras(const QString &caminho);

private:
    // A parsed line. Only section headers and key lines are interpreted;
    // every other line is carried along verbatim.
    struct Linha {
        enum Tipo { Outra, Secao, Chave } tipo = Outra;
        QString texto;       // the line as the file holds it
        QString nome;        // section name (Secao) or key name (Chave)
        qsizetype valor = 0; // Chave: where the value starts in texto
        QByteArray fim;      // what ends the line in the file; empty: CR LF
    };
    // First occurrences of the keys of all sections sharing one name.
    struct Indice {
        QList<qsizetype> ordem;             // lines of the keys, file order
        QHash<QString, qsizetype> porChave; // case-folded key -> line
    };

    // The lines of bytes in the file's format, each with the bytes that
    // ended it (CR LF left empty).
    static QList<Linha> analisar(const QByteArray &bytes);
    // Replaces quantas lines from inicio with texto as the file will hold it.
    void substituir(qsizetype inicio, qsizetype quantas, const QString &texto);
    void indexar();
    // Every line ends with CR LF from now on.
    void normalizarFins();
    const Indice *indice(const QString &secao) const;
    const Linha *chave(const QString &secao, const QString &chave) const;

    QString m_caminho;
    bool m_lido = false;
    bool m_ilegivel = false;
    QList<Linha> m_linhas;
    // Some line has an end other than CR LF (see substituir).
    bool m_fins = false;
    // Case-folded section name -> its keys; rebuilt after every change.
    QHash<QString, Indice> m_secoes;
};
