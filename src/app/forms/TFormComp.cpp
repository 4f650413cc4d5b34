#include "TFormComp.h"

#include "FecharJanela.h"
#include "core/forms/TCursorEspera.h"
#include "TValidadorComportamento.h"

#include "app/Catalogo.h"
#include "core/TIdioma.h"
#include "core/TErro.h"
#include "core/TInteracao.h"
#include "core/TUsuario.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

const QString TFormComp::Secao = QStringLiteral("UnitComp");

namespace {

constexpr int kLinhas = 13; // letters per column: A to M, N to Z

} // namespace

TFormComp::TFormComp(TUsuario &usuario, TInteracao *interacao, QWidget *parent)
    : QWidget(parent), m_usuario(usuario), m_interacao(interacao) {
    setObjectName(QStringLiteral("FormComp"));
    const TIdioma idioma(m_usuario.ArquivoIdioma);
    auto texto = [&](const char *chave) { return idioma.Texto(Secao, QLatin1String(chave)); };
    setWindowTitle(texto("FormCompCaption"));

    auto *letras = new QGridLayout;
    letras->setHorizontalSpacing(6);
    letras->setVerticalSpacing(3);
    QPalette prata;
    prata.setColor(QPalette::Disabled, QPalette::Base, QColor(0xc0, 0xc0, 0xc0));
    for (int n = 1; n <= Catalogo::Letras; ++n) {
        const QString letra(QChar(64 + n));
        auto *caixa = new QCheckBox(letra, this);
        caixa->setObjectName(QStringLiteral("CheckBox") + letra);
        QFont negrito = caixa->font();
        negrito.setBold(true);
        caixa->setFont(negrito);
        auto *campo = new QLineEdit(this);
        campo->setObjectName(QStringLiteral("Edit") + letra);
        campo->setValidator(new TValidadorComportamento(campo));
        campo->setEnabled(false);
        campo->setPalette(prata);
        campo->setMinimumWidth(campo->fontMetrics().averageCharWidth() * 22);
        m_caixas[n] = caixa;
        m_campos[n] = campo;
        const int coluna = (n - 1) / kLinhas * 3;
        letras->addWidget(caixa, (n - 1) % kLinhas, coluna);
        letras->addWidget(campo, (n - 1) % kLinhas, coluna + 1);
        connect(caixa, &QCheckBox::toggled, this,
                [this, n](bool marcado) { CheckBoxAClick(n, marcado); });
        connect(campo, &QLineEdit::returnPressed, this, &TFormComp::BitBtnSalvarClick);
    }
    letras->setColumnMinimumWidth(2, 14);

    auto *grupo = new QGroupBox(texto("RadioGroup"), this);
    grupo->setObjectName(QStringLiteral("RadioGroup"));
    m_catalogos = new QButtonGroup(this);
    auto *radios = new QHBoxLayout(grupo);
    for (int n = 1; n <= Catalogo::Quantidade; ++n) {
        auto *radio = new QRadioButton(QString::number(n), grupo);
        radio->setObjectName(QStringLiteral("RadioGroup%1").arg(n));
        m_catalogos->addButton(radio, n);
        radios->addWidget(radio);
    }
    m_salvar = new QPushButton(texto("BitBtnSalvar"), this);
    m_salvar->setObjectName(QStringLiteral("BitBtnSalvar"));
    m_salvar->setMinimumWidth(std::max(100, m_salvar->sizeHint().width()));

    auto *baixo = new QHBoxLayout;
    baixo->addWidget(grupo);
    baixo->addStretch(1);
    baixo->addWidget(m_salvar, 0, Qt::AlignBottom);
    auto *coluna = new QVBoxLayout(this);
    coluna->setContentsMargins(14, 12, 14, 12);
    coluna->addLayout(letras);
    coluna->addSpacing(6);
    coluna->addLayout(baixo);

    connect(m_catalogos, &QButtonGroup::idClicked, this, &TFormComp::RadioGroupClick);
    connect(m_salvar, &QPushButton::clicked, this, &TFormComp::BitBtnSalvarClick);
}

void TFormComp::showEvent(QShowEvent *evento) {
    QWidget::showEvent(evento);
    // The experiment's own catalogue, if it has one (exact name).
    if (!m_catalogos->checkedButton()) {
        const int n = Catalogo::Numero(m_usuario.Experimento.Comp[0]);
        if (n > 0) SelecionarCatalogo(n);
    }
}

void TFormComp::SelecionarCatalogo(int n) {
    if (QAbstractButton *radio = m_catalogos->button(n)) {
        radio->setChecked(true);
        RadioGroupClick(n);
    }
}

void TFormComp::RadioGroupClick(int n) {
    TCursorEspera espera;
    Catalogo::Carregar(m_usuario.Arquivo, n, m_usuario.Experimento);
    CarregarComp();
}

void TFormComp::CarregarComp() {
    const TExperimento &e = m_usuario.Experimento;
    for (int n = 1; n <= Catalogo::Letras; ++n)
        m_caixas[n]->setChecked(false);
    if (!e.Configurado) return;
    for (int n = 1; n <= Catalogo::Letras; ++n) {
        if (e.Comp[n].isEmpty()) continue;
        m_caixas[n]->setChecked(true);
        m_campos[n]->setText(e.Comp[n]);
    }
    // Loading is not the user ticking a letter: no field keeps the focus.
    if (qobject_cast<QLineEdit *>(focusWidget()) && m_catalogos->checkedButton())
        m_catalogos->checkedButton()->setFocus();
}

void TFormComp::CheckBoxAClick(int posicao, bool marcado) {
    QLineEdit *campo = m_campos[posicao];
    campo->setEnabled(marcado);
    if (marcado) {
        campo->setFocus();
    } else {
        campo->clear();
    }
}

void TFormComp::BitBtnSalvarClick() {
    const int n = m_catalogos->checkedId();
    QMap<int, QString> marcados;
    for (int k = 1; k <= Catalogo::Letras; ++k)
        if (m_caixas[k]->isChecked()) marcados.insert(k, m_campos[k]->text());
    Catalogo::TResultado r;
    QString nome;
    try {
        TCursorEspera espera;
        r = Catalogo::Salvar(m_usuario.Arquivo, m_usuario.Experimento, n, marcados, &nome);
    } catch (const TErro &e) {
        m_interacao->Mensagem(e.mensagem());
        return;
    }
    auto mensagem = [this](int k) {
        return TIdioma::Ler(m_usuario.ArquivoIdioma, Secao,
                            QStringLiteral("TFormCompBitBtnSalvarClickMessage%1").arg(k));
    };
    switch (r) {
    case Catalogo::TResultado::Salvo:
        emit ComportamentosSalvos(m_usuario.Experimento.Nome);
        FecharJanela(this);
        return;
    case Catalogo::TResultado::SemCatalogo:
        m_interacao->Mensagem(mensagem(1));
        return;
    case Catalogo::TResultado::NomeReservado:
        m_interacao->Mensagem(mensagem(2));
        return;
    case Catalogo::TResultado::NomeRepetido:
        m_interacao->Mensagem(mensagem(3) + QLatin1Char(' ') + nome);
        return;
    }
}
