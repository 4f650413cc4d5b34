#include "Regioes.h"

#include <QHash>

namespace Regioes {

namespace {

QString nome(int coluna, int linha) {
    return QChar(char16_t(64 + coluna)) + QString::number(linha);
}

struct Labirinto {
    QStringList quadrados;
    QHash<QString, quint16> mascaras;
};

// A cross of n squares per arm: the centre is at column and row n + 1; the
// vertical arm is open, its rows above the centre the north arm; the
// horizontal arm is closed, its columns left of the centre the west arm.
// The `pontas` outermost squares of every arm are its end.
Labirinto cruz(int n, int pontas) {
    Labirinto l;
    const int c = n + 1;
    const int lado = 2 * n + 1;
    for (int linha = 1; linha <= lado; ++linha) {
        const QString q = nome(c, linha);
        l.quadrados << q;
        quint16 m = 0;
        if (linha == c) {
            m = RCentro;
        } else {
            m = RBracoAberto;
            if (linha < c) m |= RBracoNorte;
            if (linha <= pontas || linha > lado - pontas) m |= RExtremidade;
        }
        l.mascaras.insert(q, m);
    }
    for (int coluna = 1; coluna <= lado; ++coluna) {
        if (coluna == c) continue;
        const QString q = nome(coluna, c);
        l.quadrados << q;
        quint16 m = 0;
        if (coluna < c) m |= RBracoOeste;
        if (coluna <= pontas || coluna > lado - pontas) m |= RExtremidade;
        l.mascaras.insert(q, m);
    }
    return l;
}

// An I maze of 2n squares in row 1: the higher half is open, the `pontas`
// outermost squares at each end are the ends.
Labirinto emI(int n, int pontas) {
    Labirinto l;
    const int total = 2 * n;
    for (int coluna = 1; coluna <= total; ++coluna) {
        const QString q = nome(coluna, 1);
        l.quadrados << q;
        quint16 m = 0;
        if (coluna > n) m |= RBracoAbertoI;
        if (coluna <= pontas || coluna > total - pontas) m |= RExtremidadeI;
        l.mascaras.insert(q, m);
    }
    return l;
}

Labirinto emT() {
    Labirinto l;
    for (int coluna = 1; coluna <= 11; ++coluna)
        l.quadrados << nome(coluna, 1);
    for (int linha = 2; linha <= 6; ++linha)
        l.quadrados << nome(6, linha);
    return l;
}

// The 6 x 6 arena has regions but no list of its own: its list is built
// from its name like every arena's.
Labirinto arena6x6() {
    Labirinto l;
    for (int linha = 1; linha <= 6; ++linha)
        for (int coluna = 1; coluna <= 6; ++coluna) {
            quint16 m = 0;
            const bool bordaL = linha == 1 || linha == 6;
            const bool bordaC = coluna == 1 || coluna == 6;
            if (bordaL || bordaC) m |= RPeriferiaArena;
            if (bordaL && bordaC) m |= RCantoArena;
            if ((linha == 3 || linha == 4) && (coluna == 3 || coluna == 4)) m |= RCentroArena;
            l.mascaras.insert(nome(coluna, linha), m);
        }
    return l;
}

const QHash<QString, Labirinto> &tabela() {
    static const QHash<QString, Labirinto> t = {
        {QStringLiteral("CRUZ (3)"), cruz(3, 1)},    {QStringLiteral("CRUZ (5)"), cruz(5, 2)},
        {QStringLiteral("CRUZ (6)"), cruz(6, 2)},    {QStringLiteral("EM I (5)"), emI(5, 2)},
        {QStringLiteral("EM I (3)"), emI(3, 1)},     {QStringLiteral("EM T (5)"), emT()},
        {QStringLiteral("ARENA (6x6)"), arena6x6()},
    };
    return t;
}

} // namespace

quint16 Mascara(const QString &quadrado, const QString &labirinto) {
    const auto l = tabela().constFind(labirinto);
    if (l == tabela().constEnd()) return 0;
    return l->mascaras.value(quadrado, 0);
}

bool BracoAberto(const QString &q, const QString &l) {
    return Mascara(q, l) & RBracoAberto;
}
bool BracoNorte(const QString &q, const QString &l) {
    return Mascara(q, l) & RBracoNorte;
}
bool BracoOeste(const QString &q, const QString &l) {
    return Mascara(q, l) & RBracoOeste;
}
bool Centro(const QString &q, const QString &l) {
    return Mascara(q, l) & RCentro;
}
bool Extremidade(const QString &q, const QString &l) {
    return Mascara(q, l) & RExtremidade;
}
bool CentroArena(const QString &q, const QString &l) {
    return Mascara(q, l) & RCentroArena;
}
bool PeriferiaArena(const QString &q, const QString &l) {
    return Mascara(q, l) & RPeriferiaArena;
}
bool CantoArena(const QString &q, const QString &l) {
    return Mascara(q, l) & RCantoArena;
}
bool BracoAbertoI(const QString &q, const QString &l) {
    return Mascara(q, l) & RBracoAbertoI;
}
bool ExtremidadeI(const QString &q, const QString &l) {
    return Mascara(q, l) & RExtremidadeI;
}

bool TemListaPropria(const QString &labirinto) {
    return !Quadrados(labirinto).isEmpty();
}

QStringList Quadrados(const QString &labirinto) {
    const auto l = tabela().constFind(labirinto);
    return l == tabela().constEnd() ? QStringList() : l->quadrados;
}

bool DimensoesArena(const QString &labirinto, int *colunas, int *linhas) {
    const qsizetype abre = labirinto.indexOf(QLatin1Char('('));
    const qsizetype x = labirinto.indexOf(QLatin1Char('x'), abre + 1);
    const qsizetype fecha = labirinto.indexOf(QLatin1Char(')'), x + 1);
    if (!labirinto.startsWith(QLatin1String("ARENA")) || abre < 0 || x < 0 || fecha < 0)
        return false;
    bool okC = false, okL = false;
    const int c = labirinto.mid(abre + 1, x - abre - 1).trimmed().toInt(&okC);
    const int r = labirinto.mid(x + 1, fecha - x - 1).trimmed().toInt(&okL);
    if (!okC || !okL || c < 1 || c > 255 || r < 1 || r > 255) return false;
    *colunas = c;
    *linhas = r;
    return true;
}

QStringList QuadradosArena(int colunas, int linhas) {
    QStringList q;
    q.reserve(qsizetype(colunas) * linhas);
    for (int r = 1; r <= linhas; ++r)
        for (int c = 1; c <= colunas; ++c)
            q << nome(c, r);
    return q;
}

} // namespace Regioes
