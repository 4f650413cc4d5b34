// The data file manager driven through its widgets: the refusals, a
// deletion, the rename to rato2.tvl and the copy into TVLfilesDDMMYYYY
// with its replace question.

#include "ArvoreArquivos.h"
#include "TInteracaoFalsa.h"
#include "core/Arquivos.h"
#include "core/TIdioma.h"
#include "data/PastasUsuario.h"
#include "data/forms/TFormExcluirDados.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using ArvoreArquivos::duploClique;
using PastasUsuario::gravar;
using PastasUsuario::ler;

namespace {

QStringList itens(QListWidget *l) {
    QStringList r;
    for (int i = 0; i < l->count(); ++i)
        r << l->item(i)->text();
    return r;
}

const QString kIdioma = QStringLiteral(TREVALIN_RESOURCES "/idiomas/ingles.ini");

QString texto(const char *chave) {
    return TIdioma::Ler(kIdioma, TFormExcluirDados::Secao, QLatin1String(chave));
}

} // namespace

class TstFormExcluirDados : public QObject {
    Q_OBJECT

    PastasUsuario::Raiz m_raiz;
    QString m_pasta;
    TInteracaoFalsa m_interacao;
    std::unique_ptr<TFormExcluirDados> m_w;

    QTreeView *arvore() { return m_w->findChild<QTreeView *>("ShellTreeViewDados"); }
    QPushButton *botao(const char *nome) { return m_w->findChild<QPushButton *>(nome); }
    void clicar(const char *nome) { QTest::mouseClick(botao(nome), Qt::LeftButton); }

private slots:
    void init() {
        m_pasta = m_raiz.nova("Velha/rato9.tvl");
        m_interacao = TInteracaoFalsa();
        m_w = std::make_unique<TFormExcluirDados>(m_pasta, QStringList{"Exp1"}, kIdioma,
                                                  &m_interacao);
        m_w->Hoje = [] { return QDate(2026, 12, 8); };
        m_w->resize(520, 620);
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
    }
    void cleanup() { m_w.reset(); }

    // Without an option the tree lists nothing; folder deletion refuses an
    // experiment's folder and lists another one, shows no files, and
    // deletes after one question naming what goes.
    void excluirPasta() {
        QVERIFY(!arvore()->isEnabled());
        clicar("SpeedButtonDelFolder");
        QVERIFY(arvore()->isEnabled());
        QVERIFY(!ArvoreArquivos::mostra(arvore(), m_pasta + "/Velha/rato9.tvl"));
        QVERIFY(duploClique(arvore(), m_pasta + "/Exp1"));
        QCOMPARE(m_interacao.mensagens,
                 QStringList{texto("TFormExcluirDadosShellTreeViewDadosDblClickMessage1")});
        auto *lista = m_w->findChild<QListWidget *>("ListBoxExcluir");
        QVERIFY(itens(lista).isEmpty());
        QVERIFY(duploClique(arvore(), m_pasta + "/Velha"));
        QCOMPARE(itens(lista), QStringList{"Velha"});

        m_interacao.respostas = {false};
        clicar("SpeedButtonExcluir");
        QVERIFY(QFileInfo::exists(m_pasta + "/Velha/rato9.tvl"));
        QCOMPARE(m_interacao.perguntas.size(), 1);
        QVERIFY(m_interacao.perguntas[0].startsWith(
            texto("TFormExcluirDadosSpeedButtonExcluirClickMessage1")));
        QVERIFY(m_interacao.perguntas[0].endsWith("\nVelha"));
        clicar("SpeedButtonExcluir");
        QVERIFY(!QFileInfo::exists(m_pasta + "/Velha"));
        QVERIFY(QFileInfo::exists(m_pasta + "/Exp1/rato1.tvl"));
        QVERIFY(!arvore()->isEnabled() && itens(lista).isEmpty());
        QCOMPARE(m_interacao.mensagens.size(), 1);
    }

    // File deletion takes no folder; the copy option empties the deletion
    // list, a deletion option keeps the copy list.
    void listas() {
        clicar("SpeedButtonCopyArq");
        QVERIFY(duploClique(arvore(), m_pasta + "/Exp1/rato1.tvl"));
        QVERIFY(duploClique(arvore(), m_pasta + "/Exp1/rato1.tvl"));
        auto *copia = m_w->findChild<QListWidget *>("ListBoxCopiar");
        QCOMPARE(itens(copia), QStringList{"Exp1/rato1.tvl"});
        clicar("SpeedButtonDelArq");
        auto *exclusao = m_w->findChild<QListWidget *>("ListBoxExcluir");
        QVERIFY(duploClique(arvore(), m_pasta + "/Velha"));
        QVERIFY(itens(exclusao).isEmpty());
        QVERIFY(ArvoreArquivos::mostra(arvore(), m_pasta + "/Exp1/notas.txt"));
        QVERIFY(duploClique(arvore(), m_pasta + "/Exp1/notas.txt"));
        QCOMPARE(itens(exclusao), QStringList{"Exp1/notas.txt"});
        clicar("SpeedButtonCopyArq");
        QCOMPARE(itens(copia), QStringList{"Exp1/rato1.tvl"});
        clicar("SpeedButtonDelArq");
        QVERIFY(itens(exclusao).isEmpty());
    }

