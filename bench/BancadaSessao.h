#pragma once

// What the recording benchmarks share: a data directory in a temporary
// folder with one maze library and user "ana" whose experiment "exp" is
// configured with the given settings, the user and experiment loaded, the
// maze object, and an interaction that shows nothing and agrees to
// everything. The benchmark makes the clock and the session it measures.

#include "core/Arquivos.h"
#include "core/TInteracao.h"
#include "core/TLabirinto.h"
#include "core/TUsuario.h"

#include <QDir>
#include <QTemporaryDir>

class Silenciosa : public TInteracao {
public:
    void Mensagem(const QString &) override {}
    bool Confirmar(const QString &) override { return true; }
    void Bipe() override {}
};

// The maze the session benchmarks run on unless they need another.
inline const char *const kArena6x6 = "[ARENA (6x6)]\r\nQuadradosEmX=6\r\nQuadradosEmY=6\r\n";

struct BancadaSessao {
    QTemporaryDir tmp;
    const QString dados; // ends with "/"
    TUsuario usuario;
    TLabirinto labirinto;
    Silenciosa interacao;

    // `labirintos`: the maze library; `experimento`: the keys of section
    // [exp] after "Configurado=1", other sections after them.
    BancadaSessao(const QByteArray &labirintos, const QByteArray &experimento)
        : dados(preparar(tmp, labirintos, experimento)), usuario(dados), labirinto(dados) {
        usuario.Carregar(QStringLiteral("ana"));
        usuario.Experimento.Carregar(usuario.Arquivo, QStringLiteral("exp"));
    }

private:
    static QString preparar(const QTemporaryDir &tmp, const QByteArray &labirintos,
                            const QByteArray &experimento) {
        const QString dados = tmp.path() + QLatin1Char('/');
        QDir(dados).mkpath(QStringLiteral("usuarios/ana/exp"));
        Arquivos::gravarAtomico(dados + QStringLiteral("Labirintos.ini"), labirintos);
        Arquivos::gravarAtomico(
            dados + QStringLiteral("usuarios/ana.ini"),
            "[Experimentos]\r\nQdeExp=1\r\n1=exp\r\n[exp]\r\nConfigurado=1\r\n" + experimento);
        return dados;
    }
};
