#include "popover/PopoverAccessibility.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

namespace mewt {

namespace {

constexpr char roleProperty[] = "mewtAccessibleRole";
constexpr char valueProperty[] = "mewtAccessibleValue";
constexpr char actionProperty[] = "mewtAccessibleAction";

class PopoverAccessibleWidget final : public QAccessibleWidget {
public:
    PopoverAccessibleWidget(QWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role)
    {
    }

    // A button or a progress reads as one element; what it draws inside is not read separately.
    int childCount() const override { return opaque() ? 0 : QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int index) const override
    {
        return opaque() ? nullptr : QAccessibleWidget::child(index);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return widget()->property(valueProperty).toString();
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            if (const auto* button = qobject_cast<const QAbstractButton*>(widget()))
                return button->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget())) {
            s.checkable = button->isCheckable();
            s.checked = button->isChecked();
            s.pressed = button->isDown();
        }
        return s;
    }

    QStringList actionNames() const override
    {
        if (qobject_cast<const QAbstractButton*>(widget()))
            return { pressAction() };
        const QString named = widget()->property(actionProperty).toString();
        return named.isEmpty() ? QStringList() : QStringList { named };
    }

    void doAction(const QString& name) override
    {
        if (!widget()->isEnabled())
            return;
        if (auto* button = qobject_cast<QAbstractButton*>(widget())) {
            if (name == pressAction())
                button->click();
            return;
        }
        if (name == widget()->property(actionProperty).toString())
            QMetaObject::invokeMethod(widget(), "performAccessibleAction");
    }

private:
    bool opaque() const { return role() == QAccessible::Button || role() == QAccessible::ProgressBar; }
};

QAccessibleInterface* popoverAccessibleFactory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    const QVariant role = widget->property(roleProperty);
    if (!role.isValid())
        return nullptr;
    return new PopoverAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
}

} // namespace

void setAccessibleRole(QWidget* widget, QAccessible::Role role)
{
    installPopoverAccessibility();
    widget->setProperty(roleProperty, static_cast<int>(role));
}

void setPopoverAccessibleValue(QWidget* widget, const QString& value)
{
    if (widget->property(valueProperty).toString() == value)
        return;
    widget->setProperty(valueProperty, value);
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(widget, value);
        QAccessible::updateAccessibility(&event);
    }
}

void setAccessibleActionName(QWidget* widget, const QString& name)
{
    widget->setProperty(actionProperty, name);
}

void installPopoverAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(popoverAccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace mewt
