#pragma once

#include <QObject>
#include <functional>

namespace mewt {

class ToolbarIconButton;

// The close and pin buttons that the standard header and the compact toolbar both carry.
struct DetachmentButtons {
    ToolbarIconButton* close = nullptr;
    ToolbarIconButton* pin = nullptr;

    DetachmentButtons(int glyphPixelSize, QWidget* parent);

    // Their sound tags, and Ctrl+W beside the close button; `onClose` and `onPin` answer presses.
    void connect(QObject* context, const std::function<void()>& onClose, const std::function<void()>& onPin) const;
    // The pin's glyph, and both off while the welcome tour shows. Where the close button shows is
    // the owner's.
    void show(bool detached, bool tourPresented) const;
    void retranslate(bool detached) const;
};

} // namespace mewt
