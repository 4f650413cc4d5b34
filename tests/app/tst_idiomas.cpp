#include "app/TEscolhaIdioma.h"
#include "core/Arquivos.h"
#include "core/Cp1252.h"
#include "core/TArquivoIni.h"
#include "core/TIdioma.h"

#include "TInteracaoFalsa.h"

#include <QDir>
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

QByteArray ler(const QString &caminho) {
    QByteArray b;
    Arquivos::lerTudo(caminho, &b);
    return b;
}

// One language file read strictly (no case folding): its "section/key" in
// file order, the values, and what is wrong with its layout.
struct Conteudo {
    QStringList chaves;
    QHash<QString, QString> valores;
    int secoes = 0;
    QStringList problemas;
};

Conteudo analisar(const QByteArray &bytes) {
    Conteudo c;
    QString secao;
    QSet<QString> vistos; // sections and "section/key", lower case
    for (const QByteArray &bruta : Arquivos::dividirLinhas(bytes)) {
        const QString linha = Cp1252::decodificar(bruta);
        const int igual = linha.indexOf(QLatin1Char('='));
        QString id;
        if (linha.isEmpty() || linha.startsWith(QLatin1Char(';'))) continue;
        if (linha.startsWith(QLatin1Char('['))) {
            if (!linha.endsWith(QLatin1Char(']'))) c.problemas << "bad section line: " + linha;
            id = secao = linha.mid(1, linha.size() - 2);
            ++c.secoes;
        } else if (!secao.isEmpty() && igual > 0) {
            id = secao + QLatin1Char('/') + linha.left(igual);
            if (linha.left(igual) != linha.left(igual).trimmed()) c.problemas << "blanks in " + id;
            c.chaves << id;
            c.valores.insert(id, linha.mid(igual + 1));
        } else {
            c.problemas << "stray line: " + linha;
            continue;
        }
        if (vistos.contains(id.toLower())) c.problemas << QStringLiteral("repeated ") + id;
        vistos.insert(id.toLower());
    }
    return c;
}

// The keys the program reads ("section/key"), as the test data lists them.
QStringList chavesExigidas() {
    QStringList lista;
    QString secao;
    for (const QByteArray &bruta :
         Arquivos::dividirLinhas(ler(QStringLiteral(TREVALIN_TEST_DATA "/idiomas_chaves.txt")))) {
        const QString l = QString::fromUtf8(bruta).trimmed();
        if (l.startsWith(QLatin1Char('[')))
            secao = l.mid(1, l.size() - 2);
        else if (!l.isEmpty() && !l.startsWith(QLatin1Char('#')))
            lista << secao + QLatin1Char('/') + l;
    }
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
        QDir().mkpath(dados() + "idiomas");
        QVERIFY(Arquivos::gravarAtomico(dados() + relativo, bytes));
    }

