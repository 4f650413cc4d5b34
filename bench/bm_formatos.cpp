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
#include "analysis/TAnalise.h"
#include "analysis/TDados.h"
#include "core/Perfil.h"
#include "core/TExperimento.h"
#include "core/TInteracao.h"
#include "core/TUsuario.h"
#include "data/TPlanilha.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <map>
#include <memory>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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

struct Ambiente {
    QTemporaryDir dir;
    QString dados;
    std::unique_ptr<TUsuario> u;
    std::map<int, std::unique_ptr<Gravador>> folhas; // by kind

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
            QFile f(pasta + QStringLiteral("r%1.tvl").arg(i));
            if (!f.open(QIODevice::WriteOnly)) qFatal("cannot write a record");
            f.write(r);
        }
    }

    const Gravador &folha(TAnalise::Tipo tipo) {
        auto &g = folhas[tipo];
        if (!g) {
            g = std::make_unique<Gravador>();
            TDados d;
            for (int k = 0; k < kGrupos; ++k) {
                QStringList a;
                for (int f = 0; f < kArquivos; ++f)
                    a << QStringLiteral("r%1.tvl").arg(k * kArquivos + f);
                d.InserirGrupo(QStringLiteral("g%1").arg(k), a);
            }
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

} // namespace

BENCHMARK_MAIN();
