#include "AmbienteAnalise.h"
#include "TInteracaoFalsa.h"
#include "analysis/TAnalise.h"
#include "analysis/TDados.h"
#include "analysis/TFolhaAnalise.h"
#include "core/Arquivos.h"
#include "core/TGravacao.h"
#include "core/TIdioma.h"
#include "data/LeitorPlanilha.h"
#include "data/TPlanilhaXLS.h"

#include <QProcess>
#include <QTest>

#include <map>

using namespace AmbienteAnalise;
using namespace LeitorPlanilha;
using A = TAnalise;

Q_DECLARE_METATYPE(TAnalise::Tipo)
Q_DECLARE_METATYPE(TAnalise::Operacao)

namespace {

QVariantList vezes(int n, const char *titulo) {
    return QVariantList(n, QString::fromUtf8(titulo));
}
QString texto(const Ambiente &a, const char *chave) {
    return TIdioma::Ler(a.u->ArquivoIdioma, "UnitSelecionarGrupo", QLatin1String(chave));
}

// A run over group "g" of the files; `ordem` keeps the hourglass ("on",
// "off") and the messages as they came.
struct Execucao {
    Ambiente &a;
    TDados dados;
    TPlanilhaXLS planilha;
    TInteracaoFalsa interacao;
    QStringList ordem;

    explicit Execucao(Ambiente &amb, const QStringList &arquivos = {"r"}) : a(amb) {
        if (!arquivos.isEmpty()) dados.InserirGrupo("g", arquivos);
    }
    A::Resultado rodar(A::Tipo tipo, const QString &saida, A::Substituicao s = A::Perguntar) {
        TAnalise an(*a.u, dados, planilha, &interacao);
        QObject::connect(&an, &TAnalise::Ampulheta,
                         [this](bool on) { ordem << (on ? "on" : "off"); });
        const qsizetype antes = interacao.mensagens.size();
        const A::Resultado r = an.Executar(tipo, saida, s);
        ordem << interacao.mensagens.mid(antes);
        return r;
    }
    // The sheet of a run into a new file (none when it failed).
    Celulas celulas(A::Tipo tipo) {
        static int n = 0;
        const QString saida = a.dir.filePath(QStringLiteral("s%1.XLS").arg(++n));
        if (rodar(tipo, saida) != A::Sucesso) qWarning() << interacao.mensagens;
        return QFileInfo::exists(saida) ? LeitorPlanilha::lerArquivo(saida) : Celulas();
    }
};

} // namespace

class TstAnalise : public QObject {
    Q_OBJECT

    // One data directory per maze and behaviour list.
    std::map<QString, std::unique_ptr<Ambiente>> m_ambientes;
    Ambiente &amb(const QString &labirinto, const QMap<int, QString> &comportamentos = {}) {
        auto &a = m_ambientes[labirinto + QStringList(comportamentos.values()).join('|')];
        if (!a) a = std::make_unique<Ambiente>(labirinto, comportamentos);
        return *a;
    }

private slots:
    // Combinations that no run below makes.
    void despacho_data() {
        QTest::addColumn<A::Tipo>("tipo");
        QTest::addColumn<QString>("labirinto");
        QTest::addColumn<A::Operacao>("operacao");
        auto caso = [](A::Tipo tipo, const char *labirinto, A::Operacao op) {
            QTest::addRow("%s %s", qPrintable(A::NomeDoTipo(tipo)), labirinto)
                << tipo << QString::fromLatin1(labirinto) << op;
        };
        caso(A::Compacta, "ARENA (4x4)", A::NaoDisponivel);
        caso(A::Compacta, "EM T (5)", A::NaoDisponivel);
        caso(A::Compacta, "ARENA (5x7)", A::Nenhuma);
        caso(A::Compacta, "cruz (3)", A::Nenhuma);
        caso(A::CompactaPorBraco, "CRUZ (6)", A::CompactaCruzBraco);
        caso(A::CompactaPorBraco, "ARENA (6x6)", A::Nenhuma);
        caso(A::CompactaPorBraco, "EM I (5)", A::Nenhuma);
        caso(A::CompactaMinuto, "EM I (5)", A::CompactaMinutoEmI);
        caso(A::CompactaMinuto, "ARENA (6x6)", A::NaoDisponivel);
        caso(A::CompactaMinuto, "ARENA (4x4)", A::NaoDisponivel);
        caso(A::CompactaMinuto, "EM T (5)", A::NaoDisponivel);
        caso(A::CompactaMinuto, "ARENA (5x7)", A::Nenhuma);
        caso(A::CompactaPorBracoMinuto, "CRUZ (5)", A::CompactaMinutoCruzBraco);
        caso(A::CompactaPorBracoMinuto, "EM T (5)", A::Nenhuma);
        caso(A::Quadrado, "EM T (5)", A::QuadradoAQuadrado);
    }
    void despacho() {
        QFETCH(A::Tipo, tipo);
        QFETCH(QString, labirinto);
        QFETCH(A::Operacao, operacao);
        QCOMPARE(A::Despacho(tipo, labirinto), operacao);
        A::Tipo lido;
        QVERIFY(A::TipoDoNome(A::NomeDoTipo(tipo), &lido) && lido == tipo);
    }

