#include "TTravaIdentificacao.h"

#include "core/Arquivos.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

QString TTravaIdentificacao::Arquivo(const QString &pastaExperimento,
                                     const QString &identificacao) {
    return Arquivos::juntar(pastaExperimento,
                            QLatin1Char('.') + identificacao + QStringLiteral(".trava"));
}

TTravaIdentificacao::Resultado TTravaIdentificacao::Travar(const QString &pastaExperimento,
                                                           const QString &identificacao,
                                                           QString *erro) {
    Liberar();
    const QString caminho = Arquivo(pastaExperimento, identificacao);
    const QByteArray nome = QFile::encodeName(caminho);
    // The holder before us may remove the file between our open and our
    // lock: then the lock we got is on a file without a name, and we try
    // again on the new one.
    for (int tentativa = 0; tentativa < 100; ++tentativa) {
        const int fd = ::open(nome.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (erro)
                *erro = QStringLiteral("%1: %2").arg(caminho,
                                                     QString::fromLocal8Bit(std::strerror(errno)));
            return Impossivel;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int e = errno;
            ::close(fd);
            if (e == EWOULDBLOCK) return Ocupada;
            if (erro)
                *erro =
                    QStringLiteral("%1: %2").arg(caminho, QString::fromLocal8Bit(std::strerror(e)));
            return Impossivel;
        }
        struct stat aberto, nomeado;
        if (::fstat(fd, &aberto) == 0 && ::stat(nome.constData(), &nomeado) == 0 &&
            aberto.st_ino == nomeado.st_ino && aberto.st_dev == nomeado.st_dev) {
            m_fd = fd;
            m_caminho = caminho;
            return Travada;
        }
        ::close(fd);
    }
    if (erro) *erro = caminho + QStringLiteral(": the lock file keeps changing");
    return Impossivel;
}

void TTravaIdentificacao::Liberar() {
    if (m_fd < 0) return;
    // Removed while held, so that whoever opened it meanwhile notices.
    ::unlink(QFile::encodeName(m_caminho).constData());
    ::close(m_fd);
    m_fd = -1;
    m_caminho.clear();
}
