#include "options/OptionsPalette.h"
#include "options/SettingsLabel.h"
#include "platform/AppearanceMonitor.h"

#include <QGuiApplication>
#include <QLabel>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

// A window follows the desktop's light and dark while hidden, and its secondary texts follow with
// it without code of their own.
TEST(FollowAppearance, SwapsThePaletteOfAHiddenWindowLive)
{
    bool desktopDark = false;
    AppearanceMonitor monitor(nullptr, [&desktopDark] { return optionsPalette(desktopDark); });
    QWidget window;
    auto* label = new SettingsLabel("volume", QString("controls interface sounds and cat trills"), &window);
    followAppearance(window, monitor);
    const auto explanation = [label] {
        const QLabel* second = label->findChildren<QLabel*>().at(1);
        return second->palette().color(second->foregroundRole());
    };

    for (const bool dark : { true, false, true }) {
        desktopDark = dark;
        QEvent changed(QEvent::ApplicationPaletteChange);
        QCoreApplication::sendEvent(qGuiApp, &changed);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(window.palette().color(QPalette::Window), optionsPalette(dark).color(QPalette::Window));
        EXPECT_EQ(explanation(), optionsPalette(dark).color(secondaryTextRole));
        EXPECT_EQ(AppearanceMonitor::paletteLooksDark(window.palette()), dark);
    }
}

} // namespace
