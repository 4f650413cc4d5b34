#include "TFormExcluirDados.h"

#include "core/TIdioma.h"
#include "core/TInteracao.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeView>
#include <QVBoxLayout>

const QString TFormExcluirDados::Secao = QStringLiteral("UnitExcluirDados");

namespace {

using G = TGerenciadorArquivos;

QPushButton *botao(const QString &texto, const char *nome, QWidget *pai) {
    auto *b = new QPushButton(texto, pai);
    b->setObjectName(QLatin1String(nome));
    b->setAutoDefault(false);
    return b;
}

QLabel *rotulo(const QString &texto, const char *nome, QWidget *pai) {
    auto *l = new QLabel(texto, pai);
    l->setObjectName(QLatin1String(nome));
    return l;
}

// Entries are shown with the separator of the paths the user types.
QStringList nativos(const QStringList &lista) {
    QStringList r;
    for (const QString &e : lista)
        r << QDir::toNativeSeparators(e);
    return r;
}

} // namespace

TFormExcluirDados::TFormExcluirDados(const QString &pastaUsuario, const QStringList &experimentos,
                                     const QString &arquivoIdioma, TInteracao *interacao,
                                     QWidget *parent)
    : QWidget(parent), m_gerenciador(pastaUsuario, experimentos), m_arquivoIdioma(arquivoIdioma),
      m_interacao(interacao) {
    setObjectName(QStringLiteral("FormExcluirDados"));
    setWindowTitle(QStringLiteral("Gerenciador de Arquivos"));
    DialogoPasta = [](QWidget *pai, const QString &inicial) {
        return QFileDialog::getExistingDirectory(pai, QString(), inicial);
    };
    Hoje = [] { return QDate::currentDate(); };
    criarControles();
    carregarIdioma();
    liberar();
}

TFormExcluirDados::~TFormExcluirDados() = default;

