#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

namespace sales {
class ItemSelector;
}

namespace Ui {
class frmCafeTransUmum;
}

// Sale entry: the walk-in cart, its payment and receipt, and the orders of a chosen day.
class frmCafeTransUmum : public QDialog {
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

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The fills, the history and the dates, when the window is first shown.
    void load();
    void wireKeyboard();
    // Delete on a cart line: the line goes, the totals follow.
    void removeCartLine();
    void cmdInsert_Click();
    void cmdBayar_Click();
    void Command1_Click();
    void cmdStok_Click();
    void cmdCetak_Click();
    void ListView2_DblClick();

    Ui::frmCafeTransUmum *ui;
    sales::ItemSelector *itemSelector_ = nullptr;
    QString currentOrderCode_;
    bool paying_ = false;
    bool loaded_ = false;
};
