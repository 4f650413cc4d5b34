#include "ComandoAnalise.h"

#include "TAnalise.h"
#include "TDados.h"
#include "core/Perfil.h"
#include "core/TDocumentoIni.h"
#include "core/TInteracao.h"
#include "core/TUsuario.h"
#include "data/TPlanilhaXLS.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QSet>

const char *const UsoComandoAnalise =
    "analyse --data DIR --user USER --experiment EXP --kind KIND --out FILE [--force] "
    "--group NAME=FILE[,FILE...] [--group ...]\n"
    "      KIND: compacta, compacta-braco, quadrado, compacta-minuto, "
    "compacta-braco-minuto, quadrado-minuto";

namespace {

const int kUso = 1; // the same status as every other refusal, as in the other commands
const int kFalha = 1;

// No one to ask: messages are kept for the report, questions answered No.
class InteracaoSilenciosa : public TInteracao {
public:
    QStringList mensagens;
    void Mensagem(const QString &texto) override { mensagens << texto; }
    bool Confirmar(const QString &) override { return false; }
    void Bipe() override {}
};

struct Opcoes {
    QString dados, usuario, experimento, tipo, saida;
    bool forcar = false;
    QList<QPair<QString, QString>> grupos; // name, files as given
};

// Reads the options; an empty result is success, otherwise what is wrong.
QString lerOpcoes(const QStringList &args, Opcoes *o) {
    const QMap<QString, QString *> valores = {
        {QStringLiteral("--data"), &o->dados},
        {QStringLiteral("--user"), &o->usuario},
        {QStringLiteral("--experiment"), &o->experimento},
        {QStringLiteral("--kind"), &o->tipo},
        {QStringLiteral("--out"), &o->saida},
    };
    QSet<QString> vistos;
    for (int i = 0; i < args.size(); ++i) {
        QString nome = args[i], valor;
        bool temValor = false;
        const qsizetype igual = nome.indexOf(QLatin1Char('='));
        if (nome.startsWith(QLatin1String("--")) && igual > 0) {
            valor = nome.mid(igual + 1);
            nome = nome.left(igual);
            temValor = true;
        }
        if (nome == QLatin1String("--force") && !temValor) {
            o->forcar = true;
            continue;
        }
        const bool grupo = nome == QLatin1String("--group");
        if (!grupo && !valores.contains(nome))
            return QStringLiteral("unknown option \"%1\"").arg(args[i]);
        if (!temValor) {
            if (i + 1 >= args.size()) return QStringLiteral("%1 needs a value").arg(nome);
            valor = args[++i];
        }
        if (grupo) {
            const qsizetype sep = valor.indexOf(QLatin1Char('='));
            if (sep < 0)
                return QStringLiteral("--group takes NAME=FILE[,FILE...], not \"%1\"").arg(valor);
            o->grupos.append({valor.left(sep), valor.mid(sep + 1)});
            continue;
        }
        if (vistos.contains(nome)) return QStringLiteral("%1 is given twice").arg(nome);
        vistos.insert(nome);
        *valores.value(nome) = valor;
    }
    for (auto it = valores.cbegin(); it != valores.cend(); ++it)
        if (it.value()->isEmpty()) return QStringLiteral("%1 is required").arg(it.key());
    if (o->grupos.isEmpty()) return QStringLiteral("at least one --group is required");
    return QString();
}

} // namespace

