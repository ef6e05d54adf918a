#pragma once

#include <QObject>

class QWidget;

namespace mewt {

// X11 has no rule for where the keyboard goes when the window holding it goes: openbox hands it to
// the window that had it before, xfwm4 keeps it on a window of its own, so the keys go nowhere, and
// without a manager it falls to the root. So a window of ours that took the keyboard from another
// program gives it back itself once it hides: to the window that held it, as long as that window
// still lives and nothing else took the keyboard meanwhile. Off X11 it does nothing.
class X11KeyboardReturn final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(X11KeyboardReturn)

public:
    // Follows `window`, a top-level widget, for as long as it lives; a show that activates it
    // counts as asking for the keyboard.
    explicit X11KeyboardReturn(QWidget& window);

    // Remembers who holds the keyboard now, unless one of our windows does: to call right before
    // one of our windows asks for it.
    static void noteTaking();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window;
};

} // namespace mewt
