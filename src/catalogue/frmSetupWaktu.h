#pragma once

#include <QDialog>

// Time slots: list, add and rename.
class frmSetupWaktu : public QDialog {
    Q_OBJECT

public:
    explicit frmSetupWaktu(QWidget *parent = nullptr);
    ~frmSetupWaktu() override;
};
