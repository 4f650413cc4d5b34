#include "TPacoteZip.h"

#include "core/TResultado.h"

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

#include <algorithm>
#include <cerrno>
#include <limits>

namespace {

constexpr quint32 kAssinaturaLocal = 0x04034b50;
constexpr quint32 kAssinaturaCentral = 0x02014b50;
constexpr quint32 kAssinaturaFim = 0x06054b50;
constexpr quint16 kVersao = 20; // 2.0: deflate
constexpr quint16 kDeflate = 8;
constexpr quint16 kHora = 0;
constexpr quint16 kData = (0 << 9) | (1 << 5) | 1; // 1980-01-01
constexpr quint64 kLimite = std::numeric_limits<quint32>::max();
constexpr size_t kBloco = 1 << 16;
constexpr size_t kFila = 8;          // blocks queued at most
constexpr size_t kTarefa = 1 << 18;  // the most bytes one queued block holds

void poe16(QByteArray &b, quint16 v) {
    b += char(v & 0xff);
    b += char(v >> 8);
}

void poe32(QByteArray &b, quint32 v) {
    poe16(b, quint16(v & 0xffff));
    poe16(b, quint16(v >> 16));
}

} // namespace

TPacoteZip::TPacoteZip(std::FILE *arquivo) : m_arquivo(arquivo), m_saida(kBloco) {}

TPacoteZip::~TPacoteZip() {
    {
        // Whatever is still queued (a caller that gave up) is dropped.
        std::lock_guard<std::mutex> l(m_mutex);
        m_parar = true;
        m_fila.clear();
    }
    m_temTarefa.notify_all();
    if (m_trabalhador.joinable()) m_trabalhador.join();
    delete m_z;
}

QString TPacoteZip::Erro() const {
    std::lock_guard<std::mutex> l(m_mutex);
    return m_erro;
}

bool TPacoteZip::falhar(const QString &erro) {
    std::lock_guard<std::mutex> l(m_mutex);
    if (m_erro.isEmpty()) m_erro = erro;
    m_falhou = true;
    return false;
}

bool TPacoteZip::enfileirar(Tarefa tarefa) {
    if (Falhou()) return false;
    if (!m_trabalhador.joinable()) m_trabalhador = std::thread([this] { trabalhar(); });
    {
        std::unique_lock<std::mutex> l(m_mutex);
        m_andou.wait(l, [this] { return m_fila.size() < kFila || m_falhou; });
        if (m_falhou) return false;
        m_fila.push_back(std::move(tarefa));
    }
    m_temTarefa.notify_one();
    return true;
}

void TPacoteZip::trabalhar() {
    for (;;) {
        std::unique_lock<std::mutex> l(m_mutex);
        m_temTarefa.wait(l, [this] { return m_parar || !m_fila.empty(); });
        if (m_fila.empty()) return;
        Tarefa t = std::move(m_fila.front());
        m_fila.pop_front();
        m_ocupado = true;
        l.unlock();
        m_andou.notify_all();
        if (!m_falhou) {
            switch (t.tipo) {
            case Tarefa::Entrada: entrada(t.bytes); break;
            case Tarefa::Dados: escrever(t.bytes.constData(), size_t(t.bytes.size())); break;
            case Tarefa::Fechar: fechar(); break;
            }
        }
        l.lock();
        m_ocupado = false;
        l.unlock();
        m_andou.notify_all();
    }
}

bool TPacoteZip::Entrada(const QByteArray &nome) { return enfileirar({Tarefa::Entrada, nome}); }

bool TPacoteZip::Escrever(const char *dados, size_t tamanho) {
    while (tamanho > 0) {
        const size_t parte = std::min(tamanho, kTarefa);
        if (!enfileirar({Tarefa::Dados, QByteArray(dados, qsizetype(parte))})) return false;
        dados += parte;
        tamanho -= parte;
    }
    return !Falhou();
}

bool TPacoteZip::Fechar() {
    if (!enfileirar({Tarefa::Fechar, QByteArray()})) return false;
    std::unique_lock<std::mutex> l(m_mutex);
    m_andou.wait(l, [this] { return (m_fila.empty() && !m_ocupado) || m_falhou; });
    // A failure may come while later tasks are still queued: they are
    // dropped, and the thread only finishes the one in hand.
    m_fila.clear();
    m_andou.wait(l, [this] { return !m_ocupado; });
    return !m_falhou;
}

bool TPacoteZip::gravar(const char *dados, size_t tamanho) {
    if (Falhou()) return false;
    if (tamanho && std::fwrite(dados, 1, tamanho, m_arquivo) != tamanho)
        return falhar(TResultado::TextoDoSistema(errno ? errno : EIO));
    m_posicao += tamanho;
    return true;
}

