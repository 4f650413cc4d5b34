#include "core/Arquivos.h"
#include "core/TErro.h"
#include "data/TPlanilhaXLS.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray hex(const char *texto) {
    return QByteArray::fromHex(QByteArray(texto));
}

const char *const kBofDimBiff5 = "0908060000021000 0000"
                                 "00020A00 0000FFFF00000001 0000";

QByteArray ler(const QString &caminho) {
    QByteArray b;
    Arquivos::lerTudo(caminho, &b);
    return b;
}

// Body of the last record of the document (the last cell written).
QByteArray ultimoRegistro(const TPlanilhaXLS &p, int tamanhoCorpo) {
    return p.Conteudo().right(4 + tamanhoCorpo);
}

} // namespace

Q_DECLARE_METATYPE(TxlsBIFFVersion)
Q_DECLARE_METATYPE(TxlsMoveAfterEnter)

class TstPlanilhaXLS : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString caminho(const QString &nome) const { return m_dir.filePath(nome); }
    void escrever(const QString &nome, const QByteArray &bytes) {
        QFile f(caminho(nome));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    // Files in the test folder, hidden ones (temporary files) included.
    QStringList arquivosNaPasta() const {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }

private slots:
    void init() {
        for (const QString &n : arquivosNaPasta()) {
            Arquivos::desmarcarSomenteLeitura(caminho(n));
            QFile::remove(caminho(n));
        }
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

        p.setFileName(caminho(QStringLiteral("exemplo")));
        p.SaveSheet();
        QCOMPARE(ler(caminho(QStringLiteral("exemplo.XLS"))), esperado);
        // Saving again writes the same bytes: the document is kept.
        p.SaveSheet();
        QCOMPARE(ler(caminho(QStringLiteral("exemplo.XLS"))), esperado);
    }

    void novoSemStartSheet() {
        TPlanilhaXLS p;
        QCOMPARE(p.Conteudo(), hex(kBofDimBiff5));
        QCOMPARE(p.Conteudo().size(), 24);
        p.setFileName(caminho(QStringLiteral("vazio.xls")));
        p.SaveSheet();
        QCOMPARE(ler(caminho(QStringLiteral("vazio.xls"))), hex(kBofDimBiff5));
    }

    void bofPorVersao_data() {
        QTest::addColumn<TxlsBIFFVersion>("versao");
        QTest::addColumn<QByteArray>("esperado");
        QTest::newRow("BIFF2") << bvBIFF2 << hex("0900 0400 00021000  0000 0800 0000FFFF00000001");
        QTest::newRow("BIFF3") << bvBIFF3
                               << hex("0902 0600 000210000000  0002 0A00 0000FFFF000000010000");
        QTest::newRow("BIFF4") << bvBIFF4
                               << hex("0904 0600 000210000000  0002 0A00 0000FFFF000000010000");
    }
    void bofPorVersao() {
        QFETCH(TxlsBIFFVersion, versao);
        QFETCH(QByteArray, esperado);
        TPlanilhaXLS p;
        p.WriteCell(1, 1, quint16(1));
        p.setBIFF(versao);
        QCOMPARE(p.Conteudo(), esperado);
        // Cell records do not depend on the version.
        p.WriteCell(1, 1, quint16(1));
        QCOMPARE(p.Conteudo().mid(esperado.size()), hex("0200 0900 0000 0000 400000 0100"));
        // Back to BIFF5: the document restarts and holds BOF and DIMENSIONS only.
        p.setBIFF(bvBIFF5);
        QCOMPARE(p.Conteudo(), hex(kBofDimBiff5));
    }

    void mesmaVersaoNaoReinicia() {
        TPlanilhaXLS p;
        p.WriteCell(1, 1, quint16(1));
        const QByteArray antes = p.Conteudo();
        p.setBIFF(bvBIFF5);
        QCOMPARE(p.Conteudo(), antes);
    }

    void atributos_data() {
        QTest::addColumn<int>("caso");
        QTest::addColumn<QByteArray>("esperado");
        QTest::newRow("defaults") << 0 << hex("400000");
        QTest::newRow("hidden") << 1 << hex("C00000");
        QTest::newRow("unlocked") << 2 << hex("000000");
        QTest::newRow("left") << 3 << hex("400001");
        QTest::newRow("right") << 4 << hex("400003");
        QTest::newRow("center") << 5 << hex("400002");
        QTest::newRow("fill") << 6 << hex("400004");
        QTest::newRow("multiplan") << 7 << hex("400007");
        QTest::newRow("top") << 8 << hex("400020");
        QTest::newRow("bottom") << 9 << hex("400040");
        QTest::newRow("left border") << 10 << hex("400008");
        QTest::newRow("right border") << 11 << hex("400010");
        QTest::newRow("shading, all borders, right") << 12 << hex("4000FB");
    }
    void atributos() {
        QFETCH(int, caso);
        QFETCH(QByteArray, esperado);
        TPlanilhaXLS p;
        switch (caso) {
        case 1:
            p.setHidden(true);
            break;
        case 2:
            p.setLocked(false);
            break;
        case 3:
            p.setAlignment(eaLeft);
            break;
        case 4:
            p.setAlignment(eaRight);
            break;
        case 5:
            p.setAlignment(eaCenter);
            break;
        case 6:
            p.setAlignment(eaFill);
            break;
        case 7:
            p.setAlignment(eaMultiPlan);
            break;
        case 8:
            p.setBorders(xlsBorda(ebTop));
            break;
        case 9:
            p.setBorders(xlsBorda(ebBottom));
            break;
        case 10:
            p.setBorders(xlsBorda(ebLeft));
            break;
        case 11:
            p.setBorders(xlsBorda(ebRight));
            break;
        case 12:
            p.setShading(true);
            p.setAlignment(eaRight);
            p.setBorders(xlsBorda(ebTop) | xlsBorda(ebBottom) | xlsBorda(ebLeft) |
                         xlsBorda(ebRight));
            break;
        }
        p.WriteCell(3, 2, quint16(0x1234));
        QCOMPARE(ultimoRegistro(p, 9), hex("0200 0900 0200 0100") + esperado + hex("3412"));
    }

    void propriedadesSemEfeito() {
        TPlanilhaXLS p;
        p.setActiveFont(1);
        QCOMPARE(int(p.ActiveFont()), 0);
        p.WriteCell(1, 1, quint16(0));
        QCOMPARE(p.Conteudo().at(24 + 4 + 4 + 1), '\0');
        QCOMPARE(p.Version(), QStringLiteral("1.23"));
        p.setVersion(QStringLiteral("9.9"));
        QCOMPARE(p.Version(), QStringLiteral("1.23"));
        QCOMPARE(p.BIFF(), bvBIFF5);
        QCOMPARE(p.MoveAfterEnter(), maRight);
        QCOMPARE(p.Alignment(), eaGeneral);
        QVERIFY(p.Locked() && !p.Hidden() && !p.Shading() && p.Borders() == 0);
        QVERIFY(p.FileName().isEmpty());
    }

    void linhaEColuna_data() {
        QTest::addColumn<int>("valor");
        QTest::addColumn<int>("linha");
        QTest::addColumn<int>("coluna");
        QTest::newRow("0 refused") << 0 << 5 << 5;
        QTest::newRow("negative refused") << -1 << 5 << 5;
        QTest::newRow("1") << 1 << 1 << 1;
        QTest::newRow("256") << 256 << 256 << 256;
        QTest::newRow("257: row only") << 257 << 257 << 5;
        QTest::newRow("65535: row only") << 65535 << 65535 << 5;
        QTest::newRow("65536 refused") << 65536 << 5 << 5;
        QTest::newRow("70000 is not cut to 16 bits") << 70000 << 5 << 5;
    }
    void linhaEColuna() {
        QFETCH(int, valor);
        QFETCH(int, linha);
        QFETCH(int, coluna);
        TPlanilhaXLS p;
        p.setRow(5);
        p.setColumn(5);
        p.setRow(valor);
        p.setColumn(valor);
        QCOMPARE(p.Row(), linha);
        QCOMPARE(p.Column(), coluna);
    }

    void celulaNoCursor() {
        TPlanilhaXLS p;
        p.setMoveAfterEnter(maNone);
        p.setRow(9);
        p.setColumn(8);
        p.WriteCell(0, 3, quint16(1)); // row 0: the cursor's row
        QCOMPARE(ultimoRegistro(p, 9).mid(4, 4), hex("0800 0200"));
        p.WriteCell(4, 0, quint16(1)); // column 0: the cursor's column
        QCOMPARE(ultimoRegistro(p, 9).mid(4, 4), hex("0300 0200"));
    }

    void celulaForaDaPlanilhaRecusada_data() {
        QTest::addColumn<int>("linha");
        QTest::addColumn<int>("coluna");
        QTest::newRow("column 257") << 4 << 257;
        QTest::newRow("column 300") << 4 << 300;
        QTest::newRow("row 65536") << 65536 << 1;
        QTest::newRow("row 70000") << 70000 << 1;
        QTest::newRow("negative row") << -1 << 1;
        QTest::newRow("negative column") << 1 << -3;
    }
    void celulaForaDaPlanilhaRecusada() {
        QFETCH(int, linha);
        QFETCH(int, coluna);
        TPlanilhaXLS p;
        p.setFileName(QStringLiteral("/dados/saida.xls"));
        p.setRow(2);
        p.setColumn(6);
        p.EndSheet();
        const QByteArray antes = p.Conteudo();
        for (int tipo = 0; tipo < 3; ++tipo) {
            try {
                if (tipo == 0)
                    p.WriteCell(linha, coluna, QStringLiteral("x"));
                else if (tipo == 1)
                    p.WriteCell(linha, coluna, 1.0);
                else
                    p.WriteCell(linha, coluna, quint16(1));
                QFAIL("a cell outside the sheet was accepted");
            } catch (const TErro &e) {
                QVERIFY2(e.mensagem().contains(QStringLiteral("/dados/saida.xls")),
                         qPrintable(e.mensagem()));
                QVERIFY(e.mensagem().contains(QString::number(coluna)));
            }
            // Nothing appended, no restart, cursor where it was.
            QCOMPARE(p.Conteudo(), antes);
            QCOMPARE(p.Row(), 2);
            QCOMPARE(p.Column(), 6);
        }
    }

    void limites() {
        QVERIFY(TPlanilhaXLS::Cabe(65535, 256));
        QVERIFY(TPlanilhaXLS::Cabe(0, 0));
        QVERIFY(!TPlanilhaXLS::Cabe(65536, 1));
        QVERIFY(!TPlanilhaXLS::Cabe(1, 257));
        QVERIFY(!TPlanilhaXLS::Cabe(Q_INT64_C(1) << 40, 1));
        TPlanilhaXLS p;
        p.setFileName(QStringLiteral("grupos"));
        p.ConferirTamanho(65535, 256);
        try {
            p.ConferirTamanho(10, 300);
            QFAIL("300 columns accepted");
        } catch (const TErro &e) {
            QVERIFY(e.mensagem().contains(QStringLiteral("grupos.XLS")));
            QVERIFY(e.mensagem().contains(QStringLiteral("300")));
        }
        // The check writes nothing.
        QCOMPARE(p.Conteudo(), hex(kBofDimBiff5));
    }

    void rotulos_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("cabe");
        QTest::newRow("empty") << QString() << QByteArray() << true;
        QTest::newRow("accented titles") << QStringLiteral("Posição Duração")
                                         << QByteArray("Posi\xE7\xE3o Dura\xE7\xE3o") << true;
        QTest::newRow("euro sign is 0x80") << QStringLiteral("5 €") << QByteArray("5 \x80") << true;
        QTest::newRow("outside the code page")
            << QStringLiteral("a→b") << QByteArray("a?b") << true;
        QTest::newRow("surrogate pair is one character")
            << QString::fromUtf8("x\xF0\x9F\x90\x80y") << QByteArray("x?y") << true;
        QTest::newRow("255 kept") << QString(255, QLatin1Char('a')) << QByteArray(255, 'a') << true;
        QTest::newRow("300 cut to 255")
            << QString(300, QLatin1Char('b')) << QByteArray(255, 'b') << false;
        QTest::newRow("cut counts characters, not UTF-16 units")
            << QString(254, QLatin1Char('c')) + QString::fromUtf8("\xF0\x9F\x90\x80zz")
            << QByteArray(254, 'c') + '?' << false;
    }
    void rotulos() {
        QFETCH(QString, texto);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, cabe);
        TPlanilhaXLS p;
        p.WriteCell(1, 1, texto);
        const int corpo = 8 + bytes.size();
        QByteArray esperado = hex("0400");
        esperado.append(char(corpo & 0xFF)).append(char(corpo >> 8));
        esperado += hex("0000 0000 400000");
        esperado.append(char(bytes.size())).append(bytes);
        QCOMPARE(p.Conteudo().mid(24), esperado);
        QCOMPARE(TPlanilhaXLS::TextoCabe(texto), cabe);
    }

    void rotuloZeroTerminadoEmUtf8() {
        TPlanilhaXLS p;
        p.WriteCell(1, 1, "Frequência");
        QCOMPARE(p.Conteudo().mid(24 + 11), QByteArray("\x0A"
                                                       "Frequ\xEAncia"));
        p.WriteCell(1, 1, static_cast<const char *>(nullptr));
        QCOMPARE(p.Conteudo().right(4), hex("40000000"));
    }

    void numeros() {
        TPlanilhaXLS p;
        p.WriteCell(1, 1, quint16(65535));
        QCOMPARE(ultimoRegistro(p, 9), hex("0200 0900 0000 0000 400000 FFFF"));
        p.WriteCell(1, 1, -0.1);
        QCOMPARE(ultimoRegistro(p, 15), hex("0300 0F00 0000 0000 400000 9A9999999999B9BF"));
    }

    void mesmaCelulaDuasVezes() {
        TPlanilhaXLS p;
        p.WriteCell(2, 2, quint16(1));
        p.WriteCell(2, 2, quint16(2));
        QCOMPARE(p.Conteudo().size(), 24 + 13 + 13);
        QCOMPARE(p.Conteudo().mid(24), hex("0200 0900 0100 0100 400000 0100"
                                           "0200 0900 0100 0100 400000 0200"));
    }

    void cursor_data() {
        QTest::addColumn<TxlsMoveAfterEnter>("modo");
        QTest::addColumn<int>("linha");
        QTest::addColumn<int>("coluna");
        QTest::addColumn<int>("novaLinha");
        QTest::addColumn<int>("novaColuna");
        QTest::newRow("none") << maNone << 5 << 5 << 5 << 5;
        QTest::newRow("up") << maUp << 5 << 5 << 4 << 5;
        QTest::newRow("up from row 1") << maUp << 1 << 5 << 65535 << 4;
        QTest::newRow("up from A1") << maUp << 1 << 1 << 1 << 1;
        QTest::newRow("down") << maDown << 5 << 5 << 6 << 5;
        QTest::newRow("down from last row") << maDown << 65535 << 5 << 1 << 6;
        QTest::newRow("down from the last cell") << maDown << 65535 << 256 << 65535 << 256;
        QTest::newRow("left") << maLeft << 5 << 5 << 5 << 4;
        QTest::newRow("left from column 1") << maLeft << 5 << 1 << 4 << 256;
        QTest::newRow("left from A1") << maLeft << 1 << 1 << 1 << 1;
        QTest::newRow("right") << maRight << 5 << 5 << 5 << 6;
        QTest::newRow("right from column 256") << maRight << 5 << 256 << 6 << 1;
        QTest::newRow("right from the last cell") << maRight << 65535 << 256 << 65535 << 256;
    }
    void cursor() {
        QFETCH(TxlsMoveAfterEnter, modo);
        QFETCH(int, linha);
        QFETCH(int, coluna);
        QFETCH(int, novaLinha);
        QFETCH(int, novaColuna);
        TPlanilhaXLS p;
        p.setMoveAfterEnter(modo);
        p.WriteCell(linha, coluna, 1.0);
        QCOMPARE(p.Row(), novaLinha);
        QCOMPARE(p.Column(), novaColuna);
        // The cell itself went where it was asked to go.
        const QByteArray r = ultimoRegistro(p, 15);
        QCOMPARE(quint8(r[4]) | quint8(r[5]) << 8, linha - 1);
        QCOMPARE(quint8(r[6]) | quint8(r[7]) << 8, coluna - 1);
    }

    void nomeDoArquivo_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("final");
        QTest::newRow("no extension") << "/a/dados"
                                      << "/a/dados.XLS";
        QTest::newRow("txt replaced") << "/a/dados.txt"
                                      << "/a/dados.XLS";
        QTest::newRow("Xls kept") << "/a/dados.Xls"
                                  << "/a/dados.Xls";
        QTest::newRow("xls kept") << "dados.xls"
                                  << "dados.xls";
        QTest::newRow("last dot only") << "/a/d.1.tvl"
                                       << "/a/d.1.XLS";
        QTest::newRow("dot in a folder") << "/a.b/dados"
                                         << "/a.b/dados.XLS";
        QTest::newRow("empty stays empty") << ""
                                           << "";
    }
    void nomeDoArquivo() {
        QFETCH(QString, nome);
        QFETCH(QString, final);
        QCOMPARE(TPlanilhaXLS::NomeFinal(nome), final);
        TPlanilhaXLS p;
        p.setFileName(QStringLiteral("/x/y"));
        p.setFileName(nome);
        QCOMPARE(p.FileName(), final);
    }

    void reinicioAposEndSheet() {
        TPlanilhaXLS p;
        p.WriteCell(1, 1, quint16(1));
        p.EndSheet();
        QCOMPARE(p.Conteudo().right(4), hex("0A000000"));
        p.WriteCell(3, 1, quint16(9));
        // A new document: BOF, DIMENSIONS and that cell, no EOF.
        QCOMPARE(p.Conteudo(), hex(kBofDimBiff5) + hex("0200 0900 0200 0000 400000 0900"));
        p.EndSheet();
        QCOMPARE(p.Conteudo().size(), 24 + 13 + 4);
        // A second EndSheet restarts: the cells are gone.
        p.EndSheet();
        QCOMPARE(p.Conteudo(), hex(kBofDimBiff5) + hex("0A000000"));
        // StartSheet discards in any state.
        p.WriteCell(1, 1, quint16(1));
        p.StartSheet();
        QCOMPARE(p.Conteudo(), hex(kBofDimBiff5));
    }

    void gravarSubstituiArquivoComum() {
        escrever(QStringLiteral("s.XLS"), "antigo");
        TPlanilhaXLS p;
        p.setFileName(caminho(QStringLiteral("s")));
        p.SaveSheet();
        QCOMPARE(ler(caminho(QStringLiteral("s.XLS"))), p.Conteudo());
        QVERIFY(!Arquivos::somenteLeitura(caminho(QStringLiteral("s.XLS"))));
        QCOMPARE(arquivosNaPasta(), QStringList{QStringLiteral("s.XLS")});
    }

    void gravarRecusaSomenteLeitura() {
        escrever(QStringLiteral("r.XLS"), "antigo");
        QVERIFY(Arquivos::marcarSomenteLeitura(caminho(QStringLiteral("r.XLS"))));
        TPlanilhaXLS p;
        p.setFileName(caminho(QStringLiteral("r.XLS")));
        try {
            p.SaveSheet();
            QFAIL("a read-only file was replaced without being asked to");
        } catch (const TErro &e) {
            QVERIFY(e.mensagem().startsWith(QStringLiteral("Cannot create file ")));
            QVERIFY(e.mensagem().contains(caminho(QStringLiteral("r.XLS"))));
        }
        QCOMPARE(ler(caminho(QStringLiteral("r.XLS"))), QByteArray("antigo"));
        QVERIFY(Arquivos::somenteLeitura(caminho(QStringLiteral("r.XLS"))));
        QCOMPARE(arquivosNaPasta().size(), 1);
    }

    void gravarSubstituindoSomenteLeitura() {
        escrever(QStringLiteral("r.XLS"), "antigo");
        QVERIFY(Arquivos::marcarSomenteLeitura(caminho(QStringLiteral("r.XLS"))));
        TPlanilhaXLS p;
        p.setFileName(caminho(QStringLiteral("r.XLS")));
        // The export after the user's Yes: a normal, writable file again.
        p.SaveSheet(TPlanilhaXLS::GravSubstituir);
        QCOMPARE(ler(caminho(QStringLiteral("r.XLS"))), p.Conteudo());
        QVERIFY(!Arquivos::somenteLeitura(caminho(QStringLiteral("r.XLS"))));
        // An analysis after the user's Yes: replaced and read-only again.
        QVERIFY(Arquivos::marcarSomenteLeitura(caminho(QStringLiteral("r.XLS"))));
        p.WriteCell(1, 1, quint16(3));
        p.SaveSheet(TPlanilhaXLS::GravSubstituir | TPlanilhaXLS::GravSomenteLeitura);
        QCOMPARE(ler(caminho(QStringLiteral("r.XLS"))), p.Conteudo());
        QVERIFY(Arquivos::somenteLeitura(caminho(QStringLiteral("r.XLS"))));
        QCOMPARE(arquivosNaPasta().size(), 1);
    }

    void gravarSomenteLeitura() {
        TPlanilhaXLS p;
        p.setFileName(caminho(QStringLiteral("novo")));
        p.SaveSheet(TPlanilhaXLS::GravSomenteLeitura);
        const QString alvo = caminho(QStringLiteral("novo.XLS"));
        QVERIFY(Arquivos::somenteLeitura(alvo));
        QVERIFY(QFileInfo(alvo).permissions() & QFile::ReadOther);
        QCOMPARE(ler(alvo), p.Conteudo());
        // Saving again over its own read-only output is refused, too.
        QVERIFY_THROWS_EXCEPTION(TErro, p.SaveSheet(TPlanilhaXLS::GravSomenteLeitura));
    }

    void gravarFalhas_data() {
        QTest::addColumn<QString>("nome");
        QTest::newRow("empty name") << QString();
        QTest::newRow("missing folder") << QStringLiteral("falta/x.xls");
        QTest::newRow("folder") << QStringLiteral("pasta.xls");
    }
    void gravarFalhas() {
        QFETCH(QString, nome);
        QDir(m_dir.path()).mkdir(QStringLiteral("pasta.xls"));
        TPlanilhaXLS p;
        p.setFileName(nome.isEmpty() ? nome : caminho(nome));
        try {
            p.SaveSheet(TPlanilhaXLS::GravSubstituir);
            QFAIL("saved");
        } catch (const TErro &e) {
            QVERIFY2(e.mensagem().startsWith(QStringLiteral("Cannot create file ")),
                     qPrintable(e.mensagem()));
            if (!nome.isEmpty()) QVERIFY(e.mensagem().contains(nome));
        }
        QVERIFY(arquivosNaPasta().isEmpty());
        QDir(m_dir.path()).rmdir(QStringLiteral("pasta.xls"));
    }

    // A write that fails half-way (here: the file-size limit, which binds
    // root too) must leave the old file whole and no temporary file behind.
    void falhaNoMeioDaGravacaoPreservaAntigo_data() {
        QTest::addColumn<bool>("somenteLeitura");
        QTest::newRow("writable old file") << false;
        QTest::newRow("read-only old file, replace agreed") << true;
    }
    void falhaNoMeioDaGravacaoPreservaAntigo() {
        QFETCH(bool, somenteLeitura);
        const QString alvo = caminho(QStringLiteral("grande.XLS"));
        escrever(QStringLiteral("grande.XLS"), "antigo");
        if (somenteLeitura) QVERIFY(Arquivos::marcarSomenteLeitura(alvo));
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
        QString mensagem;
        try {
            p.SaveSheet(TPlanilhaXLS::GravSubstituir | TPlanilhaXLS::GravSomenteLeitura);
        } catch (const TErro &e) {
            mensagem = e.mensagem();
        }
        setrlimit(RLIMIT_FSIZE, &antes);
        std::signal(SIGXFSZ, sinalAntes);

        QVERIFY2(mensagem.contains(alvo), qPrintable(mensagem));
        QCOMPARE(ler(alvo), QByteArray("antigo"));
        QCOMPARE(Arquivos::somenteLeitura(alvo), somenteLeitura);
        QCOMPARE(arquivosNaPasta(), QStringList{QStringLiteral("grande.XLS")});
        // The document is intact: the same save succeeds without the limit.
        p.SaveSheet(TPlanilhaXLS::GravSubstituir);
        QCOMPARE(ler(alvo), p.Conteudo());
    }

    // Reads a written sheet back with an independent reader of the format.
    void lidaPorOutroLeitor() {
        QString python;
        QStringList candidatos{QStandardPaths::findExecutable(QStringLiteral("python3")),
                               QStringLiteral("/usr/bin/python3")};
        for (const QString &c : candidatos) {
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

        TPlanilhaXLS p;
        p.setFileName(caminho(QStringLiteral("interop")));
        p.StartSheet();
        const QStringList titulos{QStringLiteral("Posição"),    QStringLiteral("Comportamento"),
                                  QStringLiteral("Início"),     QStringLiteral("Duração"),
                                  QStringLiteral("Frequência"), QStringLiteral("5 €")};
        for (int c = 0; c < titulos.size(); ++c)
            p.WriteCell(1, c + 1, titulos[c]);
        p.WriteCell(2, 1, "Distância:");
        p.WriteCell(2, 2, quint16(7));
        p.WriteCell(2, 3, quint16(65535));
        p.WriteCell(2, 4, 2.5);
        p.WriteCell(2, 5, -1234.0625);
        p.WriteCell(2, 6, 61.234);
        p.WriteCell(300, 256, QStringLiteral("canto"));
        p.EndSheet();
        p.SaveSheet();

        const char *script = R"PY(
import json, sys, xlrd
b = xlrd.open_workbook(sys.argv[1], encoding_override="cp1252")
s = b.sheet_by_index(0)
out = []
for r in range(s.nrows):
    for c in range(s.ncols):
        cell = s.cell(r, c)
        if cell.ctype != xlrd.XL_CELL_EMPTY:
            out.append([r, c, cell.ctype, cell.value])
print(json.dumps(out))
)PY";
        QProcess proc;
        proc.start(python, {QStringLiteral("-c"), QString::fromUtf8(script), p.FileName()});
        QVERIFY(proc.waitForFinished(30000));
        QVERIFY2(proc.exitCode() == 0, proc.readAllStandardError().constData());
        const QJsonArray celulas = QJsonDocument::fromJson(proc.readAllStandardOutput()).array();

        auto texto = [](int r, int c, const QString &v) { return QJsonArray{r, c, 1, v}; };
        auto numero = [](int r, int c, double v) { return QJsonArray{r, c, 2, v}; };
        QJsonArray esperado;
        for (int c = 0; c < titulos.size(); ++c)
            esperado.append(texto(0, c, titulos[c]));
        esperado.append(texto(1, 0, QStringLiteral("Distância:")));
        esperado.append(numero(1, 1, 7));
        esperado.append(numero(1, 2, 65535));
        esperado.append(numero(1, 3, 2.5));
        esperado.append(numero(1, 4, -1234.0625));
        esperado.append(numero(1, 5, 61.234));
        esperado.append(texto(299, 255, QStringLiteral("canto")));
        QCOMPARE(celulas, esperado);
    }
};

QTEST_GUILESS_MAIN(TstPlanilhaXLS)
#include "tst_planilhaxls.moc"
