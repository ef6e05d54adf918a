#pragma once

#include "model/CatTheme.h"
#include "model/PomodoroYarnProgress.h"
#include "popover/ProgressGlide.h"

#include <QWidget>

namespace mewt {

// A thin capsule filling from left to right: the zen layout's progress, gliding between the
// once-a-second updates.
class ZenProgressBar final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ZenProgressBar)

public:
    static constexpr int height = 4;

    explicit ZenProgressBar(QWidget* parent = nullptr);

    const PomodoroYarnProgress& progress() const { return glide.target(); }
    void setProgress(const PomodoroYarnProgress& progress);
    void setPopoverPalette(const CatPopoverPalette& palette);
    // The filled width drawn at the bar's current size.
    double fillWidth() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void updateAccessibleValue();

    ProgressGlide glide;
    CatPopoverPalette colors;
};

} // namespace mewt
