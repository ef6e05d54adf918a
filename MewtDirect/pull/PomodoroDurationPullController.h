#pragma once

#include "model/CatTheme.h"
#include "pull/PomodoroDurationKind.h"
#include "pull/PomodoroDurationPullModel.h"
#include "cues/YarnSoundFeedback.h"
#include "pull/YarnStringSimulation.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

namespace mewt {

class PomodoroDurationRopePanel;
class TactileSoundPlayer;

// The yarn rope that sets a pomodoro duration by pulling: the popover begins it on a value, moves
// it with the pointer and releases it. The rope's length picks a whole value (held to the kind's
// maximum) that ticks as it changes; a release commits it when it is at least 1. Points are global
// screen coordinates with y growing downwards.
class PomodoroDurationPullController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PomodoroDurationPullController)

public:
    static constexpr int frameIntervalMs = 16;

    using ThemeProvider = std::function<CatTheme()>;
    using MaximumProvider = std::function<int(PomodoroDurationKind)>;
    using CommitAction = std::function<void(PomodoroDurationKind, int)>;

    // `yarnFeedback` is kept as it is handed over, and each pull starts from a fresh copy of it.
    PomodoroDurationPullController(ThemeProvider theme, TactileSoundPlayer& tactileSounds,
        YarnSoundFeedback yarnFeedback, MaximumProvider maximum, CommitAction commit, QObject* parent = nullptr);
    ~PomodoroDurationPullController() override;

    void begin(PomodoroDurationKind kind, QPointF point);
    void drag(QPointF to);
    void release(QPointF at);
    // Ends a pull at once without committing; harmless when none runs.
    void end();
    // Shutdown: ends a pull and closes the rope for good.
    void close();

    bool isActive() const { return pullModel.isActive(); }
    const PomodoroDurationPullModel& model() const { return pullModel; }
    const YarnStringSimulation& simulation() const { return string; }
    const YarnSoundFeedback& yarnFeedback() const { return *yarn; }
    bool isSimulating() const { return frameTimer.isActive(); }
    // Null until the first pull, and after close.
    PomodoroDurationRopePanel* ropePanel() const { return panel.get(); }

    // One frame of the string; the frame timer calls it.
    void advanceFrame();

    // Told true when a pull starts and false when it ends.
    std::function<void(bool)> onInteractionChange;

private:
    void retargetRelease();

    ThemeProvider themeProvider;
    TactileSoundPlayer& tactileSounds;
    const YarnSoundFeedback pristineYarn;
    std::optional<YarnSoundFeedback> yarn;
    MaximumProvider maximumFor;
    CommitAction commit;
    PomodoroDurationPullModel pullModel;
    YarnStringSimulation string;
    std::unique_ptr<PomodoroDurationRopePanel> panel;
    QTimer frameTimer;
    bool closed = false;
};

} // namespace mewt
