#pragma once

#include "common/workingdialog.h"

#include "catalogue/menuitem.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <optional>

namespace Ui {
class frmSetupBarang;
}

// Menu item catalogue: lists every item with its remaining stock, adds and changes items.
class frmSetupBarang : public common::WorkingDialog {
    Q_OBJECT

public:
    explicit frmSetupBarang(QWidget *parent = nullptr);
    ~frmSetupBarang() override;

    // "cek" opens the window for checking only (no SIMPAN, no BARU). The opener sets it after
    // construction and before exec(): the window reads it when it is first shown.
    QString view;

    void TabelMenu();
    void DataMenu();
    void Bersih();

private:
    void load() override;
    void cmdSimpan_Click();
    void ListView1_DblClick();
    catalogue::MenuItemForm form() const;
    QWidget *fieldWidget(catalogue::MenuField field) const;
    bool saveNewItem(const catalogue::MenuItemValues &values, const QString &alias);
    // Shows a list row in the entry fields and keeps it as the loaded state of the edit.
    void showRow(int row);
    // After a conflict: the list read again and the item's current row shown.
    void reloadItem(const QString &code);

    std::unique_ptr<Ui::frmSetupBarang> ui;
    std::optional<catalogue::MenuItemLoaded> editing_;
    // A new item whose insert reply was lost and could not be looked up yet.
    QString unresolvedCode_;
};
