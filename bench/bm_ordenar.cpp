// Sorting a record's rows by start time: the O(n log n) reproduction of the
// exchange-sort order against the exchange sort itself, on a record of
// 30,000 rows with many equal starts.
#include "analysis/TDados.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

const int kLinhas = 30000;

// Starts shaped like a record: square entries in ascending order, then
// behaviour bouts in ascending order, on a 100 ms grid of a 30-minute
// session, so that many rows share a start.
std::vector<double> iniciosDeRegistro(int n) {
    QRandomGenerator gen(12345u);
    std::vector<double> v(static_cast<size_t>(n));
    for (double &x : v)
        x = 100.0 * gen.bounded(18000);
    const auto meio = v.begin() + n * 2 / 3;
    std::sort(v.begin(), meio);
    std::sort(meio, v.end());
    return v;
}

void BM_OrdemDeTroca(benchmark::State &state) {
    const std::vector<double> v = iniciosDeRegistro(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(TDados::OrdemDeTroca(v));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OrdemDeTroca)->Arg(1000)->Arg(kLinhas)->Arg(300000)->Unit(benchmark::kMillisecond);

void BM_OrdemDeTrocaLiteral(benchmark::State &state) {
    const std::vector<double> v = iniciosDeRegistro(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(TDados::OrdemDeTrocaLiteral(v));
}
BENCHMARK(BM_OrdemDeTrocaLiteral)
    ->Arg(1000)
    ->Arg(kLinhas)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The whole operation on a loaded record: order plus moving the rows.
void BM_OrdenarPorInicio(benchmark::State &state) {
    QTemporaryDir dir;
    const QString caminho = dir.filePath(QStringLiteral("r.tvl"));
    {
        QByteArray texto("Trevalin\r\n\r\nUsuario:\ta\r\nExperimento:\te\r\nIndiv\xED"
                         "duo:\tr\r\n"
                         "Labirinto:\tCRUZ (3)\r\nTempo de Sess\xE3o:\t1800 segundos\r\n"
                         "Dist\xE2ncia:\t10 cm\r\n\r\ntitulos\r\n");
        for (double inicio : iniciosDeRegistro(kLinhas))
            texto += "D4\tENTRADA\t" + QByteArray::number(inicio, 'g', 15) + "\t0\t0\t1\t1\r\n";
        QFile f(caminho);
        if (!f.open(QIODevice::WriteOnly) || f.write(texto) != texto.size()) {
            state.SkipWithError("cannot write the record file");
            return;
        }
    }
    TDados lido;
    lido.LerArquivo(caminho);
    for (auto _ : state) {
        state.PauseTiming();
        TDados d = lido;
        state.ResumeTiming();
        d.OrdenarPorInicio();
        benchmark::DoNotOptimize(d.Registros().data());
    }
}
BENCHMARK(BM_OrdenarPorInicio)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
