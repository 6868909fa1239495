#include "common/reportlist.h"

#include "common/twips.h"

#include <QFont>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

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

void ReportModel::removeRowAt(int row) {
    if (row < 0 || row >= rows_.size())
        return;
    beginRemoveRows({}, row, row);
    rows_.removeAt(row);
    bold_.removeAt(row);
    endRemoveRows();
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
    // One Tab stop: arrows move inside the list, Tab leaves it.
    setTabKeyNavigation(false);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { fitColumns(); });
}

void ReportList::setColumns(const QList<Column> &columns) {
    model_->setColumns(columns);
    for (int i = 0; i < columns.size(); ++i) {
        setColumnWidth(i, designWidth(i));
        // Columns designed 0 or 1 twip wide are the hidden ones.
        setColumnHidden(i, columns.at(i).twips <= 1 || designWidth(i) <= 0);
    }
}

int ReportList::designWidth(int column) const {
    return twipsToPixels(model_->columns().value(column).twips, logicalDpiX());
}

void ReportList::fitColumns() {
    // A visible column grows past its design width to show its header and the rows on screen
    // whole; it never shrinks below the design, and rows off screen are not measured.
    for (int i = 0; i < model_->columnCount(); ++i) {
        if (isColumnHidden(i))
            continue;
        const int header = horizontalHeader()->sectionSizeHint(i);
        const int wanted = std::max({designWidth(i), header, rowsOnScreenWidth(i)});
        if (wanted > columnWidth(i))
            setColumnWidth(i, wanted);
    }
}

int ReportList::rowsOnScreenWidth(int column) const {
    const int rows = rowCount();
    if (rows == 0)
        return 0;
    const int rowHeight = std::max(1, verticalHeader()->defaultSectionSize());
    const int first = std::max(0, rowAt(0));
    const int shown = viewport()->height() / rowHeight + 2;
    const int last = std::min(rows, first + shown);
    const QFontMetrics metrics(font());
    QFont boldFont = font();
    boldFont.setBold(true);
    const QFontMetrics boldMetrics(boldFont);
    // The cell's text margins on either side, plus the grid line.
    const int margin =
        2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 4;
    int widest = 0;
    for (int row = first; row < last; ++row) {
        const QString text = model_->subItem(row, column);
        const bool bold = model_->data(model_->index(row, column), Qt::FontRole).isValid();
        widest = std::max(widest, (bold ? boldMetrics : metrics).horizontalAdvance(text));
    }
    return widest > 0 ? widest + margin : 0;
}

void ReportList::currentFirstRow() {
    if (rowCount() > 0) {
        selectRow(0);
    } else {
        clearSelection();
        setCurrentIndex({});
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
    // As the original list control: after a fill the first row is current and selected.
    currentFirstRow();
    fitColumns();
}

void ReportList::addRow(const QStringList &subItems) {
    model_->appendRow(subItems);
    fitColumns();
}

void ReportList::clearRows() {
    model_->clearRows();
    currentFirstRow();
}

void ReportList::setSubItem(int row, int sub, const QString &text) {
    model_->setSubItem(row, sub, text);
    fitColumns();
}

void ReportList::removeRow(int row) {
    if (row < 0 || row >= rowCount())
        return;
    model_->removeRowAt(row);
    selectRow(std::min(row, rowCount() - 1));
}

void ReportList::resizeEvent(QResizeEvent *event) {
    QTableView::resizeEvent(event);
    fitColumns(); // more rows may be on screen now
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