void TFormExcluirDados::criarControles() {
    // Options.
    GroupBoxOpcao = new QGroupBox(QStringLiteral("Opções"), this);
    GroupBoxOpcao->setObjectName(QStringLiteral("GroupBoxOpcao"));
    m_opcoes = new QButtonGroup(this);
    auto *co = new QVBoxLayout(GroupBoxOpcao);
    const std::pair<const char *, const char *> opcoes[] = {
        {"SpeedButtonCopyArq", "Copiar Arquivos"},
        {"SpeedButtonDelArq", "Excluir Arquivo"},
        {"SpeedButtonDelFolder", "Excluir Pasta"},
        {"SpeedButtonRenArq", "Renomear Arquivo"}};
    QPushButton **destinos[] = {&SpeedButtonCopyArq, &SpeedButtonDelArq, &SpeedButtonDelFolder,
                                &SpeedButtonRenArq};
    for (int i = 0; i < 4; ++i) {
        auto *b = botao(QString::fromUtf8(opcoes[i].second), opcoes[i].first, GroupBoxOpcao);
        b->setCheckable(true);
        b->setMinimumHeight(32);
        m_opcoes->addButton(b, G::OpcaoCopiar + i);
        co->addWidget(b);
        *destinos[i] = b;
    }
    co->addStretch(1);

    // The user's folder.
    GroupBoxPath = new QGroupBox(QStringLiteral("Selecionar Pasta ou Arquivo"), this);
    GroupBoxPath->setObjectName(QStringLiteral("GroupBoxPath"));
    m_modelo = new QFileSystemModel(this);
    m_modelo->setReadOnly(true);
    const QString raiz = m_gerenciador.Pasta();
    QDir().mkpath(raiz);
    m_modelo->setRootPath(raiz);
    ShellTreeViewDados = new QTreeView(GroupBoxPath);
    ShellTreeViewDados->setObjectName(QStringLiteral("ShellTreeViewDados"));
    ShellTreeViewDados->setModel(m_modelo);
    ShellTreeViewDados->setRootIndex(m_modelo->index(raiz));
    ShellTreeViewDados->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ShellTreeViewDados->setContextMenuPolicy(Qt::NoContextMenu);
    for (int c = 1; c < m_modelo->columnCount(); ++c)
        ShellTreeViewDados->hideColumn(c);
    ShellTreeViewDados->header()->hide();
    ShellTreeViewDados->setMinimumSize(380, 220);
    auto *cp = new QVBoxLayout(GroupBoxPath);
    cp->addWidget(ShellTreeViewDados);

    // The part of the chosen option.
    m_partes = new QStackedWidget(this);
    Panel = rotulo(QStringLiteral("Selecione Uma Opção"), "Panel", m_partes);
    Panel->setAlignment(Qt::AlignCenter);
    Panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QFont grande = Panel->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.3);
    grande.setBold(true);
    Panel->setFont(grande);

    GroupBoxCopiar = new QGroupBox(QStringLiteral("Copiar Pastas / Arquivos"), m_partes);
    GroupBoxCopiar->setObjectName(QStringLiteral("GroupBoxCopiar"));
    Label1 = rotulo(QString(), "Label1", GroupBoxCopiar);
    Label1->setWordWrap(true);
    ListBoxCopiar = new QListWidget(GroupBoxCopiar);
    ListBoxCopiar->setObjectName(QStringLiteral("ListBoxCopiar"));
    SpeedButtonLimparBoxCopiar =
        botao(QStringLiteral("Limpar"), "SpeedButtonLimparBoxCopiar", GroupBoxCopiar);
    Label5 = rotulo(QStringLiteral("Para:"), "Label5", GroupBoxCopiar);
    EditDestino = new QLineEdit(GroupBoxCopiar);
    EditDestino->setObjectName(QStringLiteral("ShellComboBoxDestino"));
    Label5->setBuddy(EditDestino);
    SpeedButtonDestino = botao(QStringLiteral("Procurar..."), "SpeedButtonDestino", GroupBoxCopiar);
    SpeedButtonCopiar =
        botao(QStringLiteral("Copiar Seleção"), "SpeedButtonCopiar", GroupBoxCopiar);
    auto *gc = new QGridLayout(GroupBoxCopiar);
    gc->addWidget(Label1, 0, 0, 1, 4);
    gc->addWidget(ListBoxCopiar, 1, 0, 1, 3);
    gc->addWidget(SpeedButtonLimparBoxCopiar, 1, 3, Qt::AlignTop);
    gc->addWidget(Label5, 2, 0);
    gc->addWidget(EditDestino, 2, 1);
    gc->addWidget(SpeedButtonDestino, 2, 2);
    gc->addWidget(SpeedButtonCopiar, 2, 3);
    gc->setColumnStretch(1, 1);

    GroupBoxExcluir = new QGroupBox(QStringLiteral("Excluir Pastas / Arquivos"), m_partes);
    GroupBoxExcluir->setObjectName(QStringLiteral("GroupBoxExcluir"));
    Label3 = rotulo(QString(), "Label3", GroupBoxExcluir);
    Label3->setWordWrap(true);
    ListBoxExcluir = new QListWidget(GroupBoxExcluir);
    ListBoxExcluir->setObjectName(QStringLiteral("ListBoxExcluir"));
    SpeedButtonLimparBoxExcluir =
        botao(QStringLiteral("Limpar"), "SpeedButtonLimparBoxExcluir", GroupBoxExcluir);
    SpeedButtonExcluir =
        botao(QStringLiteral("Excluir Seleção"), "SpeedButtonExcluir", GroupBoxExcluir);
    auto *ge = new QGridLayout(GroupBoxExcluir);
    ge->addWidget(Label3, 0, 0, 1, 2);
    ge->addWidget(ListBoxExcluir, 1, 0, 2, 1);
    ge->addWidget(SpeedButtonLimparBoxExcluir, 1, 1, Qt::AlignTop);
    ge->addWidget(SpeedButtonExcluir, 2, 1, Qt::AlignBottom);
    ge->setColumnStretch(0, 1);

    GroupBoxRenomear = new QGroupBox(QStringLiteral("Renomear Arquivo"), m_partes);
    GroupBoxRenomear->setObjectName(QStringLiteral("GroupBoxRenomear"));
    LabelInstrucaoRenomear = rotulo(QString(), "LabelInstrucaoRenomear", GroupBoxRenomear);
    LabelInstrucaoRenomear->setWordWrap(true);
    Label2 = rotulo(QStringLiteral("Arquivo Selecionado:"), "Label2", GroupBoxRenomear);
    LabelArquivo = rotulo(QString(), "LabelArquivo", GroupBoxRenomear);
    QFont negrito = LabelArquivo->font();
    negrito.setBold(true);
    LabelArquivo->setFont(negrito);
    Label4 = rotulo(QStringLiteral("Renomear para:"), "Label4", GroupBoxRenomear);
    EditNovoNome = new QLineEdit(GroupBoxRenomear);
    EditNovoNome->setObjectName(QStringLiteral("EditNovoNome"));
    Label4->setBuddy(EditNovoNome);
    auto *extensao = new QLabel(QStringLiteral(".tvl"), GroupBoxRenomear);
    extensao->setObjectName(QStringLiteral("LabelExtensao"));
    SpeedButtonRenomear =
        botao(QStringLiteral("Renomear"), "SpeedButtonRenomear", GroupBoxRenomear);
    auto *gr = new QGridLayout(GroupBoxRenomear);
    gr->addWidget(LabelInstrucaoRenomear, 0, 0, 1, 4);
    gr->addWidget(Label2, 1, 0);
    gr->addWidget(LabelArquivo, 1, 1, 1, 3);
    gr->addWidget(Label4, 2, 0);
    gr->addWidget(EditNovoNome, 2, 1);
    gr->addWidget(extensao, 2, 2);
    gr->addWidget(SpeedButtonRenomear, 2, 3);
    gr->setColumnStretch(1, 1);
    gr->setRowStretch(3, 1);

    for (QWidget *w :
         {static_cast<QWidget *>(Panel), static_cast<QWidget *>(GroupBoxCopiar),
          static_cast<QWidget *>(GroupBoxExcluir), static_cast<QWidget *>(GroupBoxRenomear)})
        m_partes->addWidget(w);
    m_partes->setMinimumHeight(190);

    auto *cima = new QHBoxLayout;
    cima->addWidget(GroupBoxOpcao);
    cima->addWidget(GroupBoxPath, 1);
    auto *tudo = new QVBoxLayout(this);
    tudo->addLayout(cima, 1);
    tudo->addWidget(m_partes);

    connect(m_opcoes, &QButtonGroup::idClicked, this, &TFormExcluirDados::escolher);
    connect(ShellTreeViewDados, &QTreeView::doubleClicked, this,
            &TFormExcluirDados::ShellTreeViewDadosDblClick);
    connect(SpeedButtonLimparBoxCopiar, &QPushButton::clicked, this, [this] {
        m_gerenciador.LimparCopia();
        mostrarListas();
    });
    connect(SpeedButtonLimparBoxExcluir, &QPushButton::clicked, this, [this] {
        m_gerenciador.LimparExclusao();
        mostrarListas();
    });
    connect(SpeedButtonDestino, &QPushButton::clicked, this, [this] {
        const QString pasta = DialogoPasta(this, EditDestino->text());
        if (!pasta.isEmpty()) EditDestino->setText(QDir::toNativeSeparators(pasta));
    });
    connect(SpeedButtonCopiar, &QPushButton::clicked, this,
            &TFormExcluirDados::SpeedButtonCopiarClick);
    connect(SpeedButtonExcluir, &QPushButton::clicked, this,
            &TFormExcluirDados::SpeedButtonExcluirClick);
    connect(SpeedButtonRenomear, &QPushButton::clicked, this,
            &TFormExcluirDados::SpeedButtonRenomearClick);
    connect(EditNovoNome, &QLineEdit::returnPressed, SpeedButtonRenomear, &QPushButton::click);
}

