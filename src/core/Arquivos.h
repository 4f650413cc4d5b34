#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// File-system helpers shared by every subsystem: the read-only attribute
// (no write permission bits), replacing a file in one step, and reading text
// lines with any line end.
//
// The program checks the read-only attribute itself before writing or
// replacing a file, so its behaviour does not depend on who runs it (root
// ignores permission bits).
namespace Arquivos {

// True when the file exists and has no write permission bit at all.
bool somenteLeitura(const QString &caminho);

// Removes every write bit (owner, group, others). False when it failed.
bool marcarSomenteLeitura(const QString &caminho);

// Gives the owner write permission back. False when it failed.
bool desmarcarSomenteLeitura(const QString &caminho);

// Creates or replaces the file with the given bytes through the one save
// path (TGravacao, mode Substituir): the old file stays whole on any failure,
// a read-only target is refused, a replaced file keeps its permissions. On
// failure returns false and leaves the reason in *erro (when given).
bool gravarAtomico(const QString &caminho, const QByteArray &conteudo, QString *erro = nullptr);

// Gives the file `de` the name `para` only when nothing of that name exists
// at that moment: the file system checks and renames in one step, so a file
// created by someone else just before is never replaced. On failure returns
// false, leaves `de` where it was and a reason in *erro; *existia (when
// given) tells whether the failure was an existing `para`.
bool renomearSemSubstituir(const QString &de, const QString &para, QString *erro = nullptr,
                           bool *existia = nullptr);

// Whole content of a file; false when it cannot be opened.
bool lerTudo(const QString &caminho, QByteArray *conteudo);

// Largest record file a reader takes. A session lasts at most 9,990 s and
// writes one row of well under 100 bytes per key press; even a key held
// down the whole session at the keyboard's repeat rate makes a few MB. 64 MiB
// is far beyond that and still small enough to hold in memory.
constexpr qint64 TamanhoMaximoRegistro = 64LL * 1024 * 1024;

// Whole content of a file a reader cannot do without: only a regular file
// (after links), never waiting on a FIFO, and at most limite bytes when
// limite is not negative. Throws TErro "Cannot open file <path>: it is a
// folder.", "...: it is not a regular file.", "...: it is larger than <n>
// bytes, ...", "Cannot open file <path>: <reason>." or "Cannot read file
// <path>: <reason>." (path with native separators).
QByteArray lerOuFalhar(const QString &caminho, qint64 limite = -1);
// The same into `destino`, whose memory is reused (a reader of thousands of
// files); the same checks and messages. On failure `destino` holds nothing
// of use.
void lerOuFalhar(const QString &caminho, qint64 limite, QByteArray &destino);

// Splits text into lines at CR LF, LF or a lone CR. A final line end does not
// make an empty last line.
QList<QByteArray> dividirLinhas(const QByteArray &texto);

// Joins "dir" and "nome" with exactly one "/" between them.
QString juntar(const QString &dir, const QString &nome);

} // namespace Arquivos
