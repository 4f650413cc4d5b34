#include "TSessao.h"

#include "core/Arquivos.h"
#include "core/Perfil.h"
#include "core/TErro.h"
#include "core/TIdioma.h"
#include "core/TInteracao.h"
#include "core/TLabirinto.h"
#include "core/TUsuario.h"
#include "recording/Identificacao.h"
#include "recording/TRelogio.h"
#include "recording/TTemporizador.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QtCore/qnamespace.h>

#include <algorithm>

namespace {

const QString kSecao = QStringLiteral("UnitLabirinto");
const QString kEntrada = QStringLiteral("ENTRADA");
const int kTempoMaximo = 9990; // s

} // namespace

TSessao::TSessao(TUsuario &usuario, TLabirinto &labirinto, TInteracao &interacao, TRelogio &relogio,
                 QObject *parent)
    : QObject(parent), m_usuario(usuario), m_labirinto(labirinto), m_interacao(interacao),
      m_relogio(relogio) {
    // Both timers belong to the clock; the connections end with the engine.
    connect(&m_relogio.Sessao(), &TTemporizador::Disparou, this, &TSessao::FimSessao);
    connect(&m_relogio.Andamento(), &TTemporizador::Disparou, this, &TSessao::Andamento);
}

TSessao::~TSessao() = default;

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
           m_gravacao.TempoPausado;
}

void TSessao::pintar(int coluna, int linha, const TCor &cor) {
    m_labirinto.PintarQuadrado(coluna, linha, cor);
    emit QuadradoPintado(coluna, linha, cor);
}

void TSessao::desenhar() {
    m_labirinto.Desenhar(m_usuario.Experimento.Labirinto);
    emit LabirintoRedesenhado();
}

void TSessao::definirRotulo(int i, const QString &nome) {
    m_rotulos[i] = nome;
    emit RotuloAlterado(i, nome);
}

// Reloads and redraws the maze and puts the animal on its start square
// (unpainted). False when the maze cannot be recorded.
bool TSessao::ajustar() {
    const TExperimento &e = m_usuario.Experimento;
    TLabirinto &l = m_labirinto;
    TEstadoGravacao &g = m_gravacao;
    const bool carregou = l.CarregarDoArquivo(e.Labirinto, m_usuario.ArquivoIdioma, &m_interacao);
    desenhar();

    const bool fixo = !DoisInicios() || (g.Caiu && e.ComecoQueda == 2) ||
                      (g.Caiu && !m_faseLivre && e.ComecoQueda != 1);
    g.Coluna = fixo ? e.InicioX1 : e.InicioX2;
    g.Linha = fixo ? e.InicioY1 : e.InicioY2;
    g.PosX = l.OrigemX + l.TamanhoQuadrado * (g.Coluna - 1);
    g.PosY = l.OrigemY + l.TamanhoQuadrado * (g.Linha - 1);
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
    TEstadoGravacao &g = m_gravacao;
    TExperimento &e = m_usuario.Experimento;
    m_agora = m_relogio.Agora();
    // A recording dropped by a closed window leaves nothing behind.
    g.Caiu = false;
    g.Gravando = false;
    g.TempoPausado = 0;
    m_faseLivre = true;
    e.Status.Zerar();
    g.RegistroEntradas.Limpar();
    g.RegistroComportamentos.Limpar();
    m_rotulos = {};
    m_identificacao.clear();
    m_sessoesEncerradas = 0;
    m_ultimaGravacao = {};
    // Whatever a previous window left is kept as it is, for a recovery.
    encerrarDiario(false);
    m_trava.Liberar();
    m_recuperacao = false;
    e.JanelaAberta[TExperimento::JanelaSessao] = true;
    m_relogio.Sessao().Desligar();
    m_relogio.Sessao().DefinirIntervalo(0);
    m_relogio.Andamento().Ligar();
    m_estado = Estado::AguardandoIdentificacao;

    const bool bibliotecaExiste = QFileInfo(l.ArquivoLabirintos()).isFile();
    if (!ajustar() || e.TempoSecao < 1 || e.TempoSecao > kTempoMaximo) {
        // A missing library has been reported by the maze itself.
        if (bibliotecaExiste) mensagem(QStringLiteral("TFormLabirintoFormCreateMessage1"));
        emit FechamentoSolicitado();
        Fechar();
        return false;
    }
    if (!iniciosDefinidos()) {
        m_estado = Estado::EscolhaInicio;
        emit EscolhaInicioVisivel(true);
    } else {
        emit EscolhaInicioVisivel(false);
        emit PainelIdentificacaoVisivel(true);
        emit CampoIdentificacaoVisivel(true);
    }
    return true;
}