    // rato1.tvl in Exp1 renamed to rato2 gives Exp1/rato2.tvl; renaming
    // notas.txt to rato2 too is refused and changes nothing.
    void renomear() {
        clicar("SpeedButtonRenArq");
        QVERIFY(duploClique(arvore(), m_pasta + "/Exp1/rato1.tvl"));
        auto *edit = m_w->findChild<QLineEdit *>("EditNovoNome");
        QCOMPARE(edit->text(), QString("rato1"));
        edit->clear();
        QTest::keyClicks(edit, "rato2");
        clicar("SpeedButtonRenomear");
        QCOMPARE(m_interacao.perguntas,
                 QStringList{
                     texto("TFormExcluirDadosSpeedButtonRenomearClickMessage1") + " rato1.tvl " +
                     texto("TFormExcluirDadosSpeedButtonRenomearClickMessage2") + " rato2.tvl ?"});
        QCOMPARE(ler(m_pasta + "/Exp1/rato2.tvl"), QByteArray("um"));
        QVERIFY(!QFileInfo::exists(m_pasta + "/Exp1/rato1.tvl"));

        clicar("SpeedButtonRenArq");
        QVERIFY(duploClique(arvore(), m_pasta + "/Exp1/notas.txt"));
        edit->clear();
        QTest::keyClicks(edit, "rato2");
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(
            m_interacao.mensagens,
            QStringList{texto("TFormExcluirDadosSpeedButtonRenomearClickMessage3") + " rato2.tvl"});
        QCOMPARE(ler(m_pasta + "/Exp1/rato2.tvl"), QByteArray("um"));
        QCOMPARE(ler(m_pasta + "/Exp1/notas.txt"), QByteArray("notas"));
    }

    // Exp1/rato1.tvl copied to D on the 8th of December 2026 lands in
    // D/TVLfiles08122026/Exp1/rato1.tvl; the same copy again asks; No keeps
    // the first copy, Yes replaces it.
    void copiar() {
        const QString destino = m_raiz.filePath("D");
        QDir().mkpath(destino);
        clicar("SpeedButtonCopyArq");
        QVERIFY(duploClique(arvore(), m_pasta + "/Exp1/rato1.tvl"));
        clicar("SpeedButtonCopiar");
        QCOMPARE(m_interacao.mensagens,
                 QStringList{texto("TFormExcluirDadosSpeedButtonCopiarClickMessage4")});
        m_w->DialogoPasta = [destino](QWidget *, const QString &) { return destino; };
        clicar("SpeedButtonDestino");
        m_interacao.mensagens.clear();
        clicar("SpeedButtonCopiar");
        const QString copia = destino + "/TVLfiles08122026/Exp1/rato1.tvl";
        QCOMPARE(ler(copia), QByteArray("um"));
        QCOMPARE(m_interacao.mensagens,
                 QStringList{texto("TFormExcluirDadosSpeedButtonCopiarClickMessage2")});
        QVERIFY(m_interacao.perguntas.isEmpty());

        gravar(m_pasta + "/Exp1/rato1.tvl", "um, de novo");
        clicar("SpeedButtonCopyArq"); // the list kept its entry
        m_interacao.respostas = {false};
        clicar("SpeedButtonCopiar");
        QCOMPARE(m_interacao.perguntas.size(), 1);
        QVERIFY(m_interacao.perguntas[0].startsWith(
            texto("TFormExcluirDadosSpeedButtonCopiarClickMessage1")));
        QCOMPARE(ler(copia), QByteArray("um"));
        clicar("SpeedButtonCopyArq");
        clicar("SpeedButtonCopiar");
        QCOMPARE(ler(copia), QByteArray("um, de novo"));
        QCOMPARE(QDir(destino + "/TVLfiles08122026/Exp1").entryList(QDir::Files | QDir::Hidden),
                 QStringList{"rato1.tvl"});
    }
};

QTEST_MAIN(TstFormExcluirDados)
#include "tst_formexcluirdados.moc"
