#pragma once

#include "common/workingdialog.h"

#include "orders/orderdata.h"

#include <QDialog>

#include <memory>

namespace Ui {
class frmCafeOrder;
}

// The order register: orders of a date range per order or per menu item, and the one place an
// order is cancelled.
class frmCafeOrder : public common::WorkingDialog {
    Q_OBJECT

public:
    explicit frmCafeOrder(QWidget *parent = nullptr);
    ~frmCafeOrder() override;

    void TabelOrder();
    void DataOrder();
    void DataOrderRinci();

private:
    void load() override;
    orders::RegisterFilter filter() const;
    void showFill(orders::RegisterFill fill);
    void cmdPreview_Click();
    void cmdBatal_Click();
    void cmdCek_Click();
    void cmdStok_Click();
    void ListView1_DblClick();

    std::unique_ptr<Ui::frmCafeOrder> ui;
    bool rinci_ = false; // the list shows one row per menu item
};
