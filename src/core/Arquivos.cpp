#include "Arquivos.h"

#include "TErro.h"
#include "TGravacao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace {
// Only the owner/group/others bits: the "user" bits Qt reports are the
// current user's access, which is always granted to root.
const QFile::Permissions kEscrita = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
}

namespace Arquivos {

bool somenteLeitura(const QString &caminho) {
    QFileInfo fi(caminho);
    return fi.exists() && !(fi.permissions() & kEscrita);
}

bool marcarSomenteLeitura(const QString &caminho) {
    QFile f(caminho);
    return f.setPermissions(f.permissions() & ~(kEscrita | QFile::WriteUser));
}

bool desmarcarSomenteLeitura(const QString &caminho) {
    QFile f(caminho);
    return f.setPermissions(f.permissions() | QFile::WriteOwner | QFile::WriteUser);
}

bool gravarAtomico(const QString &caminho, const QByteArray &conteudo, QString *erro) {
    const TResultado r = TGravacao::Gravar(caminho, conteudo, TGravacao::Substituir);
    if (!r && erro) *erro = r.Motivo();
    return r.Ok();
}

bool renomearSemSubstituir(const QString &de, const QString &para, QString *erro, bool *existia) {
    const int e = TGravacao::RenomearSemSubstituir(de, para);
    if (existia) *existia = e == EEXIST;
    if (e && erro)
        *erro = e == EEXIST ? QStringLiteral("a file of that name exists")
                            : QString::fromLocal8Bit(std::strerror(e));
    return e == 0;
}

bool lerTudo(const QString &caminho, QByteArray *conteudo) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    *conteudo = f.readAll();
    return true;
}

QByteArray lerOuFalhar(const QString &caminho) {
    const QString nome = QDir::toNativeSeparators(caminho);
    if (QFileInfo(caminho).isDir())
        throw TErro(QStringLiteral("Cannot open file %1: it is a folder.").arg(nome));
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw TErro(QStringLiteral("Cannot open file %1: %2.").arg(nome, arquivo.errorString()));
    QByteArray bytes = arquivo.readAll();
    if (arquivo.error() != QFileDevice::NoError)
        throw TErro(QStringLiteral("Cannot read file %1: %2.").arg(nome, arquivo.errorString()));
    return bytes;
}

QList<QByteArray> dividirLinhas(const QByteArray &texto) {
    QList<QByteArray> linhas;
    qsizetype inicio = 0;
    const qsizetype n = texto.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = texto[i];
        if (c == '\r' || c == '\n') {
            linhas.append(texto.mid(inicio, i - inicio));
            if (c == '\r' && i + 1 < n && texto[i + 1] == '\n')
                ++i;
            inicio = i + 1;
        }
    }
    if (inicio < n)
        linhas.append(texto.mid(inicio));
    return linhas;
}

QString juntar(const QString &dir, const QString &nome) {
    if (dir.isEmpty())
        return nome;
    if (dir.endsWith(QLatin1Char('/')))
        return dir + nome;
    return dir + QLatin1Char('/') + nome;
}

} // namespace Arquivos
