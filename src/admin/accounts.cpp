#include "admin/accounts.h"

#include "db/reader.h"
#include "db/sql.h"

namespace admin {

std::optional<UserCheckFailure> checkUser(const UserForm &f, bool isNew) {
    if (f.user.isEmpty())
        return UserCheckFailure{QStringLiteral("User Login belum diisi!"), UserField::User};
    if (f.nama.isEmpty())
        return UserCheckFailure{QStringLiteral("Nama lengkap belum diisi!"), UserField::Nama};
    if (f.level.isEmpty())
        return UserCheckFailure{QStringLiteral("Level menu belum diisi!"), UserField::Level};
    if (f.jenis.isEmpty())
        return UserCheckFailure{QStringLiteral("Level user belum diisi!"), UserField::Jenis};
    if (f.status.isEmpty())
        return UserCheckFailure{QStringLiteral("Status belum diisi!"), UserField::Status};
    if (isNew && f.password.isEmpty())
        return UserCheckFailure{QStringLiteral("Password Login belum diisi!"), UserField::Password};
    if (isNew && f.password2 != f.password)
        return UserCheckFailure{QStringLiteral("Password konfirmasi tidak sesuai!"),
                                UserField::Password2};
    return std::nullopt;
}

common::KeyRule userKeyRule() {
    common::KeyRule rule;
    rule.numberQuery =
        QStringLiteral("SELECT MAX(right(user_id, 3)) as Nomor FROM data_pengguna_alias");
    rule.digits = 3;
    return rule;
}

const QString &insertUserKeySql() {
    static const QString sql =
        QStringLiteral("INSERT INTO data_pengguna_alias (user_id, user_alias) VALUES (?, ?)");
    return sql;
}

const QString &completeUserSql() {
    static const QString sql = QStringLiteral(
        "UPDATE data_pengguna_alias SET user_group = ?, user_jenis = ?, user_pwd = MD5(?), "
        "user_nama = ?, user_keterangan = ?, user_status = ?, user_reg_date = now(), "
        "user_reg_ip = ?, user_reg_alias = ?, "
        "user_exp_date = DATE_ADD(CURDATE(),INTERVAL 3 MONTH) WHERE user_id = ?");
    return sql;
}

// Writes only while the row holds what the editor loaded.
const QString &updateUserSql() {
    static const QString sql = QStringLiteral(
        "UPDATE data_pengguna_alias SET user_group = ?, user_jenis = ?, user_nama = ?, "
        "user_keterangan = ?, user_status = ?, user_upd_date = now(), user_upd_ip = ?, "
        "user_upd_alias = ? WHERE user_id = ? AND user_group <=> ? AND user_jenis <=> ? "
        "AND user_nama <=> ? AND user_keterangan <=> ? AND user_status <=> ? "
        "AND user_upd_date <=> ?");
    return sql;
}

const QString &resetPasswordSql() {
    static const QString sql =
        QStringLiteral("UPDATE data_pengguna_alias SET user_pwd = MD5(?) WHERE user_alias = ?");
    return sql;
}

const QString &changePasswordSql() {
    static const QString sql = QStringLiteral("UPDATE data_pengguna_alias SET user_pwd = MD5(?) "
                                              "WHERE user_alias = ? AND user_pwd = MD5(?)");
    return sql;
}

const QString &passwordLogInsertSql() {
    static const QString sql =
        QStringLiteral("INSERT INTO log_password SET log_date = NOW(), log_time = NOW(), "
                       "log_user = ?, log_version = ?");
    return sql;
}

namespace {

QVariant orNull(const QString &text) {
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

std::optional<QString> createUser(const UserForm &f, const UserStamp &stamp, QString *attempted) {
    db::Transaction tx;
    const auto id = common::insertWithNextKey(userKeyRule(), QStringLiteral("PRIMARY"),
                                              [&](const QString &key) {
                                                  if (attempted)
                                                      *attempted = key;
                                                  db::exec(insertUserKeySql(), {key, f.user});
                                              });
    if (!id)
        return std::nullopt;
    db::exec(completeUserSql(), {f.level, f.jenis, f.password, f.nama, f.keterangan, f.status,
                                 stamp.ip, stamp.alias, *id});
    tx.commit();
    return id;
}

std::optional<UserRow> loadUser(const QString &id) {
    db::Reader r(QStringLiteral("SELECT user_nama, user_group, user_status, user_keterangan, "
                                "user_reg_date, user_reg_ip, user_reg_alias, user_jenis, "
                                "user_upd_date, user_upd_alias, user_upd_ip, user_exp_date "
                                "FROM data_pengguna_alias WHERE user_id = ?"),
                 {id});
    QList<int> c;
    for (const char *name : {"user_nama", "user_group", "user_jenis", "user_status",
                             "user_keterangan", "user_reg_date", "user_reg_ip", "user_reg_alias",
                             "user_upd_date", "user_upd_ip", "user_upd_alias", "user_exp_date"})
        c.append(r.column(QString::fromLatin1(name)));
    if (!r.next()) {
        r.throwIfFailed();
        return std::nullopt;
    }
    auto t = [&](int i) { return r.isNull(c[i]) ? QString() : r.text(c[i]); };
    return UserRow{t(0), t(1), t(2), t(3), t(4), t(5), t(6), t(7), t(8), t(9), t(10), t(11)};
}

bool userStored(const UserForm &f, bool edited) {
    const auto row = loadUser(f.id);
    if (!row || row->group != f.level || row->jenis != f.jenis || row->nama != f.nama ||
        row->keterangan != f.keterangan || row->status != f.status)
        return false;
    if (edited)
        return true;
    return static_cast<int>(db::number(db::scalar(
               QStringLiteral("SELECT COUNT(*) FROM data_pengguna_alias WHERE user_id = ? "
                              "AND user_alias = ? AND user_pwd = MD5(?)"),
               {f.id, f.user, f.password}))) == 1;
}

int passwordLogCount(const QString &alias) {
    return static_cast<int>(db::number(db::scalar(
        QStringLiteral("SELECT COUNT(*) FROM log_password WHERE log_user = ?"), {alias})));
}

bool updateUser(const UserForm &f, const UserRow &loaded, const UserStamp &stamp) {
    const int changed =
        db::exec(updateUserSql(),
                 {f.level, f.jenis, f.nama, f.keterangan, f.status, stamp.ip, stamp.alias, f.id,
                  orNull(loaded.group), orNull(loaded.jenis), orNull(loaded.nama),
                  orNull(loaded.keterangan), orNull(loaded.status), orNull(loaded.updDate)});
    if (changed > 0)
        return true;
    // Zero changed rows is also a save of the same values within the same second.
    const auto now = loadUser(f.id);
    return now && now->group == f.level && now->jenis == f.jenis && now->nama == f.nama &&
           now->keterangan == f.keterangan && now->status == f.status &&
           now->updAlias == stamp.alias;
}

int resetPassword(const QString &loginName) {
    const int found = static_cast<int>(db::number(
        db::scalar(QStringLiteral("SELECT COUNT(*) FROM data_pengguna_alias WHERE user_alias = ?"),
                   {loginName})));
    if (found > 0)
        db::exec(resetPasswordSql(), {kDefaultPassword, loginName});
    return found;
}

std::optional<PasswordCheckFailure> checkPassword(const PasswordForm &f) {
    if (f.lama.isEmpty())
        return PasswordCheckFailure{QStringLiteral("Password lama belum diisi!"),
                                    PasswordField::Lama};
    if (f.baru.isEmpty())
        return PasswordCheckFailure{QStringLiteral("Password baru belum diisi!"),
                                    PasswordField::Baru};
    if (f.konfirmasi.isEmpty())
        return PasswordCheckFailure{QStringLiteral("Password konfirmasi belum diisi!"),
                                    PasswordField::Konfirmasi};
    if (f.konfirmasi != f.baru)
        return PasswordCheckFailure{
            QStringLiteral("Password konfirmasi tidak sama dengan password baru!"),
            PasswordField::Konfirmasi};
    return std::nullopt;
}

bool oldPasswordMatches(const QString &alias, const QString &password) {
    db::Reader r(QStringLiteral("SELECT user_pwd FROM data_pengguna_alias "
                                "WHERE user_alias = ? AND user_pwd = MD5(?) "),
                 {alias, password});
    const bool found = r.next();
    r.throwIfFailed();
    return found;
}

bool passwordIs(const QString &alias, const QString &password) {
    return oldPasswordMatches(alias, password);
}

bool changePassword(const QString &alias, const QString &oldPassword, const QString &newPassword,
                    const QString &version) {
    db::Transaction tx;
    // Matched by the old password: a change from another workstation in between is not
    // overwritten. A new password equal to the old changes no row but still counts.
    const int changed = db::exec(changePasswordSql(), {newPassword, alias, oldPassword});
    if (changed == 0 && !(oldPassword == newPassword && oldPasswordMatches(alias, oldPassword)))
        return false;
    db::exec(passwordLogInsertSql(), {alias, version});
    tx.commit();
    return true;
}

} // namespace admin
