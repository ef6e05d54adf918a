#pragma once

#include "model/PomodoroYarnProgress.h"
#include "platform/Clock.h"

#include <QtGlobal>
#include <chrono>
#include <functional>
#include <optional>

class QWidget;

namespace mewt {

// What a progress view draws between the once-a-second updates: each new value is reached in a
// linear glide of one second from where the glide is, and what is drawn follows only in steps of
// at least a device pixel, on the shared frame clock and only while the view shows. A long timer
// so repaints every few seconds and a short one a few times a second.
class ProgressGlide final {
public:
    static constexpr std::chrono::milliseconds duration { 1000 };
    // A longer step (shown again after a while, the wall clock set) lands at once.
    static constexpr double longestGlideSeconds = 2.0;

    // `devicePixelSpan`: device pixels the fastest part of `view` moves over the whole schedule.
    ProgressGlide(QWidget& view, std::function<double()> devicePixelSpan);
    ~ProgressGlide();
    Q_DISABLE_COPY_MOVE(ProgressGlide)

    const PomodoroYarnProgress& target() const { return goal; }
    // What is drawn now.
    const PomodoroYarnProgress& shown() const { return drawn; }

    // A new value: glides there while the view shows and motion is allowed, else lands at once;
    // repaints the view when what is drawn changed.
    void retarget(const PomodoroYarnProgress& target);
    // Hidden: nothing runs, and what shows next is the target.
    void stop();

private:
    // Glides when `glides` and only the current segment's remaining time changed, by little;
    // otherwise lands at once.
    void setTarget(const PomodoroYarnProgress& target, bool glides, Uptime now);
    // Draws the glide's value at `now` once it lies at least a pixel from what is drawn; true when so.
    bool advance(Uptime now);
    // When the glide next lies a pixel from what is drawn; none when it ends short of one.
    std::optional<Uptime> nextFrame() const;
    void land();
    double pixelsPerSecond() const;
    double remainingAt(Uptime now) const;
    void frame();
    void requestFrame();

    QWidget& view;
    std::function<double()> span;
    PomodoroYarnProgress goal;
    PomodoroYarnProgress drawn;
    double fromRemaining = 0.0;
    Uptime start;
};

} // namespace mewt
