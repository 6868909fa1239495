#include "app/statuspanels.h"

#include "app/modParameter.h"
#include "common/twips.h"

#include <QLabel>

#include <algorithm>

namespace app {
namespace {

// Design widths of the ten panels, in twips.
constexpr int kPanelTwips[StatusPanels::Count] = {6068, 2540, 3528, 2540, 2,
                                                  2,    5292, 4304, 2540, 2540};

} // namespace

StatusPanels::StatusPanels(QWidget *parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("panelRow"));
    const int dpi = logicalDpiX();
    for (int i = 0; i < Count; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        label->setFixedWidth(common::twipsToPixels(kPanelTwips[i], dpi));
        panels_.append(label);
    }
}

QLabel *StatusPanels::panel(int index) const {
    return panels_.value(index - 1);
}

QString StatusPanels::text(int index) const {
    const QLabel *p = panel(index);
    return p ? p->text() : QString();
}

void StatusPanels::setText(int index, const QString &text) {
    if (QLabel *p = panel(index))
        p->setText(text);
}

bool StatusPanels::showColoured(int index, const QString &text) {
    QLabel *p = panel(index);
    if (!p)
        return false;
    p->setFrameShape(QFrame::NoFrame);
    p->setContentsMargins(0, 0, 0, 0);
    p->setMargin(0);
    p->setIndent(0);
    p->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    p->setAutoFillBackground(true);
    QPalette pal = p->palette();
    pal.setColor(QPalette::Window, Qt::black);
    pal.setColor(QPalette::WindowText, Qt::yellow);
    p->setPalette(pal);
    p->setText(text);
    p->setFixedWidth(
        colouredPanelWidth(p->fontMetrics().horizontalAdvance(text), p->logicalDpiX()));
    relayout();
    return true;
}

QSize StatusPanels::sizeHint() const {
    return {0, rowHeight()};
}

QSize StatusPanels::minimumSizeHint() const {
    return {0, rowHeight()};
}

void StatusPanels::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    relayout();
}

void StatusPanels::relayout() {
    int x = 0;
    for (QLabel *p : panels_) {
        p->setGeometry(x, 0, p->minimumWidth(), height());
        x += p->minimumWidth() + 2;
    }
}

int StatusPanels::rowHeight() const {
    int h = 0;
    for (const QLabel *p : panels_)
        h = std::max(h, p->sizeHint().height());
    return h;
}

} // namespace app
