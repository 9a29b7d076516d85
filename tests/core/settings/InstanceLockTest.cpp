// One running instance per program folder, and no lock that outlives its process.
#include "core/settings/InstanceLock.h"

#include "TestSupport.h"

#include <QDateTime>
#include <QFile>
#include <QLockFile>
#include <QProcess>

#include <gtest/gtest.h>

using testsupport::ProgramFolder;

TEST(InstanceLock, SecondInstanceRefusedWhileTheFirstRuns)
{
    ProgramFolder folder;
    ProgramFolder elsewhere;
    {
        InstanceLock first(folder.path());
        ASSERT_TRUE(first.tryAcquire());
        EXPECT_TRUE(first.tryAcquire()) << "asking again must not refuse the holder";

        InstanceLock second(folder.path());
        EXPECT_FALSE(second.tryAcquire());

        InstanceLock otherInstallation(elsewhere.path());
        EXPECT_TRUE(otherInstallation.tryAcquire());
    }
    InstanceLock afterFirstEnded(folder.path());
    EXPECT_TRUE(afterFirstEnded.tryAcquire());
}

TEST(InstanceLock, AnOldLockOfALiveInstanceStillCounts)
{
    ProgramFolder folder;
    InstanceLock first(folder.path());
    ASSERT_TRUE(first.tryAcquire());

    // A program left open for hours: the lock file's age alone must not free it.
    QFile file(first.lockPath());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-6 * 3600),
                                 QFileDevice::FileModificationTime));
    file.close();

    InstanceLock second(folder.path());
    EXPECT_FALSE(second.tryAcquire());
}

TEST(InstanceLock, LockLeftByADeadProcessDoesNotBlock)
{
    ProgramFolder folder;
    const QString path = InstanceLock(folder.path()).lockPath();

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

    InstanceLock next(folder.path());
    EXPECT_TRUE(next.tryAcquire());

    // And it is a real lock again afterwards.
    InstanceLock another(folder.path());
    EXPECT_FALSE(another.tryAcquire());
}
