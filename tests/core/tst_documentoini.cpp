#include "core/Arquivos.h"
#include "core/BibliotecaLabirintos.h"
#include "core/Perfil.h"
#include "core/TArquivoIni.h"
#include "core/TDocumentoIni.h"
#include "core/TErro.h"
#include "core/TExperimento.h"
#include "core/TUsuario.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

using Operacao = std::function<void(const QString &arquivo)>;
Q_DECLARE_METATYPE(Operacao)

namespace {

QByteArray conteudo(const QString &caminho) {
    QByteArray b;
    Arquivos::lerTudo(caminho, &b);
    return b;
}

void escrever(const QString &caminho, const QByteArray &bytes) {
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

ino_t inode(const QString &caminho) {
    struct stat st {};
    if (::stat(QFile::encodeName(caminho).constData(), &st) != 0) return 0;
    return st.st_ino;
}

// One change of a document; the same change goes through TArquivoIni as a
// write of its own.
struct Mudanca {
    enum { Escrever, Apagar, ApagarChave } tipo;
    QString secao, chave, valor;
};

void aplicar(TDocumentoIni &d, const Mudanca &m) {
    if (m.tipo == Mudanca::Escrever)
        d.WriteString(m.secao, m.chave, m.valor);
    else if (m.tipo == Mudanca::Apagar)
        d.EraseSection(m.secao);
    else
        d.DeleteKey(m.secao, m.chave);
}

void aplicar(TArquivoIni &a, const Mudanca &m) {
    if (m.tipo == Mudanca::Escrever)
        a.WriteString(m.secao, m.chave, m.valor);
    else if (m.tipo == Mudanca::Apagar)
        a.EraseSection(m.secao);
    else
        a.DeleteKey(m.secao, m.chave);
}

// Names and values that reach the odd paths of the format: letter case and
// accents, "=", "[", ";" and line breaks inside names, characters
// Windows-1252 lacks, blanks at the ends, empty names.
const QStringList kSecoes = {"S",  "s",  "A", " A ", "Sessão", "SESSÃO", "a]b", "x\ny",
                             "k=", "[z", "",  "ß",   "Ж",      "ж",      ";c",  "Experimentos"};
const QStringList kChaves = {"k", "K", "j",    "a=b", "[q", ";c",     " sp ", "sp",
                             "Ç", "ç", "x\ny", "",    "1",  "QdeExp", "Ж",    "\r"};
const QStringList kValores = {"",     "1",   "v",   "a=b",  "line\nbreak", "€",  "Ж",
                              "0x1F", "$10", " 5 ", "\r\n", "2147483647",  "-17"};
const QList<QByteArray> kLinhas = {
    "[S]",      "[s ]",  " [A] junk", "k=v",  "K = v=w",       ";c=1",
    "junk",     "",      "[",         "=x",   "\xff\x81=\x9d", "[Experimentos]",
    "QdeExp=3", "[a]b]", "j= 3",      "  [x", "sp=1",          "\xc7=c"};

QList<Mudanca> sortear(QRandomGenerator &rng, int quantas) {
    auto um = [&rng](const auto &lista) { return lista[rng.bounded(int(lista.size()))]; };
    QList<Mudanca> mudancas;
    for (int i = 0; i < quantas; ++i) {
        const int t = rng.bounded(10);
        Mudanca m{t < 6   ? Mudanca::Escrever
                  : t < 8 ? Mudanca::Apagar
                          : Mudanca::ApagarChave,
                  um(kSecoes), um(kChaves), um(kValores)};
        if (rng.bounded(20) == 0) m.valor = QString(3000, QLatin1Char('z'));
        mudancas.append(m);
    }
    return mudancas;
}

QByteArray arquivoSorteado(QRandomGenerator &rng) {
    static const QList<QByteArray> fins = {"\r\n", "\n", "\r"};
    QByteArray bytes;
    const int n = rng.bounded(12);
    for (int i = 0; i < n; ++i) {
        bytes += kLinhas[rng.bounded(int(kLinhas.size()))];
        if (i + 1 < n || rng.bounded(2)) bytes += fins[rng.bounded(int(fins.size()))];
    }
    return bytes;
}

} // namespace

class TstDocumentoIni : public QObject {
    Q_OBJECT

