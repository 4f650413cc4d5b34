#include "TPlanilhaXLSX.h"

#include <QFile>
#include <QFileInfo>

#include <xlsxwriter.h>

#include <algorithm>
#include <vector>

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
    // Each text once in UTF-8, cut at the format's limit.
    std::vector<QByteArray> textos;
    textos.reserve(static_cast<size_t>(Textos().size()));
    for (const QString &t : Textos())
        textos.push_back((t.size() > MaxTexto ? t.left(MaxTexto) : t).toUtf8());

    const QByteArray nome = QFile::encodeName(arquivo);
    // The library's scratch files beside the output, not in a shared /tmp
    // that may be small.
    const QByteArray pasta = QFile::encodeName(QFileInfo(arquivo).absolutePath());
    lxw_workbook_options o{};
    o.constant_memory = LXW_TRUE;
    o.tmpdir = const_cast<char *>(pasta.constData());
    lxw_workbook *livro = workbook_new_opt(nome.constData(), &o);
    if (!livro) return QStringLiteral("the workbook cannot be created");
    const QByteArray nomeFolha = NomeDeFolha(NomeFolha()).toUtf8();
    lxw_worksheet *folha = workbook_add_worksheet(livro, nomeFolha.constData());
    if (!folha) {
        workbook_close(livro);
        return QStringLiteral("the worksheet cannot be created");
    }

    const std::vector<int> &larguras = Larguras();
    for (size_t c = 0; c < larguras.size(); ++c)
        if (larguras[c] > 0)
            worksheet_set_column(folha, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                 std::min(larguras[c], LarguraMaxima) + 1.5, nullptr);
    if (Forma().LinhasTitulo > 0)
        worksheet_freeze_panes(folha, static_cast<lxw_row_t>(Forma().LinhasTitulo), 0);

    lxw_error erro = LXW_NO_ERROR;
    for (size_t k = 0; k < Qde(); ++k) {
        const Celula &c = Na(k);
        const lxw_row_t l = c.Linha - 1;
        const lxw_col_t col = static_cast<lxw_col_t>(c.Coluna - 1);
        erro = c.EhTexto
                   ? worksheet_write_string(folha, l, col, textos[c.Texto].constData(), nullptr)
                   : worksheet_write_number(folha, l, col, c.Numero, nullptr);
        if (erro != LXW_NO_ERROR) break;
    }
    const lxw_error fim = workbook_close(livro);
    if (erro == LXW_NO_ERROR) erro = fim;
    return erro == LXW_NO_ERROR ? QString() : QString::fromUtf8(lxw_strerror(erro));
}
