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

Qt::WindowFlags pawWindowFlags(bool managed)
{
    // A dock stands above normal windows by its type; staying on top of everything would keep it
    // over a fullscreen window too.
    const Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus;
    return managed ? flags : flags | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint;
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

    connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, &StatusItemWindow::followPrimaryScreen);
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

QPoint StatusItemWindow::cornerPosition(const QRect& area) const
{
    return { area.right() + 1 - width() - screenMargin, area.top() + screenMargin };
}

QRect StatusItemWindow::pawScreenRect() const
{
    const QRect paw = pawView->pawRect();
    return { pawView->mapToGlobal(paw.topLeft()), paw.size() };
}

void StatusItemWindow::place()
{
    if (!watchedScreen)
        return;
    QWindow* window = windowHandle();
    if (!managed || !window) {
        move(cornerPosition(watchedScreen->availableGeometry()));
        return;
    }
    // Our own strip is part of the work area the manager reports; the corner is measured
    // without it, or each reservation would move the paw further down.
    const QRect area = dock.areaLeftByOthers(*watchedScreen, *window);
    const QPoint corner = cornerPosition(area);
    move(corner);
    const int screenTop = watchedScreen->geometry().top();
    const QRect wanted(corner.x(), screenTop, width(), corner.y() + height() + screenMargin - screenTop);
    if (wanted != strip) {
        strip = wanted;
        dock.reserveTopStrip(*window, strip);
    }
}

void StatusItemWindow::checkCompositing()
{
    pawView->setOpaqueBackground(!windowsAreComposited());
    updateMask();
}

void StatusItemWindow::updateMask()
{
    if (pawView->hasOpaqueBackground()) {
        const QPainterPath pill = pawView->pillPath();
        setMask(QRegion(pill.toFillPolygon().toPolygon()));
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
}

void StatusItemWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    updateMask();
    place();
}

} // namespace mewt
