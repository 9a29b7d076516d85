// Archive access: extraction, storing, listing and creation, and what bad archives do.
#include "core/archive/MpqControl.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

const QString Scenario = QStringLiteral("staredit\\scenario.chk");
const QString Wav = QStringLiteral("staredit\\wav\\note.wav");
const QString Readme = QStringLiteral("readme\\about.txt");

/// Bytes that do not compress to nothing, so sizes and offsets are realistic.
QByteArray noisy(int size, quint32 seed)
{
    QRandomGenerator gen(seed);
    QByteArray out(size, Qt::Uninitialized);
    for (char &c : out)
        c = char(gen.bounded(16)); // few distinct values: compressible, not trivial
    return out;
}

class Archive : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    MpqControl mpq;

    QString file(const QString &name) const { return dir.filePath(name); }

    QString makeMap(const QString &name, const QByteArray &scenario, bool withListfile = true)
    {
        const QString path = file(name);
        testsupport::writeMap(path, scenario, withListfile);
        return path;
    }

    QByteArray entry(const QString &archive, const QString &name)
    {
        QByteArray data;
        const Status read = mpq.readEntry(archive, name, &data);
        EXPECT_TRUE(read.ok()) << read.reason().toStdString();
        return data;
    }

    QStringList folderListing() const
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                                          QDir::Name);
    }

    void expectStoreFails(const QString &archive, const QString &source)
    {
        const QByteArray before = readFile(archive);
        const QStringList filesBefore = folderListing();
        const Status stored = mpq.storeEntry(archive, source, Scenario);
        EXPECT_FALSE(stored.ok());
        EXPECT_FALSE(stored.reason().isEmpty());
        EXPECT_EQ(readFile(archive), before) << "the archive was changed by a failed store";
        EXPECT_EQ(folderListing(), filesBefore) << "a scratch file was left behind";
    }
};

} // namespace

TEST_F(Archive, CreateReadExtractRoundTrip)
{
    const QByteArray scenario = testsupport::scenario(64, 64);
    for (bool withListfile : {true, false}) {
        SCOPED_TRACE(withListfile ? "with listfile" : "without listfile");
        const QString path = makeMap("round.scm", scenario, withListfile);
        EXPECT_EQ(entry(path, Scenario), scenario);
        EXPECT_EQ(entry(path, Wav), QByteArray(500, 'w'));
        EXPECT_EQ(entry(path, Readme), QByteArray("made by the tests"));

        const QString out = file("out");
        QDir().mkpath(out);
        QFile::remove(out + "/scenario.chk");
        const Status extracted = mpq.extractEntry(path, Scenario, out + '/');
        ASSERT_TRUE(extracted.ok()) << extracted.reason().toStdString();
        EXPECT_EQ(readFile(out + "/scenario.chk"), scenario);
        EXPECT_EQ(QDir(out).entryList(QDir::Files), QStringList{"scenario.chk"});

        QStringList names;
        int count = 0;
        ASSERT_TRUE(mpq.listEntries(path, &names, &count).ok());
        if (withListfile) {
            EXPECT_EQ(count, 4);
            for (const QString &n : {Scenario, Wav, Readme, QStringLiteral("(listfile)")})
                EXPECT_TRUE(names.contains(n)) << n.toStdString();
        } else {
            // Only the names the program knows can be listed.
            EXPECT_EQ(count, 3);
            EXPECT_EQ(names, QStringList{Scenario});
        }
    }
}

TEST_F(Archive, StoredEntryIsCompressedAndEncryptedLikeTheGameStoresIt)
{
    const QString path = makeMap("flags.scm", testsupport::scenario(128, 128));
    const QString chk = file("scenario.chk");
    writeFile(chk, testsupport::scenario(128, 128, 3));
    ASSERT_TRUE(mpq.storeEntry(path, chk, Scenario).ok());

    const auto info = testsupport::findMpqEntry(readFile(path), Scenario.toLatin1());
    ASSERT_TRUE(info);
    EXPECT_EQ(info->flags & 0x7FFFFFFFu, 0x00010200u);
    EXPECT_EQ(info->locale, 0u);
    EXPECT_EQ(info->size, quint32(readFile(chk).size()));
    EXPECT_LT(info->compressedSize, info->size / 4) << "the entry was not compressed";
}

