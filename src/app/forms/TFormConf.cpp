#include "TFormConf.h"

#include "FecharJanela.h"
#include "core/forms/TCursorEspera.h"
#include "TPainelConfiguracao.h"

#include "core/TIdioma.h"
#include "core/TErro.h"
#include "core/TInteracao.h"
#include "core/TUsuario.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const QString TFormConf::Secao = QStringLiteral("UnitConf");

TFormConf::TFormConf(TUsuario &usuario, TInteracao *interacao, const QString &experimento,
                     QWidget *parent)
    : QWidget(parent), m_usuario(usuario), m_interacao(interacao), m_experimento(experimento) {
    setObjectName(QStringLiteral("FormConf"));

    auto *rotulo = new QLabel(QStringLiteral("Experimento:"), this);
    rotulo->setObjectName(QStringLiteral("Label2"));
    auto *nome = new QLabel(experimento, this);
    nome->setObjectName(QStringLiteral("LabelExp"));
    QFont negrito = nome->font();
    negrito.setBold(true);
    nome->setFont(negrito);
    nome->setTextFormat(Qt::PlainText);
    m_painel = new TPainelConfiguracao(this);
    m_ok = new QPushButton(QStringLiteral("Salvar Configurações"), this);
    m_ok->setObjectName(QStringLiteral("BitBtnOK"));
    m_ok->setDefault(true);

    auto *topo = new QHBoxLayout;
    topo->addWidget(rotulo);
    topo->addWidget(nome, 1);
    auto *botao = new QHBoxLayout;
    botao->addStretch(1);
    botao->addWidget(m_ok);
    auto *coluna = new QVBoxLayout(this);
    coluna->setContentsMargins(14, 12, 14, 14);
    coluna->addLayout(topo);
    coluna->addWidget(m_painel);
    coluna->addLayout(botao);

    connect(m_ok, &QPushButton::clicked, this, &TFormConf::BitBtnOKClick);
    connect(m_painel, &TPainelConfiguracao::LabirintoEscolhido, this,
            [this] { m_painel->DefinirInicios(1); });

    const TIdioma idioma(m_usuario.ArquivoIdioma);
    setWindowTitle(idioma.Texto(Secao, QStringLiteral("FormConfCaption")));
    rotulo->setText(idioma.Texto(Secao, QStringLiteral("Label2")));
    m_ok->setText(idioma.Texto(Secao, QStringLiteral("BitBtnOK")));
    m_painel->CarregarIdioma(idioma, Secao);
    m_painel->PreencherLabirintos(Configuracao::Labirintos(m_usuario));
    setFocusProxy(m_painel);
}

void TFormConf::BitBtnOKClick() {
    Configuracao::TResultado r;
    try {
        TCursorEspera espera;
        r = Configuracao::Salvar(m_usuario, m_experimento, m_painel->Valores());
    } catch (const TErro &e) {
        m_interacao->Mensagem(e.mensagem());
        return;
    }
    if (r == Configuracao::TResultado::SemLabirinto) {
        m_interacao->Mensagem(TIdioma::Ler(m_usuario.ArquivoIdioma, Secao,
                                           QStringLiteral("TFormConfBitBtnOKClickMessage1")));
        return;
    }
    emit ConfiguracoesSalvas(m_experimento);
    FecharJanela(this);
}

void TFormConf::keyPressEvent(QKeyEvent *evento) {
    // A child window has no default button of its own: Enter saves.
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
        BitBtnOKClick();
        return;
    }
    QWidget::keyPressEvent(evento);
}

void TFormConf::showEvent(QShowEvent *evento) {
    QWidget::showEvent(evento);
    m_painel->setFocus();
}
