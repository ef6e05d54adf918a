#include "platform/IniUserDefaults.h"
#include "platform/MemoryUserDefaults.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <cmath>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace mewt;

namespace {

struct RawCase {
    const char* name;
    QVariant stored;
    std::optional<bool> asBool;
    std::optional<qint64> asInt;
    std::optional<QString> asString;
};

class StrictReads : public ::testing::TestWithParam<RawCase> { };

TEST_P(StrictReads, ReadOnlyWhatTheValueReallyIs)
{
    MemoryUserDefaults defaults;
    defaults.seed(QStringLiteral("k"), GetParam().stored);
    EXPECT_EQ(defaults.boolValue(QStringLiteral("k")), GetParam().asBool);
    EXPECT_EQ(defaults.intValue(QStringLiteral("k")), GetParam().asInt);
    EXPECT_EQ(defaults.stringValue(QStringLiteral("k")), GetParam().asString);
}

INSTANTIATE_TEST_SUITE_P(Values, StrictReads,
    ::testing::Values(RawCase { "boolTrue", QVariant(true), true, std::nullopt, std::nullopt },
        RawCase { "iniTrue", QVariant(QStringLiteral("true")), true, std::nullopt, QStringLiteral("true") },
        RawCase { "iniNumber", QVariant(QStringLiteral(" 42 ")), std::nullopt, 42, QStringLiteral(" 42 ") },
        RawCase { "iniZero", QVariant(QStringLiteral("0")), false, 0, QStringLiteral("0") },
        RawCase {
            "garbageText", QVariant(QStringLiteral("banana")), std::nullopt, std::nullopt, QStringLiteral("banana") },
        RawCase { "fraction", QVariant(2.5), std::nullopt, std::nullopt, std::nullopt },
        RawCase { "notANumber", QVariant(std::nan("")), std::nullopt, std::nullopt, std::nullopt },
        RawCase { "hugeDouble", QVariant(1e300), std::nullopt, std::nullopt, std::nullopt },
        RawCase { "list", QVariant(QStringList { QStringLiteral("a"), QStringLiteral("b") }), std::nullopt,
            std::nullopt, std::nullopt }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MemoryUserDefaults, CountsWritesButNotSeeds)
{
    MemoryUserDefaults defaults;
    defaults.seed(QStringLiteral("a"), 1);
    defaults.setInt(QStringLiteral("a"), 2);
    defaults.setBool(QStringLiteral("b"), true);
    defaults.remove(QStringLiteral("a"));
    EXPECT_EQ(defaults.writeCount(), 3);
    EXPECT_EQ(defaults.writeCount(QStringLiteral("a")), 2);
    EXPECT_FALSE(defaults.contains(QStringLiteral("a")));
}

class IniFile : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("mewt/mewt.conf")); }
    void writeFile(const QByteArray& bytes)
    {
        QDir().mkpath(dir.filePath(QStringLiteral("mewt")));
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir dir;
};

TEST_F(IniFile, EveryTypeSurvivesAReopen)
{
    {
        IniUserDefaults defaults(path());
        defaults.setBool(QStringLiteral("flag"), true);
        defaults.setInt(QStringLiteral("count"), -7);
        defaults.setDouble(QStringLiteral("volume"), 0.25);
        defaults.setString(QStringLiteral("name"), QStringLiteral("tea, then =work= [x]"));
        defaults.setData(QStringLiteral("json"), QByteArrayLiteral("{\"a\":1,\"b\":[2,3]}"));
    }
    IniUserDefaults reopened(path());
    EXPECT_EQ(reopened.boolValue(QStringLiteral("flag")), true);
    EXPECT_EQ(reopened.intValue(QStringLiteral("count")), -7);
    EXPECT_EQ(reopened.doubleValue(QStringLiteral("volume")), 0.25);
    EXPECT_EQ(reopened.stringValue(QStringLiteral("name")), QStringLiteral("tea, then =work= [x]"));
    EXPECT_EQ(reopened.dataValue(QStringLiteral("json")), QByteArrayLiteral("{\"a\":1,\"b\":[2,3]}"));
}

