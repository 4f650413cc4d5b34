#include "TGerenciadorArquivos.h"

#include "core/Arquivos.h"
#include "core/TArquivoIni.h"
#include "core/TErro.h"
#include "core/TGravacao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// One copy, saved as every file is (whole or not at all), never over a file
// that exists unless `substituir` says Yes. A read-only record stays
// read-only in its copy. Empty on success, else the reason.
QString copiar(const QString &origem, const QString &destino,
               const std::function<bool()> &substituir) {
    QByteArray bytes;
    try {
        bytes = Arquivos::lerOuFalhar(origem);
    } catch (const TErro &e) {
        return e.mensagem();
    }
    const bool somenteLeitura = Arquivos::somenteLeitura(origem);
    TResultado r = TGravacao::Gravar(destino, bytes, TGravacao::CriarSomente, somenteLeitura);
    if (r.causa() == TResultado::Existente) {
        if (!substituir()) return QString();
        r = TGravacao::Gravar(destino, bytes, TGravacao::SubstituirSomenteLeitura, somenteLeitura);
    }
    return r ? QString() : r.Motivo();
}

} // namespace

TGerenciadorArquivos::TGerenciadorArquivos(const QString &pastaUsuario,
                                           const QStringList &experimentos)
    : m_pasta(QDir::cleanPath(QDir(pastaUsuario).absolutePath())), m_experimentos(experimentos) {}

QStringList TGerenciadorArquivos::ExperimentosDoPerfil(const QString &arquivoPerfil) {
    const TArquivoIni perfil(arquivoPerfil);
    const QString secao = QStringLiteral("Experimentos");
    QStringList nomes;
    const int n = perfil.ReadInteger(secao, QStringLiteral("QdeExp"), 0);
    for (int k = 1; k <= n; ++k) {
        const QString nome = perfil.ReadString(secao, QString::number(k), QString());
        if (!nome.isEmpty()) nomes << nome;
    }
    return nomes;
}

QString TGerenciadorArquivos::PastaDatada(const QDate &data) {
    return QStringLiteral("TVLfiles") + data.toString(QStringLiteral("ddMMyyyy"));
}

QString TGerenciadorArquivos::RaizCopia(const QString &destino, const QDate &data) {
    return Arquivos::juntar(destino, PastaDatada(data));
}

QString TGerenciadorArquivos::Relativo(const QString &caminho) const {
    const QString c = QDir::cleanPath(QDir(caminho).absolutePath());
    if (c == m_pasta) return QStringLiteral("");
    if (!c.startsWith(m_pasta + QLatin1Char('/'))) return QString();
    return c.mid(m_pasta.size() + 1);
}

void TGerenciadorArquivos::Escolher(Opcao opcao) {
    m_opcao = opcao;
    if (opcao == OpcaoCopiar || opcao == OpcaoExcluirArquivo || opcao == OpcaoExcluirPasta)
        m_exclusao.clear();
    if (opcao == OpcaoRenomear) m_escolhido.clear();
}

TGerenciadorArquivos::Tomada TGerenciadorArquivos::Tomar(const QString &caminho) {
    const QString r = Relativo(caminho);
    if (r.isNull()) return Ignorado;
    const QFileInfo info(caminho);
    const bool pasta = info.isDir();
    switch (m_opcao) {
    case OpcaoNenhuma:
        return Ignorado;
    case OpcaoCopiar:
        if (m_copia.contains(r)) return JaListado;
        if (pasta || !info.exists()) return Ignorado;
        m_copia << r;
        return Listado;
    case OpcaoExcluirArquivo:
    case OpcaoExcluirPasta:
        if (m_exclusao.contains(r)) return JaListado;
        if (m_opcao == OpcaoExcluirPasta) {
            if (!pasta) return Ignorado;
            if (r.isEmpty()) return PastaUsuario;
            if (m_experimentos.contains(r)) return PastaExperimento;
        } else if (pasta || !info.exists()) {
            return Ignorado;
        }
        m_exclusao << r;
        return Listado;
    case OpcaoRenomear:
        if (pasta || !info.exists()) return Ignorado;
        m_escolhido = r;
        return Escolhido;
    }
    return Ignorado;
}

QStringList TGerenciadorArquivos::Excluir() {
    QStringList falhas;
    for (const QString &r : std::as_const(m_exclusao)) {
        // Checked again at the moment of deleting: the list may be old.
        if (r.isEmpty() || m_experimentos.contains(r)) {
            falhas << r + QStringLiteral(": refused");
            continue;
        }
        const QString caminho = m_pasta + QLatin1Char('/') + r;
        const QFileInfo info(caminho);
        if (!info.exists() && !info.isSymLink()) {
            falhas << r + QStringLiteral(": it no longer exists");
        } else if (info.isDir() && !info.isSymLink()) {
            if (!QDir(caminho).removeRecursively())
                falhas << r + QStringLiteral(": some of its content could not be deleted");
        } else {
            QFile f(caminho);
            if (!f.remove()) falhas << r + QStringLiteral(": ") + f.errorString();
        }
    }
    m_exclusao.clear();
    m_opcao = OpcaoNenhuma;
    return falhas;
}

QString TGerenciadorArquivos::NomeProposto() const {
    const QString nome = m_escolhido.mid(m_escolhido.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype ponto = nome.lastIndexOf(QLatin1Char('.'));
    return ponto > 0 ? nome.left(ponto) : nome;
}

TGerenciadorArquivos::ResultadoRenomear TGerenciadorArquivos::Renomear(const QString &novoNome,
                                                                       QString *erro) {
    if (m_escolhido.isEmpty() || novoNome.isEmpty()) return NadaARenomear;
    if (novoNome.contains(QLatin1Char('/')) || novoNome.contains(QChar(0)) ||
        novoNome.trimmed() != novoNome || novoNome == QLatin1String(".") ||
        novoNome == QLatin1String(".."))
        return NomeInvalido;
    const QString antigo = m_pasta + QLatin1Char('/') + m_escolhido;
    const QString novo = QFileInfo(antigo).absolutePath() + QLatin1Char('/') + NomeNovo(novoNome);
    QString motivo;
    bool existia = false;
    if (!Arquivos::renomearSemSubstituir(antigo, novo, &motivo, &existia)) {
        if (erro) *erro = motivo;
        return existia ? Existe : FalhaRenomear;
    }
    m_escolhido.clear();
    m_opcao = OpcaoNenhuma;
    return Renomeado;
}

QStringList TGerenciadorArquivos::Copiar(const QString &destino, const QDate &data,
                                         const std::function<bool(const QString &)> &substituir) {
    QStringList falhas;
    const QString raiz = RaizCopia(destino, data);
    if (destino.isEmpty() || !QFileInfo(destino).isDir())
        return {destino + QStringLiteral(": the destination folder does not exist")};
    if (!QDir().mkpath(raiz)) return {raiz + QStringLiteral(": the folder cannot be created")};
    for (const QString &r : std::as_const(m_copia)) {
        const QString alvo = raiz + QLatin1Char('/') + r;
        const QString pastaAlvo = QFileInfo(alvo).absolutePath();
        if (!QDir().mkpath(pastaAlvo)) {
            falhas << r + QStringLiteral(": the folder %1 cannot be created").arg(pastaAlvo);
            continue;
        }
        const QString motivo =
            copiar(m_pasta + QLatin1Char('/') + r, alvo, [&] { return substituir(r); });
        if (!motivo.isEmpty()) falhas << r + QStringLiteral(": ") + motivo;
    }
    m_opcao = OpcaoNenhuma;
    return falhas;
}
