#include "app/frmLogin.h"

#include "ui_frmLogin.h"

#include "app/formats.h"
#include "app/frmMain.h"
#include "app/loginlookup.h"
#include "common/selectors.h"
#include "core/messages.h"
#include "core/program.h"
#include "core/session.h"
#include "db/gateway.h"
#include "db/reader.h"
#include "db/sql.h"
#include "db/storedtext.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

namespace {

const QString kGrey = QStringLiteral("background-color: #C0C0C0;");
// The password box masks with "*" (42).
const QString kPasswordMask = QStringLiteral("lineedit-password-character: 42;");

} // namespace

frmLogin::frmLogin(QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::frmLogin) {
    ui->setupUi(this);
    setWindowTitle(QString()); // until a profile is chosen
    ui->txtPassword->setEchoMode(QLineEdit::Password);

    // Window load.
    ui->lblVersion->setText(QStringLiteral("Version ") + core::versionText());
    attemptsLeft_ = 3;
    common::FillConnectionProfiles(ui->cboKoneksi);
    setCredentialsLocked(true);

    // The pairing runs first on a change of the code box, then the profile's date check.
    common::pairCodeBox(ui->txtKdKoneksi, ui->cboKoneksi);
    connect(ui->txtKdKoneksi, &QLineEdit::textChanged, this, &frmLogin::codeChanged);

    connect(ui->cmdLogin, &QPushButton::clicked, this, &frmLogin::cmdLoginClick);
    connect(ui->cmdKeluar, &QPushButton::clicked, this, &frmLogin::cmdKeluarClick);
    ui->txtUser->installEventFilter(this);
    ui->txtPassword->installEventFilter(this);
}

frmLogin::~frmLogin() {
    delete ui;
}

void frmLogin::setCredentialsLocked(bool locked) {
    for (QLineEdit *box : {ui->txtUser, ui->txtPassword}) {
        box->setReadOnly(locked);
        QString style = locked ? kGrey : QString();
        if (box == ui->txtPassword)
            style += kPasswordMask;
        box->setStyleSheet(style);
    }
}

void frmLogin::codeChanged() {
    ui->txtTglServer->clear();
    ui->txtTglKomputer->clear();
    TanggalServer();
    setCredentialsLocked(ui->txtKdKoneksi->text().isEmpty());
}

void frmLogin::TanggalServer() {
    // A code outside 1 to 5 (or none) keeps the previous server and port.
    db::useProfile(ui->txtKdKoneksi->text());
    setWindowTitle(QStringLiteral("APLIKASI CAFE SINDARA"));
    ui->txtTglServer->clear();
    ui->txtTglKomputer->clear();
    db::OpenLoginConnection();

    bool known = false;
    if (db::loginState() == db::StateOpen) {
        try {
            ui->txtTglServer->setText(app::loginDateText(db::serverNow(db::loginConnection())));
            ui->txtTglKomputer->setText(app::loginDateText(core::now()));
            known = true;
        } catch (const db::Error &) {
            // The connection died between open and query: the date stays unknown.
        }
    }
    ui->cmdLogin->setEnabled(known);
}

