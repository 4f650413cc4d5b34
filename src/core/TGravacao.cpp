#include "TGravacao.h"

#include "Arquivos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <exception>
#include <fcntl.h>
#include <new>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TGravacao::Interceptador &interceptador() {
    static TGravacao::Interceptador f;
    return f;
}

int simulada(TGravacao::Etapa etapa, const QByteArray &temporario) {
    const TGravacao::Interceptador &f = interceptador();
    return f ? f(etapa, QFile::decodeName(temporario)) : 0;
}

// The permission bits proper. The "user" bits Qt reports are the running
// user's access (always granted to root), not bits of the file.
const QFile::Permissions kEscrita = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
const QFile::Permissions kPadrao =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;

// Only the owner, group and other flags count.
mode_t bits(QFile::Permissions p) {
    mode_t m = 0;
    const std::pair<QFile::Permission, mode_t> tabela[] = {
        {QFile::ReadOwner, S_IRUSR}, {QFile::WriteOwner, S_IWUSR}, {QFile::ExeOwner, S_IXUSR},
        {QFile::ReadGroup, S_IRGRP}, {QFile::WriteGroup, S_IWGRP}, {QFile::ExeGroup, S_IXGRP},
        {QFile::ReadOther, S_IROTH}, {QFile::WriteOther, S_IWOTH}, {QFile::ExeOther, S_IXOTH}};
    for (const auto &[q, b] : tabela)
        if (p & q) m |= b;
    return m;
}

// What the temporary files of the output `nome` start with:
// ".<nome>.trevalin-"; then come the writing process's id, "-" and six
// random characters.
QByteArray prefixoTemporario(const QString &nome) {
    return QFile::encodeName(QStringLiteral(".") + nome + QStringLiteral(".trevalin-"));
}

// The temporary file beside the target; removed unless it took the
// target's name, so no failure leaves it behind. A process killed while
// saving cannot remove it: the next save of the same output does (see
// varrerAbandonados), and the lock held on it from its creation to its
// renaming tells that save whether its writer is gone.
struct Temporario {
    QByteArray nome;
    int fd = -1;
    int trava = -1; // holds the lock while fd is closed before the rename
    bool nomeado = false;

    ~Temporario() {
        if (fd >= 0) ::close(fd);
        if (!nome.isEmpty() && !nomeado) ::unlink(nome.constData());
        if (trava >= 0) ::close(trava);
    }
    int criar(const QString &pasta, const QString &alvo) {
        QByteArray m = QFile::encodeName(pasta) + '/' + prefixoTemporario(alvo) +
                       QByteArray::number(static_cast<qint64>(::getpid())) + "-XXXXXX";
        fd = ::mkostemp(m.data(), O_CLOEXEC);
        if (fd < 0) return errno;
        nome = m;
        // Until this lock is taken the process id in the name (alive) is
        // what keeps the file from being swept; a file system without locks
        // has only that.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) trava = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
        return 0;
    }
    int escrever(const QByteArray &conteudo) { return TGravacao::EscreverTudo(fd, conteudo); }
    // Opens the file again by its name (a writer that fills it by name
    // may have replaced it); never follows a link put in its place.
    int reabrir() {
        if (fd >= 0) ::close(fd);
        fd = ::open(nome.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        return fd < 0 ? errno : 0;
    }
    int sincronizar(mode_t permissoes) {
        if (::fchmod(fd, permissoes) != 0 || ::fsync(fd) != 0) return errno;
        const int f = fd;
        fd = -1;
        return ::close(f) != 0 ? errno : 0;
    }
};

// Renames without ever replacing a file: the system refuses a taken name
// in the same step that gives the new one.
int nomearSemSubstituir(const QByteArray &de, const QByteArray &para) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, de.constData(), AT_FDCWD, para.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return errno;
#endif
    // File systems without it: a hard link refuses a taken name too.
    if (::link(de.constData(), para.constData()) == 0) {
        ::unlink(de.constData());
        return 0;
    }
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) return errno;
    // Nor hard links (FAT): look first. Such a file system offers nothing
    // better.
    struct stat st;
    if (::lstat(para.constData(), &st) == 0) return EEXIST;
    return ::rename(de.constData(), para.constData()) == 0 ? 0 : errno;
}

// Removes the temporary files of the output `alvo` in `pasta` that a killed
// save left behind. One is abandoned when the process named in it is gone
// (no process of that id exists here) and nobody holds its lock: a save in
// progress holds it, in this process, another one, or on another computer
// sharing the folder (whose process ids mean nothing here). A file that
// fails either test stays for a later save. Best effort: nothing here can
// make the save fail.
void varrerAbandonados(const QString &pasta, const QString &alvo) {
    const QByteArray prefixo = prefixoTemporario(alvo);
    DIR *d = ::opendir(QFile::encodeName(pasta).constData());
    if (!d) return;
    const int dfd = ::dirfd(d);
    while (const dirent *e = ::readdir(d)) {
        const char *n = e->d_name;
        if (std::strncmp(n, prefixo.constData(), static_cast<size_t>(prefixo.size())) != 0)
            continue;
        // The process id, then "-" and the six random characters, nothing else.
        const char *p = n + prefixo.size();
        char *fim = nullptr;
        errno = 0;
        const long pid = std::strtol(p, &fim, 10);
        if (fim == p || *p < '1' || *p > '9' || errno != 0 || pid <= 0 || *fim != '-' ||
            std::strlen(fim + 1) != 6)
            continue;
        if (pid == ::getpid()) continue; // one of this process's own saves
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM) continue; // alive
        const int fd = ::openat(dfd, n, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0) continue;
        struct stat aberto, nomeado;
        // Removed only if the name still is the file locked here.
        if (::fstat(fd, &aberto) == 0 && S_ISREG(aberto.st_mode) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(dfd, n, &nomeado, AT_SYMLINK_NOFOLLOW) == 0 &&
            nomeado.st_ino == aberto.st_ino && nomeado.st_dev == aberto.st_dev)
            ::unlinkat(dfd, n, 0);
        ::close(fd);
    }
    ::closedir(d);
}

