#pragma once

#include "admin/accounts.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// The logged-in user changes their own password; the program then ends for a new login.
class frmGantiPassword : public QDialog {
    Q_OBJECT

public:
    explicit frmGantiPassword(QWidget *parent = nullptr);
    ~frmGantiPassword() override;

    QLineEdit *txtPasswordLama;
    QLineEdit *txtPasswordBaru;
    QLineEdit *txtKonfirmasi;
    QPushButton *cmdSimpan;
    QPushButton *cmdKeluar;

private:
    void cmdSimpan_Click();
};
