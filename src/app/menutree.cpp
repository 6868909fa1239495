#include "app/menutree.h"

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

} // namespace app
