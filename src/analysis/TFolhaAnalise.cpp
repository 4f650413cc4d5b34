#include "TFolhaAnalise.h"

#include "data/TPlanilha.h"

QString TFolhaAnalise::Rotulo(const QString &arquivo) {
    QString r = arquivo;
    const qsizetype barra = r.indexOf(QLatin1Char('/'));
    if (barra >= 0) r.remove(0, barra + 1);
    const qsizetype ponto = r.indexOf(QLatin1Char('.'));
    if (ponto >= 0) r.remove(ponto, 4);
    return r;
}

void TFolhaAnalise::Identificacao(TPlanilha &p, int linha, const TIdentificacao &id) {
    p.WriteCell(linha, 1, id.Posicao);
    p.WriteCell(linha, 2, id.Rotulo);
    p.WriteCell(linha, 3, id.Usuario);
}

void TFolhaAnalise::TitulosIdentificacao(TPlanilha &p, int linha, const char *inj) {
    p.WriteCell(linha, 1, "SS");
    p.WriteCell(linha - 1, 2, inj);
    p.WriteCell(linha, 2, "S/N");
    p.WriteCell(linha, 3, "EXP");
}

double TFolhaAnalise::Percentual(qint64 aberto, qint64 fechado) {
    const qint64 total = aberto + fechado;
    return total == 0 ? 0.0 : 100.0 * static_cast<double>(aberto) / static_cast<double>(total);
}

const QString &TFolhaAnalise::RotuloMinuto(int minuto) {
    while (m_rotulosMinuto.size() < size_t(minuto))
        m_rotulosMinuto.push_back(QStringLiteral("MIN: %1").arg(m_rotulosMinuto.size() + 1));
    return m_rotulosMinuto[size_t(minuto) - 1];
}
