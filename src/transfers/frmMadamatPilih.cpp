#include "transfers/frmMadamatPilih.h"
#include "ui_frmMadamatPilih.h"

#include "common/fill.h"
#include "common/texts.h"
#include "core/busy.h"
#include "core/messages.h"
#include "transfers/frmMadamatTrans.h"
#include "transfers/transfer.h"

#include <QLineEdit>

namespace {

enum Column { Kode = 1, Rekening, Nama };

} // namespace

frmMadamatPilih::frmMadamatPilih(frmMadamatTrans *opener, QWidget *parent)
    : QDialog(parent ? parent : opener)
    , ui(new Ui::frmMadamatPilih)
    , opener_(opener) {
    ui->setupUi(this);
    TabelMadamat();
    DataMadamat();
    connect(ui->cmdValidasi, &QPushButton::clicked, this, &frmMadamatPilih::cmdValidasi_Click);
    connect(ui->ListView1, &common::ReportList::listDoubleClicked, this,
            &frmMadamatPilih::cmdValidasi_Click);
    connect(ui->cmdKeluar, &QPushButton::clicked, this, &QDialog::reject);
    ui->ListView1->setFocus();
}

frmMadamatPilih::~frmMadamatPilih() {
    delete ui;
}

void frmMadamatPilih::TabelMadamat() {
    ui->ListView1->setColumns({{QStringLiteral("0"), 0, common::Left},
                               {QStringLiteral("Kode"), 0, common::Centre},
                               {QStringLiteral("Rekening"), 1400, common::Centre},
                               {QStringLiteral("Nama"), 2500, common::Left}});
}

void frmMadamatPilih::DataMadamat() {
    core::BusyCursor busy;
    db::Fill fill = transfers::madamatRows();
    ui->ListView1->setRows(std::move(fill.rows));
    common::reportFillFailure(fill.failure);
}

void frmMadamatPilih::cmdValidasi_Click() {
    if (ui->ListView1->rowCount() == 0) {
        msg::exclamation(common::text::NoData);
        return;
    }
    const int row = std::max(ui->ListView1->selectedRow(), 0);
    if (opener_) {
        opener_->txtNorek()->setText(ui->ListView1->subItem(row, Rekening));
        opener_->txtNama()->setText(ui->ListView1->subItem(row, Nama));
    }
    accept();
}
