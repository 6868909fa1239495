#include "common/selectors.h"

#include "common/amount.h"
#include "common/itemfield.h"
#include "common/texts.h"
#include "core/messages.h"
#include "db/reader.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace common {
namespace {

// One item per row of a fill query, built from the named columns' texts joined by " : ".
db::Fill queryItems(const QString &sql, const QStringList &columns,
                    const QVariantList &values = {}) {
    db::Reader r(sql, values);
    QList<int> cols;
    for (const QString &name : columns)
        cols << r.column(name);
    db::Fill fill;
    while (r.next()) {
        QStringList parts;
        for (int c : cols)
            parts << r.text(c);
        fill.rows.append({parts.join(QStringLiteral(" : "))});
    }
    fill.failure = r.failure();
    return fill;
}

QStringList firstCells(const QList<QStringList> &rows) {
    QStringList items;
    items.reserve(rows.size());
    for (const QStringList &row : rows)
        items << row.value(0);
    return items;
}

// Replaces a drop-down's items. Filling is not a choice, so no paired code box follows it.
void setItems(QComboBox *combo, const QStringList &items, int selected = -1) {
    const QSignalBlocker quiet(combo);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(selected);
}

} // namespace

const QString &componentListSql() {
    static const QString sql = QStringLiteral("SELECT combo_kode, combo_text FROM kode_komponen "
                                              "WHERE combo_komponen = ? ORDER BY combo_kode ASC ");
    return sql;
}

const QString &groupListSql() {
    static const QString sql = QStringLiteral(
        "SELECT group_kode, group_nama FROM data_pengguna_group ORDER BY group_kode ASC ");
    return sql;
}

const QString &timeSlotListSql() {
    static const QString sql = QStringLiteral("SELECT * FROM set_waktu ");
    return sql;
}

const QString &campusListSql() {
    static const QString sql = QStringLiteral("SELECT * FROM set_kampus ");
    return sql;
}

const QString &menuItemListSql() {
    static const QString sql =
        QStringLiteral("SELECT barang_kode, barang_nama, barang_harga_jual FROM data_barang ");
    return sql;
}

void SelectComboByCode(const QString &code, QComboBox *combo, const QString &separator, int n) {
    if (combo->count() == 0)
        return;
    const QString sep = separator.isEmpty() ? QStringLiteral(":") : separator;
    if (n == 0)
        n = 1;
    if (GetItemField(combo->currentText(), sep, &n) == code && combo->currentIndex() >= 0)
        return;
    for (int i = 0; i < combo->count(); ++i) {
        if (GetItemField(combo->itemText(i), sep, n) == code) {
            combo->setCurrentIndex(i);
            return;
        }
        combo->setCurrentIndex(-1);
    }
}

void pairCodeBox(QLineEdit *codeBox, QComboBox *combo) {
    QObject::connect(combo, &QComboBox::currentTextChanged, codeBox, [codeBox, combo] {
        if (combo->currentIndex() < 0)
            return; // cleared by a code that matches nothing: keep the typed code
        codeBox->setText(GetItemField(combo->currentText(), QStringLiteral(":"), 1));
    });
    QObject::connect(combo, &QComboBox::activated, codeBox, [codeBox, combo] {
        codeBox->setText(GetItemField(combo->currentText(), QStringLiteral(":"), 1));
    });
    QObject::connect(codeBox, &QLineEdit::textChanged, combo,
                     [combo](const QString &text) { SelectComboByCode(text, combo); });
}

void FillConnectionProfiles(QComboBox *combo) {
    setItems(combo, {QStringLiteral("1 : Lokal"), QStringLiteral("2 : Primary"),
                     QStringLiteral("3 : Backup-1"), QStringLiteral("4 : Backup-2"),
                     QStringLiteral("5 : Backup-3")});
}

FillFailure FillComponentList(QComboBox *combo, const QString &list) {
    const db::Fill fill = queryItems(
        componentListSql(), {QStringLiteral("combo_kode"), QStringLiteral("combo_text")}, {list});
    setItems(combo, firstCells(fill.rows));
    return fill.failure;
}

FillFailure FillGroups(QComboBox *combo) {
    const db::Fill fill =
        queryItems(groupListSql(), {QStringLiteral("group_kode"), QStringLiteral("group_nama")});
    setItems(combo, firstCells(fill.rows));
    return fill.failure;
}

FillFailure FillTimeSlots(QComboBox *combo) {
    const db::Fill fill =
        queryItems(timeSlotListSql(), {QStringLiteral("waktu_id"), QStringLiteral("waktu_nama")});
    setItems(combo, firstCells(fill.rows));
    return fill.failure;
}

FillFailure FillCampuses(QComboBox *combo) {
    const db::Fill fill = queryItems(campusListSql(), {QStringLiteral("kampus_nama")});
    // A blank first item, so that no campus can be chosen.
    setItems(combo, QStringList{QString()} + firstCells(fill.rows), 0);
    return fill.failure;
}

FillFailure FillMenuItems(QComboBox *combo) {
    db::Reader r(menuItemListSql());
    const int kode = r.column(QStringLiteral("barang_kode"));
    const int nama = r.column(QStringLiteral("barang_nama"));
    const int harga = r.column(QStringLiteral("barang_harga_jual"));
    QStringList items;
    while (r.next())
        items << r.text(kode) + QStringLiteral(" : ") + r.text(nama) + QStringLiteral(" : ") +
                     formatAmount(static_cast<double>(r.money(harga)));
    setItems(combo, items);
    return r.failure();
}

FillFailure firstFailure(std::initializer_list<FillFailure> failures) {
    for (const FillFailure &f : failures) {
        if (f)
            return f;
    }
    return std::nullopt;
}

void ShowSavedMessage() {
    msg::information(text::Saved);
}

void FormatAmountBox(QLineEdit *box) {
    const QString formatted = reformatAmountText(box->text());
    if (formatted != box->text())
        box->setText(formatted);
    box->setCursorPosition(static_cast<int>(box->text().size()));
}

void bindAmountBox(QLineEdit *box) {
    QObject::connect(box, &QLineEdit::textChanged, box, [box] { FormatAmountBox(box); });
}

} // namespace common
