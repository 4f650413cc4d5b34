#include "TSessao.h"

#include "core/Arquivos.h"
#include "core/Perfil.h"
#include "core/TErro.h"
#include "core/TIdioma.h"
#include "core/TInteracao.h"
#include "core/TLabirinto.h"
#include "core/TUsuario.h"
#include "recording/Identificacao.h"
#include "recording/TObservadorSessao.h"
#include "recording/TRelogio.h"

#include <QDir>
#include <QFileInfo>
#include <QtCore/qnamespace.h>

#include <algorithm>
#include <cmath>

namespace {

const QString kSecao = QStringLiteral("UnitLabirinto");
const QString kEntrada = QStringLiteral("ENTRADA");
const int kTempoMaximo = 9990; // s

// Observer calls with a null observer allowed.
#define NOTIFICAR(chamada)                                                                         \
    do {                                                                                           \
        if (m_observador) m_observador->chamada;                                                   \
    } while (0)

} // namespace

TSessao::TSessao(TUsuario &usuario, TLabirinto &labirinto, TInteracao &interacao, TRelogio &relogio,
                 TObservadorSessao *observador)
    : m_usuario(usuario), m_labirinto(labirinto), m_interacao(interacao), m_relogio(relogio),
      m_observador(observador) {
    m_relogio.Sessao().aoDisparar = [this] { FimSessao(); };
    m_relogio.Andamento().aoDisparar = [this] { Andamento(); };
}

TSessao::~TSessao() {
    m_relogio.Sessao().aoDisparar = nullptr;
    m_relogio.Andamento().aoDisparar = nullptr;
}

qint64 TSessao::T() const {
    return qint64(m_usuario.Experimento.TempoSecao) * 1000;
}

bool TSessao::DoisInicios() const {
    return m_usuario.Experimento.QdeInicios == 2;
}

QString TSessao::PastaExperimento() const {
    return m_usuario.Pasta + m_usuario.Experimento.Nome + QLatin1Char('/');
}

QString TSessao::texto(const QString &chave) const {
    return TIdioma::Ler(m_usuario.ArquivoIdioma, kSecao, chave);
}

void TSessao::mensagem(const QString &chave) {
    m_interacao.Mensagem(texto(chave));
}

qint64 TSessao::desde(TDataHora instante) const {
    return Milissegundos(m_usuario.Experimento.Status.InicioSessao, instante) -
           static_cast<qint64>(m_labirinto.TempoPausado);
}

void TSessao::pintar(int coluna, int linha, const TCor &cor) {
    m_labirinto.PintarQuadrado(coluna, linha, cor);
    NOTIFICAR(PintarQuadrado(coluna, linha, cor));
}

void TSessao::desenhar() {
    m_labirinto.Desenhar(m_usuario.Experimento.Labirinto);
    NOTIFICAR(RedesenharLabirinto());
}

void TSessao::definirRotulo(int i, const QString &nome) {
    m_rotulos[i] = nome;
    NOTIFICAR(RotuloComportamento(i, nome));
}

// Reloads and redraws the maze and puts the animal on its start square
// (unpainted). False when the maze cannot be recorded.
bool TSessao::ajustar() {
    const TExperimento &e = m_usuario.Experimento;
    TLabirinto &l = m_labirinto;
    const bool carregou = l.CarregarDoArquivo(e.Labirinto, m_usuario.ArquivoIdioma, &m_interacao);
    desenhar();

    const bool fixo = !DoisInicios() || (l.Caiu && e.ComecoQueda == 2) ||
                      (l.Caiu && !m_faseLivre && e.ComecoQueda != 1);
    l.Coluna = fixo ? e.InicioX1 : e.InicioX2;
    l.Linha = fixo ? e.InicioY1 : e.InicioY2;
    l.PosX = l.OrigemX + l.TamanhoQuadrado * (l.Coluna - 1);
    l.PosY = l.OrigemY + l.TamanhoQuadrado * (l.Linha - 1);
    return carregou && l.Desenhavel() &&
           TLabirinto::TipoDoNome(e.Labirinto) != TTipoLabirinto::Desconhecido;
}

bool TSessao::iniciosDefinidos() const {
    const TExperimento &e = m_usuario.Experimento;
    if (!m_labirinto.Existe(e.InicioX1, e.InicioY1)) return false;
    return !DoisInicios() || m_labirinto.Existe(e.InicioX2, e.InicioY2);
}

