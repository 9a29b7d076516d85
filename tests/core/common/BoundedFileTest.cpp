// A user's file is read only when it is a regular file within its size; everything else is
// refused before a byte is read, with the cause.
#include "core/common/BoundedFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(BoundedFile, ReadsOnlyRegularFilesWithinTheirSize)
{
    QTemporaryDir dir;
    const QString small = dir.filePath("small.txt"), exact = dir.filePath("exact.txt"),
                  over = dir.filePath("over.txt"), fifo = dir.filePath("fifo"),
                  empty = dir.filePath("empty.txt");
    testsupport::writeFile(small, "#FF0000=5\n");
    testsupport::writeFile(exact, QByteArray(64, 'a'));
    testsupport::writeFile(over, QByteArray(65, 'a'));
    testsupport::writeFile(empty, QByteArray());
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    struct Case { const char *name; QString path; qsizetype size; const char *says; };
    const Case cases[] = {
        {"small", small, 10, nullptr},
        {"exactly the cap", exact, 64, nullptr},
        {"empty", empty, 0, nullptr},
        {"one byte over", over, -1, "65 bytes"},
        {"missing", dir.filePath("gone.txt"), -1, "no such file"},
        {"folder", dir.path(), -1, "not a regular file"},
        {"endless device", "/dev/zero", -1, "not a regular file"},
        {"pipe", fifo, -1, "not a regular file"},
    };
    for (const Case &c : cases) {
        const Result<QByteArray> got = boundedfile::read(c.path, 64, FailureKind::Colors);
        EXPECT_EQ(got.ok(), c.size >= 0) << c.name;
        if (got.ok()) {
            EXPECT_EQ(got->size(), c.size) << c.name;
        } else {
            EXPECT_EQ(got.kind(), FailureKind::Colors) << c.name;
            EXPECT_TRUE(got.reason().contains(QLatin1String(c.says))) << c.name << ": " << got.reason().toStdString();
            EXPECT_FALSE(got.reason().contains(dir.path())) << c.name; // the caller names the file
        }
    }
}

// A file whose size says nothing of its length (the kernel's files say 0 bytes) is read to its
// end, and refused once it passes the cap, as a file that grows while it is read.
TEST(BoundedFile, ReadsPastAWrongSizeUpToTheCap)
{
    const QString status = QStringLiteral("/proc/self/status");
    ASSERT_EQ(QFileInfo(status).size(), 0);
    const Result<QByteArray> whole = boundedfile::read(status, 1 << 20, FailureKind::Colors);
    ASSERT_TRUE(whole.ok()) << whole.reason().toStdString();
    EXPECT_TRUE(whole->startsWith("Name:")) << whole->left(40).toStdString();
    EXPECT_TRUE(whole->endsWith('\n'));
    EXPECT_GT(whole->size(), 200);
    for (const qint64 cap : {qint64(1), qint64(whole->size() / 2), qint64(whole->size() - 40)}) {
        const Result<QByteArray> over = boundedfile::read(status, cap, FailureKind::Colors);
        EXPECT_FALSE(over.ok()) << cap;
        EXPECT_EQ(over.kind(), FailureKind::Colors) << cap;
    }
}
