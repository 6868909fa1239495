#pragma once

#include <QDialog>

namespace Ui {
class frmCafeTransUmum;
}

class frmCafeTransUmum : public QDialog {
    Q_OBJECT
public:
    explicit frmCafeTransUmum(QWidget *parent = nullptr);
    ~frmCafeTransUmum() override;

private:
    Ui::frmCafeTransUmum *ui;
};
