#include "platform/X11GlobalPointerMonitor.h"

#include <QCursor>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <cstdlib>
#include <xcb/xcb.h>
#include <xcb/xinput.h>

namespace mewt {

namespace {

Q_LOGGING_CATEGORY(pointerLog, "com.dovrant.mewt.direct.pointer")

// Left and right only: wheel "buttons" (4-7) and the middle button are no clicks elsewhere.
bool isClickButton(quint32 button)
{
    return button == 1 || button == 3;
}

} // namespace

X11GlobalPointerMonitor::X11GlobalPointerMonitor(QObject* parent)
    : X11GlobalPointerMonitor(QByteArray(), {}, parent)
{
}

X11GlobalPointerMonitor::X11GlobalPointerMonitor(
    const QByteArray& displayName, std::function<QPointF()> source, QObject* parent)
    : GlobalPointerMonitor(parent)
    , positionSource(source ? std::move(source) : [] { return QPointF(QCursor::pos()); })
    , frameTimer(this)
    , pollTimer(this)
{
    frameTimer.setSingleShot(true);
    frameTimer.setTimerType(Qt::PreciseTimer);
    frameTimer.setInterval(frameInterval);
    connect(&frameTimer, &QTimer::timeout, this, &X11GlobalPointerMonitor::frameEnded);
    pollTimer.setInterval(pollInterval);
    connect(&pollTimer, &QTimer::timeout, this, &X11GlobalPointerMonitor::emitMoveIfChanged);
    connectToDisplay(displayName);
}

X11GlobalPointerMonitor::~X11GlobalPointerMonitor()
{
    notifier.reset();
    if (connection)
        xcb_disconnect(connection);
}

void X11GlobalPointerMonitor::connectToDisplay(const QByteArray& displayName)
{
    int screenNumber = 0;
    connection = xcb_connect(displayName.isEmpty() ? nullptr : displayName.constData(), &screenNumber);
    if (xcb_connection_has_error(connection)) {
        qCWarning(pointerLog, "no connection to the X display; following the pointer by polling");
        xcb_disconnect(connection);
        connection = nullptr;
        return;
    }
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_input_id);
    if (!extension || !extension->present) {
        qCWarning(pointerLog, "the X server has no XInput; following the pointer by polling");
        return;
    }
    // 2.1 is the first version that sends raw events to every client, grabs or not.
    xcb_input_xi_query_version_reply_t* version
        = xcb_input_xi_query_version_reply(connection, xcb_input_xi_query_version(connection, 2, 2), nullptr);
    const bool recentEnough
        = version && (version->major_version > 2 || (version->major_version == 2 && version->minor_version >= 1));
    std::free(version);
    if (!recentEnough) {
        qCWarning(pointerLog, "the X server's XInput is older than 2.1; following the pointer by polling");
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (screens.rem == 0)
        return;
    rootWindow = screens.data->root;
    inputOpcode = extension->major_opcode;
    hasRawEvents = true;
    notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection), QSocketNotifier::Read);
    connect(notifier.get(), &QSocketNotifier::activated, this, &X11GlobalPointerMonitor::readEvents);
}

QPointF X11GlobalPointerMonitor::position() const
{
    return positionSource();
}

void X11GlobalPointerMonitor::streamsChanged(bool motion, bool presses)
{
    if (!motion) {
        frameTimer.stop();
        movedDuringFrame = false;
        lastReported.reset();
    }
    if (hasRawEvents) {
        select(motion, presses);
        return;
    }
    if (motion) {
        lastReported = positionSource();
        pollTimer.start();
    } else {
        pollTimer.stop();
    }
}

void X11GlobalPointerMonitor::select(bool motion, bool presses)
{
    struct {
        xcb_input_event_mask_t head;
        uint32_t bits;
    } mask {};
    mask.head.deviceid = XCB_INPUT_DEVICE_ALL_MASTER;
    mask.head.mask_len = 1;
    mask.bits = (motion ? uint32_t(XCB_INPUT_XI_EVENT_MASK_RAW_MOTION) : 0u)
        | (presses ? uint32_t(XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS) : 0u);
    if (xcb_generic_error_t* error
        = xcb_request_check(connection, xcb_input_xi_select_events_checked(connection, rootWindow, 1, &mask.head))) {
        qCWarning(pointerLog, "selecting raw pointer events failed (X error %d)", int(error->error_code));
        std::free(error);
    }
    if (motion)
        lastReported = positionSource();
    // The round trip may have queued events that the socket will not announce again.
    readEvents();
}

void X11GlobalPointerMonitor::readEvents()
{
    if (!connection)
        return;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
        handle(event);
        std::free(event);
    }
    if (xcb_connection_has_error(connection)) {
        // The X server went away; Qt will end the app, and until then nothing more comes.
        notifier->setEnabled(false);
    }
}

void X11GlobalPointerMonitor::handle(const void* data)
{
    const auto* event = static_cast<const xcb_ge_generic_event_t*>(data);
    if ((event->response_type & 0x7f) != XCB_GE_GENERIC || event->extension != inputOpcode)
        return;
    if (event->event_type == XCB_INPUT_RAW_MOTION) {
        if (isSubscribed(Stream::motion))
            motionArrived();
    } else if (event->event_type == XCB_INPUT_RAW_BUTTON_PRESS) {
        const auto* press = static_cast<const xcb_input_raw_button_press_event_t*>(data);
        // Reported at once: whoever listens must judge the click before anything else changes.
        if (isSubscribed(Stream::presses) && isClickButton(press->detail))
            Q_EMIT buttonPressed(positionSource());
    }
}

void X11GlobalPointerMonitor::motionArrived()
{
    // The first move of a frame is reported at once; later ones in the same frame wait for its end.
    if (frameTimer.isActive()) {
        movedDuringFrame = true;
        return;
    }
    frameTimer.start();
    emitMoveIfChanged();
}

void X11GlobalPointerMonitor::frameEnded()
{
    if (!movedDuringFrame)
        return;
    movedDuringFrame = false;
    frameTimer.start();
    emitMoveIfChanged();
}

void X11GlobalPointerMonitor::emitMoveIfChanged()
{
    const QPointF now = positionSource();
    if (lastReported == now)
        return;
    lastReported = now;
    Q_EMIT pointerMoved(now);
}

} // namespace mewt
