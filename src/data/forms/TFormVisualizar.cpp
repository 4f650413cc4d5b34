#include "TFormVisualizar.h"

#include "core/TErro.h"
#include "core/TIdioma.h"
#include "core/TInteracao.h"
#include "core/forms/TCursorEspera.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>

const QString TFormVisualizar::Secao = QStringLiteral("UnitVisualizar");

namespace {

const char *const kTitulos[] = {"Posição",      "Comportamento", "Início (ms)", "Fim (ms)",
                                "Duração (ms)", "Minuto",        "Frequência"};
const int kLarguras[] = {50, 100, 70, 70, 75, 50, 70};

} // namespace

// The rows of the loaded record as the table shows them: the caption and
// its six sub-items, as text exactly as read. A record of tens of thousands
// of lines is shown without copying it into items.
class TFormVisualizar::TModelo : public QAbstractTableModel {
public:
    explicit TModelo(const TVisualizacao &v, QObject *pai) : QAbstractTableModel(pai), m_v(v) {}
    QStringList Titulos = [] {
        QStringList t;
        for (const char *c : kTitulos)
            t << QString::fromUtf8(c);
        return t;
    }();

    void Recarregar() {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex &pai) const override {
        return pai.isValid() ? 0 : static_cast<int>(m_v.Linhas().size());
    }
    int columnCount(const QModelIndex &pai) const override {
        return pai.isValid() ? 0 : TVisualizacao::Colunas;
    }
    QVariant data(const QModelIndex &i, int papel) const override {
        if (papel != Qt::DisplayRole || !i.isValid()) return {};
        const TLinhaVisualizada &l = m_v.Linhas()[i.row()];
        const QString *campos[] = {&l.Posicao, &l.Comportamento, &l.Inicio,    &l.Fim,
                                   &l.Duracao, &l.Minuto,        &l.Frequencia};
        return *campos[i.column()];
    }
    QVariant headerData(int secao, Qt::Orientation o, int papel) const override {
        if (papel != Qt::DisplayRole) return {};
        if (o == Qt::Horizontal) return Titulos.value(secao);
        return secao + 1;
    }

private:
    const TVisualizacao &m_v;
};

TFormVisualizar::TFormVisualizar(const QString &pastaUsuario, const QString &arquivoIdioma,
                                 TInteracao *interacao, QWidget *parent)
    : QWidget(parent), m_arquivoIdioma(arquivoIdioma), m_interacao(interacao) {
    setObjectName(QStringLiteral("FormVisualizar"));
    setWindowTitle(QStringLiteral("Visualizar Dados"));
    DialogoSalvar = [](QWidget *pai, const QString &proposto) {
        const QStringList filtros =
            TPlanilha::FiltrosDialogo(QStringLiteral("Excel (.xls) (*.xls *.XLS)"));
        QString filtro = filtros.first();
        const QString nome = QFileDialog::getSaveFileName(
            pai, QString(), proposto, filtros.join(QStringLiteral(";;")), &filtro);
        return TPlanilha::NomeDoDialogo(nome, filtros.indexOf(filtro));
    };

    GroupBoxSelecionar = new QGroupBox(QStringLiteral("Selecionar Arquivo"), this);
    GroupBoxSelecionar->setObjectName(QStringLiteral("GroupBoxSelecionar"));
    m_arvore = new QFileSystemModel(this);
    m_arvore->setReadOnly(true);
    m_arvore->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
    const QString raiz = QDir(pastaUsuario).absolutePath();
    m_arvore->setRootPath(raiz);
    ShellTreeView = new QTreeView(GroupBoxSelecionar);
    ShellTreeView->setObjectName(QStringLiteral("ShellTreeView"));
    ShellTreeView->setModel(m_arvore);
    ShellTreeView->setRootIndex(m_arvore->index(raiz));
    ShellTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int c = 1; c < m_arvore->columnCount(); ++c)
        ShellTreeView->hideColumn(c);
    ShellTreeView->header()->hide();
    ShellTreeView->setMinimumWidth(170);
    // The table gets the room; the tree keeps a column's width.
    GroupBoxSelecionar->setMaximumWidth(220);
    auto *ce = new QVBoxLayout(GroupBoxSelecionar);
    ce->addWidget(ShellTreeView);

    GroupBoxVisualizar = new QGroupBox(QStringLiteral("Visualizar"), this);
    GroupBoxVisualizar->setObjectName(QStringLiteral("GroupBoxVisualizar"));
    auto *cabecalho = new QFrame(GroupBoxVisualizar);
    cabecalho->setObjectName(QStringLiteral("PanelCabecalho"));
    cabecalho->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    LabelNomeArquivo = new QLabel(QStringLiteral("Arquivo:"), cabecalho);
    LabelNomeArquivo->setObjectName(QStringLiteral("LabelNomeArquivo"));
    LabelArquivo = new QLabel(cabecalho);
    LabelArquivo->setObjectName(QStringLiteral("LabelArquivo"));
    QFont negrito = LabelArquivo->font();
    negrito.setBold(true);
    LabelArquivo->setFont(negrito);
    LabelTitulo = new QLabel(cabecalho);
    LabelTitulo->setObjectName(QStringLiteral("LabelTitulo"));
    LabelTitulo->setTextFormat(Qt::PlainText);
    LabelArquivo->setTextFormat(Qt::PlainText);
    auto *ch = new QGridLayout(cabecalho);
    ch->addWidget(LabelNomeArquivo, 0, 0);
    ch->addWidget(LabelArquivo, 0, 1);
    ch->addWidget(LabelTitulo, 1, 0, 1, 2);
    ch->setColumnStretch(1, 1);

    m_modelo = new TModelo(m_visualizacao, this);
    ListView = new QTableView(GroupBoxVisualizar);
    ListView->setObjectName(QStringLiteral("ListView"));
    ListView->setModel(m_modelo);
    ListView->setShowGrid(true);
    ListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView->verticalHeader()->hide();
    ListView->verticalHeader()->setDefaultSectionSize(ListView->fontMetrics().height() + 6);
    ListView->horizontalHeader()->setStretchLastSection(true);
    SpeedButtonExportar = new QPushButton(QStringLiteral("Exportar (.xls)"), GroupBoxVisualizar);
    SpeedButtonExportar->setObjectName(QStringLiteral("SpeedButtonExportar"));
    SpeedButtonExportar->setEnabled(false);
    auto *cd = new QVBoxLayout(GroupBoxVisualizar);
    cd->addWidget(cabecalho);
    cd->addWidget(ListView, 1);
    cd->addWidget(SpeedButtonExportar, 0, Qt::AlignRight);

    auto *tudo = new QHBoxLayout(this);
    tudo->addWidget(GroupBoxSelecionar);
    tudo->addWidget(GroupBoxVisualizar, 1);

    connect(ShellTreeView, &QTreeView::doubleClicked, this,
            &TFormVisualizar::ShellTreeViewDblClick);
    connect(SpeedButtonExportar, &QPushButton::clicked, this,
            &TFormVisualizar::SpeedButtonExportarClick);
    carregarIdioma();
}

