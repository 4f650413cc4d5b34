// trevalin-cli: the command-line tool. Each command lives in the core; this
// file only picks it by name.
#include "data/ComandoExportar.h"
#include "recording/ComandoReplay.h"
#include "analysis/ComandoAnalise.h"
#include "app/ComandoProtegido.h"

#include <QCoreApplication>
#include <QTextStream>

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
         {ComandoReplay,
          "replay --data DIR --user USER --experiment EXP --id ID SCRIPT"}},
        {QStringLiteral("analyse"), {ComandoAnalise, UsoComandoAnalise}},
    };
    return tabela;
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
