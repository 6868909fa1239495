#pragma once

#include <QDialog>

class QLineEdit;
class frmCafeTransUmum;

namespace Ui {
class frmCafeTransUmumList;
}

// The lines of one order picked in the sale entry window's history, with a reprint of the
// order selected there.
class frmCafeTransUmumList : public QDialog {
    Q_OBJECT

public:
    explicit frmCafeTransUmumList(frmCafeTransUmum *opener, QWidget *parent = nullptr);
    ~frmCafeTransUmumList() override;

    // Written by the opener before the window is shown.
    QLineEdit *txtTransId() const;
    QLineEdit *txtNama() const;
    QLineEdit *txtKelas() const;

    void TabelHistory();
    void DataHistory();

private:
    void cmdCetak_Click();

    Ui::frmCafeTransUmumList *ui;
    frmCafeTransUmum *opener_;
};
