#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace mewt {

// The popover's own window: frameless, always on top and outside the window manager's reach, so it
// can slide out from under the top bar and never takes the keyboard unless asked (`makeKey`).
// With a compositing manager it paints its own soft shadow in a transparent margin around the
// content; without one it has no margin and cuts itself to the content's rounded corners, since
// its transparent parts would show black. Geometry is always given for the content rectangle.
class TimerPopoverPanel final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TimerPopoverPanel)

public:
    static constexpr int cornerRadius = 14;
    static constexpr int shadowMargin = 14;

    explicit TimerPopoverPanel(QWidget* parent = nullptr);
    ~TimerPopoverPanel() override;

    // The one child that fills the content rectangle; the panel owns it.
    void setContentView(QWidget* view);
    QWidget* contentView() const { return content; }

    // The content rectangle in global coordinates.
    QRect contentGeometry() const;
    void setContentGeometry(const QRect& rect);
    void moveContentTo(QPoint topLeft);

    // The transparent margin around the content, on every side.
    int margin() const { return composited ? shadowMargin : 0; }

    // 0...1; only a composited window can show it, elsewhere the panel stays opaque.
    double alpha() const { return currentAlpha; }
    void setAlpha(double alpha);

    // Asked again before every show: a compositing manager may have come or gone meanwhile.
    bool isComposited() const { return composited; }
    void refreshCompositing();
    // How the panel learns whether a compositing manager runs; tests replace it.
    std::function<bool()> compositingProbe;

    // Attached: outside the window manager's reach, as above. Detached: a managed, frameless window
    // that stays on top on every desktop, with a taskbar entry. The switch makes a new native
    // window, hidden: the caller places and shows it again.
    void setDetachedForm(bool detached);
    bool isDetachedForm() const { return detachedForm; }

    // On screen and above everything, without taking the keyboard.
    void orderFront();
    // Takes the keyboard, so typing reaches the popover's fields.
    void makeKey();

    // Answers whether a close request may close the window; unset means yes.
    std::function<bool()> onShouldClose;
    std::function<void()> onDidMove;
    // Another X client destroyed the native window; the panel is already hidden and shows in a new
    // one next time.
    std::function<void()> onWindowLost;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void applyShape();
    void applyInputRegion();
    void layoutContent();
    void setComposited(bool value);
    void claimActivation();

    QWidget* content = nullptr;
    double currentAlpha = 1.0;
    bool composited = true;
    bool detachedForm = false;
    QImage shadow;
};

} // namespace mewt
