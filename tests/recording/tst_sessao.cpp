#include "AmbienteSessao.h"
#include "TInteracaoFalsa.h"

#include "core/TLabirinto.h"
#include "core/TUsuario.h"
#include "recording/Identificacao.h"
#include "recording/TRelogioQt.h"
#include "recording/TRelogioVirtual.h"
#include "recording/TSessao.h"

#include <QSignalSpy>
#include <QTest>

using Estado = TSessao::Estado;

// What the window would show: the last progress value and status panels.
struct Janela {
    int andamento = -1;
    QString paineis[2];

    explicit Janela(TSessao &s) {
        QObject::connect(&s, &TSessao::AndamentoAlterado, [this](int v) { andamento = v; });
        QObject::connect(&s, &TSessao::PainelStatusAlterado,
                         [this](int p, const QString &t) { paineis[p] = t; });
    }
};

// Every signal of the engine but the picture's, in order, as
// "Name(arguments)" (short names).
struct Sinais {
    QStringList log;

    static QString texto(int v) { return QString::number(v); }
    static QString texto(bool v) { return QString::number(int(v)); }
    static QString texto(const QString &v) { return v; }
    template <typename... A>
    void ligar(TSessao &s, void (TSessao::*sinal)(A...), const QString &nome) {
        QObject::connect(&s, sinal, [this, nome](A... a) {
            const QStringList p{texto(a)...};
            log << (p.isEmpty() ? nome : nome + '(' + p.join(',') + ')');
        });
    }
    explicit Sinais(TSessao &s) {
        ligar(s, &TSessao::EscolhaInicioVisivel, "EscolhaInicio");
        ligar(s, &TSessao::PainelIdentificacaoVisivel, "PainelIdentificacao");
        ligar(s, &TSessao::CampoIdentificacaoVisivel, "CampoIdentificacao");
        ligar(s, &TSessao::CampoIdentificacaoEsvaziado, "CampoIdentificacaoEsvaziado");
        ligar(s, &TSessao::IdentificacaoConfirmada, "Identificacao");
        ligar(s, &TSessao::AvisoInicioVisivel, "AvisoInicio");
        ligar(s, &TSessao::AvisoReinicioVisivel, "AvisoReinicio");
        ligar(s, &TSessao::UltimaIdentificacaoAlterada, "UltimaIdentificacao");
        ligar(s, &TSessao::UltimaIdentificacaoVisivel, "MostrarUltima");
        ligar(s, &TSessao::RotuloAlterado, "Rotulo");
        ligar(s, &TSessao::PainelStatusAlterado, "Painel");
        ligar(s, &TSessao::TeclasEdicaoAlteradas, "TeclasEdicao");
        ligar(s, &TSessao::JanelasExperimentoHabilitadas, "JanelasExperimento");
        ligar(s, &TSessao::MenuTecladoHabilitado, "MenuTeclado");
        ligar(s, &TSessao::MenuExcluirExperimentoHabilitado, "MenuExcluir");
        ligar(s, &TSessao::FechamentoSolicitado, "Fechamento");
        ligar(s, &TSessao::AndamentoAlterado, "Andamento");
    }
};

// One session window on virtual time; t0 is the instant "0" of the tests.
struct Bancada {
    AmbienteSessao amb;
    TUsuario usuario{amb.dados};
    TLabirinto labirinto{amb.dados};
    TRelogioVirtual relogio;
    TInteracaoFalsa ia;
    TSessao sessao{usuario, labirinto, ia, relogio};
    Janela janela{sessao};
    QSignalSpy fechamentos{&sessao, &TSessao::FechamentoSolicitado};
    QSignalSpy esvaziamentos{&sessao, &TSessao::CampoIdentificacaoEsvaziado};
    const TEstadoGravacao &gravacao = sessao.Gravacao();
    TDataHora t0 = relogio.Agora();

