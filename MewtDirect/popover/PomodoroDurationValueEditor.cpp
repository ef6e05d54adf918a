#include "popover/PomodoroDurationValueEditor.h"

#include "popover/PomodoroDurationInteractionModifier.h"
#include "popover/PopoverAccessibility.h"

#include <QAccessibleWidget>
#include <QBoxLayout>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <utility>

namespace mewt {

namespace {

constexpr char editorProperty[] = "mewtDurationValueEditor";
constexpr qint64 minimumMinutes = 1;
constexpr qint64 maximumMinutes = 180;
constexpr qint64 minimumInterval = 2;
constexpr qint64 maximumInterval = 8;

// A spin box to a screen reader: the value's name and hint, the session count's spoken value, the
// stored number within its range, and increase and decrease by one. The session count's spoken
// value ("every 4 focus sessions") goes out as text, which AT-SPI carries and a number cannot.
class PomodoroDurationAccessible final : public QAccessibleWidget,
                                         public QAccessibleValueInterface,
                                         public ReadOnlyAccessibleText {
public:
    explicit PomodoroDurationAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::SpinBox)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        if (type == QAccessible::TextInterface && !spokenText().isEmpty())
            return static_cast<QAccessibleTextInterface*>(static_cast<ReadOnlyAccessibleText*>(this));
        return QAccessibleWidget::interface_cast(type);
    }

    // The symbol and the drawn digits are not read on their own.
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return editor() ? editor()->accessibleValue() : QString();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return { increaseAction(), decreaseAction() }; }
    void doAction(const QString& name) override
    {
        if (!editor() || !widget()->isEnabled())
            return;
        if (name == increaseAction())
            editor()->step(1);
        else if (name == decreaseAction())
            editor()->step(-1);
    }

    QVariant currentValue() const override { return editor() ? editor()->savedValue() : QVariant(); }
    void setCurrentValue(const QVariant& value) override
    {
        bool ok = false;
        const qint64 wanted = value.toLongLong(&ok);
        if (ok && editor())
            editor()->adjustTo(wanted);
    }
    QVariant maximumValue() const override { return editor() ? editor()->maximum() : QVariant(); }
    QVariant minimumValue() const override { return editor() ? editor()->minimum() : QVariant(); }
    QVariant minimumStepSize() const override { return 1; }

protected:
    QString spokenText() const override { return text(QAccessible::Value); }

private:
    PomodoroDurationValueEditor* editor() const { return pomodoroDurationValueEditor(widget()); }
};

QAccessibleInterface* durationValueFactory(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    return widget && pomodoroDurationValueEditor(widget) ? new PomodoroDurationAccessible(widget) : nullptr;
}

} // namespace

PomodoroDurationValueEditor* pomodoroDurationValueEditor(const QObject* widget)
{
    return widget ? qobject_cast<PomodoroDurationValueEditor*>(widget->property(editorProperty).value<QObject*>())
                  : nullptr;
}

PomodoroDurationValueEditor::PomodoroDurationValueEditor(
    QWidget& host, PomodoroDurationKind kind, const PomodoroDurationValueActions& actions)
    : QObject(&host)
    , hostWidget(host)
    , valueKind(kind)
    , actions(actions)
    , textField(new QLineEdit(&host))
    , gesture(new PomodoroDurationInteractionModifier(host))
{
    static const bool installed = [] {
        QAccessible::installFactory(durationValueFactory);
        return true;
    }();
    Q_UNUSED(installed);
    host.setProperty(editorProperty, QVariant::fromValue<QObject*>(this));

    textField->setFrame(false);
    textField->setAttribute(Qt::WA_MacShowFocusRect, false);
    QPalette p = textField->palette();
    p.setColor(QPalette::Base, Qt::transparent);
    textField->setPalette(p);
    textField->hide();
    textField->installEventFilter(this);
    host.installEventFilter(this);
    connect(textField, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (this->actions.setDraft)
            this->actions.setDraft(valueKind, text);
    });

    gesture->onTap = [this] { beginEditing(); };
    gesture->onBegan = [this](QPointF point) {
        if (this->actions.onBegan)
            this->actions.onBegan(valueKind, point);
    };
    gesture->onChanged = [this](QPointF point) {
        if (this->actions.onChanged)
            this->actions.onChanged(point);
    };
    gesture->onEnded = [this](QPointF point) {
        if (this->actions.onEnded)
            this->actions.onEnded(point);
    };
}

qint64 PomodoroDurationValueEditor::minimum() const
{
    return measuresMinutes(valueKind) ? minimumMinutes : minimumInterval;
}

qint64 PomodoroDurationValueEditor::maximum() const
{
    return measuresMinutes(valueKind) ? maximumMinutes : maximumInterval;
}

