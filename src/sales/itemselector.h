#pragma once

#include <QObject>
#include <QString>

class QComboBox;
class QCompleter;
class QStringListModel;

namespace sales {

// Makes the item drop-down accept typing: a code or a part of a name narrows a list under it
// (sales::matchSelectorItems), the first item found is highlighted, Enter takes the highlighted
// one. The drop-down's own items and their texts stay as filled.
class ItemSelector : public QObject {
    Q_OBJECT

public:
    explicit ItemSelector(QComboBox *combo);

    // Selects the item the edit text stands for (a whole item, or the first item it finds) and
    // returns its index; -1, with nothing selected, when the text finds none.
    int resolve();

signals:
    // Enter took an item.
    void chosen();
    // Enter on a text that finds no item.
    void refused();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void narrow(const QString &typed);
    void take(const QString &itemText);

    QComboBox *combo_;
    QStringListModel *shown_;
    QCompleter *completer_;
};

} // namespace sales