    void habilitados() {
        QString obtido; // the six kinds in order, "-" for a maze not known
        for (const char *m : {"CRUZ (5)", "ARENA (6x6)", "EM I (3)", "EM T (5)", "ARENA (5x7)",
                              "ARENA (4x4)", "LABIRINTO (3)", "CRUZ"}) {
            std::array<bool, 6> h{};
            const bool conhecido = A::Habilitados(QString::fromLatin1(m), &h);
            for (bool b : h)
                obtido += !conhecido ? '-' : b ? '1' : '0';
            obtido += ' ';
        }
        QCOMPARE(obtido, "111111 111111 101101 001001 001001 001001 ------ ------ ");
    }

    // The worked example, with a behaviour in three regions and one never seen.
    void cruzExemplo() {
        Ambiente &a = amb("CRUZ (3)", {{1, "A"}, {2, "Parado"}});
        a.registro("r1.tvl", caminho("D4 D3 D2 D3 D4 C4 B4 A4", 10000, 300000) +
                                 linha("D3", "A", 12000, 14000, 1, 1) +
                                 linha("D4", "A", 45000, 46000, 1, 1) +
                                 linha("A4", "A", 100000, 103000, 2, 1));
        Execucao e(a, {"r1.tvl"});
        const QString saida = a.dir.filePath("cruz");
        QCOMPARE(e.rodar(A::Compacta, saida), A::Sucesso);
        QVERIFY(Arquivos::somenteLeitura(saida + ".XLS"));
        const Celulas c = LeitorPlanilha::lerArquivo(saida + ".XLS");
        QCOMPARE(extensao(c), qMakePair(5, 39));
        QCOMPARE(faixa(c, 5, 1, 15), valores("1,r1,ana,1,1,50,0,1,30,250,0,230,20,3,3"));
        QCOMPARE(faixa(c, 5, 16, 27), valores("1,1,0,1,1,3,2,3,0,3,1,6"));
        QCOMPARE(faixa(c, 5, 28, 39), QVariantList(12, 0.0));
        QCOMPARE(faixa(c, 3, 1, 4), valores(",Inj,,BRACO"));
        QCOMPARE(faixa(c, 4, 1, 15),
                 valores("SS,S/N,EXP,ABERTO,FECHADO,%ABERTO,ABERTO,FECHADO,"
                         "ABERTO,FECHADO,ABERTO,FECHADO,CENTRO,ABERTO,FECHADO"));
        QCOMPARE(faixa(c, 1, 4, 39), vezes(12, "ENTRADA") + vezes(12, "A") + vezes(12, "Parado"));
        QCOMPARE(faixa(c, 2, 4, 15),
                 vezes(5, "FREQUENCIA") + vezes(5, "TEMPO") + vezes(2, "CRUZAMENTO"));
        QCOMPARE(faixa(c, 3, 32, 33), valores("CENTRO,TOTAL"));
        // The hourglass was on during the run and off before the message.
        QCOMPARE(e.ordem, (QStringList{"on", "off", texto(a, "GeradoComSucessoMessage")}));
    }

