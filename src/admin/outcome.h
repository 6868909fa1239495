#pragma once

#include <functional>
#include <optional>

// Writes whose reply was lost: the program asks the server what was stored before it reports.
namespace admin {

// Opens the session connection anew and runs stored(), which looks the write up by its key
// and its values. nullopt when the server cannot be asked (the outcome stays unknown).
std::optional<bool> resolveLostWrite(const std::function<bool()> &stored);

} // namespace admin
