#include "TInteracaoFalsa.h"
#include "core/Arquivos.h"
#include "core/BibliotecaLabirintos.h"
#include "core/Cp1252.h"
#include "core/TArquivoIni.h"
#include "core/TErro.h"
#include "core/TLabirinto.h"

#include <QTemporaryDir>
#include <QtTest>

using BibliotecaLabirintos::TResultadoArena;

// Loading mazes from the library, the square mask of every kind, the shipped
// library and the library writer for user arenas.
class TstLabirinto : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_n = 0;

    // A fresh data directory per call, ending with "/".
    QString novoDiretorio() {
        const QString d = m_dir.filePath(QString::number(++m_n)) + QLatin1Char('/');
        QDir().mkpath(d);
        return d;
    }
    static void gravar(const QString &caminho, const QString &texto) {
        QVERIFY(Arquivos::gravarAtomico(caminho, Cp1252::codificar(QString(texto).replace(
                                                     QLatin1String("\n"), QLatin1String("\r\n")))));
    }
    static QByteArray ler(const QString &caminho) {
        QByteArray b;
        Arquivos::lerTudo(caminho, &b);
        return b;
    }
    // Data directory holding a writable copy of the shipped library.
    QString comBibliotecaPadrao() {
        const QString d = novoDiretorio();
        QFile::copy(QStringLiteral(TREVALIN_RESOURCES "/Labirintos.ini"), d + "Labirintos.ini");
        QFile(d + "Labirintos.ini").setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return d;
    }
    static QList<int> geometria(const TLabirinto &l) {
        return {l.QuadradosEmX,       l.QuadradosEmY,       l.MascaraX,        l.MascaraY,
                l.BracoQuadrante1,    l.BracoQuadrante2,    l.BracoQuadrante3, l.BracoQuadrante4,
                l.ComprimentoDoBraco, l.TemQuadradoCentral, l.TemCentro,       l.Desloca};
    }
    static int existentes(const TLabirinto &lab) {
        int n = 0;
        for (const auto &coluna : lab.Grade)
            n += std::count(coluna.begin(), coluna.end(), 1);
        return n;
    }
    // The frame of the mask is 0 and any step off the grid is refused.
    static void bordasZeradas(const TLabirinto &lab) {
        const int x = qMax(lab.QuadradosEmX, 0), y = qMax(lab.QuadradosEmY, 0);
        QCOMPARE(int(lab.Grade.size()), x + 2);
        for (int c = 0; c < x + 2; ++c) {
            QCOMPARE(int(lab.Grade[c].size()), y + 2);
            for (int r = 0; r < y + 2; ++r)
                if (c == 0 || r == 0 || c == x + 1 || r == y + 1) QCOMPARE(int(lab.Grade[c][r]), 0);
        }
        QVERIFY(!lab.Existe(-1, 1) && !lab.Existe(x + 2, 1) && !lab.Existe(1, y + 2));
        QVERIFY(!lab.Existe(1000000, 1000000));
    }