    QTemporaryDir *m_temp = nullptr;
    QString caminho(const QString &nome = QStringLiteral("a.ini")) const {
        return m_temp->filePath(nome);
    }

private slots:
    void init() { m_temp = new QTemporaryDir; }
    void cleanup() {
        const QStringList arquivos = QDir(m_temp->path()).entryList(QDir::Files);
        for (const QString &a : arquivos)
            Arquivos::desmarcarSomenteLeitura(caminho(a));
        delete m_temp;
    }

    // Changes stay in memory until Gravar; reads see them at once.
    void nadaNoDiscoAntesDeGravar() {
        const QByteArray antes = "[A]\r\nx=1\r\n";
        escrever(caminho(), antes);
        TDocumentoIni d(caminho());
        QVERIFY(d.Lido());
        d.WriteInteger("A", "x", 2);
        d.WriteString("B", "y", "novo");
        QVERIFY(d.EraseSection("a"));
        QVERIFY(!d.EraseSection("a"));
        QVERIFY(!d.DeleteKey("B", "z"));
        QCOMPARE(d.ReadInteger("A", "x", -1), -1);
        QCOMPARE(d.ReadString("b", "Y", ""), QString("novo"));
        QCOMPARE(conteudo(caminho()), antes);
        d.Gravar();
        // The blank line before [B] belonged to [A] and went with it.
        QCOMPARE(conteudo(caminho()), QByteArray("[B]\r\ny=novo\r\n"));
        QCOMPARE(d.Conteudo(), conteudo(caminho()));
    }

    // A group of changes written once gives the bytes the same changes give
    // written one at a time, and the document reads as the file it wrote
    // reads, whatever the names, values and lines involved.
    void grupoIgualAUmPorVez() {
        QRandomGenerator rng(20261209);
        for (int caso = 0; caso < 120; ++caso) {
            const QByteArray inicial = arquivoSorteado(rng);
            const QList<Mudanca> mudancas = sortear(rng, 1 + rng.bounded(8));
            escrever(caminho("um.ini"), inicial);
            escrever(caminho("grupo.ini"), inicial);

            TArquivoIni umPorVez(caminho("um.ini"));
            TDocumentoIni grupo(caminho("grupo.ini"));
            for (const Mudanca &m : mudancas) {
                aplicar(umPorVez, m);
                aplicar(grupo, m);
            }
            grupo.Gravar();
            const QByteArray esperado = conteudo(caminho("um.ini"));
            if (esperado != inicial) // a write happened
                QCOMPARE(conteudo(caminho("grupo.ini")), esperado);

            const TDocumentoIni relido(caminho("grupo.ini"));
            for (const QString &s : kSecoes) {
                QCOMPARE(grupo.SectionExists(s), relido.SectionExists(s));
                QCOMPARE(grupo.ReadSection(s), relido.ReadSection(s));
                for (const QString &k : kChaves) {
                    QCOMPARE(grupo.ReadString(s, k, "#"), relido.ReadString(s, k, "#"));
                    QCOMPARE(grupo.ReadString(s, k, "#"), umPorVez.ReadString(s, k, "#"));
                }
            }
        }
    }

    // Reading after a change gives what the written line reads as.
    void leComoOArquivoEscrito_data() {
        QTest::addColumn<QString>("secao");
        QTest::addColumn<QString>("chave");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("lerSecao");
        QTest::addColumn<QString>("lerChave");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("no Windows-1252 letter") << "S"
                                                << "k"
                                                << "Жx"
                                                << "S"
                                                << "k"
                                                << "?x";
        QTest::newRow("equals sign in the key") << "S"
                                                << "a=b"
                                                << "v"
                                                << "S"
                                                << "a"
                                                << "b=v";
        QTest::newRow("line break in the section") << "x\ny"
                                                   << "k"
                                                   << "v"
                                                   << "x\ny"
                                                   << "k"
                                                   << "#";
        QTest::newRow("line break in the section: first line opens it") << "x\ny"
                                                                        << "k"
                                                                        << "v"
                                                                        << "x"
                                                                        << "y]"
                                                                        << "#";
        QTest::newRow("blanks around the key") << "S"
                                               << " k "
                                               << "v"
                                               << "s"
                                               << "K"
                                               << "v";
        QTest::newRow("line break in the value") << "S"
                                                 << "k"
                                                 << "a\r\nb"
                                                 << "S"
                                                 << "k"
                                                 << "a  b";
    }
    void leComoOArquivoEscrito() {
        QFETCH(QString, secao);
        QFETCH(QString, chave);
        QFETCH(QString, valor);
        QFETCH(QString, lerSecao);
        QFETCH(QString, lerChave);
        QFETCH(QString, esperado);
        TDocumentoIni d(caminho());
        d.WriteString(secao, chave, valor);
        QCOMPARE(d.ReadString(lerSecao, lerChave, "#"), esperado);
        d.Gravar();
        QCOMPARE(TDocumentoIni(caminho()).ReadString(lerSecao, lerChave, "#"), esperado);
    }