void TSessao::EscolherInicio(int coluna, int linha, bool inicioFixo) {
    if (m_estado != Estado::EscolhaInicio || !m_labirinto.Existe(coluna, linha)) return;
    TExperimento &e = m_usuario.Experimento;
    TEstadoGravacao &g = m_gravacao;
    if (inicioFixo) {
        e.InicioX1 = coluna;
        e.InicioY1 = linha;
    } else {
        e.InicioX2 = coluna;
        e.InicioY2 = linha;
    }
    if (g.Coluna != 0 && g.Linha != 0) pintar(g.Coluna, g.Linha, TCor::Branco());
    pintar(coluna, linha, inicioFixo ? TCor::Vermelho() : TCor::Verde());
    g.Coluna = coluna;
    g.Linha = linha;
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
    emit EscolhaInicioVisivel(false);
    e.ComecoQueda = (comecoQueda >= 1 && comecoQueda <= 3) ? comecoQueda : 3;
    try {
        Perfil::SalvarInicios(m_usuario.Arquivo, e);
    } catch (const TErro &erro) {
        m_interacao.Mensagem(erro.mensagem());
        emit EscolhaInicioVisivel(true);
        return false;
    }
    mensagem(QStringLiteral("TFormLabirintoBitBtnOKClickMessage1"));
    emit FechamentoSolicitado();
    Fechar();
    return true;
}

bool TSessao::ConfirmarIdentificacao(const QString &texto) {
    if (m_estado != Estado::AguardandoIdentificacao) return false;
    m_recusa = Recusa::Nenhuma;
    // The window lets only valid text into the field; anything else is as
    // good as no identification.
    if (!Identificacao::Valida(texto)) {
        m_recusa = Recusa::Invalida;
        mensagem(QStringLiteral("TFormLabirintoSpeedButtonConfirmarClickMessage2"));
        return false;
    }
    // One recording of an identification at a time: another one would
    // write the same record files. A folder where no lock file can be made
    // takes no record file either; the session end then reports that.
    if (m_trava.Travar(PastaExperimento(), texto) == TTravaIdentificacao::Ocupada) {
        m_recusa = Recusa::EmGravacao;
        mensagem(QStringLiteral("TFormLabirintoSpeedButtonConfirmarClickMessage3"));
        emit CampoIdentificacaoEsvaziado();
        return false;
    }
    // A pair a stopped session left half written is finished (or undone)
    // now that nobody else can be writing it.
    TArquivoRegistro::ConcluirPares(PastaExperimento(), texto);
    // Every file the recording would write must be new, "_T2" as well as
    // "_T1": a record file is never replaced.
    for (const QString &destino :
         TArquivoRegistro::Destinos(PastaExperimento(), texto, DoisInicios())) {
        const QFileInfo fi(destino);
        if (fi.exists() || fi.isSymLink()) {
            m_trava.Liberar();
            m_recusa = Recusa::Existente;
            mensagem(QStringLiteral("TFormLabirintoSpeedButtonConfirmarClickMessage1"));
            emit CampoIdentificacaoEsvaziado();
            return false;
        }
    }
    m_identificacao = texto;
    emit IdentificacaoConfirmada(texto);
    emit CampoIdentificacaoVisivel(false);
    emit AvisoInicioVisivel(true);
    emit UltimaIdentificacaoVisivel(false);
    m_relogio.Sessao().DefinirIntervalo(T());
    m_gravacao.Caiu = false;
    m_gravacao.RegistroEntradas.Limpar();
    m_gravacao.RegistroComportamentos.Limpar();
    m_estado = Estado::Pronta;
    return true;
}

