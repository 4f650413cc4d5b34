#include "TFormShowConf.h"

#include "app/Configuracao.h"
#include "core/TIdioma.h"
#include "core/TExperimento.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStackedLayout>
#include <QTableWidget>
#include <QVBoxLayout>

const QString TFormShowConf::Secao = QStringLiteral("UnitShowConf");

namespace {

// A title label and its value label as one row of a group.
QLabel *linha(QFormLayout *grade, const QString &nomeTitulo, const QString &nomeValor,
              const QString &titulo) {
    auto *t = new QLabel(titulo);
    t->setObjectName(nomeTitulo);
    auto *v = new QLabel;
    v->setObjectName(nomeValor);
    v->setTextFormat(Qt::PlainText);
    QFont negrito = v->font();
    negrito.setBold(true);
    v->setFont(negrito);
    grade->addRow(t, v);
    return v;
}

} // namespace

TFormShowConf::TFormShowConf(const TExperimento &experimento, const QString &arquivoIdioma,
                             QWidget *parent)
    : QWidget(parent), m_experimento(experimento) {
    setObjectName(QStringLiteral("FormShowConf"));
    const TIdioma idioma(arquivoIdioma);
    auto texto = [&](const char *chave) { return idioma.Texto(Secao, QLatin1String(chave)); };
    setWindowTitle(texto("FormShowConfCaption"));

    m_valores = new QWidget(this);
    auto *labirinto = new QGroupBox(texto("GroupBoxLabirinto"), m_valores);
    labirinto->setObjectName(QStringLiteral("GroupBoxLabirinto"));
    auto *gradeLabirinto = new QFormLayout(labirinto);
    m_tipo = linha(gradeLabirinto, "LabelTipoTitulo", "LabelTipo", texto("LabelTipoTitulo"));
    m_distancia = linha(gradeLabirinto, "LabelDistanciaTitulo", "LabelDistancia",
                        texto("LabelDistanciaTitulo"));
    auto *sessao = new QGroupBox(texto("GroupBoxSessao"), m_valores);
    sessao->setObjectName(QStringLiteral("GroupBoxSessao"));
    auto *gradeSessao = new QFormLayout(sessao);
    m_duracao =
        linha(gradeSessao, "LabelDuracaoTitulo", "LabelDuracao", texto("LabelDuracaoTitulo"));
    m_inicios =
        linha(gradeSessao, "LabelIniciosTitulo", "LabelQdeInicios", texto("LabelIniciosTitulo"));
    auto *comportamentos = new QGroupBox(texto("GroupBoxComportamento"), m_valores);
    comportamentos->setObjectName(QStringLiteral("GroupBoxComportamento"));
    auto *colunaComp = new QVBoxLayout(comportamentos);
    auto *gradePadrao = new QFormLayout;
    m_padrao = linha(gradePadrao, "LabelPadraoTitulo", "LabelPadrao", texto("LabelPadraoTitulo"));
    m_tabela = new QTableWidget(0, 2, comportamentos);
    m_tabela->setObjectName(QStringLiteral("ValueListEditor"));
    m_tabela->setHorizontalHeaderLabels({texto("ValueListEditor.TitleCaptions.Strings0"),
                                         texto("ValueListEditor.TitleCaptions.Strings1")});
    m_tabela->verticalHeader()->hide();
    m_tabela->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_tabela->horizontalHeader()->setStretchLastSection(true);
    m_tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tabela->setSelectionMode(QAbstractItemView::NoSelection);
    m_tabela->setFocusPolicy(Qt::NoFocus);
    m_tabela->verticalHeader()->setDefaultSectionSize(m_tabela->fontMetrics().height() + 6);
    colunaComp->addLayout(gradePadrao);
    colunaComp->addWidget(m_tabela, 1);
    auto *colunaValores = new QVBoxLayout(m_valores);
    colunaValores->setContentsMargins(0, 0, 0, 0);
    colunaValores->addWidget(labirinto);
    colunaValores->addWidget(sessao);
    colunaValores->addWidget(comportamentos, 1);

    m_naoConf = new QGroupBox(this);
    m_naoConf->setObjectName(QStringLiteral("GroupBoxNaoConf"));
    auto *atencao = new QLabel(texto("StaticTextAtencao"), m_naoConf);
    atencao->setObjectName(QStringLiteral("StaticTextAtencao"));
    atencao->setAlignment(Qt::AlignCenter);
    atencao->setWordWrap(true);
    QFont destaque = atencao->font();
    destaque.setBold(true);
    destaque.setPointSizeF(destaque.pointSizeF() * 1.2);
    atencao->setFont(destaque);
    auto *configurar = new QPushButton(texto("SpeedButtonConfigurar"), m_naoConf);
    configurar->setObjectName(QStringLiteral("SpeedButtonConfigurar"));
    auto *colunaNaoConf = new QVBoxLayout(m_naoConf);
    colunaNaoConf->addStretch(1);
    colunaNaoConf->addWidget(atencao);
    colunaNaoConf->addSpacing(12);
    colunaNaoConf->addWidget(configurar, 0, Qt::AlignHCenter);
    colunaNaoConf->addStretch(2);

    m_paginas = new QStackedLayout(this);
    m_paginas->setContentsMargins(8, 8, 8, 8);
    m_paginas->addWidget(m_valores);
    m_paginas->addWidget(m_naoConf);

    connect(configurar, &QPushButton::clicked, this, &TFormShowConf::ConfigurarPedido);
}

void TFormShowConf::LimparConfiguracao() {
    m_paginas->setCurrentWidget(m_valores);
    for (QLabel *l : {m_tipo, m_distancia, m_duracao, m_inicios, m_padrao})
        l->clear();
    m_tabela->setRowCount(0);
}

void TFormShowConf::MostrarConfiguracao() {
    LimparConfiguracao();
    const Configuracao::TResumo r = Configuracao::Resumo(m_experimento);
    m_tipo->setText(r.Labirinto);
    m_distancia->setText(r.Distancia);
    m_duracao->setText(r.Duracao);
    m_inicios->setText(r.Inicios);
    m_padrao->setText(r.Padrao);
    m_tabela->setRowCount(r.Comportamentos.size());
    for (int i = 0; i < r.Comportamentos.size(); ++i) {
        auto *letra = new QTableWidgetItem(r.Comportamentos[i].first);
        letra->setTextAlignment(Qt::AlignCenter);
        m_tabela->setItem(i, 0, letra);
        m_tabela->setItem(i, 1, new QTableWidgetItem(r.Comportamentos[i].second));
    }
}

void TFormShowConf::MostrarNaoConfigurado() {
    LimparConfiguracao();
    m_paginas->setCurrentWidget(m_naoConf);
}
