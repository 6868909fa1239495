#include "common/uiseams.h"

#include "common/uirules.h"
#include "core/busy.h"
#include "core/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace common {
namespace {

msg::Answer showBox(msg::Icon icon, const QString &title, const QString &text,
                    msg::Buttons buttons) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    // A closing " ?" after a long code must not wrap onto a line of its own.
    QString shown = text;
    if (shown.endsWith(QLatin1String(" ?")))
        shown[shown.size() - 2] = QChar::Nbsp;
    box.setText(shown);
    switch (icon) {
    case msg::Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case msg::Icon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case msg::Icon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case msg::Icon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (buttons) {
    case msg::Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case msg::Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    case msg::Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    }
    // The toolkit's own captions are English; where the workstation reads Indonesian so do they.
    const std::pair<QMessageBox::StandardButton, BoxButton> captions[] = {
        {QMessageBox::Yes, BoxButton::Yes},
        {QMessageBox::No, BoxButton::No},
        {QMessageBox::Ok, BoxButton::Ok},
        {QMessageBox::Cancel, BoxButton::Cancel}};
    for (const auto &[standard, which] : captions) {
        QAbstractButton *b = box.button(standard);
        const QString caption = boxButtonText(which);
        if (b && !caption.isEmpty())
            b->setText(caption);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return msg::Answer::Yes;
    case QMessageBox::No:
        return msg::Answer::No;
    case QMessageBox::Cancel:
        return msg::Answer::Cancel;
    default:
        return buttons == msg::Buttons::YesNo ? msg::Answer::No : msg::Answer::Ok;
    }
}

} // namespace

void installUiSeams() {
    installUiRules();
    msg::setHandler(showBox);
    core::setBusyHooks([] { QGuiApplication::setOverrideCursor(Qt::BusyCursor); },
                       [] { QGuiApplication::restoreOverrideCursor(); });
}

} // namespace common
