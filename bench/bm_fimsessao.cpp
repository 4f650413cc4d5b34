// Measures, on the real clock, how close the session end comes to its due
// time: sessions of 2 s with a 500 ms pause after a fall, so the end is due
// 2500 ms after the first 5. Prints the error of each session and the
// worst. Not a unit test: run by hand (takes about 30 s).
#include "BancadaSessao.h"
#include "recording/TRelogioQt.h"
#include "recording/TSessao.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    BancadaSessao b(kArena6x6, "Labirinto=ARENA (6x6)\r\nQdeInicios=1\r\nTempoSecao=2\r\n"
                               "InicioX1=3\r\nInicioY1=3\r\nComecoQueda=3\r\n");
    TRelogioQt relogio;
    TSessao sessao(b.usuario, b.labirinto, b.interacao, relogio);
    sessao.Abrir();

    const int sessoes = 12;
    std::vector<double> erros;
    QElapsedTimer cronometro;
    QObject::connect(&sessao, &TSessao::UltimaIdentificacaoAlterada,
                     [&] { erros.push_back(cronometro.nsecsElapsed() / 1e6 - 2500.0); });
    for (int n = 0; n < sessoes; ++n) {
        sessao.ConfirmarIdentificacao(QStringLiteral("rato%1").arg(n));
        QEventLoop laco;
        QObject::connect(&sessao, &TSessao::UltimaIdentificacaoAlterada, &laco, &QEventLoop::quit);
        cronometro.start();
        sessao.TeclaPressionada(QLatin1Char('5'));
        QTimer::singleShot(700, Qt::PreciseTimer, [&] { sessao.TeclaPressionada(QChar(27)); });
        QTimer::singleShot(1200, Qt::PreciseTimer,
                           [&] { sessao.TeclaPressionada(QLatin1Char('5')); });
        laco.exec();
    }
    for (double e : erros)
        std::printf("session end - due time: %+.3f ms\n", e);
    std::vector<double> a(erros);
    for (double &x : a)
        x = std::abs(x);
    std::sort(a.begin(), a.end());
    std::printf("%zu sessions: median |error| %.3f ms, worst %.3f ms\n", a.size(), a[a.size() / 2],
                a.back());
    return a.back() <= 20 ? 0 : 1;
}
