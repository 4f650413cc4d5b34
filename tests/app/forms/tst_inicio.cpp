// Start-up, the login window and the new-user dialog.

#include "app/TEscolhaIdioma.h"
#include "app/TIdioma.h"
#include "app/TInstalacao.h"
#include "app/forms/TFormInicio.h"
#include "app/forms/TFormMain.h"
#include "app/forms/TFormNovoUsuario.h"
#include "core/Arquivos.h"
#include "core/BibliotecaLabirintos.h"
#include "core/TArquivoIni.h"
#include "core/TUsuario.h"

#include "TInteracaoFalsa.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TstInicio : public QObject {
    Q_OBJECT

    QTemporaryDir m_raiz;
    QString m_dir; // data directory of one test
    TInteracaoFalsa m_interacao;
    int m_n = 0;

    // What the program finds after its first start.
    void instalar() {
        QVERIFY(TInstalacao::CompletarDiretorio(m_dir, TInstalacao::PastaDistribuida()));
    }
    void escrever(const QString &relativo, const QByteArray &bytes) {
        QDir().mkpath(QFileInfo(m_dir + relativo).absolutePath());
        QVERIFY(Arquivos::gravarAtomico(m_dir + relativo, bytes));
    }
    QString mensagemNovoUsuario(int n) {
        return TIdioma::Ler(m_dir + "idiomas/portugues.ini", "UnitNovoUsuario",
                            QStringLiteral("TFormNovoUsuarioBitBtnOKClickMessage%1").arg(n));
    }
    // Key presses of each character (QTest::keyClicks takes Latin-1 only).
    static void digitar(QWidget *w, const QString &texto) {
        for (const QChar c : texto) {
            QKeyEvent tecla(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &tecla);
        }
    }
    static QStringList itens(QListWidget *lista) {
        QStringList nomes;
        for (int i = 0; i < lista->count(); ++i)
            nomes << lista->item(i)->text();
        return nomes;
    }

