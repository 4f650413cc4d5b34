#include "core/Arquivos.h"
#include "core/TErro.h"
#include "data/TPlanilhaCSV.h"
#include "data/TPlanilhaXLS.h"
#include "data/TPlanilhaXLSX.h"

#include <QTemporaryDir>
#include <QTest>

// The formats beside the classic .xls: names, kept cells, the tidy CSV's
// text, and the save rules every format shares.
class TstFormatos : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void nomes_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("xlsx");
        QTest::addColumn<QString>("csv");
        QTest::addColumn<int>("formato"); // TPlanilha::FormatoDoNome
        QTest::newRow("no extension") << "/d/a"
                                      << "/d/a.xlsx"
                                      << "/d/a.csv" << 0;
        QTest::newRow(".xls replaced") << "/d/a.xls"
                                       << "/d/a.xlsx"
                                       << "/d/a.csv" << 0;
        QTest::newRow("own, any case") << "/d/a.XLSX"
                                       << "/d/a.XLSX"
                                       << "/d/a.csv" << 1;
        QTest::newRow("csv") << "/d/a.Csv"
                             << "/d/a.xlsx"
                             << "/d/a.Csv" << 2;
        QTest::newRow("dot in folder") << "/d.x/a"
                                       << "/d.x/a.xlsx"
                                       << "/d.x/a.csv" << 0;
        QTest::newRow("empty") << ""
                               << ""
                               << "" << 0;
    }
    void nomes() {
        QFETCH(QString, nome);
        QFETCH(QString, xlsx);
        QFETCH(QString, csv);
        QFETCH(int, formato);
        QCOMPARE(TPlanilhaXLSX().NomeArquivo(nome), xlsx);
        QCOMPARE(TPlanilhaCSV().NomeArquivo(nome), csv);
        QCOMPARE(int(TPlanilha::FormatoDoNome(nome)), formato);
    }

    void dialogo() {
        const QStringList f = TPlanilha::FiltrosDialogo("Excel (.xls) (*.xls)");
        QCOMPARE(f, QStringList(
                        {"Excel (.xls) (*.xls)", ".xlsx (*.xlsx *.XLSX)", ".csv (*.csv *.CSV)"}));
        QCOMPARE(TPlanilha::NomeDoDialogo("/d/a", TPlanilha::Xlsx), QString("/d/a.xlsx"));
        QCOMPARE(TPlanilha::NomeDoDialogo("/d/a", TPlanilha::Csv), QString("/d/a.csv"));
        QCOMPARE(TPlanilha::NomeDoDialogo("/d/a", TPlanilha::Xls), QString("/d/a"));
        QCOMPARE(TPlanilha::NomeDoDialogo("/d/a", -1), QString("/d/a"));
        QCOMPARE(TPlanilha::NomeDoDialogo("/d/a.XLS", TPlanilha::Csv), QString("/d/a.XLS"));
        QCOMPARE(TPlanilha::NomeDoDialogo("", TPlanilha::Csv), QString());
        QCOMPARE(TPlanilhaXLSX::NomeDeFolha("a[1]:b/c?"), QString("a_1__b_c_"));
        QCOMPARE(TPlanilhaXLSX::NomeDeFolha("''"), QString("Planilha"));
        QCOMPARE(TPlanilhaXLSX::NomeDeFolha(QString(40, 'x')).size(), 31);
    }

    // Titles come last and above; the square sheets write two rows at a
    // time; a cell written twice keeps its last value.
    void celulasOrdenadas() {
        TPlanilhaCSV p;
        p.StartSheet();
        p.WriteCell(5, 2, 1.0);
        p.WriteCell(4, 3, "b");
        p.WriteCell(5, 1, "x");
        p.WriteCell(5, 2, 2.0);
        p.WriteCell(1, 9, quint16(7));
        auto vista = [](TPlanilhaGrade &g) {
            QString r;
            g.Ordenar();
            for (size_t k = 0; k < g.Qde(); ++k) {
                const auto &c = g.Na(k);
                r += QStringLiteral("%1,%2=%3 ")
                         .arg(c.Linha)
                         .arg(c.Coluna)
                         .arg(c.EhTexto ? g.Textos()[c.Texto] : QString::number(c.Numero));
            }
            return r;
        };
        QCOMPARE(vista(p), QString("1,9=7 4,3=b 5,1=x 5,2=2 "));
        // A cell written again after the order was taken; one far below
        // all others (ordered without a table of rows).
        p.WriteCell(4, 3, 3.0);
        p.WriteCell(5, 2, "y");
        p.WriteCell(4, 3, 4.0);
        QCOMPARE(vista(p), QString("1,9=7 4,3=4 5,1=x 5,2=y "));
        p.WriteCell(2000000000, 1, 8.0);
        p.WriteCell(3, 1, 9.0);
        QCOMPARE(vista(p), QString("1,9=7 3,1=9 4,3=4 5,1=x 5,2=y 2000000000,1=8 "));
        QCOMPARE(p.Larguras()[2], 1);
        p.WriteCell(6, 4, "b"); // a text seen before widens its new column too
        QCOMPARE(p.Larguras()[3], 1);

        // Refused before anything is kept.
        TPlanilhaXLSX x;
        QVERIFY_THROWS_EXCEPTION(TErro, x.WriteCell(TPlanilhaXLSX::UltimaLinha + 1, 1, 1.0));
        QVERIFY_THROWS_EXCEPTION(TErro, x.WriteCell(1, TPlanilhaXLSX::UltimaColuna + 1, "t"));
        QVERIFY_THROWS_EXCEPTION(TErro, x.WriteCell(0, 1, 1.0));
        x.Ordenar();
        QCOMPARE(x.Qde(), size_t(0));
        x.WriteCell(TPlanilhaXLSX::UltimaLinha, TPlanilhaXLSX::UltimaColuna, 1.0);
        x.Ordenar();
        QCOMPARE(x.Qde(), size_t(1));
        QVERIFY(x.Comporta(70000, 300) && !TPlanilhaXLS().Comporta(70000, 300));
    }

    void campos() {
        QCOMPARE(TPlanilhaCSV::Campo("Posição"), QString("Posição").toUtf8());
        QCOMPARE(TPlanilhaCSV::Campo("a,b"), QByteArray("\"a,b\""));
        QCOMPARE(TPlanilhaCSV::Campo("a\"b"), QByteArray("\"a\"\"b\""));
        QCOMPARE(TPlanilhaCSV::Campo("a\nb"), QByteArray("\"a\nb\""));
        QCOMPARE(TPlanilhaCSV::Numero(1.5), QByteArray("1.5"));
        QCOMPARE(TPlanilhaCSV::Numero(270), QByteArray("270"));
        QCOMPARE(TPlanilhaCSV::Numero(300000), QByteArray("300000"));
        QCOMPARE(TPlanilhaCSV::Numero(-0.0), QByteArray("0"));
        QCOMPARE(TPlanilhaCSV::Numero(1e20), QByteArray("1e+20"));
        QCOMPARE(TPlanilhaCSV::Numero(0.1), QByteArray("0.1"));
        QCOMPARE(TPlanilhaCSV::Numero(100.0 / 3), QByteArray("33.333333333333336"));
    }

    // One line per value cell, keys from the row and the column's titles.
    void tidyValores() {
        TPlanilhaCSV p;
        p.StartSheet();
        TFormaTabela f;
        f.LinhasTitulo = 2;
        f.ColunaPosicao = 1;
        f.ColunaRegistro = 2;
        f.LinhaComportamento = 1;
        f.ColunaMedida = 3;
        f.ColunaMinuto = 4;
        f.LinhasRegiao = {2};
        f.PrimeiraColunaValor = 5;
        p.setForma(f);
        p.Grupo(3, "controle, A");
        p.Grupo(4, "droga");
        for (int l : {3, 4}) {
            p.WriteCell(l, 1, quint16(l - 2));
            p.WriteCell(l, 2, QStringLiteral("r%1").arg(l));
            p.WriteCell(l, 3, "TEMPO");
            p.WriteCell(l, 4, "MIN: 2");
            p.WriteCell(l, 5, 1.5 * l);
            p.WriteCell(l, 7, 0.0); // column 6 empty: no line
        }
        p.WriteCell(1, 5, "Posição");
        p.WriteCell(1, 7, "ENTRADA");
        p.WriteCell(2, 5, "D1");
        p.WriteCell(2, 7, "D3");
        QCOMPARE(QString::fromUtf8(p.Texto()),
                 QString("group,position,record,region,behaviour,minute,measure,value\n"
                         "\"controle, A\",1,r3,D1,Posição,2,TEMPO,4.5\n"
                         "\"controle, A\",1,r3,D3,ENTRADA,2,TEMPO,0\n"
                         "droga,2,r4,D1,Posição,2,TEMPO,6\n"
                         "droga,2,r4,D3,ENTRADA,2,TEMPO,0\n"));
    }

    void tidyEventos() {
        TPlanilhaCSV p;
        p.StartSheet();
        TFormaTabela f;
        f.Disposicao = TFormaTabela::Eventos;
        f.LinhasTitulo = 1;
        f.NomesColunas = {"square", "start_ms"};
        p.setForma(f);
        p.setNomeFolha("rato 1");
        p.WriteCell(1, 1, "Posição");
        p.WriteCell(2, 1, "D4");
        p.WriteCell(2, 2, 1500.0);
        p.WriteCell(3, 2, 0.0);
        p.WriteCell(3, 3, 9.0); // beyond the named columns
        QCOMPARE(p.Texto(), QByteArray("record,square,start_ms\nrato 1,D4,1500\nrato 1,,0\n"));
    }

    // The same rules as the .xls: a new-only save keeps a file that is
    // there, a replace keeps its hands off a read-only one, the result can
    // be read-only; no temporary file is left either way.
    void gravacao() {
        for (TPlanilha::Formato formato : {TPlanilha::Xlsx, TPlanilha::Csv}) {
            const auto p = TPlanilha::Criar(formato);
            p->setFileName(m_dir.filePath("s"));
            const QString alvo = p->FileName();
            QVERIFY(Arquivos::gravarAtomico(alvo, "antigo"));
            p->StartSheet();
            p->WriteCell(1, 1, "x");
            p->EndSheet();
            QVERIFY_THROWS_EXCEPTION(TErro, p->SaveSheet(TPlanilha::GravNovo));
            QVERIFY(Arquivos::marcarSomenteLeitura(alvo));
            QVERIFY_THROWS_EXCEPTION(TErro, p->SaveSheet(TPlanilha::GravNormal));
            QByteArray b;
            QVERIFY(Arquivos::lerTudo(alvo, &b) && b == "antigo");
            p->SaveSheet(TPlanilha::GravSubstituir | TPlanilha::GravSomenteLeitura);
            QVERIFY(Arquivos::lerTudo(alvo, &b));
            QVERIFY(b.startsWith(formato == TPlanilha::Xlsx ? "PK" : "group,"));
            QVERIFY(Arquivos::somenteLeitura(alvo));
            QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
            QFile::remove(alvo);
        }
    }
};

QTEST_GUILESS_MAIN(TstFormatos)
#include "tst_formatos.moc"
