#include "TArquivoRegistro.h"

#include "core/Arquivos.h"
#include "core/Cp1252.h"
#include "core/TGravacao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace {

const QByteArray kFimLinha = QByteArrayLiteral("\r\n");

QByteArray linhaCp1252(const QString &texto) {
    return Cp1252::codificar(texto) + kFimLinha;
}

// Field i (0-based) of a tab-separated raw line; empty when missing.
QByteArray campo(const QByteArray &linha, int i) {
    qsizetype inicio = 0;
    for (int k = 0; k < i; ++k) {
        const qsizetype tab = linha.indexOf('\t', inicio);
        if (tab < 0) return QByteArray();
        inicio = tab + 1;
    }
    const qsizetype fim = linha.indexOf('\t', inicio);
    return linha.mid(inicio, fim < 0 ? -1 : fim - inicio);
}

bool comecaEmZero(const QByteArray &linha) {
    bool ok = false;
    const qlonglong v = campo(linha, 2).toLongLong(&ok);
    return ok && v == 0;
}

QByteArray juntarLinhas(const QList<QByteArray> &linhas) {
    QByteArray r;
    for (const QByteArray &l : linhas) {
        r += l;
        r += kFimLinha;
    }
    return r;
}

bool existe(const QString &caminho) {
    const QFileInfo fi(caminho);
    return fi.exists() || fi.isSymLink();
}

} // namespace

QStringList TArquivoRegistro::Destinos(const QString &pastaExperimento,
                                       const QString &identificacao, bool doisInicios) {
    const QString base = Arquivos::juntar(pastaExperimento, identificacao);
    if (!doisInicios) return {base + QStringLiteral(".tvl")};
    return {base + QStringLiteral("_T1.tvl"), base + QStringLiteral("_T2.tvl")};
}

const QString TArquivoRegistro::SufixoPendente = QStringLiteral("_T2.pendente");

QStringList TArquivoRegistro::Brutos(const QString &pastaExperimento, const QString &sessao) {
    const QString base = Arquivos::juntar(pastaExperimento, sessao);
    return {base + QStringLiteral("-1.txt"), base + QStringLiteral("-2.txt")};
}

QString TArquivoRegistro::Pendente(const QString &pastaExperimento, const QString &sessao) {
    return Arquivos::juntar(pastaExperimento, sessao + SufixoPendente);
}

QStringList TArquivoRegistro::ConcluirPares(const QString &pastaExperimento,
                                            const QString &identificacao) {
    QStringList concluidos;
    const QDir pasta(pastaExperimento);
    const QStringList pendentes = pasta.entryList(
        {QLatin1Char('*') + SufixoPendente}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &nome : pendentes) {
        const QString sessao = nome.chopped(SufixoPendente.size());
        // An identification holds no "-": the session name's date-time
        // follows the first one.
        const QString id = sessao.section(QLatin1Char('-'), 0, 0);
        if (id.isEmpty() || (!identificacao.isEmpty() && id != identificacao)) continue;
        const QStringList destinos = Destinos(pastaExperimento, id, true);
        const QString pendente = pasta.filePath(nome);
        if (!existe(destinos[0])) {
            // Stopped before "_T1": neither file exists, as it must be.
            QFile::remove(pendente);
            continue;
        }
        if (existe(destinos[1])) continue; // not ours to settle: both are kept
        if (TGravacao::RenomearSemSubstituir(pendente, destinos[1]) != 0) continue;
        TGravacao::SincronizarDiretorio(pastaExperimento);
        concluidos.append(destinos[1]);
        const QStringList brutos = sessao == id
                                       ? QStringList{pasta.filePath(id + QStringLiteral("1.txt")),
                                                     pasta.filePath(id + QStringLiteral("2.txt"))}
                                       : Brutos(pastaExperimento, sessao);
        for (const QString &b : brutos)
            QFile::remove(b);
        QFile::remove(pasta.filePath(sessao + QStringLiteral(".diario")));
    }
    return concluidos;
}

QByteArray TArquivoRegistro::Cabecalho(const TCabecalhoRegistro &c, const QDateTime &momento) {
    // A fixed shape rather than the locale's: readers keep the line as it
    // is, and the same program gives the same header on every machine.
    const QLocale C = QLocale::c();
    QByteArray r;
    r += linhaCp1252(QStringLiteral("Trevalin 2005  |  ") +
                     C.toString(momento, QStringLiteral("dd/MM/yyyy")) + QStringLiteral("  |  ") +
                     C.toString(momento, QStringLiteral("HH:mm:ss")));
    r += kFimLinha;
    r += linhaCp1252(QStringLiteral("Usuario:\t") + c.usuario);
    r += linhaCp1252(QStringLiteral("Experimento:\t") + c.experimento);
    r += linhaCp1252(QStringLiteral("Indivíduo:\t") + c.individuo);
    r += linhaCp1252(QStringLiteral("Labirinto:\t") + c.labirinto);
    r += linhaCp1252(QStringLiteral("Tempo de Sessão:\t") + QString::number(c.tempoSecao) +
                     QStringLiteral(" segundos"));
    r += linhaCp1252(QStringLiteral("Distância:\t") + QString::number(c.distancia) +
                     QStringLiteral(" cm"));
    r += kFimLinha;
    r += linhaCp1252(
        QStringLiteral("Posição\tComportamento\tInício\tFim\tDuração\tMinuto\tFrequência"));
    return r;
}

