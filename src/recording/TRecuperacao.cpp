#include "TRecuperacao.h"

#include "core/Arquivos.h"
#include "core/TGravacao.h"
#include "core/TInteracao.h"
#include "core/TLabirinto.h"
#include "core/TUsuario.h"
#include "recording/TDiario.h"
#include "recording/TRelogioVirtual.h"
#include "recording/TSessao.h"
#include "recording/TTravaIdentificacao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

const QString TRecuperacao::SufixoParcial = QStringLiteral("-parcial");

namespace {

// Nobody to show anything to: the replay of a journal is silent.
class InteracaoMuda : public TInteracao {
public:
    void Mensagem(const QString &) override {}
    bool Confirmar(const QString &) override { return false; }
    void Bipe() override {}
};

struct Evento {
    QByteArray tipo;
    qint64 ms = 0;
    qint64 parede = 0;
    QList<int> argumentos;
};

QString texto(const QByteArray &pct) {
    return QString::fromUtf8(QByteArray::fromPercentEncoding(pct));
}

bool lerInteiro(const QByteArray &b, qint64 *v) {
    bool ok = false;
    *v = b.toLongLong(&ok);
    return ok;
}

QString minutos(qint64 ms) {
    const qint64 s = ms / 1000;
    return QStringLiteral("%1:%2")
        .arg(s / 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

bool existe(const QString &caminho) {
    const QFileInfo fi(caminho);
    return fi.exists() || fi.isSymLink();
}

QStringList pastasExperimento(const QString &pastaUsuario) {
    QStringList r;
    const QDir d(pastaUsuario);
    for (const QString &n : d.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        r << d.filePath(n) + QLatin1Char('/');
    return r;
}

} // namespace

TRecuperacao::TRecuperacao(const QString &diretorioDados, const QString &caminhoDiario)
    : m_dados(diretorioDados), m_caminho(caminhoDiario) {}

TRecuperacao::~TRecuperacao() {
    if (m_fd >= 0) ::close(m_fd);
}

QStringList TRecuperacao::Diarios(const QString &pastaExperimento) {
    QStringList r;
    const QDir d(pastaExperimento);
    for (const QString &n :
         d.entryList({QLatin1Char('*') + TDiario::Extensao}, QDir::Files, QDir::Name))
        r << d.filePath(n);
    return r;
}

QStringList TRecuperacao::DiariosDoUsuario(const QString &pastaUsuario) {
    QStringList r;
    for (const QString &p : pastasExperimento(pastaUsuario))
        r << Diarios(p);
    return r;
}

QStringList TRecuperacao::ConcluirPendentes(const QString &pastaUsuario) {
    QStringList r;
    for (const QString &p : pastasExperimento(pastaUsuario))
        r << ConcluirPendentesDaPasta(p);
    return r;
}

QStringList TRecuperacao::ConcluirPendentesDaPasta(const QString &pastaExperimento) {
    QStringList ids;
    for (const QString &n : QDir(pastaExperimento)
                                .entryList({QLatin1Char('*') + TArquivoRegistro::SufixoPendente},
                                           QDir::Files | QDir::Hidden))
        ids << n.chopped(TArquivoRegistro::SufixoPendente.size()).section(QLatin1Char('-'), 0, 0);
    ids.removeDuplicates();
    QStringList r;
    for (const QString &id : ids) {
        // A live recording of that identification is writing it now.
        TTravaIdentificacao trava;
        if (trava.Travar(pastaExperimento, id) != TTravaIdentificacao::Travada) continue;
        r << TArquivoRegistro::ConcluirPares(pastaExperimento, id);
    }
    return r;
}

TRecuperacao::Situacao TRecuperacao::Ler() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    m_situacao = Danificado;
    auto dano = [this](const QString &porque) {
        m_problema = QStringLiteral("journal %1: %2").arg(m_caminho, porque);
        m_situacao = Danificado;
        return m_situacao;
    };
    const QByteArray nome = QFile::encodeName(m_caminho);
    const int fd = ::open(nome.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return dano(QString::fromLocal8Bit(strerror(errno)));
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return m_situacao = EmUso;
    }
    struct stat aberto, nomeado;
    if (::fstat(fd, &aberto) != 0 || ::stat(nome.constData(), &nomeado) != 0 ||
        aberto.st_ino != nomeado.st_ino || aberto.st_dev != nomeado.st_dev) {
        // Removed by its session (or another instance) meanwhile.
        ::close(fd);
        return m_situacao = EmUso;
    }
    m_fd = fd;
    if (!S_ISREG(aberto.st_mode) || aberto.st_size > 256LL * 1024 * 1024)
        return dano(QStringLiteral("not a journal file"));
    QByteArray bytes;
    bytes.resize(qsizetype(aberto.st_size));
    qsizetype lidos = 0;
    while (lidos < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + lidos, size_t(bytes.size() - lidos));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        lidos += n;
    }
    bytes.truncate(lidos);

    // Whole lines only: what follows the last line feed was being written
    // when the machine stopped.
    QList<QByteArray> linhas = bytes.left(bytes.lastIndexOf('\n') + 1).split('\n');
    linhas.removeLast();
    QList<QByteArray> textos;
    for (int i = 0; i < linhas.size(); ++i) {
        QByteArray t;
        if (TDiario::Verificar(linhas[i], &t)) {
            textos << t;
            continue;
        }
        // The last line may be whole in length and still be torn (a power
        // cut leaves the file's length ahead of its bytes).
        if (i == linhas.size() - 1) break;
        return dano(QStringLiteral("line %1 is damaged").arg(i + 1));
    }
    if (textos.value(0) != "diario 1") return dano(QStringLiteral("not a journal of this program"));

    // The settings as they were at the start.
    TUsuario usuario(m_dados);
    TExperimento &e = usuario.Experimento;
    e.Status.Limpar();
    e.Configurado = true;
    QList<Evento> eventos;
    bool teclasEdicao = false;
    QByteArray geometria; // journals of earlier versions have none
    int i = 1;
    QStringList faltam = {QStringLiteral("usuario"),   QStringLiteral("experimento"),
                          QStringLiteral("individuo"), QStringLiteral("labirinto"),
                          QStringLiteral("tempo"),     QStringLiteral("inicios"),
                          QStringLiteral("inicio1")};
    for (; i < textos.size(); ++i) {
        const QList<QByteArray> p = textos[i].split(' ');
        const QByteArray &chave = p[0];
        if (chave == "inicio") break;
        faltam.removeOne(QString::fromLatin1(chave));
        qint64 a = 0, b = 0;
        const bool n1 = p.size() > 1 && lerInteiro(p[1], &a);
        const bool n2 = p.size() > 2 && lerInteiro(p[2], &b);
        if (chave == "usuario" && p.size() > 1)
            usuario.Nome = texto(p[1]);
        else if (chave == "experimento" && p.size() > 1)
            e.Nome = texto(p[1]);
        else if (chave == "individuo" && p.size() > 1)
            m_cabecalho.individuo = texto(p[1]);
        else if (chave == "labirinto" && p.size() > 1)
            e.Labirinto = texto(p[1]);
        else if (chave == "geometria" && p.size() == 13)
            geometria = textos[i].mid(chave.size() + 1);
        else if (chave == "tempo" && n1)
            e.TempoSecao = int(a);
        else if (chave == "distancia" && n1)
            e.Distancia = int(a);
        else if (chave == "inicios" && n1)
            e.QdeInicios = int(a);
        else if (chave == "inicio1" && n1 && n2)
            e.InicioX1 = int(a), e.InicioY1 = int(b);
        else if (chave == "inicio2" && n1 && n2)
            e.InicioX2 = int(a), e.InicioY2 = int(b);
        else if (chave == "comecoQueda" && n1)
            e.ComecoQueda = int(a);
        else if (chave == "teclasEdicao" && n1)
            teclasEdicao = a != 0;
        else if (chave == "comportamento" && n1 && p.size() > 2)
            e.Status.Adicionar(texto(p[2]), quint16(a));
        else
            return dano(QStringLiteral("line %1 is not understood").arg(i + 1));
    }
    if (!faltam.isEmpty() || i >= textos.size())
        return dano(QStringLiteral("the recording's settings are incomplete"));
    qint64 anterior = 0;
    for (; i < textos.size(); ++i) {
        const QList<QByteArray> p = textos[i].split(' ');
        Evento ev;
        ev.tipo = p[0];
        bool ok = p.size() >= 3 && lerInteiro(p[1], &ev.ms) && lerInteiro(p[2], &ev.parede) &&
                  ev.ms >= anterior;
        for (int k = 3; k < p.size() && ok; ++k) {
            qint64 v = 0;
            ok = lerInteiro(p[k], &v);
            ev.argumentos << int(v);
        }
        static const QList<QByteArray> tipos = {"inicio",  "retomada", "queda", "mover",
                                                "abaixar", "liberar",  "setas", "fim"};
        static const QList<int> argumentos = {0, 0, 0, 2, 1, 1, 0, 0};
        const int t = int(tipos.indexOf(ev.tipo));
        if (!ok || t < 0 || ev.argumentos.size() != argumentos[t])
            return dano(QStringLiteral("line %1 is not understood").arg(i + 1));
        anterior = ev.ms;
        eventos << ev;
    }

    m_cabecalho.usuario = usuario.Nome;
    m_cabecalho.experimento = e.Nome;
    m_cabecalho.labirinto = e.Labirinto;
    m_cabecalho.tempoSecao = e.TempoSecao;
    m_cabecalho.distancia = e.Distancia;
    m_doisInicios = e.QdeInicios == 2;
    m_eventos = int(eventos.size());
    m_parada = QDateTime::fromMSecsSinceEpoch(eventos.last().parede);

    // The engine on a virtual clock, in the journal's folder.
    const QFileInfo fi(m_caminho);
    usuario.Pasta = QFileInfo(fi.absolutePath()).absolutePath() + QLatin1Char('/');
    e.Nome = fi.absoluteDir().dirName();
    // The maze as it was at the start; without it, the library's.
    TLabirinto labirinto(m_dados);
    if (!geometria.isEmpty() && !labirinto.FixarGeometria(geometria))
        return dano(QStringLiteral("the maze's geometry is not understood"));
    InteracaoMuda interacao;
    TRelogioVirtual relogio;
    TSessao sessao(usuario, labirinto, interacao, relogio);
    sessao.DefinirDiario(false);
    if (!sessao.Abrir() || sessao.EstadoAtual() != TSessao::Estado::AguardandoIdentificacao)
        return dano(QStringLiteral("maze \"%1\" cannot take this recording")
                        .arg(m_cabecalho.labirinto));
    e.Nome = m_cabecalho.experimento;
    sessao.PrepararRecuperacao(m_cabecalho.individuo);
    if (sessao.TeclasEdicao() != teclasEdicao) sessao.AlternarTeclasEdicao();
    const TDataHora t0 = relogio.Agora();
    for (const Evento &ev : eventos) {
        relogio.AvancarAte(t0 + ev.ms);
        if (sessao.SessoesEncerradas() > 0) break;
        const QByteArray &t = ev.tipo;
        if (t == "inicio" || t == "retomada")
            sessao.IniciarOuRetomar();
        else if (t == "queda")
            sessao.Queda();
        else if (t == "mover")
            sessao.Mover(ev.argumentos[0], ev.argumentos[1]);
        else if (t == "abaixar")
            sessao.ComportamentoAbaixado(ev.argumentos[0]);
        else if (t == "liberar")
            sessao.ComportamentoLiberado(ev.argumentos[0]);
        else if (t == "setas")
            sessao.AlternarTeclasEdicao();
        else if (t == "fim" && relogio.Sessao().Ligado())
            // The session timer fired here; on the virtual clock it is due
            // at the same instant or just before.
            relogio.AvancarAte(relogio.Sessao().Prazo());
    }
    m_faseFixa = !sessao.FaseLivre();
    m_completa = sessao.SessoesEncerradas() > 0;
    m_gravado = m_completa ? Duracao() : sessao.Interromper();
    if (m_gravado < 0) return dano(QStringLiteral("the recording never started"));
    m_entradas = Arquivos::dividirLinhas(sessao.Gravacao().RegistroEntradas.Texto());
    m_comportamentos = Arquivos::dividirLinhas(sessao.Gravacao().RegistroComportamentos.Texto());
    m_problema.clear();
    return m_situacao = Pronta;
}

QString TRecuperacao::Descrever(const QString &modelo) const {
    const QLocale C = QLocale::c();
    return QString(modelo)
        .replace(QStringLiteral("%1"), m_cabecalho.individuo)
        .replace(QStringLiteral("%2"), m_cabecalho.experimento)
        .replace(QStringLiteral("%3"), minutos(m_gravado))
        .replace(QStringLiteral("%4"), minutos(Duracao()))
        .replace(QStringLiteral("%5"), C.toString(m_parada, QStringLiteral("dd/MM/yyyy")))
        .replace(QStringLiteral("%6"), C.toString(m_parada, QStringLiteral("HH:mm")));
}

TResultadoGravacao TRecuperacao::Salvar() {
    TResultadoGravacao r;
    if (m_situacao != Pronta) {
        r.erro = m_situacao == EmUso ? QStringLiteral("journal %1 is in use").arg(m_caminho)
                                     : m_problema;
        return r;
    }
    const QString pasta = QFileInfo(m_caminho).absolutePath() + QLatin1Char('/');
    const QStringList proprios =
        TArquivoRegistro::Destinos(pasta, m_cabecalho.individuo, m_doisInicios);
    QList<QByteArray> conteudos =
        TArquivoRegistro::Conteudos(m_cabecalho, m_doisInicios, m_entradas, m_comportamentos);
    if (m_doisInicios && !m_faseFixa) conteudos.removeLast();

    // Whether a file holds these rows (after the header, whose first line
    // holds the moment).
    auto mesmasLinhas = [](const QString &arquivo, const QByteArray &conteudo) {
        QByteArray b;
        return Arquivos::lerTudo(arquivo, &b) &&
               Arquivos::dividirLinhas(b).mid(10) == Arquivos::dividirLinhas(conteudo).mid(10);
    };
    int existentes = 0;
    bool iguais = conteudos.size() == proprios.size();
    for (int k = 0; k < proprios.size(); ++k) {
        existentes += existe(proprios[k]) ? 1 : 0;
        iguais = iguais && mesmasLinhas(proprios[k], conteudos.value(k));
    }
    QStringList destinos;
    int jaGravados = 0; // files of the set an interrupted save already wrote
    if (m_completa && existentes == proprios.size() && iguais) {
        // This recording's record was written; only the journal's removal
        // was missed. Other rows under those names (another recording of the
        // same animal) leave this one to be saved under a partial name.
        r.gravados = proprios;
    } else if (m_completa && existentes == 0) {
        destinos = proprios;
    } else {
        // One number for the whole set, so that the two halves of a pair
        // stay recognisable as one recording.
        for (int n = 1; n <= 1000 && destinos.isEmpty(); ++n) {
            QStringList nomes;
            bool livres = true;
            for (int k = 0; k < conteudos.size(); ++k) {
                const QString nome = proprios[k].chopped(4) + SufixoParcial +
                                     (n > 1 ? QStringLiteral("-%1").arg(n) : QString()) +
                                     QStringLiteral(".tvl");
                livres = livres && !existe(nome);
                nomes << nome;
            }
            if (livres) {
                destinos = nomes;
            } else if (conteudos.size() == 2 && existe(nomes[0]) && !existe(nomes[1]) &&
                       mesmasLinhas(nomes[0], conteudos[0])) {
                // A save of this journal stopped between the two halves:
                // the pair is finished under the names it began, not
                // written again as a second set.
                destinos = nomes;
                jaGravados = 1;
            }
        }
        if (destinos.isEmpty()) {
            r.erro = QStringLiteral("no free name for the record of journal %1").arg(m_caminho);
            return r;
        }
    }
    if (jaGravados > 0) r.gravados = destinos.mid(0, jaGravados);
    for (int k = jaGravados; k < destinos.size(); ++k) {
        const TResultado g =
            TGravacao::Gravar(destinos[k], conteudos.value(k), TGravacao::CriarSomente, true);
        if (!g) {
            r.erro = g.Mensagem(QStringLiteral("Cannot create file %1: %2"));
            for (int j = k; j < destinos.size(); ++j)
                r.faltando << destinos[j];
            return r;
        }
        r.gravados << destinos[k];
    }
    // Removed while still locked: no other instance saves it again.
    ::unlink(QFile::encodeName(m_caminho).constData());
    TGravacao::SincronizarDiretorio(pasta);
    ::close(m_fd);
    m_fd = -1;
    m_situacao = NaoLido;
    return r;
}
