#pragma once

#include "platform/Clock.h"

#include <QtGlobal>
#include <chrono>
#include <functional>
#include <optional>

class QWidget;

namespace mewt {

// One number a view draws, gliding linearly to each new value over a fixed time from where the
// glide is. What is drawn follows only in steps of at least a device pixel: the moment of the next
// step is computed and asked of the shared frame clock, so something that moves slowly wakes the
// process only when it has moved, and nothing runs while the view is hidden.
class PixelGlide final {
public:
    // `devicePixelsPerUnit`: device pixels the fastest part of `view` moves when the value changes by 1.
    PixelGlide(QWidget& view, std::chrono::milliseconds duration, std::function<double()> devicePixelsPerUnit);
    ~PixelGlide();
    Q_DISABLE_COPY_MOVE(PixelGlide)

    // What is drawn now.
    double shown() const { return drawn; }
    // Where the glide is at `now`, drawn or not.
    double valueAt(Uptime now) const;

    // A new value: glides there when `glides` and the view shows, else lands at once; repaints the
    // view when what is drawn changed.
    void retarget(double value, bool glides);
    // Nothing runs any more, and the target is drawn.
    void stop();

private:
    // Draws the glide's value at `now` once it lies at least a pixel from what is drawn; true when so.
    bool advance(Uptime now);
    // When the glide next lies a pixel from what is drawn; none when it ends short of one.
    std::optional<Uptime> nextFrame() const;
    void frame();
    void requestFrame();
    void land();

    QWidget& view;
    std::chrono::milliseconds duration;
    std::function<double()> pixelsPerUnit;
    double goal = 0.0;
    double drawn = 0.0;
    double from = 0.0;
    Uptime start;
};

} // namespace mewt
