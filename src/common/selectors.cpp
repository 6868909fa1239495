#include "common/selectors.h"

#include "common/amount.h"
#include "common/itemfield.h"
#include "core/messages.h"
#include "db/sql.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSqlQuery>

namespace common {
namespace {

// One item per row of a fill query; a failed query gives none.
template <typename Fn>
QStringList queryItems(const QString &sql, Fn itemText, const QVariantList &values = {}) {
    QSqlQuery q = db::selectForFill(sql, values);
    QStringList items;
    while (q.next())
        items << itemText(q);
    return items;
}

// Replaces a drop-down's items. Filling is not a choice, so no paired code box follows it.
void setItems(QComboBox *combo, const QStringList &items, int selected = -1) {
    const QSignalBlocker quiet(combo);
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(selected);
}

QString field(const QSqlQuery &q, const char *name) {
    return db::fieldText(q, QString::fromLatin1(name));
}

} // namespace

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

void FillComponentList(QComboBox *combo, const QString &list) {
    setItems(combo, queryItems(QStringLiteral("SELECT combo_kode, combo_text FROM kode_komponen "
                                              "WHERE combo_komponen = ? ORDER BY combo_kode ASC "),
                               [](const QSqlQuery &q) {
                                   return field(q, "combo_kode") + QStringLiteral(" : ") +
                                          field(q, "combo_text");
                               },
                               {list}));
}

void FillGroups(QComboBox *combo) {
    setItems(combo, queryItems(QStringLiteral("SELECT group_kode, group_nama "
                                              "FROM data_pengguna_group ORDER BY group_kode ASC "),
                               [](const QSqlQuery &q) {
                                   return field(q, "group_kode") + QStringLiteral(" : ") +
                                          field(q, "group_nama");
                               }));
}

void FillTimeSlots(QComboBox *combo) {
    setItems(combo, queryItems(QStringLiteral("SELECT * FROM set_waktu "), [](const QSqlQuery &q) {
                 return field(q, "waktu_id") + QStringLiteral(" : ") + field(q, "waktu_nama");
             }));
}

void FillCampuses(QComboBox *combo) {
    // A blank first item, so that no campus can be chosen.
    setItems(combo,
             QStringList{QString()} +
                 queryItems(QStringLiteral("SELECT * FROM set_kampus "),
                            [](const QSqlQuery &q) { return field(q, "kampus_nama"); }),
             0);
}

void FillMenuItems(QComboBox *combo) {
    setItems(combo, queryItems(QStringLiteral("SELECT barang_kode, barang_nama, barang_harga_jual "
                                              "FROM data_barang "),
                               [](const QSqlQuery &q) {
                                   return field(q, "barang_kode") + QStringLiteral(" : ") +
                                          field(q, "barang_nama") + QStringLiteral(" : ") +
                                          formatAmount(db::number(
                                              q.value(QStringLiteral("barang_harga_jual"))));
                               }));
}

void ShowSavedMessage() {
    msg::information(QStringLiteral("Data telah disimpan"));
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
