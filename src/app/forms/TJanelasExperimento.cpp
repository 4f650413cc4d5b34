#include "TJanelasExperimento.h"

#include "TFormComp.h"
#include "TFormConf.h"
#include "TFormListExp.h"
#include "TFormMain.h"
#include "TFormNovoExperimento.h"
#include "TFormNovoLabirinto.h"
#include "TFormShowConf.h"

#include "core/TUsuario.h"

#include <algorithm>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

const int kLargura = 270;       // list and display
const int kAlturaLista = 200;

} // namespace

TJanelasExperimento::TJanelasExperimento(TFormMain *main)
    : QObject(main), m_main(main),
      m_area(main->findChild<QMdiArea *>(QStringLiteral("AreaFilhas"))),
      m_criarLabirinto(main->findChild<QAction *>(QStringLiteral("CriarNovoLabirinto1"))) {
    connect(main->findChild<QAction *>(QStringLiteral("Inserir1")), &QAction::triggered, this,
            &TJanelasExperimento::Inserir1Click);
    connect(m_criarLabirinto, &QAction::triggered, this,
            &TJanelasExperimento::CriarNovoLabirinto1Click);
}

QMdiSubWindow *TJanelasExperimento::abrir(QWidget *janela, bool centrada) {
    QMdiSubWindow *sub = m_main->AbrirFilha(janela);
    sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
    sub->adjustSize();
    if (centrada) {
        const QRect area = m_area->viewport()->rect();
        sub->move(std::max(0, area.center().x() - sub->width() / 2),
                  std::max(0, area.center().y() - sub->height() / 2));
    }
    sub->show();
    return sub;
}

void TJanelasExperimento::AbrirJanelasDoUsuario() {
    TUsuario &usuario = m_main->Usuario();
    m_exibicao = new TFormShowConf(usuario.Experimento, usuario.ArquivoIdioma);
    m_lista = new TFormListExp(usuario);
    const int alturaArea = m_area->viewport()->height();
    TFormListExp *lista = m_lista;
    TFormShowConf *exibicao = m_exibicao;
    int y = 0;
    for (QWidget *janela : {static_cast<QWidget *>(lista), static_cast<QWidget *>(exibicao)}) {
        QMdiSubWindow *sub = m_main->AbrirFilha(janela);
        // A fixed border and no caption buttons: both stay until log-off.
        sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        sub->setSystemMenu(nullptr);
        const int altura = janela == lista ? kAlturaLista
                                           : std::max(janela->minimumSizeHint().height() + 30,
                                                      alturaArea - kAlturaLista);
        sub->setFixedSize(kLargura, altura);
        sub->move(0, y);
        y += altura;
        sub->show();
    }
    m_main->DefinirConfiguracao(m_exibicao);
    m_main->DefinirListaExperimentos(m_lista, m_lista);

    connect(lista, &TFormListExp::Selecionado, this, [this] { m_main->HabilitarExcluirExperimento(true); });
    connect(lista, &TFormListExp::MostrarConfiguracaoPedida, exibicao,
            &TFormShowConf::MostrarConfiguracao);
    connect(lista, &TFormListExp::NaoConfiguradoPedido, exibicao,
            &TFormShowConf::MostrarNaoConfigurado);
    connect(lista, &TFormListExp::LimparConfiguracaoPedida, exibicao,
            &TFormShowConf::LimparConfiguracao);
    connect(lista, &TFormListExp::SessaoPedida, this, &TJanelasExperimento::pedirSessao);
    connect(lista, &TFormListExp::ConfiguracaoPedida, this, &TJanelasExperimento::abrirConf);
    connect(lista, &TFormListExp::AnalisePedida, this, &TJanelasExperimento::AnalisePedida);
    connect(exibicao, &TFormShowConf::ConfigurarPedido, this,
            &TJanelasExperimento::configurarSelecionado);
}

void TJanelasExperimento::atualizarBloqueio() {
    const bool livre = !m_conf && !m_comp;
    if (m_lista) m_lista->setEnabled(livre);
    if (m_exibicao) m_exibicao->setEnabled(livre);
}

void TJanelasExperimento::pedirSessao(const QString &nome) {
    // One experiment is worked on at a time: a session window still open
    // goes before the next opens.
    if (!m_main->FecharJanelaAberta(TExperimento::JanelaSessao)) return;
    m_main->HabilitarExcluirExperimento(false);
    emit SessaoPedida(nome);
}

