#include "sales/frmCafeTransUmum.h"
#include "ui_frmCafeTransUmum.h"

#include "catalogue/frmSetupBarang.h"
#include "common/amount.h"
#include "common/fill.h"
#include "common/selectors.h"
#include "core/messages.h"
#include "core/program.h"
#include "core/session.h"
#include "db/gateway.h"
#include "db/reader.h"
#include "db/sql.h"
#include "sales/cart.h"
#include "sales/frmCafeTransUmumList.h"
#include "sales/itemselector.h"
#include "sales/orderrecord.h"
#include "sales/receipt.h"
#include "sales/salesdata.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QScopeGuard>
#include <QShortcut>
#include <QSignalBlocker>

namespace {

enum CartColumn { Kode = 1, Nama, Harga, Qty, Jumlah };
enum HistoryColumn { TransID = 1, Tanggal, HNama, Kirim, HJumlah, RegDate, RegUser };

} // namespace

frmCafeTransUmum::frmCafeTransUmum(QWidget *parent)
    : common::WorkingDialog(parent)
    , ui(new Ui::frmCafeTransUmum) {
    ui->setupUi(this);
    ui->txtJumlah->setText(QStringLiteral("1"));
    ui->txtQty->setText(QStringLiteral("0"));
    ui->txtTotal->setText(QStringLiteral("0"));

    TabelBarang();
    TabelHistory();
    wireKeyboard();

    connect(ui->cmdInsert, &QPushButton::clicked, this, &frmCafeTransUmum::cmdInsert_Click);
    connect(ui->cmdBayar, &QPushButton::clicked, this, &frmCafeTransUmum::cmdBayar_Click);
    connect(ui->Command1, &QPushButton::clicked, this, &frmCafeTransUmum::Command1_Click);
    connect(ui->cmdStok, &QPushButton::clicked, this, &frmCafeTransUmum::cmdStok_Click);
    connect(ui->cmdCetak, &QPushButton::clicked, this, &frmCafeTransUmum::cmdCetak_Click);
    connect(ui->cmdKeluar, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->ListView2, &common::ReportList::listDoubleClicked, this,
            &frmCafeTransUmum::ListView2_DblClick);
    connect(ui->dtHistory, &QDateEdit::dateChanged, this, &frmCafeTransUmum::DataHistory);
    // Picking the same day again in the calendar refreshes the list as well.
    connect(ui->dtHistory->calendarWidget(), &QCalendarWidget::clicked, this,
            &frmCafeTransUmum::DataHistory);
}

void frmCafeTransUmum::wireKeyboard() {
    // A cashier works without the mouse: buyer, item, quantity, Enter, next item.
    itemSelector_ = new sales::ItemSelector(ui->cboBarang);
    connect(itemSelector_, &sales::ItemSelector::chosen, this, [this] {
        ui->txtJumlah->setFocus();
        ui->txtJumlah->selectAll();
    });
    connect(itemSelector_, &sales::ItemSelector::refused, this, [this] {
        msg::exclamation(QStringLiteral("Pilih barang!"));
        ui->cboBarang->setFocus();
    });
    connect(ui->txtPembeli, &QLineEdit::returnPressed, this, [this] { ui->cboBarang->setFocus(); });
    connect(ui->txtJumlah, &QLineEdit::returnPressed, this, &frmCafeTransUmum::cmdInsert_Click);
    auto *remove = new QShortcut(QKeySequence::Delete, ui->ListView1);
    remove->setContext(Qt::WidgetShortcut);
    connect(remove, &QShortcut::activated, this, &frmCafeTransUmum::removeCartLine);
}

void frmCafeTransUmum::removeCartLine() {
    const int row = ui->ListView1->selectedRow();
    if (row < 0)
        return;
    ui->ListView1->removeRow(row);
    hitungTotal();
}

frmCafeTransUmum::~frmCafeTransUmum() {
    delete ui;
}

void frmCafeTransUmum::load() {
    const QDate today = core::now().date();
    ui->txtTglKomputer->setText(today.toString(QStringLiteral("yyyy-MM-dd")));
    {
        const QSignalBlocker quiet(ui->dtHistory); // one history fill below, not two
        ui->dtHistory->setDate(today);
    }
    fillAll();
}

void frmCafeTransUmum::fillAll() {
    // A refill keeps what was chosen before it.
    const QString kampus = ui->cboKampus->currentText();
    const QString barang = ui->cboBarang->currentText();
    std::optional<db::Error> failure = common::firstFailure(
        {common::FillCampuses(ui->cboKampus), common::FillMenuItems(ui->cboBarang)});
    for (auto [box, text] : {std::pair{ui->cboKampus, kampus}, std::pair{ui->cboBarang, barang}}) {
        const int index = box->findText(text);
        if (!text.isEmpty() && index >= 0)
            box->setCurrentIndex(index);
    }
    const std::optional<db::Error> history = fillHistory();
    cekTanggal();
    if (!failure)
        failure = history;
    if (!failure && ui->txtTglServer->text().isEmpty())
        failure = db::Error(db::kConnectionMessage, db::Error::ServerGone);
    stale_ = failure.has_value();
    // Once, however many of the reads failed.
    common::reportFillFailure(failure);
}

