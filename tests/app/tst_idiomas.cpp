#include "app/TEscolhaIdioma.h"
#include "app/TIdioma.h"
#include "core/Arquivos.h"
#include "core/Cp1252.h"
#include "core/TArquivoIni.h"

#include "TInteracaoFalsa.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList kArquivos = {"portugues.ini", "ingles.ini",   "frances.ini",
                               "alemao.ini",    "italiano.ini", "espanhol.ini"};

QString pastaIdiomas() {
    return QStringLiteral(TREVALIN_RESOURCES "/idiomas/");
}

// One language file as written on disk, read strictly (no case folding):
// what the file holds, and what is wrong with its layout.
struct Conteudo {
    QStringList secoes;                 // in file order
    QHash<QString, QStringList> chaves; // section -> keys in file order
    QHash<QString, QString> valores;    // "section/key" -> value
    QStringList problemas;
};

Conteudo analisar(const QByteArray &bytes) {
    Conteudo c;
    QString secao;
    QSet<QString> secoesVistas;
    QSet<QString> chavesVistas;
    for (const QByteArray &bruta : Arquivos::dividirLinhas(bytes)) {
        const QString linha = Cp1252::decodificar(bruta);
        if (linha.isEmpty() || linha.startsWith(QLatin1Char(';'))) continue;
        if (linha.startsWith(QLatin1Char('['))) {
            if (!linha.endsWith(QLatin1Char(']'))) {
                c.problemas << QStringLiteral("bad section line: ") + linha;
                continue;
            }
            secao = linha.mid(1, linha.size() - 2);
            if (secoesVistas.contains(secao.toLower()))
                c.problemas << QStringLiteral("repeated section ") + secao;
            secoesVistas.insert(secao.toLower());
            c.secoes << secao;
            continue;
        }
        const int igual = linha.indexOf(QLatin1Char('='));
        if (secao.isEmpty() || igual <= 0) {
            c.problemas << QStringLiteral("stray line: ") + linha;
            continue;
        }
        const QString chave = linha.left(igual);
        if (chave != chave.trimmed()) c.problemas << QStringLiteral("blanks around key ") + chave;
        const QString id = secao + QLatin1Char('/') + chave;
        if (chavesVistas.contains(id.toLower()))
            c.problemas << QStringLiteral("repeated key ") + id;
        chavesVistas.insert(id.toLower());
        c.chaves[secao] << chave;
        c.valores.insert(id, linha.mid(igual + 1));
    }
    return c;
}

Conteudo ler(const QString &nome) {
    QByteArray bytes;
    if (!Arquivos::lerTudo(pastaIdiomas() + nome, &bytes)) {
        Conteudo c;
        c.problemas << QStringLiteral("cannot read ") + nome;
        return c;
    }
    return analisar(bytes);
}

// The keys the program reads, as "section/key", from the list kept with the
// test data.
QStringList chavesExigidas() {
    QByteArray bytes;
    Arquivos::lerTudo(QStringLiteral(TREVALIN_TEST_DATA "/idiomas_chaves.txt"), &bytes);
    QStringList lista;
    QString secao;
    for (const QByteArray &bruta : Arquivos::dividirLinhas(bytes)) {
        const QString l = QString::fromUtf8(bruta).trimmed();
        if (l.isEmpty() || l.startsWith(QLatin1Char('#'))) continue;
        if (l.startsWith(QLatin1Char('[')))
            secao = l.mid(1, l.size() - 2);
        else
            lista << secao + QLatin1Char('/') + l;
    }
    return lista;
}

QStringList todasAsChaves(const Conteudo &c) {
    QStringList lista;
    for (const QString &s : c.secoes)
        for (const QString &k : c.chaves.value(s))
            lista << s + QLatin1Char('/') + k;
    return lista;
}

// Menu items of the main window that carry an accelerator, grouped by the
// menu they appear in: accelerators must differ within one menu.
const QList<QStringList> kMenus = {
    {"Opes1", "Ajuda1", "Sobre1", "Sair1"},
    {"Experimento1", "Labirinto1", "Analise1", "Video1", "ConfigurarTeclado1", "Idioma1"},
    {"Inserir1", "Excluir1"},
    {"CriarNovoLabirinto1"},
    {"Visualizar1", "Excluir2"},
};

} // namespace

