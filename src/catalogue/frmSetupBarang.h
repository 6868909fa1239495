#pragma once

#include <QDialog>
#include <QString>

// Menu item catalogue. `view` = "cek" opens it for checking only; the opener sets it after
// construction and before exec(), so the data is loaded when the window is first shown.
class frmSetupBarang : public QDialog {
    Q_OBJECT

public:
    explicit frmSetupBarang(QWidget *parent = nullptr);
    ~frmSetupBarang() override;

    QString view;
};
