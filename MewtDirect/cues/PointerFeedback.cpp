#include "cues/PointerFeedback.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QToolButton>
#include <QWindow>

namespace mewt {

namespace {

constexpr std::array<const char*, pointerFeedbackRoles.size()> roleNames
    = { "button", "checkBox", "radioButton", "slider", "incrementor", "popUpButton", "menuButton", "comboBox", "link" };

bool isPawStatusView(const QWidget* widget)
{
    // The status item's view lives in a higher layer, so it is recognised by class name.
    return widget->inherits("mewt::PawStatusView") || widget->inherits("PawStatusView");
}

bool hasMenu(const QWidget* widget)
{
    if (const auto* push = qobject_cast<const QPushButton*>(widget))
        return push->menu() != nullptr;
    if (const auto* tool = qobject_cast<const QToolButton*>(widget))
        return tool->menu() != nullptr;
    return false;
}

std::optional<FeedbackRole> declaredRole(const QWidget* widget, bool& declared)
{
    const QVariant value = widget->property(feedbackRoleProperty);
    declared = value.isValid();
    if (!declared)
        return std::nullopt;
    const QString name = value.toString();
    for (std::size_t i = 0; i < roleNames.size(); ++i) {
        if (name == QLatin1String(roleNames[i]))
            return pointerFeedbackRoles[i];
    }
    return std::nullopt;
}

} // namespace

QString soundTag(TactileSound sound)
{
    return soundTagPrefix + rawValue(sound);
}

QString feedbackRoleName(FeedbackRole role)
{
    return QLatin1String(roleNames[static_cast<std::size_t>(role)]);
}

void setFeedbackRole(QWidget* widget, std::optional<FeedbackRole> role)
{
    if (!widget)
        return;
    widget->setProperty(feedbackRoleProperty, role ? feedbackRoleName(*role) : QStringLiteral("none"));
}

std::optional<FeedbackRole> feedbackRoleOf(const QWidget* widget)
{
    if (!widget)
        return std::nullopt;
    bool declared = false;
    const std::optional<FeedbackRole> role = declaredRole(widget, declared);
    if (declared)
        return role;
    if (qobject_cast<const QCheckBox*>(widget))
        return FeedbackRole::checkBox;
    if (qobject_cast<const QRadioButton*>(widget) || qobject_cast<const QTabBar*>(widget))
        return FeedbackRole::radioButton;
    // A scroll bar is no slider for the user, and it makes no sound where it scrolls.
    if (qobject_cast<const QAbstractSlider*>(widget) && !qobject_cast<const QScrollBar*>(widget))
        return FeedbackRole::slider;
    if (qobject_cast<const QAbstractSpinBox*>(widget))
        return FeedbackRole::incrementor;
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->isEditable() ? FeedbackRole::comboBox : FeedbackRole::popUpButton;
    if (qobject_cast<const QAbstractButton*>(widget))
        return hasMenu(widget) ? FeedbackRole::menuButton : FeedbackRole::button;
    return std::nullopt;
}

PointerFeedback pointerFeedbackStyle(std::optional<FeedbackRole> role)
{
    if (!role)
        return PointerFeedback::pressAndRelease;
    switch (*role) {
    case FeedbackRole::checkBox:
    case FeedbackRole::radioButton:
    case FeedbackRole::popUpButton:
    case FeedbackRole::menuButton:
    case FeedbackRole::comboBox: return PointerFeedback::toggle;
    default: return PointerFeedback::pressAndRelease;
    }
}

std::optional<TactileSound> soundForRole(std::optional<FeedbackRole> role)
{
    if (role == FeedbackRole::slider || role == FeedbackRole::incrementor)
        return TactileSound::tick;
    if (role == FeedbackRole::link)
        return TactileSound::page;
    return std::nullopt;
}

std::optional<TactileSound> soundForIdentifier(const QString& identifier, std::optional<FeedbackRole> role)
{
    if (identifier == cancelControlTag)
        return TactileSound::cancel;
    if (identifier.startsWith(soundTagPrefix)) {
        if (const auto sound = tactileSoundFromRawValue(QStringView(identifier).mid(soundTagPrefix.size())))
            return sound;
    }
    return soundForRole(role);
}

std::optional<PointerFeedbackTarget> pointerFeedbackTargetFrom(QWidget* hit)
{
    const QWidget* previous = nullptr;
    for (QWidget* view = hit; view; view = view->isWindow() ? nullptr : view->parentWidget()) {
        const QString identifier = view->objectName();
        if (isPawStatusView(view) || identifier == pawControlTag)
            return std::nullopt;
        // Typing into a spin box's text is no click on its arrows.
        const bool enteredFromText
            = qobject_cast<const QAbstractSpinBox*>(view) && qobject_cast<const QLineEdit*>(previous);
        if (!enteredFromText) {
            if (const auto role = feedbackRoleOf(view))
                return PointerFeedbackTarget { view, *role, soundForIdentifier(identifier, role) };
        }
        previous = view;
    }
    return std::nullopt;
}

QWidget* widgetAtWindowPosition(QWindow* window, QPointF position)
{
    if (!window)
        return nullptr;
    QWidget* top = nullptr;
    for (QWidget* candidate : QApplication::topLevelWidgets()) {
        if (candidate->windowHandle() == window) {
            top = candidate;
            break;
        }
    }
    if (!top)
        return nullptr;
    const QPoint point = position.toPoint();
    if (QWidget* child = top->childAt(point))
        return child;
    return top->rect().contains(point) ? top : nullptr;
}

} // namespace mewt
