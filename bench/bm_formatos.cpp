// Writing the sheets of a full-capacity run (51 groups of 51 record files,
// the data of bm_analise: 300-second sessions of about 600 rows in the
// three-square cross, one catalogue behaviour) in each format: .xls, .xlsx
// and tidy CSV, for each of the six kinds.
//
// The analysis runs once per kind into a recorder; what is measured is the
// writer alone: the same calls replayed into a new writer, then its save.
// Counters: peak_MB, the most memory the writing added (resident set, in a
// child process of its own: its allocator trimmed, the peak reset through
// /proc/self/clear_refs); file_MB, the size of the file.
//
//   build-bench/bench/bm_formatos --pares [ROUNDS]
//
// times the formats side by side instead, in paired rounds, and prints the
// medians of each format's time and of its ratio to the .xls.
#include "analysis/TAnalise.h"
#include "analysis/TDados.h"
#include "core/Perfil.h"
#include "core/TExperimento.h"
#include "core/TInteracao.h"
#include "core/TUsuario.h"
#include "data/TPlanilha.h"

#include "BancadaAnalise.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <malloc.h>
#include <map>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// What a sheet was told, in order, to be told again to any writer.
class Gravador : public TPlanilha {
public:
    struct Chamada {
        int linha, coluna;
        int texto; // index into textos, -1 for a number
        double numero;
    };
    std::vector<Chamada> chamadas;
    QStringList textos;
    QString nomeFolha;
    TFormaTabela forma;
    std::vector<std::pair<int, QString>> grupos;

    Formato formato() const override { return Xls; }
    QString NomeArquivo(const QString &nome) const override { return nome; }
    qint64 MaxLinhas() const override { return 1 << 30; }
    qint64 MaxColunas() const override { return 1 << 15; }
    void StartSheet() override { chamadas.clear(); }
    using TPlanilha::WriteCell;
    void WriteCell(int l, int c, const QString &t) override {
        textos << t;
        chamadas.push_back({l, c, int(textos.size() - 1), 0});
    }
    void WriteCell(int l, int c, double v) override { chamadas.push_back({l, c, -1, v}); }
    void WriteCell(int l, int c, quint16 v) override { WriteCell(l, c, double(v)); }
    void EndSheet() override {}
    void SaveSheet(OpcoesGravacao) override {}
    void setNomeFolha(const QString &n) override { nomeFolha = n; }
    void setForma(const TFormaTabela &f) override { forma = f; }
    void Grupo(int l, const QString &n) override { grupos.emplace_back(l, n); }

    void reproduzir(TPlanilha &p, const QString &saida) const {
        p.setFileName(saida);
        p.StartSheet();
        p.setNomeFolha(nomeFolha);
        p.setForma(forma);
        for (const auto &[l, n] : grupos)
            p.Grupo(l, n);
        for (const Chamada &c : chamadas)
            if (c.texto >= 0)
                p.WriteCell(c.linha, c.coluna, textos[c.texto]);
            else
                p.WriteCell(c.linha, c.coluna, c.numero);
        p.EndSheet();
        p.SaveSheet(TPlanilha::GravSubstituir);
    }
};

struct Ambiente : BancadaAnalise {
    std::map<int, std::unique_ptr<Gravador>> folhas; // by kind

    Ambiente() : BancadaAnalise({400, 200, 1500, 1000, 400}) {}

    const Gravador &folha(TAnalise::Tipo tipo) {
        auto &g = folhas[tipo];
        if (!g) {
            g = std::make_unique<Gravador>();
            TDados d;
            Grupos(d);
            Silencio s;
            TAnalise analise(*u, d, *g, &s);
            if (analise.Executar(tipo, dir.filePath("gravador"), TAnalise::Substituir) !=
                TAnalise::Sucesso)
                qFatal("%s", qPrintable(analise.Erro()));
        }
        return *g;
    }
};

Ambiente &ambiente() {
    static Ambiente a;
    return a;
}

long kbDe(const char *campo) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray &l : f.readAll().split('\n'))
        if (l.startsWith(campo)) return l.mid(qstrlen(campo)).trimmed().split(' ').first().toLong();
    return -1;
}

// The memory one replay adds at its peak, in MB, measured in a child.
double picoMB(const Gravador &g, TPlanilha::Formato formato, const QString &saida) {
    int tubo[2];
    if (::pipe(tubo) != 0) return -1;
    const pid_t filho = ::fork();
    if (filho == 0) {
        ::close(tubo[0]);
        malloc_trim(0);
        {
            QFile c(QStringLiteral("/proc/self/clear_refs"));
            if (c.open(QIODevice::WriteOnly)) c.write("5"); // resets the peak
        }
        const long antes = kbDe("VmRSS:");
        {
            const auto p = TPlanilha::Criar(formato);
            g.reproduzir(*p, saida);
        }
        const double mb = double(kbDe("VmHWM:") - antes) / 1024.0;
        [[maybe_unused]] ssize_t n = ::write(tubo[1], &mb, sizeof mb);
        ::_exit(0);
    }
    ::close(tubo[1]);
    double mb = -1;
    if (::read(tubo[0], &mb, sizeof mb) != sizeof mb) mb = -1;
    ::close(tubo[0]);
    ::waitpid(filho, nullptr, 0);
    return mb;
}

