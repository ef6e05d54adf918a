#include "popover/DetachmentButtons.h"

#include "cues/PointerFeedback.h"
#include "popover/ToolbarIconButton.h"

#include <QCoreApplication>
#include <QShortcut>

namespace mewt {

DetachmentButtons::DetachmentButtons(int glyphPixelSize, QWidget* parent)
    : close(new ToolbarIconButton(QStringLiteral("xmark"), glyphPixelSize, parent))
    , pin(new ToolbarIconButton(QStringLiteral("pin"), glyphPixelSize, parent))
{
    close->hide();
}

void DetachmentButtons::connect(
    QObject* context, const std::function<void()>& onClose, const std::function<void()>& onPin) const
{
    close->setObjectName(cancelControlTag);
    pin->setObjectName(soundTag(TactileSound::page));
    // Ctrl+W works while the button is there to press; a shortcut of the button's own would
    // only press it a moment later.
    QObject::connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_W), close), &QShortcut::activated, context, onClose);
    QObject::connect(close, &QAbstractButton::clicked, context, onClose);
    QObject::connect(pin, &QAbstractButton::clicked, context, onPin);
}

void DetachmentButtons::show(bool detached, bool tourPresented) const
{
    for (ToolbarIconButton* button : { pin, close })
        button->setEnabled(!tourPresented);
    pin->setGlyph(detached ? QStringLiteral("pin-fill") : QStringLiteral("pin"));
}

void DetachmentButtons::retranslate(bool detached) const
{
    close->setAccessibleName(QCoreApplication::translate("mewt", "close detached controls"));
    close->setAccessibleDescription(QCoreApplication::translate("mewt", "reattaches controls to the top bar paw"));
    close->setToolTip(QCoreApplication::translate("mewt", "reattach controls to top bar"));
    pin->setAccessibleName(detached ? QCoreApplication::translate("mewt", "reattach controls")
                                    : QCoreApplication::translate("mewt", "detach and pin controls"));
    pin->setToolTip(detached ? QCoreApplication::translate("mewt", "reattach controls to top bar")
                             : QCoreApplication::translate("mewt", "detach and pin controls"));
}

} // namespace mewt