void PomodoroDurationValueEditor::setAllowsPull(bool allows)
{
    pulls = allows;
    updateGesture();
}

void PomodoroDurationValueEditor::updateGesture()
{
    // The field takes its own presses while it is open.
    gesture->setEnabled(pulls && !editing);
    gesture->acceptsTap = pulls && !editing;
}

void PomodoroDurationValueEditor::beginEditing()
{
    if (!pulls)
        return;
    const QString text = QString::number(storedValue());
    if (actions.setDraft)
        actions.setDraft(valueKind, text);
    if (actions.beginEdit)
        actions.beginEdit(valueKind);
    const bool focusedForUs = actions.onTextInputFocusRequest && actions.onTextInputFocusRequest();
    textField->setText(actions.draft ? actions.draft(valueKind) : text);
    setEditing(true);
    textField->selectAll();
    if (!focusedForUs)
        textField->setFocus(Qt::OtherFocusReason);
}

void PomodoroDurationValueEditor::followEditingKind()
{
    if (editing && (!actions.editingKind || actions.editingKind() != valueKind))
        setEditing(false);
}

void PomodoroDurationValueEditor::setEditing(bool value)
{
    if (editing == value)
        return;
    editing = value;
    // A click on the value around the open field must not take the keyboard from it (the popover
    // root takes click focus); and a field hidden with the keyboard would hand it to the next one.
    if (editing) {
        restingFocusPolicy = hostWidget.focusPolicy();
        hostWidget.setFocusProxy(textField);
        hostWidget.setFocusPolicy(Qt::ClickFocus);
    } else {
        hostWidget.setFocusProxy(nullptr);
        hostWidget.setFocusPolicy(restingFocusPolicy);
        // Return hands the keyboard back to the value it came from, so Tab goes on from there.
        if (textField->hasFocus() && std::exchange(closingByKey, false) && (restingFocusPolicy & Qt::TabFocus))
            hostWidget.setFocus(Qt::OtherFocusReason);
        else if (textField->hasFocus())
            textField->clearFocus();
    }
    closingByKey = false;
    updateGesture();
    if (restingValue) {
        restingValue->setVisible(!editing);
        typingRow->setVisible(editing);
    }
}

void PomodoroDurationValueEditor::setDisplay(
    QWidget& value, QWidget& typing, QBoxLayout& row, int fieldWidth, Qt::Alignment alignment)
{
    restingValue = &value;
    typingRow = &typing;
    value.setFont(hostWidget.font());
    value.setAttribute(Qt::WA_TransparentForMouseEvents);
    textField->setParent(&typing);
    textField->setFont(hostWidget.font());
    textField->setAlignment(alignment);
    textField->setFixedSize(fieldWidth, value.sizeHint().height());
    textField->show();
    row.insertWidget(0, textField);
    typing.setFixedHeight(value.sizeHint().height());
    typing.setVisible(editing);
}

void PomodoroDurationValueEditor::setForeground(const QColor& color)
{
    QPalette p = hostWidget.palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::Text, color);
    p.setColor(QPalette::Base, Qt::transparent);
    hostWidget.setPalette(p);
}

void PomodoroDurationValueEditor::step(int delta)
{
    adjustTo(storedValue() + delta);
}

qint64 PomodoroDurationValueEditor::storedValue() const
{
    // The shown value follows the store a turn later; a step or a click reads the store itself.
    return actions.storedValue ? actions.storedValue(valueKind) : saved;
}

void PomodoroDurationValueEditor::adjustTo(qint64 value)
{
    if (actions.onAdjust)
        actions.onAdjust(valueKind, value);
}

void PomodoroDurationValueEditor::setAccessibleValue(const QString& value)
{
    if (value == spokenValue)
        return;
    spokenValue = value;
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(&hostWidget, saved);
        QAccessible::updateAccessibility(&event);
    }
}

bool PomodoroDurationValueEditor::hostKeyPressed(const QKeyEvent& event)
{
    if (!pulls || editing || (event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: beginEditing(); return true;
    case Qt::Key_Up:
    case Qt::Key_Right: step(1); return true;
    case Qt::Key_Down:
    case Qt::Key_Left: step(-1); return true;
    default: return false;
    }
}

bool PomodoroDurationValueEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &hostWidget && event->type() == QEvent::KeyPress)
        return hostKeyPressed(*static_cast<QKeyEvent*>(event));
    if (watched != textField || !editing)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Taken here, so the Return never travels on to the popover's start.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            closingByKey = true;
            if (actions.commitEdit)
                actions.commitEdit(valueKind);
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // The window losing the keyboard or the field's own context menu leave the edit open.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && actions.commitEdit)
            actions.commitEdit(valueKind);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace mewt
