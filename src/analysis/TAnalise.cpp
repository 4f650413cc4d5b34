#include "TAnalise.h"

#include "TDados.h"
#include "TFolhaCompacta.h"
#include "TFolhaQuadrado.h"
#include "core/TErro.h"
#include "core/TFormaLabirinto.h"
#include "core/TIdioma.h"
#include "core/TInteracao.h"
#include "core/TUsuario.h"
#include "data/TPlanilha.h"

#include <QDir>
#include <QFileInfo>

#include <exception>
#include <new>

namespace {

const char *const kSecao = "UnitSelecionarGrupo";

const char *const kNomesTipos[] = {"compacta",        "compacta-braco",        "quadrado",
                                   "compacta-minuto", "compacta-braco-minuto", "quadrado-minuto"};

// The hourglass on for as long as the object lives, off again on every way
// out.
class Ocupado {
public:
    explicit Ocupado(TAnalise &analise) : m_analise(analise) { emit m_analise.Ampulheta(true); }
    ~Ocupado() { emit m_analise.Ampulheta(false); }
    Ocupado(const Ocupado &) = delete;
    Ocupado &operator=(const Ocupado &) = delete;

private:
    TAnalise &m_analise;
};

} // namespace

// Region analyses exist for the built-in mazes only. A built-in maze
// without the whole-maze analysis asked for is told it is not available;
// any other maze, and the per-arm kinds, get nothing.
TAnalise::Operacao TAnalise::Despacho(Tipo tipo, const QString &m) {
    const TFormaLabirinto forma(m);
    const TTipoLabirinto k = forma.Embutido() ? forma.Tipo() : TTipoLabirinto::Desconhecido;
    const Operacao semAnalise = forma.Embutido() ? NaoDisponivel : Nenhuma;
    switch (tipo) {
    case Compacta:
        if (k == TTipoLabirinto::Cruz) return CompactaCruz;
        if (k == TTipoLabirinto::EmI) return CompactaEmI;
        if (k == TTipoLabirinto::Arena && forma.TemRegioes()) return CompactaArena;
        return semAnalise;
    case CompactaPorBraco:
        return k == TTipoLabirinto::Cruz ? CompactaCruzBraco : Nenhuma;
    case CompactaMinuto:
        if (k == TTipoLabirinto::Cruz) return CompactaMinutoCruz;
        if (k == TTipoLabirinto::EmI) return CompactaMinutoEmI;
        return semAnalise;
    case CompactaPorBracoMinuto:
        return k == TTipoLabirinto::Cruz ? CompactaMinutoCruzBraco : Nenhuma;
    case Quadrado:
        return QuadradoAQuadrado;
    case QuadradoMinuto:
        return QuadradoAQuadradoMinuto;
    }
    return Nenhuma;
}

bool TAnalise::Habilitados(const QString &m, std::array<bool, 6> *h) {
    const TFormaLabirinto forma(m);
    bool compacta = false, braco = false;
    switch (forma.TipoDaPalavra()) {
    case TTipoLabirinto::Cruz:
        compacta = braco = true;
        break;
    case TTipoLabirinto::EmI:
        compacta = true;
        break;
    case TTipoLabirinto::Arena: // only the 6 x 6 arena has regions
        compacta = braco = forma.TemRegioes();
        break;
    case TTipoLabirinto::EmT:
        break;
    case TTipoLabirinto::Desconhecido:
        return false;
    }
    (*h)[Compacta] = (*h)[CompactaMinuto] = compacta;
    (*h)[CompactaPorBraco] = (*h)[CompactaPorBracoMinuto] = braco;
    (*h)[Quadrado] = (*h)[QuadradoMinuto] = true;
    return true;
}

bool TAnalise::TipoDoNome(const QString &nome, Tipo *tipo) {
    for (int i = 0; i < static_cast<int>(std::size(kNomesTipos)); ++i)
        if (nome == QLatin1String(kNomesTipos[i])) {
            *tipo = static_cast<Tipo>(i);
            return true;
        }
    return false;
}

QString TAnalise::NomeDoTipo(Tipo tipo) {
    return QString::fromLatin1(kNomesTipos[tipo]);
}