bool TSessao::Abrir() {
    TLabirinto &l = m_labirinto;
    TExperimento &e = m_usuario.Experimento;
    m_agora = m_relogio.Agora();
    // A recording dropped by a closed window leaves nothing behind.
    l.Caiu = false;
    l.Gravando = false;
    l.TempoPausado = 0;
    m_faseLivre = true;
    e.Status.Zerar();
    l.RegistroEntradas.Limpar();
    l.RegistroComportamentos.Limpar();
    m_rotulos = {};
    m_identificacao.clear();
    m_sessoesEncerradas = 0;
    m_ultimaGravacao = {};
    e.JanelaAberta[TExperimento::JanelaSessao] = true;
    m_relogio.Sessao().Desligar();
    m_relogio.Sessao().DefinirIntervalo(0);
    m_relogio.Andamento().Ligar();
    m_estado = Estado::AguardandoIdentificacao;

    const bool bibliotecaExiste = QFileInfo(l.ArquivoLabirintos()).isFile();
    if (!ajustar() || e.TempoSecao < 1 || e.TempoSecao > kTempoMaximo) {
        // A missing library has been reported by the maze itself.
        if (bibliotecaExiste) mensagem(QStringLiteral("TFormLabirintoFormCreateMessage1"));
        NOTIFICAR(FecharJanela());
        Fechar();
        return false;
    }
    if (!iniciosDefinidos()) {
        m_estado = Estado::EscolhaInicio;
        NOTIFICAR(MostrarEscolhaInicio(true));
    } else {
        NOTIFICAR(MostrarEscolhaInicio(false));
        NOTIFICAR(MostrarPainelIdentificacao(true));
        NOTIFICAR(MostrarCampoIdentificacao(true));
    }
    return true;
}

void TSessao::EscolherInicio(int coluna, int linha, bool inicioFixo) {
    if (m_estado != Estado::EscolhaInicio || !m_labirinto.Existe(coluna, linha)) return;
    TExperimento &e = m_usuario.Experimento;
    TLabirinto &l = m_labirinto;
    if (inicioFixo) {
        e.InicioX1 = coluna;
        e.InicioY1 = linha;
    } else {
        e.InicioX2 = coluna;
        e.InicioY2 = linha;
    }
    if (l.Coluna != 0 && l.Linha != 0) pintar(l.Coluna, l.Linha, TCor::Branco());
    pintar(coluna, linha, inicioFixo ? TCor::Vermelho() : TCor::Verde());
    l.Coluna = coluna;
    l.Linha = linha;
}

bool TSessao::ConfirmarInicios(int comecoQueda) {
    if (m_estado != Estado::EscolhaInicio) return false;
    if (!iniciosDefinidos()) {
        // Saving would leave an experiment that can never be recorded.
        m_interacao.Bipe();
        return false;
    }
    TExperimento &e = m_usuario.Experimento;
    ajustar();
    NOTIFICAR(MostrarEscolhaInicio(false));
    e.ComecoQueda = (comecoQueda >= 1 && comecoQueda <= 3) ? comecoQueda : 3;
    try {
        Perfil::SalvarInicios(m_usuario.Arquivo, e);
    } catch (const TErro &erro) {
        m_interacao.Mensagem(erro.mensagem());
        NOTIFICAR(MostrarEscolhaInicio(true));
        return false;
    }
    mensagem(QStringLiteral("TFormLabirintoBitBtnOKClickMessage1"));
    NOTIFICAR(FecharJanela());
    Fechar();
    return true;
}

bool TSessao::ConfirmarIdentificacao(const QString &texto) {
    if (m_estado != Estado::AguardandoIdentificacao) return false;
    // The window lets only valid text into the field; anything else is as
    // good as no identification.
    if (!Identificacao::Valida(texto)) {
        mensagem(QStringLiteral("TFormLabirintoSpeedButtonConfirmarClickMessage2"));
        return false;
    }
    // Every file the recording would write must be new, "_T2" as well as
    // "_T1": a record file is never replaced.
    for (const QString &destino :
         TArquivoRegistro::Destinos(PastaExperimento(), texto, DoisInicios())) {
        const QFileInfo fi(destino);
        if (fi.exists() || fi.isSymLink()) {
            mensagem(QStringLiteral("TFormLabirintoSpeedButtonConfirmarClickMessage1"));
            NOTIFICAR(EsvaziarCampoIdentificacao());
            return false;
        }
    }
    m_identificacao = texto;
    NOTIFICAR(Identificacao(texto));
    NOTIFICAR(MostrarCampoIdentificacao(false));
    NOTIFICAR(MostrarAvisoInicio(true));
    NOTIFICAR(MostrarUltimaIdentificacao(false));
    m_relogio.Sessao().DefinirIntervalo(T());
    m_labirinto.Caiu = false;
    m_labirinto.RegistroEntradas.Limpar();
    m_labirinto.RegistroComportamentos.Limpar();
    m_estado = Estado::Pronta;
    return true;
}

