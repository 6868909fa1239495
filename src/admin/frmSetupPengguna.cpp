#include "admin/frmSetupPengguna.h"

#include "admin/frmData.h"
#include "common/fill.h"
#include "common/lostwrite.h"
#include "common/selectors.h"
#include "common/texts.h"
#include "common/twips.h"
#include "core/busy.h"
#include "core/messages.h"
#include "core/program.h"
#include "core/session.h"
#include "db/gateway.h"
#include "db/sql.h"

#include <QComboBox>
#include <QDateTime>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kConflict =
    QStringLiteral("Data telah diubah oleh pengguna lain, silakan muat ulang!");
const QString kGreyBox = QStringLiteral("background-color: rgb(224, 224, 224);");

QLineEdit *lineEdit(QWidget *parent, const char *name, int maxLength) {
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    return e;
}

QLineEdit *stampBox(QWidget *parent, const char *name) {
    QLineEdit *e = lineEdit(parent, name, 60);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setStyleSheet(kGreyBox);
    return e;
}

QComboBox *combo(QWidget *parent, const char *name) {
    auto *c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(true);
    return b;
}

// A stored date or time in the workstation's default format; empty for NULL.
QString shownStamp(const QString &serverText) {
    const QLocale locale;
    QDateTime at = QDateTime::fromString(serverText, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (at.isValid())
        return locale.toString(at, QLocale::ShortFormat);
    const QDate d = QDate::fromString(serverText, QStringLiteral("yyyy-MM-dd"));
    return d.isValid() ? locale.toString(d, QLocale::ShortFormat) : serverText;
}

QWidget *pair(QWidget *parent, QLineEdit *code, QComboBox *box) {
    auto *w = new QWidget(parent);
    auto *l = new QHBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    code->setMaximumWidth(50);
    l->addWidget(code);
    l->addWidget(box, 1);
    return w;
}

} // namespace

