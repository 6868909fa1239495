#pragma once

#include "db/sql.h"
#include <QObject>

#include <QString>

#include <initializer_list>
#include <optional>

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

// The statements of the fills below.
const QString &componentListSql();
const QString &groupListSql();
const QString &timeSlotListSql();
const QString &campusListSql();
const QString &menuItemListSql();

// Fill procedures: each clears the drop-down and adds the items in the documented order. A failed
// query leaves the items read so far and returns its failure, for the window to report once.
using FillFailure = std::optional<db::Error>;
void FillConnectionProfiles(QComboBox *combo);
FillFailure FillComponentList(QComboBox *combo, const QString &list); // "01", "02" or "03"
FillFailure FillGroups(QComboBox *combo);
FillFailure FillTimeSlots(QComboBox *combo);
FillFailure FillCampuses(QComboBox *combo); // a blank first item
FillFailure FillMenuItems(QComboBox *combo);
// The first failure of several fills, so that a window says it once.
FillFailure firstFailure(std::initializer_list<FillFailure> failures);

// "Data telah disimpan", information icon.
void ShowSavedMessage();

// Re-formats an amount box's text "#,##0" and puts the caret at the end.
void FormatAmountBox(QLineEdit *box);
// Calls FormatAmountBox on every change of the box.
void bindAmountBox(QLineEdit *box);

} // namespace common
