#pragma once

#include "common/workingdialog.h"

#include <QDialog>

#include <memory>

class QLineEdit;

namespace Ui {
class frmCafeOrderTransAdm;
}

// The card system's postings of one order, read-only. The opener writes the order code into
// txtOrderId before showing the window; the list is read when it is first shown.
class frmCafeOrderTransAdm : public common::WorkingDialog {
    Q_OBJECT

public:
    explicit frmCafeOrderTransAdm(QWidget *parent = nullptr);
    ~frmCafeOrderTransAdm() override;

    QLineEdit *txtOrderId() const;

    void TabelTrans();
    void DataTrans();

protected:
    void load() override;

private:
    std::unique_ptr<Ui::frmCafeOrderTransAdm> ui;
};
