#pragma once

#include <QDialog>

class QLabel;

namespace Ui {
class frmInfo;
}

// A small modal notice with one line of large text.
class frmInfo : public QDialog {
    Q_OBJECT

public:
    explicit frmInfo(QWidget *parent = nullptr);
    ~frmInfo() override;

    QLabel *lblInfo() const;

private:
    Ui::frmInfo *ui;
};
