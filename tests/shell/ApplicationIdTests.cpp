#include "artwork/AppIcon.h"
#include "platform/AppInfo.h"
#include "shell/LoginItemService.h"
#include "shell/MewtApp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace mewt;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Installs this very build into a temporary prefix once; every check reads the installed files,
// so a rule that installs the wrong file or a template with a stale name fails here. The
// notifications' and the sound client's names are checked against the same id where they are sent.
class InstalledApp : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // A space and a % in the prefix: the entry must quote the path it names.
        prefix = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/mewt prefix %-XXXXXX"));
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DESTDIR")); // would move the files away from the prefix
        install.setProcessEnvironment(environment);
        install.start(QStringLiteral(MEWT_CMAKE_COMMAND),
            { QStringLiteral("--install"), QStringLiteral(MEWT_BUILD_DIR), QStringLiteral("--prefix"),
                prefix->path() });
        installed
            = install.waitForFinished(60000) && install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0;
        installLog = install.readAll();
    }
    static void TearDownTestSuite() { prefix.reset(); }
    void SetUp() override { ASSERT_TRUE(installed) << installLog.data(); }

    static QString file(const QString& relative) { return prefix->filePath(relative); }
    // The one file whose name every other name must repeat.
    static QString desktopEntry()
    {
        const QStringList entries = QDir(file(QStringLiteral("share/applications"))).entryList(QDir::Files);
        return entries.size() == 1 ? file(QStringLiteral("share/applications/") + entries.front()) : QString();
    }
    static QString installedId() { return QFileInfo(desktopEntry()).completeBaseName(); }
    static QByteArrayList entryLines() { return contents(desktopEntry()).split('\n'); }

    static inline std::unique_ptr<QTemporaryDir> prefix;
    static inline bool installed = false;
    static inline QByteArray installLog;
};

TEST_F(InstalledApp, TheEntryTheMetadataAndTheIconNameTheSameIdAndCommand)
{
    ASSERT_FALSE(desktopEntry().isEmpty()) << "expected exactly one desktop entry";
    const QByteArray id = installedId().toUtf8();
    EXPECT_EQ(id, AppInfo::bundleIdentifier);
    // Named by its full path: the install's bin folder may not be on the session's PATH.
    const QByteArray program = file(QStringLiteral("bin/mewt")).toUtf8();
    const QByteArray quoted = QByteArray(program).replace('%', "%%");
    for (const QByteArray& line : { "Exec=\"" + quoted + '"', "TryExec=" + program, "Icon=" + id })
        EXPECT_TRUE(entryLines().contains(line)) << line.data();
    EXPECT_TRUE(QFileInfo(QString::fromUtf8(program)).isExecutable());
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(QStringLiteral("desktop-file-validate"), { desktopEntry() });
    EXPECT_TRUE(validate.waitForFinished(30000) && validate.exitCode() == 0) << validate.readAll().data();

    const QByteArray metainfo = contents(file(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(installedId())));
    for (const QByteArray& element :
        { "<id>" + id + "</id>", "<launchable type=\"desktop-id\">" + id + ".desktop</launchable>",
            "<icon type=\"stock\">" + id + "</icon>", QByteArray("<binary>mewt</binary>") })
        EXPECT_TRUE(metainfo.contains(element)) << element.data();

    EXPECT_TRUE(QFileInfo::exists(file(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(installedId()))));
    EXPECT_TRUE(QFileInfo::exists(file(QStringLiteral("share/man/man1/mewt.1"))));
}

TEST_F(InstalledApp, EveryThemeSizeHoldsThePawAtThatSize)
{
    for (const int size : { 16, 22, 24, 32, 48, 64, 128, 256 }) {
        const QImage png(file(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(installedId())));
        ASSERT_EQ(png.size(), QSize(size, size)) << size;
        // Corners stay clear around the tile; the middle is the paw's opaque palm.
        EXPECT_EQ(qAlpha(png.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(png.pixel(size / 2, size * 2 / 3)), 255) << size;
    }
}

TEST_F(InstalledApp, TheRunningAppGoesByTheInstalledNames)
{
    MewtApp::describeApplication();
    EXPECT_EQ(QGuiApplication::desktopFileName(), installedId());
    EXPECT_FALSE(QGuiApplication::windowIcon().isNull());
    EXPECT_EQ(QFileInfo(LoginItemService::defaultEntryPath()).fileName(), QFileInfo(desktopEntry()).fileName());
    // The compiled-in icon is the installed one, byte for byte.
    const QByteArray compiled = contents(AppIcon::resourcePath());
    EXPECT_FALSE(compiled.isEmpty());
    EXPECT_EQ(compiled, contents(file(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(installedId()))));
}

} // namespace
