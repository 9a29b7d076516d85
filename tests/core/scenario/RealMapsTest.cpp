// The real maps named by VELMORA_MAPS: each extracts, has the size its README states,
// and survives a store round trip on a copy.
#include "core/scenario/MapSaver.h"
#include "core/archive/MpqControl.h"
#include "core/scenario/ScenarioFile.h"
#include "core/scenario/Workspace.h"
#include "core/scenario/modFunctions.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <gtest/gtest.h>

using testsupport::readFile;

namespace {

struct Expected
{
    int width = 0;
    int height = 0;
    int tileset = -1;
};

/// The table of the maps folder's README: | file | W × H | tileset |.
QHash<QString, Expected> expectedSizes(const QString &folder)
{
    QHash<QString, Expected> out;
    const QString text = QString::fromUtf8(readFile(QDir(folder).filePath("README.md")));
    static const QRegularExpression row(
        QStringLiteral(R"(^\|\s*(\S+\.sc[mx])\s*\|\s*(\d+)\s*\S\s*(\d+)\s*\|\s*(\d+)\s*\|)"),
        QRegularExpression::MultilineOption);
    for (auto it = row.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out.insert(m.captured(1), {m.captured(2).toInt(), m.captured(3).toInt(),
                                   m.captured(4).toInt()});
    }
    return out;
}

} // namespace

TEST(RealMaps, EachExtractsWithTheSizeAndTilesetItsReadmeStates)
{
    const QStringList maps = testsupport::realMaps();
    if (maps.isEmpty())
        GTEST_SKIP() << "VELMORA_MAPS is not set";
    const QHash<QString, Expected> expected = expectedSizes(testsupport::realMapsDir());
    ASSERT_EQ(expected.size(), maps.size()) << "README table and maps folder disagree";

    for (const QString &map : maps) {
        const QString name = QFileInfo(map).fileName();
        SCOPED_TRACE(name.toStdString());
        testsupport::ProgramFolder program;
        const Workspace ws(program.path());
        ASSERT_TRUE(ws.clear().ok());
        ASSERT_TRUE(ws.copyIn(map).ok());
        const Status extracted = ws.extractScenario(MpqControl());
        ASSERT_TRUE(extracted.ok()) << extracted.reason().toStdString();

        const qint32 dim = modFunctions::FindSection(ws.scenarioPath(), "DIM ");
        scenario::MapSize size;
        ASSERT_TRUE(scenario::readMapSize(ws.scenarioPath(), dim, &size).ok());
        ASSERT_TRUE(expected.contains(name));
        EXPECT_EQ(size.width, expected[name].width);
        EXPECT_EQ(size.height, expected[name].height);
        EXPECT_TRUE(scenario::isAcceptedDimension(size.width));

        const qint32 era = modFunctions::FindSection(ws.scenarioPath(), "ERA ");
        ASSERT_GE(era, 0);
        EXPECT_EQ(int(quint8(readFile(ws.scenarioPath()).at(era + 4))), expected[name].tileset);

        const auto info = testsupport::findMpqEntry(readFile(map), "staredit\\scenario.chk");
        ASSERT_TRUE(info);
        EXPECT_EQ(info->flags & 0x7FFFFFFFu, 0x00010200u);
    }
}

TEST(RealMaps, SaveRoundTripOnACopyKeepsEveryEntry)
{
    const QStringList maps = testsupport::realMaps();
    if (maps.isEmpty())
        GTEST_SKIP() << "VELMORA_MAPS is not set";
    const MpqControl mpq;
    for (const QString &map : maps) {
        SCOPED_TRACE(QFileInfo(map).fileName().toStdString());
        testsupport::ProgramFolder program;
        const Workspace ws(program.path());
        ASSERT_TRUE(ws.clear().ok());
        ASSERT_TRUE(ws.copyIn(map).ok());
        ASSERT_TRUE(ws.extractScenario(mpq).ok());

        QStringList names;
        int count = 0;
        ASSERT_TRUE(mpq.listEntries(map, &names, &count).ok());
        QHash<QString, QByteArray> before;
        for (const QString &n : names) {
            if (n.startsWith('('))
                continue; // the library's own bookkeeping entries
            ASSERT_TRUE(mpq.readEntry(map, n, &before[n]).ok()) << n.toStdString();
        }

        // Change one tile, as a conversion would.
        QByteArray chk = readFile(ws.scenarioPath());
        const qint32 mtxm = modFunctions::FindSection(ws.scenarioPath(), "MTXM");
        ASSERT_GE(mtxm, 0);
        chk[mtxm + 4] = char(chk[mtxm + 4] ^ 0x11);
        testsupport::writeFile(ws.scenarioPath(), chk);

        const QString target = program.file("saved.scm");
        const Status saved = saveMap(ws, mpq, target);
        ASSERT_TRUE(saved.ok()) << saved.reason().toStdString();
        QStringList namesAfter;
        int countAfter = 0;
        ASSERT_TRUE(mpq.listEntries(target, &namesAfter, &countAfter).ok());
        EXPECT_EQ(namesAfter, names);
        EXPECT_EQ(countAfter, count);
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            QByteArray now;
            ASSERT_TRUE(mpq.readEntry(target, it.key(), &now).ok());
            EXPECT_EQ(now, it.key() == Workspace::ScenarioEntry ? chk : it.value())
                << it.key().toStdString();
        }
        const auto info = testsupport::findMpqEntry(readFile(target), "staredit\\scenario.chk");
        const auto originalInfo = testsupport::findMpqEntry(readFile(map), "staredit\\scenario.chk");
        ASSERT_TRUE(info && originalInfo);
        EXPECT_EQ(info->flags, originalInfo->flags);
        EXPECT_EQ(info->locale, originalInfo->locale);
        // Dead space of the replaced copy is compacted away.
        EXPECT_LT(QFileInfo(target).size(), QFileInfo(map).size() + 4096);
    }
}