TFormVisualizar::~TFormVisualizar() = default;

void TFormVisualizar::carregarIdioma() {
    const TIdioma idioma(m_arquivoIdioma);
    auto texto = [&](const QString &chave) { return idioma.Texto(Secao, chave); };
    setWindowTitle(texto(QStringLiteral("FormVisualizarCaption")));
    GroupBoxSelecionar->setTitle(texto(QStringLiteral("GroupBoxSelecionar")));
    GroupBoxVisualizar->setTitle(texto(QStringLiteral("GroupBoxVisualizar")));
    LabelNomeArquivo->setText(texto(QStringLiteral("LabelNomeArquivo")));
    SpeedButtonExportar->setText(texto(QStringLiteral("SpeedButtonExportar")));
    for (int c = 0; c < TVisualizacao::Colunas; ++c)
        m_modelo->Titulos[c] = texto(QStringLiteral("ListViewColumns%1").arg(c));
    m_modelo->Recarregar();
    // The widths of the columns, at least as wide as their titles.
    const QFontMetrics fm = ListView->horizontalHeader()->fontMetrics();
    for (int c = 0; c < TVisualizacao::Colunas; ++c)
        ListView->setColumnWidth(
            c, qMax(kLarguras[c], fm.horizontalAdvance(m_modelo->Titulos[c]) + 16));
}

void TFormVisualizar::ShellTreeViewDblClick(const QModelIndex &indice) {
    if (indice.isValid()) CarregarDados(m_arvore->filePath(indice));
}

void TFormVisualizar::CarregarDados(const QString &caminho) {
    QString erro;
    {
        TCursorEspera ampulheta;
        LabelArquivo->clear();
        LabelTitulo->clear();
        if (QFileInfo(caminho).isDir()) {
            SpeedButtonExportar->setEnabled(false);
            m_visualizacao.Limpar();
            m_modelo->Recarregar();
            return;
        }
        SpeedButtonExportar->setEnabled(true);
        LabelArquivo->setText(QFileInfo(caminho).fileName());
        try {
            m_visualizacao.CarregarDados(caminho);
        } catch (const TErro &e) {
            erro = e.mensagem();
        }
        LabelTitulo->setText(m_visualizacao.Titulo());
        m_modelo->Recarregar();
    }
    // The message is read under the normal cursor.
    if (!erro.isEmpty()) m_interacao->Mensagem(erro);
}

void TFormVisualizar::SpeedButtonExportarClick() {
    // Whatever keeps the record from being exported is said before a file
    // is asked for.
    try {
        // The largest sheet of the formats: the .xls's own limit is told
        // after the name, when that format is picked.
        TPlanilhaXLSX prova;
        m_visualizacao.MontarPlanilha(prova);
    } catch (const TErro &e) {
        m_interacao->Mensagem(e.mensagem());
        return;
    }
    const QString proposto =
        QDir(QDir::homePath()).filePath(TVisualizacao::NomeProposto(LabelArquivo->text()));
    const QString escolhido = DialogoSalvar(this, proposto);
    if (escolhido.isEmpty()) return;
    const std::unique_ptr<TPlanilha> planilha =
        TPlanilha::Criar(TPlanilha::FormatoDoNome(escolhido));
    m_visualizacao.Exportar(escolhido, *planilha, *m_interacao);
}

void TFormVisualizar::closeEvent(QCloseEvent *evento) {
    evento->accept();
    emit Fechada();
}
