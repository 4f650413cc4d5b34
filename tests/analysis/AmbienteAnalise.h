#pragma once

// A data directory with one user, one experiment and record files, for the
// analysis tests.

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

// One data row of a record file.
inline QByteArray linha(const QString &posicao, const QString &comportamento, qint64 inicio,
                        qint64 fim, int minuto, int frequencia) {
    return Cp1252::codificar(QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7\r\n")
                                 .arg(posicao, comportamento)
                                 .arg(inicio)
                                 .arg(fim)
                                 .arg(fim - inicio)
                                 .arg(minuto)
                                 .arg(frequencia));
}

// Rows of one stay, cut at minute boundaries as the recorder cuts them.
inline QByteArray estada(const QString &posicao, const QString &comportamento, qint64 inicio,
                         qint64 fim) {
    QByteArray r;
    int frequencia = 1;
    while (inicio < fim) {
        const qint64 minuto = inicio / 60000 + 1;
        const qint64 corte = std::min(fim, minuto * 60000);
        r += linha(posicao, comportamento, inicio, corte, static_cast<int>(minuto), frequencia);
        frequencia = 0;
        inicio = corte;
    }
    return r;
}

// Entry rows for a walk through the squares, `passo` ms per square, the last
// stay lasting to the session end.
inline QByteArray caminho(const QStringList &quadrados, qint64 passo, qint64 fimSessao) {
    QByteArray r;
    for (int i = 0; i < quadrados.size(); ++i) {
        const qint64 ini = i * passo;
        const qint64 fim = i + 1 == quadrados.size() ? fimSessao : ini + passo;
        r += estada(quadrados[i], QStringLiteral("ENTRADA"), ini, fim);
    }
    return r;
}

inline QByteArray cabecalho(const QString &usuario, const QString &experimento,
                            const QString &labirinto, const QString &segundos) {
    return Cp1252::codificar(QStringLiteral("Trevalin 2005  |  08/12/2026  |  14:05:33\r\n"
                                            "\r\n"
                                            "Usuario:\t%1\r\n"
                                            "Experimento:\t%2\r\n"
                                            "Indivíduo:\trato\r\n"
                                            "Labirinto:\t%3\r\n"
                                            "Tempo de Sessão:\t%4 segundos\r\n"
                                            "Distância:\t10 cm\r\n"
                                            "\r\n"
                                            "Posição\tComportamento\tInício\tFim\tDuração\t"
                                            "Minuto\tFrequência\r\n")
                                 .arg(usuario, experimento, labirinto, segundos));
}

class Ambiente {
public:
    QTemporaryDir dir;
    QString dados; // data directory, ending with "/"
    QString usuario;
    QString experimento;
    std::unique_ptr<TUsuario> u;

    // A user "ana" with experiment "exp" in the maze, of `segundos` seconds,
    // using behaviour list Comp1 with the given letters.
    explicit Ambiente(const QString &labirinto, int segundos = 300,
                      const QMap<int, QString> &comportamentos = {},
                      const QString &nomeUsuario = QStringLiteral("ana"),
                      const QString &nomeExperimento = QStringLiteral("exp"))
        : usuario(nomeUsuario), experimento(nomeExperimento) {
        dados = dir.path() + QLatin1Char('/');
        // Portuguese texts, so that messages read as the user sees them.
        QDir(dados).mkpath(QStringLiteral("idiomas"));
        QFile::copy(QStringLiteral(TREVALIN_RESOURCES "/idiomas/portugues.ini"),
                    dados + QStringLiteral("idiomas/portugues.ini"));
        QFile escolha(dados + QStringLiteral("idiomas/idioma.ini"));
        if (escolha.open(QIODevice::WriteOnly)) escolha.write("[idioma]\r\nlingua=0\r\n");
        escolha.close();
        Perfil::CriarUsuario(dados, usuario);
        const QString perfil = TUsuario::ArquivoDoUsuario(dados, usuario);
        Perfil::CriarExperimento(perfil, TUsuario::PastaDoUsuario(dados, usuario), experimento);
        TExperimento e;
        e.Nome = experimento;
        e.Labirinto = labirinto;
        e.TempoSecao = segundos;
        Perfil::SalvarConfiguracoes(perfil, e);
        Perfil::SalvarComportamentos(perfil, experimento, QStringLiteral("Comp1"), comportamentos);
        recarregar();
    }

    void recarregar() {
        u = std::make_unique<TUsuario>(dados);
        u->Carregar(usuario);
        u->Experimento.Carregar(u->Arquivo, experimento);
    }

    QString pastaExperimento() const {
        return TUsuario::PastaDoUsuario(dados, usuario) + experimento + QLatin1Char('/');
    }

    // Writes a record file of this experiment (header + rows); returns its path.
    QString registro(const QString &nome, const QByteArray &linhas, int segundos = 300,
                     const QString &labirinto = QString()) {
        const QString caminho = pastaExperimento() + nome;
        QFile f(caminho);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write %s", qPrintable(caminho));
        f.write(cabecalho(usuario, experimento,
                          labirinto.isEmpty() ? u->Experimento.Labirinto : labirinto,
                          QString::number(segundos)) +
                linhas);
        return caminho;
    }
    void bruto(const QString &nome, const QByteArray &bytes) {
        QFile f(pastaExperimento() + nome);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot write");
        f.write(bytes);
    }
};

} // namespace AmbienteAnalise