    // The other variants and the first placement, 10 s per square.
    void variantes_data() {
        QTest::addColumn<QString>("labirinto");
        QTest::addColumn<A::Tipo>("tipo");
        QTest::addColumn<QString>("passos");
        QTest::addColumn<QString>("valores"); // row 5 from column 4 to the last
        QTest::addColumn<QString>("titulos"); // row 4 from column 4
        // North D1-D3, south D5-D7, west A4-C4, east E4-G4; G4 -> C4 enters no arm.
        QTest::newRow("per arm") << "CRUZ (3)" << A::CompactaPorBraco
                                 << "D4 D3 D2 D1 D2 D4 E4 F4 G4 C4"
                                 << ",,,,,1,0,1,0,40,0,30,210,20,1,0,1,0,10,0,10,0,4,0,3,1"
                                 << ",,,,,NORTE,SUL,LESTE,OESTE,NORTE";
        // Centre C3 D4, corners A1 F6, one wall B1, intermediate C2.
        QTest::newRow("arena") << "ARENA (6x6)" << A::Compacta << "A1 B1 C2 C3 D4 F6"
                               << ",,,,,,1,1,2,2,1,20,10,270,260,10"
                               << "DATA,PESO,DATA,PESO,D,BF,CENTRO,INTERMEDIARIA";
        // Open half D1-F1, ends A1 F1; the first placement counts as closed too.
        QTest::newRow("I maze") << "EM I (3)" << A::Compacta << "A1 B1 C1 D1 E1 F1"
                                << "1,1,50,1,1,270,30,250,10,3,3"
                                << "ABERTO,FECHADO,%ABERTO";
        QTest::newRow("cross from a closed arm") << "CRUZ (5)" << A::Compacta << "E6 F6"
                                                 << "0,0,0,0,0,0,10,0,0,290,0,1"
                                                 << "ABERTO";
        QTest::newRow("cross from an open arm's end") << "CRUZ (5)" << A::Compacta << "F1 F2 F3"
                                                      << "1,0,100,1,0,300,0,20,0,0,3,0"
                                                      << "ABERTO";
    }
    void variantes() {
        QFETCH(QString, labirinto);
        QFETCH(A::Tipo, tipo);
        QFETCH(QString, passos);
        QFETCH(QString, valores);
        QFETCH(QString, titulos);
        Ambiente &a = amb(labirinto);
        a.registro("r.tvl", caminho(qPrintable(passos), 10000, 300000));
        const Celulas c = Execucao(a).celulas(tipo);
        const int ate = 4 + static_cast<int>(valores.count(','));
        QCOMPARE(faixa(c, 5, 4, ate), LeitorPlanilha::valores(qUtf8Printable(valores)));
        QCOMPARE(extensao(c), qMakePair(5, ate));
        QCOMPARE(faixa(c, 4, 4, 4 + static_cast<int>(titulos.count(','))),
                 LeitorPlanilha::valores(qUtf8Printable(titulos)));
        QCOMPARE(c.value({1, ate}), QVariant("ENTRADA"));
    }

