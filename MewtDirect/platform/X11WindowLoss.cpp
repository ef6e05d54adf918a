#include "platform/X11WindowLoss.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <vector>
#include <xcb/xcb.h>

namespace mewt {

namespace {

// QWidget::destroy is for subclasses to call; this lends it to any widget.
struct NativeRelease final : QWidget {
    static void release(QWidget& widget) { (widget.*&NativeRelease::destroy)(true, true); }
};

class LossFilter final : public QAbstractNativeEventFilter {
public:
    struct Follow {
        QPointer<QWidget> widget;
        std::function<void()> then;
    };

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY)
            return false;
        const xcb_window_t gone = reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window;
        // A window Qt destroyed itself no longer has its id behind the widget by now.
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->internalWinId() == gone)
                QTimer::singleShot(0, widget, [this, widget, gone] { recover(*widget, gone); });
        }
        return false;
    }

    void recover(QWidget& widget, WId gone)
    {
        // Qt may have replaced the window meanwhile; that one is alive.
        if (widget.internalWinId() != gone)
            return;
        const QRect keep = widget.geometry();
        widget.hide();
        NativeRelease::release(widget);
        widget.setGeometry(keep);
        std::erase_if(follows, [](const Follow& follow) { return follow.widget.isNull(); });
        // Copied: a follow-up may add another.
        const std::vector<Follow> due = follows;
        for (const Follow& follow : due) {
            if (follow.widget == &widget)
                follow.then();
        }
    }

    std::vector<Follow> follows;
};

LossFilter* installedFilter()
{
    static LossFilter* filter = nullptr;
    if (!filter && QGuiApplication::platformName() == QLatin1String("xcb")) {
        filter = new LossFilter;
        qGuiApp->installNativeEventFilter(filter);
    }
    return filter;
}

} // namespace

void recoverLostWindows()
{
    installedFilter();
}

void whenWindowLost(QWidget& widget, std::function<void()> then)
{
    if (LossFilter* filter = installedFilter())
        filter->follows.push_back({ &widget, std::move(then) });
}

} // namespace mewt
