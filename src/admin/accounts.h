#pragma once

#include "common/nextkey.h"

#include <QString>

#include <optional>

// User accounts and the password change, apart from their windows.
namespace admin {

// The user fields as the editor holds them.
struct UserForm {
    QString id; // lblKode; empty for a new user
    QString user;
    QString nama;
    QString level;  // txtKdLevel
    QString jenis;  // txtKdUser
    QString status; // txtKdStatus
    QString keterangan;
    QString password;
    QString password2;
};

enum class UserField { User, Nama, Level, Jenis, Status, Password, Password2 };
struct UserCheckFailure {
    QString message;
    UserField field;
};
// The save checks in their order; the password checks only for a new user.
std::optional<UserCheckFailure> checkUser(const UserForm &form, bool isNew);

// User numbers "001".."999", one above the highest stored.
common::KeyRule userKeyRule();

// The key a second user with the same login name hits.
inline const QString kUserAliasKey = QStringLiteral("uq_user_alias");

struct UserStamp {
    QString ip;
    QString alias;
};

// Creates the user in one transaction (the key columns, then the rest, expiry three months
// after the server's date) and returns the number; nullopt when the numbers are used up (the
// message was shown). Throws db::Error, a duplicate of kUserAliasKey for a taken login name.
// *attempted gets the number the last insert tried, for looking the user up after a lost reply.
std::optional<QString> createUser(const UserForm &form, const UserStamp &stamp,
                                  QString *attempted = nullptr);

// After a lost reply: the user with this number holds the login name, the password and the
// values of the form (as created, or as edited when edited is set).
bool userStored(const UserForm &form, bool edited);

// The password log rows of a user, counted before a change to tell afterwards whether its row
// was stored.
int passwordLogCount(const QString &alias);

// The stored values and stamps of a user, as the editor shows them.
struct UserRow {
    QString nama;
    QString group;
    QString jenis;
    QString status;
    QString keterangan;
    QString regDate, regIp, regAlias;
    QString updDate, updIp, updAlias;
    QString expDate;
};
std::optional<UserRow> loadUser(const QString &id); // throws db::Error

// Updates name, group, kind, status and note while the row holds what was loaded; false
// (nothing written) otherwise. Login name, password, creation stamps and expiry stay.
bool updateUser(const UserForm &form, const UserRow &loaded, const UserStamp &stamp);

// The default password a reset sets.
inline const QString kDefaultPassword = QStringLiteral("739164");
// Resets the password of the user with this login name; the number of users found.
int resetPassword(const QString &loginName);

// The password change.
struct PasswordForm {
    QString lama;
    QString baru;
    QString konfirmasi;
};
enum class PasswordField { Lama, Baru, Konfirmasi };
struct PasswordCheckFailure {
    QString message;
    PasswordField field;
};
std::optional<PasswordCheckFailure> checkPassword(const PasswordForm &form);

// True when the user's stored password is this one. Throws db::Error.
bool oldPasswordMatches(const QString &alias, const QString &password);

// Sets the new password and writes the log row in one transaction; false (nothing written)
// when the stored password is no longer the old one. Throws db::Error.
bool changePassword(const QString &alias, const QString &oldPassword, const QString &newPassword,
                    const QString &version);

// True when the user's stored password is this one, read again after a lost reply.
bool passwordIs(const QString &alias, const QString &password);

// The statements, for tests.
const QString &insertUserKeySql();
const QString &completeUserSql();
const QString &updateUserSql();
const QString &resetPasswordSql();
const QString &changePasswordSql();
const QString &passwordLogInsertSql();

} // namespace admin
