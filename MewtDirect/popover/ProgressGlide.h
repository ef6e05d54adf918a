#pragma once

#include "artwork/PixelGlide.h"
#include "model/PomodoroYarnProgress.h"

#include <QtGlobal>
#include <chrono>
#include <functional>

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
    Q_DISABLE_COPY_MOVE(ProgressGlide)

    const PomodoroYarnProgress& target() const { return goal; }
    // What is drawn now.
    PomodoroYarnProgress shown() const;

    // A new value: glides there while the view shows and motion is allowed, when only the current
    // segment's remaining time changed, by little; else lands at once. Repaints the view when what
    // is drawn changed.
    void retarget(const PomodoroYarnProgress& target);
    // Nothing runs, and what is drawn is the target: for a hidden view, or one that stops moving.
    void stop();

private:
    QWidget& view;
    std::function<double()> span;
    PomodoroYarnProgress goal;
    // The current segment's remaining seconds, the one number that glides.
    PixelGlide remaining;
};

} // namespace mewt
