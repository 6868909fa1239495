#include "common/lostwrite.h"

#include "db/gateway.h"
#include "db/sql.h"

namespace common {

std::optional<bool> resolveLostWrite(const std::function<bool()> &stored) {
    QSqlDatabase conn = db::sessionConnection();
    if (!conn.isValid())
        return std::nullopt;
    // A broken link stays broken for the driver: the lookup needs a fresh one.
    conn.close();
    db::resetTransactionState(conn.connectionName());
    if (!conn.open())
        return std::nullopt;
    try {
        return stored();
    } catch (const db::Error &) {
        return std::nullopt;
    }
}

} // namespace common
