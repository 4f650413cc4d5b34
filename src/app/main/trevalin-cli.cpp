// trevalin-cli: the command-line tool. Each command lives in the core; this
// file only picks it by name.
#include "data/ComandoExportar.h"
#include "recording/ComandoRecuperar.h"
#include "recording/ComandoReplay.h"
#include "analysis/ComandoAnalise.h"
#include "app/ComandoProtegido.h"

#include "core/TGravacao.h"

#include <QCoreApplication>
#include <QTextStream>

#include <csignal>

#include <functional>
#include <map>

namespace {

using Comando = std::function<int(const QStringList &, QTextStream &, QTextStream &)>;

struct Entrada {
    Comando executar;
    const char *uso;
};

const std::map<QString, Entrada> &comandos() {
    static const std::map<QString, Entrada> tabela = {
        // {"name", {function, "usage line"}},
        {QStringLiteral("export"), {ComandoExportar, UsoComandoExportar}},
        {QStringLiteral("replay"),
         {ComandoReplay, "replay --data DIR --user USER --experiment EXP --id ID [--journal] "
                         "[--real-time] SCRIPT"}},
        {QStringLiteral("recover"), {ComandoRecuperar, UsoComandoRecuperar}},
        {QStringLiteral("analyse"), {ComandoAnalise, UsoComandoAnalise}},
    };
    return tabela;
}

// For the tests that stop the program in the middle of saving a file:
// TREVALIN_TESTE_MATAR="nomear:<text>" kills the process just before the
// first save whose temporary file's name holds <text> takes its name,
// "pasta:<text>" just after.
void instalarMorteDeTeste() {
    const QString v = qEnvironmentVariable("TREVALIN_TESTE_MATAR");
    if (v.isEmpty()) return;
    const QString etapa = v.section(QLatin1Char(':'), 0, 0);
    const QString texto = v.section(QLatin1Char(':'), 1);
    const TGravacao::Etapa quando =
        etapa == QLatin1String("nomear") ? TGravacao::Nomear : TGravacao::SincronizarPasta;
    TGravacao::Interceptar([quando, texto](TGravacao::Etapa e, const QString &temporario) {
        if (e == quando && temporario.contains(texto)) std::raise(SIGKILL);
        return 0;
    });
}

void uso(QTextStream &s) {
    s << "usage: trevalin-cli <command> [options]\n\ncommands:\n";
    for (const auto &[nome, e] : comandos())
        s << "  " << e.uso << "\n";
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Trevalin"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    instalarMorteDeTeste();
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") ||
        args.first() == QLatin1String("-h")) {
        uso(args.isEmpty() ? err : out);
        return args.isEmpty() ? 1 : 0;
    }
    const auto it = comandos().find(args.first());
    if (it == comandos().end()) {
        err << "trevalin-cli: unknown command \"" << args.first() << "\"\n";
        uso(err);
        return 1;
    }
    // One guard for every command: a failed allocation (or any failure a
    // command lets through) ends in exit 1 with a message, not an abort.
    const QStringList resto = args.mid(1);
    return ExecutarComandoProtegido(
        args.first(), [&]() { return it->second.executar(resto, out, err); }, err);
}
