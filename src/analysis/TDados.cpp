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

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    explicit TContagem(int n = 0) : m_arvore(static_cast<size_t>(n) + 1, 0) {}
    // Positions 0..n-1 holding one each (the memory is kept).
    void preencherUns(int n) {
        m_arvore.resize(static_cast<size_t>(n) + 1);
        m_arvore[0] = 0;
        for (size_t i = 1; i < m_arvore.size(); ++i)
            m_arvore[i] = qint64(i & (~i + 1));
    }
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
    QString texto() const {
        return n == 0 ? QString() : Cp1252::decodificar(QByteArray::fromRawData(p, n));
    }
    // Names and numbers are a few bytes long: compared in place.
    bool igual(const Trecho &o) const {
        if (n != o.n) return false;
        for (qsizetype i = 0; i < n; ++i)
            if (p[i] != o.p[i]) return false;
        return true;
    }
};

// A number written plainly: an optional "-" and 1 to 18 digits. The
// recorder writes every number so; anything else goes the general way.
inline bool simples(const Trecho &t, qint64 *valor, bool *negativo) {
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

// The general way, out of the rows' loop.
Q_NEVER_INLINE double decimalGeral(const Trecho &t, bool *ok) {
    return t.texto().toDouble(ok);
}
Q_NEVER_INLINE qint32 inteiroGeral(const Trecho &t, bool *ok) {
    return t.texto().toInt(ok, 10);
}

inline double decimal(const Trecho &t, bool *ok) {
    qint64 v;
    bool negativo;
    if (simples(t, &v, &negativo)) {
        *ok = true;
        return v == 0 && negativo ? -0.0 : static_cast<double>(v);
    }
    return decimalGeral(t, ok);
}

inline qint32 inteiro(const Trecho &t, bool *ok) {
    qint64 v;
    bool negativo;
    if (simples(t, &v, &negativo) && v >= std::numeric_limits<qint32>::min() &&
        v <= std::numeric_limits<qint32>::max()) {
        *ok = true;
        return static_cast<qint32>(v);
    }
    return inteiroGeral(t, ok);
}

// The end of the line that starts at p (before `fim`): its first CR or LF,
// or `fim`. *proxima is where the next line starts.
const char *fimDaLinha(const char *p, const char *fim, const char **proxima) {
    const char *lf = static_cast<const char *>(std::memchr(p, '\n', size_t(fim - p)));
    const char *limite = lf ? lf : fim;
    const char *cr = static_cast<const char *>(std::memchr(p, '\r', size_t(limite - p)));
    if (cr) {
        *proxima = cr + 1 < fim && cr[1] == '\n' ? cr + 2 : cr + 1;
        return cr;
    }
    *proxima = lf ? lf + 1 : fim;
    return limite;
}

// The tabs, CRs and LFs of the rows, in order, found 64 bytes at a time: a
// row is about 35 bytes with eight of them, and every other byte is passed
// over without a test of its own.
class TSeparadores {
public:
    TSeparadores(const char *de, const char *fim) : m_de(de), m_tamanho(fim - de) {
        m_mascara = m_tamanho > 0 ? mascara(0) : 0;
    }
    // The next one after the last found, or the end of the bytes.
    const char *proximo() {
        while (m_mascara == 0) {
            m_bloco += 64;
            if (m_bloco >= m_tamanho) return m_de + m_tamanho;
            m_mascara = mascara(m_bloco);
        }
        const char *q = m_de + m_bloco + __builtin_ctzll(m_mascara);
        m_mascara &= m_mascara - 1;
        return q;
    }

private:
    // Bit k set when byte k of the block at `bloco` is one of them.
    quint64 mascara(qsizetype bloco) const {
        const char *b = m_de + bloco;
        char ultimo[64];
        if (m_tamanho - bloco < 64) {
            std::memset(ultimo, 0, sizeof ultimo);
            std::memcpy(ultimo, b, size_t(m_tamanho - bloco));
            b = ultimo;
        }
        quint64 m = 0;
#if defined(__SSE2__)
        const __m128i tab = _mm_set1_epi8('\t'), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
        for (int k = 0; k < 4; ++k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(b + 16 * k));
            const __m128i e = _mm_or_si128(
                _mm_or_si128(_mm_cmpeq_epi8(v, tab), _mm_cmpeq_epi8(v, cr)), _mm_cmpeq_epi8(v, lf));
            m |= quint64(quint32(_mm_movemask_epi8(e))) << (16 * k);
        }
#else
        for (int k = 0; k < 64; ++k)
            if (b[k] == '\t' || b[k] == '\r' || b[k] == '\n') m |= quint64(1) << k;
#endif
        return m;
    }

    const char *m_de;
    qsizetype m_tamanho;
    qsizetype m_bloco = 0;
    quint64 m_mascara;
};

