#include "admin/frmGantiPassword.h"

#include "common/lostwrite.h"
#include "common/texts.h"
#include "common/twips.h"
#include "core/messages.h"
#include "core/program.h"
#include "core/session.h"
#include "db/gateway.h"
#include "db/sql.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit *passwordBox(QWidget *parent, const char *name) {
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setEchoMode(QLineEdit::Password);
    e->setMaxLength(100);
    return e;
}

} // namespace

frmGantiPassword::frmGantiPassword(QWidget *parent)
    : QDialog(parent)
    , txtPasswordLama(passwordBox(this, "txtPasswordLama"))
    , txtPasswordBaru(passwordBox(this, "txtPasswordBaru"))
    , txtKonfirmasi(passwordBox(this, "txtKonfirmasi"))
    , cmdSimpan(new QPushButton(QStringLiteral("SIMPAN"), this))
    , cmdKeluar(new QPushButton(QStringLiteral("KELUAR"), this)) {
    setWindowTitle(core::appTitle());
    cmdSimpan->setObjectName(QStringLiteral("cmdSimpan"));
    cmdKeluar->setObjectName(QStringLiteral("cmdKeluar"));
    cmdSimpan->setAutoDefault(true);
    cmdKeluar->setAutoDefault(true);
    auto *title = new QLabel(QStringLiteral("GANTI PASSWORD"), this);
    title->setObjectName(QStringLiteral("lblJudul"));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 3);
    title->setFont(bold);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Pasword Lama"), txtPasswordLama);
    fields->addRow(QStringLiteral("Password Baru"), txtPasswordBaru);
    fields->addRow(QStringLiteral("Konfirmasi"), txtKonfirmasi);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSimpan);
    buttons->addWidget(cmdKeluar);
    auto *main = new QVBoxLayout(this);
    main->addWidget(title);
    main->addLayout(fields);
    main->addLayout(buttons);
    const int dpi = logicalDpiX();
    setFixedSize(common::twipsToPixels(5200, dpi), common::twipsToPixels(2900, dpi));
    connect(cmdSimpan, &QPushButton::clicked, this, &frmGantiPassword::cmdSimpan_Click);
    connect(cmdKeluar, &QPushButton::clicked, this, &QDialog::reject);
    txtPasswordLama->setFocus();
    // Esc closes through QDialog's own reject().
}

frmGantiPassword::~frmGantiPassword() = default;

void frmGantiPassword::cmdSimpan_Click() {
    const admin::PasswordForm f{txtPasswordLama->text(), txtPasswordBaru->text(),
                                txtKonfirmasi->text()};
    if (const auto failure = admin::checkPassword(f)) {
        msg::exclamation(failure->message);
        switch (failure->field) {
        case admin::PasswordField::Lama:
            txtPasswordLama->setFocus();
            break;
        case admin::PasswordField::Baru:
            txtPasswordBaru->setFocus();
            break;
        case admin::PasswordField::Konfirmasi:
            txtKonfirmasi->setFocus();
            break;
        }
        return;
    }
    const QString alias = core::CurrentUser().aliasText();
    int logsBefore = -1;
    try {
        if (!admin::oldPasswordMatches(alias, f.lama)) {
            msg::exclamation(QStringLiteral("Password lama tidak sesuai!"));
            return;
        }
        logsBefore = admin::passwordLogCount(alias);
        if (!admin::changePassword(alias, f.lama, f.baru, core::versionText())) {
            msg::exclamation(QStringLiteral("Password lama tidak sesuai!"));
            return;
        }
    } catch (const db::Error &e) {
        // A lost reply is settled by reading the password and the log back.
        const auto found = e.isConnectionFailure() ? common::resolveLostWrite([&] {
            return logsBefore >= 0 && admin::passwordIs(alias, f.baru) &&
                   admin::passwordLogCount(alias) > logsBefore;
        })
                                                   : std::optional<bool>(false);
        if (!found || !*found) {
            msg::exclamation(common::text::NotSaved + QLatin1Char('\n') +
                             (found ? e.text() : db::kConnectionMessage));
            return;
        }
    }
    msg::information(QStringLiteral("Password berhasil diganti, silahkan login kembali!"));
    core::endProgram();
}
