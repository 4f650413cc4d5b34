#include "TVisualizacao.h"

#include "core/Arquivos.h"
#include "core/Cp1252.h"
#include "core/TErro.h"
#include "core/TInteracao.h"

#include <QDir>
#include <QFileInfo>

#include <array>
#include <limits>

const QString TVisualizacao::PerguntaSobrescrever =
    QStringLiteral("Já existe um arquivo com esse nome. Você gostaria de sobrescrever o arquivo "
                   "existente?");
const QString TVisualizacao::MensagemSalva = QStringLiteral("Planilha Salva!");

namespace {

const char *const kTitulos[TVisualizacao::Colunas] = {
    "Posição", "Comportamento", "Início", "Fim", "Duração", "Minuto", "Frequência"};

QString nomeParaMensagem(const QString &caminho) {
    return QDir::toNativeSeparators(caminho);
}

// A whole number in decimal: an optional sign and digits only, within 32
// bits. Blanks, a decimal part, an exponent or a hexadecimal prefix make it
// something else, which the export must not guess at.
bool inteiro(const QString &texto, qint64 *valor) {
    qsizetype i = 0;
    bool negativo = false;
    if (i < texto.size() && (texto[i] == QLatin1Char('-') || texto[i] == QLatin1Char('+'))) {
        negativo = texto[i] == QLatin1Char('-');
        ++i;
    }
    if (i == texto.size()) return false;
    qint64 v = 0;
    for (; i < texto.size(); ++i) {
        const char16_t c = texto[i].unicode();
        if (c < u'0' || c > u'9') return false;
        v = v * 10 + (c - u'0');
        if (v > qint64(std::numeric_limits<qint32>::max()) + 1) return false;
    }
    if (negativo) v = -v;
    if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
        return false;
    *valor = v;
    return true;
}

// The picked name without a trailing ".xls" or ".XLS" (exact case); the
// writer's rule then adds ".XLS".
QString semXls(const QString &escolhido) {
    if (escolhido.endsWith(QLatin1String(".XLS")) || escolhido.endsWith(QLatin1String(".xls")))
        return escolhido.chopped(4);
    return escolhido;
}

// The numbers of one row, converted before anything is written.
struct TNumeros {
    double inicio = 0, fim = 0, duracao = 0;
    quint16 minuto = 0, frequencia = 0;
};

} // namespace

// ---------------------------------------------------------------- loading

void TVisualizacao::Limpar() {
    m_arquivo.clear();
    m_erroLeitura.clear();
    m_carregado = false;
    m_qdeLinhas = 0;
    m_cabecalho.clear();
    m_linhas.clear();
}

void TVisualizacao::CarregarDados(const QString &caminho) {
    // As the window does: the table is emptied and the path kept before the
    // file is opened, so a failed load leaves an empty table whose export
    // reports the same failure.
    Limpar();
    m_arquivo = caminho;
    QByteArray bytes;
    try {
        bytes = Arquivos::lerOuFalhar(caminho, Arquivos::TamanhoMaximoRegistro);
    } catch (const TErro &e) {
        m_erroLeitura = e.mensagem();
        throw;
    }
    const QList<QByteArray> linhas = Arquivos::dividirLinhas(bytes);

    m_qdeLinhas = static_cast<int>(qMin<qsizetype>(linhas.size(), std::numeric_limits<int>::max()));
    for (qsizetype i = 0; i < linhas.size() && i < LinhasCabecalho; ++i)
        m_cabecalho.append(Cp1252::decodificar(linhas[i]));

    // Lines 2 to 10 are not rows; every line after them is one, an empty
    // line an empty row.
    for (qsizetype i = PrimeiraLinhaDados - 1; i < linhas.size(); ++i) {
        TLinhaVisualizada r;
        r.linha = static_cast<int>(i + 1);
        QString resto = Cp1252::decodificar(linhas[i]);
        // The caption, then five sub-items, each the text before the next
        // tab, removed with it; where no tab is left the field is empty and
        // the rest stays for the last column.
        QString *const campos[6] = {&r.Posicao, &r.Comportamento, &r.Inicio,
                                    &r.Fim,     &r.Duracao,       &r.Minuto};
        for (QString *campo : campos) {
            const qsizetype tab = resto.indexOf(QLatin1Char('\t'));
            if (tab < 0) continue;
            *campo = resto.left(tab);
            resto.remove(0, tab + 1);
        }
        r.Frequencia = resto;
        m_linhas.append(std::move(r));
    }
    m_carregado = true;
}

