#pragma once

#include <QWidget>

namespace mewt {

class OptionsView;
class X11FrameExtents;

// The options window: an ordinary managed window titled "mewt settings", 740 x 500 and not
// resizable. Closing it only hides it; its owner may then let it give back its content, and hand
// it a new one before it shows again. Only closeForGood() really closes it.
class OptionsWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionsWindow)

public:
    explicit OptionsWindow(OptionsView* view, QWidget* parent = nullptr);

    // Null after releaseContent() until setView().
    OptionsView* view() const { return content; }
    // The window takes `view` as its content.
    void setView(OptionsView* view);
    // While hidden: deletes the content and the native window with its backing store, and gives
    // the freed memory back to the system. The window keeps its place on screen.
    void releaseContent();
    void closeForGood();
    // Shows the window raised and active; the first time centred by its frame on the screen it
    // is on (or the primary one), once the window manager has told the frame.
    void present();
    // Centres the window's frame on the available area of the screen it is on (or the primary one).
    void centreOnScreen();

Q_SIGNALS:
    // Hidden by us or by a close, not by the window manager (minimised, another desktop).
    void hidden();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void retranslate();

    OptionsView* content = nullptr;
    X11FrameExtents* frame;
    bool closingForGood = false;
    bool placed = false;
};

} // namespace mewt
