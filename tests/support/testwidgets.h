#pragma once

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

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

// When the next modal dialog opens, hands it to check and then closes it (unless check did).
inline void onNextModal(std::function<void(QDialog *)> check) {
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, check] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        check(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    timer->start();
}

// Runs action and reports the class of the modal window it opened (closing it), or "".
inline QString modalOpenedBy(const std::function<void()> &action) {
    QString name;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w)
            return;
        name = QString::fromLatin1(w->metaObject()->className());
        poll.stop();
        if (auto *d = qobject_cast<QDialog *>(w))
            d->reject();
        else
            w->close();
    });
    poll.start();
    action();
    poll.stop();
    return name;
}
