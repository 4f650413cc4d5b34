#include "TPlanilhaGrade.h"

#include "core/TErro.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

static_assert(sizeof(TPlanilhaGrade::Celula) == 24, "a kept cell costs 24 bytes");

void TPlanilhaGrade::StartSheet() {
    m_celulas.clear();
    m_celulas.shrink_to_fit();
    m_ordenadas = true;
    m_textos.clear();
    m_indiceTextos.clear();
    m_larguras.clear();
    m_grupos.clear();
}

TPlanilhaGrade::Celula &TPlanilhaGrade::nova(int linha, int coluna) {
    // Checked before anything is kept, as the .xls does: a cell the sheet
    // cannot hold is never dropped or moved silently.
    if (linha < 1 || linha > MaxLinhas() || coluna < 1 || coluna > MaxColunas())
        throw TErro(QStringLiteral("Cannot write the cell at row %1, column %2 of %3: a sheet "
                                   "holds rows 1 to %4 and columns 1 to %5.")
                        .arg(QString::number(linha), QString::number(coluna), nomeParaMensagem(),
                             QString::number(MaxLinhas()), QString::number(MaxColunas())));
    if (m_celulas.size() >= std::numeric_limits<quint32>::max())
        throw TErro(QStringLiteral("The spreadsheet %1 would hold more than %2 cells.")
                        .arg(nomeParaMensagem())
                        .arg(std::numeric_limits<quint32>::max()));
    Celula c;
    c.Linha = static_cast<quint32>(linha);
    c.Coluna = static_cast<quint16>(coluna);
    c.Ordem = static_cast<quint32>(m_celulas.size());
    if (m_ordenadas && !m_celulas.empty()) {
        const Celula &u = m_celulas.back();
        m_ordenadas = u.Linha < c.Linha || (u.Linha == c.Linha && u.Coluna < c.Coluna);
    }
    m_celulas.push_back(c);
    return m_celulas.back();
}

void TPlanilhaGrade::alargar(int coluna, int caracteres) {
    if (static_cast<size_t>(coluna) > m_larguras.size()) m_larguras.resize(coluna, 0);
    int &l = m_larguras[static_cast<size_t>(coluna - 1)];
    l = std::max(l, caracteres);
}

void TPlanilhaGrade::WriteCell(int linha, int coluna, const QString &texto) {
    Celula &c = nova(linha, coluna);
    c.EhTexto = true;
    alargar(coluna, static_cast<int>(std::min<qsizetype>(texto.size(), 1000)));
    const auto it = m_indiceTextos.constFind(texto);
    if (it != m_indiceTextos.cend()) {
        c.Texto = it.value();
        return;
    }
    c.Texto = static_cast<quint32>(m_textos.size());
    m_indiceTextos.insert(texto, c.Texto);
    m_textos.append(texto);
}

void TPlanilhaGrade::WriteCell(int linha, int coluna, double valor) {
    Celula &c = nova(linha, coluna);
    c.Numero = valor;
    // Digits of the whole part, and room for three decimals when there
    // are any; a rough guess is enough for a column's width.
    const double a = std::fabs(valor);
    int digitos = a < 10 ? 1 : a < 1e15 ? static_cast<int>(std::log10(a)) + 1 : 15;
    if (valor < 0) ++digitos;
    if (a != std::floor(a)) digitos += 4;
    alargar(coluna, digitos);
}

void TPlanilhaGrade::WriteCell(int linha, int coluna, quint16 valor) {
    WriteCell(linha, coluna, static_cast<double>(valor));
}

void TPlanilhaGrade::Grupo(int primeiraLinha, const QString &nome) {
    m_grupos.insert(primeiraLinha, nome);
}

QString TPlanilhaGrade::GrupoDaLinha(quint32 linha) const {
    auto it = m_grupos.upperBound(static_cast<int>(std::min<quint32>(linha, INT_MAX)));
    if (it == m_grupos.cbegin()) return QString();
    return (--it).value();
}

const std::vector<TPlanilhaGrade::Celula> &TPlanilhaGrade::Celulas() {
    if (m_ordenadas) return m_celulas;
    std::sort(m_celulas.begin(), m_celulas.end(), [](const Celula &a, const Celula &b) {
        if (a.Linha != b.Linha) return a.Linha < b.Linha;
        if (a.Coluna != b.Coluna) return a.Coluna < b.Coluna;
        return a.Ordem < b.Ordem;
    });
    // Of a cell written twice the last value stays.
    auto fim =
        std::unique(m_celulas.rbegin(), m_celulas.rend(), [](const Celula &a, const Celula &b) {
            return a.Linha == b.Linha && a.Coluna == b.Coluna;
        });
    m_celulas.erase(m_celulas.begin(), fim.base());
    m_ordenadas = true;
    return m_celulas;
}

QString TPlanilhaGrade::ComExtensao(const QString &nome, const QString &extensao) {
    // An empty name stays empty: the save refuses it.
    if (nome.isEmpty()) return nome;
    const qsizetype barra = nome.lastIndexOf(QLatin1Char('/'));
    const qsizetype ponto = nome.lastIndexOf(QLatin1Char('.'));
    if (ponto > barra) {
        if (QStringView(nome).mid(ponto).compare(extensao, Qt::CaseInsensitive) == 0) return nome;
        return nome.left(ponto) + extensao;
    }
    return nome + extensao;
}
