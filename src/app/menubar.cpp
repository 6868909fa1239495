#include "app/menubar.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QShortcut>

namespace app {

namespace {

class MenuKeys : public QObject {
public:
    MenuKeys(QWidget *window, QMenuBar *bar)
        : QObject(window)
        , window_(window)
        , bar_(bar) {}

    void open() {
        for (QAction *a : bar_->actions()) {
            if (a->isVisible() && a->isEnabled() && !a->isSeparator()) {
                bar_->setActiveAction(a);
                return;
            }
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
            return QObject::eventFilter(watched, event);
        if (!window_->isActiveWindow() || QApplication::activePopupWidget())
            return QObject::eventFilter(watched, event);
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->isAutoRepeat())
            return QObject::eventFilter(watched, event);
        // Several widgets see the same key on its way up: count each press once.
        if (key->timestamp() == lastStamp_ && key->type() == lastType_)
            return QObject::eventFilter(watched, event);
        lastStamp_ = key->timestamp();
        lastType_ = key->type();
        if (event->type() == QEvent::KeyPress) {
            altAlone_ = key->key() == Qt::Key_Alt && key->modifiers() == Qt::AltModifier;
        } else if (key->key() == Qt::Key_Alt && altAlone_) {
            altAlone_ = false;
            open();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *window_;
    QMenuBar *bar_;
    bool altAlone_ = false;
    quint64 lastStamp_ = 0;
    QEvent::Type lastType_ = QEvent::None;
};

} // namespace

QString withMnemonic(const QString &caption) {
    QString text = caption;
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isLetterOrNumber()) {
            text.insert(i, QLatin1Char('&'));
            break;
        }
    }
    return text;
}

void enableMenuKeys(QWidget *window, QMenuBar *bar) {
    auto *keys = new MenuKeys(window, bar);
    qApp->installEventFilter(keys);
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
    QObject::connect(f10, &QShortcut::activated, keys, [keys] { keys->open(); });
}

void buildMenuBar(QMenuBar *bar, const QList<MenuEntry> &entries) {
    bar->clear();
    QSet<QString> parents;
    for (const MenuEntry &e : entries)
        parents.insert(e.parentKey);

    QHash<QString, QMenu *> menus;
    for (const MenuEntry &e : entries) {
        const bool topLevel = e.parentKey.isEmpty();
        QMenu *parentMenu = topLevel ? nullptr : menus.value(e.parentKey);
        if (!topLevel && !parentMenu)
            continue; // under a separator or an entry that was not added: unreachable
        if (e.kind == MenuEntry::Kind::Separator) {
            QAction *sep = parentMenu ? parentMenu->addSeparator() : bar->addSeparator();
            sep->setObjectName(e.key);
            sep->setProperty("menuKey", e.key);
            continue;
        }
        if (parents.contains(e.key)) {
            QMenu *menu =
                parentMenu ? parentMenu->addMenu(e.caption) : bar->addMenu(withMnemonic(e.caption));
            menu->setObjectName(e.key);
            menu->menuAction()->setObjectName(e.key);
            menu->menuAction()->setProperty("menuKey", e.key);
            menus.insert(e.key, menu);
        } else {
            QAction *action = parentMenu ? parentMenu->addAction(e.caption)
                                         : bar->addAction(withMnemonic(e.caption));
            action->setObjectName(e.key);
            action->setProperty("menuKey", e.key);
        }
    }
}

} // namespace app
