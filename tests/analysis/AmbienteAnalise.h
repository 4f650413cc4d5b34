#pragma once

// Data directories, record files and table views for the analysis tests.

#include "analysis/TDados.h"
#include "core/Cp1252.h"
#include "core/Perfil.h"
#include "core/TExperimento.h"
#include "core/TUsuario.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <memory>

namespace AmbienteAnalise {

inline QStringList lista(const char *nomes) {
    return QString::fromUtf8(nomes).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// One data row of a record file.
inline QByteArray linha(const QString &posicao, const QString &comportamento, qint64 inicio,
                        qint64 fim, int minuto, int frequencia) {
    auto n = [](qint64 v) { return QString::number(v); };
    return Cp1252::codificar(QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7\r\n")
                                 .arg(posicao, comportamento, n(inicio), n(fim), n(fim - inicio),
                                      n(minuto), n(frequencia)));
}

// Entry rows of a walk, `passo` ms per square, the last stay to the session
// end, cut at minute boundaries as the recorder cuts them.
inline QByteArray caminho(const char *quadrados, qint64 passo, qint64 fimSessao) {
    const QStringList q = lista(quadrados);
    QByteArray r;
    for (int i = 0; i < q.size(); ++i) {
        qint64 ini = i * passo;
        const qint64 fim = i + 1 == q.size() ? fimSessao : ini + passo;
        for (int frequencia = 1; ini < fim; frequencia = 0) {
            const qint64 minuto = ini / 60000 + 1, corte = std::min(fim, minuto * 60000);
            r += linha(q[i], QStringLiteral("ENTRADA"), ini, corte, int(minuto), frequencia);
            ini = corte;
        }
    }
    return r;
}

inline QByteArray cabecalho(const QString &usuario, const QString &experimento,
                            const QString &labirinto, const QString &segundos) {
    return Cp1252::codificar(
        QStringList{"Trevalin 2005  |  08/12/2026  |  14:05:33", "", "Usuario:\t" + usuario,
                    "Experimento:\t" + experimento, "Indivíduo:\trato", "Labirinto:\t" + labirinto,
                    "Tempo de Sessão:\t" + segundos + " segundos", "Distância:\t10 cm", "",
                    "Posição\tComportamento\tInício\tFim\tDuração\tMinuto\tFrequência", ""}
            .join("\r\n"));
}

// The per-minute table's cells that are not all zero, as "square/behaviour/
// minute:seconds,frequency,arm-end arrivals,occurrences".
inline QString celulas(const TDados &d) {
    auto n = [](double v) { return QString::number(v); };
    QStringList r;
    for (int b = 0; b < d.QdeComportamentos(); ++b)
        for (int q = 0; q < d.QdeQuadrados(); ++q)
            for (int m = 0; m < d.Minutos; ++m) {
                const TCelulaMinuto &c = d.TabelaMinutos(b, q, m);
                if (c.SomaDuracao || c.SomaFrequencia || c.EntradasExtremidade || c.Ocorrencias)
                    r << QStringLiteral("%1/%2/%3:%4,%5,%6,%7")
                             .arg(d.Quadrados[q], d.Comportamentos[b], n(m + 1),
                                  n(c.SomaDuracao / 1000.0), n(c.SomaFrequencia),
                                  n(c.EntradasExtremidade), n(c.Ocorrencias));
            }
    return r.join(' ');
}

inline QByteArray ler(const QString &caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Ambiente {
public:
    QTemporaryDir dir;
    QString dados; // data directory, ending with "/"
    QString usuario;
    QString experimento = QStringLiteral("exp");
    std::unique_ptr<TUsuario> u;

    // User `nome`, experiment "exp" in the maze with behaviour list Comp1;
    // Portuguese texts.
    explicit Ambiente(const QString &labirinto, const QMap<int, QString> &comportamentos = {},
                      const QString &nome = QStringLiteral("ana"))
        : dados(dir.path() + QLatin1Char('/')), usuario(nome) {
        QDir(dados).mkpath(QStringLiteral("idiomas"));
        QFile::copy(QStringLiteral(TREVALIN_RESOURCES "/idiomas/portugues.ini"),
                    dados + QStringLiteral("idiomas/portugues.ini"));
        gravar("idiomas/idioma.ini", "[idioma]\r\nlingua=0\r\n", dados);
        Perfil::CriarUsuario(dados, usuario);
        const QString perfil = TUsuario::ArquivoDoUsuario(dados, usuario);
        Perfil::CriarExperimento(perfil, TUsuario::PastaDoUsuario(dados, usuario), experimento);
        TExperimento e;
        e.Nome = experimento;
        e.Labirinto = labirinto;
        e.TempoSecao = 300;
        Perfil::SalvarConfiguracoes(perfil, e);
        Perfil::SalvarComportamentos(perfil, experimento, QStringLiteral("Comp1"), comportamentos);
        u = std::make_unique<TUsuario>(dados);
        u->Carregar(usuario);
        u->Experimento.Carregar(u->Arquivo, experimento);
    }

    QString pastaExperimento() const {
        return TUsuario::PastaDoUsuario(dados, usuario) + experimento + QLatin1Char('/');
    }
    // Writes a file, by default into the experiment's folder; returns its path.
    QString gravar(const QString &nome, const QByteArray &bytes, QString pasta = {}) const {
        const QString caminho = (pasta.isEmpty() ? pastaExperimento() : pasta) + nome;
        QFile f(caminho);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(caminho));
        return caminho;
    }
    // A record file of this experiment and maze: header + rows.
    QString registro(const QString &nome, const QByteArray &linhas,
                     const QString &segundos = QStringLiteral("300")) const {
        return gravar(nome,
                      cabecalho(usuario, experimento, u->Experimento.Labirinto, segundos) + linhas);
    }
};

} // namespace AmbienteAnalise
