#pragma once

// Windows keep their controls to themselves; tests reach them the way a
// user would see them, by their design names (the object names the windows
// give them), and drive them with events.

#include <QObject>
#include <QString>
#include <QtGlobal>

// The control of that type and object name among the window's children;
// a window without it is a broken test, which stops the run.
template <class T> T *Controle(const QObject *janela, const QString &nome) {
    T *controle = janela->findChild<T *>(nome);
    if (!controle)
        qFatal("%s has no %s named %s", qPrintable(janela->objectName()),
               T::staticMetaObject.className(), qPrintable(nome));
    return controle;
}
