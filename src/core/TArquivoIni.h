#pragma once

#include <QString>
#include <QStringList>

// One INI settings file (installation file, language files, maze library,
// user profiles), one operation at a time. Holds nothing but the path: every
// read loads the file as it is on disk now, every write has reached the disk
// when it returns. Each operation is one TDocumentoIni (which holds the
// format's rules) made for it: a caller that reads several keys, or changes
// several that belong together, uses a TDocumentoIni directly and reads or
// writes the file once.
//
// Reads never fail: a missing file, section or key gives the caller's default.
// Writes throw TErro("Unable to write to <file>") when the file cannot be
// written: a missing folder, a read-only file (no write bits), a file that
// exists but cannot be read, or a disk error. A write replaces the file in one
// step, so it is never left half written.
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

    // Each writes the file, even when the value is already there.
    void WriteString(const QString &secao, const QString &chave, const QString &valor);
    void WriteInteger(const QString &secao, const QString &chave, int valor);
    void WriteBool(const QString &secao, const QString &chave, bool valor);

    // True when the section holds at least one key.
    bool SectionExists(const QString &secao) const;
    // Writes only when the section is there.
    void EraseSection(const QString &secao);
    // Writes only when the key is there; a failure to write is ignored.
    void DeleteKey(const QString &secao, const QString &chave);

    // Keys of a section in file order (used to list a section's entries).
    QStringList ReadSection(const QString &secao) const;

private:
    QString m_caminho;
};