    // The open-arm share of the region entries ("%ABERTO") for other ratios
    // than 1:1 and 0, 10 s per square in minute 1 and on.
    void percentual_data() {
        QTest::addColumn<QString>("labirinto");
        QTest::addColumn<A::Tipo>("tipo");
        QTest::addColumn<QString>("passos");
        QTest::addColumn<QString>("valores"); // open, closed, percentage
        // Centre D4; D3, D5 open; C4, E4 closed.
        QTest::newRow("1:3") << "CRUZ (3)" << A::Compacta << "D4 D3 D4 C4 D4 E4 D4 C4"
                             << "1,3,25";
        QTest::newRow("2:1") << "CRUZ (3)" << A::Compacta << "D3 D4 D5 D4 C4"
                             << "2,1,66.66666666666667";
        QTest::newRow("3:1") << "CRUZ (3)" << A::Compacta << "D3 D4 D5 D4 D3 D4 C4"
                             << "3,1,75";
        QTest::newRow("0:2") << "CRUZ (3)" << A::Compacta << "D4 C4 D4 E4"
                             << "0,2,0";
        // The first placement A1 enters the closed half.
        QTest::newRow("I maze 1:2") << "EM I (3)" << A::Compacta << "A1 D1 C1"
                                    << "1,2,33.333333333333336";
        QTest::newRow("per minute 1:3")
            << "CRUZ (3)" << A::CompactaMinuto << "D4 D3 D4 C4 D4 E4 D4 C4"
            << "1,3,25";
        QTest::newRow("per minute 2:1") << "EM I (5)" << A::CompactaMinuto << "F1 A1 G1"
                                        << "2,1,66.66666666666667";
    }
    void percentual() {
        QFETCH(QString, labirinto);
        QFETCH(A::Tipo, tipo);
        QFETCH(QString, passos);
        QFETCH(QString, valores);
        Ambiente &a = amb(labirinto);
        a.registro("r.tvl", caminho(qPrintable(passos), 5000, 300000));
        const Celulas c = Execucao(a).celulas(tipo);
        // Minute 1 is row 5 of the per-minute sheet, one column further right.
        const int de = tipo == A::CompactaMinuto ? 5 : 4;
        const QVariantList obtido = faixa(c, 5, de, de + 2);
        const QVariantList esperado = LeitorPlanilha::valores(qUtf8Printable(valores));
        QCOMPARE(obtido, esperado);
        // Exactly the double written, not merely close to it.
        QVERIFY(obtido[2].toDouble() == esperado[2].toDouble());
    }

    // Files numbered within their group, labelled as picked; an empty group
    // adds nothing.
    void gruposEArquivos() {
        Ambiente &a = amb("CRUZ (3)");
        const QStringList nomes = lista("a1 a2 a3 b1 b2 b3");
        for (const QString &n : nomes)
            a.registro(n + ".tvl", caminho("D4", 1, 300000));
        Execucao e(a, {});
        e.dados.InserirGrupo("A", {"a1.tvl", "a2", "a3.tvl"});
        e.dados.InserirGrupo("vazio", {});
        e.dados.InserirGrupo("B", nomes.mid(3));
        const Celulas c = e.celulas(A::Compacta);
        QCOMPARE(extensao(c).first, 10);
        for (int l = 5; l <= 10; ++l) {
            QCOMPARE(c.value({l, 1}).typeId(), QMetaType::Int);
            QCOMPARE(faixa(c, l, 1, 3), (QVariantList{(l - 5) % 3 + 1, nomes[l - 5], "ana"}));
        }
        QCOMPARE(TFolhaAnalise::Rotulo("pasta/rato1.tvl"), "rato1");
        QCOMPARE(TFolhaAnalise::Rotulo("a.b.tvl"), "avl");
    }

    // The message only: no question, no hourglass, the old file untouched.
    void indisponivel() {
        Ambiente &a = amb("EM T (5)");
        a.registro("r.tvl", {});
        Execucao e(a);
        const QString saida = a.gravar("x.XLS", "antigo", a.dados);
        for (A::Tipo t :
             {A::Compacta, A::CompactaPorBraco, A::CompactaMinuto, A::CompactaPorBracoMinuto})
            QCOMPARE(e.rodar(t, saida), A::Indisponivel);
        QCOMPARE(e.interacao.perguntas.size(), 0);
        QCOMPARE(e.ordem, QStringList(4, texto(a, "TFormAnaliseSpeedButtonANALISARClickMessage2")));
        QCOMPARE(ler(saida), QByteArray("antigo"));
    }

