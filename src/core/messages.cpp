#include "messages.h"

#include "program.h"

#include <QApplication>
#include <QMessageBox>

namespace msg {
namespace {

Handler &handler() {
    static Handler h;
    return h;
}

Answer showBox(Icon icon, const QString &title, const QString &text, Buttons buttons) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
}

} // namespace

Answer show(Icon icon, const QString &title, const QString &text, Buttons buttons) {
    if (handler())
        return handler()(icon, title, text, buttons);
    return showBox(icon, title, text, buttons);
}

void exclamation(const QString &text) {
    show(Icon::Exclamation, core::appTitle(), text);
}

void exclamation(const QString &text, const QString &title) {
    show(Icon::Exclamation, title, text);
}

void information(const QString &text) {
    show(Icon::Information, core::appTitle(), text);
}

void critical(const QString &text, const QString &title) {
    show(Icon::Critical, title, text);
}

bool askYesNo(const QString &text, const QString &title) {
    return show(Icon::Question, title, text, Buttons::YesNo) == Answer::Yes;
}

bool askOkCancel(const QString &text, const QString &title) {
    return show(Icon::Question, title, text, Buttons::OkCancel) == Answer::Ok;
}

void setHandler(Handler h) {
    handler() = std::move(h);
}

} // namespace msg