private slots:
    // Missing section or keys: the defaults, so X = Y = 0 and nothing can be
    // drawn. Section names ignore case but the kind is the exact name's:
    // "Cruz (3)" finds its geometry and still has no square at all.
    void carregar() {
        const QString d = novoDiretorio();
        gravar(d + "Labirintos.ini", "[CRUZ (3)]\nQuadradosEmX=7\nQuadradosEmY=7\n");
        TLabirinto lab(d);
        lab.QuadradosEmX = 99;
        TInteracaoFalsa ui;
        QVERIFY(lab.CarregarDoArquivo(QStringLiteral("NAO EXISTE"), QString(), &ui));
        QCOMPARE(geometria(lab), (QList<int>{0, 0, 7, 7, 1, 1, 1, 1, 6, 1, 1, 1}));
        QVERIFY(!lab.Desenhavel());
        lab.Desenhar(QStringLiteral("NAO EXISTE"));
        QVERIFY(lab.Imagem.Figuras().isEmpty());
        bordasZeradas(lab);

        QVERIFY(lab.CarregarDoArquivo(QStringLiteral("Cruz (3)"), QString(), &ui));
        QCOMPARE(geometria(lab), (QList<int>{7, 7, 7, 7, 1, 1, 1, 1, 6, 1, 1, 1}));
        lab.Desenhar(QStringLiteral("Cruz (3)"));
        QCOMPARE(existentes(lab), 0);
        QVERIFY(lab.Imagem.Figuras().isEmpty());
        bordasZeradas(lab);
        int c = 0, r = 0;
        QVERIFY(!lab.QuadradoDoClique(192, 192, &c, &r));
        QVERIFY(ui.mensagens.isEmpty());
    }

    // No library (or a folder by its name): the message, every field as it was.
    void bibliotecaAusente() {
        const QString d = novoDiretorio();
        gravar(d + "idioma.ini", QStringLiteral("[UnitUsuario]\nTLabirintoCarregarDoArquivo="
                                                "Arquivo de labirintos não encontrado!\n"));
        TLabirinto lab(d);
        lab.QuadradosEmX = 11;
        lab.ComprimentoDoBraco = 5;
        const QList<int> antes = geometria(lab);
        TInteracaoFalsa ui;
        QVERIFY(!lab.CarregarDoArquivo(QStringLiteral("CRUZ (3)"), d + "idioma.ini", &ui));
        QVERIFY(!lab.CarregarDoArquivo(QStringLiteral("CRUZ (3)"), d + "falta.ini", &ui));
        QCOMPARE(ui.mensagens,
                 (QStringList{QStringLiteral("Arquivo de labirintos não encontrado!"), "ERRO"}));
        QVERIFY(QDir().mkpath(d + "Labirintos.ini"));
        QVERIFY(!lab.CarregarDoArquivo(QStringLiteral("CRUZ (3)"), QString(), nullptr));
        QCOMPARE(geometria(lab), antes);
    }

    // The shipped library: every key of every maze, its squares (cross:
    // column and row L + 1; T: bar and stem of column 6) and how many of them
    // lie on the closed-arm band.
    void bibliotecaPadrao_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QList<int>>("v"); // X, Y, L, existing squares, on the band
        QTest::newRow("CRUZ (3)") << "CRUZ (3)" << QList<int>{7, 7, 3, 13, 7};
        QTest::newRow("CRUZ (5)") << "CRUZ (5)" << QList<int>{11, 11, 5, 21, 11};
        QTest::newRow("CRUZ (6)") << "CRUZ (6)" << QList<int>{13, 13, 6, 25, 13};
        QTest::newRow("EM I (3)") << "EM I (3)" << QList<int>{6, 1, 3, 6, 3};
        QTest::newRow("EM I (5)") << "EM I (5)" << QList<int>{10, 1, 5, 10, 5};
        QTest::newRow("EM T (5)") << "EM T (5)" << QList<int>{11, 6, 5, 16, 6};
        QTest::newRow("ARENA (4x4)") << "ARENA (4x4)" << QList<int>{4, 4, 2, 16, 16};
        QTest::newRow("ARENA (6x6)") << "ARENA (6x6)" << QList<int>{6, 6, 3, 36, 36};
    }
    void bibliotecaPadrao() {
        QFETCH(QString, nome);
        QFETCH(QList<int>, v);
        TLabirinto lab(comBibliotecaPadrao());
        QVERIFY(lab.CarregarDoArquivo(nome, QString(), nullptr));
        QCOMPARE((QList<int>{lab.QuadradosEmX, lab.QuadradosEmY, lab.ComprimentoDoBraco}),
                 v.mid(0, 3));
        const QStringList chaves = TArquivoIni(lab.ArquivoLabirintos()).ReadSection(nome);
        for (const char *k :
             {"QuadradosEmX", "QuadradosEmY", "MascaraX", "MascaraY", "BracoQuadrante1",
              "BracoQuadrante2", "BracoQuadrante3", "BracoQuadrante4", "ComprimentoDoBraco",
              "TemQuadradoCentral", "TemCentro", "Desloca"})
            QVERIFY2(chaves.contains(QLatin1String(k)), k);
        QVERIFY(lab.Desenhavel());
        lab.Desenhar(nome);
        QCOMPARE(existentes(lab), v[3]);
        bordasZeradas(lab);
        QVERIFY(lab.Existe(lab.MascaraX, lab.MascaraY)); // the library's square, like every start

        const TTipoLabirinto tipo = TLabirinto::TipoDoNome(nome);
        const QVector<TFigura> &f = lab.Imagem.Figuras();
        QCOMPARE(f.size(), 1 + v[3]);
        QCOMPARE(f[0].preenchimento, TCor::Oliva());
        int naFaixa = 0;
        for (int c = 1; c <= v[0]; ++c) {
            for (int r = 1; r <= v[1]; ++r) {
                const bool existe = tipo == TTipoLabirinto::Cruz
                                        ? c == v[2] + 1 || r == v[2] + 1
                                        : tipo != TTipoLabirinto::EmT || r == 1 || c == 6;
                QVERIFY2(lab.Existe(c, r) == existe, qPrintable(TLabirinto::NomeQuadrado(c, r)));
                const TRetangulo q = lab.RetanguloQuadrado(c, r), b = f[0].retangulo;
                naFaixa += existe && q.esquerda >= b.esquerda && q.direita <= b.direita &&
                           q.topo >= b.topo && q.base <= b.base;
            }
        }
        QCOMPARE(naFaixa, v[4]);
    }

    // A T maze entry of another size keeps the fixed shape; one too small
    // for it keeps what fits instead of writing past the mask.
    void tamanhosDoT() {
        for (const auto &[x, y, n] : {std::tuple{13, 8, 16}, {8, 4, 11}, {5, 6, 5}}) {
            TLabirinto lab{QString()};
            lab.QuadradosEmX = x;
            lab.QuadradosEmY = y;
            lab.Desenhar(QStringLiteral("EM T (5)"));
            QCOMPARE(existentes(lab), n);
            bordasZeradas(lab);
            QCOMPARE(lab.Existe(6, 2), x >= 6);
        }
    }

    // A cross whose arm row or column falls outside its rectangle keeps the
    // squares that lie inside it.
    void cruzIrregular() {
        TLabirinto lab{QString()};
        lab.QuadradosEmX = 5;
        lab.QuadradosEmY = 3;
        lab.TemCentro = 9;
        lab.Desenhar(QStringLiteral("CRUZ (x)"));
        bordasZeradas(lab);
        QCOMPARE(existentes(lab), 0);

        // Column Round(4/2 + 1) = 3, row Round(2/2 + 1) = 2; no flags, no band.
        lab.TemCentro = 1;
        lab.Desenhar(QStringLiteral("CRUZ (x)"));
        bordasZeradas(lab);
        QCOMPARE(existentes(lab), 7);
        for (int c = 1; c <= 5; ++c)
            QVERIFY(lab.Existe(c, 2));
        QVERIFY(lab.Existe(3, 1) && lab.Existe(3, 3));
        QCOMPARE(lab.Imagem.Figuras().size(), 7);
    }

    // ARENA (5x3) added to the shipped library (CRLF throughout): keys in the
    // writer's order, the index grows by one name.
    void criarArena() {
        const QString d = comBibliotecaPadrao();
        const QString arquivo = d + "Labirintos.ini";
        const QByteArray original = ler(arquivo);
        QVERIFY(original.count("\n") == original.count("\r\n") &&
                original.count("\r") == original.count("\r\n") && original.endsWith("\r\n"));
        QCOMPARE(BibliotecaLabirintos::ListarLabirintos(arquivo),
                 (QStringList{"CRUZ (3)", "CRUZ (5)", "CRUZ (6)", "EM I (3)", "EM I (5)",
                              "EM T (5)", "ARENA (4x4)", "ARENA (6x6)"}));
        QString nome;
        QCOMPARE(BibliotecaLabirintos::CriarArena(arquivo, 5, 3, &nome), TResultadoArena::Criada);
        QCOMPARE(nome, QStringLiteral("ARENA (5x3)"));
        const TArquivoIni ini(arquivo);
        QCOMPARE(ini.ReadSection(nome),
                 (QStringList{"QuadradosEmX", "QuadradosEmY", "BracoQuadrante1", "BracoQuadrante2",
                              "BracoQuadrante3", "BracoQuadrante4", "ComprimentoDoBraco",
                              "TemQuadradoCentral", "TemCentro", "Desloca"}));
        QCOMPARE(ini.ReadString("LABIRINTOS", "Labirintos", ""),
                 QStringLiteral("CRUZ (3)/CRUZ (5)/CRUZ (6)/EM I (3)/EM I (5)/EM T (5)/"
                                "ARENA (4x4)/ARENA (6x6)/ARENA (5x3)/"));
        QCOMPARE(ini.ReadInteger("LABIRINTOS", "Qde", 0), 9);
        const QByteArray bytes = ler(arquivo);

        TLabirinto lab(d);
        QVERIFY(lab.CarregarDoArquivo(nome, QString(), nullptr));
        QCOMPARE(geometria(lab), (QList<int>{5, 3, 7, 7, 1, 0, 1, 0, 2, 1, 0, 3}));
        lab.Desenhar(nome);
        QCOMPARE(existentes(lab), 15);

        // Once there, neither the same size nor a shipped one is written again.
        QCOMPARE(BibliotecaLabirintos::CriarArena(arquivo, 5, 3), TResultadoArena::JaExiste);
        QCOMPARE(BibliotecaLabirintos::CriarArena(arquivo, 4, 4), TResultadoArena::JaExiste);
        QCOMPARE(ler(arquivo), bytes);
    }

    // 1 to 15 columns and rows. In a library without an index, the first
    // maze makes the index hold only its own name and "Qde" 2 (read with
    // default 1).
    void arenaLimites() {
        const QString arquivo = comBibliotecaPadrao() + "Labirintos.ini";
        const QByteArray antes = ler(arquivo);
        for (const auto &[c, r] : {std::pair{0, 3}, {3, 0}, {16, 1}, {1, 16}, {-2, 5}})
            QCOMPARE(BibliotecaLabirintos::CriarArena(arquivo, c, r),
                     TResultadoArena::TamanhoInvalido);
        QCOMPARE(ler(arquivo), antes);

        for (const auto &[c, r, l, tq] : {std::tuple{4, 6, 2, 0}, {15, 15, 7, 1}}) {
            const QString novo = novoDiretorio() + "Labirintos.ini";
            QString nome;
            QCOMPARE(BibliotecaLabirintos::CriarArena(novo, c, r, &nome), TResultadoArena::Criada);
            const TArquivoIni ini(novo);
            QCOMPARE(ini.ReadInteger(nome, "ComprimentoDoBraco", -1), l);
            QCOMPARE(ini.ReadInteger(nome, "TemQuadradoCentral", -1), tq);
            QCOMPARE(ini.ReadInteger(nome, "Desloca", -1), r);
            QCOMPARE(ini.ReadString("LABIRINTOS", "Labirintos", ""), nome + "/");
            QCOMPARE(ini.ReadInteger("LABIRINTOS", "Qde", 0), 2);
            QCOMPARE(BibliotecaLabirintos::ListarLabirintos(novo), QStringList{nome});
        }
    }

    // Refusals leave the library as it was: a name already in the index
    // (without a section of its own), an index that would pass the 2047
    // characters read back whole, a read-only library, a missing folder.
    void arenaRecusada() {
        const QString arquivo = novoDiretorio() + "Labirintos.ini";
        gravar(arquivo, "[LABIRINTOS]\nLabirintos=arena (2x2)/" + QString(2022, QLatin1Char('x')) +
                            "/\nQde=2\n");
        const QByteArray antes = ler(arquivo);
        QCOMPARE(BibliotecaLabirintos::CriarArena(arquivo, 2, 2), TResultadoArena::JaExiste);
        // 2035 + "ARENA (10x10)/" = 2049 characters.
        QCOMPARE(BibliotecaLabirintos::CriarArena(arquivo, 10, 10), TResultadoArena::ListaCheia);
        QCOMPARE(ler(arquivo), antes);
        QVERIFY(Arquivos::marcarSomenteLeitura(arquivo));
        QVERIFY_THROWS_EXCEPTION(TErro, BibliotecaLabirintos::CriarArena(arquivo, 3, 3));
        QCOMPARE(ler(arquivo), antes);
        Arquivos::desmarcarSomenteLeitura(arquivo);
        // 2035 + "ARENA (3x3)/" = 2047 characters.
        QCOMPARE(BibliotecaLabirintos::CriarArena(arquivo, 3, 3), TResultadoArena::Criada);
        QCOMPARE(TArquivoIni(arquivo).ReadString("LABIRINTOS", "Labirintos", "").size(), 2047);

        const QString semPasta = novoDiretorio() + "nao/existe/Labirintos.ini";
        QVERIFY_THROWS_EXCEPTION(TErro, BibliotecaLabirintos::CriarArena(semPasta, 7, 7));
        QVERIFY(!QFile::exists(semPasta));
    }

    // "Qde" (default 1) names taken from the index, each up to the next "/".
    void listar_data() {
        QTest::addColumn<QString>("conteudo");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("normal") << "Labirintos=A/B (1)/C/\nQde=3" << QStringList{"A", "B (1)", "C"};
        QTest::newRow("Qde ausente: 1") << "Labirintos=A/B/C/" << QStringList{"A"};
        QTest::newRow("lista curta") << "Labirintos=A/B/\nQde=5" << QStringList{"A", "B"};
        QTest::newRow("Qde negativo") << "Labirintos=A/B/\nQde=-4" << QStringList{};
        QTest::newRow("nomes vazios") << "Labirintos=//A//B/\nQde=2" << QStringList{"A", "B"};
        QTest::newRow("sem a barra final") << "Labirintos=A/B\nQde=2" << QStringList{"A", "B"};
    }
    void listar() {
        QFETCH(QString, conteudo);
        QFETCH(QStringList, esperado);
        const QString arquivo = novoDiretorio() + "Labirintos.ini";
        gravar(arquivo, "[LABIRINTOS]\n" + conteudo + "\n");
        QCOMPARE(BibliotecaLabirintos::ListarLabirintos(arquivo), esperado);
        QCOMPARE(BibliotecaLabirintos::ListarLabirintos(arquivo + ".falta"), QStringList{});
    }
};

QTEST_GUILESS_MAIN(TstLabirinto)
#include "tst_labirinto.moc"