int sincronizarPasta(const QString &pasta) {
    const int fd = ::open(QFile::encodeName(pasta).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int erro = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    // A file system that cannot sync a folder has nothing to sync there.
    return erro == EINVAL ? 0 : erro;
}

} // namespace

int TGravacao::RenomearSemSubstituir(const QString &de, const QString &para) {
    return nomearSemSubstituir(QFile::encodeName(de), QFile::encodeName(para));
}

int TGravacao::SincronizarDiretorio(const QString &pasta) {
    return sincronizarPasta(pasta);
}

int TGravacao::EscreverTudo(int fd, const QByteArray &conteudo) {
    const char *p = conteudo.constData();
    qsizetype resta = conteudo.size();
    // A short write is no error by itself: write the rest, and the call
    // that cannot write anything says why (a full disk, a size limit).
    while (resta > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(resta));
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        p += n;
        resta -= n;
    }
    return 0;
}

void TGravacao::Interceptar(Interceptador f) {
    interceptador() = std::move(f);
}

namespace {

// The steps shared by both ways of saving; `preencher` fills the temporary
// file (open as tmp.fd) and returns 0 or an errno, or sets *motivo.
TResultado gravar(const QString &caminho, TGravacao::Modo modo, bool somenteLeitura,
                  const std::function<int(Temporario &, QString *motivo)> &preencher) {
    using G = TGravacao;
    if (caminho.isEmpty()) return TResultado::Recusa(caminho, TResultado::SemNome);
    const QFileInfo alvo(caminho);
    if (alvo.isDir()) return TResultado::Recusa(caminho, TResultado::EhPasta);
    if (!alvo.dir().exists()) return TResultado::Recusa(caminho, TResultado::PastaInexistente);
    // A link pointing nowhere is a taken name too.
    const bool existe = alvo.exists() || alvo.isSymLink();
    const bool protegido = Arquivos::somenteLeitura(caminho);
    if (existe && modo == G::CriarSomente)
        return TResultado::Recusa(caminho, TResultado::Existente);
    if (protegido && modo == G::Substituir)
        return TResultado::Recusa(caminho, TResultado::SomenteLeitura);

    QFile::Permissions permissoes = alvo.exists() ? alvo.permissions() : kPadrao;
    if (protegido) permissoes |= QFile::WriteOwner; // the user agreed: the mark is cleared
    if (somenteLeitura) permissoes &= ~kEscrita;

    auto falha = [&caminho](int erro) { return TResultado::FalhaDoSistema(caminho, erro); };
    varrerAbandonados(alvo.absolutePath(), alvo.fileName());
    Temporario tmp;
    int erro = simulada(G::Criar, QByteArray());
    if (!erro) erro = tmp.criar(alvo.absolutePath(), alvo.fileName());
    if (erro) return falha(erro);
    erro = simulada(G::Escrever, tmp.nome);
    QString motivo;
    if (!erro) erro = preencher(tmp, &motivo);
    if (!motivo.isEmpty()) return TResultado::FalhaDoEscritor(caminho, motivo);
    if (erro) return falha(erro);
    erro = simulada(G::Sincronizar, tmp.nome);
    if (!erro) erro = tmp.sincronizar(bits(permissoes));
    if (erro) return falha(erro);

    const QByteArray destino = QFile::encodeName(alvo.absoluteFilePath());
    erro = simulada(G::Nomear, tmp.nome);
    if (!erro) {
        if (modo == G::CriarSomente) {
            erro = nomearSemSubstituir(tmp.nome, destino);
            if (erro == EEXIST) return TResultado::Recusa(caminho, TResultado::Existente);
        } else if (::rename(tmp.nome.constData(), destino.constData()) != 0) {
            erro = errno;
        }
    }
    if (erro) return falha(erro);
    tmp.nomeado = true;

    erro = simulada(G::SincronizarPasta, tmp.nome);
    if (!erro) erro = sincronizarPasta(alvo.absolutePath());
    if (erro) return falha(erro);
    return TResultado::Sucesso(caminho);
}

} // namespace

TResultado TGravacao::Gravar(const QString &caminho, const QByteArray &conteudo, Modo modo,
                             bool somenteLeitura) {
    return gravar(caminho, modo, somenteLeitura,
                  [&conteudo](Temporario &tmp, QString *) { return tmp.escrever(conteudo); });
}

TResultado TGravacao::GravarCom(const QString &caminho, const Escritor &escritor, Modo modo,
                                bool somenteLeitura) {
    return gravar(caminho, modo, somenteLeitura, [&escritor](Temporario &tmp, QString *motivo) {
        try {
            *motivo = escritor(QFile::decodeName(tmp.nome));
        } catch (const std::bad_alloc &) {
            *motivo = QStringLiteral("there is not enough memory");
        } catch (const std::exception &e) {
            *motivo = QString::fromLocal8Bit(e.what());
            if (motivo->isEmpty()) *motivo = QStringLiteral("the file cannot be written");
        }
        if (!motivo->isEmpty()) return 0;
        // The writer opened the file by name and may have made a new one
        // there: sync and mark what the name holds now, not the empty file
        // first created.
        return tmp.reabrir();
    });
}
