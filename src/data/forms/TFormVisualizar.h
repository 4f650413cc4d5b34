#pragma once

#include "data/TPlanilhaXLSX.h"
#include "data/TVisualizacao.h"

#include <QWidget>

#include <functional>

class QFileSystemModel;
class QGroupBox;
class QLabel;
class QModelIndex;
class QPushButton;
class QTableView;
class QTreeView;
class TInteracao;

// The record viewer (unit "UnitVisualizar"): a tree of the user's folder; a
// double-clicked record file is read by TVisualizacao and shown one row per
// line; "Exportar (.xls)" writes it as a spreadsheet (.xls, .xlsx or tidy
// CSV, by the name's extension; the save dialog offers the three) through
// the same model. Never changes a record file.
//
// An export that cannot be made (a file that is not a complete record, a
// field that is no whole number, more events than a sheet holds) is
// refused with the reason before the save dialog opens; nothing is
// written. Emits Fechada when it closes.
class TFormVisualizar : public QWidget {
    Q_OBJECT
public:
    static const QString Secao; // "UnitVisualizar"

    TFormVisualizar(const QString &pastaUsuario, const QString &arquivoIdioma,
                    TInteracao *interacao, QWidget *parent = nullptr);
    ~TFormVisualizar() override;

    // The save dialog, given the proposed name: the file picked, or an
    // empty text when cancelled. Tests put their own in.
    std::function<QString(QWidget *pai, const QString &proposto)> DialogoSalvar;

    // Loads the item at that path as a double-click on it does.
    void CarregarDados(const QString &caminho);

    QSize sizeHint() const override { return QSize(880, 440); }

signals:
    void Fechada();

protected:
    void closeEvent(QCloseEvent *evento) override;

private:
    class TModelo;
    void carregarIdioma();
    void ShellTreeViewDblClick(const QModelIndex &indice);
    void SpeedButtonExportarClick();

    QString m_arquivoIdioma;
    TInteracao *m_interacao;
    TVisualizacao m_visualizacao;

    QGroupBox *GroupBoxSelecionar = nullptr;
    QTreeView *ShellTreeView = nullptr;
    QFileSystemModel *m_arvore = nullptr;
    QGroupBox *GroupBoxVisualizar = nullptr;
    QLabel *LabelNomeArquivo = nullptr;
    QLabel *LabelArquivo = nullptr;
    QLabel *LabelTitulo = nullptr;
    QTableView *ListView = nullptr;
    TModelo *m_modelo = nullptr;
    QPushButton *SpeedButtonExportar = nullptr;
};
