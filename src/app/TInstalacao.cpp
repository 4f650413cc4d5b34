#include "TInstalacao.h"

#include "core/Arquivos.h"
#include "core/TArquivoIni.h"
#include "core/TGravacao.h"
#include "core/TInteracao.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

const QString TInstalacao::ArquivoInstalacao = QStringLiteral("Instalacao.ini");

namespace {

QString comBarra(const QString &caminho) {
    return caminho.endsWith(QLatin1Char('/')) ? caminho : caminho + QLatin1Char('/');
}

bool existe(const QString &caminho) {
    // A dangling link counts as present too: writing through it would put
    // the file wherever it points.
    const QFileInfo fi(caminho);
    return fi.exists() || fi.isSymLink();
}

} // namespace

QString TInstalacao::LerDiretorio(const QString &pastaTrabalho, const QString &padrao,
                                  bool *configurado) {
    const QString arquivo = Arquivos::juntar(pastaTrabalho, ArquivoInstalacao);
    QString path = TArquivoIni(arquivo).ReadString(QStringLiteral("Diretorio"),
                                                   QStringLiteral("Path"), QString());
    // Installation files written on other systems use "\" between folders.
    path = path.trimmed().replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (configurado) *configurado = !path.isEmpty();
    if (path.isEmpty()) return comBarra(padrao);
    const QString absoluto = QDir(pastaTrabalho).absoluteFilePath(path);
    return comBarra(QDir::cleanPath(absoluto));
}

QString TInstalacao::DiretorioPadrao() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/share");
    return comBarra(base) + QStringLiteral("Trevalin/");
}

QString TInstalacao::PastaDistribuida() {
    return QStringLiteral(":/distribuidos/");
}

QStringList TInstalacao::ArquivosDistribuidos(const QString &origem) {
    QStringList lista;
    const QDir dir(origem);
    if (QFileInfo(dir.filePath(QStringLiteral("Labirintos.ini"))).isFile())
        lista << QStringLiteral("Labirintos.ini");
    const QStringList idiomas = QDir(dir.filePath(QStringLiteral("idiomas")))
                                    .entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
    for (const QString &nome : idiomas)
        lista << QStringLiteral("idiomas/") + nome;
    return lista;
}

bool TInstalacao::CompletarDiretorio(const QString &diretorio, const QString &origem,
                                     QStringList *copiados, QString *erro) {
    bool ok = true;
    auto falha = [&](const QString &motivo) {
        if (ok && erro) *erro = motivo;
        ok = false;
    };
    const QDir dirOrigem(origem);
    for (const QString &relativo : ArquivosDistribuidos(origem)) {
        const QString destino = comBarra(diretorio) + relativo;
        if (existe(destino)) continue;
        const QString pasta = QFileInfo(destino).absolutePath();
        if (!QDir().mkpath(pasta)) {
            falha(QStringLiteral("%1: cannot create folder %2").arg(destino, pasta));
            continue;
        }
        QByteArray conteudo;
        if (!Arquivos::lerTudo(dirOrigem.filePath(relativo), &conteudo)) {
            falha(QStringLiteral("%1: cannot read the shipped file").arg(relativo));
            continue;
        }
        // Only where nothing is: a file the user put there meanwhile stays.
        const TResultado r = TGravacao::Gravar(destino, conteudo, TGravacao::CriarSomente);
        if (!r) {
            falha(r.Mensagem(QStringLiteral("%1: %2")));
            continue;
        }
        if (copiados) copiados->append(relativo);
    }
    return ok;
}

QString TInstalacao::PrepararDiretorio(TInteracao *interacao, const QString &pastaTrabalho,
                                       const QString &padrao, const QString &origem) {
    auto avisar = [interacao](const QString &texto) {
        if (interacao) interacao->Mensagem(texto);
    };
    bool configurado = false;
    const QString diretorio = LerDiretorio(pastaTrabalho, padrao, &configurado);
    // These texts are built in: the language files live in the very
    // directory that could not be prepared.
    if (!QFileInfo(diretorio).isDir()) {
        if (configurado) {
            avisar(QStringLiteral("A pasta de dados indicada em %1 não existe: %2")
                       .arg(ArquivoInstalacao, diretorio));
            return diretorio;
        }
        if (!QDir().mkpath(diretorio)) {
            avisar(QStringLiteral("Não foi possível criar a pasta de dados %1").arg(diretorio));
            return diretorio;
        }
    }
    QString erro;
    if (!CompletarDiretorio(diretorio, origem, nullptr, &erro))
        avisar(QStringLiteral("Não foi possível copiar os arquivos iniciais para a pasta de "
                              "dados %1 (%2)")
                   .arg(diretorio, erro));
    return diretorio;
}

QString TInstalacao::PrepararDiretorio(TInteracao *interacao) {
    return PrepararDiretorio(interacao, QDir::currentPath(), DiretorioPadrao(), PastaDistribuida());
}
