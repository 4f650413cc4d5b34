#include "ComandoReplay.h"

#include "core/Arquivos.h"
#include "core/Perfil.h"
#include "core/TDocumentoIni.h"
#include "core/TInteracao.h"
#include "core/TLabirinto.h"
#include "core/TUsuario.h"
#include "recording/Identificacao.h"
#include "recording/TRelogioVirtual.h"
#include "recording/TSessao.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QThread>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtCore/qnamespace.h>

#include <optional>

namespace {

// Far beyond any session (about 31 years), small enough never to overflow
// the clock.
const qint64 kTempoMaximo = 1000000000000LL;

struct Evento {
    enum Tipo { Caractere, Abaixar, Liberar };
    qint64 ms = 0;
    Tipo tipo = Caractere;
    int codigo = 0; // character, or key code
};

// The replay has no one to show messages to; it reports in its own words.
class InteracaoReplay : public TInteracao {
public:
    void Mensagem(const QString &) override {}
    bool Confirmar(const QString &) override { return false; }
    void Bipe() override {}
};

std::optional<int> codigoLetra(const QString &x) {
    if (x.size() != 1) return std::nullopt;
    const QChar c = x.at(0).toUpper();
    if (c < QLatin1Char('A') || c > QLatin1Char('Z')) return std::nullopt;
    return Qt::Key_A + (c.unicode() - 'A');
}

// Parses one line; an empty string on success, else what is wrong.
// The words of a line, split at runs of white space. Script lines are
// plain ASCII almost always: those are split by hand; any other line goes
// through the full Unicode white space rule.
QStringList palavras(const QString &linha) {
    bool ascii = true;
    for (QChar c : linha)
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    if (!ascii) {
        static const QRegularExpression espacos(QStringLiteral("\\s+"));
        return linha.split(espacos, Qt::SkipEmptyParts);
    }
    QStringList p;
    const qsizetype n = linha.size();
    for (qsizetype i = 0; i < n;) {
        auto branco = [&linha](qsizetype k) {
            const char16_t c = linha[k].unicode();
            return c == ' ' || (c >= '\t' && c <= '\r');
        };
        while (i < n && branco(i))
            ++i;
        const qsizetype de = i;
        while (i < n && !branco(i))
            ++i;
        if (i > de) p.append(linha.mid(de, i - de));
    }
    return p;
}

// 1 to 13 ASCII digits.
bool tempoValido(const QString &t) {
    if (t.isEmpty() || t.size() > 13) return false;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

QString lerEvento(const QString &linha, qint64 anterior, Evento *ev) {
    const QStringList p = palavras(linha);
    if (!tempoValido(p.at(0)))
        return QStringLiteral("\"%1\" is not a time in milliseconds").arg(p.at(0));
    ev->ms = p.at(0).toLongLong();
    if (ev->ms > kTempoMaximo) return QStringLiteral("time %1 is too large").arg(p.at(0));
    if (ev->ms < anterior)
        return QStringLiteral("time %1 is before the previous event's %2")
            .arg(ev->ms)
            .arg(anterior);
    if (p.size() < 2) return QStringLiteral("missing event");
    const QString nome = p.at(1).toLower();
    const int argumentos = p.size() - 2;
    auto semArgumento = [&]() -> QString {
        return argumentos == 0 ? QString()
                               : QStringLiteral("event \"%1\" takes no argument").arg(p.at(1));
    };
    if (nome.size() == 1 && nome.at(0) >= QLatin1Char('1') && nome.at(0) <= QLatin1Char('9')) {
        ev->tipo = Evento::Caractere;
        ev->codigo = nome.at(0).unicode();
        return semArgumento();
    }
    if (nome == QLatin1String("esc")) {
        ev->tipo = Evento::Caractere;
        ev->codigo = 27;
        return semArgumento();
    }
    if (nome == QLatin1String("f5")) {
        ev->tipo = Evento::Abaixar;
        ev->codigo = Qt::Key_F5;
        return semArgumento();
    }
    if (nome == QLatin1String("down") || nome == QLatin1String("up")) {
        if (argumentos != 1) return QStringLiteral("event \"%1\" takes one letter").arg(p.at(1));
        const std::optional<int> codigo = codigoLetra(p.at(2));
        if (!codigo) return QStringLiteral("\"%1\" is not a letter").arg(p.at(2));
        ev->tipo = nome == QLatin1String("down") ? Evento::Abaixar : Evento::Liberar;
        ev->codigo = *codigo;
        return QString();
    }
    if (nome == QLatin1String("arrow")) {
        if (argumentos != 1) return QStringLiteral("event \"arrow\" takes left, up, right or down");
        const QString d = p.at(2).toLower();
        ev->tipo = Evento::Abaixar;
        if (d == QLatin1String("left"))
            ev->codigo = Qt::Key_Left;
        else if (d == QLatin1String("up"))
            ev->codigo = Qt::Key_Up;
        else if (d == QLatin1String("right"))
            ev->codigo = Qt::Key_Right;
        else if (d == QLatin1String("down"))
            ev->codigo = Qt::Key_Down;
        else
            return QStringLiteral("\"%1\" is not left, up, right or down").arg(p.at(2));
        return QString();
    }
    return QStringLiteral("unknown event \"%1\"").arg(p.at(1));
}

bool lerRoteiro(const QString &caminho, QList<Evento> *eventos, QTextStream &err) {
    QByteArray bytes;
    if (!QFileInfo(caminho).isFile() || !Arquivos::lerTudo(caminho, &bytes)) {
        err << "replay: cannot read script " << caminho << "\n";
        return false;
    }
    const QList<QByteArray> linhas = Arquivos::dividirLinhas(bytes);
    qint64 anterior = 0;
    for (int i = 0; i < linhas.size(); ++i) {
        const QString linha = QString::fromUtf8(linhas[i]).trimmed();
        if (linha.isEmpty() || linha.startsWith(QLatin1Char('#'))) continue;
        Evento ev;
        const QString problema = lerEvento(linha, anterior, &ev);
        if (!problema.isEmpty()) {
            err << "replay: " << caminho << ":" << (i + 1) << ": " << problema << "\n";
            return false;
        }
        anterior = ev.ms;
        eventos->append(ev);
    }
    return true;
}

void uso(QTextStream &err) {
    err << "usage: trevalin-cli replay --data DIR --user USER --experiment EXP --id ID "
           "[--journal] [--real-time] SCRIPT\n";
}

} // namespace

int ComandoReplay(const QStringList &args, QTextStream &out, QTextStream &err) {
    QString dados, usuarioNome, experimento, id, roteiro;
    bool temId = false;
    bool diario = false;
    bool tempoReal = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        QString *destino = nullptr;
        if (a == QLatin1String("--journal")) {
            diario = true;
            continue;
        }
        if (a == QLatin1String("--real-time")) {
            tempoReal = true;
            continue;
        }
        if (a == QLatin1String("--data"))
            destino = &dados;
        else if (a == QLatin1String("--user"))
            destino = &usuarioNome;
        else if (a == QLatin1String("--experiment"))
            destino = &experimento;
        else if (a == QLatin1String("--id"))
            destino = &id;
        if (destino) {
            if (i + 1 >= args.size()) {
                err << "replay: " << a << " needs a value\n";
                uso(err);
                return 1;
            }
            *destino = args[++i];
            temId = temId || destino == &id;
        } else if (a.startsWith(QLatin1String("--")) || !roteiro.isEmpty()) {
            err << "replay: unexpected argument \"" << a << "\"\n";
            uso(err);
            return 1;
        } else {
            roteiro = a;
        }
    }
    if (dados.isEmpty() || usuarioNome.isEmpty() || experimento.isEmpty() || !temId ||
        roteiro.isEmpty()) {
        err << "replay: --data, --user, --experiment, --id and SCRIPT are all required\n";
        uso(err);
        return 1;
    }

