#include "platform/X11Dock.h"

#include "platform/X11Display.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <xcb/xcb.h>

namespace mewt {

namespace {

enum Side { left, right, top, bottom };

bool spansOverlap(int64_t start, int64_t end, int64_t otherStart, int64_t otherEnd)
{
    return start <= otherEnd && otherStart <= end;
}

} // namespace

QRect areaLeftByStruts(const QRect& screen, QSize root, const QList<X11Strut>& struts)
{
    int64_t x0 = screen.left(), y0 = screen.top();
    int64_t x1 = screen.left() + screen.width(), y1 = screen.top() + screen.height();
    for (const X11Strut& strut : struts) {
        // Each edge: its depth from the root's edge, and its range along that edge.
        const auto range
            = [&](int side) { return std::pair<int64_t, int64_t>(strut[4 + 2 * side], strut[5 + 2 * side]); };
        if (strut[left] > 0) {
            const auto [start, end] = range(left);
            if (spansOverlap(start, end, screen.top(), screen.bottom()))
                x0 = std::max<int64_t>(x0, strut[left]);
        }
        if (strut[right] > 0) {
            const auto [start, end] = range(right);
            if (spansOverlap(start, end, screen.top(), screen.bottom()))
                x1 = std::min<int64_t>(x1, int64_t(root.width()) - strut[right]);
        }
        if (strut[top] > 0) {
            const auto [start, end] = range(top);
            if (spansOverlap(start, end, screen.left(), screen.right()))
                y0 = std::max<int64_t>(y0, strut[top]);
        }
        if (strut[bottom] > 0) {
            const auto [start, end] = range(bottom);
            if (spansOverlap(start, end, screen.left(), screen.right()))
                y1 = std::min<int64_t>(y1, int64_t(root.height()) - strut[bottom]);
        }
    }
    if (x1 <= x0 || y1 <= y0)
        return screen;
    return QRect(int(x0), int(y0), int(x1 - x0), int(y1 - y0));
}

X11Strut topStripStrut(const QRect& strip)
{
    X11Strut strut {};
    if (strip.isEmpty())
        return strut;
    strut[top] = uint32_t(std::max(0, strip.bottom() + 1));
    strut[4 + 2 * top] = uint32_t(std::max(0, strip.left()));
    strut[5 + 2 * top] = uint32_t(std::max(0, strip.right()));
    return strut;
}

namespace {

enum Atom {
    wmCheck,
    clientList,
    strutPartial,
    strut,
    windowType,
    windowTypeDock,
    state,
    stateSticky,
    stateSkipTaskbar,
    stateSkipPager,
    desktop,
    wmState,
    atomCount
};

constexpr const char* atomNames[atomCount] = {
    "_NET_SUPPORTING_WM_CHECK",
    "_NET_CLIENT_LIST",
    "_NET_WM_STRUT_PARTIAL",
    "_NET_WM_STRUT",
    "_NET_WM_WINDOW_TYPE",
    "_NET_WM_WINDOW_TYPE_DOCK",
    "_NET_WM_STATE",
    "_NET_WM_STATE_STICKY",
    "_NET_WM_STATE_SKIP_TASKBAR",
    "_NET_WM_STATE_SKIP_PAGER",
    "_NET_WM_DESKTOP",
    "WM_STATE",
};

// Interned once per process, all requests sent before the first reply is read.
const std::array<xcb_atom_t, atomCount>& atoms(xcb_connection_t* c)
{
    static std::array<xcb_atom_t, atomCount> known {};
    static bool interned = false;
    if (interned)
        return known;
    std::array<xcb_intern_atom_cookie_t, atomCount> cookies {};
    for (int i = 0; i < atomCount; ++i)
        cookies[i] = xcb_intern_atom(c, 0, uint16_t(std::strlen(atomNames[i])), atomNames[i]);
    for (int i = 0; i < atomCount; ++i) {
        auto answer = x11Reply(xcb_intern_atom_reply(c, cookies[i], nullptr));
        known[i] = answer ? answer->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    interned = true;
    return known;
}

std::optional<xcb_window_t> windowProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property)
{
    auto answer
        = x11Reply(xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!answer || answer->format != 32 || xcb_get_property_value_length(answer.get()) < 4)
        return std::nullopt;
    return *static_cast<const xcb_window_t*>(xcb_get_property_value(answer.get()));
}

void setCardinals(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, const uint32_t* values, int count)
{
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, property, XCB_ATOM_CARDINAL, 32, uint32_t(count), values);
}

// Global logical to native pixels: Qt scales about each screen's origin, which it leaves in place.
QRect toNative(const QRect& rect, const QScreen& screen)
{
    const double ratio = screen.devicePixelRatio();
    const QPoint origin = screen.geometry().topLeft();
    const QPointF topLeft = QPointF(origin) + QPointF(rect.topLeft() - origin) * ratio;
    return QRect(QPoint(int(std::lround(topLeft.x())), int(std::lround(topLeft.y()))),
        QSize(int(std::lround(rect.width() * ratio)), int(std::lround(rect.height() * ratio))));
}

QRect toLogical(const QRect& rect, const QScreen& screen)
{
    const double ratio = screen.devicePixelRatio();
    const QPoint origin = screen.geometry().topLeft();
    const QPointF topLeft = QPointF(origin) + QPointF(rect.topLeft() - origin) / ratio;
    return QRect(QPoint(int(std::ceil(topLeft.x())), int(std::ceil(topLeft.y()))),
        QSize(int(std::floor(rect.width() / ratio)), int(std::floor(rect.height() / ratio))));
}

} // namespace

