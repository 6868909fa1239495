#include "sales/itemselector.h"

#include "sales/cart.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringListModel>
#include <QTimer>

namespace sales {
namespace {

QStringList itemsOf(const QComboBox *combo) {
    QStringList items;
    items.reserve(combo->count());
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

} // namespace

ItemSelector::ItemSelector(QComboBox *combo)
    : QObject(combo)
    , combo_(combo)
    , shown_(new QStringListModel(this))
    , completer_(new QCompleter(shown_, this)) {
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    // The combo's own completer would complete by prefix and map rows of its own list.
    combo_->setCompleter(nullptr);
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setWidget(combo_->lineEdit());
    // The combo has the focus and hands its keys to the line edit directly, so both are watched.
    combo_->installEventFilter(this);
    combo_->lineEdit()->installEventFilter(this);
    connect(combo_->lineEdit(), &QLineEdit::textEdited, this, &ItemSelector::narrow);
    connect(completer_, qOverload<const QString &>(&QCompleter::activated), this,
            [this](const QString &text) {
                take(text);
                emit chosen();
            });
}

void ItemSelector::narrow(const QString &typed) {
    const QStringList items = itemsOf(combo_);
    QStringList found;
    for (int i : matchSelectorItems(items, typed))
        found << items.at(i);
    shown_->setStringList(found);
    if (found.isEmpty()) {
        completer_->popup()->hide();
        return;
    }
    completer_->complete();
    completer_->popup()->setCurrentIndex(completer_->completionModel()->index(0, 0));
}

void ItemSelector::take(const QString &itemText) {
    const int index = combo_->findText(itemText, Qt::MatchExactly);
    combo_->setCurrentIndex(index);
    if (index >= 0)
        combo_->setEditText(combo_->itemText(index));
}

int ItemSelector::resolve() {
    const QStringList items = itemsOf(combo_);
    const QString typed = combo_->currentText();
    const QList<int> found = matchSelectorItems(items, typed);
    if (found.isEmpty()) {
        combo_->setCurrentIndex(-1);
        combo_->setEditText(typed);
        return -1;
    }
    take(items.at(found.first()));
    return found.first();
}

bool ItemSelector::eventFilter(QObject *watched, QEvent *event) {
    if ((watched == combo_ || watched == combo_->lineEdit()) && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            !completer_->popup()->isVisible()) {
            if (resolve() >= 0)
                emit chosen();
            else
                emit refused();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace sales
