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

const QString forty = QString(20, QLatin1Char('a')) + QString(20, QLatin1Char('b'));

struct EditCase {
    const char* name;
    QString before;
    QString edited;
    int cursor;
    QString kept;
    int keptCursor;
};

class SessionNameEditRule : public ::testing::TestWithParam<EditCase> { };

TEST_P(SessionNameEditRule, AnEditPastFortyKeepsOnlyWhatFitsWhereItWentIn)
{
    const SessionNameEdit kept = keptSessionNameEdit(GetParam().before, GetParam().edited, GetParam().cursor);
    EXPECT_EQ(kept.text, GetParam().kept);
    EXPECT_EQ(kept.cursor, GetParam().keptCursor);
}

INSTANTIATE_TEST_SUITE_P(Cases, SessionNameEditRule,
    ::testing::Values(
        EditCase { "typedWithinTheLimit", QStringLiteral("te"), QStringLiteral("tea"), 3, QStringLiteral("tea"), 3 },
        EditCase { "typedAtTheEndOfAFullName", forty, forty + QStringLiteral("c"), 41, forty, 40 },
        EditCase { "typedInsideAFullName", forty, QStringLiteral("c") + forty, 1, forty, 0 },
        EditCase { "pasteIsCutWhereItGoesIn", QString(35, QLatin1Char('x')),
            QString(5, QLatin1Char('x')) + QStringLiteral("0123456789") + QString(30, QLatin1Char('x')), 15,
            QString(5, QLatin1Char('x')) + QStringLiteral("01234") + QString(30, QLatin1Char('x')), 10 },
        EditCase { "pasteOverASelection", forty, QString(20, QLatin1Char('a')) + QString(30, QLatin1Char('c')), 50,
            QString(20, QLatin1Char('a')) + QString(20, QLatin1Char('c')), 40 },
        EditCase { "emojiCountAsOneCharacter", family.repeated(39), family.repeated(39) + family + family,
            int(family.size()) * 41, family.repeated(40), int(family.size()) * 40 },
        EditCase { "aMarkJoiningTheLastCharacterFits", forty, forty + QStringLiteral("\u0301"), 41,
            forty + QStringLiteral("\u0301"), 41 },
        EditCase {
            "pastedLinesBecomeOneLine", QString(), QStringLiteral("one\r\ntwo"), 8, QStringLiteral("one two"), 7 }),
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

// Typing and pasting past forty characters, in the plain field and in the clock face's: the field
// shows what the store keeps, with the cursor after what went in.
TEST_F(SessionNameEditing, TheFieldShowsTheKeptNameAsTyped)
{
    rig.view().show();
    QApplication::setActiveWindow(&rig.view());
    const QString fifty = QString(25, QLatin1Char('a')) + QString(25, QLatin1Char('b'));
    const QString kept = fifty.left(40);
    const auto typeAndPaste = [&](QLineEdit& shown) {
        QTest::keyClicks(&shown, fifty);
        EXPECT_EQ(shown.text(), kept);
        EXPECT_EQ(rig.timer.draftName(), kept);
        shown.setCursorPosition(3);
        QTest::keyClicks(&shown, QStringLiteral("zz"));
        EXPECT_EQ(shown.text(), kept);
        EXPECT_EQ(shown.cursorPosition(), 3);
        shown.end(false);
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(&shown, Qt::Key_Backspace);
        shown.setCursorPosition(3);
        QApplication::clipboard()->setText(QStringLiteral("0123456789"));
        QTest::keyClick(&shown, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(shown.text(), kept.left(3) + QStringLiteral("01234") + kept.mid(3, 32));
        EXPECT_EQ(shown.cursorPosition(), 8);
        EXPECT_EQ(rig.timer.draftName(), shown.text());
        rig.timer.mutateDraftName(QString());
        rig.view().sync();
    };
    typeAndPaste(field());

    rig.interfaceSettings.setTimerIdleLayout(TimerIdleLayout::clock);
    rig.view().sync();
    QTest::mouseClick(&rig.view().clockNameField().label(), Qt::LeftButton);
    for (int i = 0; i < 10; ++i)
        testing::PopoverViewRig::settle();
    typeAndPaste(rig.view().clockNameField().editor());
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