    void abrir() {
        usuario.Carregar(QStringLiteral("ana"));
        usuario.Experimento.Carregar(usuario.Arquivo, QStringLiteral("exp"));
        sessao.Abrir();
    }
    // Opens and confirms "rato1".
    void preparar() {
        abrir();
        QVERIFY(sessao.ConfirmarIdentificacao(QStringLiteral("rato1")));
    }
    void em(qint64 ms) { relogio.AvancarAte(t0 + ms); }
    // Script of "<ms> <key>" items: digits, "esc", "+X"/"-X" letter down/up.
    void tocar(const QStringList &roteiro) {
        for (const QString &item : roteiro) {
            const QStringList p = item.split(QLatin1Char(' '));
            em(p[0].toLongLong());
            const QString k = p[1];
            if (k == QLatin1String("esc"))
                sessao.TeclaPressionada(QChar(27));
            else if (k.startsWith(QLatin1Char('+')))
                sessao.TeclaAbaixada(k.at(1).unicode());
            else if (k.startsWith(QLatin1Char('-')))
                sessao.TeclaLiberada(k.at(1).unicode());
            else
                sessao.TeclaPressionada(k.at(0));
        }
    }
    // Rows of a record file, "; " between rows and blanks for tabs.
    QString registro(const QString &nome, bool entradas = true) {
        QStringList l = AmbienteSessao::linhasRegistro(amb.pasta() + nome);
        if (!entradas) l.removeIf([](const QString &x) { return x.contains("\tENTRADA\t"); });
        return l.join("; ").replace('\t', ' ');
    }
    // The session ends at ms, not a millisecond earlier.
    void terminaEm(qint64 ms) {
        em(ms - 1);
        QCOMPARE(sessao.SessoesEncerradas(), 0);
        em(ms);
        QCOMPARE(sessao.SessoesEncerradas(), 1);
    }
};

class TstSessao : public QObject {
    Q_OBJECT

private slots:
    // The window's clock: the session timer fires once.
    void relogioReal() {
        TRelogioQt q;
        QSignalSpy disparos(&q.Sessao(), &TTemporizador::Disparou);
        q.Sessao().DefinirIntervalo(20);
        q.Sessao().Ligar();
        q.Sessao().Ligar();
        QTRY_COMPARE(disparos.count(), 1);
        QVERIFY(!q.Sessao().Ligado());
        QTest::qWait(60);
        QCOMPARE(disparos.count(), 1);
        QVERIFY(qAbs(q.Agora() - QDateTime::currentMSecsSinceEpoch()) < 5000);
    }

    // One start, 300 s: the record file line by line, written read-only, the
    // raw files gone, the window re-armed and the identification used up.
    void umInicio_data() {
        QTest::addColumn<QStringList>("roteiro");
        QTest::addColumn<QString>("linhas");
        QTest::newRow("idle") << QStringList{"0 5"}
                              << "F6 ENTRADA 0 60000 60000 1 1; F6 ENTRADA 60000 120000 60000 2 0; "
                                 "F6 ENTRADA 120000 180000 60000 3 0; "
                                 "F6 ENTRADA 180000 240000 60000 4 0; "
                                 "F6 ENTRADA 240000 300000 60000 5 0";
        QTest::newRow("two entries and one bout")
            << QStringList{"0 5", "10000 +A", "15000 -A", "40000 8"}
            << "F6 ENTRADA 0 40000 40000 1 1; F5 ENTRADA 40000 60000 20000 1 1; "
               "F5 ENTRADA 60000 120000 60000 2 0; F5 ENTRADA 120000 180000 60000 3 0; "
               "F5 ENTRADA 180000 240000 60000 4 0; F5 ENTRADA 240000 300000 60000 5 0; "
               "F6 Limpeza 10000 15000 5000 1 1";
    }
    void umInicio() {
        QFETCH(QStringList, roteiro);
        QFETCH(QString, linhas);
        Bancada b;
        b.preparar();
        b.tocar(roteiro);
        b.em(150000);
        QCOMPARE(b.janela.andamento, 50);
        b.terminaEm(300000);
        const QString arquivo = b.amb.pasta() + "rato1.tvl";
        const QStringList l = AmbienteSessao::linhas(arquivo);
        QVERIFY(QRegularExpression("^Trevalin 2005  \\|  \\d\\d/\\d\\d/\\d{4}  \\|  "
                                   "\\d\\d:\\d\\d:\\d\\d$")
                    .match(l.value(0))
                    .hasMatch());
        QCOMPARE(l.mid(1, 9),
                 QStringList({"", "Usuario:\tana", "Experimento:\texp", "Indivíduo:\trato1",
                              "Labirinto:\tCRUZ (5)", "Tempo de Sessão:\t300 segundos",
                              "Distância:\t25 cm", "",
                              "Posição\tComportamento\tInício\tFim\tDuração\tMinuto\tFrequência"}));
        QCOMPARE(b.registro("rato1.tvl"), linhas);
        QVERIFY(Arquivos::somenteLeitura(arquivo));
        QCOMPARE(QDir(b.amb.pasta()).entryList(QDir::Files), QStringList{"rato1.tvl"});
        QCOMPARE(b.ia.bipes, 3);
        QCOMPARE(b.ia.mensagens, QStringList{"TFormLabirintoTimerTimerMessage1"});
        QCOMPARE(b.sessao.EstadoAtual(), Estado::AguardandoIdentificacao);
        QCOMPARE(b.janela.andamento, 0);
        QCOMPARE(b.janela.paineis[0], QString());
        QCOMPARE(b.gravacao.RegistroEntradas.Qde, 0);
        QVERIFY(!b.sessao.ConfirmarIdentificacao(QStringLiteral("rato1")));
    }

