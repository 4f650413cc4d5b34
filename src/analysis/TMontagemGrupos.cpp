#include "TMontagemGrupos.h"

#include "TDados.h"

#include <QDir>

#include <algorithm>

namespace {

// Names compared piece by piece: runs of digits by their value, the rest
// without regard to letter case ("rato2" before "rato10"), whatever the
// locale's collation offers.
bool antes(const QString &a, const QString &b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype fi = i, fj = j;
            while (fi < a.size() && a[fi].isDigit())
                ++fi;
            while (fj < b.size() && b[fj].isDigit())
                ++fj;
            // Leading zeros aside, a longer run is a larger number.
            QStringView na = QStringView(a).mid(i, fi - i), nb = QStringView(b).mid(j, fj - j);
            while (na.size() > 1 && na.front() == u'0')
                na = na.mid(1);
            while (nb.size() > 1 && nb.front() == u'0')
                nb = nb.mid(1);
            if (na.size() != nb.size()) return na.size() < nb.size();
            if (const int c = na.compare(nb); c != 0) return c < 0;
            i = fi;
            j = fj;
            continue;
        }
        const QChar ca = a[i].toCaseFolded(), cb = b[j].toCaseFolded();
        if (ca != cb) return ca < cb;
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j)) return (a.size() - i) < (b.size() - j);
    return a < b;
}

} // namespace

TMontagemGrupos::TMontagemGrupos(TDados &dados) : m_dados(dados) {}

QStringList TMontagemGrupos::ArquivosDaPasta(const QString &pasta) {
    // Only what an analysis can read: the reader opens a name ending in
    // "tvl" as it is and any other with ".tvl" appended, so a raw ".txt"
    // left by an interrupted recording would be a missing file.
    QStringList nomes;
    const QStringList todos = QDir(pasta).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &n : todos)
        if (n.endsWith(QLatin1String(".tvl")) && n.size() > 4) nomes << n;
    std::sort(nomes.begin(), nomes.end(), antes);
    return nomes;
}

void TMontagemGrupos::ordenar(QStringList &lista) const {
    std::sort(lista.begin(), lista.end(), antes);
}

void TMontagemGrupos::LimparTudo(const QStringList &arquivos) {
    m_dados.LimparGrupos();
    m_disponiveis = arquivos;
    ordenar(m_disponiveis);
    m_selecao.clear();
    m_modo = Inserir;
    m_escolhido.clear();
}

QStringList TMontagemGrupos::NomesGrupos() const {
    QStringList nomes;
    for (const TGrupo &g : m_dados.Grupos())
        nomes << g.Nome;
    return nomes;
}

TMontagemGrupos::Resultado TMontagemGrupos::Adicionar(const QString &arquivo) {
    if (!m_disponiveis.contains(arquivo)) return NaoDisponivel;
    if (m_selecao.size() >= TDados::MaxArquivos) return LimiteArquivos;
    m_disponiveis.removeOne(arquivo);
    m_selecao << arquivo;
    ordenar(m_selecao);
    return Inserido;
}

TMontagemGrupos::Resultado TMontagemGrupos::Remover(const QString &arquivo) {
    if (!m_selecao.contains(arquivo)) return NaoDisponivel;
    m_selecao.removeOne(arquivo);
    m_disponiveis << arquivo;
    ordenar(m_disponiveis);
    return Inserido;
}

bool TMontagemGrupos::EscolherGrupo(const QString &nome) {
    const int g = m_dados.IndiceGrupo(nome);
    if (g < 0) return false;
    // Files still waiting in the selection would otherwise be in no list
    // at all until everything is cleared.
    if (m_modo == Inserir) {
        m_disponiveis << m_selecao;
        ordenar(m_disponiveis);
    } else {
        // A group was being changed and its changes are dropped: files it
        // took from the available list go back there, files it gave back
        // return to it.
        const QStringList antes = m_dados.Grupos()[m_dados.IndiceGrupo(m_escolhido)].Arquivos;
        for (const QString &a : std::as_const(m_selecao))
            if (!antes.contains(a)) m_disponiveis << a;
        for (const QString &a : antes)
            if (!m_selecao.contains(a)) m_disponiveis.removeOne(a);
        ordenar(m_disponiveis);
    }
    m_selecao = m_dados.Grupos()[g].Arquivos;
    m_modo = Substituir;
    m_escolhido = nome;
    return true;
}

TMontagemGrupos::Resultado TMontagemGrupos::InserirGrupo(const QString &nome) {
    if (m_modo == Substituir) {
        if (!m_dados.SubstituirArquivos(m_escolhido, m_selecao)) return LimiteArquivos;
        m_selecao.clear();
        m_modo = Inserir;
        m_escolhido.clear();
        return Substituido;
    }
    if (m_dados.IndiceGrupo(nome) >= 0) return NomeExistente;
    if (nome.isEmpty() || m_selecao.isEmpty()) return Incompleto;
    if (m_dados.QdeGrupos() >= TDados::MaxGrupos) return LimiteGrupos;
    if (m_selecao.size() > TDados::MaxArquivos) return LimiteArquivos;
    if (!m_dados.InserirGrupo(nome, m_selecao)) return LimiteGrupos;
    m_selecao.clear();
    return Inserido;
}

bool TMontagemGrupos::CaractereAceito(QChar c) {
    const char16_t u = c.unicode();
    if (u > 127 || u < 32) return true;
    if (u == 32 || u == 33 || u == 96) return false;
    return !((u >= 35 && u <= 38) || (u >= 40 && u <= 47) || (u >= 60 && u <= 64) ||
             (u >= 91 && u <= 94) || (u >= 123 && u <= 126));
}

QString TMontagemGrupos::FiltrarNome(const QString &nome) {
    QString r;
    for (const QChar c : nome)
        if (CaractereAceito(c)) r += c;
    return r;
}
