#include "TPlanilhaCSV.h"

#include <QFile>
#include <QHash>
#include <QLocale>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

const char *const TPlanilhaCSV::CabecalhoValores =
    "group,position,record,region,behaviour,minute,measure,value";

QByteArray TPlanilhaCSV::Campo(const QString &texto) {
    QByteArray b = texto.toUtf8();
    if (b.contains(',') || b.contains('"') || b.contains('\n') || b.contains('\r')) {
        b.replace("\"", "\"\"");
        b.prepend('"');
        b.append('"');
    }
    return b;
}

QByteArray TPlanilhaCSV::Numero(double valor) {
    // Whole numbers (counts, milliseconds) in plain digits, never "3e+05";
    // others in the shortest text that reads back as the same double. Never
    // a locale's decimal comma.
    if (std::fabs(valor) < 1e15 && valor == std::trunc(valor))
        return QByteArray::number(static_cast<qint64>(valor));
    return QByteArray::number(valor, 'g', QLocale::FloatingPointShortest);
}

namespace {

// "MIN: 3" -> "3"; any other text as it is.
QString minuto(const QString &t) {
    return t.startsWith(QLatin1String("MIN: ")) ? t.mid(5) : t;
}

} // namespace

bool TPlanilhaCSV::produzir(const std::function<bool(const QByteArray &)> &saida) {
    Ordenar();
    struct {
        const TPlanilhaGrade &g;
        size_t size() const { return g.Qde(); }
        const Celula &operator[](size_t k) const { return g.Na(k); }
    } celulas{*this};
    const QStringList &textos = Textos();
    const TFormaTabela &f = Forma();
    auto texto = [&textos](const Celula &c) {
        return c.EhTexto ? textos[c.Texto] : QString::fromLatin1(Numero(c.Numero));
    };
    const quint32 titulos = static_cast<quint32>(std::max(0, f.LinhasTitulo));
    size_t i = 0;
    // The title rows: what each column says in each of them.
    QHash<quint32, QHash<int, QString>> titulo; // row -> column -> text
    for (; i < celulas.size() && celulas[i].Linha <= titulos; ++i)
        titulo[celulas[i].Linha].insert(celulas[i].Coluna, texto(celulas[i]));
    auto tituloDe = [&titulo](int linha, int coluna) {
        return linha > 0 ? titulo.value(static_cast<quint32>(linha)).value(coluna) : QString();
    };

    QByteArray buf;
    buf.reserve(1 << 16);
    auto enviar = [&buf, &saida](bool tudo) {
        if (!tudo && buf.size() < (1 << 16)) return true;
        const bool ok = saida(buf);
        buf.clear();
        return ok;
    };

    if (f.Disposicao == TFormaTabela::Eventos) {
        buf += "record";
        for (const QString &n : f.NomesColunas)
            buf += ',' + Campo(n);
        buf += '\n';
        const QByteArray registro = Campo(NomeFolha());
        while (i < celulas.size()) {
            const quint32 linha = celulas[i].Linha;
            buf += registro;
            int coluna = 1;
            for (; i < celulas.size() && celulas[i].Linha == linha; ++i) {
                const Celula &c = celulas[i];
                // Empty fields for columns the row lacks; nothing past the
                // named ones.
                if (c.Coluna > f.NomesColunas.size()) continue;
                for (; coluna <= c.Coluna; ++coluna)
                    buf += ',';
                buf += c.EhTexto ? Campo(textos[c.Texto]) : Numero(c.Numero);
            }
            for (; coluna <= f.NomesColunas.size(); ++coluna)
                buf += ',';
            buf += '\n';
            if (!enviar(false)) return false;
        }
        return enviar(true);
    }

    // Per value column, the region, behaviour and measure its titles give.
    QHash<int, QByteArray> regiao, comportamento, medida;
    auto doTitulo = [&](QHash<int, QByteArray> &cache, int coluna, auto calcular) {
        auto it = cache.constFind(coluna);
        if (it == cache.cend()) it = cache.insert(coluna, Campo(calcular(coluna)));
        return it.value();
    };
    auto regiaoDe = [&](int coluna) {
        QStringList partes;
        for (int l : f.LinhasRegiao)
            if (const QString t = tituloDe(l, coluna); !t.isEmpty()) partes << t;
        return partes.join(QLatin1Char(' '));
    };

    buf += CabecalhoValores;
    buf += '\n';
    while (i < celulas.size()) {
        const quint32 linha = celulas[i].Linha;
        const size_t inicio = i;
        while (i < celulas.size() && celulas[i].Linha == linha)
            ++i;
        // The keys of the row.
        QByteArray posicao, registro, comp, med, min;
        for (size_t k = inicio; k < i; ++k) {
            const Celula &c = celulas[k];
            if (c.Coluna == f.ColunaPosicao)
                posicao = Campo(texto(c));
            else if (c.Coluna == f.ColunaRegistro)
                registro = Campo(texto(c));
            else if (c.Coluna == f.ColunaComportamento)
                comp = Campo(texto(c));
            else if (c.Coluna == f.ColunaMedida)
                med = Campo(texto(c));
            else if (c.Coluna == f.ColunaMinuto)
                min = Campo(minuto(texto(c)));
        }
        const QByteArray chave = Campo(GrupoDaLinha(linha)) + ',' + posicao + ',' + registro + ',';
        for (size_t k = inicio; k < i; ++k) {
            const Celula &c = celulas[k];
            if (c.Coluna < f.PrimeiraColunaValor || c.EhTexto) continue;
            const int col = c.Coluna;
            buf += chave;
            buf += doTitulo(regiao, col, regiaoDe);
            buf += ',';
            buf += f.ColunaComportamento ? comp : doTitulo(comportamento, col, [&](int k) {
                return tituloDe(f.LinhaComportamento, k);
            });
            buf += ',';
            buf += min;
            buf += ',';
            buf += f.ColunaMedida
                       ? med
                       : doTitulo(medida, col, [&](int k) { return tituloDe(f.LinhaMedida, k); });
            buf += ',';
            buf += Numero(c.Numero);
            buf += '\n';
        }
        if (!enviar(false)) return false;
    }
    return enviar(true);
}

QByteArray TPlanilhaCSV::Texto() {
    QByteArray r;
    produzir([&r](const QByteArray &b) {
        r += b;
        return true;
    });
    return r;
}

void TPlanilhaCSV::SaveSheet(OpcoesGravacao opcoes) {
    conferirGravacao(TGravacao::GravarCom(
        m_nomeArquivo,
        [this](const QString &arquivo) -> QString {
            FILE *f = std::fopen(QFile::encodeName(arquivo).constData(), "wb");
            if (!f) return TResultado::TextoDoSistema(errno);
            int erro = 0;
            const bool ok = produzir([f, &erro](const QByteArray &b) {
                if (std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), f) ==
                    static_cast<size_t>(b.size()))
                    return true;
                erro = errno;
                return false;
            });
            if (std::fclose(f) != 0 && ok) erro = errno;
            if (!ok || erro) return TResultado::TextoDoSistema(erro ? erro : EIO);
            return QString();
        },
        modoDe(opcoes), opcoes.testFlag(GravSomenteLeitura)));
}
