#include "core/Arquivos.h"
#include "core/Cp1252.h"
#include "core/TErro.h"
#include "core/TRegistro.h"
#include "core/TStatus.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

// One row as "posicao inicio-fim/duracao m<minuto> f<frequencia>".
static QString linha(const TRegistro &r, int i) {
    return QStringLiteral("%1 %2-%3/%4 m%5 f%6")
        .arg(r.Posicao[i], TRegistro::TextoTempo(r.Inicio[i]), TRegistro::TextoTempo(r.Fim[i]),
             TRegistro::TextoTempo(r.Duracao[i]))
        .arg(r.Minuto[i])
        .arg(r.Frequencia[i]);
}

// The recorder's end of session as it was written before: repeated passes
// of insertions in place, each time by the general 15-digit conversion.
static void finalizarComoAntes(TRegistro &r, double T) {
    auto minutoDe = [](double ms) -> qint64 {
        if (!std::isfinite(ms)) return 0;
        return static_cast<qint64>(qBound(-1e9, std::trunc(ms / 60000.0), 1e9));
    };
    for (int i = 0; i < r.Qde; ++i) {
        if (r.Fim[i] != TRegistro::AteProximo && r.Fim[i] != TRegistro::AteProximoDoZero) continue;
        const bool ultima = i + 1 >= r.Qde;
        double fim = ultima ? T : r.Inicio[i + 1];
        if (r.Fim[i] == TRegistro::AteProximoDoZero) r.Inicio[i] = 0;
        if (ultima && fim < r.Inicio[i]) fim = r.Inicio[i];
        r.Fim[i] = fim;
    }
    for (int i = 0; i < r.Qde; ++i) {
        r.Duracao[i] = r.Fim[i] - r.Inicio[i];
        r.Minuto[i] = static_cast<int>(minutoDe(r.Inicio[i])) + 1;
    }
    for (bool dividiu = true; dividiu;) {
        dividiu = false;
        const int n = r.Qde;
        for (int i = 0; i < n; ++i) {
            const qint64 sm = minutoDe(r.Inicio[i]), em = minutoDe(r.Fim[i]);
            if (sm >= em) continue;
            qint64 k = em - sm;
            if (r.Fim[i] == static_cast<double>(em) * 60000.0) --k;
            if (k > 100000) continue;
            for (qint64 j = 1; j <= k; ++j) {
                const int p = i + static_cast<int>(j);
                r.Posicao.insert(p, r.Posicao[p - 1]);
                r.Comportamento.insert(p, r.Comportamento[p - 1]);
                r.Inicio.insert(p, r.Inicio[p - 1]);
                r.Fim.insert(p, r.Fim[p - 1]);
                r.Duracao.insert(p, r.Duracao[p - 1]);
                r.Frequencia.insert(p, r.Frequencia[p - 1]);
                r.Minuto.insert(p, r.Minuto[p - 1]);
                ++r.Qde;
                r.Fim[p - 1] = static_cast<double>(sm + j) * 60000.0;
                r.Minuto[p] = r.Minuto[p - 1] + 1;
                r.Inicio[p] = r.Fim[p - 1];
                r.Duracao[p] = r.Fim[p] - r.Inicio[p];
                r.Duracao[p - 1] = r.Fim[p - 1] - r.Inicio[p - 1];
                r.Frequencia[p] = 0;
                dividiu = true;
            }
        }
    }
    auto arredondar = [](double v) { return std::nearbyint(v * 1000.0) / 1000.0 + 0.0; };
    for (int i = 0; i < r.Qde; ++i) {
        r.Inicio[i] = arredondar(r.Inicio[i]);
        r.Fim[i] = arredondar(r.Fim[i]);
        r.Duracao[i] = arredondar(r.Duracao[i]);
    }
}

static QByteArray textoComoAntes(const TRegistro &r) {
    auto t = [](double v) { return QString::number(v + 0.0, 'g', 15); };
    QByteArray saida;
    for (int i = 0; i < r.Qde; ++i) {
        if (r.Fim[i] == TRegistro::AteProximo) continue;
        saida += Cp1252::codificar(QStringList{
            r.Posicao[i], r.Comportamento[i], t(r.Inicio[i]), t(r.Fim[i]), t(r.Duracao[i]),
            QString::number(r.Minuto[i]), QString::number(r.Frequencia[i])}
                                       .join('\t'));
        saida += "\r\n";
    }
    return saida;
}