    void substituirSaida() {
        Ambiente &a = amb("CRUZ (3)");
        a.registro("r.tvl", caminho("D4", 1, 300000));
        Execucao e(a);
        const QString saida = a.gravar("saida.xls", "antigo", a.dados);
        QVERIFY(Arquivos::marcarSomenteLeitura(saida));
        e.interacao.respostas = {false};
        QCOMPARE(e.rodar(A::Compacta, saida), A::Cancelada);
        QCOMPARE(e.interacao.perguntas,
                 QStringList{texto(a, "TFormAnaliseSpeedButtonANALISARClickMessage1")});
        QCOMPARE(e.rodar(A::Compacta, saida, A::NaoSubstituir), A::Existente);
        QCOMPARE(ler(saida), QByteArray("antigo"));

        // A run that fails after the user agreed leaves the old file whole.
        e.dados.InserirGrupo("h", {"falta"});
        QCOMPARE(e.rodar(A::Compacta, saida, A::Substituir), A::Falha);
        QCOMPARE(ler(saida), QByteArray("antigo"));
        QVERIFY(e.ordem.last().contains(a.pastaExperimento() + "falta.tvl"));
        // The sheet went to a temporary file as it grew: none is left.
        QCOMPARE(QDir(a.dados).entryList({"*trevalin-*"}, QDir::Files | QDir::Hidden),
                 QStringList());
        QCOMPARE(e.ordem.mid(e.ordem.size() - 3, 2), (QStringList{"on", "off"}));

        // Yes replaces it even though it is read-only.
        e.dados.SubstituirArquivos("h", {"r"});
        e.interacao.respostas = {true};
        QCOMPARE(e.rodar(A::Compacta, saida), A::Sucesso);
        QVERIFY(ler(saida).startsWith(QByteArray::fromHex("0908")));
        QVERIFY(Arquivos::somenteLeitura(saida));
    }

    // No question, no replacing: an output that appears while the sheet is
    // being saved (after the check that found none) is kept, and the run
    // fails saying so.
    void saidaQueAparece() {
        Ambiente &a = amb("CRUZ (3)");
        a.registro("r.tvl", caminho("D4", 1, 300000));
        Execucao e(a);
        const QString saida = a.dados + "aparece.XLS";
        TGravacao::Interceptar([&](TGravacao::Etapa etapa, const QString &) {
            if (etapa == TGravacao::Nomear) a.gravar("aparece.XLS", "de outro", a.dados);
            return 0;
        });
        const auto r = e.rodar(A::Compacta, saida, A::NaoSubstituir);
        TGravacao::Interceptar(nullptr);
        QCOMPARE(r, A::Falha);
        QCOMPARE(ler(saida), QByteArray("de outro"));
        QCOMPARE(e.interacao.perguntas, QStringList());
        QVERIFY2(e.ordem.last().contains(saida + ": the file already exists"),
                 qPrintable(e.ordem.last()));
    }

    // A file that appears after the existence check (here while the run
    // works) is not replaced when nobody agreed to replace one: neither by
    // the command (NaoSubstituir) nor after the window's check found none.
    void saidaQueApareceDuranteExecucao() {
        Ambiente &a = amb("CRUZ (3)");
        a.registro("r.tvl", caminho("D4", 1, 300000));
        for (A::Substituicao s : {A::NaoSubstituir, A::Perguntar}) {
            const QString saida = a.dir.filePath("aparece.XLS");
            QFile::remove(saida);
            Execucao e(a);
            TAnalise an(*a.u, e.dados, e.planilha, &e.interacao);
            QObject::connect(&an, &TAnalise::Ampulheta, [&](bool on) {
                if (on) a.gravar("aparece.XLS", "de outro", a.dados);
            });
            QCOMPARE(an.Executar(A::Compacta, saida, s), A::Falha);
            QCOMPARE(ler(saida), QByteArray("de outro"));
            QVERIFY(e.interacao.perguntas.isEmpty());
            QVERIFY2(an.Erro().contains(": the file already exists"), qPrintable(an.Erro()));
        }
    }

