#include "popover/TimerPopoverPanel.h"

#include "artwork/Compositing.h"
#include "platform/X11Desktops.h"
#include "platform/X11InputRegion.h"
#include "platform/X11KeyboardReturn.h"
#include "platform/X11WindowLoss.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QRegion>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace mewt {

namespace {

// A soft shadow from one small blurred copy scaled up: cheap, and rebuilt only on a resize.
QImage shadowImage(QSize windowSize, int margin)
{
    constexpr int shrink = 4;
    constexpr int dropY = 3;
    const QSize small(std::max(1, windowSize.width() / shrink), std::max(1, windowSize.height() / shrink));
    QImage image(small, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 70));
        const QRectF body(
            QRectF(margin, margin + dropY, windowSize.width() - 2.0 * margin, windowSize.height() - 2.0 * margin));
        const double scale = 1.0 / shrink;
        painter.drawRoundedRect(QRectF(body.x() * scale, body.y() * scale, body.width() * scale, body.height() * scale),
            TimerPopoverPanel::cornerRadius * scale, TimerPopoverPanel::cornerRadius * scale);
    }
    return image.scaled(windowSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

constexpr Qt::WindowFlags attachedFlags
    = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint;
constexpr Qt::WindowFlags detachedFlags = Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;

} // namespace

TimerPopoverPanel::TimerPopoverPanel(QWidget* parent)
    : QWidget(parent, attachedFlags)
{
    setObjectName(QStringLiteral("Mewt.TimerPopover"));
    setWindowTitle(QStringLiteral("mewt"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    composited = windowsAreComposited();
    new X11KeyboardReturn(*this);
    whenWindowLost(*this, [this] {
        if (onWindowLost)
            onWindowLost();
    });
    whenCompositingChanges(this, [this] {
        refreshCompositing();
        update();
    });
}

TimerPopoverPanel::~TimerPopoverPanel()
{
    onShouldClose = nullptr;
    onDidMove = nullptr;
    onWindowLost = nullptr;
    compositingProbe = nullptr;
}

void TimerPopoverPanel::setContentView(QWidget* view)
{
    if (content == view)
        return;
    delete content;
    content = view;
    if (content) {
        content->setParent(this);
        layoutContent();
        content->show();
    }
}

QRect TimerPopoverPanel::contentGeometry() const
{
    return geometry().marginsRemoved({ margin(), margin(), margin(), margin() });
}

void TimerPopoverPanel::setContentGeometry(const QRect& rect)
{
    setGeometry(rect.marginsAdded({ margin(), margin(), margin(), margin() }));
}

void TimerPopoverPanel::moveContentTo(QPoint topLeft)
{
    move(topLeft - QPoint(margin(), margin()));
}

void TimerPopoverPanel::setAlpha(double alpha)
{
    currentAlpha = std::clamp(alpha, 0.0, 1.0);
    setWindowOpacity(composited ? currentAlpha : 1.0);
}

void TimerPopoverPanel::refreshCompositing()
{
    setComposited(compositingProbe ? compositingProbe() : windowsAreComposited());
}

void TimerPopoverPanel::setComposited(bool value)
{
    if (composited == value)
        return;
    const QRect keep = contentGeometry();
    composited = value;
    shadow = {};
    setContentGeometry(keep);
    layoutContent();
    applyShape();
    if (!composited)
        setAlpha(1.0);
}

void TimerPopoverPanel::setDetachedForm(bool detached)
{
    if (detachedForm == detached)
        return;
    const QRect keep = contentGeometry();
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    hide();
    detachedForm = detached;
    setWindowFlags(detached ? detachedFlags : attachedFlags);
    // The pinned window is the app's own window: it comes up active, like any other.
    setAttribute(Qt::WA_ShowWithoutActivating, !detached);
    setWindowTitle(QStringLiteral("mewt"));
    setContentGeometry(keep);
}

void TimerPopoverPanel::orderFront()
{
    show();
    raise();
    if (detachedForm && windowHandle())
        showOnAllDesktops(*windowHandle());
    // The pinned window comes up with the keyboard.
    if (detachedForm)
        claimActivation();
}

void TimerPopoverPanel::makeKey()
{
    if (!isVisible())
        return;
    raise();
    X11KeyboardReturn::noteTaking();
    activateWindow();
    claimActivation();
}

// When the panel hid with the keyboard and the X server reported no focus-out (the attached form,
// outside the window manager, gets none), Qt still takes its window for the focused one and ignores
// the focus-in when it is shown again: no widget would ever get the keyboard.
void TimerPopoverPanel::claimActivation()
{
    if (QGuiApplication::focusWindow() == windowHandle() && QApplication::activeWindow() != this)
        QApplication::setActiveWindow(this);
}

void TimerPopoverPanel::layoutContent()
{
    if (content)
        content->setGeometry(rect().marginsRemoved({ margin(), margin(), margin(), margin() }));
}

void TimerPopoverPanel::applyShape()
{
    QRegion region;
    if (!composited) {
        // Only pixels the rounded content covers entirely: an edge pixel painted half transparent
        // would show half black.
        const int w = width();
        const int h = height();
        const int r = std::min(cornerRadius, std::min(w, h) / 2);
        region = QRegion(0, r, w, h - 2 * r);
        for (int row = 0; row < r; ++row) {
            const double dy = r - row;
            const int inset = static_cast<int>(std::ceil(r - std::sqrt(std::max(0.0, r * r - dy * dy))));
            region += QRect(inset, row, w - 2 * inset, 1);
            region += QRect(inset, h - 1 - row, w - 2 * inset, 1);
        }
    }
    if (mask() != region)
        setMask(region);
    // A widget whose native window went with a change of form keeps a new mask to itself, while
    // its window keeps the old one and puts it back on the next native window.
    if (QWindow* window = windowHandle(); window && window->mask() != region)
        window->setMask(region);
    applyInputRegion();
}

void TimerPopoverPanel::applyInputRegion()
{
    // The shadow is no part of the popover: a press on it belongs to what lies beneath, such as
    // the paw it hangs from.
    if (QWindow* window = windowHandle())
        setInputRegion(
            *window, margin() > 0 ? rect().marginsRemoved({ margin(), margin(), margin(), margin() }) : QRect());
}

void TimerPopoverPanel::paintEvent(QPaintEvent*)
{
    if (!composited || width() <= 2 * margin() || height() <= 2 * margin())
        return;
    if (shadow.size() != size())
        shadow = shadowImage(size(), margin());
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, shadow);
}

void TimerPopoverPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A change of form made a new native window, which takes input everywhere again.
    applyInputRegion();
}

void TimerPopoverPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutContent();
    applyShape();
}

void TimerPopoverPanel::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    if (onDidMove)
        onDidMove();
}

void TimerPopoverPanel::closeEvent(QCloseEvent* event)
{
    if (onShouldClose && !onShouldClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

} // namespace mewt
