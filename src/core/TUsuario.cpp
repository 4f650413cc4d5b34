#include "TUsuario.h"

#include "Ordem.h"
#include "Perfil.h"
#include "TArquivoIni.h"

#include <QDir>

#include <algorithm>
#include <iterator>

namespace {

// Language files in the order of the language choice.
const char *const kIdiomas[] = {
    "idiomas/portugues.ini", "idiomas/ingles.ini",   "idiomas/frances.ini",
    "idiomas/alemao.ini",    "idiomas/italiano.ini", "idiomas/espanhol.ini",
};

} // namespace

TUsuario::TUsuario(const QString &diretorioDados) : m_diretorioDados(diretorioDados) {}

QString TUsuario::PastaUsuarios(const QString &diretorioDados) {
    return diretorioDados + QStringLiteral("usuarios/");
}

QString TUsuario::ArquivoDoUsuario(const QString &diretorioDados, const QString &nome) {
    return PastaUsuarios(diretorioDados) + nome + QStringLiteral(".ini");
}

QString TUsuario::PastaDoUsuario(const QString &diretorioDados, const QString &nome) {
    return PastaUsuarios(diretorioDados) + nome + QLatin1Char('/');
}

void TUsuario::Carregar(const QString &nome) {
    Nome = nome;
    Pasta = PastaDoUsuario(m_diretorioDados, nome);
    ArquivoLabirintos = m_diretorioDados + QStringLiteral("Labirintos.ini");
    Arquivo = ArquivoDoUsuario(m_diretorioDados, nome);

    const TArquivoIni escolha(m_diretorioDados + QStringLiteral("idiomas/idioma.ini"));
    const int lingua = escolha.ReadInteger(QStringLiteral("idioma"), QStringLiteral("lingua"), -1);
    if (lingua >= 0 && lingua < static_cast<int>(std::size(kIdiomas)))
        ArquivoIdioma = m_diretorioDados + QLatin1String(kIdiomas[lingua]);
}

QStringList TUsuario::ListarUsuarios(const QString &diretorioDados) {
    QStringList nomes;
    const QFileInfoList arquivos = QDir(PastaUsuarios(diretorioDados)).entryInfoList(QDir::Files);
    for (const QFileInfo &arquivo : arquivos) {
        const QString nome = arquivo.fileName();
        // A file named ".ini" would be a user without a name, and a name the
        // user rules refuse (a file made by hand) no user either.
        if (nome.size() > 4 && nome.endsWith(QLatin1String(".ini"), Qt::CaseInsensitive) &&
            Perfil::ProblemaNomeUsuario(nome.chopped(4)).isEmpty())
            nomes.append(nome.chopped(4));
    }
    OrdenarNomes(nomes);
    return nomes;
}
