#include "platform/X11Dock.h"

#include <gtest/gtest.h>

using namespace mewt;

namespace {

// Two screens side by side in a 3200 x 900 root: a strut counts only on the screens its range
// touches, each edge measured from the root's own edge.
const QSize root(3200, 900);
const QRect leftScreen(0, 0, 1600, 900);
const QRect rightScreen(1600, 0, 1600, 900);

} // namespace

TEST(X11Dock, StrutsTakeTheirEdgesOffTheScreensTheyTouch)
{
    struct Case {
        const char* what;
        QRect screen;
        QList<X11Strut> struts;
        QRect expected;
    };
    const X11Strut topBarLeft { 0, 0, 30, 0, 0, 0, 0, 0, 0, 1599, 0, 0 };
    const X11Strut dockRight { 0, 48, 0, 0, 0, 0, 100, 700, 0, 0, 0, 0 };
    const X11Strut bottomAcross { 0, 0, 0, 40, 0, 0, 0, 0, 0, 0, 0, 3199 };
    const Case cases[] = {
        { "none", leftScreen, {}, leftScreen },
        { "top bar, its screen", leftScreen, { topBarLeft }, QRect(0, 30, 1600, 870) },
        { "top bar, the other screen", rightScreen, { topBarLeft }, rightScreen },
        { "right dock, from the root's right edge", rightScreen, { dockRight }, QRect(1600, 0, 1552, 900) },
        { "right dock misses the left screen", leftScreen, { dockRight }, leftScreen },
        { "deepest top wins, bottom too", leftScreen,
            { topBarLeft, X11Strut { 0, 0, 12, 0, 0, 0, 0, 0, 500, 600, 0, 0 }, bottomAcross },
            QRect(0, 30, 1600, 830) },
        { "a strut over the whole screen is ignored", leftScreen,
            { X11Strut { 0, 0, 900, 0, 0, 0, 0, 0, 0, 1599, 0, 0 } }, leftScreen },
    };
    for (const Case& c : cases)
        EXPECT_EQ(areaLeftByStruts(c.screen, root, c.struts), c.expected) << c.what;

    // The paw's own strip, in the same form it reads back.
    EXPECT_EQ(topStripStrut(QRect(1570, 0, 24, 36)), (X11Strut { 0, 0, 36, 0, 0, 0, 0, 0, 1570, 1593, 0, 0 }));
    EXPECT_EQ(topStripStrut(QRect()), X11Strut {});
}
