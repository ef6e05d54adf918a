// Opens the appearance page over stores kept in memory, to look at it and its accessibility tree
// by hand under Xvfb:
//   appearance_page_preview [dark]
// Only for developers: it is built with the tests and never installed.
#include "model/CatBedStore.h"
#include "model/PopoverAppearanceStore.h"
#include "model/ThemeStore.h"
#include "model/TimeDisplaySettingsStore.h"
#include "options/AppearanceOptionsPage.h"
#include "options/OptionsPalette.h"
#include "platform/MemoryUserDefaults.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    mewt::MemoryUserDefaults defaults;
    mewt::ThemeStore themes(defaults);
    mewt::CatBedStore beds(defaults);
    mewt::PopoverAppearanceStore popover(defaults);
    mewt::TimeDisplaySettingsStore timeDisplay(defaults);
    mewt::AppearanceOptionsPage page(themes, beds, popover, timeDisplay);
    page.setWindowTitle(QStringLiteral("appearance"));
    page.setPalette(mewt::optionsPalette(QApplication::arguments().value(1) == u"dark"));
    page.setAutoFillBackground(true);
    page.resize(540, 448);
    page.show();
    return QApplication::exec();
}
