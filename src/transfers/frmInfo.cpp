#include "transfers/frmInfo.h"
#include "ui_frmInfo.h"

frmInfo::frmInfo(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::frmInfo) {
    ui->setupUi(this);
    ui->txtRfid->clear();
    ui->txtPin->clear();
    ui->txtPin->setVisible(false);
    connect(ui->cmdKeluar, &QPushButton::clicked, this, &QDialog::accept);
    ui->cmdKeluar->setFocus();
}

frmInfo::~frmInfo() {
    delete ui;
}

QLabel *frmInfo::lblInfo() const {
    return ui->lblInfo;
}
