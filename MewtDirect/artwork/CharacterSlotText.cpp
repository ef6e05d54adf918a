#include "artwork/CharacterSlotText.h"

#include "artwork/ReducedMotion.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>

namespace mewt {

namespace {

bool isDigit(const QString& character)
{
    return character.size() == 1 && character.front().isDigit();
}

} // namespace

CharacterSlotText::CharacterSlotText(QWidget* parent)
    : CharacterSlotText(QString(), false, parent)
{
}

CharacterSlotText::CharacterSlotText(const QString& value, bool countsDown, QWidget* parent)
    : QWidget(parent)
    , down(countsDown)
{
    setAttribute(Qt::WA_TranslucentBackground);
    frameTimer.setTimerType(Qt::PreciseTimer);
    frameTimer.setInterval(frameIntervalMs);
    connect(&frameTimer, &QTimer::timeout, this, &CharacterSlotText::advanceFrame);
    setValue(value);
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

void CharacterSlotText::setValue(const QString& value)
{
    if (value == text && !cells.empty())
        return;
    const bool animate = isVisible() && !reducesMotion();
    const std::vector<QString> characters = splitCharacters(value);
    std::vector<Cell> next(characters.size());
    bool rolling = false;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        Cell& cell = next[i];
        cell.current = characters[i];
        if (i < cells.size()) {
            const Cell& old = cells[i];
            if (old.current != cell.current && animate && isDigit(old.current) && isDigit(cell.current)) {
                cell.previous = old.current;
                cell.frame = 0;
                cell.rollsDown = down;
                rolling = true;
            } else if (old.current == cell.current) {
                cell = old;
            }
        }
    }
    text = value;
    cells = std::move(next);
    if (rolling)
        frameTimer.start();
    else if (std::none_of(cells.begin(), cells.end(), [](const Cell& cell) { return cell.frame < rollFrames; }))
        frameTimer.stop();
    // Any changed character may change the width, not only a changed count.
    updateGeometry();
    update();
}

void CharacterSlotText::setCountsDown(bool countsDown)
{
    down = countsDown;
}

void CharacterSlotText::advanceFrame()
{
    bool any = false;
    for (Cell& cell : cells) {
        if (cell.frame < rollFrames) {
            ++cell.frame;
            any = any || cell.frame < rollFrames;
        }
    }
    if (!any)
        frameTimer.stop();
    update();
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

QSize CharacterSlotText::sizeHint() const
{
    int width = 0;
    for (const Cell& cell : cells)
        width += cellWidth(cell.current);
    return { width, fontMetrics().height() };
}

void CharacterSlotText::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setClipRect(rect());
    painter.setPen(palette().color(foregroundRole()));
    const QFontMetrics metrics = fontMetrics();
    const int height = metrics.height();
    const int top = (this->height() - height) / 2;
    int x = 0;
    for (const Cell& cell : cells) {
        const int width = cellWidth(cell.current);
        const QRect box(x, top, width, height);
        if (cell.frame >= rollFrames) {
            painter.drawText(box, Qt::AlignCenter, cell.current);
        } else {
            const double f = static_cast<double>(cell.frame) / rollFrames;
            const double p = 1.0 - (1.0 - f) * (1.0 - f) * (1.0 - f);
            // Counting up, the new digit comes up from below; counting down, it drops from above.
            const double direction = cell.rollsDown ? -1.0 : 1.0;
            const int outgoing = static_cast<int>(-direction * p * height);
            const int incoming = static_cast<int>(direction * (1.0 - p) * height);
            painter.setOpacity(1.0 - p);
            painter.drawText(box.translated(0, outgoing), Qt::AlignCenter, cell.previous);
            painter.setOpacity(p);
            painter.drawText(box.translated(0, incoming), Qt::AlignCenter, cell.current);
            painter.setOpacity(1.0);
        }
        x += width;
    }
}

void CharacterSlotText::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        updateGeometry();
    QWidget::changeEvent(event);
}

} // namespace mewt
