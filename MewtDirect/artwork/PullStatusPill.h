#pragma once

#include "model/CatTheme.h"

#include <QPainterPath>
#include <QPointer>
#include <QWidget>

namespace mewt {

// The capsule that tells what a pull will do, in the cat's own colours; a cancel pill is red
// instead. It hosts one content widget (usually a CharacterSlotText) and gives it the text colour.
class PullStatusPill final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PullStatusPill)

public:
    static constexpr int horizontalPadding = 11;
    static constexpr int verticalPadding = 4;

    PullStatusPill(const CatInteractionPalette& palette, bool isCancel, QWidget* content, QWidget* parent = nullptr);

    const CatInteractionPalette& interactionPalette() const { return colors; }
    bool isCancel() const { return cancel; }
    QWidget* content() const { return hosted; }

    void setInteractionPalette(const CatInteractionPalette& palette);
    void setCancel(bool isCancel);

    // The colours the pill is painted in: the palette's, or the cancel red.
    CatInteractionPalette effectivePalette() const;
    // The capsule with its outline, in the pill's own coordinates, without the soft drop below it
    // (which a window that cannot blend would show as a black line).
    QPainterPath capsuleShape() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyTextColor();

    CatInteractionPalette colors;
    bool cancel = false;
    QPointer<QWidget> hosted;
};

} // namespace mewt
