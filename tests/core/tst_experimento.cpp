#include "core/TArquivoIni.h"
#include "core/TExperimento.h"
#include "core/TUsuario.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
        QCOMPARE(e.Configurado, false);
        QCOMPARE(e.QdeInicios, 1);
        QCOMPARE(e.InicioX1, 0);
        QCOMPARE(e.InicioY1, 0);
        QCOMPARE(e.InicioX2, 0);
        QCOMPARE(e.InicioY2, 0);
        QCOMPARE(e.TempoSecao, 300);
        QCOMPARE(e.Labirinto, QString());
        QCOMPARE(e.DivisoesDaSecao, 10);
        QCOMPARE(e.Distancia, 10);
        QCOMPARE(e.ComecoQueda, 0);
        for (const QString &c : e.Comp)
            QVERIFY(c.isEmpty());
        QCOMPARE(e.Status.Qde, 0);
    }

private slots:
    void criacao() {
        TExperimento e;
        for (int i = 0; i < TExperimento::QdeJanelas; ++i)
            QVERIFY(!e.JanelaAberta[i]);
        QCOMPARE(int(TExperimento::QdeJanelas), 7);
        QCOMPARE(int(TExperimento::JanelaNovoLabirinto), 6);
        verificarPadroes(e);
    }

    void padroes() {
        TExperimento e;
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
                           "ComecoQueda=2\r\n"
                           "Braco=0\r\n[Comp3]\r\n2=FARE\r\n");
        TExperimento e;
        e.Carregar(perfil(), "EXP"); // section names ignore letter case
        QVERIFY(e.Configurado);
        QCOMPARE(e.Labirinto, QString("CRUZ (5)"));
        QCOMPARE(e.Comp[0], QString("Comp3"));
        QCOMPARE(e.QdeInicios, 2);
        QCOMPARE(e.TempoSecao, 600);
        QCOMPARE(e.DivisoesDaSecao, 4);
        QCOMPARE(e.Distancia, 50);
        QCOMPARE(e.InicioX1, 3);
        QCOMPARE(e.InicioY1, 4);
        QCOMPARE(e.InicioX2, 5);
        QCOMPARE(e.InicioY2, 6);
        QCOMPARE(e.ComecoQueda, 2);
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
        QCOMPARE(e.Status.Qde, 3);
        QCOMPARE(e.Status.Nome, (QStringList{"ALFA", "GAMA", "ZETA"}));
        QCOMPARE(e.Status.Tecla, (QList<quint16>{'A', 'C', 'Z'}));
        QCOMPARE(e.Status.Ativo, (QList<bool>{false, false, false}));
        QCOMPARE(e.Status.Primeiro, (QList<int>{1, 1, 1}));
        QCOMPARE(e.Status.InicioComportamento, (QList<TDataHora>{0, 0, 0}));
        QCOMPARE(e.Comp[1], QString("ALFA"));
        QCOMPARE(e.Comp[2], QString());
        QCOMPARE(e.Comp[3], QString("GAMA"));
        QCOMPARE(e.Comp[26], QString("ZETA"));
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
        QCOMPARE(e.Nome, QString("SEM"));
        QCOMPARE(e.Status.Qde, 0);
        QVERIFY(e.Status.Nome.isEmpty());
        for (const QString &c : e.Comp)
            QVERIFY(c.isEmpty());
    }

    void usuarioCaminhos() {
        TUsuario u(dados());
        QCOMPARE(u.DiretorioDados(), dados());
        QVERIFY(u.Nome.isEmpty() && u.Arquivo.isEmpty() && u.Pasta.isEmpty());
        QVERIFY(u.ArquivoIdioma.isEmpty() && u.ArquivoLabirintos.isEmpty());
        u.Carregar(QString::fromUtf8("João Silva"));
        QCOMPARE(u.Nome, QString::fromUtf8("João Silva"));
        QCOMPARE(u.Arquivo, dados() + QString::fromUtf8("usuarios/João Silva.ini"));
        QCOMPARE(u.Pasta, dados() + QString::fromUtf8("usuarios/João Silva/"));
        QCOMPARE(u.ArquivoLabirintos, dados() + "Labirintos.ini");
        QCOMPARE(TUsuario::ArquivoDoUsuario(dados(), "x"), dados() + "usuarios/x.ini");
        QCOMPARE(TUsuario::PastaDoUsuario(dados(), "x"), dados() + "usuarios/x/");
    }

    void usuarioIdioma_data() {
        QTest::addColumn<QByteArray>("escolha");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("0") << QByteArray("[idioma]\r\nlingua=0\r\n") << "idiomas/portugues.ini";
        QTest::newRow("1") << QByteArray("[idioma]\r\nlingua=1\r\n") << "idiomas/ingles.ini";
        QTest::newRow("2") << QByteArray("[idioma]\r\nlingua=2\r\n") << "idiomas/frances.ini";
        QTest::newRow("3") << QByteArray("[IDIOMA]\r\nLingua=3\r\n") << "idiomas/alemao.ini";
        QTest::newRow("4") << QByteArray("[idioma]\r\nlingua=4\r\n") << "idiomas/italiano.ini";
        QTest::newRow("5") << QByteArray("[idioma]\r\nlingua=5\r\n") << "idiomas/espanhol.ini";
        QTest::newRow("6") << QByteArray("[idioma]\r\nlingua=6\r\n") << "";
        QTest::newRow("-1") << QByteArray("[idioma]\r\nlingua=-1\r\n") << "";
        QTest::newRow("text") << QByteArray("[idioma]\r\nlingua=xx\r\n") << "";
        QTest::newRow("no key") << QByteArray("[idioma]\r\nconfigurado=1\r\n") << "";
        QTest::newRow("no file") << QByteArray() << "";
    }
    void usuarioIdioma() {
        QFETCH(QByteArray, escolha);
        QFETCH(QString, esperado);
        const QString arquivo = dados() + "idiomas/idioma.ini";
        QFile::remove(arquivo);
        if (!escolha.isEmpty())
            escrever(arquivo, escolha);
        TUsuario u(dados());
        u.ArquivoIdioma = "anterior.ini";
        u.Carregar("ana");
        QCOMPARE(u.ArquivoIdioma,
                 esperado.isEmpty() ? QString("anterior.ini") : dados() + esperado);
    }
};

QTEST_GUILESS_MAIN(TstExperimento)
#include "tst_experimento.moc"
