#pragma once

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>

class QLabel;
class QMenu;
class QTimer;

namespace Ui {
class frmMain;
}
namespace app {
class SessionWatch;
class StatusPanels;
} // namespace app

// The multiple-document frame: the menu bar built from the user group's rights, the
// ten-panel status bar, the clock, the start-up tick and the session watch.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int PanelCount = 10;
    using Opener = void (*)(frmMain *);

    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Status bar panels, 1-based.
    QLabel *panel(int index) const;
    QString panelText(int index) const;
    void setPanelText(int index, const QString &text);
    // Yellow text on black, left-aligned, the panel exactly its text plus 75 twips wide.
    bool ShowPanelText(int index, const QString &text);

    // The start-up tick (Timer2's one tick, 150 ms after the window is shown).
    void startupTick();
    // The menu bar from the granted kode_menu rows of the current user's group.
    void addMenuXP();
    // Ends the program when the setting Version sorts after the version text.
    void CekVersi();
    // What a menu click does with the clicked entry's key: the data browser closes first,
    // then the key's window opens.
    void dispatchMenu(const QString &key);
    static const QHash<QString, Opener> &openers();

    // The one modeless data browser, in the frame's document area; opening another closes it.
    void showDataBrowser(const QString &view);
    void closeDataBrowser();
    QWidget *dataBrowser() const { return dataBrowser_; }

    QTimer *clockTimer() const { return timer1_; }
    QTimer *startupTimer() const { return timer2_; }
    app::SessionWatch *sessionWatch() const { return watch_; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void askExit();
    void clockTick();
    void scheduleClock();
    void unload();

    Ui::frmMain *ui;
    app::StatusPanels *panels_ = nullptr;
    QPointer<QWidget> dataBrowser_;
    QTimer *timer1_;
    QTimer *timer2_;
    app::SessionWatch *watch_;
    bool started_ = false;
    bool unloading_ = false;
};
