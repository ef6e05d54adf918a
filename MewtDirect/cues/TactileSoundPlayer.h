#pragma once

#include "cues/PointerFeedback.h"
#include "cues/TactileSound.h"
#include "platform/AudioEngine.h"

#include <QObject>
#include <QPointer>
#include <array>
#include <future>
#include <limits>
#include <memory>
#include <optional>

class QMouseEvent;
class QWindow;

namespace mewt {

class Clock;
class InterfaceSettingsStore;
class PointerEventMonitor;

// Plays the interface sounds. All eighteen are rendered once, on a thread of their own started by
// `renderSounds` (the app calls it once the paw is on screen), so that launching never waits for
// them; the first play starts the rendering if no one did and waits for the rest of it. A play only
// hands one of them to the next of eight engine voices in turn, at the interface-sound volume
// times the requested volume. `start` also installs the pointer feedback: controls under a left
// click sound by their role and tag, and a new control under the moving pointer ticks.
class TactileSoundPlayer final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TactileSoundPlayer)

public:
    static constexpr int playerCount = AudioEngine::tactileVoiceCount;
    static constexpr double sampleRate = audioSampleRate;
    static constexpr double hoverTickGap = 0.15;
    static constexpr double hoverTickVolume = 0.35;
    static constexpr double pressVolume = 1.0;

    TactileSoundPlayer(
        InterfaceSettingsStore& settings, AudioEngine& engine, const Clock& clock, QObject* parent = nullptr);
    ~TactileSoundPlayer() override;

    // Starts the engine and installs the pointer monitor; a second call does nothing.
    void start();
    // Starts rendering the sounds, once.
    void renderSounds() { startRendering(); }
    // Silent unless interface sounds are on and both volumes are above 0.
    void play(TactileSound sound, double volume);
    void beginPress(TactileSound releaseSound);
    void endPress(std::optional<TactileSound> sound = std::nullopt);
    void startEngine();
    // Removes the monitor, forgets the press and hover, and stops the engine (a later play
    // restarts it).
    void shutdown();

    // Pointer feedback, fed by the monitor with each mouse event of a window.
    void handlePointerEvent(QWindow* window, const QMouseEvent& event);
    std::optional<PointerFeedbackTarget> pointerFeedbackTarget(QWindow* window, const QMouseEvent& event) const;
    void handleHover(QWindow* window, const QMouseEvent& event);

    AudioSamples buffer(TactileSound sound) const
    {
        startRendering();
        return rendered.get()[static_cast<std::size_t>(sound)];
    }
    int nextPlayer() const { return nextPlayerIndex; }
    bool isMonitorInstalled() const { return eventMonitor != nullptr; }
    std::optional<PointerFeedback> pointerFeedback() const { return pendingFeedback; }
    std::optional<TactileSound> pointerReleaseSound() const { return releaseSound; }
    QWidget* hoveredView() const { return hovered.data(); }

private:
    double uptimeSeconds() const;
    void startRendering() const;

    InterfaceSettingsStore& settings;
    AudioEngine& engine;
    const Clock& clock;
    mutable std::shared_future<std::array<AudioSamples, allTactileSounds.size()>> rendered;
    int nextPlayerIndex = 0;
    std::unique_ptr<PointerEventMonitor> eventMonitor;
    std::optional<PointerFeedback> pendingFeedback;
    std::optional<TactileSound> releaseSound;
    // Guarded: a deleted control must neither be touched nor mistaken for a new one at its address.
    QPointer<QWidget> hovered;
    double lastHoverTime = -std::numeric_limits<double>::infinity();
};

} // namespace mewt