bool TPacoteZip::entrada(const QByteArray &nome) {
    if (m_aberta && !terminarEntrada()) return false;
    if (Falhou()) return false;
    if (m_posicao > kLimite)
        return falhar(QStringLiteral("the workbook would be larger than 4 GB"));
    // Raw deflate (the zip headers carry what a gzip wrapper would), the
    // fastest level.
    if (!m_z) m_z = new isal_zstream{};
    isal_deflate_init(m_z);
    m_z->level = 1;
    m_nivel.resize(ISAL_DEF_LVL1_DEFAULT);
    m_z->level_buf = m_nivel.data();
    m_z->level_buf_size = static_cast<uint32_t>(m_nivel.size());
    m_z->gzip_flag = IGZIP_DEFLATE;
    Registro r;
    r.nome = nome;
    r.posicao = m_posicao;
    m_registros.push_back(r);
    m_aberta = true;

    // Sizes and checksum are zero until the entry ends.
    QByteArray h;
    poe32(h, kAssinaturaLocal);
    poe16(h, kVersao);
    poe16(h, 0); // flags
    poe16(h, kDeflate);
    poe16(h, kHora);
    poe16(h, kData);
    poe32(h, 0);
    poe32(h, 0);
    poe32(h, 0);
    poe16(h, quint16(nome.size()));
    poe16(h, 0); // extra field
    h += nome;
    return gravar(h.constData(), size_t(h.size()));
}

bool TPacoteZip::deflacionar(bool fim) {
    m_z->end_of_stream = fim ? 1 : 0;
    do {
        m_z->next_out = reinterpret_cast<uint8_t *>(m_saida.data());
        m_z->avail_out = static_cast<uint32_t>(m_saida.size());
        if (isal_deflate(m_z) != COMP_OK) return falhar(QStringLiteral("the compressor failed"));
        const size_t feitos = m_saida.size() - m_z->avail_out;
        if (!gravar(m_saida.data(), feitos)) return false;
        m_registros.back().comprimido += feitos;
    } while (m_z->avail_in > 0 || m_z->avail_out == 0 ||
             (fim && m_z->internal_state.state != ZSTATE_END));
    return true;
}

bool TPacoteZip::escrever(const char *dados, size_t tamanho) {
    if (Falhou()) return false;
    if (!m_aberta) return falhar(QStringLiteral("no entry to write to"));
    Registro &r = m_registros.back();
    while (tamanho > 0) {
        // The compressor counts in 32-bit units.
        const uint32_t parte = uint32_t(std::min<size_t>(tamanho, kBloco * 16));
        r.crc = crc32_gzip_refl(r.crc, reinterpret_cast<const uint8_t *>(dados), parte);
        r.tamanho += parte;
        if (r.tamanho > kLimite)
            return falhar(QStringLiteral("a part of the workbook would be larger than 4 GB"));
        m_z->next_in = reinterpret_cast<uint8_t *>(const_cast<char *>(dados));
        m_z->avail_in = parte;
        if (!deflacionar(false)) return false;
        dados += parte;
        tamanho -= parte;
    }
    return true;
}

bool TPacoteZip::terminarEntrada() {
    m_aberta = false;
    m_z->next_in = nullptr;
    m_z->avail_in = 0;
    if (!deflacionar(true)) return false;
    const Registro &r = m_registros.back();
    if (r.comprimido > kLimite)
        return falhar(QStringLiteral("a part of the workbook would be larger than 4 GB"));
    // The local header's checksum and sizes, now known; then back to the end.
    QByteArray campos;
    poe32(campos, r.crc);
    poe32(campos, quint32(r.comprimido));
    poe32(campos, quint32(r.tamanho));
    if (std::fflush(m_arquivo) != 0 ||
        std::fseek(m_arquivo, long(r.posicao + 14), SEEK_SET) != 0 ||
        std::fwrite(campos.constData(), 1, size_t(campos.size()), m_arquivo) !=
            size_t(campos.size()) ||
        std::fseek(m_arquivo, 0, SEEK_END) != 0)
        return falhar(TResultado::TextoDoSistema(errno ? errno : EIO));
    return true;
}

bool TPacoteZip::fechar() {
    if (m_aberta && !terminarEntrada()) return false;
    if (Falhou()) return false;
    const quint64 inicio = m_posicao;
    QByteArray d;
    for (const Registro &r : m_registros) {
        poe32(d, kAssinaturaCentral);
        poe16(d, kVersao); // made by: MS-DOS attributes, version 2.0
        poe16(d, kVersao);
        poe16(d, 0);
        poe16(d, kDeflate);
        poe16(d, kHora);
        poe16(d, kData);
        poe32(d, r.crc);
        poe32(d, quint32(r.comprimido));
        poe32(d, quint32(r.tamanho));
        poe16(d, quint16(r.nome.size()));
        poe16(d, 0); // extra field
        poe16(d, 0); // comment
        poe16(d, 0); // disk
        poe16(d, 0); // internal attributes
        poe32(d, 0); // external attributes
        poe32(d, quint32(r.posicao));
        d += r.nome;
    }
    if (inicio + quint64(d.size()) > kLimite)
        return falhar(QStringLiteral("the workbook would be larger than 4 GB"));
    const quint32 tamanho = quint32(d.size()); // the directory, before its end record
    poe32(d, kAssinaturaFim);
    poe16(d, 0);
    poe16(d, 0);
    poe16(d, quint16(m_registros.size()));
    poe16(d, quint16(m_registros.size()));
    poe32(d, tamanho);
    poe32(d, quint32(inicio));
    poe16(d, 0); // comment
    if (!gravar(d.constData(), size_t(d.size()))) return false;
    if (std::fflush(m_arquivo) != 0) return falhar(TResultado::TextoDoSistema(errno ? errno : EIO));
    return true;
}