TEST_F(Archive, StoreReplacesOneEntryAndKeepsEveryOther)
{
    for (bool withListfile : {true, false}) {
        SCOPED_TRACE(withListfile ? "with listfile" : "without listfile");
        const QString path = makeMap("keep.scm", testsupport::scenario(96, 64), withListfile);
        QStringList namesBefore;
        int countBefore = 0;
        ASSERT_TRUE(mpq.listEntries(path, &namesBefore, &countBefore).ok());

        const QString chk = file("scenario.chk");
        const QByteArray changed = noisy(20000, 7);
        writeFile(chk, changed);
        const Status stored = mpq.storeEntry(path, chk, Scenario);
        ASSERT_TRUE(stored.ok()) << stored.reason().toStdString();

        EXPECT_EQ(entry(path, Scenario), changed);
        EXPECT_EQ(entry(path, Wav), QByteArray(500, 'w'));
        EXPECT_EQ(entry(path, Readme), QByteArray("made by the tests"));
        QStringList namesAfter;
        int countAfter = 0;
        ASSERT_TRUE(mpq.listEntries(path, &namesAfter, &countAfter).ok());
        namesBefore.sort(); // the library writes its listfile in its own order
        namesAfter.sort();
        EXPECT_EQ(namesAfter, namesBefore);
        EXPECT_EQ(countAfter, countBefore);
        EXPECT_EQ(readFile(chk), changed) << "storing must not touch the stored file";
        EXPECT_EQ(folderListing(), (QStringList{"keep.scm", "scenario.chk"}));
    }
}

TEST_F(Archive, StoreAddsAnEntryTheArchiveLacked)
{
    const QString path = file("noscenario.scm");
    testsupport::writeArchive(path, {{Readme.toLatin1(), "text"}});
    const QString chk = file("scenario.chk");
    writeFile(chk, testsupport::scenario(64, 64));
    ASSERT_TRUE(mpq.storeEntry(path, chk, Scenario).ok());
    EXPECT_EQ(entry(path, Scenario), readFile(chk));
    EXPECT_EQ(entry(path, Readme), QByteArray("text"));
}

TEST_F(Archive, RepeatedStoresDoNotGrowTheArchive)
{
    const QString path = makeMap("grow.scm", noisy(30000, 1));
    const QString chk = file("scenario.chk");
    writeFile(chk, noisy(30000, 2));
    ASSERT_TRUE(mpq.storeEntry(path, chk, Scenario).ok());
    const QByteArray afterFirst = readFile(path);
    for (int i = 0; i < 9; ++i)
        ASSERT_TRUE(mpq.storeEntry(path, chk, Scenario).ok());
    EXPECT_EQ(readFile(path).size(), afterFirst.size());
    EXPECT_EQ(readFile(path), afterFirst) << "storing the same bytes again changed the archive";
    EXPECT_EQ(entry(path, Scenario), readFile(chk));
}

TEST_F(Archive, LargeArchivesAreRewrittenOnlyOnceStoresLeaveAnEighthUnused)
{
    // A map with sounds: a store leaves the replaced scenario's bytes behind rather than
    // rewriting a megabyte, until they would be more than an eighth of the archive.
    const QString path = file("sounds.scm");
    const QByteArray sound = noisy(1 << 20, 7);
    testsupport::writeArchive(path, {{Scenario.toLatin1(), noisy(30000, 1)}, {Wav.toLatin1(), sound}});
    const qint64 original = QFileInfo(path).size();
    const QString chk = file("scenario.chk");
    QList<qint64> sizes;
    for (int round = 0; round < 24; ++round) {
        writeFile(chk, noisy(30000, quint32(2 + round % 2)));
        ASSERT_TRUE(mpq.storeEntry(path, chk, Scenario).ok()) << round;
        sizes.append(QFileInfo(path).size());
    }
    EXPECT_EQ(entry(path, Scenario), readFile(chk));
    EXPECT_EQ(entry(path, Wav), sound);
    EXPECT_GT(sizes.at(1), sizes.at(0)) << "a small store rewrote the whole archive";
    EXPECT_LT(*std::max_element(sizes.cbegin(), sizes.cend()), original * 8 / 7 + 32768)
        << "replaced entries pile up without end";
    EXPECT_FALSE(std::is_sorted(sizes.cbegin(), sizes.cend())) << "the archive is never compacted";
}

