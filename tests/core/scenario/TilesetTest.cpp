// The map's tileset byte: read and written only where "ERA " says, and the dialog on top.
#include "core/scenario/Tileset.h"

#include "TestSupport.h"
#include "core/scenario/ScenarioFile.h"
#include "ui/frmTileset.h"
#include "core/scenario/modFunctions.h"

#include <QComboBox>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using testsupport::ProgramFolder;
using testsupport::readFile;
using testsupport::section;
using testsupport::writeFile;

namespace {

/// Offset of the first "ERA " data byte in testsupport::scenario() files.
qint64 eraDataOffset(const QByteArray &bytes)
{
    return bytes.indexOf("ERA ") + 8;
}

/// The same bytes with one byte changed.
QByteArray withByte(QByteArray bytes, qint64 at, quint8 value)
{
    bytes[at] = char(value);
    return bytes;
}

/// The dialog on a scenario file of its own, as the map session gives it the working one.
TilesetAccess onFile(const QString &path)
{
    return {[path] { return tileset::current(path); },
            [path](int number, qint32 position) { return tileset::apply(path, number, position); }};
}

QPointer<frmTileset> openDialog(const QString &path)
{
    auto *dialog = new frmTileset(onFile(path));
    dialog->show();
    return dialog;
}

bool closedAndGone(QPointer<frmTileset> &dialog)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return dialog.isNull();
}

/// The tileset byte, or nullopt when it cannot be read.
std::optional<quint8> tilesetAt(const QString &path, qint32 eraPosition)
{
    const Result<quint8> byte = tileset::readTileset(path, eraPosition);
    return byte ? std::optional<quint8>(*byte) : std::nullopt;
}

} // namespace

TEST(TilesetByte, ReadsTheFirstDataByteOrNothing)
{
    ProgramFolder folder;
    const QString path = folder.file("scenario.chk");
    const QByteArray bytes = testsupport::scenario(64, 64, 4, 1);
    writeFile(path, bytes);
    const qint32 r = modFunctions::FindSection(path, "ERA ");
    ASSERT_GT(r, 0);

    EXPECT_EQ(tilesetAt(path, r), std::optional<quint8>(4));
    EXPECT_EQ(tilesetAt(path, -1), std::nullopt);
    EXPECT_EQ(tilesetAt(path, bytes.size() - 4), std::nullopt) << "past the end";
    EXPECT_EQ(tilesetAt(path, bytes.size() - 5), std::optional<quint8>(quint8(bytes.back())));
    EXPECT_EQ(tilesetAt(path, std::numeric_limits<qint32>::max()), std::nullopt);
    EXPECT_EQ(tilesetAt(folder.file("missing.chk"), r), std::nullopt);
    EXPECT_FALSE(QFileInfo::exists(folder.file("missing.chk")));
    EXPECT_EQ(readFile(path), bytes);
}

TEST(TilesetByte, WritesOneByteInPlaceOrRefusesWithoutTouchingTheFile)
{
    ProgramFolder folder;
    const QString path = folder.file("scenario.chk");
    const QByteArray bytes = testsupport::scenario(64, 64, 4, 1);
    writeFile(path, bytes);
    const qint32 r = modFunctions::FindSection(path, "ERA ");

    const Status ok = tileset::writeTileset(path, r, 6);
    EXPECT_TRUE(ok.ok()) << ok.reason().toStdString();
    EXPECT_EQ(readFile(path), withByte(bytes, eraDataOffset(bytes), 6));

    writeFile(path, bytes);
    for (const qint32 bad : {-1, qint32(bytes.size() - 4), std::numeric_limits<qint32>::max()}) {
        const Status refused = tileset::writeTileset(path, bad, 6);
        EXPECT_FALSE(refused.ok()) << bad;
        EXPECT_FALSE(refused.reason().isEmpty());
        EXPECT_EQ(readFile(path), bytes) << "written for position " << bad;
    }

    const QString missing = folder.file("gone.chk");
    EXPECT_FALSE(tileset::writeTileset(missing, r, 6).ok());
    EXPECT_FALSE(QFileInfo::exists(missing)) << "a missing file must not be created";
}

