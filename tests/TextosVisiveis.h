#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QWidget>

// Every text a user can see in a window: the caption, labels, buttons,
// group titles, hints, placeholders, status bar panels and every menu item
// down through the submenus. Hidden widgets and other windows are left out.
namespace TextosVisiveis {

struct Texto {
    QString onde;
    QString texto;
};

inline void menu(const QList<QAction *> &acoes, const QString &onde, QList<Texto> &textos) {
    for (QAction *a : acoes) {
        if (a->isSeparator() || !a->isVisible()) continue;
        const QString aqui = onde + QStringLiteral(" > ") + a->text();
        textos.append({aqui, a->text()});
        if (a->menu()) menu(a->menu()->actions(), aqui, textos);
    }
}

inline QList<Texto> De(QWidget *janela) {
    QList<Texto> textos{{janela->objectName() + QStringLiteral(" caption"), janela->windowTitle()}};
    QList<QWidget *> widgets = janela->findChildren<QWidget *>();
    widgets.prepend(janela);
    for (QWidget *w : widgets) {
        if (w != janela && (w->isWindow() || !w->isVisibleTo(janela))) continue;
        const QString onde = w->objectName().isEmpty()
                                 ? QString::fromLatin1(w->metaObject()->className())
                                 : w->objectName();
        if (auto *l = qobject_cast<QLabel *>(w); l && l->pixmap().isNull())
            textos.append({onde, l->text()});
        if (auto *b = qobject_cast<QAbstractButton *>(w)) textos.append({onde, b->text()});
        if (auto *g = qobject_cast<QGroupBox *>(w); g && !g->title().isEmpty())
            textos.append({onde, g->title()});
        if (auto *e = qobject_cast<QLineEdit *>(w); e && !e->placeholderText().isEmpty())
            textos.append({onde + QStringLiteral(" placeholder"), e->placeholderText()});
        if (!w->toolTip().isEmpty()) textos.append({onde + QStringLiteral(" hint"), w->toolTip()});
        if (auto *m = qobject_cast<QMenuBar *>(w)) menu(m->actions(), onde, textos);
        if (auto *m = qobject_cast<QMenu *>(w)) menu(m->actions(), onde, textos);
    }
    return textos;
}

// Where the window shows "ERRO" (mnemonic marks aside): the texts its
// language file failed to supply.
inline QStringList Erros(QWidget *janela) {
    QStringList erros;
    for (const Texto &t : De(janela))
        if (QString(t.texto).remove(QLatin1Char('&')) == QLatin1String("ERRO")) erros << t.onde;
    return erros;
}

} // namespace TextosVisiveis
