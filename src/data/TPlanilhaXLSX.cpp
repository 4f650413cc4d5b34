#include "TPlanilhaXLSX.h"

#include "TPacoteZip.h"

#include "core/TResultado.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr char kCabecalho[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr char kPlanilhaNS[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr char kRelacoesNS[] =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr char kPacoteNS[] = "http://schemas.openxmlformats.org/package/2006/relationships";

bool hex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// `texto` (UTF-8) as markup text, or as an attribute's value when `aspas`.
// Characters markup cannot hold at all (controls, U+FFFE, U+FFFF) go as the
// format's "_xHHHH_" (which the common spreadsheet programs decode, though
// some script readers show the code as it stands), and an underscore that
// would read as the start of such a code is itself written "_x005F_".
// Carriage returns (and in attributes tabs and line feeds, which readers
// would turn into spaces) go as character references.
void escapar(std::string &s, const QByteArray &texto, bool aspas = false) {
    const char *c = texto.constData();
    const qsizetype n = texto.size();
    char codigo[8];
    for (qsizetype k = 0; k < n; ++k) {
        const unsigned char b = static_cast<unsigned char>(c[k]);
        switch (b) {
        case '&': s += "&amp;"; continue;
        case '<': s += "&lt;"; continue;
        case '>': s += "&gt;"; continue;
        case '"':
            s += aspas ? "&quot;" : "\"";
            continue;
        case '_':
            if (k + 6 < n && (c[k + 1] == 'x' || c[k + 1] == 'X') && hex(c[k + 2]) &&
                hex(c[k + 3]) && hex(c[k + 4]) && hex(c[k + 5]) && c[k + 6] == '_')
                s += "_x005F_";
            else
                s += '_';
            continue;
        default: break;
        }
        if (b == '\r' || (aspas && (b == '\t' || b == '\n'))) {
            // A reference keeps what a reader would otherwise normalise.
            std::snprintf(codigo, sizeof codigo, "&#%d;", b);
            s += codigo;
        } else if (b < 0x20 && b != '\t' && b != '\n') {
            std::snprintf(codigo, sizeof codigo, "_x%04X_", b);
            s += codigo;
        } else if (b == 0xEF && k + 2 < n && static_cast<unsigned char>(c[k + 1]) == 0xBF &&
                   (static_cast<unsigned char>(c[k + 2]) & 0xFE) == 0xBE) {
            s += static_cast<unsigned char>(c[k + 2]) == 0xBE ? "_xFFFE_" : "_xFFFF_";
            k += 2;
        } else {
            s += static_cast<char>(b);
        }
    }
}

// Whether a text's spaces must be kept as they are (readers trim them).
bool guardaEspacos(const QByteArray &t) {
    return !t.isEmpty() && (t.front() == ' ' || t.back() == ' ' || t.contains('\t') ||
                            t.contains('\n') || t.contains("  "));
}

std::string letras(int coluna) { // 1 -> "A"
    std::string r;
    for (; coluna > 0; coluna = (coluna - 1) / 26)
        r.insert(r.begin(), static_cast<char>('A' + (coluna - 1) % 26));
    return r;
}

void numero(std::string &s, quint64 v) {
    char b[24];
    s.append(b, std::to_chars(b, b + sizeof b, v).ptr);
}

constexpr size_t kBlocoFolha = 1 << 16;

// Where the sheet's markup gathers before it goes to the package in blocks.
class Folha {
public:
    explicit Folha(TPacoteZip &pacote) : m_pacote(pacote) { s.reserve(kBloco + 4096); }
    std::string s;
    bool talvezEnviar() { return s.size() < kBloco || enviar(); }
    bool enviar() {
        const bool ok = m_pacote.Escrever(s.data(), s.size());
        s.clear();
        return ok;
    }

private:
    static constexpr size_t kBloco = 1 << 16;
    TPacoteZip &m_pacote;
};

} // namespace

QString TPlanilhaXLSX::NomeDeFolha(const QString &nome) {
    QString r;
    for (QChar c : nome)
        r += QStringLiteral("[]:*?/\\").contains(c) || c.unicode() < 0x20 ? QLatin1Char('_') : c;
    // Counted in UTF-16 units, as the readers count; a pair is never split.
    if (r.size() > 31) r.truncate(r[30].isHighSurrogate() ? 30 : 31);
    while (r.startsWith(QLatin1Char('\'')))
        r.remove(0, 1);
    while (r.endsWith(QLatin1Char('\'')))
        r.chop(1);
    return r.isEmpty() ? QStringLiteral("Planilha") : r;
}

void TPlanilhaXLSX::SaveSheet(OpcoesGravacao opcoes) {
    conferirGravacao(TGravacao::GravarCom(
        m_nomeArquivo, [this](const QString &arquivo) { return escrever(arquivo); }, modoDe(opcoes),
        opcoes.testFlag(GravSomenteLeitura)));
}

