// The main menu's data, video and About items: each opens its window with
// its flag set and its item disabled; closing clears both; log-off closes
// them; About blocks the main window until "Fechar"; the video window
// survives a cancelled dialog and a file it cannot open.

#include "core/TIdioma.h"
#include "app/TInstalacao.h"
#include "app/forms/TFormAbout.h"
#include "app/forms/TFormMain.h"
#include "app/forms/TFormVideo.h"
#include "core/Perfil.h"
#include "core/TUsuario.h"

#include "Controles.h"
#include "TInteracaoFalsa.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVideoWidget>

namespace {

// The child windows beside the experiment list and the configuration
// display, which are open while a user is logged in.
QList<QMdiSubWindow *> filhas(TFormMain &m) {
    QList<QMdiSubWindow *> outras;
    const auto todas = Controle<QMdiArea>(&m, "AreaFilhas")->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow *sub : todas) {
        const QString nome = sub->widget() ? sub->widget()->objectName() : QString();
        if (nome != QLatin1String("FormListExp") && nome != QLatin1String("FormShowConf"))
            outras.append(sub);
    }
    return outras;
}

} // namespace

class TstMenuDados : public QObject {
    Q_OBJECT

    QTemporaryDir m_raiz;
    TInteracaoFalsa m_interacao;
    std::unique_ptr<TFormMain> m_main;

    QAction *acao(const char *nome) { return Controle<QAction>(m_main.get(), nome); }
    TExperimento &experimento() { return m_main->Usuario().Experimento; }

private slots:
    void init() {
        static int n = 0;
        const QString dir = m_raiz.filePath(QStringLiteral("d%1/").arg(++n));
        QVERIFY(TInstalacao::CompletarDiretorio(dir, TInstalacao::PastaDistribuida()));
        Perfil::CriarUsuario(dir, "Ana");
        m_interacao = TInteracaoFalsa();
        m_main = std::make_unique<TFormMain>(dir, &m_interacao);
        m_main->resize(1000, 700);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        delete m_main->Inicio();
        m_main->Entrar("Ana");
    }
    void cleanup() { m_main.reset(); }

    void janelasUnicas_data() {
        QTest::addColumn<int>("flag");
        QTest::newRow("viewer") << int(TExperimento::JanelaVisualizar);
        QTest::newRow("file manager") << int(TExperimento::JanelaGerenciadorArquivos);
        QTest::newRow("video") << int(TExperimento::JanelaVideo);
        QTest::newRow("analysis") << int(TExperimento::JanelaAnalise);
    }
    void janelasUnicas() {
        QFETCH(int, flag);
        QAction *item = flag == TExperimento::JanelaVisualizar ? acao("Visualizar1")
                        : flag == TExperimento::JanelaVideo    ? acao("Video1")
                        : flag == TExperimento::JanelaAnalise  ? nullptr
                                                               : acao("Excluir2");
        if (item)
            item->trigger();
        else
            QVERIFY(m_main->AbrirAnalise());
        QCOMPARE(filhas(*m_main).size(), 1);
        QVERIFY(experimento().JanelaAberta[flag]);
        if (item) QVERIFY(!item->isEnabled());
        QVERIFY(filhas(*m_main)[0]->close());
        QVERIFY(!experimento().JanelaAberta[flag]);
        if (item) QVERIFY(item->isEnabled());

        // Open again; log-off closes it and clears the flag.
        if (item)
            item->trigger();
        else
            QVERIFY(m_main->AbrirAnalise());
        QVERIFY(experimento().JanelaAberta[flag]);
        QVERIFY(m_main->LogOff1Click());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(filhas(*m_main).isEmpty());
        QVERIFY(!experimento().JanelaAberta[flag]);
        if (item) QVERIFY(item->isEnabled());
    }

    // Opening the analysis window again closes the open one first.
    void analiseReaberta() {
        QWidget *primeira = m_main->AbrirAnalise();
        QPointer<QWidget> guarda(primeira);
        QVERIFY(m_main->AbrirAnalise() != primeira);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!guarda);
        QCOMPARE(filhas(*m_main).size(), 1);
        QVERIFY(experimento().JanelaAberta[TExperimento::JanelaAnalise]);
    }

    // While About is open the main window takes no input and "About..." is
    // disabled; "Fechar" ends both.
    void sobre() {
        acao("Sobre1")->trigger();
        auto *sobre = m_main->findChild<TFormAbout *>();
        QVERIFY(sobre);
        QVERIFY(QTest::qWaitForWindowExposed(sobre));
        QCOMPARE(QApplication::activeModalWidget(), sobre);
        QVERIFY(!acao("Sobre1")->isEnabled());
        QCOMPARE(sobre->findChild<QLabel *>("LabelVersao")->text(), QString("Versão 1.1.0"));
        QTest::mouseClick(sobre->findChild<QPushButton *>("SpeedButtonFechar"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!m_main->findChild<TFormAbout *>());
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(acao("Sobre1")->isEnabled());
        // Esc closes it too.
        acao("Sobre1")->trigger();
        sobre = m_main->findChild<TFormAbout *>();
        QTest::keyClick(sobre, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(acao("Sobre1")->isEnabled() && !m_main->findChild<TFormAbout *>());
    }

    // Cancelling the dialog changes nothing; a missing file is told as text
    // with its name, the player stays without a file and usable.
    void video() {
        acao("Video1")->trigger();
        auto *video = filhas(*m_main)[0]->findChild<TFormVideo *>();
        QVERIFY(video);
        auto *rotulo = video->findChild<QLabel *>("LabelArquivo");
        const QString antes = rotulo->text();
        int dialogos = 0;
        video->DialogoAbrir = [&](QWidget *) {
            ++dialogos;
            return QString();
        };
        QTest::mouseClick(video->findChild<QPushButton *>("SpeedButtonCarregar"), Qt::LeftButton);
        QCOMPARE(dialogos, 1);
        QCOMPARE(rotulo->text(), antes);
        QVERIFY(video->Arquivo().isEmpty());
        QVERIFY(!video->findChild<QVideoWidget *>());
        QVERIFY(!video->findChild<QToolButton *>("MediaPlayerPlay")->isEnabled());
        QVERIFY(m_interacao.mensagens.isEmpty());

        const QString falta = m_raiz.filePath("falta.avi");
        video->DialogoAbrir = [&](QWidget *) { return falta; };
        QTest::mouseClick(video->findChild<QPushButton *>("SpeedButtonCarregar"), Qt::LeftButton);
        QCOMPARE(m_interacao.mensagens.size(), 1);
        QVERIFY(m_interacao.mensagens[0].startsWith(
            TIdioma::Ler(m_main->Usuario().ArquivoIdioma, TFormVideo::Secao,
                         "TFormVideoSpeedButtonCarregarClickMessage1")));
        QVERIFY(m_interacao.mensagens[0].contains(falta));
        QCOMPARE(rotulo->text(), m_interacao.mensagens[0]);
        QVERIFY(video->Arquivo().isEmpty());
        QVERIFY(video->findChild<QPushButton *>("SpeedButtonCarregar")->isEnabled());
    }
};

QTEST_MAIN(TstMenuDados)
#include "tst_menudados.moc"
