#include "TFolhaCompacta.h"

#include "TDados.h"
#include "core/TFormaLabirinto.h"
#include "data/TPlanilha.h"

#include <QHash>

#include <algorithm>
#include <array>

namespace {

// A region of a variant: which squares it holds (by their test bits), and
// from which previous square an "ENTRADA" row enters it. `vazio` is true
// before the first entry row of the file.
struct Regiao {
    bool (*contem)(quint16 s);
    bool (*entra)(quint16 p, bool vazio);
    bool braco; // an arm (or half): counts crossings
};

// Whether a square's region bits hold region R.
template <TRegiao R> bool em(quint16 s) {
    return s & R;
}
constexpr auto aberto = em<RBracoAberto>, centro = em<RCentro>, ponta = em<RExtremidade>,
               norte = em<RBracoNorte>, oeste = em<RBracoOeste>, centroA = em<RCentroArena>,
               periferia = em<RPeriferiaArena>, canto = em<RCantoArena>,
               abertoI = em<RBracoAbertoI>, pontaI = em<RExtremidadeI>;

bool fechado(quint16 s) {
    return !(s & (RBracoAberto | RCentro));
}

// Entry rules of the cross and its arms.
bool deForaDosAbertos(quint16 p, bool) {
    return !aberto(p);
}
bool dosAbertosOuCentro(quint16 p, bool) {
    return aberto(p) || centro(p);
}
bool deForaDoCentro(quint16 p, bool) {
    return !centro(p);
}
bool deForaDasPontas(quint16 p, bool) {
    return !ponta(p);
}

// In the order of TFolhaCompacta::TMedidas.
const Regiao kCruz[] = {
    {aberto, deForaDosAbertos, true},
    {fechado, dosAbertosOuCentro, true},
    {[](quint16 s) { return aberto(s) && ponta(s); }, deForaDasPontas, false},
    {[](quint16 s) { return fechado(s) && ponta(s); }, deForaDasPontas, false},
    {centro, deForaDoCentro, false},
};

bool sul(quint16 s) {
    return aberto(s) && !norte(s);
}
bool leste(quint16 s) {
    return fechado(s) && !oeste(s);
}

// North, south, east, west, centre, then the four ends in the same order.
const Regiao kCruzBraco[] = {
    {norte, deForaDosAbertos, true},
    {sul, deForaDosAbertos, true},
    {leste, dosAbertosOuCentro, true},
    {oeste, dosAbertosOuCentro, true},
    {centro, deForaDoCentro, false},
    {[](quint16 s) { return norte(s) && ponta(s); }, deForaDasPontas, false},
    {[](quint16 s) { return sul(s) && ponta(s); }, deForaDasPontas, false},
    {[](quint16 s) { return leste(s) && ponta(s); }, deForaDasPontas, false},
    {[](quint16 s) { return oeste(s) && ponta(s); }, deForaDasPontas, false},
};

// Centre, intermediate zone, periphery, corners, one-wall squares.
const Regiao kArena[] = {
    {centroA, [](quint16 p, bool) { return !centroA(p); }, false},
    {[](quint16 s) { return !centroA(s) && !periferia(s); },
     [](quint16 p, bool) { return centroA(p) || periferia(p); }, false},
    {periferia, [](quint16 p, bool) { return !periferia(p); }, false},
    {canto, [](quint16 p, bool) { return !canto(p); }, false},
    {[](quint16 s) { return periferia(s) && !canto(s); },
     [](quint16 p, bool) { return canto(p) || !periferia(p); }, false},
};

// Open half, closed half, open ends, closed ends, as TFolhaCompacta::TMedidas.
const Regiao kEmI[] = {
    {abertoI, [](quint16 p, bool) { return !abertoI(p); }, true},
    {[](quint16 s) { return !abertoI(s); },
     [](quint16 p, bool vazio) { return abertoI(p) || vazio; }, true},
    {[](quint16 s) { return abertoI(s) && pontaI(s); },
     [](quint16 p, bool vazio) { return !pontaI(p) || vazio; }, false},
    {[](quint16 s) { return !abertoI(s) && pontaI(s); },
     [](quint16 p, bool vazio) { return !pontaI(p) || vazio; }, false},
};

constexpr int kMaxRegioes = 9;

struct Somas {
    std::array<qint64, kMaxRegioes> freq{}, tempo{}, cruz{};
};

// The regions of a variant that hold a square of those region bits, as
// bit k for region k (the tests run once per distinct square).
template <size_t N> quint16 regioesDe(const Regiao (&regioes)[N], quint16 m) {
    quint16 r = 0;
    for (size_t k = 0; k < N; ++k)
        if (regioes[k].contem(m)) r |= quint16(1u << k);
    return r;
}

template <size_t N>
Somas somar(const Regiao (&regioes)[N], const std::vector<TLinhaRegistro> &registros,
            const int *linhas, const int *fimLinhas, const std::vector<quint16> &mascaras,
            bool entrada) {
    static_assert(N <= 16, "regions as bits of a quint16");
    Somas s;
    // The region tests run once per square name, not once per row: for
    // each name the regions that hold its square and the regions that an
    // "ENTRADA" row coming from it enters (the tests depend on nothing else).
    struct PorNome {
        quint16 dentro = 0, entra = 0;
        bool pronto = false;
    };
    std::vector<PorNome> porNome(mascaras.size());
    quint16 braco = 0, entraDoNada = 0;
    for (size_t k = 0; k < N; ++k) {
        if (regioes[k].braco) braco |= quint16(1u << k);
        if (regioes[k].entra(0, true)) entraDoNada |= quint16(1u << k);
    }
    quint16 entrou = entrada ? entraDoNada : quint16((1u << N) - 1);
    for (const int *i = linhas; i != fimLinhas; ++i) {
        const TLinhaRegistro &r = registros[size_t(*i)];
        PorNome &n = porNome[size_t(r.posicao)];
        if (!n.pronto) {
            const quint16 m = mascaras[size_t(r.posicao)];
            n.dentro = regioesDe(regioes, m);
            for (size_t k = 0; k < N; ++k)
                if (regioes[k].entra(m, false)) n.entra |= quint16(1u << k);
            n.pronto = true;
        }
        for (unsigned b = n.dentro; b; b &= b - 1) {
            const int k = __builtin_ctz(b);
            s.tempo[size_t(k)] += r.duracao;
            if (entrou & (1u << k)) s.freq[size_t(k)] += r.frequencia;
            if (braco & (1u << k)) s.cruz[size_t(k)] += r.frequencia;
        }
        if (entrada) entrou = n.entra;
    }
    return s;
}

} // namespace

