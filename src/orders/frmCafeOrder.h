#pragma once

#include "orders/orderdata.h"

#include <QDialog>

#include <memory>

namespace Ui {
class frmCafeOrder;
}

// The order register: orders of a date range per order or per menu item, and the one place an
// order is cancelled.
class frmCafeOrder : public QDialog {
    Q_OBJECT

public:
    explicit frmCafeOrder(QWidget *parent = nullptr);
    ~frmCafeOrder() override;

    void TabelOrder();
    void DataOrder();
    void DataOrderRinci();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void load();
    orders::RegisterFilter filter() const;
    void showFill(orders::RegisterFill fill);
    void cmdPreview_Click();
    void cmdBatal_Click();
    void cmdCek_Click();
    void cmdStok_Click();
    void ListView1_DblClick();

    std::unique_ptr<Ui::frmCafeOrder> ui;
    bool loaded_ = false;
    bool rinci_ = false; // the list shows one row per menu item
};
