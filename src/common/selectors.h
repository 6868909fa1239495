#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QLineEdit;

// Drop-downs of code-and-text items ("code : text") and their code boxes.
namespace common {

// Selects the item whose field n equals code; no match leaves nothing selected.
void SelectComboByCode(const QString &code, QComboBox *combo, const QString &separator = {},
                       int n = 1);

// Keeps a code box and its drop-down in step: choosing an item writes its code into the box;
// changing the box selects the matching item. Windows may connect more to the box's change.
void pairCodeBox(QLineEdit *codeBox, QComboBox *combo);

// Fill procedures: each clears the drop-down and adds the items in the documented order.
void FillConnectionProfiles(QComboBox *combo);
void FillComponentList(QComboBox *combo, const QString &list); // "01", "02" or "03"
void FillGroups(QComboBox *combo);
void FillTimeSlots(QComboBox *combo);
void FillCampuses(QComboBox *combo); // a blank first item
void FillMenuItems(QComboBox *combo);

// "Data telah disimpan", information icon.
void ShowSavedMessage();

// Re-formats an amount box's text "#,##0" and puts the caret at the end.
void FormatAmountBox(QLineEdit *box);
// Calls FormatAmountBox on every change of the box.
void bindAmountBox(QLineEdit *box);

} // namespace common
