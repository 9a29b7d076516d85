// The archive worker: workers that die, hang or talk nonsense become ordinary failures;
// hostile archives that stop the library end in a refusal; damaged entry data is never
// handed out as sound; the protocol parser takes exactly one message.
#include "core/archive/MpqControl.h"
#include "core/archive/worker/WorkerProtocol.h"

#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using testsupport::MpqEntry;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

testsupport::MpqLayout layoutOf(const QList<MpqEntry> &entries)
{
    testsupport::MpqLayout layout;
    layout.entries = entries;
    return layout;
}

const QString Scenario = QStringLiteral("staredit\\scenario.chk");

class Worker : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QTemporaryDir scripts; // stand-in workers live apart from the archives
    MpqControl mpq;

    QString file(const QString &name) const { return dir.filePath(name); }

    QStringList listing() const
    {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    QString standIn(const QString &name, const QByteArray &script)
    {
        const QString path = scripts.filePath(name);
        writeFile(path, "#!/bin/sh\n" + script + "\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    /// Every operation fails with a sentence naming the archive, which stays as it was,
    /// and nothing is left beside it.
    void expectEveryOperationFails(const ArchiveAccess &archive, const QString &map,
                                   FailureKind kind)
    {
        const QByteArray before = readFile(map);
        const QStringList filesBefore = listing();
        const QString chk = file("scenario.chk");
        QByteArray data;
        QStringList names;
        int count = 0;
        const Status outcomes[] = {
            archive.readEntry(map, Scenario, &data),
            archive.listEntries(map, &names, &count),
            archive.storeEntry(map, chk, Scenario),
        };
        for (const Status &outcome : outcomes) {
            EXPECT_FALSE(outcome.ok());
            EXPECT_EQ(outcome.kind(), kind);
            EXPECT_TRUE(outcome.reason().contains(QDir::toNativeSeparators(map)))
                << outcome.reason().toStdString();
        }
        EXPECT_EQ(readFile(map), before);
        EXPECT_EQ(listing(), filesBefore);
    }
};

} // namespace

TEST_F(Worker, WorkersThatDieHangOrTalkNonsenseAreOrdinaryFailures)
{
    const QString map = file("map.scm");
    testsupport::writeMap(map, testsupport::scenario(64, 64));
    writeFile(file("scenario.chk"), testsupport::scenario(64, 64, 2));
    const struct
    {
        const char *label;
        QByteArray script;
    } cases[] = {
        {"aborts", "kill -ABRT $$"},
        {"crashes", "kill -SEGV $$"},
        {"hangs", "exec sleep 30"},
        {"replies nonsense", "cat > /dev/null; echo nonsense"},
        {"fails without a reply", "exit 3"},
        {"replies twice", "cat > /dev/null; printf 'VMAR\\001\\000\\000VMAR\\001\\000\\000'"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        const QString worker = standIn("worker.sh", c.script);
        const MpqControl standInControl(worker, {500, 64});
        QElapsedTimer clock;
        clock.start();
        expectEveryOperationFails(standInControl, map, FailureKind::Damaged);
        EXPECT_LT(clock.elapsed(), 10000) << "the time limit did not stop the worker";
    }
}

TEST_F(Worker, RealWorkerIsFoundBesideTheProgram)
{
    ASSERT_FALSE(mpq.workerPath().isEmpty());
    EXPECT_TRUE(mpq.workerPath().endsWith("/velmora-archive-worker"));
    const MpqControl missing(file("no-such-worker"), {});
    const QString map = file("map.scm");
    testsupport::writeMap(map, testsupport::scenario(64, 64));
    QByteArray data;
    const Status read = missing.readEntry(map, Scenario, &data);
    EXPECT_FALSE(read.ok());
    EXPECT_FALSE(read.reason().isEmpty());
}

TEST_F(Worker, MemoryLimitTurnsHugeAllocationsIntoFailures)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory rules out an address-space limit";
#endif
    const QString map = file("big.scm");
    const QByteArray big(48 * 1024 * 1024, '\0'); // compresses to almost nothing
    testsupport::writeArchive(map, {{Scenario.toLatin1(), big}});
    QByteArray data;
    ASSERT_TRUE(mpq.readEntry(map, Scenario, &data).ok());
    EXPECT_EQ(data.size(), big.size());
    const MpqControl tight(mpq.workerPath(), {30000, 64});
    const Status read = tight.readEntry(map, Scenario, &data);
    EXPECT_FALSE(read.ok());
    EXPECT_EQ(read.kind(), FailureKind::Damaged);
}

TEST_F(Worker, HostileArchivesEndInARefusalAndStayUnchanged)
{
    const QByteArray scenario = testsupport::scenario(64, 64, 1);
    const QByteArray wav(5000, 'w');
    using Packing = MpqEntry::Packing;
    const auto lzma = layoutOf({{Scenario.toLatin1(), scenario, Packing::Lzma}});
    const auto lzmaSingle = layoutOf({{Scenario.toLatin1(), scenario, Packing::Lzma, true, true}});
    // Two slots for the scenario's name, the first pointing at another entry's block.
    auto twoSlots = layoutOf({{"staredit\\wav\\a.wav", wav}, {Scenario.toLatin1(), scenario}});
    twoSlots.leadingSlots = {{Scenario.toLatin1(), 0}};
    const struct
    {
        const char *label;
        testsupport::MpqLayout layout;
        bool readable; // the scenario entry may be read (and must then be exact)
    } cases[] = {
        {"LZMA sectors in a format-1 archive", lzma, false},
        {"LZMA single unit in a format-1 archive", lzmaSingle, false},
        {"duplicate hash slots", twoSlots, true},
    };
    const QString chk = file("scenario.chk");
    writeFile(chk, testsupport::scenario(64, 64, 4));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        const QString map = file("hostile.scm");
        const QByteArray bytes = testsupport::buildMpq(c.layout);
        writeFile(map, bytes);
        QByteArray data;
        const Status read = mpq.readEntry(map, Scenario, &data);
        if (read.ok()) {
            EXPECT_TRUE(c.readable);
            EXPECT_TRUE(data == scenario || data == wav);
        } else {
            EXPECT_EQ(read.kind(), FailureKind::Damaged) << read.reason().toStdString();
        }
        const Status stored = mpq.storeEntry(map, chk, Scenario);
        if (stored.ok()) {
            ASSERT_TRUE(mpq.readEntry(map, Scenario, &data).ok());
            EXPECT_EQ(data, readFile(chk));
        } else {
            EXPECT_FALSE(stored.reason().isEmpty());
            EXPECT_EQ(readFile(map), bytes) << "a failed store changed the archive";
        }
        EXPECT_EQ(listing(), (QStringList{"hostile.scm", "scenario.chk"}));
    }
}

