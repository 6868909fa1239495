#pragma once

#include <functional>

namespace core {

// A busy pointer for as long as the object lives. The pointer itself is drawn by the hooks the
// application installs at start-up, so that this layer needs no widgets.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// begin() and end() are called in pairs, nested; empty hooks draw nothing.
void setBusyHooks(std::function<void()> begin, std::function<void()> end);

} // namespace core
