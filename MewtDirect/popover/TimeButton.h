#pragma once

#include "popover/PhaseTimeBlock.h"

#include <QAbstractButton>

namespace mewt {

// A whole phase time block as one plain button: the time that pauses and resumes, or the zen
// "next:" block that starts the waiting phase. Its whole rectangle takes clicks.
class TimeButton final : public QAbstractButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimeButton)

public:
    explicit TimeButton(QWidget* parent = nullptr);

    PhaseTimeBlock& block() const { return *label; }
    // What a screen reader reads as the button's value (the status line).
    void setAccessibleValue(const QString& value);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    PhaseTimeBlock* label = nullptr;
};

} // namespace mewt