    // Behaviour rows of a one-start session, and the three labels after the script.
    void comportamentos_data() {
        QTest::addColumn<QStringList>("roteiro");
        QTest::addColumn<QString>("linhas");
        QTest::addColumn<QStringList>("rotulos");
        QTest::addColumn<QStringList>("depois");
        const QStringList vazios{"", "", ""};
        QTest::newRow("held across two moves")
            << QStringList{"0 5", "1000 +A", "2000 8", "3000 8", "4000 -A"}
            << "F6 Limpeza 1000 2000 1000 1 1; F5 Limpeza 2000 3000 1000 1 0; "
               "F4 Limpeza 3000 4000 1000 1 0"
            << vazios << QStringList{};
        QTest::newRow("pressed before 5")
            << QStringList{"0 +A", "0 5", "1000 -A"} << "" << vazios << QStringList{};
        // The fourth is recorded but not shown; B's label is free again.
        QTest::newRow("fourth behaviour")
            << QStringList{"0 5", "1000 +A", "1000 +B", "1000 +C", "2000 +D", "3000 -D", "4000 -B"}
            << "F6 Coçar 2000 3000 1000 1 1; F6 Levantar 1000 4000 3000 1 1; "
               "F6 Farejar 1000 5000 4000 1 1; F6 Limpeza 1000 5000 4000 1 1"
            << QStringList{"Limpeza", "", "Farejar"} << QStringList{"5000 -C", "5000 -A"};
        QTest::newRow("key repeat") << QStringList{"0 5", "1000 +A", "1500 +A", "2000 -A"}
                                    << "F6 Limpeza 1000 2000 1000 1 1" << vazios << QStringList{};
        // Released while paused: the bout ends at the fall.
        QTest::newRow("released during a pause")
            << QStringList{"0 5", "1000 +A", "2000 esc", "3000 -A", "5000 5", "6000 +A", "7000 -A"}
            << "F6 Limpeza 1000 2000 1000 1 1; F6 Limpeza 3000 4000 1000 1 1" << vazios
            << QStringList{};
    }
    void comportamentos() {
        QFETCH(QStringList, roteiro);
        QFETCH(QString, linhas);
        QFETCH(QStringList, rotulos);
        QFETCH(QStringList, depois);
        Bancada b;
        b.preparar();
        b.tocar(roteiro);
        QCOMPARE((QStringList{b.sessao.Rotulo(0), b.sessao.Rotulo(1), b.sessao.Rotulo(2)}),
                 rotulos);
        b.tocar(depois);
        b.em(400000);
        QCOMPARE(b.registro("rato1.tvl", false), linhas);
    }

