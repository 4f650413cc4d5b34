#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

class TInteracao;

// Offers to save the recordings that stopped without their session end: at
// program start for every user, at login for the user logging in. For each
// journal left behind (TRecuperacao) that no live session holds it asks,
// with texts of the language file's section "UnitMain", whether to save
// what was recorded ("rato7, experiment Ansiedade, stopped at 03:12 of 05:00
// on 09/12/2026 at 14:03"); Yes saves it and says where, No keeps the
// journal, which is not asked about again while the program runs (the data
// file manager deletes it). A damaged journal is reported by name, once per
// run, and kept. Pairs of two-start record files left half written are
// finished or undone first.
class TOfertaRecuperacao {
public:
    explicit TOfertaRecuperacao(const QString &diretorioDados) : m_dados(diretorioDados) {}

    // The user folders of every user of the data directory.
    QStringList PastasDeTodos() const;
    // Offers the journals in the experiment folders of the given user
    // folders. Returns how many questions were asked.
    int Oferecer(const QStringList &pastasUsuario, const QString &arquivoIdioma,
                 TInteracao &interacao);

private:
    QString m_dados;
    QSet<QString> m_vistos;
};
