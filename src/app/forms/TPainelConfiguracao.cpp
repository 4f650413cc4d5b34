#include "TPainelConfiguracao.h"

#include "TSpinEdit.h"

#include "core/TIdioma.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>

namespace {

template <typename W> W *nomear(W *w, const char *nome) {
    w->setObjectName(QLatin1String(nome));
    return w;
}

} // namespace

TPainelConfiguracao::TPainelConfiguracao(QWidget *parent) : QWidget(parent) {
    const Configuracao::TValores padrao;
    m_grupoLabirinto = nomear(new QGroupBox(QStringLiteral("Labirinto"), this), "GroupBoxLabirinto");
    m_tipo = nomear(new QLabel(QStringLiteral("Tipo"), m_grupoLabirinto), "LabelTipo");
    m_labirinto = nomear(new QComboBox(m_grupoLabirinto), "ComboBoxLabirinto");
    m_labirinto->setMinimumContentsLength(14);
    m_labirinto->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_distancia =
        nomear(new QLabel(QStringLiteral("Distância (cm)"), m_grupoLabirinto), "LabelDistancia");
    m_spinDistancia = nomear(
        new TSpinEdit(Configuracao::Distancia, padrao.Distancia, m_grupoLabirinto),
        "SpinEditDistancia");
    m_tipo->setBuddy(m_labirinto);
    m_distancia->setBuddy(m_spinDistancia);
    auto *gradeLabirinto = new QGridLayout(m_grupoLabirinto);
    gradeLabirinto->addWidget(m_tipo, 0, 0);
    gradeLabirinto->addWidget(m_labirinto, 0, 1);
    gradeLabirinto->addWidget(m_distancia, 1, 0);
    gradeLabirinto->addWidget(m_spinDistancia, 1, 1, Qt::AlignLeft);
    gradeLabirinto->setColumnStretch(1, 1);

    m_grupoSecao = nomear(new QGroupBox(QStringLiteral("Sessão"), this), "GroupBoxSecao");
    m_duracao = nomear(new QLabel(QStringLiteral("Duração (s)"), m_grupoSecao), "LabelDuracao");
    m_spinDuracao = nomear(new TSpinEdit(Configuracao::Duracao, padrao.Duracao, m_grupoSecao),
                           "SpinEditDuracao");
    m_inicios = nomear(new QLabel(QStringLiteral("Inícios :"), m_grupoSecao), "LabelInicios");
    m_um = nomear(new QRadioButton(QStringLiteral("1"), m_grupoSecao), "RadioButton1");
    m_dois = nomear(new QRadioButton(QStringLiteral("2"), m_grupoSecao), "RadioButton2");
    m_um->setChecked(true);
    m_duracao->setBuddy(m_spinDuracao);
    for (TSpinEdit *s : {m_spinDistancia, m_spinDuracao})
        s->setMinimumWidth(s->fontMetrics().horizontalAdvance(QStringLiteral("99999")) + 40);
    auto *radios = new QHBoxLayout;
    radios->addWidget(m_um);
    radios->addWidget(m_dois);
    radios->addStretch(1);
    auto *gradeSecao = new QGridLayout(m_grupoSecao);
    gradeSecao->addWidget(m_duracao, 0, 0);
    gradeSecao->addWidget(m_spinDuracao, 0, 1, Qt::AlignLeft);
    gradeSecao->addWidget(m_inicios, 1, 0);
    gradeSecao->addLayout(radios, 1, 1);
    gradeSecao->setColumnStretch(1, 1);

    auto *linha = new QHBoxLayout(this);
    linha->setContentsMargins(0, 0, 0, 0);
    linha->addWidget(m_grupoLabirinto, 3);
    linha->addWidget(m_grupoSecao, 2);

    setFocusProxy(m_labirinto);
    connect(m_labirinto, qOverload<int>(&QComboBox::activated), this,
            &TPainelConfiguracao::LabirintoEscolhido);
}

void TPainelConfiguracao::CarregarIdioma(const TIdioma &idioma, const QString &secao) {
    auto texto = [&](const char *chave) { return idioma.Texto(secao, QLatin1String(chave)); };
    m_grupoLabirinto->setTitle(texto("GroupBoxLabirinto"));
    m_tipo->setText(texto("LabelTipo"));
    m_distancia->setText(texto("LabelDistancia"));
    m_grupoSecao->setTitle(texto("GroupBoxSecao"));
    m_duracao->setText(texto("LabelDuracao"));
    m_inicios->setText(texto("LabelInicios"));
}

void TPainelConfiguracao::PreencherLabirintos(const QStringList &nomes) {
    m_labirinto->clear();
    m_labirinto->addItems(nomes);
    m_labirinto->setCurrentIndex(-1);
}

Configuracao::TValores TPainelConfiguracao::Valores() const {
    Configuracao::TValores v;
    v.Labirinto = m_labirinto->currentIndex() < 0 ? QString() : m_labirinto->currentText();
    v.Distancia = m_spinDistancia->value();
    v.Duracao = m_spinDuracao->value();
    v.Inicios = m_dois->isChecked() ? 2 : 1;
    return v;
}

void TPainelConfiguracao::DefinirInicios(int inicios) {
    (inicios == 2 ? m_dois : m_um)->setChecked(true);
}
