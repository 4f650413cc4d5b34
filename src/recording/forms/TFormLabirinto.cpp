#include "TFormLabirinto.h"

#include "TImagemLabirinto.h"

#include "core/TIdioma.h"
#include "core/TInteracao.h"
#include "core/TLabirinto.h"
#include "core/TUsuario.h"
#include "recording/Identificacao.h"
#include "recording/JanelaSessao.h"
#include "recording/TSessao.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

const QString TFormLabirinto::Secao = QStringLiteral("UnitLabirinto");

namespace {

const int kMargem = 8;
// Opening size: wide enough for the texts of every language beside a
// picture of a good size.
const int kLarguraInicial = 820;
const int kAlturaInicial = 560;

QLabel *rotulo(QWidget *pai, const char *nome, const QString &texto = QString()) {
    auto *l = new QLabel(texto, pai);
    l->setObjectName(QLatin1String(nome));
    l->setWordWrap(true);
    return l;
}

QLabel *amostra(QWidget *pai, const char *nome, const QColor &cor) {
    auto *l = new QLabel(pai);
    l->setObjectName(QLatin1String(nome));
    l->setFixedSize(16, 16);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, cor);
    l->setPalette(p);
    l->setFrameStyle(QFrame::Box | QFrame::Plain);
    return l;
}

} // namespace

TFormLabirinto::TFormLabirinto(TSessao &sessao, TInteracao *interacao, QWidget *parent)
    : QWidget(parent), m_sessao(sessao), m_sessaoViva(&sessao), m_interacao(interacao),
      m_teclas(sessao) {
    setObjectName(QStringLiteral("FormLabirinto"));
    setWindowTitle(QStringLiteral("Registro Comportamental"));
    setFocusPolicy(Qt::StrongFocus);
    // The picture's size follows the window, not the other way round.
    setMinimumSize(1, 1);
    criarControles();
    carregarTextos();
    ligarSessao();
    resize(kLarguraInicial, kAlturaInicial);
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, &TFormLabirinto::focoMudou);
}

TFormLabirinto::~TFormLabirinto() {
    qApp->removeEventFilter(this);
    // Its widgets lose the focus as they go, after this object is gone.
    disconnect(qApp, nullptr, this, nullptr);
    // Destroyed without being closed (its owner went first): the engine
    // must not go on recording for a window that is gone.
    if (!m_sessaoViva) return;
    m_sessao.disconnect(this);
    m_sessao.Fechar();
}

