#include "selectors.h"

#include "amount.h"
#include "itemfield.h"
#include "messages.h"
#include "sql.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSqlQuery>

namespace common {
namespace {

// Adds one item per row of a fill query; a failed query adds nothing.
template <typename Fn>
void fillFromQuery(QComboBox *combo, const QString &sql, Fn itemText,
                   const QVariantList &values = {}) {
    QSqlQuery q = db::selectForFill(sql, values);
    QStringList items;
    while (q.next())
        items << itemText(q);
    combo->addItems(items);
}

QString field(const QSqlQuery &q, const char *name) {
    return db::serverText(q.value(QString::fromLatin1(name)));
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
    const QSignalBlocker quiet(combo); // filling is not a choice: no code box follows it
    combo->clear();
    combo->addItems({QStringLiteral("1 : Lokal"), QStringLiteral("2 : Primary"),
                     QStringLiteral("3 : Backup-1"), QStringLiteral("4 : Backup-2"),
                     QStringLiteral("5 : Backup-3")});
    combo->setCurrentIndex(-1);
}

void FillComponentList(QComboBox *combo, const QString &list) {
    const QSignalBlocker quiet(combo); // filling is not a choice: no code box follows it
    combo->clear();
    fillFromQuery(combo,
                  QStringLiteral("SELECT combo_kode, combo_text FROM kode_komponen "
                                 "WHERE combo_komponen = ? ORDER BY combo_kode ASC "),
                  [](const QSqlQuery &q) {
                      return field(q, "combo_kode") + QStringLiteral(" : ") +
                             field(q, "combo_text");
                  },
                  {list});
    combo->setCurrentIndex(-1);
}

void FillGroups(QComboBox *combo) {
    const QSignalBlocker quiet(combo); // filling is not a choice: no code box follows it
    combo->clear();
    fillFromQuery(combo,
                  QStringLiteral("SELECT group_kode, group_nama FROM data_pengguna_group "
                                 "ORDER BY group_kode ASC "),
                  [](const QSqlQuery &q) {
                      return field(q, "group_kode") + QStringLiteral(" : ") +
                             field(q, "group_nama");
                  });
    combo->setCurrentIndex(-1);
}

void FillTimeSlots(QComboBox *combo) {
    const QSignalBlocker quiet(combo); // filling is not a choice: no code box follows it
    combo->clear();
    fillFromQuery(combo, QStringLiteral("SELECT * FROM set_waktu "), [](const QSqlQuery &q) {
        return field(q, "waktu_id") + QStringLiteral(" : ") + field(q, "waktu_nama");
    });
    combo->setCurrentIndex(-1);
}

void FillCampuses(QComboBox *combo) {
    const QSignalBlocker quiet(combo); // filling is not a choice: no code box follows it
    combo->clear();
    combo->addItem(QString());
    fillFromQuery(combo, QStringLiteral("SELECT * FROM set_kampus "),
                  [](const QSqlQuery &q) { return field(q, "kampus_nama"); });
    combo->setCurrentIndex(0);
}

void FillMenuItems(QComboBox *combo) {
    const QSignalBlocker quiet(combo); // filling is not a choice: no code box follows it
    combo->clear();
    fillFromQuery(combo,
                  QStringLiteral("SELECT barang_kode, barang_nama, barang_harga_jual "
                                 "FROM data_barang "),
                  [](const QSqlQuery &q) {
                      return field(q, "barang_kode") + QStringLiteral(" : ") +
                             field(q, "barang_nama") + QStringLiteral(" : ") +
                             formatAmount(db::number(q.value(QStringLiteral("barang_harga_jual"))));
                  });
    combo->setCurrentIndex(-1);
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
