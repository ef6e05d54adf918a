#include "popover/ReadingOrder.h"

#include <QApplication>
#include <QRect>
#include <QWidget>
#include <algorithm>

namespace mewt {

namespace {

struct Placed {
    QWidget* widget;
    QRect rect;
};

void collect(const QWidget& root, const QWidget& parent, QList<Placed>& found)
{
    for (QObject* child : parent.children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow() || !widget->isVisibleTo(&root) || !widget->isEnabled())
            continue;
        if ((widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy())
            found.append({ widget, QRect(widget->mapTo(&root, QPoint(0, 0)), widget->size()) });
        collect(root, *widget, found);
    }
}

} // namespace

QList<QWidget*> readingOrder(const QWidget& root)
{
    QList<Placed> placed;
    collect(root, root, placed);
    std::stable_sort(
        placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.rect.top() < b.rect.top(); });
    const bool rightToLeft = root.layoutDirection() == Qt::RightToLeft;
    QList<QWidget*> order;
    for (qsizetype start = 0; start < placed.size();) {
        qsizetype end = start + 1;
        int bottom = placed[start].rect.bottom();
        while (end < placed.size() && placed[end].rect.center().y() <= bottom) {
            bottom = std::max(bottom, placed[end].rect.bottom());
            ++end;
        }
        std::stable_sort(placed.begin() + start, placed.begin() + end, [rightToLeft](const Placed& a, const Placed& b) {
            return rightToLeft ? a.rect.right() > b.rect.right() : a.rect.left() < b.rect.left();
        });
        for (qsizetype i = start; i < end; ++i)
            order.append(placed[i].widget);
        start = end;
    }
    return order;
}

bool focusInReadingOrder(QWidget& root, bool next)
{
    const QList<QWidget*> order = readingOrder(root);
    if (order.isEmpty())
        return false;
    const qsizetype at = order.indexOf(root.window()->focusWidget());
    qsizetype target = 0;
    if (at < 0)
        target = next ? 0 : order.size() - 1;
    else
        target = (at + (next ? 1 : order.size() - 1)) % order.size();
    order[target]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

} // namespace mewt
