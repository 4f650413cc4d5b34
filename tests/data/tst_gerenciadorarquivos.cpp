// The data file manager's operations without the window.

#include "PastasUsuario.h"
#include "data/TGerenciadorArquivos.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using G = TGerenciadorArquivos;
using PastasUsuario::gravar;
using PastasUsuario::ler;

namespace {

// Every file under a folder, relative, sorted (hidden ones too).
QStringList arvore(const QString &pasta) {
    QStringList r;
    QDirIterator it(pasta, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        r << QDir(pasta).relativeFilePath(it.next());
    r.sort();
    return r;
}

} // namespace

class TstGerenciadorArquivos : public QObject {
    Q_OBJECT

    PastasUsuario::Raiz m_raiz;
    QString m_pasta; // the user's folder

private slots:
    void init() { m_pasta = m_raiz.nova("Velha/sub/rato9.tvl"); }

    void perfil() {
        const QString ini = m_raiz.filePath("perfil.ini");
        gravar(ini, "[Experimentos]\r\nQdeExp=3\r\n1=Exp1\r\n2=\r\n3=Exp 3\r\n");
        QCOMPARE(G::ExperimentosDoPerfil(ini), QStringList({"Exp1", "Exp 3"}));
        QCOMPARE(G::ExperimentosDoPerfil(m_raiz.filePath("falta.ini")), QStringList());
        QCOMPARE(G::PastaDatada(QDate(2026, 12, 8)), QString("TVLfiles08122026"));
    }

    // What each option takes, and the refusals.
    void tomar() {
        G g(m_pasta + "/", {"Exp1"});
        QCOMPARE(g.Tomar(m_pasta + "/Exp1/rato1.tvl"), G::Ignorado); // no option
        g.Escolher(G::OpcaoExcluirPasta);
        QCOMPARE(g.Tomar(m_pasta + "/Exp1"), G::PastaExperimento);
        QCOMPARE(g.Tomar(m_pasta), G::PastaUsuario);
        QCOMPARE(g.Tomar(m_raiz.path()), G::Ignorado); // outside the user's folder
        QCOMPARE(g.Tomar(m_pasta + "/Exp1/rato1.tvl"), G::Ignorado);
        QCOMPARE(g.Tomar(m_pasta + "/Velha"), G::Listado);
        QCOMPARE(g.Tomar(m_pasta + "/Velha/sub"), G::Listado);
        QCOMPARE(g.Tomar(m_pasta + "/Velha"), G::JaListado);
        QCOMPARE(g.ListaExclusao(), QStringList({"Velha", "Velha/sub"}));

        g.Escolher(G::OpcaoCopiar);
        QVERIFY(g.ListaExclusao().isEmpty());
        QCOMPARE(g.Tomar(m_pasta + "/Exp1"), G::Ignorado);
        QCOMPARE(g.Tomar(m_pasta + "/Exp1/rato1.tvl"), G::Listado);
        QCOMPARE(g.Tomar(m_pasta + "/Exp1/rato1.tvl"), G::JaListado);
        g.Escolher(G::OpcaoExcluirArquivo);
        QCOMPARE(g.ListaCopia(), QStringList({"Exp1/rato1.tvl"}));
        QCOMPARE(g.Tomar(m_pasta + "/Velha"), G::Ignorado);
        QCOMPARE(g.Tomar(m_pasta + "/Exp1/notas.txt"), G::Listado);
        g.Escolher(G::OpcaoRenomear);
        QCOMPARE(g.Tomar(m_pasta + "/Exp1/notas.txt"), G::Escolhido);
        QCOMPARE(g.NomeProposto(), QString("notas"));
    }

    // Folders go with their content; an entry gone meanwhile is reported
    // by name and the others are still deleted.
    void excluir() {
        G g(m_pasta, {"Exp1"});
        g.Escolher(G::OpcaoExcluirArquivo);
        g.Tomar(m_pasta + "/Exp1/notas.txt");
        g.Tomar(m_pasta + "/Exp1/rato1.tvl");
        QVERIFY(Arquivos::marcarSomenteLeitura(m_pasta + "/Exp1/rato1.tvl"));
        QFile::remove(m_pasta + "/Exp1/notas.txt");
        const QStringList falhas = g.Excluir();
        QCOMPARE(falhas.size(), 1);
        QVERIFY2(falhas[0].startsWith("Exp1/notas.txt: "), qPrintable(falhas[0]));
        QVERIFY(g.ListaExclusao().isEmpty() && g.OpcaoAtual() == G::OpcaoNenhuma);
        g.Escolher(G::OpcaoExcluirPasta);
        g.Tomar(m_pasta + "/Velha");
        QCOMPARE(g.Excluir(), QStringList());
        QCOMPARE(arvore(m_pasta), QStringList());
        QVERIFY(QFileInfo(m_pasta + "/Exp1").isDir());
    }

