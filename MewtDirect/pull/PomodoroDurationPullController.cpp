#include "pull/PomodoroDurationPullController.h"

#include "pull/PomodoroDurationRopePanel.h"
#include "cues/TactileSoundPlayer.h"

#include <cmath>

namespace mewt {

PomodoroDurationPullController::PomodoroDurationPullController(ThemeProvider theme, TactileSoundPlayer& tactileSounds,
    YarnSoundFeedback yarnFeedback, MaximumProvider maximum, CommitAction commit, QObject* parent)
    : QObject(parent)
    , themeProvider(std::move(theme))
    , tactileSounds(tactileSounds)
    , pristineYarn(std::move(yarnFeedback))
    , yarn(pristineYarn)
    , maximumFor(std::move(maximum))
    , commit(std::move(commit))
{
    frameTimer.setTimerType(Qt::PreciseTimer);
    frameTimer.setInterval(frameIntervalMs);
    connect(&frameTimer, &QTimer::timeout, this, &PomodoroDurationPullController::advanceFrame);
}

PomodoroDurationPullController::~PomodoroDurationPullController() = default;

void PomodoroDurationPullController::begin(PomodoroDurationKind kind, QPointF point)
{
    if (closed || !std::isfinite(point.x()) || !std::isfinite(point.y()))
        return;
    if (isActive())
        end();
    pullModel.begin(kind, point, maximumFor ? maximumFor(kind) : 0);
    yarn.emplace(pristineYarn);
    string.reset(point, point);
    if (!panel)
        panel = std::make_unique<PomodoroDurationRopePanel>(pullModel, string);
    panel->present(themeProvider ? themeProvider() : CatTheme::defaultTheme());
    // Nothing is pulled yet, so the press would end with a plain release; retargetRelease turns
    // that into the whisper once a value is selected.
    tactileSounds.beginPress(TactileSound::release);
    frameTimer.start();
    if (onInteractionChange)
        onInteractionChange(true);
}

void PomodoroDurationPullController::drag(QPointF to)
{
    if (!isActive())
        return;
    const PomodoroDurationKind kind = *pullModel.kind();
    const QPointF start = pullModel.startPoint();
    const QPointF held = heldPomodoroDurationPoint(kind, pullModel.maximum(), start, to);
    const QPointF delta = held - start;
    const int value = pomodoroDurationValue(kind, pullModel.maximum(), std::hypot(delta.x(), delta.y()));
    const bool crossed = (value >= 1) != (pullModel.value() >= 1);
    pullModel.move(held, value);
    string.setEnds(start, held);
    yarn->tick(value);
    if (crossed)
        retargetRelease();
    if (panel)
        panel->sync();
}

void PomodoroDurationPullController::retargetRelease()
{
    // The pointer feedback may end the press on the mouse-up before release() runs, so the pending
    // press must already name the right sound: the whisper only when a value would be committed.
    if (tactileSounds.pointerFeedback() == PointerFeedback::pressAndRelease)
        tactileSounds.beginPress(pullModel.value() >= 1 ? TactileSound::whisper : TactileSound::release);
}

void PomodoroDurationPullController::release(QPointF at)
{
    if (!isActive())
        return;
    drag(at);
    const PomodoroDurationKind kind = *pullModel.kind();
    const int value = pullModel.value();
    tactileSounds.endPress();
    if (value >= 1 && commit)
        commit(kind, value);
    end();
}

void PomodoroDurationPullController::end()
{
    frameTimer.stop();
    if (panel)
        panel->hide();
    yarn.emplace(pristineYarn);
    if (!isActive())
        return;
    // A pull cut short commits nothing, so its pending press must not end in a whisper.
    if (tactileSounds.pointerFeedback() == PointerFeedback::pressAndRelease)
        tactileSounds.beginPress(TactileSound::release);
    pullModel.reset();
    if (onInteractionChange)
        onInteractionChange(false);
}

void PomodoroDurationPullController::close()
{
    end();
    closed = true;
    panel.reset();
}

void PomodoroDurationPullController::advanceFrame()
{
    if (!isActive()) {
        frameTimer.stop();
        return;
    }
    string.step();
    if (panel)
        panel->sync();
}

} // namespace mewt