void TSessao::IniciarOuRetomar() {
    if (m_estado != Estado::Pronta && m_estado != Estado::Pausada) return;
    TLabirinto &l = m_labirinto;
    TEstadoGravacao &g = m_gravacao;
    TStatus &st = m_usuario.Experimento.Status;
    m_agora = m_relogio.Agora();
    // The animal must stand on a square of the maze: a recording without a
    // position would hold no entry at all.
    if (!l.Existe(g.Coluna, g.Linha)) {
        m_interacao.Bipe();
        return;
    }

    emit MenuTecladoHabilitado(true);
    emit PainelStatusAlterado(0, texto(QStringLiteral("FormMainStatusBar1PanelsItems0Text")));
    emit PainelStatusAlterado(1, textoTeclasEdicao());
    m_relogio.Andamento().Ligar();
    if (!DoisInicios()) {
        m_relogio.Sessao().Ligar();
        m_faseLivre = false;
    }
    if (g.Caiu) {
        // The session timer gets the time that was left when the animal
        // fell. In the free phase too: otherwise a resume would give the
        // free phase a whole new session length, and a session ending there
        // would close rows that lie beyond its own end.
        const qint64 resta = T() + g.TempoPausado - Milissegundos(g.InicioQueda, st.InicioSessao);
        m_relogio.Sessao().DefinirIntervalo(std::max<qint64>(resta, 0));
        m_relogio.Sessao().Ligar();
        const qint64 pausa = Milissegundos(g.InicioQueda, m_agora);
        g.TempoPausado += pausa;
        // A behaviour held through the fall was cut at the fall; its next
        // segment starts now, not before the pause.
        for (int i = 0; i < st.Qde; ++i)
            if (st.Ativo[i]) st.InicioComportamento[i] += pausa;
        g.Caiu = false;
        emit AvisoReinicioVisivel(false);
        anotar("retomada");
    } else {
        st.InicioSessao = m_agora;
        abrirDiario();
    }
    g.Gravando = true;
    m_estado = Estado::Gravando;
    mover(0, 0);
    emit PainelIdentificacaoVisivel(false);
    emit JanelasExperimentoHabilitadas(false);
}

void TSessao::Queda() {
    if (m_estado != Estado::Gravando) return;
    TEstadoGravacao &g = m_gravacao;
    m_agora = m_relogio.Agora();
    anotar("queda");
    m_relogio.Sessao().Desligar();
    m_relogio.Andamento().Desligar();
    g.Caiu = true;
    g.InicioQueda = m_agora;
    if (m_usuario.Experimento.ComecoQueda != 3) ajustar();
    mover(0, 0);
    g.Gravando = false;
    m_estado = Estado::Pausada;
    emit AvisoReinicioVisivel(true);
}

void TSessao::Mover(int dx, int dy) {
    if (m_estado != Estado::Gravando) return;
    m_agora = m_relogio.Agora();
    anotar("mover", dx, dy, 2);
    mover(dx, dy);
}