    // The names become a file and folders under the data directory: the
    // rules of the windows apply before anything is read or written.
    if (const QString p = Perfil::ProblemaNomeUsuario(usuarioNome); !p.isEmpty()) {
        err << "replay: user \"" << usuarioNome << "\" is refused: " << p << "\n";
        return 1;
    }
    if (const QString p = Perfil::ProblemaNomeExperimento(experimento); !p.isEmpty()) {
        err << "replay: experiment \"" << experimento << "\" is refused: " << p << "\n";
        return 1;
    }

    QList<Evento> eventos;
    if (!lerRoteiro(roteiro, &eventos, err)) return 1;

    if (!dados.endsWith(QLatin1Char('/'))) dados += QLatin1Char('/');
    if (!QFileInfo(dados).isDir()) {
        err << "replay: data directory " << dados << " does not exist\n";
        return 1;
    }
    if (!QFileInfo(TUsuario::ArquivoDoUsuario(dados, usuarioNome)).isFile()) {
        err << "replay: user " << usuarioNome << " has no profile file in " << dados
            << "usuarios/\n";
        return 1;
    }
    TUsuario usuario(dados);
    usuario.Carregar(usuarioNome);
    // The profile is read once: every check and setting below comes from it.
    const TDocumentoIni perfil(usuario.Arquivo);
    if (!perfil.SectionExists(experimento)) {
        err << "replay: experiment " << experimento << " is not in the profile of user "
            << usuarioNome << "\n";
        return 1;
    }
    usuario.Experimento.Carregar(perfil, experimento);
    if (!usuario.Experimento.Configurado) {
        err << "replay: experiment " << experimento << " is not configured\n";
        return 1;
    }
    if (usuario.Experimento.TempoSecao < 1 || usuario.Experimento.TempoSecao > 9990) {
        err << "replay: experiment " << experimento << " cannot be recorded: its session length "
            << "TempoSecao=\""
            << perfil.ReadString(experimento, QStringLiteral("TempoSecao"), QString())
            << "\" is not a number of seconds from 1 to 9990\n";
        return 1;
    }