void TFormLabirinto::criarControles() {
    auto *esquerda = new QWidget(this);
    esquerda->setObjectName(QStringLiteral("PainelEsquerdo"));
    auto *col = new QVBoxLayout(esquerda);
    col->setContentsMargins(0, 0, 0, 0);

    LabelExperimento = rotulo(esquerda, "LabelExperimento", QStringLiteral("Experimento:"));
    LabelNomeExp = rotulo(esquerda, "LabelNomeExp");
    QFont negrito = LabelNomeExp->font();
    negrito.setBold(true);
    LabelNomeExp->setFont(negrito);
    Labelindividuo = rotulo(esquerda, "Labelindividuo", QStringLiteral("Indivíduo:"));
    LabelNome = rotulo(esquerda, "LabelNome");
    LabelNome->setFont(negrito);
    LabelNome->setTextFormat(Qt::PlainText);
    auto *cabecalho = new QGridLayout;
    cabecalho->addWidget(LabelExperimento, 0, 0);
    cabecalho->addWidget(LabelNomeExp, 0, 1);
    cabecalho->addWidget(Labelindividuo, 1, 0);
    cabecalho->addWidget(LabelNome, 1, 1);
    cabecalho->setColumnStretch(1, 1);
    col->addLayout(cabecalho);

    // The identification panel, and the start-choice panel over it.
    GroupBoxInf = new QGroupBox(esquerda);
    GroupBoxInf->setObjectName(QStringLiteral("GroupBoxInf"));
    auto *inf = new QVBoxLayout(GroupBoxInf);
    LabeledEditNomeEditLabel = rotulo(GroupBoxInf, "LabeledEditNomeEditLabel");
    LabeledEditNome = new QLineEdit(GroupBoxInf);
    LabeledEditNome->setObjectName(QStringLiteral("LabeledEditNome"));
    LabeledEditNome->setMaxLength(Identificacao::TamanhoMaximo);
    LabeledEditNomeEditLabel->setBuddy(LabeledEditNome);
    SpeedButtonConfirmar = new QPushButton(GroupBoxInf);
    SpeedButtonConfirmar->setObjectName(QStringLiteral("SpeedButtonConfirmar"));
    auto *linhaNome = new QHBoxLayout;
    linhaNome->addWidget(LabeledEditNome, 1);
    linhaNome->addWidget(SpeedButtonConfirmar);
    StaticText1 = rotulo(GroupBoxInf, "StaticText1");
    StaticText2 = rotulo(GroupBoxInf, "StaticText2", QStringLiteral(">>>> 5 <<<<"));
    for (QLabel *l : {StaticText1, StaticText2}) {
        l->setAlignment(Qt::AlignCenter);
        l->setFont(negrito);
        l->setStyleSheet(QStringLiteral("color: rgb(0, 0, 128)"));
    }
    Label1 = rotulo(GroupBoxInf, "Label1");
    LabelUltimoNome = rotulo(GroupBoxInf, "LabelUltimoNome");
    LabelUltimoNome->setTextFormat(Qt::PlainText);
    LabelUltimoNome->setFont(negrito);
    SpeedButtonComportamentos = new QPushButton(GroupBoxInf);
    SpeedButtonComportamentos->setObjectName(QStringLiteral("SpeedButtonComportamentos"));
    inf->addWidget(LabeledEditNomeEditLabel);
    inf->addLayout(linhaNome);
    inf->addWidget(StaticText1);
    inf->addWidget(StaticText2);
    inf->addWidget(Label1);
    inf->addWidget(LabelUltimoNome);
    inf->addWidget(SpeedButtonComportamentos);

    GroupBoxInicio = new QGroupBox(esquerda);
    GroupBoxInicio->setObjectName(QStringLiteral("GroupBoxInicio"));
    GroupBoxInicio->setAutoFillBackground(true);
    auto *ini = new QVBoxLayout(GroupBoxInicio);
    LabelQdeInicios = rotulo(GroupBoxInicio, "LabelQdeInicios");
    LabelInicios = rotulo(GroupBoxInicio, "LabelInicios");
    LabelInicios->setFont(negrito);
    auto *linhaInicios = new QHBoxLayout;
    linhaInicios->addWidget(LabelQdeInicios, 1);
    linhaInicios->addWidget(LabelInicios);
    StaticTextInformativo = rotulo(GroupBoxInicio, "StaticTextInformativo");
    GroupBoxQdeInicios = new QGroupBox(GroupBoxInicio);
    GroupBoxQdeInicios->setObjectName(QStringLiteral("GroupBoxQdeInicios"));
    auto *qde = new QGridLayout(GroupBoxQdeInicios);
    SpeedButton2 = new QPushButton(GroupBoxQdeInicios);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton1 = new QPushButton(GroupBoxQdeInicios);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    auto *fases = new QButtonGroup(this);
    for (QPushButton *b : {SpeedButton2, SpeedButton1}) {
        b->setCheckable(true);
        fases->addButton(b);
    }
    qde->addWidget(SpeedButton2, 0, 0);
    qde->addWidget(amostra(GroupBoxQdeInicios, "ShapeLivre", QColor(0, 128, 0)), 0, 1);
    qde->addWidget(SpeedButton1, 1, 0);
    qde->addWidget(amostra(GroupBoxQdeInicios, "ShapeFixo", QColor(255, 0, 0)), 1, 1);
    GroupBoxComeco = new QGroupBox(GroupBoxInicio);
    GroupBoxComeco->setObjectName(QStringLiteral("GroupBoxComeco"));
    auto *comeco = new QVBoxLayout(GroupBoxComeco);
    for (int i = 0; i < 3; ++i) {
        RadioButtonN[i] = new QRadioButton(GroupBoxComeco);
        RadioButtonN[i]->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        comeco->addWidget(RadioButtonN[i]);
    }
    RadioButtonN[2]->setChecked(true);
    BitBtnOK = new QPushButton(GroupBoxInicio);
    BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
    BitBtnOK->setDefault(true);
    ini->addLayout(linhaInicios);
    ini->addWidget(StaticTextInformativo);
    ini->addWidget(GroupBoxQdeInicios);
    ini->addWidget(GroupBoxComeco);
    ini->addWidget(BitBtnOK);
    ini->addStretch(1);
    GroupBoxInicio->hide();

    auto *paineis = new QGridLayout;
    paineis->addWidget(GroupBoxInf, 0, 0, Qt::AlignTop);
    paineis->addWidget(GroupBoxInicio, 0, 0);
    col->addLayout(paineis);

    StaticText9 = rotulo(esquerda, "StaticText9");
    StaticText10 = rotulo(esquerda, "StaticText10", QStringLiteral(">>>> 5 <<<<"));
    for (QLabel *l : {StaticText9, StaticText10}) {
        l->setAlignment(Qt::AlignCenter);
        l->setFont(negrito);
        l->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0)"));
        l->hide();
    }
    col->addWidget(StaticText9);
    col->addWidget(StaticText10);

    LabelComp = rotulo(esquerda, "LabelComp");
    col->addWidget(LabelComp);
    for (int i = 0; i < 3; ++i) {
        LabelCompN[i] = rotulo(esquerda, "");
        LabelCompN[i]->setObjectName(QStringLiteral("LabelComp%1").arg(i + 1));
        LabelCompN[i]->setTextFormat(Qt::PlainText);
        LabelCompN[i]->setFont(negrito);
        LabelCompN[i]->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0)"));
        LabelCompN[i]->setMinimumHeight(LabelCompN[i]->fontMetrics().height());
        col->addWidget(LabelCompN[i]);
    }
    LabelTempoDecorrido = rotulo(esquerda, "LabelTempoDecorrido");
    Gauge = new QProgressBar(esquerda);
    Gauge->setObjectName(QStringLiteral("Gauge"));
    Gauge->setRange(0, 100);
    Gauge->setValue(0);
    col->addWidget(LabelTempoDecorrido);
    col->addWidget(Gauge);
    col->addStretch(1);

    Image = new TImagemLabirinto(m_sessao.Labirinto().Imagem, this);

    StaticText1->hide();
    StaticText2->hide();
    Label1->hide();
    LabelUltimoNome->hide();

    connect(Image, &TImagemLabirinto::Clicado, this, &TFormLabirinto::ImageClick);
    connect(SpeedButtonConfirmar, &QPushButton::clicked, this,
            &TFormLabirinto::SpeedButtonConfirmarClick);
    connect(LabeledEditNome, &QLineEdit::returnPressed, this,
            &TFormLabirinto::SpeedButtonConfirmarClick);
    connect(LabeledEditNome, &QLineEdit::textEdited, this, &TFormLabirinto::LabeledEditNomeEdited);
    connect(BitBtnOK, &QPushButton::clicked, this, &TFormLabirinto::BitBtnOKClick);
    connect(SpeedButtonComportamentos, &QPushButton::clicked, this,
            &TFormLabirinto::ComportamentosSolicitados);
}

