#include "TDados.h"

#include "core/Arquivos.h"
#include "core/Cp1252.h"
#include "core/TDocumentoIni.h"
#include "core/TErro.h"
#include "core/TFormaLabirinto.h"
#include "core/TUsuario.h"

#include <QDir>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
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

// A stretch of the file's bytes.
struct Trecho {
    const char *p = nullptr;
    qsizetype n = 0;
    QString texto() const { return Cp1252::decodificar(QByteArray::fromRawData(p, n)); }
    bool igual(const Trecho &o) const { return n == o.n && std::memcmp(p, o.p, size_t(n)) == 0; }
};

// Lines split at CR LF, LF or a lone CR, as Arquivos::dividirLinhas splits
// them, without copying them.
std::vector<Trecho> dividirLinhas(const QByteArray &texto) {
    std::vector<Trecho> linhas;
    const char *const base = texto.constData();
    const qsizetype n = texto.size();
    qsizetype inicio = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char c = base[i];
        if (c == '\r' || c == '\n') {
            linhas.push_back(Trecho{base + inicio, i - inicio});
            if (c == '\r' && i + 1 < n && base[i + 1] == '\n') ++i;
            inicio = i + 1;
        }
    }
    if (inicio < n) linhas.push_back(Trecho{base + inicio, n - inicio});
    return linhas;
}

// A number written plainly: an optional "-" and 1 to 18 digits. The
// recorder writes every number so; anything else goes the general way.
bool simples(const Trecho &t, qint64 *valor, bool *negativo) {
    qsizetype i = 0;
    *negativo = t.n > 0 && t.p[0] == '-';
    if (*negativo) ++i;
    if (t.n - i < 1 || t.n - i > 18) return false;
    qint64 v = 0;
    for (; i < t.n; ++i) {
        const unsigned d = static_cast<unsigned char>(t.p[i]) - unsigned('0');
        if (d > 9) return false;
        v = v * 10 + d;
    }
    *valor = *negativo ? -v : v;
    return true;
}

double decimal(const Trecho &t, const QString &texto, bool *ok) {
    qint64 v;
    bool negativo;
    if (simples(t, &v, &negativo)) {
        *ok = true;
        return v == 0 && negativo ? -0.0 : static_cast<double>(v);
    }
    return texto.toDouble(ok);
}

qint32 inteiro(const Trecho &t, const QString &texto, bool *ok) {
    qint64 v;
    bool negativo;
    if (simples(t, &v, &negativo) && v >= std::numeric_limits<qint32>::min() &&
        v <= std::numeric_limits<qint32>::max()) {
        *ok = true;
        return static_cast<qint32>(v);
    }
    return texto.toInt(ok, 10);
}

// Text after the first tab of a header line ("Experimento:\tname").
QString valorCabecalho(const QStringList &cabecalho, int linha) {
    if (linha > cabecalho.size()) return QString();
    const QString &t = cabecalho[linha - 1];
    const qsizetype tab = t.indexOf(QLatin1Char('\t'));
    return tab < 0 ? QString() : t.mid(tab + 1);
}

