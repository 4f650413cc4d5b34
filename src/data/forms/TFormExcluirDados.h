#pragma once

#include "data/TGerenciadorArquivos.h"

#include <QDate>
#include <QWidget>

#include <functional>

class QButtonGroup;
class QFileSystemModel;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QModelIndex;
class QPushButton;
class QStackedWidget;
class QTreeView;
class TInteracao;

// The data file manager (unit "UnitExcluirDados"): a thin window over
// TGerenciadorArquivos. Four options (copy files, delete files, delete
// folders, rename a file), a tree of the user's folder whose double-click
// takes an item, and the part of the chosen option below.
//
// Every question and message goes through the TInteracao; the texts come
// from the language file given. Emits Fechada when it closes, so the opener
// can clear its flag and enable its menu item again.
class TFormExcluirDados : public QWidget {
    Q_OBJECT
public:
    static const QString Secao; // "UnitExcluirDados"

    // pastaUsuario: the user's folder; experimentos: the profile's
    // experiment names (their folders cannot be deleted here).
    TFormExcluirDados(const QString &pastaUsuario, const QStringList &experimentos,
                      const QString &arquivoIdioma, TInteracao *interacao,
                      QWidget *parent = nullptr);
    ~TFormExcluirDados() override;

    // The folder dialog of the destination ("Procurar..."): the folder
    // picked, or an empty text. Tests put their own in.
    std::function<QString(QWidget *pai, const QString &inicial)> DialogoPasta;
    // Today, for the dated folder of the copies.
    std::function<QDate()> Hoje;

signals:
    void Fechada();

protected:
    void closeEvent(QCloseEvent *evento) override;

private:
    void criarControles();
    void carregarIdioma();
    QString mensagem(const char *chave) const;
    void escolher(int opcao);
    void liberar();
    void mostrarListas();
    void ShellTreeViewDadosDblClick(const QModelIndex &indice);
    void SpeedButtonCopiarClick();
    void SpeedButtonExcluirClick();
    void SpeedButtonRenomearClick();

    TGerenciadorArquivos m_gerenciador;
    QString m_arquivoIdioma;
    TInteracao *m_interacao;

    QGroupBox *GroupBoxOpcao = nullptr;
    QButtonGroup *m_opcoes = nullptr;
    QPushButton *SpeedButtonCopyArq = nullptr;
    QPushButton *SpeedButtonDelArq = nullptr;
    QPushButton *SpeedButtonDelFolder = nullptr;
    QPushButton *SpeedButtonRenArq = nullptr;
    QGroupBox *GroupBoxPath = nullptr;
    QTreeView *ShellTreeViewDados = nullptr;
    QFileSystemModel *m_modelo = nullptr;
    QStackedWidget *m_partes = nullptr;
    QLabel *Panel = nullptr;
    QGroupBox *GroupBoxCopiar = nullptr;
    QLabel *Label1 = nullptr;
    QListWidget *ListBoxCopiar = nullptr;
    QPushButton *SpeedButtonLimparBoxCopiar = nullptr;
    QLabel *Label5 = nullptr;
    QLineEdit *EditDestino = nullptr;
    QPushButton *SpeedButtonDestino = nullptr;
    QPushButton *SpeedButtonCopiar = nullptr;
    QGroupBox *GroupBoxExcluir = nullptr;
    QLabel *Label3 = nullptr;
    QListWidget *ListBoxExcluir = nullptr;
    QPushButton *SpeedButtonLimparBoxExcluir = nullptr;
    QPushButton *SpeedButtonExcluir = nullptr;
    QGroupBox *GroupBoxRenomear = nullptr;
    QLabel *LabelInstrucaoRenomear = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *LabelArquivo = nullptr;
    QLabel *Label4 = nullptr;
    QLineEdit *EditNovoNome = nullptr;
    QPushButton *SpeedButtonRenomear = nullptr;
};