std::unique_ptr<TFolhaAnalise> TAnalise::Folha(Operacao operacao, const QString &labirinto) {
    switch (operacao) {
    case CompactaCruz:
        return std::make_unique<TFolhaCompacta>(TFolhaCompacta::Cruz, labirinto);
    case CompactaCruzBraco:
        return std::make_unique<TFolhaCompacta>(TFolhaCompacta::CruzBraco, labirinto);
    case CompactaArena:
        return std::make_unique<TFolhaCompacta>(TFolhaCompacta::Arena, labirinto);
    case CompactaEmI:
        return std::make_unique<TFolhaCompacta>(TFolhaCompacta::EmI, labirinto);
    case CompactaMinutoCruz:
    case CompactaMinutoCruzBraco: // no per-arm split per minute: the same sheet
        return std::make_unique<TFolhaCompacta>(TFolhaCompacta::Cruz, labirinto, true);
    case CompactaMinutoEmI:
        return std::make_unique<TFolhaCompacta>(TFolhaCompacta::EmI, labirinto, true);
    case QuadradoAQuadrado:
        return std::make_unique<TFolhaQuadrado>(false);
    case QuadradoAQuadradoMinuto:
        return std::make_unique<TFolhaQuadrado>(true);
    case Nenhuma:
    case NaoDisponivel:
        break;
    }
    return nullptr;
}

TAnalise::TAnalise(const TUsuario &usuario, TDados &dados, TPlanilha &planilha,
                   TInteracao *interacao)
    : m_usuario(usuario), m_dados(dados), m_planilha(planilha), m_interacao(interacao) {}

TAnalise::~TAnalise() = default;

QString TAnalise::texto(const char *chave) const {
    return TIdioma::Ler(m_usuario.ArquivoIdioma, QLatin1String(kSecao), QLatin1String(chave));
}

void TAnalise::mensagem(const QString &t) const {
    if (m_interacao) m_interacao->Mensagem(t);
}

TAnalise::Resultado TAnalise::Executar(Tipo tipo, const QString &nomeSaida,
                                       Substituicao substituicao) {
    m_erro.clear();
    m_avisos.clear();
    m_arquivoFinal = m_planilha.NomeArquivo(nomeSaida);
    const QString &labirinto = m_usuario.Experimento.Labirinto;

    // The kind is settled before the file: no question about replacing a
    // file for an analysis that will not run.
    const std::unique_ptr<TFolhaAnalise> folha = Folha(Despacho(tipo, labirinto), labirinto);
    if (!folha) {
        mensagem(texto("TFormAnaliseSpeedButtonANALISARClickMessage2"));
        return Indisponivel;
    }

    // A name that cannot be saved is refused before the run, not after it.
    const QFileInfo alvo(m_arquivoFinal);
    if (m_arquivoFinal.isEmpty() || !alvo.dir().exists() || alvo.isDir()) {
        m_erro = QStringLiteral("Cannot create file %1: %2. Nothing was analysed.")
                     .arg(m_arquivoFinal.isEmpty() ? QStringLiteral("(no file name)")
                                                   : QDir::toNativeSeparators(m_arquivoFinal),
                          m_arquivoFinal.isEmpty() ? QStringLiteral("no file name was given")
                          : alvo.isDir()           ? QStringLiteral("it is a folder")
                                                   : QStringLiteral("the folder does not exist"));
        mensagem(m_erro);
        return Falha;
    }

    // The name tested is the one the file will have.
    bool substituir = false;
    if (!m_arquivoFinal.isEmpty() && QFileInfo::exists(m_arquivoFinal)) {
        if (substituicao == NaoSubstituir) return Existente;
        if (substituicao == Perguntar &&
            !(m_interacao &&
              m_interacao->Confirmar(texto("TFormAnaliseSpeedButtonANALISARClickMessage1"))))
            return Cancelada;
        substituir = true;
    }

    try {
        Ocupado ocupado(*this);
        m_planilha.setNomeFolha(NomeDoTipo(tipo));
        gerar(*folha, substituir);
    } catch (const TErro &e) {
        m_erro = e.mensagem();
    } catch (const std::bad_alloc &) {
        m_erro = QStringLiteral("There is not enough memory for this analysis. Nothing was "
                                "written.");
    } catch (const std::exception &e) {
        m_erro = QString::fromLocal8Bit(e.what());
    }
    if (!m_erro.isEmpty()) {
        // The document may be large: do not keep it after a failure.
        m_planilha.StartSheet();
        mensagem(m_erro);
        return Falha;
    }
    if (!m_avisos.isEmpty()) mensagem(m_avisos.join(QLatin1Char('\n')));
    mensagem(texto("GeradoComSucessoMessage"));
    return Sucesso;
}