private slots:
    void init() { QDir(dados() + "idiomas").removeRecursively(); }

    // Each file with one accented text it must hold as written.
    void arquivo_data() {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("chave");
        QTest::addColumn<QString>("texto");
        // clang-format off
        QTest::newRow("pt") << "portugues.ini" << "UnitMain/Opes1" << "&Opções";
        QTest::newRow("en") << "ingles.ini" << "UnitMain/Sair1" << "E&xit";
        QTest::newRow("fr") << "frances.ini" << "UnitMain/Sobre1" << "À propos...";
        QTest::newRow("de") << "alemao.ini" << "UnitMain/Idioma1" << "Sprache ändern";
        QTest::newRow("it") << "italiano.ini"
                            << "UnitNovoLabirinto/TFormNovoLabirintoSpeedButton1ClickMessage1"
                            << "Il labirinto è stato creato.";
        QTest::newRow("es") << "espanhol.ini" << "UnitComp/RadioGroup" << "Catálogos";
        // clang-format on
    }
    void arquivo() {
        QFETCH(QString, nome);
        QFETCH(QString, chave);
        QFETCH(QString, texto);
        const QByteArray bytes = ler(pastaIdiomas() + nome);
        QVERIFY2(!bytes.isEmpty(), qPrintable(nome));

        // Windows-1252 with CR LF only: no BOM, no lone CR or LF, no other
        // control character and no byte the code page leaves undefined.
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF") && bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        const QByteArray semFins = QByteArray(bytes).replace("\r\n", "");
        for (const char b : semFins)
            QVERIFY2(uchar(b) >= 0x20 && !QByteArray("\x7F\x81\x8D\x8F\x90\x9D").contains(b),
                     qPrintable(QStringLiteral("byte 0x%1").arg(uchar(b), 0, 16)));
        // Accented Windows-1252 text is never valid UTF-8 (plain ASCII is); a
        // file saved as UTF-8 by mistake would be, and would show "Ã§".
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString comoUtf8 = utf8.decode(bytes);
        QVERIFY2(utf8.hasError() || comoUtf8.toLatin1() == bytes, "saved as UTF-8");

        const Conteudo c = analisar(bytes);
        QVERIFY2(c.problemas.isEmpty(), qPrintable(c.problemas.join(QLatin1Char('\n'))));
        // Exactly the keys the program reads, in the list's order, so every file
        // has the same (a misspelt key would show "ERRO").
        const QStringList exigidas = chavesExigidas();
        QCOMPARE(exigidas.size(), 242);
        QCOMPARE(c.secoes, 17);
        QCOMPARE(c.chaves, exigidas);

        // Menu accelerators: at most one per item, a letter, distinct within a menu.
        QSet<QString> menu;
        for (const QStringList &m : kMenus) {
            QSet<QChar> letras;
            for (const QString &item : m) {
                menu.insert(QStringLiteral("UnitMain/") + item);
                const QString v = c.valores.value(QStringLiteral("UnitMain/") + item);
                const QByteArray id = (nome + ": " + item + "=" + v).toUtf8();
                const int e = v.indexOf(QLatin1Char('&'));
                QVERIFY2(v.count(QLatin1Char('&')) <= 1, id.constData());
                if (e < 0) continue;
                QVERIFY2(e + 1 < v.size() && v[e + 1].isLetter(), id.constData());
                QVERIFY2(!letras.contains(v[e + 1].toLower()), id.constData());
                letras.insert(v[e + 1].toLower());
            }
        }
        // Every value can be shown as it is, and the windows' look-up finds it.
        QCOMPARE(c.valores.value(chave), texto);
        const TIdioma idioma(pastaIdiomas() + nome);
        for (auto it = c.valores.cbegin(); it != c.valores.cend(); ++it) {
            const QString &v = it.value();
            const QByteArray id = (nome + ": " + it.key() + "=" + v).toUtf8();
            QVERIFY2(!v.isEmpty() && v == v.trimmed() && v != TIdioma::Erro && v.size() <= 2047,
                     id.constData());
            // "&" marks an accelerator in menus and buttons; only menu items use one.
            QVERIFY2(menu.contains(it.key()) || !v.contains(QLatin1Char('&')), id.constData());
            QCOMPARE(idioma.Texto(it.key().section('/', 0, 0), it.key().section('/', 1)), v);
        }
    }

    void textoAusente_data() {
        QTest::addColumn<QString>("arquivo"); // "teste.ini" is written, the others are not
        QTest::addColumn<QString>("secao");
        QTest::addColumn<QString>("chave");
        QTest::addColumn<QString>("texto");
        // clang-format off
        QTest::newRow("present") << "teste.ini" << "UnitMain" << "Sair1" << "&Sair";
        QTest::newRow("names ignore case") << "teste.ini" << "unitmain" << "SAIR1" << "&Sair";
        QTest::newRow("accented name") << "teste.ini" << "UnitMain" << u8"Opções" << "x";
        QTest::newRow("empty value stays empty") << "teste.ini" << "UnitMain" << "Vazio" << "";
        QTest::newRow("missing key") << "teste.ini" << "UnitMain" << "Ajuda1" << "ERRO";
        QTest::newRow("missing section") << "teste.ini" << "UnitInicio" << "Sair1" << "ERRO";
        QTest::newRow("missing file") << "nada.ini" << "UnitMain" << "Sair1" << "ERRO";
        QTest::newRow("no file name") << "" << "UnitMain" << "Sair1" << "ERRO";
        // clang-format on
    }
    void textoAusente() {
        QFETCH(QString, arquivo);
        QFETCH(QString, secao);
        QFETCH(QString, chave);
        QFETCH(QString, texto);
        escrever("idiomas/teste.ini", "[UnitMain]\r\nSair1=&Sair\r\nVazio=\r\n" +
                                          Cp1252::codificar(u8"OPÇÕES=x") + "\r\n");
        if (!arquivo.isEmpty()) arquivo = dados() + "idiomas/" + arquivo;
        QCOMPARE(TIdioma(arquivo).Texto(secao, chave), texto);
        QCOMPARE(TIdioma::Ler(arquivo, secao, chave), texto);
        QCOMPARE(TIdioma(arquivo).Carregado(), arquivo.endsWith("teste.ini"));
    }

    // The texts read once by a window and the texts read at the moment they
    // are shown must be the same, whatever the file looks like.
    void mesmasRegrasQueArquivoIni() {
        escrever("idiomas/regras.ini", "solta=antes de secao\r\n[A]\r\num=primeiro\r\n"
                                       "  dois  =com brancos  \r\num=repetido\r\n"
                                       "; comentario=nao\r\nigual=a=b\r[ B ]\nx=1\n[a]\r\n"
                                       "um=da segunda secao A\r\ntres=so na segunda\r\n"
                                       "[C\r\ny=sem fecho\r\n=sem nome\r\n");
        const QString arquivo = dados() + "idiomas/regras.ini";
        const TIdioma idioma(arquivo);
        const TArquivoIni ini(arquivo);
        const char *const consultas[][2] = {{"A", "um"},   {"A", "dois"},  {"A", "igual"},
                                            {"A", "tres"}, {"A", "solta"}, {"A", "; comentario"},
                                            {"B", "x"},    {" B ", "x"},   {"C", "y"},
                                            {"C", ""},     {"", "solta"},  {"A", "inexistente"}};
        for (const auto &c : consultas)
            QCOMPARE(idioma.Texto(c[0], c[1]), ini.ReadString(c[0], c[1], TIdioma::Erro));
        QCOMPARE(idioma.Texto("A", "um"), QStringLiteral("primeiro"));
        QCOMPARE(idioma.Texto("A", "dois"), QStringLiteral("com brancos  "));
        QCOMPARE(idioma.Texto("A", "igual"), QStringLiteral("a=b"));
        QCOMPARE(idioma.Texto("a", "tres"), QStringLiteral("so na segunda"));
    }

    void escolha_data() {
        // The choice file (lines of section "idioma", "|" for CR LF; empty: no
        // file) and the language file it gives (index in kArquivos; -1: none).
        QTest::addColumn<QByteArray>("conteudo");
        QTest::addColumn<int>("arquivo");
        QTest::addColumn<bool>("confirmado");
        QTest::addColumn<int>("linguaPadrao0");
        // clang-format off
        QTest::newRow("no file") << QByteArray() << -1 << false << 0;
        // The shipped choice: Portuguese, and the login window asks.
        QTest::newRow("shipped") << ler(pastaIdiomas() + "idioma.ini") << 0 << false << 0;
        QTest::newRow("portugues") << QByteArray("lingua=0|configurado=1") << 0 << true << 0;
        QTest::newRow("ingles") << QByteArray("lingua=1|configurado=1") << 1 << true << 1;
        QTest::newRow("frances") << QByteArray("lingua=2") << 2 << false << 2;
        QTest::newRow("alemao") << QByteArray("[IDIOMA]|LINGUA=3|") << 3 << false << 3;
        QTest::newRow("italiano") << QByteArray("lingua=4|configurado=0") << 4 << false << 4;
        QTest::newRow("espanhol, LF") << QByteArray("[idioma]\nlingua=5\nconfigurado=2\n")
                                      << 5 << true << 5;
        QTest::newRow("beyond the six") << QByteArray("lingua=6|configurado=1") << -1 << true << 6;
        QTest::newRow("negative") << QByteArray("lingua=-1") << -1 << false << -1;
        QTest::newRow("not a number") << QByteArray("lingua=um") << -1 << false << 0;
        QTest::newRow("no lingua key") << QByteArray("configurado=1") << -1 << true << 0;
        QTest::newRow("other section") << QByteArray("[outra]|lingua=1|") << -1 << false << 0;
        // clang-format on
    }
    void escolha() {
        QFETCH(QByteArray, conteudo);
        QFETCH(int, arquivo);
        QFETCH(bool, confirmado);
        QFETCH(int, linguaPadrao0);
        if (!conteudo.startsWith('[') && !conteudo.isEmpty())
            conteudo = "[idioma]|" + conteudo + "|";
        if (!conteudo.isEmpty()) escrever("idiomas/idioma.ini", conteudo.replace("|", "\r\n"));
        const TEscolhaIdioma escolha(dados());
        QCOMPARE(escolha.FileName(), dados() + "idiomas/idioma.ini");
        QCOMPARE(escolha.ArquivoIdioma(),
                 arquivo < 0 ? QString() : dados() + "idiomas/" + kArquivos[arquivo]);
        QCOMPARE(escolha.Confirmado(), confirmado);
        QCOMPARE(escolha.Lingua(0), linguaPadrao0);
    }

    // A data directory without an "idiomas" folder still keeps the choice; a
    // read-only choice file is told about and keeps the choice as it was.
    void confirmar() {
        TInteracaoFalsa interacao;
        TEscolhaIdioma escolha(dados());
        QVERIFY(!escolha.Confirmar(6, &interacao) && !escolha.Confirmar(-1, &interacao));
        QVERIFY(!QFile::exists(escolha.FileName()));
        QVERIFY(escolha.Confirmar(1, &interacao));
        QCOMPARE(escolha.ArquivoIdioma(), dados() + "idiomas/ingles.ini");
        QCOMPARE(ler(escolha.FileName()), QByteArray("[idioma]\r\nlingua=1\r\nconfigurado=1\r\n"));
        QVERIFY(escolha.PedirNovaEscolha(&interacao));
        QVERIFY(!escolha.Confirmado());
        QCOMPARE(escolha.Lingua(-1), 1); // the language stays until the next confirmation
        QVERIFY(escolha.Confirmar(2, nullptr));
        QVERIFY(interacao.mensagens.isEmpty());

        QVERIFY(Arquivos::marcarSomenteLeitura(escolha.FileName()));
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
