#pragma once

#include "model/CatTheme.h"
#include "model/TimerMode.h"

#include <QWidget>

class QAbstractButton;

namespace mewt {

// The segmented switch between timer and pomodoro: words in the regular form, two glyphs in the
// compact one. Emits modePicked only for the user's choice; setMode never writes back.
class TimerModePicker final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimerModePicker)

public:
    TimerModePicker(bool compact, QWidget* parent = nullptr);

    TimerMode mode() const { return selected; }
    void setMode(TimerMode mode);
    void setPopoverPalette(const CatPopoverPalette& palette);
    QAbstractButton* segment(TimerMode mode) const;

Q_SIGNALS:
    void modePicked(mewt::TimerMode mode);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    bool compact;
    TimerMode selected = TimerMode::timer;
    QAbstractButton* timerSegment = nullptr;
    QAbstractButton* pomodoroSegment = nullptr;
    CatPopoverPalette colors;
};

} // namespace mewt