    // Refused, saying why, with nothing written: a bad record after a good
    // one; 22 behaviours in the cross sheet; 166 minutes of 198 behaviours.
    void recusada_data() {
        QTest::addColumn<int>("comportamentos");
        QTest::addColumn<A::Tipo>("tipo");
        QTest::addColumn<QByteArray>("registro");
        QTest::addColumn<QString>("segundos");
        QTest::addColumn<QString>("mensagem"); // <pasta>: the experiment's folder
        QTest::newRow("bad record")
            << 0 << A::Compacta
            << "D3\tENTRADA\t5\t9\tquatro\t1\t1\r\n" + linha("D4", "A", 0, 5, 1, 1) << "300"
            << "<pasta>ruim.tvl, line 11";
        QTest::newRow("too many columns") << 21 << A::Compacta << caminho("D4", 1, 300000) << "300"
                                          << "267 columns";
        // The longest session there is, with 195 behaviours beyond the
        // catalogue's met in its rows (a session past 9990 s is refused as
        // damaged before any sheet is planned).
        QByteArray muitos = caminho("D4", 1, 9990000);
        for (int i = 1; i <= 195; ++i)
            muitos += linha("D4", QStringLiteral("x%1").arg(i), 0, 1, 1, 1);
        QTest::newRow("too many rows") << 2 << A::QuadradoMinuto << muitos << "9990"
                                       << "65768 rows";
    }
    void recusada() {
        QFETCH(int, comportamentos);
        QFETCH(A::Tipo, tipo);
        QFETCH(QByteArray, registro);
        QFETCH(QString, segundos);
        QFETCH(QString, mensagem);
        QMap<int, QString> nomes;
        for (int i = 1; i <= comportamentos; ++i)
            nomes.insert(i, QStringLiteral("c%1").arg(i));
        Ambiente &a = amb("CRUZ (3)", nomes);
        a.registro("bom.tvl", caminho("D4", 1, 300000));
        a.registro("ruim.tvl", registro, segundos);
        Execucao e(a, {"bom", "ruim"});
        QCOMPARE(e.rodar(tipo, a.dir.filePath("recusada")), A::Falha);
        QVERIFY(!QFileInfo::exists(a.dir.filePath("recusada.XLS")));
        QCOMPARE(e.interacao.mensagens.size(), 1); // no success message
        QVERIFY2(e.ordem.last().contains(mensagem.replace("<pasta>", a.pastaExperimento())),
                 qPrintable(e.ordem.last()));
        if (comportamentos > 20) { // one behaviour fewer fits exactly
            nomes.remove(comportamentos);
            Perfil::SalvarComportamentos(a.u->Arquivo, a.experimento, "Comp1", nomes);
            QCOMPARE(extensao(Execucao(a, {"bom"}).celulas(tipo)).second, 255);
        }
    }

