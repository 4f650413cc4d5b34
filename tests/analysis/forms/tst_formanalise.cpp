// The analysis window driven through its widgets: building groups (insert,
// replace, limits, the name filter), the kinds offered by maze, the
// overwrite question, and a whole run compared with the command's file.

#include "TInteracaoFalsa.h"
#include "analysis/AmbienteAnalise.h"
#include "analysis/ComandoAnalise.h"
#include "analysis/forms/TFormAnalise.h"
#include "core/Arquivos.h"
#include "core/TIdioma.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace AmbienteAnalise;

namespace {

QStringList itens(QListWidget *l) {
    QStringList r;
    for (int i = 0; i < l->count(); ++i)
        r << l->item(i)->text();
    return r;
}

// Clicks (or double-clicks) the item of that text where it is drawn.
void clicar(QListWidget *l, const QString &texto, bool duplo = false) {
    const auto achados = l->findItems(texto, Qt::MatchExactly);
    QVERIFY2(achados.size() == 1, qPrintable(texto));
    l->scrollToItem(achados[0]);
    const QPoint p = l->visualItemRect(achados[0]).center();
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, p);
    if (duplo) QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, p);
}

const char *const kRadios[] = {
    "RadioButtonCompacta",       "RadioButtonCompactaPorBraco",       "RadioButtonQuadrado",
    "RadioButtonCompactaMinuto", "RadioButtonCompactaPorBracoMinuto", "RadioButtonQuadradoMinuto"};

// The window over an environment, with its widgets found by name.
struct Janela {
    Ambiente &a;
    TInteracaoFalsa interacao;
    TFormAnalise w;
    QListWidget *arquivos, *selecao, *grupos;
    QLineEdit *nome;
    QPushButton *inserir, *ok, *limpar, *analisar;
    QGroupBox *opcoes;

    explicit Janela(Ambiente &amb) : a(amb), w(*amb.u, &interacao) {
        arquivos = w.findChild<QListWidget *>("ListBoxArquivos");
        selecao = w.findChild<QListWidget *>("ListBoxSelecao");
        grupos = w.findChild<QListWidget *>("ListBoxGrupos");
        nome = w.findChild<QLineEdit *>("EditNomeGrupo");
        inserir = w.findChild<QPushButton *>("SpeedButtonInserirGrupo");
        ok = w.findChild<QPushButton *>("SpeedButtonOk");
        limpar = w.findChild<QPushButton *>("SpeedButtonCleanGrupos");
        analisar = w.findChild<QPushButton *>("SpeedButtonANALISAR");
        opcoes = w.findChild<QGroupBox *>("GroupBoxOpcoes");
        w.resize(w.sizeHint());
        w.show();
        if (!QTest::qWaitForWindowExposed(&w)) qFatal("window not shown");
    }
    QString texto(const char *chave) const {
        return TIdioma::Ler(a.u->ArquivoIdioma, TFormAnalise::Secao, QLatin1String(chave));
    }
    QRadioButton *radio(int i) { return w.findChild<QRadioButton *>(kRadios[i]); }
    // Double-clicks the files into the selection, types the name, Enter.
    void grupo(const QString &n, const QStringList &nomes) {
        for (const QString &f : nomes)
            clicar(arquivos, f, true);
        nome->setFocus();
        QTest::keyClicks(nome, n);
        QTest::keyClick(nome, Qt::Key_Return);
    }
    // Runs the checked kind into `saida`; the result of the run, or -1 when
    // none started.
    int analisarEm(const QString &saida) {
        w.DialogoSalvar = [saida](QWidget *, const QString &) { return saida; };
        QSignalSpy fim(&w, &TFormAnalise::AnaliseConcluida);
        QTest::mouseClick(analisar, Qt::LeftButton);
        if (fim.isEmpty() && !w.Executando()) return -1;
        if (fim.isEmpty() && !fim.wait(20000)) return -2;
        return fim.first().first().toInt();
    }
};

} // namespace

