#pragma once

// Double-clicks an item of a folder tree (a QTreeView over a
// QFileSystemModel) where it is drawn, once the model has read its folder.

#include <QFileSystemModel>
#include <QTest>
#include <QTreeView>

namespace ArvoreArquivos {

inline bool duploClique(QTreeView *arvore, const QString &caminho) {
    auto *modelo = qobject_cast<QFileSystemModel *>(arvore->model());
    if (!modelo) return false;
    QModelIndex i;
    QRect r;
    // The model fills itself in the background, and again after a change of
    // its filter.
    for (int n = 0; n < 100; ++n) {
        i = modelo->index(caminho);
        if (i.isValid()) {
            arvore->scrollTo(i);
            r = arvore->visualRect(i);
            if (r.isValid()) break;
        }
        QTest::qWait(20);
    }
    if (!r.isValid()) return false;
    QTest::mouseClick(arvore->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(arvore->viewport(), Qt::LeftButton, {}, r.center());
    return true;
}

// True when the tree lists the item among its folder's children (after
// waiting for the model to read that folder).
inline bool mostra(QTreeView *arvore, const QString &caminho) {
    auto *modelo = qobject_cast<QFileSystemModel *>(arvore->model());
    const QFileInfo info(caminho);
    const QModelIndex pai = modelo->index(info.absolutePath());
    arvore->expand(pai);
    for (int n = 0; n < 25; ++n) {
        if (modelo->canFetchMore(pai)) modelo->fetchMore(pai);
        for (int r = 0; r < modelo->rowCount(pai); ++r)
            if (modelo->fileName(modelo->index(r, 0, pai)) == info.fileName()) return true;
        QTest::qWait(20);
    }
    return false;
}

} // namespace ArvoreArquivos