TEST_F(IniFile, AWriteIsOnDiskBeforeTheStoreGoesAway)
{
    IniUserDefaults defaults(path());
    defaults.setInt(QStringLiteral("count"), 3);
    // A second reader sees it at once: nothing waits for a later flush.
    IniUserDefaults other(path());
    EXPECT_EQ(other.intValue(QStringLiteral("count")), 3);
    defaults.remove(QStringLiteral("count"));
    IniUserDefaults third(path());
    EXPECT_FALSE(third.contains(QStringLiteral("count")));
}

TEST_F(IniFile, HandEditedWrongTypesReadAsAbsent)
{
    writeFile("[General]\nflag=maybe\ncount=twelve\nvolume=loud\njson=not, json\n");
    IniUserDefaults defaults(path());
    EXPECT_EQ(defaults.boolValue(QStringLiteral("flag")), std::nullopt);
    EXPECT_EQ(defaults.intValue(QStringLiteral("count")), std::nullopt);
    EXPECT_EQ(defaults.doubleValue(QStringLiteral("volume")), std::nullopt);
    EXPECT_EQ(defaults.dataValue(QStringLiteral("json")), std::nullopt);
}

TEST_F(IniFile, GarbageFileStillAcceptsAndKeepsNewWrites)
{
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage.append(static_cast<char>((i * 7919) % 256));
    writeFile(garbage);
    {
        IniUserDefaults defaults(path());
        defaults.setInt(QStringLiteral("count"), 5);
    }
    IniUserDefaults reopened(path());
    EXPECT_EQ(reopened.intValue(QStringLiteral("count")), 5);
    // The unreadable original is kept beside it for the user, not silently overwritten.
    EXPECT_TRUE(QFile::exists(path() + QStringLiteral(".broken")));
}

TEST_F(IniFile, TruncatedFileKeepsWhatItCanRead)
{
    writeFile("[General]\nkept=1\nbroken=@ByteArray({\"vers");
    IniUserDefaults defaults(path());
    EXPECT_EQ(defaults.intValue(QStringLiteral("kept")), 1);
    defaults.setInt(QStringLiteral("added"), 2);
    IniUserDefaults reopened(path());
    EXPECT_EQ(reopened.intValue(QStringLiteral("added")), 2);
}

// ---- damaged files, locks and write-backs ----

