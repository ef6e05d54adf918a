#pragma once

#include "model/CatTheme.h"

#include <QWidget>

class QPainter;
class QPainterPath;

namespace mewt {

// The themed paw seen from below: a soft mitten with four toe beans and a palm pad, toes pointing
// down. Drawn into `rect` (designed at 34 by 24) with its outline in the theme's edge colour.
void paintCatPaw(QPainter& painter, const QRectF& rect, const CatTheme& theme);
// What `paintCatPaw` covers in `rect`, its outline included: the shape a window that cannot blend
// is cut to.
QPainterPath catPawShape(const QRectF& rect);

// The peeking paw of the pull handle in its 34 by 63 frame: a short arm hanging from the top edge
// with the paw at the bottom.
void paintPeekPaw(QPainter& painter, const CatTheme& theme);

class PeekPawArtwork final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PeekPawArtwork)

public:
    static constexpr int artworkWidth = 34;
    static constexpr int artworkHeight = 63;

    explicit PeekPawArtwork(const CatTheme& theme, QWidget* parent = nullptr);

    const CatTheme& theme() const { return currentTheme; }
    void setTheme(const CatTheme& theme);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CatTheme currentTheme;
};

} // namespace mewt
