#include "options/OptionsChromeState.h"
#include "options/OptionsScrollTracker.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

TEST(ScrollTracker, MoreThanOnePointAboveTheTopIsScrolled)
{
    const struct {
        qreal offset;
        qreal topInset;
        bool scrolled;
    } cases[] = { { 0, 0, false }, { 1.0, 0, false }, { 1.5, 0, true }, { -52, 52, false }, { -50, 52, true },
        { 2, 0, true } };
    for (const auto& c : cases)
        EXPECT_EQ(OptionsScrollTracker::isScrolled(c.offset, c.topInset), c.scrolled) << c.offset << "+" << c.topInset;
}

class TrackedArea : public ::testing::Test {
protected:
    TrackedArea()
    {
        auto* content = new QWidget;
        content->setFixedSize(200, 2000);
        area->setWidget(content);
        area->resize(200, 300);
        area->show();
    }
    OptionsChromeState chrome;
    OptionsScrollTracker tracker { chrome };
    QScrollArea* area = new QScrollArea;
    QSignalSpy notifications { &chrome, &OptionsChromeState::detailScrolledChanged };
};

TEST_F(TrackedArea, FollowsTheScrollBarAndNotifiesOnlyOnFlips)
{
    tracker.attach(area);
    tracker.attach(area);
    for (const int value : { 1, 2, 40, 300, 0, 1, 5 })
        area->verticalScrollBar()->setValue(value);
    EXPECT_TRUE(chrome.isDetailScrolled());
    EXPECT_EQ(notifications.count(), 3); // on at 2, off at 0, on at 5
    delete area;
}

TEST_F(TrackedArea, LosingThePageClearsTheFlag)
{
    tracker.attach(area);
    area->verticalScrollBar()->setValue(100);
    ASSERT_TRUE(chrome.isDetailScrolled());
    delete area;
    EXPECT_FALSE(chrome.isDetailScrolled());
    EXPECT_EQ(tracker.trackedArea(), nullptr);

    notifications.clear();
    tracker.attach(nullptr);
    EXPECT_EQ(notifications.count(), 0);
}

TEST_F(TrackedArea, DetachedAreaIsNoLongerHeard)
{
    tracker.attach(area);
    tracker.detach();
    area->verticalScrollBar()->setValue(100);
    EXPECT_FALSE(chrome.isDetailScrolled());
    delete area;
}

} // namespace
