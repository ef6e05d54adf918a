#pragma once

#include "model/CatTheme.h"
#include "model/PomodoroYarnProgress.h"

#include <QWidget>

namespace mewt {

// A thin capsule filling from left to right: the zen layout's progress.
class ZenProgressBar final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ZenProgressBar)

public:
    static constexpr int height = 4;

    explicit ZenProgressBar(QWidget* parent = nullptr);

    const PomodoroYarnProgress& progress() const { return current; }
    void setProgress(const PomodoroYarnProgress& progress);
    void setPopoverPalette(const CatPopoverPalette& palette);
    // The filled width at the bar's current size.
    double fillWidth() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void updateAccessibleValue();

    PomodoroYarnProgress current;
    CatPopoverPalette colors;
};

} // namespace mewt
