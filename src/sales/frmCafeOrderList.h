#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace Ui {
class frmCafeOrderList;
}

// The lines of one order with its buyer details, and a reprint of its receipt. Writing the
// order code into txtID loads the lines; the opener writes the other boxes.
class frmCafeOrderList : public QDialog {
    Q_OBJECT

public:
    explicit frmCafeOrderList(QWidget *parent = nullptr);
    ~frmCafeOrderList() override;

    QLineEdit *txtID() const;
    QLineEdit *txtWaktu() const;
    QLineEdit *txtKampus() const;
    QLineEdit *txtRekening() const;
    QLineEdit *txtNama() const;
    QLineEdit *txtKelas() const;
    QPushButton *cmdCetak() const;

    void TabelList();
    void DataList();
    void CetakStrukUlang();

private:
    Ui::frmCafeOrderList *ui;
};
