// The group-building model below the analysis window: the name filter,
// the order of the lists and where a file goes when groups change.

#include "analysis/TDados.h"
#include "analysis/TMontagemGrupos.h"

#include <QTest>

class TstMontagemGrupos : public QObject {
    Q_OBJECT

private slots:
    // Exactly the 28 characters of the list are refused.
    void caracteres() {
        const QString recusados = QStringLiteral(" !#$%&()*+,-./<=>?@[\\]^`{|}~");
        QCOMPARE(recusados.size(), 28);
        for (int c = 0; c < 256; ++c)
            QVERIFY2(TMontagemGrupos::CaractereAceito(QChar(c)) != recusados.contains(QChar(c)),
                     qPrintable(QString::number(c)));
        QCOMPARE(TMontagemGrupos::FiltrarNome("Grupo A-1 (ç)\"x'"), QString("GrupoA1ç\"x'"));
    }

    void ordem() {
        TDados d;
        TMontagemGrupos m(d);
        m.LimparTudo({"rato10.tvl", "Rato2.tvl", "rato1.tvl", "a.tvl", "rato02b.tvl"});
        QCOMPARE(m.Disponiveis(),
                 QStringList({"a.tvl", "rato1.tvl", "Rato2.tvl", "rato02b.tvl", "rato10.tvl"}));
    }

    // Changes to a chosen group that are dropped by choosing another one
    // put every file back where it was; nothing is lost or doubled.
    void trocarDeGrupo() {
        TDados d;
        TMontagemGrupos m(d);
        m.LimparTudo({"a", "b", "c", "d"});
        m.Adicionar("a");
        QCOMPARE(m.InserirGrupo("g1"), TMontagemGrupos::Inserido);
        m.Adicionar("b");
        QCOMPARE(m.InserirGrupo("g2"), TMontagemGrupos::Inserido);
        QVERIFY(m.EscolherGrupo("g1"));
        m.Remover("a");
        m.Adicionar("c");
        QCOMPARE(m.Disponiveis(), QStringList({"a", "d"}));
        QVERIFY(m.EscolherGrupo("g2"));
        QCOMPARE(m.Disponiveis(), QStringList({"c", "d"}));
        QCOMPARE(m.Selecao(), QStringList({"b"}));
        QVERIFY(m.EscolherGrupo("g2"));
        QCOMPARE(m.Disponiveis(), QStringList({"c", "d"}));
        QCOMPARE(m.InserirGrupo("ignorado"), TMontagemGrupos::Substituido);
        QCOMPARE(d.Grupos()[0].Arquivos, QStringList({"a"}));
        QCOMPARE(d.Grupos()[1].Arquivos, QStringList({"b"}));
        QVERIFY(!m.EscolherGrupo("g3"));
        QCOMPARE(m.Adicionar("a"), TMontagemGrupos::NaoDisponivel);
    }
};

QTEST_MAIN(TstMontagemGrupos)
#include "tst_montagemgrupos.moc"