    // A fall with each restart choice, one start and two. The (fixed) phase
    // starts at 2000, the animal moves to F5 at 12000, A goes on at 15000,
    // the fall at 22000, the resume at 52000 and A off at 60000; T = 60 s,
    // so 40 s were left at the fall.
    void queda_data() {
        QTest::addColumn<int>("qdeInicios");
        QTest::addColumn<int>("comecoQueda");
        QTest::addColumn<QString>("depois"); // square after the fall
        QTest::newRow("1 start, restart at the start") << 1 << 1 << "F4";
        QTest::newRow("1 start, where it stopped") << 1 << 3 << "F5";
        QTest::newRow("2 starts, free-phase start") << 2 << 1 << "F2";
        QTest::newRow("2 starts, fixed-phase start") << 2 << 2 << "F4";
        QTest::newRow("2 starts, where it stopped") << 2 << 3 << "F5";
    }
    void queda() {
        QFETCH(int, qdeInicios);
        QFETCH(int, comecoQueda);
        QFETCH(QString, depois);
        Bancada b;
        // Fixed-phase (or only) start F4; free-phase start F2.
        b.amb.configurar(qdeInicios, 60, 6, 4, 6, 2, comecoQueda);
        b.preparar();
        b.tocar(qdeInicios == 2 ? QStringList{"0 5", "1000 2", "2000 2"} : QStringList{"2000 5"});
        b.tocar({"12000 2", "15000 +A", "22000 esc"});
        QCOMPARE(b.gravacao.QuadradoAtual(), depois);
        QCOMPARE(b.sessao.EstadoAtual(), Estado::Pausada);
        b.tocar({"52000 5", "60000 -A"});
        b.terminaEm(92000);
        // The pause counts for nothing: no behaviour time, no entry time.
        QCOMPARE(b.registro(qdeInicios == 2 ? "rato1_T2.tvl" : "rato1.tvl"),
                 QString("F4 ENTRADA 0 10000 10000 1 1; F5 ENTRADA 10000 20000 10000 1 1; "
                         "%1 ENTRADA 20000 60000 40000 1 1; F5 Limpeza 13000 20000 7000 1 1; "
                         "%1 Limpeza 20000 20000 0 1 0; %1 Limpeza 20000 28000 8000 1 0")
                     .arg(depois));
    }

    // Two falls in one phase, restarting where the animal stopped. The
    // phase starts at 2000 on its first square; a move at 7000, A on at
    // 10000, falls at 12000 and 32000, resumes at 22000 and 52000 (pauses
    // of 10 s and 20 s), a move after each resume, A off at 58000; T = 60 s.
    // Each resume arms the session timer with what was left at its fall,
    // and the pauses add up: the rows hold phase time without them and the
    // session ends 30 s after T.
    void duasQuedas_data() {
        QTest::addColumn<int>("qdeInicios");
        QTest::addColumn<int>("inicioLivre"); // row of the free-phase start, column F
        QTest::addColumn<QStringList>("antes");
        QTest::addColumn<QString>("arquivo");
        QTest::addColumn<QStringList>("q"); // the squares, one move apart
        QTest::newRow("one start") << 1 << 0 << QStringList{"2000 5"} << "rato1.tvl"
                                   << QStringList{"F4", "F5", "F6", "F7"};
        QTest::newRow("two starts, fixed phase")
            << 2 << 2 << QStringList{"0 5", "1000 2", "2000 2"} << "rato1_T2.tvl"
            << QStringList{"F4", "F5", "F6", "F7"};
        // The session ends in the free phase: the fixed-phase start F4 is
        // never reached.
        QTest::newRow("two starts, free phase") << 2 << 7 << QStringList{"2000 5"} << "rato1_T1.tvl"
                                                << QStringList{"F7", "F8", "F9", "F10"};
    }
    void duasQuedas() {
        QFETCH(int, qdeInicios);
        QFETCH(int, inicioLivre);
        QFETCH(QStringList, antes);
        QFETCH(QString, arquivo);
        QFETCH(QStringList, q);
        Bancada b;
        b.amb.configurar(qdeInicios, 60, 6, 4, 6, inicioLivre, 3);
        b.preparar();
        b.tocar(antes);
        b.tocar({"7000 2", "10000 +A", "12000 esc"});
        QCOMPARE(b.gravacao.InicioQueda, b.t0 + 12000);
        QVERIFY(!b.relogio.Sessao().Ligado());
        b.tocar({"22000 5"});
        QCOMPARE(b.gravacao.TempoPausado, qint64(10000));
        QCOMPARE(b.relogio.Sessao().Intervalo(), qint64(50000)); // 60 s less 10 s recorded
        QCOMPARE(b.relogio.Sessao().Prazo(), b.t0 + 72000);
        b.tocar({"27000 2", "32000 esc", "52000 5"});
        QCOMPARE(b.gravacao.TempoPausado, qint64(30000));
        QCOMPARE(b.relogio.Sessao().Intervalo(), qint64(40000)); // 20 s recorded since
        QCOMPARE(b.relogio.Sessao().Prazo(), b.t0 + 92000);
        b.em(56000);
        QCOMPARE(b.janela.andamento, qdeInicios == 2 && inicioLivre == 7 ? -1 : 40); // 24 s of 60
        b.tocar({"57000 2", "58000 -A"});
        b.terminaEm(92000);
        QCOMPARE(b.registro(arquivo),
                 QString("%1 ENTRADA 0 5000 5000 1 1; %2 ENTRADA 5000 10000 5000 1 1; "
                         "%2 ENTRADA 10000 15000 5000 1 1; %3 ENTRADA 15000 20000 5000 1 1; "
                         "%3 ENTRADA 20000 25000 5000 1 1; %4 ENTRADA 25000 60000 35000 1 1; "
                         "%2 Limpeza 8000 10000 2000 1 1; %2 Limpeza 10000 10000 0 1 0; "
                         "%2 Limpeza 10000 15000 5000 1 0; %3 Limpeza 15000 20000 5000 1 0; "
                         "%3 Limpeza 20000 20000 0 1 0; %3 Limpeza 20000 25000 5000 1 0; "
                         "%4 Limpeza 25000 26000 1000 1 0")
                     .arg(q[0], q[1], q[2], q[3]));
    }

