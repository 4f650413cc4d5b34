#include "TDados.h"

#include "core/Arquivos.h"
#include "core/Cp1252.h"
#include "core/TErro.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Above this many cells the per-minute table would take gigabytes: only a
// damaged session length gets there (a 10-hour session of 27 behaviours on
// 225 squares needs 3.6 million).
const qint64 kMaxCelulas = qint64(1) << 24;

QString nomeDoArquivo(const QString &caminho) {
    return QDir::toNativeSeparators(caminho);
}

// Fenwick tree of counts over positions 0..n-1.
class TContagem {
public:
    explicit TContagem(int n) : m_arvore(static_cast<size_t>(n) + 1, 0) {}
    void somar(int pos, qint64 valor) {
        for (size_t i = static_cast<size_t>(pos) + 1; i < m_arvore.size(); i += i & (~i + 1))
            m_arvore[i] += valor;
    }
    // Sum of positions 0..pos-1.
    qint64 antesDe(int pos) const {
        qint64 s = 0;
        for (size_t i = static_cast<size_t>(pos); i > 0; i -= i & (~i + 1))
            s += m_arvore[i];
        return s;
    }
    // Position of the (k+1)-th unit, counts being 0 or 1.
    int posicaoDaUnidade(qint64 k) const {
        size_t pos = 0;
        size_t passo = 1;
        while (passo * 2 < m_arvore.size())
            passo *= 2;
        for (; passo > 0; passo /= 2) {
            if (pos + passo < m_arvore.size() && m_arvore[pos + passo] <= k) {
                pos += passo;
                k -= m_arvore[pos];
            }
        }
        return static_cast<int>(pos);
    }

private:
    std::vector<qint64> m_arvore;
};

} // namespace

// ---------------------------------------------------------------- reading

void TDados::LerArquivo(const QString &caminho) {
    const QString nome = nomeDoArquivo(caminho);
    if (QFileInfo(caminho).isDir())
        throw TErro(QStringLiteral("Cannot open file %1: it is a folder.").arg(nome));
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw TErro(QStringLiteral("Cannot open file %1: %2.").arg(nome, arquivo.errorString()));
    const QByteArray bytes = arquivo.readAll();
    if (arquivo.error() != QFileDevice::NoError)
        throw TErro(QStringLiteral("Cannot read file %1: %2.").arg(nome, arquivo.errorString()));
    const QList<QByteArray> linhas = Arquivos::dividirLinhas(bytes);

    // A file cut short in its header is not a record: reading on would take
    // header lines for rows (or find none) and report plausible nonsense.
    if (linhas.size() < LinhasCabecalho + 1)
        throw TErro(QStringLiteral("%1 is not a complete record file: it ends at line %2, "
                                   "before the column titles of line %3.")
                        .arg(nome)
                        .arg(linhas.size())
                        .arg(LinhasCabecalho + 1));

    QStringList cabecalho;
    for (int i = 0; i < LinhasCabecalho; ++i)
        cabecalho.append(Cp1252::decodificar(linhas[i]));

    QList<TLinhaRegistro> registros;
    registros.reserve(linhas.size() - LinhasCabecalho - 1);
    for (qsizetype i = LinhasCabecalho + 1; i < linhas.size(); ++i) {
        TLinhaRegistro r;
        r.linha = static_cast<int>(i + 1);
        QString resto = Cp1252::decodificar(linhas[i]);
        QString *const campos[6] = {&r.Posicao, &r.Comportamento, &r.Inicio,
                                    &r.Fim,     &r.Duracao,       &r.Minuto};
        for (QString *campo : campos) {
            const qsizetype tab = resto.indexOf(QLatin1Char('\t'));
            if (tab < 0) continue; // no tab left: an empty field, the rest stays
            *campo = resto.left(tab);
            resto.remove(0, tab + 1);
        }
        r.Frequencia = resto;

        auto invalido = [&](const char *campo, const QString &valor, const char *esperado) {
            return TErro(QStringLiteral("Invalid record in %1, line %2: %3 \"%4\" is not %5.")
                             .arg(nome)
                             .arg(r.linha)
                             .arg(QString::fromUtf8(campo), valor, QString::fromUtf8(esperado)));
        };
        bool ok = false;
        r.inicio = r.Inicio.toDouble(&ok);
        if (!ok || !std::isfinite(r.inicio)) throw invalido("Início", r.Inicio, "a number");
        r.duracao = r.Duracao.toInt(&ok, 10);
        if (!ok) throw invalido("Duração", r.Duracao, "a whole number");
        r.minuto = r.Minuto.toInt(&ok, 10);
        if (!ok) throw invalido("Minuto", r.Minuto, "a whole number");
        r.frequencia = r.Frequencia.toInt(&ok, 10);
        if (!ok) throw invalido("Frequência", r.Frequencia, "a whole number");
        registros.append(std::move(r));
    }

    m_arquivo = caminho;
    m_cabecalho = std::move(cabecalho);
    m_registros = std::move(registros);
}

