#include "core/TArquivoIni.h"
#include "core/TExperimento.h"
#include "core/TUsuario.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Experiment fields as one list: Configurado, QdeInicios, InicioX1, InicioY1,
// InicioX2, InicioY2, TempoSecao, DivisoesDaSecao, Distancia, ComecoQueda.
static QList<int> campos(const TExperimento &e) {
    return {e.Configurado, e.QdeInicios, e.InicioX1,        e.InicioY1,  e.InicioX2,
            e.InicioY2,    e.TempoSecao, e.DivisoesDaSecao, e.Distancia, e.ComecoQueda};
}

class TstExperimento : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString dados() const { return m_dir.path() + "/"; }
    QString perfil() const { return m_dir.filePath("perfil.ini"); }
    void escrever(const QString &caminho, const QByteArray &bytes) {
        QDir().mkpath(QFileInfo(caminho).path());
        QFile f(caminho);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    static void verificarPadroes(const TExperimento &e) {
        QCOMPARE(campos(e), (QList<int>{0, 1, 0, 0, 0, 0, 300, 10, 10, 0}));
        QCOMPARE(e.Labirinto, QString());
        for (const QString &c : e.Comp)
            QVERIFY(c.isEmpty());
        QCOMPARE(e.Status.Qde, 0);
    }

private slots:
    // Missing file or section: every default, no window flag set.
    void padroes() {
        TExperimento e;
        for (int i = 0; i < TExperimento::QdeJanelas; ++i)
            QVERIFY(!e.JanelaAberta[i]);
        e.Carregar(m_dir.filePath("nao/existe.ini"), "EXP");
        QCOMPARE(e.Nome, QString("EXP"));
        verificarPadroes(e);
        escrever(perfil(), "[Experimentos]\r\nQdeExp=1\r\n1=OUTRO\r\n[OUTRO]\r\nTempoSecao=60\r\n");
        e.Carregar(perfil(), "EXP");
        verificarPadroes(e);
    }

    void todosOsValores() {
        escrever(perfil(), "[exp]\r\nConfigurado=1\r\nLabirinto=CRUZ (5)\r\nCompTipo=Comp3\r\n"
                           "QdeInicios=2\r\nTempoSecao=600\r\nDivisoesDaSecao=4\r\nDistancia=50\r\n"
                           "InicioX1=3\r\nInicioY1=4\r\nInicioX2=5\r\nInicioY2=6\r\n"
                           "ComecoQueda=2\r\nBraco=0\r\n[Comp3]\r\n2=FARE\r\n");
        TExperimento e;
        e.Carregar(perfil(), "EXP"); // section names ignore letter case
        QCOMPARE(campos(e), (QList<int>{1, 2, 3, 4, 5, 6, 600, 4, 50, 2}));
        QCOMPARE(e.Labirinto, QString("CRUZ (5)"));
        QCOMPARE(e.Comp[0], QString("Comp3"));
        QCOMPARE(e.Comp[2], QString("FARE"));
        QCOMPARE(e.Status.Nome, QStringList{"FARE"});
        QCOMPARE(e.Status.Tecla, QList<quint16>{'B'});
    }

    // The table follows the letters, not the order of the keys in the file;
    // a letter written with an empty name is no behaviour.
    void ordemDasLetras() {
        escrever(perfil(), "[E]\r\nCompTipo=Comp1\r\n"
                           "[Comp1]\r\n26=ZETA\r\n1=ALFA\r\n2=\r\n3=GAMA\r\n");
        TExperimento e;
        e.Carregar(perfil(), "E");
        QCOMPARE(e.Status.Nome, (QStringList{"ALFA", "GAMA", "ZETA"}));
        QCOMPARE(e.Status.Tecla, (QList<quint16>{'A', 'C', 'Z'}));
        QCOMPARE(e.Status.Primeiro, (QList<int>{1, 1, 1}));
        QCOMPARE((QStringList{e.Comp[1], e.Comp[2], e.Comp[3], e.Comp[26]}),
                 (QStringList{"ALFA", "", "GAMA", "ZETA"}));
        // Loading again rebuilds the table instead of adding to it.
        e.Status.Ativo[0] = true;
        e.Carregar(perfil(), "E");
        QCOMPARE(e.Status.Qde, 3);
        QCOMPARE(e.Status.Ativo[0], false);
    }

    void semListaDepoisDeOutraComLista() {
        escrever(perfil(), "[COM]\r\nCompTipo=Comp2\r\n[SEM]\r\nCompTipo=\r\nConfigurado=1\r\n"
                           "[Comp2]\r\n1=A\r\n2=B\r\n");
        TExperimento e;
        e.Carregar(perfil(), "COM");
        QCOMPARE(e.Status.Qde, 2);
        e.Carregar(perfil(), "SEM");
        QCOMPARE(e.Status.Qde, 0);
        QVERIFY(e.Status.Nome.isEmpty());
        for (const QString &c : e.Comp)
            QVERIFY(c.isEmpty());
    }

    // The language choice picks the file; any other value, or no choice
    // file at all, keeps the one before.
    void usuarioIdioma() {
        const QString arquivo = dados() + "idiomas/idioma.ini";
        const QStringList nomes = {"portugues", "ingles",   "frances",
                                   "alemao",    "italiano", "espanhol"};
        for (int i = -1; i <= nomes.size() + 1; ++i) {
            if (i <= nomes.size())
                escrever(arquivo, QStringLiteral("[IDIOMA]\r\nLingua=%1\r\n").arg(i).toLatin1());
            else
                QVERIFY(QFile::remove(arquivo));
            TUsuario u(dados());
            u.ArquivoIdioma = "anterior.ini";
            u.Carregar("ana");
            QCOMPARE(u.ArquivoIdioma, i >= 0 && i < nomes.size()
                                          ? dados() + "idiomas/" + nomes[i] + ".ini"
                                          : QString("anterior.ini"));
        }
    }
};

QTEST_GUILESS_MAIN(TstExperimento)
#include "tst_experimento.moc"
