#include "TFormNovoLabirinto.h"

#include "FecharJanela.h"
#include "core/forms/TCursorEspera.h"
#include "TSpinEdit.h"

#include "core/TIdioma.h"
#include "core/BibliotecaLabirintos.h"
#include "core/TErro.h"
#include "core/TInteracao.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

const QString TFormNovoLabirinto::Secao = QStringLiteral("UnitNovoLabirinto");

namespace {

constexpr int kCelula = 11; // 10 pixels of cell, 1 of grid line
constexpr int kArea = BibliotecaLabirintos::MaximoArena * kCelula + 8;

// C x R plain cells with grid lines; never takes the focus.
class TGrade : public QWidget {
public:
    explicit TGrade(QWidget *parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }
    void Definir(int colunas, int linhas) {
        m_colunas = colunas;
        m_linhas = linhas;
        setFixedSize(colunas * kCelula + 1, linhas * kCelula + 1);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(QColor(0x80, 0x80, 0x80));
        for (int c = 0; c <= m_colunas; ++c)
            p.drawLine(c * kCelula, 0, c * kCelula, height() - 1);
        for (int r = 0; r <= m_linhas; ++r)
            p.drawLine(0, r * kCelula, width() - 1, r * kCelula);
    }

private:
    int m_colunas = 1, m_linhas = 1;
};

} // namespace

TFormNovoLabirinto::TFormNovoLabirinto(const QString &arquivoLabirintos,
                                       const QString &arquivoIdioma, TInteracao *interacao,
                                       QWidget *parent)
    : QWidget(parent), m_arquivoLabirintos(arquivoLabirintos), m_arquivoIdioma(arquivoIdioma),
      m_interacao(interacao) {
    setObjectName(QStringLiteral("FormNovoLabirinto"));
    const TIdioma idioma(arquivoIdioma);
    auto texto = [&](const char *chave) { return idioma.Texto(Secao, QLatin1String(chave)); };
    setWindowTitle(texto("FormNovoLabirintoCaption"));

    auto *titulo = new QLabel(texto("Label3"), this);
    titulo->setObjectName(QStringLiteral("Label3"));
    QFont negrito = titulo->font();
    negrito.setBold(true);
    titulo->setFont(negrito);
    const TIntervalo tamanho{1, BibliotecaLabirintos::MaximoArena, 1};
    auto *rotuloColunas = new QLabel(texto("Label1"), this);
    rotuloColunas->setObjectName(QStringLiteral("Label1"));
    m_colunas = new TSpinEdit(tamanho, 1, this);
    m_colunas->setObjectName(QStringLiteral("SpinEditColunas"));
    auto *rotuloLinhas = new QLabel(texto("Label2"), this);
    rotuloLinhas->setObjectName(QStringLiteral("Label2"));
    m_linhas = new TSpinEdit(tamanho, 1, this);
    m_linhas->setObjectName(QStringLiteral("SpinEditLinhas"));
    for (TSpinEdit *s : {m_colunas, m_linhas}) {
        s->DefinirSomenteSetas(true);
        s->setFixedWidth(s->fontMetrics().horizontalAdvance(QStringLiteral("99")) + 44);
    }
    rotuloColunas->setBuddy(m_colunas);
    rotuloLinhas->setBuddy(m_linhas);
    auto *criar = new QPushButton(texto("SpeedButton1"), this);
    criar->setObjectName(QStringLiteral("SpeedButton1"));

    // The preview stands in a frame of the largest arena's size.
    auto *area = new QFrame(this);
    area->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_area = area;
    m_area->setFixedSize(kArea, kArea);
    m_grade = new TGrade(m_area);
    m_grade->setObjectName(QStringLiteral("StringGridArena"));

    auto *campos = new QVBoxLayout;
    campos->addWidget(titulo);
    campos->addSpacing(10);
    campos->addWidget(rotuloColunas);
    campos->addWidget(m_colunas, 0, Qt::AlignLeft);
    campos->addSpacing(4);
    campos->addWidget(rotuloLinhas);
    campos->addWidget(m_linhas, 0, Qt::AlignLeft);
    campos->addStretch(1);
    campos->addWidget(criar, 0, Qt::AlignLeft);
    auto *linha = new QHBoxLayout(this);
    linha->setContentsMargins(14, 12, 14, 14);
    linha->setSpacing(18);
    linha->addLayout(campos);
    linha->addWidget(m_area, 0, Qt::AlignTop);

    connect(m_colunas, qOverload<int>(&QSpinBox::valueChanged), this,
            &TFormNovoLabirinto::SpinEditChange);
    connect(m_linhas, qOverload<int>(&QSpinBox::valueChanged), this,
            &TFormNovoLabirinto::SpinEditChange);
    connect(criar, &QPushButton::clicked, this, &TFormNovoLabirinto::SpeedButton1Click);
    SpinEditChange();
    setFocusProxy(m_colunas);
}

void TFormNovoLabirinto::SpinEditChange() {
    // The grid grows from its centre: 5 pixels to each side per cell.
    const int c = m_colunas->value(), r = m_linhas->value();
    static_cast<TGrade *>(m_grade)->Definir(c, r);
    const int meio = BibliotecaLabirintos::MaximoArena * 5 + 4;
    m_grade->move(meio - 5 * c, meio - 5 * r);
}

void TFormNovoLabirinto::SpeedButton1Click() {
    using BibliotecaLabirintos::TResultadoArena;
    TResultadoArena r;
    QString nome;
    try {
        TCursorEspera espera;
        r = BibliotecaLabirintos::CriarArena(m_arquivoLabirintos, m_colunas->value(),
                                             m_linhas->value(), &nome);
    } catch (const TErro &e) {
        m_interacao->Mensagem(e.mensagem());
        return;
    }
    auto mensagem = [this](int k) {
        return TIdioma::Ler(m_arquivoIdioma, Secao,
                            QStringLiteral("TFormNovoLabirintoSpeedButton1ClickMessage%1").arg(k));
    };
    switch (r) {
    case TResultadoArena::Criada:
        m_interacao->Mensagem(mensagem(1));
        emit LabirintoCriado(nome);
        FecharJanela(this);
        return;
    case TResultadoArena::JaExiste:
        m_interacao->Mensagem(mensagem(2));
        return;
    case TResultadoArena::ListaCheia:
    case TResultadoArena::TamanhoInvalido:
        m_interacao->Mensagem(mensagem(3));
        return;
    }
}
