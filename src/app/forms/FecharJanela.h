#pragma once

#include <QMdiSubWindow>
#include <QWidget>

// Closes a window, through its frame when it is a child window of the main
// window (the frame would otherwise stay behind, empty). False when the
// window refused to close.
inline bool FecharJanela(QWidget *janela) {
    if (!janela) return true;
    auto *sub = qobject_cast<QMdiSubWindow *>(janela->parentWidget());
    return sub ? sub->close() : janela->close();
}
