// Hundreds of damaged and hostile map archives run through the real velmora-cli `convert`:
// each one ends in success with a correctly converted archive or in one of the documented
// failure statuses, never in a signal, and no input file changes.
#include "cli/ExitStatus.h"
#include "core/archive/MpqControl.h"

#include "TestSupport.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <set>

using testsupport::MpqEntry;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

const QByteArray Scenario = "staredit\\scenario.chk";
constexpr int Size = 64;

struct Mutant
{
    std::string label;
    QByteArray bytes;
};

testsupport::MpqLayout layoutOf(const QList<MpqEntry> &entries)
{
    testsupport::MpqLayout layout;
    layout.entries = entries;
    return layout;
}

QByteArray withByte(QByteArray bytes, qsizetype at, char value)
{
    if (at >= 0 && at < bytes.size())
        bytes[at] = value;
    return bytes;
}

QByteArray flipped(QByteArray bytes, qsizetype at, int bit)
{
    return withByte(bytes, at, char(bytes.at(at) ^ (1 << bit)));
}

/// `count` single-bit flips spread evenly over [from, from + length).
void addFlips(QList<Mutant> &out, const std::string &what, const QByteArray &base, qsizetype from,
              qsizetype length, int count)
{
    for (int i = 0; i < count && length > 0; ++i) {
        const qsizetype at = from + qsizetype(i) * length / count;
        out.append({what + " bit flip at " + std::to_string(at), flipped(base, at, i % 8)});
    }
}

/// Every header byte from 4 to 31 set to values that break sizes, shifts and positions.
void addHeaderMutants(QList<Mutant> &out, const QByteArray &base)
{
    for (int at = 4; at < 32; ++at)
        for (const int value : {0x00, 0x01, 0x7F, 0xFF})
            out.append({"header byte " + std::to_string(at) + " = " + std::to_string(value),
                        withByte(base, at, char(value))});
}

/// Bit flips over the hash and block tables and the entry data, truncations, a shifted
/// header, compression types the format does not allow and duplicate hash slots.
QList<Mutant> allMutants(const QByteArray &zlibBase, const QByteArray &storedBase,
                         const QByteArray &scenario)
{
    QList<Mutant> out;
    addHeaderMutants(out, zlibBase);
    const quint32 hashAt = qFromLittleEndian<quint32>(zlibBase.constData() + 16);
    const quint32 blockAt = qFromLittleEndian<quint32>(zlibBase.constData() + 20);
    addFlips(out, "hash table", zlibBase, hashAt, blockAt - hashAt, 32);
    addFlips(out, "block table", zlibBase, blockAt, zlibBase.size() - blockAt, 32);
    const auto zlibEntry = testsupport::findMpqEntry(zlibBase, Scenario);
    const auto storedEntry = testsupport::findMpqEntry(storedBase, Scenario);
    if (zlibEntry && storedEntry) {
        addFlips(out, "zlib entry", zlibBase, zlibEntry->offset, zlibEntry->compressedSize, 48);
        addFlips(out, "PKWARE entry", storedBase, storedEntry->offset, storedEntry->compressedSize, 64);
    }
    for (int part = 1; part < 12; ++part)
        out.append({"cut to " + std::to_string(part) + "/12", zlibBase.left(zlibBase.size() * part / 12)});
    out.append({"header moved by 512 bytes", QByteArray(512, 'x') + zlibBase});

    using Packing = MpqEntry::Packing;
    out.append({"LZMA sectors", testsupport::buildMpq(layoutOf({{Scenario, scenario, Packing::Lzma}}))});
    out.append({"LZMA single unit",
                testsupport::buildMpq(layoutOf({{Scenario, scenario, Packing::Lzma, true, true}}))});
    out.append({"single unit",
                testsupport::buildMpq(layoutOf({{Scenario, scenario, Packing::Zlib, true, true}}))});
    out.append({"stored, not encrypted",
                testsupport::buildMpq(layoutOf({{Scenario, scenario, Packing::Stored, false}}))});
    for (const int target : {0, 1, 2}) {
        auto twoSlots = layoutOf({{"staredit\\wav\\a.wav", QByteArray(3000, 'w')},
                               {"readme\\x.txt", scenario.left(100)},
                               {Scenario, scenario}});
        twoSlots.leadingSlots = {{Scenario, target}};
        out.append({"duplicate hash slot to block " + std::to_string(target), testsupport::buildMpq(twoSlots)});
    }
    return out;
}

