#include "LoginItemService.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

const QString executable = QStringLiteral("/opt/mewt tools/bin/mewt");

class LoginItem : public ::testing::Test {
protected:
    QString autostartFolder() const { return home.filePath(QStringLiteral("config/autostart")); }
    QString entryPath() const { return autostartFolder() + QStringLiteral("/mewt.desktop"); }

    void writeEntry(const QByteArray& content)
    {
        QDir().mkpath(autostartFolder());
        QFile file(entryPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QByteArray readEntry() const
    {
        QFile file(entryPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir home;
};

TEST_F(LoginItem, TurningOnWritesAnEntryThatStartsThisProgram)
{
    LoginItemService service(entryPath(), executable);
    EXPECT_FALSE(service.isEnabled());
    QSignalSpy enabledChanged(&service, &LoginItemService::isEnabledChanged);

    service.setEnabled(true);
    EXPECT_TRUE(service.isEnabled());
    EXPECT_EQ(enabledChanged.size(), 1);
    EXPECT_FALSE(service.errorMessage().has_value());
    EXPECT_FALSE(service.needsApproval());
    const QByteArray entry = readEntry();
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(entry.contains("\nType=Application\n"));
    EXPECT_TRUE(entry.contains("\nExec=\"/opt/mewt tools/bin/mewt\"\n"));
    EXPECT_TRUE(entry.contains("\nX-GNOME-Autostart-enabled=true\n"));
    // Nothing is left behind from the atomic write.
    EXPECT_EQ(QDir(autostartFolder()).entryList(QDir::Files), QStringList { QStringLiteral("mewt.desktop") });

    service.setEnabled(false);
    EXPECT_FALSE(service.isEnabled());
    EXPECT_FALSE(QFile::exists(entryPath()));
    EXPECT_EQ(enabledChanged.size(), 2);
}

TEST_F(LoginItem, RefreshSignalsOnlyRealChanges)
{
    LoginItemService service(entryPath(), executable);
    QSignalSpy enabledChanged(&service, &LoginItemService::isEnabledChanged);
    service.refresh();
    EXPECT_EQ(enabledChanged.size(), 0);

    writeEntry("[Desktop Entry]\nType=Application\nExec=mewt\n");
    service.refresh();
    service.refresh();
    EXPECT_TRUE(service.isEnabled());
    EXPECT_EQ(enabledChanged.size(), 1);
}

struct EntryCase {
    const char* name;
    QByteArray content;
    bool enabled;
};

void PrintTo(const EntryCase& c, std::ostream* out)
{
    *out << c.name;
}

class AutostartEntries : public LoginItem, public ::testing::WithParamInterface<EntryCase> { };

TEST_P(AutostartEntries, EnabledMeansTheSessionWouldStartIt)
{
    writeEntry(GetParam().content);
    EXPECT_EQ(LoginItemService(entryPath(), executable).isEnabled(), GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(Table, AutostartEntries,
    ::testing::Values(EntryCase { "plain", "[Desktop Entry]\nExec=mewt\n", true },
        EntryCase { "hidden", "[Desktop Entry]\nExec=mewt\nHidden=true\n", false },
        EntryCase {
            "hidden with spaces and comments", "# mine\n\n[Desktop Entry]\n  Hidden = true  \nExec=mewt\n", false },
        EntryCase { "gnome switch off", "[Desktop Entry]\nExec=mewt\nX-GNOME-Autostart-enabled=false\n", false },
        EntryCase { "gnome switch on", "[Desktop Entry]\nExec=mewt\nX-GNOME-Autostart-enabled=true\n", true },
        EntryCase {
            "hidden only in another group", "[Desktop Entry]\nExec=mewt\n[Desktop Action x]\nHidden=true\n", true },
        EntryCase { "no entry group", "Exec=mewt\n", false }, EntryCase { "empty file", "", false },
        EntryCase { "binary junk", QByteArray("\x00\xff\xfe[\n=\n", 7), false }));

TEST_F(LoginItem, TurningOffLeavesSomeoneElsesEntryAlone)
{
    const QByteArray theirs = "[Desktop Entry]\nExec=/usr/local/bin/mewt --quiet\n";
    writeEntry(theirs);
    LoginItemService service(entryPath(), executable);

    service.setEnabled(false);
    EXPECT_EQ(readEntry(), theirs);
    EXPECT_TRUE(service.isEnabled());
    ASSERT_TRUE(service.errorMessage().has_value());
    EXPECT_EQ(*service.errorMessage(),
        QStringLiteral("couldn't turn off open at login: %1 wasn't made by mewt.").arg(entryPath()));

    // Turning on keeps their working entry, and clears the old message.
    QSignalSpy errorChanged(&service, &LoginItemService::errorMessageChanged);
    service.setEnabled(true);
    EXPECT_EQ(readEntry(), theirs);
    EXPECT_FALSE(service.errorMessage().has_value());
    EXPECT_EQ(errorChanged.size(), 1);
}

TEST_F(LoginItem, TurningOnReplacesADisabledEntryAndTurningOffRemovesIt)
{
    writeEntry("[Desktop Entry]\nExec=mewt\nHidden=true\n");
    LoginItemService service(entryPath(), executable);
    service.setEnabled(true);
    EXPECT_TRUE(service.isEnabled());
    service.setEnabled(false);
    EXPECT_FALSE(QFile::exists(entryPath()));
}

TEST_F(LoginItem, FolderThatCannotBeMadeIsReported)
{
    // A file where the folder belongs fails for every user, root included.
    QDir().mkpath(home.filePath(QStringLiteral("config")));
    QFile blocker(autostartFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    LoginItemService service(entryPath(), executable);
    service.setEnabled(true);
    EXPECT_FALSE(service.isEnabled());
    ASSERT_TRUE(service.errorMessage().has_value());
    EXPECT_EQ(*service.errorMessage(),
        QStringLiteral("couldn't turn on open at login: %1 can't be created.").arg(autostartFolder()));
}

TEST_F(LoginItem, EntryThatCannotBeWrittenIsReported)
{
    ASSERT_TRUE(QDir().mkpath(entryPath())); // a folder in the entry's place
    LoginItemService service(entryPath(), executable);
    EXPECT_FALSE(service.isEnabled());
    service.setEnabled(true);
    EXPECT_FALSE(service.isEnabled());
    ASSERT_TRUE(service.errorMessage().has_value());
    EXPECT_EQ(*service.errorMessage(),
        QStringLiteral("couldn't turn on open at login: %1 can't be written.").arg(entryPath()));
    service.setEnabled(false);
    EXPECT_FALSE(service.errorMessage().has_value());
    EXPECT_TRUE(QFileInfo(entryPath()).isDir());
}

struct ExecCase {
    const char* path;
    const char* value;
};

class ExecLines : public ::testing::TestWithParam<ExecCase> { };

TEST_P(ExecLines, QuoteAndEscapeAsDesktopEntriesRequire)
{
    EXPECT_EQ(LoginItemService::execArgument(QString::fromUtf8(GetParam().path)), QString::fromUtf8(GetParam().value));
}

// Inside quotes " ` $ \ take a backslash and % doubles; the string escape then doubles backslashes.
INSTANTIATE_TEST_SUITE_P(Table, ExecLines,
    ::testing::Values(ExecCase { "/usr/bin/mewt", R"("/usr/bin/mewt")" },
        ExecCase { "/home/a b/mewt", R"("/home/a b/mewt")" }, ExecCase { "/tmp/100%/mewt", R"("/tmp/100%%/mewt")" },
        ExecCase { "/tmp/$HOME/mewt", R"("/tmp/\\$HOME/mewt")" }, ExecCase { "/tmp/a\"b/mewt", R"("/tmp/a\\"b/mewt")" },
        ExecCase { "/tmp/a\\b/mewt", R"("/tmp/a\\\\b/mewt")" }, ExecCase { "/tmp/`x`/mewt", R"("/tmp/\\`x\\`/mewt")" },
        ExecCase { "/tmp/ü/mewt", R"("/tmp/ü/mewt")" }));

} // namespace
