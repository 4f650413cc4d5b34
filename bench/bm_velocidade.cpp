// What the analyses and a long replay cost against the work no program can
// avoid, timed side by side in the same run (CPU time of this process,
// medians of paired rounds, so that a busy machine slows both alike):
//
// - a bare reader that reads every record file, splits every line at its
//   tabs and converts the five numeric fields of every row, against each
//   analysis kind over the same full-capacity data (51 groups of 51 files,
//   about 870 rows each), saving included; and against the square-by-square
//   per-minute sheet of the first 24 groups;
// - writing the bytes of a 9,990 s recording, against replaying the script
//   of that recording (about 35,000 events) into its record file.
//
//   build-bench/bench/bm_velocidade [rounds] [workload...]     (default 5, all)
//
// A workload is a kind's command-line name ("quadrado-minuto"), "24" (the
// per-minute square sheet of the first 24 groups) or "replay"; naming some
// runs only those (to profile one). Prints one line per workload: the
// medians and the median of the ratios.
#include "analysis/TAnalise.h"
#include "analysis/TDados.h"
#include "core/Perfil.h"
#include "core/TExperimento.h"
#include "core/TInteracao.h"
#include "core/TUsuario.h"
#include "data/TPlanilhaXLS.h"
#include "recording/ComandoReplay.h"

#include "BancadaAnalise.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

double cpu() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The full-capacity data: 2,601 records of a 300 s session in the
// three-square cross, 600 square entries (cut at the minutes) and 250
// bouts of one behaviour each.
struct Dados : BancadaAnalise {
    Dados() : BancadaAnalise({600, 250, 1200, 800, 300}) {}
    void grupos(TDados &d, int qde) const { Grupos(d, qde); }
};

// The floor: read, split every line at its tabs, convert the five numbers.
double leitorNu(const QStringList &caminhos, int primeiros) {
    static std::vector<char> buf;
    double soma = 0;
    for (int i = 0; i < primeiros; ++i) {
        const int fd = ::open(QFile::encodeName(caminhos[i]).constData(), O_RDONLY);
        if (fd < 0) qFatal("cannot open %s", qPrintable(caminhos[i]));
        size_t n = 0;
        buf.resize(1 << 16);
        for (ssize_t k; (k = ::read(fd, buf.data() + n, buf.size() - n)) > 0;) {
            n += size_t(k);
            if (n == buf.size()) buf.resize(buf.size() * 2);
        }
        ::close(fd);
        const char *p = buf.data(), *fim = p + n;
        for (int l = 0; p < fim; ++l) {
            const char *nl = static_cast<const char *>(std::memchr(p, '\n', size_t(fim - p)));
            const char *e = nl ? nl : fim;
            if (l >= 10) {
                const char *c = p;
                for (int campo = 0; campo < 7 && c < e; ++campo) {
                    const char *tab =
                        static_cast<const char *>(std::memchr(c, '\t', size_t(e - c)));
                    const char *f = tab ? tab : (e > c && e[-1] == '\r' ? e - 1 : e);
                    if (campo >= 2) {
                        double v = 0;
                        std::from_chars(c, f, v);
                        soma += v;
                    }
                    c = tab ? tab + 1 : e;
                }
            }
            p = nl ? nl + 1 : fim;
        }
    }
    return soma;
}

struct Medida {
    const char *nome;
    std::vector<double> programa, piso, razao;
};

void imprimir(const Medida &m) {
    std::printf(
        "%-34s program %7.3f s   floor %7.3f s   ratio %5.2f (median of %zu paired rounds)\n",
        m.nome, mediana(m.programa), mediana(m.piso), mediana(m.razao), m.razao.size());
}

// The profile of the replay: one start in the cross, 9,990 s sessions.
void dadosReplay(const QString &raiz) {
    QDir().mkpath(raiz + QStringLiteral("usuarios/ana/exp"));
    QDir().mkpath(raiz + QStringLiteral("idiomas"));
    QFile::copy(QStringLiteral(TREVALIN_RESOURCES "/Labirintos.ini"),
                raiz + QStringLiteral("Labirintos.ini"));
    for (const QString &f :
         QDir(QStringLiteral(TREVALIN_RESOURCES "/idiomas")).entryList(QDir::Files))
        QFile::copy(QStringLiteral(TREVALIN_RESOURCES "/idiomas/") + f,
                    raiz + QStringLiteral("idiomas/") + f);
    QFile p(raiz + QStringLiteral("usuarios/ana.ini"));
    if (!p.open(QIODevice::WriteOnly)) qFatal("cannot write the profile");
    p.write(
        "[Experimentos]\r\nQdeExp=1\r\n1=exp\r\n[exp]\r\nConfigurado=1\r\nLabirinto=CRUZ (3)\r\n"
        "CompTipo=Comp1\r\nQdeInicios=1\r\nTempoSecao=9990\r\nDistancia=25\r\n"
        "DivisoesDaSecao=10\r\nInicioX1=4\r\nInicioY1=4\r\nInicioX2=4\r\nInicioY2=1\r\n"
        "ComecoQueda=1\r\n[Comp1]\r\n1=Limpeza\r\n2=Levantar\r\n3=Farejar\r\n4=Co\xE7"
        "ar\r\n");
}

