#include "app/frmMain.h"

#include "ui_frmMain.h"

#include "admin/frmGantiPassword.h"
#include "app/databrowser.h"
#include "app/formats.h"
#include "app/menubar.h"
#include "app/modParameter.h"
#include "app/sessiontrack.h"
#include "app/statuspanels.h"
#include "app/versioncheck.h"
#include "catalogue/frmSetupBarang.h"
#include "catalogue/frmSetupWaktu.h"
#include "core/messages.h"
#include "core/program.h"
#include "core/session.h"
#include "db/gateway.h"
#include "db/sql.h"
#include "orders/frmCafeOrder.h"
#include "orders/frmCafeTransLaporan.h"
#include "sales/frmCafeTransUmum.h"
#include "transfers/frmMadamatTrans.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

frmMain::frmMain(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::frmMain)
    , timer1_(new QTimer(this))
    , timer2_(new QTimer(this))
    , watch_(new app::SessionWatch(this)) {
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);

    // Window load.
    setWindowTitle(QStringLiteral("APLIKASI CAFE REALTIME ONLINE Version ") + core::versionText());

    panels_ = new app::StatusPanels(ui->StatusBar1);
    ui->StatusBar1->addWidget(panels_, 1);
    ui->StatusBar1->setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));

    // Timer1, the clock: the time to the second, waking once a second at the turn of it.
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setSingleShot(true);
    timer1_->setTimerType(Qt::PreciseTimer);
    connect(timer1_, &QTimer::timeout, this, &frmMain::clockTick);
    scheduleClock();

    // Timer2, the start-up tick: once, 150 ms after the window is shown.
    timer2_->setObjectName(QStringLiteral("Timer2"));
    timer2_->setSingleShot(true);
    timer2_->setInterval(150);
    connect(timer2_, &QTimer::timeout, this, &frmMain::startupTick);

    app::enableMenuKeys(this, ui->SmartMenuXP1);
    connect(ui->SmartMenuXP1, &QMenuBar::triggered, this, [this](QAction *action) {
        closeDataBrowser();
        dispatchMenu(action->property("menuKey").toString());
    });
}

frmMain::~frmMain() {
    delete ui;
}

QLabel *frmMain::panel(int index) const {
    return panels_->panel(index);
}

QString frmMain::panelText(int index) const {
    return panels_->text(index);
}

void frmMain::setPanelText(int index, const QString &text) {
    panels_->setText(index, text);
}

bool frmMain::ShowPanelText(int index, const QString &text) {
    return panels_->showColoured(index, text);
}

void frmMain::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    if (!started_) {
        started_ = true;
        timer2_->start();
    }
}

void frmMain::startupTick() {
    timer2_->stop();
    ShowPanelText(1, QStringLiteral("   ") + db::databaseName() + QStringLiteral("   "));
    app::LoadSettings();
    const core::Settings &s = core::settings();
    ShowPanelText(7, QStringLiteral("   ") + s.lembagaNama + QStringLiteral("   "));
    ShowPanelText(8, QStringLiteral("  SINDARA Karangsela Tanah Loka  "));
    ShowPanelText(9, QStringLiteral("   ") + s.channel + QStringLiteral("   "));
    ShowPanelText(10, QStringLiteral("   Version ") + core::versionText() + QStringLiteral("   "));
    addMenuXP();
    try {
        app::LogLogin(panelText(2));
    } catch (const db::Error &e) {
        // Without its stamp this copy's session cannot be watched, and the watch would later
        // blame another login: say the real reason once and end here.
        msg::exclamation(QStringLiteral("Login tidak dapat dicatat di server.\n") + e.text());
        core::endProgram();
        return;
    }
    watch_->start(core::CurrentUser().aliasText(), core::CurrentUser().sessionCode);
    CekVersi();
}

void frmMain::addMenuXP() {
    app::buildMenuBar(ui->SmartMenuXP1,
                      app::buildMenuTree(app::grantedMenuRows(core::CurrentUser().group)));
}