    // Renamed to <name>.tvl whatever the old extension; an existing target
    // is never replaced; names that are no file names are refused.
    void renomear() {
        G g(m_pasta, {"Exp1"});
        g.Escolher(G::OpcaoRenomear);
        g.Tomar(m_pasta + "/Exp1/rato1.tvl");
        QCOMPARE(g.Renomear("rato2"), G::Renomeado);
        QCOMPARE(ler(m_pasta + "/Exp1/rato2.tvl"), QByteArray("um"));
        QVERIFY(g.ArquivoEscolhido().isEmpty());
        g.Escolher(G::OpcaoRenomear);
        g.Tomar(m_pasta + "/Exp1/notas.txt");
        QString erro;
        QCOMPARE(g.Renomear("rato2", &erro), G::Existe);
        QCOMPARE(ler(m_pasta + "/Exp1/rato2.tvl"), QByteArray("um"));
        QCOMPARE(ler(m_pasta + "/Exp1/notas.txt"), QByteArray("notas"));
        for (const char *ruim : {"../fora", "a/b", ".", " x"})
            QCOMPARE(g.Renomear(ruim), G::NomeInvalido);
        QCOMPARE(g.Renomear(""), G::NadaARenomear);
        QCOMPARE(g.Renomear("rato3"), G::Renomeado);
        QCOMPARE(arvore(m_pasta + "/Exp1"), QStringList({"rato2.tvl", "rato3.tvl"}));
    }

    // Into <destination>/TVLfilesDDMMYYYY/<entry>; a second copy asks, No
    // keeps the old copy, Yes replaces it; a read-only record stays
    // read-only; a missing source is named; no temporary file is left.
    void copiar() {
        G g(m_pasta, {"Exp1"});
        g.Escolher(G::OpcaoCopiar);
        g.Tomar(m_pasta + "/Exp1/rato1.tvl");
        g.Tomar(m_pasta + "/Velha/sub/rato9.tvl");
        QVERIFY(Arquivos::marcarSomenteLeitura(m_pasta + "/Exp1/rato1.tvl"));
        const QString destino = m_raiz.filePath("pendrive");
        QDir().mkpath(destino);
        const QDate dia(2026, 12, 8);
        QStringList perguntas;
        auto responder = [&](bool sim) {
            return [&perguntas, sim](const QString &e) {
                perguntas << e;
                return sim;
            };
        };
        QCOMPARE(g.Copiar(destino, dia, responder(true)), QStringList());
        QVERIFY(perguntas.isEmpty());
        const QString copia = destino + "/TVLfiles08122026/Exp1/rato1.tvl";
        QCOMPARE(ler(copia), QByteArray("um"));
        QVERIFY(Arquivos::somenteLeitura(copia));
        QCOMPARE(ler(destino + "/TVLfiles08122026/Velha/sub/rato9.tvl"), QByteArray("nove"));

        gravar(m_pasta + "/Velha/sub/rato9.tvl", "novo");
        QCOMPARE(g.Copiar(destino, dia, responder(false)), QStringList());
        QCOMPARE(perguntas, QStringList({"Exp1/rato1.tvl", "Velha/sub/rato9.tvl"}));
        QCOMPARE(ler(destino + "/TVLfiles08122026/Velha/sub/rato9.tvl"), QByteArray("nove"));
        QCOMPARE(g.Copiar(destino, dia, responder(true)), QStringList());
        QCOMPARE(ler(destino + "/TVLfiles08122026/Velha/sub/rato9.tvl"), QByteArray("novo"));

        QFile::remove(m_pasta + "/Velha/sub/rato9.tvl");
        const QStringList falhas = g.Copiar(destino, dia.addDays(1), responder(true));
        QCOMPARE(falhas.size(), 1);
        QVERIFY2(falhas[0].startsWith("Velha/sub/rato9.tvl: "), qPrintable(falhas[0]));
        QCOMPARE(arvore(destino), QStringList({"TVLfiles08122026/Exp1/rato1.tvl",
                                               "TVLfiles08122026/Velha/sub/rato9.tvl",
                                               "TVLfiles09122026/Exp1/rato1.tvl"}));
        QCOMPARE(g.Copiar(m_raiz.filePath("falta"), dia, responder(true)).size(), 1);
        QCOMPARE(g.ListaCopia().size(), 2);
    }
};

QTEST_MAIN(TstGerenciadorArquivos)
#include "tst_gerenciadorarquivos.moc"