class TstFormAnalise : public QObject {
    Q_OBJECT

private slots:
    // Insert, the name filter, the two refusals, replace and "Limpar Tudo".
    void montarGrupos() {
        Ambiente a("CRUZ (3)");
        for (const char *n : {"rato1.tvl", "rato2.tvl", "rato10.tvl", "rato3.tvl"})
            a.registro(n, caminho("D4", 1, 300000));
        a.gravar("rato41.txt", "bruto"); // a raw file is no record
        Janela j(a);
        QCOMPARE(itens(j.arquivos), lista("rato1.tvl rato2.tvl rato3.tvl rato10.tvl"));

        // "> > >" with a chosen file, and a name typed with refused characters.
        clicar(j.arquivos, "rato2.tvl");
        QTest::mouseClick(j.w.findChild<QPushButton *>("SpeedButtonAddSelecao"), Qt::LeftButton);
        clicar(j.arquivos, "rato10.tvl", true);
        QCOMPARE(itens(j.selecao), lista("rato2.tvl rato10.tvl"));
        QTest::keyClicks(j.nome, "Con trole.1");
        QCOMPARE(j.nome->text(), QString("Controle1"));
        QTest::mouseClick(j.inserir, Qt::LeftButton);
        QCOMPARE(itens(j.grupos), lista("Controle1"));
        QCOMPARE(itens(j.arquivos), lista("rato1.tvl rato3.tvl"));
        QVERIFY(itens(j.selecao).isEmpty() && j.nome->text().isEmpty());

        // No file selected: the second message, nothing added.
        QTest::keyClicks(j.nome, "Vazio");
        QTest::keyClick(j.nome, Qt::Key_Return);
        QCOMPARE(j.interacao.mensagens,
                 QStringList{j.texto("TFormAnaliseSpeedButtonInserirGrupoClickMessage2")});
        // A name taken: both messages, the name field emptied.
        j.interacao.mensagens.clear();
        j.nome->clear();
        j.grupo("Controle1", {"rato1.tvl"});
        QCOMPARE(j.interacao.mensagens,
                 (QStringList{j.texto("TFormAnaliseSpeedButtonInserirGrupoClickMessage1"),
                              j.texto("TFormAnaliseSpeedButtonInserirGrupoClickMessage2")}));
        QVERIFY(j.nome->text().isEmpty());
        QCOMPARE(itens(j.grupos), lista("Controle1"));

        // Choosing the group while rato1 waits: rato1 goes back, the group's
        // files come up, the name field shows the group and is disabled.
        clicar(j.grupos, "Controle1");
        QCOMPARE(j.inserir->text(), j.texto("TFormAnaliseListBoxGruposClickMessage1"));
        QVERIFY(!j.nome->isEnabled());
        QCOMPARE(j.nome->text(), QString("Controle1"));
        QCOMPARE(itens(j.selecao), lista("rato2.tvl rato10.tvl"));
        QCOMPARE(itens(j.arquivos), lista("rato1.tvl rato3.tvl"));
        // Replace: rato10 out, rato3 in; the group list is unchanged.
        clicar(j.selecao, "rato10.tvl", true);
        clicar(j.arquivos, "rato3.tvl", true);
        QTest::mouseClick(j.inserir, Qt::LeftButton);
        QCOMPARE(itens(j.grupos), lista("Controle1"));
        QCOMPARE(itens(j.arquivos), lista("rato1.tvl rato10.tvl"));
        QVERIFY(j.nome->isEnabled() && j.nome->text().isEmpty());
        QCOMPARE(j.inserir->text(), j.texto("TFormAnaliseSpeedButtonCleanGruposClickMessage1"));
        clicar(j.grupos, "Controle1");
        QCOMPARE(itens(j.selecao), lista("rato2.tvl rato3.tvl"));

        // "Limpar Tudo" after choosing a group: every file back, insert mode.
        QTest::mouseClick(j.limpar, Qt::LeftButton);
        QVERIFY(itens(j.grupos).isEmpty() && itens(j.selecao).isEmpty());
        QCOMPARE(itens(j.arquivos).size(), 4);
        j.grupo("Novo", {"rato1.tvl"});
        QCOMPARE(itens(j.grupos), lista("Novo"));
        QCOMPARE(j.interacao.mensagens.size(), 2);
    }

