#include "app/menutree.h"

#include "db/reader.h"

#include "common/itemfield.h"

namespace app {

QList<MenuEntry> buildMenuTree(const QList<MenuRow> &rows) {
    QList<MenuEntry> out;
    QString topKey;
    QString secondKey;
    const QString dot = QStringLiteral(".");
    for (const MenuRow &row : rows) {
        const QString label = common::properCase(row.label);
        const QString field2 = common::GetItemField(label, dot, 2);
        switch (row.code.size()) {
        case 4:
            out.append({QString(), row.code, MenuEntry::Kind::Item, field2});
            topKey = row.code;
            break;
        case 6:
        case 8: {
            const QString parent = row.code.size() == 6 ? topKey : secondKey;
            if (row.code.size() == 6)
                secondKey = row.code;
            if (field2 == QLatin1String("-"))
                out.append({parent, row.code, MenuEntry::Kind::Separator, QString()});
            else
                out.append({parent, row.code, MenuEntry::Kind::Item, label});
            break;
        }
        default:
            break;
        }
    }
    return out;
}

const QString &grantedMenuSql() {
    static const QString sql = QStringLiteral("SELECT menu_kode, menu_label FROM kode_menu "
                                              "WHERE menu_group = ?  AND menu_set = 1 "
                                              "ORDER BY menu_kode ASC ");
    return sql;
}

QList<MenuRow> grantedMenuRows(const QVariant &group) {
    db::Reader r(grantedMenuSql(), {group});
    QList<MenuRow> rows;
    while (r.next())
        rows.append({r.text(0), r.text(1)});
    if (r.failure())
        qWarning("menu rights not read: %s", qPrintable(r.failure()->text()));
    return rows;
}

} // namespace app
