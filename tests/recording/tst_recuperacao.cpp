#include "Gravacoes.h"

#include "core/TGravacao.h"
#include "recording/TArquivoRegistro.h"
#include "recording/TDiario.h"
#include "recording/TRecuperacao.h"
#include "recording/TTravaIdentificacao.h"

#include <QDir>
#include <QTest>

#include <memory>

// One engine on virtual time over an experiment folder of its own, with the
// journal on, that can be dropped in the middle of a recording as a killed
// program would be.
struct Gravador {
    AmbienteSessao &amb;
    TUsuario usuario{amb.dados};
    TLabirinto labirinto{amb.dados};
    TRelogioVirtual relogio;
    TInteracaoFalsa ia;
    std::unique_ptr<TSessao> sessao;
    TDataHora t0 = 0;

    explicit Gravador(AmbienteSessao &a, const QString &id = "rato7") : amb(a) {
        usuario.Carregar("ana");
        usuario.Experimento.Carregar(usuario.Arquivo, "exp");
        sessao = std::make_unique<TSessao>(usuario, labirinto, ia, relogio);
        sessao->Abrir();
        ok = sessao->ConfirmarIdentificacao(id);
        t0 = relogio.Agora();
    }
    bool ok = false;
    void tocar(const QList<Tecla> &teclas) {
        for (const Tecla &t : teclas)
            Gravacoes::tocar(*sessao, relogio, t0, t);
    }
    // The program stops: no session end, no closing.
    QString matar() {
        const QString d = sessao->ArquivoDiario();
        sessao.reset();
        return d;
    }
};

const QList<Tecla> kTeclas = {{0, "5"},     {4000, "8"},   {6000, "+A"},   {9000, "2"},
                              {9500, "-A"}, {12000, "+B"}, {13000, "esc"}, {15000, "-B"},
                              {20000, "5"}, {21000, "4"},  {30500, "2"}};

class TstRecuperacao : public QObject {
    Q_OBJECT

    static QStringList diarios(const AmbienteSessao &amb) {
        return TRecuperacao::Diarios(amb.pasta());
    }

private slots:
    // The journal exists from the start to the session end and goes once
    // the record file is written; its lines are whole and checked.
    void diarioDaSessao() {
        AmbienteSessao amb;
        amb.configurar(1, 60, 6, 6, 0, 0, 3);
        Gravador g(amb);
        QVERIFY(g.ok);
        QVERIFY(diarios(amb).isEmpty());
        g.tocar({{0, "5"}, {1000, "8"}});
        QCOMPARE(diarios(amb), QStringList{g.sessao->ArquivoDiario()});
        QVERIFY(QFileInfo(g.sessao->ArquivoDiario()).fileName().startsWith("rato7-"));
        QByteArray b;
        Arquivos::lerTudo(g.sessao->ArquivoDiario(), &b);
        const QList<QByteArray> linhas = b.split('\n');
        QVERIFY(linhas.size() > 14);
        QByteArray t;
        QVERIFY(TDiario::Verificar(linhas[linhas.size() - 2], &t));
        QVERIFY2(t.startsWith("mover 1000 ") && t.endsWith(" 0 -1"), t.constData());
        QVERIFY(!TDiario::Verificar("mover 1000 5 0 -1\t0000", nullptr));
        g.relogio.AvancarAte(g.t0 + 60000);
        QCOMPARE(g.sessao->SessoesEncerradas(), 1);
        QVERIFY(QFile::exists(amb.pasta() + "rato7.tvl"));
        QVERIFY(diarios(amb).isEmpty());
        // Nothing of the recording is left but its record file.
        QCOMPARE(QDir(amb.pasta()).entryList(QDir::Files | QDir::Hidden), QStringList{"rato7.tvl"});
    }