    // 51 files in a selection and 51 groups; the 52nd of each is refused with
    // its message and changes nothing.
    void limites() {
        Ambiente a("CRUZ (3)");
        for (int i = 1; i <= 53; ++i)
            a.gravar(QStringLiteral("r%1.tvl").arg(i), "x");
        Janela j(a);
        for (int i = 1; i <= 51; ++i)
            clicar(j.arquivos, QStringLiteral("r%1.tvl").arg(i), true);
        QVERIFY(j.interacao.mensagens.isEmpty());
        clicar(j.arquivos, "r52.tvl", true);
        QCOMPARE(j.interacao.mensagens,
                 QStringList{j.texto("TFormAnaliseSpeedButtonAddSelecaoClickMessage1")});
        QCOMPARE(j.selecao->count(), 51);
        QCOMPARE(itens(j.arquivos), lista("r52.tvl r53.tvl"));

        QTest::mouseClick(j.limpar, Qt::LeftButton);
        j.interacao.mensagens.clear();
        for (int i = 1; i <= 51; ++i)
            j.grupo(QStringLiteral("g%1").arg(i), {QStringLiteral("r%1.tvl").arg(i)});
        QCOMPARE(j.grupos->count(), 51);
        QVERIFY(j.interacao.mensagens.isEmpty());
        j.grupo("g52", {"r52.tvl"});
        QCOMPARE(j.interacao.mensagens,
                 QStringList{j.texto("TFormAnaliseSpeedButtonInserirGrupoClickMessage3")});
        QCOMPARE(j.grupos->count(), 51);
        QCOMPARE(itens(j.selecao), lista("r52.tvl"));
    }

    // OK without a group keeps the options hidden; with one, the kinds are
    // enabled by maze and the checked one stays checked.
    void tiposPorLabirinto_data() {
        QTest::addColumn<QString>("labirinto");
        QTest::addColumn<QString>("habilitados"); // by kind, as in kRadios
        QTest::newRow("cross") << "CRUZ (5)"
                               << "111111";
        QTest::newRow("6x6 arena") << "ARENA (6x6)"
                                   << "111111";
        QTest::newRow("user arena") << "ARENA (5x7)"
                                    << "001001";
        QTest::newRow("I maze") << "EM I (3)"
                                << "101101";
        QTest::newRow("T maze") << "EM T (5)"
                                << "001001";
    }
    void tiposPorLabirinto() {
        QFETCH(QString, labirinto);
        QFETCH(QString, habilitados);
        Ambiente a(labirinto);
        a.gravar("r1.tvl", "x");
        Janela j(a);
        QTest::mouseClick(j.ok, Qt::LeftButton);
        QCOMPARE(j.interacao.mensagens,
                 QStringList{j.texto("TFormAnaliseSpeedButtonOkClickMessage1")});
        QVERIFY(j.opcoes->isHidden() && j.ok->isVisible());
        j.grupo("g", {"r1.tvl"});
        QTest::mouseClick(j.ok, Qt::LeftButton);
        QVERIFY(j.opcoes->isVisible() && j.ok->isHidden());
        QString r;
        for (int i = 0; i < 6; ++i)
            r += j.radio(i)->isEnabled() ? '1' : '0';
        QCOMPARE(r, habilitados);
        QVERIFY(j.radio(2)->isChecked());
        // Choosing a group goes back to building groups.
        clicar(j.grupos, "g");
        QVERIFY(j.opcoes->isHidden() && j.ok->isVisible());
    }

    // The 6x6 arena has no per-minute compact analysis and no per-arm one:
    // said before any file is asked for.
    void indisponivel() {
        Ambiente a("ARENA (6x6)");
        a.gravar("r1.tvl", "x");
        Janela j(a);
        j.grupo("g", {"r1.tvl"});
        QTest::mouseClick(j.ok, Qt::LeftButton);
        for (int i : {1, 3}) {
            j.interacao.mensagens.clear();
            QTest::mouseClick(j.radio(i), Qt::LeftButton);
            QVERIFY(j.radio(i)->isChecked());
            bool perguntado = false;
            j.w.DialogoSalvar = [&](QWidget *, const QString &) {
                perguntado = true;
                return QString();
            };
            QTest::mouseClick(j.analisar, Qt::LeftButton);
            QVERIFY(!perguntado);
            QCOMPARE(j.interacao.mensagens,
                     QStringList{j.texto("TFormAnaliseSpeedButtonANALISARClickMessage2")});
        }
    }

