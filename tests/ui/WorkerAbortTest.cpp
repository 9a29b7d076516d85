// A map whose save makes the archive worker abort: the window reports it, naming the map,
// keeps running with its map loaded, and the map file stays as it was.
#include "MainWindowFixture.h"

#include "core/archive/MpqControl.h"
#include "core/archive/worker/WorkerProtocol.h"

#include <QDir>
#include <QProcess>

namespace {

const QByteArray Scenario = "staredit\\scenario.chk";

/// Two hash slots for the scenario's name, the first pointing at another entry's block:
/// the archive library reads it but stops the process when it stores into it.
QByteArray twoSlotArchive()
{
    testsupport::MpqLayout layout;
    layout.entries = {{"staredit\\wav\\a.wav", QByteArray(3000, 'w')},
                      {Scenario, testsupport::scenario(64, 64)}};
    layout.leadingSlots = {{Scenario, 0}};
    return testsupport::buildMpq(layout);
}

} // namespace

TEST_F(MainWindowTest, SaveThatMakesTheWorkerAbortIsReportedAndTheWindowRunsOn)
{
    start();
    const QString map = folder.file("Hostile.scm");
    testsupport::writeFile(map, twoSlotArchive());
    const QByteArray before = testsupport::readFile(map);

    // The worker really aborts on this archive's store.
    const QString scratch = folder.file("scratch.tmp");
    QProcess worker;
    worker.start(MpqControl::findWorker(), {});
    const workerprotocol::Message store{'S', {map.toStdString(), Scenario.toStdString(),
                                              testsupport::scenario(64, 64).toStdString(),
                                              scratch.toStdString()}};
    const std::string request = workerprotocol::encode(true, store);
    worker.write(request.data(), qint64(request.size()));
    worker.closeWriteChannel();
    ASSERT_TRUE(worker.waitForFinished(30000));
    EXPECT_EQ(worker.exitStatus(), QProcess::CrashExit);
    QFile::remove(scratch);
    QFile::remove(scratch + ".lst");

    loadMap(map);
    ASSERT_TRUE(window->isMapLoaded());
    window->mnuSave->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QDir::toNativeSeparators(map)))
        << dialogs.messages()[0].text.toStdString();
    EXPECT_NE(window->statusText(), "Map saved!");
    EXPECT_EQ(testsupport::readFile(map), before);
    EXPECT_TRUE(window->isMapLoaded());

    // The window still works: another map loads and saves.
    const QString good = mapFile("Good.scm", testsupport::scenario(64, 64));
    loadMap(good);
    ASSERT_TRUE(window->isMapLoaded());
    window->mnuSave->trigger();
    EXPECT_EQ(window->statusText(), "Map saved!");
    EXPECT_EQ(dialogs.messages().size(), 1);
}
