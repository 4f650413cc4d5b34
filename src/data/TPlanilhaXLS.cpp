#include "TPlanilhaXLS.h"

#include "core/Cp1252.h"
#include "core/TErro.h"
#include "core/TGravacao.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <unistd.h>

namespace {

const quint16 kBOF[] = {0x0009, 0x0209, 0x0409, 0x0809}; // by TxlsBIFFVersion
const quint16 kDimensoesBIFF2 = 0x0000;
const quint16 kDimensoes = 0x0200;
const quint16 kInteger = 0x0002;
const quint16 kNumber = 0x0003;
const quint16 kLabel = 0x0004;
const quint16 kEOF = 0x000A;
const quint16 kVersaoBOF = 0x0200;
const quint16 kPlanilha = 0x0010;

// One byte per character (a surrogate pair is one character, written '?'),
// so cutting at MaxTexto bytes never splits a character. Writes at most
// MaxTexto bytes to `saida` and returns how many.
int bytesDoRotulo(const QString &texto, char *saida) {
    int n = 0;
    const QChar *c = texto.constData();
    const qsizetype tamanho = texto.size();
    for (qsizetype i = 0; i < tamanho && n < TPlanilhaXLS::MaxTexto; ++i) {
        const char16_t u = c[i].unicode();
        if (u < 0x80) {
            saida[n++] = static_cast<char>(u);
        } else if (c[i].isHighSurrogate() && i + 1 < tamanho && c[i + 1].isLowSurrogate()) {
            saida[n++] = '?';
            ++i;
        } else {
            saida[n++] = static_cast<char>(Cp1252::codigo(c[i]));
        }
    }
    return n;
}

} // namespace

TPlanilhaXLS::TPlanilhaXLS() {
    WriteBOF();
}

void TPlanilhaXLS::setActiveFont(quint8 fonte) {
    if (fonte != m_fonteAtiva && fonte <= m_qdeFontes) m_fonteAtiva = fonte;
    m_atributosProntos = false;
}

void TPlanilhaXLS::setBIFF(TxlsBIFFVersion v) {
    if (v == m_biff || v > bvBIFF5) return;
    m_biff = v;
    WriteBOF();
}

void TPlanilhaXLS::setRow(int linha) {
    if (linha != m_linha && linha >= 1 && linha <= m_ultimaLinha) m_linha = linha;
}

void TPlanilhaXLS::setColumn(int coluna) {
    if (coluna != m_coluna && coluna >= 1 && coluna <= m_ultimaColuna) m_coluna = coluna;
}

QString TPlanilhaXLS::Version() const {
    return QStringLiteral("%1.%2").arg((m_versao >> 8) & 0xFF).arg(m_versao & 0xFF);
}

void TPlanilhaXLS::StartSheet() {
    WriteBOF();
}

void TPlanilhaXLS::EndSheet() {
    WriteEOF();
}

void TPlanilhaXLS::WriteBOF() {
    m_estado = Aberto;
    m_qdeFontes = 0;
    if (m_destino >= 0) {
        // Streaming: the buffer is kept; a document already partly sent is
        // taken back from the file.
        m_usado = 0;
        if (m_despejados > 0 && m_erroDestino == 0 &&
            (::ftruncate(m_destino, 0) != 0 || ::lseek(m_destino, 0, SEEK_SET) != 0))
            m_erroDestino = errno;
        m_despejados = 0;
    } else {
        m_fluxo.clear();
        m_usado = 0;
    }
    const bool biff2 = m_biff == bvBIFF2;

    cabecalhoRegistro(kBOF[m_biff], biff2 ? 4 : 6);
    put16(kVersaoBOF);
    put16(kPlanilha);
    if (!biff2) put16(0);

    cabecalhoRegistro(biff2 ? kDimensoesBIFF2 : kDimensoes, biff2 ? 8 : 10);
    put16(m_primeiraLinha);
    put16(m_ultimaLinha);
    put16(m_primeiraColuna);
    put16(m_ultimaColuna);
    if (!biff2) put16(0);
}

void TPlanilhaXLS::WriteEOF() {
    cabecalhoRegistro(kEOF, 0);
    m_estado = Fechado;
}

void TPlanilhaXLS::cabecalhoRegistro(quint16 id, quint16 tamanho) {
    // After EndSheet, the next record begins a new document.
    if (m_estado == Fechado) WriteBOF();
    put16(id);
    put16(tamanho);
}

void TPlanilhaXLS::put16(quint16 v) {
    char *p = anexar(2);
    p[0] = static_cast<char>(v & 0xFF);
    p[1] = static_cast<char>(v >> 8);
}