void TFormLabirinto::carregarTextos() {
    const TIdioma idioma(m_sessao.Usuario().ArquivoIdioma);
    auto texto = [&](const char *chave) { return idioma.Texto(Secao, QLatin1String(chave)); };
    setWindowTitle(texto("FormLabirintoCaption"));
    LabelExperimento->setText(texto("LabelExperimento"));
    GroupBoxInicio->setTitle(texto("GroupBoxInicio"));
    LabelQdeInicios->setText(texto("LabelQdeInicios"));
    StaticTextInformativo->setText(texto("StaticTextInformativo"));
    GroupBoxQdeInicios->setTitle(texto("GroupBoxQdeInicios"));
    SpeedButton2->setText(texto("SpeedButton2"));
    SpeedButton1->setText(texto("SpeedButton1"));
    BitBtnOK->setText(texto("BitBtnOK"));
    SpeedButtonComportamentos->setText(texto("SpeedButtonComportamentos"));
    LabeledEditNomeEditLabel->setText(texto("LabeledEditNomeEditLabel"));
    SpeedButtonConfirmar->setText(texto("SpeedButtonConfirmar"));
    StaticText1->setText(texto("StaticText1"));
    Label1->setText(texto("Label1"));
    Labelindividuo->setText(texto("Labelindividuo"));
    StaticText9->setText(texto("StaticText9"));
    LabelComp->setText(texto("LabelComp"));
    LabelTempoDecorrido->setText(texto("LabelTempoDecorrido"));
    GroupBoxComeco->setTitle(texto("GroupBoxComeco"));
    for (int i = 0; i < 3; ++i)
        RadioButtonN[i]->setText(texto(qPrintable(QStringLiteral("RadioButton%1").arg(i + 1))));
}

