#pragma once

#include "db/reader.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>

// Transfers from the institution's account to an account registered for transfers, apart
// from their windows: the balance lookup, the checks, the numbering and the posting.
namespace transfers {

// Hundredths of a rupiah, as the server's DECIMAL(15,2) balances hold them, so that a balance
// is computed with exactly.
using Cents = qint64;

// A server number text ("15000.50", "-3", "7.5") in hundredths; nullopt for empty text, text
// that is not a number or more than two decimals.
std::optional<Cents> centsFromText(QStringView text);
// Plain decimal text for a bound parameter: "15000.50", "-0.05".
QString centsText(Cents value);
// Whole rupiah for display, rounded half away from zero.
db::Money wholeRupiah(Cents value);

// The institution account's active balance today and its holder's name.
struct Holder {
    bool known = false; // false when the card system has no such account (balance NULL)
    Cents saldo = 0;
    QString nama;
    std::optional<db::Error> failure;
};
const QString &cekSaldoSql();
Holder CekSaldo(const QString &rekening, const QSqlDatabase &conn = db::sessionConnection());

// The entry as the window shows it.
struct TransferForm {
    QString norek;
    QString nama;
    QString nominal;
};

enum class TransferField { Cari, Nominal };

struct TransferCheckFailure {
    QString message;
    TransferField field;
};

// The typed amount in whole rupiah when it is a positive whole number the postings can hold;
// anything else (zero, a sign, decimals, letters) is nullopt.
std::optional<db::Money> nominalOf(const QString &text);

// The checks before the confirmation, in their fixed order: the first that fails, or nullopt.
std::optional<TransferCheckFailure> checkTransfer(const TransferForm &form);

// Transaction numbers: LembagaTransID + day as yyyyMMdd + a daily number "0000".
QString transIdPrefix(const QString &lembagaTransId, const QDate &day);
const QString &transIdNumberSql();
constexpr int kTransIdDigits = 4;

// The named server lock that lets one transfer at a time leave an institution account.
QString lockName(const QString &rekening);
const QString &lockSql();
const QString &unlockSql();
constexpr int kLockWaitSeconds = 10;

// The statements of a transfer, in the order they run.
const QString &withdrawalSql();
const QString &logRowSql();
const QString &depositSql();
const QString &recalcSql();
// Finds a stored withdrawal by its number, accounts and amount (a lost reply to the commit).
const QString &storedWithdrawalSql();

struct Transfer {
    QString rekeningLembaga; // the institution account (setting NoRekening)
    QString rekeningTujuan;
    QString namaTujuan;
    db::Money jumlah = 0;
    QString channel;        // setting Channel
    QString lembagaTransId; // setting LembagaTransID
    QString alias;          // the operator
    QDate day;              // the workstation's day for the numbers
};

enum class Outcome {
    Posted,      // the three rows are stored
    SaldoKurang, // the balance would go below zero; nothing written
    Busy,        // another workstation holds the account's lock; nothing written
    NumbersFull, // the day's numbers are used up; nothing written
    Failed,      // a write failed; nothing written (error says why)
    Unknown,     // the reply to the commit was lost and could not be looked up
};

struct Result {
    Outcome outcome = Outcome::Failed;
    QString withdrawalId;
    QString depositId;
    Cents saldoAwal = 0;
    Cents saldoAkhir = 0;
    std::optional<db::Error> error;
    // Set when the balances could not be recomputed after a posted transfer.
    std::optional<db::Error> recalcFailure;
};

// Posts the transfer: under the account's lock, reads the balance again, refuses an overdraft,
// then numbers and writes the withdrawal, the log row and the deposit in one transaction, and
// recomputes every stored balance after the commit. Never throws.
// recompute false leaves the stored balances to a later recomputation.
Result ValidasiTransaksi(const Transfer &transfer,
                         const QSqlDatabase &conn = db::sessionConnection(), bool recompute = true);

// Whether the withdrawal with these values is stored; nullopt when the lookup failed.
std::optional<bool> withdrawalStored(const QString &transId, const Transfer &transfer,
                                     const QSqlDatabase &conn = db::sessionConnection());

// The transfer log, newest first, sub-items 1 to 7, with the sum of its amounts.
struct TransFill : db::Fill {
    db::Money jumlahKeluar = 0;
};
const QString &transListSql();
TransFill transRows();

// The accounts transfers may go to, sub-items 1 to 3 (code, account, holder name).
const QString &madamatListSql();
db::Fill madamatRows();

} // namespace transfers
