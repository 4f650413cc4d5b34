// The experiment windows driven as a user drives them: new experiment,
// configuration, behaviour catalogue, experiment list and display, new
// maze, and one whole first session of a new user.

#include "analysis/forms/TFormAnalise.h"
#include "app/TInstalacao.h"
#include "app/forms/TFormComp.h"
#include "app/forms/TFormConf.h"
#include "app/forms/TFormInicio.h"
#include "app/forms/TFormListExp.h"
#include "app/forms/TFormMain.h"
#include "app/forms/TFormNovoExperimento.h"
#include "app/forms/TFormNovoLabirinto.h"
#include "app/forms/TFormNovoUsuario.h"
#include "app/forms/TFormShowConf.h"
#include "app/forms/TJanelasExperimento.h"
#include "core/Arquivos.h"
#include "core/BibliotecaLabirintos.h"
#include "core/TArquivoIni.h"
#include "core/TUsuario.h"

#include "TInteracaoFalsa.h"

#include <QSignalSpy>
#include <QTest>
#include <QtWidgets>

#include <functional>

namespace {

template <typename T = QWidget> T *filho(QObject *pai, const char *nome) {
    return pai ? pai->findChild<T *>(QLatin1String(nome)) : nullptr;
}

QByteArray ler(const QString &arquivo) {
    QByteArray b;
    Arquivos::lerTudo(arquivo, &b);
    return b;
}

QStringList itens(QListWidget *lista) {
    QStringList nomes;
    for (int i = 0; i < lista->count(); ++i)
        nomes << lista->item(i)->text();
    return nomes;
}

void clicar(QWidget *w) {
    QVERIFY(w && w->isVisible() && w->isEnabled());
    // Near the left edge: the indicator of check and radio boxes.
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(std::min(8, w->width() / 2), w->height() / 2));
}

void clicarItem(QListWidget *lista, const QString &nome, bool duplo = false) {
    const auto achados = lista->findItems(nome, Qt::MatchExactly);
    QCOMPARE(achados.size(), 1);
    const QPoint p = lista->visualItemRect(achados[0]).center();
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, p);
    if (duplo) QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, p);
}

// Replaces a field's text as a user does: select all, type, leave with Tab.
void digitarCampo(QWidget *campo, const QString &texto) {
    campo->setFocus();
    QTest::keyClick(campo, Qt::Key_A, Qt::ControlModifier);
    if (texto.isEmpty())
        QTest::keyClick(campo, Qt::Key_Delete);
    else
        QTest::keyClicks(campo, texto);
    QTest::keyClick(campo, Qt::Key_Tab);
}

QStringList textos(QTableWidget *t) {
    QStringList l;
    for (int r = 0; r < t->rowCount(); ++r)
        l << t->item(r, 0)->text() + "=" + t->item(r, 1)->text();
    return l;
}

// Runs `acao` inside the next modal dialog that opens.
void noDialogo(const std::function<void(QDialog *)> &acao) {
    QTimer::singleShot(0, [acao] {
        auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!d) return;
        // As on a screen: the dialog is the active window, so that leaving a
        // field (focus out) takes effect.
        QApplication::setActiveWindow(d);
        if (!QTest::qWaitForWindowActive(d)) return;
        acao(d);
        if (d->isVisible()) d->reject();
    });
}

} // namespace

class TstExperimentosJanelas : public QObject {
    Q_OBJECT

    QTemporaryDir m_raiz;
    QString m_dir;
    TInteracaoFalsa m_interacao;
    int m_n = 0;
    TFormMain *m_main = nullptr;

    QString perfil() const { return m_dir + "usuarios/Ana.ini"; }
    QString biblioteca() const { return m_dir + "Labirintos.ini"; }
    template <typename T> T *janela() const {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return m_main->findChild<T *>();
    }
    QListWidget *lista() const { return filho<QListWidget>(janela<TFormListExp>(), "ListBoxExp"); }
    QAction *acao(const char *nome) const { return filho<QAction>(m_main, nome); }

