#include "options/PullDistanceDiagram.h"

#include "artwork/PullPreview.h"
#include "platform/ReadOnlyAccessibleText.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace mewt {

namespace {

constexpr qreal cornerRadius = 12;
constexpr qreal dimming = 0.16;
constexpr qreal outlineOpacity = 0.16;
constexpr int pictureScale = 3;
constexpr double restThreshold = 0.001;

QString durationText(int seconds, int timerStepSeconds)
{
    if (seconds == 0)
        return timerStepSeconds < 60 ? QStringLiteral("0s") : QStringLiteral("0m");
    if (seconds < 60)
        return QStringLiteral("%1s").arg(seconds);
    return QStringLiteral("%1m").arg(seconds / 60);
}

// Soft hills under an evening sky, so the paw reads against light and dark parts alike.
QImage drawDesktopPicture()
{
    const QSize size = PullDistanceDiagram::cardSize * pictureScale;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pictureScale, pictureScale);
    const qreal w = PullDistanceDiagram::cardSize.width();
    const qreal h = PullDistanceDiagram::cardSize.height();

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(0x5b, 0x7f, 0xc7));
    sky.setColorAt(0.55, QColor(0xe9, 0xa8, 0x8f));
    sky.setColorAt(1, QColor(0xf4, 0xd3, 0x9c));
    painter.fillRect(QRectF(0, 0, w, h), sky);

    QRadialGradient sun(w * 0.74, h * 0.52, h * 0.5);
    sun.setColorAt(0, QColor(255, 240, 210, 200));
    sun.setColorAt(1, QColor(255, 240, 210, 0));
    painter.fillRect(QRectF(0, 0, w, h), sun);

    const struct {
        qreal base;
        qreal amplitude;
        qreal phase;
        QColor color;
    } hills[] = {
        { h * 0.70, 9, 0.6, QColor(0x8c, 0x6f, 0x9e) },
        { h * 0.80, 11, 2.1, QColor(0x5e, 0x52, 0x86) },
        { h * 0.90, 7, 4.0, QColor(0x3b, 0x37, 0x62) },
    };
    for (const auto& hill : hills) {
        QPainterPath path(QPointF(0, h));
        for (int x = 0; x <= int(w); x += 4)
            path.lineTo(x, hill.base - hill.amplitude * std::sin(x / 46.0 + hill.phase));
        path.lineTo(w, h);
        path.closeSubpath();
        painter.fillPath(path, hill.color);
    }
    return image;
}

// One element: the demo inside is not announced on its own.
class DiagramAccessible final : public ReadOnlyTextWidgetAccessible {
public:
    explicit DiagramAccessible(PullDistanceDiagram* diagram)
        : ReadOnlyTextWidgetAccessible(diagram, QAccessible::Graphic, true)
    {
    }
    // The value also describes it, since readers speak a description after the name.
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value || t == QAccessible::Description)
            return spokenText();
        return QAccessibleWidget::text(t);
    }

protected:
    QString spokenText() const override { return static_cast<PullDistanceDiagram*>(widget())->accessibleValue(); }
};

QAccessibleInterface* diagramAccessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("mewt::PullDistanceDiagram") && object && object->isWidgetType())
        return new DiagramAccessible(static_cast<PullDistanceDiagram*>(object));
    return nullptr;
}

} // namespace

int pullDistanceSteps(int points, double pullProgress)
{
    if (pullProgress <= restThreshold)
        return 0;
    const int p = std::max(points, 1);
    const double total = double(PullDistanceDiagram::steps * p);
    const double steps = std::ceil(total * pullProgress / p);
    return int(std::clamp(steps, 1.0, double(PullDistanceDiagram::steps)));
}

QString pullDistanceStatusText(int points, int timerStepSeconds, double pullProgress, int cycleIndex)
{
    const int steps = pullDistanceSteps(points, pullProgress);
    if (cycleIndex % 2 != 0)
        return QStringLiteral("pomodoro %1 focus").arg(steps);
    return QStringLiteral("timer +") + durationText(steps * timerStepSeconds, timerStepSeconds);
}

PullDistanceDiagram::PullDistanceDiagram(int points, const CatTheme& theme, int timerStepSeconds, QWidget* parent)
    : QWidget(parent)
    , shownPoints(points)
    , stepSeconds(timerStepSeconds)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(diagramAccessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    const double distance = double(std::max(points, 0) * steps);
    demo = new PullPreview(theme, distance, QSizeF(cardSize), 1.0, distance / pullSpeed, {}, true, this);
    applyStatusText();
    setFixedHeight(cardSize.height());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    retranslate();
}

void PullDistanceDiagram::retranslate()
{
    setAccessibleName(QCoreApplication::translate("mewt", "pull distance per step"));
}

void PullDistanceDiagram::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void PullDistanceDiagram::setPoints(int points)
{
    if (points == shownPoints)
        return;
    const QString before = accessibleValue();
    shownPoints = points;
    const double distance = double(std::max(points, 0) * steps);
    demo->setMaximumPullDistance(distance);
    demo->setPullDuration(distance / pullSpeed);
    applyStatusText();
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent text(this, 0, before, accessibleValue());
        QAccessible::updateAccessibility(&text);
        QAccessibleValueChangeEvent event(this, accessibleValue());
        QAccessible::updateAccessibility(&event);
    }
}

void PullDistanceDiagram::setTheme(const CatTheme& theme)
{
    if (theme.id != demo->theme().id)
        demo->setTheme(theme);
}

void PullDistanceDiagram::setTimerStepSeconds(int seconds)
{
    if (seconds == stepSeconds)
        return;
    stepSeconds = seconds;
    applyStatusText();
}

QString PullDistanceDiagram::accessibleValue() const
{
    return QCoreApplication::translate("mewt", "%1 points").arg(shownPoints);
}

void PullDistanceDiagram::applyStatusText()
{
    demo->setStatusText([points = shownPoints, seconds = stepSeconds](double progress, int cycle) {
        return pullDistanceStatusText(points, seconds, progress, cycle);
    });
}

const QImage& PullDistanceDiagram::desktopPicture()
{
    static const QImage picture = drawDesktopPicture();
    return picture;
}

QRect PullDistanceDiagram::cardRect() const
{
    return QRect(QPoint((width() - cardSize.width()) / 2, 0), cardSize);
}

void PullDistanceDiagram::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    demo->setGeometry(cardRect());
}

void PullDistanceDiagram::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath card;
    card.addRoundedRect(QRectF(cardRect()), cornerRadius, cornerRadius);
    painter.setClipPath(card);
    painter.drawImage(QRectF(cardRect()), desktopPicture());
    painter.fillRect(cardRect(), QColor(0, 0, 0, int(255 * dimming)));
    painter.setClipping(false);
    painter.setPen(QPen(QColor(255, 255, 255, int(255 * outlineOpacity)), 1));
    painter.drawPath(card);
}

} // namespace mewt
