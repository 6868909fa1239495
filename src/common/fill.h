#pragma once

#include "db/sql.h"

#include <optional>

// The house rule for list fills: a fill that failed says so once with the connection message
// and keeps the rows it read; an empty result is not a failure.
namespace common {

// Shows the connection message when the fill failed (and logs the server's reason); true then.
bool reportFillFailure(const std::optional<db::Error> &failure);

} // namespace common