    // Free phase F2 -> F3 -> F4 (fixed-phase start) at 8000, T = 120 s: the
    // -2 row, the T2 marker, the fixed phase a whole T long, two files.
    void duasFases_data() {
        QTest::addColumn<QStringList>("fixa");
        QTest::addColumn<QString>("t2");
        QTest::newRow("a move in the fixed phase")
            << QStringList{"20000 2"}
            << "F4 ENTRADA 0 12000 12000 1 1; F5 ENTRADA 12000 60000 48000 1 1; "
               "F5 ENTRADA 60000 120000 60000 2 0; F5 Limpeza 14000 16000 2000 1 1";
        // The -2 row is still open at the end: it covers the whole phase.
        QTest::newRow("no move after the phase change")
            << QStringList{}
            << "F4 ENTRADA 0 60000 60000 1 1; F4 ENTRADA 60000 120000 60000 2 0; "
               "F4 Limpeza 14000 16000 2000 1 1";
    }
    void duasFases() {
        QFETCH(QStringList, fixa);
        QFETCH(QString, t2);
        Bancada b;
        b.amb.configurar(2, 120, 6, 4, 6, 2, 3);
        b.preparar();
        b.tocar({"0 5", "1000 +A", "3000 -A", "5000 2"});
        QCOMPARE(b.labirinto.Imagem.Quadrado(6, 3)->preenchimento, TCor::Verde());
        b.tocar({"8000 2"});
        const TRegistro &e = b.gravacao.RegistroEntradas;
        QCOMPARE(e.Fim.last(), TRegistro::AteProximoDoZero);
        QCOMPARE(e.Inicio.last(), 8000.0);
        QCOMPARE(b.gravacao.RegistroComportamentos.Comportamento.last(), QStringLiteral("T2"));
        QCOMPARE(b.labirinto.Imagem.Quadrado(6, 4)->preenchimento, TCor::Vermelho());
        b.tocar(fixa);
        b.tocar({"22000 +A", "24000 -A"});
        b.terminaEm(128000);
        QCOMPARE(b.registro("rato1_T1.tvl"), QString("F2 ENTRADA 0 5000 5000 1 1; "
                                                     "F3 ENTRADA 5000 8000 3000 1 1; "
                                                     "F2 Limpeza 1000 3000 2000 1 1"));
        QCOMPARE(b.registro("rato1_T2.tvl"), t2);
    }