// The maze and the behaviour list the profile gives an experiment.
//
// The behaviour list is found as the program always has: walking keys 1 to
// QdeExp of [Experimentos], every key equal to the name sought so far
// replaces that name by its "CompTipo" (a missing key reads "0"); the list
// is then keys 1 to 26 of the section reached. So a listed experiment reads
// its behaviour list, an unlisted one its own section.
void lerPerfil(const QString &arquivo, const QString &experimento, QString *labirinto,
               QStringList *comportamentos) {
    const TDocumentoIni ini(arquivo);
    const QString secaoExp = QStringLiteral("Experimentos");
    *labirinto = ini.ReadString(experimento, QStringLiteral("Labirinto"), QString());

    const int qde = ini.ReadInteger(secaoExp, QStringLiteral("QdeExp"), 1);
    // Only the keys that exist are read one by one: a damaged count (say two
    // thousand million) must not mean as many reads. A run of missing keys
    // compares "0" with the name; after one replacement the name cannot
    // change again within the same run unless it is "0" once more, which
    // gives the same section again.
    QList<int> chaves;
    for (const QString &k : ini.ReadSection(secaoExp)) {
        bool ok = false;
        const int n = k.toInt(&ok, 10);
        if (ok && n >= 1 && n <= qde && k == QString::number(n)) chaves.append(n);
    }
    std::sort(chaves.begin(), chaves.end());
    chaves.erase(std::unique(chaves.begin(), chaves.end()), chaves.end());
    QString s = experimento;
    auto ausente = [&] {
        if (s == QLatin1String("0")) s = ini.ReadString(s, QStringLiteral("CompTipo"), QString());
    };
    int proxima = 1;
    for (int n : chaves) {
        if (n > proxima) ausente();
        if (ini.ReadString(secaoExp, QString::number(n), QStringLiteral("0")) == s)
            s = ini.ReadString(s, QStringLiteral("CompTipo"), QString());
        proxima = n + 1;
    }
    if (proxima <= qde) ausente();

    comportamentos->clear();
    for (int k = 1; k <= 26; ++k) {
        const QString c = ini.ReadString(s, QString::number(k), QString());
        if (!c.isEmpty()) comportamentos->append(c);
    }
}

} // namespace

// ---------------------------------------------------------------- reading

