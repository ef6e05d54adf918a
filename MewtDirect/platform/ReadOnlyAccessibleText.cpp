#include "platform/ReadOnlyAccessibleText.h"

#include <QWidget>
#include <algorithm>

namespace mewt {

QString ReadOnlyAccessibleText::text(int startOffset, int endOffset) const
{
    const QString all = spokenText();
    const int size = static_cast<int>(all.size());
    const int start = std::clamp(startOffset, 0, size);
    const int end = endOffset < 0 ? size : std::clamp(endOffset, start, size);
    return all.mid(start, end - start);
}

QString ReadOnlyAccessibleText::attributes(int, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

ReadOnlyTextWidgetAccessible::ReadOnlyTextWidgetAccessible(QWidget* widget, QAccessible::Role role, bool leaf)
    : QAccessibleWidget(widget, role)
    , leaf(leaf)
{
}

void* ReadOnlyTextWidgetAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString ReadOnlyTextWidgetAccessible::spokenText() const
{
    return widget()->accessibleName();
}

int ReadOnlyTextWidgetAccessible::childCount() const
{
    return leaf ? 0 : QAccessibleWidget::childCount();
}

QAccessibleInterface* ReadOnlyTextWidgetAccessible::child(int index) const
{
    return leaf ? nullptr : QAccessibleWidget::child(index);
}

} // namespace mewt
