#include "TFormAnalise.h"

#include "core/TIdioma.h"
#include "core/TInteracao.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMutex>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QVBoxLayout>
#include <QValidator>

#include <utility>

const QString TFormAnalise::Secao = QStringLiteral("UnitSelecionarGrupo");

namespace {

const char *const kRadios[] = {
    "RadioButtonCompacta",       "RadioButtonCompactaPorBraco",       "RadioButtonQuadrado",
    "RadioButtonCompactaMinuto", "RadioButtonCompactaPorBracoMinuto", "RadioButtonQuadradoMinuto"};
const char *const kLegendas[] = {"Compacta", "Compacta Por Braço", "Por Quadrado",
                                 "Compacta", "Compacta Por Braço", "Por Quadrado"};

// Typed or pasted, the refused characters of a group name never reach the
// field.
class TValidadorGrupo : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &texto, int &pos) const override {
        const QString antes = texto.left(pos);
        texto = TMontagemGrupos::FiltrarNome(texto);
        pos = static_cast<int>(TMontagemGrupos::FiltrarNome(antes).size());
        return Acceptable;
    }
};

QPushButton *botao(const QString &texto, const char *nome, QWidget *pai) {
    auto *b = new QPushButton(texto, pai);
    b->setObjectName(QLatin1String(nome));
    b->setAutoDefault(false);
    return b;
}

void preencher(QListWidget *lista, const QStringList &itens) {
    lista->clear();
    lista->addItems(itens);
}

} // namespace

// The run's messages, kept by the worker thread and shown by the window
// when the run is over (no message box may open from another thread). No
// question is ever asked during a run: the window asks before it.
class TFormAnalise::TColetor : public TInteracao {
public:
    void Mensagem(const QString &texto) override {
        QMutexLocker trava(&m_trava);
        m_mensagens << texto;
    }
    bool Confirmar(const QString &) override { return false; }
    void Bipe() override {}
    QStringList Tomar() {
        QMutexLocker trava(&m_trava);
        return std::exchange(m_mensagens, {});
    }

private:
    QMutex m_trava;
    QStringList m_mensagens;
};

TFormAnalise::TFormAnalise(const TUsuario &usuario, TInteracao *interacao, QWidget *parent)
    : QWidget(parent), m_usuario(usuario), m_interacao(interacao), m_montagem(m_dados) {
    setObjectName(QStringLiteral("FormAnalise"));
    setWindowTitle(QStringLiteral("Definição dos grupos para análise"));
    DialogoSalvar = [](QWidget *pai, const QString &pasta) {
        const QStringList filtros =
            TPlanilha::FiltrosDialogo(QStringLiteral("Excel (*.XLS *.xls)"));
        QString filtro = filtros.first();
        const QString nome = QFileDialog::getSaveFileName(
            pai, QString(), pasta, filtros.join(QStringLiteral(";;")), &filtro);
        return TPlanilha::NomeDoDialogo(nome, filtros.indexOf(filtro));
    };
    criarControles();
    LabelExperimento->setText(m_usuario.Experimento.Nome);
    m_montagem.LimparTudo(
        TMontagemGrupos::ArquivosDaPasta(m_usuario.Pasta + m_usuario.Experimento.Nome));
    mostrarListas();
    carregarIdioma();
}