void TDados::LerArquivo(const QString &caminho) {
    const QString nome = nomeDoArquivo(caminho);
    const QByteArray bytes = Arquivos::lerOuFalhar(caminho, Arquivos::TamanhoMaximoRegistro);
    const std::vector<Trecho> linhas = dividirLinhas(bytes);

    // A file cut short in its header is not a record: reading on would take
    // header lines for rows (or find none) and report plausible nonsense.
    if (linhas.size() < size_t(LinhasCabecalho) + 1)
        throw TErro(
            QStringLiteral("%1 is not a complete record file: it ends at line %2, "
                           "before the column titles of line %3.")
                .arg(nome, QString::number(linhas.size()), QString::number(LinhasCabecalho + 1)));

    QStringList cabecalho;
    for (int i = 0; i < LinhasCabecalho; ++i)
        cabecalho.append(linhas[size_t(i)].texto());

    // Squares, behaviours, minutes and frequencies repeat from row to row:
    // one shared string each instead of one per row.
    // Most often a field is what it was in the row before.
    QHash<QByteArray, QString> repetidos;
    struct Anterior {
        Trecho bytes;
        QString texto;
    };
    auto repetido = [&repetidos](const Trecho &t, Anterior &anterior) {
        if (anterior.bytes.p && t.igual(anterior.bytes)) return anterior.texto;
        const QByteArray chave = QByteArray::fromRawData(t.p, t.n);
        auto it = repetidos.constFind(chave);
        if (it == repetidos.constEnd()) it = repetidos.insert(QByteArray(t.p, t.n), t.texto());
        anterior = Anterior{t, *it};
        return *it;
    };
    Anterior posicao, comportamento, minuto, frequencia, fim;

    QList<TLinhaRegistro> registros;
    registros.reserve(qsizetype(linhas.size()) - LinhasCabecalho - 1);
    for (size_t i = LinhasCabecalho + 1; i < linhas.size(); ++i) {
        TLinhaRegistro r;
        r.linha = static_cast<int>(i + 1);
        // Six times the text before the first tab is the next field and is
        // cut off with its tab; without a tab the field is empty and the
        // rest stays. What is left is the seventh field.
        Trecho resto = linhas[i];
        Trecho campos[7];
        for (int k = 0; k < 6; ++k) {
            const char *tab =
                static_cast<const char *>(std::memchr(resto.p, '\t', size_t(resto.n)));
            if (!tab) continue;
            campos[k] = Trecho{resto.p, tab - resto.p};
            resto = Trecho{tab + 1, resto.n - (tab + 1 - resto.p)};
        }
        campos[6] = resto;
        r.Posicao = repetido(campos[0], posicao);
        r.Comportamento = repetido(campos[1], comportamento);
        // Entry rows follow one another: a start is the previous end.
        r.Inicio = fim.bytes.p && campos[2].igual(fim.bytes) ? fim.texto : campos[2].texto();
        r.Fim = campos[3].texto();
        fim = Anterior{campos[3], r.Fim};
        r.Duracao = campos[4].texto();
        r.Minuto = repetido(campos[5], minuto);
        r.Frequencia = repetido(campos[6], frequencia);

        auto invalido = [&](const char *campo, const QString &valor, const char *esperado) {
            return TErro(QStringLiteral("Invalid record in %1, line %2: %3 \"%4\" is not %5.")
                             .arg(nome, QString::number(r.linha), QString::fromUtf8(campo), valor,
                                  QString::fromUtf8(esperado)));
        };
        bool ok = false;
        r.inicio = decimal(campos[2], r.Inicio, &ok);
        if (!ok || !std::isfinite(r.inicio)) throw invalido("Início", r.Inicio, "a number");
        r.duracao = inteiro(campos[4], r.Duracao, &ok);
        if (!ok) throw invalido("Duração", r.Duracao, "a whole number");
        r.minuto = inteiro(campos[5], r.Minuto, &ok);
        if (!ok) throw invalido("Minuto", r.Minuto, "a whole number");
        r.frequencia = inteiro(campos[6], r.Frequencia, &ok);
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

// ---------------------------------------------------------------- lists

void TDados::MontarListas(const TUsuario &usuario) {
    montarListas(usuario, nullptr);
}

void TDados::montarListas(const TUsuario &usuario, Execucao *execucao) {
    const QString experimento = valorCabecalho(m_cabecalho, 4);
    Execucao::Perfil perfil;
    if (execucao && execucao->m_perfis.contains(experimento)) {
        perfil = execucao->m_perfis.value(experimento);
    } else {
        lerPerfil(usuario.Arquivo, experimento, &perfil.labirinto, &perfil.comportamentos);
        if (execucao) execucao->m_perfis.insert(experimento, perfil);
    }

    // Session minutes first: a damaged header stops the file before any list
    // changes.
    const QString tempo = valorCabecalho(m_cabecalho, 7);
    const QString numero = tempo.left(tempo.indexOf(QLatin1Char(' ')));
    bool ok = false;
    const double segundos = numero.toDouble(&ok);
    if (!ok || !std::isfinite(segundos))
        throw TErro(QStringLiteral("Invalid record in %1, line 7: the session time \"%2\" is not "
                                   "a number of seconds.")
                        .arg(nomeDoArquivo(m_arquivo), tempo));
    // More minutes than a sheet has rows cannot be analysed in any way; a
    // number that large only comes from a damaged header.
    const double minutos = std::trunc(segundos / 60);
    if (minutos > 1000000)
        throw TErro(QStringLiteral("Invalid record in %1, line 7: a session of %2 is longer than "
                                   "any recording.")
                        .arg(nomeDoArquivo(m_arquivo), tempo));

    const TFormaLabirinto doPerfil(perfil.labirinto), atual(usuario.Experimento.Labirinto);
    QStringList quadrados = Quadrados;
    if (doPerfil.TemListaPropria())
        quadrados = doPerfil.Quadrados();
    else if (atual.TemListaPropria())
        // A record whose experiment the profile does not know (a file copied
        // in from elsewhere) would otherwise be counted against no squares,
        // or against the previous file's, and report zeros.
        quadrados = atual.Quadrados();
    if (atual.Tipo() == TTipoLabirinto::Arena) {
        int c = 0, r = 0;
        if (!atual.DimensoesArena(&c, &r))
            throw TErro(QStringLiteral("The maze name \"%1\" does not give the arena's size "
                                       "(\"ARENA (CxR)\", 1 to 255 each).")
                            .arg(atual.Nome()));
        quadrados = TFormaLabirinto::QuadradosArena(c, r);
    }

    Quadrados = quadrados;
    Comportamentos = QStringList{QStringLiteral("ENTRADA")} + perfil.comportamentos;
    Minutos = minutos < 1 ? 1 : static_cast<int>(minutos);
}

QString TDados::CaminhoArquivo(const TUsuario &usuario, const QString &arquivo) {
    const QString nome =
        arquivo.endsWith(QLatin1String("tvl")) ? arquivo : arquivo + QStringLiteral(".tvl");
    return usuario.Pasta + usuario.Experimento.Nome + QLatin1Char('/') + nome;
}

void TDados::PrepararArquivo(const TUsuario &usuario, int grupo, int arquivo, Execucao &execucao) {
    LerArquivo(CaminhoArquivo(usuario, m_grupos.at(grupo).Arquivos.at(arquivo)));
    OrdenarPorInicio();
    montarListas(usuario, &execucao);
    Comportamentos += execucao.ComportamentosExtras;
    QSet<QString> conhecidos(Comportamentos.cbegin(), Comportamentos.cend());
    for (const TLinhaRegistro &r : std::as_const(m_registros)) {
        if (conhecidos.contains(r.Comportamento)) continue;
        conhecidos.insert(r.Comportamento);
        Comportamentos.append(r.Comportamento);
        execucao.ComportamentosExtras.append(r.Comportamento);
    }
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
                        .arg(nomeDoArquivo(m_arquivo), QString::number(minutos),
                             QString::number(QdeComportamentos()),
                             QString::number(QdeQuadrados())));
    m_tabela.assign(static_cast<size_t>(celulas), TCelulaMinuto());
    m_tabComportamentos = QdeComportamentos();
    m_tabQuadrados = QdeQuadrados();
    m_tabMinutos = minutos;
}

namespace {

// Every position at which each name stands in the list (a name may appear
// more than once; every position counts).
QHash<QString, QList<int>> posicoes(const QStringList &nomes) {
    QHash<QString, QList<int>> r;
    for (int i = 0; i < nomes.size(); ++i)
        r[nomes[i]].append(i);
    return r;
}

} // namespace

void TDados::Acumular() {
    acumularLinhas(true);
}

void TDados::acumularLinhas(bool frequenciaEntrada) {
    ZerarTabelaMinutos();
    const QHash<QString, QList<int>> quadrados = posicoes(Quadrados),
                                     comportamentos = posicoes(Comportamentos);
    for (const TLinhaRegistro &r : std::as_const(m_registros)) {
        if (!temCelula(r)) continue;
        const auto iq = quadrados.constFind(r.Posicao);
        const auto ib = comportamentos.constFind(r.Comportamento);
        if (iq == quadrados.constEnd() || ib == comportamentos.constEnd()) continue;
        for (int q : *iq)
            for (int b : *ib) {
                TCelulaMinuto &c = TabelaMinutos(b, q, r.minuto - 1);
                if (r.frequencia == 1) ++c.Ocorrencias;
                c.SomaDuracao += r.duracao;
                if (b != 0 || frequenciaEntrada) c.SomaFrequencia += r.frequencia;
            }
    }
}

void TDados::AcumularRegioes(const QString &labirinto) {
    const TFormaLabirinto forma(labirinto);
    // Durations and occurrences of every row; frequencies of behaviours.
    acumularLinhas(false);

    // Entries: a move counts when it changes region, and an arrival at an
    // arm end when it comes from outside the ends.
    if (QdeComportamentos() == 0) return;
    const QHash<QString, QList<int>> quadrados = posicoes(Quadrados);
    const QString entrada = QStringLiteral("ENTRADA");
    const quint16 troca = RBracoAberto | RCentro | RBracoAbertoI;
    bool primeiro = true;
    quint16 anterior = 0;
    for (const TLinhaRegistro &r : std::as_const(m_registros)) {
        if (r.Comportamento != entrada) continue;
        const auto iq = quadrados.constFind(r.Posicao);
        if (iq == quadrados.constEnd()) continue;
        const quint16 atual = forma.Regioes(r.Posicao);
        for (int q : *iq) {
            if (temCelula(r)) {
                TCelulaMinuto &c = TabelaMinutos(0, q, r.minuto - 1);
                if (primeiro || ((anterior ^ atual) & troca)) c.SomaFrequencia += r.frequencia;
                for (quint16 ponta : {quint16(RExtremidade), quint16(RExtremidadeI)})
                    if (!(anterior & ponta) && (atual & ponta))
                        c.EntradasExtremidade += r.frequencia;
            }
            primeiro = false;
            anterior = atual;
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