    // D4, D3, D2, D4 for 40 s each, then C4; a row of minute 6 is left out.
    void minutoCruz() {
        Ambiente &a = amb("CRUZ (3)", {{1, "A"}});
        const QByteArray linhas = caminho("D4 D3 D2 D4 C4", 40000, 300000) +
                                  linha("D3", "A", 50000, 51000, 1, 1) +
                                  linha("C4", "ENTRADA", 300000, 300500, 6, 1);
        a.registro("r1.tvl", linhas);
        a.registro("r2.tvl", linhas);
        Execucao e(a, {"r1", "r2"});
        const QString saida = a.dir.filePath("m.XLS");
        QCOMPARE(e.rodar(A::CompactaMinuto, saida), A::Sucesso);
        const QByteArray minuto = ler(saida);
        const Celulas c = LeitorPlanilha::lerArquivo(saida);
        QCOMPARE(extensao(c), qMakePair(14, 28));
        for (int l = 5; l <= 14; ++l)
            QCOMPARE(faixa(c, l, 1, 4),
                     (QVariantList{l < 10 ? 1 : 2, "r" + QString::number(l < 10 ? 1 : 2), "ana",
                                   QStringLiteral("MIN: %1").arg((l - 5) % 5 + 1)}));
        QCOMPARE(faixa(c, 5, 5, 16), valores("1,0,100,0,0,20,0,0,0,40,1,0"));
        QCOMPARE(faixa(c, 6, 5, 16), valores("0,0,0,0,0,60,0,0,0,0,1,0"));
        QCOMPARE(faixa(c, 7, 5, 16), valores("0,1,0,0,0,0,20,0,0,40,0,1"));
        QCOMPARE(faixa(c, 9, 5, 16), valores("0,0,0,0,0,0,60,0,0,0,0,0"));
        QCOMPARE(faixa(c, 5, 17, 28), valores("1,0,0,0,0,1,1,0,0,0,0,1"));
        // The cross sheet's titles, one column further right.
        QCOMPARE(faixa(c, 4, 1, 7), valores("SS,S/N,EXP,MINUTO,ABERTO,FECHADO,%ABERTO"));
        QCOMPARE(faixa(c, 3, 1, 5), valores(",INJ,,,BRACO"));
        QCOMPARE(faixa(c, 1, 5, 28), vezes(12, "ENTRADA") + vezes(12, "A"));
        QCOMPARE(faixa(c, 3, 21, 22), valores("CENTRO,TOTAL"));

        // The per-arm kind gives the very same file.
        QVERIFY(QFile::remove(saida));
        QCOMPARE(e.rodar(A::CompactaPorBracoMinuto, saida), A::Sucesso);
        QCOMPARE(ler(saida), minuto);
        // A 30-second session has one minute.
        a.registro("r1.tvl", caminho("D4", 1, 30000), "30");
        e.dados.SubstituirArquivos("g", {"r1"});
        QCOMPARE(extensao(e.celulas(A::CompactaMinuto)).first, 5);
    }

    // A1, B1, A1 (closed end) for 10 s each, then D1 (open half).
    void minutoEmI() {
        Ambiente &a = amb("EM I (3)");
        a.registro("r.tvl", caminho("A1 B1 A1 D1", 10000, 300000));
        const Celulas c = Execucao(a).celulas(A::CompactaMinuto);
        QCOMPARE(extensao(c), qMakePair(9, 15));
        QCOMPARE(faixa(c, 5, 4, 15), valores("MIN: 1,1,1,50,0,2,30,30,0,20,1,3"));
        QCOMPARE(faixa(c, 6, 4, 15), valores("MIN: 2,0,0,0,0,0,60,0,0,0,0,0"));
        QCOMPARE(faixa(c, 2, 5, 15),
                 vezes(5, "FREQUENCIA") + vezes(4, "TEMPO") + vezes(2, "CRUZAMENTO"));
        QCOMPARE(faixa(c, 3, 13, 15), valores("EXTREMIDADE,BRACO,BRACO"));
    }

