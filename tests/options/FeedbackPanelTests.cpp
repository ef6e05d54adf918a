#include "LoopbackHttpsServer.h"
#include "options/FeedbackComposerModel.h"
#include "options/FeedbackComposerView.h"
#include "options/FeedbackPanel.h"
#include "options/FeedbackWindowController.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QToolButton>
#include <QTranslator>
#include <QtMath>
#include <gtest/gtest.h>

using namespace mewt;
using namespace std::chrono_literals;

namespace {

using Kind = FeedbackComposerModel::Phase::Kind;
using Reply = LoopbackHttpsServer::Reply;
const QByteArray stored = R"({"ok":true,"data":{"id":"n1"}})";

// The panel through its controller, sending for real to a loopback service; a silent one fails in 1.5 s.
class PanelRig : public ::testing::Test {
protected:
    LoopbackHttpsServer server;
    FeedbackWindowController controller { server.clientOptions(1500ms) };

    FeedbackPanel& open(QWidget* over = nullptr)
    {
        controller.showFeedbackWindow(over);
        return *controller.panel();
    }
    FeedbackComposerView& view() { return controller.panel()->view(); }
    Kind phase() { return controller.model()->state().phase.kind; }

    void sendNote(const QString& note)
    {
        QTest::keyClicks(view().messageEditor(), note);
        QCoreApplication::processEvents();
        QTest::mouseClick(view().sendButton(), Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    bool waitUntilNot(Kind kind)
    {
        return QTest::qWaitFor(
            [this, kind] {
                QCoreApplication::processEvents();
                return controller.model() && phase() != kind;
            },
            10'000);
    }
    // On its box: a click on the row's empty width past the label toggles nothing.
    void clickIncludeEmail()
    {
        QCheckBox* toggle = view().includeEmailToggle();
        QTest::mouseClick(toggle, Qt::LeftButton, {}, QPoint(toggle->height() / 2, toggle->height() / 2));
    }
    // The form's own close lets the panel go once its click has returned.
    void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(PanelRig, TheNoteKeepsEveryCharacterAndOnlyAPasteFarPastTheLimitIsRefused)
{
    open();
    QPlainTextEdit* editor = view().messageEditor();
    const QString pasted(4'997, u'x');
    QGuiApplication::clipboard()->setText(pasted);
    editor->paste();
    QCoreApplication::processEvents();
    EXPECT_EQ(controller.model()->state().message, pasted) << "the tail stays";
    EXPECT_FALSE(view().sendButton()->isEnabled()) << "over the limit";
    editor->moveCursor(QTextCursor::Start);
    QTest::keyClicks(editor, "a");
    QCoreApplication::processEvents();
    EXPECT_EQ(controller.model()->state().message, u'a' + pasted) << "typing at the start keeps the end";

    editor->moveCursor(QTextCursor::NextCharacter, QTextCursor::KeepAnchor); // an "x" would be replaced
    QGuiApplication::clipboard()->setText(QString(5'000'000, u'y'));
    QElapsedTimer clock;
    clock.start();
    editor->paste();
    QCoreApplication::processEvents();
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_EQ(editor->toPlainText(), u'a' + pasted) << "refused whole";
    EXPECT_TRUE(view().pasteRefusedLine()->isVisibleTo(&view()));
    EXPECT_EQ(
        view().pasteRefusedLine()->text(), QStringLiteral("too long to paste. a note sends up to 4000 characters."));
    QTest::keyClicks(editor, "b"); // over the selection the refused paste kept
    EXPECT_EQ(controller.model()->state().message, QStringLiteral("ab") + QString(4'996, u'x'));
    EXPECT_FALSE(view().pasteRefusedLine()->isVisibleTo(&view())) << "gone with the next edit";
}

struct CloseCase {
    const char* name;
    std::function<void(FeedbackPanel&)> close;
};

class FormClose : public PanelRig, public ::testing::WithParamInterface<CloseCase> { };

TEST_P(FormClose, ForgetsThePanelSoTheNextStartsEmpty)
{
    FeedbackPanel& panel = open();
    QTest::keyClicks(view().messageEditor(), "gone");
    GetParam().close(panel);
    settle();
    EXPECT_EQ(controller.panel(), nullptr);
    open();
    EXPECT_EQ(view().messageEditor()->toPlainText(), QString());
    EXPECT_EQ(controller.model()->state().phase.kind, Kind::editing);
}

INSTANTIATE_TEST_SUITE_P(Actions, FormClose,
    ::testing::Values(
        CloseCase {
            "cancel", [](FeedbackPanel& panel) { QTest::mouseClick(panel.view().cancelButton(), Qt::LeftButton); } },
        CloseCase {
            "close", [](FeedbackPanel& panel) { QTest::mouseClick(panel.view().closeButton(), Qt::LeftButton); } },
        CloseCase { "escape", [](FeedbackPanel& panel) { QTest::keyClick(&panel, Qt::Key_Escape); } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelRig, WhileSendingNothingClosesOrEditsAndAFailureComesBackToTheNote)
{
    server.script({ 200, "application/json", {}, {}, Reply::Mode::silent });
    FeedbackPanel& panel = open();
    sendNote("the paw sticks");
    ASSERT_EQ(phase(), Kind::sending);
    view().sync();
    for (QWidget* control :
        std::initializer_list<QWidget*> { view().cancelButton(), view().closeButton(), view().messageEditor(),
            view().includeEmailToggle(), view().contactEmailField(), view().categoryButton(0), view().sendButton() })
        EXPECT_FALSE(control->isEnabled()) << control->metaObject()->className();
    EXPECT_EQ(view().sendButton()->text(), QStringLiteral("sending…"));
    QTest::keyClick(&panel, Qt::Key_Escape);
    QTest::mouseClick(view().closeButton(), Qt::LeftButton);
    settle();
    ASSERT_EQ(controller.panel(), &panel);

    ASSERT_TRUE(waitUntilNot(Kind::sending));
    view().sync();
    EXPECT_EQ(phase(), Kind::failed);
    EXPECT_TRUE(view().failureText()->isVisibleTo(&panel));
    EXPECT_EQ(view().failureText()->toPlainText(), QStringLiteral("couldn't reach localhost. check your connection."));
    QCoreApplication::processEvents();
    const QTextDocument* sentence = view().failureText()->document();
    EXPECT_EQ(sentence->firstBlock().layout()->lineCount(), 1);
    EXPECT_EQ(view().failureText()->height(), qCeil(sentence->size().height())) << "a box of the sentence's height";
    EXPECT_EQ(view().messageEditor()->toPlainText(), QStringLiteral("the paw sticks"));
    EXPECT_TRUE(view().sendButton()->isEnabled());
    EXPECT_EQ(view().sendButton()->text(), QStringLiteral("send"));
}

TEST_F(PanelRig, TheTitleBarCloseKeepsTheNoteAndAFailureBringsItBack)
{
    server.script({ 200, "application/json", {}, {}, Reply::Mode::silent });
    FeedbackPanel& panel = open();
    sendNote("are you there");
    panel.close();
    settle();
    EXPECT_FALSE(panel.isVisible());
    ASSERT_EQ(controller.panel(), &panel);
    ASSERT_TRUE(waitUntilNot(Kind::sending));
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(view().messageEditor()->toPlainText(), QStringLiteral("are you there"));
}

TEST_F(PanelRig, ReturnSendsAndASentNoteLeavesTheThanksWithOneDoneButton)
{
    server.script({ 201, "application/json", stored });
    FeedbackPanel& panel = open();
    QTest::keyClicks(view().messageEditor(), "thank you");
    clickIncludeEmail();
    QCoreApplication::processEvents();
    QTest::keyClick(view().contactEmailField(), Qt::Key_Return);
    EXPECT_EQ(phase(), Kind::sending);
    ASSERT_TRUE(waitUntilNot(Kind::sending));
    view().sync();
    EXPECT_EQ(phase(), Kind::sent);
    EXPECT_TRUE(view().sentBlock()->isVisibleTo(&panel));
    // Its headline says it; the checkmark beside it is no element of its own to a reader.
    const QAccessibleInterface* thanks = QAccessible::queryAccessibleInterface(view().sentBlock());
    for (int i = 0; i < thanks->childCount(); ++i)
        EXPECT_TRUE(thanks->child(i)->role() != QAccessible::Graphic || thanks->child(i)->state().invisible);
    EXPECT_FALSE(view().messageEditor()->isVisibleTo(&panel));
    EXPECT_TRUE(view().doneButton()->isVisibleTo(&panel));
    EXPECT_FALSE(view().sendButton()->isVisibleTo(&panel));
    EXPECT_FALSE(view().cancelButton()->isVisibleTo(&panel));
    QTest::keyClick(&panel, Qt::Key_Return);
    settle();
    EXPECT_EQ(controller.panel(), nullptr);
}

TEST_F(PanelRig, TheAddressFieldFollowsTheToggleAndKeepsWhatWasTyped)
{
    FeedbackPanel& panel = open();
    EXPECT_FALSE(view().sendButton()->isEnabled()) << "an empty note";
    EXPECT_TRUE(view().cancelButton()->isEnabled());
    clickIncludeEmail();
    view().sync();
    QTest::keyClicks(view().contactEmailField(), "a@b.io");
    clickIncludeEmail();
    view().sync();
    EXPECT_FALSE(view().contactEmailField()->isVisibleTo(&panel));
    clickIncludeEmail();
    view().sync();
    EXPECT_TRUE(view().contactEmailField()->isVisibleTo(&panel));
    EXPECT_EQ(view().contactEmailField()->text(), QStringLiteral("a@b.io"));
    EXPECT_EQ(controller.model()->state().contactEmail, QStringLiteral("a@b.io"));
    // A screen reader toggles without a click.
    QAccessible::queryAccessibleInterface(view().includeEmailToggle())
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::toggleAction());
    view().sync();
    EXPECT_FALSE(controller.model()->state().includeEmail);
    EXPECT_FALSE(view().includeEmailToggle()->isChecked());
    EXPECT_FALSE(view().contactEmailField()->isVisibleTo(&panel));
}

TEST_F(PanelRig, OpensCentredOverTheGivenWindowAndASecondRequestReusesItWhereItIs)
{
    QWidget over;
    over.setGeometry(150, 100, 600, 560);
    FeedbackPanel& panel = open(&over);
    // Within the window frame's margins, which are only known once the panel shows.
    const int margins = panel.frameGeometry().width() - panel.width();
    EXPECT_LE((panel.frameGeometry().center() - over.frameGeometry().center()).manhattanLength(), margins);
    QTest::keyClicks(view().messageEditor(), "hello");
    const QPoint where = panel.pos();
    over.setGeometry(10, 10, 200, 100);
    EXPECT_EQ(&open(&over), &panel);
    EXPECT_EQ(panel.pos(), where);
    EXPECT_EQ(controller.model()->state().message, QStringLiteral("hello"));
}

TEST(PanelPlacement, CentresOnTheScreenAndStaysOnItWhenTheWindowIsAtItsEdge)
{
    const QRect screen(0, 0, 1280, 800);
    const QRect corner(-100, 700, 200, 200);
    EXPECT_EQ(feedbackPanelOrigin(QSize(420, 400), &corner, screen), QPoint(0, 400));
    EXPECT_EQ(feedbackPanelOrigin(QSize(420, 400), nullptr, screen), QPoint(430, 200));
}

} // namespace

namespace {

TEST_F(PanelRig, ALongServerSentenceGrowsThePanelAndKeepsItsButtonsIn)
{
    const QByteArray detail = QByteArray("the shelf is full ").repeated(40) + QByteArray(200, 'w');
    server.script(
        { 500, "application/json", R"({"ok":false,"error":{"code":"db_down","message":")" + detail + "\"}}" });
    FeedbackPanel& panel = open();
    const int before = panel.height();
    sendNote("long");
    ASSERT_TRUE(waitUntilNot(Kind::sending));
    view().sync();
    QCoreApplication::processEvents();
    EXPECT_GT(panel.height(), before);
    EXPECT_LE(view().failureText()->toPlainText().size(), 400);
    EXPECT_LE(view().failureText()->document()->size().width(), view().failureText()->width()) << "one long word";
    const QRect send(view().sendButton()->mapTo(&panel, QPoint()), view().sendButton()->size());
    EXPECT_TRUE(panel.rect().contains(send));
}

// Every keyed text comes from the translation in force, also after the language changes live.
class ShoutingTranslator final : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        return QByteArrayView(context) == "mewt" ? QString::fromUtf8(source).toUpper() : QString();
    }
};

TEST_F(PanelRig, TextsAndAccessibleNamesFollowALanguageChange)
{
    FeedbackPanel& panel = open();
    ShoutingTranslator shouting;
    QCoreApplication::installTranslator(&shouting);
    QCoreApplication::processEvents();
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("SEND FEEDBACK"));
    EXPECT_EQ(view().messageEditor()->accessibleName(), QStringLiteral("FEEDBACK MESSAGE"));
    EXPECT_EQ(view().contactEmailField()->accessibleName(), QStringLiteral("REPLY EMAIL"));
    EXPECT_EQ(view().closeButton()->accessibleName(), QStringLiteral("CLOSE"));
    EXPECT_EQ(view().sendButton()->text(), QStringLiteral("SEND"));
    QCoreApplication::removeTranslator(&shouting);
}

TEST_F(PanelRig, KindSegmentsAreRadioButtonsAScreenReaderCanPress)
{
    open();
    QAccessibleInterface* bug = QAccessible::queryAccessibleInterface(view().categoryButton(0));
    ASSERT_EQ(bug->role(), QAccessible::RadioButton);
    EXPECT_EQ(bug->text(QAccessible::Name), QStringLiteral("bug"));
    EXPECT_FALSE(bug->state().checked);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(view().categoryButton(1))->state().checked);
    bug->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(controller.model()->state().category, FeedbackSubmissionRequest::Category::bug);
}

} // namespace