    // A fall in the free phase. Restart at the fixed-phase start: the phase
    // changes during the pause, the resume's entry at 0 stays in "_T2".
    // Restart at the free-phase start: the free phase keeps only the time
    // that was left, and the session ends in it.
    void quedaNaFaseLivre_data() {
        QTest::addColumn<int>("comecoQueda");
        QTest::addColumn<qint64>("fim");
        QTest::addColumn<QString>("t1");
        QTest::addColumn<QString>("t2");
        QTest::newRow("restart at the fixed-phase start")
            << 2 << qint64(100000) << "F2 ENTRADA 0 10000 10000 1 1"
            << "F4 ENTRADA 0 0 0 1 1; F4 ENTRADA 0 60000 60000 1 1";
        QTest::newRow("restart at the free-phase start")
            << 1 << qint64(90000)
            << "F2 ENTRADA 0 10000 10000 1 1; F2 ENTRADA 10000 60000 50000 1 1"
            << "";
    }
    void quedaNaFaseLivre() {
        QFETCH(int, comecoQueda);
        QFETCH(qint64, fim);
        QFETCH(QString, t1);
        QFETCH(QString, t2);
        Bancada b;
        b.amb.configurar(2, 60, 6, 4, 6, 2, comecoQueda);
        b.preparar();
        b.tocar({"0 5", "10000 esc", "40000 5"});
        b.terminaEm(fim);
        QCOMPARE(b.registro("rato1_T1.tvl"), t1);
        QCOMPARE(b.registro("rato1_T2.tvl"), t2);
    }

    // Off the maze: a beep and nothing else. Arrow keys move only in the
    // arrow-key mode (F5).
    void movimentos() {
        Bancada b;
        b.amb.configurar(1, 60, 11, 6, 0, 0, 3); // K6, end of the east arm
        b.preparar();
        b.tocar({"0 5", "1000 6"});
        QCOMPARE(b.ia.bipes, 1);
        QCOMPARE(b.gravacao.RegistroEntradas.Qde, 1);
        QCOMPARE(b.gravacao.QuadradoAtual(), QStringLiteral("K6"));
        b.sessao.TeclaAbaixada(Qt::Key_Left);
        QCOMPARE(b.gravacao.RegistroEntradas.Qde, 1);
        b.sessao.TeclaAbaixada(Qt::Key_F5);
        QCOMPARE(b.janela.paineis[1], QStringLiteral("FormMainStatusBar1PanelsItems1TextON"));
        b.sessao.TeclaAbaixada(Qt::Key_Left);
        QCOMPARE(b.gravacao.QuadradoAtual(), QStringLiteral("J6"));
        QCOMPARE(b.gravacao.RegistroEntradas.Qde, 2);
        // The animal's pixel origin follows it: the corner of its square.
        const TRetangulo j6 = b.labirinto.RetanguloQuadrado(10, 6);
        QCOMPARE((QList<int>{b.gravacao.PosX, b.gravacao.PosY}),
                 (QList<int>{j6.esquerda, j6.topo}));

        // The arrow-key mode outlives the window, as the keyboard window
        // needs; a new window starts it where it was.
        QSignalSpy modo(&b.sessao, &TSessao::TeclasEdicaoAlteradas);
        b.sessao.Fechar();
        b.abrir();
        QVERIFY(b.sessao.TeclasEdicao());
        b.sessao.AlternarTeclasEdicao();
        QVERIFY(!b.sessao.TeclasEdicao());
        QCOMPARE(b.janela.paineis[1], QStringLiteral("FormMainStatusBar1PanelsItems1TextOFF"));
        QCOMPARE(modo.count(), 1);
        QCOMPARE(modo.first().first().toBool(), false);
    }