TFolhaCompacta::TFolhaCompacta(Variante variante, const QString &labirinto, bool porMinuto)
    : m_variante(variante), m_labirinto(labirinto), m_porMinuto(porMinuto) {}

void TFolhaCompacta::Acumular(TDados &d) {
    if (m_porMinuto) d.AcumularRegioes(m_labirinto.Nome());
}

qint64 TFolhaCompacta::UltimaColuna(Variante variante, qint64 b) {
    if (b < 1) b = 1;
    switch (variante) {
    case Cruz:
        return 12 * (b - 1) + 15;
    case CruzBraco:
        return 18 * (b - 1) + 29;
    case Arena:
        return 10 * (b - 1) + 19;
    case EmI:
        return 10 * (b - 1) + 14;
    }
    return 0;
}

qint64 TFolhaCompacta::Colunas(const TDados &d) const {
    return UltimaColuna(m_variante, d.QdeComportamentos()) + (m_porMinuto ? 1 : 0);
}

void TFolhaCompacta::Escrever(TPlanilha &p, const TDados &d, const TIdentificacao &id, int &linha) {
    if (m_porMinuto) {
        escreverMinutos(p, d, id, linha);
        return;
    }
    ++linha;
    const int l = linha;
    Identificacao(p, l, id);

    // The rows of every behaviour name in their sorted order (flat, by
    // name index), and the region bits of every name, found once.
    const std::vector<TLinhaRegistro> &regs = d.Registros();
    const size_t nomes = static_cast<size_t>(d.QdeNomes());
    if (m_dadosMascaras != &d) {
        m_mascaras.clear();
        m_dadosMascaras = &d;
    }
    while (m_mascaras.size() < nomes)
        m_mascaras.push_back(m_labirinto.Regioes(d.Nome(static_cast<int>(m_mascaras.size()))));
    m_de.assign(nomes + 1, 0);
    for (const TLinhaRegistro &r : regs)
        ++m_de[size_t(r.comportamento) + 1];
    for (size_t i = 0; i < nomes; ++i)
        m_de[i + 1] += m_de[i];
    m_linhas.resize(regs.size());
    m_cheio.assign(m_de.begin(), m_de.end() - 1);
    for (size_t i = 0; i < regs.size(); ++i)
        m_linhas[size_t(m_cheio[size_t(regs[i].comportamento)]++)] = static_cast<int>(i);

    auto num = [&p, l](int coluna, double v) { p.WriteCell(l, coluna, v); };
    auto seg = [&](int coluna, qint64 ms) { num(coluna, Segundos(ms)); };

    for (int b = 0; b < d.QdeComportamentos(); ++b) {
        const int nome = d.IndiceNome(d.Comportamentos[b]);
        const int *const linhas = m_linhas.data() + (nome < 0 ? 0 : m_de[size_t(nome)]);
        const int *const fimLinhas = m_linhas.data() + (nome < 0 ? 0 : m_de[size_t(nome) + 1]);
        const bool entrada = b == 0;
        switch (m_variante) {
        case Cruz:
        case EmI: {
            const Somas s = m_variante == Cruz
                                ? somar(kCruz, regs, linhas, fimLinhas, m_mascaras, entrada)
                                : somar(kEmI, regs, linhas, fimLinhas, m_mascaras, entrada);
            TMedidas m;
            std::copy_n(s.freq.cbegin(), m.freq.size(), m.freq.begin());
            std::copy_n(s.tempo.cbegin(), m.tempo.size(), m.tempo.begin());
            m.cruzamentos = {s.cruz[0], s.cruz[1]};
            EscreverMedidas(p, l, m_variante, false, b, m);
            break;
        }
        case CruzBraco: {
            // north, south, east, west, centre, then the four ends
            const Somas s = somar(kCruzBraco, regs, linhas, fimLinhas, m_mascaras, entrada);
            if (entrada) {
                for (int k = 0; k < 4; ++k) {
                    num(9 + k, s.freq[k]);
                    seg(13 + k, s.tempo[k]);
                    num(18 + k, s.freq[5 + k]);
                    seg(22 + k, s.tempo[5 + k]);
                    num(26 + k, s.cruz[k]);
                }
                seg(17, s.tempo[4]);
            } else {
                const int B = 18 * b;
                for (int k = 0; k < 5; ++k) {
                    num(B + 12 + k, s.freq[k]);
                    seg(B + 17 + k, s.tempo[k]);
                }
                for (int k = 0; k < 4; ++k) {
                    num(B + 22 + k, s.freq[5 + k]);
                    seg(B + 26 + k, s.tempo[5 + k]);
                }
            }
            break;
        }
        case Arena: {
            const Somas s = somar(kArena, regs, linhas, fimLinhas, m_mascaras, entrada);
            const int B = 10 * b;
            for (int k = 0; k < 5; ++k) {
                num(B + 10 + k, s.freq[k]);
                seg(B + 15 + k, s.tempo[k]);
            }
            break;
        }
        }
    }
}

