#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>
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
// - A package whose entries or whole size would pass the format's 4 GB
//   limits, or a write the system refuses, fails: Erro() says why, and
//   nothing more is written.
class TPacoteZip {
public:
    // Writes into `arquivo`, open for writing at its start; the caller
    // closes it.
    explicit TPacoteZip(std::FILE *arquivo);
    ~TPacoteZip();
    TPacoteZip(const TPacoteZip &) = delete;
    TPacoteZip &operator=(const TPacoteZip &) = delete;

    // Starts the entry `nome` (a path inside the package, ASCII), ending
    // the entry before it.
    bool Entrada(const QByteArray &nome);
    // Adds bytes to the current entry.
    bool Escrever(const char *dados, size_t tamanho);
    bool Escrever(const QByteArray &dados) {
        return Escrever(dados.constData(), static_cast<size_t>(dados.size()));
    }
    // Ends the last entry and writes the package's directory.
    bool Fechar();

    bool Falhou() const { return !m_erro.isEmpty(); }
    const QString &Erro() const { return m_erro; }

private:
    struct Registro {
        QByteArray nome;
        quint32 crc = 0;
        quint64 comprimido = 0, tamanho = 0, posicao = 0;
    };
    bool terminarEntrada();
    bool deflacionar(bool fim);
    bool gravar(const char *dados, size_t tamanho);
    bool falhar(const QString &erro);

    std::FILE *m_arquivo;
    isal_zstream *m_z = nullptr;
    std::vector<unsigned char> m_nivel; // the compressor's working memory
    std::vector<Registro> m_registros;
    bool m_aberta = false; // an entry is being written
    quint64 m_posicao = 0; // bytes written to the file
    std::vector<char> m_saida;
    QString m_erro;
};
