#include "orders/orderlistopen.h"

#include "common/fill.h"
#include "common/reportlist.h"
#include "orders/orderdata.h"
#include "sales/frmCafeOrderList.h"

#include <QLineEdit>
#include <QPushButton>

namespace orders {

void openOrderList(QWidget *parent, const common::ReportList *list, bool perItem, bool canPrint) {
    const QString code = list->selectedSubItem(1);
    OrderHeader h;
    if (perItem) {
        try {
            h = orderHeader(code).value_or(OrderHeader{});
        } catch (const db::Error &e) {
            common::reportFillFailure(e);
            return;
        }
    } else {
        h = {list->selectedSubItem(7), list->selectedSubItem(8), list->selectedSubItem(3),
             list->selectedSubItem(4), list->selectedSubItem(5)};
    }
    frmCafeOrderList w(parent);
    // The code first: writing it loads the lines.
    w.txtID()->setText(code);
    w.txtWaktu()->setText(h.waktu);
    w.txtKampus()->setText(h.kampus);
    w.txtRekening()->setText(h.rekening);
    w.txtNama()->setText(h.nama);
    w.txtKelas()->setText(h.kelas);
    w.cmdCetak()->setEnabled(canPrint);
    w.exec();
}

} // namespace orders