void TAnalise::gerar(TFolhaAnalise &folha, bool substituir) {
    m_planilha.setFileName(m_arquivoFinal);
    // Replaces only what the user agreed to replace: a file that appeared
    // after the question (or after the check that found none) is kept.
    TPlanilha::OpcoesGravacao opcoes = TPlanilha::GravSomenteLeitura;
    opcoes |= substituir ? TPlanilha::GravSubstituir : TPlanilha::GravNovo;
    // The sheet may go to its file as it grows (the .xls does).
    m_planilha.GerarEGravar([&] { preencher(folha); }, opcoes);
}

void TAnalise::preencher(TFolhaAnalise &folha) {
    m_planilha.StartSheet();
    m_planilha.setForma(folha.Forma());
    TDados::Execucao execucao;
    int linha = folha.LinhaInicial();
    bool algum = false;
    int total = 0, feitos = 0;
    for (const TGrupo &grupo : m_dados.Grupos())
        total += grupo.QdeArquivos();
    emit Progresso(0, total);

    for (int g = 0; g < m_dados.QdeGrupos(); ++g) {
        const TGrupo &grupo = m_dados.Grupos()[g];
        m_planilha.Grupo(linha + 1, grupo.Nome);
        for (int f = 0; f < grupo.QdeArquivos(); ++f) {
            m_dados.PrepararArquivo(m_usuario, g, f, execucao);
            if (!m_dados.Aviso().isEmpty()) {
                m_avisos.append(m_dados.Aviso());
                emit Aviso(m_dados.Aviso());
            }
            algum = true;
            folha.Acumular(m_dados);
            // Checked before the file's cells go in: the whole run is
            // refused rather than a cell lost or put somewhere else.
            const qint64 linhas = linha + folha.Linhas(m_dados);
            const qint64 colunas = folha.Colunas(m_dados);
            if (!m_planilha.Comporta(linhas, colunas))
                throw TErro(
                    QStringLiteral(
                        "The analysis does not fit one spreadsheet: with %1 (group \"%2\") it "
                        "needs %3 rows and %4 columns for %5 behaviours and %6 squares, and a "
                        "sheet holds at most %7 rows and %8 columns. Nothing was written; "
                        "analyse fewer files or behaviours at a time%9.")
                        // One call: a group or file name holding "%3" stays as it is.
                        .arg(QDir::toNativeSeparators(m_dados.Arquivo()), grupo.Nome,
                             QString::number(linhas), QString::number(colunas),
                             QString::number(m_dados.QdeComportamentos()),
                             QString::number(m_dados.QdeQuadrados()),
                             QString::number(m_planilha.MaxLinhas()),
                             QString::number(m_planilha.MaxColunas()),
                             m_planilha.formato() == TPlanilha::Xls
                                 ? QStringLiteral(", or save the analysis as .xlsx or .csv")
                                 : QString()));
            TIdentificacao id;
            id.Posicao = static_cast<quint16>(f + 1);
            id.Rotulo = TFolhaAnalise::Rotulo(grupo.Arquivos[f]);
            id.Usuario = m_usuario.Nome;
            folha.Escrever(m_planilha, m_dados, id, linha);
            emit Progresso(++feitos, total);
        }
    }
    // Without any file the lists are not this run's: titles for no
    // behaviour beyond "ENTRADA" and no square.
    if (!algum) {
        m_dados.Quadrados.clear();
        m_dados.Comportamentos = QStringList{QStringLiteral("ENTRADA")};
    }
    folha.Titulos(m_planilha, m_dados);
    m_planilha.EndSheet();
}