// Six times the text before the first tab is the next field and is cut off
// with its tab; without a tab the field is empty and the rest stays. What
// is left is the seventh field.
void cortarCampos(Trecho resto, Trecho (&campos)[7]) {
    for (int k = 0; k < 6; ++k) {
        const char *tab = static_cast<const char *>(std::memchr(resto.p, '\t', size_t(resto.n)));
        if (!tab) {
            campos[k] = Trecho{};
            continue;
        }
        campos[k] = Trecho{resto.p, tab - resto.p};
        resto = Trecho{tab + 1, resto.n - (tab + 1 - resto.p)};
    }
    campos[6] = resto;
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

int TDados::indiceDe(const char *p, qsizetype n) {
    // The few names of a maze and its behaviours are found in a small cache
    // (one place per name, chosen by its length and its first and last
    // bytes) before the table is searched.
    const unsigned char *u = reinterpret_cast<const unsigned char *>(p);
    const size_t lugar =
        (size_t(n) * 31u + (n > 0 ? u[0] * 7u + u[n - 1] : 0u)) % std::size(m_recentes);
    Recente &c = m_recentes[lugar];
    if (c.indice >= 0 && Trecho{c.bytes.constData(), c.bytes.size()}.igual(Trecho{p, n}))
        return c.indice;
    const int i = indiceNaTabela(p, n);
    c = Recente{QByteArray(p, n), i};
    return i;
}

int TDados::indiceNaTabela(const char *p, qsizetype n) {
    const auto it = m_indicePorBytes.constFind(QByteArray::fromRawData(p, n));
    if (it != m_indicePorBytes.constEnd()) return *it;
    const int i = static_cast<int>(m_nomes.size());
    const QString texto = Trecho{p, n}.texto();
    m_nomes.append(texto);
    m_indicePorBytes.insert(QByteArray(p, n), i);
    m_indicePorTexto.insert(texto, i);
    return i;
}

void TDados::LerArquivo(const QString &caminho) {
    const QString nome = nomeDoArquivo(caminho);
    // Into the buffer of the file before the last: the loaded file stays as
    // it is until this one has been read whole.
    QByteArray &bytes = m_bytesLendo;
    Arquivos::lerOuFalhar(caminho, Arquivos::TamanhoMaximoRegistro, bytes);
    const char *const base = bytes.constData();
    const char *const fimArquivo = base + bytes.size();

    // Header lines, kept as text.
    QStringList cabecalho;
    const char *p = base;
    int linha = 0;
    for (; linha < LinhasCabecalho && p < fimArquivo; ++linha) {
        const char *proxima;
        const char *fim = fimDaLinha(p, fimArquivo, &proxima);
        cabecalho.append(Trecho{p, fim - p}.texto());
        p = proxima;
    }
    // The column titles.
    if (linha == LinhasCabecalho && p < fimArquivo) {
        const char *proxima;
        fimDaLinha(p, fimArquivo, &proxima);
        p = proxima;
        ++linha;
    }
    // A file cut short in its header is not a record: reading on would take
    // header lines for rows (or find none) and report plausible nonsense.
    if (linha < LinhasCabecalho + 1)
        throw TErro(QStringLiteral("%1 is not a complete record file: it ends at line %2, "
                                   "before the column titles of line %3.")
                        .arg(nome, QString::number(linha), QString::number(LinhasCabecalho + 1)));

    // Squares and behaviours repeat from row to row: most often a name is
    // the one of the row before, else it is found by its bytes.
    Trecho posicaoAnterior, comportamentoAnterior;
    int iPosicao = -1, iComportamento = -1;

    std::vector<TLinhaRegistro> &registros = m_lendo;
    registros.clear();
    TSeparadores separadores(p, fimArquivo);
    while (p < fimArquivo) {
        ++linha;
        // Filled in place: a row built aside and copied in costs more than
        // the rest of its reading.
        TLinhaRegistro &r = registros.emplace_back();
        r.linha = linha;
        r.deslocamento = static_cast<quint32>(p - base);
        // The line's end (its first CR or LF) and its first six tabs, cut
        // as cortarCampos cuts them. (Left unset until found: clearing all
        // seven for every row shows in the profile.)
        struct {
            const char *p;
            qsizetype n;
        } cortes[7];
        const char *q, *campo = p;
        int k = 0;
        for (;;) {
            q = separadores.proximo();
            if (q == fimArquivo || *q != '\t') break;
            if (k < 6) {
                cortes[k].p = campo;
                cortes[k++].n = q - campo;
                campo = q + 1;
            }
        }
        for (int j = k; j < 6; ++j) {
            cortes[j].p = nullptr;
            cortes[j].n = 0;
        }
        cortes[6].p = campo;
        cortes[6].n = q - campo;
        const auto campos = [&cortes](int i) { return Trecho{cortes[i].p, cortes[i].n}; };
        r.tamanho = static_cast<quint32>(q - p);
        if (q == fimArquivo) {
            p = fimArquivo;
        } else if (*q == '\r' && q + 1 < fimArquivo && q[1] == '\n') {
            separadores.proximo(); // the LF
            p = q + 2;
        } else {
            p = q + 1;
        }

        if (iPosicao < 0 || !campos(0).igual(posicaoAnterior)) {
            iPosicao = indiceDe(cortes[0].p, cortes[0].n);
            posicaoAnterior = campos(0);
        }
        if (iComportamento < 0 || !campos(1).igual(comportamentoAnterior)) {
            iComportamento = indiceDe(cortes[1].p, cortes[1].n);
            comportamentoAnterior = campos(1);
        }
        r.posicao = iPosicao;
        r.comportamento = iComportamento;

        auto invalido = [&](const char *campo, const Trecho &valor, const char *esperado) {
            return TErro(QStringLiteral("Invalid record in %1, line %2: %3 \"%4\" is not %5.")
                             .arg(nome, QString::number(r.linha), QString::fromUtf8(campo),
                                  valor.texto(), QString::fromUtf8(esperado)));
        };
        bool ok = false;
        r.inicio = decimal(campos(2), &ok);
        if (!ok || !std::isfinite(r.inicio)) throw invalido("Início", campos(2), "a number");
        r.duracao = inteiro(campos(4), &ok);
        if (!ok) throw invalido("Duração", campos(4), "a whole number");
        r.minuto = inteiro(campos(5), &ok);
        if (!ok) throw invalido("Minuto", campos(5), "a whole number");
        r.frequencia = inteiro(campos(6), &ok);
        if (!ok) throw invalido("Frequência", campos(6), "a whole number");
        // The end is only checked by Conferir.
        r.fim = decimal(campos(3), &ok);
        if (!ok || !std::isfinite(r.fim)) r.fim = std::numeric_limits<double>::quiet_NaN();
    }

    m_arquivo = caminho;
    m_cabecalho = std::move(cabecalho);
    std::swap(m_bytes, m_bytesLendo);
    std::swap(m_registros, m_lendo);
    m_aviso.clear();
}

TCamposRegistro TDados::Campos(const TLinhaRegistro &r) const {
    Trecho campos[7];
    cortarCampos(Trecho{m_bytes.constData() + r.deslocamento, qsizetype(r.tamanho)}, campos);
    return TCamposRegistro{campos[0].texto(), campos[1].texto(), campos[2].texto(),
                           campos[3].texto(), campos[4].texto(), campos[5].texto(),
                           campos[6].texto()};
}

// ---------------------------------------------------------------- checking

void TDados::Conferir() {
    const QString nome = nomeDoArquivo(m_arquivo);
    // The session length as the recorder writes it: "<seconds> segundos".
    const QString tempo = valorCabecalho(m_cabecalho, 7);
    bool ok = false;
    const double segundos = tempo.left(tempo.indexOf(QLatin1Char(' '))).toDouble(&ok);
    // Not a number at all is MontarListas's to report.
    if (ok && std::isfinite(segundos) && (segundos <= 0 || segundos > 9990))
        throw TErro(QStringLiteral("Damaged record in %1, line 7: the session length \"%2\" is "
                                   "not from 1 to 9990 seconds, which every recording has.")
                        .arg(nome, tempo));
    const double sessao = ok && std::isfinite(segundos) ? segundos * 1000 : 0;

    auto danificado = [&](const TLinhaRegistro &r, const QString &motivo) {
        return TErro(QStringLiteral("Damaged record in %1, line %2: %3; no recording writes such a "
                                    "row.")
                         .arg(nome, QString::number(r.linha), motivo));
    };
    auto minutoDe = [](double ms) { return std::trunc(ms / 60000.0) + 1; };
    QStringList estranhas;
    int qdeEstranhas = 0;
    const int kListadas = 20;
    for (const TLinhaRegistro &r : m_registros) {
        if (std::isnan(r.fim))
            throw danificado(r,
                             QStringLiteral("the end \"%1\" is not a number").arg(Campos(r).Fim));
        if (r.fim < 0)
            throw danificado(r, QStringLiteral("the end %1 is negative").arg(Campos(r).Fim));
        // Start, end and duration are each rounded to 0.001 ms when written:
        // a whole-millisecond duration may differ from end - start by less
        // than 1 ms.
        if (std::fabs(double(r.duracao) - (r.fim - r.inicio)) > 1.0)
            throw danificado(r,
                             QStringLiteral("the duration %1 is not the end %2 minus the "
                                            "start %3")
                                 .arg(QString::number(r.duracao), Campos(r).Fim, Campos(r).Inicio));
        if (r.frequencia != 0 && r.frequencia != 1)
            throw danificado(
                r, QStringLiteral("the frequency %1 is neither 0 nor 1").arg(r.frequencia));
        // The minute is taken from the start before it is rounded to 0.001:
        // a start written with a fraction may have crossed a boundary. (A
        // start inside its minute is taken without the division.)
        const double de = (double(r.minuto) - 1) * 60000.0;
        const bool dentro = r.inicio >= 0 && r.inicio >= de && r.inicio < de + 60000.0;
        const bool inteiro = r.inicio == std::trunc(r.inicio);
        if (!(dentro && inteiro) && r.minuto != minutoDe(r.inicio) &&
            (inteiro ||
             (r.minuto != minutoDe(r.inicio - 0.0005) && r.minuto != minutoDe(r.inicio + 0.0005))))
            throw danificado(r, QStringLiteral("the minute %1 is not the minute of the start %2")
                                    .arg(QString::number(r.minuto), Campos(r).Inicio));

        const char *motivo = r.inicio < 0        ? "starts before the session began"
                             : r.inicio > r.fim  ? "starts after its end"
                             : r.inicio > sessao ? "starts after the session's length"
                                                 : nullptr;
        if (!motivo) continue;
        if (++qdeEstranhas <= kListadas)
            estranhas << QStringLiteral("line %1 (%2)").arg(r.linha).arg(QLatin1String(motivo));
    }
    m_aviso.clear();
    if (qdeEstranhas == 0) return;
    if (qdeEstranhas > kListadas)
        estranhas << QStringLiteral("and %1 more").arg(qdeEstranhas - kListadas);
    m_aviso = QStringLiteral("%1 has rows that recordings made before the recorder was mended "
                             "hold, analysed as they are: %2.")
                  .arg(nome, estranhas.join(QStringLiteral(", ")));
}

// ---------------------------------------------------------------- sorting

void TDados::OrdenarPorInicio() {
    if (ordenarSemEmpates()) return;
    m_inicios.clear();
    for (const TLinhaRegistro &r : m_registros)
        m_inicios.push_back(r.inicio);
    const std::vector<int> ordem = OrdemDeTroca(m_inicios);
    m_ordenados.clear();
    for (int i : ordem)
        m_ordenados.push_back(m_registros[size_t(i)]);
    std::swap(m_registros, m_ordenados);
}

// With no two starts equal the exchange sort leaves plain ascending order.
// A record is most often two ascending runs of different starts (square
// entries, then behaviour bouts): those are merged in one pass. Anything
// else (a tie, -0 beside 0, three runs) is left to OrdemDeTroca.
bool TDados::ordenarSemEmpates() {
    const size_t n = m_registros.size();
    const TLinhaRegistro *const r = m_registros.data();
    size_t meio = n;
    for (size_t i = 1; i < n; ++i) {
        if (r[i].inicio < r[i - 1].inicio) {
            if (meio != n) return false;
            meio = i;
        } else if (!(r[i - 1].inicio < r[i].inicio)) {
            return false;
        }
    }
    if (meio == n) return true;
    m_ordenados.resize(n);
    TLinhaRegistro *const saida = m_ordenados.data();
    size_t a = 0, b = meio, k = 0;
    while (a < meio && b < n) {
        if (r[a].inicio < r[b].inicio)
            saida[k++] = r[a++];
        else if (r[b].inicio < r[a].inicio)
            saida[k++] = r[b++];
        else
            return false;
    }
    while (a < meio)
        saida[k++] = r[a++];
    while (b < n)
        saida[k++] = r[b++];
    std::swap(m_registros, m_ordenados);
    return true;
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

    // Ranks of the distinct starts (-0 ties with 0), and how many rows
    // share each. A rank of one row needs no tracking of its run: only its
    // count of rows enters the tree.
    std::vector<int> porValor(static_cast<size_t>(n));
    std::iota(porValor.begin(), porValor.end(), 0);
    const auto menor = [&inicios](int a, int b) { return inicios[size_t(a)] < inicios[size_t(b)]; };
    // A record is most often two ascending runs (square entries, then
    // behaviour bouts): merged in one pass rather than sorted.
    int descidas = 0, meio = n;
    for (int i = 1; i < n && descidas < 2; ++i)
        if (inicios[size_t(i)] < inicios[size_t(i - 1)]) {
            ++descidas;
            meio = i;
        }
    if (descidas == 1) {
        std::vector<int> mesclados(static_cast<size_t>(n));
        std::merge(porValor.begin(), porValor.begin() + meio, porValor.begin() + meio,
                   porValor.end(), mesclados.begin(), menor);
        porValor.swap(mesclados);
    } else if (descidas > 1) {
        std::sort(porValor.begin(), porValor.end(), menor);
    }
    std::vector<int> posto(static_cast<size_t>(n));
    std::vector<int> tamanhoFinal; // rows per rank
    for (int k = 0; k < n; ++k) {
        const int linha = porValor[size_t(k)];
        if (k == 0 || inicios[size_t(porValor[size_t(k - 1)])] < inicios[size_t(linha)])
            tamanhoFinal.push_back(0);
        posto[size_t(linha)] = static_cast<int>(tamanhoFinal.size()) - 1;
        ++tamanhoFinal.back();
    }
    const int qdeDistintos = static_cast<int>(tamanhoFinal.size());
    if (qdeDistintos == n) return porValor; // no ties: plain ascending order

    // Runs of several rows: where each row went in (linear index at its
    // insertion), flat, run after run.
    std::vector<int> de(static_cast<size_t>(qdeDistintos) + 1, 0);
    for (int r = 0; r < qdeDistintos; ++r)
        de[size_t(r) + 1] = de[size_t(r)] + tamanhoFinal[size_t(r)];
    std::vector<std::pair<int, int>> postos(static_cast<size_t>(n)); // (row, linear index)
    std::vector<int> tamanho(static_cast<size_t>(qdeDistintos), 0);
    std::vector<int> cabeca(static_cast<size_t>(qdeDistintos), 0); // linear index of the first row
    std::vector<qint64> vistos(static_cast<size_t>(qdeDistintos), 0); // smaller insertions applied
    TContagem menores(qdeDistintos);

    auto atualizarCabeca = [&](int r) {
        const qint64 v = menores.antesDe(r);
        const int t = tamanho[size_t(r)];
        if (t > 0)
            cabeca[size_t(r)] = static_cast<int>((cabeca[size_t(r)] + (v - vistos[size_t(r)])) % t);
        vistos[size_t(r)] = v;
    };
    for (int i = 0; i < n; ++i) {
        const int linha = p[static_cast<size_t>(i)];
        const int r = posto[size_t(linha)];
        if (tamanhoFinal[size_t(r)] > 1) {
            atualizarCabeca(r);
            int &t = tamanho[size_t(r)];
            postos[size_t(de[size_t(r)] + t)] = {linha, cabeca[size_t(r)]};
            ++t;
            cabeca[size_t(r)] = (cabeca[size_t(r)] + 1) % t;
        } else {
            postos[size_t(de[size_t(r)])] = {linha, 0};
        }
        menores.somar(r, 1);
    }

    std::vector<int> ordem;
    ordem.reserve(static_cast<size_t>(n));
    std::vector<int> linear;
    TContagem livres;
    for (int r = 0; r < qdeDistintos; ++r) {
        const int t = tamanhoFinal[size_t(r)];
        if (t == 1) {
            ordem.push_back(postos[size_t(de[size_t(r)])].first);
            continue;
        }
        atualizarCabeca(r);
        linear.assign(static_cast<size_t>(t), -1);
        livres.preencherUns(t);
        for (int k = t - 1; k >= 0; --k) {
            const auto &[linha, vaga0] = postos[size_t(de[size_t(r)] + k)];
            const int vaga = livres.posicaoDaUnidade(vaga0);
            linear[static_cast<size_t>(vaga)] = linha;
            livres.somar(vaga, -1);
        }
        for (int k = 0; k < t; ++k)
            ordem.push_back(linear[static_cast<size_t>((cabeca[size_t(r)] + k) % t)]);
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
    Conferir();
    OrdenarPorInicio();
    montarListas(usuario, &execucao);
    Comportamentos += execucao.ComportamentosExtras;
    // Behaviours by name index: a row's behaviour is known when some listed
    // name is its name.
    std::vector<char> conhecido(static_cast<size_t>(QdeNomes()), 0);
    for (const QString &c : std::as_const(Comportamentos))
        if (const int i = IndiceNome(c); i >= 0) conhecido[size_t(i)] = 1;
    for (const TLinhaRegistro &r : m_registros) {
        if (conhecido[size_t(r.comportamento)]) continue;
        conhecido[size_t(r.comportamento)] = 1;
        const QString &c = Nome(r.comportamento);
        Comportamentos.append(c);
        execucao.ComportamentosExtras.append(c);
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

void TDados::posicoesDosNomes(const QStringList &nomes, std::vector<int> &de,
                              std::vector<int> &posicoes) const {
    // A name may stand more than once in the list; every position counts.
    const size_t qde = static_cast<size_t>(QdeNomes());
    de.assign(qde + 1, 0);
    std::vector<int> indice(static_cast<size_t>(nomes.size()));
    for (qsizetype k = 0; k < nomes.size(); ++k) {
        indice[size_t(k)] = IndiceNome(nomes[k]);
        if (indice[size_t(k)] >= 0) ++de[size_t(indice[size_t(k)]) + 1];
    }
    for (size_t i = 0; i < qde; ++i)
        de[i + 1] += de[i];
    posicoes.assign(size_t(de[qde]), 0);
    std::vector<int> cheio(de.begin(), de.end() - 1);
    for (qsizetype k = 0; k < nomes.size(); ++k)
        if (indice[size_t(k)] >= 0) posicoes[size_t(cheio[size_t(indice[size_t(k)])]++)] = int(k);
}

void TDados::Acumular() {
    acumularLinhas(true);
}

void TDados::acumularLinhas(bool frequenciaEntrada) {
    ZerarTabelaMinutos();
    std::vector<int> deQ, quadrados, deB, comportamentos;
    posicoesDosNomes(Quadrados, deQ, quadrados);
    posicoesDosNomes(Comportamentos, deB, comportamentos);
    TCelulaMinuto *const tabela = m_tabela.data();
    for (const TLinhaRegistro &r : m_registros) {
        if (!temCelula(r)) continue;
        const size_t p = size_t(r.posicao), c = size_t(r.comportamento);
        for (int iq = deQ[p]; iq < deQ[p + 1]; ++iq)
            for (int ib = deB[c]; ib < deB[c + 1]; ++ib) {
                const int b = comportamentos[size_t(ib)];
                TCelulaMinuto &celula =
                    tabela[indiceTabela(b, quadrados[size_t(iq)], r.minuto - 1)];
                if (r.frequencia == 1) ++celula.Ocorrencias;
                celula.SomaDuracao += r.duracao;
                if (b != 0 || frequenciaEntrada) celula.SomaFrequencia += r.frequencia;
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
    const int entrada = IndiceNome(QStringLiteral("ENTRADA"));
    if (entrada < 0) return;
    std::vector<int> deQ, quadrados;
    posicoesDosNomes(Quadrados, deQ, quadrados);
    // Region bits by name index, for the names that are listed squares.
    std::vector<quint16> regioes(static_cast<size_t>(QdeNomes()), 0);
    for (int i = 0; i < QdeNomes(); ++i)
        if (deQ[size_t(i) + 1] > deQ[size_t(i)]) regioes[size_t(i)] = forma.Regioes(Nome(i));
    const quint16 troca = RBracoAberto | RCentro | RBracoAbertoI;
    bool primeiro = true;
    quint16 anterior = 0;
    for (const TLinhaRegistro &r : m_registros) {
        if (r.comportamento != entrada) continue;
        const size_t p = size_t(r.posicao);
        if (deQ[p] == deQ[p + 1]) continue;
        const quint16 atual = regioes[p];
        for (int iq = deQ[p]; iq < deQ[p + 1]; ++iq) {
            if (temCelula(r)) {
                TCelulaMinuto &c = TabelaMinutos(0, quadrados[size_t(iq)], r.minuto - 1);
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
