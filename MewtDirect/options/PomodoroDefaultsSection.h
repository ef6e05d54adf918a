#pragma once

namespace mewt {

class PomodoroSettingsStore;
class SettingsForm;

// The pomodoro lengths, the long-break interval and the three flow switches, as two sections of
// the timer page. Each minute row rewrites one field of the stored configuration and keeps the
// other three as they are, even a length that is not a whole number of minutes.
void addPomodoroDefaultsSection(SettingsForm& form, PomodoroSettingsStore& settings);

} // namespace mewt
