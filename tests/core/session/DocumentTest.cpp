// The map session as a document: sequences of steps, undos, redos and saves, each checked
// against the states recorded earlier in the same sequence (the working scenario byte for
// byte, the colour table value for value) and against the unsaved state written down by hand.
#include "core/session/MapSession.h"

#include "core/archive/MpqControl.h"
#include "core/picture/PixelScan.h"

#include "TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

#include <map>

using testsupport::readFile;

namespace {

enum class Op { Picture, Type, Pick, Match, Convert, Tileset, Undo, Redo, Save, BreakFile };

struct Row
{
    Op op;
    int index = 0;        ///< Type, Pick: the colour; Tileset: the number
    QString text;         ///< Type: the value text; Match: the values joined by ','
    /// The document afterwards: -1 a new state (recorded here), else the state after row k.
    int sameAsAfterRow = -1;
    bool unsaved = false;
    const char *undoName = "";
};

/// A 64 x 64 picture of `left` on the left half and `right` on the right.
picture::Prepared halves(picture::Argb left, picture::Argb right)
{
    picture::Pixels pixels(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            pixels.row(y)[x] = x < 32 ? left : right;
    const pixelscan::ScanResult scanned = pixelscan::scan(pixels, 64, 64);
    return {pixels, QSize(64, 64), scanned.values, scanned.counts};
}

struct State
{
    QByteArray scenario;
    ColorTable table;
    picture::Pixels picture;
};

class Document : public ::testing::Test
{
protected:
    testsupport::ProgramFolder program;
    const MpqControl archive;
    QString map;
    MapSession session{Workspace(program.path()), archive, program.path()};

    void SetUp() override
    {
        map = program.file("Island.scm");
        testsupport::writeMap(map, testsupport::scenario(64, 64, 4));
        session.keepHistory();
        ASSERT_TRUE(session.open(map).ok());
    }
    QByteArray working() const { return readFile(Workspace(program.path()).scenarioPath()); }
    QByteArray savedScenario() const
    {
        QByteArray data;
        EXPECT_TRUE(archive.readEntry(map, "staredit\\scenario.chk", &data).ok());
        return data;
    }
    State state() const { return {working(), session.colorTable(), session.picture()}; }

    void run(const Row &row)
    {
        switch (row.op) {
        case Op::Picture:
            session.setPicture(program.file("picture.bmp"),
                               row.index == 0 ? halves(picture::argb(255, 0, 0), picture::argb(0, 0, 255))
                                              : halves(picture::argb(0, 255, 0), picture::argb(9, 9, 9)));
            break;
        case Op::Type:
            // Keystroke by keystroke, as the field reports them.
            for (qsizetype n = 1; n <= row.text.size(); ++n)
                ASSERT_TRUE(session.typeValue(row.index, row.text.left(n)));
            break;
        case Op::Pick:
            ASSERT_TRUE(session.pickTile(row.index, quint16(row.text.toUInt())));
            break;
        case Op::Match:
            ASSERT_TRUE(session.setValues(row.text.split(','), "Match Colours"));
            break;
        case Op::Convert:
            ASSERT_TRUE(session.convert(session.picture(), session.colorTable().colors,
                                        session.colorTable().values).ok());
            break;
        case Op::Tileset:
            ASSERT_TRUE(session.applyTileset(row.index).ok());
            break;
        case Op::Undo:
            ASSERT_TRUE(session.undo().ok());
            break;
        case Op::Redo:
            ASSERT_TRUE(session.redo().ok());
            break;
        case Op::Save:
            ASSERT_TRUE(session.save(map).ok());
            EXPECT_EQ(savedScenario(), working());
            break;
        case Op::BreakFile:
            break;
        }
    }

    void play(const std::vector<Row> &rows)
    {
        std::map<int, State> after;
        after[-1] = state(); // "row -1": the map as opened
        for (int i = 0; i < int(rows.size()); ++i) {
            SCOPED_TRACE(testing::Message() << "row " << i);
            const Row &row = rows[i];
            run(row);
            if (HasFatalFailure())
                return;
            const State now = state();
            if (row.sameAsAfterRow != -1 || row.op == Op::Undo || row.op == Op::Redo) {
                const State &expected = after.at(row.sameAsAfterRow);
                EXPECT_TRUE(now.scenario == expected.scenario) << "working scenario differs";
                EXPECT_EQ(now.table, expected.table);
                EXPECT_EQ(now.picture, expected.picture);
            }
            after[i] = now;
            EXPECT_EQ(session.hasUnsavedWork(), row.unsaved);
            EXPECT_EQ(session.undoName(), QString::fromLatin1(row.undoName));
        }
    }
};

TEST_F(Document, StepsUndosRedosAndSavesRestoreExactlyAndKnowWhenTheMapDiffers)
{
    play({
        /* 0 */ {Op::Picture, 0, {}, -1, false, "Load Picture"},
        /* 1 */ {Op::Type, 0, "12", -1, false, "Type Value"},
        /* 2 */ {Op::Type, 0, "1234", -1, false, "Type Value"},
        /* 3 */ {Op::Type, 1, "5", -1, false, "Type Value"},
        /* 4 */ {Op::Undo, 0, {}, 2, false, "Type Value"},
        /* 5 */ {Op::Undo, 0, {}, 0, false, "Load Picture"}, // both typings in colour 0 were one step
        /* 6 */ {Op::Redo, 0, {}, 2, false, "Type Value"},
        /* 7 */ {Op::Convert, 0, {}, -1, true, "Convert"},
        /* 8 */ {Op::Undo, 0, {}, 6, false, "Type Value"}, // the scenario as opened again
        /* 9 */ {Op::Redo, 0, {}, 7, true, "Convert"},
        /* 10 */ {Op::Save, 0, {}, 7, false, "Convert"},
        /* 11 */ {Op::Tileset, 6, {}, -1, true, "Change Tileset"},
        /* 12 */ {Op::Undo, 0, {}, 10, false, "Convert"}, // back at the saved point: no question
        /* 13 */ {Op::Undo, 0, {}, 6, true, "Type Value"}, // before the save, a Convert between
        /* 14 */ {Op::Match, 0, "7,8", -1, true, "Match Colours"}, // the saved point is gone
        /* 15 */ {Op::Undo, 0, {}, 13, true, "Type Value"},
        /* 16 */ {Op::Redo, 0, {}, 14, true, "Match Colours"},
        /* 17 */ {Op::Convert, 0, {}, -1, true, "Convert"},
        /* 18 */ {Op::Save, 0, {}, 17, false, "Convert"},
        /* 19 */ {Op::Pick, 1, "31", -1, false, "Pick Tile"}, // values alone never ask
        /* 20 */ {Op::Picture, 1, {}, -1, false, "Load Picture"},
        /* 21 */ {Op::Undo, 0, {}, 19, false, "Pick Tile"}, // the old picture and its values
        /* 22 */ {Op::Undo, 0, {}, 18, false, "Convert"},
        /* 23 */ {Op::Undo, 0, {}, 16, true, "Match Colours"},
        /* 24 */ {Op::Redo, 0, {}, 18, false, "Convert"},
    });
}

TEST_F(Document, AStepThatNoLongerFitsTheWorkingCopyChangesNothing)
{
    session.setPicture(program.file("picture.bmp"), halves(picture::argb(255, 0, 0), picture::argb(0, 0, 255)));
    ASSERT_TRUE(session.typeValue(0, "3"));
    ASSERT_TRUE(session.typeValue(1, "5"));
    ASSERT_TRUE(session.convert(session.picture(), session.colorTable().colors,
                                session.colorTable().values).ok());
    // Someone else's bytes where the Convert wrote.
    const QString scenario = Workspace(program.path()).scenarioPath();
    QByteArray bytes = readFile(scenario);
    const qsizetype tiles = bytes.indexOf("MTXM") + 8;
    bytes[tiles] = char(0x55);
    testsupport::writeFile(scenario, bytes);

    const Status undone = session.undo();
    EXPECT_EQ(undone.kind(), FailureKind::BadScenario);
    EXPECT_TRUE(undone.reason().contains("Island.scm")) << undone.reason().toStdString();
    EXPECT_FALSE(undone.reason().contains(scenario));
    EXPECT_EQ(readFile(scenario), bytes);
    EXPECT_EQ(session.undoName(), "Convert");
    EXPECT_TRUE(session.hasUnsavedWork());
}

TEST_F(Document, LoadingStartsANewHistoryAndWithoutOneNothingIsKept)
{
    session.setPicture(program.file("picture.bmp"), halves(picture::argb(255, 0, 0), picture::argb(0, 0, 255)));
    ASSERT_TRUE(session.applyTileset(2).ok());
    ASSERT_TRUE(session.hasUnsavedWork());
    ASSERT_TRUE(session.open(map).ok());
    EXPECT_FALSE(session.hasUnsavedWork());
    EXPECT_EQ(session.undoName(), "");
    EXPECT_TRUE(session.colorTable().isEmpty());
    EXPECT_TRUE(session.picture().isNull());

    // The companion keeps no history, yet knows the working copy changed.
    session.keepHistory(0);
    ASSERT_TRUE(session.applyTileset(2).ok());
    EXPECT_TRUE(session.hasUnsavedWork());
    EXPECT_EQ(session.undoName(), "");
    ASSERT_TRUE(session.save(map).ok());
    EXPECT_FALSE(session.hasUnsavedWork());
}

} // namespace
