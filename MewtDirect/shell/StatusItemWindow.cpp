#include "shell/StatusItemWindow.h"

#include "artwork/Compositing.h"
#include "shell/PawStatusView.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainterPath>
#include <QRegion>
#include <QResizeEvent>
#include <QScreen>
#include <QShowEvent>
#include <QWindow>

namespace mewt {

namespace {

// A manager that is still starting drops map requests; one that starts slowly, on a loaded
// machine, takes a second or two. The last retry is checked 9.45 s after the checks began.
constexpr std::chrono::milliseconds firstMapCheck { 150 };
constexpr int mapRetries = 5;

Qt::WindowFlags pawWindowFlags(bool managed)
{
    // A dock stands above normal windows by its type; staying on top of everything would keep it
    // over a fullscreen window too. Without a manager nothing keeps a window on top, and a change
    // of that hint alone would make Qt build a new native window when a manager comes.
    const Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
    return managed ? flags : flags | Qt::X11BypassWindowManagerHint;
}

} // namespace

StatusItemWindow::StatusItemWindow(const CatTheme& theme, QWidget* parent)
    : QWidget(parent, pawWindowFlags(X11Dock::windowManagerRuns()))
    , managed(!(windowFlags() & Qt::X11BypassWindowManagerHint))
    , pawView(new PawStatusView(theme, this))
{
    setObjectName(QStringLiteral("Mewt.TimerStatusItem"));
    setWindowTitle(QStringLiteral("mewt"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(pawView);

    mapCheck.setSingleShot(true);
    connect(&mapCheck, &QTimer::timeout, this, &StatusItemWindow::checkMapping);
    connect(&dock, &X11Dock::windowManagerChanged, this, [this] {
        mapCheck.stop();
        watchMapping();
    });
    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &StatusItemWindow::followPrimaryScreen);
    whenCompositingChanges(this, [this] { checkCompositing(); });
    // Windows come and go in bursts; one look at the other panels after the burst is enough.
    connect(&dock, &X11Dock::othersChanged, this, [this] {
        if (!managed || placePending)
            return;
        placePending = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                placePending = false;
                place();
            },
            Qt::QueuedConnection);
    });
    followPrimaryScreen(QGuiApplication::primaryScreen());
    fitToContent();
}

StatusItemWindow::~StatusItemWindow() = default;

void StatusItemWindow::followPrimaryScreen(QScreen* screen)
{
    disconnect(screenConnection);
    watchedScreen = screen;
    if (screen)
        screenConnection = connect(screen, &QScreen::availableGeometryChanged, this, &StatusItemWindow::place);
    place();
}

void StatusItemWindow::fitToContent()
{
    layout()->activate();
    adjustSize();
    updateMask();
    place();
}

QPoint StatusItemWindow::cornerPosition(const QRect& area, const QRect& screen) const
{
    // Another client's strut may leave less room than the paw needs: the screen's own corner
    // keeps it whole.
    const bool fits = area.width() >= width() + 2 * screenMargin && area.height() >= height() + 2 * screenMargin;
    const QRect room = fits ? area : screen;
    return { room.right() + 1 - width() - screenMargin, room.top() + screenMargin };
}

void StatusItemWindow::setPawLifted(bool lifted)
{
    pawView->setPawLifted(lifted);
    updateMask();
}

QRect StatusItemWindow::pawScreenRect() const
{
    const QRect paw = pawView->pawRect();
    return { pawView->mapToGlobal(paw.topLeft()), paw.size() };
}

QRect StatusItemWindow::controlScreenRect() const
{
    return { pawView->mapToGlobal(QPoint(0, 0)), pawView->size() };
}

QRect StatusItemWindow::pawStrip() const
{
    const int top = watchedScreen ? watchedScreen->geometry().top() : geometry().top();
    return { geometry().left(), top, width(), geometry().bottom() + 1 + screenMargin - top };
}

void StatusItemWindow::place()
{
    if (!watchedScreen)
        return;
    const QRect screen = watchedScreen->geometry();
    QWindow* window = windowHandle();
    if (!managed || !window) {
        move(cornerPosition(watchedScreen->availableGeometry(), screen));
        return;
    }
    // Our own strip is part of the work area the manager reports; the corner is measured
    // without it, or each reservation would move the paw further down.
    const int ownBottom = strip.isEmpty() ? geometry().bottom() + 1 + screenMargin : strip.bottom() + 1;
    const QRect area = dock.areaLeftByOthers(*watchedScreen, *window, ownBottom);
    const QPoint corner = cornerPosition(area, screen);
    move(corner);
    // Where the others left no room for the paw, a strip of ours would only take the rest.
    const QRect wanted = area.contains(QRect(corner, size()))
        ? QRect(corner.x(), screen.top(), width(), corner.y() + height() + screenMargin - screen.top())
        : QRect();
    if (wanted != strip) {
        strip = wanted;
        dock.reserveTopStrip(*window, strip);
    }
}

void StatusItemWindow::watchMapping()
{
    if (mapCheck.isActive())
        return;
    mapChecks = 0;
    mapCheck.start(firstMapCheck);
}

void StatusItemWindow::checkMapping()
{
    QWindow* window = windowHandle();
    if (!isVisible() || !window)
        return;
    const bool managerRuns = X11Dock::windowManagerRuns();
    const bool becomesPanel = managerRuns && !managed;
    if ((!becomesPanel && X11Dock::isShown(*window, managed && managerRuns)) || mapChecks == mapRetries)
        return;
    ++mapChecks;
    mapCheck.start(firstMapCheck * (1 << mapChecks));
    // Withdrawn and shown again, the window reaches the manager anew, read as a panel.
    hide();
    if (becomesPanel) {
        // On the window itself: the widget's own setter would build a new native window.
        managed = true;
        overrideWindowFlags(pawWindowFlags(true));
        window->setFlags(windowFlags());
    }
    show();
}

void StatusItemWindow::checkCompositing()
{
    pawView->setOpaqueBackground(!windowsAreComposited());
    updateMask();
}

void StatusItemWindow::updateMask()
{
    if (pawView->hasOpaqueBackground()) {
        QRegion shape(pawView->shownPath().toFillPolygon().toPolygon());
        // An empty mask shows the whole window; one pixel under the arm shows nothing.
        if (shape.isEmpty())
            shape = QRegion(QRect(pawView->pawRect().center(), QSize(1, 1)));
        setMask(shape);
    } else {
        clearMask();
    }
}

void StatusItemWindow::showEvent(QShowEvent* event)
{
    // Before the window is mapped: the manager reads the type once, when it takes the window.
    if (managed && windowHandle()) {
        dock.markAsDock(*windowHandle());
        strip = {};
    }
    QWidget::showEvent(event);
    checkCompositing();
    fitToContent();
    watchMapping();
}

void StatusItemWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateMask();
    place();
}

} // namespace mewt