private slots:
    void init() {
        m_dir = QStringLiteral("%1/d%2/").arg(m_raiz.path()).arg(++m_n);
        QDir().mkpath(m_dir);
        m_interacao = TInteracaoFalsa();
    }

    void primeiroInicio_data() {
        QTest::addColumn<bool>("instalado");
        QTest::newRow("empty data directory") << false;
        QTest::newRow("after the shipped files are copied") << true;
    }
    void primeiroInicio() {
        QFETCH(bool, instalado);
        if (instalado) {
            const QString trabalho = m_raiz.path() + "/trabalho" + QString::number(m_n);
            QDir().mkpath(trabalho);
            QCOMPARE(TInstalacao::PrepararDiretorio(&m_interacao, trabalho, m_dir,
                                                    TInstalacao::PastaDistribuida()),
                     m_dir);
            QVERIFY(m_interacao.mensagens.isEmpty());
            QVERIFY(BibliotecaLabirintos::ListarLabirintos(m_dir + "Labirintos.ini")
                        .contains("CRUZ (3)"));
        }
        TFormMain main(m_dir, &m_interacao);
        main.show();
        TFormInicio *inicio = main.AbrirInicio();
        QCOMPARE(main.windowTitle(), instalado ? QString("Trevalin 2005 - Programa para Registro "
                                                         "Comportamental")
                                               : QString("ERRO"));
        QCOMPARE(main.Sair1->text(), instalado ? QString("&Sair") : QString("ERRO"));
        QVERIFY(inicio->isVisible());
        QVERIFY(inicio->GroupBoxBandeira->isVisible());
        QVERIFY(inicio->RadioGroupIdioma[0]->isChecked());
        QCOMPARE(inicio->ListBoxUsuarios->count(), 0);
        QVERIFY(!inicio->BitBtnLogar->isEnabled());
        QCOMPARE(main.Painel(2), QString());
        QVERIFY(!QFileInfo::exists(m_dir + "usuarios"));
    }

    // The box stores the language chosen in it and translates both windows
    // at once; the next login window does not ask again.
    void confirmarIdioma() {
        instalar();
        TFormMain main(m_dir, &m_interacao);
        main.show();
        TFormInicio *inicio = main.AbrirInicio();
        QTest::mouseClick(inicio->RadioGroupIdioma[1], Qt::LeftButton, {},
                          QPoint(5, inicio->RadioGroupIdioma[1]->height() / 2));
        QTest::mouseClick(inicio->SpeedButtonOk, Qt::LeftButton);

        const TArquivoIni escolha(m_dir + "idiomas/idioma.ini");
        QCOMPARE(escolha.ReadInteger("idioma", "lingua", -1), 1);
        QCOMPARE(escolha.ReadInteger("idioma", "configurado", -1), 1);
        QVERIFY(!inicio->GroupBoxBandeira->isVisible());
        QCOMPARE(main.Painel(2), QString("English"));
        QCOMPARE(inicio->BitBtnLogar->text(), QString("Log In"));
        QCOMPARE(main.Sair1->text(), QString("E&xit"));
        QCOMPARE(main.ArquivoIdioma(), m_dir + "idiomas/ingles.ini");

        main.DefinirPainel(2, QString());
        inicio = main.AbrirInicio();
        QVERIFY(!inicio->GroupBoxBandeira->isVisible());
        QCOMPARE(main.Painel(2), QString("English"));
    }

    // The first user through the login window: folder, profile and data
    // folder are made, the list shows the user unselected; logging in
    // enables the menus.
    void primeiroUsuario() {
        instalar();
        TFormMain main(m_dir, &m_interacao);
        main.show();
        QPointer<TFormInicio> inicio = main.AbrirInicio();
        bool foco = false;
        QTimer::singleShot(0, this, [&foco] {
            QWidget *modal = QApplication::activeModalWidget();
            auto *d = qobject_cast<TFormNovoUsuario *>(modal);
            if (!d) return modal->close();
            foco = d->focusWidget() == d->LabeledEditNome;
            QTest::keyClicks(d->LabeledEditNome, "Ana");
            QTest::keyClick(d->LabeledEditNome, Qt::Key_Return);
            return true;
        });
        QTest::mouseClick(inicio->SpeedButtonNovoUsuario, Qt::LeftButton);
        QVERIFY(foco);

        QVERIFY(m_interacao.mensagens.isEmpty());
        QVERIFY(QFileInfo(m_dir + "usuarios/Ana").isDir());
        QByteArray perfil;
        QVERIFY(Arquivos::lerTudo(m_dir + "usuarios/Ana.ini", &perfil));
        QCOMPARE(perfil, QByteArray("[Experimentos]\r\nQdeExp=0"));
        QCOMPARE(itens(inicio->ListBoxUsuarios), QStringList{"Ana"});
        QVERIFY(!inicio->BitBtnLogar->isEnabled());

        inicio->ListBoxUsuarios->item(0)->setSelected(true);
        QVERIFY(inicio->BitBtnLogar->isEnabled());
        QTest::mouseClick(inicio->BitBtnLogar, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!inicio);
        QCOMPARE(main.Usuario().Nome, QString("Ana"));
        QCOMPARE(main.Usuario().Arquivo, m_dir + "usuarios/Ana.ini");
        QCOMPARE(main.LogOff1->text(), QString("Log Off Ana"));
        for (QAction *a : {main.LogOff1, main.Opes1->menuAction(), main.Experimento1->menuAction(),
                           main.Analise1->menuAction()})
            QVERIFY(a->isEnabled());
        QVERIFY(!main.Excluir1->isEnabled());
        QVERIFY(!main.Ajuda1->isEnabled());
    }

    void filtroNome_data() {
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<QString>("campo");
        QTest::newRow("refused between") << "a.b-c"
                                         << "abc";
        QTest::newRow("every refused") << "!#$%&()*+,-.<=>?@[\\]^_`{|}~/"
                                       << "";
        QTest::newRow("accepted") << "Zé \"Ção\" 'x':;9"
                                  << "Zé \"Ção\" 'x':;9";
        QTest::newRow("outside Windows-1252") << "€Łódź"
                                              << "€ód";
        QTest::newRow("22nd refused") << "abcdefghijklmnopqrstuv"
                                      << "abcdefghijklmnopqrstu";
    }
    void filtroNome() {
        QFETCH(QString, digitado);
        QFETCH(QString, campo);
        TFormNovoUsuario d(m_dir, QString(), &m_interacao);
        d.show();
        digitar(d.LabeledEditNome, digitado);
        QCOMPARE(d.LabeledEditNome->text(), campo);
        // Pasting goes through the same filter.
        d.LabeledEditNome->clear();
        d.LabeledEditNome->insert(digitado);
        QCOMPARE(d.LabeledEditNome->text(), campo);
    }

    // Each refusal leaves the dialog open, writes nothing and says why.
    void recusas_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("mensagem"); // 0: the file system's error
        QTest::newRow("empty") << "" << 1;
        QTest::newRow("existing") << "Ana" << 2;
        QTest::newRow("existing, other case") << "aNA" << 2;
        QTest::newRow("users folder is a file") << "Bia" << 0;
    }
    void recusas() {
        QFETCH(QString, nome);
        QFETCH(int, mensagem);
        instalar();
        if (mensagem == 0)
            escrever("usuarios", "not a folder");
        else
            escrever("usuarios/Ana.ini", "[Experimentos]\r\nQdeExp=4");
        TFormNovoUsuario d(m_dir, m_dir + "idiomas/portugues.ini", &m_interacao);
        d.show();
        digitar(d.LabeledEditNome, nome);
        QTest::mouseClick(d.BitBtnOK, Qt::LeftButton);
        QVERIFY(d.isVisible());
        QCOMPARE(m_interacao.mensagens.size(), 1);
        if (mensagem)
            QCOMPARE(m_interacao.mensagens[0], mensagemNovoUsuario(mensagem));
        else
            QVERIFY(m_interacao.mensagens[0].contains(m_dir + "usuarios"));
        QVERIFY(!QFileInfo::exists(m_dir + "usuarios/" + nome + ".ini") || nome == "Ana");
        QByteArray perfil;
        QVERIFY(mensagem == 0 || Arquivos::lerTudo(m_dir + "usuarios/Ana.ini", &perfil));
        QVERIFY(mensagem == 0 || perfil == "[Experimentos]\r\nQdeExp=4");
    }

    void ordemUsuarios() {
        for (const char *arquivo : {"Carla.ini", "bruno.ini", "Ana.ini", "Álvaro.ini", "x.ini.ini",
                                    "Zé.INI", "notas.txt", ".ini"})
            escrever(QStringLiteral("usuarios/") + QString::fromUtf8(arquivo), "");
        QDir().mkpath(m_dir + "usuarios/pasta.ini");
        const QStringList esperado{"Álvaro", "Ana", "bruno", "Carla", "x.ini", "Zé"};
        QCOMPARE(TUsuario::ListarUsuarios(m_dir), esperado);
        TFormMain main(m_dir, &m_interacao);
        QCOMPARE(itens(main.AbrirInicio()->ListBoxUsuarios), esperado);
    }
};

QTEST_MAIN(TstInicio)
#include "tst_inicio.moc"
