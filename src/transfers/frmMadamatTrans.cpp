#include "transfers/frmMadamatTrans.h"
#include "ui_frmMadamatTrans.h"

#include "common/amount.h"
#include "common/fill.h"
#include "core/busy.h"
#include "core/messages.h"
#include "core/program.h"
#include "core/session.h"
#include "db/gateway.h"
#include "transfers/frmInfo.h"
#include "transfers/frmMadamatPilih.h"
#include "transfers/transfer.h"

#include <QLabel>
#include <QShowEvent>

namespace {

// What an amount box shows after a change: a whole number is grouped, anything else stays as
// typed so that the checks see what the user typed, never a rounded value.
QString amountBoxText(const QString &text) {
    const auto value = common::parseWholeNumber(text.trimmed());
    return value ? common::formatAmount(static_cast<qint64>(*value)) : text;
}

} // namespace

frmMadamatTrans::frmMadamatTrans(QWidget *parent)
    : common::WorkingDialog(parent)
    , ui(new Ui::frmMadamatTrans) {
    ui->setupUi(this);
    ui->txtTanggal->setText(core::now().date().toString(QStringLiteral("dd/MM/yyyy")));
    ui->txtNorekLembaga->setText(core::settings().noRekening);
    ui->txtNominal->setText(QStringLiteral("0"));
    TabelTrans();

    connect(ui->cmdCari, &QPushButton::clicked, this, &frmMadamatTrans::cmdCari_Click);
    connect(ui->cmdBaru, &QPushButton::clicked, this, &frmMadamatTrans::cmdBaru_Click);
    connect(ui->cmdValidasi, &QPushButton::clicked, this, &frmMadamatTrans::cmdValidasi_Click);
    connect(ui->cmdKeluar, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->txtNominal, &QLineEdit::textChanged, this, &frmMadamatTrans::txtNominal_Change);
    connect(ui->txtSaldo, &QLineEdit::textChanged, this, [this](const QString &text) {
        const QString shown = amountBoxText(text);
        if (shown != text)
            ui->txtSaldo->setText(shown);
    });
}

frmMadamatTrans::~frmMadamatTrans() {
    delete ui;
}

QLineEdit *frmMadamatTrans::txtNorek() const {
    return ui->txtNorek;
}

QLineEdit *frmMadamatTrans::txtNama() const {
    return ui->txtNama;
}

void frmMadamatTrans::load() {
    CekSaldo();
    DataTrans();
    ui->cmdCari->setFocus();
}

void frmMadamatTrans::TabelTrans() {
    ui->ListView1->setColumns({{QStringLiteral("0"), 1, common::Left},
                               {QStringLiteral("Trans ID"), 1800, common::Centre},
                               {QStringLiteral("Tanggal"), 1200, common::Centre},
                               {QStringLiteral("Nama"), 2500, common::Left},
                               {QStringLiteral("Kelas"), 0, common::Centre},
                               {QStringLiteral("Nominal"), 1500, common::Right},
                               {QStringLiteral("Reg. time"), 2500, common::Left},
                               {QStringLiteral("User"), 1500, common::Left}});
}

void frmMadamatTrans::DataTrans() {
    core::BusyCursor busy;
    transfers::TransFill fill = transfers::transRows();
    ui->ListView1->setRows(std::move(fill.rows));
    ui->txtJumlahData->setText(QString::number(ui->ListView1->rowCount()));
    ui->txtJumlahKeluar->setText(common::formatAmount(fill.jumlahKeluar));
    common::reportFillFailure(fill.failure);
}

void frmMadamatTrans::Bersih() {
    ui->txtNorek->clear();
    ui->txtNama->clear();
    ui->txtNominal->setText(QStringLiteral("0"));
    ui->txtTransId->clear();
}

void frmMadamatTrans::CekSaldo() {
    const transfers::Holder h = transfers::CekSaldo(ui->txtNorekLembaga->text());
    // An account the card system does not know shows an empty name and a zero balance.
    ui->txtSaldo->setText(common::formatAmount(transfers::wholeRupiah(h.saldo)));
    ui->txtAtasNama->setText(h.nama);
    common::reportFillFailure(h.failure);
}

void frmMadamatTrans::cmdCari_Click() {
    frmMadamatPilih picker(this);
    picker.exec();
    ui->txtNominal->setFocus();
    ui->txtNominal->selectAll();
}

void frmMadamatTrans::cmdBaru_Click() {
    Bersih();
    ui->cmdCari->setFocus();
}

void frmMadamatTrans::txtNominal_Change(const QString &text) {
    const QString shown = amountBoxText(text);
    if (shown != text)
        ui->txtNominal->setText(shown);
}

void frmMadamatTrans::cmdValidasi_Click() {
    const auto failure = transfers::checkTransfer(
        {ui->txtNorek->text(), ui->txtNama->text(), ui->txtNominal->text()});
    if (failure) {
        msg::exclamation(failure->message);
        if (failure->field == transfers::TransferField::Cari)
            ui->cmdCari->setFocus();
        else
            ui->txtNominal->setFocus();
        return;
    }
    if (msg::askYesNo(QStringLiteral("Apakah yakin akan melakukan transaksi ini?"), windowTitle()))
        ValidasiTransaksi();
}

void frmMadamatTrans::showInfo(const QString &text) {
    frmInfo info(this);
    info.lblInfo()->setText(text);
    info.exec();
}

void frmMadamatTrans::ValidasiTransaksi() {
    using transfers::Outcome;
    transfers::Transfer t;
    t.rekeningLembaga = ui->txtNorekLembaga->text();
    t.rekeningTujuan = ui->txtNorek->text();
    t.namaTujuan = ui->txtNama->text();
    t.jumlah = transfers::nominalOf(ui->txtNominal->text()).value_or(0);
    t.channel = core::settings().channel;
    t.lembagaTransId = core::settings().lembagaTransId;
    t.alias = core::CurrentUser().aliasText();
    t.day = core::now().date();

    transfers::Result result;
    {
        core::BusyCursor busy;
        result = transfers::ValidasiTransaksi(t);
    }
    const QString reason = result.error ? QStringLiteral("\n") + result.error->text() : QString();
    switch (result.outcome) {
    case Outcome::SaldoKurang:
        CekSaldo();
        showInfo(QStringLiteral("SALDO KURANG"));
        return;
    case Outcome::Busy:
        msg::exclamation(
            QStringLiteral("Transaksi sedang diproses di komputer lain, silakan coba lagi."));
        return;
    case Outcome::NumbersFull:
        msg::exclamation(QStringLiteral("Nomor kode sudah mencapai batas 9999, data baru tidak "
                                        "dapat dibuat!"));
        return;
    case Outcome::Failed:
        msg::exclamation(QStringLiteral("Transaksi gagal, tidak ada yang tersimpan.") + reason);
        return;
    case Outcome::Unknown:
        msg::exclamation(db::kConnectionMessage +
                         QStringLiteral("\nHasil transaksi belum diketahui, periksa daftar "
                                        "transaksi sebelum mengulang.") +
                         reason);
        return;
    case Outcome::Posted:
        break;
    }
    msg::information(QStringLiteral("Transaksi Sukses!"));
    if (result.recalcFailure)
        msg::exclamation(QStringLiteral("Saldo belum dihitung ulang.\n") +
                         result.recalcFailure->text());
    CekSaldo();
    Bersih();
    DataTrans();
    ui->cmdCari->setFocus();
}
