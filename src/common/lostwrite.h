#pragma once

#include <functional>
#include <optional>

// Writes whose reply was lost: the program asks the server what was stored before it reports,
// so a retry can never record the same thing twice.
namespace common {

// Opens the session connection anew (quietly) and runs stored(), which looks the write up by
// its key and its values. nullopt when the server cannot be asked: the outcome stays unknown.
std::optional<bool> resolveLostWrite(const std::function<bool()> &stored);

} // namespace common
