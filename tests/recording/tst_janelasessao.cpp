#include "recording/JanelaSessao.h"

#include <QTest>

class TstJanelaSessao : public QObject {
    Q_OBJECT

private slots:
    void ladoImagem_data() {
        QTest::addColumn<int>("largura");
        QTest::addColumn<int>("altura");
        QTest::addColumn<int>("lado");
        QTest::newRow("1024 x 768") << 1024 << 768 << 700;
        QTest::newRow("smallest") << 600 << 450 << 382;
        QTest::newRow("too narrow") << 599 << 700 << 0;
        QTest::newRow("too low") << 800 << 449 << 0;
        QTest::newRow("full HD, a = 2") << 1920 << 1080 << 944;
        QTest::newRow("square: by the width") << 900 << 900 << 764;
        QTest::newRow("higher: 675 / 450 = 1.5 rounds to 2") << 675 << 700 << 539;
        QTest::newRow("higher: 1125 / 450 = 2.5 rounds to 2") << 1125 << 1200 << 989;
        QTest::newRow("wider: (875 - 200) / 450 = 1.5 rounds to 2") << 1200 << 875 << 739;
    }
    void ladoImagem() {
        QFETCH(int, largura);
        QFETCH(int, altura);
        QFETCH(int, lado);
        QCOMPARE(JanelaSessao::LadoImagem(largura, altura), lado);
    }

    // The repainted area holds the whole square and its outline at any
    // scale, and not much more.
    void areaNoControle_data() {
        QTest::addColumn<double>("lado");
        QTest::newRow("design size") << 385.0;
        QTest::newRow("smaller") << 200.0;
        QTest::newRow("700") << 700.0;
        QTest::newRow("odd scale") << 577.0;
    }
    void areaNoControle() {
        QFETCH(double, lado);
        const TRetangulo r{17 + 5 * 32, 17 + 5 * 32, 17 + 6 * 32, 17 + 6 * 32};
        const QRect a = JanelaSessao::AreaNoControle(r, 4, lado, lado);
        const double k = lado / 385;
        const QRectF figura((r.esquerda - 2) * k, (r.topo - 2) * k, (r.largura() + 4) * k,
                            (r.altura() + 4) * k);
        QVERIFY2(QRectF(a).contains(figura), qPrintable(QString::number(a.width())));
        QVERIFY(a.width() <= figura.width() + 2 * (2 * k + 3) + 1);
    }
};

QTEST_MAIN(TstJanelaSessao)
#include "tst_janelasessao.moc"
