#pragma once

#include "artwork/DemoLoop.h"
#include "artwork/DemoTimeline.h"
#include "model/CatTheme.h"

#include <QAbstractButton>
#include <QWidget>

class QGraphicsOpacityEffect;

namespace mewt {

class CharacterSlotText;

// The pause demo's pill: the time and a pause or play mark on the popover's card colour. A real
// button, so a screen reader can press it; the name says what a press would do.
class PausePreviewPill final : public QAbstractButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PausePreviewPill)

public:
    explicit PausePreviewPill(const CatPopoverPalette& palette, QWidget* parent = nullptr);

    bool isPaused() const { return paused; }
    void setPaused(bool paused);
    void setPopoverPalette(const CatPopoverPalette& palette);
    QString timeText() const;
    // Where the pill paints its mark, after the time.
    QRectF markRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    CatPopoverPalette colors;
    bool paused = false;
    CharacterSlotText* time = nullptr;
};

// The third tour step's demo: the pill pauses and resumes on its own under a resting pointer, until
// the first click; from then on every click toggles it and the loop is gone for good. Nothing is
// stored and no timer is touched.
class PausePreview final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PausePreview)

public:
    static DemoTimeline cycle();

    explicit PausePreview(const CatPopoverPalette& palette, QWidget* parent = nullptr);

    void setPopoverPalette(const CatPopoverPalette& palette);

    bool isPaused() const;
    double previewOpacity() const { return opacity; }
    bool didInteract() const { return interacted; }
    PausePreviewPill* pill() const { return button; }
    DemoLoop& loop() { return frames; }
    void showFrame(double elapsedSeconds);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    class Pointer;

    void restart();
    void click();
    void setOpacity(double value);

    CatPopoverPalette colors;
    QWidget* content = nullptr;
    PausePreviewPill* button = nullptr;
    Pointer* pointer = nullptr;
    QGraphicsOpacityEffect* fade = nullptr;
    double opacity = 0.0;
    bool interacted = false;
    DemoTimeline timeline;
    DemoLoop frames;
};

} // namespace mewt