TEST_F(Archive, SameInputsGiveIdenticalBytes)
{
    const QByteArray scenario = testsupport::scenario(64, 96, 2);
    const QString a = makeMap("a.scm", scenario);
    const QString b = makeMap("b.scm", scenario);
    EXPECT_EQ(readFile(a), readFile(b));

    const QString chk = file("scenario.chk");
    writeFile(chk, noisy(12000, 3));
    ASSERT_TRUE(mpq.storeEntry(a, chk, Scenario).ok());
    ASSERT_TRUE(mpq.storeEntry(b, chk, Scenario).ok());
    EXPECT_EQ(readFile(a), readFile(b));
}

TEST_F(Archive, BadArchivesFailWithAReasonAndStayUnchanged)
{
    const QByteArray good = readFile(makeMap("good.scm", noisy(20000, 4)));
    ASSERT_GT(good.size(), 1000);

    struct Case
    {
        const char *label;
        QByteArray bytes;
        bool mustFail;    // false: the scenario entry may survive the damage
        bool dataIntact;  // the damage spares the entry's own bytes
    };
    QByteArray garbledTables = good;
    for (int i = good.size() - 200; i < good.size(); ++i) // the tables sit at the end
        garbledTables[i] = char(i * 37);
    QByteArray hugeSizes = good;
    for (int i = 8; i < 12; ++i) // the header's archive size
        hugeSizes[i] = '\xFF';
    QByteArray garbledData = good;
    for (int i = 0x40; i < 0x400; ++i) // inside the scenario entry's sectors
        garbledData[i] = char(i * 13);
    const Case cases[] = {
        {"zero bytes", QByteArray(), true, false},
        {"text file", QByteArray("this is not a map archive\n").repeated(40), true, false},
        {"header only", good.left(32), true, false},
        {"first half", good.left(good.size() / 2), true, false},
        {"missing last byte", good.left(good.size() - 1), false, true},
        {"garbled tables", garbledTables, false, true},
        {"huge archive size", hugeSizes, false, true},
        // Format-1 archives carry no checksums, so garbled sectors cannot always be told
        // from good ones; only a clean outcome is required.
        {"garbled entry data", garbledData, false, false},
    };

    const QString chk = file("scenario.chk");
    writeFile(chk, testsupport::scenario(64, 64));
    const QString out = file("out");
    ASSERT_TRUE(QDir().mkpath(out));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        const QString path = file("bad.scm");
        writeFile(path, c.bytes);

        QByteArray data;
        const Status read = mpq.readEntry(path, Scenario, &data);
        const Status extracted = mpq.extractEntry(path, Scenario, out);
        if (c.mustFail) {
            EXPECT_FALSE(read.ok());
        }
        if (!read.ok()) {
            EXPECT_FALSE(read.reason().isEmpty());
        } else if (c.dataIntact) {
            EXPECT_EQ(data, noisy(20000, 4)) << "damaged data reported as read";
        }
        EXPECT_EQ(read.ok(), extracted.ok());
        EXPECT_EQ(QFileInfo::exists(out + "/scenario.chk"), extracted.ok());
        QFile::remove(out + "/scenario.chk");

        QStringList names;
        int count = 0;
        (void)mpq.listEntries(path, &names, &count);

        const Status stored = mpq.storeEntry(path, chk, Scenario);
        if (stored.ok()) {
            EXPECT_EQ(entry(path, Scenario), readFile(chk));
        } else {
            EXPECT_FALSE(stored.reason().isEmpty());
            EXPECT_EQ(readFile(path), c.bytes) << "a failed store changed the archive";
        }
        QFile::remove(path);
        EXPECT_EQ(folderListing(), (QStringList{"good.scm", "scenario.chk"}));
    }
}

