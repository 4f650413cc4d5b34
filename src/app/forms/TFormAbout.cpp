#include "TFormAbout.h"

#include "core/forms/Figuras.h"

#include "core/TIdioma.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

const QString TFormAbout::Secao = QStringLiteral("UnitAbout");

TFormAbout::TFormAbout(const QString &arquivoIdioma, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FormAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The main window and everything in it wait until "Fechar".
    setWindowModality(Qt::ApplicationModal);

    const TIdioma idioma(arquivoIdioma);
    auto texto = [&](const char *chave) { return idioma.Texto(Secao, QLatin1String(chave)); };
    setWindowTitle(texto("FormAboutCaptionCaption"));

    // A borderless window shows no caption: the caption heads the window.
    m_titulo = Figuras::Faixa(windowTitle(), this, 1.0, 6);
    m_titulo->setObjectName(QStringLiteral("Titulo"));

    auto *logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("ImageLogo"));
    logo->setPixmap(Figuras::Logotipo(110));
    logo->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *creditos = new QVBoxLayout;
    creditos->setSpacing(3);
    auto linha = [&](const char *chave, bool destaque = false, int espaco = 0) {
        if (espaco) creditos->addSpacing(espaco);
        auto *l = new QLabel(texto(chave), this);
        l->setObjectName(QLatin1String(chave));
        l->setTextFormat(Qt::PlainText);
        if (destaque) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
        creditos->addWidget(l);
        return l;
    };
    QLabel *nome = linha("Label1", true);
    QFont grande = nome->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.3);
    nome->setFont(grande);
    linha("Label2");
    linha("Label3");
    linha("Label4", false, 8);
    linha("Label17");
    linha("Label5", false, 8);
    linha("Label6");
    linha("Label7", true, 8);
    linha("Label8");
    linha("Label13", true, 8);
    linha("Label14");
    linha("LabelVersao", true, 12);

    SpeedButtonFechar = new QPushButton(texto("SpeedButtonFechar"), this);
    SpeedButtonFechar->setObjectName(QStringLiteral("SpeedButtonFechar"));
    SpeedButtonFechar->setDefault(true);
    auto *figura = new QLabel(this);
    figura->setObjectName(QStringLiteral("Image2"));
    figura->setPixmap(Figuras::Labirinto(36));

    auto *corpo = new QHBoxLayout;
    corpo->setContentsMargins(16, 14, 16, 8);
    corpo->setSpacing(18);
    corpo->addWidget(logo);
    corpo->addLayout(creditos, 1);
    auto *rodape = new QHBoxLayout;
    rodape->setContentsMargins(16, 0, 12, 12);
    rodape->addStretch(1);
    rodape->addWidget(SpeedButtonFechar);
    rodape->addSpacing(12);
    rodape->addWidget(figura);
    auto *tudo = new QVBoxLayout(this);
    tudo->setContentsMargins(1, 1, 1, 1);
    tudo->setSpacing(0);
    tudo->addWidget(m_titulo);
    tudo->addLayout(corpo);
    tudo->addLayout(rodape);
    tudo->setSizeConstraint(QLayout::SetFixedSize);

    connect(SpeedButtonFechar, &QPushButton::clicked, this, &QDialog::close);
}

void TFormAbout::showEvent(QShowEvent *evento) {
    QDialog::showEvent(evento);
    if (const QScreen *tela = screen()) move(tela->availableGeometry().center() - rect().center());
    SpeedButtonFechar->setFocus();
}

void TFormAbout::closeEvent(QCloseEvent *evento) {
    evento->accept();
    emit Fechada();
}

void TFormAbout::paintEvent(QPaintEvent *evento) {
    QDialog::paintEvent(evento);
    // The frame of a borderless window.
    QPainter p(this);
    p.setPen(Figuras::CorFaixa());
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
