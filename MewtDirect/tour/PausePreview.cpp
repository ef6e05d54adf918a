#include "tour/PausePreview.h"

#include "artwork/CharacterSlotText.h"
#include "artwork/Decoration.h"
#include "artwork/Glyph.h"
#include "artwork/PaintBands.h"
#include "artwork/PixelFont.h"
#include "artwork/PointerArrow.h"
#include "artwork/ReducedMotion.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QPainter>
#include <QStackedLayout>
#include <cmath>

namespace mewt {

namespace {

constexpr int timeSize = 28;
constexpr int pillSpacing = 9;
constexpr int pillPaddingX = 12;
constexpr int pillPaddingY = 8;
constexpr double pillRadius = 12.0;
constexpr int markSize = 25;
constexpr double markGlyphSize = 10.0;
constexpr double markAlpha = 0.08;
constexpr QPointF pointerOffset { -20.0, 8.0 };
constexpr double pointerHeight = 15.0;

const QString runningTime = QStringLiteral("14:51");
const QString pausedTime = QStringLiteral("14:52");

enum Property { opacityProperty, pausedProperty };

} // namespace

// Drawn over the pill, and deaf to the mouse so that the click reaches the pill.
class PausePreview::Pointer final : public QWidget {
public:
    Pointer(const CatPopoverPalette& palette, QWidget* parent)
        : QWidget(parent)
        , colors(palette)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
        markAsDecoration(this);
    }
    void setPopoverPalette(const CatPopoverPalette& palette)
    {
        colors = palette;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        paintPointerArrow(
            painter, QRectF(rect()).center() + pointerOffset, pointerHeight, colors.foregroundColor, colors.innerColor);
    }

private:
    CatPopoverPalette colors;
};

PausePreviewPill::PausePreviewPill(const CatPopoverPalette& palette, QWidget* parent)
    : QAbstractButton(parent)
    , colors(palette)
    , time(new CharacterSlotText(runningTime, false, this))
{
    setCursor(Qt::PointingHandCursor);
    time->setFont(pixelFont(timeSize, QFont::DemiBold));
    time->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(pillPaddingX, pillPaddingY, pillPaddingX, pillPaddingY);
    row->setSpacing(pillSpacing);
    row->addWidget(time, 0, Qt::AlignVCenter);
    // The mark is painted by the pill. A box layout puts no spacing before a spacer, so its gap is
    // part of it.
    row->addSpacing(pillSpacing + markSize);
    setPopoverPalette(palette);
    retranslate();
}

void PausePreviewPill::setPaused(bool value)
{
    if (value == paused)
        return;
    paused = value;
    time->setValue(timeText());
    retranslate();
    update();
}

QString PausePreviewPill::timeText() const
{
    return paused ? pausedTime : runningTime;
}

void PausePreviewPill::setPopoverPalette(const CatPopoverPalette& palette)
{
    colors = palette;
    // The digits take the pill's button role unless every text role is set.
    QPalette text = time->palette();
    for (const QPalette::ColorRole role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        text.setColor(role, colors.foregroundColor);
    time->setPalette(text);
    update();
}

QRectF PausePreviewPill::markRect() const
{
    const QRect content = contentsRect().marginsRemoved(layout()->contentsMargins());
    return QRectF(content.right() + 1 - markSize, content.center().y() + 0.5 - markSize / 2.0, markSize, markSize);
}

void PausePreviewPill::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRectF mark = markRect();
    QColor circle = colors.foregroundColor;
    circle.setAlphaF(static_cast<float>(markAlpha));
    // Repainted on every frame of the demo's fades.
    paintInBands(painter, QRectF(rect()), [&] {
        painter.setBrush(colors.innerColor);
        painter.drawRoundedRect(QRectF(rect()), pillRadius, pillRadius);
        painter.setBrush(circle);
        painter.drawEllipse(mark);
    });
    const QRectF glyph(
        mark.center() - QPointF(markGlyphSize / 2.0, markGlyphSize / 2.0), QSizeF(markGlyphSize, markGlyphSize));
    Glyph::paint(painter, paused ? QStringLiteral("play") : QStringLiteral("pause"), glyph, colors.foregroundColor);
    if (hasFocus()) {
        painter.setPen(QPen(colors.accentColor, 2.0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), pillRadius - 1, pillRadius - 1);
    }
}

