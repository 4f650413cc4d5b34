#include "core/Arquivos.h"
#include "core/TErro.h"
#include "data/TPlanilhaXLS.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <sys/resource.h>

namespace {

QByteArray hex(const char *texto) {
    return QByteArray::fromHex(QByteArray(texto));
}
const QByteArray kBofDim = hex("0908060000021000 0000 00020A00 0000FFFF00000001 0000");

QByteArray ler(const QString &caminho) {
    QByteArray b;
    Arquivos::lerTudo(caminho, &b);
    return b;
}

// The last record of the document: header and a body of `corpo` bytes.
QByteArray ultimo(const TPlanilhaXLS &p, int corpo) {
    return p.Conteudo().right(4 + corpo);
}

// The message of the TErro that f throws.
QString erroDe(const std::function<void()> &f) {
    try {
        f();
    } catch (const TErro &e) {
        return e.mensagem();
    }
    return QStringLiteral("(nothing thrown)");
}

} // namespace

class TstPlanilhaXLS : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString caminho(const QString &nome) const { return m_dir.filePath(nome); }
    void escrever(const QString &alvo, bool somenteLeitura) {
        QVERIFY(Arquivos::gravarAtomico(alvo, "antigo"));
        if (somenteLeitura) QVERIFY(Arquivos::marcarSomenteLeitura(alvo));
    }
    // Temporary (hidden) files included.
    QStringList arquivosNaPasta() const {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private slots:
    void init() {
        for (const QString &n : arquivosNaPasta()) // read-only ones too
            QFile::remove(caminho(n));
    }

    void exemploCompleto() {
        TPlanilhaXLS p;
        p.StartSheet();
        p.WriteCell(1, 1, QStringLiteral("Fim"));
        p.WriteCell(1, 2, 2.5);
        p.WriteCell(2, 1, quint16(7));
        p.EndSheet();
        const QByteArray esperado = hex("09 08 06 00 00 02 10 00 00 00"
                                        "00 02 0A 00 00 00 FF FF 00 00 00 01 00 00"
                                        "04 00 0B 00 00 00 00 00 40 00 00 03 46 69 6D"
                                        "03 00 0F 00 00 00 01 00 40 00 00 00 00 00 00 00 00 04 40"
                                        "02 00 09 00 01 00 00 00 40 00 00 07 00"
                                        "0A 00 00 00");
        QCOMPARE(esperado.size(), 75);
        QCOMPARE(p.Conteudo(), esperado);
        // Saving twice writes the same bytes: the document is kept.
        p.setFileName(caminho(QStringLiteral("exemplo")));
        for (int vez = 0; vez < 2; ++vez) {
            p.SaveSheet();
            QCOMPARE(ler(caminho(QStringLiteral("exemplo.XLS"))), esperado);
        }
    }

    void reinicio() {
        TPlanilhaXLS p;
        QCOMPARE(p.Conteudo(), kBofDim); // a new writer holds BOF and DIMENSIONS
        p.WriteCell(1, 1, quint16(1));
        const QByteArray umaCelula = p.Conteudo();
        p.setBIFF(bvBIFF5); // the same version: no restart
        p.EndSheet();
        QCOMPARE(p.Conteudo(), umaCelula + hex("0A000000"));
        // After EndSheet the next cell starts a new document...
        p.WriteCell(3, 1, quint16(9));
        p.EndSheet();
        QCOMPARE(p.Conteudo(), kBofDim + hex("0200 0900 0200 0000 400000 0900 0A000000"));
        // ...and so does a second EndSheet; StartSheet discards in any state.
        p.EndSheet();
        QCOMPARE(p.Conteudo(), kBofDim + hex("0A000000"));
        p.WriteCell(1, 1, quint16(1));
        p.StartSheet();
        QCOMPARE(p.Conteudo(), kBofDim);
    }

    // The document grows in place: asked for between cells, after many
    // cells, after a restart and after a non-ASCII or over-long title, it
    // is exactly the records written, each record whole.
    void documentoCrescendo() {
        TPlanilhaXLS p;
        QCOMPARE(p.Conteudo(), kBofDim);
        p.WriteCell(1, 1, quint16(7));
        const QByteArray inteiro = hex("02000900 0000 0000 400000 0700");
        QCOMPARE(p.Conteudo(), kBofDim + inteiro);
        QByteArray esperado = kBofDim + inteiro;
        for (int i = 0; i < 100000; ++i) {
            p.WriteCell(2 + i % 60000, 1 + i % 250, double(i));
            esperado += p.Conteudo().right(19);
        }
        QCOMPARE(p.Conteudo().size(), esperado.size());
        QCOMPARE(p.Conteudo(), esperado);
        p.StartSheet();
        QCOMPARE(p.Conteudo(), kBofDim);
        p.WriteCell(1, 2, "Sessão");
        QCOMPARE(p.Conteudo().right(7), QByteArray("\x06Sess\xE3o"));
        p.WriteCell(1, 3, QByteArray(300, 'x').constData());
        QCOMPARE(p.Conteudo().right(256), QByteArray(1, '\xFF') + QByteArray(255, 'x'));
        p.EndSheet();
        QVERIFY(p.Conteudo().endsWith(hex("0A000000")));
    }

    void bofPorVersao() {
        const QPair<TxlsBIFFVersion, const char *> casos[] = {
            {bvBIFF2, "0900 0400 00021000 0000 0800 0000FFFF00000001"},
            {bvBIFF3, "0902 0600 000210000000 0002 0A00 0000FFFF00000001 0000"},
            {bvBIFF4, "0904 0600 000210000000 0002 0A00 0000FFFF00000001 0000"}};
        for (const auto &c : casos) {
            TPlanilhaXLS p;
            p.WriteCell(1, 1, quint16(1));
            p.setBIFF(c.first);            // a change restarts the document
            p.WriteCell(1, 1, quint16(1)); // cell records do not depend on the version
            QCOMPARE(p.Conteudo(), hex(c.second) + hex("0200 0900 0000 0000 400000 0100"));
            p.setBIFF(bvBIFF5);
            QCOMPARE(p.Conteudo(), kBofDim);
        }
    }

    void atributos() {
        const int todas = (1 << ebTop) | (1 << ebBottom) | (1 << ebLeft) | (1 << ebRight);
        const struct {
            int extras; // 1 hidden, 2 unlocked, 4 shading
            TxlsAlignment alinhamento;
            int bordas;
            const char *esperado;
        } casos[] = {// clang-format off
            {0, eaGeneral, 0, "400000"}, {1, eaGeneral, 0, "C00000"}, {2, eaGeneral, 0, "000000"},
            {0, eaLeft, 0, "400001"},    {0, eaRight, 0, "400003"},   {0, eaCenter, 0, "400002"},
            {0, eaFill, 0, "400004"},    {0, eaMultiPlan, 0, "400007"},
            {0, eaGeneral, 1 << ebTop, "400020"},  {0, eaGeneral, 1 << ebBottom, "400040"},
            {0, eaGeneral, 1 << ebLeft, "400008"}, {0, eaGeneral, 1 << ebRight, "400010"},
            {4, eaRight, todas, "4000FB"}};
        // clang-format on
        for (const auto &c : casos) {
            TPlanilhaXLS p;
            p.setActiveFont(1); // refused (no font table): the font index stays 0
            p.setHidden(c.extras & 1);
            p.setLocked(!(c.extras & 2));
            p.setShading(c.extras & 4);
            p.setAlignment(c.alinhamento);
            p.setBorders(TxlsBorderSet(c.bordas));
            p.WriteCell(3, 2, quint16(0x1234));
            QCOMPARE(ultimo(p, 9), hex("0200 0900 0200 0100") + hex(c.esperado) + hex("3412"));
        }
    }

    // A row or column the sheet cannot hold leaves the cursor as it was; a
    // cell at row or column 0 goes to the cursor's.
    void cursorForaDosLimites() {
        // clang-format off
        const int casos[][3] = {{0, 5, 5}, {-1, 5, 5}, {1, 1, 1}, {256, 256, 256},
                                {257, 257, 5}, {65535, 65535, 5}, {65536, 5, 5},
                                {70000, 5, 5}}; // not cut to 16 bits
        // clang-format on
        for (const auto &c : casos) {
            TPlanilhaXLS p;
            p.setRow(5);
            p.setColumn(5);
            p.setRow(c[0]);
            p.setColumn(c[0]);
            QCOMPARE(QString::asprintf("%d: %d,%d", c[0], p.Row(), p.Column()),
                     QString::asprintf("%d: %d,%d", c[0], c[1], c[2]));
        }
        TPlanilhaXLS p;
        p.setMoveAfterEnter(maNone);
        p.setRow(9);
        p.setColumn(8);
        p.WriteCell(0, 3, quint16(1));
        QCOMPARE(ultimo(p, 9).mid(4, 4), hex("0800 0200"));
        p.WriteCell(4, 0, quint16(1));
        QCOMPARE(ultimo(p, 9).mid(4, 4), hex("0300 0200"));
    }

    // A cell the sheet cannot hold is refused before anything is appended, not
    // put in another cell (70000 is not cut to 16 bits); size checks write nothing.
    void foraDaPlanilha() {
        QVERIFY(TPlanilhaXLS::Cabe(65535, 256));
        QVERIFY(!TPlanilhaXLS::Cabe(65536, 1) && !TPlanilhaXLS::Cabe(1, 257));
        QVERIFY(!TPlanilhaXLS::Cabe(Q_INT64_C(1) << 40, 1));
        TPlanilhaXLS p;
        p.setFileName(QStringLiteral("/dados/saida"));
        p.setRow(2);
        p.setColumn(6);
        p.EndSheet();
        const QByteArray antes = p.Conteudo();
        p.ConferirTamanho(65535, 256);
        QString erro = erroDe([&] { p.ConferirTamanho(10, 300); });
        QVERIFY2(erro.contains("/dados/saida.XLS") && erro.contains("300"), qPrintable(erro));
        for (const auto &c :
             {QPoint(4, 257), QPoint(65536, 1), QPoint(70000, 1), QPoint(-1, 1), QPoint(1, -3)}) {
            for (const auto &escrita :
                 QList<std::function<void()>>{[&] { p.WriteCell(c.x(), c.y(), QString("x")); },
                                              [&] { p.WriteCell(c.x(), c.y(), 1.0); },
                                              [&] { p.WriteCell(c.x(), c.y(), quint16(1)); }}) {
                erro = erroDe(escrita);
                QVERIFY2(erro.contains("/dados/saida.XLS") && erro.contains(QString::number(c.y())),
                         qPrintable(erro));
            }
        }
        // Nothing appended, no restart, cursor where it was.
        QCOMPARE(p.Conteudo(), antes);
        QCOMPARE(QPoint(p.Row(), p.Column()), QPoint(2, 6));
    }

    void rotulos_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("cabe");
        // clang-format off
        QTest::newRow("empty") << "" << QByteArray() << true;
        QTest::newRow("accented titles") << "Posição Duração"
                                         << QByteArray("Posi\xE7\xE3o Dura\xE7\xE3o") << true;
        QTest::newRow("euro sign is 0x80") << "5 €" << QByteArray("5 \x80") << true;
        QTest::newRow("outside the code page") << "a→b" << QByteArray("a?b") << true;
        QTest::newRow("surrogate pair is one character") << "x\xF0\x9F\x90\x80y"
                                                         << QByteArray("x?y") << true;
        QTest::newRow("255 kept") << QString(255, 'a') << QByteArray(255, 'a') << true;
        QTest::newRow("300 cut to 255") << QString(300, 'b') << QByteArray(255, 'b') << false;
        QTest::newRow("cut counts characters, not UTF-16 units")
            << QString(254, 'c') + "\xF0\x9F\x90\x80zz" << QByteArray(254, 'c') + '?' << false;
        // clang-format on
    }
    void rotulos() {
        QFETCH(QString, texto);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, cabe);
        TPlanilhaXLS p, utf8;
        p.WriteCell(1, 1, texto);
        QByteArray esperado = hex("0400");
        esperado.append(char((8 + bytes.size()) & 0xFF)).append(char((8 + bytes.size()) >> 8));
        esperado += hex("0000 0000 400000");
        esperado.append(char(bytes.size())).append(bytes);
        QCOMPARE(p.Conteudo().mid(24), esperado);
        QCOMPARE(TPlanilhaXLS::TextoCabe(texto), cabe);
        // Fixed titles come as UTF-8 text; a null one is an empty label.
        const QByteArray u = texto.toUtf8();
        utf8.WriteCell(1, 1, texto.isEmpty() ? nullptr : u.constData());
        QCOMPARE(utf8.Conteudo(), p.Conteudo());
    }

    // Two numbers written into the same cell: both records are kept.
    void numeros() {
        TPlanilhaXLS p;
        p.WriteCell(1, 1, quint16(65535));
        p.WriteCell(1, 1, -0.1);
        QCOMPARE(p.Conteudo().mid(24), hex("0200 0900 0000 0000 400000 FFFF"
                                           "0300 0F00 0000 0000 400000 9A9999999999B9BF"));
    }

    void cursor() {
        const struct {
            TxlsMoveAfterEnter modo;
            int linha, coluna, novaLinha, novaColuna;
        } casos[] = {// clang-format off
            {maNone, 5, 5, 5, 5},
            {maUp, 5, 5, 4, 5},    {maUp, 1, 5, 65535, 4},   {maUp, 1, 1, 1, 1},
            {maDown, 5, 5, 6, 5},  {maDown, 65535, 5, 1, 6}, {maDown, 65535, 256, 65535, 256},
            {maLeft, 5, 5, 5, 4},  {maLeft, 5, 1, 4, 256},   {maLeft, 1, 1, 1, 1},
            {maRight, 5, 5, 5, 6}, {maRight, 5, 256, 6, 1},  {maRight, 65535, 256, 65535, 256}};
        // clang-format on
        for (const auto &c : casos) {
            TPlanilhaXLS p;
            p.setMoveAfterEnter(c.modo);
            p.WriteCell(c.linha, c.coluna, 1.0);
            // The cell went where it was asked to go, then the cursor moved.
            const QByteArray r = ultimo(p, 15);
            const char *caso = "mode %d: cell %d,%d, cursor %d,%d";
            QCOMPARE(QString::asprintf(caso, c.modo, (quint8(r[4]) | quint8(r[5]) << 8) + 1,
                                       (quint8(r[6]) | quint8(r[7]) << 8) + 1, p.Row(), p.Column()),
                     QString::asprintf(caso, c.modo, c.linha, c.coluna, c.novaLinha, c.novaColuna));
        }
    }

    void nomeDoArquivo() {
        // clang-format off
        const char *const casos[][2] = {
            {"/a/dados", "/a/dados.XLS"},     {"/a/dados.txt", "/a/dados.XLS"},
            {"/a/dados.Xls", "/a/dados.Xls"}, {"dados.xls", "dados.xls"},
            {"/a/d.1.tvl", "/a/d.1.XLS"},     {"/a.b/dados", "/a.b/dados.XLS"}, {"", ""}};
        // clang-format on
        for (const auto &c : casos)
            QCOMPARE(TPlanilhaXLS::NomeFinal(QString::fromUtf8(c[0])), QString::fromUtf8(c[1]));
    }

    // An existing read-only file is replaced only when the caller asks (the
    // user's Yes); the result is read-only only when asked for. A name that
    // cannot be a file is refused.
    void gravar_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<int>("antigo"); // 0 none, 1 writable, 2 read-only
        QTest::addColumn<int>("opcoes");
        QTest::addColumn<bool>("grava");
        const int substituir = TPlanilhaXLS::GravSubstituir, ro = TPlanilhaXLS::GravSomenteLeitura;
        // clang-format off
        QTest::newRow("new, read-only") << "s" << 0 << ro << true;
        QTest::newRow("writable file replaced") << "s" << 1 << 0 << true;
        QTest::newRow("read-only file refused") << "s" << 2 << 0 << false;
        QTest::newRow("read-only file refused for a read-only result") << "s" << 2 << ro << false;
        QTest::newRow("read-only replaced, writable") << "s" << 2 << substituir << true;
        QTest::newRow("read-only replaced, read-only") << "s" << 2 << (substituir | ro) << true;
        const int soCriar = TPlanilhaXLS::GravNovo;
        QTest::newRow("create only, new") << "s" << 0 << (soCriar | ro) << true;
        QTest::newRow("create only, writable file kept") << "s" << 1 << soCriar << false;
        QTest::newRow("create only, read-only file kept") << "s" << 2 << soCriar << false;
        QTest::newRow("empty name") << "" << 0 << substituir << false;
        QTest::newRow("missing folder") << "falta/x.xls" << 0 << substituir << false;
        QTest::newRow("folder") << "pasta.xls" << 0 << substituir << false;
        // clang-format on
    }
    void gravar() {
        QFETCH(QString, nome);
        QFETCH(int, antigo);
        QFETCH(int, opcoes);
        QFETCH(bool, grava);
        QDir(m_dir.path()).mkdir(QStringLiteral("pasta.xls"));
        TPlanilhaXLS p;
        p.WriteCell(1, 1, quint16(3));
        p.setFileName(nome.isEmpty() ? nome : caminho(nome));
        const QString alvo = p.FileName();
        if (antigo) escrever(alvo, antigo == 2);
        const QString erro =
            erroDe([&] { p.SaveSheet(TPlanilhaXLS::OpcoesGravacao::fromInt(opcoes)); });
        QDir(m_dir.path()).rmdir(QStringLiteral("pasta.xls"));
        if (grava) {
            QCOMPARE(erro, QStringLiteral("(nothing thrown)"));
            QCOMPARE(ler(alvo), p.Conteudo());
            QCOMPARE(Arquivos::somenteLeitura(alvo),
                     bool(opcoes & TPlanilhaXLS::GravSomenteLeitura));
            QVERIFY(QFileInfo(alvo).permissions() & QFile::ReadOther);
        } else {
            QVERIFY2(erro.startsWith(QStringLiteral("Cannot create file ") + alvo),
                     qPrintable(erro));
            if (antigo)
                QVERIFY(ler(alvo) == "antigo" && Arquivos::somenteLeitura(alvo) == (antigo == 2));
        }
        QCOMPARE(arquivosNaPasta(), antigo || grava ? QStringList{"s.XLS"} : QStringList());
    }

    // GravNovo never replaces, not even a writable file; the old file and
    // its permissions stay, and nothing is left behind.
    void gravarNovo() {
        TPlanilhaXLS p;
        p.setFileName(caminho(QStringLiteral("s")));
        const QString alvo = p.FileName();
        escrever(alvo, false);
        const QString erro =
            erroDe([&] { p.SaveSheet(TPlanilhaXLS::GravNovo | TPlanilhaXLS::GravSubstituir); });
        QCOMPARE(erro, "Cannot create file " + alvo + ": the file already exists.");
        QCOMPARE(ler(alvo), QByteArray("antigo"));
        QVERIFY(!Arquivos::somenteLeitura(alvo));
        QCOMPARE(arquivosNaPasta(), QStringList{QStringLiteral("s.XLS")});
        QFile::remove(alvo);
        p.SaveSheet(TPlanilhaXLS::GravNovo | TPlanilhaXLS::GravSomenteLeitura);
        QCOMPARE(ler(alvo), p.Conteudo());
        QVERIFY(Arquivos::somenteLeitura(alvo));
    }

    // The create-only rename: a name taken at that very moment is refused
    // and both files stay as they were; a free name is taken.
    void renomearSemSubstituir() {
        const QString de = caminho("novo"), para = caminho("alvo");
        escrever(de, false);
        QFile f(para);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("outro") == 5);
        f.close();
        QString erro;
        bool existia = false;
        QVERIFY(!Arquivos::renomearSemSubstituir(de, para, &erro, &existia));
        QVERIFY(existia);
        QCOMPARE(ler(para), QByteArray("outro"));
        QCOMPARE(ler(de), QByteArray("antigo"));
        QVERIFY(QFile::remove(para));
        QVERIFY(Arquivos::renomearSemSubstituir(de, para, &erro, &existia));
        QCOMPARE(ler(para), QByteArray("antigo"));
        QVERIFY(!QFileInfo::exists(de));
        QVERIFY(!Arquivos::renomearSemSubstituir(de, caminho("x"), &erro, &existia));
        QVERIFY(!existia && !erro.isEmpty());
        QFile::remove(para);
    }

    // A write failing half-way (the file-size limit binds root too) leaves the
    // old file whole and read-only, and no temporary file behind.
    void falhaNoMeioDaGravacaoPreservaAntigo() {
        const QString alvo = caminho(QStringLiteral("grande.XLS"));
        escrever(alvo, true);
        TPlanilhaXLS p;
        p.setFileName(alvo);
        for (int i = 1; i <= 400; ++i)
            p.WriteCell(i, 1, 1.0 * i);
        struct rlimit antes;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &antes), 0);
        auto sinalAntes = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limite = antes;
        limite.rlim_cur = 1000;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limite), 0);
        const QString erro = erroDe(
            [&] { p.SaveSheet(TPlanilhaXLS::GravSubstituir | TPlanilhaXLS::GravSomenteLeitura); });
        setrlimit(RLIMIT_FSIZE, &antes);
        std::signal(SIGXFSZ, sinalAntes);

        QVERIFY2(erro.contains(alvo), qPrintable(erro));
        QCOMPARE(ler(alvo), QByteArray("antigo"));
        QVERIFY(Arquivos::somenteLeitura(alvo));
        QCOMPARE(arquivosNaPasta(), QStringList{QStringLiteral("grande.XLS")});
        // The document is intact: the same save succeeds without the limit.
        p.SaveSheet(TPlanilhaXLS::GravSubstituir);
        QCOMPARE(ler(alvo), p.Conteudo());
    }

    // Sent to the file in pieces as it grows, the document is byte for byte
    // the one kept whole: cells of every kind over several pieces, a record
    // across a piece's end, a document started again after pieces were sent.
    void gerarEGravarEmPedacos() {
        auto preencher = [](TPlanilhaXLS &p, bool recomecar) {
            p.StartSheet();
            if (recomecar) {
                for (int i = 1; i <= 20000; ++i)
                    p.WriteCell(i, 1, "descartado");
                p.StartSheet();
            }
            p.setBorders(xlsBorda(ebTop));
            for (int i = 1; i <= 30000; ++i) {
                p.WriteCell(i, 1, 0.5 * i);
                p.WriteCell(i, 2, quint16(i));
                p.WriteCell(0, 0, QStringLiteral("Posição %1").arg(i)); // the cursor's cell
                if (i == 20000) p.setShading(true);
            }
            p.WriteCell(2, 3, "ÇÃO");
            p.EndSheet();
        };
        TPlanilhaXLS inteiro;
        preencher(inteiro, false);
        QVERIFY(inteiro.Conteudo().size() > 3 * TPlanilhaXLS::TamanhoPedaco);
        for (bool recomecar : {false, true}) {
            TPlanilhaXLS p;
            p.setFileName(caminho(QStringLiteral("pedacos")));
            p.GerarEGravar([&] { preencher(p, recomecar); }, TPlanilhaXLS::GravSomenteLeitura);
            QCOMPARE(ler(caminho(QStringLiteral("pedacos.XLS"))), inteiro.Conteudo());
            QVERIFY(Arquivos::somenteLeitura(caminho(QStringLiteral("pedacos.XLS"))));
            // Nothing of the document stays behind.
            QCOMPARE(p.Conteudo(), kBofDim);
            QFile::setPermissions(caminho(QStringLiteral("pedacos.XLS")),
                                  QFile::ReadOwner | QFile::WriteOwner);
        }
        QFile::remove(caminho(QStringLiteral("pedacos.XLS")));
    }

    // What the filling throws reaches the caller as it was, and the target
    // and the folder are as before; a write that fails midway lets the
    // filling run to its end (its own error would come first) and then
    // fails as SaveSheet does, with the old file kept.
    void gerarEGravarQueFalha() {
        const QString alvo = caminho(QStringLiteral("falha.XLS"));
        escrever(alvo, true);
        TPlanilhaXLS p;
        p.setFileName(alvo);
        const QString erro = erroDe([&] {
            p.GerarEGravar(
                [&] {
                    for (int i = 1; i <= 60000; ++i)
                        p.WriteCell(i, 1, 1.0 * i);
                    p.WriteCell(70000, 1, 1.0);
                },
                TPlanilhaXLS::GravSubstituir);
        });
        QVERIFY2(erro.contains("row 70000"), qPrintable(erro));
        QCOMPARE(ler(alvo), QByteArray("antigo"));
        QCOMPARE(arquivosNaPasta(), QStringList{QStringLiteral("falha.XLS")});

        struct rlimit antes;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &antes), 0);
        auto sinalAntes = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limite = antes;
        limite.rlim_cur = 100000;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limite), 0);
        int escritas = 0;
        const QString erroDisco = erroDe([&] {
            p.GerarEGravar(
                [&] {
                    for (int i = 1; i <= 60000; ++i, ++escritas)
                        p.WriteCell(i, 1, 1.0 * i);
                    p.EndSheet();
                },
                TPlanilhaXLS::GravSubstituir);
        });
        setrlimit(RLIMIT_FSIZE, &antes);
        std::signal(SIGXFSZ, sinalAntes);
        QCOMPARE(escritas, 60000);
        QCOMPARE(erroDisco, QStringLiteral("Cannot create file %1: %2.")
                                .arg(QDir::toNativeSeparators(alvo),
                                     QString::fromLocal8Bit(std::strerror(EFBIG))));
        QCOMPARE(ler(alvo), QByteArray("antigo"));
        QVERIFY(Arquivos::somenteLeitura(alvo));
        QCOMPARE(arquivosNaPasta(), QStringList{QStringLiteral("falha.XLS")});
        QFile::setPermissions(alvo, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(alvo);
    }

    // A written sheet as an independent reader of the format (Debian's
    // python3-xlrd) sees it: kind 1 is text, 2 a number.
    void lidaPorOutroLeitor() {
        const QStringList titulos{"Posição", "Comportamento", "Início",
                                  "Duração", "Frequência",    "5 €"};
        TPlanilhaXLS p;
        p.setFileName(caminho(QStringLiteral("interop")));
        QJsonArray esperado;
        for (int c = 0; c < titulos.size(); ++c) {
            p.WriteCell(1, c + 1, titulos[c]);
            esperado.append(QJsonArray{0, c, 1, titulos[c]});
        }
        p.WriteCell(2, 1, "Distância:");
        esperado.append(QJsonArray{1, 0, 1, "Distância:"});
        p.WriteCell(2, 2, quint16(7));
        p.WriteCell(2, 3, quint16(65535));
        p.WriteCell(2, 4, 2.5);
        p.WriteCell(2, 5, -1234.0625);
        p.WriteCell(2, 6, 61.234);
        const double numeros[] = {7, 65535, 2.5, -1234.0625, 61.234};
        for (int c = 0; c < 5; ++c)
            esperado.append(QJsonArray{1, c + 1, 2, numeros[c]});
        p.WriteCell(300, 256, QStringLiteral("canto"));
        esperado.append(QJsonArray{299, 255, 1, "canto"});
        p.EndSheet();
        p.SaveSheet();

        const char *script = R"PY(
import json, sys
try:
    import xlrd
except ImportError:
    sys.exit(77)
s = xlrd.open_workbook(sys.argv[1], encoding_override="cp1252").sheet_by_index(0)
print(json.dumps([[r, c, s.cell(r, c).ctype, s.cell(r, c).value] for r in range(s.nrows)
                  for c in range(s.ncols) if s.cell(r, c).ctype != xlrd.XL_CELL_EMPTY]))
)PY";
        QProcess proc;
        proc.start(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral("-c"), QString::fromUtf8(script), p.FileName()});
        QVERIFY(proc.waitForFinished(30000) || proc.error() == QProcess::FailedToStart);
        if (proc.error() == QProcess::FailedToStart || proc.exitCode() == 77)
            QSKIP("python3 with the xlrd module is not installed (Debian package python3-xlrd)");
        QVERIFY2(proc.exitCode() == 0, proc.readAllStandardError().constData());
        QCOMPARE(QJsonDocument::fromJson(proc.readAllStandardOutput()).array(), esperado);
    }
};

QTEST_GUILESS_MAIN(TstPlanilhaXLS)
#include "tst_planilhaxls.moc"
