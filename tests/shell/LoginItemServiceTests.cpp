#include "shell/LoginItemService.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mewt;

namespace {

const QString executable = QStringLiteral("/opt/mewt tools/bin/mewt");

class LoginItem : public ::testing::Test {
protected:
    QString folder() const { return home.filePath(QStringLiteral("config/autostart")); }
    QString entryPath() const { return folder() + QStringLiteral("/mewt.desktop"); }

    void writeEntry(const QByteArray& content)
    {
        QDir().mkpath(folder());
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

TEST_F(LoginItem, TurningOnWritesAnEntryThatStartsThisProgramAndOffRemovesIt)
{
    LoginItemService service(entryPath(), executable);
    QSignalSpy enabledChanged(&service, &LoginItemService::isEnabledChanged);
    service.refresh();
    EXPECT_EQ(enabledChanged.size(), 0);

    service.setEnabled(true);
    service.refresh();
    EXPECT_TRUE(service.isEnabled());
    EXPECT_EQ(enabledChanged.size(), 1);
    EXPECT_FALSE(service.errorMessage().has_value());
    const QByteArray entry = readEntry();
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(entry.contains("\nType=Application\n"));
    EXPECT_TRUE(entry.contains("\nExec=\"/opt/mewt tools/bin/mewt\"\n"));
    // Nothing is left behind from the atomic write.
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList { QStringLiteral("mewt.desktop") });

    service.setEnabled(false);
    EXPECT_FALSE(service.isEnabled());
    EXPECT_FALSE(QFile::exists(entryPath()));
    EXPECT_EQ(enabledChanged.size(), 2);
}

TEST_F(LoginItem, AnEntryUnderTheEarlierNameIsTakenOverAndRewritten)
{
    writeEntry("[Desktop Entry]\nType=Application\nExec=/old/mewt\nX-Mewt-Managed=true\n");
    const QString current = folder() + QStringLiteral("/com.example.mewt.desktop");
    LoginItemService service(current, executable);
    LoginItemService::adoptEarlierEntry(entryPath(), service);
    EXPECT_TRUE(service.isEnabled());
    EXPECT_FALSE(QFile::exists(entryPath()));
    QFile file(current);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray entry = file.readAll();
    EXPECT_TRUE(entry.contains("\nTryExec=")) << entry.constData();
    EXPECT_FALSE(entry.contains("/old/mewt"));

    // Someone else's file under the earlier name is not ours to move.
    writeEntry("[Desktop Entry]\nType=Application\nExec=/usr/bin/mewt\n");
    LoginItemService::adoptEarlierEntry(entryPath(), service);
    EXPECT_TRUE(QFile::exists(entryPath()));
}

TEST_F(LoginItem, EnabledMeansTheSessionWouldStartTheEntry)
{
    const std::pair<QByteArray, bool> cases[]
        = { { "[Desktop Entry]\nExec=mewt\n", true }, { "[Desktop Entry]\nExec=mewt\nHidden=true\n", false },
              { "# mine\n\n[Desktop Entry]\n  Hidden = true  \nExec=mewt\n", false },
              { "[Desktop Entry]\nExec=mewt\nX-GNOME-Autostart-enabled=false\n", false },
              { "[Desktop Entry]\nExec=mewt\nX-GNOME-Autostart-enabled=true\n", true },
              { "[Desktop Entry]\nExec=mewt\n[Desktop Action x]\nHidden=true\n", true }, // another group's
              { "Exec=mewt\n", false }, { "", false }, { QByteArray("\x00\xff\xfe[\n=\n", 7), false } };
    for (const auto& [content, enabled] : cases) {
        writeEntry(content);
        EXPECT_EQ(LoginItemService(entryPath(), executable).isEnabled(), enabled) << content.data();
    }
}

TEST_F(LoginItem, SomeoneElsesWorkingEntryStaysButADisabledOneIsReplaced)
{
    const QByteArray theirs = "[Desktop Entry]\nExec=/usr/local/bin/mewt --quiet\n";
    writeEntry(theirs);
    LoginItemService service(entryPath(), executable);
    service.setEnabled(false);
    EXPECT_EQ(readEntry(), theirs);
    EXPECT_TRUE(service.isEnabled());
    EXPECT_EQ(service.errorMessage(),
        QStringLiteral("couldn't turn off open at login: %1 wasn't made by mewt.").arg(entryPath()));
    // Turning on keeps their working entry, and clears the old message.
    QSignalSpy errorChanged(&service, &LoginItemService::errorMessageChanged);
    service.setEnabled(true);
    EXPECT_EQ(readEntry(), theirs);
    EXPECT_FALSE(service.errorMessage().has_value());
    EXPECT_EQ(errorChanged.size(), 1);

    writeEntry(theirs + "Hidden=true\n");
    service.setEnabled(true);
    EXPECT_TRUE(service.isEnabled());
    service.setEnabled(false);
    EXPECT_FALSE(QFile::exists(entryPath()));
}

TEST_F(LoginItem, AFolderOrEntryThatCannotBeMadeIsReported)
{
    // A file where the folder belongs, or a folder where the entry belongs, fails for root too.
    ASSERT_TRUE(QDir().mkpath(entryPath()));
    LoginItemService unwritable(entryPath(), executable);
    EXPECT_FALSE(unwritable.isEnabled());
    unwritable.setEnabled(true);
    EXPECT_FALSE(unwritable.isEnabled());
    EXPECT_EQ(unwritable.errorMessage(),
        QStringLiteral("couldn't turn on open at login: %1 can't be written.").arg(entryPath()));
    unwritable.setEnabled(false);
    EXPECT_FALSE(unwritable.errorMessage().has_value());
    EXPECT_TRUE(QFileInfo(entryPath()).isDir());

    ASSERT_TRUE(QDir(folder()).removeRecursively());
    QFile blocker(folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    LoginItemService noFolder(entryPath(), executable);
    noFolder.setEnabled(true);
    EXPECT_FALSE(noFolder.isEnabled());
    EXPECT_EQ(
        noFolder.errorMessage(), QStringLiteral("couldn't turn on open at login: %1 can't be created.").arg(folder()));
}

TEST(ExecLine, QuotesAndEscapesAsDesktopEntriesRequire)
{
    // Inside quotes " ` $ \ take a backslash and % doubles; the string escape then doubles backslashes.
    const std::pair<const char*, const char*> cases[] = { { "/home/a b/mewt", R"("/home/a b/mewt")" },
        { "/tmp/100%/mewt", R"("/tmp/100%%/mewt")" }, { "/tmp/$HOME/mewt", R"("/tmp/\\$HOME/mewt")" },
        { "/tmp/a\"b/mewt", R"("/tmp/a\\"b/mewt")" }, { "/tmp/a\\b/mewt", R"("/tmp/a\\\\b/mewt")" },
        { "/tmp/`x`/mewt", R"("/tmp/\\`x\\`/mewt")" }, { "/tmp/ü/mewt", R"("/tmp/ü/mewt")" } };
    for (const auto& [path, value] : cases)
        EXPECT_EQ(LoginItemService::execArgument(QString::fromUtf8(path)), QString::fromUtf8(value));
}

// Folders of a made-up PATH: two programs called mewt, a link to the first and a mewt that
// cannot be run.
class LaunchCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : { "bin", "other", "link", "plain", "empty" }) {
            ASSERT_TRUE(QDir().mkpath(folder(name)));
            QFile program(folder(name) + QStringLiteral("/mewt"));
            if (qstrcmp(name, "link") == 0 || qstrcmp(name, "empty") == 0 || !program.open(QIODevice::WriteOnly))
                continue;
            program.setPermissions(qstrcmp(name, "plain") == 0 ? QFileDevice::ReadUser : QFileDevice::ExeUser);
        }
        ASSERT_TRUE(QFile::link(installed(), folder("link") + QStringLiteral("/mewt")));
    }
    QString folder(const char* name) const { return root.filePath(QString::fromLatin1(name)); }
    QString installed() const { return folder("bin") + QStringLiteral("/mewt"); }

