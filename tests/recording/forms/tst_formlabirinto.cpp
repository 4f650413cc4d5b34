// The session window driven like a user would: real key and mouse events
// on its widgets, on a virtual clock. Whole recordings are compared, byte
// for byte after the date line, with what the replay command writes for the
// same events at the same times.

#include "recording/AmbienteSessao.h"

#include "Controles.h"
#include "TInteracaoFalsa.h"

#include "core/TLabirinto.h"
#include "core/TUsuario.h"
#include "recording/ComandoReplay.h"
#include "recording/TRelogioVirtual.h"
#include "recording/TSessao.h"
#include "recording/TTravaIdentificacao.h"
#include "recording/forms/TFormLabirinto.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using Estado = TSessao::Estado;

struct Configuracao {
    int qdeInicios, tempo, x1, y1, x2, y2, comecoQueda;
};
Q_DECLARE_METATYPE(Configuracao)

struct Bancada {
    AmbienteSessao amb;
    TUsuario usuario{amb.dados};
    TLabirinto labirinto{amb.dados};
    TRelogioVirtual relogio;
    TInteracaoFalsa ia;
    TSessao sessao{usuario, labirinto, ia, relogio};
    QPointer<TFormLabirinto> janela;
    TDataHora t0 = 0;

    ~Bancada() { delete janela; }

    void abrir() {
        usuario.Carregar(QStringLiteral("ana"));
        usuario.Experimento.Carregar(usuario.Arquivo, QStringLiteral("exp"));
        janela = new TFormLabirinto(sessao, &ia);
        janela->setAttribute(Qt::WA_DeleteOnClose);
        janela->show();
        QVERIFY(QTest::qWaitForWindowActive(janela));
        QVERIFY(janela->Abrir());
    }
    template <class T> T *c(const char *nome) { return Controle<T>(janela, nome); }
    // Types the identification into the name field and presses Enter.
    void identificar(const QString &id) {
        QTest::keyClicks(c<QLineEdit>("LabeledEditNome"), id);
        QTest::keyClick(c<QLineEdit>("LabeledEditNome"), Qt::Key_Return);
        QCOMPARE(sessao.EstadoAtual(), Estado::Pronta);
        t0 = relogio.Agora();
    }
    // The widget with the focus, where the keys go.
    QWidget *alvo() {
        return QApplication::focusWidget() ? QApplication::focusWidget() : janela.data();
    }
    void repeticao(int tecla, const QString &texto) {
        QKeyEvent solta(QEvent::KeyRelease, tecla, Qt::NoModifier, texto, true);
        QApplication::sendEvent(alvo(), &solta);
        QKeyEvent desce(QEvent::KeyPress, tecla, Qt::NoModifier, texto, true);
        QApplication::sendEvent(alvo(), &desce);
    }
    // Plays a script of the replay command's events through the window;
    // besides them "rep X" (auto-repeat of letter X), "kp D" (digit D on
    // the numeric keypad) and "foco" (the window loses the keyboard).
    // ateOFim: then on to the session end, as the replay does.
    void tocar(const QString &roteiro, bool ateOFim = false) {
        QWidget *outra = nullptr;
        for (QString linha : roteiro.split('\n')) {
            linha = linha.trimmed();
            if (linha.isEmpty()) continue;
            const QStringList p = linha.split(' ');
            relogio.AvancarAte(t0 + p[0].toLongLong());
            if (sessao.SessoesEncerradas() > 0) break;
            const QString ev = p[1];
            const QString arg = p.value(2);
            auto letra = [](const QString &x) {
                return Qt::Key_A + (x.at(0).toUpper().unicode() - 'A');
            };
            if (ev.size() == 1 && ev.at(0).isDigit())
                QTest::keyClick(alvo(), Qt::Key(Qt::Key_0 + ev.toInt()));
            else if (ev == "kp")
                QTest::keyClick(alvo(), Qt::Key(Qt::Key_0 + arg.toInt()), Qt::KeypadModifier);
            else if (ev == "esc")
                QTest::keyClick(alvo(), Qt::Key_Escape);
            else if (ev == "f5")
                QTest::keyClick(alvo(), Qt::Key_F5);
            else if (ev == "down")
                QTest::keyPress(alvo(), Qt::Key(letra(arg)));
            else if (ev == "up")
                QTest::keyRelease(alvo(), Qt::Key(letra(arg)));
            else if (ev == "rep")
                repeticao(letra(arg), arg.toLower());
            else if (ev == "arrow")
                QTest::keyClick(alvo(), arg == "left"    ? Qt::Key_Left
                                        : arg == "right" ? Qt::Key_Right
                                        : arg == "up"    ? Qt::Key_Up
                                                         : Qt::Key_Down);
            else if (ev == "foco") {
                if (!outra) {
                    outra = new QLineEdit;
                    outra->setAttribute(Qt::WA_DeleteOnClose);
                }
                outra->show();
                outra->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(outra));
                outra->setFocus();
                QTRY_VERIFY(outra->hasFocus());
                outra->close();
                outra = nullptr;
                janela->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(janela));
            } else
                QFAIL(qPrintable("unknown event " + linha));
        }
        if (ateOFim && sessao.SessoesEncerradas() == 0 && relogio.Sessao().Ligado())
            relogio.AvancarAte(relogio.Sessao().Prazo());
    }
};

