#pragma once

#include "model/PomodoroConfiguration.h"
#include "model/TimerMode.h"

#include <QObject>
#include <functional>

namespace mewt {

class UserDefaults;

// The default mode of a new start and the pomodoro defaults: lengths, long-break interval and the
// three flow switches.
class PomodoroSettingsStore final : public QObject {
    Q_OBJECT

public:
    explicit PomodoroSettingsStore(UserDefaults& defaults, QObject* parent = nullptr);
    Q_DISABLE_COPY_MOVE(PomodoroSettingsStore)

    static inline const QString modeKey = QStringLiteral("timerMode");
    static inline const QString configurationKey = QStringLiteral("pomodoroConfiguration");
    static inline const QString autoStartsNextFocusKey = QStringLiteral("pomodoroAutoStartsNextFocus");
    static inline const QString autoStartsNextBreakKey = QStringLiteral("pomodoroAutoStartsNextBreak");
    static inline const QString continuousModeKey = QStringLiteral("pomodoroContinuousMode");

    TimerMode mode() const { return currentMode; }
    const PomodoroConfiguration& configuration() const { return currentConfiguration; }
    bool autoStartsNextFocus() const { return startsNextFocus; }
    bool autoStartsNextBreak() const { return startsNextBreak; }
    bool isContinuousModeEnabled() const { return continuousMode; }

    void setMode(TimerMode mode);
    // Holds every field to its range, then writes and reports the configuration on every call,
    // changed or not; the signal fires only on a real change.
    void setConfiguration(const PomodoroConfiguration& configuration);
    void setContinuousModeEnabled(bool enabled);
    void setAutoStartsNextFocus(bool enabled);
    void setAutoStartsNextBreak(bool enabled);

    std::function<void(const PomodoroConfiguration&)> onConfigurationChange;

Q_SIGNALS:
    void modeChanged(mewt::TimerMode mode);
    void configurationChanged(const mewt::PomodoroConfiguration& configuration);
    void autoStartsNextFocusChanged(bool enabled);
    void autoStartsNextBreakChanged(bool enabled);
    void isContinuousModeEnabledChanged(bool enabled);

private:
    UserDefaults& defaults;
    TimerMode currentMode = TimerMode::timer;
    PomodoroConfiguration currentConfiguration;
    bool startsNextFocus = false;
    bool startsNextBreak = true;
    bool continuousMode = false;
};

} // namespace mewt
