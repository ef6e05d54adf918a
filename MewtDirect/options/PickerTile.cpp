#include "options/PickerTile.h"

#include "cues/PointerFeedback.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace mewt {

namespace {

constexpr qreal focusRingInset = 1.5;
constexpr qreal focusRingWidth = 1.5;
constexpr qreal focusRingRadius = 6;

class PickerTileAccessible final : public QAccessibleWidget {
public:
    explicit PickerTileAccessible(PickerTile* tile)
        : QAccessibleWidget(tile, QAccessible::RadioButton)
    {
    }
    PickerTile* tile() const { return static_cast<PickerTile*>(widget()); }
    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: return tile()->name();
        case QAccessible::Value:
            return tile()->isSelected() ? QCoreApplication::translate("mewt", "selected") : QString();
        // The tooltip repeats the name; a reader would say it twice.
        case QAccessible::Description: return tile()->accessibleDescription();
        default: return QAccessibleWidget::text(t);
        }
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = tile()->isSelected();
        return s;
    }
    QStringList actionNames() const override { return { pressAction(), setFocusAction() }; }
    void doAction(const QString& name) override
    {
        if (name == pressAction())
            tile()->click();
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* pickerTileAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("mewt::PickerTile") && object && object->isWidgetType())
        return new PickerTileAccessible(static_cast<PickerTile*>(object));
    return nullptr;
}

bool isKeyboardReason(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

} // namespace

PickerTile::PickerTile(const QString& id, const QString& name, QWidget* parent)
    : QAbstractButton(parent)
    , choiceId(id)
    , choiceName(name)
{
    static const bool installed = (QAccessible::installFactory(pickerTileAccessibleFactory), true);
    Q_UNUSED(installed)
    setToolTip(name);
    setFeedbackRole(this, FeedbackRole::radioButton);
}

void PickerTile::setSelected(bool value)
{
    if (selected == value)
        return;
    selected = value;
    update();
    if (QAccessible::isActive()) {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void PickerTile::setAccentColor(const QColor& color)
{
    if (accent == color)
        return;
    accent = color;
    update();
}

void PickerTile::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintTile(painter);
    if (hasFocus() && focusFromKeyboard) {
        QPainterPath ring;
        ring.addRoundedRect(QRectF(rect()).adjusted(focusRingInset, focusRingInset, -focusRingInset, -focusRingInset),
            focusRingRadius, focusRingRadius);
        painter.setPen(QPen(palette().color(QPalette::Highlight), focusRingWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(ring);
    }
}

void PickerTile::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
            Q_EMIT arrowPressed(event->key());
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            click();
        return;
    default: break;
    }
    QAbstractButton::keyPressEvent(event);
}

void PickerTile::focusInEvent(QFocusEvent* event)
{
    focusFromKeyboard = isKeyboardReason(event->reason());
    QAbstractButton::focusInEvent(event);
}

void PickerTile::focusOutEvent(QFocusEvent* event)
{
    focusFromKeyboard = false;
    QAbstractButton::focusOutEvent(event);
}

} // namespace mewt
