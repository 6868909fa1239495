#include "catalogue/menuitem.h"

#include "common/amount.h"
#include "db/reader.h"
#include "db/sql.h"

#include <climits>
#include <cmath>

namespace catalogue {
namespace {

// barang_harga_* are DECIMAL(15,2): larger amounts would only fail at the server.
constexpr double kMaxPrice = 9'999'999'999'999.0;

bool validPrice(const QString &text) {
    // Whole rupiah only: a decimal comma would otherwise be read past or rounded away.
    const auto value = common::parseWholeNumber(text);
    return value && *value > 0 && static_cast<double>(*value) <= kMaxPrice;
}

std::optional<long long> validStock(const QString &text) {
    const auto value = common::parseWholeNumber(text);
    if (!value || *value <= 0 || *value > INT_MAX) // barang_stok_harian is an INT
        return std::nullopt;
    return value;
}

qlonglong wholeAmount(const QString &text) {
    return std::llround(common::amountValue(text));
}

} // namespace

QString cleanText(const QString &text) {
    QString t = text;
    t.remove(QLatin1Char('\''));
    return t.trimmed();
}

std::optional<MenuCheckFailure> checkMenuItem(const MenuItemForm &form) {
    // The name is judged as it will be stored, so blanks or apostrophes alone do not pass.
    if (cleanText(form.nama).isEmpty())
        return MenuCheckFailure{QStringLiteral("Nama menu harus diisi!"), MenuField::Nama};
    if (!validPrice(form.hargaPokok))
        return MenuCheckFailure{QStringLiteral("Harga pokok tidak valid!"), MenuField::HargaPokok};
    if (!validPrice(form.hargaJual))
        return MenuCheckFailure{QStringLiteral("Harga jual tidak valid!"), MenuField::HargaJual};
    if (!validStock(form.stokHarian))
        return MenuCheckFailure{QStringLiteral("Stok tidak valid!"), MenuField::StokHarian};
    // Codes of blanks only are empty ones; a code that names no slot would store a dangling slot.
    if (form.kdWaktu.trimmed().isEmpty())
        return MenuCheckFailure{QStringLiteral("Waktu harus diisi!"), MenuField::Waktu};
    if (!form.waktuCodes.contains(form.kdWaktu.trimmed()))
        return MenuCheckFailure{QStringLiteral("Waktu tidak valid!"), MenuField::Waktu};
    if (form.kdStatus.trimmed().isEmpty())
        return MenuCheckFailure{QStringLiteral("Status harus diisi!"), MenuField::Status};
    return std::nullopt;
}

MenuItemValues menuItemValues(const MenuItemForm &form) {
    MenuItemValues v;
    v.nama = form.nama;
    v.hargaPokok = wholeAmount(form.hargaPokok);
    v.hargaJual = wholeAmount(form.hargaJual);
    v.stokHarian = validStock(form.stokHarian).value_or(0);
    v.waktu = form.kdWaktu;
    v.status = form.kdStatus;
    return v;
}

common::KeyRule itemKeyRule() {
    common::KeyRule rule;
    rule.numberQuery =
        QStringLiteral("SELECT MAX(right(barang_kode, 3)) as Nomor FROM data_barang");
    rule.digits = 3;
    return rule;
}

const QString &insertMenuItemSql() {
    static const QString sql =
        QStringLiteral("INSERT INTO data_barang SET barang_kode = ?, barang_nama = ?, "
                       "barang_harga_jual = ?, barang_harga_pokok = ?, "
                       "barang_stok_harian = ?, barang_waktu = ?, barang_status=1, "
                       "barang_reg_date = NOW(), barang_reg_alias=?");
    return sql;
}

const QString &updateMenuItemSql() {
    static const QString sql =
        QStringLiteral("UPDATE data_barang SET  barang_nama = ?, barang_harga_jual = ?, "
                       "barang_harga_pokok = ?, barang_stok_harian = ?, barang_waktu = ?, "
                       "barang_status=?,  barang_upd_date = NOW(), barang_upd_alias=? "
                       "WHERE barang_kode = ? "
                       // the row as the window loaded it
                       "AND BINARY barang_nama = ? AND ROUND(barang_harga_jual) = ? "
                       "AND ROUND(barang_harga_pokok) = ? AND barang_stok_harian = ? "
                       // an empty slot (none, or one since removed) is not compared
                       "AND (? IS NULL OR barang_waktu = ?) AND BINARY barang_status = ?");
    return sql;
}

void insertMenuItem(const QString &code, const MenuItemValues &v, const QString &alias) {
    db::exec(insertMenuItemSql(),
             {code, v.nama, v.hargaJual, v.hargaPokok, v.stokHarian, v.waktu, alias});
}

bool updateMenuItem(const QString &code, const MenuItemValues &v, const QString &alias,
                    const MenuItemLoaded &loaded) {
    const QVariant loadedWaktu =
        loaded.waktu.isEmpty() ? QVariant(QMetaType(QMetaType::Int)) : QVariant(loaded.waktu);
    const int changed = db::exec(
        updateMenuItemSql(), {v.nama, v.hargaJual, v.hargaPokok, v.stokHarian, v.waktu, v.status,
                              alias, code, loaded.nama, loaded.hargaJual, loaded.hargaPokok,
                              loaded.stokHarian, loadedWaktu, loadedWaktu, loaded.status});
    // The server counts changed rows: none also when the row already held every value.
    return changed > 0 || menuItemHolds(code, v);
}

const QString &menuItemHoldsSql() {
    static const QString sql = QStringLiteral(
        "SELECT COUNT(*) FROM data_barang WHERE barang_kode = ? AND BINARY barang_nama = ? "
        "AND barang_harga_pokok = ? AND barang_harga_jual = ? AND barang_stok_harian = ? "
        "AND barang_waktu <=> ? "
        // a NULL status or alias is not compared
        "AND (? IS NULL OR BINARY barang_status = ?) AND (? IS NULL OR barang_reg_alias = ?)");
    return sql;
}

namespace {

bool holds(const QString &code, const MenuItemValues &v, const QVariant &status,
           const QVariant &alias) {
    const QVariant waktu =
        v.waktu.isEmpty() ? QVariant(QMetaType(QMetaType::Int)) : QVariant(v.waktu);
    return db::number(db::scalar(menuItemHoldsSql(),
                                 {code, v.nama, v.hargaPokok, v.hargaJual, v.stokHarian, waktu,
                                  status, status, alias, alias})) > 0;
}

const QVariant kNotCompared = QVariant(QMetaType(QMetaType::QString));

} // namespace

bool menuItemHolds(const QString &code, const MenuItemValues &v) {
    return holds(code, v, v.status, kNotCompared);
}

bool menuItemExists(const QString &code) {
    return db::number(db::scalar(QStringLiteral("SELECT COUNT(*) FROM data_barang "
                                                "WHERE barang_kode = ?"),
                                 {code})) > 0;
}

bool newMenuItemStored(const QString &code, const MenuItemValues &v, const QString &alias) {
    return holds(code, v, kNotCompared, alias.isNull() ? kNotCompared : QVariant(alias));
}

QString slotCodeOfWaktu(const QString &waktu) {
    const QString t = waktu.trimmed();
    const qsizetype blank = t.indexOf(QLatin1Char(' '));
    return blank < 0 ? t : t.left(blank);
}

const QString &menuListSql() {
    static const QString sql =
        QStringLiteral("SELECT *, CONCAT(barang_waktu, ' ', GetWaktu(barang_waktu)) as Waktu, "
                       "GetBarangSisa(barang_kode) as Sisa FROM data_barang ");
    return sql;
}

db::Fill menuRows() {
    db::Reader r(menuListSql());
    const int kode = r.column(QStringLiteral("barang_kode"));
    const int nama = r.column(QStringLiteral("barang_nama"));
    const int pokok = r.column(QStringLiteral("barang_harga_pokok"));
    const int jual = r.column(QStringLiteral("barang_harga_jual"));
    const int stok = r.column(QStringLiteral("barang_stok_harian"));
    const int waktu = r.column(QStringLiteral("Waktu"));
    const int status = r.column(QStringLiteral("barang_status"));
    const int regDate = r.column(QStringLiteral("barang_reg_date"));
    const int regAlias = r.column(QStringLiteral("barang_reg_alias"));
    const int updDate = r.column(QStringLiteral("barang_upd_date"));
    const int updAlias = r.column(QStringLiteral("barang_upd_alias"));
    const int sisa = r.column(QStringLiteral("Sisa"));
    auto amount = [&r](int i) { return common::formatAmount(r.money(i)); };
    db::Fill fill;
    while (r.next()) {
        fill.rows.append({r.text(kode), r.text(nama), amount(pokok), amount(jual), r.text(stok),
                          r.text(waktu), r.text(status), r.text(regDate), r.text(regAlias),
                          r.text(updDate), r.text(updAlias), r.text(sisa)});
    }
    fill.failure = r.failure();
    return fill;
}

} // namespace catalogue
