#include "sales/frmCafeTransUmumList.h"
#include "ui_frmCafeTransUmumList.h"

#include "common/amount.h"
#include "common/fill.h"
#include "core/messages.h"
#include "db/sql.h"
#include "sales/cart.h"
#include "sales/frmCafeTransUmum.h"
#include "sales/salesdata.h"

namespace {

enum Column { Kode = 1, Nama, Harga, Qty, Jumlah };

} // namespace

frmCafeTransUmumList::frmCafeTransUmumList(frmCafeTransUmum *opener, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::frmCafeTransUmumList)
    , opener_(opener) {
    ui->setupUi(this);
    if (opener_)
        ui->txtTransId->setText(opener_->txtTransId()->text());
    TabelHistory();
    DataHistory();
    connect(ui->txtTransId, &QLineEdit::textChanged, this, &frmCafeTransUmumList::DataHistory);
    connect(ui->cmdCetak, &QPushButton::clicked, this, &frmCafeTransUmumList::cmdCetak_Click);
    connect(ui->cmdKeluar, &QPushButton::clicked, this, &QDialog::reject);
}

frmCafeTransUmumList::~frmCafeTransUmumList() {
    delete ui;
}

QLineEdit *frmCafeTransUmumList::txtTransId() const {
    return ui->txtTransId;
}

QLineEdit *frmCafeTransUmumList::txtNama() const {
    return ui->txtNama;
}

QLineEdit *frmCafeTransUmumList::txtKelas() const {
    return ui->txtKelas;
}

void frmCafeTransUmumList::TabelHistory() {
    ui->ListView1->setColumns({{QStringLiteral("0"), 0, common::Left},
                               {QStringLiteral("Kode"), 800, common::Centre},
                               {QStringLiteral("Nama"), 4000, common::Left},
                               {QStringLiteral("Harga"), 1200, common::Right},
                               {QStringLiteral("Qty"), 600, common::Centre},
                               {QStringLiteral("Jumlah"), 1200, common::Right}});
}

void frmCafeTransUmumList::DataHistory() {
    sales::OrderLinesFill fill = sales::orderLines(ui->txtTransId->text());
    ui->ListView1->setRows(std::move(fill.rows));
    ui->txtQty->setText(QString::number(fill.qty));
    ui->txtTotal->setText(common::formatAmount(fill.total));
    common::reportFillFailure(fill.failure);
}

void frmCafeTransUmumList::cmdCetak_Click() {
    if (!msg::askYesNo(QStringLiteral("Apakah yakin akan cetak?"), windowTitle()))
        return;
    // The order picked in the sale entry window, whatever code was typed here since.
    if (opener_)
        opener_->CetakStrukUlang();
}
