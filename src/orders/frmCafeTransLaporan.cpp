#include "orders/frmCafeTransLaporan.h"
#include "ui_frmCafeTransLaporan.h"

#include "catalogue/frmSetupBarang.h"
#include "common/amount.h"
#include "common/fill.h"
#include "common/listexport.h"
#include "common/selectors.h"
#include "common/texts.h"
#include "core/busy.h"
#include "core/messages.h"
#include "core/program.h"
#include "orders/orderlistopen.h"

frmCafeTransLaporan::frmCafeTransLaporan(QWidget *parent)
    : common::WorkingDialog(parent)
    , ui(std::make_unique<Ui::frmCafeTransLaporan>()) {
    ui->setupUi(this);
    ui->pb1->hide();
    connect(ui->cmdPreview, &QPushButton::clicked, this, &frmCafeTransLaporan::cmdPreview_Click);
    connect(ui->cmdStok, &QPushButton::clicked, this, &frmCafeTransLaporan::cmdStok_Click);
    connect(ui->cmdExport, &QPushButton::clicked, this, [this] {
        common::exportButtonToWorkbook(ui->ListView1, ui->pb1, ui->lblJudul->text());
    });
    connect(ui->cmdKeluar, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->ListView1, &common::ReportList::listDoubleClicked, this,
            &frmCafeTransLaporan::ListView1_DblClick);
    // " CETAK   " has no action; Esc closes through QDialog's own reject().
}

frmCafeTransLaporan::~frmCafeTransLaporan() = default;

void frmCafeTransLaporan::load() {
    ui->pb1->hide();
    const QDate today = core::now().date();
    ui->dtAwal->setDate(today);
    ui->dtAkhir->setDate(today);
    ui->cboJenis->clear();
    ui->cboJenis->addItems({QStringLiteral("Rinci"), QStringLiteral("Rekap")});
    ui->cboJenis->setCurrentIndex(-1);
    ui->cboPembeli->clear();
    ui->cboPembeli->addItems({QStringLiteral("Santri"), QStringLiteral("Umum")});
    ui->cboPembeli->setCurrentIndex(-1);
    for (QLineEdit *box : {ui->txtTotalJual, ui->txtTotalPokok, ui->txtMargin})
        box->setText(QStringLiteral("0"));
    common::reportFillFailure(common::FillCampuses(ui->cboKampus));
    TabelOrder();
    ui->dtAwal->setFocus();
}

void frmCafeTransLaporan::TabelOrder() {
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

orders::ReportFilter frmCafeTransLaporan::filter() const {
    return {ui->dtAwal->date(), ui->dtAkhir->date(), ui->cboKampus->currentText(),
            ui->cboPembeli->currentText() == QLatin1String("Umum") ? orders::Buyer::Umum
                                                                   : orders::Buyer::Santri};
}

void frmCafeTransLaporan::showFill(orders::ReportFill fill) {
    const auto failure = fill.failure;
    const qsizetype count = fill.rows.size();
    ui->ListView1->setRows(std::move(fill.rows));
    ui->txtJumlahData->setText(QString::number(count));
    ui->txtTotalJual->setText(common::formatAmount(fill.jual));
    // Cost and margin belong to the per-item list; a per-order fill shows them as 0.
    ui->txtTotalPokok->setText(common::formatAmount(fill.pokok));
    ui->txtMargin->setText(common::formatAmount(fill.margin));
    common::reportFillFailure(failure);
}

void frmCafeTransLaporan::DataOrder() {
    core::BusyCursor busy;
    rinci_ = false;
    ui->ListView1->setColumns({{QStringLiteral("0"), 0, common::Left},
                               {QStringLiteral("ID"), 1800, common::Centre},
                               {QStringLiteral("Tanggal"), 1000, common::Centre},
                               {QStringLiteral("Rekening"), 1500, common::Centre},
                               {QStringLiteral("Nama"), 2500, common::Left},
                               {QStringLiteral("Kelas"), 1000, common::Centre},
                               {QStringLiteral("Harga"), 1200, common::Right},
                               {QStringLiteral("Waktu"), 1500, common::Left},
                               {QStringLiteral("Kampus"), 2500, common::Left},
                               {QStringLiteral("RegDate"), 2000, common::Left}});
    showFill(orders::reportRekapRows(filter()));
}

void frmCafeTransLaporan::DataOrderRinci() {
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
                               {QStringLiteral("RegDate"), 2000, common::Left},
                               {QStringLiteral("Pokok"), 1200, common::Right},
                               {QStringLiteral("Margin"), 1200, common::Right}});
    showFill(orders::reportRinciRows(filter()));
}

void frmCafeTransLaporan::cmdPreview_Click() {
    const QString jenis = ui->cboJenis->currentText();
    if (jenis.isEmpty()) {
        msg::exclamation(QStringLiteral("Jenis List harus dipilih!"));
        ui->cboJenis->setFocus();
        return;
    }
    if (ui->cboPembeli->currentText().isEmpty()) {
        msg::exclamation(QStringLiteral("Jenis Pembeli belum dipilih!"));
        ui->cboPembeli->setFocus();
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

void frmCafeTransLaporan::cmdStok_Click() {
    frmSetupBarang w(this);
    w.view = QStringLiteral("cek");
    w.exec();
}

void frmCafeTransLaporan::ListView1_DblClick() {
    if (ui->ListView1->rowCount() == 0) {
        msg::exclamation(common::text::NoData);
        return;
    }
    orders::openOrderList(this, ui->ListView1, rinci_, false);
}