X11Dock::X11Dock(QObject* parent)
    : QObject(parent)
{
    if (qtX11Connection())
        qGuiApp->installNativeEventFilter(this);
}

X11Dock::~X11Dock()
{
    if (qGuiApp)
        qGuiApp->removeNativeEventFilter(this);
}

bool X11Dock::windowManagerRuns()
{
    xcb_connection_t* c = qtX11Connection();
    if (!c)
        return false;
    const auto& atom = atoms(c);
    const std::optional<xcb_window_t> check = windowProperty(c, x11RootWindow(c), atom[wmCheck]);
    // A manager that died leaves the root's property behind; its check window went with it.
    return check && *check != XCB_WINDOW_NONE && windowProperty(c, *check, atom[wmCheck]) == check;
}

bool X11Dock::isShown(const QWindow& window, bool managed)
{
    xcb_connection_t* c = qtX11Connection();
    if (!c)
        return true;
    const auto& atom = atoms(c);
    const auto id = static_cast<xcb_window_t>(window.winId());
    const auto attributesCookie = xcb_get_window_attributes(c, id);
    const auto stateCookie = xcb_get_property(c, 0, id, atom[wmState], atom[wmState], 0, 1);
    auto attributes = x11Reply(xcb_get_window_attributes_reply(c, attributesCookie, nullptr));
    auto state = x11Reply(xcb_get_property_reply(c, stateCookie, nullptr));
    if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
        return false;
    constexpr uint32_t normalState = 1;
    return !managed
        || (state && state->format == 32 && xcb_get_property_value_length(state.get()) >= 4
            && *static_cast<const uint32_t*>(xcb_get_property_value(state.get())) == normalState);
}

void X11Dock::markAsDock(QWindow& window)
{
    xcb_connection_t* c = qtX11Connection();
    if (!c)
        return;
    const auto& atom = atoms(c);
    const auto id = static_cast<xcb_window_t>(window.winId());
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, atom[windowType], XCB_ATOM_ATOM, 32, 1, &atom[windowTypeDock]);
    // No "above" state: managers keep docks above normal windows anyway, and below a fullscreen
    // one only while the dock does not ask to be above everything.
    const xcb_atom_t states[] = { atom[stateSticky], atom[stateSkipTaskbar], atom[stateSkipPager] };
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, atom[state], XCB_ATOM_ATOM, 32, 3, states);
    constexpr uint32_t allDesktops = 0xFFFFFFFF;
    setCardinals(c, id, atom[desktop], &allDesktops, 1);
    xcb_flush(c);
}

void X11Dock::reserveTopStrip(QWindow& window, const QRect& strip)
{
    xcb_connection_t* c = qtX11Connection();
    const QScreen* screen = window.screen();
    if (!c || !screen)
        return;
    const auto& atom = atoms(c);
    const auto id = static_cast<xcb_window_t>(window.winId());
    const X11Strut partial = topStripStrut(strip.isEmpty() ? QRect() : toNative(strip, *screen));
    setCardinals(c, id, atom[strutPartial], partial.data(), int(partial.size()));
    // Managers that predate the partial form read the first four values on their own.
    setCardinals(c, id, atom[strut], partial.data(), 4);
    xcb_flush(c);
}