void frmCafeTransUmum::refreshAfterReconnect() {
    fillAll();
}

QLineEdit *frmCafeTransUmum::txtTransId() const {
    return ui->txtTransId;
}

void frmCafeTransUmum::TabelBarang() {
    ui->ListView1->setColumns({{QStringLiteral("0"), 0, common::Left},
                               {QStringLiteral("Kode"), 800, common::Centre},
                               {QStringLiteral("Nama"), 5000, common::Left},
                               {QStringLiteral("Harga"), 1200, common::Right},
                               {QStringLiteral("Qty"), 600, common::Centre},
                               {QStringLiteral("Jumlah"), 1200, common::Right}});
}

void frmCafeTransUmum::TabelHistory() {
    ui->ListView2->setColumns({{QStringLiteral("0"), 1, common::Left},
                               {QStringLiteral("TransID"), 2000, common::Centre},
                               {QStringLiteral("Tanggal"), 1500, common::Centre},
                               {QStringLiteral("Nama"), 3500, common::Left},
                               {QStringLiteral("Kirim"), 2000, common::Left},
                               {QStringLiteral("Jumlah"), 1200, common::Right},
                               {QStringLiteral("RegDate"), 2000, common::Left},
                               {QStringLiteral("RegUser"), 1500, common::Left}});
}

void frmCafeTransUmum::DataHistory() {
    const std::optional<db::Error> failure = fillHistory();
    if (common::reportFillFailure(failure))
        return;
    // The server answers again: what an earlier outage left out is read now.
    if (stale_)
        fillAll();
}

std::optional<db::Error> frmCafeTransUmum::fillHistory() {
    sales::HistoryFill fill = sales::historyRows(ui->dtHistory->date());
    ui->txtHistoryJumlah->setText(QString::number(fill.rows.size()));
    ui->ListView2->setRows(std::move(fill.rows));
    ui->txtLogTotal->setText(common::formatAmount(fill.total));
    return fill.failure;
}

void frmCafeTransUmum::cekTanggal() {
    try {
        ui->txtTglServer->setText(db::serverNow().date().toString(QStringLiteral("yyyy-MM-dd")));
    } catch (const db::Error &) {
        // Left empty: the dates then differ and no item can be added.
        ui->txtTglServer->clear();
    }
}

void frmCafeTransUmum::InsertBarang() {
    // Code and price are the item's first and last fields: a ":" in a name moves neither.
    const sales::SelectorItem item = sales::splitSelectorItem(ui->cboBarang->currentText());
    const QString &kode = item.kode;
    const QString &nama = item.nama;
    const QString &harga = item.harga;
    const QString qty = ui->txtJumlah->text().trimmed();
    const QString jumlah = sales::lineAmount(harga, sales::parseQuantity(qty).value_or(0));

    common::ReportList *cart = ui->ListView1;
    for (int row = 0; row < cart->rowCount(); ++row) {
        if (cart->subItem(row, Kode) == kode) {
            cart->setSubItem(row, Qty, qty);
            cart->setSubItem(row, Jumlah, jumlah);
            return;
        }
    }
    cart->addRow({kode, nama, harga, qty, jumlah});
}

void frmCafeTransUmum::hitungTotal() {
    long long qty = 0;
    double total = 0;
    const common::ReportList *cart = ui->ListView1;
    for (int row = 0; row < cart->rowCount(); ++row) {
        qty += sales::parseQuantity(cart->subItem(row, Qty)).value_or(0);
        total += common::amountValue(cart->subItem(row, Jumlah));
    }
    ui->txtQty->setText(QString::number(qty));
    ui->txtTotal->setText(common::formatAmount(total));
}

void frmCafeTransUmum::clearBarang() {
    ui->ListView1->clearRows();
}

void frmCafeTransUmum::Bersih() {
    ui->txtPembeli->clear();
    clearBarang();
    ui->txtTotal->setText(QStringLiteral("0"));
    ui->txtQty->setText(QStringLiteral("0"));
    ui->txtTransId->clear();
    currentOrderCode_.clear();
    cartCode_.clear();
    outcomeUnknown_ = false;
    ui->txtPembeli->setFocus(); // the next buyer
}

