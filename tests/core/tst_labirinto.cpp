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

private:
    QTemporaryDir m_dir;
    QString m_dados; // data directory of the current test, ending with "/"
    int m_n = 0;

    // A fresh data directory per call.
    QString novoDiretorio() {
        const QString d = m_dir.filePath(QString::number(++m_n)) + QLatin1Char('/');
        QDir().mkpath(d);
        return d;
    }
    static void gravar(const QString &caminho, const QString &texto) {
        QFile f(caminho);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(Cp1252::codificar(QString(texto).replace(QLatin1String("\n"), QLatin1String("\r\n"))));
    }
    static QByteArray ler(const QString &caminho) {
        QByteArray b;
        Arquivos::lerTudo(caminho, &b);
        return b;
    }
    // Data directory holding a copy of the shipped library.
    QString comBibliotecaPadrao() {
        const QString d = novoDiretorio();
        if (!QFile::copy(QStringLiteral(TREVALIN_RESOURCES "/Labirintos.ini"), d + "Labirintos.ini"))
            qFatal("cannot copy the shipped library");
        QFile(d + "Labirintos.ini").setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return d;
    }
    // Names of the existing squares, column by column.
    static QStringList quadrados(const TLabirinto &lab) {
        QStringList n;
        for (int c = 0; c < int(lab.Grade.size()); ++c)
            for (int r = 0; r < int(lab.Grade[c].size()); ++r)
                if (lab.Grade[c][r])
                    n << TLabirinto::NomeQuadrado(c, r);
        n.sort();
        return n;
    }
    static QStringList nomes(const QString &lista) {
        QStringList n = lista.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        n.sort();
        return n;
    }
    static QString coluna(QChar letra, int de, int ate) {
        QStringList n;
        for (int r = de; r <= ate; ++r)
            n << QString(letra) + QString::number(r);
        return n.join(QLatin1Char(' '));
    }
    static QString linha(int r, QChar de, QChar ate) {
        QStringList n;
        for (char16_t c = de.unicode(); c <= ate.unicode(); ++c)
            n << QString(QChar(c)) + QString::number(r);
        return n.join(QLatin1Char(' '));
    }
    static void bordasZeradas(const TLabirinto &lab) {
        const int x = lab.QuadradosEmX, y = lab.QuadradosEmY;
        QCOMPARE(int(lab.Grade.size()), x + 2);
        for (int c = 0; c < x + 2; ++c) {
            QCOMPARE(int(lab.Grade[c].size()), y + 2);
            QCOMPARE(int(lab.Grade[c][0]), 0);
            QCOMPARE(int(lab.Grade[c][y + 1]), 0);
        }
        for (int r = 0; r < y + 2; ++r) {
            QCOMPARE(int(lab.Grade[0][r]), 0);
            QCOMPARE(int(lab.Grade[x + 1][r]), 0);
        }
        QVERIFY(!lab.Existe(-1, 1));
        QVERIFY(!lab.Existe(x + 2, 1));
        QVERIFY(!lab.Existe(1, y + 2));
        QVERIFY(!lab.Existe(1000000, 1000000));
    }