void TFolhaCompacta::escreverMinutos(TPlanilha &p, const TDados &d, const TIdentificacao &id,
                                     int &linha) {
    QList<quint16> mascaras;
    for (const QString &q : d.Quadrados)
        mascaras << m_labirinto.Regioes(q);
    const bool cruz = m_variante == Cruz;
    const quint16 aberto = cruz ? quint16(RBracoAberto) : quint16(RBracoAbertoI);
    const quint16 ponta = cruz ? quint16(RExtremidade) : quint16(RExtremidadeI);
    using M = TMedidas;

    for (int m = 1; m <= d.Minutos; ++m) {
        const int l = ++linha;
        Identificacao(p, l, id);
        p.WriteCell(l, 4, RotuloMinuto(m));
        for (int b = 0; b < d.QdeComportamentos(); ++b) {
            M medidas;
            for (int q = 0; q < d.QdeQuadrados(); ++q) {
                const TCelulaMinuto &c = d.TabelaMinutos(b, q, m - 1);
                const quint16 s = mascaras[q];
                const int r = (s & aberto)            ? M::Aberto
                              : cruz && (s & RCentro) ? M::Centro
                                                      : M::Fechado;
                medidas.tempo[r] += c.SomaDuracao;
                medidas.freq[r] += c.SomaFrequencia;
                if (r == M::Centro) continue;
                medidas.cruzamentos[r] += c.Ocorrencias;
                if (s & ponta) {
                    const int pontas = r == M::Aberto ? M::PontaAberta : M::PontaFechada;
                    medidas.tempo[pontas] += c.SomaDuracao;
                    medidas.freq[pontas] += b == 0 ? c.EntradasExtremidade : c.SomaFrequencia;
                }
            }
            EscreverMedidas(p, l, m_variante, true, b, medidas);
        }
    }
}

