#include "TFormTeclado.h"

#include "core/TIdioma.h"
#include "recording/TSessao.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

const QString TFormTeclado::Secao = QStringLiteral("UnitTeclado");

namespace {

// The picture: a keyboard seen from above, the main block, the arrow keys
// and the numeric keypad. Where the two blocks lie, for the markers.
const QSize kTamanho(420, 150);
const QRect kSetas(268, 92, 62, 42);
const QRect kNumerico(340, 34, 70, 100);

QPixmap teclado() {
    QPixmap p(kTamanho);
    p.fill(Qt::transparent);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(90, 90, 90), 2));
    g.setBrush(QColor(225, 225, 225));
    g.drawRoundedRect(QRectF(2, 2, kTamanho.width() - 4, kTamanho.height() - 4), 8, 8);
    g.setPen(QPen(QColor(110, 110, 110), 1));
    g.setBrush(Qt::white);
    auto tecla = [&](double x, double y, double l, double a = 18) {
        g.drawRoundedRect(QRectF(x, y, l, a), 2, 2);
    };
    // Function row and the main block.
    for (int i = 0; i < 13; ++i)
        tecla(12 + i * 19.5, 12, 16);
    for (int linha = 0; linha < 5; ++linha)
        for (int i = 0; i < 13; ++i)
            tecla(12 + i * 19 + (linha % 2) * 4, 36 + linha * 20, 16);
    // Arrow keys: an inverted T.
    tecla(290, 94, 18);
    for (int i = 0; i < 3; ++i)
        tecla(270 + i * 20, 114, 18);
    // Numeric keypad: four columns, five rows.
    for (int linha = 0; linha < 5; ++linha)
        for (int i = 0; i < 4; ++i)
            tecla(344 + i * 16.5, 36 + linha * 20, 14);
    return p;
}

QWidget *marcador(QWidget *pai, const char *nome, const QRect &onde) {
    auto *m = new QWidget(pai);
    m->setObjectName(QLatin1String(nome));
    m->setAttribute(Qt::WA_TransparentForMouseEvents);
    m->setStyleSheet(QStringLiteral("#%1 { border: 3px solid rgb(255, 255, 0); "
                                    "background: rgba(255, 255, 0, 70); }")
                         .arg(QLatin1String(nome)));
    m->setAttribute(Qt::WA_StyledBackground);
    m->setGeometry(onde);
    return m;
}

const QColor kMarrom(128, 0, 0);
const QColor kVerde(0, 128, 0);

} // namespace

TFormTeclado::TFormTeclado(TSessao &sessao, const QString &arquivoIdioma, QWidget *parent)
    : QDialog(parent), m_sessao(sessao), m_arquivoIdioma(arquivoIdioma) {
    setObjectName(QStringLiteral("FormTeclado"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setModal(false);
    const TIdioma idioma(arquivoIdioma);
    auto texto = [&](const char *chave) { return idioma.Texto(Secao, QLatin1String(chave)); };
    setWindowTitle(texto("FormTecladoCaption"));

    LabelInf1 = new QLabel(texto("LabelInf1"), this);
    LabelInf1->setObjectName(QStringLiteral("LabelInf1"));
    LabelInf2 = new QLabel(texto("LabelInf2"), this);
    LabelInf2->setObjectName(QStringLiteral("LabelInf2"));
    for (QLabel *l : {LabelInf1, LabelInf2}) {
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignCenter);
    }
    ImageTeclado = new QLabel(this);
    ImageTeclado->setObjectName(QStringLiteral("ImageTeclado"));
    ImageTeclado->setPixmap(teclado());
    ImageTeclado->setFixedSize(kTamanho);
    ShapeNumerico = marcador(ImageTeclado, "ShapeNumerico", kNumerico);
    ShapeEdicao = marcador(ImageTeclado, "ShapeEdicao", kSetas);

    Label2 = new QLabel(texto("Label2"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    LabelStatus = new QLabel(QStringLiteral("OFF"), this);
    LabelStatus->setObjectName(QStringLiteral("LabelStatus"));
    QFont grande = LabelStatus->font();
    grande.setBold(true);
    grande.setPointSizeF(grande.pointSizeF() * 1.8);
    LabelStatus->setFont(grande);
    SpeedButtonConfigurar = new QPushButton(this);
    SpeedButtonConfigurar->setObjectName(QStringLiteral("SpeedButtonConfigurar"));
    SpeedButton1 = new QPushButton(texto("SpeedButton1"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));

    auto *estado = new QHBoxLayout;
    estado->addWidget(Label2);
    estado->addWidget(LabelStatus);
    estado->addStretch(1);
    estado->addWidget(SpeedButtonConfigurar);
    estado->addWidget(SpeedButton1);
    auto *tudo = new QVBoxLayout(this);
    tudo->addWidget(LabelInf1);
    tudo->addWidget(LabelInf2);
    tudo->addWidget(ImageTeclado, 0, Qt::AlignHCenter);
    tudo->addLayout(estado);
    tudo->setSizeConstraint(QLayout::SetFixedSize);

    if (m_sessao.TeclasEdicao())
        mostrar(true, "TFormTecladoFormCreateMessage3", "TFormTecladoFormCreateMessage4");
    else
        mostrar(false, "TFormTecladoFormCreateMessage1", "TFormTecladoFormCreateMessage2");

    connect(SpeedButtonConfigurar, &QPushButton::clicked, this,
            &TFormTeclado::SpeedButtonConfigurarClick);
    connect(SpeedButton1, &QPushButton::clicked, this, &QWidget::close);
    // F5 in the session window switches the same mode.
    connect(&m_sessao, &TSessao::TeclasEdicaoAlteradas, this, [this](bool ligadas) {
        if (ligadas)
            mostrar(true, "TFormTecladoSpeedButtonConfigurarClickMessage4",
                    "TFormTecladoSpeedButtonConfigurarClickMessage5");
        else
            mostrar(false, "TFormTecladoSpeedButtonConfigurarClickMessage1",
                    "TFormTecladoSpeedButtonConfigurarClickMessage2");
    });
}

void TFormTeclado::mostrar(bool ligadas, const char *chaveBotao, const char *chaveEstado) {
    SpeedButtonConfigurar->setText(TIdioma::Ler(m_arquivoIdioma, Secao, QLatin1String(chaveBotao)));
    LabelStatus->setText(TIdioma::Ler(m_arquivoIdioma, Secao, QLatin1String(chaveEstado)));
    // The state in its colour, the button in the colour of the other one.
    QPalette p = LabelStatus->palette();
    p.setColor(QPalette::WindowText, ligadas ? kVerde : kMarrom);
    LabelStatus->setPalette(p);
    QPalette b = SpeedButtonConfigurar->palette();
    b.setColor(QPalette::ButtonText, ligadas ? kMarrom : kVerde);
    SpeedButtonConfigurar->setPalette(b);
    ShapeEdicao->setVisible(ligadas);
}

void TFormTeclado::SpeedButtonConfigurarClick() {
    // The engine tells the new mode back (TeclasEdicaoAlteradas), which
    // sets the button and the label.
    m_sessao.AlternarTeclasEdicao();
    emit PainelStatus(
        1, TIdioma::Ler(m_arquivoIdioma, Secao,
                        m_sessao.TeclasEdicao()
                            ? QStringLiteral("TFormTecladoSpeedButtonConfigurarClickMessage6")
                            : QStringLiteral("TFormTecladoSpeedButtonConfigurarClickMessage3")));
}

void TFormTeclado::closeEvent(QCloseEvent *evento) {
    evento->accept();
    emit Fechada();
}