QList<QList<QByteArray>> TArquivoRegistro::Separar(bool doisInicios,
                                                   const QList<QByteArray> &entradas,
                                                   const QList<QByteArray> &comportamentos) {
    if (!doisInicios) return {entradas + comportamentos};

    QList<QList<QByteArray>> r(2);
    // The session's first entry starts at 0 and opens the free phase; the
    // next one at 0 is the fixed phase's first square. Any later row at 0
    // (a resume right after a phase change made during a fall) stays in the
    // fixed phase: the phases never alternate.
    int zeros = 0;
    for (const QByteArray &l : entradas) {
        if (zeros < 2 && comecaEmZero(l)) ++zeros;
        r[zeros < 2 ? 0 : 1].append(l);
    }
    // The marker row has no square; a behaviour that happens to be named
    // "T2" always has one and stays an ordinary row.
    bool livre = true;
    for (const QByteArray &l : comportamentos) {
        if (campo(l, 0).isEmpty() && campo(l, 1) == "T2") {
            livre = false;
            continue;
        }
        r[livre ? 0 : 1].append(l);
    }
    return r;
}

QList<QByteArray> TArquivoRegistro::Conteudos(const TCabecalhoRegistro &c, bool doisInicios,
                                              const QList<QByteArray> &entradas,
                                              const QList<QByteArray> &comportamentos) {
    QList<QByteArray> r;
    for (const QList<QByteArray> &linhas : Separar(doisInicios, entradas, comportamentos))
        r.append(Cabecalho(c, QDateTime::currentDateTime()) + juntarLinhas(linhas));
    return r;
}

namespace {

// True when every line of the text ends in CR LF and holds no other CR or
// LF: split into lines and joined again with CR LF, it is the same bytes.
bool linhasInteiras(const QByteArray &texto) {
    const char *p = texto.constData();
    const qsizetype n = texto.size();
    if (n > 0 && (n < 2 || p[n - 2] != '\r' || p[n - 1] != '\n')) return false;
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] == '\n') return false; // only the one after a CR
        if (p[i] == '\r') {
            if (i + 1 >= n || p[i + 1] != '\n') return false;
            ++i;
        }
    }
    return true;
}

} // namespace

QList<QByteArray> TArquivoRegistro::ConteudosDosTextos(const TCabecalhoRegistro &c,
                                                       bool doisInicios, const QByteArray &entradas,
                                                       const QByteArray &comportamentos) {
    // One start with plain lines: the rows are the two texts one after the
    // other, with no need to split them.
    if (!doisInicios && linhasInteiras(entradas) && linhasInteiras(comportamentos)) {
        QByteArray r = Cabecalho(c, QDateTime::currentDateTime());
        r.reserve(r.size() + entradas.size() + comportamentos.size());
        r += entradas;
        r += comportamentos;
        return {r};
    }
    return Conteudos(c, doisInicios, Arquivos::dividirLinhas(entradas),
                     Arquivos::dividirLinhas(comportamentos));
}

TResultadoGravacao TArquivoRegistro::GravarArquivos(const QString &pastaExperimento,
                                                    const TCabecalhoRegistro &c, bool doisInicios,
                                                    const QString &sessao) {
    const QStringList destinos = Destinos(pastaExperimento, c.individuo, doisInicios);
    TResultadoGravacao r;
    auto falha = [&](const QString &motivo) {
        r.erro = motivo;
        r.faltando = destinos;
        return r;
    };
    for (const QString &d : destinos)
        if (existe(d)) return falha(QStringLiteral("Record file %1 already exists").arg(d));

    const QStringList brutos = BrutosDe(pastaExperimento, c, sessao);
    QByteArray entradas, comportamentos;
    if (!Arquivos::lerTudo(brutos[0], &entradas))
        return falha(QStringLiteral("Cannot open file %1").arg(brutos[0]));
    if (!Arquivos::lerTudo(brutos[1], &comportamentos))
        return falha(QStringLiteral("Cannot open file %1").arg(brutos[1]));
    return GravarArquivos(pastaExperimento, c, doisInicios, entradas, comportamentos, sessao);
}