void TFormExcluirDados::carregarIdioma() {
    const TIdioma idioma(m_arquivoIdioma);
    auto texto = [&](const char *chave) { return idioma.Texto(Secao, QLatin1String(chave)); };
    setWindowTitle(texto("FormExcluirDadosCaption"));
    GroupBoxCopiar->setTitle(texto("GroupBoxCopiar"));
    Label1->setText(texto("Label1"));
    Label5->setText(texto("Label5"));
    SpeedButtonCopiar->setText(texto("SpeedButtonCopiar"));
    SpeedButtonLimparBoxCopiar->setText(texto("SpeedButtonLimparBoxCopiar"));
    SpeedButtonDestino->setText(texto("SpeedButtonDestino"));
    GroupBoxExcluir->setTitle(texto("GroupBoxExcluir"));
    Label3->setText(texto("Label3"));
    SpeedButtonExcluir->setText(texto("SpeedButtonExcluir"));
    SpeedButtonLimparBoxExcluir->setText(texto("SpeedButtonLimparBoxExcluir"));
    GroupBoxOpcao->setTitle(texto("GroupBoxOpcao"));
    SpeedButtonCopyArq->setText(texto("SpeedButtonCopyArq"));
    SpeedButtonDelArq->setText(texto("SpeedButtonDelArq"));
    SpeedButtonDelFolder->setText(texto("SpeedButtonDelFolder"));
    SpeedButtonRenArq->setText(texto("SpeedButtonRenArq"));
    GroupBoxPath->setTitle(texto("GroupBoxPath"));
    GroupBoxRenomear->setTitle(texto("GroupBoxRenomear"));
    Label2->setText(texto("Label2"));
    Label4->setText(texto("Label4"));
    SpeedButtonRenomear->setText(texto("SpeedButtonRenomear"));
    Panel->setText(texto("Panel"));
}

