#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>
#include <QTableView>

// The report-view list of every window: a column table (title, width in twips, alignment),
// the spacer column "0" first, grid lines and full-row selection. Each row's item text stays
// empty; values live in sub-items 1, 2, ... in column order.
namespace common {

struct Column {
    QString title;
    int twips = 0;
    Qt::Alignment alignment = Qt::AlignLeft;
};

inline constexpr Qt::Alignment Left = Qt::AlignLeft;
inline constexpr Qt::Alignment Centre = Qt::AlignHCenter;
inline constexpr Qt::Alignment Right = Qt::AlignRight;

class ReportModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setColumns(const QList<Column> &columns);
    const QList<Column> &columns() const { return columns_; }
    // Rows hold sub-items 1..n; missing sub-items read as empty.
    void setRows(QList<QStringList> rows);
    void appendRow(const QStringList &subItems);
    void removeRowAt(int row);
    void clearRows();
    const QList<QStringList> &rows() const { return rows_; }
    QString subItem(int row, int sub) const;
    void setSubItem(int row, int sub, const QString &text);
    void setRowBold(int row, bool bold);
    // Stable sort on the shown text of a column (0 sorts nothing).
    void sortBySubItem(int sub, Qt::SortOrder order);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<Column> columns_;
    QList<QStringList> rows_;
    QList<bool> bold_;
};

class ReportList : public QTableView {
    Q_OBJECT

public:
    explicit ReportList(QWidget *parent = nullptr);

    // Builds the columns (the caller's table starts with the spacer "0") and empties the rows.
    void setColumns(const QList<Column> &columns);
    int columnCountWithSpacer() const { return model_->columnCount(); }
    QString columnTitle(int column) const;
    Qt::Alignment columnAlignment(int column) const;

    // One batch per fill: replaces every row. A fill with rows leaves the first current and
    // selected; one without leaves nothing selected.
    void setRows(QList<QStringList> rows);
    void addRow(const QStringList &subItems);
    void clearRows();
    int rowCount() const { return model_->rowCount(); }
    QString subItem(int row, int sub) const { return model_->subItem(row, sub); }
    void setSubItem(int row, int sub, const QString &text);
    void setRowBold(int row, bool bold) { model_->setRowBold(row, bold); }
    // Removes a row and selects the one now in its place (or the new last row).
    void removeRow(int row);
    // Widens the visible columns that cut their header or a row on screen.
    void fitColumns();

    int selectedRow() const;
    // Sub-item of the selected row; empty when none is selected.
    QString selectedSubItem(int sub) const;
    void selectRow(int row);

    // Header clicks sort by the clicked column's text: the same column again flips the
    // direction, another column sorts ascending. A refill keeps the chosen sort.
    void setHeaderSorting(bool enabled);
    bool isSorted() const { return sortColumn_ > 0; }
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return sortOrder_; }
    void sortByColumn(int column, Qt::SortOrder order);

    ReportModel *reportModel() const { return model_; }

signals:
    // A double-click anywhere on the list, with or without a row under it.
    void listDoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int designWidth(int column) const;
    int rowsOnScreenWidth(int column) const;
    void currentFirstRow();
    void onHeaderClicked(int section);
    void applySort();

    ReportModel *model_;
    bool headerSorting_ = false;
    int sortColumn_ = 0;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

} // namespace common
