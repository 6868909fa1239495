#include "common/uirules.h"

#include "core/program.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace common {
namespace {

class UiRules : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        switch (event->type()) {
        case QEvent::KeyPress: {
            // A focused button takes Enter as it takes Space; a text box keeps ignoring it.
            auto *key = static_cast<QKeyEvent *>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
                auto *button = qobject_cast<QAbstractButton *>(watched);
                if (button && button->hasFocus() && button->isEnabled() && button->isVisible()) {
                    button->click();
                    return true;
                }
            }
            break;
        }
        case QEvent::Show: {
            auto *widget = qobject_cast<QWidget *>(watched);
            if (widget && widget->isWindow() && widget->windowTitle().isEmpty() &&
                (widget->windowType() == Qt::Window || widget->windowType() == Qt::Dialog))
                widget->setWindowTitle(core::appTitle());
            break;
        }
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QLocale uiLocale() {
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C)
        return QLocale(QLocale::Indonesian, QLocale::Indonesia);
    return system;
}

QString boxButtonText(BoxButton button) {
    if (uiLocale().language() != QLocale::Indonesian)
        return {};
    switch (button) {
    case BoxButton::Yes:
        return QStringLiteral("Ya");
    case BoxButton::No:
        return QStringLiteral("Tidak");
    case BoxButton::Ok:
        return QStringLiteral("OK");
    case BoxButton::Cancel:
        return QStringLiteral("Batal");
    }
    return {};
}

void installUiRules() {
    QLocale::setDefault(uiLocale());
    static UiRules *rules = nullptr;
    if (!rules && qApp) {
        rules = new UiRules(qApp);
        qApp->installEventFilter(rules);
    }
}

} // namespace common
