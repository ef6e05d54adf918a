#pragma once

#include "artwork/PixelGlide.h"
#include "cues/EndingCue.h"
#include "model/CatTheme.h"

#include <QColor>
#include <QPainterPath>
#include <QWidget>

namespace mewt {

class CharacterSlotText;
class EndingCueModel;
class InterfaceSettingsStore;

// The ending cue's card: a capsule in the cat's fur with a small fish at its left end, a paw that
// rises from below to catch it as the time runs out, the title and the rolling time. The widget
// is the content plus a 6-pixel margin on every side, where the shadow falls.
class EndingCueView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EndingCueView)

public:
    struct CueColors {
        QColor fill;
        QColor ink;
        QColor border;
    };

    EndingCueView(EndingCueModel& model, InterfaceSettingsStore& settings, QWidget* parent = nullptr);

    // The fur; black or white ink, whichever reads better on it; the theme's edge pushed toward
    // the ink until it stands out 3:1 from the fur.
    static CueColors cueColors(const CatTheme& theme);
    // How far the paw has come, 0 (below the card) to 1 (on the fish).
    static double pawProgress(qint64 remainingSeconds, int leadSeconds, bool reduceMotion);
    // The paw's centre height in the content: 40 at progress 0, 15 at 1.
    static double pawHeight(double progress);
    // A cat's paw with its toes up, fitted to `rect`.
    static QPainterPath catPawPath(const QRectF& rect);
    // A small fish facing left, its eye cut out, fitted to `rect`.
    static QPainterPath cueFishPath(const QRectF& rect);

    // The progress drawn now: it glides toward the model's over 0.9 s, drawn only when the paw has
    // moved a device pixel.
    double displayedPawProgress() const { return progressGlide.shown(); }
    QRectF contentRect() const;
    CharacterSlotText* timeText() const { return time; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void cueChanged(bool animated);
    void themeChanged();
    void layoutTime();
    void paintShadow(QPainter& painter, const QRectF& content) const;

    EndingCueModel& model;
    InterfaceSettingsStore& settings;
    CharacterSlotText* time = nullptr;
    PixelGlide progressGlide;
};

} // namespace mewt
