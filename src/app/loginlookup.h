#pragma once

#include <QSqlDatabase>
#include <QString>

namespace core {
struct CurrentUserRecord;
}

// The login lookup: the installation's statement with the user name and password bound.
namespace app {

// The three stored pieces joined around two placeholders.
QString loginLookupSql();

// Looks the account up; when found, fills the user's part of the record (id, name, alias,
// group, kind, cluster, office, access kind) and returns true. Throws db::Error.
bool lookUpLogin(const QString &user, const QString &password, const QSqlDatabase &conn,
                 core::CurrentUserRecord &record);

} // namespace app
