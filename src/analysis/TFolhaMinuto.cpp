#include "TFolhaMinuto.h"

#include "Regioes.h"
#include "TDados.h"
#include "TFolhaCompacta.h"
#include "data/TPlanilhaXLS.h"

using namespace Regioes;

namespace {

struct Soma {
    qint64 tempo = 0, freq = 0, cruz = 0;
};

} // namespace

TFolhaMinuto::TFolhaMinuto(Variante variante, const QString &labirinto)
    : m_variante(variante), m_labirinto(labirinto) {}

void TFolhaMinuto::Acumular(TDados &d) {
    d.AcumularRegioes(m_labirinto);
}

qint64 TFolhaMinuto::Linhas(const TDados &d) const {
    return d.Minutos;
}

qint64 TFolhaMinuto::Colunas(const TDados &d) const {
    const qint64 b = std::max(1, d.QdeComportamentos());
    return m_variante == Cruz ? 12 * (b - 1) + 16 : 10 * (b - 1) + 15;
}

void TFolhaMinuto::Escrever(TPlanilhaXLS &p, const TDados &d, const TIdentificacao &id,
                            int &linha) {
    QList<quint16> mascaras;
    for (const QString &q : d.Quadrados)
        mascaras << Mascara(q, m_labirinto);
    const bool cruz = m_variante == Cruz;
    const quint16 aberto = cruz ? quint16(RBracoAberto) : quint16(RBracoAbertoI);
    const quint16 ponta = cruz ? quint16(RExtremidade) : quint16(RExtremidadeI);

    for (int m = 1; m <= d.Minutos; ++m) {
        const int l = ++linha;
        Identificacao(p, l, id);
        p.WriteCell(l, 4, QStringLiteral("MIN: %1").arg(m));
        auto num = [&p, l](int coluna, double v) { p.WriteCell(l, coluna, v); };
        auto seg = [&](int coluna, qint64 ms) { num(coluna, Segundos(ms)); };

        for (int b = 0; b < d.QdeComportamentos(); ++b) {
            // Open and closed region, their ends, and the centre (cross only).
            Soma ab, fe, pAb, pFe, ce;
            for (int q = 0; q < d.QdeQuadrados(); ++q) {
                const TCelulaMinuto &c = d.TabelaMinutos(b, q, m - 1);
                const quint16 s = mascaras[q];
                const bool centro = cruz && (s & RCentro);
                const qint64 freqPonta = b == 0 ? c.EntradasExtremidade : c.SomaFrequencia;
                auto somar = [&](Soma &regiao, Soma &pontas) {
                    regiao.tempo += c.SomaDuracao;
                    regiao.freq += c.SomaFrequencia;
                    regiao.cruz += c.Ocorrencias;
                    if (s & ponta) {
                        pontas.tempo += c.SomaDuracao;
                        pontas.freq += freqPonta;
                    }
                };
                if (s & aberto)
                    somar(ab, pAb);
                else if (!centro)
                    somar(fe, pFe);
                else {
                    ce.tempo += c.SomaDuracao;
                    ce.freq += c.SomaFrequencia;
                    ce.cruz += c.Ocorrencias;
                }
            }

            if (b == 0) {
                num(5, ab.freq);
                num(6, fe.freq);
                num(7, Percentual(ab.freq, fe.freq));
                num(8, pAb.freq);
                num(9, pFe.freq);
                seg(10, ab.tempo);
                seg(11, fe.tempo);
                seg(12, pAb.tempo);
                seg(13, pFe.tempo);
                if (cruz) {
                    seg(14, ce.tempo);
                    num(15, ab.cruz);
                    num(16, fe.cruz);
                } else {
                    num(14, ab.cruz);
                    num(15, fe.cruz);
                }
            } else if (cruz) {
                const int B = 12 * b;
                const Soma *ordem[] = {&ab, &fe, &pAb, &pFe, &ce};
                for (int k = 0; k < 5; ++k) {
                    num(B + 5 + k, ordem[k]->freq);
                    seg(B + 11 + k, ordem[k]->tempo);
                }
                num(B + 10, ab.freq + fe.freq + ce.freq);
                seg(B + 16, ab.tempo + fe.tempo + ce.tempo);
            } else {
                const int B = 10 * b;
                const Soma *ordem[] = {&ab, &fe, &pAb, &pFe};
                for (int k = 0; k < 4; ++k) {
                    num(B + 6 + k, ordem[k]->freq);
                    seg(B + 11 + k, ordem[k]->tempo);
                }
                num(B + 10, ab.freq + fe.freq);
                seg(B + 15, ab.tempo + fe.tempo);
            }
        }
    }
}

void TFolhaMinuto::Titulos(TPlanilhaXLS &p, const TDados &d) {
    TFolhaCompacta::TitulosDe(p, d, m_variante == Cruz ? TFolhaCompacta::Cruz : TFolhaCompacta::EmI,
                              true);
}
