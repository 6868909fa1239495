#pragma once

#include <QString>
#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
namespace common {
class ReportList;
}

// The data browser: groups, users, today's logins or the password log, by view. Groups and
// users open their editors from here.
class frmData : public QWidget {
    Q_OBJECT

public:
    explicit frmData(QWidget *parent = nullptr);
    ~frmData() override;

    // "Group", "Pengguna", "LogLogin" or "LogPassword"; set by the opener before the window is
    // first shown.
    QString view;

    void DataGroup();
    void DataPengguna();
    void DataLogLogin();
    void DataLogPassword();

    // Sub-item of the selected row (the first row when none is selected); empty without rows.
    QString selectedSubItem(int sub) const;

    common::ReportList *ListView1;
    QLabel *lblJudul;
    QLabel *lblJumlah;
    QPushButton *cmdCetak;
    QPushButton *cmdFilter;
    QPushButton *cmdKeluar;
    QLineEdit *txtCari;
    QPushButton *cmdCari;
    QFrame *Shape1;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void load();
    void fill();
    void layoutControls();
    void cmdCetak_Click();
    void cmdFilter_Click();
    void cmdCari_Click();
    void ListView1_DblClick();
    void openEditor(const QString &editorView);

    bool loaded_ = false;
    QString countLabel_;
};