void TSessao::mover(int dx, int dy) {
    TLabirinto &l = m_labirinto;
    TEstadoGravacao &g = m_gravacao;
    TExperimento &e = m_usuario.Experimento;
    TStatus &st = e.Status;
    const int c = g.Coluna + dx;
    const int r = g.Linha + dy;
    if (!l.Existe(c, r)) {
        m_interacao.Bipe();
        return;
    }
    // Behaviours that are on are cut at the square change: one row per
    // square, only the first one counting as an occurrence.
    for (int i = 0; i < st.Qde; ++i) {
        if (!st.Ativo[i]) continue;
        g.RegistroComportamentos.Adicionar(g.QuadradoAtual(), st.Nome[i],
                                           desde(st.InicioComportamento[i]), desde(m_agora),
                                           st.Primeiro[i]);
        st.InicioComportamento[i] = m_agora;
        st.Primeiro[i] = 0;
    }
    g.QuadradoLetra = TLabirinto::LetraColuna(c);
    g.QuadradoNumero = TLabirinto::NumeroLinha(r);
    const QString nome = g.QuadradoAtual();

    bool mudouFase = false;
    if (c == e.InicioX1 && r == e.InicioY1 && DoisInicios() && m_faseLivre) {
        // The fixed phase begins: its clock starts now and its rows go to
        // the second record file. The entry's start is taken on the free
        // phase's clock (pauses excluded): the free phase's last entry ends
        // there; the entry itself is moved to 0 when the rows are closed.
        const qint64 inicio = desde(m_agora);
        m_faseLivre = false;
        g.TempoPausado = 0;
        g.RegistroEntradas.Adicionar(nome, kEntrada, inicio, TRegistro::AteProximoDoZero, 1);
        g.RegistroComportamentos.Adicionar(QString(), QStringLiteral("T2"), 0, 0, 0);
        st.InicioSessao = m_agora;
        // The fixed phase runs a whole session length (a running timer
        // restarts with the new interval).
        m_relogio.Sessao().DefinirIntervalo(T());
        mudouFase = true;
    }
    if (!g.Caiu) m_relogio.Sessao().Ligar();
    if (dx == 0 && dy == 0) {
        if (!g.Caiu)
            g.RegistroEntradas.Adicionar(nome, kEntrada, desde(m_agora), TRegistro::AteProximo, 1);
    } else if (!mudouFase) {
        g.RegistroEntradas.Adicionar(nome, kEntrada, desde(m_agora), TRegistro::AteProximo, 1);
    }

    const int antigaColuna = g.Coluna;
    const int antigaLinha = g.Linha;
    g.Coluna = c;
    g.Linha = r;
    pintar(antigaColuna, antigaLinha, TCor::Branco());
    g.PosX += l.TamanhoQuadrado * dx;
    g.PosY += l.TamanhoQuadrado * dy;
    pintar(c, r, m_faseLivre ? TCor::Verde() : TCor::Vermelho());
}

void TSessao::ComportamentoAbaixado(int tecla) {
    if (m_estado != Estado::Gravando) return;
    m_agora = m_relogio.Agora();
    anotar("abaixar", tecla, 0, 1);
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
    anotar("liberar", tecla, 0, 1);
    TEstadoGravacao &g = m_gravacao;
    TStatus &st = m_usuario.Experimento.Status;
    for (int i = 0; i < st.Qde; ++i) {
        if (st.Tecla[i] != tecla || !st.Ativo[i]) continue;
        st.Ativo[i] = false;
        const auto rotulo = std::find(m_rotulos.begin(), m_rotulos.end(), st.Nome[i]);
        if (rotulo != m_rotulos.end()) definirRotulo(int(rotulo - m_rotulos.begin()), QString());
        if (gravando)
            g.RegistroComportamentos.Adicionar(g.QuadradoAtual(), st.Nome[i],
                                               desde(st.InicioComportamento[i]), desde(m_agora),
                                               st.Primeiro[i]);
        st.Primeiro[i] = 1;
    }
}

QString TSessao::textoTeclasEdicao() const {
    return texto(m_gravacao.TeclasEdicao ? QStringLiteral("FormMainStatusBar1PanelsItems1TextON")
                                         : QStringLiteral("FormMainStatusBar1PanelsItems1TextOFF"));
}

