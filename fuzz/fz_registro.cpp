// Feeds arbitrary bytes as a record file to the two readers: the analyses'
// (TDados: read, then order by start) and the viewer's (TVisualizacao: load,
// then build the export sheet). Nothing may crash; a file is either refused
// with TErro or read whole, and then:
// - the ordered rows ascend by start, and for small files the fast order is
//   the literal exchange sort's;
// - both readers cut every row into the same seven fields, and the names
//   the analyses' reader keeps are the viewer's square and behaviour;
// - a record the analyses' check (Conferir) takes has rows a recorder
//   could have written;
// - a sheet that was built is a complete document, of a file the analyses'
//   reader takes too.
#include "analysis/TDados.h"
#include "core/TErro.h"
#include "data/TPlanilhaXLS.h"
#include "data/TVisualizacao.h"

#include <QFile>

#include <QString>
#include <cmath>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const QString caminho =
        QStringLiteral("/tmp/fz_registro_%1.tvl").arg(static_cast<qlonglong>(getpid()));
    {
        QFile f(caminho);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
        f.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }

    TDados dados;
    bool dadosLidos = false;
    try {
        dados.LerArquivo(caminho);
        dadosLidos = true;
    } catch (const TErro &) {
    }

    TVisualizacao visualizacao;
    try {
        visualizacao.CarregarDados(caminho);
    } catch (const TErro &) {
        __builtin_trap(); // the file exists and is readable
    }

    if (dadosLidos) {
        const std::vector<TLinhaRegistro> &a = dados.Registros();
        const QList<TLinhaVisualizada> &b = visualizacao.Linhas();
        if (qsizetype(a.size()) != b.size()) __builtin_trap();
        for (qsizetype i = 0; i < b.size(); ++i) {
            const TCamposRegistro t = dados.Campos(a[size_t(i)]);
            if (t.Posicao != b[i].Posicao || t.Comportamento != b[i].Comportamento ||
                t.Inicio != b[i].Inicio || t.Fim != b[i].Fim || t.Duracao != b[i].Duracao ||
                t.Minuto != b[i].Minuto || t.Frequencia != b[i].Frequencia ||
                a[size_t(i)].linha != b[i].linha ||
                dados.Nome(a[size_t(i)].posicao) != b[i].Posicao ||
                dados.Nome(a[size_t(i)].comportamento) != b[i].Comportamento)
                __builtin_trap();
        }

        // The analyses' check either refuses the record or leaves rows a
        // recorder could have written.
        try {
            dados.Conferir();
            for (const TLinhaRegistro &r : a)
                if ((r.frequencia != 0 && r.frequencia != 1) || !(r.fim >= 0) ||
                    std::fabs(r.duracao - (r.fim - r.inicio)) > 1.0)
                    __builtin_trap();
        } catch (const TErro &) {
        }

        std::vector<double> inicios;
        for (const TLinhaRegistro &r : a)
            inicios.push_back(r.inicio);
        if (inicios.size() <= 300 &&
            TDados::OrdemDeTroca(inicios) != TDados::OrdemDeTrocaLiteral(inicios))
            __builtin_trap();
        dados.OrdenarPorInicio();
        const std::vector<TLinhaRegistro> &o = dados.Registros();
        if (qsizetype(o.size()) != b.size()) __builtin_trap();
        for (size_t i = 1; i < o.size(); ++i)
            if (o[i].inicio < o[i - 1].inicio) __builtin_trap();
        // The rows themselves in the exchange sort's order (the reader's
        // shortcut for distinct starts included).
        if (inicios.size() <= 300) {
            const std::vector<int> literal = TDados::OrdemDeTrocaLiteral(inicios);
            for (size_t k = 0; k < o.size(); ++k)
                if (o[k].linha != b[literal[k]].linha) __builtin_trap();
        }
    }

    TPlanilhaXLS planilha;
    try {
        visualizacao.MontarPlanilha(planilha);
        if (!planilha.Conteudo().endsWith(QByteArray::fromHex("0A000000"))) __builtin_trap();
        // Every time, minute and frequency the export took is a whole number,
        // so the analyses' reader must have taken the file too.
        if (!dadosLidos) __builtin_trap();
    } catch (const TErro &) {
    }
    return 0;
}
