#include "AmbienteAnalise.h"
#include "LeitorPlanilha.h"
#include "TInteracaoFalsa.h"
#include "analysis/TAnalise.h"
#include "analysis/TDados.h"
#include "analysis/TFolhaAnalise.h"
#include "app/TIdioma.h"
#include "core/Arquivos.h"
#include "data/TPlanilhaXLS.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

using AmbienteAnalise::Ambiente;
using LeitorPlanilha::Celulas;

Q_DECLARE_METATYPE(TAnalise::Tipo)
Q_DECLARE_METATYPE(TAnalise::Operacao)

namespace {

QStringList lista(const char *nomes) {
    return QString::fromLatin1(nomes).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QVariantList numeros(std::initializer_list<double> v) {
    QVariantList r;
    for (double x : v)
        r << x;
    return r;
}

QByteArray ler(const QString &caminho) {
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One run with its own window objects.
struct Execucao {
    Ambiente &a;
    TDados dados;
    TPlanilhaXLS planilha;
    TInteracaoFalsa interacao;
    QList<bool> ampulheta;
    QStringList ordem; // "on", "off" and messages, as they happened

    explicit Execucao(Ambiente &amb) : a(amb) {}
    TAnalise::Resultado rodar(TAnalise::Tipo tipo, const QString &saida,
                              TAnalise::Substituicao s = TAnalise::Perguntar) {
        TAnalise an(*a.u, dados, planilha, &interacao);
        an.Ampulheta = [this](bool on) {
            ampulheta << on;
            ordem << (on ? "on" : "off");
        };
        const int antes = static_cast<int>(interacao.mensagens.size());
        const TAnalise::Resultado r = an.Executar(tipo, saida, s);
        for (int i = antes; i < interacao.mensagens.size(); ++i)
            ordem << interacao.mensagens[i];
        return r;
    }
};

QString texto(const Ambiente &a, const char *chave) {
    return TIdioma::Ler(a.u->ArquivoIdioma, "UnitSelecionarGrupo", QLatin1String(chave));
}

} // namespace

class TstAnalise : public QObject {
    Q_OBJECT

private slots:
    void despacho_data() {
        QTest::addColumn<TAnalise::Tipo>("tipo");
        QTest::addColumn<QString>("labirinto");
        QTest::addColumn<TAnalise::Operacao>("operacao");
        using A = TAnalise;
        struct Caso {
            A::Tipo tipo;
            const char *labirinto;
            A::Operacao op;
        };
        const Caso casos[] = {
            {A::Compacta, "CRUZ (5)", A::CompactaCruz},
            {A::Compacta, "ARENA (6x6)", A::CompactaArena},
            {A::Compacta, "EM I (3)", A::CompactaEmI},
            {A::Compacta, "ARENA (4x4)", A::NaoDisponivel},
            {A::Compacta, "EM T (5)", A::NaoDisponivel},
            {A::Compacta, "ARENA (5x7)", A::Nenhuma},
            {A::CompactaPorBraco, "CRUZ (6)", A::CompactaCruzBraco},
            {A::CompactaPorBraco, "ARENA (6x6)", A::Nenhuma},
            {A::CompactaPorBraco, "EM I (5)", A::Nenhuma},
            {A::CompactaMinuto, "CRUZ (3)", A::CompactaMinutoCruz},
            {A::CompactaMinuto, "EM I (5)", A::CompactaMinutoEmI},
            {A::CompactaMinuto, "ARENA (6x6)", A::NaoDisponivel},
            {A::CompactaMinuto, "ARENA (4x4)", A::NaoDisponivel},
            {A::CompactaMinuto, "EM T (5)", A::NaoDisponivel},
            {A::CompactaMinuto, "ARENA (5x7)", A::Nenhuma},
            {A::CompactaPorBracoMinuto, "CRUZ (5)", A::CompactaMinutoCruzBraco},
            {A::CompactaPorBracoMinuto, "EM T (5)", A::Nenhuma},
            {A::Quadrado, "ARENA (5x7)", A::QuadradoAQuadrado},
            {A::Quadrado, "EM T (5)", A::QuadradoAQuadrado},
            {A::QuadradoMinuto, "CRUZ (3)", A::QuadradoAQuadradoMinuto},
            {A::Compacta, "cruz (3)", A::Nenhuma},
        };
        for (const Caso &c : casos)
            QTest::addRow("%s %s", qPrintable(A::NomeDoTipo(c.tipo)), c.labirinto)
                << c.tipo << QString::fromLatin1(c.labirinto) << c.op;
    }
    void despacho() {
        QFETCH(TAnalise::Tipo, tipo);
        QFETCH(QString, labirinto);
        QFETCH(TAnalise::Operacao, operacao);
        QCOMPARE(TAnalise::Despacho(tipo, labirinto), operacao);
        TAnalise::Tipo lido;
        QVERIFY(TAnalise::TipoDoNome(TAnalise::NomeDoTipo(tipo), &lido));
        QCOMPARE(lido, tipo);
    }

    void habilitados_data() {
        QTest::addColumn<QString>("labirinto");
        QTest::addColumn<QString>("esperado"); // by kind, "-" when left as they are
        QTest::newRow("cross") << "CRUZ (5)"
                               << "111111";
        QTest::newRow("6 x 6 arena") << "ARENA (6x6)"
                                     << "111111";
        QTest::newRow("I maze") << "EM I (3)"
                                << "101101";
        QTest::newRow("T maze") << "EM T (5)"
                                << "001001";
        QTest::newRow("user arena") << "ARENA (5x7)"
                                    << "001001";
        QTest::newRow("4 x 4 arena") << "ARENA (4x4)"
                                     << "001001";
        QTest::newRow("unknown") << "LABIRINTO (3)"
                                 << "-";
        QTest::newRow("no bracket") << "CRUZ"
                                    << "-";
    }
    void habilitados() {
        QFETCH(QString, labirinto);
        QFETCH(QString, esperado);
        std::array<bool, 6> h{};
        const bool conhecido = TAnalise::Habilitados(labirinto, &h);
        QString obtido = QStringLiteral("-");
        if (conhecido) {
            obtido.clear();
            for (bool b : h)
                obtido += b ? '1' : '0';
        }
        QCOMPARE(obtido, esperado);
    }

    // The worked example of the three-square cross, with a behaviour that
    // occurs in three regions and one that never occurs.
    void cruzExemplo() {
        Ambiente a(QStringLiteral("CRUZ (3)"), 300, {{1, "A"}, {2, "Parado"}});
        a.registro(QStringLiteral("r1.tvl"),
                   AmbienteAnalise::caminho(lista("D4 D3 D2 D3 D4 C4 B4 A4"), 10000, 300000) +
                       AmbienteAnalise::linha("D3", "A", 12000, 14000, 1, 1) +
                       AmbienteAnalise::linha("D4", "A", 45000, 46000, 1, 1) +
                       AmbienteAnalise::linha("A4", "A", 100000, 103000, 2, 1));
        Execucao e(a);
        e.dados.InserirGrupo("g", {"r1.tvl"});
        const QString saida = a.dir.filePath("cruz");
        QCOMPARE(e.rodar(TAnalise::Compacta, saida), TAnalise::Sucesso);
        const QString final = saida + ".XLS";
        QVERIFY(Arquivos::somenteLeitura(final));
        const Celulas c = LeitorPlanilha::lerArquivo(final);

        QCOMPARE(LeitorPlanilha::linha(c, 5, 1, 3), (QVariantList{1, "r1", "ana"}));
        QCOMPARE(LeitorPlanilha::linha(c, 5, 4, 15),
                 numeros({1, 1, 50, 0, 1, 30, 250, 0, 230, 20, 3, 3}));
        QCOMPARE(LeitorPlanilha::linha(c, 5, 16, 27),
                 numeros({1, 1, 0, 1, 1, 3, 2, 3, 0, 3, 1, 6}));
        QCOMPARE(LeitorPlanilha::linha(c, 5, 28, 39),
                 numeros({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
        QCOMPARE(LeitorPlanilha::ultimaColuna(c), 39);
        QCOMPARE(LeitorPlanilha::ultimaLinha(c), 5);

        QCOMPARE(LeitorPlanilha::linha(c, 4, 1, 3), (QVariantList{"SS", "S/N", "EXP"}));
        QCOMPARE(c.value({3, 2}), QVariant("Inj"));
        QCOMPARE(LeitorPlanilha::linha(c, 1, 4, 15), QVariantList(12, "ENTRADA"));
        QCOMPARE(LeitorPlanilha::linha(c, 2, 4, 15),
                 (QVariantList{"FREQUENCIA", "FREQUENCIA", "FREQUENCIA", "FREQUENCIA", "FREQUENCIA",
                               "TEMPO", "TEMPO", "TEMPO", "TEMPO", "TEMPO", "CRUZAMENTO",
                               "CRUZAMENTO"}));
        QCOMPARE(LeitorPlanilha::linha(c, 3, 4, 15),
                 (QVariantList{"BRACO", "BRACO", "BRACO", "EXTREMIDADE", "EXTREMIDADE", "BRACO",
                               "BRACO", "EXTREMIDADE", "EXTREMIDADE", "CENTRO", "BRACO", "BRACO"}));
        QCOMPARE(LeitorPlanilha::linha(c, 4, 4, 15),
                 (QVariantList{"ABERTO", "FECHADO", "%ABERTO", "ABERTO", "FECHADO", "ABERTO",
                               "FECHADO", "ABERTO", "FECHADO", "CENTRO", "ABERTO", "FECHADO"}));
        QCOMPARE(LeitorPlanilha::linha(c, 1, 16, 27), QVariantList(12, "A"));
        QCOMPARE(LeitorPlanilha::linha(c, 1, 28, 39), QVariantList(12, "Parado"));
        QCOMPARE(LeitorPlanilha::linha(c, 3, 28, 39),
                 (QVariantList{"BRACO", "BRACO", "EXTREMIDADE", "EXTREMIDADE", "CENTRO", "TOTAL",
                               "BRACO", "BRACO", "EXTREMIDADE", "EXTREMIDADE", "CENTRO", "TOTAL"}));

        // The hourglass was on during the run and off before the message.
        QCOMPARE(e.ordem, (QStringList{"on", "off", texto(a, "GeradoComSucessoMessage")}));
    }

    // The other three variants, on short walks (10 s per square, the last
    // square to the end of the 300-second session).
    void variantes_data() {
        QTest::addColumn<QString>("labirinto");
        QTest::addColumn<TAnalise::Tipo>("tipo");
        QTest::addColumn<QStringList>("caminho");
        QTest::addColumn<int>("de");
        QTest::addColumn<QVariantList>("valores");
        QTest::addColumn<QVariantList>("titulos4"); // row 4 from the same column
        // Arms: north D1-D3, south D5-D7, west A4-C4, east E4-G4. The move
        // G4 -> C4 (closed to closed) enters no arm.
        QTest::newRow("per arm")
            << "CRUZ (3)" << TAnalise::CompactaPorBraco << lista("D4 D3 D2 D1 D2 D4 E4 F4 G4 C4")
            << 4
            << QVariantList{{}, {}, {}, {}, {}} +
                   numeros({1, 0, 1, 0, 40, 0, 30, 210, 20, 1, 0, 1, 0, 10, 0, 10, 0, 4, 0, 3, 1})
            << QVariantList{{},      {},      {},      {},      {},      "NORTE", "SUL",
                            "LESTE", "OESTE", "NORTE", "SUL",   "LESTE", "OESTE", "CENTRO",
                            "NORTE", "SUL",   "LESTE", "OESTE", "NORTE", "SUL",   "LESTE",
                            "OESTE", "NORTE", "SUL",   "LESTE", "OESTE"};
        // Centre C3 D4, corners A1 F6, one wall B1, intermediate C2.
        QTest::newRow("arena")
            << "ARENA (6x6)" << TAnalise::Compacta << lista("A1 B1 C2 C3 D4 F6") << 4
            << QVariantList{{}, {}, {}, {}, {}, {}} + numeros({1, 1, 2, 2, 1, 20, 10, 270, 260, 10})
            << QVariantList{"DATA",     "PESO",   "DATA",          "PESO",      "D",
                            "BF",       "CENTRO", "INTERMEDIARIA", "PERIFERIA", "2 PAREDES",
                            "1 PAREDE", "CENTRO", "INTERMEDIARIA", "PERIFERIA", "2 PAREDES",
                            "1 PAREDE"};
        // Open half D1-F1, ends A1 and F1; the first placement counts in the
        // closed half too.
        QTest::newRow("I maze") << "EM I (3)" << TAnalise::Compacta << lista("A1 B1 C1 D1 E1 F1")
                                << 4 << numeros({1, 1, 50, 1, 1, 270, 30, 250, 10, 3, 3})
                                << QVariantList{"ABERTO",  "FECHADO", "%ABERTO", "ABERTO",
                                                "FECHADO", "ABERTO",  "FECHADO", "ABERTO",
                                                "FECHADO", "ABERTO",  "FECHADO"};
        QTest::newRow("cross starting in a closed arm")
            << "CRUZ (5)" << TAnalise::Compacta << lista("E6 F6") << 4
            << numeros({0, 0, 0, 0, 0, 0, 10, 0, 0, 290, 0, 1})
            << QVariantList{"ABERTO",  "FECHADO", "%ABERTO", "ABERTO", "FECHADO", "ABERTO",
                            "FECHADO", "ABERTO",  "FECHADO", "CENTRO", "ABERTO",  "FECHADO"};
        QTest::newRow("cross starting at an open arm's end")
            << "CRUZ (5)" << TAnalise::Compacta << lista("F1 F2 F3") << 4
            << numeros({1, 0, 100, 1, 0, 300, 0, 20, 0, 0, 3, 0}) << QVariantList{"ABERTO"};
    }
    void variantes() {
        QFETCH(QString, labirinto);
        QFETCH(TAnalise::Tipo, tipo);
        QFETCH(QStringList, caminho);
        QFETCH(int, de);
        QFETCH(QVariantList, valores);
        QFETCH(QVariantList, titulos4);
        Ambiente a(labirinto);
        a.registro("r.tvl", AmbienteAnalise::caminho(caminho, 10000, 300000));
        Execucao e(a);
        e.dados.InserirGrupo("g", {"r"});
        QCOMPARE(e.rodar(tipo, a.dir.filePath("s.xls")), TAnalise::Sucesso);
        const Celulas c = LeitorPlanilha::lerArquivo(a.dir.filePath("s.xls"));
        const int ate = de + static_cast<int>(valores.size()) - 1;
        QCOMPARE(LeitorPlanilha::linha(c, 5, de, ate), valores);
        QCOMPARE(LeitorPlanilha::ultimaColuna(c), ate);
        QCOMPARE(LeitorPlanilha::linha(c, 4, de, de + static_cast<int>(titulos4.size()) - 1),
                 titulos4);
        QCOMPARE(c.value({1, ate}), QVariant("ENTRADA"));
    }

    void gruposEArquivos() {
        Ambiente a(QStringLiteral("CRUZ (3)"));
        for (const char *n : {"a1", "a2", "a3", "b1", "b2", "b3"})
            a.registro(QString::fromLatin1(n) + ".tvl",
                       AmbienteAnalise::caminho({"D4"}, 1, 300000));
        Execucao e(a);
        e.dados.InserirGrupo("A", {"a1.tvl", "a2", "a3.tvl"});
        e.dados.InserirGrupo("vazio", {"x"});
        e.dados.SubstituirArquivos("vazio", {}); // a group left without files
        e.dados.InserirGrupo("B", {"b1", "b2", "b3"});
        QCOMPARE(e.rodar(TAnalise::Compacta, a.dir.filePath("g")), TAnalise::Sucesso);
        const Celulas c = LeitorPlanilha::lerArquivo(a.dir.filePath("g.XLS"));
        QCOMPARE(LeitorPlanilha::ultimaLinha(c), 10);
        QStringList rotulos;
        for (int l = 5; l <= 10; ++l) {
            QCOMPARE(c.value({l, 1}), QVariant(((l - 5) % 3) + 1));
            QCOMPARE(c.value({l, 1}).typeId(), QMetaType::Int); // an integer cell
            rotulos << c.value({l, 2}).toString();
        }
        QCOMPARE(rotulos, lista("a1 a2 a3 b1 b2 b3"));
    }

    void rotulo_data() {
        QTest::addColumn<QString>("arquivo");
        QTest::addColumn<QString>("rotulo");
        QTest::newRow("extension") << "rato1.tvl"
                                   << "rato1";
        QTest::newRow("none") << "rato1"
                              << "rato1";
        QTest::newRow("folder") << "pasta/rato1.tvl"
                                << "rato1";
        QTest::newRow("inner dot") << "a.b.tvl"
                                   << "avl";
    }
    void rotulo() {
        QFETCH(QString, arquivo);
        QFETCH(QString, rotulo);
        QCOMPARE(TFolhaAnalise::Rotulo(arquivo), rotulo);
    }

    void indisponivel() {
        Ambiente a(QStringLiteral("EM T (5)"));
        a.registro("r.tvl", {});
        Execucao e(a);
        e.dados.InserirGrupo("g", {"r"});
        const QString saida = a.dir.filePath("x.XLS");
        QFile f(saida);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("antigo");
        f.close();
        for (TAnalise::Tipo t : {TAnalise::Compacta, TAnalise::CompactaPorBraco,
                                 TAnalise::CompactaMinuto, TAnalise::CompactaPorBracoMinuto})
            QCOMPARE(e.rodar(t, saida), TAnalise::Indisponivel);
        QCOMPARE(e.interacao.perguntas.size(), 0); // never asked to replace
        QCOMPARE(e.interacao.mensagens,
                 QStringList(4, texto(a, "TFormAnaliseSpeedButtonANALISARClickMessage2")));
        QCOMPARE(ler(saida), QByteArray("antigo"));
        QVERIFY(e.ampulheta.isEmpty());
    }

    void substituirSaida() {
        Ambiente a(QStringLiteral("CRUZ (3)"));
        a.registro("r.tvl", AmbienteAnalise::caminho({"D4"}, 1, 300000));
        Execucao e(a);
        e.dados.InserirGrupo("g", {"r"});
        const QString saida = a.dir.filePath("saida.xls");
        QFile f(saida);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("antigo");
        f.close();
        QVERIFY(Arquivos::marcarSomenteLeitura(saida));

        e.interacao.respostas = {false};
        QCOMPARE(e.rodar(TAnalise::Compacta, saida), TAnalise::Cancelada);
        QCOMPARE(e.interacao.perguntas,
                 QStringList{texto(a, "TFormAnaliseSpeedButtonANALISARClickMessage1")});
        QCOMPARE(e.rodar(TAnalise::Compacta, saida, TAnalise::NaoSubstituir), TAnalise::Existente);
        QCOMPARE(ler(saida), QByteArray("antigo"));

        // A run that fails after the user agreed leaves the old file whole.
        e.dados.InserirGrupo("h", {"falta"});
        QCOMPARE(e.rodar(TAnalise::Compacta, saida, TAnalise::Substituir), TAnalise::Falha);
        QCOMPARE(ler(saida), QByteArray("antigo"));
        QVERIFY(e.interacao.mensagens.last().contains(a.pastaExperimento() + "falta.tvl"));
        QCOMPARE(e.ordem.mid(e.ordem.size() - 3, 2), (QStringList{"on", "off"}));

        // Yes replaces it even though it is read-only.
        e.dados.LimparGrupos();
        e.dados.InserirGrupo("g", {"r"});
        e.interacao.respostas = {true};
        QCOMPARE(e.rodar(TAnalise::Compacta, saida), TAnalise::Sucesso);
        QVERIFY(ler(saida).startsWith(QByteArray::fromHex("0908")));
        QVERIFY(Arquivos::somenteLeitura(saida));
    }

    void registroDanificado() {
        Ambiente a(QStringLiteral("CRUZ (3)"));
        a.registro("bom.tvl", AmbienteAnalise::caminho({"D4"}, 1, 300000));
        a.registro("ruim.tvl", AmbienteAnalise::linha("D4", "ENTRADA", 0, 5, 1, 1) +
                                   "D3\tENTRADA\t5\t9\tquatro\t1\t1\r\n");
        Execucao e(a);
        e.dados.InserirGrupo("g", {"bom", "ruim"});
        QCOMPARE(e.rodar(TAnalise::Compacta, a.dir.filePath("s")), TAnalise::Falha);
        QVERIFY(!QFileInfo::exists(a.dir.filePath("s.XLS")));
        const QString m = e.interacao.mensagens.value(0);
        QVERIFY2(m.contains(a.pastaExperimento() + "ruim.tvl") && m.contains("line 12"),
                 qPrintable(m));
        QCOMPARE(e.interacao.mensagens.size(), 1); // no success message
    }

    // 21 behaviours and "ENTRADA" need columns up to 267 in the cross sheet.
    void grandeDemaisRecusada() {
        QMap<int, QString> muitos;
        for (int i = 1; i <= 21; ++i)
            muitos.insert(i, QStringLiteral("c%1").arg(i));
        Ambiente a(QStringLiteral("CRUZ (3)"), 300, muitos);
        a.registro("r.tvl", AmbienteAnalise::caminho({"D4"}, 1, 300000));
        Execucao e(a);
        e.dados.InserirGrupo("g", {"r"});
        QCOMPARE(e.rodar(TAnalise::Compacta, a.dir.filePath("s")), TAnalise::Falha);
        QVERIFY(!QFileInfo::exists(a.dir.filePath("s.XLS")));
        QVERIFY2(e.interacao.mensagens.value(0).contains("267 columns"),
                 qPrintable(e.interacao.mensagens.value(0)));
        // One behaviour fewer fits exactly.
        muitos.remove(21);
        Perfil::SalvarComportamentos(a.u->Arquivo, a.experimento, "Comp1", muitos);
        QCOMPARE(e.rodar(TAnalise::Compacta, a.dir.filePath("s")), TAnalise::Sucesso);
        QCOMPARE(LeitorPlanilha::ultimaColuna(LeitorPlanilha::lerArquivo(a.dir.filePath("s.XLS"))),
                 255);
    }

    // Per minute, cross: D4 0-40 s, D3 40-80 s, D2 80-120 s, C4 to the end,
    // and a row of minute 6 that no whole minute holds.
    void minutoCruz() {
        Ambiente a(QStringLiteral("CRUZ (3)"), 300, {{1, "A"}});
        const QByteArray linhas = AmbienteAnalise::caminho(lista("D4 D3 D2 C4"), 40000, 300000) +
                                  AmbienteAnalise::linha("D3", "A", 50000, 51000, 1, 1) +
                                  AmbienteAnalise::linha("C4", "ENTRADA", 300000, 300500, 6, 1);
        a.registro("r1.tvl", linhas);
        a.registro("r2.tvl", linhas);
        Execucao e(a);
        e.dados.InserirGrupo("g", {"r1", "r2"});
        QCOMPARE(e.rodar(TAnalise::CompactaMinuto, a.dir.filePath("m")), TAnalise::Sucesso);
        const QByteArray minuto = ler(a.dir.filePath("m.XLS"));
        const Celulas c = LeitorPlanilha::lerArquivo(a.dir.filePath("m.XLS"));
        QCOMPARE(LeitorPlanilha::ultimaLinha(c), 14);
        QCOMPARE(LeitorPlanilha::ultimaColuna(c), 28);
        for (int l = 5; l <= 14; ++l) {
            QCOMPARE(c.value({l, 1}), QVariant(l < 10 ? 1 : 2));
            QCOMPARE(c.value({l, 4}), QVariant(QStringLiteral("MIN: %1").arg((l - 5) % 5 + 1)));
        }
        QCOMPARE(LeitorPlanilha::linha(c, 5, 5, 16),
                 numeros({1, 0, 100, 0, 0, 20, 0, 0, 0, 40, 1, 0}));
        QCOMPARE(LeitorPlanilha::linha(c, 6, 5, 16),
                 numeros({0, 0, 0, 0, 0, 60, 0, 0, 0, 0, 1, 0}));
        QCOMPARE(LeitorPlanilha::linha(c, 7, 5, 16),
                 numeros({0, 1, 0, 0, 0, 0, 60, 0, 0, 0, 0, 1}));
        QCOMPARE(LeitorPlanilha::linha(c, 9, 5, 16),
                 numeros({0, 0, 0, 0, 0, 0, 60, 0, 0, 0, 0, 0}));
        QCOMPARE(LeitorPlanilha::linha(c, 5, 17, 28),
                 numeros({1, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1}));
        QCOMPARE(LeitorPlanilha::linha(c, 4, 1, 4), (QVariantList{"SS", "S/N", "EXP", "MINUTO"}));
        QCOMPARE(c.value({3, 2}), QVariant("INJ"));
        QCOMPARE(LeitorPlanilha::linha(c, 1, 5, 16), QVariantList(12, "ENTRADA"));
        QCOMPARE(LeitorPlanilha::linha(c, 4, 5, 16),
                 (QVariantList{"ABERTO", "FECHADO", "%ABERTO", "ABERTO", "FECHADO", "ABERTO",
                               "FECHADO", "ABERTO", "FECHADO", "CENTRO", "ABERTO", "FECHADO"}));
        QCOMPARE(LeitorPlanilha::linha(c, 1, 17, 28), QVariantList(12, "A"));
        QCOMPARE(LeitorPlanilha::linha(c, 3, 17, 22),
                 (QVariantList{"BRACO", "BRACO", "EXTREMIDADE", "EXTREMIDADE", "CENTRO", "TOTAL"}));

        // The per-arm kind gives the very same file.
        QVERIFY(QFile::remove(a.dir.filePath("m.XLS")));
        QCOMPARE(e.rodar(TAnalise::CompactaPorBracoMinuto, a.dir.filePath("m")), TAnalise::Sucesso);
        QCOMPARE(ler(a.dir.filePath("m.XLS")), minuto);

        // A 30-second session has one minute.
        a.registro("r1.tvl", AmbienteAnalise::caminho({"D4"}, 1, 30000), 30);
        e.dados.SubstituirArquivos("g", {"r1"});
        QCOMPARE(e.rodar(TAnalise::CompactaMinuto, a.dir.filePath("m"), TAnalise::Substituir),
                 TAnalise::Sucesso);
        QCOMPARE(LeitorPlanilha::ultimaLinha(LeitorPlanilha::lerArquivo(a.dir.filePath("m.XLS"))),
                 5);
    }

    // Per minute, I maze: A1 for 30 s, then D1 (open half) to the end.
    void minutoEmI() {
        Ambiente a(QStringLiteral("EM I (3)"));
        a.registro("r.tvl", AmbienteAnalise::caminho(lista("A1 D1"), 30000, 300000));
        Execucao e(a);
        e.dados.InserirGrupo("g", {"r"});
        QCOMPARE(e.rodar(TAnalise::CompactaMinuto, a.dir.filePath("i")), TAnalise::Sucesso);
        const Celulas c = LeitorPlanilha::lerArquivo(a.dir.filePath("i.XLS"));
        QCOMPARE(LeitorPlanilha::linha(c, 5, 4, 15),
                 (QVariantList{"MIN: 1"} + numeros({1, 1, 50, 0, 1, 30, 30, 0, 30, 1, 1})));
        QCOMPARE(LeitorPlanilha::linha(c, 6, 5, 15), numeros({0, 0, 0, 0, 0, 60, 0, 0, 0, 0, 0}));
        QCOMPARE(LeitorPlanilha::ultimaColuna(c), 15);
        QCOMPARE(LeitorPlanilha::linha(c, 2, 5, 15), QVariantList(5, "FREQUENCIA") +
                                                         QVariantList(4, "TEMPO") +
                                                         QVariantList(2, "CRUZAMENTO"));
        QCOMPARE(LeitorPlanilha::linha(c, 3, 13, 15),
                 (QVariantList{"EXTREMIDADE", "BRACO", "BRACO"}));
    }

    // Square by square: D4, D3, D2 for 10 s each, D3 again to the end.
    void quadrado() {
        Ambiente a(QStringLiteral("CRUZ (3)"), 300, {{1, "A"}, {2, "B"}});
        a.registro("r.tvl", AmbienteAnalise::caminho(lista("D4 D3 D2 D3"), 10000, 300000) +
                                AmbienteAnalise::linha("D2", "A", 21000, 22500, 1, 1));
        Execucao e(a);
        e.dados.InserirGrupo("g", {"r", "r"});
        QCOMPARE(e.rodar(TAnalise::Quadrado, a.dir.filePath("q")), TAnalise::Sucesso);
        const Celulas c = LeitorPlanilha::lerArquivo(a.dir.filePath("q.XLS"));
        QCOMPARE(LeitorPlanilha::ultimaLinha(c), 2 + 2 * 2 * 3);
        QCOMPARE(LeitorPlanilha::ultimaColuna(c), 5 + 13);
        QCOMPARE(LeitorPlanilha::linha(c, 2, 1, 8),
                 (QVariantList{"SS", "S/N", "EXP", "COPORTAMENTO", "MEDIDA", "D1", "D2", "D3"}));
        QCOMPARE(c.value({1, 2}), QVariant("INJ"));
        QCOMPARE(c.value({2, 18}), QVariant("G4"));
        // "ENTRADA": every square entry counts, continuations do not.
        QCOMPARE(LeitorPlanilha::linha(c, 3, 1, 9),
                 (QVariantList{1, "r", "ana", "ENTRADA", "FREQUENCIA"} + numeros({0, 1, 2, 1})));
        QCOMPARE(LeitorPlanilha::linha(c, 4, 4, 9),
                 (QVariantList{"ENTRADA", "TEMPO"} + numeros({0, 10, 280, 10})));
        QCOMPARE(LeitorPlanilha::linha(c, 5, 4, 7),
                 (QVariantList{"A", "FREQUENCIA"} + numeros({0, 1})));
        QCOMPARE(LeitorPlanilha::linha(c, 6, 7, 7), numeros({1.5}));
        QCOMPARE(LeitorPlanilha::linha(c, 8, 4, 18),
                 (QVariantList{"B", "TEMPO"} + numeros({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})));
        QCOMPARE(c.value({9, 1}), QVariant(2));

        // A user-made arena: 35 squares named row by row.
        Ambiente b(QStringLiteral("ARENA (5x7)"));
        b.registro("r.tvl", AmbienteAnalise::caminho(lista("E1 A2"), 10000, 300000));
        Execucao f(b);
        f.dados.InserirGrupo("g", {"r"});
        QCOMPARE(f.rodar(TAnalise::Quadrado, b.dir.filePath("q")), TAnalise::Sucesso);
        const Celulas d = LeitorPlanilha::lerArquivo(b.dir.filePath("q.XLS"));
        QCOMPARE(LeitorPlanilha::ultimaColuna(d), 40);
        QCOMPARE(LeitorPlanilha::linha(d, 2, 10, 12), (QVariantList{"E1", "A2", "B2"}));
        QCOMPARE(LeitorPlanilha::linha(d, 4, 10, 11), numeros({10, 290}));
    }

    void quadradoMinuto() {
        Ambiente a(QStringLiteral("CRUZ (3)"), 180, {{1, "A"}, {2, "B"}});
        a.registro("r.tvl", AmbienteAnalise::caminho(lista("D4 D3"), 90000, 180000), 180);
        Execucao e(a);
        e.dados.InserirGrupo("g", {"r"});
        QCOMPARE(e.rodar(TAnalise::QuadradoMinuto, a.dir.filePath("qm")), TAnalise::Sucesso);
        const Celulas c = LeitorPlanilha::lerArquivo(a.dir.filePath("qm.XLS"));
        QCOMPARE(LeitorPlanilha::ultimaLinha(c), 2 + 18);
        QCOMPARE(LeitorPlanilha::ultimaColuna(c), 6 + 13);
        QCOMPARE(LeitorPlanilha::linha(c, 2, 4, 8),
                 (QVariantList{"COPORTAMENTO", "MEDIDA", "MINUTO", "D1", "D2"}));
        QStringList minutos;
        for (int l = 3; l <= 20; ++l)
            minutos << c.value({l, 6}).toString();
        QCOMPARE(minutos.mid(0, 8), (QStringList{"MIN: 1", "MIN: 1", "MIN: 2", "MIN: 2", "MIN: 3",
                                                 "MIN: 3", "MIN: 1", "MIN: 1"}));
        // D4 0-60 (minute 1), 60-90 (minute 2); D3 90-120 (2), 120-180 (3).
        QCOMPARE(LeitorPlanilha::linha(c, 3, 7, 10), numeros({0, 0, 0, 1}));
        QCOMPARE(LeitorPlanilha::linha(c, 6, 7, 10), numeros({0, 0, 30, 30}));
        QCOMPARE(LeitorPlanilha::linha(c, 7, 9, 10), numeros({0, 0}));
        QCOMPARE(LeitorPlanilha::linha(c, 8, 9, 10), numeros({60, 0}));
        QCOMPARE(LeitorPlanilha::linha(c, 9, 4, 6), (QVariantList{"A", "FREQUENCIA", "MIN: 1"}));
    }

    // 3 behaviours over 60000 minutes would need 360000 rows.
    void linhasDemaisRecusadas() {
        Ambiente a(QStringLiteral("CRUZ (3)"), 300, {{1, "A"}, {2, "B"}});
        a.registro("r.tvl", AmbienteAnalise::caminho({"D4"}, 1, 300000), 3600000);
        Execucao e(a);
        e.dados.InserirGrupo("g", {"r"});
        QCOMPARE(e.rodar(TAnalise::QuadradoMinuto, a.dir.filePath("s")), TAnalise::Falha);
        QVERIFY2(e.interacao.mensagens.value(0).contains("360002 rows"),
                 qPrintable(e.interacao.mensagens.value(0)));
        QVERIFY(!QFileInfo::exists(a.dir.filePath("s.XLS")));
    }

    // An independent reader of the format reads an analysis back, accented
    // names included.
    void lidaPorOutroLeitor() {
        QString python;
        for (const QString &c : {QStandardPaths::findExecutable(QStringLiteral("python3")),
                                 QStringLiteral("/usr/bin/python3")}) {
            if (c.isEmpty() || !QFileInfo::exists(c)) continue;
            QProcess teste;
            teste.start(c, {QStringLiteral("-c"), QStringLiteral("import xlrd")});
            if (teste.waitForFinished(20000) && teste.exitStatus() == QProcess::NormalExit &&
                teste.exitCode() == 0) {
                python = c;
                break;
            }
        }
        if (python.isEmpty())
            QSKIP("python3 with the xlrd module is not installed (Debian package python3-xlrd)");

        Ambiente a(QStringLiteral("CRUZ (3)"), 300, {{1, "Posição"}}, QStringLiteral("José"));
        a.registro("rato1.tvl", AmbienteAnalise::caminho(lista("D4 D3"), 30000, 300000) +
                                    AmbienteAnalise::linha("D3", "Posição", 40000, 41500, 1, 1));
        Execucao e(a);
        e.dados.InserirGrupo("g", {"rato1.tvl"});
        const QString saida = a.dir.filePath("interop.xls");
        QCOMPARE(e.rodar(TAnalise::Compacta, saida), TAnalise::Sucesso);

        const char *script = R"PY(
import json, sys, xlrd
s = xlrd.open_workbook(sys.argv[1], encoding_override="cp1252").sheet_by_index(0)
print(json.dumps([[s.cell(r, c).ctype, s.cell(r, c).value] for r, c in
                  [(4, 0), (4, 1), (4, 2), (4, 3), (4, 8), (0, 15), (0, 26), (3, 5), (4, 21)]]))
)PY";
        QProcess proc;
        proc.start(python, {QStringLiteral("-c"), QString::fromUtf8(script), saida});
        QVERIFY(proc.waitForFinished(30000));
        QVERIFY2(proc.exitCode() == 0, proc.readAllStandardError().constData());
        const QJsonArray obtido = QJsonDocument::fromJson(proc.readAllStandardOutput()).array();
        const int texto = 1, numero = 2; // xlrd's cell kinds
        const QJsonArray esperado{
            QJsonArray{numero, 1},        QJsonArray{texto, "rato1"},
            QJsonArray{texto, "José"},    QJsonArray{numero, 1},
            QJsonArray{numero, 270},      QJsonArray{texto, "Posição"},
            QJsonArray{texto, "Posição"}, QJsonArray{texto, "%ABERTO"},
            QJsonArray{numero, 1.5},
        };
        QCOMPARE(obtido, esperado);
    }
};

QTEST_GUILESS_MAIN(TstAnalise)
#include "tst_analise.moc"
