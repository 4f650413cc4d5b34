#include "TFolhaMinuto.h"

#include "TDados.h"
#include "data/TPlanilhaXLS.h"

TFolhaMinuto::TFolhaMinuto(Variante variante, const QString &labirinto)
    : m_variante(variante == Cruz ? TFolhaCompacta::Cruz : TFolhaCompacta::EmI),
      m_labirinto(labirinto) {}

void TFolhaMinuto::Acumular(TDados &d) {
    d.AcumularRegioes(m_labirinto.Nome());
}

qint64 TFolhaMinuto::Linhas(const TDados &d) const {
    return d.Minutos;
}

qint64 TFolhaMinuto::Colunas(const TDados &d) const {
    return TFolhaCompacta::UltimaColuna(m_variante, d.QdeComportamentos()) + 1;
}

void TFolhaMinuto::Escrever(TPlanilhaXLS &p, const TDados &d, const TIdentificacao &id,
                            int &linha) {
    QList<quint16> mascaras;
    for (const QString &q : d.Quadrados)
        mascaras << m_labirinto.Regioes(q);
    const bool cruz = m_variante == TFolhaCompacta::Cruz;
    const quint16 aberto = cruz ? quint16(RBracoAberto) : quint16(RBracoAbertoI);
    const quint16 ponta = cruz ? quint16(RExtremidade) : quint16(RExtremidadeI);
    using M = TFolhaCompacta::TMedidas;

    for (int m = 1; m <= d.Minutos; ++m) {
        const int l = ++linha;
        Identificacao(p, l, id);
        p.WriteCell(l, 4, QStringLiteral("MIN: %1").arg(m));
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
            TFolhaCompacta::EscreverMedidas(p, l, m_variante, true, b, medidas);
        }
    }
}

void TFolhaMinuto::Titulos(TPlanilhaXLS &p, const TDados &d) {
    TFolhaCompacta::TitulosDe(p, d, m_variante, true);
}