void TFolhaCompacta::EscreverMedidas(TPlanilha &p, int linha, Variante variante, bool porMinuto,
                                     int b, const TMedidas &m) {
    auto num = [&p, linha, porMinuto](int coluna, double v) {
        p.WriteCell(linha, porMinuto ? coluna + 1 : coluna, v);
    };
    auto seg = [&](int coluna, qint64 ms) { num(coluna, Segundos(ms)); };
    const bool comCentro = variante == Cruz;
    if (b == 0) {
        num(4, m.freq[TMedidas::Aberto]);
        num(5, m.freq[TMedidas::Fechado]);
        num(6, Percentual(m.freq[TMedidas::Aberto], m.freq[TMedidas::Fechado]));
        num(7, m.freq[TMedidas::PontaAberta]);
        num(8, m.freq[TMedidas::PontaFechada]);
        int c = 9;
        for (int k = 0; k < 4; ++k)
            seg(c++, m.tempo[k]);
        if (comCentro) seg(c++, m.tempo[TMedidas::Centro]);
        num(c, m.cruzamentos[0]);
        num(c + 1, m.cruzamentos[1]);
        return;
    }
    // A block per further behaviour: the frequencies and their total over
    // the regions that do not overlap, then the times likewise.
    const int n = comCentro ? 5 : 4;
    const int de = static_cast<int>(UltimaColuna(variante, b)) + 1;
    for (int k = 0; k < n; ++k) {
        num(de + k, m.freq[k]);
        seg(de + n + 1 + k, m.tempo[k]);
    }
    num(de + n, m.freq[TMedidas::Aberto] + m.freq[TMedidas::Fechado] + m.freq[TMedidas::Centro]);
    seg(de + 2 * n + 1,
        m.tempo[TMedidas::Aberto] + m.tempo[TMedidas::Fechado] + m.tempo[TMedidas::Centro]);
}

namespace {

QStringList vezes(const QStringList &l, int n) {
    QStringList r;
    for (int i = 0; i < n; ++i)
        r += l;
    return r;
}

} // namespace

TFormaTabela TFolhaCompacta::Forma() const {
    // Rows 1 to 4 over each value column: behaviour, measure, then the
    // region in two words ("BRACO ABERTO", "AREA CENTRO").
    TFormaTabela f;
    f.LinhasTitulo = LinhaInicial();
    f.ColunaPosicao = 1;
    f.ColunaRegistro = 2;
    f.LinhaComportamento = 1;
    f.LinhaMedida = 2;
    f.LinhasRegiao = {3, 4};
    f.ColunaMinuto = m_porMinuto ? 4 : 0;
    f.PrimeiraColunaValor = m_porMinuto ? 5 : 4;
    return f;
}

void TFolhaCompacta::Titulos(TPlanilha &p, const TDados &d) {
    TitulosDe(p, d, m_variante, m_porMinuto);
}

