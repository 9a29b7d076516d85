// Saving: the working scenario goes back into the working archive, which then replaces
// the target, and nothing is touched unless every step worked.
#include "core/scenario/MapSaver.h"
#include "core/archive/MpqControl.h"
#include "core/archive/worker/WorkerProtocol.h"
#include "core/scenario/Workspace.h"
#include "FailingArchive.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

class Saving : public ::testing::Test
{
protected:
    testsupport::ProgramFolder program;
    Workspace ws{program.path()};
    MpqControl mpq;
    QString mapsDir;
    QString loaded; // the map the user loaded
    QByteArray original;

    void SetUp() override
    {
        mapsDir = program.file("maps");
        ASSERT_TRUE(QDir().mkpath(mapsDir));
        loaded = mapsDir + "/Island.scm";
        testsupport::writeMap(loaded, testsupport::scenario(64, 64));
        original = readFile(loaded);
        ASSERT_TRUE(ws.clear().ok());
        ASSERT_TRUE(ws.copyIn(loaded).ok());
        ASSERT_TRUE(ws.extractScenario(mpq).ok());
    }

    /// An edit of the working scenario, as the conversion would make it.
    void editScenario()
    {
        QByteArray chk = readFile(ws.scenarioPath());
        chk[chk.size() - 40] = '\x5A';
        writeFile(ws.scenarioPath(), chk);
    }

    QStringList filesIn(const QString &folder) const
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                                      QDir::Name);
    }

    QByteArray storedScenario(const QString &archive)
    {
        QByteArray data;
        EXPECT_TRUE(mpq.readEntry(archive, Workspace::ScenarioEntry, &data).ok());
        return data;
    }
};

} // namespace

TEST_F(Saving, SaveWritesTheEditedMapAndKeepsTheRest)
{
    editScenario();
    bool ranBetween = false;
    const Status saved = saveMap(ws, mpq, loaded, [&] {
        ranBetween = true;
        EXPECT_EQ(readFile(loaded), original) << "the target was touched before the copy";
    });
    ASSERT_TRUE(saved.ok()) << saved.reason().toStdString();
    EXPECT_TRUE(ranBetween);
    EXPECT_EQ(readFile(loaded), readFile(ws.archivePath()));
    EXPECT_EQ(storedScenario(loaded), readFile(ws.scenarioPath()));
    QByteArray other;
    ASSERT_TRUE(mpq.readEntry(loaded, "staredit\\wav\\note.wav", &other).ok());
    EXPECT_EQ(other, QByteArray(500, 'w'));
    EXPECT_EQ(filesIn(mapsDir), QStringList{"Island.scm"});
}

TEST_F(Saving, SaveAsWritesANewFileAndSavingTwiceGivesTheSameBytes)
{
    const QString copy = mapsDir + "/Copy"; // no extension added
    ASSERT_TRUE(saveMap(ws, mpq, copy).ok());
    const QByteArray first = readFile(copy);
    EXPECT_EQ(storedScenario(copy), readFile(ws.scenarioPath()));
    ASSERT_TRUE(saveMap(ws, mpq, copy).ok());
    EXPECT_EQ(readFile(copy), first);
    EXPECT_EQ(readFile(loaded), original);
    EXPECT_EQ(filesIn(mapsDir), (QStringList{"Copy", "Island.scm"}));
}

TEST_F(Saving, UnsavedTargetStaysByteIdenticalOnEveryFailure)
{
    editScenario();
    const QString targetFolder = mapsDir + "/Folder.scm";
    ASSERT_TRUE(QDir().mkpath(targetFolder));

    struct Case
    {
        const char *label;
        QString target;
        std::function<void()> breakBefore;
        std::function<void()> afterStore;
    };
    const QByteArray workingArchive = readFile(ws.archivePath());
    const auto restore = [&] { writeFile(ws.archivePath(), workingArchive); };
    const Case cases[] = {
        {"target is a folder", targetFolder, {}, {}},
        {"target in a missing folder", mapsDir + "/gone/Island.scm", {}, {}},
        {"target is the working scenario", ws.scenarioPath(), {}, {}},
        {"working archive vanished", loaded, [&] { QFile::remove(ws.archivePath()); }, {}},
        {"working archive is not an archive", loaded,
         [&] { writeFile(ws.archivePath(), QByteArray("no archive here").repeated(50)); }, {}},
        {"working scenario vanished", loaded, [&] { QFile::remove(ws.scenarioPath()); }, {}},
        {"working archive removed after the store", loaded, {},
         [&] { QFile::remove(ws.archivePath()); }},
        {"working archive replaced after the store", loaded, {},
         [&] { testsupport::writeMap(ws.archivePath(), "other scenario"); }},
    };
    const QByteArray scenario = readFile(ws.scenarioPath());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        restore();
        writeFile(ws.scenarioPath(), scenario);
        if (c.breakBefore)
            c.breakBefore();
        const Status saved = saveMap(ws, mpq, c.target, c.afterStore);
        EXPECT_FALSE(saved.ok());
        EXPECT_FALSE(saved.reason().isEmpty());
        EXPECT_EQ(readFile(loaded), original);
        EXPECT_TRUE(QFileInfo(targetFolder).isDir());
        EXPECT_EQ(filesIn(mapsDir), QStringList{"Island.scm"});
        EXPECT_FALSE(QFileInfo::exists(mapsDir + "/gone"));
        if (QFileInfo::exists(ws.scenarioPath())) {
            EXPECT_EQ(readFile(ws.scenarioPath()), scenario) << "saving changed the scenario";
        }
        const QStringList work = filesIn(ws.folder());
        for (const QString &name : work)
            EXPECT_TRUE(name == "~temp.map" || name == "scenario.chk") << name.toStdString();
    }
}

