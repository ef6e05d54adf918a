#pragma once

#include <QAbstractButton>

namespace mewt {

// A 20 × 20 icon button: one of our glyphs on a faint circle that darkens while hovered or pressed.
// The text is its accessible name; the glyph alone is drawn.
class ToolbarIconButton final : public QAbstractButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ToolbarIconButton)

public:
    ToolbarIconButton(const QString& glyph, int glyphPixelSize, QWidget* parent = nullptr);

    void setTint(const QColor& color);
    void setGlyph(const QString& glyph);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QString glyphName;
    int glyphSize;
    QColor tint;
    bool hovered = false;
};

} // namespace mewt
