#include "orders/frmCafeOrderTransAdm.h"
#include "ui_frmCafeOrderTransAdm.h"

#include "common/fill.h"
#include "core/busy.h"
#include "orders/orderdata.h"

frmCafeOrderTransAdm::frmCafeOrderTransAdm(QWidget *parent)
    : common::WorkingDialog(parent)
    , ui(std::make_unique<Ui::frmCafeOrderTransAdm>()) {
    ui->setupUi(this);
    connect(ui->cmdKeluar, &QPushButton::clicked, this, &QDialog::reject);
}

frmCafeOrderTransAdm::~frmCafeOrderTransAdm() = default;

QLineEdit *frmCafeOrderTransAdm::txtOrderId() const {
    return ui->txtOrderId;
}

void frmCafeOrderTransAdm::load() {
    TabelTrans();
    DataTrans();
    ui->ListView1->setFocus();
}

void frmCafeOrderTransAdm::TabelTrans() {
    ui->ListView1->setColumns({{QStringLiteral("0"), 1, common::Left},
                               {QStringLiteral("Trans ID"), 1800, common::Centre},
                               {QStringLiteral("Tanggal"), 1200, common::Centre},
                               {QStringLiteral("Kode"), 0, common::Centre},
                               {QStringLiteral("Bukti"), 1500, common::Left},
                               {QStringLiteral("Uraian"), 3000, common::Left},
                               {QStringLiteral("Masuk"), 1000, common::Right},
                               {QStringLiteral("Keluar"), 1000, common::Right},
                               {QStringLiteral("Uraian"), 0, common::Left},
                               {QStringLiteral("Status"), 1000, common::Centre},
                               {QStringLiteral("Reg. time"), 1700, common::Left},
                               {QStringLiteral("User"), 1500, common::Left},
                               {QStringLiteral("Norek"), 1500, common::Left},
                               {QStringLiteral("Kelas"), 800, common::Centre},
                               {QStringLiteral("a/n"), 2500, common::Left}});
}

void frmCafeOrderTransAdm::DataTrans() {
    core::BusyCursor busy;
    db::Fill fill = orders::postingRows(ui->txtOrderId->text());
    const qsizetype count = fill.rows.size();
    ui->ListView1->setRows(std::move(fill.rows));
    ui->txtJumlah->setText(QString::number(count));
    common::reportFillFailure(fill.failure);
}
