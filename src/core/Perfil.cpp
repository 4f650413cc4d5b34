#include "Perfil.h"

#include "Arquivos.h"
#include "TDocumentoIni.h"
#include "TErro.h"
#include "TExperimento.h"
#include "TUsuario.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <algorithm>
#include <limits>

namespace {

const QString kExperimentos = QStringLiteral("Experimentos");
const QString kQdeExp = QStringLiteral("QdeExp");
const int kMaximoBytesPasta = 255;

QString falhaDeEscrita(const QString &arquivo) {
    return QStringLiteral("Unable to write to %1").arg(arquivo);
}

bool secaoReservada(const QString &nome) {
    if (QString::compare(nome, kExperimentos, Qt::CaseInsensitive) == 0) return true;
    for (int n = 1; n <= 4; ++n)
        if (QString::compare(nome, QStringLiteral("Comp%1").arg(n), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The profile as one document for a writer: read once, changed in memory and
// written back by one Gravar, which replaces the file in one step. So every
// key of a writer reaches the file together or none does, and a failure
// leaves the profile as it was. A profile that exists but cannot be read is
// refused before anything is changed.
TDocumentoIni abrirPerfil(const QString &arquivo) {
    TDocumentoIni ini(arquivo);
    if (ini.Ilegivel()) throw TErro(QStringLiteral("Unable to read %1").arg(arquivo));
    return ini;
}

void criarPasta(const QString &caminho) {
    if (QFileInfo(caminho).isDir()) return;
    if (!QDir().mkpath(caminho))
        throw TErro(QStringLiteral("Cannot create folder %1").arg(caminho));
}

// Numbered entries of the experiment list that exist in the file, by number,
// limited to 1..QdeExp. Keys are taken only in their plain decimal spelling,
// the one the writers use.
QMap<qint64, QString> entradas(const TDocumentoIni &ini, qint64 qde) {
    QMap<qint64, QString> lista;
    const QStringList chaves = ini.ReadSection(kExperimentos);
    for (const QString &chave : chaves) {
        bool ok = false;
        const qint64 k = chave.trimmed().toLongLong(&ok);
        if (!ok || k < 1 || k > qde || QString::number(k) != chave.trimmed()) continue;
        lista.insert(k, ini.ReadString(kExperimentos, chave, QString()));
    }
    return lista;
}

} // namespace

namespace Perfil {

QString ProblemaNomeUsuario(const QString &nome) {
    if (nome.isEmpty()) return QStringLiteral("The user name is empty.");
    // A line break would also put an extra line into every record header.
    if (nome.contains(QLatin1Char('/')) || nome.contains(QChar(0)) ||
        nome.contains(QLatin1Char('\r')) || nome.contains(QLatin1Char('\n')))
        return QStringLiteral("The user name must not contain \"/\" or a line break.");
    if (nome == QLatin1String(".") || nome == QLatin1String(".."))
        return QStringLiteral("\"%1\" cannot be a user name.").arg(nome);
    return QString();
}

QString ProblemaNomeExperimento(const QString &nome) {
    if (nome.isEmpty()) return QStringLiteral("The experiment name is empty.");
    for (const QChar c : nome)
        if (c == QLatin1Char('/') || c == QLatin1Char('[') || c == QLatin1Char(']') ||
            c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0))
            return QStringLiteral(
                "The experiment name must not contain \"/\", \"[\", \"]\" or a line break.");
    if (nome.front().isSpace() || nome.back().isSpace())
        return QStringLiteral("The experiment name must not begin or end with a blank.");
    if (nome == QLatin1String(".") || nome == QLatin1String(".."))
        return QStringLiteral("\"%1\" cannot be an experiment name.").arg(nome);
    if (secaoReservada(nome))
        return QStringLiteral("\"%1\" is reserved in the profile file and cannot be an experiment "
                              "name.")
            .arg(nome);
    // The name is a folder name: file systems hold at most 255 bytes.
    if (QFile::encodeName(nome).size() > kMaximoBytesPasta)
        return QStringLiteral("The experiment name is too long for a folder name.");
    return QString();
}

void CriarUsuario(const QString &diretorioDados, const QString &nome) {
    const QString problema = ProblemaNomeUsuario(nome);
    if (!problema.isEmpty()) throw TErro(problema);
    criarPasta(TUsuario::PastaUsuarios(diretorioDados));
    const QString arquivo = TUsuario::ArquivoDoUsuario(diretorioDados, nome);
    if (QFileInfo::exists(arquivo))
        throw TErro(QStringLiteral("The user %1 already exists.").arg(nome));
    criarPasta(TUsuario::PastaDoUsuario(diretorioDados, nome));
    QString motivo;
    if (!Arquivos::gravarAtomico(arquivo, QByteArrayLiteral("[Experimentos]\r\nQdeExp=0"), &motivo))
        throw TErro(QStringLiteral("Cannot create file %1 (%2)").arg(arquivo, motivo));
}

void CriarExperimento(const QString &arquivo, const QString &pastaUsuario, const QString &nome) {
    const QString problema = ProblemaNomeExperimento(nome);
    if (!problema.isEmpty()) throw TErro(problema);
    TDocumentoIni ini = abrirPerfil(arquivo);
    const int qde = ini.ReadInteger(kExperimentos, kQdeExp, 0);
    if (qde == std::numeric_limits<int>::max())
        throw TErro(QStringLiteral("The experiment list of %1 is full.").arg(arquivo));
    for (const QString &existente : entradas(ini, qde))
        if (QString::compare(existente, nome, Qt::CaseInsensitive) == 0)
            throw TErro(QStringLiteral("An experiment named %1 already exists.").arg(nome));
    // A profile that cannot take the experiment gets no folder for it either.
    if (Arquivos::somenteLeitura(arquivo)) throw TErro(falhaDeEscrita(arquivo));
    const QString pasta = pastaUsuario + nome;
    const bool pastaNova = !QFileInfo(pasta).isDir();
    criarPasta(pasta);
    // Without its entry in the profile a folder made here would be an
    // experiment nobody can see: it goes again when the profile is refused.
    auto desfazer = qScopeGuard([&] {
        if (pastaNova) QDir().rmdir(pasta);
    });

    const int n = std::max(0, qde);
    ini.WriteString(kExperimentos, QString::number(n + 1), nome);
    ini.WriteInteger(kExperimentos, kQdeExp, n + 1);
    // A section of that name belongs to no listed experiment (the name is
    // new): whatever it still holds must not reach the new one.
    ini.EraseSection(nome);
    ini.WriteInteger(nome, QStringLiteral("Configurado"), 0);
    ini.WriteInteger(nome, QStringLiteral("Braco"), 0);
    ini.WriteInteger(nome, QStringLiteral("QdeInicios"), 0);
    ini.WriteInteger(nome, QStringLiteral("InicioX1"), 0);
    ini.WriteInteger(nome, QStringLiteral("InicioY1"), 0);
    ini.WriteInteger(nome, QStringLiteral("InicioX2"), 0);
    ini.WriteInteger(nome, QStringLiteral("InicioY2"), 0);
    ini.WriteString(nome, QStringLiteral("Labirinto"), QString());
    ini.WriteString(nome, QStringLiteral("CompTipo"), QString());
    ini.WriteInteger(nome, QStringLiteral("TempoSecao"), 0);
    ini.WriteInteger(nome, QStringLiteral("Distancia"), 0);
    ini.Gravar();
    desfazer.dismiss();
}

void SalvarConfiguracoes(const QString &arquivo, const TExperimento &e) {
    const QString problema = ProblemaNomeExperimento(e.Nome);
    if (!problema.isEmpty()) throw TErro(problema);
    TDocumentoIni ini = abrirPerfil(arquivo);
    ini.WriteBool(e.Nome, QStringLiteral("Configurado"), true);
    ini.WriteString(e.Nome, QStringLiteral("Labirinto"), e.Labirinto);
    ini.WriteInteger(e.Nome, QStringLiteral("Distancia"), e.Distancia);
    ini.WriteInteger(e.Nome, QStringLiteral("QdeInicios"), e.QdeInicios);
    ini.WriteInteger(e.Nome, QStringLiteral("DivisoesDaSecao"), e.DivisoesDaSecao);
    ini.WriteInteger(e.Nome, QStringLiteral("TempoSecao"), e.TempoSecao);
    ini.Gravar();
}

void SalvarComportamentos(const QString &arquivo, const QString &experimento,
                          const QString &compTipo, const QMap<int, QString> &comportamentos) {
    const QString problema = ProblemaNomeExperimento(experimento);
    if (!problema.isEmpty()) throw TErro(problema);
    // The list's section is erased and rewritten: it must be one of the four
    // lists, never another section of the profile.
    const bool lista = compTipo.size() == 5 &&
                       compTipo.startsWith(QLatin1String("Comp"), Qt::CaseInsensitive) &&
                       compTipo[4] >= QLatin1Char('1') && compTipo[4] <= QLatin1Char('4');
    if (!lista) throw TErro(QStringLiteral("\"%1\" is not a behaviour list.").arg(compTipo));
    for (auto it = comportamentos.cbegin(); it != comportamentos.cend(); ++it)
        if (it.key() < 1 || it.key() > 26)
            throw TErro(QStringLiteral("There is no letter number %1.").arg(it.key()));

    TDocumentoIni ini = abrirPerfil(arquivo);
    ini.WriteString(experimento, QStringLiteral("CompTipo"), compTipo);
    ini.EraseSection(compTipo);
    for (auto it = comportamentos.cbegin(); it != comportamentos.cend(); ++it)
        ini.WriteString(compTipo, QString::number(it.key()), it.value());
    ini.Gravar();
}

void SalvarInicios(const QString &arquivo, const TExperimento &e) {
    const QString problema = ProblemaNomeExperimento(e.Nome);
    if (!problema.isEmpty()) throw TErro(problema);
    if (e.ComecoQueda < 1 || e.ComecoQueda > 3)
        throw TErro(QStringLiteral("Where to restart after a fall was not chosen."));
    TDocumentoIni ini = abrirPerfil(arquivo);
    ini.WriteInteger(e.Nome, QStringLiteral("InicioX1"), e.InicioX1);
    ini.WriteInteger(e.Nome, QStringLiteral("InicioY1"), e.InicioY1);
    ini.WriteInteger(e.Nome, QStringLiteral("InicioX2"), e.InicioX2);
    ini.WriteInteger(e.Nome, QStringLiteral("InicioY2"), e.InicioY2);
    ini.WriteInteger(e.Nome, QStringLiteral("ComecoQueda"), e.ComecoQueda);
    ini.Gravar();
}

bool ExcluirExperimento(const QString &arquivo, const QString &nome) {
    // A profile that cannot be read lists nothing: the name is not found.
    TDocumentoIni ini(arquivo);
    const int qde = ini.ReadInteger(kExperimentos, kQdeExp, 1);
    const QMap<qint64, QString> lista = entradas(ini, qde);
    // Position: the last entry holding the name. Without one nothing is
    // written: moving entries down from a position that does not exist would
    // drop another experiment from the list.
    qint64 posicao = 0;
    for (auto it = lista.cbegin(); it != lista.cend(); ++it)
        if (it.value() == nome) posicao = it.key();
    if (posicao == 0) return false;

    const qint64 m = static_cast<qint64>(qde) - 1;
    ini.WriteInteger(kExperimentos, kQdeExp, static_cast<int>(m));
    // Key k takes the value of key k + 1 (empty when missing). Only the keys
    // that exist on either side need a write; the list may claim more
    // entries than the file holds.
    QList<qint64> alvos;
    for (auto it = lista.cbegin(); it != lista.cend(); ++it) {
        if (it.key() - 1 >= posicao) alvos.append(it.key() - 1);
        if (it.key() >= posicao && it.key() <= m) alvos.append(it.key());
    }
    std::sort(alvos.begin(), alvos.end());
    alvos.erase(std::unique(alvos.begin(), alvos.end()), alvos.end());
    for (const qint64 k : alvos)
        ini.WriteString(kExperimentos, QString::number(k), lista.value(k + 1));
    ini.DeleteKey(kExperimentos, QString::number(m + 1));
    if (!secaoReservada(nome)) ini.EraseSection(nome);
    ini.Gravar();
    return true;
}

} // namespace Perfil
