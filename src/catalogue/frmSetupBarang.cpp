#include "catalogue/frmSetupBarang.h"
#include "ui_frmSetupBarang.h"

#include "catalogue/menuitem.h"
#include "common/amount.h"
#include "common/fill.h"
#include "common/itemfield.h"
#include "common/listexport.h"
#include "common/lostwrite.h"
#include "common/selectors.h"
#include "common/texts.h"
#include "core/busy.h"
#include "core/messages.h"
#include "core/session.h"
#include "db/gateway.h"
#include "db/sql.h"

namespace {

const QString kChangedElsewhere =
    QStringLiteral("Data telah diubah oleh pengguna lain, silakan muat ulang!");

} // namespace

frmSetupBarang::frmSetupBarang(QWidget *parent)
    : common::WorkingDialog(parent)
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
    db::Fill fill;
    {
        core::BusyCursor busy;
        fill = catalogue::menuRows();
    }
    // A fill that read nothing leaves the list as it was.
    if (!fill.rows.isEmpty())
        ui->ListView1->setRows(std::move(fill.rows));
    ui->txtJumlah->setText(QString::number(ui->ListView1->rowCount()));
    common::reportFillFailure(fill.failure);
}

void frmSetupBarang::Bersih() {
    editing_.reset();
    ui->txtID->clear();
    ui->txtNama->clear();
    ui->txtKdWaktu->clear();
    ui->txtKdStatus->clear();
    ui->txtHargaPokok->setText(QStringLiteral("0"));
    ui->txtHargaJual->setText(QStringLiteral("0"));
    ui->txtStokHarian->setText(QStringLiteral("0"));
}

catalogue::MenuItemForm frmSetupBarang::form() const {
    QStringList slotCodes;
    for (int i = 0; i < ui->cboWaktu->count(); ++i)
        slotCodes << common::GetItemField(ui->cboWaktu->itemText(i), QStringLiteral(":"), 1);
    return {ui->txtID->text(),         ui->txtNama->text(),
            ui->txtHargaPokok->text(), ui->txtHargaJual->text(),
            ui->txtStokHarian->text(), ui->txtKdWaktu->text(),
            ui->txtKdStatus->text(),   slotCodes};
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
        } else if (!editing_ ||
                   !catalogue::updateMenuItem(ui->txtID->text(), values, alias, *editing_)) {
            msg::exclamation(kChangedElsewhere);
            reloadItem(ui->txtID->text());
            return;
        }
    } catch (const db::Error &e) {
        msg::exclamation(common::text::NotSaved + QLatin1Char('\n') + e.text());
        return;
    }
    common::ShowSavedMessage();
    Bersih();
    DataMenu();
}

// Numbers and inserts a new item. Another workstation may store the same code between the
// numbering and the insert; the key refuses the second row and the item is numbered again.
// txtID shows the code only once the item is stored, so a failed save stays a new item.
// When the insert's reply is lost the item may be stored all the same: it is looked up before
// anything is reported, and until that is known a further save looks it up first.
bool frmSetupBarang::saveNewItem(const catalogue::MenuItemValues &values, const QString &alias) {
    const auto storedAs = [&](const QString &code) {
        return common::resolveLostWrite(
            [&] { return catalogue::newMenuItemStored(code, values, alias); });
    };
    if (!unresolvedCode_.isEmpty()) {
        const auto known = storedAs(unresolvedCode_);
        if (!known)
            throw db::Error(db::kConnectionMessage, db::Error::ServerGone);
        const QString code = std::exchange(unresolvedCode_, QString());
        if (*known) {
            ui->txtID->setText(code);
            return true;
        }
    }
    QString attempted;
    std::optional<QString> code;
    try {
        code = common::insertWithNextKey(catalogue::itemKeyRule(), catalogue::kItemCodeKey,
                                         [&](const QString &key) {
                                             attempted = key;
                                             catalogue::insertMenuItem(key, values, alias);
                                         });
    } catch (const db::Error &e) {
        if (attempted.isEmpty() || !e.isConnectionFailure())
            throw;
        const auto known = storedAs(attempted);
        if (!known)
            unresolvedCode_ = attempted;
        if (!known || !*known)
            throw;
        code = attempted;
    }
    if (!code)
        return false;
    ui->txtID->setText(*code);
    return true;
}

void frmSetupBarang::showRow(int row) {
    auto sub = [this, row](int s) { return ui->ListView1->subItem(row, s); };
    ui->txtID->setText(sub(1));
    ui->txtNama->setText(sub(2));
    ui->txtHargaPokok->setText(sub(3));
    ui->txtHargaJual->setText(sub(4));
    ui->txtStokHarian->setText(sub(5));
    ui->txtKdWaktu->setText(catalogue::slotCodeOfWaktu(sub(6)));
    ui->txtKdStatus->setText(sub(7));
    editing_ = catalogue::MenuItemLoaded{
        sub(2), common::amountWhole(sub(3)),        common::amountWhole(sub(4)),
        sub(5), catalogue::slotCodeOfWaktu(sub(6)), sub(7)};
}

void frmSetupBarang::reloadItem(const QString &code) {
    Bersih();
    DataMenu();
    // A list that read nothing keeps its old rows: a removed item is not offered again.
    try {
        if (!catalogue::menuItemExists(code))
            return;
    } catch (const db::Error &) {
        return;
    }
    for (int row = 0; row < ui->ListView1->rowCount(); ++row) {
        if (ui->ListView1->subItem(row, 1) == code) {
            ui->ListView1->selectRow(row);
            showRow(row);
            return;
        }
    }
}

void frmSetupBarang::ListView1_DblClick() {
    if (ui->ListView1->rowCount() == 0) {
        msg::exclamation(common::text::NoData);
        return;
    }
    const int row = ui->ListView1->selectedRow();
    if (row < 0)
        return;
    showRow(row);
}
