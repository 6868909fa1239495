#include "admin/groups.h"

#include "common/itemfield.h"
#include "common/nextkey.h"
#include "db/sql.h"

namespace admin {

std::optional<QString> shortenedCode(const QString &menuKode) {
    if (menuKode.size() < 3)
        return std::nullopt;
    const QChar third = menuKode.at(2);
    if (third == QLatin1Char('0'))
        return menuKode.mid(3, 20);
    if (third == QLatin1Char('1'))
        return menuKode.mid(2, 20);
    return std::nullopt;
}

QList<TreeNode> buildRightsTree(const QList<CatalogueRow> &rows) {
    QList<TreeNode> nodes;
    int lastTop = -1;
    int lastSecond = -1;
    for (const CatalogueRow &row : rows) {
        const auto code = shortenedCode(row.code);
        if (!code)
            continue;
        const qsizetype len = code->size();
        TreeNode node;
        node.text = row.label;
        node.bold = common::GetItemField(row.label, QStringLiteral("."), 1).size() == 2;
        if (len == 1 || len == 2) {
            node.parent = -1;
            nodes.append(node);
            lastTop = int(nodes.size()) - 1;
            lastSecond = -1;
        } else if (len == 3 || len == 4) {
            if (lastTop < 0)
                continue;
            node.parent = lastTop;
            nodes.append(node);
            lastSecond = int(nodes.size()) - 1;
        } else if (len == 5 || len == 6) {
            if (lastSecond < 0)
                continue;
            node.parent = lastSecond;
            nodes.append(node);
        }
    }
    return nodes;
}

const QString &catalogueSql() {
    static const QString sql = QStringLiteral("SELECT menu_kode, menu_label "
                                              "FROM data_menu_master WHERE menu_status = 1 "
                                              "ORDER BY menu_kode ASC");
    return sql;
}

QList<CatalogueRow> catalogueRows() {
    db::Reader r(catalogueSql());
    const int code = r.column(QStringLiteral("menu_kode"));
    const int label = r.column(QStringLiteral("menu_label"));
    QList<CatalogueRow> rows;
    while (r.next())
        rows.append({r.text(code), r.text(label)});
    r.throwIfFailed();
    return rows;
}

QString rightCode(const QString &label) {
    return QStringLiteral("mn") + common::GetItemField(label, QStringLiteral("."), 1);
}

QString rightParent(const QString &label) {
    return rightCode(label).left(4);
}

const QString &grantedRightsSql() {
    static const QString sql = QStringLiteral("SELECT * FROM kode_menu "
                                              "WHERE menu_group = ? AND menu_set = '1' "
                                              "ORDER BY menu_id ASC");
    return sql;
}

db::Fill grantedRights(const QString &group) {
    db::Reader r(grantedRightsSql(), {group});
    const int kode = r.column(QStringLiteral("menu_kode"));
    const int label = r.column(QStringLiteral("menu_label"));
    db::Fill fill;
    while (r.next()) {
        const QString l = r.text(label);
        const QString code = common::GetItemField(l, QStringLiteral("."), 1);
        QString caption = common::GetItemField(l, QStringLiteral("."), 2);
        if (code.size() == 6)
            caption.prepend(QStringLiteral("      "));
        fill.rows.append({r.text(kode), code, caption});
    }
    fill.failure = r.failure();
    return fill;
}

std::optional<GroupCheckFailure> checkGroup(const GroupForm &form) {
    if (form.nama.trimmed().isEmpty())
        return GroupCheckFailure{QStringLiteral("Nama group belum diisi!"), GroupField::Nama};
    if (form.jenis.trimmed().isEmpty())
        return GroupCheckFailure{QStringLiteral("Jenis Akses belum diisi!"), GroupField::Jenis};
    if (form.ket.trimmed().isEmpty())
        return GroupCheckFailure{QStringLiteral("Keterangan belum diisi!"), GroupField::Ket};
    return std::nullopt;
}

std::optional<GroupRow> loadGroup(const QString &kode) {
    db::Reader r(QStringLiteral("SELECT group_nama, group_akses, group_keterangan, "
                                "group_upd_date FROM data_pengguna_group WHERE group_kode = ?"),
                 {kode});
    const int nama = r.column(QStringLiteral("group_nama"));
    const int akses = r.column(QStringLiteral("group_akses"));
    const int ket = r.column(QStringLiteral("group_keterangan"));
    const int upd = r.column(QStringLiteral("group_upd_date"));
    if (!r.next()) {
        r.throwIfFailed();
        return std::nullopt;
    }
    GroupRow row{r.text(nama), r.text(akses), r.text(ket), r.text(upd)};
    if (r.isNull(upd))
        row.updDate.clear();
    return row;
}

// The update stamps of a new group are NULL: they are dates, and nothing updated it yet.
const QString &insertGroupSql() {
    static const QString sql =
        QStringLiteral("INSERT INTO data_pengguna_group VALUES ( ?, ?, ?, '', ?, now(), ?, ?, "
                       "NULL, NULL, NULL)");
    return sql;
}

// Writes only while the row holds what the editor loaded (<=> also matches NULL stamps).
const QString &updateGroupSql() {
    static const QString sql = QStringLiteral(
        "UPDATE data_pengguna_group SET  group_nama = ?, group_akses = ?, "
        "group_keterangan = ?, group_upd_date = now(), group_upd_ip = ?, group_upd_alias = ? "
        "WHERE group_kode = ? AND group_nama <=> ? AND group_akses <=> ? "
        "AND group_keterangan <=> ? AND group_upd_date <=> ?");
    return sql;
}

const QString &deleteRightsSql() {
    static const QString sql = QStringLiteral("DELETE FROM kode_menu WHERE menu_group = ?");
    return sql;
}

// menu_id is numbered by the server (NULL asks for the next number).
const QString &insertRightSql() {
    static const QString sql =
        QStringLiteral("INSERT INTO kode_menu VALUES ( NULL, ?, ?, ?, ?, ?, now(), ?, ?)");
    return sql;
}

namespace {

QString accessCode(const QString &jenis) {
    return jenis.trimmed().left(1);
}

void writeRights(const QString &kode, const QList<Right> &rights, const Stamp &stamp) {
    db::exec(deleteRightsSql(), {kode});
    db::Prepared insert(insertRightSql());
    for (const Right &right : rights)
        insert.exec({kode, rightCode(right.label), rightParent(right.label), right.label,
                     right.granted ? QStringLiteral("1") : QStringLiteral("0"), stamp.ip,
                     stamp.alias});
}

QVariant nullIfEmpty(const QString &text) {
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

QString createGroup(const GroupForm &form, const QList<Right> &rights, const Stamp &stamp,
                    QString *attempted) {
    db::Transaction tx;
    // Another workstation may take the same code in between: the key refuses the second row
    // and the code is computed again.
    const common::KeyRule rule{
        QString(),
        QStringLiteral("SELECT MAX(group_kode) as Nomor FROM data_pengguna_group"),
        {},
        0};
    const auto stored =
        common::insertWithNextKey(rule, QStringLiteral("PRIMARY"), [&](const QString &key) {
            if (attempted)
                *attempted = key;
            db::exec(insertGroupSql(),
                     {key, form.nama, accessCode(form.jenis), form.ket, stamp.ip, stamp.alias});
        });
    if (!stored)
        throw db::Error(QStringLiteral("Kode group tidak dapat dibuat"));
    const QString kode = *stored;
    writeRights(kode, rights, stamp);
    tx.commit();
    return kode;
}

bool groupStored(const GroupForm &form, const QList<Right> &rights) {
    const auto row = loadGroup(form.kode);
    if (!row || row->nama != form.nama || row->akses != accessCode(form.jenis) ||
        row->ket != form.ket)
        return false;
    db::Reader r(QStringLiteral("SELECT menu_label, menu_set FROM kode_menu "
                                "WHERE menu_group = ? ORDER BY menu_id"),
                 {form.kode});
    const int label = r.column(QStringLiteral("menu_label"));
    const int set = r.column(QStringLiteral("menu_set"));
    QList<Right> stored;
    while (r.next())
        stored.append({r.text(label), r.text(set) == QLatin1String("1")});
    r.throwIfFailed();
    if (stored.size() != rights.size())
        return false;
    for (qsizetype i = 0; i < stored.size(); ++i)
        if (stored[i].label != rights[i].label || stored[i].granted != rights[i].granted)
            return false;
    return true;
}

bool updateGroup(const GroupForm &form, const GroupRow &loaded, const QList<Right> &rights,
                 const Stamp &stamp) {
    db::Transaction tx;
    const int changed =
        db::exec(updateGroupSql(),
                 {form.nama, accessCode(form.jenis), form.ket, stamp.ip, stamp.alias, form.kode,
                  loaded.nama, loaded.akses, loaded.ket, nullIfEmpty(loaded.updDate)});
    if (changed == 0) {
        // Zero changed rows is also what a save in the same second with the same values
        // gives: only a row that holds neither the loaded nor the written values is a conflict.
        const auto now = loadGroup(form.kode);
        if (!now)
            return false;
        const bool mine =
            now->nama == form.nama && now->akses == accessCode(form.jenis) && now->ket == form.ket;
        if (!mine)
            return false;
    }
    writeRights(form.kode, rights, stamp);
    tx.commit();
    return true;
}

} // namespace admin