TEST_F(Saving, InjectedArchiveFaultsNeverReachTheUsersMap)
{
    using Fault = testsupport::FailingArchive::Fault;
    editScenario();
    const QByteArray scenario = readFile(ws.scenarioPath());
    const QByteArray workingArchive = readFile(ws.archivePath());
    const struct
    {
        Fault fault;
        const char *label;
    } cases[] = {
        {Fault::StoreFailsHalfWay, "store fails half-way"},
        {Fault::ReadBackDiffers, "read-back differs"},
        {Fault::ReadFails, "read-back fails"},
        {Fault::ListFails, "listing fails"},
        {Fault::EntryCountChanges, "entry count changes"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        for (const QString &target : {loaded, mapsDir + "/New.scm"}) {
            writeFile(ws.archivePath(), workingArchive);
            const testsupport::FailingArchive failing(mpq, c.fault);
            const Status saved = saveMap(ws, failing, target);
            EXPECT_FALSE(saved.ok());
            EXPECT_FALSE(saved.reason().isEmpty());
            EXPECT_EQ(readFile(loaded), original) << "the user's map changed";
            EXPECT_EQ(filesIn(mapsDir), QStringList{"Island.scm"});
            EXPECT_EQ(readFile(ws.scenarioPath()), scenario);
        }
    }

    // The same wrapper without a fault saves: the failures above come from the faults.
    writeFile(ws.archivePath(), workingArchive);
    const testsupport::FailingArchive sound(mpq, Fault::None);
    ASSERT_TRUE(saveMap(ws, sound, loaded).ok());
    EXPECT_EQ(storedScenario(loaded), scenario);
}

TEST_F(Saving, FailedExtractionIsReported)
{
    const testsupport::FailingArchive failing(mpq, testsupport::FailingArchive::Fault::ExtractFails);
    ASSERT_TRUE(ws.clear().ok());
    ASSERT_TRUE(ws.copyIn(loaded).ok());
    EXPECT_FALSE(ws.extractScenario(failing).ok());
    EXPECT_EQ(readFile(loaded), original);
}

// The worker's own checks of a store: whatever it reports that does not add up (other entry
// counts, a read-back that differs, an archive other than the one on disk, a short reply)
// keeps the user's map as it was. The last case, a reply that fits, saves.
TEST_F(Saving, StoreRepliesThatDoNotAddUpNeverReachTheUsersMap)
{
    editScenario();
    const QByteArray working = readFile(ws.archivePath());
    const auto fits = [&](quint32 before, quint32 after, quint64 print, qint64 size = -1) {
        return workerprotocol::Message{0, {workerprotocol::number32(before), workerprotocol::number32(after),
                                           workerprotocol::number64(quint64(size < 0 ? working.size() : size)),
                                           workerprotocol::number64(print)}};
    };
    const quint64 print = ArchiveAccess::fingerprint(working);
    const struct
    {
        const char *label;
        workerprotocol::Message reply;
        bool saves;
        FailureKind kind; // a failed check names the user's map; a worker that talks
                          // nonsense is damage to the working archive (MapSession retells it)
    } cases[] = {
        {"entry count changed", fits(3, 4, print), false, FailureKind::Output},
        {"archive on disk is not the one checked", fits(3, 3, print ^ 1), false, FailureKind::Output},
        {"archive on disk is longer than the one checked", fits(3, 3, print, working.size() - 1),
         false, FailureKind::Output},
        {"archive on disk is shorter than the one checked", fits(3, 3, print, working.size() + 1),
         false, FailureKind::Output},
        {"read-back differs", {std::uint8_t(workerprotocol::Status::ReadBack), {"read-back differs"}},
         false, FailureKind::Output},
        {"reply without counts", {0, {}}, false, FailureKind::Damaged},
        {"reply that adds up", fits(3, 3, print), true, FailureKind::Unspecified},
    };
    QTemporaryDir scripts;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        writeFile(ws.archivePath(), working);
        const QString reply = scripts.filePath("reply");
        writeFile(reply, QByteArray::fromStdString(workerprotocol::encode(false, c.reply)));
        const QString worker = scripts.filePath("worker.sh");
        writeFile(worker, "#!/bin/sh\ncat '" + reply.toUtf8() + "'\ncat > /dev/null\n");
        QFile::setPermissions(worker, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const MpqControl standIn(worker, {5000, 64});
        const Status saved = saveMap(ws, standIn, loaded);
        EXPECT_EQ(saved.ok(), c.saves) << saved.reason().toStdString();
        EXPECT_EQ(readFile(loaded), c.saves ? working : original);
        EXPECT_EQ(filesIn(mapsDir), QStringList{"Island.scm"});
        EXPECT_EQ(saved.kind(), c.kind);
        if (c.kind == FailureKind::Output) {
            EXPECT_TRUE(saved.reason().contains(QDir::toNativeSeparators(loaded)))
                << saved.reason().toStdString();
        }
    }
}
