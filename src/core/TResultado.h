#pragma once

#include <QString>

// What became of an operation on one file: success, or why it failed, with
// the file's path either way.
//
// The reason is the system's own text (what strerror gives, e.g. "No space
// left on device") when the system refused, or one of the program's short
// reasons for the refusals it makes itself (Causa). It is never empty on a
// failure and never Qt's "Unknown error".
class TResultado {
public:
    enum Causa {
        Nenhuma,          // success
        SemNome,          // "no file name was given"
        PastaInexistente, // "the folder does not exist"
        EhPasta,          // "it is a folder"
        SomenteLeitura,   // "the file is read-only"
        Existente,        // "the file already exists"
        Sistema,          // the system refused: its text
    };

    static TResultado Sucesso(const QString &caminho);
    // A refusal of the program's own (not Sistema).
    static TResultado Recusa(const QString &caminho, Causa causa);
    // The system refused with the error number `erro` (errno).
    static TResultado FalhaDoSistema(const QString &caminho, int erro);
    // A library that writes the file itself failed, saying `motivo` (never
    // empty: a missing text becomes "the file cannot be written").
    static TResultado FalhaDoEscritor(const QString &caminho, const QString &motivo);

    bool Ok() const { return m_causa == Nenhuma; }
    explicit operator bool() const { return Ok(); }
    Causa causa() const { return m_causa; }
    // Empty on success.
    const QString &Motivo() const { return m_motivo; }
    const QString &Caminho() const { return m_caminho; }

    // `modelo` with %1 replaced by the path and %2 by the reason, the way
    // each caller words its message ("Cannot create file %1 (%2)").
    QString Mensagem(const QString &modelo) const;
    QString Mensagem(const QString &modelo, const QString &caminhoMostrado) const;

    // The system's text for an error number.
    static QString TextoDoSistema(int erro);

private:
    TResultado(const QString &caminho, Causa causa, const QString &motivo)
        : m_caminho(caminho), m_causa(causa), m_motivo(motivo) {}

    QString m_caminho;
    Causa m_causa = Nenhuma;
    QString m_motivo;
};