void TPlanilhaXLS::atributos(char *a) const {
    static const quint8 kAlinhamento[] = {0, 1, 3, 2, 4, 7}; // by TxlsAlignment
    quint8 a0 = 0, a1 = 0, a2 = 0;
    if (m_oculto) a0 |= 0x80;
    if (m_travado) a0 |= 0x40;
    if (m_fonteAtiva >= 1 && m_fonteAtiva <= 3) a1 = static_cast<quint8>(m_fonteAtiva << 6);
    if (m_alinhamento <= eaMultiPlan) a2 = kAlinhamento[m_alinhamento];
    if (m_bordas & xlsBorda(ebLeft)) a2 |= 0x08;
    if (m_bordas & xlsBorda(ebRight)) a2 |= 0x10;
    if (m_bordas & xlsBorda(ebTop)) a2 |= 0x20;
    if (m_bordas & xlsBorda(ebBottom)) a2 |= 0x40;
    if (m_sombreado) a2 |= 0x80;
    a[0] = static_cast<char>(a0);
    a[1] = static_cast<char>(a1);
    a[2] = static_cast<char>(a2);
}

void TPlanilhaXLS::celula(int linha, int coluna, quint16 id, const char *valor, int tamanho) {
    // Checked before anything is appended: a cell the sheet cannot hold must
    // not end up silently in another cell (the cursor's) or be lost.
    if (linha < 0 || linha > m_ultimaLinha || coluna < 0 || coluna > m_ultimaColuna)
        throw TErro(QStringLiteral("Cannot write the cell at row %1, column %2 of %3: a sheet "
                                   "holds rows 1 to %4 and columns 1 to %5.")
                        .arg(QString::number(linha), QString::number(coluna), nomeParaMensagem(),
                             QString::number(UltimaLinha), QString::number(UltimaColuna)));
    // setRow and setColumn: 0 keeps the cursor's.
    if (linha >= 1) m_linha = linha;
    if (coluna >= 1) m_coluna = coluna;
    // After EndSheet, the next record begins a new document.
    if (m_estado == Fechado) WriteBOF();
    if (!m_atributosProntos) {
        atributos(m_atributos);
        m_atributosProntos = true;
    }
    // The whole record at once: header, row, column, attributes, value. An
    // analysis writes about a million of them.
    char *const r = anexar(11 + tamanho);
    const quint16 corpo = static_cast<quint16>(4 + 3 + tamanho);
    const quint16 l = static_cast<quint16>(m_linha - 1), c = static_cast<quint16>(m_coluna - 1);
    r[0] = static_cast<char>(id & 0xFF);
    r[1] = static_cast<char>(id >> 8);
    r[2] = static_cast<char>(corpo & 0xFF);
    r[3] = static_cast<char>(corpo >> 8);
    r[4] = static_cast<char>(l & 0xFF);
    r[5] = static_cast<char>(l >> 8);
    r[6] = static_cast<char>(c & 0xFF);
    r[7] = static_cast<char>(c >> 8);
    r[8] = m_atributos[0];
    r[9] = m_atributos[1];
    r[10] = m_atributos[2];
    std::memcpy(r + 11, valor, size_t(tamanho));
    moverCursor();
}

inline char *TPlanilhaXLS::anexar(qsizetype n) {
    if (m_fluxo.size() < m_usado + n) abrirEspaco(n);
    char *p = m_fluxo.data() + m_usado;
    m_usado += n;
    return p;
}

void TPlanilhaXLS::abrirEspaco(qsizetype n) {
    if (m_destino >= 0) {
        // Streaming: one buffer of TamanhoPedaco bytes, sent whenever full.
        despejar();
        if (m_fluxo.size() < TamanhoPedaco + n) m_fluxo.resize(TamanhoPedaco + n);
        return;
    }
    // The buffer grows by doubling and is cut to the document's size only
    // when the document is asked for: a cell is then a copy of a few bytes.
    m_fluxo.resize(qMax(qMax(m_fluxo.capacity(), 2 * m_fluxo.size()), m_usado + n + 4096));
}

void TPlanilhaXLS::despejar() {
    if (m_destino < 0 || m_usado == 0) return;
    // After a failed write the rest is dropped: the save fails anyway, once
    // the sheet's own errors (if any) have had their say.
    if (m_erroDestino == 0)
        m_erroDestino = TGravacao::EscreverTudo(
            m_destino, QByteArray::fromRawData(m_fluxo.constData(), m_usado));
    m_despejados += m_usado;
    m_usado = 0;
}

const QByteArray &TPlanilhaXLS::Conteudo() const {
    if (m_fluxo.size() != m_usado) m_fluxo.resize(m_usado);
    return m_fluxo;
}

void TPlanilhaXLS::WriteCell(int linha, int coluna, const QString &texto) {
    char valor[1 + MaxTexto];
    const int n = bytesDoRotulo(texto, valor + 1);
    valor[0] = static_cast<char>(n);
    celula(linha, coluna, kLabel, valor, 1 + n);
}

void TPlanilhaXLS::WriteCell(int linha, int coluna, const char *texto) {
    // Plain ASCII titles are their own bytes.
    char valor[1 + MaxTexto];
    int n = 0;
    for (const char *c = texto; c && *c; ++c) {
        if (static_cast<unsigned char>(*c) >= 0x80)
            return WriteCell(linha, coluna, QString::fromUtf8(texto));
        if (n < MaxTexto) valor[1 + n++] = *c;
    }
    valor[0] = static_cast<char>(n);
    celula(linha, coluna, kLabel, valor, 1 + n);
}