    // Closing the window drops the recording and its journal; a program
    // that stops keeps it.
    void fecharRemove() {
        AmbienteSessao amb;
        Gravador g(amb);
        g.tocar({{0, "5"}});
        QCOMPARE(diarios(amb).size(), 1);
        g.sessao->Fechar();
        QVERIFY(diarios(amb).isEmpty());
        Gravador h(amb, "rato8");
        h.tocar({{0, "5"}, {10, "8"}});
        h.matar();
        QCOMPARE(diarios(amb).size(), 1);
    }

    // Recovery rebuilds the rows with the settings noted at the start (the
    // profile changed since) and ends them at the last input noted.
    void recuperar() {
        AmbienteSessao amb;
        Gravador g(amb);
        g.tocar(kTeclas);
        const QString diario = g.matar();
        // Behaviours renamed and session length changed in the profile.
        amb.configurar(1, 100, 6, 6, 0, 0, 3);
        Arquivos::gravarAtomico(
            amb.perfil(),
            Cp1252::codificar(QStringLiteral(
                "[Experimentos]\r\nQdeExp=1\r\n1=exp\r\n[exp]\r\nConfigurado=1\r\n"
                "Labirinto=CRUZ (5)\r\nCompTipo=Comp1\r\nTempoSecao=100\r\n[Comp1]\r\n"
                "1=Outro\r\n")));

        TRecuperacao r(amb.dados, diario);
        QCOMPARE(r.Ler(), TRecuperacao::Pronta);
        QCOMPARE(r.Individuo(), QString("rato7"));
        QCOMPARE(r.Experimento(), QString("exp"));
        QCOMPARE(r.Gravado(), 30500 - 7000); // the pause is not recorded time
        QCOMPARE(r.Duracao(), 300000);
        QCOMPARE(r.Eventos(), kTeclas.size());
        QVERIFY(!r.Completa());
        QCOMPARE(r.Descrever("%1 %2 %3 %4"), QString("rato7 exp 00:23 05:00"));
        // A second reader waits for the first.
        TRecuperacao outra(amb.dados, diario);
        QCOMPARE(outra.Ler(), TRecuperacao::EmUso);

        const TResultadoGravacao s = r.Salvar();
        QVERIFY2(s.Ok(), qPrintable(s.erro));
        QCOMPARE(s.gravados, QStringList{amb.pasta() + "rato7-parcial.tvl"});
        QVERIFY(!QFile::exists(diario));
        const QStringList linhas = AmbienteSessao::linhas(s.gravados[0]);
        QCOMPARE(linhas.value(6), QString("Tempo de Sessão:\t300 segundos"));
        QCOMPARE(linhas.mid(10), Gravacoes::linhasInterrompidas(kTeclas));
        // Entries tile the recording up to its end; the behaviours keep
        // their names of the start.
        QCOMPARE(linhas.filter("\tENTRADA\t").last(),
                 QString("E6\tENTRADA\t14000\t23500\t9500\t1\t1"));
        QCOMPARE(linhas.filter("\tLimpeza\t").size(), 2);
        QVERIFY(QFileInfo(s.gravados[0]).fileName().contains('-')); // no identification can
    }

    // Stopped during a pause: the recording ended at the fall, not at the
    // key released after it.
    void paradaNaPausa() {
        AmbienteSessao amb;
        Gravador g(amb);
        g.tocar({{0, "5"}, {1000, "+A"}, {5000, "esc"}, {7000, "-A"}});
        TRecuperacao r(amb.dados, g.matar());
        QCOMPARE(r.Ler(), TRecuperacao::Pronta);
        QCOMPARE(r.Gravado(), 5000);
        const TResultadoGravacao s = r.Salvar();
        QCOMPARE(AmbienteSessao::linhasRegistro(s.gravados.value(0)),
                 QStringList(
                     {"F6\tENTRADA\t0\t5000\t5000\t1\t1", "F6\tLimpeza\t1000\t5000\t4000\t1\t1"}));
    }