int ComandoAnalise(const QStringList &args, QTextStream &out, QTextStream &err) {
    // The usage line follows only a malformed command line, not a refusal.
    auto falha = [&err](int codigo, const QString &m, bool uso = false) {
        err << "trevalin-cli analyse: " << m << "\n";
        if (uso) err << "usage: trevalin-cli " << UsoComandoAnalise << "\n";
        err.flush();
        return codigo;
    };

    Opcoes o;
    const QString problema = lerOpcoes(args, &o);
    if (!problema.isEmpty()) return falha(kUso, problema, true);
    TAnalise::Tipo tipo;
    if (!TAnalise::TipoDoNome(o.tipo, &tipo))
        return falha(kUso, QStringLiteral("unknown --kind \"%1\"").arg(o.tipo), true);

    // The data directory is a prefix that ends with "/".
    if (!QFileInfo(o.dados).isDir())
        return falha(kFalha, QStringLiteral("the data directory %1 does not exist").arg(o.dados));
    const QString dados = QDir(o.dados).absolutePath() + QLatin1Char('/');
    TUsuario usuario(dados);
    if (!Perfil::ProblemaNomeUsuario(o.usuario).isEmpty() ||
        !QFileInfo::exists(TUsuario::ArquivoDoUsuario(dados, o.usuario)))
        return falha(kFalha, QStringLiteral("there is no user \"%1\" in %2").arg(o.usuario, dados));
    if (const QString p = Perfil::ProblemaNomeExperimento(o.experimento); !p.isEmpty())
        return falha(kFalha, QStringLiteral("the experiment \"%1\" is refused: %2")
                                 .arg(o.experimento, p));
    usuario.Carregar(o.usuario);
    const TDocumentoIni perfil(usuario.Arquivo); // read once for every check below
    if (!perfil.SectionExists(o.experimento))
        return falha(kFalha, QStringLiteral("the user \"%1\" has no experiment \"%2\"")
                                 .arg(o.usuario, o.experimento));
    usuario.Experimento.Carregar(perfil, o.experimento);
    const QString &labirinto = usuario.Experimento.Labirinto;

    // Groups as the window builds them, within the same limits.
    TDados dados_;
    if (o.grupos.size() > TDados::MaxGrupos)
        return falha(kFalha, QStringLiteral("%1 groups given; an analysis takes at most %2")
                                 .arg(o.grupos.size())
                                 .arg(TDados::MaxGrupos));
    for (const auto &[nome, lista] : std::as_const(o.grupos)) {
        if (nome.isEmpty()) return falha(kFalha, QStringLiteral("a group needs a name"));
        const QStringList arquivos = lista.split(QLatin1Char(','));
        for (const QString &a : arquivos)
            if (a.isEmpty() || a.contains(QLatin1Char('/')))
                return falha(kFalha, QStringLiteral("group \"%1\": \"%2\" is not the name of a "
                                                    "file in the experiment's folder")
                                         .arg(nome, lista));
        if (arquivos.size() > TDados::MaxArquivos)
            return falha(kFalha, QStringLiteral("group \"%1\" has %2 files; a group holds at "
                                                "most %3")
                                     .arg(nome)
                                     .arg(arquivos.size())
                                     .arg(TDados::MaxArquivos));
        if (!dados_.InserirGrupo(nome, arquivos))
            return falha(kFalha, QStringLiteral("the group name \"%1\" is given twice").arg(nome));
    }

    if (QFileInfo(o.saida).fileName().isEmpty() || QFileInfo(o.saida).isDir())
        return falha(kFalha, QStringLiteral("--out %1 is a folder, not a file").arg(o.saida));

    TPlanilhaXLS planilha;
    InteracaoSilenciosa interacao;
    TAnalise analise(usuario, dados_, planilha, &interacao);
    const TAnalise::Resultado r =
        analise.Executar(tipo, o.saida, o.forcar ? TAnalise::Substituir : TAnalise::NaoSubstituir);
    const QString final = QFileInfo(analise.ArquivoFinal()).absoluteFilePath();
    switch (r) {
    case TAnalise::Sucesso:
        out << final << "\n";
        out.flush();
        return 0;
    case TAnalise::Indisponivel:
        return falha(kFalha, QStringLiteral("the analysis %1 is not available for the maze \"%2\"")
                                 .arg(o.tipo, labirinto));
    case TAnalise::Existente:
    case TAnalise::Cancelada:
        return falha(
            kFalha,
            QStringLiteral("%1 exists and was left as it is (--force replaces it)").arg(final));
    case TAnalise::Falha:
        break;
    }
    return falha(kFalha, analise.Erro());
}