frmSetupPengguna::frmSetupPengguna(QWidget *parent)
    : common::WorkingDialog(parent) {
    setWindowTitle(core::appTitle());
    auto *lblJudul = new QLabel(QStringLiteral("SETUP PENGGUNA"), this);
    lblJudul->setObjectName(QStringLiteral("lblJudul"));
    QFont bold = lblJudul->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 3);
    lblJudul->setFont(bold);
    auto *lblKet = new QLabel(QStringLiteral("Form ini untuk setup pengguna aplikasi"), this);

    lblKode = new QLabel(this);
    lblKode->setObjectName(QStringLiteral("lblKode"));
    txtUser = lineEdit(this, "txtUser", 60);
    txtNama = lineEdit(this, "txtNama", 100);
    txtPassword = lineEdit(this, "txtPassword", 100);
    txtPassword2 = lineEdit(this, "txtPassword2", 100);
    txtKeterangan = lineEdit(this, "txtKeterangan", 255);
    cboLevel = combo(this, "cboLevel");
    txtKdLevel = lineEdit(this, "txtKdLevel", 11);
    cboUser = combo(this, "cboUser");
    txtKdUser = lineEdit(this, "txtKdUser", 10);
    cboStatus = combo(this, "cboStatus");
    txtKdStatus = lineEdit(this, "txtKdStatus", 2);
    txtRegDate = stampBox(this, "txtRegDate");
    txtRegIp = stampBox(this, "txtRegIp");
    txtRegUser = stampBox(this, "txtRegUser");
    txtUpdDate = stampBox(this, "txtUpdDate");
    txtUpdIP = stampBox(this, "txtUpdIP");
    txtUpdUser = stampBox(this, "txtUpdUser");
    txtExpired = stampBox(this, "txtExpired");
    cmdSimpan = button(this, "cmdSimpan", QStringLiteral("SIMPAN"));
    cmdReset = button(this, "cmdReset", QStringLiteral("RESET"));
    cmdKeluar = button(this, "cmdKeluar", QStringLiteral("KELUAR"));

    auto *withHint = [](QWidget *owner, QLineEdit *box, const QString &hint) {
        auto *w = new QWidget(owner);
        auto *l = new QHBoxLayout(w);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(box, 1);
        l->addWidget(new QLabel(hint, w));
        return w;
    }(this, txtUser, QStringLiteral("Maks. 15 Karakter"));
    auto *passwordRow = new QWidget(this);
    {
        auto *l = new QHBoxLayout(passwordRow);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(txtPassword, 1);
        l->addWidget(new QLabel(QStringLiteral("Maks. 20 Karakter"), passwordRow));
    }
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Kode"), lblKode);
    fields->addRow(QStringLiteral("Login User"), withHint);
    fields->addRow(QStringLiteral("Nama Lengkap"), txtNama);
    fields->addRow(QStringLiteral("Login Password"), passwordRow);
    fields->addRow(QStringLiteral("Ulangi Password"), txtPassword2);
    fields->addRow(QStringLiteral("Level Menu"), pair(this, txtKdLevel, cboLevel));
    fields->addRow(QStringLiteral("Level User"), pair(this, txtKdUser, cboUser));
    fields->addRow(QStringLiteral("Status User"), pair(this, txtKdStatus, cboStatus));
    fields->addRow(QStringLiteral("Keterangan lain"), txtKeterangan);
    auto *stamps = new QGridLayout;
    stamps->addWidget(new QLabel(QStringLiteral("Reg. Date"), this), 0, 0);
    stamps->addWidget(txtRegDate, 0, 1);
    stamps->addWidget(new QLabel(QStringLiteral("Upd. Date"), this), 0, 2);
    stamps->addWidget(txtUpdDate, 0, 3);
    stamps->addWidget(new QLabel(QStringLiteral("Reg. IP"), this), 1, 0);
    stamps->addWidget(txtRegIp, 1, 1);
    stamps->addWidget(new QLabel(QStringLiteral("Upd. Ip"), this), 1, 2);
    stamps->addWidget(txtUpdIP, 1, 3);
    stamps->addWidget(new QLabel(QStringLiteral("Reg. User"), this), 2, 0);
    stamps->addWidget(txtRegUser, 2, 1);
    stamps->addWidget(new QLabel(QStringLiteral("Upd. User"), this), 2, 2);
    stamps->addWidget(txtUpdUser, 2, 3);
    stamps->addWidget(new QLabel(QStringLiteral("Expired Date"), this), 3, 0);
    stamps->addWidget(txtExpired, 3, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdReset);
    buttons->addStretch(1);
    buttons->addWidget(cmdSimpan);
    buttons->addWidget(cmdKeluar);
    auto *main = new QVBoxLayout(this);
    main->addWidget(lblJudul);
    main->addWidget(lblKet);
    main->addLayout(fields);
    main->addLayout(stamps);
    main->addLayout(buttons);
    const int dpi = logicalDpiX();
    setFixedSize(common::twipsToPixels(8000, dpi), common::twipsToPixels(8200, dpi));

    common::pairCodeBox(txtKdLevel, cboLevel);
    common::pairCodeBox(txtKdUser, cboUser);
    common::pairCodeBox(txtKdStatus, cboStatus);
    connect(cmdSimpan, &QPushButton::clicked, this, &frmSetupPengguna::cmdSimpan_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmSetupPengguna::cmdReset_Click);
    connect(cmdKeluar, &QPushButton::clicked, this, &QDialog::reject);
    // Esc closes through QDialog's own reject().
}

frmSetupPengguna::~frmSetupPengguna() = default;

void frmSetupPengguna::load() {
    const auto failure = common::firstFailure(
        {common::FillGroups(cboLevel), common::FillComponentList(cboUser, QStringLiteral("01")),
         common::FillComponentList(cboStatus, QStringLiteral("02"))});
    if (view == QLatin1String("edit") && data) {
        txtUser->setReadOnly(true);
        for (QLineEdit *box : {txtPassword, txtPassword2}) {
            box->setEnabled(false);
            box->setStyleSheet(kGreyBox);
        }
        lblKode->setText(data->selectedSubItem(1));
        txtUser->setText(data->selectedSubItem(3));
        txtNama->setText(data->selectedSubItem(2));
        txtKdLevel->setText(data->selectedSubItem(4));
        txtKdStatus->setText(data->selectedSubItem(12));
        txtKeterangan->setText(data->selectedSubItem(14));
        showStored();
        txtNama->setFocus();
    } else {
        txtUser->setFocus();
    }
    common::reportFillFailure(failure);
}