void TJanelasExperimento::configurarSelecionado() {
    if (!m_lista) return;
    const QString nome = m_lista->ExperimentoSelecionado();
    if (nome.isEmpty()) return;
    TUsuario &usuario = m_main->Usuario();
    usuario.Experimento.Carregar(usuario.Arquivo, nome);
    if (m_exibicao) m_exibicao->LimparConfiguracao();
    abrirConf(nome);
}

void TJanelasExperimento::abrirConf(const QString &nome) {
    if (m_conf || m_comp) return;
    if (!m_main->FecharJanelaAberta(TExperimento::JanelaSessao)) return;
    TUsuario &usuario = m_main->Usuario();
    m_conf = new TFormConf(usuario, m_main->Interacao(), nome);
    // The configuration window stands for the session window of its
    // experiment until it closes (log-off closes it by that flag).
    m_main->RegistrarJanela(TExperimento::JanelaSessao, m_conf, nome);
    usuario.Experimento.JanelaAberta[TExperimento::JanelaSessao] = true;
    connect(m_conf, &TFormConf::ConfiguracoesSalvas, this, [this] {
        abrirComp();
        if (m_exibicao) m_exibicao->MostrarConfiguracao();
    });
    // (A widget still answers through its QPointer while it announces its
    // end: the window that went is given by name.)
    connect(m_conf, &QObject::destroyed, this, [this, conf = m_conf.data()] {
        m_conf = nullptr;
        if (m_main->JanelaRegistrada(TExperimento::JanelaSessao) == conf) {
            m_main->RegistrarJanela(TExperimento::JanelaSessao, nullptr);
            m_main->Usuario().Experimento.JanelaAberta[TExperimento::JanelaSessao] = false;
        }
        // (A list already closed by a log-off has nothing to delete.)
        m_main->HabilitarExcluirExperimento(!m_comp && m_lista && m_lista->isVisible() &&
                                     !m_lista->ExperimentoSelecionado().isEmpty());
        atualizarBloqueio();
    });
    abrir(m_conf, true);
    m_conf->setFocus();
    m_main->HabilitarExcluirExperimento(false);
    atualizarBloqueio();
}

void TJanelasExperimento::abrirComp() {
    if (m_comp) return;
    m_comp = new TFormComp(m_main->Usuario(), m_main->Interacao());
    m_comp->SelecionarCatalogo(1);
    connect(m_comp, &TFormComp::ComportamentosSalvos, this, [this](const QString &nome) {
        if (m_exibicao) m_exibicao->MostrarConfiguracao();
        pedirSessao(nome);
    });
    connect(m_comp, &QObject::destroyed, this, [this] {
        m_comp = nullptr;
        atualizarBloqueio();
    });
    abrir(m_comp, true);
    m_main->HabilitarExcluirExperimento(false);
    atualizarBloqueio();
}

void TJanelasExperimento::Inserir1Click() {
    if (m_conf || m_comp) return;
    if (m_lista) m_lista->LimparConfiguracao();
    TUsuario &usuario = m_main->Usuario();
    {
        TFormNovoExperimento dialogo(usuario, m_main->Interacao(), m_main);
        connect(&dialogo, &TFormNovoExperimento::ConfiguracoesSalvas, this,
                [this](const QString &nome) {
                    if (m_exibicao) m_exibicao->LimparConfiguracao();
                    abrirComp();
                    if (m_exibicao) m_exibicao->MostrarConfiguracao();
                    if (m_lista) m_lista->AtualizarLista();
                    TUsuario &u = m_main->Usuario();
                    u.Experimento.Carregar(u.Arquivo, nome);
                });
        dialogo.exec();
    }
    m_main->HabilitarExcluirExperimento(false);
    if (m_lista) m_lista->AtualizarLista();
}

void TJanelasExperimento::CriarNovoLabirinto1Click() {
    TUsuario &usuario = m_main->Usuario();
    auto &abertas = usuario.Experimento.JanelaAberta;
    if (abertas[TExperimento::JanelaNovoLabirinto]) return;
    auto *janela = new TFormNovoLabirinto(usuario.ArquivoLabirintos, usuario.ArquivoIdioma,
                                          m_main->Interacao());
    abertas[TExperimento::JanelaNovoLabirinto] = true;
    m_main->RegistrarJanela(TExperimento::JanelaNovoLabirinto, janela);
    m_criarLabirinto->setEnabled(false);
    connect(janela, &QObject::destroyed, this, [this] {
        m_main->Usuario().Experimento.JanelaAberta[TExperimento::JanelaNovoLabirinto] = false;
        m_criarLabirinto->setEnabled(true);
    });
    abrir(janela, true);
    janela->setFocus();
}
