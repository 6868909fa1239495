#include "orders/frmCafeOrder.h"
#include "ui_frmCafeOrder.h"

#include "catalogue/frmSetupBarang.h"
#include "common/amount.h"
#include "common/fill.h"
#include "common/listexport.h"
#include "common/selectors.h"
#include "common/texts.h"
#include "core/busy.h"
#include "core/messages.h"
#include "core/program.h"
#include "orders/frmCafeOrderTransAdm.h"
#include "orders/orderlistopen.h"

frmCafeOrder::frmCafeOrder(QWidget *parent)
    : common::WorkingDialog(parent)
    , ui(std::make_unique<Ui::frmCafeOrder>()) {
    ui->setupUi(this);
    ui->pb1->hide();
    ui->ListView1->setHeaderSorting(true);
    common::pairCodeBox(ui->txtKdWaktu, ui->cboWaktu);
    connect(ui->cmdPreview, &QPushButton::clicked, this, &frmCafeOrder::cmdPreview_Click);
    connect(ui->cmdBatal, &QPushButton::clicked, this, &frmCafeOrder::cmdBatal_Click);
    connect(ui->cmdCek, &QPushButton::clicked, this, &frmCafeOrder::cmdCek_Click);
    connect(ui->cmdStok, &QPushButton::clicked, this, &frmCafeOrder::cmdStok_Click);
    connect(ui->cmdExport, &QPushButton::clicked, this, [this] {
        common::exportButtonToWorkbook(ui->ListView1, ui->pb1, ui->lblJudul->text());
    });
    connect(ui->cmdKeluar, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->ListView1, &common::ReportList::listDoubleClicked, this,
            &frmCafeOrder::ListView1_DblClick);
    // " CETAK   " has no action; Esc closes through QDialog's own reject().
}

frmCafeOrder::~frmCafeOrder() = default;

void frmCafeOrder::load() {
    ui->pb1->hide();
    const QDate today = core::now().date();
    ui->dtAwal->setDate(today);
    ui->dtAkhir->setDate(today);
    ui->cboJenis->clear();
    ui->cboJenis->addItems({QStringLiteral("Rinci"), QStringLiteral("Rekap")});
    ui->cboJenis->setCurrentIndex(-1);
    common::reportFillFailure(common::firstFailure(
        {common::FillCampuses(ui->cboKampus), common::FillTimeSlots(ui->cboWaktu)}));
    TabelOrder();
    ui->dtAwal->setFocus();
}

void frmCafeOrder::TabelOrder() {
    rinci_ = false;
    ui->ListView1->setColumns({{QStringLiteral("0"), 0, common::Left},
                               {QStringLiteral("ID"), 1800, common::Centre},
                               {QStringLiteral("Tanggal"), 1000, common::Centre},
                               {QStringLiteral("Nama"), 2500, common::Left},
                               {QStringLiteral("Kelas"), 1000, common::Centre},
                               {QStringLiteral("Harga"), 1200, common::Right},
                               {QStringLiteral("Waktu"), 1500, common::Left},
                               {QStringLiteral("Kampus"), 2500, common::Left},
                               {QStringLiteral("RegDate"), 2000, common::Left}});
}

orders::RegisterFilter frmCafeOrder::filter() const {
    return {ui->dtAwal->date(), ui->dtAkhir->date(), ui->cboKampus->currentText(),
            ui->txtKdWaktu->text()};
}

void frmCafeOrder::showFill(orders::RegisterFill fill) {
    const auto failure = fill.failure;
    const qsizetype count = fill.rows.size();
    ui->ListView1->setRows(std::move(fill.rows));
    ui->txtJumlahData->setText(QString::number(count));
    ui->txtTotal->setText(common::formatAmount(fill.total));
    common::reportFillFailure(failure);
}

void frmCafeOrder::DataOrder() {
    core::BusyCursor busy;
    rinci_ = false;
    ui->ListView1->setColumns({{QStringLiteral("0"), 0, common::Left},
                               {QStringLiteral("ID"), 1800, common::Centre},
                               {QStringLiteral("Tanggal"), 1000, common::Centre},
                               {QStringLiteral("Rekening"), 1500, common::Centre},
                               {QStringLiteral("Nama"), 2500, common::Left},
                               {QStringLiteral("Kelas"), 1000, common::Centre},
                               {QStringLiteral("Harga"), 1000, common::Right},
                               {QStringLiteral("Waktu"), 1500, common::Left},
                               {QStringLiteral("Kampus"), 1500, common::Left},
                               {QStringLiteral("RegDate"), 1800, common::Left},
                               {QStringLiteral("Status"), 1000, common::Left}});
    showFill(orders::registerRekapRows(filter()));
}

void frmCafeOrder::DataOrderRinci() {
    core::BusyCursor busy;
    rinci_ = true;
    ui->ListView1->setColumns({{QStringLiteral("0"), 0, common::Left},
                               {QStringLiteral("ID"), 1800, common::Centre},
                               {QStringLiteral("Tanggal"), 1000, common::Centre},
                               {QStringLiteral("Barang"), 2500, common::Left},
                               {QStringLiteral("Qty"), 1000, common::Centre},
                               {QStringLiteral("Harga"), 1200, common::Right},
                               {QStringLiteral("Waktu"), 1500, common::Left},
                               {QStringLiteral("Kampus"), 2500, common::Left},
                               {QStringLiteral("RegDate"), 2000, common::Left}});
    showFill(orders::registerRinciRows(filter()));
}

void frmCafeOrder::cmdPreview_Click() {
    const QString jenis = ui->cboJenis->currentText();
    if (jenis.isEmpty()) {
        msg::exclamation(QStringLiteral("Jenis List harus dipilih!"));
        ui->cboJenis->setFocus();
        return;
    }
    if (jenis == QLatin1String("Rinci"))
        DataOrderRinci();
    else if (jenis == QLatin1String("Rekap"))
        DataOrder();
    else
        return;
    ui->ListView1->setFocus();
}

void frmCafeOrder::cmdBatal_Click() {
    const QString code = ui->ListView1->selectedSubItem(1);
    if (ui->cboJenis->currentText() != QLatin1String("Rekap")) {
        msg::exclamation(QStringLiteral("Jenis harus rekap!"));
        ui->cboJenis->setFocus();
        return;
    }
    if (code.isEmpty()) {
        msg::exclamation(QStringLiteral("Pilih data!"));
        return;
    }
    if (!msg::askYesNo(QStringLiteral("Apakah yakin akan hapus transaksi ini => ") + code,
                       windowTitle()))
        return;
    orders::CancelOutcome outcome;
    {
        core::BusyCursor busy;
        outcome = orders::cancelOrder(code);
    }
    if (!outcome.cancelled) {
        msg::critical(QStringLiteral("Data gagal dihapus!\n") + outcome.reason, core::appTitle());
        return;
    }
    msg::exclamation(QStringLiteral("Data telah dihapus!"));
    DataOrder();
}

void frmCafeOrder::cmdCek_Click() {
    if (ui->ListView1->rowCount() == 0) {
        msg::exclamation(common::text::NoData);
        return;
    }
    frmCafeOrderTransAdm w(this);
    w.txtOrderId()->setText(ui->ListView1->selectedSubItem(1));
    w.exec();
}

void frmCafeOrder::cmdStok_Click() {
    frmSetupBarang w(this);
    w.view = QStringLiteral("cek");
    w.exec();
}

void frmCafeOrder::ListView1_DblClick() {
    if (ui->ListView1->rowCount() == 0) {
        msg::exclamation(common::text::NoData);
        return;
    }
    orders::openOrderList(this, ui->ListView1, rinci_, true);
}
