// A three-hour recording (9990 s) on virtual time: a move every 300 ms,
// behaviour A held the whole session and B held five seconds out of every
// ten, then the session end: Finalizar of both recorders, the raw files and
// the record file. Reports the cost per event while recording and the cost
// of the session end, with the recording journal off (argument 0) and on
// (1), and the journal's size just before the session end.
#include "BancadaSessao.h"
#include "recording/TRelogioVirtual.h"
#include "recording/TSessao.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

void BM_SessaoDeTresHoras(benchmark::State &state) {
    BancadaSessao b(kArena6x6, "Labirinto=ARENA (6x6)\r\nQdeInicios=1\r\nTempoSecao=9990\r\n"
                               "InicioX1=3\r\nInicioY1=3\r\nComecoQueda=3\r\nCompTipo=Comp1\r\n"
                               "[Comp1]\r\n1=Limpeza\r\n2=Levantar\r\n");
    TRelogioVirtual relogio;
    TSessao sessao(b.usuario, b.labirinto, b.interacao, relogio);
    sessao.DefinirDiario(state.range(0) != 0);
    sessao.Abrir();
    qint64 bytesDiario = 0;
    qint64 maximo = 0; // ns, the slowest key
    int lentas = 0;    // keys slower than 1 ms

    const qint64 T = 9990 * 1000;
    const char ciclo[] = {'6', '2', '4', '8'};
    int n = 0;
    qint64 eventos = 0;
    double msEventos = 0, msFim = 0;
    int linhas = 0;
    for (auto _ : state) {
        sessao.ConfirmarIdentificacao(QStringLiteral("rato%1").arg(n++));
        const TDataHora t0 = relogio.Agora();
        QElapsedTimer cronometro;
        cronometro.start();
        sessao.TeclaPressionada(QLatin1Char('5'));
        sessao.TeclaAbaixada(Qt::Key_A);
        int k = 0;
        for (qint64 t = 300; t < T; t += 300, ++k) {
            relogio.AvancarAte(t0 + t);
            const qint64 antes = cronometro.nsecsElapsed();
            sessao.TeclaPressionada(QLatin1Char(ciclo[k % 4]));
            const qint64 duracao = cronometro.nsecsElapsed() - antes;
            maximo = std::max(maximo, duracao);
            lentas += duracao > 1000000;
            if (t % 10000 == 0)
                sessao.TeclaAbaixada(Qt::Key_B);
            else if (t % 10000 == 5100)
                sessao.TeclaLiberada(Qt::Key_B);
            eventos += 1 + (t % 10000 == 0 || t % 10000 == 5100);
        }
        msEventos += cronometro.nsecsElapsed() / 1e6;
        bytesDiario = QFileInfo(sessao.ArquivoDiario()).size();
        linhas =
            sessao.Gravacao().RegistroEntradas.Qde + sessao.Gravacao().RegistroComportamentos.Qde;
        cronometro.restart();
        relogio.AvancarAte(t0 + T); // the session timer fires: Finalizar and the files
        msFim += cronometro.nsecsElapsed() / 1e6;
        if (sessao.SessoesEncerradas() != n || !sessao.UltimaGravacao().Ok())
            state.SkipWithError("the session did not end with its record file");
    }
    state.counters["eventos"] = double(eventos) / double(state.iterations());
    state.counters["linhas_antes_do_fim"] = linhas;
    state.counters["us_por_evento"] = msEventos * 1000 / double(eventos);
    state.counters["ms_fim_da_sessao"] = msFim / double(state.iterations());
    state.counters["kib_diario"] = double(bytesDiario) / 1024;
    state.counters["us_tecla_mais_lenta"] = double(maximo) / 1000;
    state.counters["teclas_acima_de_1ms"] = double(lentas) / double(state.iterations());
}
BENCHMARK(BM_SessaoDeTresHoras)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
