// Loading one experiment (TExperimento::Carregar) from a profile of twenty
// experiments and four full behaviour lists, and from the same profile with
// a 16 MB value in another section. Beside it, the same keys read one
// operation at a time through TArquivoIni (the file read and parsed for
// every key), which is what loading cost when each read went to the disk.
#include "core/Arquivos.h"
#include "core/TArquivoIni.h"
#include "core/TDocumentoIni.h"
#include "core/TExperimento.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QByteArray perfil(qsizetype valorGrande) {
    QByteArray p = "[Experimentos]\r\nQdeExp=20\r\n";
    for (int e = 1; e <= 20; ++e)
        p += QByteArray::number(e) + "=EXP" + QByteArray::number(e) + "\r\n";
    for (int e = 1; e <= 20; ++e)
        p += "\r\n[EXP" + QByteArray::number(e) +
             "]\r\nConfigurado=1\r\nBraco=0\r\nQdeInicios=2\r\nInicioX1=6\r\nInicioY1=7\r\n"
             "InicioX2=2\r\nInicioY2=3\r\nLabirinto=CRUZ (3)\r\nCompTipo=Comp" +
             QByteArray::number(1 + e % 4) +
             "\r\nTempoSecao=300\r\nDistancia=10\r\nDivisoesDaSecao=10\r\nComecoQueda=3\r\n";
    for (int c = 1; c <= 4; ++c) {
        p += "\r\n[Comp" + QByteArray::number(c) + "]\r\n";
        for (int n = 1; n <= 26; ++n)
            p += QByteArray::number(n) + "=COMPORTAMENTO " + QByteArray::number(n) + "\r\n";
    }
    if (valorGrande > 0) p += "\r\n[Notas]\r\nTexto=" + QByteArray(valorGrande, 'x') + "\r\n";
    return p;
}

// The keys Carregar reads, one TArquivoIni operation each.
void carregarChaveAChave(const QString &arquivo, const QString &nome, TExperimento &e) {
    const TArquivoIni ini(arquivo);
    e.Configurado = ini.ReadBool(nome, QStringLiteral("Configurado"), false);
    e.Labirinto = ini.ReadString(nome, QStringLiteral("Labirinto"), QString());
    e.Comp[0] = ini.ReadString(nome, QStringLiteral("CompTipo"), QString());
    e.QdeInicios = ini.ReadInteger(nome, QStringLiteral("QdeInicios"), 1);
    e.TempoSecao = ini.ReadInteger(nome, QStringLiteral("TempoSecao"), 300);
    e.DivisoesDaSecao = ini.ReadInteger(nome, QStringLiteral("DivisoesDaSecao"), 10);
    e.Distancia = ini.ReadInteger(nome, QStringLiteral("Distancia"), 10);
    e.InicioX1 = ini.ReadInteger(nome, QStringLiteral("InicioX1"), 0);
    e.InicioY1 = ini.ReadInteger(nome, QStringLiteral("InicioY1"), 0);
    e.InicioX2 = ini.ReadInteger(nome, QStringLiteral("InicioX2"), 0);
    e.InicioY2 = ini.ReadInteger(nome, QStringLiteral("InicioY2"), 0);
    e.ComecoQueda = ini.ReadInteger(nome, QStringLiteral("ComecoQueda"), 0);
    for (int n = 1; n <= 26; ++n)
        e.Comp[n] = ini.ReadString(e.Comp[0], QString::number(n), QString());
}

template <bool UmaLeitura> void BM_CarregarExperimento(benchmark::State &state) {
    QTemporaryDir tmp;
    const QString arquivo = tmp.filePath(QStringLiteral("ana.ini"));
    Arquivos::gravarAtomico(arquivo, perfil(state.range(0)));
    const QString nome = QStringLiteral("EXP13");
    TExperimento e;
    const qint64 antes = TDocumentoIni::Leituras();
    for (auto _ : state) {
        if (UmaLeitura)
            e.Carregar(arquivo, nome);
        else
            carregarChaveAChave(arquivo, nome, e);
        benchmark::DoNotOptimize(e.Comp);
    }
    state.counters["leituras"] = benchmark::Counter(
        static_cast<double>(TDocumentoIni::Leituras() - antes), benchmark::Counter::kAvgIterations);
}

} // namespace

BENCHMARK_TEMPLATE(BM_CarregarExperimento, true)
    ->Arg(0)
    ->Arg(16 << 20)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_CarregarExperimento, false)
    ->Arg(0)
    ->Arg(16 << 20)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
