#include "TFormaLabirinto.h"

#include "TLabirinto.h"

#include <QHash>

struct TFormaLabirinto::TEmbutido {
    QString nome;
    TTipoLabirinto tipo;
    int colunas, linhas; // as the shipped library stores them
    // Outermost squares of each arm of a cross (each end of an I maze) that
    // count as its end; 0 where there are no arm ends (T maze, arenas).
    int pontas;
    bool regioes; // its squares fall in regions (the 6 x 6 arena by its walls)
    QStringList quadrados;        // own list (not for arenas)
    QHash<QString, quint16> bits; // regions of every square, when `regioes`
};

namespace {

// The word each kind's names begin with.
const struct {
    const char *palavra;
    TTipoLabirinto tipo;
} kPalavras[] = {
    {"CRUZ", TTipoLabirinto::Cruz},
    {"EM I", TTipoLabirinto::EmI},
    {"EM T", TTipoLabirinto::EmT},
    {"ARENA", TTipoLabirinto::Arena},
};

// Analysis lists name any column an arena's name may give by code 64 + c.
QString nomeQuadrado(const QPoint &p) {
    return QChar(char16_t(64 + p.x())) + QString::number(p.y());
}

TTipoLabirinto tipoDoNome(const QString &nome) {
    for (const auto &p : kPalavras)
        if (nome.startsWith(QLatin1String(p.palavra), Qt::CaseSensitive)) return p.tipo;
    return TTipoLabirinto::Desconhecido;
}

QList<QPoint> posicoes(TTipoLabirinto tipo, int x, int y, int tc) {
    QList<QPoint> p;
    switch (tipo) {
    case TTipoLabirinto::Cruz: {
        const int cv = TLabirinto::ArredondarPar((x - tc) / 2.0 + tc);
        const int rh = TLabirinto::ArredondarPar((y - tc) / 2.0 + tc);
        for (int r = 1; r <= y; ++r)
            p << QPoint(cv, r);
        // The crossing square is listed once, with the vertical arm.
        for (int c = 1; c <= x; ++c)
            if (c != cv || rh < 1 || rh > y) p << QPoint(c, rh);
        break;
    }
    case TTipoLabirinto::EmI:
        for (int c = 1; c <= x; ++c)
            p << QPoint(c, 1);
        break;
    case TTipoLabirinto::EmT:
        for (int c = 1; c <= 11; ++c)
            p << QPoint(c, 1);
        for (int r = 2; r <= 6; ++r)
            p << QPoint(6, r);
        break;
    case TTipoLabirinto::Arena:
        p.reserve(qsizetype(qMax(0, x)) * qMax(0, y));
        for (int r = 1; r <= y; ++r)
            for (int c = 1; c <= x; ++c)
                p << QPoint(c, r);
        break;
    case TTipoLabirinto::Desconhecido:
        break;
    }
    return p;
}

bool ponta(int i, int total, int pontas) {
    return i <= pontas || i > total - pontas;
}

// The regions of square p of a built-in maze of X x Y squares.
quint16 regioes(TTipoLabirinto tipo, int x, int y, int pontas, const QPoint &p) {
    const int c = p.x(), r = p.y();
    quint16 m = 0;
    switch (tipo) {
    case TTipoLabirinto::Cruz: {
        // Centre at column and row n + 1; the vertical arm is open, its rows
        // above the centre the north arm; the horizontal arm is closed, its
        // columns left of the centre the west arm.
        const int centro = (x + 1) / 2;
        if (c == centro && r == centro) return RCentro;
        if (c == centro) {
            m = RBracoAberto;
            if (r < centro) m |= RBracoNorte;
            if (ponta(r, y, pontas)) m |= RExtremidade;
        } else {
            if (c < centro) m |= RBracoOeste;
            if (ponta(c, x, pontas)) m |= RExtremidade;
        }
        return m;
    }
    case TTipoLabirinto::EmI:
        if (c > x / 2) m |= RBracoAbertoI;
        if (ponta(c, x, pontas)) m |= RExtremidadeI;
        return m;
    case TTipoLabirinto::Arena: {
        const bool bordaL = r == 1 || r == y, bordaC = c == 1 || c == x;
        if (bordaL || bordaC) m |= RPeriferiaArena;
        if (bordaL && bordaC) m |= RCantoArena;
        if ((r == y / 2 || r == y / 2 + 1) && (c == x / 2 || c == x / 2 + 1)) m |= RCentroArena;
        return m;
    }
    case TTipoLabirinto::EmT:
    case TTipoLabirinto::Desconhecido:
        break;
    }
    return 0;
}

QList<TFormaLabirinto::TEmbutido> montarEmbutidos() {
    using T = TTipoLabirinto;
    QList<TFormaLabirinto::TEmbutido> t = {
        {QStringLiteral("CRUZ (3)"), T::Cruz, 7, 7, 1, true, {}, {}},
        {QStringLiteral("CRUZ (5)"), T::Cruz, 11, 11, 2, true, {}, {}},
        {QStringLiteral("CRUZ (6)"), T::Cruz, 13, 13, 2, true, {}, {}},
        {QStringLiteral("EM I (3)"), T::EmI, 6, 1, 1, true, {}, {}},
        {QStringLiteral("EM I (5)"), T::EmI, 10, 1, 2, true, {}, {}},
        {QStringLiteral("EM T (5)"), T::EmT, 11, 6, 0, false, {}, {}},
        {QStringLiteral("ARENA (4x4)"), T::Arena, 4, 4, 0, false, {}, {}},
        {QStringLiteral("ARENA (6x6)"), T::Arena, 6, 6, 0, true, {}, {}},
    };
    for (TFormaLabirinto::TEmbutido &e : t) {
        // The built-in mazes are laid out as the shipped library stores
        // them: a cross's horizontal arm lies arm-length rows down.
        const int temCentro = e.tipo == T::Cruz ? 1 : 0;
        for (const QPoint &p : posicoes(e.tipo, e.colunas, e.linhas, temCentro)) {
            if (e.tipo != T::Arena) e.quadrados << nomeQuadrado(p);
            if (e.regioes)
                e.bits.insert(nomeQuadrado(p), regioes(e.tipo, e.colunas, e.linhas, e.pontas, p));
        }
    }
    return t;
}

const QList<TFormaLabirinto::TEmbutido> &embutidos() {
    static const QList<TFormaLabirinto::TEmbutido> t = montarEmbutidos();
    return t;
}

} // namespace