// The stored kind and stamps of the user in lblKode; also what the optimistic save compares.
void frmSetupPengguna::showStored() {
    try {
        loadedRow_ = admin::loadUser(lblKode->text());
    } catch (const db::Error &e) {
        loadedRow_.reset();
        common::reportFillFailure(e);
        return;
    }
    if (!loadedRow_)
        return;
    txtKdUser->setText(loadedRow_->jenis);
    txtRegDate->setText(shownStamp(loadedRow_->regDate));
    txtRegIp->setText(loadedRow_->regIp);
    txtRegUser->setText(loadedRow_->regAlias);
    txtUpdDate->setText(shownStamp(loadedRow_->updDate));
    txtUpdIP->setText(loadedRow_->updIp);
    txtUpdUser->setText(loadedRow_->updAlias);
    txtExpired->setText(shownStamp(loadedRow_->expDate));
}

admin::UserForm frmSetupPengguna::form() const {
    return {lblKode->text(),       txtUser->text(),     txtNama->text(),
            txtKdLevel->text(),    txtKdUser->text(),   txtKdStatus->text(),
            txtKeterangan->text(), txtPassword->text(), txtPassword2->text()};
}

QWidget *frmSetupPengguna::fieldWidget(admin::UserField field) const {
    switch (field) {
    case admin::UserField::User:
        return txtUser;
    case admin::UserField::Nama:
        return txtNama;
    case admin::UserField::Level:
        return cboLevel;
    case admin::UserField::Jenis:
        return cboUser;
    case admin::UserField::Status:
        return cboStatus;
    case admin::UserField::Password:
        return txtPassword;
    case admin::UserField::Password2:
        return txtPassword2;
    }
    return txtUser;
}

void frmSetupPengguna::cmdSimpan_Click() {
    const bool isNew = view == QLatin1String("tambah");
    const admin::UserForm f = form();
    if (const auto failure = admin::checkUser(f, isNew)) {
        msg::exclamation(failure->message);
        fieldWidget(failure->field)->setFocus();
        return;
    }
    const admin::UserStamp stamp{core::CurrentUser().ipAddress, core::CurrentUser().aliasText()};
    bool stored = true;
    QString attempted = f.id;
    try {
        core::BusyCursor busy;
        if (isNew) {
            const auto id = admin::createUser(f, stamp, &attempted);
            if (!id)
                return;
            lblKode->setText(*id);
        } else {
            stored = loadedRow_ && admin::updateUser(f, *loadedRow_, stamp);
        }
    } catch (const db::Error &e) {
        if (e.isDuplicate() && e.duplicateKey() == admin::kUserAliasKey) {
            msg::exclamation(QStringLiteral("User sudah terdaftar!"));
            txtUser->setFocus();
            return;
        }
        // A lost reply is settled by reading the user back before anything is reported.
        admin::UserForm written = f;
        written.id = attempted;
        const auto found = e.isConnectionFailure() ? common::resolveLostWrite([&] {
            return !attempted.isEmpty() && admin::userStored(written, !isNew);
        })
                                                   : std::optional<bool>(false);
        if (!found || !*found) {
            msg::exclamation(common::text::NotSaved + QLatin1Char('\n') +
                             (found ? e.text() : db::kConnectionMessage));
            return;
        }
        lblKode->setText(attempted);
    }
    if (!stored) {
        msg::exclamation(kConflict);
        showStored();
        if (loadedRow_) {
            txtNama->setText(loadedRow_->nama);
            txtKdLevel->setText(loadedRow_->group);
            txtKdStatus->setText(loadedRow_->status);
            txtKeterangan->setText(loadedRow_->keterangan);
        }
        return;
    }
    common::ShowSavedMessage();
    if (data)
        data->DataPengguna();
    accept();
}

void frmSetupPengguna::cmdReset_Click() {
    if (lblKode->text().isEmpty()) {
        msg::exclamation(QStringLiteral("Simpan Data terlebih dahulu!"));
        return;
    }
    try {
        if (admin::resetPassword(txtUser->text()) == 0) {
            msg::exclamation(common::text::NoData);
            return;
        }
    } catch (const db::Error &e) {
        const auto found = e.isConnectionFailure() ? common::resolveLostWrite([&] {
            return admin::passwordIs(txtUser->text(), admin::kDefaultPassword);
        })
                                                   : std::optional<bool>(false);
        if (!found || !*found) {
            msg::exclamation(common::text::NotSaved + QLatin1Char('\n') +
                             (found ? e.text() : db::kConnectionMessage));
            return;
        }
    }
    msg::information(QStringLiteral("User telah di reset, password default ") +
                     admin::kDefaultPassword);
    accept();
}