// ---------------------------------------------------------------- sorting

void TDados::OrdenarPorInicio() {
    std::vector<double> inicios;
    inicios.reserve(static_cast<size_t>(m_registros.size()));
    for (const TLinhaRegistro &r : m_registros)
        inicios.push_back(r.inicio);
    const std::vector<int> ordem = OrdemDeTroca(inicios);
    QList<TLinhaRegistro> ordenados;
    ordenados.reserve(m_registros.size());
    for (int i : ordem)
        ordenados.append(std::move(m_registros[i]));
    m_registros = std::move(ordenados);
}

std::vector<int> TDados::OrdemDeTrocaLiteral(const std::vector<double> &inicios) {
    const int n = static_cast<int>(inicios.size());
    std::vector<int> p(static_cast<size_t>(n));
    std::iota(p.begin(), p.end(), 0);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (inicios[p[i]] < inicios[p[j]]) std::swap(p[i], p[j]);
    return p;
}

// How the exchange sort orders rows, and how this reproduces it.
//
// Pass i = 0 carries the running maximum into position 0: it ends holding
// the first row of greatest start, and every row it passed over lands where
// that maximum was. That pass is done as is (linear).
//
// Before each later pass i, positions 0..i-1 are in ascending order and the
// last of them has the greatest start; no later pass touches a position
// beyond its own i. Pass i takes row x = position i and walks the prefix:
// x goes in after every row of start <= its own (so after its equals), and
// in each run of equal starts greater than x the first row moves to the end
// of its run (the rotation the exchanges make as the held row is swapped
// with the first row of each greater run).
//
// So each run of equal starts behaves as a cyclic list: appending a row puts
// it just before the list's head, and every row inserted with a smaller
// start advances the head by one. The head advances are counted lazily with
// a Fenwick tree over the ranks of the distinct starts; the positions at
// which rows were put into each run are resolved at the end, offline, by
// placing them from the last to the first into the k-th free slot. Both are
// O(n log n).
std::vector<int> TDados::OrdemDeTroca(const std::vector<double> &inicios) {
    const int n = static_cast<int>(inicios.size());
    std::vector<int> p(static_cast<size_t>(n));
    std::iota(p.begin(), p.end(), 0);
    if (n < 2) return p;

    for (int j = 0; j < n; ++j)
        if (inicios[p[0]] < inicios[p[j]]) std::swap(p[0], p[j]);

    std::vector<double> distintos(inicios);
    std::sort(distintos.begin(), distintos.end());
    distintos.erase(std::unique(distintos.begin(), distintos.end()), distintos.end());
    const int qdeDistintos = static_cast<int>(distintos.size());
    auto posto = [&distintos](double v) {
        return static_cast<int>(std::lower_bound(distintos.begin(), distintos.end(), v) -
                                distintos.begin());
    };

    struct Sequencia {
        int tamanho = 0;
        int cabeca = 0;                          // linear index of the first row
        qint64 avancosVistos = 0;                // smaller insertions already applied
        std::vector<std::pair<int, int>> postos; // (row, linear index at insertion)
    };
    std::vector<Sequencia> seq(static_cast<size_t>(qdeDistintos));
    TContagem menores(qdeDistintos);

    auto atualizarCabeca = [&](Sequencia &s, int r) {
        const qint64 vistos = menores.antesDe(r);
        if (s.tamanho > 0)
            s.cabeca = static_cast<int>((s.cabeca + (vistos - s.avancosVistos)) % s.tamanho);
        s.avancosVistos = vistos;
    };
    for (int i = 0; i < n; ++i) {
        const int linha = p[static_cast<size_t>(i)];
        const int r = posto(inicios[static_cast<size_t>(linha)]);
        Sequencia &s = seq[static_cast<size_t>(r)];
        atualizarCabeca(s, r);
        s.postos.emplace_back(linha, s.cabeca);
        ++s.tamanho;
        s.cabeca = (s.cabeca + 1) % s.tamanho;
        menores.somar(r, 1);
    }

    std::vector<int> ordem;
    ordem.reserve(static_cast<size_t>(n));
    std::vector<int> linear;
    for (int r = 0; r < qdeDistintos; ++r) {
        Sequencia &s = seq[static_cast<size_t>(r)];
        atualizarCabeca(s, r);
        linear.assign(static_cast<size_t>(s.tamanho), -1);
        TContagem livres(s.tamanho);
        for (int k = 0; k < s.tamanho; ++k)
            livres.somar(k, 1);
        for (auto it = s.postos.rbegin(); it != s.postos.rend(); ++it) {
            const int vaga = livres.posicaoDaUnidade(it->second);
            linear[static_cast<size_t>(vaga)] = it->first;
            livres.somar(vaga, -1);
        }
        for (int k = 0; k < s.tamanho; ++k)
            ordem.push_back(linear[static_cast<size_t>((s.cabeca + k) % s.tamanho)]);
    }
    return ordem;
}

