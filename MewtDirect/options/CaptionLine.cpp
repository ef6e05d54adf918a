#include "options/CaptionLine.h"

#include "options/OptionsPalette.h"
#include "options/TextStyle.h"

#include <QLabel>

namespace mewt {

namespace {

// One red that stays readable on both our light and dark window colours.
constexpr QRgb errorRed = 0xffd93a3a;

} // namespace

QLabel* captionLine(CaptionTone tone, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(textStyleFont(TextStyle::caption));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (tone == CaptionTone::secondary) {
        label->setForegroundRole(secondaryTextRole);
    } else {
        // Only this one role is the label's own; the rest still follows the window's palette.
        QPalette own = label->palette();
        own.setColor(QPalette::WindowText, QColor::fromRgba(errorRed));
        label->setPalette(own);
    }
    return label;
}

} // namespace mewt