void TSessao::IniciarOuRetomar() {
    if (m_estado != Estado::Pronta && m_estado != Estado::Pausada) return;
    TLabirinto &l = m_labirinto;
    TStatus &st = m_usuario.Experimento.Status;
    m_agora = m_relogio.Agora();
    // The animal must stand on a square of the maze: a recording without a
    // position would hold no entry at all.
    if (!l.Existe(l.Coluna, l.Linha)) {
        m_interacao.Bipe();
        return;
    }

    NOTIFICAR(HabilitarMenuTeclado(true));
    NOTIFICAR(PainelStatus(0, texto(QStringLiteral("FormMainStatusBar1PanelsItems0Text"))));
    NOTIFICAR(PainelStatus(
        1, texto(l.TeclasEdicao ? QStringLiteral("FormMainStatusBar1PanelsItems1TextON")
                                : QStringLiteral("FormMainStatusBar1PanelsItems1TextOFF"))));
    m_relogio.Andamento().Ligar();
    if (!DoisInicios()) {
        m_relogio.Sessao().Ligar();
        m_faseLivre = false;
    }
    if (l.Caiu) {
        // The session timer gets the time that was left when the animal
        // fell. In the free phase too: otherwise a resume would give the
        // free phase a whole new session length, and a session ending there
        // would close rows that lie beyond its own end.
        const qint64 resta = T() + static_cast<qint64>(std::trunc(l.TempoPausado)) -
                             Milissegundos(l.InicioQueda, st.InicioSessao);
        m_relogio.Sessao().DefinirIntervalo(std::max<qint64>(resta, 0));
        m_relogio.Sessao().Ligar();
        const qint64 pausa = Milissegundos(l.InicioQueda, m_agora);
        l.TempoPausado += pausa;
        // A behaviour held through the fall was cut at the fall; its next
        // segment starts now, not before the pause.
        for (int i = 0; i < st.Qde; ++i)
            if (st.Ativo[i]) st.InicioComportamento[i] += pausa;
        l.Caiu = false;
        NOTIFICAR(MostrarAvisoReinicio(false));
    } else {
        st.InicioSessao = m_agora;
    }
    l.Gravando = true;
    m_estado = Estado::Gravando;
    mover(0, 0);
    NOTIFICAR(MostrarPainelIdentificacao(false));
    NOTIFICAR(HabilitarJanelasExperimento(false));
}

void TSessao::Queda() {
    if (m_estado != Estado::Gravando) return;
    TLabirinto &l = m_labirinto;
    m_agora = m_relogio.Agora();
    m_relogio.Sessao().Desligar();
    m_relogio.Andamento().Desligar();
    l.Caiu = true;
    l.InicioQueda = m_agora;
    if (m_usuario.Experimento.ComecoQueda != 3) ajustar();
    mover(0, 0);
    l.Gravando = false;
    m_estado = Estado::Pausada;
    NOTIFICAR(MostrarAvisoReinicio(true));
}

void TSessao::Mover(int dx, int dy) {
    if (m_estado != Estado::Gravando) return;
    m_agora = m_relogio.Agora();
    mover(dx, dy);
}

