#include "catalogue/frmSetupWaktu.h"
#include "ui_frmSetupWaktu.h"

#include "catalogue/timeslot.h"
#include "common/fill.h"
#include "core/busy.h"
#include "core/messages.h"
#include "db/sql.h"

#include <QKeyEvent>

frmSetupWaktu::frmSetupWaktu(QWidget *parent)
    : common::WorkingDialog(parent)
    , ui(std::make_unique<Ui::frmSetupWaktu>()) {
    ui->setupUi(this);
    connect(ui->cmdSimpan, &QPushButton::clicked, this, &frmSetupWaktu::cmdSimpan_Click);
    connect(ui->cmdBaru, &QPushButton::clicked, this, &frmSetupWaktu::Bersih);
    connect(ui->cmdKeluar, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->ListView1, &common::ReportList::listDoubleClicked, this,
            &frmSetupWaktu::ListView1_DblClick);
}

frmSetupWaktu::~frmSetupWaktu() = default;

void frmSetupWaktu::load() {
    TabelWaktu();
    DataWaktu();
}

void frmSetupWaktu::keyPressEvent(QKeyEvent *event) {
    // Only KELUAR closes this window; Esc is swallowed rather than passed to QDialog.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmSetupWaktu::TabelWaktu() {
    ui->ListView1->setColumns({{QStringLiteral("0"), 0, common::Left},
                               {QStringLiteral("ID"), 600, common::Centre},
                               {QStringLiteral("Keterangan"), 3000, common::Left}});
}

void frmSetupWaktu::DataWaktu() {
    db::Fill fill;
    {
        core::BusyCursor busy;
        fill = catalogue::slotRows();
    }
    ui->ListView1->setRows(std::move(fill.rows));
    ui->txtJumlah->setText(QString::number(ui->ListView1->rowCount()));
    common::reportFillFailure(fill.failure);
}

void frmSetupWaktu::Bersih() {
    loadedName_.clear();
    ui->txtID->clear();
    ui->txtKeterangan->clear();
}

void frmSetupWaktu::cmdSimpan_Click() {
    // A name of blanks only would show as an empty slot everywhere.
    if (ui->txtKeterangan->text().trimmed().isEmpty()) {
        msg::exclamation(QStringLiteral("Keterangan belum diisi!"));
        ui->txtKeterangan->setFocus();
        return;
    }
    const QString id = ui->txtID->text();
    try {
        if (!catalogue::saveSlot(id, ui->txtKeterangan->text(), loadedName_)) {
            msg::exclamation(
                QStringLiteral("Data telah diubah oleh pengguna lain, silakan muat ulang!"));
            // The slot as it is now.
            Bersih();
            DataWaktu();
            for (int row = 0; row < ui->ListView1->rowCount(); ++row) {
                if (ui->ListView1->subItem(row, 1) == id) {
                    ui->ListView1->selectRow(row);
                    ListView1_DblClick();
                    break;
                }
            }
            return;
        }
    } catch (const db::Error &e) {
        msg::exclamation(QStringLiteral("Data gagal disimpan!\n") + e.text());
        return;
    }
    msg::information(QStringLiteral("Data telah disimpan"));
    DataWaktu();
    Bersih();
}

void frmSetupWaktu::ListView1_DblClick() {
    const int row = ui->ListView1->selectedRow();
    if (row < 0)
        return;
    ui->txtID->setText(ui->ListView1->subItem(row, 1));
    ui->txtKeterangan->setText(ui->ListView1->subItem(row, 2));
    loadedName_ = ui->ListView1->subItem(row, 2);
}
