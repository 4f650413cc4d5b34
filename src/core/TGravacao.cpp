#include "TGravacao.h"

#include "Arquivos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
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

// The temporary file beside the target; removed unless it took the
// target's name, so no failure leaves it behind.
struct Temporario {
    QByteArray nome;
    int fd = -1;
    bool nomeado = false;

    ~Temporario() {
        if (fd >= 0) ::close(fd);
        if (!nome.isEmpty() && !nomeado) ::unlink(nome.constData());
    }
    int criar(const QString &modelo) {
        QByteArray m = QFile::encodeName(modelo);
        fd = ::mkostemp(m.data(), O_CLOEXEC);
        if (fd < 0) return errno;
        nome = m;
        return 0;
    }
    int escrever(const QByteArray &conteudo) {
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

void TGravacao::Interceptar(Interceptador f) {
    interceptador() = std::move(f);
}

TResultado TGravacao::Gravar(const QString &caminho, const QByteArray &conteudo, Modo modo,
                             bool somenteLeitura) {
    if (caminho.isEmpty()) return TResultado::Recusa(caminho, TResultado::SemNome);
    const QFileInfo alvo(caminho);
    if (alvo.isDir()) return TResultado::Recusa(caminho, TResultado::EhPasta);
    if (!alvo.dir().exists()) return TResultado::Recusa(caminho, TResultado::PastaInexistente);
    // A link pointing nowhere is a taken name too.
    const bool existe = alvo.exists() || alvo.isSymLink();
    const bool protegido = Arquivos::somenteLeitura(caminho);
    if (existe && modo == CriarSomente) return TResultado::Recusa(caminho, TResultado::Existente);
    if (protegido && modo == Substituir)
        return TResultado::Recusa(caminho, TResultado::SomenteLeitura);

    QFile::Permissions permissoes = alvo.exists() ? alvo.permissions() : kPadrao;
    if (protegido) permissoes |= QFile::WriteOwner; // the user agreed: the mark is cleared
    if (somenteLeitura) permissoes &= ~kEscrita;

    auto falha = [&caminho](int erro) { return TResultado::FalhaDoSistema(caminho, erro); };
    Temporario tmp;
    int erro = simulada(Criar, QByteArray());
    if (!erro)
        erro = tmp.criar(alvo.absolutePath() + QStringLiteral("/.") + alvo.fileName() +
                         QStringLiteral(".XXXXXX"));
    if (erro) return falha(erro);
    erro = simulada(Escrever, tmp.nome);
    if (!erro) erro = tmp.escrever(conteudo);
    if (erro) return falha(erro);
    erro = simulada(Sincronizar, tmp.nome);
    if (!erro) erro = tmp.sincronizar(bits(permissoes));
    if (erro) return falha(erro);

    const QByteArray destino = QFile::encodeName(alvo.absoluteFilePath());
    erro = simulada(Nomear, tmp.nome);
    if (!erro) {
        if (modo == CriarSomente) {
            erro = nomearSemSubstituir(tmp.nome, destino);
            if (erro == EEXIST) return TResultado::Recusa(caminho, TResultado::Existente);
        } else if (::rename(tmp.nome.constData(), destino.constData()) != 0) {
            erro = errno;
        }
    }
    if (erro) return falha(erro);
    tmp.nomeado = true;

    erro = simulada(SincronizarPasta, tmp.nome);
    if (!erro) erro = sincronizarPasta(alvo.absolutePath());
    if (erro) return falha(erro);
    return TResultado::Sucesso(caminho);
}