// Bit flips in the compressed, encrypted sectors of an entry. Stored the way the program
// stores it (PKWARE, no checksums) a read either fails or gives a whole entry whose sectors
// each decoded to exactly their size; the library alone hands out short sectors filled
// with zeros. With CRC32s or MD5s in "(attributes)" every damaged read is refused.
TEST_F(Worker, FlippedBitsInStoredSectorsAreNeverReadAsSound)
{
    QByteArray chk = testsupport::scenario(128, 128, 2);
    for (int i = 0; i < chk.size(); i += 7)
        chk[i] = char(chk[i] + 1 + i % 13); // no run of zeros anywhere
    writeFile(file("scenario.chk"), chk);
    const QString map = file("map.scm");
    testsupport::writeMap(map, testsupport::scenario(64, 64));
    ASSERT_TRUE(mpq.storeEntry(map, file("scenario.chk"), Scenario).ok());
    // Stored as they are: only the checksum can tell a flipped bit.
    auto checked = layoutOf({{Scenario.toLatin1(), chk, MpqEntry::Packing::Stored}});
    checked.attributes = true;
    auto md5Checked = checked;
    md5Checked.attributes = false;
    md5Checked.md5Attributes = true;
    const struct
    {
        const char *label;
        QByteArray archive;
        bool checksums;
    } bases[] = {{"stored by the program", readFile(map), false},
                 {"with CRC32 attributes", testsupport::buildMpq(checked), true},
                 {"with MD5 attributes", testsupport::buildMpq(md5Checked), true}};
    for (const auto &base : bases) {
        SCOPED_TRACE(base.label);
        const auto entry = testsupport::findMpqEntry(base.archive, Scenario.toLatin1());
        ASSERT_TRUE(entry);
        ASSERT_GT(entry->compressedSize, 200u);
        int refused = 0;
        const int flips = 60;
        for (int i = 0; i < flips; ++i) {
            QByteArray bad = base.archive;
            const quint32 at = entry->offset + 1 + quint32(i) * (entry->compressedSize - 2) / flips;
            bad[at] = char(bad[at] ^ (1 << (i % 8)));
            writeFile(map, bad);
            QByteArray data;
            const Status read = mpq.readEntry(map, Scenario, &data);
            if (!read.ok()) {
                ++refused;
                EXPECT_EQ(read.kind(), FailureKind::Damaged);
                continue;
            }
            if (base.checksums) {
                EXPECT_EQ(data, chk) << "damaged data read as sound, flip at " << at;
            }
            ASSERT_EQ(data.size(), chk.size());
            for (qsizetype s = 0; s < data.size(); s += 4096)
                EXPECT_NE(data.mid(s, 4096).right(8), QByteArray(8, '\0')) << "zero-filled sector";
        }
        EXPECT_GT(refused, flips / 2);
    }
}

