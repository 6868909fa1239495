#pragma once

#include "db/reader.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Groups and their menu rights, apart from the editor window.
namespace admin {

// A catalogue row (data_menu_master).
struct CatalogueRow {
    QString code;  // menu_kode
    QString label; // menu_label
};

// The code the tree is built from: "mn0201" gives "201", "mn1001" gives "1001"; a third
// character other than "0" or "1" gives nullopt (no node).
std::optional<QString> shortenedCode(const QString &menuKode);

// One node of the rights tree, in the order the nodes are added (catalogue order).
struct TreeNode {
    QString text;    // the catalogue label
    int parent = -1; // index of the parent node; -1 for a top-level node
    bool bold = false;
};

// The tree of the catalogue rows (in code order): codes of 1 or 2 digits are top-level nodes,
// 3 or 4 digits children of the last top-level node, 5 or 6 digits children of the last
// node of 3 or 4 digits. A row with no parent yet, or with a code of another length, gets no
// node.
QList<TreeNode> buildRightsTree(const QList<CatalogueRow> &rows);

// The active catalogue in code order. Throws db::Error.
const QString &catalogueSql();
QList<CatalogueRow> catalogueRows();

// The stored kode_menu values of a node: "mn" + the label's first field, and its first four
// characters.
QString rightCode(const QString &label);
QString rightParent(const QString &label);

// The granted rights of a group, sub-items 1..3: menu_kode, the label's code, the label's
// caption (third-level captions indented by six blanks).
const QString &grantedRightsSql();
db::Fill grantedRights(const QString &group);

// The group fields as the editor holds them.
struct GroupForm {
    QString kode; // empty for a new group
    QString nama;
    QString jenis; // cboJenis text, "1 : FULL AKSES"
    QString ket;
};

enum class GroupField { Nama, Jenis, Ket };
struct GroupCheckFailure {
    QString message;
    GroupField field;
};
std::optional<GroupCheckFailure> checkGroup(const GroupForm &form);

// The stored row of a group as an edit loaded it, for the optimistic update.
struct GroupRow {
    QString nama;
    QString akses;
    QString ket;
    QString updDate;
};
std::optional<GroupRow> loadGroup(const QString &kode); // throws db::Error

// One node's right: the label and whether it is checked.
struct Right {
    QString label;
    bool granted = false;
};

struct Stamp {
    QString ip;
    QString alias;
};

// Creates the group (next code, one above the highest) with all its rights rows in one
// transaction and returns its code. Throws db::Error.
// *attempted gets the code the last insert tried, for looking the group up after a lost reply.
QString createGroup(const GroupForm &form, const QList<Right> &rights, const Stamp &stamp,
                    QString *attempted = nullptr);

// True when the group holds these values and exactly these rights (after a lost reply).
bool groupStored(const GroupForm &form, const QList<Right> &rights);

// Updates the group and rewrites all its rights rows in one transaction. False (nothing
// written) when the row no longer holds what was loaded. Throws db::Error.
bool updateGroup(const GroupForm &form, const GroupRow &loaded, const QList<Right> &rights,
                 const Stamp &stamp);

// The statements of a save, for tests.
const QString &insertGroupSql();
const QString &updateGroupSql();
const QString &deleteRightsSql();
const QString &insertRightSql();

} // namespace admin