void TFolhaCompacta::TitulosDe(TPlanilha &planilha, const TDados &d, Variante variante,
                               bool porMinuto) {
    // The per-minute sheet has the same titles one column further right
    // from column 4 on, where its column of minutes comes in.
    const int desl = porMinuto ? 1 : 0;
    struct Escritor {
        TPlanilha &p;
        int desl;
        void WriteCell(int l, int c, const QString &t) { p.WriteCell(l, c >= 4 ? c + desl : c, t); }
        void WriteCell(int l, int c, const char *t) { WriteCell(l, c, QString::fromUtf8(t)); }
    } p{planilha, desl};
    auto Repetir = [&p](int l, int de, int ate, const QString &t) {
        for (int c = de; c <= ate; ++c)
            p.WriteCell(l, c, t);
    };
    auto Sequencia = [&p](int l, int de, const QStringList &ts) {
        for (const QString &t : ts)
            p.WriteCell(l, de++, t);
    };

    const QString BRACO = QStringLiteral("BRACO"), EXTREMIDADE = QStringLiteral("EXTREMIDADE"),
                  ABERTO = QStringLiteral("ABERTO"), FECHADO = QStringLiteral("FECHADO"),
                  CENTRO = QStringLiteral("CENTRO"), TOTAL = QStringLiteral("TOTAL"),
                  FREQUENCIA = QStringLiteral("FREQUENCIA"), TEMPO = QStringLiteral("TEMPO"),
                  CRUZAMENTO = QStringLiteral("CRUZAMENTO");
    const QStringList NSLO{QStringLiteral("NORTE"), QStringLiteral("SUL"), QStringLiteral("LESTE"),
                           QStringLiteral("OESTE")};

    TitulosIdentificacao(planilha, 4, variante == Arena || porMinuto ? "INJ" : "Inj");

    if (porMinuto) planilha.WriteCell(4, 4, "MINUTO");

    switch (variante) {
    case Cruz:
    case EmI: {
        // Over the columns EscreverMedidas writes.
        const bool comCentro = variante == Cruz;
        const int n = comCentro ? 5 : 4, fim = comCentro ? 15 : 14;
        // The regions of the time columns, which every behaviour repeats.
        QStringList regioes3{BRACO, BRACO, EXTREMIDADE, EXTREMIDADE},
            regioes4{ABERTO, FECHADO, ABERTO, FECHADO};
        if (comCentro) {
            regioes3 << CENTRO;
            regioes4 << CENTRO;
        }
        Repetir(1, 4, fim, QStringLiteral("ENTRADA"));
        Repetir(2, 4, 8, FREQUENCIA);
        Repetir(2, 9, fim - 2, TEMPO);
        Repetir(2, fim - 1, fim, CRUZAMENTO);
        Sequencia(3, 4,
                  QStringList{BRACO, BRACO, BRACO, EXTREMIDADE, EXTREMIDADE} + regioes3 +
                      QStringList{BRACO, BRACO});
        Sequencia(4, 4,
                  QStringList{ABERTO, FECHADO, QStringLiteral("%ABERTO"), ABERTO, FECHADO} +
                      regioes4 + QStringList{ABERTO, FECHADO});
        for (int b = 1; b < d.QdeComportamentos(); ++b) {
            const int de = static_cast<int>(UltimaColuna(variante, b)) + 1;
            Repetir(1, de, de + 2 * n + 1, d.Comportamentos[b]);
            Repetir(2, de, de + n, FREQUENCIA);
            Repetir(2, de + n + 1, de + 2 * n + 1, TEMPO);
            Sequencia(3, de, vezes(regioes3 + QStringList{TOTAL}, 2));
            Sequencia(4, de, vezes(regioes4 + QStringList{TOTAL}, 2));
        }
        break;
    }
    case CruzBraco:
        Repetir(1, 9, 29, QStringLiteral("ENTRADA"));
        Repetir(2, 9, 12, FREQUENCIA);
        Repetir(2, 13, 17, TEMPO);
        Repetir(2, 18, 21, FREQUENCIA);
        Repetir(2, 22, 25, TEMPO);
        Repetir(2, 26, 29, CRUZAMENTO);
        Repetir(3, 9, 16, BRACO);
        Repetir(3, 18, 25, EXTREMIDADE);
        Repetir(3, 26, 29, BRACO);
        Sequencia(4, 9, vezes(NSLO, 2) + QStringList{CENTRO} + vezes(NSLO, 3));
        for (int b = 1; b < d.QdeComportamentos(); ++b) {
            const int B = 18 * b;
            Repetir(1, B + 12, B + 29, d.Comportamentos[b]);
            Repetir(2, B + 12, B + 16, FREQUENCIA);
            Repetir(2, B + 17, B + 21, TEMPO);
            Repetir(2, B + 22, B + 25, FREQUENCIA);
            Repetir(2, B + 26, B + 29, TEMPO);
            Repetir(3, B + 12, B + 21, BRACO);
            Repetir(3, B + 22, B + 29, EXTREMIDADE);
            Sequencia(4, B + 12, vezes(NSLO + QStringList{CENTRO}, 2) + vezes(NSLO, 2));
        }
        break;
    case Arena:
        p.WriteCell(3, 4, "CHEGADA");
        p.WriteCell(3, 5, "CHEGADA");
        p.WriteCell(4, 4, "DATA");
        p.WriteCell(4, 5, "PESO");
        p.WriteCell(3, 6, "TESTE");
        p.WriteCell(3, 7, "TESTE");
        p.WriteCell(4, 6, "DATA");
        p.WriteCell(4, 7, "PESO");
        p.WriteCell(4, 8, "D");
        p.WriteCell(4, 9, "BF");
        for (int b = 0; b < d.QdeComportamentos(); ++b) {
            const int B = 10 * b;
            Repetir(1, B + 10, B + 19, d.Comportamentos[b]);
            Repetir(2, B + 10, B + 14, FREQUENCIA);
            Repetir(2, B + 15, B + 19, TEMPO);
            Repetir(3, B + 10, B + 19, QStringLiteral("AREA"));
            Sequencia(4, B + 10,
                      vezes({CENTRO, QStringLiteral("INTERMEDIARIA"), QStringLiteral("PERIFERIA"),
                             QStringLiteral("2 PAREDES"), QStringLiteral("1 PAREDE")},
                            2));
        }
        break;
    }
}
