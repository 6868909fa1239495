#include "app/frmMain.h"

#include "ui_frmMain.h"

#include "app/formats.h"
#include "app/modParameter.h"
#include "app/sessiontrack.h"
#include "app/versioncheck.h"
#include "common/twips.h"
#include "core/messages.h"
#include "core/program.h"
#include "core/session.h"
#include "db/gateway.h"
#include "db/sql.h"

#include "catalogue/frmSetupBarang.h"
#include "catalogue/frmSetupWaktu.h"
#include "sales/frmCafeTransUmum.h"

#include <QCloseEvent>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTimer>

namespace {

// Design widths of the ten panels, in twips.
constexpr int kPanelTwips[frmMain::PanelCount] = {6068, 2540, 3528, 2540, 2,
                                                  2,    5292, 4304, 2540, 2540};

} // namespace

// The status bar's panels, placed left to right at their own widths.
class frmMain::PanelRow : public QWidget {
public:
    using QWidget::QWidget;
    QList<QLabel *> panels;

    QSize sizeHint() const override { return {0, rowHeight()}; }
    QSize minimumSizeHint() const override { return {0, rowHeight()}; }

    void relayout() {
        int x = 0;
        for (QLabel *p : panels) {
            p->setGeometry(x, 0, p->minimumWidth(), height());
            x += p->minimumWidth() + 2;
        }
    }

protected:
    void resizeEvent(QResizeEvent *event) override {
        QWidget::resizeEvent(event);
        relayout();
    }

private:
    int rowHeight() const {
        int h = 0;
        for (const QLabel *p : panels)
            h = std::max(h, p->sizeHint().height());
        return h;
    }
};

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

    // Ten panels side by side, each exactly as wide as set. The row may be wider than the
    // window: it is clipped at the right instead of widening the window, as a status bar's
    // panels are.
    panelRow_ = new PanelRow(ui->StatusBar1);
    panelRow_->setObjectName(QStringLiteral("panelRow"));
    const int dpi = logicalDpiX();
    for (int i = 0; i < PanelCount; ++i) {
        auto *label = new QLabel(panelRow_);
        label->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        label->setFixedWidth(common::twipsToPixels(kPanelTwips[i], dpi));
        panels_.append(label);
    }
    panelRow_->panels = panels_;
    ui->StatusBar1->addWidget(panelRow_, 1);
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

    connect(ui->SmartMenuXP1, &QMenuBar::triggered, this, [this](QAction *action) {
        closeDataBrowser();
        dispatchMenu(action->property("menuKey").toString());
    });
}

frmMain::~frmMain() {
    delete ui;
}

QLabel *frmMain::panel(int index) const {
    return panels_.value(index - 1);
}

QString frmMain::panelText(int index) const {
    const QLabel *p = panel(index);
    return p ? p->text() : QString();
}

void frmMain::setPanelText(int index, const QString &text) {
    if (QLabel *p = panel(index))
        p->setText(text);
}

bool frmMain::ShowPanelText(int index, const QString &text) {
    QLabel *p = panel(index);
    if (!p)
        return false;
    p->setFrameShape(QFrame::NoFrame);
    p->setContentsMargins(0, 0, 0, 0);
    p->setMargin(0);
    p->setIndent(0);
    p->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    p->setAutoFillBackground(true);
    QPalette pal = p->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::yellow);
    p->setPalette(pal);
    p->setText(text);
    p->setFixedWidth(
        app::colouredPanelWidth(p->fontMetrics().horizontalAdvance(text), p->logicalDpiX()));
    panelRow_->relayout();
    return true;
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
        // Without its stamp this copy's session cannot be watched: the watch below reports
        // it (and ends the program once the server answers).
        msg::exclamation(QStringLiteral("Login tidak dapat dicatat di server.\n") + e.text());
    }
    watch_->start(core::CurrentUser().aliasText(), core::CurrentUser().sessionCode);
    CekVersi();
}

