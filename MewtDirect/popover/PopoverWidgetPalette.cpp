#include "popover/PopoverWidgetPalette.h"

#include "model/ColorContrast.h"

namespace mewt {

QPalette popoverWidgetPalette(const CatPopoverPalette& colors)
{
    QPalette palette;
    const auto set = [&palette](QPalette::ColorRole role, const QColor& color) { palette.setColor(role, color); };
    set(QPalette::Window, colors.outerColor);
    set(QPalette::WindowText, colors.foregroundColor);
    set(QPalette::Base, colors.innerColor);
    set(QPalette::AlternateBase, colors.innerColor);
    set(QPalette::Text, colors.foregroundColor);
    set(QPalette::Button, colors.innerColor);
    set(QPalette::ButtonText, colors.foregroundColor);
    set(QPalette::PlaceholderText, colors.secondaryTextColor);
    set(QPalette::ToolTipBase, colors.innerColor);
    set(QPalette::ToolTipText, colors.foregroundColor);
    set(QPalette::BrightText, colors.foregroundColor);
    set(QPalette::Highlight, colors.accentColor);
    set(QPalette::HighlightedText, contrastingMonochromeColor(colors.accentColor));
    set(QPalette::Link, colors.accentTextColor);
    set(QPalette::LinkVisited, colors.accentTextColor);
    // The style's bevels and separators: the outline, a step either side of it.
    set(QPalette::Light, blendedColor(colors.innerColor, colors.foregroundColor, 0.04));
    set(QPalette::Midlight, blendedColor(colors.innerColor, colors.foregroundColor, 0.10));
    set(QPalette::Mid, colors.outlineColor);
    set(QPalette::Dark, blendedColor(colors.innerColor, colors.foregroundColor, 0.30));
    set(QPalette::Shadow, blendedColor(colors.outerColor, Qt::black, 0.5));
    for (const QPalette::ColorRole role :
        { QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::PlaceholderText }) {
        palette.setColor(QPalette::Disabled, role, colors.secondaryTextColor);
    }
    palette.setColor(QPalette::Disabled, QPalette::Highlight, colors.outlineColor);
    return palette;
}

} // namespace mewt
