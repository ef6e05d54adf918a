#include "artwork/CharacterSlotText.h"

#include "artwork/Animation.h"
#include "artwork/FrameClock.h"
#include "artwork/ReducedMotion.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>

namespace mewt {

namespace {

bool isDigit(const QString& character)
{
    return character.size() == 1 && character.front().isDigit();
}

double steadySeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// A share found a hair short of a pixel by rounding counts as there.
constexpr double stepTolerance = 1e-6;

double easeOutCubicValue(double t)
{
    return easeOutCubic(t);
}

QColor faded(QColor color, double opacity)
{
    color.setAlphaF(static_cast<float>(color.alphaF() * std::clamp(opacity, 0.0, 1.0)));
    return color;
}

} // namespace

CharacterSlotText::CharacterSlotText(QWidget* parent)
    : CharacterSlotText(QString(), false, parent)
{
}

CharacterSlotText::CharacterSlotText(const QString& value, bool countsDown, QWidget* parent)
    : QWidget(parent)
    , down(countsDown)
    , ease(easeOutCubicValue)
    , clock(steadySeconds)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setValue(value);
}

CharacterSlotText::~CharacterSlotText()
{
    FrameClock::shared().cancelFrame(this);
}

std::vector<QString> CharacterSlotText::splitCharacters(const QString& value)
{
    std::vector<QString> characters;
    for (qsizetype i = 0; i < value.size(); ++i) {
        // A surrogate pair is one character and stays in one cell.
        const qsizetype length = value.at(i).isHighSurrogate() && i + 1 < value.size() ? 2 : 1;
        characters.push_back(value.mid(i, length));
        i += length - 1;
    }
    return characters;
}

void CharacterSlotText::setRollTiming(double seconds, Easing easing)
{
    rollDuration = std::max(seconds, 0.0);
    ease = easing ? easing : easeOutCubicValue;
}

void CharacterSlotText::setTimeSource(TimeSource source)
{
    clock = source ? std::move(source) : TimeSource(steadySeconds);
}

void CharacterSlotText::setValue(const QString& value)
{
    if (value == text && !cells.empty())
        return;
    const bool animate = isVisible() && !reducesMotion() && rollDuration > 0.0;
    const QSize before = sizeHint();
    const std::vector<QString> characters = splitCharacters(value);
    std::vector<Cell> next(characters.size());
    std::vector<int> changed;
    bool rolling = false;
    const double now = animate ? clock() : 0.0;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        Cell& cell = next[i];
        cell.current = characters[i];
        if (i < cells.size() && cells[i].current == cell.current) {
            cell = cells[i];
            rolling = rolling || cell.rolling;
            continue;
        }
        changed.push_back(static_cast<int>(i));
        if (i < cells.size() && animate && isDigit(cells[i].current) && isDigit(cell.current)) {
            cell.previous = cells[i].current;
            cell.started = now;
            cell.rolling = true;
            cell.rollsDown = down;
            rolling = true;
        }
    }
    const std::size_t oldCount = cells.size();
    text = value;
    cells = std::move(next);
    if (rolling) {
        lastFrame = now;
        requestFrame(now);
    } else {
        FrameClock::shared().cancelFrame(this);
    }
    // Any changed character may change the width, not only a changed count.
    if (sizeHint() != before || cells.size() != oldCount) {
        updateGeometry();
        update();
        return;
    }
    for (int index : changed)
        update(cellRect(index));
}

void CharacterSlotText::setCountsDown(bool countsDown)
{
    down = countsDown;
}

bool CharacterSlotText::isRolling() const
{
    return std::any_of(cells.begin(), cells.end(), [](const Cell& cell) { return cell.rolling; });
}

double CharacterSlotText::progressOf(const Cell& cell, double now) const
{
    if (!cell.rolling || rollDuration <= 0.0)
        return 1.0;
    return std::clamp((now - cell.started) / rollDuration, 0.0, 1.0);
}

void CharacterSlotText::advanceFrame()
{
    const double now = clock();
    lastFrame = now;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        Cell& cell = cells[i];
        if (!cell.rolling)
            continue;
        if (progressOf(cell, now) >= 1.0)
            cell.rolling = false;
        update(cellRect(static_cast<int>(i)));
    }
    requestFrame(now);
}

