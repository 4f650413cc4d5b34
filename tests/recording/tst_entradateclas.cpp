#include "AmbienteSessao.h"
#include "TInteracaoFalsa.h"

#include "core/TLabirinto.h"
#include "core/TUsuario.h"
#include "recording/TEntradaTeclas.h"
#include "recording/TRelogioVirtual.h"
#include "recording/TSessao.h"

#include <QTest>

using Estado = TSessao::Estado;

struct Bancada {
    AmbienteSessao amb;
    TUsuario usuario{amb.dados};
    TLabirinto labirinto{amb.dados};
    TRelogioVirtual relogio;
    TInteracaoFalsa ia;
    TSessao sessao{usuario, labirinto, ia, relogio};
    TEntradaTeclas teclas{sessao};
    TDataHora t0 = relogio.Agora();

    Bancada() {
        usuario.Carregar(QStringLiteral("ana"));
        usuario.Experimento.Carregar(usuario.Arquivo, QStringLiteral("exp"));
        sessao.Abrir();
    }
    void em(qint64 ms) { relogio.AvancarAte(t0 + ms); }
    void clique(int tecla, const QString &texto = QString()) {
        teclas.Pressionada(tecla, texto, false);
        teclas.Liberada(tecla, false);
    }
    // Behaviour rows so far, "square name start end frequency".
    QStringList comportamentos() const {
        const TRegistro &r = sessao.Gravacao().RegistroComportamentos;
        QStringList l;
        for (int i = 0; i < r.Qde; ++i)
            l << QStringLiteral("%1 %2 %3 %4 %5")
                     .arg(r.Posicao[i], r.Comportamento[i])
                     .arg(r.Inicio[i])
                     .arg(r.Fim[i])
                     .arg(r.Frequencia[i]);
        return l;
    }
};

class TstEntradaTeclas : public QObject {
    Q_OBJECT

private slots:
    // Before the identification is confirmed the keys are the name field's;
    // F5 is always the window's.
    void quemTomaAsTeclas() {
        Bancada b;
        QCOMPARE(b.sessao.EstadoAtual(), Estado::AguardandoIdentificacao);
        QVERIFY(!b.teclas.Toma(Qt::Key_5));
        QVERIFY(!b.teclas.Pressionada(Qt::Key_5, "5", false));
        QVERIFY(!b.teclas.Pressionada(Qt::Key_A, "a", false));
        QVERIFY(!b.teclas.Pressionada(Qt::Key_Return, "\r", false));
        QVERIFY(b.teclas.Pressionada(Qt::Key_F5, QString(), false));
        QVERIFY(b.sessao.TeclasEdicao());
        QVERIFY(b.sessao.ConfirmarIdentificacao("rato1"));
        for (int tecla : {int(Qt::Key_5), int(Qt::Key_A), int(Qt::Key_Return), int(Qt::Key_Space),
                          int(Qt::Key_Tab)})
            QVERIFY(b.teclas.Toma(tecla));
    }

    // Digits by their character: the keypad's and the main row's alike.
    void digitosEEsc() {
        Bancada b;
        QVERIFY(b.sessao.ConfirmarIdentificacao("rato1"));
        b.clique(Qt::Key_5, "5");
        QCOMPARE(b.sessao.EstadoAtual(), Estado::Gravando);
        b.em(1000);
        b.clique(Qt::Key_8, "8"); // F5 -> F4
        QCOMPARE(b.sessao.Gravacao().QuadradoAtual(), QStringLiteral("F5"));
        b.em(2000);
        b.clique(Qt::Key_2, "2"); // keypad
        QCOMPARE(b.sessao.Gravacao().QuadradoAtual(), QStringLiteral("F6"));
        b.clique(Qt::Key_Escape); // no character
        QCOMPARE(b.sessao.EstadoAtual(), Estado::Pausada);
    }

    // Held keys repeat: no extra move, no new bout, no early end.
    void repeticaoIgnorada() {
        Bancada b;
        QVERIFY(b.sessao.ConfirmarIdentificacao("rato1"));
        b.clique(Qt::Key_5, "5");
        b.em(1000);
        QVERIFY(b.teclas.Pressionada(Qt::Key_A, "a", false));
        for (int i = 0; i < 5; ++i) {
            b.em(1100 + i * 30);
            QVERIFY(b.teclas.Liberada(Qt::Key_A, true));
            QVERIFY(b.teclas.Pressionada(Qt::Key_A, "a", true));
        }
        b.em(1500);
        QVERIFY(b.teclas.Pressionada(Qt::Key_8, "8", false));
        for (int i = 0; i < 5; ++i)
            QVERIFY(b.teclas.Pressionada(Qt::Key_8, "8", true));
        QCOMPARE(b.sessao.Gravacao().QuadradoAtual(), QStringLiteral("F5"));
        b.em(3000);
        QVERIFY(b.teclas.Liberada(Qt::Key_A, false));
        QCOMPARE(b.comportamentos(),
                 QStringList({"F6 Limpeza 1000 1500 1", "F5 Limpeza 1500 3000 0"}));
    }

    // Focus lost with two letters held: both bouts end then, in letter
    // order; their late key-ups and repeats change nothing.
    void focoPerdido() {
        Bancada b;
        QVERIFY(b.sessao.ConfirmarIdentificacao("rato1"));
        b.clique(Qt::Key_5, "5");
        b.em(1000);
        b.teclas.Pressionada(Qt::Key_B, "b", false);
        b.em(1200);
        b.teclas.Pressionada(Qt::Key_A, "a", false);
        b.em(2000);
        b.teclas.FocoPerdido();
        QVERIFY(b.teclas.Seguradas().isEmpty());
        QCOMPARE(b.sessao.Rotulo(0), QString());
        QCOMPARE(b.sessao.Rotulo(1), QString());
        b.em(2500);
        b.teclas.Pressionada(Qt::Key_A, "a", true);
        b.em(5000);
        b.teclas.Liberada(Qt::Key_A, false);
        b.teclas.Liberada(Qt::Key_B, false);
        QCOMPARE(b.comportamentos(),
                 QStringList({"F6 Limpeza 1200 2000 1", "F6 Levantar 1000 2000 1"}));
        // A new press starts a new bout.
        b.teclas.Pressionada(Qt::Key_A, "a", false);
        QCOMPARE(b.sessao.Rotulo(0), QStringLiteral("Limpeza"));
    }
};

QTEST_MAIN(TstEntradaTeclas)
#include "tst_entradateclas.moc"