// Bytes of a file without its first line (the date and time of writing).
static QByteArray semPrimeiraLinha(const QString &caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) return "missing " + caminho.toUtf8();
    const QByteArray b = f.readAll();
    return b.mid(b.indexOf('\n') + 1);
}

class TstFormLabirinto : public QObject {
    Q_OBJECT

private slots:
    void gravacoes_data() {
        QTest::addColumn<Configuracao>("cfg");
        QTest::addColumn<QString>("janela");
        QTest::addColumn<QString>("replay"); // empty: the same script
        // CRUZ (5): arms on column F and row 6, centre F6.
        QTest::newRow("one start, moves and a held behaviour")
            << Configuracao{1, 120, 6, 6, 0, 0, 3}
            << "0 5\n1500 8\n2000 down a\n3100 8\n4000 kp 2\n5200 up a\n7000 kp 6\n"
               "61000 down b\n62000 4\n63000 up b\n"
            << "";
        QTest::newRow("two starts, phase change, behaviours across it")
            << Configuracao{2, 60, 6, 6, 6, 2, 3}
            << "0 5\n1000 down c\n2000 2\n3000 2\n4000 2\n5000 2\n6000 up c\n8000 6\n"
               "9000 down a\n9500 down b\n12000 up a\n13000 4\n14000 up b\n"
            << "";
        for (int comeco = 1; comeco <= 3; ++comeco)
            QTest::addRow("two starts, fall with restart %d", comeco)
                << Configuracao{2, 60, 6, 6, 6, 2, comeco}
                << "0 5\n1000 2\n2000 2\n3000 2\n4000 2\n5000 6\n6000 down a\n7000 esc\n"
                   "7500 up a\n9000 5\n10000 8\n11000 down d\n12000 esc\n20000 5\n21000 up d\n"
                   "22000 2\n"
                << "";
        QTest::newRow("fall held across, one start")
            << Configuracao{1, 90, 6, 6, 0, 0, 2}
            << "0 5\n1000 8\n2000 down a\n3000 down b\n4000 esc\n10000 5\n11000 up a\n"
               "12000 6\n13000 up b\n"
            << "";
        QTest::newRow("four behaviours, arrows and F5")
            << Configuracao{1, 60, 6, 6, 0, 0, 3}
            << "0 5\n1000 arrow up\n1500 f5\n2000 arrow up\n2500 arrow right\n3000 down a\n"
               "3100 down b\n3200 down c\n3300 down d\n4000 up b\n5000 arrow left\n6000 up a\n"
               "6100 up c\n6200 up d\n7000 f5\n8000 arrow down\n"
            << "";
        QTest::newRow("auto-repeat ignored")
            << Configuracao{1, 60, 6, 6, 0, 0, 3}
            << "0 5\n1000 down a\n1100 rep a\n1200 rep a\n1300 rep a\n2000 8\n2100 up a\n"
               "3000 down b\n3500 rep b\n3600 rep b\n4000 up b\n"
            << "0 5\n1000 down a\n2000 8\n2100 up a\n3000 down b\n4000 up b\n";
        QTest::newRow("focus lost while holding a letter")
            << Configuracao{1, 60, 6, 6, 0, 0, 3}
            << "0 5\n1000 down a\n1500 down c\n2000 8\n3000 foco\n3500 rep a\n4000 up a\n"
               "4500 up c\n5000 down a\n6000 up a\n"
            << "0 5\n1000 down a\n1500 down c\n2000 8\n3000 up a\n3000 up c\n5000 down a\n"
               "6000 up a\n";
    }
    void gravacoes() {
        QFETCH(Configuracao, cfg);
        QFETCH(QString, janela);
        QFETCH(QString, replay);
        // The keypad's digits are the same characters for the replay.
        if (replay.isEmpty()) replay = QString(janela).replace("kp ", "");

        Bancada b;
        b.amb.configurar(cfg.qdeInicios, cfg.tempo, cfg.x1, cfg.y1, cfg.x2, cfg.y2,
                         cfg.comecoQueda);
        b.abrir();
        // Keys go to whatever has the focus in the window: a button, here.
        b.identificar("rato1");
        Controle<QPushButton>(b.janela, "SpeedButtonComportamentos")->setFocus();
        b.tocar(janela, true);
        QCOMPARE(b.sessao.SessoesEncerradas(), 1);
        QVERIFY(b.sessao.UltimaGravacao().Ok());

        AmbienteSessao outro;
        outro.configurar(cfg.qdeInicios, cfg.tempo, cfg.x1, cfg.y1, cfg.x2, cfg.y2,
                         cfg.comecoQueda);
        QTemporaryDir tmp;
        const QString roteiro = tmp.path() + "/roteiro.txt";
        QFile f(roteiro);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(replay.toUtf8());
        f.close();
        QString saida, erro;
        QTextStream out(&saida), err(&erro);
        QCOMPARE(ComandoReplay({"--data", outro.dados, "--user", "ana", "--experiment", "exp",
                                "--id", "rato1", roteiro},
                               out, err),
                 0);
        QVERIFY2(erro.isEmpty(), qPrintable(erro));
        const QStringList nomes = cfg.qdeInicios == 2 ? QStringList{"rato1_T1.tvl", "rato1_T2.tvl"}
                                                      : QStringList{"rato1.tvl"};
        for (const QString &n : nomes) {
            const QByteArray nossa = semPrimeiraLinha(b.amb.pasta() + n);
            QVERIFY2(AmbienteSessao::linhasRegistro(b.amb.pasta() + n).size() > 1, qPrintable(n));
            QCOMPARE(nossa, semPrimeiraLinha(outro.pasta() + n));
        }
    }

