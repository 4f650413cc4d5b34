#include "ComandoExportar.h"

#include "core/TErro.h"
#include "core/TInteracao.h"
#include "data/TPlanilha.h"
#include "data/TVisualizacao.h"

#include <QDir>
#include <QFileInfo>

const char *const UsoComandoExportar = "export --out FILE [--format xls|xlsx|csv] [--force] RECORD";

namespace {

// Answers the overwrite question with --force and keeps the messages, so
// that failures reach the error stream and the viewer's "saved" notice does
// not clutter the output.
class TInteracaoComando : public TInteracao {
public:
    explicit TInteracaoComando(bool substituir) : m_substituir(substituir) {}
    QStringList mensagens;
    void Mensagem(const QString &texto) override { mensagens.append(texto); }
    bool Confirmar(const QString &) override { return m_substituir; }
    void Bipe() override {}

private:
    bool m_substituir;
};

int erroDeUso(QTextStream &err, const QString &motivo) {
    err << "trevalin-cli export: " << motivo << "\n"
        << "usage: trevalin-cli " << UsoComandoExportar << "\n";
    return 1;
}

} // namespace

int ComandoExportar(const QStringList &args, QTextStream &out, QTextStream &err) {
    QString saida, textoFormato;
    QStringList registros;
    bool temSaida = false, temFormato = false, substituir = false, soArquivos = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (soArquivos || !a.startsWith(QLatin1String("--"))) {
            registros.append(a);
        } else if (a == QLatin1String("--")) {
            soArquivos = true;
        } else if (a == QLatin1String("--out")) {
            if (temSaida) return erroDeUso(err, QStringLiteral("--out given twice"));
            if (i + 1 >= args.size()) return erroDeUso(err, QStringLiteral("--out needs a FILE"));
            saida = args[++i];
            temSaida = true;
        } else if (a == QLatin1String("--format")) {
            if (temFormato) return erroDeUso(err, QStringLiteral("--format given twice"));
            if (i + 1 >= args.size())
                return erroDeUso(err, QStringLiteral("--format needs xls, xlsx or csv"));
            textoFormato = args[++i];
            temFormato = true;
        } else if (a == QLatin1String("--force")) {
            substituir = true;
        } else {
            return erroDeUso(err, QStringLiteral("unknown option %1").arg(a));
        }
    }
    if (!temSaida || saida.isEmpty())
        return erroDeUso(err, QStringLiteral("--out FILE is required"));
    if (registros.size() != 1 || registros.first().isEmpty())
        return erroDeUso(err, QStringLiteral("give exactly one RECORD"));
    const QString &registro = registros.first();
    // Without --format the output name's extension says it.
    TPlanilha::Formato formato = TPlanilha::FormatoDoNome(saida);
    if (temFormato && !TPlanilha::FormatoDoTexto(textoFormato, &formato))
        return erroDeUso(
            err, QStringLiteral("unknown --format \"%1\" (xls, xlsx or csv)").arg(textoFormato));
    // A folder is no output file; the name rule would make a hidden ".XLS"
    // inside it.
    if (saida.endsWith(QLatin1Char('/')) || QFileInfo(saida).isDir())
        return erroDeUso(err, QStringLiteral("--out %1 is a folder, not a file")
                                  .arg(QDir::toNativeSeparators(saida)));

    TVisualizacao visualizacao;
    try {
        visualizacao.CarregarDados(registro);
    } catch (const TErro &e) {
        err << "trevalin-cli export: " << e.mensagem() << "\n";
        return 1;
    }
    const std::unique_ptr<TPlanilha> planilha = TPlanilha::Criar(formato);
    TInteracaoComando interacao(substituir);
    QString final;
    // Without --force a file that appears between the check and the save is
    // refused at the save itself; with it, it is replaced like one that was
    // there before.
    TPlanilha::OpcoesGravacao opcoes = TPlanilha::GravSomenteLeitura;
    if (substituir) opcoes |= TPlanilha::GravSubstituir;
    const TVisualizacao::Resultado r =
        visualizacao.Exportar(saida, *planilha, interacao, opcoes, &final);
    switch (r) {
    case TVisualizacao::Salva:
        out << QDir::toNativeSeparators(final) << "\n";
        return 0;
    case TVisualizacao::NaoSubstituida:
        err << "trevalin-cli export: " << QDir::toNativeSeparators(final)
            << " exists and was left untouched (give --force to replace it)\n";
        return 1;
    case TVisualizacao::Falhou:
        break;
    }
    for (const QString &m : interacao.mensagens)
        err << "trevalin-cli export: " << m << "\n";
    return 1;
}
