#include "TFormNovoExperimento.h"

#include "core/forms/TCursorEspera.h"
#include "TPainelConfiguracao.h"
#include "TValidadorNome.h"

#include "core/TIdioma.h"
#include "core/TErro.h"
#include "core/TInteracao.h"
#include "core/TUsuario.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

const QString TFormNovoExperimento::Secao = QStringLiteral("UnitNovoExperimento");

TFormNovoExperimento::TFormNovoExperimento(TUsuario &usuario, TInteracao *interacao,
                                           QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_usuario(usuario), m_interacao(interacao), m_novo(usuario) {
    setObjectName(QStringLiteral("FormNovoExperimento"));
    setModal(true);

    m_rotulo = new QLabel(this);
    m_rotulo->setObjectName(QStringLiteral("LabeledEditLabel"));
    m_nome = new QLineEdit(this);
    m_nome->setObjectName(QStringLiteral("LabeledEdit"));
    m_nome->setValidator(new TValidadorNome(TValidadorNome::RecusadosExperimento, m_nome));
    m_nome->installEventFilter(this);
    m_rotulo->setBuddy(m_nome);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("BitBtnOK"));
    m_ok->setAutoDefault(false);

    m_conf = new QGroupBox(this);
    m_conf->setObjectName(QStringLiteral("GroupBoxConf"));
    m_painel = new TPainelConfiguracao(m_conf);
    m_salvar = new QPushButton(QStringLiteral("Salvar Configurações"), m_conf);
    m_salvar->setObjectName(QStringLiteral("BitBtn1"));
    m_salvar->setDefault(true);
    auto *botao = new QHBoxLayout;
    botao->addStretch(1);
    botao->addWidget(m_salvar);
    auto *conf = new QVBoxLayout(m_conf);
    conf->addWidget(m_painel);
    conf->addLayout(botao);

    auto *nome = new QHBoxLayout;
    nome->addWidget(m_nome, 1);
    nome->addWidget(m_ok);
    auto *coluna = new QVBoxLayout(this);
    coluna->setContentsMargins(14, 12, 14, 14);
    coluna->addWidget(m_rotulo);
    coluna->addLayout(nome);
    coluna->addSpacing(6);
    coluna->addWidget(m_conf);
    coluna->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_ok, &QPushButton::clicked, this, &TFormNovoExperimento::BitBtnOKClick);
    connect(m_salvar, &QPushButton::clicked, this, &TFormNovoExperimento::BitBtn1Click);

    const TIdioma idioma(m_usuario.ArquivoIdioma);
    auto texto = [&](const char *chave) { return idioma.Texto(Secao, QLatin1String(chave)); };
    setWindowTitle(texto("FormNovoExperimentoCaption"));
    m_rotulo->setText(texto("LabeledEdit"));
    m_ok->setText(texto("BitBtnOK"));
    m_salvar->setText(texto("BitBtn1"));
    m_painel->CarregarIdioma(idioma, Secao);
    m_ok->setMinimumWidth(std::max(90, m_ok->sizeHint().width()));
    m_nome->setMinimumWidth(260);
    mostrarEtapa();
}

QString TFormNovoExperimento::mensagem(const char *chave) const {
    return TIdioma::Ler(m_usuario.ArquivoIdioma, Secao, QLatin1String(chave));
}

void TFormNovoExperimento::mostrarEtapa() {
    const bool nomeando = m_novo.Etapa() == TNovoExperimento::Nomeando;
    m_nome->setEnabled(nomeando);
    m_ok->setEnabled(nomeando);
    m_conf->setEnabled(!nomeando);
    if (nomeando)
        m_nome->setFocus();
    else
        m_painel->setFocus();
}

void TFormNovoExperimento::BitBtnOKClick() {
    TNovoExperimento::TRegistro r;
    QString erro;
    {
        TCursorEspera espera;
        r = m_novo.Registrar(m_nome->text(), &erro);
    }
    switch (r) {
    case TNovoExperimento::TRegistro::Registrado:
        m_painel->PreencherLabirintos(Configuracao::Labirintos(m_usuario));
        break;
    case TNovoExperimento::TRegistro::VazioOuEmUso:
        m_interacao->Mensagem(mensagem("TFormNovoExperimentoBitBtnOKClickMessage1"));
        m_nome->clear();
        break;
    case TNovoExperimento::TRegistro::Recusado:
        // The name stays, so that it can be shortened or changed.
        m_interacao->Mensagem(mensagem("TFormNovoExperimentoBitBtnOKClickMessage2"));
        break;
    case TNovoExperimento::TRegistro::Falhou:
        m_interacao->Mensagem(erro);
        break;
    }
    mostrarEtapa();
}

void TFormNovoExperimento::BitBtn1Click() {
    if (m_novo.Etapa() != TNovoExperimento::Configurando) return;
    Configuracao::TResultado r;
    try {
        TCursorEspera espera;
        r = m_novo.Salvar(m_painel->Valores());
    } catch (const TErro &e) {
        // The profile is as it was: the dialog stays, the settings can be
        // saved again once the file can be written.
        m_interacao->Mensagem(e.mensagem());
        return;
    }
    if (r == Configuracao::TResultado::SemLabirinto) {
        m_interacao->Mensagem(mensagem("TFormNovoExperimentoBitBtn1ClickMessage1"));
        return;
    }
    emit ConfiguracoesSalvas(m_novo.Nome());
    accept();
}

bool TFormNovoExperimento::eventFilter(QObject *objeto, QEvent *evento) {
    // Enter in the name field registers the name.
    if (objeto == m_nome && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            BitBtnOKClick();
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

void TFormNovoExperimento::showEvent(QShowEvent *evento) {
    QDialog::showEvent(evento);
    if (QScreen *tela = screen()) {
        const QRect area = tela->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    mostrarEtapa();
}
