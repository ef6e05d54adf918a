#include "artwork/Decoration.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace mewt {

namespace {

const char* const decorationProperty = "mewtDecoration";

class DecorationAccessible final : public QAccessibleWidget {
public:
    explicit DecorationAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Graphic)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
};

QAccessibleInterface* decorationFactory(const QString&, QObject* object)
{
    if (object == nullptr || !object->isWidgetType() || !object->property(decorationProperty).toBool())
        return nullptr;
    return new DecorationAccessible(static_cast<QWidget*>(object));
}

} // namespace

void markAsDecoration(QWidget* widget)
{
    static const bool installed = [] {
        QAccessible::installFactory(decorationFactory);
        return true;
    }();
    Q_UNUSED(installed);
    widget->setProperty(decorationProperty, true);
}

} // namespace mewt
