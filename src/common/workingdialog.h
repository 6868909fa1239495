#pragma once

#include <QDialog>

class QShowEvent;

namespace common {

// A working window: built and wired in its constructor, its data read when it is first shown,
// so that an opener can set public members (such as view) in between.
class WorkingDialog : public QDialog {
    Q_OBJECT

public:
    using QDialog::QDialog;

protected:
    // Reads the window's data; runs once, when the window is first shown.
    virtual void load() = 0;
    void showEvent(QShowEvent *event) override;

private:
    bool loaded_ = false;
};

} // namespace common
