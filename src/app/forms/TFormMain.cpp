#include "TFormMain.h"

#include "core/forms/Figuras.h"
#include "core/forms/TCursorEspera.h"
#include "TFormAbout.h"
#include "TFormInicio.h"
#include "TJanelasExperimento.h"
#include "TFormVideo.h"
#include "TListaExperimentos.h"

#include "analysis/forms/TFormAnalise.h"
#include "data/TGerenciadorArquivos.h"
#include "data/forms/TFormExcluirDados.h"
#include "data/forms/TFormVisualizar.h"
#include "recording/TRecuperacao.h"
#include "recording/forms/TFormLabirinto.h"
#include "recording/forms/TFormTeclado.h"

#include "app/TEscolhaIdioma.h"
#include "app/TOfertaRecuperacao.h"
#include "core/Perfil.h"
#include "core/TErro.h"
#include "core/TIdioma.h"
#include "core/TInteracao.h"
#include "core/TLabirinto.h"
#include "core/TUsuario.h"
#include "recording/TRelogioQt.h"
#include "recording/JanelaSessao.h"
#include "recording/TSessao.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>
#include <QVBoxLayout>

#include <utility>

const QString TFormMain::Secao = QStringLiteral("UnitMain");

namespace {

const QString kLogOff = QStringLiteral("Log Off");

// The band along the bottom of the frame: the product name spaced out on
// the program's colour, a small maze at its right end.
class TFaixa : public QWidget {
public:
    explicit TFaixa(QWidget *parent) : QWidget(parent) {
        setFixedHeight(54);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        m_figura = Figuras::Labirinto(40);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        QLinearGradient fundo(0, 0, width(), 0);
        fundo.setColorAt(0, Figuras::CorFaixa());
        fundo.setColorAt(1, Figuras::CorFaixaClara());
        p.fillRect(rect(), fundo);
        QFont fonte = font();
        fonte.setBold(true);
        fonte.setPixelSize(30);
        fonte.setLetterSpacing(QFont::AbsoluteSpacing, 14);
        p.setFont(fonte);
        p.setPen(QColor(0xf4, 0xf1, 0xe8));
        p.drawText(rect().adjusted(24, 0, -80, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral("TREVALIN"));
        p.drawPixmap(width() - m_figura.width() - 18, (height() - m_figura.height()) / 2, m_figura);
    }

private:
    QPixmap m_figura;
};

QAction *divisor(QMenuBar *barra) {
    QAction *a = barra->addAction(QStringLiteral("|"));
    a->setEnabled(false);
    return a;
}

} // namespace

TFormMain::TFormMain(const QString &diretorioDados, TInteracao *interacao, QWidget *parent)
    : QMainWindow(parent), m_diretorio(diretorioDados), m_interacao(interacao) {
    setObjectName(QStringLiteral("FormMain"));
    setWindowTitle(QStringLiteral("Trevalin 2005 - Programa para Registro Comportamental"));
    setMinimumSize(850, 650);

    auto *centro = new QWidget(this);
    auto *coluna = new QVBoxLayout(centro);
    coluna->setContentsMargins(0, 0, 0, 0);
    coluna->setSpacing(0);
    m_mdi = new QMdiArea(centro);
    m_mdi->setObjectName(QStringLiteral("AreaFilhas"));
    coluna->addWidget(m_mdi, 1);
    coluna->addWidget(new TFaixa(centro));
    setCentralWidget(centro);

    criarMenu();
    criarBarraStatus();
    CarregarIdioma();
    criarObjetos();
    m_recuperacao = std::make_unique<TOfertaRecuperacao>(m_diretorio);
    m_experimentos = new TJanelasExperimento(this);
    connect(m_experimentos, &TJanelasExperimento::AnalisePedida, this, [this] { AbrirAnalise(); });
    connect(m_experimentos, &TJanelasExperimento::SessaoPedida, this, [this] { AbrirSessao(); });
}

void TFormMain::criarObjetos() {
    m_sessao.reset();
    m_relogio.reset();
    m_usuario = std::make_unique<TUsuario>(m_diretorio);
    m_labirinto = std::make_unique<TLabirinto>(m_diretorio);
    m_relogio = std::make_unique<TRelogioQt>();
    m_sessao = std::make_unique<TSessao>(*m_usuario, *m_labirinto, *m_interacao, *m_relogio);
    // What a recording changes outside its window.
    TSessao *s = m_sessao.get();
    connect(s, &TSessao::PainelStatusAlterado, this, &TFormMain::DefinirPainel);
    connect(s, &TSessao::MenuExcluirExperimentoHabilitado, this,
            &TFormMain::HabilitarExcluirExperimento);
    connect(s, &TSessao::MenuTecladoHabilitado, this, [this](bool habilitar) {
        // Never a second keyboard window.
        ConfigurarTeclado1->setEnabled(
            habilitar && !m_usuario->Experimento.JanelaAberta[TExperimento::JanelaTeclado]);
    });
    connect(s, &TSessao::JanelasExperimentoHabilitadas, this, [this](bool habilitar) {
        for (QWidget *w : {m_janelaLista.data(), m_janelaConfiguracao.data()})
            if (w) w->setEnabled(habilitar);
    });
}

TFormMain::~TFormMain() {
    // The windows go before the objects they work on, closed ones waiting
    // for their deletion included; nothing reacts to their going any more.
    delete m_experimentos;
    delete m_inicio;
    delete m_janelas[TExperimento::JanelaTeclado];
    qDeleteAll(m_mdi->findChildren<QMdiSubWindow *>());
}

void TFormMain::criarMenu() {
    QMenuBar *barra = menuBar();

    Opes1 = barra->addMenu(QStringLiteral("&Opções"));
    Experimento1 = Opes1->addMenu(QStringLiteral("&Experimento"));
    Inserir1 = Experimento1->addAction(QStringLiteral("&Novo"));
    Excluir1 = Experimento1->addAction(QStringLiteral("&Excluir"));
    Labirinto1 = Opes1->addMenu(QStringLiteral("&Labirintos"));
    CriarNovoLabirinto1 = Labirinto1->addAction(QStringLiteral("Criar Novo Labirinto"));
    Analise1 = Opes1->addMenu(QStringLiteral("&Dados"));
    Analise1->addSeparator();
    Visualizar1 = Analise1->addAction(QStringLiteral("&Visualizar Arquivos"));
    Excluir2 = Analise1->addAction(QStringLiteral("&Gerenciador de Arquivos"));
    Opes1->addSeparator();
    Video1 = Opes1->addAction(QStringLiteral("Video"));
    ConfigurarTeclado1 = Opes1->addAction(QStringLiteral("Configurar Teclado"));
    Idioma1 = Opes1->addAction(QStringLiteral("Mudar Idioma"));
    Opes1->addSeparator();
    LogOff1 = Opes1->addAction(kLogOff);
    divisor(barra);
    Ajuda1 = barra->addAction(QStringLiteral("Ajuda"));
    Ajuda1->setShortcut(Qt::Key_F1);
    divisor(barra);
    Sobre1 = barra->addAction(QStringLiteral("About..."));
    divisor(barra);
    Sair1 = barra->addAction(QStringLiteral("&Sair"));

    const std::pair<QObject *, const char *> nomes[] = {
        {Opes1, "Opes1"},
        {Experimento1, "Experimento1"},
        {Inserir1, "Inserir1"},
        {Excluir1, "Excluir1"},
        {Labirinto1, "Labirinto1"},
        {CriarNovoLabirinto1, "CriarNovoLabirinto1"},
        {Analise1, "Analise1"},
        {Visualizar1, "Visualizar1"},
        {Excluir2, "Excluir2"},
        {Video1, "Video1"},
        {ConfigurarTeclado1, "ConfigurarTeclado1"},
        {Idioma1, "Idioma1"},
        {LogOff1, "LogOff1"},
        {Ajuda1, "Ajuda1"},
        {Sobre1, "Sobre1"},
        {Sair1, "Sair1"}};
    for (const auto &[objeto, nome] : nomes)
        objeto->setObjectName(QLatin1String(nome));

    // Logged out: only "About..." and "Sair" can be used.
    Opes1->menuAction()->setEnabled(false);
    Experimento1->menuAction()->setEnabled(false);
    Excluir1->setEnabled(false);
    Analise1->menuAction()->setEnabled(false);
    LogOff1->setEnabled(false);
    Ajuda1->setEnabled(false);

    connect(Excluir1, &QAction::triggered, this, &TFormMain::Excluir1Click);
    connect(Idioma1, &QAction::triggered, this, &TFormMain::Idioma1Click);
    connect(LogOff1, &QAction::triggered, this, &TFormMain::LogOff1Click);
    connect(Sair1, &QAction::triggered, this, &TFormMain::Sair1Click);
    connect(Visualizar1, &QAction::triggered, this, &TFormMain::Visualizar1Click);
    connect(Excluir2, &QAction::triggered, this, &TFormMain::Excluir2Click);
    connect(Video1, &QAction::triggered, this, &TFormMain::Video1Click);
    connect(Sobre1, &QAction::triggered, this, &TFormMain::Sobre1Click);
    connect(ConfigurarTeclado1, &QAction::triggered, this, &TFormMain::ConfigurarTeclado1Click);
    // Inserir1 and CriarNovoLabirinto1 each open a
    // window of their own; they are connected where those windows are made.
}

void TFormMain::criarBarraStatus() {
    QStatusBar *barra = statusBar();
    barra->setSizeGripEnabled(false);
    for (int i = 0; i < QdePaineis; ++i) {
        auto *painel = new QLabel(barra);
        painel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        m_paineis[i] = painel;
        if (i < 3) {
            painel->setFixedWidth(200);
            painel->setAlignment(Qt::AlignCenter);
        } else {
            painel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            painel->setContentsMargins(0, 0, 8, 0);
        }
        if (i < 2) painel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        barra->addWidget(painel, i == 3 ? 1 : 0);
    }
    m_paineis[3]->setText(QStringLiteral("Trevalin 2005 versão 1.1.0"));
}

void TFormMain::CarregarIdioma() {
    m_arquivoIdioma = TEscolhaIdioma(m_diretorio).ArquivoIdioma();
    const TIdioma idioma(m_arquivoIdioma);
    auto texto = [&](const char *chave) { return idioma.Texto(Secao, QLatin1String(chave)); };

    setWindowTitle(texto("FormMainCaption"));
    Opes1->setTitle(texto("Opes1"));
    Ajuda1->setText(texto("Ajuda1"));
    Sobre1->setText(texto("Sobre1"));
    Sair1->setText(texto("Sair1"));
    Experimento1->setTitle(texto("Experimento1"));
    Labirinto1->setTitle(texto("Labirinto1"));
    Analise1->setTitle(texto("Analise1"));
    Visualizar1->setText(texto("Visualizar1"));
    Excluir2->setText(texto("Excluir2"));
    Video1->setText(texto("Video1"));
    ConfigurarTeclado1->setText(texto("ConfigurarTeclado1"));
    Idioma1->setText(texto("Idioma1"));
    m_paineis[3]->setText(texto("StatusBar1.Panels3"));
    Inserir1->setText(texto("Inserir1"));
    Excluir1->setText(texto("Excluir1"));
    CriarNovoLabirinto1->setText(texto("CriarNovoLabirinto1"));
}

void TFormMain::DefinirPainel(int painel, const QString &texto) {
    if (painel >= 0 && painel < QdePaineis) m_paineis[painel]->setText(texto);
}

QString TFormMain::Painel(int painel) const {
    return painel >= 0 && painel < QdePaineis ? m_paineis[painel]->text() : QString();
}

TFormInicio *TFormMain::AbrirInicio() {
    delete m_inicio;
    const TEscolhaIdioma escolha(m_diretorio);
    if (escolha.Confirmado()) DefinirPainel(2, TEscolhaIdioma::NomeIdioma(escolha.Lingua(0)));
    m_inicio = new TFormInicio(m_diretorio, m_interacao, this);
    connect(m_inicio, &TFormInicio::LoginConcluido, this, &TFormMain::Entrar);
    connect(m_inicio, &TFormInicio::IdiomaConfirmado, this, &TFormMain::idiomaConfirmado);
    m_inicio->show();
    return m_inicio;
}

void TFormMain::idiomaConfirmado(int lingua) {
    DefinirPainel(2, TEscolhaIdioma::NomeIdioma(lingua));
    CarregarIdioma();
}

TFormInicio *TFormMain::Inicio() const {
    return m_inicio;
}

void TFormMain::Entrar(const QString &usuario) {
    m_usuario->Carregar(usuario);
    abrirJanelasDoUsuario();
    usuarioEntrou();
    m_recuperacao->Oferecer({m_usuario->Pasta}, m_usuario->ArquivoIdioma, *m_interacao);
}

int TFormMain::OferecerRecuperacao() {
    // Without a language there is nobody to ask yet (the login asks), but
    // half-written pairs need no question.
    if (m_arquivoIdioma.isEmpty()) {
        for (const QString &pasta : m_recuperacao->PastasDeTodos())
            TRecuperacao::ConcluirPendentes(pasta);
        return 0;
    }
    return m_recuperacao->Oferecer(m_recuperacao->PastasDeTodos(), m_arquivoIdioma, *m_interacao);
}

void TFormMain::HabilitarExcluirExperimento(bool habilitar) {
    Excluir1->setEnabled(habilitar);
}

void TFormMain::abrirJanelasDoUsuario() {
    m_experimentos->AbrirJanelasDoUsuario();
}

void TFormMain::usuarioEntrou() {
    LogOff1->setText(kLogOff + QLatin1Char(' ') + m_usuario->Nome);
    LogOff1->setEnabled(true);
    Experimento1->menuAction()->setEnabled(true);
    Opes1->menuAction()->setEnabled(true);
    Analise1->menuAction()->setEnabled(true);
}

QMdiSubWindow *TFormMain::AbrirFilha(QWidget *janela) {
    janela->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow *sub = m_mdi->addSubWindow(janela);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    return sub;
}

void TFormMain::RegistrarJanela(TExperimento::Janela janela, QWidget *widget,
                                const QString &experimento) {
    if (janela < 0 || janela >= TExperimento::QdeJanelas) return;
    m_janelas[janela] = widget;
    m_experimentosJanelas[janela] = experimento;
}

QWidget *TFormMain::JanelaRegistrada(TExperimento::Janela janela) const {
    return janela >= 0 && janela < TExperimento::QdeJanelas ? m_janelas[janela].data() : nullptr;
}

bool TFormMain::FecharJanelaAberta(TExperimento::Janela janela) {
    if (janela < 0 || janela >= TExperimento::QdeJanelas) return true;
    bool &aberta = m_usuario->Experimento.JanelaAberta[janela];
    if (!aberta) return true;
    if (!fechar(m_janelas[janela])) return false;
    aberta = false;
    return true;
}

void TFormMain::DefinirListaExperimentos(TListaExperimentos *lista, QWidget *janela) {
    m_listaExperimentos = lista;
    m_janelaLista = janela;
}

void TFormMain::DefinirConfiguracao(QWidget *janela) {
    m_janelaConfiguracao = janela;
}

void TFormMain::Excluir1Click() {
    // The list window may be gone (log-off closes it); without it there is
    // no selection and nothing to refresh.
    TListaExperimentos *lista = m_janelaLista ? m_listaExperimentos : nullptr;
    const QString nome = lista ? lista->ExperimentoSelecionado() : QString();
    auto mensagem = [this](int n) {
        return TIdioma::Ler(m_arquivoIdioma, Secao,
                            QStringLiteral("TFormMainExcluir1ClickMessage%1").arg(n));
    };
    // The experiment a session window (or its configuration window) is open
    // for stays until that window closes; a window registered without its
    // experiment counts as open for any.
    const QString &emSessao = m_experimentosJanelas[TExperimento::JanelaSessao];
    const bool emUso = !nome.isEmpty() &&
                       m_usuario->Experimento.JanelaAberta[TExperimento::JanelaSessao] &&
                       (emSessao.isEmpty() || emSessao.compare(nome, Qt::CaseInsensitive) == 0);
    if (emUso) {
        m_interacao->Mensagem(mensagem(5) + QLatin1Char(' ') + nome);
    } else if (!nome.isEmpty()) {
        if (m_interacao->Confirmar(mensagem(1) + QLatin1Char(' ') + nome)) {
            bool excluido = false;
            QString erro;
            {
                TCursorEspera espera;
                try {
                    excluido = Perfil::ExcluirExperimento(m_usuario->Arquivo, nome);
                } catch (const TErro &e) {
                    erro = e.mensagem();
                }
            }
            // A profile that could not be rewritten is unchanged: the user is
            // told so and never that the experiment was deleted.
            if (!erro.isEmpty()) {
                m_interacao->Mensagem(erro);
            } else if (excluido) {
                m_interacao->Mensagem(mensagem(2) + QLatin1Char(' ') + nome + QLatin1Char(' ') +
                                      mensagem(3));
                m_interacao->Mensagem(mensagem(4));
            }
        }
    }
    if (lista) {
        lista->AtualizarLista();
        lista->LimparConfiguracao();
    }
}

bool TFormMain::fechar(QWidget *janela) {
    if (!janela) return true;
    // A child window is closed through its frame, which then goes too.
    auto *sub = qobject_cast<QMdiSubWindow *>(janela->parentWidget());
    return sub ? sub->close() : janela->close();
}

bool TFormMain::fecharFilhas() {
    // The single-instance windows first, in the order of their flags.
    auto &abertas = m_usuario->Experimento.JanelaAberta;
    for (int j = 0; j < TExperimento::QdeJanelas; ++j) {
        if (!abertas[j]) continue;
        if (!fechar(m_janelas[j])) return false;
        abertas[j] = false;
    }
    if (!fechar(m_janelaLista) || !fechar(m_janelaConfiguracao)) return false;
    // Then whatever else belongs to the user (configuration windows and
    // the like): nothing may outlive the user object.
    const auto filhas = m_mdi->subWindowList();
    for (QMdiSubWindow *filha : filhas)
        if (!filha->close()) return false;
    return true;
}

bool TFormMain::LogOff1Click() {
    if (!fecharFilhas()) return false;
    m_listaExperimentos = nullptr;

    m_sessao.reset();
    m_usuario.reset();
    m_labirinto.reset();
    criarObjetos();

    AbrirInicio();

    LogOff1->setEnabled(false);
    LogOff1->setText(kLogOff);
    Opes1->menuAction()->setEnabled(false);
    Analise1->menuAction()->setEnabled(false);
    return true;
}

void TFormMain::Idioma1Click() {
    // A choice file that cannot be written is reported by the choice
    // itself; the log-off happens all the same.
    TEscolhaIdioma(m_diretorio).PedirNovaEscolha(m_interacao);
    LogOff1Click();
}

template <class J> void TFormMain::abrirUnica(TExperimento::Janela flag, J *janela, QAction *item) {
    QMdiSubWindow *sub = AbrirFilha(janela);
    m_usuario->Experimento.JanelaAberta[flag] = true;
    RegistrarJanela(flag, janela);
    if (item) item->setEnabled(false);
    connect(janela, &J::Fechada, this, [this, flag, item] {
        m_usuario->Experimento.JanelaAberta[flag] = false;
        if (item) item->setEnabled(true);
    });
    sub->show();
    sub->adjustSize();
    sub->move(qMax(0, (m_mdi->width() - sub->width()) / 2),
              qMax(0, (m_mdi->height() - sub->height()) / 2));
}

void TFormMain::Visualizar1Click() {
    abrirUnica(TExperimento::JanelaVisualizar,
               new TFormVisualizar(m_usuario->Pasta, m_usuario->ArquivoIdioma, m_interacao),
               Visualizar1);
}

void TFormMain::Excluir2Click() {
    abrirUnica(TExperimento::JanelaGerenciadorArquivos,
               new TFormExcluirDados(m_usuario->Pasta,
                                     TGerenciadorArquivos::ExperimentosDoPerfil(m_usuario->Arquivo),
                                     m_usuario->ArquivoIdioma, m_interacao),
               Excluir2);
}

void TFormMain::Video1Click() {
    abrirUnica(TExperimento::JanelaVideo, new TFormVideo(m_usuario->ArquivoIdioma, m_interacao),
               Video1);
}

QWidget *TFormMain::AbrirAnalise() {
    const auto flag = TExperimento::JanelaAnalise;
    if (m_usuario->Experimento.JanelaAberta[flag]) {
        if (!fechar(m_janelas[flag])) return nullptr;
        m_usuario->Experimento.JanelaAberta[flag] = false;
    }
    auto *janela = new TFormAnalise(*m_usuario, m_interacao);
    abrirUnica(flag, janela, nullptr);
    return janela;
}

QWidget *TFormMain::AbrirSessao() {
    const auto flag = TExperimento::JanelaSessao;
    if (!FecharJanelaAberta(flag)) return nullptr;
    auto *janela = new TFormLabirinto(*m_sessao, m_interacao);
    QMdiSubWindow *sub = AbrirFilha(janela);
    m_usuario->Experimento.JanelaAberta[flag] = true;
    // Its experiment cannot be deleted while it is open (Excluir1Click).
    RegistrarJanela(flag, janela, m_usuario->Experimento.Nome);
    connect(janela, &TFormLabirinto::Fechada, this, [this, flag, janela] {
        if (JanelaRegistrada(flag) != janela) return;
        RegistrarJanela(flag, nullptr);
        m_usuario->Experimento.JanelaAberta[flag] = false;
    });
    // The behaviours button: the catalogue over a disabled session
    // window, enabled again when the catalogue goes (saving it closes the
    // session window and opens a new one).
    connect(janela, &TFormLabirinto::ComportamentosSolicitados, this, [this, janela] {
        QWidget *catalogo = m_experimentos->AbrirCatalogo();
        if (!catalogo) return;
        janela->setEnabled(false);
        connect(catalogo, &QObject::destroyed, janela, [janela] { janela->setEnabled(true); });
    });
    if (!janela->Abrir()) {
        sub->close();
        return nullptr;
    }
    HabilitarExcluirExperimento(false);
    sub->resize(janela->size() + (sub->size() - sub->contentsRect().size()));
    sub->move(JanelaSessao::EsquerdaPadrao, JanelaSessao::TopoPadrao);
    sub->show();
    janela->setFocus();
    return janela;
}

void TFormMain::ConfigurarTeclado1Click() {
    const auto flag = TExperimento::JanelaTeclado;
    if (m_usuario->Experimento.JanelaAberta[flag]) return;
    auto *janela = new TFormTeclado(*m_sessao, m_usuario->ArquivoIdioma, this);
    m_usuario->Experimento.JanelaAberta[flag] = true;
    RegistrarJanela(flag, janela);
    ConfigurarTeclado1->setEnabled(false);
    connect(janela, &TFormTeclado::PainelStatus, this, &TFormMain::DefinirPainel);
    connect(janela, &TFormTeclado::Fechada, this, [this, flag] {
        m_usuario->Experimento.JanelaAberta[flag] = false;
        ConfigurarTeclado1->setEnabled(true);
        // The session window keeps its own text there.
        if (!m_usuario->Experimento.JanelaAberta[TExperimento::JanelaSessao]) DefinirPainel(1, {});
    });
    janela->show();
}

void TFormMain::Sobre1Click() {
    Sobre1->setEnabled(false);
    auto *sobre = new TFormAbout(m_arquivoIdioma, this);
    connect(sobre, &TFormAbout::Fechada, this, [this] { Sobre1->setEnabled(true); });
    sobre->show();
}

void TFormMain::Sair1Click() {
    close();
}

void TFormMain::closeEvent(QCloseEvent *evento) {
    if (!fecharFilhas()) {
        evento->ignore();
        return;
    }
    delete m_inicio;
    evento->accept();
}
