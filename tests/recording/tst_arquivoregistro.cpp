#include "core/Arquivos.h"
#include "core/Cp1252.h"
#include "core/TGravacao.h"
#include "recording/TArquivoRegistro.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using Linhas = QList<QByteArray>;

static Linhas linhas(const char *texto) {
    return Arquivos::dividirLinhas(QByteArray(texto));
}

class TstArquivoRegistro : public QObject {
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_pasta;

    TCabecalhoRegistro cabecalho(const QString &id) {
        return {
            QStringLiteral("ana"), QStringLiteral("exp"), id, QStringLiteral("CRUZ (5)"), 300, 25};
    }
    void gravarBrutos(const QString &id, const QByteArray &e, const QByteArray &c) {
        QVERIFY(Arquivos::gravarAtomico(m_pasta + id + "1.txt", e));
        QVERIFY(Arquivos::gravarAtomico(m_pasta + id + "2.txt", c));
    }
    QByteArray ler(const QString &caminho) {
        QByteArray b;
        Arquivos::lerTudo(caminho, &b);
        return b;
    }

private slots:
    void init() {
        m_pasta = m_tmp.path() + "/" + QTest::currentTestFunction() + "/";
        QDir().mkpath(m_pasta);
    }

    void separar_data() {
        QTest::addColumn<bool>("dois");
        QTest::addColumn<QByteArray>("entradas");
        QTest::addColumn<QByteArray>("comportamentos");
        QTest::addColumn<QByteArray>("t1");
        QTest::addColumn<QByteArray>("t2");
        QTest::newRow("one start: everything, entries first")
            << false << QByteArray("F6\tENTRADA\t0\n") << QByteArray("F6\tA\t5\n")
            << QByteArray("F6\tENTRADA\t0|F6\tA\t5|") << QByteArray();
        QTest::newRow("two starts")
            << true
            << QByteArray("F2\tENTRADA\t0\nF3\tENTRADA\t50\nF4\tENTRADA\t0\nF5\tENTRADA\t9\n")
            << QByteArray("F2\tA\t1\n\tT2\t0\nF4\tA\t2\n")
            << QByteArray("F2\tENTRADA\t0|F3\tENTRADA\t50|F2\tA\t1|")
            << QByteArray("F4\tENTRADA\t0|F5\tENTRADA\t9|F4\tA\t2|");
        // A resume right after a phase change made during a fall: a third
        // row at 0 does not flip back to the free phase.
        QTest::newRow("a later row at 0 stays in the fixed phase")
            << true
            << QByteArray("F2\tENTRADA\t0\nF4\tENTRADA\t0\nF4\tENTRADA\t0\nF5\tENTRADA\t7\n")
            << QByteArray() << QByteArray("F2\tENTRADA\t0|")
            << QByteArray("F4\tENTRADA\t0|F4\tENTRADA\t0|F5\tENTRADA\t7|");
        // Only the marker row (no square) switches; a behaviour named T2 is data.
        QTest::newRow("behaviour named T2")
            << true << QByteArray() << QByteArray("F2\tT2\t1\n\tT2\t0\nF4\tT2\t3\n")
            << QByteArray("F2\tT2\t1|") << QByteArray("F4\tT2\t3|");
    }
    void separar() {
        QFETCH(bool, dois);
        QFETCH(QByteArray, entradas);
        QFETCH(QByteArray, comportamentos);
        QFETCH(QByteArray, t1);
        QFETCH(QByteArray, t2);
        const auto r = TArquivoRegistro::Separar(dois, linhas(entradas), linhas(comportamentos));
        QCOMPARE(r.size(), dois ? 2 : 1);
        QByteArray obtido[2];
        for (int i = 0; i < r.size(); ++i)
            for (const QByteArray &l : r[i])
                obtido[i] += l + "|";
        QCOMPARE(obtido[0], t1);
        QCOMPARE(obtido[1], t2);
    }

    void cabecalho() {
        const QDateTime momento(QDate(2026, 12, 8), QTime(14, 5, 33));
        TCabecalhoRegistro c = cabecalho(QStringLiteral("rato1"));
        c.experimento = QStringLiteral("Ansiedade é");
        QCOMPARE(TArquivoRegistro::Cabecalho(c, momento),
                 QByteArray("Trevalin 2005  |  08/12/2026  |  14:05:33\r\n\r\nUsuario:\tana\r\n"
                            "Experimento:\tAnsiedade \xe9\r\nIndiv\xed"
                            "duo:\trato1\r\n"
                            "Labirinto:\tCRUZ (5)\r\nTempo de Sess\xe3o:\t300 segundos\r\n"
                            "Dist\xe2ncia:\t25 cm\r\n\r\nPosi\xe7\xe3o\tComportamento\tIn\xed"
                            "cio\t"
                            "Fim\tDura\xe7\xe3o\tMinuto\tFrequ\xeancia\r\n"));
    }

    // One target exists: nothing is written or replaced, the raw files stay.
    void nuncaSubstitui() {
        gravarBrutos("r", "F6\tENTRADA\t0\t1\t1\t1\t1\r\n", "");
        QVERIFY(Arquivos::gravarAtomico(m_pasta + "r_T2.tvl", "old"));
        const TResultadoGravacao r =
            TArquivoRegistro::GravarArquivos(m_pasta, cabecalho("r"), true);
        QVERIFY(!r.Ok());
        QCOMPARE(r.faltando.size(), 2);
        QVERIFY(!QFile::exists(m_pasta + "r_T1.tvl"));
        QCOMPARE(ler(m_pasta + "r_T2.tvl"), QByteArray("old"));
        QVERIFY(QFile::exists(m_pasta + "r1.txt"));
        QVERIFY(!TGravacao::Gravar(m_pasta + "r_T2.tvl", "new", TGravacao::CriarSomente, true));
        QCOMPARE(ler(m_pasta + "r_T2.tvl"), QByteArray("old"));
    }

    // Unique names; a folder that cannot be written passes to the next one.
    void recuperacao() {
        const QString sumida = m_pasta + "gone/";
        QString erro;
        const QStringList destinos{m_pasta + "r_T1.tvl", m_pasta + "r_T2.tvl"};
        const QStringList a =
            TArquivoRegistro::GravarRecuperacao({sumida, m_pasta}, destinos, {"um", "dois"}, &erro);
        QVERIFY(erro.isEmpty());
        QCOMPARE(a.size(), 2);
        QVERIFY(a[0].startsWith(m_pasta + "r_T1-recuperacao-"));
        QVERIFY(a[1].startsWith(m_pasta + "r_T2-recuperacao-"));
        QCOMPARE(ler(a[1]), QByteArray("dois"));
        QVERIFY(Arquivos::somenteLeitura(a[0]));
        const QStringList b =
            TArquivoRegistro::GravarRecuperacao({m_pasta}, destinos.mid(0, 1), {"tres"}, &erro);
        QCOMPARE(b.size(), 1);
        QVERIFY(b[0] != a[0]);
        QCOMPARE(ler(a[0]), QByteArray("um"));
        QVERIFY(
            TArquivoRegistro::GravarRecuperacao({sumida}, destinos, {"x", "y"}, &erro).isEmpty());
        QVERIFY(!erro.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstArquivoRegistro)
#include "tst_arquivoregistro.moc"
