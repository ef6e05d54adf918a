#pragma once

#include <QWidget>

namespace mewt {

class OptionsView;
class X11FrameExtents;

// The options window: an ordinary managed window titled "mewt settings", 740 x 500 and not
// resizable. Closing it only hides it, so the same window comes back with its page and search;
// only closeForGood() really closes it.
class OptionsWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionsWindow)

public:
    explicit OptionsWindow(OptionsView* view, QWidget* parent = nullptr);

    OptionsView& view() const { return *content; }
    void closeForGood();
    // Shows the window raised and active; the first time centred by its frame on the screen it
    // is on (or the primary one), once the window manager has told the frame.
    void present();
    // Centres the window's frame on the available area of the screen it is on (or the primary one).
    void centreOnScreen();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void retranslate();

    OptionsView* content;
    X11FrameExtents* frame;
    bool closingForGood = false;
    bool placed = false;
};

} // namespace mewt
