// Starts a program and prints, in milliseconds, how long it took until its first window was mapped
// and showed painted pixels. Run it under the same X server for mewt and for the bare Qt window
// (bench/measure_desktop.py does), and compare the two; the absolute numbers mean little.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <xcb/xcb.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

bool showsPaint(xcb_connection_t* connection, xcb_window_t window)
{
    xcb_get_geometry_reply_t* geometry
        = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    if (!geometry)
        return false;
    const auto width = geometry->width;
    const auto height = geometry->height;
    std::free(geometry);
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        connection, xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, width, height, ~0u), nullptr);
    if (!image)
        return false;
    const uint8_t* data = xcb_get_image_data(image);
    const int length = xcb_get_image_data_length(image);
    bool painted = false;
    for (int i = 0; i < length && !painted; ++i)
        painted = data[i] != 0;
    std::free(image);
    return painted;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: launch_timer program [arguments]\n");
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const Clock::time_point started = Clock::now();
    // The program outlives this timer; it must not hold our output open.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[1], &quiet, nullptr, argv + 1, environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 2;
    }
    xcb_window_t mapped = XCB_NONE;
    while (mapped == XCB_NONE) {
        xcb_generic_event_t* event = xcb_wait_for_event(connection);
        if (!event)
            return 2;
        if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
            mapped = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
        std::free(event);
    }
    const double mappedMs = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    while (!showsPaint(connection, mapped)) {
        if (Clock::now() - started > std::chrono::seconds(10))
            return 3;
        std::this_thread::sleep_for(std::chrono::microseconds(250));
    }
    const double paintedMs = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    std::printf("%d %.1f %.1f\n", child, mappedMs, paintedMs);
    std::fflush(stdout);
    xcb_disconnect(connection);
    return 0;
}
