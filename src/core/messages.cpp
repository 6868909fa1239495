#include "core/messages.h"

#include "core/program.h"

#include <cstdio>

namespace msg {
namespace {

Handler &handler() {
    static Handler h;
    return h;
}

} // namespace

Answer show(Icon icon, const QString &title, const QString &text, Buttons buttons) {
    if (handler())
        return handler()(icon, title, text, buttons);
    // No message boxes installed (a tool without a window): say it on stderr and answer as
    // a cautious user would.
    std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    switch (buttons) {
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::OkCancel:
        return Answer::Cancel;
    case Buttons::Ok:
        break;
    }
    return Answer::Ok;
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
