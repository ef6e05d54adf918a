#include "tour/MenuBarRevealPreview.h"

#include "artwork/Decoration.h"
#include "artwork/PawArtwork.h"
#include "artwork/PeekPawArtwork.h"
#include "artwork/PointerArrow.h"
#include "artwork/ReducedMotion.h"

#include <QPainter>
#include <cmath>

namespace mewt {

namespace {

constexpr double barHeight = 25.0;
constexpr double barRadius = 5.0;
constexpr double iconSize = 16.0;
constexpr QPointF iconCentre { 83.0, 12.5 };
constexpr double pressedScale = 0.82;
constexpr QPointF pointerAtIcon { 89.0, 20.0 };
constexpr QPointF pointerAway { 137.0, 48.0 };
constexpr double pointerHeight = 15.0;
constexpr double outlineAlpha = 0.16;
constexpr double baselineAlpha = 0.3;
constexpr double haloAlpha = 0.7;
// The top bar of a light or a dark desktop.
const QColor lightBar(0xEC, 0xEC, 0xEC);
const QColor darkBar(0x32, 0x32, 0x34);

enum Property { opacityProperty, cursorProperty, pressedProperty, revealedProperty, propertyCount };

QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(static_cast<float>(color.alphaF() * alpha));
    return color;
}

double mix(double from, double to, double t)
{
    return from + (to - from) * t;
}

} // namespace

DemoTimeline MenuBarRevealPreview::cycle()
{
    return DemoTimeline(std::vector<double>(propertyCount, 0.0),
        {
            { { { opacityProperty, 0.0 }, { cursorProperty, 0.0 }, { pressedProperty, 0.0 },
                  { revealedProperty, 0.0 } },
                0.45 },
            { { { opacityProperty, 1.0, 0.38, DemoCurve::easeOut } }, 0.48 },
            { { { cursorProperty, 1.0, 0.32, DemoCurve::easeOut } }, 0.36 },
            { { { pressedProperty, 1.0, 0.08, DemoCurve::easeInOut } }, 0.1 },
            { { { pressedProperty, 0.0 }, { revealedProperty, 1.0, 0.3, DemoCurve::easeOut } }, 0.9 },
            { { { revealedProperty, 0.0, 0.18, DemoCurve::easeIn } }, 0.35 },
            { { { opacityProperty, 0.0, 0.32, DemoCurve::easeIn } }, 0.5 },
        });
}

MenuBarRevealPreview::MenuBarRevealPreview(const CatTheme& theme, const CatPopoverPalette& palette, QWidget* parent)
    : QWidget(parent)
    , currentTheme(theme)
    , colors(palette)
    , timeline(cycle())
{
    markAsDecoration(this);
    setFixedSize(previewWidth, previewHeight);
    setAttribute(Qt::WA_TranslucentBackground);
    connect(&frames, &DemoLoop::frame, this, &MenuBarRevealPreview::showFrame);
    restart();
}

void MenuBarRevealPreview::setTheme(const CatTheme& theme)
{
    if (theme == currentTheme)
        return;
    const bool anotherCat = theme.id != currentTheme.id;
    currentTheme = theme;
    if (anotherCat)
        restart();
    update();
}

void MenuBarRevealPreview::setPopoverPalette(const CatPopoverPalette& palette)
{
    if (palette == colors)
        return;
    colors = palette;
    update();
}

double MenuBarRevealPreview::pawOffset() const
{
    if (currentScene.still)
        return revealedOffset;
    return mix(hiddenOffset, revealedOffset, currentScene.pawRevealed);
}

QPointF MenuBarRevealPreview::pointerCentre() const
{
    const double t = currentScene.cursorAtIcon;
    return { mix(pointerAway.x(), pointerAtIcon.x(), t), mix(pointerAway.y(), pointerAtIcon.y(), t) };
}

void MenuBarRevealPreview::restart()
{
    frames.stop();
    currentScene = {};
    if (reducesMotion())
        currentScene.still = true;
    else if (isVisible())
        frames.start();
    update();
}

void MenuBarRevealPreview::showFrame(double elapsedSeconds)
{
    if (reducesMotion()) {
        restart();
        return;
    }
    const double local = std::fmod(std::max(elapsedSeconds, 0.0), timeline.duration());
    const std::vector<double> values = timeline.valuesAt(local);
    const Scene scene { values[opacityProperty], values[cursorProperty], values[pressedProperty],
        values[revealedProperty], false };
    frames.idleUntil(elapsedSeconds - local + timeline.nextChangeAt(local));
    if (scene == currentScene)
        return;
    currentScene = scene;
    update();
}

void MenuBarRevealPreview::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    restart();
}

void MenuBarRevealPreview::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    frames.stop();
}

void MenuBarRevealPreview::paintBar(QPainter& painter) const
{
    const QRectF bar(0.5, 0.5, previewWidth - 1.0, barHeight - 1.0);
    painter.setPen(QPen(withAlpha(colors.foregroundColor, outlineAlpha), 1.0));
    painter.setBrush(colors.colorScheme == ColorScheme::dark ? darkBar : lightBar);
    painter.drawRoundedRect(bar, barRadius, barRadius);
    painter.fillRect(QRectF(0.0, barHeight - 1.0, previewWidth, 1.0), withAlpha(colors.foregroundColor, baselineAlpha));

    painter.save();
    painter.translate(iconCentre);
    const double scale = mix(1.0, pressedScale, currentScene.still ? 0.0 : currentScene.iconPressed);
    painter.scale(scale, scale);
    paintFrontPaw(painter, QRectF(-iconSize / 2.0, -iconSize / 2.0, iconSize, iconSize), currentTheme);
    painter.restore();
}

void MenuBarRevealPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setClipRect(rect());
    painter.setRenderHint(QPainter::Antialiasing);

    painter.save();
    // Behind the bar the paw is hidden; its antialiased edge must not show above the bar either.
    painter.setClipRect(QRectF(0.0, barHeight / 2.0, previewWidth, previewHeight), Qt::IntersectClip);
    painter.setOpacity(currentScene.still ? 1.0 : currentScene.actorOpacity);
    painter.translate((previewWidth - PeekPawArtwork::artworkWidth) / 2.0, pawOffset());
    paintPeekPaw(painter, currentTheme);
    painter.restore();

    paintBar(painter);

    if (!currentScene.still && currentScene.actorOpacity > 0.0) {
        painter.setOpacity(currentScene.actorOpacity);
        paintPointerArrow(
            painter, pointerCentre(), pointerHeight, colors.foregroundColor, withAlpha(Qt::white, haloAlpha));
    }
}

} // namespace mewt
