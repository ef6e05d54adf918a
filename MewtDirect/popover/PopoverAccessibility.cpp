#include "popover/PopoverAccessibility.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QElapsedTimer>
#include <QLabel>
#include <QVariant>
#include <QWidget>

namespace mewt {

namespace {

constexpr char roleProperty[] = "mewtAccessibleRole";
constexpr char valueProperty[] = "mewtAccessibleValue";
constexpr char numberProperty[] = "mewtAccessibleNumber";
constexpr char maximumProperty[] = "mewtAccessibleMaximum";
constexpr char actionProperty[] = "mewtAccessibleAction";
constexpr char childrenProperty[] = "mewtAccessibleChildrenRead";
constexpr char labelsProperty[] = "mewtAccessibleLabels";
constexpr char toldAtProperty[] = "mewtAccessibleToldAt";

// A running time is told once a minute at most; hearing every second would drown everything else.
constexpr qint64 timeAnnouncementIntervalMs = 60'000;

qint64 monotonicMs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.elapsed();
}

class PopoverAccessibleWidget final : public QAccessibleWidget,
                                      public ReadOnlyAccessibleText,
                                      public QAccessibleValueInterface {
public:
    PopoverAccessibleWidget(QWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface && hasText())
            return static_cast<QAccessibleTextInterface*>(static_cast<ReadOnlyAccessibleText*>(this));
        if (type == QAccessible::ValueInterface && widget()->property(numberProperty).isValid())
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
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
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            if (const auto* button = qobject_cast<const QAbstractButton*>(widget()))
                return button->text();
            if (role() == QAccessible::StaticText)
                return spokenText();
        }
        // A button without a hint of its own: its value is what a reader says after its name.
        if (t == QAccessible::Description && role() == QAccessible::Button
            && widget()->accessibleDescription().isEmpty())
            return widget()->property(valueProperty).toString();
        return QAccessibleWidget::text(t);
    }

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override
    {
        auto found = QAccessibleWidget::relations(match);
        if (!(match & QAccessible::Label))
            return found;
        for (QObject* object : widget()->property(labelsProperty).value<QObjectList>()) {
            auto* label = qobject_cast<QWidget*>(object);
            if (label && label->isVisibleTo(widget()))
                if (QAccessibleInterface* node = QAccessible::queryAccessibleInterface(label))
                    found.append({ node, QAccessible::Label });
        }
        return found;
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

    // The value interface: a share from 0 to a maximum, read only.
    QVariant currentValue() const override { return widget()->property(numberProperty); }
    void setCurrentValue(const QVariant&) override { }
    QVariant maximumValue() const override { return widget()->property(maximumProperty); }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 0.0; }

private:
    bool opaque() const
    {
        if (role() == QAccessible::Button)
            return !widget()->property(childrenProperty).toBool();
        return role() == QAccessible::ProgressBar;
    }

    bool hasText() const { return role() == QAccessible::StaticText || widget()->property(valueProperty).isValid(); }

    QString spokenText() const override
    {
        const QVariant value = widget()->property(valueProperty);
        if (value.isValid() || role() != QAccessible::StaticText)
            return value.toString();
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        if (const auto* label = qobject_cast<const QLabel*>(widget()))
            return label->text();
        return {};
    }
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

void storeValue(QWidget* widget, const QString& value, bool announce)
{
    const QVariant before = widget->property(valueProperty);
    if (before.isValid() && before.toString() == value)
        return;
    widget->setProperty(valueProperty, value);
    if (!announce || !QAccessible::isActive())
        return;
    const QString oldText = before.toString();
    QAccessibleTextUpdateEvent text(widget, 0, oldText, value);
    QAccessible::updateAccessibility(&text);
    QAccessibleValueChangeEvent changed(widget, value);
    QAccessible::updateAccessibility(&changed);
    // A label's name is its text; a button without a hint describes itself by its value.
    if (widget->accessibleName().isEmpty()) {
        QAccessibleEvent named(widget, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
    }
    const QVariant role = widget->property(roleProperty);
    if (role.isValid() && role.toInt() == QAccessible::Button && widget->accessibleDescription().isEmpty()) {
        QAccessibleEvent described(widget, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&described);
    }
}

} // namespace

void setAccessibleRole(QWidget* widget, QAccessible::Role role)
{
    installPopoverAccessibility();
    widget->setProperty(roleProperty, static_cast<int>(role));
}

void setPopoverAccessibleValue(QWidget* widget, const QString& value)
{
    storeValue(widget, value, true);
}

void setPopoverAccessibleTime(QWidget* widget, const QString& value)
{
    const QVariant before = widget->property(valueProperty);
    if (before.isValid() && before.toString() == value)
        return;
    const QVariant toldAt = widget->property(toldAtProperty);
    const qint64 now = monotonicMs();
    const bool announce = !toldAt.isValid() || now - toldAt.toLongLong() >= timeAnnouncementIntervalMs;
    if (announce)
        widget->setProperty(toldAtProperty, now);
    storeValue(widget, value, announce);
}

void setPopoverAccessibleNumber(QWidget* widget, double current, double maximum)
{
    widget->setProperty(numberProperty, current);
    widget->setProperty(maximumProperty, maximum);
}

void setAccessibleActionName(QWidget* widget, const QString& name)
{
    widget->setProperty(actionProperty, name);
}

void setAccessibleChildrenRead(QWidget* widget, const QList<QWidget*>& labels)
{
    widget->setProperty(childrenProperty, true);
    QObjectList objects(labels.begin(), labels.end());
    widget->setProperty(labelsProperty, QVariant::fromValue(objects));
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
