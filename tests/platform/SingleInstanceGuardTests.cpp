#include "platform/SingleInstanceGuard.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace mewt;
using Outcome = SingleInstanceGuard::Outcome;

namespace {

class SingleInstance : public ::testing::Test {
protected:
    QString lockPath() const { return folder.filePath(QStringLiteral("mewt-test.lock")); }

    QTemporaryDir folder;
};

TEST_F(SingleInstance, SecondGuardIsRefusedUntilTheFirstLetsGo)
{
    SingleInstanceGuard first(lockPath());
    SingleInstanceGuard second(lockPath());
    EXPECT_EQ(first.tryAcquire(), Outcome::acquired);
    EXPECT_EQ(second.tryAcquire(), Outcome::heldElsewhere);
    EXPECT_FALSE(second.isAcquired());
    // Asking again is harmless for the holder.
    EXPECT_EQ(first.tryAcquire(), Outcome::acquired);

    first.release();
    EXPECT_EQ(second.tryAcquire(), Outcome::acquired);
}

TEST_F(SingleInstance, LeftoverFileFromACrashDoesNotBlock)
{
    QFile leftover(lockPath());
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.write("99999999\nmewt\nsomehost\n");
    leftover.close();
    EXPECT_EQ(SingleInstanceGuard(lockPath()).tryAcquire(), Outcome::acquired);
}

TEST_F(SingleInstance, KilledHolderInAnotherProcessDoesNotBlock)
{
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const QByteArray path = QFile::encodeName(lockPath());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Only async-signal-safe calls between fork and _exit.
        const int file = ::open(path.constData(), O_RDWR | O_CREAT, 0600);
        const char taken = file >= 0 && ::flock(file, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
        [[maybe_unused]] const ssize_t written = ::write(ready[1], &taken, 1);
        ::pause();
        ::_exit(0);
    }
    struct Reaper {
        explicit Reaper(pid_t pid)
            : pid(pid)
        {
        }
        Reaper(const Reaper&) = delete;
        Reaper& operator=(const Reaper&) = delete;
        pid_t pid;
        ~Reaper()
        {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    };
    std::optional<Reaper> reaper(std::in_place, child);
    ::close(ready[1]);
    char taken = 0;
    ASSERT_EQ(::read(ready[0], &taken, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(taken, 'y');

    SingleInstanceGuard guard(lockPath());
    EXPECT_EQ(guard.tryAcquire(), Outcome::heldElsewhere);

    reaper.reset();
    EXPECT_EQ(guard.tryAcquire(), Outcome::acquired);
}

TEST_F(SingleInstance, UnusableLockFileLetsTheAppRunUnguarded)
{
    SingleInstanceGuard guard(folder.filePath(QStringLiteral("missing/folder/mewt.lock")));
    EXPECT_EQ(guard.tryAcquire(), Outcome::unavailable);
    EXPECT_FALSE(guard.isAcquired());
}

enum class FirstLock { usable, directory, underAFile };

struct FallbackCase {
    const char* name;
    FirstLock first;
    FirstLock second;
};

class SettingsLock : public SingleInstance, public ::testing::WithParamInterface<FallbackCase> {
protected:
    QString firstLockPath(FirstLock kind, const QString& name)
    {
        switch (kind) {
        case FirstLock::usable: return folder.filePath(name);
        case FirstLock::directory: QDir(folder.path()).mkpath(name); return folder.filePath(name);
        case FirstLock::underAFile: {
            QFile plain(folder.filePath(QStringLiteral("plain")));
            EXPECT_TRUE(plain.open(QIODevice::WriteOnly));
            return folder.filePath(QStringLiteral("plain/") + name);
        }
        }
        return {};
    }
    QString settingsLock() const { return folder.filePath(QStringLiteral("settings/instance.lock")); }
};

TEST_P(SettingsLock, KeepsASecondCopyOutWhateverTheFirstLockCanDo)
{
    SingleInstanceGuard running(firstLockPath(GetParam().first, QStringLiteral("a.lock")), settingsLock());
    SingleInstanceGuard starting(firstLockPath(GetParam().second, QStringLiteral("b.lock")), settingsLock());
    EXPECT_EQ(running.tryAcquire(), Outcome::acquired);
    EXPECT_EQ(starting.tryAcquire(), Outcome::heldElsewhere);
    EXPECT_FALSE(starting.isAcquired());

    running.release();
    EXPECT_EQ(starting.tryAcquire(), Outcome::acquired);
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsLock,
    ::testing::Values(FallbackCase { "bothDirectories", FirstLock::directory, FirstLock::directory },
        FallbackCase { "firstUnderAFile", FirstLock::underAFile, FirstLock::underAFile },
        FallbackCase { "differentRuntimeFolders", FirstLock::usable, FirstLock::usable },
        FallbackCase { "onlyTheSecondCopyLacksIt", FirstLock::usable, FirstLock::directory }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SingleInstance, ASameLockPathStillRefusesWhenOnlyTheSettingsLockIsFree)
{
    const QString settings = folder.filePath(QStringLiteral("s1/instance.lock"));
    SingleInstanceGuard running(lockPath(), settings);
    SingleInstanceGuard starting(lockPath(), folder.filePath(QStringLiteral("s2/instance.lock")));
    EXPECT_EQ(running.tryAcquire(), Outcome::acquired);
    EXPECT_EQ(starting.tryAcquire(), Outcome::heldElsewhere);
    EXPECT_EQ(
        SingleInstanceGuard(folder.filePath(QStringLiteral("x.lock")), settings).tryAcquire(), Outcome::heldElsewhere);
}

} // namespace
