#include "ComandoRecuperar.h"

#include "core/Perfil.h"
#include "core/TUsuario.h"
#include "recording/TArquivoRegistro.h"
#include "recording/TRecuperacao.h"
#include "recording/TTravaIdentificacao.h"

#include <QDir>
#include <QFileInfo>

const char *const UsoComandoRecuperar = "recover --data DIR --user USER --experiment EXP [--list]";

namespace {

void uso(QTextStream &err) {
    err << "usage: trevalin-cli " << UsoComandoRecuperar << "\n";
}

} // namespace

int ComandoRecuperar(const QStringList &args, QTextStream &out, QTextStream &err) {
    QString dados, usuario, experimento;
    bool listar = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        QString *destino = nullptr;
        if (a == QLatin1String("--data"))
            destino = &dados;
        else if (a == QLatin1String("--user"))
            destino = &usuario;
        else if (a == QLatin1String("--experiment"))
            destino = &experimento;
        else if (a == QLatin1String("--list")) {
            listar = true;
            continue;
        }
        if (!destino) {
            err << "recover: unexpected argument \"" << a << "\"\n";
            uso(err);
            return 1;
        }
        if (i + 1 >= args.size()) {
            err << "recover: " << a << " needs a value\n";
            uso(err);
            return 1;
        }
        *destino = args[++i];
    }
    if (dados.isEmpty() || usuario.isEmpty() || experimento.isEmpty()) {
        err << "recover: --data, --user and --experiment are all required\n";
        uso(err);
        return 1;
    }
    if (const QString p = Perfil::ProblemaNomeUsuario(usuario); !p.isEmpty()) {
        err << "recover: user \"" << usuario << "\" is refused: " << p << "\n";
        return 1;
    }
    if (const QString p = Perfil::ProblemaNomeExperimento(experimento); !p.isEmpty()) {
        err << "recover: experiment \"" << experimento << "\" is refused: " << p << "\n";
        return 1;
    }
    if (!dados.endsWith(QLatin1Char('/'))) dados += QLatin1Char('/');
    const QString pasta = TUsuario::PastaDoUsuario(dados, usuario) + experimento + QLatin1Char('/');
    if (!QFileInfo(pasta).isDir()) {
        err << "recover: experiment folder " << pasta << " does not exist\n";
        return 1;
    }

    if (!listar)
        for (const QString &p : TRecuperacao::ConcluirPendentesDaPasta(pasta))
            out << p << "\n";

    int codigo = 0;
    for (const QString &caminho : TRecuperacao::Diarios(pasta)) {
        TRecuperacao r(dados, caminho);
        switch (r.Ler()) {
        case TRecuperacao::EmUso:
            if (listar)
                out << caminho << "\tin use\n";
            else
                err << "recover: " << caminho << " belongs to a running session; left alone\n";
            continue;
        case TRecuperacao::Danificado:
            err << "recover: " << r.Problema() << "; the journal is kept\n";
            codigo = 1;
            continue;
        default:
            break;
        }
        if (listar) {
            out << r.Descrever(QStringLiteral("%1\t%3\t%4\t%5 %6")).prepend(caminho + "\t") << "\n";
            continue;
        }
        const TResultadoGravacao g = r.Salvar();
        for (const QString &p : g.gravados)
            out << p << "\n";
        if (!g.Ok()) {
            err << "recover: " << caminho << " could not be saved: " << g.erro
                << "; the journal is kept\n";
            codigo = 1;
        }
    }
    return codigo;
}
