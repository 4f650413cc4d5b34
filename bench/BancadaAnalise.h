#pragma once

// What the analysis benchmarks share: full-capacity data (51 groups of 51
// record files of a 300 s session in the three-square cross, user "ana",
// experiment "exp" with one catalogue behaviour), written into a temporary
// data directory, and the groups of the first records.

#include "analysis/TDados.h"
#include "core/Perfil.h"
#include "core/TExperimento.h"
#include "core/TInteracao.h"
#include "core/TUsuario.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

inline constexpr int kGrupos = 51;
inline constexpr int kArquivos = 51;

class Silencio : public TInteracao {
public:
    void Mensagem(const QString &) override {}
    bool Confirmar(const QString &) override { return true; }
    void Bipe() override {}
};

// How each record is made: `estadas` square entries of equal length over the
// session (cut at the minutes), and `bouts` bouts of "Farejar", the k-th
// starting at k * passo plus a random part below `sorteio`, `duracao` ms long.
struct FormaRegistros {
    int estadas;
    int bouts;
    int passo;
    int sorteio;
    int duracao;
};

struct BancadaAnalise {
    QTemporaryDir dir;
    QString dados; // ends with "/"
    std::unique_ptr<TUsuario> u;
    QStringList caminhos;
    qint64 bytes = 0, linhas = 0;

    explicit BancadaAnalise(const FormaRegistros &forma) {
        dados = dir.path() + QLatin1Char('/');
        Perfil::CriarUsuario(dados, QStringLiteral("ana"));
        const QString perfil = TUsuario::ArquivoDoUsuario(dados, QStringLiteral("ana"));
        Perfil::CriarExperimento(perfil, TUsuario::PastaDoUsuario(dados, QStringLiteral("ana")),
                                 QStringLiteral("exp"));
        TExperimento e;
        e.Nome = QStringLiteral("exp");
        e.Labirinto = QStringLiteral("CRUZ (3)");
        e.TempoSecao = 300;
        Perfil::SalvarConfiguracoes(perfil, e);
        Perfil::SalvarComportamentos(perfil, e.Nome, QStringLiteral("Comp1"),
                                     {{1, QStringLiteral("Farejar")}});
        u = std::make_unique<TUsuario>(dados);
        u->Carregar(QStringLiteral("ana"));
        u->Experimento.Carregar(u->Arquivo, QStringLiteral("exp"));

        static const char *const quadrados[] = {"D1", "D2", "D3", "D4", "D5", "D6", "D7",
                                                "A4", "B4", "C4", "E4", "F4", "G4"};
        QRandomGenerator gen(20260812u);
        const QString pasta = u->Pasta + QStringLiteral("exp/");
        const int estada = 300000 / forma.estadas;
        for (int i = 0; i < kGrupos * kArquivos; ++i) {
            QByteArray r("Trevalin 2005  |  08/12/2026  |  14:05:33\r\n\r\nUsuario:\tana\r\n"
                         "Experimento:\texp\r\nIndiv\xED"
                         "duo:\trato\r\nLabirinto:\tCRUZ (3)\r\n"
                         "Tempo de Sess\xE3o:\t300 segundos\r\nDist\xE2ncia:\t10 cm\r\n\r\n"
                         "Posi\xE7\xE3o\tComportamento\tIn\xED"
                         "cio\tFim\tDura\xE7\xE3o\tMinuto\tFrequ\xEAncia\r\n");
            for (int k = 0; k < forma.estadas; ++k)
                Estada(r, quadrados[gen.bounded(13)], "ENTRADA", k * estada,
                       k == forma.estadas - 1 ? 300000 : (k + 1) * estada);
            for (int k = 0; k < forma.bouts; ++k) {
                const qint64 ini = qint64(forma.passo) * k + gen.bounded(forma.sorteio);
                Linha(r, quadrados[gen.bounded(13)], "Farejar", ini, ini + forma.duracao, 1);
            }
            const QString caminho = pasta + QStringLiteral("r%1.tvl").arg(i);
            QFile f(caminho);
            if (!f.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(caminho));
            f.write(r);
            caminhos << caminho;
            bytes += r.size();
            linhas += r.count('\n') - 10;
        }
    }

    // The first `qde` groups, "g0", "g1", ... of kArquivos records each.
    void Grupos(TDados &d, int qde = kGrupos) const {
        for (int g = 0; g < qde; ++g) {
            QStringList a;
            for (int f = 0; f < kArquivos; ++f)
                a << QStringLiteral("r%1.tvl").arg(g * kArquivos + f);
            d.InserirGrupo(QStringLiteral("g%1").arg(g), a);
        }
    }

    static void Linha(QByteArray &r, const char *q, const char *c, qint64 ini, qint64 fim,
                      int freq) {
        r += q;
        r += '\t';
        r += c;
        r += '\t' + QByteArray::number(ini) + '\t' + QByteArray::number(fim) + '\t' +
             QByteArray::number(fim - ini) + '\t' + QByteArray::number(ini / 60000 + 1) + '\t' +
             QByteArray::number(freq) + "\r\n";
    }

    // A stay from ini to fim, one row per minute it touches.
    static void Estada(QByteArray &r, const char *q, const char *c, qint64 ini, qint64 fim) {
        int freq = 1;
        while (ini < fim) {
            const qint64 corte = std::min(fim, (ini / 60000 + 1) * 60000);
            Linha(r, q, c, ini, corte, freq);
            freq = 0;
            ini = corte;
        }
    }
};