void TFormLabirinto::ligarSessao() {
    TSessao *s = &m_sessao;
    connect(s, &TSessao::LabirintoRedesenhado, Image, &TImagemLabirinto::Redesenhar);
    connect(s, &TSessao::QuadradoPintado, this,
            [this](int c, int r, const TCor &) { Image->QuadradoAlterado(c, r); });
    connect(s, &TSessao::EscolhaInicioVisivel, this, &TFormLabirinto::mostrarEscolhaInicio);
    connect(s, &TSessao::PainelIdentificacaoVisivel, this, [this](bool v) {
        GroupBoxInf->setVisible(v);
        if (!v) setFocus();
    });
    connect(s, &TSessao::CampoIdentificacaoVisivel, this, [this](bool v) {
        for (QWidget *w : {static_cast<QWidget *>(LabeledEditNomeEditLabel),
                           static_cast<QWidget *>(LabeledEditNome),
                           static_cast<QWidget *>(SpeedButtonConfirmar)})
            w->setVisible(v);
        // The keys now belong to the window.
        if (!v) setFocus();
    });
    connect(s, &TSessao::CampoIdentificacaoEsvaziado, this, [this] {
        LabeledEditNome->clear();
        LabeledEditNome->setFocus();
    });
    connect(s, &TSessao::IdentificacaoConfirmada, LabelNome, &QLabel::setText);
    connect(s, &TSessao::AvisoInicioVisivel, this, [this](bool v) {
        StaticText1->setVisible(v);
        StaticText2->setVisible(v);
    });
    connect(s, &TSessao::AvisoReinicioVisivel, this, [this](bool v) {
        StaticText9->setVisible(v);
        StaticText10->setVisible(v);
    });
    connect(s, &TSessao::UltimaIdentificacaoAlterada, LabelUltimoNome, &QLabel::setText);
    connect(s, &TSessao::UltimaIdentificacaoVisivel, this, [this](bool v) {
        Label1->setVisible(v);
        LabelUltimoNome->setVisible(v);
    });
    connect(s, &TSessao::RotuloAlterado, this, [this](int i, const QString &nome) {
        if (i >= 0 && i < 3) LabelCompN[i]->setText(nome);
    });
    connect(s, &TSessao::AndamentoAlterado, Gauge, &QProgressBar::setValue);
    connect(s, &TSessao::FechamentoSolicitado, this,
            [this] { QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection); });
}

bool TFormLabirinto::Abrir() {
    const TExperimento &e = m_sessao.Usuario().Experimento;
    LabelNomeExp->setText(e.Nome);
    LabelInicios->setText(QString::number(e.QdeInicios));
    if (!m_sessao.Abrir()) return false;
    Image->Redesenhar();
    LabeledEditNome->setFocus();
    return true;
}

void TFormLabirinto::mostrarEscolhaInicio(bool visivel) {
    GroupBoxInicio->setVisible(visivel);
    if (!visivel) return;
    GroupBoxInicio->raise();
    const bool dois = m_sessao.DoisInicios();
    GroupBoxQdeInicios->setVisible(dois);
    (dois ? SpeedButton2 : SpeedButton1)->setChecked(true);
    RadioButtonN[0]->setEnabled(dois);
    // While choosing, the window keeps only its system menu and close box.
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint);
}

void TFormLabirinto::ImageClick(QPointF ponto) {
    if (!GroupBoxInicio->isVisible()) return;
    int coluna = 0, linha = 0;
    if (m_sessao.Labirinto().QuadradoDoClique(ponto.x(), ponto.y(), &coluna, &linha))
        m_sessao.EscolherInicio(coluna, linha, SpeedButton1->isChecked());
}

void TFormLabirinto::BitBtnOKClick() {
    int comeco = 3;
    for (int i = 0; i < 3; ++i)
        if (RadioButtonN[i]->isChecked()) comeco = i + 1;
    m_sessao.ConfirmarInicios(comeco);
}

void TFormLabirinto::SpeedButtonConfirmarClick() {
    m_sessao.ConfirmarIdentificacao(LabeledEditNome->text());
}

