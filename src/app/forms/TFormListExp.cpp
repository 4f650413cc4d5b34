#include "TFormListExp.h"

#include "core/forms/TCursorEspera.h"

#include "app/Experimentos.h"
#include "core/TIdioma.h"
#include "core/TUsuario.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

const QString TFormListExp::Secao = QStringLiteral("UnitListExp");

TFormListExp::TFormListExp(TUsuario &usuario, QWidget *parent)
    : QWidget(parent), m_usuario(usuario) {
    setObjectName(QStringLiteral("FormListExp"));
    m_lista = new QListWidget(this);
    m_lista->setObjectName(QStringLiteral("ListBoxExp"));
    m_lista->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lista->installEventFilter(this);
    m_analise = new QPushButton(QStringLiteral("Análise"), this);
    m_analise->setObjectName(QStringLiteral("SpeedButtonAnalise"));
    m_analise->setAutoDefault(false);

    auto *coluna = new QVBoxLayout(this);
    coluna->setContentsMargins(8, 8, 8, 8);
    coluna->addWidget(m_lista, 1);
    coluna->addWidget(m_analise);

    const TIdioma idioma(m_usuario.ArquivoIdioma);
    setWindowTitle(idioma.Texto(Secao, QStringLiteral("FormListExpCaption")));
    m_lista->setToolTip(idioma.Texto(Secao, QStringLiteral("ListBoxExpHint")));
    m_analise->setText(idioma.Texto(Secao, QStringLiteral("SpeedButtonAnalise")));

    // A click on the selected experiment loads it again, as a new selection
    // (by mouse or arrow keys) does.
    connect(m_lista, &QListWidget::itemSelectionChanged, this, &TFormListExp::ListBoxExpClick);
    connect(m_lista, &QListWidget::itemClicked, this, &TFormListExp::ListBoxExpClick);
    connect(m_lista, &QListWidget::itemDoubleClicked, this, &TFormListExp::CarregarFormLabirinto);
    connect(m_analise, &QPushButton::clicked, this, &TFormListExp::SpeedButtonAnaliseClick);
    AtualizarLista();
}

QString TFormListExp::ExperimentoSelecionado() const {
    const QList<QListWidgetItem *> itens = m_lista->selectedItems();
    return itens.isEmpty() ? QString() : itens.first()->text();
}

void TFormListExp::AtualizarLista() {
    {
        TCursorEspera espera;
        const QSignalBlocker bloqueio(m_lista);
        m_lista->clear();
        for (const QString &nome : Experimentos::Listar(m_usuario.Arquivo)) {
            auto *item = new QListWidgetItem(nome, m_lista);
            if (nome.isEmpty()) item->setFlags(Qt::NoItemFlags);
        }
    }
    m_analise->setEnabled(false);
}

void TFormListExp::LimparConfiguracao() {
    emit LimparConfiguracaoPedida();
}

void TFormListExp::ListBoxExpClick() {
    const QString nome = ExperimentoSelecionado();
    if (nome.isEmpty()) return;
    m_analise->setEnabled(true);
    TExperimento &e = m_usuario.Experimento;
    e.Carregar(m_usuario.Arquivo, nome);
    emit Selecionado(nome);
    if (e.Configurado)
        emit MostrarConfiguracaoPedida();
    else
        emit NaoConfiguradoPedido();
}

void TFormListExp::CarregarFormLabirinto() {
    const QString nome = ExperimentoSelecionado();
    if (nome.isEmpty()) return;
    TExperimento &e = m_usuario.Experimento;
    e.Carregar(m_usuario.Arquivo, nome);
    if (e.Configurado) {
        emit SessaoPedida(nome);
    } else {
        emit LimparConfiguracaoPedida();
        emit ConfiguracaoPedida(nome);
    }
}

void TFormListExp::SpeedButtonAnaliseClick() {
    const QString nome = ExperimentoSelecionado();
    if (nome.isEmpty()) return;
    m_usuario.Experimento.Carregar(m_usuario.Arquivo, nome);
    emit AnalisePedida(nome);
}

bool TFormListExp::eventFilter(QObject *objeto, QEvent *evento) {
    if (objeto == m_lista && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            CarregarFormLabirinto();
            return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}
