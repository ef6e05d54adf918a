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

TEST_F(SingleInstance, TheLockBesideTheSettingsKeepsASecondCopyOutWhenTheFirstCannot)
{
    QDir(folder.path()).mkpath(QStringLiteral("directory.lock"));
    const QString settings = folder.filePath(QStringLiteral("settings/instance.lock"));
    // A directory in the lock's place; runtime folders that differ; only the second copy lacks one.
    for (const auto& [first, second] :
        { std::pair { "directory.lock", "directory.lock" }, { "a.lock", "b.lock" }, { "a.lock", "missing/b.lock" } }) {
        SingleInstanceGuard running(folder.filePath(QString::fromUtf8(first)), settings);
        SingleInstanceGuard starting(folder.filePath(QString::fromUtf8(second)), settings);
        EXPECT_EQ(running.tryAcquire(), Outcome::acquired);
        EXPECT_EQ(starting.tryAcquire(), Outcome::heldElsewhere) << first << " " << second;
    }
}

} // namespace