    QTemporaryDir root;
};

TEST_F(LaunchCommand, TheBareNameOnlyWhenPathFindsThisVeryProgram)
{
    const QString bare = QStringLiteral("mewt");
    const QString gone = folder("empty") + QStringLiteral("/mewt");
    const std::tuple<QString, QStringList, QString> cases[] = {
        { installed(), { folder("bin") }, bare },
        { installed(), { folder("empty"), folder("bin") }, bare },
        { installed(), { folder("link") }, bare }, // a link to this program starts this program
        { installed(), { folder("plain"), folder("bin") }, bare }, // a file that cannot run is passed over
        { installed(), { folder("other"), folder("bin") }, installed() }, // another mewt comes first
        { installed(), { folder("empty") }, installed() },
        { installed(), {}, installed() }, // never the real PATH
        { gone, { folder("empty") }, gone },
    };
    for (const auto& [executable, searchPath, command] : cases)
        EXPECT_EQ(LoginItemService::launchCommand(executable, searchPath), command)
            << searchPath.join(u':').toStdString();
}

TEST_F(LaunchCommand, TheEntryNamesTheCommandRunsOnlyWhileItExistsAndValidates)
{
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    const QString odd = root.filePath(QStringLiteral("100% \"odd\"/mewt"));
    const std::tuple<QString, QByteArray, QByteArray> cases[] = {
        { installed(), "Exec=mewt", "TryExec=mewt" },
        { odd, "Exec=" + LoginItemService::execArgument(odd).toUtf8(), "TryExec=" + odd.toUtf8() },
    };
    for (const auto& [executable, exec, tryExec] : cases) {
        const QString entry = root.filePath(QStringLiteral("autostart/com.dovrant.mewt.direct.desktop"));
        LoginItemService service(entry, executable, { folder("bin") });
        service.setEnabled(true);
        QFile file(entry);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArrayList lines = file.readAll().split('\n');
        for (const QByteArray& line : { exec, tryExec, QByteArray("Icon=com.dovrant.mewt.direct") })
            EXPECT_TRUE(lines.contains(line)) << line.data();
        if (!validator.isEmpty()) {
            QProcess validate;
            validate.start(validator, { entry });
            ASSERT_TRUE(validate.waitForFinished(10000));
            EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().data();
        }
        service.setEnabled(false);
    }
}

} // namespace
