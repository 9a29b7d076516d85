// The working folder: clearing, copying the chosen map in, extracting its scenario.
#include "core/archive/MpqControl.h"
#include "core/scenario/Workspace.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using testsupport::readFile;
using testsupport::writeFile;

TEST(Workspace, PathsLieInTheTempFolderOfTheProgram)
{
    const Workspace ws("/opt/velmora");
    EXPECT_EQ(QDir::cleanPath(ws.folder()), "/opt/velmora/temp");
    EXPECT_EQ(QDir::cleanPath(ws.archivePath()), "/opt/velmora/temp/~temp.map");
    EXPECT_EQ(QDir::cleanPath(ws.scenarioPath()), "/opt/velmora/temp/scenario.chk");
    EXPECT_EQ(Workspace::ScenarioEntry, "staredit\\scenario.chk");
}

TEST(Workspace, ClearCreatesTheFolderAndDeletesStaleFiles)
{
    testsupport::ProgramFolder program;
    const Workspace ws(program.path());
    ASSERT_TRUE(ws.clear().ok());
    EXPECT_TRUE(QFileInfo(ws.folder()).isDir());

    writeFile(ws.archivePath(), "stale archive");
    writeFile(ws.scenarioPath(), "stale scenario");
    writeFile(program.workFile("other.txt"), "not ours");
    ASSERT_TRUE(ws.clear().ok());
    EXPECT_FALSE(QFileInfo::exists(ws.archivePath()));
    EXPECT_FALSE(QFileInfo::exists(ws.scenarioPath()));
    EXPECT_TRUE(QFileInfo::exists(program.workFile("other.txt")));
    EXPECT_TRUE(ws.clear().ok()) << "clearing an already clear folder";
}

TEST(Workspace, ClearFailsWhenSomethingBlocksTheFiles)
{
    testsupport::ProgramFolder program;
    const Workspace ws(program.path());
    // A file named like the working folder.
    writeFile(program.file("temp"), "in the way");
    EXPECT_FALSE(ws.clear().ok());

    QFile::remove(program.file("temp"));
    // A folder named like a working file is not deleted.
    QDir().mkpath(ws.scenarioPath());
    const Status cleared = ws.clear();
    EXPECT_FALSE(cleared.ok());
    EXPECT_TRUE(cleared.reason().contains("scenario.chk"));
    EXPECT_TRUE(QFileInfo(ws.scenarioPath()).isDir());
}

TEST(Workspace, CopyInMakesAByteCopyAndExtractWritesTheScenario)
{
    testsupport::ProgramFolder program;
    const Workspace ws(program.path());
    const QByteArray scenario = testsupport::scenario(96, 128, 4);
    const QString chosen = program.file("Island.scm");
    testsupport::writeMap(chosen, scenario);
    QFile::setPermissions(chosen, QFile::ReadOwner | QFile::ReadUser);

    ASSERT_TRUE(ws.clear().ok());
    const Status copied = ws.copyIn(chosen);
    ASSERT_TRUE(copied.ok()) << copied.reason().toStdString();
    EXPECT_EQ(readFile(ws.archivePath()), readFile(chosen));
    EXPECT_TRUE(QFileInfo(ws.archivePath()).permissions() & QFile::WriteOwner)
        << "the working copy of a read-only map must stay writable";

    const Status extracted = ws.extractScenario(MpqControl());
    ASSERT_TRUE(extracted.ok()) << extracted.reason().toStdString();
    EXPECT_EQ(readFile(ws.scenarioPath()), scenario);
}

TEST(Workspace, CopyInRefusesAMapOverTheSizeCapBeforeCopying)
{
    testsupport::ProgramFolder program;
    const Workspace ws(program.path());
    const QString huge = program.file("Huge.scm");
    {
        QFile file(huge);  // sparse: takes no disk space
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize((qint64(512) << 20) + 1));
    }
    ASSERT_TRUE(ws.clear().ok());
    const Status copied = ws.copyIn(huge);
    ASSERT_FALSE(copied.ok());
    EXPECT_EQ(copied.kind(), FailureKind::MapUnreadable);
    EXPECT_TRUE(copied.reason().contains("Huge.scm")) << copied.reason().toStdString();
    EXPECT_TRUE(copied.reason().contains("512 MiB")) << copied.reason().toStdString();
    EXPECT_FALSE(QFileInfo::exists(ws.archivePath()));
}

TEST(Workspace, CopyInAndExtractFailCleanly)
{
    testsupport::ProgramFolder program;
    const Workspace ws(program.path());
    ASSERT_TRUE(ws.clear().ok());
    EXPECT_FALSE(ws.copyIn(program.file("missing.scm")).ok());
    EXPECT_FALSE(ws.copyIn(program.path()).ok());
    EXPECT_FALSE(QFileInfo::exists(ws.archivePath()));

    // Not an archive: copied, but nothing extracted.
    const QString text = program.file("notes.scm");
    writeFile(text, "just some text");
    ASSERT_TRUE(ws.copyIn(text).ok());
    const Status extracted = ws.extractScenario(MpqControl());
    EXPECT_FALSE(extracted.ok());
    EXPECT_FALSE(extracted.reason().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(ws.scenarioPath()));

    // An archive without a scenario entry.
    const QString other = program.file("other.scm");
    testsupport::writeArchive(other, {{"readme\\about.txt", "hello"}});
    ASSERT_TRUE(ws.copyIn(other).ok());
    EXPECT_FALSE(ws.extractScenario(MpqControl()).ok());
    EXPECT_FALSE(QFileInfo::exists(ws.scenarioPath()));
}