    // Installs the shipped files, writes Ana's profile and logs her in.
    void entrar(const QByteArray &perfilAna = "[Experimentos]\r\nQdeExp=0") {
        QVERIFY(TInstalacao::CompletarDiretorio(m_dir, TInstalacao::PastaDistribuida()));
        TArquivoIni escolha(m_dir + "idiomas/idioma.ini");
        escolha.WriteInteger("idioma", "lingua", 0);
        escolha.WriteInteger("idioma", "configurado", 1);
        QDir().mkpath(m_dir + "usuarios/Ana");
        QVERIFY(Arquivos::gravarAtomico(perfil(), perfilAna));
        m_main = new TFormMain(m_dir, &m_interacao);
        m_main->resize(1000, 720);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main));
        TFormInicio *inicio = m_main->AbrirInicio();
        clicarItem(filho<QListWidget>(inicio, "ListBoxUsuarios"), "Ana");
        clicar(filho(inicio, "BitBtnLogar"));
        QVERIFY(janela<TFormListExp>() && janela<TFormShowConf>());
    }

    QString mensagem(const QString &secao, const QString &chave) const {
        return TArquivoIni(m_dir + "idiomas/portugues.ini").ReadString(secao, chave, "?");
    }

private slots:
    void init() {
        m_dir = QStringLiteral("%1/d%2/").arg(m_raiz.path()).arg(++m_n);
        QDir().mkpath(m_dir);
        m_interacao = TInteracaoFalsa();
    }
    void cleanup() {
        Arquivos::desmarcarSomenteLeitura(perfil());
        Arquivos::desmarcarSomenteLeitura(biblioteca());
        delete m_main;
        m_main = nullptr;
    }

    // The first experiment of a new user: the blank refused as typed, the
    // eleven keys of a new experiment, the built-in values and CRUZ (3)
    // saved; the catalogue opens on catalogue 1 with the list and the
    // display disabled, the display showing catalogue 1 and no rows.
    void primeiroExperimento() {
        entrar();
        bool etapas = false;
        noDialogo([&](QDialog *d) {
            auto *nome = filho<QLineEdit>(d, "LabeledEdit");
            auto *conf = filho(d, "GroupBoxConf");
            QCOMPARE(d->focusWidget(), nome);
            QVERIFY(!conf->isEnabled());
            QTest::keyClicks(nome, "a b");
            QCOMPARE(nome->text(), QString("ab"));
            QTest::keyClick(nome, Qt::Key_Return);
            QVERIFY(!nome->isEnabled() && !filho(d, "BitBtnOK")->isEnabled() && conf->isEnabled());
            const TArquivoIni ini(perfil());
            QCOMPARE(ini.ReadString("Experimentos", "QdeExp", ""), QString("1"));
            QCOMPARE(ini.ReadString("Experimentos", "1", ""), QString("ab"));
            QCOMPARE(ini.ReadSection("ab").size(), 11);
            QCOMPARE(ini.ReadString("ab", "Configurado", ""), QString("0"));
            // No maze chosen: refused, nothing written.
            const QByteArray antes = ler(perfil());
            clicar(filho(d, "BitBtn1"));
            QCOMPARE(m_interacao.mensagens,
                     QStringList{mensagem("UnitNovoExperimento",
                                          "TFormNovoExperimentoBitBtn1ClickMessage1")});
            QCOMPARE(ler(perfil()), antes);
            auto *labirinto = filho<QComboBox>(d, "ComboBoxLabirinto");
            QCOMPARE(labirinto->itemText(0), QString("CRUZ (3)"));
            QCOMPARE(labirinto->count(), 8);
            labirinto->setFocus();
            QTest::keyClick(labirinto, Qt::Key_Down);
            QTest::keyClick(labirinto, Qt::Key_Return);
            etapas = true;
        });
        acao("Inserir1")->trigger();
        QVERIFY(etapas);
        QCOMPARE(m_interacao.mensagens.size(), 1);
        const TArquivoIni ini(perfil());
        QStringList salvos;
        for (const char *k : {"Configurado", "Labirinto", "Distancia", "QdeInicios",
                              "DivisoesDaSecao", "TempoSecao"})
            salvos << ini.ReadString("ab", k, "?");
        QCOMPARE(salvos, (QStringList{"1", "CRUZ (3)", "10", "1", "10", "300"}));

        auto *comp = janela<TFormComp>();
        QVERIFY(comp && comp->isVisible());
        QVERIFY(filho<QRadioButton>(comp, "RadioGroup1")->isChecked());
        QVERIFY(!janela<TFormListExp>()->isEnabled() && !janela<TFormShowConf>()->isEnabled());
        QVERIFY(!acao("Excluir1")->isEnabled());
        auto *exibicao = janela<TFormShowConf>();
        QCOMPARE(filho<QLabel>(exibicao, "LabelPadrao")->text(), QString("1"));
        QCOMPARE(filho<QLabel>(exibicao, "LabelTipo")->text(), QString("CRUZ (3)"));
        QCOMPARE(filho<QTableWidget>(exibicao, "ValueListEditor")->rowCount(), 0);
        QCOMPARE(itens(lista()), QStringList{"ab"});

        // Closing the catalogue unlocks the list and the display.
        QVERIFY(comp->parentWidget()->close());
        QVERIFY(!janela<TFormComp>());
        QVERIFY(janela<TFormListExp>()->isEnabled() && janela<TFormShowConf>()->isEnabled());
    }

    // A name already listed in another letter case, and an empty name:
    // message 1, the field emptied, still naming. Closing while configuring
    // leaves the experiment registered but not configured.
    void nomeEmUso() {
        entrar("[Experimentos]\r\nQdeExp=1\r\n1=Exp1\r\n[Exp1]\r\nConfigurado=1\r\n");
        const QByteArray antes = ler(perfil());
        noDialogo([&](QDialog *d) {
            auto *nome = filho<QLineEdit>(d, "LabeledEdit");
            QTest::keyClicks(nome, "EXP1");
            QTest::keyClick(nome, Qt::Key_Return);
            QCOMPARE(nome->text(), QString());
            clicar(filho(d, "BitBtnOK"));
            QVERIFY(nome->isEnabled() && !filho(d, "GroupBoxConf")->isEnabled());
            QCOMPARE(ler(perfil()), antes);
            QTest::keyClicks(nome, "Exp2");
            clicar(filho(d, "BitBtnOK"));
        });
        acao("Inserir1")->trigger();
        const QString m1 =
            mensagem("UnitNovoExperimento", "TFormNovoExperimentoBitBtnOKClickMessage1");
        QCOMPARE(m_interacao.mensagens, (QStringList{m1, m1}));
        QCOMPARE(itens(lista()), (QStringList{"Exp1", "Exp2"}));
        QVERIFY(!janela<TFormComp>());
        clicarItem(lista(), "Exp2");
        QVERIFY(filho(janela<TFormShowConf>(), "GroupBoxNaoConf")->isVisible());
    }

    // The spin fields: out-of-range moved to the nearest bound, an empty
    // field to the lower bound, letters refused as typed.
    void campos() {
        entrar("[Experimentos]\r\nQdeExp=1\r\n1=E\r\n[E]\r\nConfigurado=0\r\n");
        clicarItem(lista(), "E", true);
        auto *conf = janela<TFormConf>();
        QVERIFY(conf);
        auto *duracao = filho<QSpinBox>(conf, "SpinEditDuracao");
        auto *distancia = filho<QSpinBox>(conf, "SpinEditDistancia");
        const QList<std::tuple<QSpinBox *, QString, int>> casos = {
            {duracao, "5", 10},      {duracao, "99999", 9990}, {duracao, "", 10},
            {duracao, "4x5", 45},    {distancia, "150", 100},  {distancia, "", 0},
            {duracao, "1234", 1234}, {distancia, "0", 0}};
        for (const auto &[spin, texto, valor] : casos) {
            digitarCampo(spin, texto);
            QCOMPARE(spin->value(), valor);
        }
        // Choosing a maze sets the starts back to 1.
        clicar(filho(conf, "RadioButton2"));
        auto *labirinto = filho<QComboBox>(conf, "ComboBoxLabirinto");
        labirinto->setFocus();
        QTest::keyClick(labirinto, Qt::Key_Down);
        QVERIFY(filho<QRadioButton>(conf, "RadioButton1")->isChecked());
        clicar(filho(conf, "RadioButton2"));
        QTest::keyClick(conf, Qt::Key_Return);
        const TArquivoIni ini(perfil());
        QCOMPARE(ini.ReadString("E", "TempoSecao", ""), QString("1234"));
        QCOMPARE(ini.ReadString("E", "Distancia", ""), QString("0"));
        QCOMPARE(ini.ReadString("E", "QdeInicios", ""), QString("2"));
    }

    // Double-click on an experiment that is not configured opens its
    // configuration window (the session flag held for it); saving opens the
    // catalogue. Catalogue 2 saved with B and D only.
    void catalogo() {
        entrar("[Experimentos]\r\nQdeExp=2\r\n1=E\r\n2=F\r\n[E]\r\nConfigurado=0\r\n"
               "[F]\r\nConfigurado=1\r\nLabirinto=EM T (5)\r\nCompTipo=Comp2\r\n"
               "[Comp2]\r\n1=VELHO\r\n4=X\r\n");
        QSignalSpy sessoes(m_main->Experimentos(), &TJanelasExperimento::SessaoPedida);
        clicarItem(lista(), "E", true);
        auto *conf = janela<TFormConf>();
        QVERIFY(conf && sessoes.isEmpty());
        QCOMPARE(filho<QLabel>(conf, "LabelExp")->text(), QString("E"));
        QVERIFY(m_main->Usuario().Experimento.JanelaAberta[TExperimento::JanelaSessao]);
        QVERIFY(!lista()->isEnabled());
        auto *labirinto = filho<QComboBox>(conf, "ComboBoxLabirinto");
        labirinto->setFocus();
        QTest::keyClick(labirinto, Qt::Key_Down);
        clicar(filho(conf, "BitBtnOK"));
        QVERIFY(!janela<TFormConf>());
        QVERIFY(!m_main->Usuario().Experimento.JanelaAberta[TExperimento::JanelaSessao]);

        auto *comp = janela<TFormComp>();
        QVERIFY(comp && !lista()->isEnabled());
        QVERIFY(filho<QRadioButton>(comp, "RadioGroup1")->isChecked());
        clicar(filho(comp, "RadioGroup2"));
        auto *a = filho<QCheckBox>(comp, "CheckBoxA");
        auto *editA = filho<QLineEdit>(comp, "EditA");
        QVERIFY(a->isChecked());
        QCOMPARE(editA->text(), QString("VELHO"));
        // Unchecking empties and disables; checking again gives an empty,
        // editable field with the focus.
        clicar(a);
        QVERIFY(editA->text().isEmpty() && !editA->isEnabled());
        clicar(a);
        QVERIFY(editA->isEnabled() && editA->text().isEmpty() && editA->hasFocus());
        clicar(a);
        QCOMPARE(filho<QLineEdit>(comp, "EditD")->text(), QString("X"));
        clicar(filho(comp, "CheckBoxD"));
        clicar(filho(comp, "CheckBoxD"));
        clicar(filho(comp, "CheckBoxB"));
        QVERIFY(filho(comp, "EditB")->hasFocus());
        QTest::keyClicks(filho(comp, "EditB"), "fa");
        filho<QLineEdit>(comp, "EditB")->insert("\tr\ne"); // pasted
        QCOMPARE(filho<QLineEdit>(comp, "EditB")->text(), QString("FARE"));
        digitarCampo(filho(comp, "EditD"), "groom");
        clicar(filho(comp, "BitBtnSalvar"));

        QVERIFY(!janela<TFormComp>());
        QCOMPARE(m_interacao.mensagens, QStringList());
        const TArquivoIni ini(perfil());
        QCOMPARE(ini.ReadSection("Comp2"), (QStringList{"2", "4"}));
        QCOMPARE(ini.ReadString("Comp2", "2", "") + ini.ReadString("Comp2", "4", ""),
                 QString("FAREGROOM"));
        QCOMPARE(ini.ReadString("E", "CompTipo", ""), QString("Comp2"));
        QCOMPARE(sessoes.size(), 1);
        QCOMPARE(sessoes[0][0].toString(), QString("E"));
        QVERIFY(lista()->isEnabled());
        QCOMPARE(textos(filho<QTableWidget>(janela<TFormShowConf>(), "ValueListEditor")),
                 (QStringList{"B=FARE", "D=GROOM"}));

        // The catalogue is shared: F uses it too. Its session is asked for
        // by a double-click, since it is configured.
        clicarItem(lista(), "F", true);
        QCOMPARE(sessoes.size(), 2);
        QCOMPARE(m_main->Usuario().Experimento.Comp[2], QString("FARE"));
    }

    void catalogoRecusas() {
        entrar("[Experimentos]\r\nQdeExp=1\r\n1=E\r\n[E]\r\nConfigurado=0\r\n");
        clicarItem(lista(), "E", true);
        auto *labirinto = filho<QComboBox>(janela<TFormConf>(), "ComboBoxLabirinto");
        labirinto->setFocus();
        QTest::keyClick(labirinto, Qt::Key_Down);
        clicar(filho(janela<TFormConf>(), "BitBtnOK"));
        auto *comp = janela<TFormComp>();
        clicar(filho(comp, "CheckBoxA"));
        QTest::keyClicks(filho(comp, "EditA"), "entrada");
        const QByteArray antes = ler(perfil());
        clicar(filho(comp, "BitBtnSalvar"));
        clicar(filho(comp, "CheckBoxA"));
        clicar(filho(comp, "CheckBoxA"));
        QTest::keyClicks(filho(comp, "EditA"), "rear");
        clicar(filho(comp, "CheckBoxZ"));
        QTest::keyClicks(filho(comp, "EditZ"), "Rear");
        QTest::keyClick(filho(comp, "EditZ"), Qt::Key_Return);
        QVERIFY(Arquivos::marcarSomenteLeitura(perfil()));
        clicar(filho(comp, "CheckBoxZ"));
        clicar(filho(comp, "BitBtnSalvar"));
        QCOMPARE(m_interacao.mensagens,
                 (QStringList{mensagem("UnitComp", "TFormCompBitBtnSalvarClickMessage2"),
                              mensagem("UnitComp", "TFormCompBitBtnSalvarClickMessage3") +
                                  " REAR",
                              "Unable to write to " + perfil()}));
        QCOMPARE(ler(perfil()), antes);
        QVERIFY(janela<TFormComp>() == comp && comp->isVisible());
        QVERIFY(Arquivos::desmarcarSomenteLeitura(perfil()));
        QTest::keyClick(filho(comp, "EditA"), Qt::Key_Return);
        QVERIFY(!janela<TFormComp>());
        QCOMPARE(TArquivoIni(perfil()).ReadString("Comp1", "1", ""), QString("REAR"));
    }

    // Read-only profile: the name step and the settings step each refuse
    // with the reason, write nothing and leave the dialog as it was.
    void perfilSomenteLeitura() {
        entrar();
        const QByteArray antes = ler(perfil());
        noDialogo([&](QDialog *d) {
            QVERIFY(Arquivos::marcarSomenteLeitura(perfil()));
            QTest::keyClicks(filho(d, "LabeledEdit"), "Exp");
            clicar(filho(d, "BitBtnOK"));
            QVERIFY(filho(d, "LabeledEdit")->isEnabled());
            QCOMPARE(filho<QLineEdit>(d, "LabeledEdit")->text(), QString("Exp"));
            QVERIFY(!QFileInfo::exists(m_dir + "usuarios/Ana/Exp"));
            QVERIFY(Arquivos::desmarcarSomenteLeitura(perfil()));
            clicar(filho(d, "BitBtnOK"));
            QVERIFY(filho(d, "GroupBoxConf")->isEnabled());
            const QByteArray registrado = ler(perfil());
            QVERIFY(Arquivos::marcarSomenteLeitura(perfil()));
            auto *labirinto = filho<QComboBox>(d, "ComboBoxLabirinto");
            labirinto->setFocus();
            QTest::keyClick(labirinto, Qt::Key_Down);
            clicar(filho(d, "BitBtn1"));
            QVERIFY(d->isVisible());
            QCOMPARE(ler(perfil()), registrado);
        });
        acao("Inserir1")->trigger();
        QCOMPARE(m_interacao.mensagens, (QStringList{"Unable to write to " + perfil(),
                                                     "Unable to write to " + perfil()}));
        QVERIFY(ler(perfil()) != antes);
        QVERIFY(!janela<TFormComp>());

        // The configuration window likewise stays open.
        clicarItem(lista(), "Exp", true);
        auto *conf = janela<TFormConf>();
        auto *labirinto = filho<QComboBox>(conf, "ComboBoxLabirinto");
        labirinto->setFocus();
        QTest::keyClick(labirinto, Qt::Key_Down);
        const QByteArray registrado = ler(perfil());
        clicar(filho(conf, "BitBtnOK"));
        QCOMPARE(m_interacao.mensagens.size(), 3);
        QCOMPARE(ler(perfil()), registrado);
        QVERIFY(janela<TFormConf>() == conf && !janela<TFormComp>());
    }

    // Sorted without regard to case; a click shows the settings or the
    // not-configured panel; Enter or a double-click with nothing selected
    // does nothing; the analysis button waits for a selection.
    void listaExperimentos() {
        entrar("[Experimentos]\r\nQdeExp=4\r\n1=C2\r\n2=a1\r\n3=B7\r\n"
               "[C2]\r\nConfigurado=1\r\nLabirinto=CRUZ (5)\r\nTempoSecao=600\r\nDistancia=40\r\n"
               "QdeInicios=2\r\nCompTipo=Comp3\r\n[Comp3]\r\n26=ZZ\r\n2=BB\r\n");
        QListWidget *l = lista();
        QCOMPARE(itens(l), (QStringList{"", "a1", "B7", "C2"}));
        QCOMPARE(l->toolTip(), mensagem("UnitListExp", "ListBoxExpHint"));
        auto *exibicao = janela<TFormShowConf>();
        auto *analise = filho(janela<TFormListExp>(), "SpeedButtonAnalise");
        QSignalSpy analises(m_main->Experimentos(), &TJanelasExperimento::AnalisePedida);
        QSignalSpy sessoes(m_main->Experimentos(), &TJanelasExperimento::SessaoPedida);
        QVERIFY(!analise->isEnabled() && !acao("Excluir1")->isEnabled());
        l->setFocus();
        QTest::keyClick(l, Qt::Key_Return);
        QVERIFY(sessoes.isEmpty() && !janela<TFormConf>());

        clicarItem(l, "C2");
        QVERIFY(analise->isEnabled() && acao("Excluir1")->isEnabled());
        QStringList valores;
        for (const char *n : {"LabelTipo", "LabelDistancia", "LabelDuracao", "LabelQdeInicios",
                              "LabelPadrao"})
            valores << filho<QLabel>(exibicao, n)->text();
        QCOMPARE(valores, (QStringList{"CRUZ (5)", "40", "600", "2", "3"}));
        QCOMPARE(textos(filho<QTableWidget>(exibicao, "ValueListEditor")),
                 (QStringList{"B=BB", "Z=ZZ"}));
        QTest::keyClick(l, Qt::Key_Up); // to B7 by keyboard
        QCOMPARE(m_main->Usuario().Experimento.Nome, QString("B7"));
        QVERIFY(filho(exibicao, "GroupBoxNaoConf")->isVisible());
        QVERIFY(!filho(exibicao, "ValueListEditor")->isVisible());
        clicar(analise);
        QCOMPARE(analises.size(), 1);
        QCOMPARE(analises[0][0].toString(), QString("B7"));
        QCOMPARE(janela<TFormAnalise>()->parentWidget()->isVisible(), true);
        clicarItem(l, "C2");
        QTest::keyClick(l, Qt::Key_Return);
        QCOMPARE(sessoes.size(), 1);
        QVERIFY(!acao("Excluir1")->isEnabled());

        // Configurar on the display opens the configuration of B7.
        clicarItem(l, "B7");
        clicar(filho(exibicao, "SpeedButtonConfigurar"));
        QCOMPARE(filho<QLabel>(janela<TFormConf>(), "LabelExp")->text(), QString("B7"));
        QVERIFY(!l->isEnabled() && !exibicao->isEnabled() && !acao("Excluir1")->isEnabled());
        janela<TFormConf>()->parentWidget()->close();
        QVERIFY(!janela<TFormConf>() && l->isEnabled() && acao("Excluir1")->isEnabled());
    }

    // Deleting the selected experiment; refused while its session window
    // is open, allowed for another one.
    void excluir() {
        entrar("[Experimentos]\r\nQdeExp=2\r\n1=E\r\n2=F\r\n[E]\r\nConfigurado=1\r\n"
               "[F]\r\nConfigurado=1\r\n");
        auto *sessao = new QWidget;
        m_main->AbrirFilha(sessao);
        m_main->RegistrarJanela(TExperimento::JanelaSessao, sessao, "E");
        m_main->Usuario().Experimento.JanelaAberta[TExperimento::JanelaSessao] = true;
        const QByteArray antes = ler(perfil());
        clicarItem(lista(), "E");
        acao("Excluir1")->trigger();
        QCOMPARE(m_interacao.mensagens,
                 QStringList{mensagem("UnitMain", "TFormMainExcluir1ClickMessage5") + " E"});
        QVERIFY(m_interacao.perguntas.isEmpty());
        QCOMPARE(ler(perfil()), antes);
        clicarItem(lista(), "F");
        acao("Excluir1")->trigger();
        QCOMPARE(m_interacao.perguntas.size(), 1);
        QCOMPARE(itens(lista()), QStringList{"E"});
        QVERIFY(filho<QLabel>(janela<TFormShowConf>(), "LabelTipo")->text().isEmpty());
    }

    // ARENA (1x1), ARENA (4x6), the existing size, the read-only library;
    // the menu item is off while the window is open.
    void novoLabirinto() {
        entrar();
        auto abrir = [this] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            acao("CriarNovoLabirinto1")->trigger();
            return janela<TFormNovoLabirinto>();
        };
        auto *w = abrir();
        QVERIFY(w && !acao("CriarNovoLabirinto1")->isEnabled());
        QVERIFY(m_main->Usuario().Experimento.JanelaAberta[TExperimento::JanelaNovoLabirinto]);
        // The preview keeps its centre: 5 pixels each way per cell.
        auto *grade = filho(w, "StringGridArena");
        QCOMPARE(grade->size(), QSize(12, 12));
        const QPoint origem = grade->pos() + QPoint(5, 5);
        clicar(filho(w, "SpeedButton1"));
        QVERIFY(!janela<TFormNovoLabirinto>() && acao("CriarNovoLabirinto1")->isEnabled());
        QVERIFY(!m_main->Usuario().Experimento.JanelaAberta[TExperimento::JanelaNovoLabirinto]);
        const TArquivoIni ini(biblioteca());
        QCOMPARE(ini.ReadString("ARENA (1x1)", "ComprimentoDoBraco", "") +
                     ini.ReadString("ARENA (1x1)", "TemQuadradoCentral", "") +
                     ini.ReadString("ARENA (1x1)", "Desloca", ""),
                 QString("011"));

        w = abrir();
        auto *colunas = filho<QSpinBox>(w, "SpinEditColunas");
        auto *linhas = filho<QSpinBox>(w, "SpinEditLinhas");
        colunas->setFocus();
        QTest::keyClicks(colunas, "9"); // typing does nothing
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(colunas, Qt::Key_Up);
        for (int i = 0; i < 20; ++i)
            QTest::keyClick(linhas, Qt::Key_Up);
        QCOMPARE(linhas->value(), 15);
        for (int i = 0; i < 9; ++i)
            QTest::keyClick(linhas, Qt::Key_Down);
        grade = filho(w, "StringGridArena");
        QCOMPARE(grade->size(), QSize(4 * 11 + 1, 6 * 11 + 1));
        QCOMPARE(grade->pos(), origem - QPoint(5 * 4, 5 * 6));
        clicar(filho(w, "SpeedButton1"));
        QCOMPARE(ini.ReadSection("ARENA (4x6)"),
                 (QStringList{"QuadradosEmX", "QuadradosEmY", "BracoQuadrante1", "BracoQuadrante2",
                              "BracoQuadrante3", "BracoQuadrante4", "ComprimentoDoBraco",
                              "TemQuadradoCentral", "TemCentro", "Desloca"}));
        QCOMPARE(ini.ReadString("ARENA (4x6)", "ComprimentoDoBraco", "") +
                     ini.ReadString("ARENA (4x6)", "TemQuadradoCentral", ""),
                 QString("20"));
        QVERIFY(ini.ReadString("LABIRINTOS", "Labirintos", "")
                    .endsWith("ARENA (6x6)/ARENA (1x1)/ARENA (4x6)/"));
        QCOMPARE(ini.ReadInteger("LABIRINTOS", "Qde", 0), 10);

        // ARENA (4x4) ships with the program; then a read-only library.
        const QByteArray antes = ler(biblioteca());
        w = abrir();
        colunas = filho<QSpinBox>(w, "SpinEditColunas");
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(colunas, Qt::Key_Up);
            QTest::keyClick(filho(w, "SpinEditLinhas"), Qt::Key_Up);
        }
        clicar(filho(w, "SpeedButton1"));
        QVERIFY(Arquivos::marcarSomenteLeitura(biblioteca()));
        QTest::keyClick(colunas, Qt::Key_Up);
        clicar(filho(w, "SpeedButton1"));
        QCOMPARE(m_interacao.mensagens.mid(2),
                 (QStringList{mensagem("UnitNovoLabirinto",
                                       "TFormNovoLabirintoSpeedButton1ClickMessage2"),
                              "Unable to write to " + biblioteca()}));
        QCOMPARE(ler(biblioteca()), antes);
        QVERIFY(janela<TFormNovoLabirinto>() == w);

        // Log-off closes it with the user's other windows.
        QVERIFY(m_main->LogOff1Click());
        QVERIFY(!janela<TFormNovoLabirinto>() && !janela<TFormListExp>() &&
                !janela<TFormShowConf>());
        QVERIFY(acao("CriarNovoLabirinto1")->isEnabled());
    }

    // From an empty data folder to a configured experiment with its
    // catalogue, by mouse and keyboard only; read back through the core.
    void primeiraVez() {
        QCOMPARE(TInstalacao::PrepararDiretorio(&m_interacao, m_raiz.path(), m_dir,
                                                TInstalacao::PastaDistribuida()),
                 m_dir);
        m_main = new TFormMain(m_dir, &m_interacao);
        m_main->resize(1000, 720);
        m_main->show();
        TFormInicio *inicio = m_main->AbrirInicio();
        clicar(filho(inicio, "SpeedButtonOk"));
        noDialogo([](QDialog *d) {
            QTest::keyClicks(filho(d, "LabeledEditNome"), "Ana");
            QTest::keyClick(filho(d, "LabeledEditNome"), Qt::Key_Return);
        });
        clicar(filho(inicio, "SpeedButtonNovoUsuario"));
        clicarItem(filho<QListWidget>(inicio, "ListBoxUsuarios"), "Ana", true);
        QVERIFY(janela<TFormListExp>() && !m_main->Inicio());

        noDialogo([](QDialog *d) {
            QTest::keyClicks(filho(d, "LabeledEdit"), "Labirinto_em_cruz");
            QTest::keyClick(filho(d, "LabeledEdit"), Qt::Key_Return);
            QWidget *labirinto = d->focusWidget();
            QCOMPARE(labirinto, filho(d, "ComboBoxLabirinto"));
            QTest::keyClick(labirinto, Qt::Key_Down);
            QTest::keyClick(labirinto, Qt::Key_Down);
            QTest::keyClick(labirinto, Qt::Key_Tab);        // distance
            QTest::keyClicks(d->focusWidget(), "150");      // moved to 100
            QTest::keyClick(d->focusWidget(), Qt::Key_Tab); // duration
            QTest::keyClick(d->focusWidget(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(d->focusWidget(), "600");
            clicar(filho(d, "RadioButton2"));
            QTest::keyClick(d->focusWidget(), Qt::Key_Return);
        });
        acao("Inserir1")->trigger();
        auto *comp = janela<TFormComp>();
        QVERIFY(comp);
        clicar(filho(comp, "CheckBoxA"));
        QTest::keyClicks(comp->focusWidget(), "sniff");
        clicar(filho(comp, "CheckBoxC"));
        QTest::keyClicks(comp->focusWidget(), "groom");
        QTest::keyClick(comp->focusWidget(), Qt::Key_Return);
        QVERIFY(!janela<TFormComp>());
        QVERIFY(m_interacao.mensagens.isEmpty());

        TExperimento e;
        e.Carregar(m_dir + "usuarios/Ana.ini", "Labirinto_em_cruz");
        QVERIFY(e.Configurado);
        QCOMPARE(e.Labirinto, QString("CRUZ (5)"));
        QCOMPARE((QList<int>{e.Distancia, e.TempoSecao, e.QdeInicios, e.DivisoesDaSecao}),
                 (QList<int>{100, 600, 2, 10}));
        QCOMPARE(e.Comp[0], QString("Comp1"));
        QCOMPARE(e.Status.Qde, 2);
        QCOMPARE(e.Comp[1] + "|" + e.Comp[3], QString("SNIFF|GROOM"));
        QVERIFY(QFileInfo(m_dir + "usuarios/Ana/Labirinto_em_cruz").isDir());
        QCOMPARE(itens(lista()), QStringList{"Labirinto_em_cruz"});
    }
};

QTEST_MAIN(TstExperimentosJanelas)
#include "tst_experimentos.moc"