QRect X11Dock::areaLeftByOthers(const QScreen& screen, const QWindow& self, int ownBottom)
{
    xcb_connection_t* c = qtX11Connection();
    if (!c)
        return screen.availableGeometry();
    const auto& atom = atoms(c);
    const xcb_screen_t* rootScreen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    auto list = x11Reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, rootScreen->root, atom[clientList], XCB_ATOM_WINDOW, 0, 4096), nullptr));
    if (!list || list->format != 32)
        return screen.availableGeometry();
    const auto* clients = static_cast<const xcb_window_t*>(xcb_get_property_value(list.get()));
    const int count = xcb_get_property_value_length(list.get()) / 4;
    const auto own = static_cast<xcb_window_t>(self.winId());
    QList<xcb_get_property_cookie_t> partialCookies, plainCookies;
    QList<xcb_get_geometry_cookie_t> sizeCookies;
    QList<xcb_window_t> asked, holders;
    for (int i = 0; i < count; ++i) {
        const xcb_window_t client = clients[i];
        if (client == own)
            continue;
        asked.append(client);
        partialCookies.append(xcb_get_property(c, 0, client, atom[strutPartial], XCB_ATOM_CARDINAL, 0, 12));
        plainCookies.append(xcb_get_property(c, 0, client, atom[strut], XCB_ATOM_CARDINAL, 0, 4));
        sizeCookies.append(xcb_get_geometry(c, client));
    }
    const double ratio = screen.devicePixelRatio();
    const int screenTop = screen.geometry().top();
    const auto nativeOwnBottom = int64_t(std::lround(screenTop + (ownBottom - screenTop) * ratio));
    QList<X11Strut> struts;
    for (qsizetype i = 0; i < partialCookies.size(); ++i) {
        // A window gone meanwhile answers with an error, which reads as no strut.
        auto partialAnswer = x11Reply(xcb_get_property_reply(c, partialCookies[i], nullptr));
        auto plainAnswer = x11Reply(xcb_get_property_reply(c, plainCookies[i], nullptr));
        auto size = x11Reply(xcb_get_geometry_reply(c, sizeCookies[i], nullptr));
        X11Strut strutValues {};
        if (partialAnswer && partialAnswer->format == 32 && xcb_get_property_value_length(partialAnswer.get()) >= 48) {
            std::memcpy(strutValues.data(), xcb_get_property_value(partialAnswer.get()), 48);
        } else if (plainAnswer && plainAnswer->format == 32 && xcb_get_property_value_length(plainAnswer.get()) >= 16) {
            std::memcpy(strutValues.data(), xcb_get_property_value(plainAnswer.get()), 16);
            // The plain form reaches along each whole edge.
            for (int side = 0; side < 4; ++side)
                strutValues[5 + 2 * side] = 0xFFFFFFFF >> 1;
        } else {
            continue;
        }
        // Followed all the same: it may move back above us.
        holders.append(asked[i]);
        // Where its strip says it starts, not where the window is: the manager may not have
        // moved it yet when its new strip is read.
        const int64_t depth = strutValues[top];
        if (size && depth > nativeOwnBottom && depth - size->height >= nativeOwnBottom)
            continue;
        struts.append(strutValues);
    }
    // Only the windows that reserve something are followed: every other window's title changes
    // would wake us for nothing. A window that reserves a strip after it was mapped is seen once
    // another client comes or goes.
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    for (const xcb_window_t holder : std::as_const(holders)) {
        if (!watchedWindows.contains(holder))
            xcb_change_window_attributes(c, holder, XCB_CW_EVENT_MASK, &mask);
    }
    watchedWindows = holders;
    xcb_flush(c);
    const QRect native = toNative(screen.geometry(), screen);
    const QRect left
        = areaLeftByStruts(native, QSize(rootScreen->width_in_pixels, rootScreen->height_in_pixels), struts);
    return toLogical(left, screen);
}

bool X11Dock::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    const xcb_property_notify_event_t* notify = x11PropertyNotify(eventType, message);
    if (!notify)
        return false;
    xcb_connection_t* c = qtX11Connection();
    const auto& atom = atoms(c);
    const bool clientsChanged = notify->window == x11RootWindow(c) && notify->atom == atom[clientList];
    const bool strutChanged = (notify->atom == atom[strutPartial] || notify->atom == atom[strut])
        && watchedWindows.contains(notify->window);
    if (clientsChanged || strutChanged)
        Q_EMIT othersChanged();
    if (notify->window == x11RootWindow(c) && notify->atom == atom[wmCheck])
        Q_EMIT windowManagerChanged();
    return false;
}

} // namespace mewt
