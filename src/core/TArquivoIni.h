#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// One INI settings file (installation file, language files, maze library,
// user profiles). Holds nothing but the path: every read looks at the file as
// it is on disk now, every write has reached the disk when it returns.
//
// Format: Windows-1252 text with CR LF line ends (CR-only and LF-only files
// are read too). "[name]" opens a section; "key=value" lines belong to the
// section above them; the value is everything after the first "=". Section
// and key names are compared without regard to letter case (accented letters
// included). Lines that are neither are kept untouched when the file is
// rewritten.
//
// Reads never fail: a missing file, section or key gives the caller's default.
// Writes throw TErro("Unable to write to <file>") when the file cannot be
// written: a missing folder, a read-only file (no write bits) or a disk
// error. A write replaces the file in one step, so it is never left half
// written.
class TArquivoIni {
public:
    explicit TArquivoIni(const QString &caminho);

    const QString &FileName() const { return m_caminho; }

    // Values longer than 2047 characters are cut to their first 2047.
    QString ReadString(const QString &secao, const QString &chave, const QString &padrao) const;
    // Decimal, "0x"/"0X" + hex (more than two characters) or "$" + hex;
    // an empty or invalid text gives the default.
    int ReadInteger(const QString &secao, const QString &chave, int padrao) const;
    // ReadInteger with the default as 1 or 0; true when not 0.
    bool ReadBool(const QString &secao, const QString &chave, bool padrao) const;

    void WriteString(const QString &secao, const QString &chave, const QString &valor);
    void WriteInteger(const QString &secao, const QString &chave, int valor);
    void WriteBool(const QString &secao, const QString &chave, bool valor);

    // True when the section holds at least one key.
    bool SectionExists(const QString &secao) const;
    void EraseSection(const QString &secao);
    // A failure to write is ignored.
    void DeleteKey(const QString &secao, const QString &chave);

    // Keys of a section in file order (used to list a section's entries).
    QStringList ReadSection(const QString &secao) const;

    // Applies a group of changes as one replacement of the file: they are
    // made on a private copy, which replaces the file (in one rename) only
    // when all of them succeeded. Any failure throws TErro("Unable to write
    // to <file>") and leaves the file byte for byte as it was.
    static void Alterar(const QString &caminho,
                        const std::function<void(TArquivoIni &)> &alteracoes);

    // Text of an integer setting as ReadInteger reads it; exposed for tests.
    static bool converterInteiro(const QString &texto, int *valor);

private:
    struct Linha;
    QList<Linha> carregar() const;
    void gravar(const QList<Linha> &linhas);

    QString m_caminho;
};
