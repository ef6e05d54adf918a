#include "platform/X11WindowLoss.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <vector>
#include <xcb/xcb.h>

namespace mewt {

namespace {

class DestroyFilter final : public QAbstractNativeEventFilter {
public:
    struct Watch {
        QPointer<QWidget> widget;
        std::function<void()> lost;
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY)
            return false;
        const xcb_window_t gone = reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window;
        std::erase_if(watches, [](const Watch& watch) { return watch.widget.isNull(); });
        for (const Watch& watch : watches) {
            // A window Qt destroyed itself no longer has this id behind the widget by now.
            const QWindow* window = watch.widget->windowHandle();
            if (window && window->handle() && window->winId() == gone)
                QTimer::singleShot(0, watch.widget.data(), watch.lost);
        }
        return false;
    }

    std::vector<Watch> watches;
};

} // namespace

void watchForeignDestroy(QWidget& widget, std::function<void()> lost)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    static DestroyFilter* filter = nullptr;
    if (!filter) {
        filter = new DestroyFilter;
        qGuiApp->installNativeEventFilter(filter);
    }
    filter->watches.push_back({ &widget, std::move(lost) });
}

} // namespace mewt