void frmLogin::cmdLoginClick() {
    auto refuse = [](const QString &text, QWidget *focus) {
        msg::exclamation(text);
        focus->setFocus();
    };
    if (ui->txtTglKomputer->text().trimmed().isEmpty() ||
        ui->txtTglServer->text().trimmed().isEmpty())
        return refuse(QStringLiteral("Pilih Koneksi!"), ui->cboKoneksi);
    if (ui->txtKdKoneksi->text().trimmed().isEmpty())
        return refuse(QStringLiteral("Pilih Koneksi!"), ui->cboKoneksi);
    if (ui->txtUser->text().trimmed().isEmpty())
        return refuse(QStringLiteral("User belum diisi!"), ui->txtUser);
    if (ui->txtPassword->text().trimmed().isEmpty())
        return refuse(QStringLiteral("Password belum diisi!"), ui->txtPassword);

    for (QLineEdit *box : {ui->txtUser, ui->txtPassword}) {
        QString text = box->text();
        text.remove(QLatin1Char('\'')).remove(QLatin1Char('=')).remove(QLatin1Char('/'));
        box->setText(text);
    }
    // The injection guard is evaluated but does not stop the login: the values are bound
    // parameters, never part of the statement text.
    [[maybe_unused]] const bool safe =
        db::IsSafeText(ui->txtUser->text()) && db::IsSafeText(ui->txtPassword->text());

    if (db::loginState() != db::StateOpen)
        return;
    const LoginResult result = Login();
    // A rejected lookup opened no session connection and keeps to its single message.
    if (result == LoginResult::Accepted && db::sessionState() == db::StateNotConnected)
        msg::exclamation(db::kConnectionMessage);
}

frmLogin::LoginResult frmLogin::Login() {
    if (ui->txtTglKomputer->text() != ui->txtTglServer->text()) {
        msg::information(QStringLiteral("Tanggal komputer tidak sama dengan tanggal server!"));
        return LoginResult::DateMismatch;
    }

    core::CurrentUserRecord found;
    bool accepted = false;
    try {
        accepted = app::lookUpLogin(ui->txtUser->text(), ui->txtPassword->text(),
                                    db::loginConnection(), found);
    } catch (const db::Error &) {
        msg::exclamation(db::kConnectionMessage);
        return LoginResult::NotRun;
    }

    LoginResult result = LoginResult::Rejected;
    if (!accepted) {
        msg::exclamation(QStringLiteral("User atau Password salah!"));
        if (attemptsLeft_ > 0)
            --attemptsLeft_;
        ui->txtUser->clear();
        ui->txtPassword->clear();
        ui->txtUser->setFocus();
    } else {
        result = LoginResult::Accepted;
        core::CurrentUserRecord &user = core::CurrentUser();
        user.id = found.id;
        user.name = found.name;
        user.alias = found.alias;
        user.group = found.group;
        user.kind = found.kind;
        user.kindText = found.kindText;
        user.cluster = found.cluster;
        user.office = found.office;
        user.accessKind = found.accessKind;

        // The main window is shown before the login window goes, so that the program always
        // has a window open. The frame opens maximized, so that the status bar shows all ten
        // panels.
        auto *main = new frmMain;
        // Without a window manager "maximized" means nothing: fill the screen by hand too.
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            main->setGeometry(screen->availableGeometry());
        main->showMaximized();
        close();
        const QDateTime now = core::now();
        main->setPanelText(2, user.aliasText());
        main->setPanelText(3, app::longDateText(now.date()));
        main->setPanelText(4, app::clockText(now.time()));
        main->setPanelText(7, user.kindText);

        db::closeLoginConnection();
        db::OpenSessionConnection();
        emit loggedIn(main);
    }

    if (attemptsLeft_ == 0) {
        msg::information(QStringLiteral("Anda telah 3x salah login, aplikasi akan ditutup!"));
        core::endProgram();
    }
    return result;
}

void frmLogin::passwordEnter() {
    // Enter in the password box runs the lookup without the button's checks; with no open
    // login connection there is nothing to look up in, and nothing is counted.
    if (db::loginState() != db::StateOpen) {
        msg::exclamation(db::kConnectionMessage);
        return;
    }
    Login();
}

void frmLogin::cmdKeluarClick() {
    core::deleteTempFiles();
    core::endProgram();
}

bool frmLogin::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::KeyPress &&
        (watched == ui->txtUser || watched == ui->txtPassword)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->text() == QLatin1String("'"))
            return true; // swallowed
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == ui->txtUser)
                ui->txtPassword->setFocus();
            else
                passwordEnter();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmLogin::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        cmdKeluarClick();
        return;
    }
    QWidget::keyPressEvent(event);
}
