#include "common/reportlist.h"

#include "common/twips.h"

#include <QFont>
#include <QHeaderView>
#include <QMouseEvent>

#include <algorithm>
#include <numeric>

namespace common {

void ReportModel::setColumns(const QList<Column> &columns) {
    beginResetModel();
    columns_ = columns;
    rows_.clear();
    bold_.clear();
    endResetModel();
}

void ReportModel::setRows(QList<QStringList> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    bold_ = QList<bool>(rows_.size(), false);
    endResetModel();
}

void ReportModel::appendRow(const QStringList &subItems) {
    const int row = static_cast<int>(rows_.size());
    beginInsertRows({}, row, row);
    rows_.append(subItems);
    bold_.append(false);
    endInsertRows();
}

void ReportModel::clearRows() {
    setRows({});
}

QString ReportModel::subItem(int row, int sub) const {
    if (row < 0 || row >= rows_.size() || sub < 1)
        return {};
    const QStringList &r = rows_.at(row);
    return sub <= r.size() ? r.at(sub - 1) : QString();
}

void ReportModel::setSubItem(int row, int sub, const QString &text) {
    if (row < 0 || row >= rows_.size() || sub < 1)
        return;
    QStringList &r = rows_[row];
    while (r.size() < sub)
        r.append(QString());
    r[sub - 1] = text;
    emit dataChanged(index(row, sub), index(row, sub));
}

void ReportModel::setRowBold(int row, bool bold) {
    if (row < 0 || row >= bold_.size())
        return;
    bold_[row] = bold;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void ReportModel::sortBySubItem(int sub, Qt::SortOrder order) {
    if (sub < 1)
        return;
    emit layoutAboutToBeChanged();
    QList<int> order_(rows_.size());
    std::iota(order_.begin(), order_.end(), 0);
    auto text = [this, sub](int r) { return subItem(r, sub); };
    std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
        const int c = QString::localeAwareCompare(text(a), text(b));
        return order == Qt::AscendingOrder ? c < 0 : c > 0;
    });
    QList<QStringList> rows;
    QList<bool> bold;
    rows.reserve(rows_.size());
    bold.reserve(rows_.size());
    for (int i : order_) {
        rows.append(std::move(rows_[i]));
        bold.append(bold_[i]);
    }
    rows_ = std::move(rows);
    bold_ = std::move(bold);
    emit layoutChanged();
}

int ReportModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ReportModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ReportModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == 0 ? QString() : subItem(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columns_.at(index.column()).alignment | Qt::AlignVCenter);
    case Qt::FontRole:
        if (bold_.value(index.row())) {
            QFont f;
            f.setBold(true);
            return f;
        }
        return {};
    default:
        return {};
    }
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size())
        return {};
    if (role == Qt::DisplayRole)
        return columns_.at(section).title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(columns_.at(section).alignment | Qt::AlignVCenter);
    return {};
}

ReportList::ReportList(QWidget *parent)
    : QTableView(parent)
    , model_(new ReportModel(this)) {
    // The column widths are the window's design widths in twips, laid out for a small list
    // font; a smaller face keeps codes and dates readable inside them.
    QFont listFont = font();
    listFont.setPointSizeF(qMin<qreal>(listFont.pointSizeF(), 8.0));
    setFont(listFont);
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setMinimumSectionSize(0);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &ReportList::onHeaderClicked);
}

void ReportList::setColumns(const QList<Column> &columns) {
    model_->setColumns(columns);
    for (int i = 0; i < columns.size(); ++i) {
        const int px = twipsToPixels(columns.at(i).twips, logicalDpiX());
        setColumnWidth(i, px);
        setColumnHidden(i, px <= 0);
    }
}

QString ReportList::columnTitle(int column) const {
    return model_->columns().value(column).title;
}

Qt::Alignment ReportList::columnAlignment(int column) const {
    return model_->columns().value(column).alignment;
}

void ReportList::setRows(QList<QStringList> rows) {
    model_->setRows(std::move(rows));
    applySort();
}

void ReportList::addRow(const QStringList &subItems) {
    model_->appendRow(subItems);
}

void ReportList::clearRows() {
    model_->clearRows();
}

void ReportList::setSubItem(int row, int sub, const QString &text) {
    model_->setSubItem(row, sub, text);
}

int ReportList::selectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QString ReportList::selectedSubItem(int sub) const {
    return subItem(selectedRow(), sub);
}

void ReportList::selectRow(int row) {
    if (row < 0 || row >= rowCount()) {
        clearSelection();
        return;
    }
    QTableView::selectRow(row);
    setCurrentIndex(model_->index(row, 1 < model_->columnCount() ? 1 : 0));
}

void ReportList::setHeaderSorting(bool enabled) {
    headerSorting_ = enabled;
}

void ReportList::sortByColumn(int column, Qt::SortOrder order) {
    sortColumn_ = column;
    sortOrder_ = order;
    applySort();
}

void ReportList::onHeaderClicked(int section) {
    if (!headerSorting_)
        return;
    if (section == sortColumn_ && isSorted())
        sortOrder_ = sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    else
        sortOrder_ = Qt::AscendingOrder;
    sortColumn_ = section;
    applySort();
}

void ReportList::applySort() {
    if (sortColumn_ > 0)
        model_->sortBySubItem(sortColumn_, sortOrder_);
}

void ReportList::mouseDoubleClickEvent(QMouseEvent *event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit listDoubleClicked();
}

} // namespace common
