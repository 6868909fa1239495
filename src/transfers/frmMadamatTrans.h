#pragma once

#include "common/workingdialog.h"

#include <QDialog>

class QLineEdit;
class QShowEvent;

namespace Ui {
class frmMadamatTrans;
}

// Moves money from the institution's account to an account registered for transfers, and
// lists every logged transfer.
class frmMadamatTrans : public common::WorkingDialog {
    Q_OBJECT

public:
    explicit frmMadamatTrans(QWidget *parent = nullptr);
    ~frmMadamatTrans() override;

    // Written by the account picker.
    QLineEdit *txtNorek() const;
    QLineEdit *txtNama() const;

    void TabelTrans();
    void DataTrans();
    void Bersih();
    void CekSaldo();
    void ValidasiTransaksi();

protected:
    void load() override;

private:
    void cmdCari_Click();
    void cmdBaru_Click();
    void cmdValidasi_Click();
    void txtNominal_Change(const QString &text);
    void showInfo(const QString &text);

    Ui::frmMadamatTrans *ui;
};