class TilesetDialogOpening : public ::testing::TestWithParam<int>
{
};

TEST_P(TilesetDialogOpening, SelectsTheStoredTilesetOrNothing)
{
    const int stored = GetParam();
    ProgramFolder folder;
    const QString path = folder.file("scenario.chk");
    const QByteArray bytes = testsupport::scenario(64, 64, quint8(stored), 0);
    writeFile(path, bytes);

    QPointer<frmTileset> dialog = openDialog(path);
    EXPECT_EQ(dialog->cmbTileset->count(), 8);
    if (stored < 8) {
        EXPECT_EQ(dialog->cmbTileset->currentIndex(), stored);
        EXPECT_EQ(dialog->cmbTileset->currentText(), scenario::tilesetNames().at(stored));
    } else {
        EXPECT_EQ(dialog->cmbTileset->currentIndex(), -1);
        EXPECT_EQ(dialog->cmbTileset->currentText(), "");
    }
    EXPECT_TRUE(dialog->btnApply->isEnabled());

    // Apply with what was shown (or with nothing chosen) leaves the file as it was.
    QTest::mouseClick(dialog->btnApply, Qt::LeftButton);
    EXPECT_TRUE(closedAndGone(dialog));
    EXPECT_EQ(readFile(path), bytes);
}

INSTANTIATE_TEST_SUITE_P(StoredBytes, TilesetDialogOpening,
                         ::testing::Values(0, 1, 2, 3, 4, 5, 6, 7, 8, 255));

TEST(TilesetDialog, JungleWorldShownAndIceWrittenAsOneByte)
{
    ProgramFolder folder;
    const QString path = folder.file("scenario.chk");
    const QByteArray bytes = testsupport::scenario(96, 64, 0x04, 0x01);
    writeFile(path, bytes);

    QPointer<frmTileset> dialog = openDialog(path);
    EXPECT_EQ(dialog->cmbTileset->currentText(), "Jungle World");
    dialog->cmbTileset->setCurrentText("Ice");
    QTest::mouseClick(dialog->btnApply, Qt::LeftButton);
    EXPECT_TRUE(closedAndGone(dialog));

    const QByteArray after = readFile(path);
    EXPECT_EQ(after, withByte(bytes, eraDataOffset(bytes), 0x06));
    EXPECT_EQ(quint8(after.at(eraDataOffset(bytes) + 1)), 0x01);
}

TEST(TilesetDialog, CancelOrClosingWritesNothingAndEachOpeningReadsAfresh)
{
    ProgramFolder folder;
    const QString path = folder.file("scenario.chk");
    const QByteArray bytes = testsupport::scenario(64, 64, 4);
    writeFile(path, bytes);

    QPointer<frmTileset> dialog = openDialog(path);
    dialog->cmbTileset->setCurrentText("Ice");
    QTest::mouseClick(dialog->btnCancel, Qt::LeftButton);
    EXPECT_TRUE(closedAndGone(dialog));
    EXPECT_EQ(readFile(path), bytes);

    dialog = openDialog(path);
    EXPECT_EQ(dialog->cmbTileset->currentText(), "Jungle World") << "showed the last choice";
    dialog->cmbTileset->setCurrentText("Desert");
    dialog->close();
    EXPECT_TRUE(closedAndGone(dialog));
    EXPECT_EQ(readFile(path), bytes);

    dialog = openDialog(path);
    dialog->cmbTileset->setCurrentText("Twilight");
    QTest::mouseClick(dialog->btnApply, Qt::LeftButton);
    dialog = openDialog(path);
    EXPECT_EQ(dialog->cmbTileset->currentText(), "Twilight");
    dialog->close();
}

