#include "shell/PawStatusView.h"

#include "artwork/PawArtwork.h"
#include "popover/PopoverAccessibility.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace mewt {

namespace {

constexpr int sidePadding = 3;
constexpr int titleGap = 4;
constexpr int trailingPadding = 9;
constexpr int pauseMarkWidth = 6;
constexpr int pauseMarkGap = 4;
constexpr int titlePixelSize = 13;

struct Look {
    QColor fill;
    QColor border;
    QColor text;
};

Look lookFor(bool dark, bool opaque, bool hovered, bool pressed)
{
    Look look;
    if (dark) {
        look.fill = QColor(40, 40, 43, opaque ? 255 : 220);
        look.border = QColor(255, 255, 255, 40);
        look.text = QColor(242, 242, 245);
        if (hovered || pressed)
            look.fill = look.fill.lighter(pressed ? 150 : 125);
    } else {
        look.fill = QColor(250, 250, 250, opaque ? 255 : 215);
        look.border = QColor(0, 0, 0, 34);
        look.text = QColor(28, 28, 30);
        if (hovered || pressed)
            look.fill = look.fill.darker(pressed ? 112 : 105);
    }
    return look;
}

QString digitsAsZero(QString text)
{
    for (QChar& c : text) {
        if (c.isDigit())
            c = QLatin1Char('0');
    }
    return text;
}

} // namespace

PawStatusView::PawStatusView(const CatTheme& theme, QWidget* parent)
    : QWidget(parent)
    , currentTheme(theme)
{
    setObjectName(QStringLiteral("mewt.paw-control"));
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    installPopoverAccessibility();
    // Painted, yet a button to a screen reader: its press opens the controls.
    setAccessibleRole(this, QAccessible::Button);
    setAccessibleActionName(this, QAccessibleActionInterface::pressAction());
    updateAccessibleText();
}

void PawStatusView::setTheme(const CatTheme& theme)
{
    if (theme == currentTheme)
        return;
    currentTheme = theme;
    update();
}

void PawStatusView::setTitle(const StatusTitle& title)
{
    if (title == currentTitle)
        return;
    const QSize before = sizeHint();
    currentTitle = title;
    if (sizeHint() != before)
        updateGeometry();
    updateAccessibleText();
    update();
}

void PawStatusView::setDark(bool value)
{
    if (value == dark)
        return;
    dark = value;
    update();
}

void PawStatusView::setOpaqueBackground(bool value)
{
    if (value == opaque)
        return;
    opaque = value;
    update();
}

void PawStatusView::setPawLifted(bool value)
{
    if (value == lifted)
        return;
    lifted = value;
    update();
}

QFont PawStatusView::titleFont() const
{
    QFont font = this->font();
    font.setPixelSize(titlePixelSize);
    font.setWeight(QFont::DemiBold);
    return font;
}

int PawStatusView::titleWidth() const
{
    if (currentTitle.kind == StatusTitle::Kind::none)
        return 0;
    // Every digit measured as a zero, so the pill does not twitch as the seconds go by.
    const double text = QFontMetricsF(titleFont()).horizontalAdvance(digitsAsZero(currentTitle.text));
    const int mark = currentTitle.kind == StatusTitle::Kind::paused ? pauseMarkWidth + pauseMarkGap : 0;
    return titleGap + mark + static_cast<int>(std::ceil(text)) + trailingPadding - sidePadding;
}

QSize PawStatusView::sizeHint() const
{
    return { sidePadding + pawSize + sidePadding + titleWidth(), barHeight };
}

QRect PawStatusView::pawRect() const
{
    return { sidePadding, (barHeight - pawSize) / 2, pawSize, pawSize };
}

QPainterPath PawStatusView::pillPath() const
{
    QPainterPath path;
    const QRectF bounds = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = bounds.height() / 2.0;
    path.addRoundedRect(bounds, radius, radius);
    return path;
}

QPainterPath PawStatusView::shownPath() const
{
    if (!lifted)
        return pillPath();
    QPainterPath pawEnd;
    pawEnd.addEllipse(QRectF(0, 0, barHeight, barHeight));
    return pillPath().subtracted(pawEnd);
}

void PawStatusView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Look look = lookFor(dark, opaque, hovered, pressed);
    if (lifted)
        painter.setClipPath(shownPath());

    if (opaque) {
        // The window is cut to the pill; soft edge pixels would show black without a compositor.
        painter.fillRect(rect(), look.fill);
    } else {
        painter.setPen(QPen(look.border, 1.0));
        painter.setBrush(look.fill);
        painter.drawPath(pillPath());
    }

    paintFrontPaw(painter, pawRect(), currentTheme);

    if (currentTitle.kind == StatusTitle::Kind::none)
        return;
    QColor ink = look.text;
    if (currentTitle.kind == StatusTitle::Kind::paused)
        ink.setAlphaF(0.55F);
    double x = pawRect().right() + 1 + titleGap;
    if (currentTitle.kind == StatusTitle::Kind::paused) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        const double top = (barHeight - 9) / 2.0;
        painter.drawRoundedRect(QRectF(x, top, 2.2, 9.0), 0.8, 0.8);
        painter.drawRoundedRect(QRectF(x + pauseMarkWidth - 2.2, top, 2.2, 9.0), 0.8, 0.8);
        x += pauseMarkWidth + pauseMarkGap;
    }
    const QFont font = titleFont();
    const QFontMetricsF metrics(font);
    const double baseline = (barHeight + metrics.ascent() - metrics.descent()) / 2.0;
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(QPointF(x, std::round(baseline)), currentTitle.text);
}

void PawStatusView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressed = true;
    update();
    Q_EMIT pawPressed();
}

void PawStatusView::mouseReleaseEvent(QMouseEvent* event)
{
    if (pressed) {
        pressed = false;
        update();
    }
    QWidget::mouseReleaseEvent(event);
}

void PawStatusView::enterEvent(QEnterEvent* event)
{
    hovered = true;
    update();
    QWidget::enterEvent(event);
}

void PawStatusView::leaveEvent(QEvent* event)
{
    hovered = false;
    pressed = false;
    update();
    QWidget::leaveEvent(event);
}

void PawStatusView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        updateAccessibleText();
    else if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}

void PawStatusView::performAccessibleAction()
{
    Q_EMIT accessibleShowControlsRequested();
}

void PawStatusView::updateAccessibleText()
{
    setAccessibleName(QCoreApplication::translate("mewt", "mewt timer"));
    QString value;
    switch (currentTitle.kind) {
    case StatusTitle::Kind::none: break;
    case StatusTitle::Kind::running:
        value = QCoreApplication::translate("mewt", "%1 left").arg(currentTitle.text);
        break;
    case StatusTitle::Kind::paused:
        value = QCoreApplication::translate("mewt", "paused · %1 left").arg(currentTitle.text);
        break;
    case StatusTitle::Kind::overdue:
        value = QCoreApplication::translate("mewt", "phase ended %1 ago").arg(currentTitle.text.mid(1));
        break;
    }
    // The time is the paw's value, which a reader also hears after its name; a pause, a resume
    // or an end is told at once, the ticking time once a minute at most.
    if (currentTitle.kind == toldKind)
        setPopoverAccessibleTime(this, value);
    else
        setPopoverAccessibleValue(this, value);
    toldKind = currentTitle.kind;
}

} // namespace mewt