class IniRecovery : public IniFile {
protected:
    QByteArray fileBytes(const char* name = "mewt.conf") const
    {
        QFile file(dir.filePath(QStringLiteral("mewt/") + QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList folder() const { return QDir(dir.filePath(QStringLiteral("mewt"))).entryList(QDir::Files); }
};

class DamagedLines : public IniRecovery, public ::testing::WithParamInterface<QByteArray> { };

TEST_P(DamagedLines, KeepEveryReadableValueAndLeaveNothingBehind)
{
    writeFile(GetParam());
    QFile(path() + QStringLiteral(".write-999999-3")).open(QIODevice::WriteOnly); // left by a crash
    {
        IniUserDefaults defaults(path());
        EXPECT_EQ(defaults.stringValue(QStringLiteral("theme")), QStringLiteral("siamese"));
        defaults.setInt(QStringLiteral("added"), 2);
    }
    EXPECT_EQ(folder(), QStringList { QStringLiteral("mewt.conf") }) << "nothing set aside or left behind";
    IniUserDefaults reopened(path());
    EXPECT_EQ(reopened.stringValue(QStringLiteral("theme")), QStringLiteral("siamese"));
    EXPECT_EQ(reopened.intValue(QStringLiteral("count")), 7);
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedLines,
    ::testing::Values("\xEF\xBB\xBF[General]\ntheme=siamese\ncount=7\n", "# mine\n[General]\ntheme=siamese\ncount=7\n",
        "[General]\ntheme=siamese\ntimerMo\ncount=7\n", "[Gene\ntheme=siamese\ncount=7\n",
        "\x01\x02\xff\n[General]\ntheme=siamese\ncount=7\n", "[General]\r\ntheme=siamese\r\ncount=7\r\n"));

TEST_F(IniRecovery, AnUnreadableFileIsSetAsideWithoutReplacingAnEarlierCopy)
{
    for (const char* garbage : { "\x01 first \xff", "\x04 second \xfe" }) {
        writeFile(garbage);
        IniUserDefaults(path()).setInt(QStringLiteral("count"), 1);
    }
    EXPECT_EQ(fileBytes("mewt.conf.broken") + fileBytes("mewt.conf.broken-2"), "\x01 first \xff\x04 second \xfe");
}

TEST_F(IniRecovery, ALockHeldElsewhereNeverBlocksAndTheChangeIsWrittenOnceItIsFree)
{
    IniUserDefaults defaults(path());
    auto foreign = std::make_unique<QLockFile>(path() + QStringLiteral(".lock"));
    ASSERT_TRUE(foreign->tryLock(0));
    defaults.setInt(QStringLiteral("count"), 2);
    defaults.flush();
    EXPECT_EQ(defaults.intValue(QStringLiteral("count")), 2);
    EXPECT_FALSE(fileBytes().contains("count=2"));
    foreign.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return fileBytes().contains("count=2"); }, 10'000)) << "retried unasked";
}

// Left by a crash: empty (made, never written) or naming a process that has ended. A quit soon
// after the next launch must still save.
class AbandonedLock : public IniRecovery, public ::testing::WithParamInterface<bool> { };

TEST_P(AbandonedLock, IsTakenAtOnce)
{
    const QString lockPath = path() + QStringLiteral(".lock");
    QByteArray held;
    {
        QDir().mkpath(dir.filePath(QStringLiteral("mewt")));
        QLockFile real(lockPath);
        ASSERT_TRUE(real.tryLock(0));
        held = fileBytes("mewt.conf.lock");
    }
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    const QByteArray endedPid = QByteArray::number(ended.processId());
    ASSERT_TRUE(ended.waitForFinished());
    QFile lock(lockPath);
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    if (GetParam())
        lock.write(endedPid + held.mid(held.indexOf('\n')));
    lock.flush();
    lock.setFileTime(QDateTime::currentDateTime().addSecs(-5), QFileDevice::FileModificationTime);
    lock.close();

    IniUserDefaults defaults(path());
    defaults.setInt(QStringLiteral("count"), 2);
    defaults.flush();
    EXPECT_TRUE(fileBytes().contains("count=2"));
}

INSTANTIATE_TEST_SUITE_P(EmptyOrEnded, AbandonedLock, ::testing::Bool());

// Neither a full disk nor a refusal says anything about the contents: nothing is set aside.
TEST_F(IniRecovery, AFullDiskAtLaunchStillReadsTheFile)
{
    writeFile("[General]\ntheme=siamese\n");
    // The copy the load reads through lands on a device that is always full.
    QFile::link(
        QStringLiteral("/dev/full"), path() + QStringLiteral(".write-%1-read").arg(QCoreApplication::applicationPid()));
    EXPECT_EQ(IniUserDefaults(path()).stringValue(QStringLiteral("theme")), QStringLiteral("siamese"));
    EXPECT_EQ(folder(), QStringList { QStringLiteral("mewt.conf") });
}

TEST_F(IniRecovery, AFileItMayNotReadIsNeitherSetAsideNorWrittenOver)
{
    writeFile("[General]\ntheme=siamese\n");
    QFile::setPermissions(path(), {});
    // Root reads anything: the load then runs as nobody, who meets the refusal a user meets.
    const bool root = ::geteuid() == 0;
    for (const QString& parent : { dir.path(), dir.filePath(QStringLiteral("mewt")) })
        QFile::setPermissions(parent,
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                | QFile::ReadOther | QFile::ExeOther);
    if (root && ::seteuid(65534) != 0)
        GTEST_SKIP() << "cannot drop to nobody";
    {
        IniUserDefaults defaults(path());
        ASSERT_TRUE(!root || ::seteuid(0) == 0);
        EXPECT_FALSE(defaults.contains(QStringLiteral("theme")));
        defaults.setString(QStringLiteral("theme"), QStringLiteral("tabby"));
        defaults.flush();
        EXPECT_EQ(defaults.stringValue(QStringLiteral("theme")), QStringLiteral("tabby")) << "kept in memory";
    }
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(folder(), QStringList { QStringLiteral("mewt.conf") });
    EXPECT_EQ(fileBytes(), "[General]\ntheme=siamese\n");
}

TEST_F(IniRecovery, ALockItCannotOpenDoesNotStopSavingAndAFailedWriteIsReportedOnce)
{
    IniUserDefaults defaults(path());
    int reports = 0;
    QObject context;
    defaults.setWriteFailureHandler(&context, [&] { ++reports; });
    // Stands for a lock left by a run as root that cannot be opened nor removed.
    QDir().mkpath(path() + QStringLiteral(".lock"));
    defaults.setInt(QStringLiteral("count"), 1);
    defaults.flush();
    EXPECT_TRUE(fileBytes().contains("count=1"));

    const QString aside = path() + QStringLiteral(".mine");
    QFile::rename(path(), aside);
    QDir().mkpath(path()); // nothing is renamed over a folder
    for (int count : { 2, 3 }) {
        defaults.setInt(QStringLiteral("count"), count);
        defaults.flush();
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return reports > 0; }, 2000));
    QTest::qWait(50);
    EXPECT_EQ(reports, 1);
    QDir().rmdir(path());
    defaults.setInt(QStringLiteral("count"), 4);
    defaults.flush();
    EXPECT_TRUE(fileBytes().contains("count=4"));
}

