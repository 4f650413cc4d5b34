#include "TDesenho.h"

TDesenho::TDesenho() : m_fundo(TCor::Fundo()) {}

void TDesenho::Redefinir(const TCor &fundo, const QVector<TFigura> &figuras) {
    m_fundo = fundo;
    m_figuras = figuras;
    m_indiceQuadrado.clear();
    for (int i = 0; i < m_figuras.size(); ++i) {
        const TFigura &f = m_figuras[i];
        // A square listed twice is painted through its last figure, the one on top.
        if (f.coluna > 0 && f.linha > 0)
            m_indiceQuadrado.insert(chave(f.coluna, f.linha), i);
    }
    mudou();
}

const TFigura *TDesenho::Quadrado(int coluna, int linha) const {
    if (coluna <= 0 || linha <= 0)
        return nullptr;
    const auto it = m_indiceQuadrado.constFind(chave(coluna, linha));
    return it == m_indiceQuadrado.constEnd() ? nullptr : &m_figuras[it.value()];
}

bool TDesenho::PintarQuadrado(int coluna, int linha, const TCor &cor) {
    if (coluna <= 0 || linha <= 0)
        return false;
    const auto it = m_indiceQuadrado.constFind(chave(coluna, linha));
    if (it == m_indiceQuadrado.constEnd())
        return false;
    m_figuras[it.value()].preenchimento = cor;
    mudou();
    return true;
}

QPointF TDesenho::ParaDesenho(double x, double y, double largura, double altura) {
    if (!(largura > 0) || !(altura > 0))
        return QPointF(-1, -1);
    return QPointF(x * Lado / largura, y * Lado / altura);
}

void TDesenho::mudou() {
    ++m_versao;
}
