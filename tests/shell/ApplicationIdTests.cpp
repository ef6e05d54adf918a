#include "FakeNotificationServer.h"
#include "artwork/AppIcon.h"
#include "platform/Clock.h"
#include "platform/FreedesktopNotificationCenter.h"
#include "platform/MemoryUserDefaults.h"
#include "shell/LoginItemService.h"
#include "shell/MewtApp.h"

#include <QDBusConnection>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <memory>

using namespace mewt;

namespace {

// Installs this very build into a temporary prefix once; every check reads the installed files,
// so a rule that installs the wrong file or a template with a stale name fails here.
class InstalledApp : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        prefix = std::make_unique<QTemporaryDir>();
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(MEWT_CMAKE_COMMAND),
            { QStringLiteral("--install"), QStringLiteral(MEWT_BUILD_DIR), QStringLiteral("--prefix"),
                prefix->path() });
        installed
            = install.waitForFinished(60000) && install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0;
        installLog = QString::fromLocal8Bit(install.readAll());
    }
    static void TearDownTestSuite() { prefix.reset(); }

    void SetUp() override { ASSERT_TRUE(installed) << installLog.toStdString(); }

    static QString file(const QString& relative) { return prefix->filePath(relative); }

    // The one file whose name every other name must repeat.
    static QString desktopEntry()
    {
        const QStringList entries = QDir(file(QStringLiteral("share/applications"))).entryList(QDir::Files);
        return entries.size() == 1 ? file(QStringLiteral("share/applications/") + entries.front()) : QString();
    }
    static QString installedId() { return QFileInfo(desktopEntry()).completeBaseName(); }

    static QString entryValue(const QString& path, const QString& key)
    {
        QFile entry(path);
        if (!entry.open(QIODevice::ReadOnly))
            return {};
        const QStringList lines = QString::fromUtf8(entry.readAll()).split(u'\n');
        const QString prefix = key + u'=';
        for (const QString& line : lines) {
            if (line.startsWith(prefix))
                return line.mid(prefix.size());
        }
        return {};
    }

    // The text of the first element of each name, with the root's name under "".
    static QHash<QString, QString> metainfo()
    {
        QFile xml(file(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(installedId())));
        QHash<QString, QString> values;
        if (!xml.open(QIODevice::ReadOnly))
            return values;
        QXmlStreamReader reader(&xml);
        while (!reader.atEnd()) {
            if (reader.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QString name = reader.name().toString();
            if (!values.contains(QString()))
                values.insert(QString(), name);
            if (name == QLatin1String("component") || name == QLatin1String("provides"))
                continue;
            const QString text = reader.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            if (!values.contains(name))
                values.insert(name, text);
        }
        EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
        return values;
    }

    static inline std::unique_ptr<QTemporaryDir> prefix;
    static inline bool installed = false;
    static inline QString installLog;
};

TEST_F(InstalledApp, TheEntryTheMetadataAndTheIconNameTheSameIdAndCommand)
{
    ASSERT_FALSE(desktopEntry().isEmpty()) << "expected exactly one desktop entry";
    const QString id = installedId();
    EXPECT_EQ(entryValue(desktopEntry(), QStringLiteral("Icon")), id);
    const QString command = entryValue(desktopEntry(), QStringLiteral("Exec"));
    EXPECT_EQ(entryValue(desktopEntry(), QStringLiteral("TryExec")), command);
    const QFileInfo program(file(QStringLiteral("bin/") + command));
    EXPECT_TRUE(program.isFile() && program.isExecutable()) << command.toStdString();

    const QHash<QString, QString> component = metainfo();
    ASSERT_EQ(component.value(QString()), QStringLiteral("component"));
    EXPECT_EQ(component.value(QStringLiteral("id")), id);
    EXPECT_EQ(component.value(QStringLiteral("launchable")), id + QStringLiteral(".desktop"));
    EXPECT_EQ(component.value(QStringLiteral("icon")), id);
    EXPECT_EQ(component.value(QStringLiteral("binary")), command);

    EXPECT_TRUE(QFileInfo::exists(file(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(id))));
    EXPECT_TRUE(QFileInfo::exists(file(QStringLiteral("share/man/man1/%1.1").arg(command))));
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
    const QString id = installedId();
    MewtApp::describeApplication();
    EXPECT_EQ(QGuiApplication::desktopFileName(), id);
    EXPECT_FALSE(QGuiApplication::windowIcon().isNull());
    EXPECT_EQ(QFileInfo(LoginItemService::defaultEntryPath()).fileName(), QFileInfo(desktopEntry()).fileName());

    // The compiled-in icon is the installed one, byte for byte.
    QFile compiled(AppIcon::resourcePath());
    QFile theme(file(QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(id)));
    ASSERT_TRUE(compiled.open(QIODevice::ReadOnly) && theme.open(QIODevice::ReadOnly));
    EXPECT_EQ(compiled.readAll(), theme.readAll());
}

TEST_F(InstalledApp, NotificationsNameTheEntryAndTheIcon)
{
    if (!QDBusConnection::sessionBus().isConnected())
        GTEST_SKIP() << "no session bus; run the tests under dbus-run-session";
    const QString service = QStringLiteral("org.mewt.test.ApplicationId");
    const QString connectionName = QStringLiteral("mewt-application-id-server");
    mewt::testing::FakeNotificationServer server;
    {
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName);
        ASSERT_TRUE(bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &server,
            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
        ASSERT_TRUE(bus.registerService(service));
    }
    MemoryUserDefaults defaults;
    defaults.seed(QString::fromLatin1(FreedesktopNotificationCenter::authorizationKey), QStringLiteral("authorized"));
    ManualClock clock;
    {
        FreedesktopNotificationCenter center(
            defaults, clock, NotificationServerAddress { QDBusConnection::sessionBus(), service, 2000 });
        center.add({ QStringLiteral("mewt.timer.completed"), QStringLiteral("tea complete"), QStringLiteral("done"),
                       true, NotificationTimeIntervalTrigger { 1 } },
            [](std::optional<NotificationError>) {});
        clock.advance(std::chrono::seconds(1));
        center.recheck();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !server.notifyCalls.isEmpty(); }, 5000));
    }
    QDBusConnection::disconnectFromBus(connectionName);
    ASSERT_EQ(server.notifyCalls.size(), 1);
    EXPECT_EQ(server.notifyCalls.front().appIcon, installedId());
    EXPECT_EQ(server.notifyCalls.front().hints.value(QStringLiteral("desktop-entry")).toString(), installedId());
}

} // namespace
