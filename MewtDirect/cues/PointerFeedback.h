#pragma once

#include "cues/TactileSound.h"

#include <QPointF>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>

class QWindow;

namespace mewt {

// The kind of press that is pending between a mouse down and its mouse up.
enum class PointerFeedback { pressAndRelease, toggle };

// The roles that make a widget a control with pointer feedback, in their order of precedence.
enum class FeedbackRole {
    button,
    checkBox,
    radioButton,
    slider,
    incrementor,
    popUpButton,
    menuButton,
    comboBox,
    link,
};

inline constexpr std::array pointerFeedbackRoles = { FeedbackRole::button, FeedbackRole::checkBox,
    FeedbackRole::radioButton, FeedbackRole::slider, FeedbackRole::incrementor, FeedbackRole::popUpButton,
    FeedbackRole::menuButton, FeedbackRole::comboBox, FeedbackRole::link };

// Sound tags, read from a widget's objectName.
inline const QString pawControlTag = QStringLiteral("mewt.paw-control");
inline const QString cancelControlTag = QStringLiteral("mewt.cancel-control");
inline const QString soundTagPrefix = QStringLiteral("mewt.sound.");
// "mewt.sound.page" and the like.
QString soundTag(TactileSound sound);

// Our own controls declare their role with this dynamic property (a role name such as "link" or
// "radioButton", or "none" for no feedback); standard Qt widgets are recognised by class.
inline constexpr char feedbackRoleProperty[] = "mewtFeedbackRole";
void setFeedbackRole(QWidget* widget, std::optional<FeedbackRole> role);
QString feedbackRoleName(FeedbackRole role);
std::optional<FeedbackRole> feedbackRoleOf(const QWidget* widget);

PointerFeedback pointerFeedbackStyle(std::optional<FeedbackRole> role);
std::optional<TactileSound> soundForRole(std::optional<FeedbackRole> role);
// The release sound a control's tag asks for, or its role's sound.
std::optional<TactileSound> soundForIdentifier(const QString& identifier, std::optional<FeedbackRole> role);

struct PointerFeedbackTarget {
    QPointer<QWidget> view;
    FeedbackRole role = FeedbackRole::button;
    std::optional<TactileSound> sound;
};

// The nearest control at or above `hit`; none when the walk meets the paw first.
std::optional<PointerFeedbackTarget> pointerFeedbackTargetFrom(QWidget* hit);
// The widget under `position` (window coordinates) in the widget window `window`.
QWidget* widgetAtWindowPosition(QWindow* window, QPointF position);

} // namespace mewt
