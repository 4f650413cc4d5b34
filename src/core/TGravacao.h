#pragma once

#include "TResultado.h"

#include <QByteArray>
#include <QString>

#include <functional>

// The one way the program saves a file: profiles and settings, raw files,
// record and recovery files, spreadsheets. A saved file appears whole or not
// at all, and a failure leaves what was there before as it was.
//
// The bytes go to a temporary file in the target's folder (so the last step
// stays on one file system), are written out and synced (fsync), the file
// gets its final permissions, then it takes the target's name in one rename
// and the folder is synced so that the new name itself survives a crash.
// On any failure before the rename the temporary file is removed and the
// target (its contents and its read-only mark) is untouched.
//
// Temporary files are named ".<target name>.trevalin-<process id>-XXXXXX"
// and stay locked (flock) from their creation until they take the target's
// name. A process killed while saving leaves its temporary file; the next
// save of the same target removes every such file whose process is gone and
// whose lock is free, and never touches one that a save in progress (of
// this or another process or computer) is writing.
//
// The rules on existing files live here, as the Modo of the save:
// - CriarSomente never replaces anything, not even a file that appears
//   while the bytes are being written (the rename refuses a taken name);
// - Substituir creates or replaces the file, but refuses a read-only one
//   (no write permission bits: the program checks them itself, so running
//   as root changes nothing);
// - SubstituirSomenteLeitura also replaces a read-only file: the caller asked
//   the user, and the new file is writable (the mark is cleared) unless the
//   result is to be read-only.
// Permissions of the saved file: a replaced file keeps the old file's
// permission bits; a new one gets rw-r--r--; `somenteLeitura` then removes
// every write bit. They are set before the file takes its name, so it never
// appears with other permissions.
//
// Why not QSaveFile (Qt 6.4 on Linux): its commit always replaces (it
// cannot create without replacing), it refuses to open over an existing file
// the user cannot write (replacing a read-only file after the user agreed
// would need the old file's mark cleared first, and a failure would then
// leave it cleared), and it reports success when the buffered bytes fail to
// reach a full disk at commit, putting an empty file in place of the old one.
class TGravacao {
public:
    enum Modo { CriarSomente, Substituir, SubstituirSomenteLeitura };

    // Steps of a save, in order; used by the test seam below.
    enum Etapa { Criar, Escrever, Sincronizar, Nomear, SincronizarPasta };

    // Saves `conteudo` as `caminho`. The result names the target; its reason
    // is the system's text when the system refused. A failure to sync the
    // folder comes after the rename: the file then holds the new contents,
    // but the result still reports the failure (the new name may not survive
    // a crash).
    static TResultado Gravar(const QString &caminho, const QByteArray &conteudo, Modo modo,
                             bool somenteLeitura = false);

    // Writes the temporary file by name, for writers (libraries) that open
    // and fill a file themselves: returns an empty text on success, else
    // why it failed. The file it leaves is then synced, given its
    // permissions and named like the bytes of Gravar.
    using Escritor = std::function<QString(const QString &temporario)>;
    // Saves what `escritor` writes as `caminho`, by the rules of Gravar: the
    // same checks before anything is written, the same temporary file in
    // the target's folder (the writer replaces its empty contents), the same
    // final steps. A writer that fails (or throws) leaves the target as it
    // was and no temporary file behind; its text is the result's reason.
    static TResultado GravarCom(const QString &caminho, const Escritor &escritor, Modo modo,
                                bool somenteLeitura = false);

    // Gives `de` the name `para` unless a file (or a link) has it: the
    // system refuses a taken name in the same step that gives the new one.
    // 0, or the system's error number (EEXIST when `para` is taken).
    static int RenomearSemSubstituir(const QString &de, const QString &para);
    // Syncs a folder, so that names given in it survive a crash. 0 or the
    // system's error number.
    static int SincronizarDiretorio(const QString &pasta);
    // Writes all of `conteudo` to an open descriptor, going on after short
    // writes and interrupted calls. 0, or the error number of the call that
    // could write nothing (a full disk, a size limit).
    static int EscreverTudo(int fd, const QByteArray &conteudo);

    // Test seam: called before each step with the temporary file's path
    // (empty before Criar). A non-zero return (an errno value) makes that
    // step fail as if the system had refused with it. Null restores normal
    // saving. Not for production code.
    using Interceptador = std::function<int(Etapa, const QString &temporario)>;
    static void Interceptar(Interceptador interceptador);
};