void TFormLabirinto::LabeledEditNomeEdited(const QString &texto) {
    // Typed and pasted text alike: what may not be in an identification
    // is dropped, the cursor staying after what was kept.
    const QString filtrado = Identificacao::Filtrar(texto);
    if (filtrado == texto) return;
    const int cursor = Identificacao::Filtrar(texto.left(LabeledEditNome->cursorPosition())).size();
    LabeledEditNome->setText(filtrado);
    LabeledEditNome->setCursorPosition(cursor);
}

bool TFormLabirinto::meu(const QObject *objeto) const {
    if (!objeto || !objeto->isWidgetType()) return false;
    const auto *w = static_cast<const QWidget *>(objeto);
    return w == this || isAncestorOf(w) ||
           (w == parentWidget() && qobject_cast<const QMdiSubWindow *>(w));
}

bool TFormLabirinto::eventFilter(QObject *objeto, QEvent *evento) {
    const QEvent::Type tipo = evento->type();
    if (tipo != QEvent::KeyPress && tipo != QEvent::KeyRelease && tipo != QEvent::ShortcutOverride)
        return false;
    if (!m_sessaoViva || !meu(objeto) || !isEnabled()) return false;
    auto *k = static_cast<QKeyEvent *>(evento);
    switch (tipo) {
    case QEvent::ShortcutOverride:
        // A key the window takes is never a shortcut of the main window.
        if (!m_teclas.Toma(k->key())) return false;
        k->accept();
        return true;
    case QEvent::KeyPress:
        return m_teclas.Pressionada(k->key(), k->text(), k->isAutoRepeat());
    default:
        return m_teclas.Liberada(k->key(), k->isAutoRepeat());
    }
}

void TFormLabirinto::focoMudou(QWidget *antigo, QWidget *novo) {
    if (m_sessaoViva && meu(antigo) && !meu(novo)) m_teclas.FocoPerdido();
}

void TFormLabirinto::hideEvent(QHideEvent *evento) {
    if (m_sessaoViva) m_teclas.FocoPerdido();
    QWidget::hideEvent(evento);
}

void TFormLabirinto::changeEvent(QEvent *evento) {
    if (evento->type() == QEvent::EnabledChange && !isEnabled() && m_sessaoViva)
        m_teclas.FocoPerdido();
    QWidget::changeEvent(evento);
}

void TFormLabirinto::closeEvent(QCloseEvent *evento) {
    const TSessao::Estado estado = m_sessao.EstadoAtual();
    if (estado == TSessao::Estado::Gravando || estado == TSessao::Estado::Pausada) {
        const QString pergunta = TIdioma::Ler(m_sessao.Usuario().ArquivoIdioma, Secao,
                                              QStringLiteral("TFormLabirintoFormCloseMessage1"));
        // The session may end while the question is open; its record is
        // written then, and closing drops nothing.
        if (!m_interacao->Confirmar(pergunta)) {
            evento->ignore();
            return;
        }
    }
    m_teclas.FocoPerdido();
    m_sessao.Fechar();
    evento->accept();
    emit Fechada();
}

void TFormLabirinto::resizeEvent(QResizeEvent *evento) {
    QWidget::resizeEvent(evento);
    FormResize();
}

void TFormLabirinto::FormResize() {
    auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget());
    QWidget *janela = sub ? static_cast<QWidget *>(sub) : this;
    const QSize externo = sub ? sub->size() : frameGeometry().size();
    const int lado = JanelaSessao::LadoImagem(externo.width(), externo.height());
    if (lado == 0 && !m_redimensionando) {
        // Too small: back to the smallest size, at its place.
        m_redimensionando = true;
        // A frame of the window's own (not inside the main window) is
        // part of the outer size.
        const QSize moldura = sub ? QSize() : frameGeometry().size() - size();
        QTimer::singleShot(0, janela, [this, janela, moldura] {
            janela->resize(QSize(JanelaSessao::LarguraMinima, JanelaSessao::AlturaMinima) -
                           moldura);
            janela->move(JanelaSessao::EsquerdaPadrao, JanelaSessao::TopoPadrao);
            m_redimensionando = false;
        });
    }
    const int l = lado > 0 ? lado : TDesenho::Lado;
    Image->setFixedSize(l, l);
    Image->move(width() - l - kMargem, kMargem);
    Image->Redesenhar();
    if (QWidget *esquerda = findChild<QWidget *>(QStringLiteral("PainelEsquerdo")))
        esquerda->setGeometry(kMargem, kMargem, qMax(0, width() - l - 3 * kMargem),
                              height() - 2 * kMargem);
}
