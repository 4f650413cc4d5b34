#include "TDiario.h"

#include "core/TGravacao.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

const QString TDiario::Extensao = QStringLiteral(".diario");

TDiario::~TDiario() {
    Fechar();
}

QByteArray TDiario::Linha(const QByteArray &texto) {
    const quint16 soma = qChecksum(texto);
    char hex[5];
    static const char digitos[] = "0123456789abcdef";
    for (int i = 0; i < 4; ++i)
        hex[i] = digitos[(soma >> (12 - 4 * i)) & 0xF];
    hex[4] = '\n';
    QByteArray r;
    r.reserve(texto.size() + 6);
    r += texto;
    r += '\t';
    r.append(hex, 5);
    return r;
}

bool TDiario::Verificar(const QByteArray &linha, QByteArray *texto) {
    const qsizetype tab = linha.lastIndexOf('\t');
    if (tab < 0 || linha.size() - tab != 5) return false;
    bool ok = false;
    const uint soma = linha.mid(tab + 1).toUInt(&ok, 16);
    if (!ok || soma != qChecksum(QByteArrayView(linha.constData(), tab))) return false;
    if (texto) *texto = linha.left(tab);
    return true;
}

bool TDiario::Abrir(const QString &caminho, const QList<QByteArray> &linhas, QString *erro) {
    Fechar();
    const QByteArray nome = QFile::encodeName(caminho);
    const int fd =
        ::open(nome.constData(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0644);
    auto falha = [&](int e) {
        if (erro)
            *erro = QStringLiteral("%1: %2").arg(caminho, QString::fromLocal8Bit(std::strerror(e)));
        return false;
    };
    if (fd < 0) return falha(errno);
    // Made a moment ago under O_EXCL: nobody else holds it yet.
    ::flock(fd, LOCK_EX | LOCK_NB);
    QByteArray tudo;
    for (const QByteArray &l : linhas)
        tudo += Linha(l);
    if (const int e = TGravacao::EscreverTudo(fd, tudo)) {
        ::unlink(nome.constData());
        ::close(fd);
        return falha(e);
    }
    m_fd = fd;
    m_caminho = caminho;
    m_falhou = false;
    m_parar = false;
    m_pendente = true;
    m_sincronizador = std::thread([this] { sincronizar(); });
    return true;
}

void TDiario::Anotar(const QByteArray &linha) {
    if (m_fd < 0) return;
    if (TGravacao::EscreverTudo(m_fd, Linha(linha)) != 0) m_falhou = true;
    m_pendente.store(true, std::memory_order_release);
}

void TDiario::sincronizar() {
    // The new name first, so that the file itself survives a power cut.
    TGravacao::SincronizarDiretorio(QFileInfo(m_caminho).absolutePath());
    std::unique_lock<std::mutex> trava(m_mutex);
    for (;;) {
        if (m_pendente.exchange(false, std::memory_order_acq_rel)) {
            trava.unlock();
            ::fdatasync(m_fd);
            trava.lock();
        }
        if (m_parar) return;
        m_acordar.wait_for(trava, std::chrono::milliseconds(500), [this] { return m_parar; });
    }
}

void TDiario::parar() {
    if (!m_sincronizador.joinable()) return;
    {
        std::lock_guard<std::mutex> trava(m_mutex);
        m_parar = true;
    }
    m_acordar.notify_all();
    m_sincronizador.join();
}

void TDiario::Fechar() {
    if (m_fd < 0) return;
    parar();
    if (m_pendente.exchange(false)) ::fdatasync(m_fd);
    ::close(m_fd); // releases the lock
    m_fd = -1;
    m_caminho.clear();
}

void TDiario::Remover() {
    if (m_fd < 0) return;
    m_pendente = false;
    parar();
    // Removed while still locked: no other instance can take it for a
    // journal left behind in between.
    ::unlink(QFile::encodeName(m_caminho).constData());
    ::close(m_fd);
    m_fd = -1;
    m_caminho.clear();
}
