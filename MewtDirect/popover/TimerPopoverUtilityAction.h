#pragma once

#include <QList>
#include <QString>

namespace mewt {

// The rows of the popover's more-actions menu.
enum class TimerPopoverUtilityAction {
    continuousMode,
    autostart,
    pullStep,
    separator,
    timerMode,
    timerLayout,
    zenMode,
    showInstructions,
    autoDismiss,
    toggleSound,
    endingCue,
    sendFeedback,
    welcomeTour,
    settings,
    quit,
};

// Shown exactly as written, in every interface language.
QString title(TimerPopoverUtilityAction action);
// The name of the row's symbol, and the glyph we draw for it ("" for none).
QString systemImage(TimerPopoverUtilityAction action);
QString glyphName(TimerPopoverUtilityAction action);

// The rows in menu order; `separator` appears four times, so a row is known by its position.
QList<TimerPopoverUtilityAction> timerPopoverUtilityActions(bool includesWelcomeTour);

} // namespace mewt
