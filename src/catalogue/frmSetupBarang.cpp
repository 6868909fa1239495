#include "catalogue/frmSetupBarang.h"
#include "ui_frmSetupBarang.h"

#include "catalogue/menuitem.h"
#include "common/listexport.h"
#include "common/selectors.h"
#include "core/messages.h"
#include "core/session.h"
#include "db/sql.h"

#include <QGuiApplication>

frmSetupBarang::frmSetupBarang(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::frmSetupBarang>()) {
    ui->setupUi(this);
    ui->pb1->hide();
    common::bindAmountBox(ui->txtHargaPokok);
    common::bindAmountBox(ui->txtHargaJual);
    common::pairCodeBox(ui->txtKdWaktu, ui->cboWaktu);
    common::pairCodeBox(ui->txtKdStatus, ui->cboStatus);
    connect(ui->cmdSimpan, &QPushButton::clicked, this, &frmSetupBarang::cmdSimpan_Click);
    connect(ui->cmdBaru, &QPushButton::clicked, this, &frmSetupBarang::Bersih);
    connect(ui->cmdKeluar, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->cmdExport, &QPushButton::clicked, this, [this] {
        common::exportButtonToWorkbook(ui->ListView1, ui->pb1, ui->lblJudul->text());
    });
    connect(ui->ListView1, &common::ReportList::listDoubleClicked, this,
            &frmSetupBarang::ListView1_DblClick);
    // Esc closes through QDialog's own reject().
}

frmSetupBarang::~frmSetupBarang() = default;

void frmSetupBarang::showEvent(QShowEvent *event) {
    if (!loaded_) {
        loaded_ = true;
        load();
    }
    QDialog::showEvent(event);
}

void frmSetupBarang::load() {
    ui->pb1->hide();
    common::FillTimeSlots(ui->cboWaktu);
    common::FillComponentList(ui->cboStatus, QStringLiteral("02"));
    TabelMenu();
    DataMenu();
    if (view == QLatin1String("cek")) {
        ui->cmdSimpan->hide();
        ui->cmdBaru->hide();
    }
}

void frmSetupBarang::TabelMenu() {
    ui->ListView1->setColumns({{QStringLiteral("0"), 0, common::Left},
                               {QStringLiteral("ID"), 700, common::Centre},
                               {QStringLiteral("Nama"), 2000, common::Left},
                               {QStringLiteral("Pokok"), 1000, common::Right},
                               {QStringLiteral("Jual"), 1000, common::Right},
                               {QStringLiteral("Stok"), 700, common::Centre},
                               {QStringLiteral("Waktu"), 1500, common::Left},
                               {QStringLiteral("Status"), 800, common::Centre},
                               {QStringLiteral("RegDate"), 2000, common::Left},
                               {QStringLiteral("RegAlias"), 1000, common::Left},
                               {QStringLiteral("UpdDate"), 2000, common::Left},
                               {QStringLiteral("UpdAlias"), 1000, common::Left},
                               {QStringLiteral("Sisa Stok"), 1300, common::Centre}});
}

void frmSetupBarang::DataMenu() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    QList<QStringList> rows = catalogue::menuRows();
    // No rows (or a failed query) leaves the list as it was.
    if (!rows.isEmpty())
        ui->ListView1->setRows(std::move(rows));
    QGuiApplication::restoreOverrideCursor();
    ui->txtJumlah->setText(QString::number(ui->ListView1->rowCount()));
}

void frmSetupBarang::Bersih() {
    ui->txtID->clear();
    ui->txtNama->clear();
    ui->txtKdWaktu->clear();
    ui->txtKdStatus->clear();
    ui->txtHargaPokok->setText(QStringLiteral("0"));
    ui->txtHargaJual->setText(QStringLiteral("0"));
    ui->txtStokHarian->setText(QStringLiteral("0"));
}

bool frmSetupBarang::IdReg() {
    const auto code = common::IdReg(catalogue::itemKeyRule());
    if (!code)
        return false;
    ui->txtID->setText(*code);
    return true;
}

catalogue::MenuItemForm frmSetupBarang::form() const {
    return {ui->txtID->text(),        ui->txtNama->text(),       ui->txtHargaPokok->text(),
            ui->txtHargaJual->text(), ui->txtStokHarian->text(), ui->txtKdWaktu->text(),
            ui->txtKdStatus->text()};
}

QWidget *frmSetupBarang::fieldWidget(catalogue::MenuField field) const {
    switch (field) {
    case catalogue::MenuField::Nama:
        return ui->txtNama;
    case catalogue::MenuField::HargaPokok:
        return ui->txtHargaPokok;
    case catalogue::MenuField::HargaJual:
        return ui->txtHargaJual;
    case catalogue::MenuField::StokHarian:
        return ui->txtStokHarian;
    case catalogue::MenuField::Waktu:
        return ui->cboWaktu;
    case catalogue::MenuField::Status:
        return ui->cboStatus;
    }
    return ui->txtNama;
}

void frmSetupBarang::cmdSimpan_Click() {
    if (const auto failure = catalogue::checkMenuItem(form())) {
        msg::exclamation(failure->message);
        fieldWidget(failure->field)->setFocus();
        return;
    }

    for (QLineEdit *box : findChildren<QLineEdit *>()) {
        if (!box->objectName().startsWith(QLatin1String("txt")))
            continue;
        const QString cleaned = catalogue::cleanText(box->text());
        if (cleaned != box->text())
            box->setText(cleaned);
    }

    const catalogue::MenuItemValues values = catalogue::menuItemValues(form());
    const QString alias = core::CurrentUser().aliasText();
    try {
        if (ui->txtID->text().isEmpty()) {
            if (!saveNewItem(values, alias))
                return;
        } else {
            catalogue::updateMenuItem(ui->txtID->text(), values, alias);
        }
    } catch (const db::Error &e) {
        msg::exclamation(QStringLiteral("Data gagal disimpan!\n") + e.text());
        return;
    }
    msg::information(QStringLiteral("Data telah disimpan"));
    Bersih();
    DataMenu();
}

// Numbers and inserts a new item. Another workstation may store the same code between the
// numbering and the insert; the key on barang_kode refuses the second row, and the item is
// numbered again. Throws db::Error when it still fails; txtID is then empty again, so the
// next save is still a new item.
bool frmSetupBarang::saveNewItem(const catalogue::MenuItemValues &values, const QString &alias) {
    for (int attempt = 1;; ++attempt) {
        if (!IdReg())
            return false;
        const QString code = ui->txtID->text();
        try {
            catalogue::insertMenuItem(code, values, alias);
            return true;
        } catch (const db::Error &) {
            ui->txtID->clear();
            bool taken = false;
            try {
                taken = catalogue::itemCodeExists(code);
            } catch (const db::Error &) {
            }
            if (!taken || attempt >= catalogue::kNewItemTries)
                throw;
        }
    }
}

void frmSetupBarang::ListView1_DblClick() {
    if (ui->ListView1->rowCount() == 0) {
        msg::exclamation(QStringLiteral("Tidak ada data!"));
        return;
    }
    const int row = ui->ListView1->selectedRow();
    if (row < 0)
        return;
    auto sub = [this, row](int s) { return ui->ListView1->subItem(row, s); };
    ui->txtID->setText(sub(1));
    ui->txtNama->setText(sub(2));
    ui->txtHargaPokok->setText(sub(3));
    ui->txtHargaJual->setText(sub(4));
    ui->txtStokHarian->setText(sub(5));
    ui->txtKdWaktu->setText(catalogue::slotCodeOfWaktu(sub(6)));
    ui->txtKdStatus->setText(sub(7));
}
