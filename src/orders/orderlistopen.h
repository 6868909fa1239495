#pragma once

class QWidget;

namespace common {
class ReportList;
}

namespace orders {

// Opens the order list window for the selected row of a register or report list. A row per
// order passes its own boxes; a row per menu item passes its order code and the order's own
// buyer details, read from the order, so that the window never shows an item as the buyer.
void openOrderList(QWidget *parent, const common::ReportList *list, bool perItem, bool canPrint);

} // namespace orders