std::atomic<int> loggedLines { 0 };

// A disk that does not take the data (fdatasync's EIO): the old file stays, and so do the changes,
// until a retry lands them. One notice and one log line per run of failures, however it flaps.
TEST_F(IniRecovery, AFailedSyncKeepsTheOldFileAndAFlappingDiskIsNewsOncePerRun)
{
    writeFile("[General]\ncount=1\n");
    std::atomic<bool> lands { false };
    ManualClock clock;
    IniUserDefaults defaults(path(), clock, [&](int) { return lands.load(); });
    int reports = 0;
    QObject context;
    defaults.setWriteFailureHandler(&context, [&] { ++reports; });
    loggedLines = 0;
    const QtMessageHandler previous
        = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) { ++loggedLines; });
    const auto write = [&](bool landing, int count) {
        lands = landing;
        defaults.setInt(QStringLiteral("count"), count);
        defaults.flush();
        QCoreApplication::processEvents();
    };
    write(false, 2);
    EXPECT_EQ(fileBytes(), "[General]\ncount=1\n");
    EXPECT_EQ(folder(), QStringList { QStringLiteral("mewt.conf") });
    lands = true;
    defaults.flush();
    EXPECT_TRUE(fileBytes().contains("count=2")) << "retried";
    for (int count = 3; count < 20; count += 2) {
        write(false, count);
        write(true, count + 1);
        clock.advance(std::chrono::seconds(30));
    }
    EXPECT_EQ(std::pair(reports, loggedLines.load()), std::pair(1, 1));
    clock.advance(IniUserDefaults::failureQuietTime);
    write(true, 40);
    write(false, 41);
    EXPECT_EQ(std::pair(reports, loggedLines.load()), std::pair(2, 3)) << "written again, then news";
    qInstallMessageHandler(previous);
}

TEST_F(IniRecovery, ChangesReachTheDiskUnaskedAndTogether)
{
    writeFile("[General]\nhuge=" + QByteArray(2 * 1024 * 1024, 'x') + "\n");
    IniUserDefaults defaults(path());
    EXPECT_FALSE(defaults.contains(QStringLiteral("huge"))) << "over a megabyte: unusable";
    for (int key = 0; key < 28; ++key)
        defaults.setData(QStringLiteral("key%1").arg(key), QByteArray(4096, 'a'));
    defaults.setInt(QStringLiteral("count"), 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fileBytes().contains("count=3"); }, 5000));
    defaults.flush();
    // One write, or two should the writer wake between the changes on a loaded machine.
    const int writes = defaults.diskWriteCount();
    EXPECT_LE(writes, 2);
    EXPECT_LT(fileBytes().size(), 1024 * 1024);

    defaults.setInt(QStringLiteral("count"), 3);
    defaults.flush();
    EXPECT_EQ(defaults.diskWriteCount(), writes) << "nothing changed, nothing written";
}

} // namespace
