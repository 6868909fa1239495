#pragma once

#include <QDialog>

class frmMadamatTrans;

namespace Ui {
class frmMadamatPilih;
}

// Picks one of the accounts transfers may go to and writes it into the transfer window.
class frmMadamatPilih : public QDialog {
    Q_OBJECT

public:
    explicit frmMadamatPilih(frmMadamatTrans *opener, QWidget *parent = nullptr);
    ~frmMadamatPilih() override;

    void TabelMadamat();
    void DataMadamat();

private:
    void cmdValidasi_Click();

    Ui::frmMadamatPilih *ui;
    frmMadamatTrans *opener_;
};
