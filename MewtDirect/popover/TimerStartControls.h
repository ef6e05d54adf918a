#pragma once

#include "model/TimerMode.h"

#include <QWidget>

namespace mewt {

class ToolbarIconButton;

// The round play button that starts without pulling: the quick timer, one focus session or
// continuous focus. Its texts say which, and for how long.
class TimerStartControls final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimerStartControls)

public:
    struct Content {
        TimerMode mode = TimerMode::timer;
        int quickTimeMinutes = 0;
        int focusMinutes = 0;
        bool isContinuous = false;
        QColor accentColor;
        bool operator==(const Content&) const = default;
    };

    explicit TimerStartControls(QWidget* parent = nullptr);

    void setContent(const Content& content);
    ToolbarIconButton& button() const { return *play; }

Q_SIGNALS:
    void startPressed();

protected:
    void changeEvent(QEvent* event) override;

private:
    void retranslate();

    Content shown;
    ToolbarIconButton* play = nullptr;
};

} // namespace mewt