    // A read-only output: No leaves it untouched (no run); Yes replaces it
    // and the new file is read-only. A name typed without ".XLS" is asked
    // about its ".XLS" file.
    void sobrescrever() {
        Ambiente a("CRUZ (3)");
        a.registro("r1.tvl", caminho("D4 D3", 30000, 300000));
        Janela j(a);
        j.grupo("g", {"r1.tvl"});
        QTest::mouseClick(j.ok, Qt::LeftButton);
        const QString saida = a.dir.filePath("saida.XLS");
        a.gravar("saida.XLS", "antigo", a.dados);
        QVERIFY(Arquivos::marcarSomenteLeitura(saida));

        j.interacao.respostas = {false};
        QCOMPARE(j.analisarEm(a.dir.filePath("saida")), -1);
        QCOMPARE(j.interacao.perguntas,
                 QStringList{j.texto("TFormAnaliseSpeedButtonANALISARClickMessage1")});
        QCOMPARE(ler(saida), QByteArray("antigo"));
        QVERIFY(j.interacao.mensagens.isEmpty());

        j.interacao.respostas = {true};
        QCOMPARE(j.analisarEm(saida), int(TAnalise::Sucesso));
        QVERIFY(ler(saida).startsWith(QByteArray::fromHex("0908")));
        QVERIFY(Arquivos::somenteLeitura(saida));
        QCOMPARE(j.interacao.mensagens, QStringList{j.texto("GeradoComSucessoMessage")});
        // Cancelling the dialog does nothing at all.
        j.interacao.mensagens.clear();
        QCOMPARE(j.analisarEm(QString()), -1);
        QVERIFY(j.interacao.mensagens.isEmpty() && j.interacao.perguntas.size() == 2);
    }

    // While a run is under way (here held after its first record), the
    // window keeps answering: it shows the progress, refuses changes to
    // the groups and will not close; once it goes on the run ends
    // normally.
    void ocupadoDuranteExecucao() {
        Ambiente a("CRUZ (3)");
        a.registro("r1.tvl", caminho("D4 D3", 30000, 300000));
        a.registro("r2.tvl", caminho("D4 D5", 30000, 300000));
        Janela j(a);
        j.grupo("g", {"r1.tvl", "r2.tvl"});
        QTest::mouseClick(j.ok, Qt::LeftButton);

        // The worker is held after its first file until the test lets it go.
        QSemaphore liberar;
        connect(&j.w, &TFormAnalise::AnaliseCriada, this, [&](TAnalise *analise) {
            connect(
                analise, &TAnalise::Progresso, analise,
                [&](int feitos, int) {
                    if (feitos == 1) liberar.acquire();
                },
                Qt::DirectConnection);
        });
        j.w.DialogoSalvar = [&](QWidget *, const QString &) { return a.dir.filePath("s.XLS"); };
        QSignalSpy fim(&j.w, &TFormAnalise::AnaliseConcluida);
        QTest::mouseClick(j.analisar, Qt::LeftButton);
        auto *progresso = j.w.findChild<QProgressBar *>("ProgressBarAnalise");
        QTRY_COMPARE(progresso->value(), 1); // r1 done, r2 awaited
        QVERIFY(j.w.Executando() && fim.isEmpty());
        QVERIFY(progresso->isVisible() && !j.grupos->isEnabled() && !j.analisar->isEnabled());
        QVERIFY(!j.w.close());
        QVERIFY(j.w.isVisible());

        liberar.release();
        QVERIFY(fim.wait(20000));
        QCOMPARE(fim.first().first().toInt(), int(TAnalise::Sucesso));
        QCOMPARE(progresso->value(), 2);
        QVERIFY(j.grupos->isEnabled() && j.analisar->isEnabled());
        QVERIFY(j.w.close());
    }