void PausePreviewPill::retranslate()
{
    setAccessibleName(paused ? QCoreApplication::translate("mewt", "resume timer")
                             : QCoreApplication::translate("mewt", "pause timer"));
}

void PausePreviewPill::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QAbstractButton::changeEvent(event);
}

DemoTimeline PausePreview::cycle()
{
    return DemoTimeline({ 0.0, 0.0 },
        {
            { { { opacityProperty, 0.0 }, { pausedProperty, 0.0 } }, 0.45 },
            { { { opacityProperty, 1.0, 0.38, DemoCurve::easeOut } }, 0.75 },
            { { { pausedProperty, 1.0, 0.18, DemoCurve::easeOut } }, 0.65 },
            { { { pausedProperty, 0.0, 0.18, DemoCurve::easeOut } }, 0.65 },
            { { { opacityProperty, 0.0, 0.32, DemoCurve::easeIn } }, 0.5 },
        });
}

PausePreview::PausePreview(const CatPopoverPalette& palette, QWidget* parent)
    : QWidget(parent)
    , colors(palette)
    , content(new QWidget(this))
    , button(new PausePreviewPill(palette, content))
    , pointer(new Pointer(palette, content))
    , timeline(cycle())
{
    auto* stack = new QStackedLayout(content);
    stack->setStackingMode(QStackedLayout::StackAll);
    auto* pillHolder = new QWidget;
    auto* centred = new QHBoxLayout(pillHolder);
    centred->setContentsMargins(0, 0, 0, 0);
    centred->addWidget(button, 0, Qt::AlignCenter);
    stack->addWidget(pointer);
    stack->addWidget(pillHolder);
    pointer->raise();
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(content);

    fade = new QGraphicsOpacityEffect(content);
    content->setGraphicsEffect(fade);
    connect(button, &QAbstractButton::clicked, this, &PausePreview::click);
    connect(&frames, &DemoLoop::frame, this, &PausePreview::showFrame);
    restart();
}

void PausePreview::setPopoverPalette(const CatPopoverPalette& palette)
{
    if (palette == colors)
        return;
    colors = palette;
    button->setPopoverPalette(palette);
    pointer->setPopoverPalette(palette);
}

bool PausePreview::isPaused() const
{
    return button->isPaused();
}

void PausePreview::setOpacity(double value)
{
    opacity = value;
    // An effect at full opacity would still render through an offscreen pixmap.
    fade->setEnabled(value < 1.0);
    fade->setOpacity(value);
}

void PausePreview::restart()
{
    frames.stop();
    if (interacted)
        return;
    button->setPaused(false);
    if (reducesMotion())
        setOpacity(1.0);
    else if (isVisible())
        frames.start();
    else
        setOpacity(0.0);
}

void PausePreview::showFrame(double elapsedSeconds)
{
    if (interacted)
        return;
    if (reducesMotion()) {
        restart();
        return;
    }
    const double local = std::fmod(std::max(elapsedSeconds, 0.0), timeline.duration());
    const std::vector<double> values = timeline.valuesAt(local);
    if (values[opacityProperty] != opacity)
        setOpacity(values[opacityProperty]);
    button->setPaused(values[pausedProperty] >= 0.5);
    frames.idleUntil(elapsedSeconds - local + timeline.nextChangeAt(local));
}

void PausePreview::click()
{
    // The first click ends the loop for good; from then on the pill is the user's.
    interacted = true;
    frames.stop();
    pointer->hide();
    setOpacity(1.0);
    button->setPaused(!button->isPaused());
}

void PausePreview::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    restart();
}

void PausePreview::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    frames.stop();
}

} // namespace mewt