void TSessao::mover(int dx, int dy) {
    TLabirinto &l = m_labirinto;
    TExperimento &e = m_usuario.Experimento;
    TStatus &st = e.Status;
    const int c = l.Coluna + dx;
    const int r = l.Linha + dy;
    if (!l.Existe(c, r)) {
        m_interacao.Bipe();
        return;
    }
    // Behaviours that are on are cut at the square change: one row per
    // square, only the first one counting as an occurrence.
    for (int i = 0; i < st.Qde; ++i) {
        if (!st.Ativo[i]) continue;
        l.RegistroComportamentos.Adicionar(l.QuadradoAtual(), st.Nome[i],
                                           desde(st.InicioComportamento[i]), desde(m_agora),
                                           st.Primeiro[i]);
        st.InicioComportamento[i] = m_agora;
        st.Primeiro[i] = 0;
    }
    l.QuadradoLetra = TLabirinto::LetraColuna(c);
    l.QuadradoNumero = TLabirinto::NumeroLinha(r);
    const QString nome = l.QuadradoAtual();

    bool mudouFase = false;
    if (c == e.InicioX1 && r == e.InicioY1 && DoisInicios() && m_faseLivre) {
        // The fixed phase begins: its clock starts now and its rows go to
        // the second record file. The entry's start is taken on the free
        // phase's clock (pauses excluded): the free phase's last entry ends
        // there; the entry itself is moved to 0 when the rows are closed.
        const qint64 inicio = desde(m_agora);
        m_faseLivre = false;
        l.TempoPausado = 0;
        l.RegistroEntradas.Adicionar(nome, kEntrada, inicio, TRegistro::AteProximoDoZero, 1);
        l.RegistroComportamentos.Adicionar(QString(), QStringLiteral("T2"), 0, 0, 0);
        st.InicioSessao = m_agora;
        // The fixed phase runs a whole session length (a running timer
        // restarts with the new interval).
        m_relogio.Sessao().DefinirIntervalo(T());
        mudouFase = true;
    }
    if (!l.Caiu) m_relogio.Sessao().Ligar();
    if (dx == 0 && dy == 0) {
        if (!l.Caiu)
            l.RegistroEntradas.Adicionar(nome, kEntrada, desde(m_agora), TRegistro::AteProximo, 1);
    } else if (!mudouFase) {
        l.RegistroEntradas.Adicionar(nome, kEntrada, desde(m_agora), TRegistro::AteProximo, 1);
    }

    const int antigaColuna = l.Coluna;
    const int antigaLinha = l.Linha;
    l.Coluna = c;
    l.Linha = r;
    pintar(antigaColuna, antigaLinha, TCor::Branco());
    l.PosX += l.TamanhoQuadrado * dx;
    l.PosY += l.TamanhoQuadrado * dy;
    pintar(c, r, m_faseLivre ? TCor::Verde() : TCor::Vermelho());
}

void TSessao::ComportamentoAbaixado(int tecla) {
    if (m_estado != Estado::Gravando) return;
    m_agora = m_relogio.Agora();
    TStatus &st = m_usuario.Experimento.Status;
    for (int i = 0; i < st.Qde; ++i) {
        if (st.Tecla[i] != tecla || st.Ativo[i]) continue;
        const auto livre = std::find(m_rotulos.begin(), m_rotulos.end(), QString());
        if (livre != m_rotulos.end()) definirRotulo(int(livre - m_rotulos.begin()), st.Nome[i]);
        st.Ativo[i] = true;
        st.InicioComportamento[i] = m_agora;
    }
}

void TSessao::ComportamentoLiberado(int tecla) {
    const bool gravando = m_estado == Estado::Gravando;
    // Released during a pause: the bout was cut at the fall and ends there;
    // it must not run on after the resume as if the key were still held.
    if (!gravando && m_estado != Estado::Pausada) return;
    m_agora = m_relogio.Agora();
    TLabirinto &l = m_labirinto;
    TStatus &st = m_usuario.Experimento.Status;
    for (int i = 0; i < st.Qde; ++i) {
        if (st.Tecla[i] != tecla || !st.Ativo[i]) continue;
        st.Ativo[i] = false;
        const auto rotulo = std::find(m_rotulos.begin(), m_rotulos.end(), st.Nome[i]);
        if (rotulo != m_rotulos.end()) definirRotulo(int(rotulo - m_rotulos.begin()), QString());
        if (gravando)
            l.RegistroComportamentos.Adicionar(l.QuadradoAtual(), st.Nome[i],
                                               desde(st.InicioComportamento[i]), desde(m_agora),
                                               st.Primeiro[i]);
        st.Primeiro[i] = 1;
    }
}

void TSessao::AlternarTeclasEdicao() {
    TLabirinto &l = m_labirinto;
    l.TeclasEdicao = !l.TeclasEdicao;
    NOTIFICAR(PainelStatus(
        1, texto(l.TeclasEdicao ? QStringLiteral("FormMainStatusBar1PanelsItems1TextON")
                                : QStringLiteral("FormMainStatusBar1PanelsItems1TextOFF"))));
}