QString TPlanilhaXLSX::escrever(const QString &arquivo) {
    Ordenar();
    std::FILE *f = std::fopen(QFile::encodeName(arquivo).constData(), "wb");
    if (!f) return TResultado::TextoDoSistema(errno);
    bool ok = false;
    QString erro;
    {
        // Gone (its thread joined) before the file is closed.
        TPacoteZip pacote(f);
        ok = escreverPacote(pacote) && pacote.Fechar();
        erro = pacote.Erro();
    }
    const int erroFechar = std::fclose(f) != 0 ? errno : 0;
    if (!ok) return erro.isEmpty() ? QStringLiteral("the workbook could not be written") : erro;
    return erroFechar ? TResultado::TextoDoSistema(erroFechar) : QString();
}

bool TPlanilhaXLSX::escreverPacote(TPacoteZip &pacote) const {
    auto parte = [&pacote](const char *nome, const std::string &texto) {
        return pacote.Entrada(nome) && pacote.Escrever(texto.data(), texto.size());
    };
    std::string s = kCabecalho;
    s += "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"rels\" "
         "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
         "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/"
         "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
         "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/"
         "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
         "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/"
         "vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
         "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/"
         "vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
         "</Types>";
    if (!parte("[Content_Types].xml", s)) return false;

    s = kCabecalho;
    s += std::string("<Relationships xmlns=\"") + kPacoteNS +
         "\"><Relationship Id=\"rId1\" Type=\"" + kRelacoesNS +
         "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
    if (!parte("_rels/.rels", s)) return false;

    s = kCabecalho;
    s += std::string("<workbook xmlns=\"") + kPlanilhaNS + "\" xmlns:r=\"" + kRelacoesNS +
         "\"><bookViews><workbookView/></bookViews><sheets><sheet name=\"";
    escapar(s, NomeDeFolha(NomeFolha()).toUtf8(), true);
    s += "\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    if (!parte("xl/workbook.xml", s)) return false;

    s = kCabecalho;
    s += std::string("<Relationships xmlns=\"") + kPacoteNS + "\">" +
         "<Relationship Id=\"rId1\" Type=\"" + kRelacoesNS +
         "/worksheet\" Target=\"worksheets/sheet1.xml\"/>" + "<Relationship Id=\"rId2\" Type=\"" +
         kRelacoesNS + "/styles\" Target=\"styles.xml\"/>" +
         "<Relationship Id=\"rId3\" Type=\"" + kRelacoesNS +
         "/sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>";
    if (!parte("xl/_rels/workbook.xml.rels", s)) return false;

    // One font, the two fills every reader expects, one border, one format.
    s = kCabecalho;
    s += std::string("<styleSheet xmlns=\"") + kPlanilhaNS +
         "\"><fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/>"
         "<family val=\"2\"/></font></fonts>"
         "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
         "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
         "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border>"
         "</borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
         "borderId=\"0\"/></cellStyleXfs><cellXfs count=\"1\"><xf numFmtId=\"0\" "
         "fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs>"
         "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
         "</cellStyles></styleSheet>";
    if (!parte("xl/styles.xml", s)) return false;

    // Each text once, cut at the format's limit; the cells point at them.
    // An empty text is no value: its cell is left out, as readers of the
    // .xls take an empty label.
    auto vazia = [this](const Celula &c) { return c.EhTexto && Textos()[int(c.Texto)].isEmpty(); };
    // One pass for what the headers of both parts need.
    size_t celulasTexto = 0;
    quint32 ultimaLinha = 0;
    int ultimaColuna = 0;
    for (size_t k = 0; k < Qde(); ++k) {
        const Celula &c = Na(k);
        if (vazia(c)) continue;
        celulasTexto += c.EhTexto;
        ultimaLinha = std::max(ultimaLinha, c.Linha);
        ultimaColuna = std::max<int>(ultimaColuna, c.Coluna);
    }
    if (!pacote.Entrada("xl/sharedStrings.xml")) return false;
    Folha folha(pacote);
    folha.s = kCabecalho;
    folha.s += std::string("<sst xmlns=\"") + kPlanilhaNS + "\" count=\"";
    numero(folha.s, celulasTexto);
    folha.s += "\" uniqueCount=\"";
    numero(folha.s, quint64(Textos().size()));
    folha.s += "\">";
    for (const QString &texto : Textos()) {
        const QByteArray t = (texto.size() > MaxTexto ? texto.left(MaxTexto) : texto).toUtf8();
        folha.s += guardaEspacos(t) ? "<si><t xml:space=\"preserve\">" : "<si><t>";
        escapar(folha.s, t);
        folha.s += "</t></si>";
        if (!folha.talvezEnviar()) return false;
    }
    folha.s += "</sst>";
    if (!folha.enviar()) return false;

    if (!pacote.Entrada("xl/worksheets/sheet1.xml")) return false;
    // Column letters (at most three), each kept in a fixed slot of four
    // bytes so a cell copies them in one move.
    struct Letras {
        char texto[4];
        size_t tamanho;
    };
    std::vector<Letras> nomesColunas(static_cast<size_t>(ultimaColuna) + 1);
    for (int c = 1; c <= ultimaColuna; ++c) {
        const std::string l = letras(c);
        Letras &d = nomesColunas[static_cast<size_t>(c)];
        std::memcpy(d.texto, l.data(), l.size());
        d.tamanho = l.size();
    }

    std::string &x = folha.s;
    x = kCabecalho;
    x += std::string("<worksheet xmlns=\"") + kPlanilhaNS + "\" xmlns:r=\"" + kRelacoesNS +
         "\"><dimension ref=\"A1";
    if (ultimaLinha > 1 || ultimaColuna > 1) {
        x += ':';
        x += letras(ultimaColuna);
        numero(x, ultimaLinha);
    }
    x += "\"/><sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\">";
    if (const int titulos = Forma().LinhasTitulo; titulos > 0) {
        std::string abaixo = "A";
        numero(abaixo, quint64(titulos) + 1);
        x += "<pane ySplit=\"";
        numero(x, quint64(titulos));
        x += "\" topLeftCell=\"" + abaixo +
             "\" activePane=\"bottomLeft\" state=\"frozen\"/>"
             "<selection pane=\"bottomLeft\" activeCell=\"" +
             abaixo + "\" sqref=\"" + abaixo + "\"/>";
    }
    x += "</sheetView></sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
    // Widths as the format counts them: characters of the widest digit,
    // plus its 5-pixel margin (5/7 of a digit), kept to 1/256.
    const std::vector<int> &larguras = Larguras();
    bool colunas = false;
    for (size_t c = 0; c < larguras.size(); ++c) {
        if (larguras[c] <= 0) continue;
        x += colunas ? "" : "<cols>";
        colunas = true;
        const double caracteres = std::min(larguras[c], LarguraMaxima) + 1.5;
        const double largura = std::floor((caracteres + 5.0 / 7.0) * 256.0) / 256.0;
        x += "<col min=\"";
        numero(x, c + 1);
        x += "\" max=\"";
        numero(x, c + 1);
        x += "\" width=\"";
        char b[32];
        x.append(b, std::to_chars(b, b + sizeof b, largura).ptr);
        x += "\" customWidth=\"1\"/>";
    }
    x += colunas ? "</cols><sheetData>" : "<sheetData>";

    // The cells, the bulk of the work: written into a block with no
    // allocation per cell, the row's number formatted once per row.
    if (!folha.enviar()) return false;
    std::vector<char> bloco(kBlocoFolha + 256);
    char *const inicio = bloco.data();
    char *const cheio = inicio + kBlocoFolha;
    char *p = inicio;
    auto poe = [&p](const char *t, size_t n) {
        std::memcpy(p, t, n);
        p += n;
    };
    auto literal = [&poe](const auto &texto) { poe(texto, sizeof texto - 1); };
    char linhaTexto[16];
    size_t linhaTamanho = 0;
    quint32 linha = 0;
    for (size_t k = 0; k < Qde(); ++k) {
        const Celula &c = Na(k);
        if (vazia(c)) continue;
        if (c.Linha != linha) {
            if (linha) literal("</row>");
            linha = c.Linha;
            linhaTamanho = size_t(std::to_chars(linhaTexto, linhaTexto + 16, linha).ptr - linhaTexto);
            literal("<row r=\"");
            poe(linhaTexto, linhaTamanho);
            literal("\">");
        }
        literal("<c r=\"");
        const Letras &col = nomesColunas[c.Coluna];
        std::memcpy(p, col.texto, sizeof col.texto);
        p += col.tamanho;
        std::memcpy(p, linhaTexto, sizeof linhaTexto);
        p += linhaTamanho;
        if (c.EhTexto) {
            literal("\" t=\"s\"><v>");
            p = std::to_chars(p, p + 16, c.Texto).ptr;
        } else if (std::isfinite(c.Numero)) {
            literal("\"><v>");
            // Whole numbers (most of them) take the integer path; others the
            // shortest text that reads back as the same number.
            const double v = c.Numero;
            if (v == std::trunc(v) && std::fabs(v) < 1e15 && !(v == 0 && std::signbit(v)))
                p = std::to_chars(p, p + 24, static_cast<qint64>(v)).ptr;
            else
                p = std::to_chars(p, p + 32, v).ptr;
        } else {
            literal("\" t=\"e\"><v>#NUM!");
        }
        literal("</v></c>");
        if (p >= cheio) {
            if (!pacote.Escrever(inicio, size_t(p - inicio))) return false;
            p = inicio;
        }
    }
    if (linha) literal("</row>");
    if (!pacote.Escrever(inicio, size_t(p - inicio))) return false;
    x.clear();
    x += "</sheetData>";
    x += "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" "
         "header=\"0.3\" footer=\"0.3\"/></worksheet>";
    return folha.enviar();
}