    TLabirinto labirinto(dados);
    TRelogioVirtual relogio(QDateTime::currentMSecsSinceEpoch());
    InteracaoReplay interacao;
    TSessao sessao(usuario, labirinto, interacao, relogio);
    sessao.DefinirDiario(diario);
    if (!sessao.Abrir()) {
        if (!QFileInfo(labirinto.ArquivoLabirintos()).isFile())
            err << "replay: maze library " << labirinto.ArquivoLabirintos() << " not found\n";
        else
            err << "replay: experiment " << experimento << " cannot be recorded: maze \""
                << usuario.Experimento.Labirinto << "\" is not a maze of the library\n";
        return 1;
    }
    if (sessao.EstadoAtual() == TSessao::Estado::EscolhaInicio) {
        err << "replay: the start square" << (sessao.DoisInicios() ? "s" : "") << " of experiment "
            << experimento
            << " are not set (or not on its maze); choose them in the session window first\n";
        return 1;
    }
    if (!Identificacao::Valida(id)) {
        err << "replay: identification \"" << id << "\" is refused: it must be 1 to "
            << Identificacao::TamanhoMaximo
            << " characters without blanks or any of ! # $ % & ( ) * + , - . / < = > ? [ \\ ] "
               "^ { | } ~ @ `\n";
        return 1;
    }
    if (!sessao.ConfirmarIdentificacao(id)) {
        if (sessao.RecusaAtual() == TSessao::Recusa::EmGravacao)
            err << "replay: identification " << id << " is being recorded by another session in "
                << sessao.PastaExperimento() << " right now\n";
        else
            err << "replay: a record file of identification " << id << " already exists in "
                << sessao.PastaExperimento() << "\n";
        return 1;
    }

    const TDataHora t0 = relogio.Agora();
    QElapsedTimer real;
    real.start();
    for (const Evento &ev : eventos) {
        if (tempoReal) {
            const qint64 falta = ev.ms - real.elapsed();
            if (falta > 0) QThread::msleep(static_cast<unsigned long>(falta));
        }
        relogio.AvancarAte(t0 + ev.ms);
        if (sessao.SessoesEncerradas() > 0) break;
        switch (ev.tipo) {
        case Evento::Caractere:
            sessao.TeclaPressionada(QChar(ev.codigo));
            break;
        case Evento::Abaixar:
            sessao.TeclaAbaixada(ev.codigo);
            break;
        case Evento::Liberar:
            sessao.TeclaLiberada(ev.codigo);
            break;
        }
    }
    if (sessao.SessoesEncerradas() == 0 && relogio.Sessao().Ligado())
        relogio.AvancarAte(relogio.Sessao().Prazo());

    if (sessao.SessoesEncerradas() == 0) {
        const TSessao::Estado estado = sessao.EstadoAtual();
        err << "replay: the script ended without a session end ("
            << (estado == TSessao::Estado::Pausada ? "paused after a fall"
                                                   : "the recording never started")
            << "); nothing was written\n";
        sessao.Fechar();
        return 1;
    }
    const TResultadoGravacao &r = sessao.UltimaGravacao();
    if (!r.Ok()) {
        err << "replay: the record file could not be written: " << r.erro << "\n";
        if (!r.recuperacao.isEmpty())
            err << "replay: the rows were kept in " << r.recuperacao.join(QStringLiteral(", "))
                << "\n";
        if (!r.erroRecuperacao.isEmpty())
            err << "replay: no recovery file could be written either: " << r.erroRecuperacao
                << "\n";
        return 1;
    }
    for (const QString &p : r.gravados)
        out << p << "\n";
    return 0;
}
