#include "Arquivos.h"

#include "TErro.h"
#include "TGravacao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Only the owner/group/others bits: the "user" bits Qt reports are the
// current user's access, which is always granted to root.
const QFile::Permissions kEscrita = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
} // namespace

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
    const TResultado r = TGravacao::Gravar(caminho, conteudo, TGravacao::Substituir);
    if (!r && erro) *erro = r.Motivo();
    return r.Ok();
}

bool renomearSemSubstituir(const QString &de, const QString &para, QString *erro, bool *existia) {
    const int e = TGravacao::RenomearSemSubstituir(de, para);
    if (existia) *existia = e == EEXIST;
    if (e && erro)
        *erro = e == EEXIST ? QStringLiteral("a file of that name exists")
                            : QString::fromLocal8Bit(std::strerror(e));
    return e == 0;
}

bool lerTudo(const QString &caminho, QByteArray *conteudo) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) return false;
    *conteudo = f.readAll();
    return true;
}

QByteArray lerOuFalhar(const QString &caminho, qint64 limite) {
    QByteArray bytes;
    lerOuFalhar(caminho, limite, bytes);
    return bytes;
}

void lerOuFalhar(const QString &caminho, qint64 limite, QByteArray &destino) {
    const QString nome = QDir::toNativeSeparators(caminho);
    auto falha = [&nome](const char *modelo, int erro) {
        return TErro(
            QString::fromLatin1(modelo).arg(nome, QString::fromLocal8Bit(std::strerror(erro))));
    };
    // Opened without waiting (a FIFO would block until a writer comes) and
    // judged by what was opened, so a link or a rename between a check and
    // the open changes nothing: only a regular file is read, and never more
    // than the limit, so a device or a FIFO can neither hang the reader nor
    // fill the memory.
    const int fd =
        ::open(QFile::encodeName(caminho).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw falha("Cannot open file %1: %2.", errno);
    struct Fechar {
        int fd;
        ~Fechar() { ::close(fd); }
    } fechar{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw falha("Cannot open file %1: %2.", errno);
    if (S_ISDIR(st.st_mode))
        throw TErro(QStringLiteral("Cannot open file %1: it is a folder.").arg(nome));
    if (!S_ISREG(st.st_mode))
        throw TErro(QStringLiteral("Cannot open file %1: it is not a regular file.").arg(nome));
    const auto grandeDemais = [&] {
        return TErro(QStringLiteral("Cannot open file %1: it is larger than %2 bytes, more than "
                                    "any file of its kind holds.")
                         .arg(nome)
                         .arg(limite));
    };
    if (limite >= 0 && st.st_size > limite) throw grandeDemais();
    // The size fstat gave plus one byte, to see growth; a file that grew is
    // read on in pieces, up to one byte past the limit.
    const qint64 teto = limite >= 0 ? limite + 1 : std::numeric_limits<qsizetype>::max() / 2;
    qint64 espaco = qMin<qint64>(teto, qint64(st.st_size) + 1);
    destino.resize(qsizetype(espaco));
    qint64 lidos = 0;
    for (;;) {
        const ssize_t k = ::read(fd, destino.data() + lidos, size_t(espaco - lidos));
        if (k < 0) {
            if (errno == EINTR) continue;
            throw falha("Cannot read file %1: %2.", errno);
        }
        if (k == 0) break;
        lidos += k;
        if (lidos == espaco) {
            if (espaco >= teto) break;
            espaco = qMin<qint64>(teto, espaco + qMax<qint64>(espaco, 1 << 16));
            destino.resize(qsizetype(espaco));
        }
    }
    destino.resize(qsizetype(lidos));
    if (limite >= 0 && lidos > limite) throw grandeDemais();
}

QList<QByteArray> dividirLinhas(const QByteArray &texto) {
    QList<QByteArray> linhas;
    qsizetype inicio = 0;
    const qsizetype n = texto.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = texto[i];
        if (c == '\r' || c == '\n') {
            linhas.append(texto.mid(inicio, i - inicio));
            if (c == '\r' && i + 1 < n && texto[i + 1] == '\n') ++i;
            inicio = i + 1;
        }
    }
    if (inicio < n) linhas.append(texto.mid(inicio));
    return linhas;
}

QString juntar(const QString &dir, const QString &nome) {
    if (dir.isEmpty()) return nome;
    if (dir.endsWith(QLatin1Char('/'))) return dir + nome;
    return dir + QLatin1Char('/') + nome;
}

} // namespace Arquivos