void TSessao::Andamento() {
    if (m_faseLivre || m_estado != Estado::Gravando) return;
    m_agora = m_relogio.Agora();
    const TExperimento &e = m_usuario.Experimento;
    const qint64 decorrido = Milissegundos(e.Status.InicioSessao, m_agora) -
                             static_cast<qint64>(std::trunc(m_labirinto.TempoPausado));
    const qint64 valor = decorrido / (qint64(e.TempoSecao) * 10);
    NOTIFICAR(Andamento(static_cast<int>(std::clamp<qint64>(valor, 0, 100))));
}

bool TSessao::gravarArquivos() {
    TLabirinto &l = m_labirinto;
    const TExperimento &e = m_usuario.Experimento;
    const QString pasta = PastaExperimento();
    const TCabecalhoRegistro cabecalho{m_usuario.Nome, e.Nome,       m_identificacao,
                                       e.Labirinto,    e.TempoSecao, e.Distancia};
    l.RegistroEntradas.Finalizar(double(T()));
    l.RegistroComportamentos.Finalizar(double(T()));

    TResultadoGravacao &r = m_ultimaGravacao;
    r = {};
    const QString base = pasta + m_identificacao;
    try {
        l.RegistroEntradas.GravarTexto(base + QLatin1Char('1'));
        l.RegistroComportamentos.GravarTexto(base + QLatin1Char('2'));
        r = TArquivoRegistro::GravarArquivos(pasta, cabecalho, DoisInicios());
    } catch (const TErro &erro) {
        r.erro = erro.mensagem();
        r.faltando = TArquivoRegistro::Destinos(pasta, m_identificacao, DoisInicios());
    }
    if (r.Ok()) return true;

    // The rows are still in memory: whatever did not reach a record file
    // is kept in a recovery file, so that no recording is ever lost.
    const QList<QByteArray> conteudos = TArquivoRegistro::Conteudos(
        cabecalho, DoisInicios(), Arquivos::dividirLinhas(l.RegistroEntradas.Texto()),
        Arquivos::dividirLinhas(l.RegistroComportamentos.Texto()));
    const QStringList todos = TArquivoRegistro::Destinos(pasta, m_identificacao, DoisInicios());
    QList<QByteArray> faltam;
    for (const QString &d : r.faltando)
        faltam.append(conteudos.value(todos.indexOf(d)));
    r.recuperacao = TArquivoRegistro::GravarRecuperacao(
        {pasta, m_usuario.Pasta, m_usuario.DiretorioDados(), QDir::tempPath()}, r.faltando, faltam,
        &r.erroRecuperacao);
    if (r.erroRecuperacao.isEmpty()) {
        // Every row is in a recovery file; raw files left behind would only
        // be overwritten by the next recording of that identification.
        QFile::remove(base + QStringLiteral("1.txt"));
        QFile::remove(base + QStringLiteral("2.txt"));
    }
    return false;
}