    // A line break inside a name reaches the file as given by the write that
    // made it, and as CR LF once another change has been written after it -
    // in a document as in separate writes.
    void quebraDentroDeUmNome_data() {
        QTest::addColumn<bool>("documento");
        QTest::newRow("separate writes") << false;
        QTest::newRow("one document") << true;
    }
    void quebraDentroDeUmNome() {
        QFETCH(bool, documento);
        auto escreverChave = [&](const QString &chave, const QString &valor) {
            if (documento) {
                TDocumentoIni d(caminho());
                d.WriteString("S", "a", "1");
                d.WriteString("S", chave, valor);
                d.Gravar();
            } else {
                TArquivoIni(caminho()).WriteString("S", "a", "1");
                TArquivoIni(caminho()).WriteString("S", chave, valor);
            }
        };
        escreverChave("x\ny", "v");
        QCOMPARE(conteudo(caminho()), QByteArray("[S]\r\na=1\r\nx\ny=v\r\n"));
        escreverChave("\rk", "w");
        QCOMPARE(conteudo(caminho()), QByteArray("[S]\r\na=1\r\nx\r\ny=v\r\n\rk=w\r\n"));
        QCOMPARE(TDocumentoIni(caminho()).ReadSection("S"), (QStringList{"a", "y", "k"}));
        // A change that changes nothing keeps the breaks of the last write.
        TDocumentoIni d(caminho());
        d.WriteString("S", "a", "1");
        QVERIFY(!d.DeleteKey("S", "nada"));
        d.WriteString("S", "z\r", "2");
        QVERIFY(!d.EraseSection("nada"));
        d.Gravar();
        QCOMPARE(conteudo(caminho()), QByteArray("[S]\r\na=1\r\nx\r\ny=v\r\n\r\nk=w\r\nz\r=2\r\n"));
    }

    // A write that cannot happen leaves the file alone and the changes in
    // the document.
    void falhaDeGravacao() {
        escrever(caminho("ro.ini"), "[a]\r\nb=antes\r\n");
        QVERIFY(Arquivos::marcarSomenteLeitura(caminho("ro.ini")));
        TDocumentoIni ro(caminho("ro.ini"));
        ro.WriteString("a", "b", "depois");
        try {
            ro.Gravar();
            QFAIL("no error");
        } catch (const TErro &e) {
            QCOMPARE(e.mensagem(), "Unable to write to " + caminho("ro.ini"));
        }
        QCOMPARE(conteudo(caminho("ro.ini")), QByteArray("[a]\r\nb=antes\r\n"));
        QCOMPARE(ro.ReadString("a", "b", ""), QString("depois"));

        // A file that is there but cannot be read is never replaced by what
        // little the document holds.
        QVERIFY(QDir().mkpath(caminho("pasta.ini")));
        TDocumentoIni pasta(caminho("pasta.ini"));
        QVERIFY(pasta.Ilegivel());
        QVERIFY(!pasta.Lido());
        pasta.WriteString("a", "b", "c");
        QVERIFY_THROWS_EXCEPTION(TErro, pasta.Gravar());
        QVERIFY(QFileInfo(caminho("pasta.ini")).isDir());

        TDocumentoIni semArquivo;
        semArquivo.WriteString("a", "b", "c");
        QVERIFY_THROWS_EXCEPTION(TErro, semArquivo.Gravar());
        QCOMPARE(QDir(m_temp->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"ro.ini"});

        // A missing file reads empty and is created by the first write.
        TDocumentoIni novo(caminho("novo.ini"));
        QVERIFY(!novo.Lido());
        QVERIFY(!novo.Ilegivel());
        novo.WriteBool("S", "b", true);
        novo.Gravar();
        QCOMPARE(conteudo(caminho("novo.ini")), QByteArray("[S]\r\nb=1\r\n"));
    }

