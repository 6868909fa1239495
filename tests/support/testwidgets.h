#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWidget>

// Finding a window's controls by their documented names, as the tests drive windows.
template <typename T> T *child(QWidget *w, const char *name) {
    T *c = w->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qFatal("control %s missing", name);
    return c;
}

template <typename T> T *child(QWidget &w, const char *name) {
    return child<T>(&w, name);
}

inline QLineEdit *box(QWidget *w, const char *name) {
    return child<QLineEdit>(w, name);
}

inline QLineEdit *box(QWidget &w, const char *name) {
    return box(&w, name);
}

// A real mouse click on a button.
inline void click(QWidget *w, const char *button) {
    QTest::mouseClick(child<QPushButton>(w, button), Qt::LeftButton);
}

inline void click(QWidget &w, const char *button) {
    click(&w, button);
}