    // What the window is told, step by step, through one recording with a
    // fall (the maze's picture left out).
    void sinais() {
        Bancada b;
        b.amb.configurar(1, 60, 6, 4, 0, 0, 3);
        Sinais sinais(b.sessao);
        auto passo = [&](const QStringList &roteiro) {
            sinais.log.clear();
            b.tocar(roteiro);
            return sinais.log.join(' ');
        };
        b.abrir();
        QCOMPARE(sinais.log.join(' '),
                 "EscolhaInicio(0) PainelIdentificacao(1) CampoIdentificacao(1)");
        sinais.log.clear();
        QVERIFY(b.sessao.ConfirmarIdentificacao("rato1"));
        QCOMPARE(sinais.log.join(' '),
                 "Identificacao(rato1) CampoIdentificacao(0) AvisoInicio(1) MostrarUltima(0)");
        QCOMPARE(passo({"0 5"}),
                 "MenuTeclado(1) Painel(0,FormMainStatusBar1PanelsItems0Text) "
                 "Painel(1,FormMainStatusBar1PanelsItems1TextOFF) PainelIdentificacao(0) "
                 "JanelasExperimento(0) Andamento(0)");
        QCOMPARE(passo({"100 +B", "200 +A"}), "Rotulo(0,Levantar) Rotulo(1,Limpeza)");
        QCOMPARE(passo({"300 -B"}), "Rotulo(0,)");
        QCOMPARE(passo({"400 esc"}), "AvisoReinicio(1)");
        QCOMPARE(passo({"500 5"}),
                 "MenuTeclado(1) Painel(0,FormMainStatusBar1PanelsItems0Text) "
                 "Painel(1,FormMainStatusBar1PanelsItems1TextOFF) AvisoReinicio(0) "
                 "PainelIdentificacao(0) JanelasExperimento(0) Andamento(0)");
        // The end comes at T plus the pause, 60100; the progress ticks
        // before it are left out.
        b.em(60098);
        QCOMPARE(passo({"60099 8"}), "Andamento(99)");
        QCOMPARE(passo({"60100 8"}),
                 "Painel(0,) Painel(1,) UltimaIdentificacao(rato1) Andamento(100) "
                 "CampoIdentificacao(1) CampoIdentificacaoEsvaziado MostrarUltima(1) "
                 "Rotulo(0,) Rotulo(1,) Rotulo(2,) AvisoInicio(0) PainelIdentificacao(1) "
                 "JanelasExperimento(1) Andamento(0)");
        sinais.log.clear();
        b.sessao.TeclaAbaixada(Qt::Key_F5);
        b.sessao.Fechar();
        QCOMPARE(sinais.log.join(' '), "Painel(1,FormMainStatusBar1PanelsItems1TextON) "
                                       "TeclasEdicao(1) JanelasExperimento(1) MenuExcluir(1)");
    }

    void identificacao() {
        Bancada b;
        b.amb.configurar(2, 60, 6, 4, 6, 2, 3);
        b.abrir();
        QVERIFY(!b.sessao.ConfirmarIdentificacao(QString()));
        QVERIFY(!b.sessao.ConfirmarIdentificacao(QStringLiteral("rato 1")));
        // "_T2" alone is enough to refuse: the record file is never replaced.
        QVERIFY(Arquivos::gravarAtomico(b.amb.pasta() + "rato1_T2.tvl", QByteArray()));
        QVERIFY(!b.sessao.ConfirmarIdentificacao(QStringLiteral("rato1")));
        QCOMPARE(b.ia.mensagens, QStringList({"TFormLabirintoSpeedButtonConfirmarClickMessage2",
                                              "TFormLabirintoSpeedButtonConfirmarClickMessage2",
                                              "TFormLabirintoSpeedButtonConfirmarClickMessage1"}));
        QCOMPARE(b.esvaziamentos.count(), 1);
        // 5 does nothing before an identification is confirmed.
        b.sessao.TeclaPressionada(QLatin1Char('5'));
        QCOMPARE(b.sessao.EstadoAtual(), Estado::AguardandoIdentificacao);

        QVERIFY(Identificacao::CaractereAceito(QChar(8))); // backspace
        QVERIFY(!Identificacao::CaractereAceito(QLatin1Char(' ')));
        QCOMPARE(Identificacao::Filtrar(QStringLiteral("Ção:\"x\";_'9\t/.@`€☃ -a")),
                 QStringLiteral("Ção:\"x\";_'9€a"));
    }

