#include "app/loginlookup.h"

#include "core/session.h"
#include "db/reader.h"
#include "db/storedtext.h"

namespace app {

QString loginLookupSql() {
    const db::StoredTexts &texts = db::storedTexts();
    return db::DecodeStoredText(texts.lookup1) + QStringLiteral(" ? ") +
           db::DecodeStoredText(texts.lookup2) + QStringLiteral(" ? ") +
           db::DecodeStoredText(texts.lookup3);
}

bool lookUpLogin(const QString &user, const QString &password, const QSqlDatabase &conn,
                 core::CurrentUserRecord &record) {
    db::Reader r(loginLookupSql(), {user, password}, conn);
    const bool found = r.next();
    r.throwIfFailed();
    if (!found)
        return false;
    auto cell = [&r](const char *name) -> QVariant {
        const int col = r.column(QString::fromLatin1(name));
        return r.isNull(col) ? QVariant() : QVariant(r.text(col));
    };
    record.id = cell("user_id").toString();
    record.name = cell("user_nama");
    record.alias = cell("user_alias");
    record.group = cell("user_group");
    record.kind = cell("user_jenis");
    record.kindText = record.kind.toString();
    record.cluster = cell("user_cluster");
    record.office = cell("user_bpr");
    record.accessKind = cell("group_akses").toString();
    return true;
}

} // namespace app