// About 35,000 events over 9,990 s: moves on the keypad and behaviour keys
// pressed and released.
QByteArray roteiroLongo() {
    QRandomGenerator gen(9990u);
    QByteArray r("0 5\n");
    const char *const letras[] = {"A", "B", "C", "D"};
    bool abaixada[4] = {};
    for (qint64 t = 0; t < 9990000;) {
        t += 1 + gen.bounded(570);
        const int k = gen.bounded(100);
        if (k < 60) {
            r += QByteArray::number(t) + ' ' + QByteArray::number(1 + gen.bounded(9)) + '\n';
        } else {
            const int l = gen.bounded(4);
            r += QByteArray::number(t) + (abaixada[l] ? " up " : " down ") + letras[l] + '\n';
            abaixada[l] = !abaixada[l];
        }
    }
    return r;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const int rodadas = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QStringList escolhidos;
    for (int i = 2; i < argc; ++i)
        escolhidos << QString::fromLocal8Bit(argv[i]);
    auto roda = [&escolhidos](const QString &nome) {
        return escolhidos.isEmpty() || escolhidos.contains(nome);
    };

    Dados dados;
    std::printf("%lld files, %lld rows, %.1f MB\n", static_cast<long long>(dados.caminhos.size()),
                static_cast<long long>(dados.linhas), double(dados.bytes) / 1e6);
    TDados todos, primeiros;
    dados.grupos(todos, kGrupos);
    dados.grupos(primeiros, 24);
    TPlanilhaXLS planilha;
    Silencio silencio;

    std::vector<Medida> medidas;
    for (int t = TAnalise::Compacta; t <= TAnalise::QuadradoMinuto; ++t) {
        static std::vector<QByteArray> nomes;
        nomes.push_back(TAnalise::NomeDoTipo(TAnalise::Tipo(t)).toUtf8());
        medidas.push_back(Medida{nomes.back().constData(), {}, {}, {}});
    }
    medidas.push_back(Medida{"quadrado-minuto, 24 groups", {}, {}, {}});
    Medida replay{"replay of 9,990 s (in process)", {}, {}, {}};

    QTemporaryDir dirReplay;
    const QString raiz = dirReplay.path() + QLatin1Char('/');
    dadosReplay(raiz);
    const QString roteiro = raiz + QStringLiteral("roteiro.txt");
    {
        QFile f(roteiro);
        if (!f.open(QIODevice::WriteOnly)) qFatal("cannot write the script");
        f.write(roteiroLongo());
    }

    double lixo = 0;
    for (int rodada = 0; rodada < rodadas; ++rodada) {
        for (size_t k = 0; k < medidas.size(); ++k) {
            const bool parcial = k == medidas.size() - 1;
            const TAnalise::Tipo tipo = parcial ? TAnalise::QuadradoMinuto : TAnalise::Tipo(k);
            if (!roda(parcial ? QStringLiteral("24") : TAnalise::NomeDoTipo(tipo))) continue;
            double t0 = cpu();
            lixo += leitorNu(dados.caminhos, parcial ? 24 * kArquivos : int(dados.caminhos.size()));
            const double piso = cpu() - t0;
            const QString saida = dados.dir.filePath(QStringLiteral("saida%1.xls").arg(k));
            t0 = cpu();
            TAnalise analise(*dados.u, parcial ? primeiros : todos, planilha, &silencio);
            const TAnalise::Resultado r = analise.Executar(tipo, saida, TAnalise::Substituir);
            const double programa = cpu() - t0;
            if (r != TAnalise::Sucesso) {
                if (rodada == 0)
                    std::printf("%-34s does not run: %s\n", medidas[k].nome,
                                qPrintable(analise.Erro()));
                continue;
            }
            medidas[k].programa.push_back(programa);
            medidas[k].piso.push_back(piso);
            medidas[k].razao.push_back(programa / piso);
        }

        if (!roda(QStringLiteral("replay"))) continue;
        QString out, err;
        QTextStream o(&out), e(&err);
        const QString id = QStringLiteral("rato%1").arg(rodada);
        double t0 = cpu();
        const int codigo =
            ComandoReplay({QStringLiteral("--data"), raiz, QStringLiteral("--user"),
                           QStringLiteral("ana"), QStringLiteral("--experiment"),
                           QStringLiteral("exp"), QStringLiteral("--id"), id, roteiro},
                          o, e);
        const double programa = cpu() - t0;
        if (codigo != 0) qFatal("replay failed: %s", qPrintable(err));
        QFile gravado(raiz + QStringLiteral("usuarios/ana/exp/") + id + QStringLiteral(".tvl"));
        if (!gravado.open(QIODevice::ReadOnly)) qFatal("no record file");
        const QByteArray bytes = gravado.readAll();
        if (rodada == 0)
            std::printf("replay: %lld record bytes, %lld lines\n",
                        static_cast<long long>(bytes.size()),
                        static_cast<long long>(bytes.count('\n')));
        t0 = cpu();
        QFile copia(raiz + QStringLiteral("copia%1.tvl").arg(rodada));
        if (!copia.open(QIODevice::WriteOnly) || copia.write(bytes) != bytes.size())
            qFatal("cannot write the copy");
        copia.close();
        const double piso = cpu() - t0;
        replay.programa.push_back(programa);
        replay.piso.push_back(piso);
        replay.razao.push_back(programa / std::max(piso, 1e-6));
    }
    for (const Medida &m : medidas)
        if (!m.razao.empty()) imprimir(m);
    if (!replay.razao.empty()) imprimir(replay);
    return lixo == 0.12345 ? 1 : 0;
}
