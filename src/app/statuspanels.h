#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QLabel;

namespace app {

// The status bar's ten panels, placed left to right at their own widths. The row may be wider
// than the window: it is clipped at the right instead of widening the window, as a status
// bar's panels are.
class StatusPanels : public QWidget {
    Q_OBJECT

public:
    static constexpr int Count = 10;

    explicit StatusPanels(QWidget *parent = nullptr);

    // 1-based; nullptr outside 1..Count.
    QLabel *panel(int index) const;
    QString text(int index) const;
    void setText(int index, const QString &text);
    // Yellow text on black, left-aligned, the panel exactly its text plus 75 twips wide.
    bool showColoured(int index, const QString &text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void relayout();
    int rowHeight() const;

    QList<QLabel *> panels_;
};

} // namespace app
