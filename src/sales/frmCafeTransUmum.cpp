#include "frmCafeTransUmum.h"
#include "ui_frmCafeTransUmum.h"

frmCafeTransUmum::frmCafeTransUmum(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::frmCafeTransUmum) {
    ui->setupUi(this);
}

frmCafeTransUmum::~frmCafeTransUmum() {
    delete ui;
}
