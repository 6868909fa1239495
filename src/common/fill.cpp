#include "common/fill.h"

#include "core/messages.h"
#include "db/gateway.h"

namespace common {

bool reportFillFailure(const std::optional<db::Error> &failure) {
    if (!failure)
        return false;
    qWarning("list fill failed: %s", qPrintable(failure->text()));
    msg::exclamation(db::kConnectionMessage);
    return true;
}

} // namespace common