bool frmCafeTransUmum::SimpanBarang() {
    currentOrderCode_.clear();
    sales::Sale sale;
    sale.pembeli = ui->txtPembeli->text();
    sale.kampus = ui->cboKampus->currentText();
    sale.total = common::amountWhole(ui->txtTotal->text());
    sale.alias = core::CurrentUser().aliasText();
    sale.at = core::now();
    const common::ReportList *cart = ui->ListView1;
    for (int row = 0; row < cart->rowCount(); ++row) {
        sale.lines.append({cart->subItem(row, Kode), cart->subItem(row, Nama),
                           common::amountWhole(cart->subItem(row, Harga)),
                           sales::parseQuantity(cart->subItem(row, Qty)).value_or(0),
                           common::amountWhole(cart->subItem(row, Jumlah))});
    }
    const auto failed = [](const QString &reason) {
        msg::critical(QStringLiteral("Transaksi gagal disimpan, silakan coba lagi.\n") + reason,
                      core::appTitle());
        return false;
    };

    bool stored = false;
    if (outcomeUnknown_) {
        // The earlier attempt may be stored: find out before anything is written again.
        const auto known = sales::resolveSale(cartCode_, sale);
        if (!known)
            return failed(db::kConnectionMessage);
        outcomeUnknown_ = false;
        stored = *known;
    }
    if (!stored) {
        try {
            sales::recordSale(sale, cartCode_);
        } catch (const db::Error &e) {
            if (cartCode_.isEmpty() || !e.isConnectionFailure())
                return failed(e.text());
            // The reply was lost: the order may be stored all the same.
            const auto known = sales::resolveSale(cartCode_, sale);
            outcomeUnknown_ = !known;
            if (!known || !*known)
                return failed(e.text());
        }
    }
    currentOrderCode_ = cartCode_;
    ui->txtTransId->setText(currentOrderCode_);
    // Only a stored order is printed.
    CetakStrukUlang();
    return true;
}

void frmCafeTransUmum::CetakStrukUlang() {
    sales::printReceipt(ui->txtTransId->text(), sales::ReceiptVariant::SaleEntry);
}

void frmCafeTransUmum::cmdInsert_Click() {
    // A window opened while the server was away reads its lists and the server date first; a
    // date still unread is a connection problem (already reported), not a date mismatch.
    if (stale_) {
        fillAll();
        if (stale_)
            return;
    }
    if (ui->txtTglKomputer->text() != ui->txtTglServer->text()) {
        msg::exclamation(QStringLiteral("Tanggal komputer tidak sesuai!"));
        return;
    }
    if (ui->txtPembeli->text().isEmpty()) {
        msg::exclamation(QStringLiteral("Pembeli belum diisi!"));
        ui->txtPembeli->setFocus();
        return;
    }
    if (itemSelector_->resolve() < 0) {
        msg::exclamation(QStringLiteral("Pilih barang!"));
        ui->cboBarang->setFocus();
        return;
    }
    // Negative, decimal, empty or non-numeric quantities cannot make an order line.
    if (!sales::parseQuantity(ui->txtJumlah->text())) {
        msg::exclamation(QStringLiteral("Jumlah tidak valid!"));
        ui->txtJumlah->setFocus();
        return;
    }
    InsertBarang();
    hitungTotal();
    ui->txtJumlah->setText(QStringLiteral("1"));
    ui->cboBarang->setFocus();
    ui->cboBarang->lineEdit()->selectAll();
}

void frmCafeTransUmum::cmdBayar_Click() {
    // One cart is recorded once: clicks while a payment runs are ignored.
    if (paying_)
        return;
    paying_ = true;
    ui->cmdBayar->setEnabled(false);
    const auto done = qScopeGuard([this] {
        paying_ = false;
        ui->cmdBayar->setEnabled(true);
    });

    if (!(common::amountValue(ui->txtTotal->text()) > 0 &&
          common::leadingNumber(ui->txtQty->text()) > 0)) {
        msg::exclamation(QStringLiteral("Belum ada transaksi!"));
        return;
    }
    if (!msg::askYesNo(QStringLiteral("Apakah yakin akan bayar transaksi ini?"), windowTitle()))
        return;
    if (!SimpanBarang())
        return;
    msg::information(QStringLiteral("Transaksi Sukses!"));
    Bersih();
    DataHistory();
}

void frmCafeTransUmum::Command1_Click() {
    // A new cart draws its own code.
    cartCode_.clear();
    outcomeUnknown_ = false;
    clearBarang();
    ui->txtQty->setText(QStringLiteral("0"));
    ui->txtTotal->setText(QStringLiteral("0"));
}

void frmCafeTransUmum::cmdStok_Click() {
    frmSetupBarang stok(this);
    stok.view = QStringLiteral("cek");
    stok.exec();
}

void frmCafeTransUmum::cmdCetak_Click() {
    const QString code = ui->txtTransId->text();
    if (code.isEmpty()) {
        msg::exclamation(QStringLiteral("Pilih data transaksi!"));
        return;
    }
    if (msg::askYesNo(QStringLiteral("Apakah yakin cetak struk transaksi ini >> ") + code +
                          QStringLiteral(" ?"),
                      windowTitle()))
        CetakStrukUlang();
}

void frmCafeTransUmum::ListView2_DblClick() {
    common::ReportList *list = ui->ListView2;
    if (list->rowCount() == 0) {
        msg::exclamation(QStringLiteral("Tidak ada data!"));
        return;
    }
    const int row = list->selectedRow();
    if (row < 0)
        return;
    ui->txtTransId->setText(list->subItem(row, TransID));
    frmCafeTransUmumList viewer(this, this);
    viewer.txtTransId()->setText(list->subItem(row, TransID));
    viewer.txtNama()->setText(list->subItem(row, HNama));
    viewer.txtKelas()->setText(list->subItem(row, Kirim));
    viewer.exec();
}
