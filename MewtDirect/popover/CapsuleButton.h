#pragma once

#include <QAbstractButton>

namespace mewt {

// A short text on a faint capsule, 20 high with 7 of padding either side: the next-phase and the
// start-phase buttons.
class CapsuleButton final : public QAbstractButton {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CapsuleButton)

public:
    explicit CapsuleButton(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace mewt