TEST_F(Archive, MissingThingsFailWithAReason)
{
    const QString path = makeMap("map.scm", testsupport::scenario(64, 64));
    QByteArray data;
    const struct
    {
        const char *label;
        Status outcome;
    } cases[] = {
        {"missing entry", mpq.readEntry(path, "staredit\\missing.chk", &data)},
        {"missing archive", mpq.readEntry(file("none.scm"), Scenario, &data)},
        {"folder as archive", mpq.readEntry(dir.path(), Scenario, &data)},
        {"list missing archive", mpq.listEntries(file("none.scm"), nullptr, nullptr)},
        {"extract missing entry", mpq.extractEntry(path, "x\\y.chk", dir.path())},
        {"extract into missing folder", mpq.extractEntry(path, Scenario, file("no/such"))},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_FALSE(c.outcome.ok());
        EXPECT_FALSE(c.outcome.reason().isEmpty());
    }
    EXPECT_EQ(folderListing(), QStringList{"map.scm"});
}

TEST_F(Archive, FailedStoresLeaveTheArchiveAsItWas)
{
    const QString path = makeMap("map.scm", testsupport::scenario(64, 64));
    expectStoreFails(path, file("missing.chk"));
    expectStoreFails(path, dir.path()); // a folder is no file to store

    const QString chk = file("scenario.chk");
    writeFile(chk, testsupport::scenario(64, 64));
    expectStoreFails(file("none.scm"), chk);
    EXPECT_FALSE(QFileInfo::exists(file("none.scm")));
    const QString notMpq = file("text.scm");
    writeFile(notMpq, QByteArray("plain text, no archive").repeated(100));
    expectStoreFails(notMpq, chk);
    const QString empty = file("empty.scm");
    writeFile(empty, {});
    expectStoreFails(empty, chk);
}

TEST_F(Archive, DamagedHeaderFieldsNeverCrash)
{
    const QByteArray scenario = noisy(9000, 5);
    const QByteArray good = readFile(makeMap("good.scm", scenario));
    const QString chk = file("scenario.chk");
    writeFile(chk, testsupport::scenario(64, 64));

    // Every header byte set to values that break sizes and shifts, then every 32-bit field
    // (sizes, table positions and lengths) set to the values that break arithmetic.
    QList<QByteArray> variants;
    for (int at = 4; at < 32; ++at) {
        for (const int value : {0x00, 0x01, 0x10, 0x1F, 0x7F, 0x80, 0xFF}) {
            QByteArray v = good;
            v[at] = char(value);
            variants << v;
        }
    }
    for (const int field : {4, 8, 12, 16, 20, 24, 28}) {
        for (const quint32 value : {0u, 1u, 0x7FFFFFFFu, 0xFFFFFFFFu, quint32(good.size()),
                                    quint32(good.size() - 16)}) {
            QByteArray v = good;
            qToLittleEndian<quint32>(value, v.data() + field);
            variants << v;
        }
    }

    const QString path = file("bad.scm");
    for (const QByteArray &v : variants) {
        writeFile(path, v);
        QByteArray data;
        const Status read = mpq.readEntry(path, Scenario, &data);
        if (!read.ok()) {
            EXPECT_FALSE(read.reason().isEmpty());
        }
        (void)mpq.listEntries(path, nullptr, nullptr);
        const Status stored = mpq.storeEntry(path, chk, Scenario);
        if (!stored.ok()) {
            EXPECT_EQ(readFile(path), v) << "a failed store changed the archive";
        }
    }
    QFile::remove(path);
    EXPECT_EQ(folderListing(), (QStringList{"good.scm", "scenario.chk"}));
}

TEST_F(Archive, ProtectedArchivesAreReadButNotWritten)
{
    const QByteArray scenario = testsupport::scenario(64, 64);
    const QByteArray good = readFile(makeMap("good.scm", scenario));
    const QString chk = file("scenario.chk");
    writeFile(chk, testsupport::scenario(64, 64, 5));

    // Header fields the game ignores but a careful writer cannot trust.
    QByteArray badVersion = good;
    badVersion[12] = 5;
    QByteArray badHeaderSize = good;
    badHeaderSize[4] = '\xFF';
    badHeaderSize[5] = '\xFF';
    for (const QByteArray &bytes : {badVersion, badHeaderSize}) {
        const QString path = file("protected.scm");
        writeFile(path, bytes);
        EXPECT_EQ(entry(path, Scenario), scenario);
        const Status stored = mpq.storeEntry(path, chk, Scenario);
        EXPECT_FALSE(stored.ok());
        EXPECT_TRUE(stored.reason().contains("protected")) << stored.reason().toStdString();
        EXPECT_EQ(readFile(path), bytes);
    }
}
