#pragma once

#include "common/workingdialog.h"

#include "admin/accounts.h"

#include <QDialog>
#include <QString>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class frmData;

// Creates or edits a user account and resets its password to the default.
class frmSetupPengguna : public common::WorkingDialog {
    Q_OBJECT

public:
    explicit frmSetupPengguna(QWidget *parent = nullptr);
    ~frmSetupPengguna() override;

    // "tambah" or "edit"; set by the opener before exec().
    QString view;
    // The browser whose selected row an edit loads and whose list a save refills.
    frmData *data = nullptr;

    QLabel *lblKode;
    QLineEdit *txtUser;
    QLineEdit *txtNama;
    QLineEdit *txtPassword;
    QLineEdit *txtPassword2;
    QLineEdit *txtKeterangan;
    QComboBox *cboLevel;
    QLineEdit *txtKdLevel;
    QComboBox *cboUser;
    QLineEdit *txtKdUser;
    QComboBox *cboStatus;
    QLineEdit *txtKdStatus;
    QLineEdit *txtRegDate;
    QLineEdit *txtRegIp;
    QLineEdit *txtRegUser;
    QLineEdit *txtUpdDate;
    QLineEdit *txtUpdIP;
    QLineEdit *txtUpdUser;
    QLineEdit *txtExpired;
    QPushButton *cmdSimpan;
    QPushButton *cmdReset;
    QPushButton *cmdKeluar;

private:
    void load() override;
    void showStored();
    void cmdSimpan_Click();
    void cmdReset_Click();
    admin::UserForm form() const;
    QWidget *fieldWidget(admin::UserField field) const;

    std::optional<admin::UserRow> loadedRow_;
};