QString TVisualizacao::Titulo() const {
    return m_cabecalho.isEmpty() ? QString() : m_cabecalho.first();
}

// ---------------------------------------------------------------- names

QString TVisualizacao::NomeProposto(const QString &nomeArquivo) {
    const qsizetype barra = nomeArquivo.lastIndexOf(QLatin1Char('/'));
    const qsizetype ponto = nomeArquivo.lastIndexOf(QLatin1Char('.'));
    const QString base = ponto > barra + 1 ? nomeArquivo.left(ponto) : nomeArquivo;
    return base + QStringLiteral(".xls");
}

QString TVisualizacao::NomeExportacao(const QString &escolhido) {
    return TPlanilhaXLS::NomeFinal(semXls(escolhido));
}

QString TVisualizacao::NomeExportacao(const QString &escolhido, const TPlanilha &planilha) {
    if (planilha.formato() == TPlanilha::Xls) return NomeExportacao(escolhido);
    return planilha.NomeArquivo(escolhido);
}

// ---------------------------------------------------------------- export

void TVisualizacao::MontarPlanilha(TPlanilha &planilha) const {
    const QString nome = nomeParaMensagem(m_arquivo);
    if (!m_carregado)
        throw TErro(m_erroLeitura.isEmpty() ? QStringLiteral("No record file is loaded.")
                                            : m_erroLeitura);
    // Without its column-title line the file is no record: its header rows
    // would be exported as a record's.
    if (m_qdeLinhas < LinhasCabecalho + 1)
        throw TErro(
            QStringLiteral("%1 is not a complete record file: it ends at line %2, "
                           "before the column titles of line %3. Nothing was exported.")
                .arg(nome, QString::number(m_qdeLinhas), QString::number(LinhasCabecalho + 1)));
    const qint64 maxLinhas = planilha.MaxLinhas() - LinhasAntesDosDados;
    if (m_linhas.size() > maxLinhas)
        throw TErro(QStringLiteral("%1 has %2 rows; one sheet holds at most %3 below its header "
                                   "(row %4 is its last). Nothing was exported.")
                        .arg(nome, QString::number(m_linhas.size()), QString::number(maxLinhas),
                             QString::number(planilha.MaxLinhas())));

    // Every number first: a bad field further down must not leave a sheet
    // that looks complete.
    std::vector<TNumeros> numeros(static_cast<size_t>(m_linhas.size()));
    for (qsizetype k = 0; k < m_linhas.size(); ++k) {
        const TLinhaVisualizada &r = m_linhas[k];
        // One arg() call for all values: a file name or a field holding "%2"
        // must not be taken for a placeholder.
        auto invalido = [&](int coluna, const QString &valor, const QString &motivo) {
            return TErro(QStringLiteral("Cannot export %1: line %2, column \"%3\": %4. "
                                        "Nothing was exported.")
                             .arg(nome, QString::number(r.linha),
                                  QString::fromUtf8(kTitulos[coluna]), motivo.arg(valor)));
        };
        const QString naoInteiro = QStringLiteral("'%1' is not a valid integer value");
        const std::array<const QString *, 3> tempos{&r.Inicio, &r.Fim, &r.Duracao};
        double *const destino[3] = {&numeros[k].inicio, &numeros[k].fim, &numeros[k].duracao};
        for (int i = 0; i < 3; ++i) {
            qint64 v = 0;
            if (!inteiro(*tempos[i], &v)) throw invalido(2 + i, *tempos[i], naoInteiro);
            *destino[i] = static_cast<double>(v);
        }
        // Integer cells hold 0 to 65535: anything else would come out as a
        // different number.
        const std::array<const QString *, 2> palavras{&r.Minuto, &r.Frequencia};
        quint16 *const destinoPalavra[2] = {&numeros[k].minuto, &numeros[k].frequencia};
        for (int i = 0; i < 2; ++i) {
            qint64 v = 0;
            if (!inteiro(*palavras[i], &v)) throw invalido(5 + i, *palavras[i], naoInteiro);
            if (v < 0 || v > 65535)
                throw invalido(5 + i, *palavras[i],
                               QStringLiteral("'%1' is not a whole number from 0 to 65535"));
            *destinoPalavra[i] = static_cast<quint16>(v);
        }
    }

    planilha.StartSheet();
    planilha.setNomeFolha(QFileInfo(m_arquivo).completeBaseName());
    TFormaTabela forma;
    forma.Disposicao = TFormaTabela::Eventos;
    forma.LinhasTitulo = LinhasAntesDosDados;
    forma.NomesColunas = QStringList{QStringLiteral("square"),      QStringLiteral("behaviour"),
                                     QStringLiteral("start_ms"),    QStringLiteral("end_ms"),
                                     QStringLiteral("duration_ms"), QStringLiteral("minute"),
                                     QStringLiteral("frequency")};
    planilha.setForma(forma);
    planilha.WriteCell(1, 1, Titulo());
    // Header lines 2 to 9: label before the first tab, value after it.
    for (int i = 2; i <= LinhasCabecalho; ++i) {
        const QString &linha = m_cabecalho[i - 1];
        const qsizetype tab = linha.indexOf(QLatin1Char('\t'));
        planilha.WriteCell(i, 1, tab < 0 ? QString() : linha.left(tab));
        planilha.WriteCell(i, 2, tab < 0 ? linha : linha.mid(tab + 1));
    }
    for (int c = 0; c < Colunas; ++c)
        planilha.WriteCell(LinhasAntesDosDados, c + 1, kTitulos[c]);
    for (qsizetype k = 0; k < m_linhas.size(); ++k) {
        const TLinhaVisualizada &r = m_linhas[k];
        const TNumeros &n = numeros[static_cast<size_t>(k)];
        const int linha = LinhasAntesDosDados + 1 + static_cast<int>(k);
        planilha.WriteCell(linha, 1, r.Posicao);
        planilha.WriteCell(linha, 2, r.Comportamento);
        planilha.WriteCell(linha, 3, n.inicio);
        planilha.WriteCell(linha, 4, n.fim);
        planilha.WriteCell(linha, 5, n.duracao);
        planilha.WriteCell(linha, 6, n.minuto);
        planilha.WriteCell(linha, 7, n.frequencia);
    }
    planilha.EndSheet();
}

