#include "cues/TactileSoundPlayer.h"

#include "cues/PointerEventMonitor.h"
#include "cues/TactileSoundRenderer.h"
#include "model/InterfaceSettingsStore.h"
#include "platform/Clock.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

namespace mewt {

TactileSoundPlayer::TactileSoundPlayer(
    InterfaceSettingsStore& settings, AudioEngine& engine, const Clock& clock, QObject* parent)
    : QObject(parent)
    , settings(settings)
    , engine(engine)
    , clock(clock)
{
}

TactileSoundPlayer::~TactileSoundPlayer() = default;

void TactileSoundPlayer::startRendering() const
{
    if (rendered.valid())
        return;
    rendered = std::async(std::launch::async, [] {
        std::array<AudioSamples, allTactileSounds.size()> buffers;
        for (TactileSound sound : allTactileSounds) {
            buffers[static_cast<std::size_t>(sound)] = makeAudioSamples(renderRecipe(sound, sampleRate));
        }
        return buffers;
    }).share();
}

void TactileSoundPlayer::start()
{
    if (eventMonitor)
        return;
    startEngine();
    eventMonitor = std::make_unique<PointerEventMonitor>(*this);
}

void TactileSoundPlayer::startEngine()
{
    if (!engine.isRunning())
        engine.start();
}

void TactileSoundPlayer::play(TactileSound sound, double volume)
{
    const double settingsVolume = settings.tactileSoundVolume();
    if (!settings.tactileSoundsEnabled() || !(settingsVolume > 0.0) || !(volume > 0.0))
        return;
    AudioSamples samples = buffer(sound);
    if (!samples)
        return;
    startEngine();
    if (!engine.isRunning())
        return;
    const int node = nextPlayerIndex;
    nextPlayerIndex = (nextPlayerIndex + 1) % playerCount;
    engine.playTactile(node, std::move(samples), clampedGain(settingsVolume * volume));
}

void TactileSoundPlayer::beginPress(TactileSound releaseSound)
{
    if (!settings.tactileSoundsEnabled())
        return;
    if (!pendingFeedback) {
        pendingFeedback = PointerFeedback::pressAndRelease;
        play(TactileSound::press, pressVolume);
    }
    if (pendingFeedback == PointerFeedback::pressAndRelease)
        this->releaseSound = releaseSound;
}

void TactileSoundPlayer::endPress(std::optional<TactileSound> sound)
{
    if (!pendingFeedback)
        return;
    const TactileSound fallback = pendingFeedback == PointerFeedback::toggle
        ? TactileSound::toggle
        : releaseSound.value_or(TactileSound::release);
    pendingFeedback.reset();
    releaseSound.reset();
    play(sound.value_or(fallback), pressVolume);
}

void TactileSoundPlayer::shutdown()
{
    eventMonitor.reset();
    pendingFeedback.reset();
    releaseSound.reset();
    hovered.clear();
    engine.stop();
}

std::optional<PointerFeedbackTarget> TactileSoundPlayer::pointerFeedbackTarget(
    QWindow* window, const QMouseEvent& event) const
{
    // While a menu or pop-up list is open, clicks elsewhere only close it.
    if (QWidget* popup = QApplication::activePopupWidget(); popup && popup->windowHandle() != window)
        return std::nullopt;
    return pointerFeedbackTargetFrom(widgetAtWindowPosition(window, event.position()));
}

void TactileSoundPlayer::handleHover(QWindow* window, const QMouseEvent& event)
{
    const std::optional<PointerFeedbackTarget> target = pointerFeedbackTarget(window, event);
    if (!target || !target->view) {
        hovered.clear();
        return;
    }
    if (target->view == hovered)
        return;
    hovered = target->view;
    const double now = uptimeSeconds();
    if (now - lastHoverTime >= hoverTickGap) {
        lastHoverTime = now;
        play(TactileSound::tick, hoverTickVolume);
    }
}

void TactileSoundPlayer::handlePointerEvent(QWindow* window, const QMouseEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseMove:
        if (event.buttons() == Qt::NoButton)
            handleHover(window, event);
        break;
    // Qt delivers the second click of a double click as a press too (then a double-click event).
    case QEvent::MouseButtonPress: {
        if (event.button() != Qt::LeftButton)
            break;
        const std::optional<PointerFeedbackTarget> target = pointerFeedbackTarget(window, event);
        if (!target)
            break;
        if (pointerFeedbackStyle(target->role) == PointerFeedback::pressAndRelease)
            beginPress(target->sound.value_or(TactileSound::release));
        else
            pendingFeedback = PointerFeedback::toggle;
        break;
    }
    case QEvent::MouseButtonRelease:
        if (event.button() == Qt::LeftButton)
            endPress();
        break;
    default: break;
    }
}

double TactileSoundPlayer::uptimeSeconds() const
{
    return std::chrono::duration<double>(clock.uptime().time_since_epoch()).count();
}

} // namespace mewt
