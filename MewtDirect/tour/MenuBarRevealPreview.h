#pragma once

#include "artwork/DemoLoop.h"
#include "artwork/DemoTimeline.h"
#include "model/CatTheme.h"

#include <QWidget>

namespace mewt {

// The first tour step's demo: a small top bar with mewt's paw in it; a pointer glides to the paw
// and clicks it, the cat's paw slides down from under the bar, waits, slides back, and all fades.
// Decoration only. With reduced motion: the bar with the paw shown below it, no pointer.
class MenuBarRevealPreview final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MenuBarRevealPreview)

public:
    static constexpr int previewWidth = 166;
    static constexpr int previewHeight = 80;
    static constexpr double revealedOffset = 18.0;
    static constexpr double hiddenOffset = -52.0;

    // What one frame shows: each 0 or 1 at rest, in between while it moves.
    struct Scene {
        double actorOpacity = 0.0;
        double cursorAtIcon = 0.0;
        double iconPressed = 0.0;
        double pawRevealed = 0.0;
        bool still = false;

        bool operator==(const Scene&) const = default;
    };

    static DemoTimeline cycle();

    MenuBarRevealPreview(const CatTheme& theme, const CatPopoverPalette& palette, QWidget* parent = nullptr);

    const CatTheme& theme() const { return currentTheme; }
    // Another cat starts the scene again from its beginning.
    void setTheme(const CatTheme& theme);
    void setPopoverPalette(const CatPopoverPalette& palette);

    const Scene& scene() const { return currentScene; }
    // Where the paw hangs (its frame's top) and where the pointer is, for the scene shown.
    double pawOffset() const;
    QPointF pointerCentre() const;
    DemoLoop& loop() { return frames; }
    void showFrame(double elapsedSeconds);

    QSize sizeHint() const override { return { previewWidth, previewHeight }; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void restart();
    void paintBar(QPainter& painter) const;

    CatTheme currentTheme;
    CatPopoverPalette colors;
    Scene currentScene;
    DemoTimeline timeline;
    DemoLoop frames;
};

} // namespace mewt