TVisualizacao::Resultado TVisualizacao::Exportar(const QString &escolhido, TPlanilha &planilha,
                                                 TInteracao &interacao,
                                                 TPlanilha::OpcoesGravacao opcoes,
                                                 QString *arquivoFinal) const {
    planilha.setFileName(planilha.formato() == TPlanilha::Xls ? semXls(escolhido) : escolhido);
    const QString final = planilha.FileName();
    if (arquivoFinal) *arquivoFinal = final;

    try {
        MontarPlanilha(planilha);
    } catch (const TErro &e) {
        interacao.Mensagem(e.mensagem());
        return Falhou;
    }

    // A folder of that name is no file to replace: the save reports it.
    const QFileInfo alvo(final);
    // Without a question nothing is replaced, not even a file that appears
    // before the save.
    if (!final.isEmpty() && (alvo.exists() || alvo.isSymLink()) && !alvo.isDir()) {
        if (!interacao.Confirmar(PerguntaSobrescrever)) return NaoSubstituida;
        opcoes |= TPlanilha::GravSubstituir;
    } else {
        opcoes |= TPlanilha::GravNovo;
    }
    try {
        planilha.SaveSheet(opcoes);
    } catch (const TErro &e) {
        interacao.Mensagem(e.mensagem());
        return Falhou;
    }
    interacao.Mensagem(MensagemSalva);
    return Salva;
}