double CharacterSlotText::nextStep(const Cell& cell, double now) const
{
    // The reels move in whole pixels of the line's height: the next frame is due when the eased
    // share reaches the next of them.
    const double height = fontMetrics().height();
    const double end = cell.started + rollDuration;
    const double progress = progressOf(cell, now);
    if (height <= 0.0)
        return end;
    const double step = (std::floor(ease(progress) * height + stepTolerance) + 1.0) / height;
    if (step >= 1.0)
        return end;
    double low = progress;
    double high = 1.0;
    for (int i = 0; i < 40 && high - low > 1e-9; ++i) {
        const double middle = (low + high) / 2.0;
        (ease(middle) >= step ? high : low) = middle;
    }
    return std::min(cell.started + high * rollDuration, end);
}

void CharacterSlotText::requestFrame(double now)
{
    std::optional<double> due;
    for (const Cell& cell : cells) {
        if (cell.rolling)
            due = std::min(due.value_or(nextStep(cell, now)), nextStep(cell, now));
    }
    if (!due) {
        FrameClock::shared().cancelFrame(this);
        return;
    }
    // Never more than a frame each frame interval, however fast the reels move.
    const double at = std::max(*due, lastFrame + frameIntervalMs / 1000.0);
    const auto wait = std::chrono::ceil<Uptime::duration>(std::chrono::duration<double>(std::max(at - now, 0.0)));
    FrameClock::shared().requestFrame(this, FrameClock::shared().now() + wait, [this] { advanceFrame(); });
}

void CharacterSlotText::settle()
{
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (std::exchange(cells[i].rolling, false))
            update(cellRect(static_cast<int>(i)));
    }
    FrameClock::shared().cancelFrame(this);
}

int CharacterSlotText::cellWidth(const QString& character) const
{
    const QFontMetrics metrics = fontMetrics();
    if (isDigit(character)) {
        int widest = 0;
        for (char digit = '0'; digit <= '9'; ++digit)
            widest = std::max(widest, metrics.horizontalAdvance(QLatin1Char(digit)));
        return widest;
    }
    return metrics.horizontalAdvance(character);
}

QRect CharacterSlotText::cellRect(int index) const
{
    const int lineHeight = fontMetrics().height();
    const int top = (height() - lineHeight) / 2;
    int x = 0;
    for (int i = 0; i < index && i < static_cast<int>(cells.size()); ++i)
        x += cellWidth(cells[static_cast<std::size_t>(i)].current);
    if (index < 0 || index >= static_cast<int>(cells.size()))
        return {};
    return { x, top, cellWidth(cells[static_cast<std::size_t>(index)].current), lineHeight };
}

QSize CharacterSlotText::sizeHint() const
{
    int width = 0;
    for (const Cell& cell : cells)
        width += cellWidth(cell.current);
    return { width, fontMetrics().height() };
}

void CharacterSlotText::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // Fading by the pen's alpha rather than the painter's opacity keeps Qt's fast glyph path,
    // which does not hand each frame to its worker threads.
    const QColor ink = palette().color(foregroundRole());
    painter.setPen(ink);
    const QFontMetrics metrics = fontMetrics();
    const int height = metrics.height();
    const int top = (this->height() - height) / 2;
    const double now = isRolling() ? clock() : 0.0;
    int x = 0;
    for (const Cell& cell : cells) {
        const int width = cellWidth(cell.current);
        const QRect box(x, top, width, height);
        x += width;
        if (!event->rect().intersects(box))
            continue;
        if (!cell.rolling) {
            painter.setClipRect(rect());
            painter.drawText(box, Qt::AlignCenter, cell.current);
            continue;
        }
        const double p = ease(progressOf(cell, now));
        // Counting up, the new digit comes up from below; counting down, it drops from above.
        const double direction = cell.rollsDown ? -1.0 : 1.0;
        const int outgoing = static_cast<int>(-direction * p * height);
        const int incoming = static_cast<int>(direction * (1.0 - p) * height);
        // The reel shows through its own cell only, never over the lines above and below.
        painter.setClipRect(box);
        painter.setPen(faded(ink, 1.0 - p));
        painter.drawText(box.translated(0, outgoing), Qt::AlignCenter, cell.previous);
        painter.setPen(faded(ink, p));
        painter.drawText(box.translated(0, incoming), Qt::AlignCenter, cell.current);
        painter.setPen(ink);
    }
}

void CharacterSlotText::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}

void CharacterSlotText::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    settle();
}

} // namespace mewt