void frmMain::addMenuXP() {
    QList<app::MenuRow> rows;
    QSqlQuery q = db::selectForFill(QStringLiteral("SELECT menu_kode, menu_label FROM kode_menu "
                                                   "WHERE menu_group = ?  AND menu_set = 1 "
                                                   "ORDER BY menu_kode ASC "),
                                    {core::CurrentUser().group});
    while (q.next())
        rows.append({q.value(0).toString(), q.value(1).toString()});
    buildMenuBar(app::buildMenuTree(rows));
}

void frmMain::buildMenuBar(const QList<app::MenuEntry> &entries) {
    QMenuBar *bar = ui->SmartMenuXP1;
    bar->clear();
    QSet<QString> parents;
    for (const app::MenuEntry &e : entries)
        parents.insert(e.parentKey);

    QHash<QString, QMenu *> menus;
    for (const app::MenuEntry &e : entries) {
        const bool topLevel = e.parentKey.isEmpty();
        QMenu *parentMenu = topLevel ? nullptr : menus.value(e.parentKey);
        if (!topLevel && !parentMenu)
            continue; // under a separator or an entry that was not added: unreachable
        if (e.kind == app::MenuEntry::Kind::Separator) {
            QAction *sep = parentMenu ? parentMenu->addSeparator() : bar->addSeparator();
            sep->setObjectName(e.key);
            sep->setProperty("menuKey", e.key);
            continue;
        }
        if (parents.contains(e.key)) {
            QMenu *menu = parentMenu ? parentMenu->addMenu(e.caption) : bar->addMenu(e.caption);
            menu->setObjectName(e.key);
            menu->menuAction()->setObjectName(e.key);
            menu->menuAction()->setProperty("menuKey", e.key);
            menus.insert(e.key, menu);
        } else {
            QAction *action =
                parentMenu ? parentMenu->addAction(e.caption) : bar->addAction(e.caption);
            action->setObjectName(e.key);
            action->setProperty("menuKey", e.key);
        }
    }
}

void frmMain::CekVersi() {
    if (app::versionIsBehind(core::settings().version, core::versionText())) {
        msg::exclamation(QStringLiteral("Versi tidak sesuai!"));
        core::endProgram();
    }
}

void frmMain::closeDataBrowser() {
    // Slot: the data browser frmData is closed here once it exists.
}

void frmMain::dispatchMenu(const QString &key) {
    static const QSet<QString> recognised = {
        QStringLiteral("mn0101"), QStringLiteral("mn0119"), QStringLiteral("mn0201"),
        QStringLiteral("mn0202"), QStringLiteral("mn0203"), QStringLiteral("mn0204"),
        QStringLiteral("mn0211"), QStringLiteral("mn0212"), QStringLiteral("mn0213"),
        QStringLiteral("mn0214"), QStringLiteral("mn0221"), QStringLiteral("mn0231"),
        QStringLiteral("mn0232"), QStringLiteral("mn0233")};
    if (!recognised.contains(key))
        return; // keys without an action do nothing
    closeDataBrowser();

    if (key == QLatin1String("mn0119")) {
        if (msg::askYesNo(QStringLiteral("Apakah yakin akan keluar?"), windowTitle()))
            core::endProgram();
    } else if (key == QLatin1String("mn0211")) {
        frmSetupWaktu w(this);
        w.exec();
    } else if (key == QLatin1String("mn0212")) {
        frmSetupBarang w(this);
        w.exec();
    } else if (key == QLatin1String("mn0232")) {
        frmCafeTransUmum w(this);
        w.exec();
    }
    // Slots for windows not built yet (they open nothing until then):
    //   mn0101 frmGantiPassword, modal
    //   mn0201..mn0204 frmData with view "Group", "Pengguna", "LogLogin", "LogPassword",
    //     modeless
    //   mn0221 frmMadamatTrans, modal
    //   mn0231 frmCafeOrder, modal
    //   mn0233 frmCafeTransLaporan, modal
    // mn0213 and mn0214 have no window: nothing opens.
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
    // Slot: the rights editor's shared result set is closed here once it exists.
    db::closeSessionConnection();
    db::closeLoginConnection();
    core::deleteTempFiles();
    core::endProgram();
}
