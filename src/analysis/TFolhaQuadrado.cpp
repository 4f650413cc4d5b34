#include "TFolhaQuadrado.h"

#include "TDados.h"
#include "data/TPlanilha.h"

TFolhaQuadrado::TFolhaQuadrado(bool porMinuto) : m_porMinuto(porMinuto) {}

void TFolhaQuadrado::Acumular(TDados &d) {
    d.Acumular();
}

qint64 TFolhaQuadrado::Linhas(const TDados &d) const {
    return 2 * qint64(d.QdeComportamentos()) * (m_porMinuto ? d.Minutos : 1);
}

qint64 TFolhaQuadrado::Colunas(const TDados &d) const {
    const int primeira = m_porMinuto ? 7 : 6; // column of the first square
    return primeira - 1 + qint64(d.QdeQuadrados());
}

void TFolhaQuadrado::Escrever(TPlanilha &p, const TDados &d, const TIdentificacao &id, int &linha) {
    const int primeira = m_porMinuto ? 7 : 6;
    for (int b = 0; b < d.QdeComportamentos(); ++b) {
        const int minutos = m_porMinuto ? d.Minutos : 1;
        for (int m = 1; m <= minutos; ++m) {
            const int r = ++linha;
            for (int l : {r, r + 1}) {
                Identificacao(p, l, id);
                p.WriteCell(l, 4, d.Comportamentos[b]);
                p.WriteCell(l, 5, l == r ? "FREQUENCIA" : "TEMPO");
                if (m_porMinuto) p.WriteCell(l, 6, RotuloMinuto(m));
            }
            for (int q = 0; q < d.QdeQuadrados(); ++q) {
                qint64 f = 0, ms = 0;
                if (m_porMinuto) {
                    const TCelulaMinuto &c = d.TabelaMinutos(b, q, m - 1);
                    f = c.SomaFrequencia;
                    ms = c.SomaDuracao;
                } else {
                    for (int k = 0; k < d.Minutos; ++k) {
                        const TCelulaMinuto &c = d.TabelaMinutos(b, q, k);
                        f += c.SomaFrequencia;
                        ms += c.SomaDuracao;
                    }
                }
                p.WriteCell(r, q + primeira, static_cast<double>(f));
                p.WriteCell(r + 1, q + primeira, Segundos(ms));
            }
            ++linha;
        }
    }
}

void TFolhaQuadrado::Titulos(TPlanilha &p, const TDados &d) {
    TitulosIdentificacao(p, 2, "INJ");
    p.WriteCell(2, 4, "COPORTAMENTO");
    p.WriteCell(2, 5, "MEDIDA");
    if (m_porMinuto) p.WriteCell(2, 6, "MINUTO");
    const int primeira = m_porMinuto ? 7 : 6;
    for (int q = 0; q < d.QdeQuadrados(); ++q)
        p.WriteCell(2, q + primeira, d.Quadrados[q]);
}

TFormaTabela TFolhaQuadrado::Forma() const {
    TFormaTabela f;
    f.LinhasTitulo = LinhaInicial();
    f.ColunaPosicao = 1;
    f.ColunaRegistro = 2;
    f.ColunaComportamento = 4;
    f.ColunaMedida = 5;
    f.ColunaMinuto = m_porMinuto ? 6 : 0;
    f.LinhasRegiao = {2}; // the squares' names
    f.PrimeiraColunaValor = m_porMinuto ? 7 : 6;
    return f;
}
