// A three-hour recording (9990 s) on virtual time: a move every 300 ms,
// behaviour A held the whole session and B held five seconds out of every
// ten, then the session end: Finalizar of both recorders, the raw files and
// the record file. Reports the cost per event while recording and the cost
// of the session end.
#include "BancadaSessao.h"
#include "recording/TRelogioVirtual.h"
#include "recording/TSessao.h"

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

namespace {

void BM_SessaoDeTresHoras(benchmark::State &state) {
    BancadaSessao b(kArena6x6, "Labirinto=ARENA (6x6)\r\nQdeInicios=1\r\nTempoSecao=9990\r\n"
                               "InicioX1=3\r\nInicioY1=3\r\nComecoQueda=3\r\nCompTipo=Comp1\r\n"
                               "[Comp1]\r\n1=Limpeza\r\n2=Levantar\r\n");
    TRelogioVirtual relogio;
    TSessao sessao(b.usuario, b.labirinto, b.interacao, relogio);
    sessao.Abrir();

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
            sessao.TeclaPressionada(QLatin1Char(ciclo[k % 4]));
            if (t % 10000 == 0)
                sessao.TeclaAbaixada(Qt::Key_B);
            else if (t % 10000 == 5100)
                sessao.TeclaLiberada(Qt::Key_B);
            eventos += 1 + (t % 10000 == 0 || t % 10000 == 5100);
        }
        msEventos += cronometro.nsecsElapsed() / 1e6;
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
}
BENCHMARK(BM_SessaoDeTresHoras)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
