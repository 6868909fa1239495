#pragma once

#include "common/workingdialog.h"

#include <QDialog>
#include <QString>

#include "db/sql.h"

#include <optional>

class QLineEdit;

namespace sales {
class ItemSelector;
}

namespace Ui {
class frmCafeTransUmum;
}

// Sale entry: the walk-in cart, its payment and receipt, and the orders of a chosen day.
class frmCafeTransUmum : public common::WorkingDialog {
    Q_OBJECT

public:
    explicit frmCafeTransUmum(QWidget *parent = nullptr);
    ~frmCafeTransUmum() override;

    // The selected order, read and written by the order lines viewer.
    QLineEdit *txtTransId() const;

    void TabelBarang();
    void TabelHistory();
    void DataHistory();
    void cekTanggal();
    void InsertBarang();
    void hitungTotal();
    void clearBarang();
    void Bersih();
    // Records the cart and prints its receipt; false when nothing was stored.
    bool SimpanBarang();
    // Prints the receipt of the order in txtTransId.
    void CetakStrukUlang();

public slots:
    // Reads the drop-downs, the history and the server date again, for a window whose reads
    // failed while the server was away (the session watch calls it once it reconnected).
    void refreshAfterReconnect();

private:
    // The fills, the history and the dates, when the window is first shown.
    void load() override;
    void wireKeyboard();
    // Delete on a cart line: the line goes, the totals follow.
    void removeCartLine();
    // The history of the picked day; its failure is returned, not shown.
    std::optional<db::Error> fillHistory();
    // Reads the drop-downs, the history and the server date; the first failure shows once.
    void fillAll();
    void cmdInsert_Click();
    void cmdBayar_Click();
    void Command1_Click();
    void cmdStok_Click();
    void cmdCetak_Click();
    void ListView2_DblClick();

    Ui::frmCafeTransUmum *ui;
    sales::ItemSelector *itemSelector_ = nullptr;
    QString currentOrderCode_;
    // The code this cart drew: kept until the sale is stored or the cart is reset, so a retry
    // after a lost reply stores under the same code and never twice.
    QString cartCode_;
    // The last attempt's reply was lost and the server could not be asked since.
    bool outcomeUnknown_ = false;
    bool paying_ = false;
    // A read failed: the lists or the server date may be missing until they are read again.
    bool stale_ = false;
};