TEST(WorkerProtocol, ParserTakesExactlyOneMessage)
{
    using workerprotocol::decode;
    using workerprotocol::encode;
    const workerprotocol::Message message{'S', {"archive", "", std::string(300, '\0'), "x"}};
    const std::string bytes = encode(true, message);
    const auto back = decode(true, bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->code, message.code);
    EXPECT_EQ(back->fields, message.fields);
    EXPECT_FALSE(decode(false, bytes)) << "a request read as a reply";

    for (std::size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(decode(true, bytes.substr(0, cut))) << "cut at " << cut;
    EXPECT_FALSE(decode(true, bytes + '\0'));
    std::string badVersion = bytes;
    badVersion[4] = 2;
    EXPECT_FALSE(decode(true, badVersion));
    std::string tooMany = encode(true, {'S', std::vector<std::string>(workerprotocol::MaxFields + 1)});
    EXPECT_FALSE(decode(true, tooMany));
    std::string hugeLength = encode(true, {'R', {"a"}});
    hugeLength[7] = '\xFF';
    hugeLength[10] = '\x7F';
    EXPECT_FALSE(decode(true, hugeLength));

    EXPECT_EQ(workerprotocol::readNumber(workerprotocol::number64(0x0102030405060708ull)),
              0x0102030405060708ull);
    EXPECT_FALSE(workerprotocol::readNumber("abc"));
}

// One worker serves many requests. Whatever happens to it between or during them is an
// ordinary failure of that one request at most, and the next request meets a sound worker.
TEST_F(Worker, WorkerThatEndsBetweenOrDuringLaterRequestsCostsAtMostThatRequest)
{
    const QString map = file("map.scm");
    testsupport::writeMap(map, testsupport::scenario(64, 64));
    const QByteArray scenario = testsupport::scenario(64, 64, 3);
    writeFile(file("scenario.chk"), scenario);
    const QByteArray original = readFile(map);
    const QString real = mpq.workerPath();
    // The first request as the program encodes it, so a stand-in can pass exactly that on.
    const std::size_t firstRequest = workerprotocol::encode(
        true, {'R', {QFile::encodeName(map).toStdString(), Scenario.toStdString(),
                     workerprotocol::number64(ArchiveAccess::DefaultMaxEntrySize)}}).size();
    // The first worker started serves one request and then does what the case says; any
    // later one is the real worker.
    const QByteArray started = scripts.filePath("started").toUtf8();
    const QByteArray servesOne = "if [ -e '" + started + "' ]; then exec '" + real.toUtf8()
        + "' \"$@\"; fi\n: > '" + started + "'\nhead -c " + QByteArray::number(qulonglong(firstRequest))
        + " | '" + real.toUtf8() + "' \"$@\"\n";
    using Op = std::function<Status(const ArchiveAccess &)>;
    const struct
    {
        const char *label;
        Op op;
    } ops[] = {
        {"read", [&](const ArchiveAccess &a) { QByteArray d; return a.readEntry(map, Scenario, &d); }},
        {"list", [&](const ArchiveAccess &a) { int n = 0; return a.listEntries(map, nullptr, &n); }},
        {"store", [&](const ArchiveAccess &a) { return a.storeEntry(map, file("scenario.chk"), Scenario); }},
    };
    const struct
    {
        const char *label;
        QByteArray afterFirst; // what the stand-in does once the real worker has served one
        bool laterFails;
    } ends[] = {
        {"dies in the next request", "head -c 9 > /dev/null; kill -SEGV $$", true},
        {"replies nonsense to the next request", "head -c 9 > /dev/null; echo nonsense", true},
        {"ended while it waited", "", false},
    };
    for (const auto &end : ends) {
        for (const auto &op : ops) {
            SCOPED_TRACE(std::string(end.label) + ", " + op.label);
            writeFile(map, original);
            QFile::remove(QString::fromUtf8(started));
            const MpqControl control(standIn("session.sh", servesOne + end.afterFirst), {5000, 256});
            QByteArray data;
            ASSERT_TRUE(control.readEntry(map, Scenario, &data).ok());
            const Status later = op.op(control);
            if (end.laterFails) {
                EXPECT_FALSE(later.ok());
                EXPECT_EQ(later.kind(), FailureKind::Damaged);
                EXPECT_TRUE(later.reason().contains(QDir::toNativeSeparators(map)))
                    << later.reason().toStdString();
                EXPECT_EQ(readFile(map), original) << "a failed request changed the archive";
                EXPECT_EQ(listing(), (QStringList{"map.scm", "scenario.chk"}));
                // The next request starts a fresh worker, which serves it.
                ASSERT_TRUE(op.op(control).ok());
            } else {
                EXPECT_TRUE(later.ok()) << later.reason().toStdString();
            }
            if (QLatin1String(op.label) == QLatin1String("store")) {
                ASSERT_TRUE(mpq.readEntry(map, Scenario, &data).ok());
                EXPECT_EQ(data, scenario);
            }
        }
    }
}

TEST(WorkerProtocol, MessagesAreTakenOffAStreamOneAtATime)
{
    using workerprotocol::messageSize;
    const std::string request = workerprotocol::encode(true, {'S', {"archive", "", std::string(300, 'd'), "x"}});
    const std::string reply = workerprotocol::encode(false, {0, {"data"}});
    for (std::size_t cut = 0; cut < request.size(); ++cut) {
        const auto size = messageSize(true, request.substr(0, cut));
        ASSERT_TRUE(size) << "cut at " << cut;
        // Once every length has arrived the size is known; before, more bytes are asked for.
        EXPECT_TRUE(*size == 0 || *size == request.size()) << "cut at " << cut;
    }
    EXPECT_EQ(messageSize(true, request), request.size());
    EXPECT_EQ(messageSize(true, request + reply), request.size()) << "the next message counts";
    EXPECT_EQ(messageSize(false, reply + request), reply.size());

    std::string badVersion = request;
    badVersion[4] = 2;
    std::string tooMany = request;
    tooMany[6] = char(workerprotocol::MaxFields + 1);
    std::string huge = request;
    huge[10] = '\x7F'; // the first field claims about two gigabytes
    const struct
    {
        const char *label;
        std::string bytes;
    } refused[] = {
        {"a reply where a request belongs", reply},
        {"wrong magic after one byte", "X"},
        {"wrong magic after three bytes", "VMX"},
        {"wrong version", badVersion},
        {"too many fields", tooMany.substr(0, 7)},
        {"a field beyond the size limit", huge.substr(0, 11)},
    };
    for (const auto &r : refused)
        EXPECT_FALSE(messageSize(true, r.bytes)) << r.label;
}

// Taken piece by piece as a file is copied, the fingerprint is the one of the whole, however
// the pieces fall against its blocks of 32 bytes.
TEST(WorkerProtocol, FingerprintInPiecesIsTheWholeOnes)
{
    std::string bytes;
    for (int i = 0; i < 200; ++i)
        bytes += char(i * 53 + 7);
    for (const std::size_t size : {0, 1, 8, 31, 32, 33, 63, 64, 100, 200})
        for (const std::size_t piece : {1, 3, 7, 8, 31, 32, 33, 64, 200}) {
            const std::string_view text = std::string_view(bytes).substr(0, size);
            workerprotocol::Fingerprint print(size);
            for (std::size_t at = 0; at < size; at += piece)
                print.add(text.substr(at, piece));
            EXPECT_EQ(print.value(), workerprotocol::fingerprint(text)) << size << " " << piece;
        }
}

// The fingerprint that tells the saver it copies the archive the worker checked: any one
// changed byte, at any place of any length (whole words and every size of last word), any
// byte added or cut off, and two words swapped, each give another fingerprint.
TEST(WorkerProtocol, FingerprintSeesEveryOneByteChange)
{
    using workerprotocol::fingerprint;
    std::string bytes;
    for (int i = 0; i < 80; ++i)
        bytes += char(i * 37 + 11);
    for (std::size_t size = 0; size <= 72; ++size) { // two blocks of four words, and the rest
        const std::string text = bytes.substr(0, size);
        const std::uint64_t print = fingerprint(text);
        for (std::size_t at = 0; at < size; ++at)
            for (const int flip : {0x01, 0x80, 0xFF}) {
                std::string changed = text;
                changed[at] = char(changed[at] ^ flip);
                EXPECT_NE(fingerprint(changed), print) << size << " " << at << " " << flip;
            }
        EXPECT_NE(fingerprint(text + '\0'), print) << size;
        if (size > 0) {
            EXPECT_NE(fingerprint(text.substr(0, size - 1)), print) << size;
        }
        if (size >= 16) {
            EXPECT_NE(fingerprint(text.substr(8, 8) + text.substr(0, 8) + text.substr(16)), print) << size;
        }
    }
}
