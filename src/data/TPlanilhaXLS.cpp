#include "TPlanilhaXLS.h"

#include "core/Cp1252.h"
#include "core/TErro.h"
#include "core/TGravacao.h"

#include <QDir>

#include <cstring>

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

void anexar16(QByteArray &b, quint16 v) {
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>(v >> 8));
}

// One byte per character (a surrogate pair is one character, written '?'),
// so cutting at MaxTexto bytes never splits a character.
QByteArray bytesDoRotulo(const QString &texto) {
    QByteArray b;
    b.reserve(qMin<qsizetype>(texto.size(), TPlanilhaXLS::MaxTexto));
    for (qsizetype i = 0; i < texto.size() && b.size() < TPlanilhaXLS::MaxTexto; ++i) {
        const QChar c = texto[i];
        if (c.isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate()) {
            b.append('?');
            ++i;
        } else {
            b.append(static_cast<char>(Cp1252::codigo(c)));
        }
    }
    return b;
}

} // namespace

TPlanilhaXLS::TPlanilhaXLS() {
    WriteBOF();
}

void TPlanilhaXLS::setActiveFont(quint8 fonte) {
    if (fonte != m_fonteAtiva && fonte <= m_qdeFontes) m_fonteAtiva = fonte;
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
    m_fluxo.clear();
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
    anexar16(m_fluxo, v);
}

QByteArray TPlanilhaXLS::atributos() const {
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
    QByteArray b;
    b.append(static_cast<char>(a0));
    b.append(static_cast<char>(a1));
    b.append(static_cast<char>(a2));
    return b;
}

void TPlanilhaXLS::celula(int linha, int coluna, quint16 id, const QByteArray &valor) {
    // Checked before anything is appended: a cell the sheet cannot hold must
    // not end up silently in another cell (the cursor's) or be lost.
    if (linha < 0 || linha > m_ultimaLinha || coluna < 0 || coluna > m_ultimaColuna)
        throw TErro(QStringLiteral("Cannot write the cell at row %1, column %2 of %3: a sheet "
                                   "holds rows 1 to %4 and columns 1 to %5.")
                        .arg(QString::number(linha), QString::number(coluna), nomeParaMensagem(),
                             QString::number(UltimaLinha), QString::number(UltimaColuna)));
    setRow(linha);
    setColumn(coluna);
    cabecalhoRegistro(id, static_cast<quint16>(4 + 3 + valor.size()));
    put16(static_cast<quint16>(m_linha - 1));
    put16(static_cast<quint16>(m_coluna - 1));
    moverCursor();
    m_fluxo.append(atributos());
    m_fluxo.append(valor);
}

void TPlanilhaXLS::WriteCell(int linha, int coluna, const QString &texto) {
    const QByteArray bytes = bytesDoRotulo(texto);
    QByteArray valor;
    valor.append(static_cast<char>(bytes.size()));
    valor.append(bytes);
    celula(linha, coluna, kLabel, valor);
}

void TPlanilhaXLS::WriteCell(int linha, int coluna, double valor) {
    static_assert(sizeof(double) == 8, "NUMBER cells hold an 8-byte IEEE double");
    quint64 bits;
    std::memcpy(&bits, &valor, sizeof bits);
    QByteArray b;
    for (int i = 0; i < 8; ++i)
        b.append(static_cast<char>((bits >> (8 * i)) & 0xFF));
    celula(linha, coluna, kNumber, b);
}

void TPlanilhaXLS::WriteCell(int linha, int coluna, quint16 valor) {
    QByteArray b;
    anexar16(b, valor);
    celula(linha, coluna, kInteger, b);
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
    conferirGravacao(TGravacao::Gravar(m_nomeArquivo, m_fluxo, modoDe(opcoes),
                                       opcoes.testFlag(GravSomenteLeitura)));
}
