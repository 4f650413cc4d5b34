#include "TEscolhaIdioma.h"

#include "core/Arquivos.h"
#include "core/TArquivoIni.h"
#include "core/TDocumentoIni.h"
#include "core/TErro.h"
#include "core/TInteracao.h"

#include <QDir>
#include <QFileInfo>

const QString TEscolhaIdioma::Secao = QStringLiteral("idioma");
const QString TEscolhaIdioma::ChaveLingua = QStringLiteral("lingua");
const QString TEscolhaIdioma::ChaveConfigurado = QStringLiteral("configurado");
const QString TEscolhaIdioma::Relativo = QStringLiteral("idiomas/idioma.ini");

namespace {

struct Idioma {
    const char *arquivo;
    const char16_t *nome;
};

const Idioma kIdiomas[TEscolhaIdioma::QdeIdiomas] = {
    {"idiomas/portugues.ini", u"Português"}, {"idiomas/ingles.ini", u"English"},
    {"idiomas/frances.ini", u"Français"},    {"idiomas/alemao.ini", u"Deutsch"},
    {"idiomas/italiano.ini", u"Italiano"},   {"idiomas/espanhol.ini", u"Español"},
};

bool valido(int lingua) {
    return lingua >= 0 && lingua < TEscolhaIdioma::QdeIdiomas;
}

} // namespace

TEscolhaIdioma::TEscolhaIdioma(const QString &diretorio) : m_diretorio(diretorio) {}

QString TEscolhaIdioma::FileName() const {
    // The data directory is a prefix, used verbatim.
    return m_diretorio + Relativo;
}

int TEscolhaIdioma::Lingua(int padrao) const {
    return TArquivoIni(FileName()).ReadInteger(Secao, ChaveLingua, padrao);
}

bool TEscolhaIdioma::Confirmado() const {
    return TArquivoIni(FileName()).ReadInteger(Secao, ChaveConfigurado, 0) != 0;
}

QString TEscolhaIdioma::ArquivoIdioma() const {
    const int lingua = Lingua(-1);
    return valido(lingua) ? m_diretorio + ArquivoRelativo(lingua) : QString();
}

bool TEscolhaIdioma::Confirmar(int lingua, TInteracao *interacao) {
    if (!valido(lingua)) return false;
    return gravar(lingua, true, interacao);
}

bool TEscolhaIdioma::PedirNovaEscolha(TInteracao *interacao) {
    return gravar(-1, false, interacao);
}

bool TEscolhaIdioma::gravar(int lingua, bool confirmar, TInteracao *interacao) {
    const QString arquivo = FileName();
    try {
        // A data directory without its "idiomas" folder (a new one, or one
        // whose language files were removed) must still keep the choice.
        const QString pasta = QFileInfo(arquivo).absolutePath();
        if (!QDir().mkpath(pasta))
            throw TErro(QStringLiteral("Unable to write to %1").arg(arquivo));
        // Both keys reach the file in one write.
        TDocumentoIni ini(arquivo);
        if (confirmar) ini.WriteInteger(Secao, ChaveLingua, lingua);
        ini.WriteInteger(Secao, ChaveConfigurado, confirmar ? 1 : 0);
        ini.Gravar();
    } catch (const TErro &e) {
        if (interacao) interacao->Mensagem(e.mensagem());
        return false;
    }
    return true;
}

QString TEscolhaIdioma::ArquivoRelativo(int lingua) {
    return valido(lingua) ? QString::fromLatin1(kIdiomas[lingua].arquivo) : QString();
}

QString TEscolhaIdioma::NomeIdioma(int lingua) {
    return valido(lingua) ? QString::fromUtf16(kIdiomas[lingua].nome) : QString();
}