void frmMain::CekVersi() {
    if (app::versionIsBehind(core::settings().version, core::versionText())) {
        msg::exclamation(QStringLiteral("Versi tidak sesuai!"));
        core::endProgram();
    }
}

namespace {

template <typename Window> void openModal(frmMain *main) {
    Window w(main);
    w.exec();
}

// The sale entry reads its lists again when the session watch sees the server come back.
void openSaleEntry(frmMain *main) {
    frmCafeTransUmum w(main);
    QObject::connect(main->sessionWatch(), &app::SessionWatch::reconnected, &w,
                     &frmCafeTransUmum::refreshAfterReconnect);
    w.exec();
}

} // namespace

// What each menu key opens: one line per window. Keys without a line do nothing.
const QHash<QString, frmMain::Opener> &frmMain::openers() {
    static const QHash<QString, Opener> table = {
        {QStringLiteral("mn0101"), openModal<frmGantiPassword>},
        {QStringLiteral("mn0119"), [](frmMain *m) { m->askExit(); }},
        {QStringLiteral("mn0201"), [](frmMain *m) { m->showDataBrowser(QStringLiteral("Group")); }},
        {QStringLiteral("mn0202"),
         [](frmMain *m) { m->showDataBrowser(QStringLiteral("Pengguna")); }},
        {QStringLiteral("mn0203"),
         [](frmMain *m) { m->showDataBrowser(QStringLiteral("LogLogin")); }},
        {QStringLiteral("mn0204"),
         [](frmMain *m) { m->showDataBrowser(QStringLiteral("LogPassword")); }},
        {QStringLiteral("mn0211"), openModal<frmSetupWaktu>},
        {QStringLiteral("mn0212"), openModal<frmSetupBarang>},
        {QStringLiteral("mn0221"), openModal<frmMadamatTrans>},
        {QStringLiteral("mn0231"), openModal<frmCafeOrder>},
        {QStringLiteral("mn0232"), openSaleEntry},
        {QStringLiteral("mn0233"), openModal<frmCafeTransLaporan>},
    };
    return table;
}

void frmMain::dispatchMenu(const QString &key) {
    const auto it = openers().constFind(key);
    if (it == openers().constEnd())
        return;
    closeDataBrowser();
    (*it)(this);
}

void frmMain::askExit() {
    if (msg::askYesNo(QStringLiteral("Apakah yakin akan keluar?"), windowTitle()))
        core::endProgram();
}

void frmMain::showDataBrowser(const QString &view) {
    closeDataBrowser();
    QWidget *browser = app::createDataBrowser(view);
    if (!browser)
        return;
    dataBrowser_ = browser;
    browser->setAttribute(Qt::WA_DeleteOnClose);
    ui->mdiArea->addSubWindow(browser)->show();
}

void frmMain::closeDataBrowser() {
    if (dataBrowser_) {
        QWidget *frame = dataBrowser_->parentWidget();
        dataBrowser_->close();
        if (auto *sub = qobject_cast<QMdiSubWindow *>(frame))
            sub->close();
    }
    dataBrowser_ = nullptr;
}

void frmMain::scheduleClock() {
    const QTime t = QTime::currentTime();
    timer1_->start(1000 - t.msec() + 2);
}

void frmMain::clockTick() {
    setPanelText(4, app::clockText(core::now().time()));
    scheduleClock();
}

void frmMain::closeEvent(QCloseEvent *event) {
    if (unloading_) {
        event->accept();
        return;
    }
    if (!msg::askOkCancel(QStringLiteral("Anda yakin akan keluar?"), core::appTitle())) {
        event->ignore();
        return;
    }
    unload();
    event->accept();
}

void frmMain::unload() {
    unloading_ = true;
    timer1_->stop();
    timer2_->stop();
    watch_->stop();
    closeDataBrowser();
    db::closeSessionConnection();
    db::closeLoginConnection();
    core::deleteTempFiles();
    core::endProgram();
}