void TSessao::FimSessao() {
    if (m_estado != Estado::Gravando) return;
    TLabirinto &l = m_labirinto;
    TExperimento &e = m_usuario.Experimento;
    TStatus &st = e.Status;
    m_agora = m_relogio.Agora();
    const qint64 t = T();

    NOTIFICAR(PainelStatus(0, QString()));
    NOTIFICAR(PainelStatus(1, QString()));
    // An entry still marked -2 (no move since the phase change) is left so:
    // closing the rows gives it the whole fixed phase, 0 to T, and the free
    // phase's last entry ends where the fixed phase began.
    TRegistro &entradas = l.RegistroEntradas;
    if (entradas.Qde > 0 && entradas.Fim.last() != TRegistro::AteProximoDoZero)
        entradas.Fim.last() = double(t);
    for (int i = 0; i < st.Qde; ++i) {
        if (!st.Ativo[i]) continue;
        l.RegistroComportamentos.Adicionar(l.QuadradoAtual(), st.Nome[i],
                                           desde(st.InicioComportamento[i]), double(t),
                                           st.Primeiro[i]);
        st.InicioComportamento[i] = m_agora;
    }
    NOTIFICAR(UltimaIdentificacao(m_identificacao));

    const bool gravou = gravarArquivos();
    ++m_sessoesEncerradas;
    m_relogio.Sessao().Desligar();
    m_relogio.Andamento().Desligar();
    NOTIFICAR(Andamento(100));
    if (gravou) {
        for (int i = 0; i < 3; ++i)
            m_interacao.Bipe();
        mensagem(QStringLiteral("TFormLabirintoTimerTimerMessage1"));
    } else {
        const TResultadoGravacao &r = m_ultimaGravacao;
        QString msg = texto(QStringLiteral("TFormLabirintoTimerTimerMessage2"));
        if (!r.recuperacao.isEmpty())
            msg += QStringLiteral("\n\n") +
                   texto(QStringLiteral("TFormLabirintoTimerTimerMessage3")) + QLatin1Char('\n') +
                   r.recuperacao.join(QLatin1Char('\n'));
        if (!r.erroRecuperacao.isEmpty())
            msg +=
                QStringLiteral("\n\n") + texto(QStringLiteral("TFormLabirintoTimerTimerMessage4"));
        msg += QStringLiteral("\n\n") + r.erro;
        if (!r.erroRecuperacao.isEmpty()) msg += QStringLiteral("\n") + r.erroRecuperacao;
        m_interacao.Mensagem(msg);
    }

    // Ready for the next animal.
    NOTIFICAR(MostrarCampoIdentificacao(true));
    NOTIFICAR(EsvaziarCampoIdentificacao());
    NOTIFICAR(MostrarUltimaIdentificacao(true));
    for (int i = 0; i < 3; ++i)
        definirRotulo(i, QString());
    NOTIFICAR(MostrarAvisoInicio(false));
    NOTIFICAR(MostrarPainelIdentificacao(true));
    NOTIFICAR(HabilitarJanelasExperimento(true));
    m_faseLivre = true;
    NOTIFICAR(Andamento(0));
    desenhar();
    l.Gravando = false;
    m_relogio.Sessao().DefinirIntervalo(t);
    l.TempoPausado = 0;
    m_relogio.Sessao().Desligar();
    ajustar();
    st.Zerar();
    l.RegistroEntradas.Limpar();
    l.RegistroComportamentos.Limpar();
    m_estado = Estado::AguardandoIdentificacao;
}

void TSessao::Fechar() {
    if (m_estado == Estado::Fechada) return;
    TLabirinto &l = m_labirinto;
    TExperimento &e = m_usuario.Experimento;
    const bool gravacaoEmCurso = m_estado == Estado::Gravando || m_estado == Estado::Pausada;
    e.JanelaAberta[TExperimento::JanelaSessao] = false;
    NOTIFICAR(HabilitarJanelasExperimento(true));
    NOTIFICAR(HabilitarMenuExcluirExperimento(true));
    l.Gravando = false;
    // The dropped recording leaves no state behind: no timer fires for it,
    // no behaviour stays on, no pause time carries over.
    m_relogio.Sessao().Desligar();
    m_relogio.Andamento().Desligar();
    l.Caiu = false;
    l.TempoPausado = 0;
    e.Status.Zerar();
    l.RegistroEntradas.Limpar();
    l.RegistroComportamentos.Limpar();
    if (gravacaoEmCurso) {
        NOTIFICAR(PainelStatus(0, QString()));
        NOTIFICAR(PainelStatus(1, QString()));
    }
    m_estado = Estado::Fechada;
}

void TSessao::TeclaPressionada(QChar c) {
    const ushort u = c.unicode();
    if (u == '5') {
        IniciarOuRetomar();
    } else if (u == 27) {
        Queda();
    } else if (u >= '1' && u <= '9') {
        // Numeric keypad layout: 7 8 9 above, 1 2 3 below.
        static const int dx[] = {-1, 0, 1, -1, 0, 1, -1, 0, 1};
        static const int dy[] = {1, 1, 1, 0, 0, 0, -1, -1, -1};
        Mover(dx[u - '1'], dy[u - '1']);
    }
    Andamento();
}

void TSessao::TeclaAbaixada(int tecla) {
    switch (tecla) {
    case Qt::Key_F5:
        AlternarTeclasEdicao();
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (m_labirinto.TeclasEdicao)
            Mover(tecla == Qt::Key_Left    ? -1
                  : tecla == Qt::Key_Right ? 1
                                           : 0,
                  tecla == Qt::Key_Up     ? -1
                  : tecla == Qt::Key_Down ? 1
                                          : 0);
        return;
    default:
        ComportamentoAbaixado(tecla);
    }
}

void TSessao::TeclaLiberada(int tecla) {
    ComportamentoLiberado(tecla);
}
