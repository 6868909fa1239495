#pragma once

#include "common/workingdialog.h"

#include "admin/groups.h"

#include <QDialog>
#include <QString>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class frmData;
namespace common {
class ReportList;
}

// Creates or edits a user group and grants its menu entries on the tree of the catalogue.
class frmSetupGroup : public common::WorkingDialog {
    Q_OBJECT

public:
    explicit frmSetupGroup(QWidget *parent = nullptr);
    ~frmSetupGroup() override;

    // "tambah" or "edit"; set by the opener before exec().
    QString view;
    // The browser whose selected row an edit loads and whose list a save refills.
    frmData *data = nullptr;

    void TabelGroup();
    void DataGroup();
    void TreeALL();
    void TreeGroup();

    QLineEdit *txtKode;
    QLineEdit *txtNama;
    QComboBox *cboJenis;
    QLineEdit *txtKdJenis;
    QLineEdit *txtKet;
    QLineEdit *txtJumlah;
    QTreeWidget *treeview1;
    common::ReportList *ListView1;
    QPushButton *cmdSimpan;
    QPushButton *cmdKeluar;
    QPushButton *cmdCekAll;
    QPushButton *cmdExport;
    QLabel *lblJudul;

private:
    void load() override;
    void cmdSimpan_Click();
    void cmdCekAll_Click();
    void reloadAfterConflict();
    QList<admin::Right> rights() const;

    std::optional<admin::GroupRow> loadedRow_;
};