    // D4, D3, D2 for 10 s each, then D3; per minute, D4 for 90 s then D3.
    void quadrado() {
        Ambiente &a = amb("CRUZ (3)", {{1, "A"}, {2, "B"}});
        a.registro("r.tvl",
                   caminho("D4 D3 D2 D3", 10000, 300000) + linha("D2", "A", 21000, 22500, 1, 1));
        Celulas c = Execucao(a, {"r", "r"}).celulas(A::Quadrado);
        QCOMPARE(extensao(c), qMakePair(2 + 2 * 2 * 3, 5 + 13));
        QCOMPARE(faixa(c, 1, 1, 3), valores(",INJ,"));
        QCOMPARE(faixa(c, 2, 1, 8), valores("SS,S/N,EXP,COPORTAMENTO,MEDIDA,D1,D2,D3"));
        QCOMPARE(c.value({2, 18}), QVariant("G4"));
        // "ENTRADA": every square entry counts, continuations do not.
        QCOMPARE(faixa(c, 3, 1, 9), valores("1,r,ana,ENTRADA,FREQUENCIA,0,1,2,1"));
        QCOMPARE(faixa(c, 4, 4, 9), valores("ENTRADA,TEMPO,0,10,280,10"));
        QCOMPARE(faixa(c, 5, 4, 7), valores("A,FREQUENCIA,0,1"));
        QCOMPARE(faixa(c, 6, 4, 7), valores("A,TEMPO,0,1.5"));
        QCOMPARE(faixa(c, 8, 4, 18), valores("B,TEMPO,0,0,0,0,0,0,0,0,0,0,0,0,0"));
        QCOMPARE(c.value({9, 1}), QVariant(2));

        a.registro("r.tvl", caminho("D4 D3", 90000, 180000), "180");
        c = Execucao(a).celulas(A::QuadradoMinuto);
        QCOMPARE(extensao(c), qMakePair(2 + 18, 6 + 13));
        QCOMPARE(faixa(c, 2, 4, 8), valores("COPORTAMENTO,MEDIDA,MINUTO,D1,D2"));
        QCOMPARE(faixa(c, 3, 6, 10), valores("MIN: 1,0,0,0,1"));
        QCOMPARE(faixa(c, 6, 6, 10), valores("MIN: 2,0,0,30,30"));
        QCOMPARE(faixa(c, 7, 6, 10), valores("MIN: 3,0,0,0,0"));
        QCOMPARE(faixa(c, 8, 6, 10), valores("MIN: 3,0,0,60,0"));
        QCOMPARE(faixa(c, 9, 4, 6), valores("A,FREQUENCIA,MIN: 1"));

        // A user-made arena: 35 squares named row by row.
        Ambiente &b = amb("ARENA (5x7)");
        b.registro("r.tvl", caminho("E1 A2", 10000, 300000));
        c = Execucao(b).celulas(A::Quadrado);
        QCOMPARE(extensao(c).second, 40);
        QCOMPARE(faixa(c, 2, 10, 12), valores("E1,A2,B2"));
        QCOMPARE(faixa(c, 4, 10, 11), valores("10,290"));
    }

    // An independent reader reads a sheet back, accents included.
    void lidaPorOutroLeitor() {
        const QString python = QStringLiteral("/usr/bin/python3");
        if (QProcess::execute(python, {"-c", "import xlrd"}) != 0)
            QSKIP("python3 with the xlrd module is not installed (Debian package python3-xlrd)");
        Ambiente a("CRUZ (3)", {{1, "Posição"}}, "José");
        a.registro("rato1.tvl",
                   caminho("D4 D3", 30000, 300000) + linha("D3", "Posição", 40000, 41500, 1, 1));
        Execucao e(a, {"rato1.tvl"});
        const QString saida = a.dir.filePath("interop.xls");
        QCOMPARE(e.rodar(A::Compacta, saida), A::Sucesso);
        // Kind (1 text, 2 number) and value of some cells.
        const char *script = R"PY(
import sys, xlrd
sys.stdout.reconfigure(encoding="utf-8")
s = xlrd.open_workbook(sys.argv[1], encoding_override="cp1252").sheet_by_index(0)
for r, c in [(4, 0), (4, 1), (4, 2), (4, 3), (4, 8), (0, 15), (0, 26), (3, 5), (4, 21)]:
    print(s.cell(r, c).ctype, s.cell(r, c).value)
)PY";
        QProcess proc;
        proc.start(python, {"-c", QString::fromUtf8(script), saida});
        QVERIFY(proc.waitForFinished(30000));
        QVERIFY2(proc.exitCode() == 0, proc.readAllStandardError().constData());
        QCOMPARE(QString::fromUtf8(proc.readAllStandardOutput()).split('\n'),
                 QStringList({"2 1.0", "1 rato1", "1 José", "2 1.0", "2 270.0", "1 Posição",
                              "1 Posição", "1 %ABERTO", "2 1.5", ""}));
    }
};

QTEST_GUILESS_MAIN(TstAnalise)
#include "tst_analise.moc"