private slots:
    void tipos_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("tipo");
        QTest::newRow("CRUZ (3)") << "CRUZ (3)" << int(TTipoLabirinto::Cruz);
        QTest::newRow("EM I (5)") << "EM I (5)" << int(TTipoLabirinto::EmI);
        QTest::newRow("EM T (5)") << "EM T (5)" << int(TTipoLabirinto::EmT);
        QTest::newRow("ARENA (4x6)") << "ARENA (4x6)" << int(TTipoLabirinto::Arena);
        QTest::newRow("Cruz (5)") << "Cruz (5)" << int(TTipoLabirinto::Desconhecido);
        QTest::newRow("EMI") << "EMI (3)" << int(TTipoLabirinto::Desconhecido);
        QTest::newRow("espaco antes") << " CRUZ (3)" << int(TTipoLabirinto::Desconhecido);
    }
    void tipos() {
        QFETCH(QString, nome);
        QFETCH(int, tipo);
        QCOMPARE(int(TLabirinto::TipoDoNome(nome)), tipo);
    }

    void criacao() {
        TLabirinto lab(QStringLiteral("/dados/"));
        QCOMPARE(lab.Diretorio, QStringLiteral("/dados/"));
        QCOMPARE(lab.ArquivoLabirintos(), QStringLiteral("/dados/Labirintos.ini"));
        QVERIFY(!lab.TeclasEdicao);
        QVERIFY(!lab.Existe(7, 7));
    }

    void secaoAusente() {
        const QString d = novoDiretorio();
        gravar(d + "Labirintos.ini", "[CRUZ (3)]\nQuadradosEmX=7\nQuadradosEmY=7\n");
        TLabirinto lab(d);
        lab.QuadradosEmX = 99;
        lab.BracoQuadrante2 = 0;
        TInteracaoFalsa ui;
        QVERIFY(lab.CarregarDoArquivo(QStringLiteral("NAO EXISTE"), QString(), &ui));
        QVERIFY(ui.mensagens.isEmpty());
        QCOMPARE(lab.QuadradosEmX, 0);
        QCOMPARE(lab.QuadradosEmY, 0);
        QCOMPARE(lab.Coluna, 7);
        QCOMPARE(lab.Linha, 7);
        QCOMPARE(lab.BracoQuadrante1, 1);
        QCOMPARE(lab.BracoQuadrante2, 1);
        QCOMPARE(lab.BracoQuadrante3, 1);
        QCOMPARE(lab.BracoQuadrante4, 1);
        QCOMPARE(lab.ComprimentoDoBraco, 6);
        QCOMPARE(lab.TemQuadradoCentral, 1);
        QCOMPARE(lab.TemCentro, 1);
        QCOMPARE(lab.Desloca, 1);
        QVERIFY(!lab.Desenhavel());
        lab.Desenhar(QStringLiteral("NAO EXISTE"));
        QVERIFY(lab.Imagem.Figuras().isEmpty());
        QCOMPARE(int(lab.Grade.size()), 2);

        // Keys missing from an existing section take their defaults too.
        QVERIFY(lab.CarregarDoArquivo(QStringLiteral("CRUZ (3)"), QString(), &ui));
        QCOMPARE(lab.QuadradosEmX, 7);
        QCOMPARE(lab.ComprimentoDoBraco, 6);
    }

    void bibliotecaAusente() {
        const QString d = novoDiretorio();
        gravar(d + "idioma.ini",
               QStringLiteral("[UnitUsuario]\nTLabirintoCarregarDoArquivo=Arquivo de labirintos não encontrado!\n"));
        TLabirinto lab(d);
        lab.QuadradosEmX = 11;
        lab.QuadradosEmY = 6;
        lab.ComprimentoDoBraco = 5;
        lab.Coluna = 3;
        TInteracaoFalsa ui;
        QVERIFY(!lab.CarregarDoArquivo(QStringLiteral("CRUZ (3)"), d + "idioma.ini", &ui));
        QCOMPARE(ui.mensagens, QStringList{QStringLiteral("Arquivo de labirintos não encontrado!")});
        QCOMPARE(lab.QuadradosEmX, 11);
        QCOMPARE(lab.QuadradosEmY, 6);
        QCOMPARE(lab.ComprimentoDoBraco, 5);
        QCOMPARE(lab.Coluna, 3);

        // Without the text: "ERRO". Without anyone to tell: just false.
        ui.mensagens.clear();
        QVERIFY(!lab.CarregarDoArquivo(QStringLiteral("CRUZ (3)"), d + "falta.ini", &ui));
        QCOMPARE(ui.mensagens, QStringList{QStringLiteral("ERRO")});
        QVERIFY(!lab.CarregarDoArquivo(QStringLiteral("CRUZ (3)"), QString(), nullptr));

        // A folder of that name is no library either.
        QDir().mkpath(d + "Labirintos.ini");
        QVERIFY(!lab.CarregarDoArquivo(QStringLiteral("CRUZ (3)"), QString(), nullptr));
        QCOMPARE(lab.QuadradosEmX, 11);
    }

    void cruzMinuscula() {
        const QString d = comBibliotecaPadrao();
        TLabirinto lab(d);
        // Section names ignore case, so the geometry is found, but the kind
        // is decided by the exact name: nothing exists, every move is refused.
        QVERIFY(lab.CarregarDoArquivo(QStringLiteral("Cruz (5)"), QString(), nullptr));
        QCOMPARE(lab.QuadradosEmX, 11);
        lab.Desenhar(QStringLiteral("Cruz (5)"));
        QVERIFY(quadrados(lab).isEmpty());
        QVERIFY(lab.Imagem.Figuras().isEmpty());
        bordasZeradas(lab);
        int c = 0, r = 0;
        QVERIFY(!lab.QuadradoDoClique(192, 192, &c, &r));
    }

    // The shipped library: all eight mazes, their squares and their bands.
    void bibliotecaPadrao_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("l");
        QTest::addColumn<QString>("esperados");
        QTest::newRow("CRUZ (3)") << "CRUZ (3)" << 7 << 7 << 3
                                  << coluna('D', 1, 7) + " " + linha(4, 'A', 'C') + " " +
                                         linha(4, 'E', 'G');
        QTest::newRow("CRUZ (5)") << "CRUZ (5)" << 11 << 11 << 5
                                  << coluna('F', 1, 11) + " " + linha(6, 'A', 'E') + " " +
                                         linha(6, 'G', 'K');
        QTest::newRow("CRUZ (6)") << "CRUZ (6)" << 13 << 13 << 6
                                  << coluna('G', 1, 13) + " " + linha(7, 'A', 'F') + " " +
                                         linha(7, 'H', 'M');
        QTest::newRow("EM I (3)") << "EM I (3)" << 6 << 1 << 3 << linha(1, 'A', 'F');
        QTest::newRow("EM I (5)") << "EM I (5)" << 10 << 1 << 5 << linha(1, 'A', 'J');
        QTest::newRow("EM T (5)") << "EM T (5)" << 11 << 6 << 5
                                  << linha(1, 'A', 'K') + " " + coluna('F', 2, 6);
        QString a4, a6;
        for (int r = 1; r <= 6; ++r) {
            if (r <= 4)
                a4 += linha(r, 'A', 'D') + " ";
            a6 += linha(r, 'A', 'F') + " ";
        }
        QTest::newRow("ARENA (4x4)") << "ARENA (4x4)" << 4 << 4 << 2 << a4;
        QTest::newRow("ARENA (6x6)") << "ARENA (6x6)" << 6 << 6 << 3 << a6;
    }
    void bibliotecaPadrao() {
        QFETCH(QString, nome);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, l);
        QFETCH(QString, esperados);
        const QString d = comBibliotecaPadrao();
        TLabirinto lab(d);
        QVERIFY(lab.CarregarDoArquivo(nome, QString(), nullptr));
        QCOMPARE(lab.QuadradosEmX, x);
        QCOMPARE(lab.QuadradosEmY, y);
        QCOMPARE(lab.ComprimentoDoBraco, l);
        QVERIFY(lab.Desenhavel());
        lab.Desenhar(nome);
        QCOMPARE(quadrados(lab), nomes(esperados));
        bordasZeradas(lab);
        // The seed square, like every start, is a square of the maze.
        QVERIFY(lab.Existe(lab.Coluna, lab.Linha));

        // Every key present, so the shipped values never depend on defaults.
        const QStringList chaves = TArquivoIni(lab.ArquivoLabirintos()).ReadSection(nome);
        for (const char *k : {"QuadradosEmX", "QuadradosEmY", "MascaraX", "MascaraY",
                              "BracoQuadrante1", "BracoQuadrante2", "BracoQuadrante3",
                              "BracoQuadrante4", "ComprimentoDoBraco", "TemQuadradoCentral",
                              "TemCentro", "Desloca"})
            QVERIFY2(chaves.contains(QLatin1String(k)), k);

        // The closed parts lie on the band: the horizontal arm of a cross,
        // the lower-letter half of an I maze, the stem of the T, the frame
        // of an arena; the open parts do not.
        const QVector<TFigura> &f = lab.Imagem.Figuras();
        QCOMPARE(f.size(), 1 + quadrados(lab).size());
        const TRetangulo faixa = f[0].retangulo;
        QCOMPARE(f[0].preenchimento, TCor::Oliva());
        auto sobreFaixa = [&](int c, int r) {
            const TRetangulo q = lab.RetanguloQuadrado(c, r);
            return q.esquerda >= faixa.esquerda && q.direita <= faixa.direita &&
                   q.topo >= faixa.topo && q.base <= faixa.base;
        };
        const TTipoLabirinto tipo = TLabirinto::TipoDoNome(nome);
        for (int c = 1; c <= x; ++c) {
            for (int r = 1; r <= y; ++r) {
                if (!lab.Existe(c, r))
                    continue;
                bool fechado = true;
                if (tipo == TTipoLabirinto::Cruz)
                    fechado = r == l + 1;
                else if (tipo == TTipoLabirinto::EmI)
                    fechado = c <= l;
                else if (tipo == TTipoLabirinto::EmT)
                    fechado = c == 6;
                QVERIFY2(sobreFaixa(c, r) == fechado, qPrintable(TLabirinto::NomeQuadrado(c, r)));
            }
        }
    }

    void indicePadrao() {
        const QString arquivo = QStringLiteral(TREVALIN_RESOURCES "/Labirintos.ini");
        QCOMPARE(BibliotecaLabirintos::ListarLabirintos(arquivo),
                 (QStringList{"CRUZ (3)", "CRUZ (5)", "CRUZ (6)", "EM I (3)", "EM I (5)",
                              "EM T (5)", "ARENA (4x4)", "ARENA (6x6)"}));
        const TArquivoIni ini(arquivo);
        QCOMPARE(ini.ReadInteger("LABIRINTOS", "Qde", 0), 8);
        const QByteArray bytes = ler(arquivo);
        QVERIFY(bytes.startsWith(';'));
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));
        QCOMPARE(bytes.count("\r"), bytes.count("\r\n"));
    }

    // A T maze entry of another size still has the fixed shape; one too small
    // for it keeps what fits instead of writing past the mask.
    void tamanhosDoT_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("existentes");
        QTest::newRow("11x6") << 11 << 6 << 16;
        QTest::newRow("13x8") << 13 << 8 << 16;
        QTest::newRow("8x4") << 8 << 4 << 8 + 3;
        QTest::newRow("5x6") << 5 << 6 << 5;
        QTest::newRow("11x1") << 11 << 1 << 11;
    }
    void tamanhosDoT() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, existentes);
        TLabirinto lab{QString()};
        lab.QuadradosEmX = x;
        lab.QuadradosEmY = y;
        lab.Desenhar(QStringLiteral("EM T (5)"));
        QCOMPARE(quadrados(lab).size(), existentes);
        bordasZeradas(lab);
        QCOMPARE(lab.Existe(6, 2), x >= 6 && y >= 2);
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
        QVERIFY(quadrados(lab).isEmpty());

        lab.TemCentro = 1;
        lab.Desenhar(QStringLiteral("CRUZ (x)"));
        bordasZeradas(lab);
        // Column Round(4/2 + 1) = 3, row Round(2/2 + 1) = 2.
        QCOMPARE(quadrados(lab), nomes("A2 B2 C2 D2 E2 C1 C3"));
        // All arm flags 0: no band, only the squares.
        QCOMPARE(lab.Imagem.Figuras().size(), 7);
    }

    void criarArena() {
        const QString d = comBibliotecaPadrao();
        const QString arquivo = d + "Labirintos.ini";
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
        QCOMPARE(BibliotecaLabirintos::ListarLabirintos(arquivo).last(), nome);
        const QByteArray bytes = ler(arquivo);
        QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));
        QVERIFY(bytes.startsWith(';')); // the comment lines survive

        TLabirinto lab(d);
        QVERIFY(lab.CarregarDoArquivo(nome, QString(), nullptr));
        QCOMPARE(lab.QuadradosEmX, 5);
        QCOMPARE(lab.QuadradosEmY, 3);
        QCOMPARE(lab.BracoQuadrante1, 1);
        QCOMPARE(lab.BracoQuadrante2, 0);
        QCOMPARE(lab.BracoQuadrante3, 1);
        QCOMPARE(lab.BracoQuadrante4, 0);
        QCOMPARE(lab.ComprimentoDoBraco, 2);
        QCOMPARE(lab.TemQuadradoCentral, 1);
        QCOMPARE(lab.TemCentro, 0);
        QCOMPARE(lab.Desloca, 3);
        lab.Desenhar(nome);
        QCOMPARE(quadrados(lab).size(), 15);

        // Once there, neither the same size nor a shipped one is written again.
        const QByteArray antes = ler(arquivo);
        QCOMPARE(BibliotecaLabirintos::CriarArena(arquivo, 5, 3), TResultadoArena::JaExiste);
        QCOMPARE(BibliotecaLabirintos::CriarArena(arquivo, 4, 4), TResultadoArena::JaExiste);
        QCOMPARE(ler(arquivo), antes);
    }

    void arenaInvalida_data() {
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("r");
        QTest::newRow("0 colunas") << 0 << 3;
        QTest::newRow("0 linhas") << 3 << 0;
        QTest::newRow("16 colunas") << 16 << 1;
        QTest::newRow("16 linhas") << 1 << 16;
        QTest::newRow("negativo") << -2 << 5;
    }
    void arenaInvalida() {
        QFETCH(int, c);
        QFETCH(int, r);
        const QString d = comBibliotecaPadrao();
        const QByteArray antes = ler(d + "Labirintos.ini");
        QCOMPARE(BibliotecaLabirintos::CriarArena(d + "Labirintos.ini", c, r),
                 TResultadoArena::TamanhoInvalido);
        QCOMPARE(ler(d + "Labirintos.ini"), antes);
    }

    void arenasNosLimites_data() {
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("l");
        QTest::addColumn<int>("tq");
        QTest::newRow("1x1") << 1 << 1 << 0 << 1;
        QTest::newRow("4x6") << 4 << 6 << 2 << 0;
        QTest::newRow("15x15") << 15 << 15 << 7 << 1;
    }
    // In a library without an index, the first maze makes the index hold
    // only its own name and sets "Qde" to 2 (read with default 1).
    void arenasNosLimites() {
        QFETCH(int, c);
        QFETCH(int, r);
        QFETCH(int, l);
        QFETCH(int, tq);
        const QString arquivo = novoDiretorio() + "Labirintos.ini";
        QString nome;
        QCOMPARE(BibliotecaLabirintos::CriarArena(arquivo, c, r, &nome), TResultadoArena::Criada);
        const TArquivoIni ini(arquivo);
        QCOMPARE(ini.ReadInteger(nome, "ComprimentoDoBraco", -1), l);
        QCOMPARE(ini.ReadInteger(nome, "TemQuadradoCentral", -1), tq);
        QCOMPARE(ini.ReadInteger(nome, "Desloca", -1), r);
        QCOMPARE(ini.ReadString("LABIRINTOS", "Labirintos", ""), nome + "/");
        QCOMPARE(ini.ReadInteger("LABIRINTOS", "Qde", 0), 2);
        // The pick list shows the one name there is.
        QCOMPARE(BibliotecaLabirintos::ListarLabirintos(arquivo), QStringList{nome});
    }

    void arenaJaNoIndice() {
        // Listed in the index without a section of its own: still taken.
        const QString arquivo = novoDiretorio() + "Labirintos.ini";
        gravar(arquivo, "[LABIRINTOS]\nLabirintos=arena (2x2)/\nQde=1\n");
        const QByteArray antes = ler(arquivo);
        QCOMPARE(BibliotecaLabirintos::CriarArena(arquivo, 2, 2), TResultadoArena::JaExiste);
        QCOMPARE(ler(arquivo), antes);
    }

    void bibliotecaSomenteLeitura() {
        const QString d = comBibliotecaPadrao();
        const QString arquivo = d + "Labirintos.ini";
        QVERIFY(Arquivos::marcarSomenteLeitura(arquivo));
        const QByteArray antes = ler(arquivo);
        QVERIFY_THROWS_EXCEPTION(TErro, BibliotecaLabirintos::CriarArena(arquivo, 7, 7));
        QCOMPARE(ler(arquivo), antes);
        Arquivos::desmarcarSomenteLeitura(arquivo);

        const QString semPasta = d + "nao/existe/Labirintos.ini";
        QVERIFY_THROWS_EXCEPTION(TErro, BibliotecaLabirintos::CriarArena(semPasta, 7, 7));
        QVERIFY(!QFile::exists(semPasta));
    }

    void indiceCheio() {
        // 2047 characters is the longest value read back whole: an addition
        // that would pass it is refused instead of losing names later.
        const QString arquivo = novoDiretorio() + "Labirintos.ini";
        const QString cheio = QString(2034, QLatin1Char('x')) + "/";
        gravar(arquivo, "[LABIRINTOS]\nLabirintos=" + cheio + "\nQde=1\n");
        const QByteArray antes = ler(arquivo);
        // 2035 + "ARENA (10x10)/" = 2049 characters.
        QCOMPARE(BibliotecaLabirintos::CriarArena(arquivo, 10, 10), TResultadoArena::ListaCheia);
        QCOMPARE(ler(arquivo), antes);
        // 2035 + "ARENA (2x2)/" = 2047 characters.
        QCOMPARE(BibliotecaLabirintos::CriarArena(arquivo, 2, 2), TResultadoArena::Criada);
        QCOMPARE(TArquivoIni(arquivo).ReadString("LABIRINTOS", "Labirintos", "").size(), 2047);
    }

    void listar_data() {
        QTest::addColumn<QString>("conteudo");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("normal") << "Labirintos=A/B (1)/C/\nQde=3" << QStringList{"A", "B (1)", "C"};
        QTest::newRow("Qde ausente: 1") << "Labirintos=A/B/C/" << QStringList{"A"};
        QTest::newRow("Qde menor") << "Labirintos=A/B/C/\nQde=2" << QStringList{"A", "B"};
        QTest::newRow("lista curta") << "Labirintos=A/B/\nQde=5" << QStringList{"A", "B"};
        QTest::newRow("Qde zero") << "Labirintos=A/B/\nQde=0" << QStringList{};
        QTest::newRow("Qde negativo") << "Labirintos=A/B/\nQde=-4" << QStringList{};
        QTest::newRow("Qde invalido: 1") << "Labirintos=A/B/\nQde=dois" << QStringList{"A"};
        QTest::newRow("nomes vazios") << "Labirintos=//A//B/\nQde=2" << QStringList{"A", "B"};
        QTest::newRow("sem a barra final") << "Labirintos=A/B\nQde=2" << QStringList{"A", "B"};
        QTest::newRow("lista vazia") << "Labirintos=\nQde=3" << QStringList{};
        QTest::newRow("sem indice") << "" << QStringList{};
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
