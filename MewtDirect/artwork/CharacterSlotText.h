#pragma once

#include <QTimer>
#include <QWidget>
#include <vector>

namespace mewt {

// A line of text laid out one cell per character position, with no spacing. A digit that changes
// rolls like a slot machine reel (downwards when `countsDown`, upwards otherwise); any other
// character just changes. Every digit sits in a cell as wide as the widest digit, so numbers keep
// their width in any font. The caller sets the font and the text colour (the foreground role).
class CharacterSlotText final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CharacterSlotText)

public:
    static constexpr int frameIntervalMs = 16;
    static constexpr int rollFrames = 16; // about a quarter of a second

    explicit CharacterSlotText(QWidget* parent = nullptr);
    CharacterSlotText(const QString& value, bool countsDown, QWidget* parent = nullptr);

    const QString& value() const { return text; }
    bool countsDown() const { return down; }
    // With reduced motion, or while hidden, the new text shows at once.
    void setValue(const QString& value);
    void setCountsDown(bool countsDown);

    bool isRolling() const { return frameTimer.isActive(); }
    // One frame of the roll; the frame timer calls it.
    void advanceFrame();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Cell {
        QString current;
        QString previous;
        int frame = rollFrames; // rollFrames: at rest
        bool rollsDown = false;
    };

    static std::vector<QString> splitCharacters(const QString& value);
    int cellWidth(const QString& character) const;

    QString text;
    bool down = false;
    std::vector<Cell> cells;
    QTimer frameTimer;
};

} // namespace mewt
