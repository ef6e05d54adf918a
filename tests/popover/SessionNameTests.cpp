#include "PopoverViewRig.h"
#include "popover/ClockNameField.h"
#include "popover/InlineLabelButton.h"
#include "popover/InlineTextField.h"
#include "popover/SessionNameField.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <gtest/gtest.h>

namespace mewt {
namespace {

struct NameCase {
    const char* name;
    QString typed;
    QString kept;
};

class SessionNameRule : public ::testing::TestWithParam<NameCase> { };

TEST_P(SessionNameRule, LineBreaksBecomeOneSpaceBeforeTheCutAtFortyCharacters)
{
    EXPECT_EQ(normalizedSessionName(GetParam().typed), GetParam().kept);
}

const QString family = QStringLiteral("\U0001F468\u200D\U0001F469\u200D\U0001F467"); // one character, 8 code units

INSTANTIATE_TEST_SUITE_P(Cases, SessionNameRule,
    ::testing::Values(NameCase { "lineFeed", QStringLiteral("a\nb"), QStringLiteral("a b") },
        NameCase { "crlfIsOneBreak", QStringLiteral("a\r\nb"), QStringLiteral("a b") },
        NameCase { "loneCarriageReturn", QStringLiteral("a\rb"), QStringLiteral("a b") },
        NameCase { "lineAndParagraphSeparators", QStringLiteral("a\u2028b\u2029c"), QStringLiteral("a b c") },
        NameCase {
            "markupAndPlaceholdersStayAsTyped", QStringLiteral("<b>%1 & co</b>"), QStringLiteral("<b>%1 & co</b>") },
        NameCase { "fortyStaysWhole", QString(40, QLatin1Char('x')), QString(40, QLatin1Char('x')) },
        NameCase { "fortyOneIsCut", QString(41, QLatin1Char('x')), QString(40, QLatin1Char('x')) },
        NameCase { "emojiCountAsOneCharacter", family.repeated(41), family.repeated(40) },
        NameCase { "combiningMarksStayWithTheirLetter", QString(39, QLatin1Char('x')) + QStringLiteral("e\u0301z"),
            QString(39, QLatin1Char('x')) + QStringLiteral("e\u0301") },
        NameCase { "breaksCountAfterBecomingSpaces", QString(39, QLatin1Char('x')) + QStringLiteral("\r\nyz"),
            QString(39, QLatin1Char('x')) + QStringLiteral(" ") }),
    [](const auto& info) { return std::string(info.param.name); });

class SessionNameEditing : public ::testing::Test {
protected:
    testing::PopoverViewRig rig;
    SessionNameField& field() { return *rig.view().sessionNameFields()[0]; }
    int snapshotWrites() const { return rig.defaults.writeCount(); }
};

TEST_F(SessionNameEditing, EachKeystrokeIsStoredOnceAndAnUnchangedTextWritesNothing)
{
    rig.view().show();
    int before = snapshotWrites();
    QTest::keyClicks(&field(), QStringLiteral("tea"));
    EXPECT_EQ(rig.timer.draftName(), QStringLiteral("tea"));
    EXPECT_EQ(snapshotWrites() - before, 3);

    before = snapshotWrites();
    rig.view().commitSessionName(QStringLiteral("tea"));
    EXPECT_EQ(snapshotWrites(), before);
}

TEST_F(SessionNameEditing, ReturnStartsOnceAndTheStoreShowsInBothFields)
{
    rig.view().show();
    QTest::keyClicks(&field(), QStringLiteral("read"));
    QTest::keyClick(&field(), Qt::Key_Return);
    ASSERT_TRUE(rig.timer.state().isRunning());
    EXPECT_EQ(rig.timer.state().endDate(), rig.clock.now() + std::chrono::minutes(rig.pullSettings.quickTimeMinutes()));
    EXPECT_EQ(rig.timer.activeName(), QStringLiteral("read"));

    rig.timer.cancel(rig.clock.now());
    rig.timer.mutateDraftName(QStringLiteral("walk"));
    rig.view().sync();
    for (SessionNameField* shown : rig.view().sessionNameFields())
        EXPECT_EQ(shown->text(), QStringLiteral("walk"));
}

// Past forty characters, in the plain field and in the clock face's, a key does nothing and a
// paste is cut where it lands, by characters (an emoji family is one): the field shows what is kept.
TEST_F(SessionNameEditing, TheFieldShowsWhatIsKept)
{
    rig.interfaceSettings.setTimerIdleLayout(TimerIdleLayout::clock);
    rig.view().show();
    QTest::mouseClick(&rig.view().clockNameField().label(), Qt::LeftButton);
    for (QLineEdit* shown :
        { static_cast<QLineEdit*>(&field()), static_cast<QLineEdit*>(&rig.view().clockNameField().editor()) }) {
        rig.timer.mutateDraftName(QString());
        rig.view().sync();
        QTest::keyClicks(shown, QString(45, QLatin1Char('a')));
        EXPECT_EQ(shown->text(), QString(40, QLatin1Char('a')));
        shown->setCursorPosition(3);
        QTest::keyClicks(shown, QStringLiteral("zz"));
        QTest::keyClick(shown, Qt::Key_Backspace);
        QTest::keyClick(shown, Qt::Key_Backspace);
        QApplication::clipboard()->setText(family + family + QStringLiteral("b"));
        QTest::keyClick(shown, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(shown->text(), QStringLiteral("a") + family + family + QString(37, QLatin1Char('a')));
        EXPECT_EQ(shown->cursorPosition(), 1 + 2 * family.size());
        EXPECT_EQ(rig.timer.draftName(), shown->text());
    }
}

// The empty field's hint is made to fit rather than cut off, and a name keeps the line's height.
TEST_F(SessionNameEditing, TheHintFitsAndTheLineKeepsItsHeight)
{
    rig.view().show();
    rig.view().sync();
    SessionNameField* normal = nullptr;
    for (SessionNameField* shown : rig.view().sessionNameFields()) {
        if (shown->isVisible())
            normal = shown;
    }
    ASSERT_NE(normal, nullptr);
    const int height = normal->height();
    EXPECT_LE(QFontMetrics(normal->font()).horizontalAdvance(normal->placeholderText()), normal->width());
    rig.timer.mutateDraftName(QStringLiteral("a long name for a short field"));
    rig.view().sync();
    for (SessionNameField* shown : rig.view().sessionNameFields())
        EXPECT_EQ(shown->font().pixelSize(), 26) << "a name takes the full size back";
    EXPECT_EQ(normal->height(), height);
    EXPECT_GE(height, QFontMetrics(normal->font()).height());
}

} // namespace
} // namespace mewt