TEST(TilesetDialog, WithoutATilesetByteApplyIsOffAndNothingIsWritten)
{
    ProgramFolder folder;
    const QString path = folder.file("scenario.chk");
    const QByteArray noEra = section("VER ", QByteArray("\xCD\x00", 2))
        + section("DIM ", testsupport::dimData(64, 64)) + section("UNIT", QByteArray(12, 'u'));
    // "ERA " and its length field are the file's last bytes: no data byte to read.
    const QByteArray cutShort = section("DIM ", testsupport::dimData(64, 64)) + QByteArray("ERA \x02\x00\x00\x00", 8);
    const QString missing = folder.file("gone.chk");

    for (const auto &[name, contents] :
         {std::pair{"no section", noEra}, std::pair{"cut short", cutShort},
          std::pair{"no file", QByteArray()}}) {
        SCOPED_TRACE(name);
        const QString file = contents.isNull() ? missing : path;
        if (!contents.isNull())
            writeFile(file, contents);

        QPointer<frmTileset> dialog = openDialog(file);
        EXPECT_EQ(dialog->cmbTileset->currentIndex(), -1);
        EXPECT_FALSE(dialog->btnApply->isEnabled());
        EXPECT_EQ(dialog->lngEraPosition, -1);
        dialog->cmbTileset->setCurrentText("Ice");
        QTest::keyClick(dialog->cmbTileset, Qt::Key_Return); // Enter: Apply, which is off
        QTest::mouseClick(dialog->btnApply, Qt::LeftButton);
        EXPECT_FALSE(dialog.isNull()) << "a disabled Apply closed the dialog";
        QTest::mouseClick(dialog->btnCancel, Qt::LeftButton);
        EXPECT_TRUE(closedAndGone(dialog));

        if (contents.isNull())
            EXPECT_FALSE(QFileInfo::exists(file)) << "the dialog created the missing file";
        else
            EXPECT_EQ(readFile(file), contents);
    }
}

TEST(TilesetDialog, ApplyAfterTheFileChangedUnderneathWritesNothing)
{
    ProgramFolder folder;
    const QString path = folder.file("scenario.chk");
    const QByteArray first = testsupport::scenario(64, 64, 4);
    // Another map whose "ERA " sits elsewhere: the old position now points into other data.
    const QByteArray second = section("TEXT", QByteArray(10, 't')) + testsupport::scenario(64, 64, 2);

    QPointer<frmTileset> dialog;
    for (const auto &[name, replace] :
         {std::pair<const char *, std::function<void()>>{"other map",
                                                          [&] { writeFile(path, second); }},
          std::pair<const char *, std::function<void()>>{"file gone",
                                                          [&] { QFile::remove(path); }}}) {
        SCOPED_TRACE(name);
        writeFile(path, first);
        dialog = openDialog(path);
        QSignalSpy failed(dialog.data(), &frmTileset::failed);
        replace();
        const QByteArray before = readFile(path);
        const bool existed = QFileInfo::exists(path);

        dialog->cmbTileset->setCurrentText("Ice");
        QTest::mouseClick(dialog->btnApply, Qt::LeftButton);
        EXPECT_EQ(failed.count(), 1);
        EXPECT_TRUE(closedAndGone(dialog));
        EXPECT_EQ(QFileInfo::exists(path), existed);
        EXPECT_EQ(readFile(path), before);
    }
}

TEST(TilesetDialog, KeyboardChoosesAndEnterApplies)
{
    ProgramFolder folder;
    const QString path = folder.file("scenario.chk");
    const QByteArray bytes = testsupport::scenario(64, 64, 4);
    writeFile(path, bytes);

    QPointer<frmTileset> dialog = openDialog(path);
    QTest::keyClick(dialog->cmbTileset, Qt::Key_Down);
    EXPECT_EQ(dialog->cmbTileset->currentText(), "Desert");
    QTest::keyClick(dialog->cmbTileset, Qt::Key_Return);
    EXPECT_TRUE(closedAndGone(dialog));
    EXPECT_EQ(readFile(path), withByte(bytes, eraDataOffset(bytes), 5));
}

TEST(TilesetDialog, ButtonsCloseTheEnclosingSubWindow)
{
    ProgramFolder folder;
    const QString path = folder.file("scenario.chk");
    writeFile(path, testsupport::scenario(64, 64, 4));
    QMdiArea area;
    area.show();
    auto *dialog = new frmTileset(onFile(path));
    QMdiSubWindow *sub = area.addSubWindow(dialog);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->show();
    QTest::mouseClick(dialog->btnCancel, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area.subWindowList().isEmpty());
}
