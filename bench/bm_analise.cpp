// A full-capacity analysis run: 51 groups of 51 record files, each a
// 300-second session of about 600 rows (400 square entries, cut at the
// minute boundaries, and 200 bouts of one behaviour) in the three-square
// cross, analysed in each of the six kinds; against the time to merely read
// the same files' bytes and to load them as records.
//
// One catalogue behaviour, so that even the largest sheet (square by square,
// per minute: 2 x 2 behaviours x 5 minutes x 2601 files = 52,020 rows) fits.
#include "analysis/TAnalise.h"
#include "analysis/TDados.h"
#include "core/Perfil.h"
#include "core/TExperimento.h"
#include "core/TInteracao.h"
#include "core/TUsuario.h"
#include "data/TPlanilhaXLS.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const int kGrupos = 51;
const int kArquivos = 51;
const char *const kQuadrados[] = {"D1", "D2", "D3", "D4", "D5", "D6", "D7",
                                  "A4", "B4", "C4", "E4", "F4", "G4"};

class Silencio : public TInteracao {
public:
    void Mensagem(const QString &) override {}
    bool Confirmar(const QString &) override { return true; }
    void Bipe() override {}
};

void linha(QByteArray &r, const char *q, const char *c, qint64 ini, qint64 fim, int freq) {
    r += q;
    r += '\t';
    r += c;
    r += '\t' + QByteArray::number(ini) + '\t' + QByteArray::number(fim) + '\t' +
         QByteArray::number(fim - ini) + '\t' + QByteArray::number(ini / 60000 + 1) + '\t' +
         QByteArray::number(freq) + "\r\n";
}

void estada(QByteArray &r, const char *q, const char *c, qint64 ini, qint64 fim) {
    int freq = 1;
    while (ini < fim) {
        const qint64 corte = std::min(fim, (ini / 60000 + 1) * 60000);
        linha(r, q, c, ini, corte, freq);
        freq = 0;
        ini = corte;
    }
}

// The data directory, built once for every benchmark.
struct Ambiente {
    QTemporaryDir dir;
    QString dados;
    std::unique_ptr<TUsuario> u;
    QStringList caminhos;
    qint64 bytes = 0;
    qint64 linhas = 0;

    Ambiente() {
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

        QRandomGenerator gen(20260812u);
        const QString pasta = u->Pasta + QStringLiteral("exp/");
        for (int i = 0; i < kGrupos * kArquivos; ++i) {
            QByteArray r("Trevalin 2005  |  08/12/2026  |  14:05:33\r\n\r\nUsuario:\tana\r\n"
                         "Experimento:\texp\r\nIndiv\xED"
                         "duo:\trato\r\nLabirinto:\tCRUZ (3)\r\n"
                         "Tempo de Sess\xE3o:\t300 segundos\r\nDist\xE2ncia:\t10 cm\r\n\r\n"
                         "Posi\xE7\xE3o\tComportamento\tIn\xED"
                         "cio\tFim\tDura\xE7\xE3o\tMinuto\tFrequ\xEAncia\r\n");
            for (int k = 0; k < 400; ++k)
                estada(r, kQuadrados[gen.bounded(13)], "ENTRADA", k * 750,
                       k == 399 ? 300000 : (k + 1) * 750);
            for (int k = 0; k < 200; ++k) {
                const qint64 ini = 1500 * k + gen.bounded(1000);
                linha(r, kQuadrados[gen.bounded(13)], "Farejar", ini, ini + 400, 1);
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

    void grupos(TDados &d) const {
        for (int g = 0; g < kGrupos; ++g) {
            QStringList a;
            for (int f = 0; f < kArquivos; ++f)
                a << QStringLiteral("r%1.tvl").arg(g * kArquivos + f);
            d.InserirGrupo(QStringLiteral("g%1").arg(g), a);
        }
    }
};

Ambiente &ambiente() {
    static Ambiente a;
    return a;
}

void contadores(benchmark::State &state) {
    state.counters["files"] = static_cast<double>(ambiente().caminhos.size());
    state.counters["rows"] = static_cast<double>(ambiente().linhas);
    state.SetBytesProcessed(state.iterations() * ambiente().bytes);
}

// Reading the bytes of every file, nothing else.
void BM_LerBytes(benchmark::State &state) {
    const Ambiente &a = ambiente();
    for (auto _ : state) {
        qint64 total = 0;
        for (const QString &c : a.caminhos) {
            QFile f(c);
            if (f.open(QIODevice::ReadOnly)) total += f.readAll().size();
        }
        benchmark::DoNotOptimize(total);
    }
    contadores(state);
}
BENCHMARK(BM_LerBytes)->Unit(benchmark::kMillisecond)->Iterations(3);

// Loading every file as a record and ordering its rows.
void BM_LerRegistros(benchmark::State &state) {
    const Ambiente &a = ambiente();
    TDados d;
    for (auto _ : state) {
        for (const QString &c : a.caminhos) {
            d.LerArquivo(c);
            d.OrdenarPorInicio();
        }
        benchmark::DoNotOptimize(d.QdeRegistros());
    }
    contadores(state);
}
BENCHMARK(BM_LerRegistros)->Unit(benchmark::kMillisecond)->Iterations(3);

// The whole run, saving included, for one kind.
void BM_Analise(benchmark::State &state) {
    const Ambiente &a = ambiente();
    const auto tipo = static_cast<TAnalise::Tipo>(state.range(0));
    state.SetLabel(TAnalise::NomeDoTipo(tipo).toStdString());
    TDados d;
    a.grupos(d);
    TPlanilhaXLS p;
    Silencio s;
    const QString saida = a.dir.filePath(TAnalise::NomeDoTipo(tipo) + QStringLiteral(".xls"));
    for (auto _ : state) {
        TAnalise analise(*a.u, d, p, &s);
        if (analise.Executar(tipo, saida, TAnalise::Substituir) != TAnalise::Sucesso) {
            state.SkipWithError(analise.Erro().toStdString().c_str());
            break;
        }
    }
    contadores(state);
    state.counters["xls_MB"] = static_cast<double>(QFileInfo(saida).size()) / 1e6;
}
BENCHMARK(BM_Analise)
    ->DenseRange(TAnalise::Compacta, TAnalise::QuadradoMinuto)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

BENCHMARK_MAIN();
