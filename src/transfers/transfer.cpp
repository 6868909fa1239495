#include "transfers/transfer.h"

#include "common/amount.h"
#include "common/nextkey.h"
#include "db/sql.h"

#include <QScopeGuard>

#include <algorithm>
#include <functional>

namespace transfers {
namespace {

// A null QString binds as SQL NULL; an empty setting must store an empty text.
QString text(const QString &value) {
    return value.isNull() ? QStringLiteral("") : value;
}

// The postings' amounts are DECIMAL(15,2).
constexpr db::Money kMaxAmount = 9'999'999'999'999;

const QString kTransIdKey = QStringLiteral("PRIMARY");
constexpr int kNumberTries = 5;

// A LIKE pattern matching the texts that start with prefix ('!' escapes).
QString startsWithPattern(const QString &prefix) {
    QString p = prefix;
    p.replace(QLatin1Char('!'), QStringLiteral("!!"));
    p.replace(QLatin1Char('%'), QStringLiteral("!%"));
    p.replace(QLatin1Char('_'), QStringLiteral("!_"));
    return p + QLatin1Char('%');
}

long long nextNumber(const QString &prefix, const QSqlDatabase &conn) {
    db::Reader r(transIdNumberSql(), {startsWithPattern(prefix), prefix.size() + kTransIdDigits},
                 conn);
    const int nomor = r.column(QStringLiteral("Nomor"));
    const bool found = r.next();
    r.throwIfFailed();
    if (!found || r.isNull(nomor))
        return 1;
    return r.whole(nomor) + 1;
}

// Stores a posting under the next free number above `above`. Another writer may take the same
// number in between: its key refuses ours and the next number is tried. The number query
// reads this transaction's snapshot, which may not show the number found taken, so that
// number is never offered again. nullopt when the day's numbers are used up.
std::optional<QString> insertNumbered(const QString &prefix, long long above,
                                      const QSqlDatabase &conn,
                                      const std::function<void(const QString &)> &insert) {
    long long taken = above;
    for (int attempt = 1;; ++attempt) {
        const long long number = std::max(nextNumber(prefix, conn), taken + 1);
        if (number > common::maxNumber(kTransIdDigits))
            return std::nullopt;
        const QString key = common::formatKey(prefix, number, kTransIdDigits);
        try {
            insert(key);
            return key;
        } catch (const db::Error &e) {
            if (!e.isDuplicate() || e.duplicateKey() != kTransIdKey || attempt >= kNumberTries)
                throw;
            taken = number;
        }
    }
}

long long numberOf(const QString &transId) {
    return transId.right(kTransIdDigits).toLongLong();
}

// A quiet reopen after the connection broke, so the outcome can be looked up.
void reopen(const QSqlDatabase &conn) {
    QSqlDatabase c = conn;
    c.close();
    c.open();
    db::resetTransactionState(c.connectionName());
}

} // namespace

std::optional<Cents> centsFromText(QStringView t) {
    t = t.trimmed();
    bool negative = false;
    if (!t.isEmpty() && (t.front() == QLatin1Char('-') || t.front() == QLatin1Char('+'))) {
        negative = t.front() == QLatin1Char('-');
        t = t.mid(1);
    }
    const qsizetype dot = t.indexOf(QLatin1Char('.'));
    const QStringView whole = dot < 0 ? t : t.left(dot);
    QStringView frac = dot < 0 ? QStringView() : t.mid(dot + 1);
    if (whole.isEmpty() || whole.size() > 16 || frac.size() > 2)
        return std::nullopt;
    Cents value = 0;
    for (const QChar c : whole) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    for (int i = 0; i < 2; ++i) {
        const QChar c = i < frac.size() ? frac[i] : QLatin1Char('0');
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return negative ? -value : value;
}

QString centsText(Cents value) {
    const Cents a = value < 0 ? -value : value;
    return QStringLiteral("%1%2.%3")
        .arg(value < 0 ? QStringLiteral("-") : QString())
        .arg(a / 100)
        .arg(a % 100, 2, 10, QLatin1Char('0'));
}

db::Money wholeRupiah(Cents value) {
    return value < 0 ? -((-value + 50) / 100) : (value + 50) / 100;
}

const QString &cekSaldoSql() {
    static const QString sql =
        QStringLiteral("SELECT `cashless-adm`.GetTabSaldoAktif(?, CURDATE()) as Saldo, "
                       "`cashless-adm`.GetNasabahNama(`cashless-adm`.GetTabNasabahID(?)) as Nama ");
    return sql;
}

Holder CekSaldo(const QString &rekening, const QSqlDatabase &conn) {
    Holder h;
    db::Reader r(cekSaldoSql(), {text(rekening), text(rekening)}, conn);
    const int saldo = r.column(QStringLiteral("Saldo"));
    const int nama = r.column(QStringLiteral("Nama"));
    if (r.next()) {
        h.nama = r.text(nama);
        if (!r.isNull(saldo)) {
            const auto cents = centsFromText(r.text(saldo));
            h.known = cents.has_value();
            h.saldo = cents.value_or(0);
        }
    }
    h.failure = r.failure();
    return h;
}

std::optional<db::Money> nominalOf(const QString &text) {
    const auto value = common::parseWholeNumber(text.trimmed());
    if (!value || *value <= 0 || *value > kMaxAmount)
        return std::nullopt;
    return *value;
}

std::optional<TransferCheckFailure> checkTransfer(const TransferForm &form) {
    if (form.norek.isEmpty())
        return TransferCheckFailure{QStringLiteral("Pilih rekening!"), TransferField::Cari};
    if (form.nama.isEmpty())
        return TransferCheckFailure{QStringLiteral("Pilih rekening!"), TransferField::Cari};
    if (!nominalOf(form.nominal))
        return TransferCheckFailure{QStringLiteral("Nominal tidal boleh NOL!"),
                                    TransferField::Nominal};
    return std::nullopt;
}

QString transIdPrefix(const QString &lembagaTransId, const QDate &day) {
    return lembagaTransId + day.toString(QStringLiteral("yyyyMMdd"));
}

const QString &transIdNumberSql() {
    // The range on the key keeps this from reading every posting of the card system.
    static const QString sql = QStringLiteral(
        "SELECT MAX(RIGHT(trans_id, 4)) as Nomor FROM `cashless-adm`.data_tabungan_trans "
        "WHERE trans_id LIKE ? ESCAPE '!' AND CHAR_LENGTH(trans_id) = ? ");
    return sql;
}

QString lockName(const QString &rekening) {
    return QStringLiteral("cafe-transfer-") + rekening;
}

const QString &lockSql() {
    static const QString sql = QStringLiteral("SELECT GET_LOCK(?, ?)");
    return sql;
}

const QString &unlockSql() {
    static const QString sql = QStringLiteral("SELECT RELEASE_LOCK(?)");
    return sql;
}

const QString &withdrawalSql() {
    static const QString sql = QStringLiteral(
        "INSERT INTO `cashless-adm`.data_tabungan_trans SET trans_id = ?, trans_tanggal = NOW(), "
        "trans_kode = '14', trans_kantor = '01', trans_rekening = ?, "
        "trans_nasabah = `cashless-adm`.GetTabNasabahID(?), trans_channel = ?, trans_rfid = '', "
        "trans_jumlah_keluar = ?, trans_saldo_akhir = ?, trans_ob_jenis = 1, "
        "trans_ob_rekening = ?, trans_uraian = ?, trans_status = 0, trans_reg_date = NOW(), "
        "trans_reg_time = NOW(), trans_reg_alias = ?");
    return sql;
}

const QString &logRowSql() {
    static const QString sql = QStringLiteral(
        "INSERT INTO data_transaksi_madamat SET trans_id = ?, trans_tanggal = NOW(), "
        "trans_kode = '14', trans_kantor = '01', trans_rekening = '', "
        "trans_nasabah = `cashless-adm`.GetTabNasabahID(?), trans_nasabah_nama = ?, "
        "trans_channel = ?, trans_rfid = '', trans_jumlah = ?, trans_saldo_awal = ?, "
        "trans_saldo_akhir = ?, trans_uraian = ?, trans_status = 0, trans_reg_date = NOW(), "
        "trans_reg_time = NOW(), trans_reg_alias = ?");
    return sql;
}

const QString &depositSql() {
    static const QString sql = QStringLiteral(
        "INSERT INTO `cashless-adm`.data_tabungan_trans SET trans_id = ?, trans_tanggal = NOW(), "
        "trans_kode = '15', trans_kantor = '01', trans_rekening = ?, "
        "trans_nasabah = `cashless-adm`.GetTabNasabahID(?), trans_channel = ?, trans_rfid = '', "
        "trans_jumlah_masuk = ?, trans_ob_jenis = 1, trans_ob_rekening = ?, trans_uraian = ?, "
        "trans_status = 0, trans_reg_date = NOW(), trans_reg_time = NOW(), "
        "trans_reg_alias = ?");
    return sql;
}

const QString &recalcSql() {
    static const QString sql = QStringLiteral("CALL `cashless-adm`.HitungTabSaldoAll() ");
    return sql;
}

const QString &storedWithdrawalSql() {
    static const QString sql = QStringLiteral(
        "SELECT COUNT(*) as Jumlah FROM `cashless-adm`.data_tabungan_trans WHERE trans_id = ? "
        "AND trans_kode = '14' AND trans_rekening = ? AND trans_ob_rekening = ? "
        "AND trans_jumlah_keluar = ?");
    return sql;
}

std::optional<bool> withdrawalStored(const QString &transId, const Transfer &t,
                                     const QSqlDatabase &conn) {
    db::Reader r(storedWithdrawalSql(),
                 {transId, text(t.rekeningLembaga), text(t.rekeningTujuan), t.jumlah}, conn);
    const int jumlah = r.column(QStringLiteral("Jumlah"));
    const bool found = r.next();
    if (r.failure() || !found)
        return std::nullopt;
    return r.whole(jumlah) > 0;
}

Result ValidasiTransaksi(const Transfer &t, const QSqlDatabase &conn, bool recompute) {
    Result result;
    const QString lock = lockName(t.rekeningLembaga);
    try {
        const QVariant got = db::scalar(lockSql(), {lock, kLockWaitSeconds}, conn);
        if (got.isNull() || got.toInt() != 1) {
            result.outcome = Outcome::Busy;
            return result;
        }
    } catch (const db::Error &e) {
        result.error = e;
        return result;
    }
    const auto unlock = [&] {
        try {
            db::scalar(unlockSql(), {lock}, conn);
        } catch (const db::Error &) {
            // A lost connection has released it already.
        }
    };
    auto release = qScopeGuard(unlock);

    // Read again under the lock: no other transfer from this account can post in between.
    const Holder h = CekSaldo(t.rekeningLembaga, conn);
    if (h.failure) {
        result.error = h.failure;
        return result;
    }
    result.saldoAwal = h.saldo;
    result.saldoAkhir = h.saldo - t.jumlah * 100;
    if (!h.known || t.jumlah <= 0 || result.saldoAkhir < 0) {
        result.outcome = Outcome::SaldoKurang;
        return result;
    }

    const QString prefix = transIdPrefix(t.lembagaTransId, t.day);
    const QString regAlias = t.lembagaTransId + QLatin1Char('|') + t.alias;
    const QString tarik =
        QStringLiteral("Tarik dari ") + t.rekeningLembaga + QStringLiteral(" a.n ") + t.namaTujuan;
    const QString setor =
        QStringLiteral("Setor dari ") + t.rekeningLembaga + QStringLiteral(" a.n ") + t.namaTujuan;
    bool committing = false;
    try {
        db::Transaction transaction(conn);
        const auto withdrawal = insertNumbered(prefix, 0, conn, [&](const QString &id) {
            db::exec(withdrawalSql(),
                     {id, text(t.rekeningLembaga), text(t.rekeningLembaga), text(t.channel),
                      t.jumlah, centsText(result.saldoAkhir), text(t.rekeningTujuan), tarik,
                      regAlias},
                     conn);
        });
        if (!withdrawal) {
            result.outcome = Outcome::NumbersFull;
            return result;
        }
        result.withdrawalId = *withdrawal;
        db::exec(logRowSql(),
                 {result.withdrawalId, text(t.rekeningTujuan), text(t.namaTujuan), text(t.channel),
                  t.jumlah, centsText(result.saldoAwal), centsText(result.saldoAkhir), tarik,
                  text(t.alias)},
                 conn);
        const auto deposit =
            insertNumbered(prefix, numberOf(result.withdrawalId), conn, [&](const QString &id) {
                db::exec(depositSql(),
                         {id, text(t.rekeningTujuan), text(t.rekeningTujuan), text(t.channel),
                          t.jumlah, text(t.rekeningLembaga), setor, regAlias},
                         conn);
            });
        if (!deposit) {
            result.outcome = Outcome::NumbersFull;
            return result;
        }
        result.depositId = *deposit;
        committing = true;
        transaction.commit();
    } catch (const db::Error &e) {
        result.error = e;
        // Only a lost reply to the commit leaves the outcome open; a statement that failed
        // before it was never committed.
        if (!committing || !e.isConnectionFailure())
            return result;
        reopen(conn);
        const std::optional<bool> stored = withdrawalStored(result.withdrawalId, t, conn);
        if (!stored) {
            result.outcome = Outcome::Unknown;
            return result;
        }
        if (!*stored)
            return result;
        result.error.reset();
    }
    result.outcome = Outcome::Posted;
    release.dismiss();
    unlock();
    if (!recompute)
        return result;

    // Outside the transaction: it rewrites every account's stored balance, and the postings
    // stand whether or not it succeeds.
    try {
        db::exec(recalcSql(), {}, conn);
    } catch (const db::Error &e) {
        result.recalcFailure = e;
    }
    return result;
}

const QString &transListSql() {
    // trans_id breaks ties between transfers logged in the same second.
    static const QString sql =
        QStringLiteral("SELECT trans_id, trans_tanggal, trans_nasabah_nama, trans_nasabah_kelas, "
                       "trans_jumlah, trans_reg_time, trans_reg_alias FROM data_transaksi_madamat "
                       "ORDER BY trans_reg_time DESC, trans_id DESC ");
    return sql;
}

TransFill transRows() {
    db::Reader r(transListSql());
    const int id = r.column(QStringLiteral("trans_id"));
    const int tanggal = r.column(QStringLiteral("trans_tanggal"));
    const int nama = r.column(QStringLiteral("trans_nasabah_nama"));
    const int kelas = r.column(QStringLiteral("trans_nasabah_kelas"));
    const int jumlah = r.column(QStringLiteral("trans_jumlah"));
    const int regTime = r.column(QStringLiteral("trans_reg_time"));
    const int regAlias = r.column(QStringLiteral("trans_reg_alias"));
    TransFill fill;
    while (r.next()) {
        const QDate day = QDate::fromString(r.text(tanggal), QStringLiteral("yyyy-MM-dd"));
        const db::Money amount = r.money(jumlah);
        fill.jumlahKeluar += amount;
        fill.rows.append({r.text(id), day.toString(QStringLiteral("dd-MM-yyyy")), r.text(nama),
                          r.text(kelas), common::formatAmount(amount), r.text(regTime),
                          r.text(regAlias)});
    }
    fill.failure = r.failure();
    return fill;
}

const QString &madamatListSql() {
    static const QString sql = QStringLiteral(
        "SELECT *, `cashless-adm`.GetNasabahNama(`cashless-adm`.GetTabNasabahID(madamat_rekening)) "
        "as Nama FROM `cashless-adm`.data_madamat_master ");
    return sql;
}

db::Fill madamatRows() {
    db::Reader r(madamatListSql());
    const int kode = r.column(QStringLiteral("madamat_kode"));
    const int rekening = r.column(QStringLiteral("madamat_rekening"));
    const int nama = r.column(QStringLiteral("Nama"));
    db::Fill fill;
    while (r.next())
        fill.rows.append({r.text(kode), r.text(rekening), r.text(nama)});
    fill.failure = r.failure();
    return fill;
}

} // namespace transfers
