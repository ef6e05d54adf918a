#include "PageRig.h"
#include "options/AboutTexts.h"
#include "options/DirectUpdatesSettingsRow.h"
#include "options/GeneralOptionsPage.h"
#include "options/OpenSourceLicensesView.h"
#include "options/OpenSourceNotice.h"
#include "options/SettingsForm.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace mewt;
using mewt::testing::PageRig;

namespace {

struct AboutCase {
    const char* name;
    AboutTexts about;
    std::optional<QString> nameLine;
    std::optional<QString> versionLine;
    std::optional<QString> copyrightLine;
};

class AboutLines : public ::testing::TestWithParam<AboutCase> { };

// A missing or empty value leaves out only its own line.
TEST_P(AboutLines, LeaveOutOnlyWhatIsMissing)
{
    const AboutCase& about = GetParam();
    EXPECT_EQ(about.about.nameLine(), about.nameLine);
    EXPECT_EQ(about.about.versionLine(), about.versionLine);
    EXPECT_EQ(about.about.copyrightLine(), about.copyrightLine);
}

INSTANTIATE_TEST_SUITE_P(Texts, AboutLines,
    ::testing::Values(
        AboutCase { "Everything", { "mewt", "Mewt", "1.4", "27", "© me" }, "mewt", "version 1.4 (27)", "© me" },
        AboutCase { "NoBuild", { "mewt", "", "1.4", "", "" }, "mewt", "version 1.4", std::nullopt },
        AboutCase { "BuildWithoutVersion", { "", "Mewt", "", "27", "" }, "Mewt", std::nullopt, std::nullopt },
        AboutCase { "Nothing", {}, std::nullopt, std::nullopt, std::nullopt }),
    [](const ::testing::TestParamInfo<AboutCase>& info) { return std::string(info.param.name); });

class GeneralPage : public ::testing::Test {
protected:
    std::unique_ptr<GeneralOptionsPage> build(AboutTexts about, UpdateRuntime* runtime)
    {
        auto page = std::make_unique<GeneralOptionsPage>(
            rig.loginItems, rig.interface, runtime, [this] { ++replays; },
            [this](QWidget* over) { feedbackOver.append(over); }, about, rig.launcher());
        page->show();
        return page;
    }
    PageRig rig;
    int replays = 0;
    QList<QWidget*> feedbackOver;
};

// Without a copyright or an update runtime their lines are absent, not empty and not a crash.
TEST_F(GeneralPage, OptionalLinesFollowWhatTheBuildHas)
{
    const auto full = build({ "mewt", "", "1.4", "27", "© 2026 dovrant" }, &rig.updates);
    EXPECT_EQ(full->versionLine()->text(), "version 1.4 (27)");
    ASSERT_NE(full->copyrightLine(), nullptr);
    EXPECT_NE(full->form().row(OptionsSetting::generalUpdates), nullptr);

    const auto bare = build({ "", "", "", "27", "" }, nullptr);
    EXPECT_EQ(bare->nameLine(), nullptr);
    EXPECT_EQ(bare->versionLine(), nullptr);
    EXPECT_EQ(bare->copyrightLine(), nullptr);
    EXPECT_EQ(bare->updatesRow(), nullptr);
    EXPECT_EQ(bare->form().row(OptionsSetting::generalUpdates), nullptr);
}

// The language row shows only when a translation besides "system" is offered.
TEST_F(GeneralPage, LanguageRowNeedsASecondLanguage)
{
    const auto offered = build(AboutTexts::current(), nullptr);
    EXPECT_TRUE(offered->form().row(OptionsSetting::generalLanguage)->isVisibleTo(offered.get()));

    InterfaceSettingsStore englishOnly(rig.defaults, { AppLanguage::system });
    GeneralOptionsPage page(rig.loginItems, englishOnly, nullptr, {}, {}, AboutTexts::current(), rig.launcher());
    EXPECT_FALSE(page.form().row(OptionsSetting::generalLanguage)->isVisibleTo(&page));
}

// A failed change leaves the switch as the service reports it and shows why, in plain text; the
// next attempt clears the message. Approval pending brings the way to the desktop's settings.
TEST_F(GeneralPage, OpenAtLoginShowsWhatTheServiceReports)
{
    const auto page = build(AboutTexts::current(), nullptr);
    rig.loginItems.failure = QStringLiteral("can't write <i>autostart</i>");
    QTest::mouseClick(page->loginSwitch(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_FALSE(page->loginSwitch()->isChecked());
    EXPECT_TRUE(page->loginErrorLine()->isVisibleTo(page.get()));
    EXPECT_EQ(page->loginErrorLine()->text(), "can't write <i>autostart</i>");
    EXPECT_EQ(page->loginErrorLine()->textFormat(), Qt::PlainText);

    rig.loginItems.failure.reset();
    QTest::mouseClick(page->loginSwitch(), Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(page->loginSwitch()->isChecked());
    EXPECT_FALSE(page->loginErrorLine()->isVisibleTo(page.get()));
    EXPECT_EQ(rig.loginItems.calls, 2);

    EXPECT_FALSE(page->reviewLoginItemsButton()->isVisibleTo(page.get()));
    rig.loginItems.setNeedsApproval(true);
    QCoreApplication::processEvents();
    ASSERT_TRUE(page->reviewLoginItemsButton()->isVisibleTo(page.get()));
    QTest::mouseClick(page->reviewLoginItemsButton(), Qt::LeftButton);
    EXPECT_EQ(rig.launched.size(), 1); // the desktop's autostart settings
}

TEST_F(GeneralPage, HelpButtonsCallTheirOwners)
{
    const auto page = build(AboutTexts::current(), nullptr);
    page->activateWindow();
    QTest::mouseClick(page->replayButton(), Qt::LeftButton);
    QTest::mouseClick(page->feedbackButton(), Qt::LeftButton);
    EXPECT_EQ(replays, 1);
    EXPECT_EQ(feedbackOver, QList<QWidget*> { QApplication::activeWindow() });
}

// Each showing of the notices starts on the first one, whatever was chosen last time.
TEST_F(GeneralPage, NoticesOpenOnTheFirstNoticeEachTime)
{
    const auto page = build(AboutTexts::current(), nullptr);
    QTest::mouseClick(page->licensesButton(), Qt::LeftButton);
    ASSERT_TRUE(page->showsOpenSourceLicenses());
    OpenSourceLicensesView* sheet = page->openSourceLicenses();
    EXPECT_EQ(sheet->selectedNotice(), OpenSourceNotice::all().constFirst().id);
    sheet->selectNotice(OpenSourceNotice::all().constLast().id);
    QTest::keyClick(sheet, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(page->showsOpenSourceLicenses());

    page->showOpenSourceLicenses();
    EXPECT_EQ(page->openSourceLicenses()->selectedNotice(), OpenSourceNotice::all().constFirst().id);
    QTest::keyClick(page->openSourceLicenses(), Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(page->showsOpenSourceLicenses());
}

struct StatusCase {
    const char* name;
    UpdateRuntime::Status status;
    QString button;
    bool enabled;
    bool caption;
    bool page = false; // a newer version's page is known
};

class UpdatesRow : public ::testing::TestWithParam<StatusCase> { };

TEST_P(UpdatesRow, FollowsTheRuntimesStatus)
{
    mewt::testing::FakeUpdateRuntime runtime;
    DirectUpdatesSettingsRow row(runtime);
    row.show();
    runtime.hasPage = GetParam().page;
    runtime.publish(GetParam().status);
    EXPECT_EQ(row.download()->isVisible(), GetParam().page);
    EXPECT_EQ(row.button()->text(), GetParam().button);
    EXPECT_EQ(row.button()->isEnabled(), GetParam().enabled);
    EXPECT_EQ(row.caption()->isVisible(), GetParam().caption);
    if (GetParam().caption) {
        EXPECT_EQ(row.caption()->text(), GetParam().status.text);
    }
    QTest::mouseClick(row.button(), Qt::LeftButton);
    EXPECT_EQ(runtime.checks, GetParam().enabled ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Statuses, UpdatesRow,
    ::testing::Values(StatusCase { "Idle", UpdateRuntime::Status::idle(), "check for updates…", true, false },
        StatusCase { "Checking", UpdateRuntime::Status::checking(), "checking…", false, false },
        StatusCase { "Message", UpdateRuntime::Status::message("updates aren't configured in this build."),
            "check for updates…", true, true },
        StatusCase { "Available", UpdateRuntime::Status::message("mewt 2.1 is available."), "check for updates…", true,
            true, true }),
    [](const ::testing::TestParamInfo<StatusCase>& info) { return std::string(info.param.name); });

struct NoticeFile {
    const char* path; // under the root
    QByteArray bytes;
};

struct LoadCase {
    const char* name;
    std::vector<NoticeFile> files;
    std::optional<QString> loaded;
};

class NoticeLoader : public ::testing::TestWithParam<LoadCase> { };

// The top of the resources wins over the notice folder; anything not plainly readable UTF-8 text
// counts as missing.
TEST_P(NoticeLoader, ReadsStrictUtf8FromTheTopThenTheFolder)
{
    QTemporaryDir root;
    QDir(root.path()).mkdir(noticeFolder);
    for (const NoticeFile& file : GetParam().files) {
        QFile out(QDir(root.path()).filePath(file.path));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(file.bytes);
    }
    EXPECT_EQ(loadOpenSourceNotice("lib-MIT", root.path() + "/"), GetParam().loaded);
}

INSTANTIATE_TEST_SUITE_P(Files, NoticeLoader,
    ::testing::Values(
        LoadCase { "TopWins", { { "lib-MIT.txt", "top" }, { "ThirdPartyLicenses/lib-MIT.txt", "folder" } }, "top" },
        LoadCase { "FolderWhenNoneOnTop", { { "ThirdPartyLicenses/lib-MIT.txt", "caf\xc3\xa9" } }, "café" },
        LoadCase { "Missing", {}, std::nullopt },
        LoadCase { "NotUtf8", { { "lib-MIT.txt", "caf\xe9 licence" } }, std::nullopt },
        LoadCase { "CutInsideACharacter", { { "lib-MIT.txt", "caf\xc3" } }, std::nullopt },
        LoadCase { "Empty", { { "lib-MIT.txt", "" } }, std::nullopt },
        LoadCase { "Huge", { { "lib-MIT.txt", QByteArray(maximumNoticeBytes + 1, 'a') } }, std::nullopt }),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return std::string(info.param.name); });

// Every notice the sheet lists is compiled in and readable.
TEST(OpenSourceNotices, EveryListedNoticeIsShipped)
{
    for (const OpenSourceNotice& notice : OpenSourceNotice::all())
        EXPECT_TRUE(loadOpenSourceNotice(notice.resource).has_value()) << notice.resource.toStdString();
}

// An unreadable notice leaves the sheet usable with a line that says so; no selection, a hint.
TEST(OpenSourceNotices, SheetShowsFailuresAndAnEmptySelection)
{
    QTemporaryDir empty;
    OpenSourceLicensesView sheet(nullptr, empty.path() + "/");
    EXPECT_TRUE(sheet.detailText()->toPlainText().startsWith("This notice could not be loaded. Please contact "));
    EXPECT_EQ(sheet.detailTitle()->text(), OpenSourceNotice::all().constFirst().title);

    sheet.show();
    sheet.list()->clearSelection();
    EXPECT_EQ(sheet.selectedNotice(), std::nullopt);
    EXPECT_TRUE(sheet.emptyLine()->isVisible());
    EXPECT_FALSE(sheet.detailText()->isVisible());
}

} // namespace