void TSessao::AlternarTeclasEdicao() {
    if (m_diario.Aberto()) {
        m_agora = m_relogio.Agora();
        anotar("setas");
    }
    m_gravacao.TeclasEdicao = !m_gravacao.TeclasEdicao;
    emit PainelStatusAlterado(1, textoTeclasEdicao());
    emit TeclasEdicaoAlteradas(m_gravacao.TeclasEdicao);
}

void TSessao::Andamento() {
    if (m_faseLivre || m_estado != Estado::Gravando) return;
    m_agora = m_relogio.Agora();
    const TExperimento &e = m_usuario.Experimento;
    const qint64 decorrido =
        Milissegundos(e.Status.InicioSessao, m_agora) - m_gravacao.TempoPausado;
    const qint64 valor = decorrido / (qint64(e.TempoSecao) * 10);
    emit AndamentoAlterado(static_cast<int>(std::clamp<qint64>(valor, 0, 100)));
}

bool TSessao::gravarArquivos() {
    TEstadoGravacao &g = m_gravacao;
    const TExperimento &e = m_usuario.Experimento;
    const QString pasta = PastaExperimento();
    const TCabecalhoRegistro cabecalho{m_usuario.Nome, e.Nome,       m_identificacao,
                                       e.Labirinto,    e.TempoSecao, e.Distancia};
    g.RegistroEntradas.Finalizar(double(T()));
    g.RegistroComportamentos.Finalizar(double(T()));

    TResultadoGravacao &r = m_ultimaGravacao;
    r = {};
    const QStringList brutos = TArquivoRegistro::Brutos(pasta, m_nomeSessao);
    const QByteArray textoEntradas = g.RegistroEntradas.Texto();
    const QByteArray textoComportamentos = g.RegistroComportamentos.Texto();
    try {
        TRegistro::GravarTexto(brutos[0].chopped(4), textoEntradas);
        TRegistro::GravarTexto(brutos[1].chopped(4), textoComportamentos);
        // Built from the texts just written rather than from reading them
        // back: the same bytes.
        r = TArquivoRegistro::GravarArquivos(pasta, cabecalho, DoisInicios(), textoEntradas,
                                             textoComportamentos, m_nomeSessao);
    } catch (const TErro &erro) {
        r.erro = erro.mensagem();
        r.faltando = TArquivoRegistro::Destinos(pasta, m_identificacao, DoisInicios());
    }
    if (r.Ok()) return true;

    // The rows are still in memory: whatever did not reach a record file
    // is kept in a recovery file, so that no recording is ever lost.
    const QList<QByteArray> conteudos = TArquivoRegistro::ConteudosDosTextos(
        cabecalho, DoisInicios(), textoEntradas, textoComportamentos);
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
        for (const QString &b : brutos)
            QFile::remove(b);
    }
    return false;
}

void TSessao::fecharLinhas(qint64 fim, bool comportamentosAtivos) {
    TEstadoGravacao &g = m_gravacao;
    TStatus &st = m_usuario.Experimento.Status;
    // An entry still marked -2 (no move since the phase change) is left so:
    // closing the rows gives it the whole fixed phase, 0 to the end, and the
    // free phase's last entry ends where the fixed phase began.
    TRegistro &entradas = g.RegistroEntradas;
    if (entradas.Qde > 0 && entradas.Fim.last() != TRegistro::AteProximoDoZero)
        entradas.Fim.last() = double(fim);
    for (int i = 0; i < st.Qde && comportamentosAtivos; ++i) {
        if (!st.Ativo[i]) continue;
        g.RegistroComportamentos.Adicionar(g.QuadradoAtual(), st.Nome[i],
                                           desde(st.InicioComportamento[i]), double(fim),
                                           st.Primeiro[i]);
        st.InicioComportamento[i] = m_agora;
    }
}

