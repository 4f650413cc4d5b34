#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

// The data file manager without its window: inside the logged-in user's
// folder it lists files to copy or items to delete, and copies, deletes and
// renames them.
//
// Entries are paths relative to the user's folder with "/" between levels
// ("Exp1/rato1.tvl"); the user's folder itself has the empty path.
//
// Promises:
// - Nothing outside the user's folder is ever listed, deleted or renamed.
//   The user's folder itself and the experiments' folders are refused for
//   deletion (Tomar says so); the folders of experiments no longer in the
//   profile may go.
// - A rename never replaces a file: the target name is checked by the file
//   system in the same step as the rename, and a new name always ends in
//   ".tvl".
// - A copy never leaves a half-written file under its final name: the bytes
//   go to a temporary file beside the target, reach the disk, and only then
//   take the name; an existing copy is replaced only after the question was
//   answered Yes, and in one step.
// - Every failure of a copy or a deletion is reported by name and reason;
//   the other entries are still done.
class TGerenciadorArquivos {
public:
    enum Opcao { OpcaoNenhuma, OpcaoCopiar, OpcaoExcluirArquivo, OpcaoExcluirPasta, OpcaoRenomear };
    // What a double-clicked item did.
    enum Tomada {
        Listado,          // added to the copy or deletion list
        JaListado,        // already in that list
        Ignorado,         // not the kind of item the option takes (or no option)
        PastaExperimento, // an experiment's folder: refused for deletion
        PastaUsuario,     // the user's folder itself: refused for deletion
        Escolhido,        // the file to rename
    };
    enum ResultadoRenomear { Renomeado, NadaARenomear, NomeInvalido, Existe, FalhaRenomear };

    // pastaUsuario: the user's folder; experimentos: the experiment names
    // of the user's profile.
    TGerenciadorArquivos(const QString &pastaUsuario, const QStringList &experimentos);

    // The experiment names the profile lists (section "Experimentos", keys
    // 1 to "QdeExp").
    static QStringList ExperimentosDoPerfil(const QString &arquivoPerfil);
    // "TVLfiles" followed by the day, month and year (TVLfiles08122026).
    static QString PastaDatada(const QDate &data);

    const QString &Pasta() const { return m_pasta; }
    // The path of `caminho` relative to the user's folder; a null text when
    // it lies outside.
    QString Relativo(const QString &caminho) const;

    // Chooses an option: copying and both deletions empty the deletion
    // list; the copy list stays. Renaming forgets the chosen file.
    void Escolher(Opcao opcao);
    Opcao OpcaoAtual() const { return m_opcao; }

    // The item at the full path `caminho`, double-clicked under the current
    // option (whether it is a folder is asked of the disk).
    Tomada Tomar(const QString &caminho);

    const QStringList &ListaCopia() const { return m_copia; }
    const QStringList &ListaExclusao() const { return m_exclusao; }
    void LimparCopia() { m_copia.clear(); }
    void LimparExclusao() { m_exclusao.clear(); }

    // Deletes every entry of the deletion list (folders with everything in
    // them, no recycle bin), then empties the list and leaves the option.
    // Returns the failures as "entry: reason".
    QStringList Excluir();

    // The file chosen for renaming (relative), its name as offered for
    // editing (without folder and extension), and the file name a new name
    // gives (name + ".tvl").
    const QString &ArquivoEscolhido() const { return m_escolhido; }
    QString NomeProposto() const;
    static QString NomeNovo(const QString &novoNome) { return novoNome + QStringLiteral(".tvl"); }
    // Renames the chosen file to `novoNome` + ".tvl" in its folder. On
    // success the chosen file is forgotten and the option left; otherwise
    // nothing changes and *erro says why (a failure of the file system).
    ResultadoRenomear Renomear(const QString &novoNome, QString *erro = nullptr);

    // Copies the copy list into destino/TVLfilesDDMMYYYY/<entry> (folders
    // made as needed). For an entry whose copy exists already,
    // `substituir(entry)` is asked: Yes replaces it, No keeps it. Returns
    // the failures as "entry: reason". The list keeps its entries; the
    // option is left.
    QStringList Copiar(const QString &destino, const QDate &data,
                       const std::function<bool(const QString &)> &substituir);
    // Where Copiar puts the copies for that day.
    static QString RaizCopia(const QString &destino, const QDate &data);

private:
    QString m_pasta; // ends without "/"
    QStringList m_experimentos;
    Opcao m_opcao = OpcaoNenhuma;
    QStringList m_copia;
    QStringList m_exclusao;
    QString m_escolhido;
};
