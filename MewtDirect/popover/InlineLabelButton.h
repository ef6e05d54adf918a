#pragma once

#include <QAbstractButton>

namespace mewt {

// A plain button that is nothing but its label: one line of text, optionally followed by one of our
// glyphs, in one colour, dimmed while pressed. The text is painted as plain text and never read for
// mnemonics, so a typed name shows exactly as typed; a text too long for the room ends in "…".
class InlineLabelButton final : public QAbstractButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InlineLabelButton)

public:
    static constexpr int glyphGap = 4;

    // An empty glyph name draws the text alone.
    InlineLabelButton(const QFont& font, const QString& glyph, QWidget* parent = nullptr);

    void setLabel(const QString& text);
    const QString& label() const { return shown; }
    void setColor(const QColor& color);
    const QColor& color() const { return ink; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int glyphWidth() const;

    QString shown;
    QString glyphName;
    QColor ink;
};

} // namespace mewt