class TstRegistro : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    static QByteArray conteudo(const QString &caminho) {
        QByteArray b;
        Arquivos::lerTudo(caminho, &b);
        return b;
    }
    static void criar(const QString &caminho, const QByteArray &bytes) {
        QFile f(caminho);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

private slots:
    // Rows "posicao inicio fim frequencia" separated by "; "; Finalizar(T),
    // then every row as linha() gives it.
    void finalizar_data() {
        QTest::addColumn<QString>("entrada");
        QTest::addColumn<double>("T");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("three minutes")
            << "F6 30000 150000 1" << 300000.0
            << "F6 30000-60000/30000 m1 f1; F6 60000-120000/60000 m2 f0; "
               "F6 120000-150000/30000 m3 f0";
        QTest::newRow("ends at the session end")
            << "F6 250000 300000 1" << 300000.0 << "F6 250000-300000/50000 m5 f1";
        QTest::newRow("ends on its minute's end")
            << "F6 30000 60000 1" << 300000.0 << "F6 30000-60000/30000 m1 f1";
        QTest::newRow("ends on a later boundary: no empty piece")
            << "F6 30000 120000 1" << 300000.0
            << "F6 30000-60000/30000 m1 f1; F6 60000-120000/60000 m2 f0";
        QTest::newRow("continuation across a boundary")
            << "F6 50000 70000 0" << 300000.0
            << "F6 50000-60000/10000 m1 f0; F6 60000-70000/10000 m2 f0";
        QTest::newRow("continuation ending on a boundary")
            << "F6 60000 180000 0" << 300000.0
            << "F6 60000-120000/60000 m2 f0; F6 120000-180000/60000 m3 f0";
        QTest::newRow("330 s: the last 30 s are a minute of their own")
            << "F6 250000 330000 1" << 330000.0
            << "F6 250000-300000/50000 m5 f1; F6 300000-330000/30000 m6 f0";
        QTest::newRow("-1 ends at the next start")
            << "A1 0 -1 1; A2 12000 -1 1; A3 40000 50000 1" << 50000.0
            << "A1 0-12000/12000 m1 f1; A2 12000-40000/28000 m1 f1; A3 40000-50000/10000 m1 f1";
        QTest::newRow("-2: the first square of the second phase starts at 0")
            << "A1 10000 -1 1; C3 45000 -2 1; C4 8000 20000 1" << 300000.0
            << "A1 10000-45000/35000 m1 f1; C3 0-8000/8000 m1 f1; C4 8000-20000/12000 m1 f1";
        QTest::newRow("each row replaced in place by its pieces")
            << "A1 0 -1 1; B1 90000 -1 1; C1 100000 300000 1" << 300000.0
            << "A1 0-60000/60000 m1 f1; A1 60000-90000/30000 m2 f0; B1 90000-100000/10000 m2 f1; "
               "C1 100000-120000/20000 m2 f1; C1 120000-180000/60000 m3 f0; "
               "C1 180000-240000/60000 m4 f0; C1 240000-300000/60000 m5 f0";
        // A last row left open runs to the session end, never past the array.
        QTest::newRow("last row -1")
            << "A1 100000 -1 1" << 150000.0
            << "A1 100000-120000/20000 m2 f1; A1 120000-150000/30000 m3 f0";
        QTest::newRow("last row -2") << "A1 100000 -2 1" << 150000.0
                                     << "A1 0-60000/60000 m1 f1; A1 60000-120000/60000 m2 f0; "
                                        "A1 120000-150000/30000 m3 f0";
        QTest::newRow("last row -1 after the end")
            << "A1 170000 -1 1" << 150000.0 << "A1 170000-170000/0 m3 f1";
    }
    void finalizar() {
        QFETCH(QString, entrada);
        QFETCH(double, T);
        QFETCH(QString, esperado);
        TRegistro r;
        for (const QString &e : entrada.split("; ")) {
            const QStringList c = e.split(' ');
            r.Adicionar(c[0], "X", c[1].toDouble(), c[2].toDouble(), c[3].toInt());
        }
        r.Finalizar(T);
        QStringList obtido;
        for (int i = 0; i < r.Qde; ++i)
            obtido << linha(r, i);
        QCOMPARE(obtido, esperado.split("; "));
        QCOMPARE(r.Comportamento, QStringList(r.Qde, "X"));
    }

    // Many consecutive rows of several minutes push one another beyond the
    // range of a pass; every one of them must still be split.
    void muitasLinhasLongas() {
        TRegistro r;
        const int n = 13;
        const double T = 9990000, passo = 12.5 * 60000;
        for (int i = 0; i < n; ++i)
            r.Adicionar("A1", "ENTRADA", i * passo, i + 1 < n ? -1 : T, 1);
        r.Finalizar(T);
        int entradas = 0;
        for (int i = 0; i < r.Qde; ++i) {
            QVERIFY2(r.Minuto[i] == int(r.Inicio[i] / 60000) + 1 && r.Duracao[i] > 0 &&
                         r.Fim[i] <= r.Minuto[i] * 60000.0 &&
                         (i == 0 || r.Inicio[i] == r.Fim[i - 1]),
                     qPrintable(linha(r, i)));
            entradas += r.Frequencia[i];
        }
        QCOMPARE(entradas, n);
        QCOMPARE(r.Fim.last(), T);
        QCOMPARE(r.Qde, 173); // 167 minutes, plus the 6 entries that start inside a minute
    }

    // Three decimals, halves to even, never "-0"; the shortest text of up to 15 digits.
    void tempos() {
        const QList<std::pair<double, double>> arredondados = {
            {1.0625, 1.062}, {1.1875, 1.188}, {-0.0001, 0.0}};
        for (const auto &[valor, esperado] : arredondados) {
            TRegistro r;
            r.Adicionar("A1", "X", valor, valor, 1);
            r.Finalizar(300000);
            QCOMPARE(r.Inicio[0], esperado);
            QCOMPARE(r.Fim[0], esperado);
            QVERIFY(!TRegistro::TextoTempo(r.Inicio[0]).startsWith('-'));
        }
        const QList<std::pair<double, QString>> textos = {{599940000.0, "599940000"},
                                                          {1500.25, "1500.25"},
                                                          {0.001, "0.001"},
                                                          {123456789012.345, "123456789012.345"},
                                                          {-8000.0, "-8000"}};
        for (const auto &[valor, texto] : textos)
            QCOMPARE(TRegistro::TextoTempo(valor), texto);
    }

    // Windows-1252, CRLF, the marker row; rows still open are left out.
    void gravarTexto() {
        TRegistro r;
        r.Adicionar("F6", "ENTRADA", 0, -1, 1);
        r.Adicionar("G6", "ENTRADA", 40000.5, 70000, 1);
        r.Adicionar("", "T2", 0, 0, 0);
        r.Adicionar("G6", QString::fromUtf8("LOCOMOÇÃO"), 10000, 15000, 1);
        r.Finalizar(70000);
        r.GravarTexto(m_dir.filePath("rato11"));
        QCOMPARE(conteudo(m_dir.filePath("rato11.txt")),
                 QByteArray("F6\tENTRADA\t0\t40000.5\t40000.5\t1\t1\r\n"
                            "G6\tENTRADA\t40000.5\t60000\t19999.5\t1\t1\r\n"
                            "G6\tENTRADA\t60000\t70000\t10000\t2\t0\r\n"
                            "\tT2\t0\t0\t0\t1\t0\r\n"
                            "G6\tLOCOMO\xC7\xC3O\t10000\t15000\t5000\t1\t1\r\n"));

        TRegistro abertas;
        abertas.Adicionar("A1", "ENTRADA", 0, -1, 1);
        abertas.Adicionar("A2", "ENTRADA", 5, 9, 1);
        abertas.GravarTexto(m_dir.filePath("abertas"));
        QCOMPARE(conteudo(m_dir.filePath("abertas.txt")),
                 QByteArray("A2\tENTRADA\t5\t9\t0\t0\t1\r\n"));

        // Emptied: an existing file is overwritten with nothing.
        criar(m_dir.filePath("vazio.txt"), "antigo");
        abertas.Limpar();
        QVERIFY(abertas.Qde == 0 && abertas.Inicio.isEmpty() && abertas.Posicao.isEmpty());
        abertas.Finalizar(300000);
        abertas.GravarTexto(m_dir.filePath("vazio"));
        QVERIFY(QFile::exists(m_dir.filePath("vazio.txt")));
        QCOMPARE(conteudo(m_dir.filePath("vazio.txt")), QByteArray());
    }

    // The one-pass minute split and the direct writing of whole times give
    // what the repeated passes of insertions and the general 15-digit
    // conversion gave, on random recordings with long rows, rows that end
    // on boundaries, negative and fractional times and times past 10^15.
    void igualAoModeloAntigo() {
        QRandomGenerator gen(20261209u);
        for (int caso = 0; caso < 300; ++caso) {
            TRegistro r, modelo;
            const int n = gen.bounded(1, 40);
            for (int i = 0; i < n; ++i) {
                double ini =
                    60000.0 * gen.bounded(-2, 12) + 1000.0 * gen.bounded(0, 3) * gen.bounded(0, 60);
                double fim = ini + 60000.0 * gen.bounded(0, 4) + 500.0 * gen.bounded(0, 3);
                if (caso % 7 == 0) ini += 0.25 * gen.bounded(0, 4);
                if (caso % 11 == 0 && i == 0) fim = 3e15 + 0.5 * gen.bounded(0, 3);
                const double fimBruto = gen.bounded(6) == 0 ? TRegistro::AteProximo : fim;
                const QString q = gen.bounded(2) ? QStringLiteral("F6") : QString::fromUtf8("Ç€");
                r.Adicionar(q, "ENTRADA", ini, fimBruto, gen.bounded(2));
                modelo.Adicionar(q, "ENTRADA", ini, fimBruto, r.Frequencia.last());
            }
            const double T = 60000.0 * gen.bounded(1, 15) + 500.0 * gen.bounded(2);
            r.Finalizar(T);
            finalizarComoAntes(modelo, T);
            QCOMPARE(r.Qde, modelo.Qde);
            for (int i = 0; i < r.Qde; ++i)
                QCOMPARE(linha(r, i), linha(modelo, i));
            QCOMPARE(r.Texto(), textoComoAntes(modelo));
        }
        for (double v :
             {999999999999999.0, 1e15, -999999999999999.0, -1e15, -0.0, 1e300, 0.5, -123.456})
            QCOMPARE(TRegistro::TextoTempo(v), QString::number(v + 0.0, 'g', 15));
    }

    void gravarTextoFalha() {
        TRegistro r;
        r.Adicionar("A1", "ENTRADA", 0, 100, 1);
        const QString semPasta = m_dir.filePath("nao/existe/rato1");
        try {
            r.GravarTexto(semPasta);
            QFAIL("no error");
        } catch (const TErro &e) {
            QVERIFY2(e.mensagem().contains(semPasta + ".txt"), qPrintable(e.mensagem()));
        }
        const QString protegido = m_dir.filePath("protegido.txt");
        criar(protegido, "antes");
        QVERIFY(Arquivos::marcarSomenteLeitura(protegido));
        QVERIFY_THROWS_EXCEPTION(TErro, r.GravarTexto(m_dir.filePath("protegido")));
        QCOMPARE(conteudo(protegido), QByteArray("antes"));
        Arquivos::desmarcarSomenteLeitura(protegido);
    }

    // A behaviour still on at a session end starts the next session's first
    // bout as a new occurrence.
    void statusZerar() {
        TStatus s;
        s.Adicionar("FARE", 'B');
        s.Adicionar("GROOM", 'D');
        s.Ativo[1] = true;
        s.Primeiro[1] = 0;
        s.InicioComportamento[1] = 1700000000123;
        s.Zerar();
        QCOMPARE(s.Nome, (QStringList{"FARE", "GROOM"}));
        QCOMPARE(s.Tecla, (QList<quint16>{66, 68}));
        QCOMPARE(s.Ativo, (QList<bool>{false, false}));
        QCOMPARE(s.Primeiro, (QList<int>{1, 1}));
        QCOMPARE(s.InicioComportamento, (QList<TDataHora>{0, 0}));
        QCOMPARE(Milissegundos(1700000000123, 1700000060000), qint64(59877));
        QCOMPARE(Milissegundos(1700000060000, 1700000000123), qint64(59877));
        s.Limpar();
        QVERIFY(s.Qde == 0 && s.Nome.isEmpty() && s.Tecla.isEmpty() && s.Primeiro.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstRegistro)
#include "tst_registro.moc"
