#include "options/SpokenValueSlider.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <cmath>

namespace mewt {

namespace {

class SpokenValueSliderAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SpokenValueSliderAccessible(SpokenValueSlider* slider)
        : QAccessibleWidget(slider, QAccessible::Slider)
    {
    }
    SpokenValueSlider* slider() const { return static_cast<SpokenValueSlider*>(widget()); }
    int units() const { return slider()->unitsPerPosition(); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return slider()->spokenText();
        return QAccessibleWidget::text(t);
    }

    QVariant currentValue() const override { return slider()->value() * units(); }
    void setCurrentValue(const QVariant& value) override
    {
        bool ok = false;
        const double wanted = value.toDouble(&ok);
        if (!ok || !std::isfinite(wanted))
            return;
        const double position = std::clamp(wanted / units(), double(slider()->minimum()), double(slider()->maximum()));
        // As a key press would: the owner hears a finished choice.
        slider()->setSliderPosition(int(std::lround(position)));
        slider()->triggerAction(QAbstractSlider::SliderNoAction);
    }
    QVariant maximumValue() const override { return slider()->maximum() * units(); }
    QVariant minimumValue() const override { return slider()->minimum() * units(); }
    QVariant minimumStepSize() const override { return slider()->singleStep() * units(); }
};

QAccessibleInterface* spokenValueSliderFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("mewt::SpokenValueSlider") && object && object->isWidgetType())
        return new SpokenValueSliderAccessible(static_cast<SpokenValueSlider*>(object));
    return nullptr;
}

} // namespace

SpokenValueSlider::SpokenValueSlider(QWidget* parent)
    : QSlider(Qt::Horizontal, parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(spokenValueSliderFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void SpokenValueSlider::setSpokenValue(int unitsPerPosition, std::function<QString(int)> text)
{
    units = std::max(unitsPerPosition, 1);
    wording = std::move(text);
}

QString SpokenValueSlider::spokenText() const
{
    return wording ? wording(value()) : QString::number(value() * units);
}

} // namespace mewt
