#include "BibliotecaLabirintos.h"

#include "Arquivos.h"
#include "TDocumentoIni.h"
#include "TErro.h"

#include <QDir>
#include <QFileInfo>

#include <limits>

namespace BibliotecaLabirintos {

namespace {

const QString kIndice = QStringLiteral("LABIRINTOS");
const QString kLista = QStringLiteral("Labirintos");
const QString kQde = QStringLiteral("Qde");
const int kMaximoLista = 2047; // longest value a settings file gives back whole

QStringList dividir(const QString &lista) {
    QStringList nomes;
    for (const QString &n : lista.split(QLatin1Char('/'))) {
        if (!n.isEmpty()) nomes.append(n);
    }
    return nomes;
}

QStringList todosOsNomes(const TDocumentoIni &ini) {
    return dividir(ini.ReadString(kIndice, kLista, QString()));
}

bool existe(const TDocumentoIni &ini, const QString &nome) {
    return ini.SectionExists(nome) || todosOsNomes(ini).contains(nome, Qt::CaseInsensitive);
}

} // namespace

QString NomeArena(int colunas, int linhas) {
    return QStringLiteral("ARENA (%1x%2)").arg(colunas).arg(linhas);
}

QStringList TodosOsNomes(const QString &arquivoLabirintos) {
    return todosOsNomes(TDocumentoIni(arquivoLabirintos));
}

QStringList ListarLabirintos(const QString &arquivoLabirintos) {
    const TDocumentoIni ini(arquivoLabirintos);
    const int qde = ini.ReadInteger(kIndice, kQde, 1);
    QStringList nomes = dividir(ini.ReadString(kIndice, kLista, QString()));
    if (qde <= 0) return QStringList();
    if (qde < nomes.size()) nomes.erase(nomes.begin() + qde, nomes.end());
    return nomes;
}

bool Existe(const QString &arquivoLabirintos, const QString &nome) {
    return existe(TDocumentoIni(arquivoLabirintos), nome);
}

TResultadoArena CriarArena(const QString &arquivoLabirintos, int colunas, int linhas,
                           QString *nome) {
    const QString n = NomeArena(colunas, linhas);
    if (nome) *nome = n;
    if (colunas < 1 || colunas > MaximoArena || linhas < 1 || linhas > MaximoArena)
        return TResultadoArena::TamanhoInvalido;
    TDocumentoIni ini(arquivoLabirintos);
    if (existe(ini, n)) return TResultadoArena::JaExiste;

    // A library that cannot be written is refused before anything else, even
    // when its list is full.
    const QFileInfo info(arquivoLabirintos);
    if (Arquivos::somenteLeitura(arquivoLabirintos) || !info.absoluteDir().exists() ||
        (info.exists() && !info.isFile()))
        throw TErro(QStringLiteral("Unable to write to %1").arg(arquivoLabirintos));

    const QString lista = ini.ReadString(kIndice, kLista, QString());
    const int qde = ini.ReadInteger(kIndice, kQde, 1);
    // Values are read back cut at their first 2047 characters: a longer
    // list would lose its last names at the next addition.
    if (lista.size() + n.size() + 1 > kMaximoLista) return TResultadoArena::ListaCheia;

    ini.WriteInteger(n, QStringLiteral("QuadradosEmX"), colunas);
    ini.WriteInteger(n, QStringLiteral("QuadradosEmY"), linhas);
    ini.WriteInteger(n, QStringLiteral("BracoQuadrante1"), 1);
    ini.WriteInteger(n, QStringLiteral("BracoQuadrante2"), 0);
    ini.WriteInteger(n, QStringLiteral("BracoQuadrante3"), 1);
    ini.WriteInteger(n, QStringLiteral("BracoQuadrante4"), 0);
    ini.WriteInteger(n, QStringLiteral("ComprimentoDoBraco"), colunas / 2);
    ini.WriteInteger(n, QStringLiteral("TemQuadradoCentral"), colunas % 2 == 1 ? 1 : 0);
    ini.WriteInteger(n, QStringLiteral("TemCentro"), 0);
    ini.WriteInteger(n, QStringLiteral("Desloca"), linhas);

    ini.WriteString(kIndice, kLista, lista + n + QLatin1Char('/'));
    ini.WriteInteger(kIndice, kQde, qde < std::numeric_limits<int>::max() ? qde + 1 : qde);
    // The section and the list reach the file in one write: never half a
    // section (which would block a second attempt as "existing").
    ini.Gravar();
    return TResultadoArena::Criada;
}

} // namespace BibliotecaLabirintos