// ---------------------------------------------------------------- per-minute table

int TDados::indiceTabela(int b, int q, int m) const {
    Q_ASSERT(b >= 0 && b < m_tabComportamentos && q >= 0 && q < m_tabQuadrados && m >= 0 &&
             m < m_tabMinutos);
    return (b * m_tabQuadrados + q) * m_tabMinutos + m;
}

const TCelulaMinuto &TDados::TabelaMinutos(int b, int q, int m) const {
    return m_tabela[static_cast<size_t>(indiceTabela(b, q, m))];
}

TCelulaMinuto &TDados::TabelaMinutos(int b, int q, int m) {
    return m_tabela[static_cast<size_t>(indiceTabela(b, q, m))];
}

void TDados::ZerarTabelaMinutos() {
    const int minutos = std::max(1, Minutos);
    const qint64 celulas = qint64(QdeComportamentos()) * QdeQuadrados() * minutos;
    if (celulas > kMaxCelulas)
        throw TErro(QStringLiteral("Cannot analyse %1 minute by minute: %2 minutes of %3 "
                                   "behaviours on %4 squares are too many.")
                        .arg(nomeDoArquivo(m_arquivo))
                        .arg(minutos)
                        .arg(QdeComportamentos())
                        .arg(QdeQuadrados()));
    m_tabela.assign(static_cast<size_t>(celulas), TCelulaMinuto());
    m_tabComportamentos = QdeComportamentos();
    m_tabQuadrados = QdeQuadrados();
    m_tabMinutos = minutos;
}

void TDados::Acumular() {
    ZerarTabelaMinutos();
    // A name may appear more than once in a list; every index counts.
    QHash<QString, QList<int>> quadrados, comportamentos;
    for (int q = 0; q < QdeQuadrados(); ++q)
        quadrados[Quadrados[q]].append(q);
    for (int b = 0; b < QdeComportamentos(); ++b)
        comportamentos[Comportamentos[b]].append(b);

    for (const TLinhaRegistro &r : std::as_const(m_registros)) {
        // The seconds after the last whole minute (and a damaged minute)
        // have no cell.
        if (r.minuto < 1 || r.minuto > m_tabMinutos) continue;
        const auto iq = quadrados.constFind(r.Posicao);
        const auto ib = comportamentos.constFind(r.Comportamento);
        if (iq == quadrados.constEnd() || ib == comportamentos.constEnd()) continue;
        for (int q : *iq)
            for (int b : *ib) {
                TCelulaMinuto &c = TabelaMinutos(b, q, r.minuto - 1);
                if (r.frequencia == 1) ++c.Ocorrencias;
                c.SomaDuracao += r.duracao;
                c.SomaFrequencia += r.frequencia;
            }
    }
}

// ---------------------------------------------------------------- groups

int TDados::IndiceGrupo(const QString &nome) const {
    for (int g = 0; g < QdeGrupos(); ++g)
        if (m_grupos[g].Nome == nome) return g;
    return -1;
}

bool TDados::InserirGrupo(const QString &nome, const QStringList &arquivos) {
    if (QdeGrupos() >= MaxGrupos || arquivos.size() > MaxArquivos || IndiceGrupo(nome) >= 0)
        return false;
    m_grupos.append(TGrupo{nome, arquivos});
    return true;
}

bool TDados::SubstituirArquivos(const QString &nome, const QStringList &arquivos) {
    const int g = IndiceGrupo(nome);
    if (g < 0 || arquivos.size() > MaxArquivos) return false;
    m_grupos[g].Arquivos = arquivos;
    return true;
}
