#include "TFormInicio.h"

#include "core/forms/Figuras.h"
#include "core/forms/TCursorEspera.h"
#include "TFormNovoUsuario.h"

#include "app/TEscolhaIdioma.h"
#include "core/TIdioma.h"
#include "core/TUsuario.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

const QString TFormInicio::Secao = QStringLiteral("UnitInicio");

TFormInicio::TFormInicio(const QString &diretorioDados, TInteracao *interacao, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_diretorio(diretorioDados), m_interacao(interacao) {
    setObjectName(QStringLiteral("FormInicio"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Identificação"));

    // A borderless window shows no caption: the caption heads the window.
    m_titulo = Figuras::Faixa(windowTitle(), this, 1.15, 7);
    m_titulo->setObjectName(QStringLiteral("Titulo"));

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Logotipo"));
    logo->setPixmap(Figuras::Logotipo(96));
    logo->setAlignment(Qt::AlignCenter);

    ListBoxUsuarios = new QListWidget(this);
    ListBoxUsuarios->setObjectName(QStringLiteral("ListBoxUsuarios"));
    ListBoxUsuarios->setToolTip(QStringLiteral("Clique no seu nome de Usuário"));
    ListBoxUsuarios->setMinimumSize(230, 170);
    ListBoxUsuarios->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBoxUsuarios->setSpacing(1);
    QFont fonteLista = ListBoxUsuarios->font();
    fonteLista.setPointSizeF(fonteLista.pointSizeF() * 1.1);
    ListBoxUsuarios->setFont(fonteLista);

    BitBtnLogar = new QPushButton(QStringLiteral("Carregar"), this);
    BitBtnLogar->setObjectName(QStringLiteral("BitBtnLogar"));
    BitBtnLogar->setDefault(true);
    BitBtnLogar->setEnabled(false);
    SpeedButtonNovoUsuario = new QPushButton(QStringLiteral("Novo Usuário"), this);
    SpeedButtonNovoUsuario->setObjectName(QStringLiteral("SpeedButtonNovoUsuario"));
    SpeedButtonNovoUsuario->setAutoDefault(false);

    LabelCitar = new QLabel(QStringLiteral("Quando Publicar Cite:"), this);
    LabelCitar->setObjectName(QStringLiteral("LabelCitar"));
    LabelCitar->hide();
    MemoPublicacao = new QPlainTextEdit(this);
    MemoPublicacao->setObjectName(QStringLiteral("MemoPublicacao"));
    MemoPublicacao->setReadOnly(true);
    MemoPublicacao->hide();

    // The language box: the six languages with their flags.
    GroupBoxBandeira = new QGroupBox(this);
    GroupBoxBandeira->setObjectName(QStringLiteral("GroupBoxBandeira"));
    m_grupoIdioma = new QButtonGroup(this);
    auto *grade = new QGridLayout(GroupBoxBandeira);
    for (int i = 0; i < TEscolhaIdioma::QdeIdiomas; ++i) {
        auto *radio = new QRadioButton(TEscolhaIdioma::NomeIdioma(i), GroupBoxBandeira);
        radio->setObjectName(QStringLiteral("RadioGroupIdioma%1").arg(i));
        radio->setIcon(Figuras::Bandeira(i, QSize(27, 18)));
        radio->setIconSize(QSize(27, 18));
        m_grupoIdioma->addButton(radio, i);
        RadioGroupIdioma[i] = radio;
        grade->addWidget(radio, i % 3, i / 3);
    }
    SpeedButtonOk = new QPushButton(QStringLiteral("OK"), GroupBoxBandeira);
    SpeedButtonOk->setObjectName(QStringLiteral("SpeedButtonOk"));
    SpeedButtonOk->setAutoDefault(false);
    grade->addWidget(SpeedButtonOk, 3, 1, Qt::AlignRight);

    auto *esquerda = new QVBoxLayout;
    esquerda->addWidget(logo, 1);
    esquerda->addWidget(GroupBoxBandeira);
    auto *botoes = new QHBoxLayout;
    botoes->addWidget(SpeedButtonNovoUsuario);
    botoes->addStretch(1);
    botoes->addWidget(BitBtnLogar);
    auto *direita = new QVBoxLayout;
    direita->addWidget(ListBoxUsuarios, 1);
    direita->addLayout(botoes);
    direita->addWidget(LabelCitar);
    direita->addWidget(MemoPublicacao);
    auto *corpo = new QHBoxLayout;
    corpo->setContentsMargins(14, 12, 14, 14);
    corpo->setSpacing(16);
    corpo->addLayout(esquerda);
    corpo->addLayout(direita, 1);
    auto *tudo = new QVBoxLayout(this);
    tudo->setContentsMargins(1, 1, 1, 1);
    tudo->setSpacing(0);
    tudo->addWidget(m_titulo);
    tudo->addLayout(corpo);
    tudo->setSizeConstraint(QLayout::SetFixedSize);

    connect(ListBoxUsuarios, &QListWidget::itemSelectionChanged, this,
            [this] { BitBtnLogar->setEnabled(!ListBoxUsuarios->selectedItems().isEmpty()); });
    connect(ListBoxUsuarios, &QListWidget::itemDoubleClicked, this, [this] {
        if (!ListBoxUsuarios->selectedItems().isEmpty()) BitBtnLogarClick();
    });
    connect(BitBtnLogar, &QPushButton::clicked, this, &TFormInicio::BitBtnLogarClick);
    connect(SpeedButtonNovoUsuario, &QPushButton::clicked, this,
            &TFormInicio::SpeedButtonNovoUsuarioClick);
    connect(SpeedButtonOk, &QPushButton::clicked, this, &TFormInicio::SpeedButtonOkClick);

    // The language box while the language is not confirmed. The box offers
    // the language of the choice file, so that confirming it keeps that one.
    const TEscolhaIdioma escolha(m_diretorio);
    const int lingua = escolha.Lingua(0);
    if (escolha.Confirmado()) {
        GroupBoxBandeira->hide();
    } else {
        const int marcado = (lingua >= 0 && lingua < TEscolhaIdioma::QdeIdiomas) ? lingua : 0;
        RadioGroupIdioma[marcado]->setChecked(true);
    }

    CarregarIdioma();
}

void TFormInicio::CarregarIdioma() {
    m_arquivoIdioma = TEscolhaIdioma(m_diretorio).ArquivoIdioma();
    const TIdioma idioma(m_arquivoIdioma);
    auto texto = [&](const char *chave) { return idioma.Texto(Secao, QLatin1String(chave)); };
    setWindowTitle(texto("FormInicioCaption"));
    m_titulo->setText(windowTitle());
    SpeedButtonNovoUsuario->setText(texto("SpeedButtonNovoUsuario"));
    BitBtnLogar->setText(texto("BitBtnLogar"));
    LabelCitar->setText(texto("LabelCitar"));
    ListBoxUsuarios->setToolTip(texto("ListBoxUsuariosHint"));
    // Room around the texts of every language.
    for (QPushButton *b : {SpeedButtonNovoUsuario, BitBtnLogar})
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(b->text().remove(QLatin1Char('&'))) +
                           36);
}

QStringList TFormInicio::Usuarios(const QString &diretorioDados) {
    return TUsuario::ListarUsuarios(diretorioDados);
}

void TFormInicio::ListarUsuarios() {
    ListBoxUsuarios->clear();
    ListBoxUsuarios->addItems(Usuarios(m_diretorio));
    BitBtnLogar->setEnabled(false);
}

int TFormInicio::idiomaEscolhido() const {
    const int id = m_grupoIdioma->checkedId();
    return id < 0 ? 0 : id;
}

void TFormInicio::BitBtnLogarClick() {
    const QList<QListWidgetItem *> selecionados = ListBoxUsuarios->selectedItems();
    if (selecionados.isEmpty()) return;
    const QString nome = selecionados.first()->text();
    TCursorEspera espera;
    emit LoginConcluido(nome);
    m_podeFechar = true;
    close();
}

void TFormInicio::SpeedButtonNovoUsuarioClick() {
    {
        TFormNovoUsuario dialogo(m_diretorio, m_arquivoIdioma, m_interacao, this);
        connect(&dialogo, &TFormNovoUsuario::UsuarioCriado, this, &TFormInicio::UsuarioCriado);
        dialogo.exec();
    }
    ListarUsuarios();
}

void TFormInicio::SpeedButtonOkClick() {
    TEscolhaIdioma escolha(m_diretorio);
    // A choice that could not be stored is reported by the choice itself;
    // the box stays so that it can be confirmed again.
    if (!escolha.Confirmar(idiomaEscolhido(), m_interacao)) return;
    GroupBoxBandeira->hide();
    CarregarIdioma();
    adjustSize();
    centralizar();
    emit IdiomaConfirmado(escolha.Lingua(0));
}

void TFormInicio::centralizar() {
    // The screen of the window it opens over.
    QScreen *tela = parentWidget() ? parentWidget()->screen() : screen();
    if (!tela) return;
    const QRect area = tela->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void TFormInicio::showEvent(QShowEvent *evento) {
    ListarUsuarios();
    QDialog::showEvent(evento);
    centralizar();
}

void TFormInicio::closeEvent(QCloseEvent *evento) {
    // Only a login closes this window: without it the program would be left
    // with nothing to log in with.
    if (m_podeFechar)
        evento->accept();
    else
        evento->ignore();
}

void TFormInicio::reject() {
    // Esc does not close the login window either.
}

void TFormInicio::paintEvent(QPaintEvent *evento) {
    QDialog::paintEvent(evento);
    QPainter p(this);
    p.setPen(Figuras::CorFaixa());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