void TPlanilhaXLS::WriteCell(int linha, int coluna, double valor) {
    static_assert(sizeof(double) == 8, "NUMBER cells hold an 8-byte IEEE double");
    quint64 bits;
    std::memcpy(&bits, &valor, sizeof bits);
    char b[8];
    for (int i = 0; i < 8; ++i)
        b[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    celula(linha, coluna, kNumber, b, 8);
}

void TPlanilhaXLS::WriteCell(int linha, int coluna, quint16 valor) {
    const char b[2] = {static_cast<char>(valor & 0xFF), static_cast<char>(valor >> 8)};
    celula(linha, coluna, kInteger, b, 2);
}

void TPlanilhaXLS::moverCursor() {
    const int ultL = m_ultimaLinha, ultC = m_ultimaColuna;
    switch (m_mover) {
    case maNone:
        break;
    case maUp:
        if (m_linha > 1) {
            --m_linha;
        } else if (m_coluna > 1) {
            m_linha = ultL;
            --m_coluna;
        }
        break;
    case maDown:
        if (m_linha < ultL) {
            ++m_linha;
        } else if (m_coluna < ultC) {
            m_linha = 1;
            ++m_coluna;
        }
        break;
    case maLeft:
        if (m_coluna > 1) {
            --m_coluna;
        } else if (m_linha > 1) {
            m_coluna = ultC;
            --m_linha;
        }
        break;
    case maRight:
        if (m_coluna < ultC) {
            ++m_coluna;
        } else if (m_linha < ultL) {
            m_coluna = 1;
            ++m_linha;
        }
        break;
    }
}

QString TPlanilhaXLS::NomeFinal(const QString &nome) {
    // An empty name stays empty: SaveSheet refuses it instead of writing a
    // hidden ".XLS" into the working folder.
    if (nome.isEmpty()) return nome;
    const qsizetype barra = nome.lastIndexOf(QLatin1Char('/'));
    const qsizetype ponto = nome.lastIndexOf(QLatin1Char('.'));
    if (ponto > barra) {
        if (QStringView(nome).mid(ponto).compare(QLatin1String(".XLS"), Qt::CaseInsensitive) == 0)
            return nome;
        return nome.left(ponto) + QStringLiteral(".XLS");
    }
    return nome + QStringLiteral(".XLS");
}

bool TPlanilhaXLS::Cabe(qint64 linhas, qint64 colunas) {
    return linhas >= 0 && linhas <= UltimaLinha && colunas >= 0 && colunas <= UltimaColuna;
}

void TPlanilhaXLS::ConferirTamanho(qint64 linhas, qint64 colunas) const {
    if (!Cabe(linhas, colunas))
        throw TErro(QStringLiteral("The spreadsheet %1 would need %2 rows and %3 columns; a sheet "
                                   "holds at most %4 rows and %5 columns. Nothing was written.")
                        .arg(nomeParaMensagem(), QString::number(linhas), QString::number(colunas),
                             QString::number(UltimaLinha), QString::number(UltimaColuna)));
}

bool TPlanilhaXLS::TextoCabe(const QString &texto) {
    qsizetype caracteres = 0;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (texto[i].isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate())
            ++i;
        ++caracteres;
    }
    return caracteres <= MaxTexto;
}

void TPlanilhaXLS::SaveSheet(OpcoesGravacao opcoes) {
    conferirGravacao(TGravacao::Gravar(m_nomeArquivo, Conteudo(), modoDe(opcoes),
                                       opcoes.testFlag(GravSomenteLeitura)));
}

void TPlanilhaXLS::GerarEGravar(const std::function<void()> &preencher, OpcoesGravacao opcoes) {
    // What `preencher` throws is carried past the save, which then removes
    // its temporary file, and thrown again as it was.
    std::exception_ptr excecao;
    const auto escritor = [&](const QString &temporario) -> QString {
        const int fd = ::open(QFile::encodeName(temporario).constData(),
                              O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) return TResultado::TextoDoSistema(errno);
        m_destino = fd;
        m_despejados = 0;
        m_erroDestino = 0;
        m_fluxo.clear();
        m_usado = 0;
        try {
            preencher();
            despejar();
        } catch (...) {
            excecao = std::current_exception();
        }
        int erro = m_erroDestino;
        m_destino = -1;
        if (::close(fd) != 0 && erro == 0) erro = errno;
        if (excecao) return QStringLiteral("the sheet was not completed");
        return erro ? TResultado::TextoDoSistema(erro) : QString();
    };
    const TResultado r = TGravacao::GravarCom(m_nomeArquivo, escritor, modoDe(opcoes),
                                              opcoes.testFlag(GravSomenteLeitura));
    // Nothing of the document stays behind (it went to the file).
    m_destino = -1;
    WriteBOF();
    if (excecao) std::rethrow_exception(excecao);
    conferirGravacao(r);
}