    // A name taken gets a number; a two-start recording stopped in its free
    // phase gives "_T1" only, one stopped in its fixed phase both halves.
    void nomes() {
        AmbienteSessao amb;
        amb.configurar(2, 120, 6, 4, 6, 2, 3);
        Arquivos::gravarAtomico(amb.pasta() + "rato7_T1-parcial.tvl", "x");
        {
            Gravador g(amb);
            g.tocar({{0, "5"}, {1000, "8"}});
            TRecuperacao r(amb.dados, g.matar());
            QCOMPARE(r.Ler(), TRecuperacao::Pronta);
            QCOMPARE(r.Salvar().gravados, QStringList{amb.pasta() + "rato7_T1-parcial-2.tvl"});
        }
        Gravador g(amb);
        const QList<Tecla> teclas = {{0, "5"}, {1000, "2"}, {1500, "2"}, {3000, "8"}};
        g.tocar(teclas);
        TRecuperacao r(amb.dados, g.matar());
        QCOMPARE(r.Ler(), TRecuperacao::Pronta);
        QCOMPARE(r.Gravado(), 1500);
        const QStringList gravados = r.Salvar().gravados;
        QCOMPARE(gravados, QStringList({amb.pasta() + "rato7_T1-parcial-3.tvl",
                                        amb.pasta() + "rato7_T2-parcial-3.tvl"}));
        const QStringList ref = Gravacoes::linhasInterrompidas(teclas, 2, 120);
        QList<QByteArray> e, c;
        for (const QString &l : ref)
            (l.contains("\tENTRADA\t") ? e : c) << Cp1252::codificar(l);
        const auto partes = TArquivoRegistro::Separar(true, e, c);
        for (int k = 0; k < 2; ++k) {
            QStringList esperadas;
            for (const QByteArray &l : partes[k])
                esperadas << Cp1252::decodificar(l);
            QCOMPARE(AmbienteSessao::linhasRegistro(gravados[k]), esperadas);
        }
        QCOMPARE(AmbienteSessao::linhasRegistro(gravados[1]).value(0),
                 QString("F4\tENTRADA\t0\t1500\t1500\t1\t1"));
    }

    // A save stopped between the two halves of a pair (here: "_T2" could
    // not be written) leaves the journal; the next save finishes that pair
    // under the same number instead of writing a second set.
    void parInterrompido() {
        AmbienteSessao amb;
        amb.configurar(2, 120, 6, 4, 6, 2, 3);
        Arquivos::gravarAtomico(amb.pasta() + "rato7_T1-parcial.tvl", "outro");
        Gravador g(amb);
        g.tocar({{0, "5"}, {1000, "2"}, {1500, "2"}, {3000, "8"}});
        const QString diario = g.matar();
        const QString t1 = amb.pasta() + "rato7_T1-parcial-2.tvl",
                      t2 = amb.pasta() + "rato7_T2-parcial-2.tvl";
        QByteArray antes;
        {
            TRecuperacao r(amb.dados, diario);
            QCOMPARE(r.Ler(), TRecuperacao::Pronta);
            // The disk fills up as "_T2" is written.
            TGravacao::Interceptar([](TGravacao::Etapa e, const QString &temporario) {
                return e == TGravacao::Escrever && temporario.contains("_T2-") ? ENOSPC : 0;
            });
            const TResultadoGravacao s = r.Salvar();
            TGravacao::Interceptar(nullptr);
            QVERIFY(!s.Ok());
            QCOMPARE(s.gravados, QStringList{t1});
            QVERIFY(!QFile::exists(t2));
            QVERIFY(QFile::exists(diario));
            QVERIFY(Arquivos::lerTudo(t1, &antes));
        }
        TRecuperacao r(amb.dados, diario);
        QCOMPARE(r.Ler(), TRecuperacao::Pronta);
        const TResultadoGravacao s = r.Salvar();
        QVERIFY2(s.Ok(), qPrintable(s.erro));
        QCOMPARE(s.gravados, QStringList({t1, t2}));
        QByteArray depois;
        QVERIFY(Arquivos::lerTudo(t1, &depois) && depois == antes);
        QCOMPARE(AmbienteSessao::linhasRegistro(t2).value(0),
                 QString("F4\tENTRADA\t0\t1500\t1500\t1\t1"));
        QVERIFY(!QFile::exists(diario));
        QCOMPARE(QDir(amb.pasta()).entryList({"*parcial*"}).size(), 3);
    }

