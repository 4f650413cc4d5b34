#include "TPlanilhaGrade.h"

#include "core/TErro.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <numeric>

static_assert(sizeof(TPlanilhaGrade::Celula) == 16, "a kept cell costs 16 bytes");

void TPlanilhaGrade::StartSheet() {
    m_celulas = std::deque<Celula>();
    m_ordem = std::vector<quint32>();
    m_emOrdem = true;
    m_ordenado = false;
    m_maiorLinha = 0;
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
    if (m_emOrdem && !m_celulas.empty()) {
        const Celula &u = m_celulas.back();
        m_emOrdem = u.Linha < c.Linha || (u.Linha == c.Linha && u.Coluna < c.Coluna);
    }
    m_maiorLinha = std::max(m_maiorLinha, c.Linha);
    m_ordenado = false;
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
    int digitos = 1;
    for (double d = 10; a >= d && digitos < 15; d *= 10)
        ++digitos;
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

void TPlanilhaGrade::Ordenar() {
    if (m_ordenado) return;
    const size_t n = m_celulas.size();
    m_ordem.resize(n);
    m_ordenado = true;
    std::iota(m_ordem.begin(), m_ordem.end(), quint32(0));
    if (m_emOrdem) return;

    // Of equal cells the one written last (the larger index) comes last.
    auto antes = [this](quint32 a, quint32 b) {
        const Celula &x = m_celulas[a], &y = m_celulas[b];
        if (x.Linha != y.Linha) return x.Linha < y.Linha;
        if (x.Coluna != y.Coluna) return x.Coluna < y.Coluna;
        return a < b;
    };
    if (m_maiorLinha > 4 * n + 1024) {
        // Few cells over far rows: no table of rows.
        std::sort(m_ordem.begin(), m_ordem.end(), antes);
    } else {
        // The sheets write row after row, titles last and two rows at a
        // time: placed by row in one pass, then each row by column.
        std::vector<quint32> inicio(size_t(m_maiorLinha) + 2, 0);
        for (const Celula &c : m_celulas)
            ++inicio[c.Linha + 1];
        for (size_t r = 1; r < inicio.size(); ++r)
            inicio[r] += inicio[r - 1];
        std::vector<quint32> proximo(inicio.begin(), inicio.end() - 1);
        for (quint32 i = 0; i < n; ++i)
            m_ordem[proximo[m_celulas[i].Linha]++] = i;
        for (size_t r = 0; r + 1 < inicio.size(); ++r) {
            const auto de = m_ordem.begin() + inicio[r], ate = m_ordem.begin() + inicio[r + 1];
            if (ate - de > 1 && !std::is_sorted(de, ate, antes)) std::sort(de, ate, antes);
        }
    }
    // Of a cell written twice the last value stays.
    size_t k = 0;
    for (size_t i = 0; i < n; ++i) {
        const Celula &c = m_celulas[m_ordem[i]];
        if (k > 0) {
            const Celula &u = m_celulas[m_ordem[k - 1]];
            if (u.Linha == c.Linha && u.Coluna == c.Coluna) {
                m_ordem[k - 1] = m_ordem[i];
                continue;
            }
        }
        m_ordem[k++] = m_ordem[i];
    }
    m_ordem.resize(k);
    m_ordem.shrink_to_fit();
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
