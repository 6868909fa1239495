#pragma once

#include <QWidget>

class frmMain;

namespace Ui {
class frmLogin;
}

// The start-up window: choose a connection profile, check the server's date and
// look the user up. Three rejected lookups end the program.
class frmLogin : public QWidget {
    Q_OBJECT

public:
    enum class LoginResult {
        Accepted,     // main window shown, session connection opened
        Rejected,     // no account for the name and password: counted
        DateMismatch, // computer and server dates differ: not counted
        NotRun        // the lookup could not run on the login connection: not counted
    };

    explicit frmLogin(QWidget *parent = nullptr);
    ~frmLogin() override;

    int attemptsLeft() const { return attemptsLeft_; }

    // The date check for the profile code in txtKdKoneksi.
    void TanggalServer();
    // The user lookup on the login connection, with the boxes as they stand.
    LoginResult Login();

signals:
    // An accepted login has shown the main window.
    void loggedIn(frmMain *mainWindow);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void codeChanged();
    void setCredentialsLocked(bool locked);
    void cmdLoginClick();
    void cmdKeluarClick();
    void passwordEnter();

    Ui::frmLogin *ui;
    quint8 attemptsLeft_ = 3;
};