void BM_Gravar(benchmark::State &state) {
    const auto tipo = static_cast<TAnalise::Tipo>(state.range(0));
    const auto formato = static_cast<TPlanilha::Formato>(state.range(1));
    Ambiente &a = ambiente();
    const Gravador &g = a.folha(tipo);
    state.SetLabel(
        (TAnalise::NomeDoTipo(tipo) + QLatin1Char(' ') + TPlanilha::TextoDoFormato(formato))
            .toStdString());
    const QString base = a.dir.filePath(TAnalise::NomeDoTipo(tipo));
    QString final;
    for (auto _ : state) {
        const auto p = TPlanilha::Criar(formato);
        g.reproduzir(*p, base);
        final = p->FileName();
    }
    state.counters["cells"] = double(g.chamadas.size());
    state.counters["file_MB"] = double(QFileInfo(final).size()) / 1e6;
    state.counters["peak_MB"] = picoMB(g, formato, base);
}
BENCHMARK(BM_Gravar)
    ->ArgsProduct({benchmark::CreateDenseRange(TAnalise::Compacta, TAnalise::QuadradoMinuto, 1),
                   {TPlanilha::Xls, TPlanilha::Xlsx, TPlanilha::Csv}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The whole run as the user waits for it (2601 records read and analysed,
// then saved), in each format, for the smallest and the largest sheet.
void BM_Execucao(benchmark::State &state) {
    const auto tipo = static_cast<TAnalise::Tipo>(state.range(0));
    const auto formato = static_cast<TPlanilha::Formato>(state.range(1));
    Ambiente &a = ambiente();
    state.SetLabel(
        (TAnalise::NomeDoTipo(tipo) + QLatin1Char(' ') + TPlanilha::TextoDoFormato(formato))
            .toStdString());
    TDados d;
    for (int k = 0; k < kGrupos; ++k) {
        QStringList nomes;
        for (int f = 0; f < kArquivos; ++f)
            nomes << QStringLiteral("r%1.tvl").arg(k * kArquivos + f);
        d.InserirGrupo(QStringLiteral("g%1").arg(k), nomes);
    }
    Silencio s;
    for (auto _ : state) {
        const auto p = TPlanilha::Criar(formato);
        TAnalise analise(*a.u, d, *p, &s);
        if (analise.Executar(tipo, a.dir.filePath("execucao"), TAnalise::Substituir) !=
            TAnalise::Sucesso) {
            state.SkipWithError(analise.Erro().toStdString().c_str());
            break;
        }
    }
}
BENCHMARK(BM_Execucao)
    ->ArgsProduct({{TAnalise::Compacta, TAnalise::QuadradoMinuto},
                   {TPlanilha::Xls, TPlanilha::Xlsx, TPlanilha::Csv}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// Paired rounds: in each round every format writes each kind's sheet once,
// one after the other, so that a busy machine slows them alike; prints per
// kind the medians of wall and CPU time (of this process) and the medians of
// the ratios to the .xls of the same round.
double agora(clockid_t relogio) {
    timespec t;
    clock_gettime(relogio, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

int pares(int rodadas) {
    Ambiente &a = ambiente();
    const TPlanilha::Formato formatos[] = {TPlanilha::Xls, TPlanilha::Xlsx, TPlanilha::Csv};
    std::printf("%-22s %-5s %10s %10s %9s %9s\n", "kind", "fmt", "wall_ms", "cpu_ms",
                "wall/xls", "cpu/xls");
    for (int t = TAnalise::Compacta; t <= TAnalise::QuadradoMinuto; ++t) {
        const auto tipo = static_cast<TAnalise::Tipo>(t);
        const Gravador &g = a.folha(tipo);
        const QString base = a.dir.filePath(TAnalise::NomeDoTipo(tipo));
        std::vector<double> parede[3], cpu[3], rParede[3], rCpu[3];
        for (int r = 0; r < rodadas; ++r)
            for (int f = 0; f < 3; ++f) {
                const double p0 = agora(CLOCK_MONOTONIC), c0 = agora(CLOCK_PROCESS_CPUTIME_ID);
                {
                    const auto p = TPlanilha::Criar(formatos[f]);
                    g.reproduzir(*p, base);
                }
                parede[f].push_back(agora(CLOCK_MONOTONIC) - p0);
                cpu[f].push_back(agora(CLOCK_PROCESS_CPUTIME_ID) - c0);
                rParede[f].push_back(parede[f].back() / parede[0].back());
                rCpu[f].push_back(cpu[f].back() / cpu[0].back());
            }
        for (int f = 0; f < 3; ++f)
            std::printf("%-22s %-5s %10.1f %10.1f %9.2f %9.2f\n",
                        qPrintable(TAnalise::NomeDoTipo(tipo)),
                        qPrintable(TPlanilha::TextoDoFormato(formatos[f])), mediana(parede[f]),
                        mediana(cpu[f]), mediana(rParede[f]), mediana(rCpu[f]));
    }
    return 0;
}

} // namespace

// `bm_formatos --pares [ROUNDS]` runs the paired rounds (default 7);
// anything else goes to the benchmark library.
int main(int argc, char **argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--pares") == 0)
        return pares(argc >= 3 ? std::max(1, std::atoi(argv[2])) : 7);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
