#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

struct isal_zstream;

// Writes a zip package (the container of an .xlsx workbook) into a file,
// entry after entry, each deflated as its bytes come: an entry of any size
// costs a fixed buffer, never its whole text.
//
// Promises:
// - The package is what every zip reader takes: plain zip (no zip64, no data
//   descriptors); each local header is written first and its sizes and
//   checksum filled in once the entry ends.
// - Compression is the first level of a vectorised deflate (Debian's
//   libisal): a sheet's markup shrinks about six times at some 700 MB/s,
//   where the classic compressor's usual level makes it a tenth smaller at
//   a twentieth of the speed.
// - The entries carry one fixed date (1 January 1980), so the same cells
//   always give the same bytes.
// - The compressing and writing run on a thread of their own, a few blocks
//   behind the caller, so that making the markup and deflating it overlap;
//   the calls return as soon as their bytes are queued (copied), and
//   Fechar waits for everything queued to be written.
// - A package whose entries or whole size would pass the format's 4 GB
//   limits, or a write the system refuses, fails: Erro() says why, and
//   nothing more is written. A failure on the thread is seen by the next
//   call (at the latest by Fechar), which returns false.
class TPacoteZip {
public:
    // Writes into `arquivo`, open for writing at its start; the caller
    // closes it once this object is gone (its thread is joined then).
    explicit TPacoteZip(std::FILE *arquivo);
    ~TPacoteZip();
    TPacoteZip(const TPacoteZip &) = delete;
    TPacoteZip &operator=(const TPacoteZip &) = delete;

    // Starts the entry `nome` (a path inside the package, ASCII), ending
    // the entry before it.
    bool Entrada(const QByteArray &nome);
    // Adds bytes to the current entry.
    bool Escrever(const char *dados, size_t tamanho); // copies the bytes
    bool Escrever(const QByteArray &dados) {
        return Escrever(dados.constData(), static_cast<size_t>(dados.size()));
    }
    // Ends the last entry, writes the package's directory and waits until
    // all of it is written.
    bool Fechar();

    bool Falhou() const { return m_falhou.load(); }
    QString Erro() const;

private:
    struct Registro {
        QByteArray nome;
        quint32 crc = 0;
        quint64 comprimido = 0, tamanho = 0, posicao = 0;
    };
    struct Tarefa {
        enum Tipo { Entrada, Dados, Fechar } tipo;
        QByteArray bytes; // the entry's name, or its data
    };
    bool enfileirar(Tarefa tarefa);
    void trabalhar();
    // The work itself, on the thread.
    bool entrada(const QByteArray &nome);
    bool escrever(const char *dados, size_t tamanho);
    bool fechar();
    bool terminarEntrada();
    bool deflacionar(bool fim);
    bool gravar(const char *dados, size_t tamanho);
    bool falhar(const QString &erro);

    // The thread's own.
    std::FILE *m_arquivo;
    isal_zstream *m_z = nullptr;
    std::vector<unsigned char> m_nivel; // the compressor's working memory
    std::vector<Registro> m_registros;
    bool m_aberta = false; // an entry is being written
    quint64 m_posicao = 0; // bytes written to the file
    std::vector<char> m_saida;

    // Shared with the caller.
    mutable std::mutex m_mutex;
    std::condition_variable m_temTarefa, m_andou;
    std::deque<Tarefa> m_fila;
    bool m_ocupado = false; // the thread is on a task
    bool m_parar = false;
    std::atomic<bool> m_falhou{false};
    QString m_erro;
    std::thread m_trabalhador;
};