    // The maze removed from the library, or changed there, after the
    // program stopped: the recording is recovered on the maze it was made
    // on. A journal of an earlier version (no geometry) uses the library's.
    void labirintoMudou_data() {
        QTest::addColumn<QByteArray>("de");
        QTest::addColumn<QByteArray>("para");
        QTest::addColumn<bool>("semGeometria");
        QTest::newRow("removed") << QByteArray("[CRUZ (5)]") << QByteArray("[OUTRO]") << false;
        QTest::newRow("made smaller")
            << QByteArray("QuadradosEmX=11") << QByteArray("QuadradosEmX=7") << false;
        QTest::newRow("earlier journal") << QByteArray() << QByteArray() << true;
    }
    void labirintoMudou() {
        QFETCH(QByteArray, de);
        QFETCH(QByteArray, para);
        QFETCH(bool, semGeometria);
        AmbienteSessao amb;
        Gravador g(amb);
        g.tocar(kTeclas);
        const QString diario = g.matar();
        QByteArray b;
        QVERIFY(Arquivos::lerTudo(amb.dados + "Labirintos.ini", &b));
        const qsizetype k = b.indexOf("[CRUZ (5)]");
        QVERIFY(k >= 0);
        if (!de.isEmpty()) b.replace(b.indexOf(de, k), de.size(), para);
        QVERIFY(Arquivos::gravarAtomico(amb.dados + "Labirintos.ini", b));
        if (semGeometria) {
            QVERIFY(Arquivos::lerTudo(diario, &b));
            QList<QByteArray> l = b.split('\n');
            QCOMPARE(l.removeIf([](const QByteArray &x) { return x.startsWith("geometria "); }),
                     1);
            QFile::remove(diario);
            QVERIFY(Arquivos::gravarAtomico(diario, l.join('\n')));
        }
        TRecuperacao r(amb.dados, diario);
        QCOMPARE(r.Ler(), TRecuperacao::Pronta);
        const TResultadoGravacao s = r.Salvar();
        QVERIFY2(s.Ok(), qPrintable(s.erro));
        QCOMPARE(AmbienteSessao::linhasRegistro(s.gravados.value(0)),
                 Gravacoes::linhasInterrompidas(kTeclas));
    }

    // A journal cut anywhere in its last line (the machine stopped in the
    // middle of that write) recovers without it.
    void linhaCortada() {
        AmbienteSessao amb;
        Gravador g(amb);
        g.tocar(kTeclas);
        const QString diario = g.matar();
        QByteArray inteiro;
        Arquivos::lerTudo(diario, &inteiro);
        const qsizetype inicio = inteiro.lastIndexOf('\n', inteiro.size() - 2) + 1;
        const QStringList semUltima =
            Gravacoes::linhasInterrompidas(kTeclas.mid(0, kTeclas.size() - 1));
        const QStringList todas = Gravacoes::linhasInterrompidas(kTeclas);
        for (qsizetype corte = inicio; corte <= inteiro.size(); ++corte) {
            QFile::remove(diario);
            Arquivos::gravarAtomico(diario, inteiro.left(corte));
            TRecuperacao r(amb.dados, diario);
            QCOMPARE(r.Ler(), TRecuperacao::Pronta);
            const bool inteira = corte == inteiro.size();
            QCOMPARE(r.Eventos(), kTeclas.size() - (inteira ? 0 : 1));
            const TResultadoGravacao s = r.Salvar();
            QVERIFY2(s.Ok(), qPrintable(s.erro));
            QCOMPARE(AmbienteSessao::linhasRegistro(s.gravados.value(0)),
                     inteira ? todas : semUltima);
            QFile::setPermissions(s.gravados[0], QFile::WriteOwner | QFile::ReadOwner);
            QFile::remove(s.gravados[0]);
        }
        // A last line whole in length but with other bytes (a power cut) too.
        QByteArray estragado = inteiro;
        estragado[estragado.size() - 8] = 'x';
        Arquivos::gravarAtomico(diario, estragado);
        TRecuperacao r(amb.dados, diario);
        QCOMPARE(r.Ler(), TRecuperacao::Pronta);
        QCOMPARE(r.Eventos(), kTeclas.size() - 1);
    }

