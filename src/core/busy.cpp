#include "core/busy.h"

namespace core {
namespace {

struct Hooks {
    std::function<void()> begin;
    std::function<void()> end;
};

Hooks &hooks() {
    static Hooks h;
    return h;
}

} // namespace

BusyCursor::BusyCursor() {
    if (hooks().begin)
        hooks().begin();
}

BusyCursor::~BusyCursor() {
    if (hooks().end)
        hooks().end();
}

void setBusyHooks(std::function<void()> begin, std::function<void()> end) {
    hooks() = {std::move(begin), std::move(end)};
}

} // namespace core