    // Every settings write replaces the file in one step: a hard link made
    // before the write keeps the old bytes, the name gets a new file. A
    // writer that rewrote the file in place would change both.
    void gravacaoSubstituiOArquivo_data() {
        QTest::addColumn<Operacao>("operacao");
        QTest::newRow("TArquivoIni write") << Operacao(
            [](const QString &a) { TArquivoIni(a).WriteString("Experimentos", "QdeExp", "7"); });
        QTest::newRow("TArquivoIni erase")
            << Operacao([](const QString &a) { TArquivoIni(a).EraseSection("E"); });
        QTest::newRow("TArquivoIni delete key")
            << Operacao([](const QString &a) { TArquivoIni(a).DeleteKey("E", "Configurado"); });
        QTest::newRow("document") << Operacao([](const QString &a) {
            TDocumentoIni d(a);
            d.WriteInteger("E", "TempoSecao", 60);
            d.EraseSection("Comp1");
            d.Gravar();
        });
        QTest::newRow("new experiment") << Operacao([](const QString &a) {
            Perfil::CriarExperimento(a, QFileInfo(a).path() + "/ana/", "F");
        });
        QTest::newRow("settings") << Operacao([](const QString &a) {
            TExperimento e;
            e.Carregar(a, "E");
            e.TempoSecao = 120;
            Perfil::SalvarConfiguracoes(a, e);
        });
        QTest::newRow("behaviour list") << Operacao([](const QString &a) {
            Perfil::SalvarComportamentos(a, "E", "Comp1", {{2, "FARE"}});
        });
        QTest::newRow("start squares") << Operacao([](const QString &a) {
            TExperimento e;
            e.Carregar(a, "E");
            e.InicioX1 = 3;
            e.ComecoQueda = 2;
            Perfil::SalvarInicios(a, e);
        });
        QTest::newRow("experiment deletion")
            << Operacao([](const QString &a) { QVERIFY(Perfil::ExcluirExperimento(a, "E")); });
        QTest::newRow("user arena") << Operacao([](const QString &a) {
            QCOMPARE(BibliotecaLabirintos::CriarArena(a, 4, 5),
                     BibliotecaLabirintos::TResultadoArena::Criada);
        });
    }
    void gravacaoSubstituiOArquivo() {
        QFETCH(Operacao, operacao);
        const QByteArray antes = "[Experimentos]\r\nQdeExp=1\r\n1=E\r\n\r\n[E]\r\n"
                                 "Configurado=1\r\nCompTipo=Comp1\r\n[Comp1]\r\n1=GROOM\r\n";
        const QString arquivo = caminho("ana.ini");
        const QString elo = caminho("elo");
        escrever(arquivo, antes);
        QCOMPARE(::link(QFile::encodeName(arquivo).constData(), QFile::encodeName(elo).constData()),
                 0);
        const ino_t velho = inode(arquivo);
        QCOMPARE(inode(elo), velho);

        operacao(arquivo);

        QVERIFY(conteudo(arquivo) != antes);
        QCOMPARE(conteudo(elo), antes);
        QVERIFY(inode(arquivo) != velho);
    }

    // Loading an experiment reads the profile once, however many keys it
    // takes from it.
    void carregarLeOPerfilUmaVez() {
        const QString arquivo = caminho("ana.ini");
        escrever(arquivo, "[Experimentos]\r\nQdeExp=1\r\n1=E\r\n[E]\r\nConfigurado=1\r\n"
                          "CompTipo=Comp1\r\nTempoSecao=60\r\n[Comp1]\r\n1=A\r\n2=B\r\n26=Z\r\n");
        TExperimento e;
        const qint64 antes = TDocumentoIni::Leituras();
        e.Carregar(arquivo, "E");
        QCOMPARE(TDocumentoIni::Leituras() - antes, 1);
        QCOMPARE(e.TempoSecao, 60);
        QCOMPARE(e.Status.Nome, (QStringList{"A", "B", "Z"}));
    }
};

QTEST_GUILESS_MAIN(TstDocumentoIni)
#include "tst_documentoini.moc"
