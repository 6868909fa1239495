#pragma once

#include "common/workingdialog.h"

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class frmSetupWaktu;
}

// Meal time slots: lists them, adds a slot or renames one.
class frmSetupWaktu : public common::WorkingDialog {
    Q_OBJECT

public:
    explicit frmSetupWaktu(QWidget *parent = nullptr);
    ~frmSetupWaktu() override;

    void TabelWaktu();
    void DataWaktu();
    void Bersih();

protected:
    void load() override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void cmdSimpan_Click();
    void ListView1_DblClick();

    std::unique_ptr<Ui::frmSetupWaktu> ui;
    // The name the slot held when the edit loaded it.
    QString loadedName_;
};
