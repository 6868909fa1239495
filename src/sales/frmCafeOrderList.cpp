#include "sales/frmCafeOrderList.h"
#include "ui_frmCafeOrderList.h"

#include "common/amount.h"
#include "common/fill.h"
#include "core/busy.h"
#include "sales/receipt.h"
#include "sales/salesdata.h"

frmCafeOrderList::frmCafeOrderList(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::frmCafeOrderList) {
    ui->setupUi(this);
    TabelList();
    connect(ui->txtID, &QLineEdit::textChanged, this, [this](const QString &code) {
        if (!code.isEmpty())
            DataList();
    });
    connect(ui->cmdCetak, &QPushButton::clicked, this, &frmCafeOrderList::CetakStrukUlang);
    connect(ui->cmdKeluar, &QPushButton::clicked, this, &QDialog::reject);
    // Esc closes through QDialog's own reject().
}

frmCafeOrderList::~frmCafeOrderList() {
    delete ui;
}

QLineEdit *frmCafeOrderList::txtID() const {
    return ui->txtID;
}
QLineEdit *frmCafeOrderList::txtWaktu() const {
    return ui->txtWaktu;
}
QLineEdit *frmCafeOrderList::txtKampus() const {
    return ui->txtKampus;
}
QLineEdit *frmCafeOrderList::txtRekening() const {
    return ui->txtRekening;
}
QLineEdit *frmCafeOrderList::txtNama() const {
    return ui->txtNama;
}
QLineEdit *frmCafeOrderList::txtKelas() const {
    return ui->txtKelas;
}
QPushButton *frmCafeOrderList::cmdCetak() const {
    return ui->cmdCetak;
}

void frmCafeOrderList::TabelList() {
    ui->ListView1->setColumns({{QStringLiteral("0"), 0, common::Left},
                               {QStringLiteral("ID"), 1800, common::Centre},
                               {QStringLiteral("Barang"), 3500, common::Left},
                               {QStringLiteral("Qty"), 700, common::Centre},
                               {QStringLiteral("Harga"), 1300, common::Right}});
}

void frmCafeOrderList::DataList() {
    core::BusyCursor busy;
    const QString code = ui->txtID->text();
    sales::OrderLinesFill fill = sales::orderLines(code);
    // orderLines gives Kode, Nama, Harga, Qty, Jumlah; this list shows ID, Barang, Qty, Harga.
    QList<QStringList> rows;
    rows.reserve(fill.rows.size());
    for (const QStringList &line : fill.rows)
        rows.append(
            {code, line.value(1), common::formatAmount(line.value(3).toLongLong()), line.value(4)});
    ui->ListView1->setRows(std::move(rows));
    ui->txtQty->setText(QString::number(fill.qty));
    ui->txtTotal->setText(common::formatAmount(fill.total));
    common::reportFillFailure(fill.failure);
}

void frmCafeOrderList::CetakStrukUlang() {
    core::BusyCursor busy;
    sales::printReceipt(
        ui->txtID->text(), sales::ReceiptVariant::OrderList,
        {ui->txtNama->text(), ui->txtKelas->text(), ui->txtKampus->text(), ui->txtWaktu->text()});
}
