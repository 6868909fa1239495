#pragma once

#include "common/workingdialog.h"

#include "orders/orderdata.h"

#include <QDialog>

#include <memory>

namespace Ui {
class frmCafeTransLaporan;
}

// The sales report: active orders of a date range per order or per menu item, with the cost
// and margin of the items, for students' or walk-in buyers' orders.
class frmCafeTransLaporan : public common::WorkingDialog {
    Q_OBJECT

public:
    explicit frmCafeTransLaporan(QWidget *parent = nullptr);
    ~frmCafeTransLaporan() override;

    void TabelOrder();
    void DataOrder();
    void DataOrderRinci();

private:
    void load() override;
    orders::ReportFilter filter() const;
    void showFill(orders::ReportFill fill);
    void cmdPreview_Click();
    void cmdStok_Click();
    void ListView1_DblClick();

    std::unique_ptr<Ui::frmCafeTransLaporan> ui;
    bool rinci_ = false; // the list shows one row per menu item
};