class TstIdiomas : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString dados() const { return m_dir.path() + QLatin1Char('/'); }
    void escrever(const QString &relativo, const QByteArray &bytes) {
        QDir().mkpath(QFileInfo(dados() + relativo).absolutePath());
        QFile f(dados() + relativo);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

private slots:
    void init() { QDir(dados() + "idiomas").removeRecursively(); }

    // ---- The shipped language files ----------------------------------------

    void arquivo_data() {
        QTest::addColumn<QString>("nome");
        for (const QString &n : kArquivos)
            QTest::newRow(qPrintable(n)) << n;
    }

    void arquivo() {
        QFETCH(QString, nome);
        QByteArray bytes;
        QVERIFY2(Arquivos::lerTudo(pastaIdiomas() + nome, &bytes), qPrintable(nome));

        // Windows-1252, CR LF only.
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
        QVERIFY(bytes.endsWith("\r\n"));
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const uchar b = uchar(bytes[i]);
            if (b == '\r')
                QVERIFY2(i + 1 < bytes.size() && bytes[i + 1] == '\n', "CR without LF");
            else if (b == '\n')
                QVERIFY2(i > 0 && bytes[i - 1] == '\r', "LF without CR");
            else
                QVERIFY2(b >= 0x20 && b != 0x7F && b != 0x81 && b != 0x8D && b != 0x8F &&
                             b != 0x90 && b != 0x9D,
                         qPrintable(QStringLiteral("byte 0x%1 at %2").arg(b, 0, 16).arg(i)));
        }
        // Accented Windows-1252 text is never valid UTF-8; a file saved as
        // UTF-8 by mistake would be, and would show "Ã§" and the like.
        if (std::any_of(bytes.cbegin(), bytes.cend(), [](char b) { return uchar(b) >= 0x80; })) {
            QStringDecoder utf8(QStringDecoder::Utf8);
            const QString comoUtf8 = utf8.decode(bytes);
            QVERIFY2(utf8.hasError(), "saved as UTF-8");
        }

        const Conteudo c = analisar(bytes);
        QVERIFY2(c.problemas.isEmpty(), qPrintable(c.problemas.join(QLatin1Char('\n'))));

        // Exactly the keys the program reads: a misspelt key would be both
        // missing (the window shows "ERRO") and extra.
        const QStringList exigidas = chavesExigidas();
        QCOMPARE(exigidas.size(), 211);
        const QStringList presentes = todasAsChaves(c);
        QStringList faltam, sobram;
        for (const QString &k : exigidas)
            if (!presentes.contains(k)) faltam << k;
        for (const QString &k : presentes)
            if (!exigidas.contains(k)) sobram << k;
        QVERIFY2(faltam.isEmpty(), qPrintable("missing: " + faltam.join(", ")));
        QVERIFY2(sobram.isEmpty(), qPrintable("not read by the program: " + sobram.join(", ")));
        QCOMPARE(c.secoes.size(), 17);

        // Every value is a text the window can show as it is.
        const QSet<QString> menu = [] {
            QSet<QString> s;
            for (const QStringList &m : kMenus)
                for (const QString &k : m)
                    s.insert(QStringLiteral("UnitMain/") + k);
            return s;
        }();
        for (auto it = c.valores.cbegin(); it != c.valores.cend(); ++it) {
            const QString &v = it.value();
            const QByteArray id = (nome + ": " + it.key() + "=" + v).toUtf8();
            QVERIFY2(!v.trimmed().isEmpty(), id.constData());
            QVERIFY2(v == v.trimmed(), id.constData());
            QVERIFY2(v != TIdioma::Erro, id.constData());
            QVERIFY2(v.size() <= 2047, id.constData());
            // "&" marks an accelerator in menus and buttons; only menu items use one.
            if (!menu.contains(it.key())) QVERIFY2(!v.contains(QLatin1Char('&')), id.constData());
        }

        // Menu accelerators: at most one per item, a letter, distinct within a menu.
        for (const QStringList &m : kMenus) {
            QSet<QChar> letras;
            for (const QString &item : m) {
                const QString v = c.valores.value(QStringLiteral("UnitMain/") + item);
                const QByteArray id = (nome + ": " + item + "=" + v).toUtf8();
                QVERIFY2(v.count(QLatin1Char('&')) <= 1, id.constData());
                const int e = v.indexOf(QLatin1Char('&'));
                if (e < 0) continue;
                QVERIFY2(e + 1 < v.size() && v[e + 1].isLetter(), id.constData());
                const QChar letra = v[e + 1].toLower();
                QVERIFY2(!letras.contains(letra), id.constData());
                letras.insert(letra);
            }
        }
    }

    void mesmasSecoesEChaves() {
        const Conteudo pt = ler(kArquivos[0]);
        for (const QString &nome : kArquivos.mid(1)) {
            const Conteudo c = ler(nome);
            QCOMPARE(c.secoes, pt.secoes);
            for (const QString &s : pt.secoes)
                QCOMPARE(c.chaves.value(s), pt.chaves.value(s));
        }
    }

    // The windows read the shipped files through TIdioma: every key gives
    // its text, never "ERRO", and the same text as the settings-file reader.
    void leituraDosArquivosDistribuidos() {
        const QStringList exigidas = chavesExigidas();
        for (const QString &nome : kArquivos) {
            const QString caminho = pastaIdiomas() + nome;
            const TIdioma idioma(caminho);
            QVERIFY(idioma.Carregado());
            const TArquivoIni ini(caminho);
            for (const QString &id : exigidas) {
                const QString secao = id.section(QLatin1Char('/'), 0, 0);
                const QString chave = id.section(QLatin1Char('/'), 1);
                const QString texto = idioma.Texto(secao, chave);
                QVERIFY2(texto != TIdioma::Erro, qPrintable(nome + ": " + id));
                QCOMPARE(texto, ini.ReadString(secao, chave, QStringLiteral("?")));
            }
        }
    }

    void textosAcentuados_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("secao");
        QTest::addColumn<QString>("chave");
        QTest::addColumn<QString>("texto");
        QTest::newRow("pt") << "portugues.ini"
                            << "UnitMain"
                            << "Opes1" << u8"&Opções";
        QTest::newRow("en") << "ingles.ini"
                            << "UnitMain"
                            << "Sair1"
                            << "E&xit";
        QTest::newRow("fr") << "frances.ini"
                            << "UnitMain"
                            << "Sobre1" << u8"À propos...";
        QTest::newRow("de") << "alemao.ini"
                            << "UnitMain"
                            << "Idioma1" << u8"Sprache ändern";
        QTest::newRow("it") << "italiano.ini"
                            << "UnitNovoLabirinto"
                            << "TFormNovoLabirintoSpeedButton1ClickMessage1"
                            << u8"Il labirinto è stato creato.";
        QTest::newRow("es") << "espanhol.ini"
                            << "UnitComp"
                            << "RadioGroup" << u8"Catálogos";
    }
    void textosAcentuados() {
        QFETCH(QString, nome);
        QFETCH(QString, secao);
        QFETCH(QString, chave);
        QFETCH(QString, texto);
        QCOMPARE(TIdioma(pastaIdiomas() + nome).Texto(secao, chave), texto);
    }

    void escolhaInicialDistribuida() {
        QByteArray bytes;
        QVERIFY(Arquivos::lerTudo(pastaIdiomas() + "idioma.ini", &bytes));
        escrever("idiomas/idioma.ini", bytes);
        const TEscolhaIdioma escolha(dados());
        QCOMPARE(escolha.ArquivoIdioma(), dados() + "idiomas/portugues.ini");
        QVERIFY(!escolha.Confirmado()); // the login window asks at the first start
    }

    void nomesEArquivos() {
        const QStringList nomes = {u8"Português", "English",  u8"Français",
                                   "Deutsch",     "Italiano", u8"Español"};
        for (int i = 0; i < TEscolhaIdioma::QdeIdiomas; ++i) {
            QCOMPARE(TEscolhaIdioma::NomeIdioma(i), nomes[i]);
            QCOMPARE(TEscolhaIdioma::ArquivoRelativo(i), "idiomas/" + kArquivos[i]);
        }
        for (int i : {-1, 6, 100}) {
            QVERIFY(TEscolhaIdioma::NomeIdioma(i).isEmpty());
            QVERIFY(TEscolhaIdioma::ArquivoRelativo(i).isEmpty());
        }
    }

    // ---- Looking texts up ----------------------------------------------------

    void textoAusente_data() {
        QTest::addColumn<bool>("comArquivo");
        QTest::addColumn<QString>("secao");
        QTest::addColumn<QString>("chave");
        QTest::addColumn<QString>("texto");
        QTest::newRow("present") << true << "UnitMain"
                                 << "Sair1"
                                 << "&Sair";
        QTest::newRow("names ignore case") << true << "unitmain"
                                           << "SAIR1"
                                           << "&Sair";
        QTest::newRow("accented name") << true << "UnitMain" << u8"Opções" << "x";
        QTest::newRow("empty value stays empty") << true << "UnitMain"
                                                 << "Vazio"
                                                 << "";
        QTest::newRow("missing key") << true << "UnitMain"
                                     << "Ajuda1"
                                     << "ERRO";
        QTest::newRow("missing section") << true << "UnitInicio"
                                         << "Sair1"
                                         << "ERRO";
        QTest::newRow("missing file") << false << "UnitMain"
                                      << "Sair1"
                                      << "ERRO";
    }
    void textoAusente() {
        QFETCH(bool, comArquivo);
        QFETCH(QString, secao);
        QFETCH(QString, chave);
        QFETCH(QString, texto);
        const QString arquivo = dados() + "idiomas/teste.ini";
        if (comArquivo)
            escrever("idiomas/teste.ini", "[UnitMain]\r\nSair1=&Sair\r\nVazio=\r\n" +
                                              Cp1252::codificar(u8"OPÇÕES=x") + "\r\n");
        QCOMPARE(TIdioma(arquivo).Texto(secao, chave), texto);
        QCOMPARE(TIdioma::Ler(arquivo, secao, chave), texto);
    }

    void semArquivo() {
        const TIdioma nenhum;
        QVERIFY(!nenhum.Carregado());
        QCOMPARE(nenhum.Texto("UnitMain", "Sair1"), QStringLiteral("ERRO"));
        QCOMPARE(TIdioma(QString()).Texto("UnitMain", "Sair1"), QStringLiteral("ERRO"));
        QCOMPARE(TIdioma::Ler(QString(), "UnitMain", "Sair1"), QStringLiteral("ERRO"));
        QVERIFY(!TIdioma(dados() + "nada.ini").Carregado());
    }

    // The texts read once by a window and the texts read at the moment they
    // are shown must be the same, whatever the file looks like.
    void mesmasRegrasQueArquivoIni() {
        const QByteArray conteudo = "solta=antes de secao\r\n"
                                    "[A]\r\n"
                                    "um=primeiro\r\n"
                                    "  dois  =com brancos  \r\n"
                                    "um=repetido\r\n"
                                    "; comentario=nao\r\n"
                                    "igual=a=b\r"
                                    "[ B ]\n"
                                    "x=1\n"
                                    "[a]\r\n"
                                    "um=da segunda secao A\r\n"
                                    "tres=so na segunda\r\n"
                                    "[C\r\n"
                                    "y=sem fecho\r\n"
                                    "=sem nome\r\n";
        escrever("idiomas/regras.ini", conteudo);
        const QString arquivo = dados() + "idiomas/regras.ini";
        const TIdioma idioma(arquivo);
        const TArquivoIni ini(arquivo);
        const QList<QPair<QString, QString>> consultas = {
            {"A", "um"},   {"A", "dois"},  {"A", "igual"},
            {"A", "tres"}, {"A", "solta"}, {"A", "; comentario"},
            {"B", "x"},    {" B ", "x"},   {"C", "y"},
            {"C", ""},     {"", "solta"},  {"A", "inexistente"}};
        for (const auto &c : consultas)
            QCOMPARE(idioma.Texto(c.first, c.second),
                     ini.ReadString(c.first, c.second, TIdioma::Erro));
        QCOMPARE(idioma.Texto("A", "um"), QStringLiteral("primeiro"));
        QCOMPARE(idioma.Texto("A", "dois"), QStringLiteral("com brancos  "));
        QCOMPARE(idioma.Texto("A", "igual"), QStringLiteral("a=b"));
        QCOMPARE(idioma.Texto("a", "tres"), QStringLiteral("so na segunda"));
    }

    // ---- The language choice -------------------------------------------------

    void escolha_data() {
        QTest::addColumn<QByteArray>("conteudo"); // empty: no choice file
        QTest::addColumn<QString>("arquivo");     // relative; empty: no language file
        QTest::addColumn<bool>("confirmado");
        QTest::addColumn<int>("linguaPadrao0");
        QTest::newRow("no file") << QByteArray() << "" << false << 0;
        QTest::newRow("portugues") << QByteArray("[idioma]\r\nlingua=0\r\nconfigurado=1\r\n")
                                   << "idiomas/portugues.ini" << true << 0;
        QTest::newRow("ingles") << QByteArray("[idioma]\r\nlingua=1\r\nconfigurado=1\r\n")
                                << "idiomas/ingles.ini" << true << 1;
        QTest::newRow("frances") << QByteArray("[idioma]\r\nlingua=2\r\n") << "idiomas/frances.ini"
                                 << false << 2;
        QTest::newRow("alemao") << QByteArray("[IDIOMA]\r\nLINGUA=3\r\n") << "idiomas/alemao.ini"
                                << false << 3;
        QTest::newRow("italiano") << QByteArray("[idioma]\r\nlingua=4\r\nconfigurado=0\r\n")
                                  << "idiomas/italiano.ini" << false << 4;
        QTest::newRow("espanhol") << QByteArray("[idioma]\nlingua=5\nconfigurado=2\n")
                                  << "idiomas/espanhol.ini" << true << 5;
        QTest::newRow("beyond the six")
            << QByteArray("[idioma]\r\nlingua=6\r\nconfigurado=1\r\n") << "" << true << 6;
        QTest::newRow("negative") << QByteArray("[idioma]\r\nlingua=-1\r\n") << "" << false << -1;
        QTest::newRow("not a number")
            << QByteArray("[idioma]\r\nlingua=um\r\n") << "" << false << 0;
        QTest::newRow("no lingua key")
            << QByteArray("[idioma]\r\nconfigurado=1\r\n") << "" << true << 0;
        QTest::newRow("other section") << QByteArray("[outra]\r\nlingua=1\r\n") << "" << false << 0;
    }
    void escolha() {
        QFETCH(QByteArray, conteudo);
        QFETCH(QString, arquivo);
        QFETCH(bool, confirmado);
        QFETCH(int, linguaPadrao0);
        if (!conteudo.isEmpty()) escrever("idiomas/idioma.ini", conteudo);
        const TEscolhaIdioma escolha(dados());
        QCOMPARE(escolha.FileName(), dados() + "idiomas/idioma.ini");
        QCOMPARE(escolha.ArquivoIdioma(), arquivo.isEmpty() ? QString() : dados() + arquivo);
        QCOMPARE(escolha.Confirmado(), confirmado);
        QCOMPARE(escolha.Lingua(0), linguaPadrao0);
        // With no language file every text reads "ERRO".
        if (arquivo.isEmpty())
            QCOMPARE(TIdioma(escolha.ArquivoIdioma()).Texto("UnitMain", "Sair1"),
                     QStringLiteral("ERRO"));
    }

    void confirmarEPedirDeNovo() {
        // A data directory without an "idiomas" folder still keeps the choice.
        TInteracaoFalsa interacao;
        TEscolhaIdioma escolha(dados());
        QVERIFY(escolha.Confirmar(1, &interacao));
        QVERIFY(interacao.mensagens.isEmpty());
        QVERIFY(escolha.Confirmado());
        QCOMPARE(escolha.Lingua(-1), 1);
        QCOMPARE(escolha.ArquivoIdioma(), dados() + "idiomas/ingles.ini");
        QByteArray bytes;
        QVERIFY(Arquivos::lerTudo(escolha.FileName(), &bytes));
        QCOMPARE(bytes, QByteArray("[idioma]\r\nlingua=1\r\nconfigurado=1\r\n"));

        QVERIFY(escolha.PedirNovaEscolha(&interacao));
        QVERIFY(!escolha.Confirmado());
        QCOMPARE(escolha.Lingua(-1), 1); // the language stays until the next confirmation
        QVERIFY(escolha.Confirmar(0, nullptr));
        QCOMPARE(escolha.Lingua(-1), 0);
        QVERIFY(escolha.Confirmado());
    }

    void confirmarForaDaFaixa() {
        TInteracaoFalsa interacao;
        TEscolhaIdioma escolha(dados());
        QVERIFY(!escolha.Confirmar(6, &interacao));
        QVERIFY(!escolha.Confirmar(-1, &interacao));
        QVERIFY(!QFile::exists(escolha.FileName()));
    }

    void escolhaSomenteLeitura() {
        escrever("idiomas/idioma.ini", "[idioma]\r\nlingua=2\r\nconfigurado=1\r\n");
        TEscolhaIdioma escolha(dados());
        QVERIFY(Arquivos::marcarSomenteLeitura(escolha.FileName()));
        TInteracaoFalsa interacao;
        QVERIFY(!escolha.Confirmar(0, &interacao));
        QVERIFY(!escolha.PedirNovaEscolha(&interacao));
        QVERIFY(!escolha.PedirNovaEscolha(nullptr));
        QCOMPARE(interacao.mensagens.size(), 2);
        QVERIFY(interacao.mensagens[0].contains(escolha.FileName()));
        QCOMPARE(escolha.Lingua(-1), 2);
        QVERIFY(escolha.Confirmado());
        Arquivos::desmarcarSomenteLeitura(escolha.FileName());
    }
};

QTEST_GUILESS_MAIN(TstIdiomas)
#include "tst_idiomas.moc"