    // A record with rows old recordings hold: analysed, the window shows
    // the warning naming file and rows before the success message, and the
    // run announced it as it read the file.
    void avisoDeLinhasEstranhas() {
        Ambiente a("CRUZ (3)");
        a.registro("velho.tvl", "D4\tENTRADA\t-500\t300000\t300500\t1\t1\r\n");
        Janela j(a);
        j.grupo("g", {"velho.tvl"});
        QTest::mouseClick(j.ok, Qt::LeftButton);
        QStringList avisos;
        connect(&j.w, &TFormAnalise::AnaliseCriada, this, [&](TAnalise *analise) {
            connect(
                analise, &TAnalise::Aviso, analise, [&](const QString &t) { avisos << t; },
                Qt::DirectConnection);
        });
        QCOMPARE(j.analisarEm(a.dir.filePath("s.XLS")), int(TAnalise::Sucesso));
        QCOMPARE(avisos.size(), 1);
        QVERIFY2(avisos[0].contains(a.pastaExperimento() + "velho.tvl") &&
                     avisos[0].contains("line 11 (starts before the session began)"),
                 qPrintable(avisos[0]));
        QCOMPARE(j.interacao.mensagens,
                 (QStringList{avisos[0], j.texto("GeradoComSucessoMessage")}));
    }

    // Records in the experiment's folder -> two groups -> the compact
    // analysis: the file is byte for byte the command's for the same groups.
    void igualAoComando() {
        Ambiente a("CRUZ (3)", {{1, "Limpar"}, {2, "Farejar"}});
        a.registro("rato1.tvl", caminho("D4 D3 D2 D4 E4 F4", 40000, 300000) +
                                    linha("D3", "Limpar", 41000, 45000, 1, 1));
        a.registro("rato2.tvl", caminho("D4 D5 D4 C4", 70000, 300000));
        a.registro("rato3.tvl", caminho("D4 B4 D4", 100000, 300000) +
                                    linha("B4", "Farejar", 120000, 121500, 3, 1));
        Janela j(a);
        j.grupo("Controle", {"rato1.tvl", "rato3.tvl"});
        j.grupo("Tratado", {"rato2.tvl"});
        QTest::mouseClick(j.ok, Qt::LeftButton);
        QTest::mouseClick(j.radio(TAnalise::Compacta), Qt::LeftButton);
        const QString janela = a.dir.filePath("janela.XLS");
        QCOMPARE(j.analisarEm(janela), int(TAnalise::Sucesso));
        QCOMPARE(j.interacao.mensagens, QStringList{j.texto("GeradoComSucessoMessage")});
        QVERIFY(j.analisar->isEnabled() && j.grupos->isEnabled());
        auto *progresso = j.w.findChild<QProgressBar *>("ProgressBarAnalise");
        QCOMPARE(progresso->maximum(), 3);
        QCOMPARE(progresso->value(), 3);
        QVERIFY(progresso->isHidden());

        QString out, err;
        QTextStream o(&out), e(&err);
        const QString comando = a.dir.filePath("comando.XLS");
        QCOMPARE(ComandoAnalise(QStringList{"--data", a.dados, "--user", a.usuario, "--experiment",
                                            a.experimento, "--kind", "compacta", "--out", comando,
                                            "--group", "Controle=rato1.tvl,rato3.tvl", "--group",
                                            "Tratado=rato2.tvl"},
                                o, e),
                 0);
        const QByteArray esperado = ler(comando);
        QVERIFY(esperado.size() > 200);
        QCOMPARE(ler(janela), esperado);

        // The other formats, by the picked name's extension: the same tidy
        // CSV as the command's, and an .xlsx.
        const QString csv = a.dir.filePath("janela.csv");
        QCOMPARE(j.analisarEm(csv), int(TAnalise::Sucesso));
        QCOMPARE(
            ComandoAnalise(QStringList{"--data", a.dados, "--user", a.usuario, "--experiment",
                                       a.experimento, "--kind", "compacta", "--out", comando,
                                       "--format", "csv", "--group", "Controle=rato1.tvl,rato3.tvl",
                                       "--group", "Tratado=rato2.tvl"},
                           o, e),
            0);
        QCOMPARE(ler(csv), ler(a.dir.filePath("comando.csv")));
        QVERIFY(ler(csv).contains("\nTratado,1,rato2,BRACO ABERTO,ENTRADA,,FREQUENCIA,"));
        QCOMPARE(j.analisarEm(a.dir.filePath("janela.xlsx")), int(TAnalise::Sucesso));
        QVERIFY(ler(a.dir.filePath("janela.xlsx")).startsWith("PK"));
        QVERIFY(Arquivos::somenteLeitura(a.dir.filePath("janela.xlsx")));
    }
};

QTEST_MAIN(TstFormAnalise)
#include "tst_formanalise.moc"