TFormAnalise::~TFormAnalise() {
    // Never reached during a run (closing is refused then), but a window
    // destroyed with its parent must not leave a thread working on it.
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

void TFormAnalise::criarControles() {
    // Files of the experiment.
    GroupBox1 = new QGroupBox(QStringLiteral("Selecionar Arquivo"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    LabelExperimento = new QLabel(GroupBox1);
    LabelExperimento->setObjectName(QStringLiteral("LabelExperimento"));
    QFont negrito = LabelExperimento->font();
    negrito.setBold(true);
    LabelExperimento->setFont(negrito);
    ListBoxArquivos = new QListWidget(GroupBox1);
    ListBoxArquivos->setObjectName(QStringLiteral("ListBoxArquivos"));
    auto *c1 = new QVBoxLayout(GroupBox1);
    c1->addWidget(LabelExperimento);
    c1->addWidget(ListBoxArquivos, 1);

    // The group under construction: the move buttons on a grey strip.
    GroupBoxMontarGrupo = new QGroupBox(QStringLiteral("Montar Grupos"), this);
    GroupBoxMontarGrupo->setObjectName(QStringLiteral("GroupBoxMontarGrupo"));
    auto *faixa = new QWidget(GroupBoxMontarGrupo);
    faixa->setObjectName(QStringLiteral("PanelMover"));
    faixa->setAutoFillBackground(true);
    QPalette cinza = faixa->palette();
    cinza.setColor(QPalette::Window, cinza.color(QPalette::Mid));
    faixa->setPalette(cinza);
    SpeedButtonAddSelecao = botao(QStringLiteral("> > >"), "SpeedButtonAddSelecao", faixa);
    SpeedButtonRemSelecao = botao(QStringLiteral("< < <"), "SpeedButtonRemSelecao", faixa);
    auto *cf = new QVBoxLayout(faixa);
    cf->setContentsMargins(4, 4, 4, 4);
    cf->addStretch(1);
    cf->addWidget(SpeedButtonAddSelecao);
    cf->addWidget(SpeedButtonRemSelecao);
    cf->addStretch(1);
    LabelNomeGrupo = new QLabel(QStringLiteral("Nome do Grupo"), GroupBoxMontarGrupo);
    LabelNomeGrupo->setObjectName(QStringLiteral("LabelNomeGrupo"));
    EditNomeGrupo = new QLineEdit(GroupBoxMontarGrupo);
    EditNomeGrupo->setObjectName(QStringLiteral("EditNomeGrupo"));
    EditNomeGrupo->setValidator(new TValidadorGrupo(EditNomeGrupo));
    LabelNomeGrupo->setBuddy(EditNomeGrupo);
    ListBoxSelecao = new QListWidget(GroupBoxMontarGrupo);
    ListBoxSelecao->setObjectName(QStringLiteral("ListBoxSelecao"));
    SpeedButtonInserirGrupo =
        botao(QStringLiteral("> > Inserir Grupo > >"), "SpeedButtonInserirGrupo", this);
    auto *c2d = new QVBoxLayout;
    c2d->addWidget(LabelNomeGrupo);
    c2d->addWidget(EditNomeGrupo);
    c2d->addWidget(ListBoxSelecao, 1);
    c2d->addWidget(SpeedButtonInserirGrupo);
    auto *c2 = new QHBoxLayout(GroupBoxMontarGrupo);
    c2->addWidget(faixa);
    c2->addLayout(c2d, 1);

    // Groups built.
    GroupBoxGrupos = new QGroupBox(QStringLiteral("Grupos Selecionados"), this);
    GroupBoxGrupos->setObjectName(QStringLiteral("GroupBoxGrupos"));
    ListBoxGrupos = new QListWidget(GroupBoxGrupos);
    ListBoxGrupos->setObjectName(QStringLiteral("ListBoxGrupos"));
    SpeedButtonCleanGrupos =
        botao(QStringLiteral("Limpar Tudo"), "SpeedButtonCleanGrupos", GroupBoxGrupos);
    SpeedButtonOk = botao(QStringLiteral("OK"), "SpeedButtonOk", GroupBoxGrupos);
    auto *c3b = new QHBoxLayout;
    c3b->addWidget(SpeedButtonCleanGrupos);
    c3b->addWidget(SpeedButtonOk);
    auto *c3 = new QVBoxLayout(GroupBoxGrupos);
    c3->addWidget(ListBoxGrupos, 1);
    c3->addLayout(c3b);

    // Analysis kinds: whole session on the left, per minute on the right.
    GroupBoxOpcoes = new QGroupBox(QStringLiteral("Tipos de Análise"), this);
    GroupBoxOpcoes->setObjectName(QStringLiteral("GroupBoxOpcoes"));
    Label7 = new QLabel(QStringLiteral("Toda a Seção"), GroupBoxOpcoes);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label5 = new QLabel(QStringLiteral("Minuto a Minuto"), GroupBoxOpcoes);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label7->setFont(negrito);
    Label5->setFont(negrito);
    auto *grade = new QGridLayout(GroupBoxOpcoes);
    grade->setHorizontalSpacing(24);
    grade->addWidget(Label7, 0, 0);
    grade->addWidget(Label5, 0, 1);
    for (int i = 0; i < 6; ++i) {
        m_radios[i] = new QRadioButton(QString::fromUtf8(kLegendas[i]), GroupBoxOpcoes);
        m_radios[i]->setObjectName(QLatin1String(kRadios[i]));
        grade->addWidget(m_radios[i], 1 + i % 3, i / 3);
    }
    m_radios[TAnalise::Quadrado]->setChecked(true);
    SpeedButtonANALISAR = botao(QStringLiteral("ANÁLISE"), "SpeedButtonANALISAR", GroupBoxOpcoes);
    SpeedButtonANALISAR->setMinimumHeight(48);
    QFont grande = SpeedButtonANALISAR->font();
    grande.setBold(true);
    SpeedButtonANALISAR->setFont(grande);
    ProgressBarAnalise = new QProgressBar(GroupBoxOpcoes);
    ProgressBarAnalise->setObjectName(QStringLiteral("ProgressBarAnalise"));
    ProgressBarAnalise->setFormat(QStringLiteral("%v / %m"));
    ProgressBarAnalise->hide();
    grade->setColumnStretch(2, 1);
    grade->addWidget(SpeedButtonANALISAR, 1, 3, 2, 1);
    grade->addWidget(ProgressBarAnalise, 3, 3);
    grade->setColumnMinimumWidth(3, 150);
    GroupBoxOpcoes->hide();

    auto *linha = new QHBoxLayout;
    linha->addWidget(GroupBox1, 173);
    linha->addWidget(GroupBoxMontarGrupo, 236);
    linha->addWidget(GroupBoxGrupos, 210);
    auto *tudo = new QVBoxLayout(this);
    tudo->addLayout(linha, 1);
    tudo->addWidget(GroupBoxOpcoes);
    GroupBox1->setMinimumSize(173, 271);
    GroupBoxMontarGrupo->setMinimumSize(236, 271);
    GroupBoxGrupos->setMinimumSize(210, 271);
    // The frames keep their size when the options appear below them.
    tudo->setSizeConstraint(QLayout::SetMinimumSize);

    connect(SpeedButtonAddSelecao, &QPushButton::clicked, this,
            &TFormAnalise::SpeedButtonAddSelecaoClick);
    connect(SpeedButtonRemSelecao, &QPushButton::clicked, this,
            &TFormAnalise::SpeedButtonRemSelecaoClick);
    connect(ListBoxArquivos, &QListWidget::itemDoubleClicked, SpeedButtonAddSelecao,
            &QPushButton::click);
    connect(ListBoxSelecao, &QListWidget::itemDoubleClicked, SpeedButtonRemSelecao,
            &QPushButton::click);
    connect(EditNomeGrupo, &QLineEdit::textEdited, this, [this] {
        SpeedButtonInserirGrupo->setText(mensagem("TFormAnaliseEditNomeGrupoKeyDownMessage1"));
    });
    connect(EditNomeGrupo, &QLineEdit::returnPressed, SpeedButtonInserirGrupo, &QPushButton::click);
    connect(SpeedButtonInserirGrupo, &QPushButton::clicked, this,
            &TFormAnalise::SpeedButtonInserirGrupoClick);
    connect(ListBoxGrupos, &QListWidget::itemClicked, this, &TFormAnalise::ListBoxGruposClick);
    connect(SpeedButtonCleanGrupos, &QPushButton::clicked, this,
            &TFormAnalise::SpeedButtonCleanGruposClick);
    connect(SpeedButtonOk, &QPushButton::clicked, this, &TFormAnalise::SpeedButtonOkClick);
    connect(SpeedButtonANALISAR, &QPushButton::clicked, this,
            &TFormAnalise::SpeedButtonANALISARClick);
}

void TFormAnalise::carregarIdioma() {
    const TIdioma idioma(m_usuario.ArquivoIdioma);
    auto texto = [&](const char *chave) { return idioma.Texto(Secao, QLatin1String(chave)); };
    setWindowTitle(texto("FormAnaliseCaption"));
    GroupBox1->setTitle(texto("GroupBox1"));
    GroupBoxMontarGrupo->setTitle(texto("GroupBoxMontarGrupo"));
    GroupBoxGrupos->setTitle(texto("GroupBoxGrupos"));
    GroupBoxOpcoes->setTitle(texto("GroupBoxOpcoes"));
    LabelNomeGrupo->setText(texto("LabelNomeGrupo"));
    SpeedButtonInserirGrupo->setText(texto("SpeedButtonInserirGrupo"));
    SpeedButtonCleanGrupos->setText(texto("SpeedButtonCleanGrupos"));
    Label7->setText(texto("Label7"));
    Label5->setText(texto("Label5"));
    for (int i = 0; i < 6; ++i)
        m_radios[i]->setText(texto(kRadios[i]));
    SpeedButtonANALISAR->setText(texto("SpeedButtonANALISAR"));
}

QString TFormAnalise::mensagem(const char *chave) const {
    return TIdioma::Ler(m_usuario.ArquivoIdioma, Secao, QLatin1String(chave));
}

void TFormAnalise::mostrarListas() {
    preencher(ListBoxArquivos, m_montagem.Disponiveis());
    preencher(ListBoxSelecao, m_montagem.Selecao());
}

void TFormAnalise::SpeedButtonAddSelecaoClick() {
    const QListWidgetItem *item = ListBoxArquivos->currentItem();
    if (!item) return;
    const int linha = ListBoxArquivos->currentRow();
    if (m_montagem.Adicionar(item->text()) == TMontagemGrupos::LimiteArquivos) {
        m_interacao->Mensagem(mensagem("TFormAnaliseSpeedButtonAddSelecaoClickMessage1"));
        return;
    }
    mostrarListas();
    // The next file is chosen, so that a row of clicks moves a row of files.
    ListBoxArquivos->setCurrentRow(qMin(linha, ListBoxArquivos->count() - 1));
}

void TFormAnalise::SpeedButtonRemSelecaoClick() {
    const QListWidgetItem *item = ListBoxSelecao->currentItem();
    if (!item) return;
    const int linha = ListBoxSelecao->currentRow();
    m_montagem.Remover(item->text());
    mostrarListas();
    ListBoxSelecao->setCurrentRow(qMin(linha, ListBoxSelecao->count() - 1));
}

void TFormAnalise::modoInserir() {
    EditNomeGrupo->setEnabled(true);
    EditNomeGrupo->clear();
    SpeedButtonInserirGrupo->setText(mensagem("TFormAnaliseSpeedButtonCleanGruposClickMessage1"));
}

void TFormAnalise::SpeedButtonInserirGrupoClick() {
    const QString nome = EditNomeGrupo->text();
    switch (m_montagem.InserirGrupo(nome)) {
    case TMontagemGrupos::Inserido:
        ListBoxGrupos->addItem(nome);
        EditNomeGrupo->clear();
        break;
    case TMontagemGrupos::Substituido:
        modoInserir();
        break;
    case TMontagemGrupos::NomeExistente:
        m_interacao->Mensagem(mensagem("TFormAnaliseSpeedButtonInserirGrupoClickMessage1"));
        EditNomeGrupo->clear();
        m_interacao->Mensagem(mensagem("TFormAnaliseSpeedButtonInserirGrupoClickMessage2"));
        break;
    case TMontagemGrupos::Incompleto:
        m_interacao->Mensagem(mensagem("TFormAnaliseSpeedButtonInserirGrupoClickMessage2"));
        break;
    case TMontagemGrupos::LimiteGrupos:
        m_interacao->Mensagem(mensagem("TFormAnaliseSpeedButtonInserirGrupoClickMessage3"));
        break;
    case TMontagemGrupos::LimiteArquivos:
    case TMontagemGrupos::NaoDisponivel:
        m_interacao->Mensagem(mensagem("TFormAnaliseSpeedButtonAddSelecaoClickMessage1"));
        break;
    }
    mostrarListas();
}

void TFormAnalise::ListBoxGruposClick(QListWidgetItem *item) {
    if (!item || !m_montagem.EscolherGrupo(item->text())) return;
    SpeedButtonInserirGrupo->setText(mensagem("TFormAnaliseListBoxGruposClickMessage1"));
    GroupBoxOpcoes->hide();
    SpeedButtonOk->show();
    EditNomeGrupo->setEnabled(false);
    EditNomeGrupo->setText(item->text());
    mostrarListas();
}

void TFormAnalise::SpeedButtonCleanGruposClick() {
    ListBoxGrupos->clear();
    m_montagem.LimparTudo(
        TMontagemGrupos::ArquivosDaPasta(m_usuario.Pasta + m_usuario.Experimento.Nome));
    mostrarListas();
    GroupBoxOpcoes->hide();
    SpeedButtonOk->show();
    modoInserir();
}

void TFormAnalise::SpeedButtonOkClick() {
    if (ListBoxGrupos->count() == 0) {
        m_interacao->Mensagem(mensagem("TFormAnaliseSpeedButtonOkClickMessage1"));
        return;
    }
    GroupBoxOpcoes->show();
    SpeedButtonOk->hide();
    std::array<bool, 6> habilitados{};
    if (TAnalise::Habilitados(m_usuario.Experimento.Labirinto, &habilitados))
        for (int i = 0; i < 6; ++i)
            m_radios[i]->setEnabled(habilitados[i]);
    SpeedButtonANALISAR->setFocus();
    // The window grows to show the kinds (its frame, when it is a child).
    QWidget *quadro = isWindow() || !parentWidget() ? this : parentWidget();
    quadro->adjustSize();
}

void TFormAnalise::SpeedButtonANALISARClick() {
    if (Executando()) return;
    TAnalise::Tipo tipo = TAnalise::Quadrado;
    for (int i = 0; i < 6; ++i)
        if (m_radios[i]->isChecked()) tipo = static_cast<TAnalise::Tipo>(i);

    // A kind the maze has no analysis of is said before a file is asked for.
    const QString &labirinto = m_usuario.Experimento.Labirinto;
    const TAnalise::Operacao operacao = TAnalise::Despacho(tipo, labirinto);
    if (operacao == TAnalise::Nenhuma || operacao == TAnalise::NaoDisponivel) {
        m_interacao->Mensagem(mensagem("TFormAnaliseSpeedButtonANALISARClickMessage2"));
        return;
    }
    const QString escolhido = DialogoSalvar(this, QDir::homePath());
    if (escolhido.isEmpty()) return;

    // The question is about the file the writer will really write (the
    // name with ".XLS", ".xlsx" or ".csv"), not the name as typed.
    m_planilha = TPlanilha::Criar(TPlanilha::FormatoDoNome(escolhido));
    const QString final = m_planilha->NomeArquivo(escolhido);
    const QFileInfo alvo(final);
    TAnalise::Substituicao substituicao = TAnalise::NaoSubstituir;
    if ((alvo.exists() || alvo.isSymLink()) && !alvo.isDir()) {
        if (!m_interacao->Confirmar(mensagem("TFormAnaliseSpeedButtonANALISARClickMessage1")))
            return;
        substituicao = TAnalise::Substituir;
    }
    executar(tipo, final, substituicao);
}

void TFormAnalise::executar(TAnalise::Tipo tipo, const QString &arquivo, TAnalise::Substituicao s) {
    m_coletor = std::make_unique<TColetor>();
    m_analise = std::make_unique<TAnalise>(m_usuario, m_dados, *m_planilha, m_coletor.get());
    // Emitted on the worker thread: the connection queues it to this one.
    connect(m_analise.get(), &TAnalise::Progresso, this, &TFormAnalise::progresso);
    for (QGroupBox *g : {GroupBox1, GroupBoxMontarGrupo, GroupBoxGrupos})
        g->setEnabled(false);
    for (QRadioButton *r : m_radios)
        r->setEnabled(false);
    SpeedButtonANALISAR->setEnabled(false);
    ProgressBarAnalise->setRange(0, 0);
    ProgressBarAnalise->show();
    QApplication::setOverrideCursor(Qt::BusyCursor);

    m_thread = QThread::create(
        [this, tipo, arquivo, s] { m_resultado = m_analise->Executar(tipo, arquivo, s); });
    connect(m_thread, &QThread::finished, this, &TFormAnalise::concluir);
    emit AnaliseCriada(m_analise.get());
    m_thread->start();
}

void TFormAnalise::progresso(int feitos, int total) {
    if (!m_thread) return;
    ProgressBarAnalise->setRange(0, qMax(total, 1));
    ProgressBarAnalise->setValue(feitos);
}

void TFormAnalise::concluir() {
    m_thread->wait();
    m_thread->deleteLater();
    m_thread = nullptr;
    QApplication::restoreOverrideCursor();
    ProgressBarAnalise->hide();
    for (QGroupBox *g : {GroupBox1, GroupBoxMontarGrupo, GroupBoxGrupos})
        g->setEnabled(true);
    std::array<bool, 6> habilitados;
    habilitados.fill(true);
    TAnalise::Habilitados(m_usuario.Experimento.Labirinto, &habilitados);
    for (int i = 0; i < 6; ++i)
        m_radios[i]->setEnabled(habilitados[i]);
    SpeedButtonANALISAR->setEnabled(true);

    const TAnalise::Resultado r = m_resultado;
    if (r == TAnalise::Existente)
        m_coletor->Mensagem(mensagem("TFormAnaliseSpeedButtonANALISARClickMessage3"));
    for (const QString &m : m_coletor->Tomar())
        m_interacao->Mensagem(m);
    m_analise.reset();
    m_planilha.reset(); // its kept cells may be large
    emit AnaliseConcluida(r);
}

void TFormAnalise::closeEvent(QCloseEvent *evento) {
    // The run works on this window's groups and writer: it ends first.
    if (Executando()) {
        evento->ignore();
        return;
    }
    evento->accept();
    emit Fechada();
}
