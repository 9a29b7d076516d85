// One running instance per lock file, and no lock that outlives its process.
#include "core/settings/InstanceLock.h"

#include "TestSupport.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <functional>

using testsupport::ProgramFolder;

namespace {

QString lockIn(const ProgramFolder &folder)
{
    return folder.file("velmora.lock");
}

} // namespace

TEST(InstanceLock, SecondInstanceRefusedWhileTheFirstRuns)
{
    ProgramFolder folder;
    ProgramFolder elsewhere;
    {
        InstanceLock first(lockIn(folder));
        ASSERT_TRUE(first.tryAcquire());
        EXPECT_TRUE(first.tryAcquire()) << "asking again must not refuse the holder";

        InstanceLock second(lockIn(folder));
        const InstanceLock::Result refused = second.tryAcquire();
        EXPECT_EQ(refused.state, InstanceLock::State::HeldByOther);
        EXPECT_EQ(refused.ownerPid, QCoreApplication::applicationPid());

        InstanceLock otherInstallation(lockIn(elsewhere));
        EXPECT_TRUE(otherInstallation.tryAcquire());
    }
    InstanceLock afterFirstEnded(lockIn(folder));
    EXPECT_TRUE(afterFirstEnded.tryAcquire());
}

TEST(InstanceLock, AnOldLockOfALiveInstanceStillCounts)
{
    ProgramFolder folder;
    InstanceLock first(lockIn(folder));
    ASSERT_TRUE(first.tryAcquire());

    // A program left open for hours: the lock file's age alone must not free it.
    QFile file(first.lockPath());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-6 * 3600),
                                 QFileDevice::FileModificationTime));
    file.close();

    InstanceLock second(lockIn(folder));
    EXPECT_FALSE(second.tryAcquire());
}

TEST(InstanceLock, LockLeftByADeadProcessDoesNotBlock)
{
    ProgramFolder folder;
    const QString path = lockIn(folder);

    // The lock file exactly as a real instance writes it, then with the PID of a process
    // that has ended: what a crash leaves behind.
    QByteArray contents;
    {
        QLockFile probe(path);
        ASSERT_TRUE(probe.tryLock(0));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        contents = f.readAll();
        probe.unlock();
    }
    QProcess gone;
    gone.start("true", {});
    ASSERT_TRUE(gone.waitForStarted(5000));
    const qint64 deadPid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished(5000));
    ASSERT_GT(deadPid, 0);
    const qsizetype firstLineEnd = contents.indexOf('\n');
    ASSERT_GT(firstLineEnd, 0);
    testsupport::writeFile(path, QByteArray::number(deadPid) + contents.mid(firstLineEnd));

    InstanceLock next(lockIn(folder));
    EXPECT_TRUE(next.tryAcquire());

    // And it is a real lock again afterwards.
    InstanceLock another(lockIn(folder));
    EXPECT_FALSE(another.tryAcquire());
}

// What a crash, a full disk or a stray tool can leave where the lock goes. None of it names
// a live process, so none of it may keep the program from starting; what cannot be cleared
// away is reported, never a silent refusal.
struct LeftoverCase
{
    const char *name;
    std::function<void(const QString &path)> leave;
    InstanceLock::State expected;
};

class LockLeftovers : public ::testing::TestWithParam<LeftoverCase>
{
};

TEST_P(LockLeftovers, NeverBlockSilently)
{
    ProgramFolder folder;
    const QString path = lockIn(folder);
    GetParam().leave(path);

    InstanceLock lock(path);
    const InstanceLock::Result result = lock.tryAcquire();
    EXPECT_EQ(result.state, GetParam().expected);
    if (result.state == InstanceLock::State::Acquired) {
        // A real lock now: a second taker is refused, and told who holds it.
        InstanceLock second(path);
        const InstanceLock::Result refused = second.tryAcquire();
        EXPECT_EQ(refused.state, InstanceLock::State::HeldByOther);
        EXPECT_GT(refused.ownerPid, 0);
    } else {
        EXPECT_FALSE(result.reason.isEmpty());
    }
    if (QFileInfo(folder.path()).isFile())
        QFile::remove(folder.path());
}

INSTANTIATE_TEST_SUITE_P(
    Leftovers, LockLeftovers,
    ::testing::Values(
        LeftoverCase{"EmptyFile", [](const QString &p) { testsupport::writeFile(p, ""); },
                     InstanceLock::State::Acquired},
        LeftoverCase{"Garbage",
                     [](const QString &p) { testsupport::writeFile(p, "\xff\xfe garbage\n\n"); },
                     InstanceLock::State::Acquired},
        LeftoverCase{"NegativePid",
                     [](const QString &p) { testsupport::writeFile(p, "-5\nvelmora\nhost\n"); },
                     InstanceLock::State::Acquired},
        LeftoverCase{"EmptyFolder", [](const QString &p) { QDir().mkpath(p); },
                     InstanceLock::State::Acquired},
        LeftoverCase{"FolderWithContents",
                     [](const QString &p) {
                         QDir().mkpath(p);
                         testsupport::writeFile(p + "/keep", "not ours to delete");
                     },
                     InstanceLock::State::Unavailable},
        LeftoverCase{"FolderMissing",
                     [](const QString &p) { QDir(QFileInfo(p).path()).removeRecursively(); },
                     InstanceLock::State::Unavailable},
        LeftoverCase{"FileInPlaceOfTheFolder",
                     [](const QString &p) {
                         const QString dir = QFileInfo(p).path();
                         QDir(dir).removeRecursively();
                         testsupport::writeFile(dir, "a file");
                     },
                     InstanceLock::State::Unavailable}),
    [](const auto &info) { return std::string(info.param.name); });