void TSessao::FimSessao() {
    if (m_estado != Estado::Gravando) return;
    TEstadoGravacao &g = m_gravacao;
    TExperimento &e = m_usuario.Experimento;
    TStatus &st = e.Status;
    m_agora = m_relogio.Agora();
    const qint64 t = T();
    anotar("fim");

    emit PainelStatusAlterado(0, QString());
    emit PainelStatusAlterado(1, QString());
    fecharLinhas(t, true);
    if (m_recuperacao) {
        // The rows are what the caller came for; it writes them itself.
        g.RegistroEntradas.Finalizar(double(t));
        g.RegistroComportamentos.Finalizar(double(t));
        ++m_sessoesEncerradas;
        m_relogio.Sessao().Desligar();
        m_relogio.Andamento().Desligar();
        m_estado = Estado::Fechada;
        return;
    }
    emit UltimaIdentificacaoAlterada(m_identificacao);

    const bool gravou = gravarArquivos();
    // The journal goes only once the record files hold the rows; otherwise
    // it stays for a recovery (the rows may be in recovery files as well).
    encerrarDiario(gravou);
    m_trava.Liberar();
    ++m_sessoesEncerradas;
    m_relogio.Sessao().Desligar();
    m_relogio.Andamento().Desligar();
    emit AndamentoAlterado(100);
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
    emit CampoIdentificacaoVisivel(true);
    emit CampoIdentificacaoEsvaziado();
    emit UltimaIdentificacaoVisivel(true);
    for (int i = 0; i < 3; ++i)
        definirRotulo(i, QString());
    emit AvisoInicioVisivel(false);
    emit PainelIdentificacaoVisivel(true);
    emit JanelasExperimentoHabilitadas(true);
    m_faseLivre = true;
    emit AndamentoAlterado(0);
    desenhar();
    g.Gravando = false;
    m_relogio.Sessao().DefinirIntervalo(t);
    g.TempoPausado = 0;
    m_relogio.Sessao().Desligar();
    ajustar();
    st.Zerar();
    g.RegistroEntradas.Limpar();
    g.RegistroComportamentos.Limpar();
    m_estado = Estado::AguardandoIdentificacao;
}