QStringList TArquivoRegistro::BrutosDe(const QString &pastaExperimento,
                                       const TCabecalhoRegistro &c, const QString &sessao) {
    const QString base = Arquivos::juntar(pastaExperimento, c.individuo);
    return sessao.isEmpty()
               ? QStringList{base + QStringLiteral("1.txt"), base + QStringLiteral("2.txt")}
               : Brutos(pastaExperimento, sessao);
}

TResultadoGravacao TArquivoRegistro::GravarArquivos(const QString &pastaExperimento,
                                                    const TCabecalhoRegistro &c, bool doisInicios,
                                                    const QByteArray &entradas,
                                                    const QByteArray &comportamentos,
                                                    const QString &sessao) {
    TResultadoGravacao r;
    const QStringList destinos = Destinos(pastaExperimento, c.individuo, doisInicios);
    const QStringList brutos = BrutosDe(pastaExperimento, c, sessao);
    const QString pendente = Pendente(pastaExperimento, sessao.isEmpty() ? c.individuo : sessao);
    auto falha = [&](const QString &motivo) {
        r.erro = motivo;
        for (const QString &d : destinos)
            if (!r.gravados.contains(d)) r.faltando.append(d);
        return r;
    };
    for (const QString &d : destinos)
        if (existe(d)) return falha(QStringLiteral("Record file %1 already exists").arg(d));

    const QList<QByteArray> conteudos =
        ConteudosDosTextos(c, doisInicios, entradas, comportamentos);
    if (doisInicios) {
        // "_T2" whole under its pending name first: from the moment "_T1"
        // exists, the pair can always be finished.
        const TResultado g =
            TGravacao::Gravar(pendente, conteudos[1], TGravacao::CriarSomente, true);
        if (!g) return falha(g.Mensagem(QStringLiteral("Cannot create file %1: %2")));
    }
    // Read-only from the moment it has its name; never replaces a file.
    const TResultado g =
        TGravacao::Gravar(destinos[0], conteudos[0], TGravacao::CriarSomente, true);
    if (!g) {
        if (doisInicios) QFile::remove(pendente);
        return falha(g.Mensagem(QStringLiteral("Cannot create file %1: %2")));
    }
    r.gravados.append(destinos[0]);
    if (doisInicios) {
        const int erro = TGravacao::RenomearSemSubstituir(pendente, destinos[1]);
        if (erro != 0) {
            QFile::remove(pendente);
            return falha(TResultado::FalhaDoSistema(destinos[1], erro)
                             .Mensagem(QStringLiteral("Cannot create file %1: %2")));
        }
        TGravacao::SincronizarDiretorio(pastaExperimento);
        r.gravados.append(destinos[1]);
    }
    // The rows are safe in the record files; a raw file that cannot be
    // removed is left behind and costs nothing.
    QFile::remove(brutos[0]);
    QFile::remove(brutos[1]);
    return r;
}

QStringList TArquivoRegistro::GravarRecuperacao(const QStringList &pastas,
                                                const QStringList &destinos,
                                                const QList<QByteArray> &conteudos, QString *erro) {
    const QString carimbo =
        QLocale::c().toString(QDateTime::currentDateTime(), QStringLiteral("yyyyMMdd-HHmmss"));
    QStringList escritos;
    QString motivos;
    for (int i = 0; i < destinos.size() && i < conteudos.size(); ++i) {
        QString nome = QFileInfo(destinos[i]).fileName();
        if (nome.endsWith(QLatin1String(".tvl"))) nome.chop(4);
        nome += QStringLiteral("-recuperacao-") + carimbo;
        QString motivo = QStringLiteral("no folder to write to");
        bool gravou = false;
        // Each content goes to the first folder that takes it; nothing
        // written is ever removed again.
        for (const QString &pasta : pastas) {
            if (pasta.isEmpty() || gravou) continue;
            for (int n = 1; n <= 1000 && !gravou; ++n) {
                const QString caminho = Arquivos::juntar(
                    pasta, nome + (n > 1 ? QStringLiteral("-%1").arg(n) : QString()) +
                               QStringLiteral(".txt"));
                const TResultado g =
                    TGravacao::Gravar(caminho, conteudos[i], TGravacao::CriarSomente, true);
                if (g) {
                    escritos.append(caminho);
                    gravou = true;
                } else {
                    motivo = g.Mensagem(QStringLiteral("%1: %2"));
                    // A taken name: the next number; any other failure: the
                    // next folder.
                    if (g.causa() != TResultado::Existente) break;
                }
            }
        }
        if (!gravou) motivos += (motivos.isEmpty() ? QString() : QStringLiteral("; ")) + motivo;
    }
    if (erro) *erro = motivos;
    return escritos;
}
