#include "popover/TimerPopoverUtilityAction.h"

namespace mewt {

QString title(TimerPopoverUtilityAction action)
{
    using A = TimerPopoverUtilityAction;
    switch (action) {
    case A::continuousMode: return QStringLiteral("continuous mode");
    case A::autostart: return QStringLiteral("autostart");
    case A::pullStep: return QStringLiteral("time per step");
    case A::separator: return {};
    case A::timerMode: return QStringLiteral("mode");
    case A::timerLayout: return QStringLiteral("layout");
    case A::zenMode: return QStringLiteral("zen mode");
    case A::showInstructions: return QStringLiteral("show instructions");
    case A::autoDismiss: return QStringLiteral("auto-dismiss");
    case A::toggleSound: return QStringLiteral("mute volume");
    case A::endingCue: return QStringLiteral("ending cue");
    case A::sendFeedback: return QStringLiteral("send feedback");
    case A::welcomeTour: return QStringLiteral("welcome tour");
    case A::settings: return QStringLiteral("settings");
    case A::quit: return QStringLiteral("quit mewt");
    }
    return {};
}

QString systemImage(TimerPopoverUtilityAction action)
{
    using A = TimerPopoverUtilityAction;
    switch (action) {
    case A::continuousMode: return QStringLiteral("infinity");
    case A::autostart: return QStringLiteral("forward.end");
    case A::pullStep: return QStringLiteral("ruler");
    case A::separator: return {};
    case A::timerMode: return QStringLiteral("timer");
    case A::timerLayout: return QStringLiteral("rectangle.3.group");
    case A::zenMode: return QStringLiteral("rectangle.compress.vertical");
    case A::showInstructions: return QStringLiteral("text.bubble");
    case A::autoDismiss: return QStringLiteral("timer");
    case A::toggleSound: return QStringLiteral("speaker.slash.fill");
    case A::endingCue: return QStringLiteral("bell");
    case A::sendFeedback: return QStringLiteral("envelope");
    case A::welcomeTour: return QStringLiteral("questionmark");
    case A::settings: return QStringLiteral("gearshape");
    case A::quit: return QStringLiteral("power");
    }
    return {};
}

QString glyphName(TimerPopoverUtilityAction action)
{
    using A = TimerPopoverUtilityAction;
    switch (action) {
    case A::continuousMode: return QStringLiteral("infinity");
    case A::autostart: return QStringLiteral("forward-end");
    case A::pullStep: return QStringLiteral("ruler");
    case A::timerMode:
    case A::autoDismiss: return QStringLiteral("timer");
    case A::timerLayout: return QStringLiteral("switches");
    case A::showInstructions: return QStringLiteral("text-bubble");
    case A::toggleSound: return QStringLiteral("speaker-slash");
    case A::endingCue: return QStringLiteral("bell");
    case A::sendFeedback: return QStringLiteral("envelope");
    case A::welcomeTour: return QStringLiteral("questionmark");
    case A::settings: return QStringLiteral("gear");
    case A::quit: return QStringLiteral("power");
    case A::separator:
    case A::zenMode: return {};
    }
    return {};
}

QList<TimerPopoverUtilityAction> timerPopoverUtilityActions(bool includesWelcomeTour)
{
    using A = TimerPopoverUtilityAction;
    QList<A> rows { A::continuousMode, A::autostart, A::pullStep, A::separator, A::timerMode, A::timerLayout,
        A::zenMode, A::showInstructions, A::autoDismiss, A::separator, A::toggleSound, A::endingCue, A::separator,
        A::sendFeedback };
    if (includesWelcomeTour)
        rows.append(A::welcomeTour);
    rows.append({ A::settings, A::separator, A::quit });
    return rows;
}

} // namespace mewt
