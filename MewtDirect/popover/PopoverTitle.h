#pragma once

#include <QColor>
#include <QWidget>

namespace mewt {

// "mewt" beside the paw, drawn; read out as the popover's title. Presses pass through it, so in the
// detached window it drags the window like the background it lies on.
class PopoverTitle final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PopoverTitle)

public:
    explicit PopoverTitle(QWidget* parent = nullptr);

    void setAccent(const QColor& color);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor accent;
};

} // namespace mewt
