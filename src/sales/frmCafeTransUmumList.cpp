#include "sales/frmCafeTransUmumList.h"
#include "ui_frmCafeTransUmumList.h"

#include "common/amount.h"
#include "core/messages.h"
#include "db/sql.h"
#include "sales/cart.h"
#include "sales/frmCafeTransUmum.h"

#include <QSqlQuery>

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
    QSqlQuery q = db::selectForFill(
        QStringLiteral(
            "SELECT * FROM data_barang_order_list WHERE list_order = ? ORDER BY list_id"),
        {ui->txtTransId->text()});
    QList<QStringList> rows;
    long long qty = 0;
    double total = 0;
    while (q.next()) {
        const QString lineQty = db::fieldText(q, QStringLiteral("list_qty"));
        const QString amount =
            common::formatAmount(db::number(q.value(QStringLiteral("list_jumlah"))));
        qty += common::leadingNumber(lineQty);
        total += common::amountValue(amount);
        rows.append({db::fieldText(q, QStringLiteral("list_barang")),
                     db::fieldText(q, QStringLiteral("list_barang_nama")),
                     common::formatAmount(db::number(q.value(QStringLiteral("list_harga")))),
                     lineQty, amount});
    }
    ui->ListView1->setRows(std::move(rows));
    ui->txtQty->setText(QString::number(qty));
    ui->txtTotal->setText(common::formatAmount(total));
}

void frmCafeTransUmumList::cmdCetak_Click() {
    if (!msg::askYesNo(QStringLiteral("Apakah yakin akan cetak?"), windowTitle()))
        return;
    // The order picked in the sale entry window, whatever code was typed here since.
    if (opener_)
        opener_->CetakStrukUlang();
}
