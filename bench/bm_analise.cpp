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

#include "BancadaAnalise.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The data directory, built once for every benchmark.
struct Ambiente : BancadaAnalise {
    Ambiente() : BancadaAnalise({400, 200, 1500, 1000, 400}) {}
    void grupos(TDados &d) const { Grupos(d); }
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