TFormaLabirinto::TFormaLabirinto(const QString &nome)
    : m_nome(nome), m_tipo(tipoDoNome(nome)), m_embutido(nullptr) {
    if (m_tipo == TTipoLabirinto::Desconhecido) return;
    for (const TEmbutido &e : embutidos())
        if (e.nome == nome) {
            m_embutido = &e;
            break;
        }
}

TTipoLabirinto TFormaLabirinto::TipoDaPalavra() const {
    const qsizetype abre = m_nome.indexOf(QLatin1Char('('));
    const QString palavra = abre >= 1 ? m_nome.left(abre - 1) : QString();
    for (const auto &p : kPalavras)
        if (palavra == QLatin1String(p.palavra)) return p.tipo;
    return TTipoLabirinto::Desconhecido;
}

bool TFormaLabirinto::TemRegioes() const {
    return m_embutido && m_embutido->regioes;
}

quint16 TFormaLabirinto::Regioes(const QString &quadrado) const {
    return m_embutido ? m_embutido->bits.value(quadrado, 0) : 0;
}

bool TFormaLabirinto::TemListaPropria() const {
    return m_embutido && !m_embutido->quadrados.isEmpty();
}

QStringList TFormaLabirinto::Quadrados() const {
    return m_embutido ? m_embutido->quadrados : QStringList();
}

bool TFormaLabirinto::DimensoesArena(int *colunas, int *linhas) const {
    const QString &l = m_nome;
    const qsizetype abre = l.indexOf(QLatin1Char('('));
    const qsizetype x = l.indexOf(QLatin1Char('x'), abre + 1);
    const qsizetype fecha = l.indexOf(QLatin1Char(')'), x + 1);
    if (m_tipo != TTipoLabirinto::Arena || abre < 0 || x < 0 || fecha < 0) return false;
    bool okC = false, okL = false;
    const int c = l.mid(abre + 1, x - abre - 1).trimmed().toInt(&okC);
    const int r = l.mid(x + 1, fecha - x - 1).trimmed().toInt(&okL);
    if (!okC || !okL || c < 1 || c > 255 || r < 1 || r > 255) return false;
    *colunas = c;
    *linhas = r;
    return true;
}

QStringList TFormaLabirinto::QuadradosArena(int colunas, int linhas) {
    QStringList q;
    for (const QPoint &p : posicoes(TTipoLabirinto::Arena, colunas, linhas, 0))
        q << nomeQuadrado(p);
    return q;
}

QList<QPoint> TFormaLabirinto::Posicoes(int colunas, int linhas, int temCentro) const {
    return posicoes(m_tipo, colunas, linhas, temCentro);
}
