#pragma once

#include <QString>
#include <QStringList>

class TDados;

// How the analysis window builds its groups, without the window: the record
// files still available, the files of the group under construction (the
// selection), and the groups themselves, which live in the window's TDados
// (the only copy of them).
//
// Owns the two file lists; works on the TDados it is given, which must
// outlive it.
//
// Promises:
// - A file is in exactly one place: available, selected, or in one group.
//   Files leave the available list when they are selected and come back
//   only when they are unselected, when a chosen group's files are replaced
//   without them, or with LimparTudo.
// - The group table never passes TDados::MaxGrupos groups, a group or the
//   selection never TDados::MaxArquivos files: the step that would pass a
//   limit is refused and changes nothing.
// - The insert mode adds a new group; the replace mode (entered by choosing
//   a group) replaces that group's files with the selection, whatever the
//   name field holds, and returns to the insert mode.
// - Both lists are kept sorted, numbers in names by value ("rato2" before
//   "rato10").
class TMontagemGrupos {
public:
    enum Modo { Inserir, Substituir };
    enum Resultado {
        Inserido,       // a new group was added
        Substituido,    // the chosen group's files were replaced
        NomeExistente,  // insert: a group of that name exists (nothing added)
        Incompleto,     // insert: no name or no file selected (nothing added)
        LimiteGrupos,   // insert: the table holds MaxGrupos groups already
        LimiteArquivos, // a selection of more than MaxArquivos files
        NaoDisponivel,  // the file is not in the list it was taken from
    };

    explicit TMontagemGrupos(TDados &dados);

    // Record files of a folder, as the window lists them: the files whose
    // name ends in ".tvl", sorted as the lists are.
    static QStringList ArquivosDaPasta(const QString &pasta);

    // Starts again from these available files: no selection, no group,
    // insert mode (the window's "Limpar Tudo" with the folder read anew).
    void LimparTudo(const QStringList &arquivos);

    const QStringList &Disponiveis() const { return m_disponiveis; }
    const QStringList &Selecao() const { return m_selecao; }
    QStringList NomesGrupos() const; // in insertion order

    // Available file -> selection (refused at MaxArquivos selected files).
    Resultado Adicionar(const QString &arquivo);
    // Selected file -> available.
    Resultado Remover(const QString &arquivo);

    Modo ModoAtual() const { return m_modo; }
    // Name of the group whose files the selection replaces (replace mode).
    const QString &GrupoEscolhido() const { return m_escolhido; }

    // Replace mode for the group of that name: the selection becomes the
    // group's files. Files that were waiting in the selection go back to
    // the available list. False (nothing changes) for an unknown name.
    bool EscolherGrupo(const QString &nome);
    // The insertion button: in replace mode the chosen group's files become
    // the selection's (the files it loses go back to the available list);
    // in insert mode a new group named `nome` gets the selection. On
    // success the selection is empty and the mode is Inserir.
    Resultado InserirGrupo(const QString &nome);

    // The characters a group name may not hold: space, ! # $ % & ( ) * + ,
    // - . / < = > ? @ [ \ ] ^ ` { | } ~ (they would upset the sheet's titles
    // or a file name). Letters, digits, quotes, : ; _ and every character
    // above code 127 pass.
    static bool CaractereAceito(QChar c);
    // The name without the refused characters.
    static QString FiltrarNome(const QString &nome);

private:
    void ordenar(QStringList &lista) const;

    TDados &m_dados;
    QStringList m_disponiveis;
    QStringList m_selecao;
    Modo m_modo = Inserir;
    QString m_escolhido;
};