QString TFormExcluirDados::mensagem(const char *chave) const {
    return TIdioma::Ler(m_arquivoIdioma, Secao, QLatin1String(chave));
}

void TFormExcluirDados::mostrarListas() {
    ListBoxCopiar->clear();
    ListBoxCopiar->addItems(nativos(m_gerenciador.ListaCopia()));
    ListBoxExcluir->clear();
    ListBoxExcluir->addItems(nativos(m_gerenciador.ListaExclusao()));
    LabelArquivo->setText(QDir::toNativeSeparators(m_gerenciador.ArquivoEscolhido()));
}

void TFormExcluirDados::escolher(int opcao) {
    m_gerenciador.Escolher(static_cast<G::Opcao>(opcao));
    ShellTreeViewDados->setEnabled(true);
    m_modelo->setNameFilters({});
    m_modelo->setFilter(opcao == G::OpcaoExcluirPasta
                            ? QDir::AllDirs | QDir::NoDotAndDotDot
                            : QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
    switch (opcao) {
    case G::OpcaoCopiar:
        Label1->setText(mensagem("TFormExcluirDadosSpeedButtonCopyArqClickMessage1"));
        m_partes->setCurrentWidget(GroupBoxCopiar);
        break;
    case G::OpcaoExcluirArquivo:
    case G::OpcaoExcluirPasta:
        Label3->setText(mensagem(opcao == G::OpcaoExcluirArquivo
                                     ? "TFormExcluirDadosSpeedButtonDelArqClickMessage1"
                                     : "TFormExcluirDadosSpeedButtonDelFolderClickMessage1"));
        m_partes->setCurrentWidget(GroupBoxExcluir);
        break;
    case G::OpcaoRenomear:
        LabelInstrucaoRenomear->setText(
            mensagem("TFormExcluirDadosSpeedButtonRenArqClickMessage1"));
        EditNovoNome->clear();
        m_partes->setCurrentWidget(GroupBoxRenomear);
        break;
    }
    mostrarListas();
}

void TFormExcluirDados::liberar() {
    // No option: the tree lists nothing and the panel asks for an option.
    m_gerenciador.Escolher(G::OpcaoNenhuma);
    m_opcoes->setExclusive(false);
    for (QAbstractButton *b : m_opcoes->buttons())
        b->setChecked(false);
    m_opcoes->setExclusive(true);
    m_modelo->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    m_modelo->setNameFilterDisables(false);
    m_modelo->setNameFilters({QStringLiteral("\x01")});
    ShellTreeViewDados->setEnabled(false);
    m_partes->setCurrentWidget(Panel);
    mostrarListas();
}

void TFormExcluirDados::ShellTreeViewDadosDblClick(const QModelIndex &indice) {
    if (!indice.isValid()) return;
    switch (m_gerenciador.Tomar(m_modelo->filePath(indice))) {
    case G::PastaExperimento:
        m_interacao->Mensagem(mensagem("TFormExcluirDadosShellTreeViewDadosDblClickMessage1"));
        break;
    case G::PastaUsuario:
        m_interacao->Mensagem(mensagem("TFormExcluirDadosShellTreeViewDadosDblClickMessage2"));
        break;
    case G::Escolhido:
        EditNovoNome->setText(m_gerenciador.NomeProposto());
        EditNovoNome->setFocus();
        EditNovoNome->selectAll();
        break;
    default:
        break;
    }
    mostrarListas();
}

void TFormExcluirDados::SpeedButtonExcluirClick() {
    const QStringList lista = m_gerenciador.ListaExclusao();
    if (lista.isEmpty()) return;
    // The question names everything that will go.
    if (!m_interacao->Confirmar(mensagem("TFormExcluirDadosSpeedButtonExcluirClickMessage1") +
                                QStringLiteral("\n\n") + nativos(lista).join(QLatin1Char('\n'))))
        return;
    const QStringList falhas = m_gerenciador.Excluir();
    liberar();
    if (!falhas.isEmpty())
        m_interacao->Mensagem(mensagem("TFormExcluirDadosSpeedButtonExcluirClickMessage2") +
                              QStringLiteral("\n\n") + nativos(falhas).join(QLatin1Char('\n')));
}

void TFormExcluirDados::SpeedButtonRenomearClick() {
    const QString novo = EditNovoNome->text();
    if (novo.isEmpty() || m_gerenciador.ArquivoEscolhido().isEmpty()) return;
    const QString antigo = m_gerenciador.ArquivoEscolhido();
    const QString nomeAntigo = antigo.mid(antigo.lastIndexOf(QLatin1Char('/')) + 1);
    const QString pergunta = mensagem("TFormExcluirDadosSpeedButtonRenomearClickMessage1") +
                             QLatin1Char(' ') + nomeAntigo + QLatin1Char(' ') +
                             mensagem("TFormExcluirDadosSpeedButtonRenomearClickMessage2") +
                             QLatin1Char(' ') + G::NomeNovo(novo) + QStringLiteral(" ?");
    if (!m_interacao->Confirmar(pergunta)) return;
    QString erro;
    switch (m_gerenciador.Renomear(novo, &erro)) {
    case G::Renomeado:
        EditNovoNome->clear();
        liberar();
        break;
    case G::NadaARenomear:
        break;
    case G::NomeInvalido:
        m_interacao->Mensagem(mensagem("TFormExcluirDadosSpeedButtonRenomearClickMessage4") +
                              QLatin1Char(' ') + novo);
        break;
    case G::Existe:
        m_interacao->Mensagem(mensagem("TFormExcluirDadosSpeedButtonRenomearClickMessage3") +
                              QLatin1Char(' ') + G::NomeNovo(novo));
        break;
    case G::FalhaRenomear:
        m_interacao->Mensagem(mensagem("TFormExcluirDadosSpeedButtonRenomearClickMessage5") +
                              QLatin1Char(' ') + nomeAntigo + QStringLiteral(": ") + erro);
        break;
    }
}

void TFormExcluirDados::SpeedButtonCopiarClick() {
    if (m_gerenciador.ListaCopia().isEmpty()) return;
    const QString destino = QDir::fromNativeSeparators(EditDestino->text().trimmed());
    if (destino.isEmpty()) {
        m_interacao->Mensagem(mensagem("TFormExcluirDadosSpeedButtonCopiarClickMessage4"));
        return;
    }
    const QStringList falhas =
        m_gerenciador.Copiar(destino, Hoje(), [this](const QString &entrada) {
            return m_interacao->Confirmar(
                mensagem("TFormExcluirDadosSpeedButtonCopiarClickMessage1") +
                QStringLiteral("\n\n") + QDir::toNativeSeparators(entrada));
        });
    if (falhas.isEmpty()) {
        m_interacao->Mensagem(mensagem("TFormExcluirDadosSpeedButtonCopiarClickMessage2"));
    } else {
        m_interacao->Mensagem(mensagem("TFormExcluirDadosSpeedButtonCopiarClickMessage3") +
                              QStringLiteral("\n\n") + nativos(falhas).join(QLatin1Char('\n')));
    }
    // The copy list keeps its entries for another copy.
    liberar();
}

void TFormExcluirDados::closeEvent(QCloseEvent *evento) {
    evento->accept();
    emit Fechada();
}