    // Damage anywhere else: reported by name, the journal kept.
    void danificado_data() {
        QTest::addColumn<int>("linha");
        QTest::addColumn<QByteArray>("troca");
        QTest::newRow("header") << 2 << QByteArray("usuario");
        QTest::newRow("event") << 19 << QByteArray("mover");
        QTest::newRow("unknown event") << -1 << QByteArray();
        QTest::newRow("empty") << 0 << QByteArray();
    }
    void danificado() {
        QFETCH(int, linha);
        QFETCH(QByteArray, troca);
        AmbienteSessao amb;
        Gravador g(amb);
        g.tocar(kTeclas);
        const QString diario = g.matar();
        QByteArray b;
        Arquivos::lerTudo(diario, &b);
        QList<QByteArray> l = b.split('\n');
        if (linha > 0) {
            l[linha - 1].replace(troca, troca.toUpper());
        } else if (linha < 0) {
            l.insert(18, TDiario::Linha("saltar 1 2").chopped(1));
        } else {
            l = {""};
        }
        QFile::remove(diario);
        Arquivos::gravarAtomico(diario, l.join('\n'));
        TRecuperacao r(amb.dados, diario);
        QCOMPARE(r.Ler(), TRecuperacao::Danificado);
        QVERIFY2(r.Problema().contains(diario), qPrintable(r.Problema()));
        QVERIFY(!r.Salvar().Ok());
        QVERIFY(QFile::exists(diario));
    }

    // The journal of a live recording is left alone.
    void emUso() {
        AmbienteSessao amb;
        Gravador g(amb);
        g.tocar({{0, "5"}});
        TRecuperacao r(amb.dados, g.sessao->ArquivoDiario());
        QCOMPARE(r.Ler(), TRecuperacao::EmUso);
        QVERIFY(!r.Salvar().Ok());
        QVERIFY(QFile::exists(g.sessao->ArquivoDiario()));
    }

