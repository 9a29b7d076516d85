// The scenario-file type: the section search against a byte-by-byte reference, reads that
// never leave the file, and in-place patches that change only what they write.
#include "core/scenario/ScenarioFile.h"

#include "TestSupport.h"

#include <QtEndian>

#include <gtest/gtest.h>

#include <random>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

/// The search rule, literally: the first offset where the four bytes match, + 4; or -1.
qint32 referenceSearch(const QByteArray &bytes, const QByteArray &name)
{
    for (qsizetype at = 0; at + 4 <= bytes.size(); ++at)
        if (bytes.mid(at, 4) == name)
            return qint32(at + 4);
    return -1;
}

TEST(ScenarioFileType, FindsSectionsLikeTheLiteralRule)
{
    std::mt19937 rng(4711);
    const QByteArray names[] = {"DIM ", "ERA ", "TILE", "MTXM", "dim ", "DIM"};
    for (int round = 0; round < 300; ++round) {
        // Few byte values, so names and partial names occur by chance, also overlapping.
        QByteArray bytes(int(rng() % 200), '\0');
        for (char &b : bytes)
            b = "DIMERA TLXdm "[rng() % 13];
        if (rng() % 2)
            bytes.insert(int(rng() % (bytes.size() + 1)), names[rng() % 4]);
        const ScenarioFile file(bytes);
        for (const QByteArray &name : names) {
            const qint32 expected = name.size() == 4 ? referenceSearch(bytes, name) : -1;
            ASSERT_EQ(file.findSection(name), expected) << bytes.toStdString() << " / " << name.toStdString();
        }
    }
}

TEST(ScenarioFileType, ReadsOnlyInsideTheFile)
{
    const ScenarioFile file(QByteArray("\x01\x02\x03\x04\x05", 5));
    const struct
    {
        qint64 offset;
        std::optional<quint8> byte;
        std::optional<quint32> word;
    } cases[] = {
        {0, 0x01, 0x04030201}, {1, 0x02, 0x05040302}, {2, 0x03, std::nullopt},
        {4, 0x05, std::nullopt}, {5, std::nullopt, std::nullopt}, {-1, std::nullopt, std::nullopt},
        {std::numeric_limits<qint64>::max(), std::nullopt, std::nullopt},
        {std::numeric_limits<qint64>::min(), std::nullopt, std::nullopt},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(file.u8At(c.offset), c.byte) << c.offset;
        EXPECT_EQ(file.u32At(c.offset), c.word) << c.offset;
    }
    EXPECT_EQ(ScenarioFile().u32At(0), std::nullopt);
}

TEST(ScenarioFileType, PatchesChangeOnlyTheirBytesOrNothing)
{
    testsupport::ProgramFolder folder;
    const QString path = folder.file("scenario.chk");
    const QByteArray bytes = testsupport::scenario(64, 64);
    const qint64 size = bytes.size();
    const struct
    {
        const char *label;
        qint64 expectedSize;
        qint64 offset;
        QByteArray data;
        bool written;
    } cases[] = {
        {"inside", size, 10, "abcd", true},
        {"last bytes", -1, size - 2, "yz", true},
        {"one past the end", size, size - 1, "yz", false},
        {"negative offset", size, -1, "a", false},
        {"file changed size", size + 1, 0, "a", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        writeFile(path, bytes);
        ScenarioPatcher patcher;
        Status done = patcher.open(path, c.expectedSize, QStringLiteral("Island.scm"));
        if (done)
            done = patcher.write(c.offset, c.data);
        if (done)
            done = patcher.finish();
        EXPECT_EQ(done.ok(), c.written) << done.reason().toStdString();
        QByteArray expected = bytes;
        if (c.written)
            expected.replace(c.offset, c.data.size(), c.data);
        else
            EXPECT_TRUE(done.reason().contains("Island.scm")) << done.reason().toStdString();
        EXPECT_EQ(readFile(path), expected);
    }
    ScenarioPatcher missing;
    EXPECT_FALSE(missing.open(folder.file("gone.chk"), -1, QStringLiteral("Island.scm")).ok());
    EXPECT_FALSE(QFile::exists(folder.file("gone.chk"))) << "a missing file must not be created";
}

} // namespace
