#pragma once

#include "TPlanilha.h"

#include <QHash>
#include <QMap>
#include <QStringList>

#include <deque>
#include <vector>

// The cells of a sheet kept until the save, for the formats that are written
// row after row (.xlsx in its constant-memory mode, the tidy CSV): the
// analyses write their titles last, above rows already written, and the
// square sheets write two rows at a time.
//
// Promises:
// - A cell costs 16 bytes while kept, and 4 more once ordered; equal texts
//   are kept once; the cells are kept in blocks, never copied to grow.
// - Na(0 .. Qde() - 1) gives every cell once, by row, then column; a cell
//   written twice keeps its last value, as in the .xls (whose readers take
//   the last record).
// - A cell outside MaxLinhas x MaxColunas (or below row or column 1) is
//   refused with TErro before anything is kept; texts are whole (no code
//   page, no length cut below the format's own limit).
class TPlanilhaGrade : public TPlanilha {
public:
    struct Celula {
        union {
            double Numero = 0;
            quint32 Texto; // index into Textos() when EhTexto
        };
        quint32 Linha = 0;
        quint16 Coluna = 0;
        bool EhTexto = false;
    };

    void StartSheet() override;
    using TPlanilha::WriteCell;
    void WriteCell(int linha, int coluna, const QString &texto) override;
    void WriteCell(int linha, int coluna, double valor) override;
    void WriteCell(int linha, int coluna, quint16 valor) override;
    void EndSheet() override {}

    void setNomeFolha(const QString &nome) override { m_nomeFolha = nome; }
    void setForma(const TFormaTabela &forma) override { m_forma = forma; }
    void Grupo(int primeiraLinha, const QString &nome) override;

    const QString &NomeFolha() const { return m_nomeFolha; }
    const TFormaTabela &Forma() const { return m_forma; }
    // The group of a row; empty before the first group.
    QString GrupoDaLinha(quint32 linha) const;
    // Orders the cells (once per document; a new cell undoes it).
    void Ordenar();
    // After Ordenar: how many cells, and the k-th by row, then column.
    size_t Qde() const { return m_ordem.size(); }
    const Celula &Na(size_t k) const { return m_celulas[m_ordem[k]]; }
    const QStringList &Textos() const { return m_textos; }
    // Widest value of each column, in characters (index 0 is column 1).
    const std::vector<int> &Larguras() const { return m_larguras; }

    // `nome` with the extension `extensao` (".xlsx"): kept when it has it in
    // any case, put in place of another one, or added.
    static QString ComExtensao(const QString &nome, const QString &extensao);

private:
    Celula &nova(int linha, int coluna);
    void alargar(int coluna, int caracteres);

    std::deque<Celula> m_celulas;
    std::vector<quint32> m_ordem; // indices into m_celulas, once ordered
    bool m_emOrdem = true;        // appended by row, then column, none twice
    bool m_ordenado = false;      // m_ordem is up to date
    quint32 m_maiorLinha = 0;
    QStringList m_textos;
    QHash<QString, quint32> m_indiceTextos;
    std::vector<int> m_larguras;
    QMap<int, QString> m_grupos;
    QString m_nomeFolha;
    TFormaTabela m_forma;
};
