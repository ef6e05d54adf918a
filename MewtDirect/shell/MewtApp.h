#pragma once

namespace mewt {

// The process entry: one mewt per user session, on an X display, until it is asked to quit.
class MewtApp final {
public:
    MewtApp() = delete;

    // 0 after an orderly quit, and when another mewt already runs (it is left alone); 1 when there
    // is no display to show the paw on.
    static int run(int argc, char** argv);

    // Name, version, desktop entry and window icon of the running application, which the window
    // manager, the notification server and the sound server match to the installed files.
    static void describeApplication();
    // The same in two parts: the names at once, the icon once the paw is on screen.
    static void nameApplication();
    static void giveApplicationIcon();
};

} // namespace mewt