void TSessao::Fechar() {
    if (m_estado == Estado::Fechada) return;
    TEstadoGravacao &g = m_gravacao;
    TExperimento &e = m_usuario.Experimento;
    const bool gravacaoEmCurso = m_estado == Estado::Gravando || m_estado == Estado::Pausada;
    e.JanelaAberta[TExperimento::JanelaSessao] = false;
    emit JanelasExperimentoHabilitadas(true);
    emit MenuExcluirExperimentoHabilitado(true);
    g.Gravando = false;
    // The dropped recording leaves no state behind: no timer fires for it,
    // no behaviour stays on, no pause time carries over.
    m_relogio.Sessao().Desligar();
    m_relogio.Andamento().Desligar();
    g.Caiu = false;
    g.TempoPausado = 0;
    e.Status.Zerar();
    g.RegistroEntradas.Limpar();
    g.RegistroComportamentos.Limpar();
    // The user chose to drop the recording: its journal goes with it.
    encerrarDiario(true);
    m_trava.Liberar();
    m_recuperacao = false;
    if (gravacaoEmCurso) {
        emit PainelStatusAlterado(0, QString());
        emit PainelStatusAlterado(1, QString());
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
        if (m_gravacao.TeclasEdicao)
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

// --- The journal.

namespace {

QByteArray pct(const QString &s) {
    return s.toUtf8().toPercentEncoding();
}

} // namespace

void TSessao::abrirDiario() {
    encerrarDiario(false);
    const TExperimento &e = m_usuario.Experimento;
    const TStatus &st = e.Status;
    const TEstadoGravacao &g = m_gravacao;
    const qint64 parede = QDateTime::currentMSecsSinceEpoch();
    m_inicioDiario = m_agora;
    // The start's date-time names the recording's own files (journal, raw
    // files); a name taken by one that stopped earlier gets a number.
    const QString base = m_identificacao + QLatin1Char('-') +
                         QLocale::c().toString(QDateTime::fromMSecsSinceEpoch(parede),
                                               QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    const QString pasta = PastaExperimento();
    for (int n = 1; n <= 1000; ++n) {
        m_nomeSessao = n == 1 ? base : base + QStringLiteral("-%1").arg(n);
        const QStringList brutos = TArquivoRegistro::Brutos(pasta, m_nomeSessao);
        if (!QFileInfo::exists(brutos[0]) && !QFileInfo::exists(brutos[1]) &&
            !QFileInfo::exists(pasta + m_nomeSessao + TDiario::Extensao))
            break;
    }
    if (!m_diarioLigado || m_recuperacao) return;

    QList<QByteArray> linhas;
    linhas << QByteArrayLiteral("diario 1") << "usuario " + pct(m_usuario.Nome)
           << "experimento " + pct(e.Nome) << "individuo " + pct(m_identificacao)
           << "labirinto " + pct(e.Labirinto) << "geometria " + m_labirinto.Geometria()
           << "tempo " + QByteArray::number(e.TempoSecao)
           << "distancia " + QByteArray::number(e.Distancia)
           << "inicios " + QByteArray::number(e.QdeInicios)
           << "inicio1 " + QByteArray::number(e.InicioX1) + ' ' + QByteArray::number(e.InicioY1)
           << "inicio2 " + QByteArray::number(e.InicioX2) + ' ' + QByteArray::number(e.InicioY2)
           << "comecoQueda " + QByteArray::number(e.ComecoQueda)
           << "teclasEdicao " + QByteArray::number(g.TeclasEdicao ? 1 : 0);
    for (int i = 0; i < st.Qde; ++i)
        linhas << "comportamento " + QByteArray::number(st.Tecla[i]) + ' ' + pct(st.Nome[i]);
    linhas << "inicio 0 " + QByteArray::number(parede);
    // A folder that takes no journal takes no record file either: the
    // session end says so; the recording itself goes on.
    m_diario.Abrir(pasta + m_nomeSessao + TDiario::Extensao, linhas);
}

void TSessao::anotar(const char *tipo, int a, int b, int argumentos) {
    if (!m_diario.Aberto()) return;
    QByteArray l;
    l.reserve(48);
    l += tipo;
    l += ' ';
    l += QByteArray::number(m_agora - m_inicioDiario);
    l += ' ';
    l += QByteArray::number(QDateTime::currentMSecsSinceEpoch());
    if (argumentos > 0) {
        l += ' ';
        l += QByteArray::number(a);
    }
    if (argumentos > 1) {
        l += ' ';
        l += QByteArray::number(b);
    }
    m_diario.Anotar(l);
}

void TSessao::encerrarDiario(bool remover) {
    if (remover)
        m_diario.Remover();
    else
        m_diario.Fechar();
}

void TSessao::PrepararRecuperacao(const QString &identificacao) {
    if (m_estado != Estado::AguardandoIdentificacao) return;
    m_recuperacao = true;
    m_identificacao = identificacao;
    m_relogio.Sessao().DefinirIntervalo(T());
    m_gravacao.Caiu = false;
    m_gravacao.RegistroEntradas.Limpar();
    m_gravacao.RegistroComportamentos.Limpar();
    m_estado = Estado::Pronta;
}

qint64 TSessao::Interromper() {
    if (m_estado != Estado::Gravando && m_estado != Estado::Pausada) return -1;
    TEstadoGravacao &g = m_gravacao;
    m_agora = m_relogio.Agora();
    // Paused: the recording stopped at the fall; the behaviours held were
    // cut there already.
    const bool pausada = m_estado == Estado::Pausada;
    const qint64 fim = desde(pausada ? g.InicioQueda : m_agora);
    fecharLinhas(fim, !pausada);
    g.RegistroEntradas.Finalizar(double(fim));
    g.RegistroComportamentos.Finalizar(double(fim));
    m_relogio.Sessao().Desligar();
    m_relogio.Andamento().Desligar();
    g.Gravando = false;
    m_estado = Estado::Fechada;
    return fim;
}