/// The expected scenario after converting: each tile's value written at the first "TILE"
/// and "MTXM" sections of the scenario as it was read.
QByteArray expectedScenario(QByteArray original)
{
    for (const char *name : {"TILE", "MTXM"}) {
        const qsizetype at = original.indexOf(name) + 8;
        for (int y = 0; y < Size; ++y)
            for (int x = 0; x < Size; ++x)
                qToLittleEndian<quint16>(x < Size / 2 ? 5 : 7, original.data() + at + 2 * (y * Size + x));
    }
    return original;
}

} // namespace

TEST(MutantArchives, EveryMutantEndsInAVerifiedResultOrADocumentedStatus)
{
    QTemporaryDir dir;
    const auto file = [&](const QString &name) { return dir.filePath(name); };
    QImage picture(Size, Size, QImage::Format_RGB32);
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x)
            picture.setPixel(x, y, x < Size / 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    ASSERT_TRUE(picture.save(file("pic.bmp"), "BMP"));
    writeFile(file("colours.txt"), "#FF0000=5\n#0000FF=7\n");

    const MpqControl mpq;
    const QByteArray scenario = testsupport::scenario(Size, Size, 2);
    testsupport::writeMap(file("base.scm"), scenario);
    const QByteArray zlibBase = readFile(file("base.scm"));
    // The program's own way of storing: PKWARE-compressed and encrypted sectors.
    writeFile(file("scenario.chk"), scenario);
    ASSERT_TRUE(mpq.storeEntry(file("base.scm"), file("scenario.chk"), QString::fromLatin1(Scenario)).ok());
    const QByteArray storedBase = readFile(file("base.scm"));
    QFile::remove(file("base.scm"));
    QFile::remove(file("scenario.chk"));

    const QList<Mutant> mutants = allMutants(zlibBase, storedBase, scenario);
    ASSERT_GE(mutants.size(), 300);
    // The sanitizer build runs every fourth mutant: each run there costs seconds.
    const int step = qEnvironmentVariableIntValue("VELMORA_MUTANT_STEP") > 0
        ? qEnvironmentVariableIntValue("VELMORA_MUTANT_STEP") : 1;
    // A map that loads but that the archive worker cannot store into (it stops the library
    // in the save step) ends in "could not be saved", its own status.
    const std::set<int> documented{exitstatus::NotAnArchive, exitstatus::NoScenario, exitstatus::MapSize,
                                   exitstatus::BadScenario, exitstatus::CannotReplace,
                                   exitstatus::Protected};
    const QStringList inputs{"colours.txt", "map.scm", "pic.bmp"};
    std::map<int, int> statuses;
    for (int i = 0; i < mutants.size(); i += step) {
        const Mutant &m = mutants[i];
        SCOPED_TRACE(m.label);
        writeFile(file("map.scm"), m.bytes);
        QFile::remove(file("out.scm"));
        QProcess cli;
        cli.start(QStringLiteral(VELMORA_CLI_PATH),
                  {"convert", file("map.scm"), file("pic.bmp"), "--colors", file("colours.txt"), "-o",
                   file("out.scm")});
        ASSERT_TRUE(cli.waitForFinished(120000));
        ASSERT_EQ(cli.exitStatus(), QProcess::NormalExit) << "velmora-cli ended by a signal";
        const int status = cli.exitCode();
        ++statuses[status];
        EXPECT_EQ(readFile(file("map.scm")), m.bytes) << "the map changed";
        if (status == 0) {
            QByteArray read, converted;
            ASSERT_TRUE(mpq.readEntry(file("map.scm"), QString::fromLatin1(Scenario), &read).ok());
            ASSERT_TRUE(mpq.readEntry(file("out.scm"), QString::fromLatin1(Scenario), &converted).ok());
            EXPECT_EQ(converted, expectedScenario(read));
        } else {
            EXPECT_TRUE(documented.count(status)) << "status " << status << ": "
                                                  << cli.readAllStandardError().toStdString();
            EXPECT_FALSE(QFileInfo::exists(file("out.scm")));
        }
        const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        const QStringList withOutput{"colours.txt", "map.scm", "out.scm", "pic.bmp"};
        const bool onlyInputsAndOutput = left == inputs || left == withOutput;
        EXPECT_TRUE(onlyInputsAndOutput) << left.join(' ').toStdString();
    }
    for (const auto &[status, count] : statuses)
        std::printf("status %d: %d mutants\n", status, count);
}
