#include "Arquivos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
// Only the owner/group/others bits: the "user" bits Qt reports are the
// current user's access, which is always granted to root.
const QFile::Permissions kEscrita = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
}

namespace Arquivos {

bool somenteLeitura(const QString &caminho) {
    QFileInfo fi(caminho);
    return fi.exists() && !(fi.permissions() & kEscrita);
}

bool marcarSomenteLeitura(const QString &caminho) {
    QFile f(caminho);
    return f.setPermissions(f.permissions() & ~(kEscrita | QFile::WriteUser));
}

bool desmarcarSomenteLeitura(const QString &caminho) {
    QFile f(caminho);
    return f.setPermissions(f.permissions() | QFile::WriteOwner | QFile::WriteUser);
}

bool gravarAtomico(const QString &caminho, const QByteArray &conteudo, QString *erro) {
    auto falha = [erro](const QString &motivo) {
        if (erro)
            *erro = motivo;
        return false;
    };
    QFileInfo alvo(caminho);
    if (!alvo.dir().exists())
        return falha(QStringLiteral("folder does not exist"));
    if (alvo.isDir())
        return falha(QStringLiteral("is a folder"));
    if (somenteLeitura(caminho))
        return falha(QStringLiteral("file is read-only"));

    // The temporary file lives in the target's folder so that the final
    // rename stays on one file system and is atomic.
    QTemporaryFile tmp(alvo.absolutePath() + QStringLiteral("/.") + alvo.fileName() +
                       QStringLiteral(".XXXXXX"));
    if (!tmp.open())
        return falha(tmp.errorString());
    if (tmp.write(conteudo) != conteudo.size() || !tmp.flush())
        return falha(tmp.errorString());
    if (::fsync(tmp.handle()) != 0)
        return falha(QString::fromLocal8Bit(std::strerror(errno)));
    if (alvo.exists())
        tmp.setPermissions(alvo.permissions());
    else
        tmp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                           QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
    tmp.close();
    const QByteArray de = QFile::encodeName(tmp.fileName());
    const QByteArray para = QFile::encodeName(alvo.absoluteFilePath());
    if (std::rename(de.constData(), para.constData()) != 0)
        return falha(QString::fromLocal8Bit(std::strerror(errno)));
    tmp.setAutoRemove(false);
    return true;
}

bool renomearSemSubstituir(const QString &de, const QString &para, QString *erro, bool *existia) {
    if (existia) *existia = false;
    const QByteArray origem = QFile::encodeName(de);
    const QByteArray destino = QFile::encodeName(para);
    int r = ::renameat2(AT_FDCWD, origem.constData(), AT_FDCWD, destino.constData(),
                        RENAME_NOREPLACE);
    if (r != 0 && (errno == EINVAL || errno == ENOSYS)) {
        // A file system without the no-replace rename: a hard link is
        // refused just as atomically when the name is taken.
        r = ::link(origem.constData(), destino.constData());
        if (r == 0) ::unlink(origem.constData());
    }
    if (r == 0) return true;
    const int e = errno;
    if (existia) *existia = e == EEXIST;
    if (erro)
        *erro = e == EEXIST ? QStringLiteral("a file of that name exists")
                            : QString::fromLocal8Bit(std::strerror(e));
    return false;
}

bool lerTudo(const QString &caminho, QByteArray *conteudo) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    *conteudo = f.readAll();
    return true;
}

QList<QByteArray> dividirLinhas(const QByteArray &texto) {
    QList<QByteArray> linhas;
    qsizetype inicio = 0;
    const qsizetype n = texto.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = texto[i];
        if (c == '\r' || c == '\n') {
            linhas.append(texto.mid(inicio, i - inicio));
            if (c == '\r' && i + 1 < n && texto[i + 1] == '\n')
                ++i;
            inicio = i + 1;
        }
    }
    if (inicio < n)
        linhas.append(texto.mid(inicio));
    return linhas;
}

QString juntar(const QString &dir, const QString &nome) {
    if (dir.isEmpty())
        return nome;
    if (dir.endsWith(QLatin1Char('/')))
        return dir + nome;
    return dir + QLatin1Char('/') + nome;
}

} // namespace Arquivos
