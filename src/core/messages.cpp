#include "core/messages.h"

#include "core/program.h"

#include <QElapsedTimer>
#include <QHash>

#include <cstdio>

namespace msg {
namespace {

Handler &handler() {
    static Handler h;
    return h;
}

} // namespace

namespace {

struct Shown {
    int open = 0;
    QHash<QString, qint64> lastAt; // monotonic ms, when the box closed
    QElapsedTimer clock;
};

Shown &shown() {
    static Shown s = [] {
        Shown init;
        init.clock.start();
        return init;
    }();
    return s;
}

} // namespace

int openCount() {
    return shown().open;
}

bool shownWithin(const QString &text, qint64 ms) {
    const auto it = shown().lastAt.constFind(text);
    return it != shown().lastAt.constEnd() && shown().clock.elapsed() - *it <= ms;
}

Answer show(Icon icon, const QString &title, const QString &text, Buttons buttons) {
    Shown &s = shown();
    s.lastAt.insert(text, s.clock.elapsed());
    ++s.open;
    struct Closed {
        Shown &s;
        const QString &text;
        ~Closed() {
            --s.open;
            s.lastAt.insert(text, s.clock.elapsed());
        }
    } closed{s, text};
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
