#include "options/OptionsPalette.h"

#include "model/ColorContrast.h"
#include "platform/AppearanceMonitor.h"

#include <QWidget>

namespace mewt {

namespace {

struct Scheme {
    QRgb window, windowText, base, alternateBase, button, text, secondary, disabledText, highlight, light, mid, dark,
        shadow, link;
};

constexpr Scheme lightScheme { 0xececec, 0x262626, 0xffffff, 0xf4f4f4, 0xfcfcfc, 0x262626, 0x7c7c80, 0xa8a8a8, 0x2f7ff0,
    0xffffff, 0xc8c8c8, 0xa0a0a0, 0x767676, 0x0a63d6 };
// Dark fields sit lighter than the cards they are on, or their edges vanish.
constexpr Scheme darkScheme { 0x242424, 0xe8e8e8, 0x3a3a3a, 0x2f2f2f, 0x404040, 0xe8e8e8, 0x98989d, 0x6a6a6a, 0x2f7ff0,
    0x585858, 0x4a4a4a, 0x1c1c1c, 0x0c0c0c, 0x5aa2ff };

// Colours laid over the window: a share of the text colour reads on both schemes.
constexpr int separatorAlpha = 26; // about 0.1
constexpr int materialAlpha = 204; // 0.8

} // namespace

QPalette optionsPalette(bool dark, const QColor& accent)
{
    const Scheme& s = dark ? darkScheme : lightScheme;
    QPalette palette;
    const auto set
        = [&palette](QPalette::ColorRole role, QRgb color) { palette.setColor(role, QColor::fromRgb(color)); };
    set(QPalette::Window, s.window);
    set(QPalette::WindowText, s.windowText);
    set(QPalette::Base, s.base);
    set(QPalette::AlternateBase, s.alternateBase);
    set(QPalette::ToolTipBase, s.base);
    set(QPalette::ToolTipText, s.text);
    set(QPalette::PlaceholderText, s.secondary);
    set(QPalette::Text, s.text);
    set(QPalette::Button, s.button);
    set(QPalette::ButtonText, s.text);
    set(QPalette::BrightText, 0xffffff);
    set(QPalette::Light, s.light);
    set(QPalette::Midlight, s.mid);
    set(QPalette::Mid, s.mid);
    set(QPalette::Dark, s.dark);
    set(QPalette::Shadow, s.shadow);
    set(QPalette::Highlight, accent.isValid() ? accent.rgb() : s.highlight);
    set(QPalette::HighlightedText, accent.isValid() ? contrastingMonochromeColor(accent).rgb() : 0xffffff);
    set(QPalette::Link, s.link);
    set(QPalette::LinkVisited, s.link);
    for (const QPalette::ColorRole role :
        { QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::PlaceholderText }) {
        palette.setColor(QPalette::Disabled, role, QColor::fromRgb(s.disabledText));
    }
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor::fromRgb(s.mid));
    return palette;
}

QColor separatorColor(const QPalette& palette)
{
    QColor color = palette.color(QPalette::WindowText);
    color.setAlpha(separatorAlpha);
    return color;
}

QColor cardColor(const QPalette& palette)
{
    return palette.color(QPalette::AlternateBase);
}

QColor materialColor(const QPalette& palette)
{
    QColor color = palette.color(QPalette::Window);
    color.setAlpha(materialAlpha);
    return color;
}

void followAppearance(QWidget& window, const AppearanceMonitor& monitor)
{
    window.setPalette(optionsPalette(monitor.isDark()));
    QObject::connect(&monitor, &AppearanceMonitor::darkChanged, &window,
        [&window](bool dark) { window.setPalette(optionsPalette(dark)); });
}

} // namespace mewt