    // A recording that reached its end but whose journal outlived the
    // record (stopped right after writing it): the journal just goes; not
    // yet written: the record gets its own name.
    void completa() {
        AmbienteSessao amb;
        amb.configurar(1, 10, 6, 6, 0, 0, 3);
        Gravador g(amb);
        g.tocar({{0, "5"}, {1000, "8"}});
        const QString diario = g.sessao->ArquivoDiario();
        QByteArray antes;
        Arquivos::lerTudo(diario, &antes);
        g.relogio.AvancarAte(g.t0 + 10000);
        QVERIFY(!QFile::exists(diario));
        const QStringList registro = AmbienteSessao::linhasRegistro(amb.pasta() + "rato7.tvl");
        const QByteArray fim = TDiario::Linha("fim 10000 0");
        Arquivos::gravarAtomico(diario, antes + fim);
        {
            TRecuperacao r(amb.dados, diario);
            QCOMPARE(r.Ler(), TRecuperacao::Pronta);
            QVERIFY(r.Completa());
            QCOMPARE(r.Salvar().gravados, QStringList{amb.pasta() + "rato7.tvl"});
            QVERIFY(!QFile::exists(diario));
        }
        QFile::setPermissions(amb.pasta() + "rato7.tvl", QFile::WriteOwner | QFile::ReadOwner);
        QFile::remove(amb.pasta() + "rato7.tvl");
        Arquivos::gravarAtomico(diario, antes + fim);
        TRecuperacao r(amb.dados, diario);
        QCOMPARE(r.Ler(), TRecuperacao::Pronta);
        QCOMPARE(r.Salvar().gravados, QStringList{amb.pasta() + "rato7.tvl"});
        QCOMPARE(AmbienteSessao::linhasRegistro(amb.pasta() + "rato7.tvl"), registro);
        // The record there holds another recording's rows: this one is kept
        // apart, not dropped.
        QFile::setPermissions(amb.pasta() + "rato7.tvl", QFile::WriteOwner | QFile::ReadOwner);
        QFile::remove(amb.pasta() + "rato7.tvl");
        Arquivos::gravarAtomico(amb.pasta() + "rato7.tvl", QByteArray("h\r\n").repeated(10) +
                                                               "F6\tENTRADA\t0\t1\t1\t1\t1\r\n");
        Arquivos::gravarAtomico(diario, antes + fim);
        TRecuperacao outra(amb.dados, diario);
        QCOMPARE(outra.Ler(), TRecuperacao::Pronta);
        QCOMPARE(outra.Salvar().gravados, QStringList{amb.pasta() + "rato7-parcial.tvl"});
        QCOMPARE(AmbienteSessao::linhasRegistro(amb.pasta() + "rato7-parcial.tvl"), registro);
    }

    // One recording of an identification at a time, in one program or two.
    void trava() {
        AmbienteSessao amb;
        Gravador a(amb);
        QVERIFY(a.ok);
        Gravador b(amb);
        QVERIFY(!b.ok);
        QCOMPARE(b.sessao->RecusaAtual(), TSessao::Recusa::EmGravacao);
        QCOMPARE(b.ia.mensagens, QStringList{"TFormLabirintoSpeedButtonConfirmarClickMessage3"});
        QVERIFY(b.sessao->ConfirmarIdentificacao("rato8"));
        a.sessao->Fechar();
        Gravador c(amb);
        QVERIFY(c.ok);
        TTravaIdentificacao t;
        QCOMPARE(t.Travar(amb.pasta(), "rato7"), TTravaIdentificacao::Ocupada);
        c.matar();
        QCOMPARE(t.Travar(amb.pasta(), "rato7"), TTravaIdentificacao::Travada);
    }

    // A half-written pair: "_T1" there, finished; "_T1" missing, undone.
    void pares() {
        AmbienteSessao amb;
        const QString p = amb.pasta();
        Arquivos::gravarAtomico(p + "a_T1.tvl", "1");
        Arquivos::gravarAtomico(p + "a-20261209-140312-001" + TArquivoRegistro::SufixoPendente,
                                "2");
        for (const char *n : {"a-20261209-140312-001-1.txt", "a-20261209-140312-001-2.txt",
                              "a-20261209-140312-001.diario"})
            Arquivos::gravarAtomico(p + n, "x");
        Arquivos::gravarAtomico(p + "b-20261209-140312-001" + TArquivoRegistro::SufixoPendente,
                                "2");
        Arquivos::gravarAtomico(p + "b-20261209-140312-001-1.txt", "x");
        QCOMPARE(TArquivoRegistro::ConcluirPares(p, "b"), QStringList());
        QCOMPARE(TArquivoRegistro::ConcluirPares(p), QStringList{p + "a_T2.tvl"});
        QCOMPARE(QDir(p).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"a_T1.tvl", "a_T2.tvl", "b-20261209-140312-001-1.txt"}));
        QByteArray b;
        Arquivos::lerTudo(p + "a_T2.tvl", &b);
        QCOMPARE(b, QByteArray("2"));
    }
};

QTEST_GUILESS_MAIN(TstRecuperacao)
#include "tst_recuperacao.moc"