    void escolhaDosInicios() {
        Bancada b;
        b.amb.configurar(2, 60, 0, 0, 0, 0, 0);
        b.abrir();
        QCOMPARE(b.sessao.EstadoAtual(), Estado::EscolhaInicio);
        b.sessao.EscolherInicio(1, 1, true); // not a square
        b.sessao.EscolherInicio(6, 4, true);
        QCOMPARE(b.labirinto.Imagem.Quadrado(6, 4)->preenchimento, TCor::Vermelho());
        QVERIFY(!b.sessao.ConfirmarInicios(1)); // the free-phase start is still missing
        QCOMPARE(b.ia.bipes, 1);
        b.sessao.EscolherInicio(6, 2, false);
        QCOMPARE(b.labirinto.Imagem.Quadrado(6, 4)->preenchimento, TCor::Branco());
        QCOMPARE(b.labirinto.Imagem.Quadrado(6, 2)->preenchimento, TCor::Verde());
        QVERIFY(b.sessao.ConfirmarInicios(1));
        QCOMPARE(b.ia.mensagens, QStringList{"TFormLabirintoBitBtnOKClickMessage1"});
        QCOMPARE(b.fechamentos.count(), 1);
        QCOMPARE(b.sessao.EstadoAtual(), Estado::Fechada);
        QVERIFY(!b.usuario.Experimento.JanelaAberta[TExperimento::JanelaSessao]);
        TExperimento lido;
        lido.Carregar(b.amb.perfil(), QStringLiteral("exp"));
        QCOMPARE((QList<int>{lido.InicioX1, lido.InicioY1, lido.InicioX2, lido.InicioY2,
                             lido.ComecoQueda}),
                 (QList<int>{6, 4, 6, 2, 1}));
    }

    // A maze that cannot be drawn is never recorded; closing drops the
    // recording: nothing fires, nothing is written.
    void fechamentos() {
        Bancada n;
        n.amb.configurar(1, 60, 6, 6, 0, 0, 3, QStringLiteral("CRUZ (99)"));
        n.abrir();
        QCOMPARE(n.sessao.EstadoAtual(), Estado::Fechada);
        QCOMPARE(n.ia.mensagens, QStringList{"TFormLabirintoFormCreateMessage1"});
        QCOMPARE(n.fechamentos.count(), 1);

        Bancada b;
        b.preparar();
        b.tocar({"0 5", "1000 +A"});
        b.sessao.Fechar();
        b.em(400000);
        QCOMPARE(b.sessao.SessoesEncerradas(), 0);
        QVERIFY(QDir(b.amb.pasta()).entryList(QDir::Files).isEmpty());
        QVERIFY(!b.usuario.Experimento.Status.Ativo[0]);
    }

    // The record file cannot be written: the message says so and names the
    // recovery file, which holds the whole record; the window is re-armed.
    void falhaNaGravacao_data() {
        QTest::addColumn<bool>("pastaApagada");
        QTest::newRow("experiment folder deleted") << true;
        QTest::newRow("record file created meanwhile") << false;
    }
    void falhaNaGravacao() {
        QFETCH(bool, pastaApagada);
        Bancada b;
        b.preparar();
        b.tocar({"0 5", "40000 8"});
        const QString alvo = b.amb.pasta() + "rato1.tvl";
        if (pastaApagada)
            QVERIFY(QDir(b.amb.pasta()).removeRecursively());
        else
            QVERIFY(Arquivos::gravarAtomico(alvo, "someone else's"));
        b.em(300000);
        QCOMPARE(b.sessao.SessoesEncerradas(), 1);
        QCOMPARE(b.sessao.EstadoAtual(), Estado::AguardandoIdentificacao);
        const TResultadoGravacao &r = b.sessao.UltimaGravacao();
        QVERIFY(!r.Ok());
        QCOMPARE(r.recuperacao.size(), 1);
        const QString rec = r.recuperacao.first();
        QCOMPARE(QFileInfo(rec).absolutePath() + "/",
                 pastaApagada ? b.amb.dados + "usuarios/ana/" : b.amb.pasta());
        QVERIFY(QFileInfo(rec).fileName().startsWith("rato1-recuperacao-"));
        QVERIFY(b.ia.mensagens.value(0).startsWith("TFormLabirintoTimerTimerMessage2\n\n"
                                                   "TFormLabirintoTimerTimerMessage3\n" +
                                                   rec));
        QCOMPARE(AmbienteSessao::linhas(rec).value(4), QStringLiteral("Indivíduo:\trato1"));
        QCOMPARE(AmbienteSessao::linhasRegistro(rec).size(), 6);
        if (!pastaApagada) {
            QByteArray antes;
            Arquivos::lerTudo(alvo, &antes);
            QCOMPARE(antes, QByteArray("someone else's"));
            QVERIFY(!QFile::exists(b.amb.pasta() + "rato11.txt"));
        }
    }
};

QTEST_GUILESS_MAIN(TstSessao)
#include "tst_sessao.moc"
