#pragma once

#include <QWidget>
#include <functional>
#include <vector>

namespace mewt {

// A line of text laid out one cell per character position, with no spacing. A digit that changes
// rolls like a slot machine reel (downwards when `countsDown`, upwards otherwise), inside its own
// cell: nothing is drawn above or below the line. Any other character just changes. Every digit
// sits in a cell as wide as the widest digit, so numbers keep their width in any font. The caller
// sets the font and the text colour (the foreground role). Rolls move on the shared frame clock,
// a frame only when a reel has moved a pixel (at most one each frame interval), and repaint only
// the cells that move.
class CharacterSlotText final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CharacterSlotText)

public:
    // Progress 0...1 to the share of the way travelled.
    using Easing = double (*)(double);
    // Monotonic seconds; a steady clock unless a test sets its own.
    using TimeSource = std::function<double()>;
    // Unless the owner sets its own: about a quarter of a second, easing out.
    static constexpr double defaultRollSeconds = 0.256;

    explicit CharacterSlotText(QWidget* parent = nullptr);
    CharacterSlotText(const QString& value, bool countsDown, QWidget* parent = nullptr);
    ~CharacterSlotText() override;

    const QString& value() const { return text; }
    bool countsDown() const { return down; }
    // With reduced motion, or while hidden, the new text shows at once.
    void setValue(const QString& value);
    void setCountsDown(bool countsDown);
    // How long a roll takes and how it eases; applies to the next change.
    void setRollTiming(double seconds, Easing easing);
    double rollSeconds() const { return rollDuration; }
    void setTimeSource(TimeSource source);

    bool isRolling() const;
    // One frame of the roll at the time source's now; the frame clock calls it.
    void advanceFrame();
    // Where the character at `index` is drawn: its cell on the line.
    QRect cellRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Cell {
        QString current;
        QString previous;
        double started = 0.0;
        bool rolling = false;
        bool rollsDown = false;
    };

    static std::vector<QString> splitCharacters(const QString& value);
    int cellWidth(const QString& character) const;
    double progressOf(const Cell& cell, double now) const;
    // When `cell`'s reel next moves a pixel, or its roll ends, on the time source.
    double nextStep(const Cell& cell, double now) const;
    void requestFrame(double now);
    void settle();

    QString text;
    bool down = false;
    double rollDuration = defaultRollSeconds;
    Easing ease;
    TimeSource clock;
    std::vector<Cell> cells;
    double lastFrame = 0.0;
};

} // namespace mewt