    // An animal another session is recording is refused at Enter with the
    // message, its field emptied; once that session lets go, it is taken.
    void emGravacaoNoutraSessao() {
        Bancada b;
        b.abrir();
        TTravaIdentificacao outra;
        QCOMPARE(outra.Travar(b.amb.pasta(), "rato1"), TTravaIdentificacao::Travada);
        auto *nome = b.c<QLineEdit>("LabeledEditNome");
        QTest::keyClicks(nome, "rato1");
        QTest::keyClick(nome, Qt::Key_Return);
        QCOMPARE(b.ia.mensagens.size(), 1);
        QVERIFY2(b.ia.mensagens[0].contains("ConfirmarClickMessage3"), qPrintable(b.ia.mensagens[0]));
        QCOMPARE(nome->text(), QString());
        QVERIFY(nome->isVisible());
        QCOMPARE(b.sessao.EstadoAtual(), Estado::AguardandoIdentificacao);
        outra.Liberar();
        b.identificar("rato1");
        QCOMPARE(b.ia.mensagens.size(), 1);
    }

    // Blank and minus are dropped as typed; pasted text is filtered too.
    void filtroIdentificacao() {
        Bancada b;
        b.abrir();
        auto *nome = b.c<QLineEdit>("LabeledEditNome");
        QTest::keyClicks(nome, "rato 1-a");
        QCOMPARE(nome->text(), QStringLiteral("rato1a"));
        nome->clear();
        QApplication::clipboard()->setText("ab c/d.e");
        QTest::keyClick(nome, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(nome->text(), QStringLiteral("abcde"));
        nome->clear();
        QTest::keyClicks(nome, QString(120, 'x'));
        QCOMPARE(nome->text().size(), 100);
        // Digits typed here were the field's, not moves or a start.
        QCOMPARE(b.sessao.EstadoAtual(), Estado::AguardandoIdentificacao);
    }

    // No start squares yet: the choice panel over the identification panel;
    // a click on a drawn square chooses it at any window size.
    void escolhaInicio_data() {
        QTest::addColumn<QSize>("tamanho");
        QTest::newRow("opening size") << QSize();
        QTest::newRow("1024 x 768") << QSize(1024, 768);
        QTest::newRow("smallest") << QSize(600, 450);
    }
    void escolhaInicio() {
        QFETCH(QSize, tamanho);
        Bancada b;
        b.amb.configurar(2, 60, 0, 0, 0, 0, 0);
        b.abrir();
        if (tamanho.isValid()) b.janela->resize(tamanho);
        QCOMPARE(b.sessao.EstadoAtual(), Estado::EscolhaInicio);
        QVERIFY(b.c<QGroupBox>("GroupBoxInicio")->isVisible());
        QVERIFY(b.c<QPushButton>("SpeedButton2")->isChecked());
        QVERIFY(b.c<QRadioButton>("RadioButton1")->isEnabled());
        QWidget *imagem = b.c<QWidget>("Image");
        // CRUZ (5): s = 32, x0 = y0 = 17. A point near the corner of F2,
        // then of F6, in the control's own scale.
        auto ponto = [&](double x, double y) {
            const double k = imagem->width() / 385.0;
            return QPoint(int(x * k + 0.5), int(y * k + 0.5));
        };
        QTest::mouseClick(imagem, Qt::LeftButton, {}, ponto(17 + 5 * 32 + 3, 17 + 1 * 32 + 3));
        QCOMPARE(b.usuario.Experimento.InicioX2, 6);
        QCOMPARE(b.usuario.Experimento.InicioY2, 2);
        QTest::mouseClick(b.c<QPushButton>("SpeedButton1"), Qt::LeftButton);
        QTest::mouseClick(imagem, Qt::LeftButton, {}, ponto(17 + 6 * 32 - 3, 17 + 6 * 32 - 3));
        QCOMPARE(b.usuario.Experimento.InicioX1, 6);
        QCOMPARE(b.usuario.Experimento.InicioY1, 6);
        // Beside the squares: nothing.
        QTest::mouseClick(imagem, Qt::LeftButton, {}, ponto(5, 5));
        QCOMPARE(b.usuario.Experimento.InicioX1, 6);
        auto *radio = b.c<QRadioButton>("RadioButton2");
        QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
        QVERIFY(radio->isChecked());
        QTest::mouseClick(b.c<QPushButton>("BitBtnOK"), Qt::LeftButton);
        QCOMPARE(b.ia.mensagens.value(0), QStringLiteral("TFormLabirintoBitBtnOKClickMessage1"));
        QTRY_VERIFY(b.janela.isNull());
        TExperimento e;
        e.Carregar(b.usuario.Arquivo, "exp");
        QCOMPARE(QList<int>({e.InicioX1, e.InicioY1, e.InicioX2, e.InicioY2, e.ComecoQueda}),
                 QList<int>({6, 6, 6, 2, 2}));
    }

    void redimensionar() {
        Bancada b;
        b.abrir();
        // The rule is about the outer size, frame included.
        const QSize moldura = b.janela->frameGeometry().size() - b.janela->size();
        b.janela->resize(QSize(1024, 768) - moldura);
        QCOMPARE(b.c<QWidget>("Image")->size(), QSize(700, 700));
        b.janela->resize(500, 400);
        QTRY_COMPARE(b.janela->frameGeometry().size(), QSize(600, 450));
        QCOMPARE(b.c<QWidget>("Image")->size(), QSize(382, 382));
    }

    // Three labels for four behaviours: the fourth is recorded, not shown;
    // a freed label takes the next behaviour to go on.
    void quartoComportamento() {
        Bancada b;
        b.abrir();
        b.identificar("rato1");
        b.tocar("0 5\n1000 down a\n1000 down b\n1000 down c\n1000 down d\n");
        auto texto = [&](int i) {
            return Controle<QLabel>(b.janela, qPrintable(QStringLiteral("LabelComp%1").arg(i)))
                ->text();
        };
        QCOMPARE(QStringList({texto(1), texto(2), texto(3)}),
                 QStringList({"Limpeza", "Levantar", "Farejar"}));
        b.tocar("2000 up b\n");
        QCOMPARE(texto(2), QString());
        b.tocar("2000 up d\n2500 down d\n");
        QCOMPARE(texto(2), QStringLiteral("Coçar"));
    }

    // A move repaints the two squares it changes, not the maze.
    void movimentoRepintaSoDoisQuadrados() {
        Bancada b;
        b.abrir();
        b.janela->resize(1024, 768);
        b.identificar("rato1");
        b.tocar("0 5\n");
        QWidget *imagem = b.c<QWidget>("Image");
        QTRY_VERIFY(imagem->isVisible());
        QApplication::processEvents();
        struct Espiao : QObject {
            QRegion regiao;
            bool eventFilter(QObject *, QEvent *e) override {
                if (e->type() == QEvent::Paint) regiao += static_cast<QPaintEvent *>(e)->region();
                return false;
            }
        } espiao;
        imagem->installEventFilter(&espiao);
        b.tocar("1000 8\n");
        QTRY_VERIFY(!espiao.regiao.isEmpty());
        imagem->removeEventFilter(&espiao);
        const QRect area = espiao.regiao.boundingRect();
        const double k = imagem->width() / 385.0;
        // F6 and F5: 32 drawing pixels each, one above the other.
        QVERIFY2(area.width() < (32 + 12) * k, qPrintable(QString::number(area.width())));
        QVERIFY2(area.height() < (64 + 12) * k, qPrintable(QString::number(area.height())));
        QVERIFY(area.height() > 60 * k);
    }

    // Closing while recording asks: "No" keeps window and recording,
    // "Yes" drops it and writes nothing.
    void fecharDuranteGravacao() {
        Bancada b;
        b.abrir();
        b.identificar("rato1");
        b.tocar("0 5\n1000 8\n");
        b.ia.respostas = {false};
        QVERIFY(!b.janela->close());
        QCOMPARE(b.ia.perguntas.size(), 1);
        QCOMPARE(b.sessao.EstadoAtual(), Estado::Gravando);
        b.tocar("2000 esc\n");
        b.ia.respostas = {true};
        QVERIFY(b.janela->close());
        QCOMPARE(b.ia.perguntas.size(), 2);
        QCOMPARE(b.sessao.EstadoAtual(), Estado::Fechada);
        QVERIFY(!b.relogio.Sessao().Ligado());
        QVERIFY(QDir(b.amb.pasta()).entryList(QDir::Files).isEmpty());
    }

    // Waiting for an identification: nothing to lose, no question.
    void fecharSemGravacao() {
        Bancada b;
        b.abrir();
        QSignalSpy fechada(b.janela.data(), &TFormLabirinto::Fechada);
        QVERIFY(b.janela->close());
        QVERIFY(b.ia.perguntas.isEmpty());
        QCOMPARE(fechada.size(), 1);
        QVERIFY(!b.usuario.Experimento.JanelaAberta[TExperimento::JanelaSessao]);
    }

    // After the session end the window is ready for the next animal.
    void rearmar() {
        Bancada b;
        b.amb.configurar(1, 10, 6, 6, 0, 0, 3);
        b.abrir();
        b.identificar("rato1");
        b.tocar("0 5\n1000 down a\n");
        QCOMPARE(b.c<QProgressBar>("Gauge")->value(), 10);
        QVERIFY(!b.c<QGroupBox>("GroupBoxInf")->isVisible());
        b.tocar("10000 8\n");
        QCOMPARE(b.sessao.SessoesEncerradas(), 1);
        QVERIFY(b.c<QGroupBox>("GroupBoxInf")->isVisible());
        QVERIFY(b.c<QLineEdit>("LabeledEditNome")->isVisible());
        QVERIFY(b.c<QLineEdit>("LabeledEditNome")->text().isEmpty());
        QCOMPARE(b.c<QLabel>("LabelUltimoNome")->text(), QStringLiteral("rato1"));
        QCOMPARE(b.c<QLabel>("LabelComp1")->text(), QString());
        QCOMPARE(b.c<QProgressBar>("Gauge")->value(), 0);
        QCOMPARE(b.ia.mensagens.last(), QStringLiteral("TFormLabirintoTimerTimerMessage1"));
        // The A held through the end is released later: no row, no label.
        QTest::keyRelease(b.alvo(), Qt::Key_A);
        b.identificar("rato2");
        QCOMPARE(b.c<QLabel>("LabelComp1")->text(), QString());
    }
};

QTEST_MAIN(TstFormLabirinto)
#include "tst_formlabirinto.moc"
