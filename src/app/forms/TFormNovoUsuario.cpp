#include "TFormNovoUsuario.h"

#include "core/forms/TCursorEspera.h"
#include "TValidadorNome.h"

#include "core/Perfil.h"
#include "core/TErro.h"
#include "core/TIdioma.h"
#include "core/TInteracao.h"
#include "core/TUsuario.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

const QString TFormNovoUsuario::Secao = QStringLiteral("UnitNovoUsuario");

TFormNovoUsuario::TFormNovoUsuario(const QString &diretorioDados, const QString &arquivoIdioma,
                                   TInteracao *interacao, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_diretorio(diretorioDados), m_arquivoIdioma(arquivoIdioma), m_interacao(interacao) {
    setObjectName(QStringLiteral("FormNovoUsuario"));
    setModal(true);

    LabelNome = new QLabel(this);
    LabelNome->setObjectName(QStringLiteral("LabeledEditNomeLabel"));
    LabeledEditNome = new QLineEdit(this);
    LabeledEditNome->setObjectName(QStringLiteral("LabeledEditNome"));
    LabeledEditNome->setMaxLength(TamanhoMaximo);
    LabeledEditNome->setValidator(
        new TValidadorNome(TValidadorNome::RecusadosUsuario, LabeledEditNome));
    // Room for a whole name of the longest length.
    LabeledEditNome->setMinimumWidth(LabeledEditNome->fontMetrics().averageCharWidth() *
                                     (TamanhoMaximo + 12));
    LabelNome->setBuddy(LabeledEditNome);

    BitBtnOK = new QPushButton(QStringLiteral("OK"), this);
    BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
    BitBtnOK->setToolTip(QStringLiteral("Criar Novo Usuário"));
    BitBtnOK->setDefault(true);
    BitBtnOK->setMinimumWidth(90);

    auto *botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(BitBtnOK);
    auto *coluna = new QVBoxLayout(this);
    coluna->setContentsMargins(16, 14, 16, 14);
    coluna->addWidget(LabelNome);
    coluna->addWidget(LabeledEditNome);
    coluna->addSpacing(8);
    coluna->addLayout(botoes);
    coluna->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtnOK, &QPushButton::clicked, this, &TFormNovoUsuario::BitBtnOKClick);

    const TIdioma idioma(m_arquivoIdioma);
    setWindowTitle(idioma.Texto(Secao, QStringLiteral("FormNovoUsuarioCaption")));
    LabelNome->setText(idioma.Texto(Secao, QStringLiteral("LabeledEditNome")));
}

QString TFormNovoUsuario::mensagem(int n) const {
    return TIdioma::Ler(m_arquivoIdioma, Secao,
                        QStringLiteral("TFormNovoUsuarioBitBtnOKClickMessage%1").arg(n));
}

void TFormNovoUsuario::recusar(const QString &texto) {
    m_interacao->Mensagem(texto);
    LabeledEditNome->setFocus();
}

void TFormNovoUsuario::BitBtnOKClick() {
    const QString nome = LabeledEditNome->text();
    if (nome.isEmpty()) {
        recusar(mensagem(1));
        return;
    }
    // Users are listed without regard to letter case, and a data folder on
    // a shared disk may compare names that way: "ana" is taken when "Ana"
    // exists.
    const bool existe = QFileInfo::exists(TUsuario::ArquivoDoUsuario(m_diretorio, nome)) ||
                        TUsuario::ListarUsuarios(m_diretorio).contains(nome, Qt::CaseInsensitive);
    if (existe) {
        recusar(mensagem(2));
        return;
    }
    QString erro;
    {
        TCursorEspera espera;
        try {
            Perfil::CriarUsuario(m_diretorio, nome);
        } catch (const TErro &e) {
            erro = e.mensagem();
        }
    }
    if (!erro.isEmpty()) {
        recusar(erro);
        return;
    }
    emit UsuarioCriado(nome);
    accept();
}

void TFormNovoUsuario::showEvent(QShowEvent *evento) {
    QDialog::showEvent(evento);
    LabeledEditNome->setFocus();
}
