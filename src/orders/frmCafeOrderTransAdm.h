#pragma once

#include <QDialog>

#include <memory>

class QLineEdit;

namespace Ui {
class frmCafeOrderTransAdm;
}

// The card system's postings of one order, read-only. The opener writes the order code into
// txtOrderId before showing the window; the list is read when it is first shown.
class frmCafeOrderTransAdm : public QDialog {
    Q_OBJECT

public:
    explicit frmCafeOrderTransAdm(QWidget *parent = nullptr);
    ~frmCafeOrderTransAdm() override;

    QLineEdit *txtOrderId() const;

    void TabelTrans();
    void DataTrans();

protected:
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::frmCafeOrderTransAdm> ui;
    bool loaded_ = false;
};
