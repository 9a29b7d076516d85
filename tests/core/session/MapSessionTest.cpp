// The map session: every failure it hands on has its kind and a sentence in the user's
// terms, and none of them touches the user's map.
#include "core/session/MapSession.h"

#include "core/archive/MpqControl.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

using testsupport::readFile;

namespace {

/// A real archive whose extraction or store fails with a chosen kind, the way the archive
/// code reports it: with a sentence naming its own (working) path.
class KindFailingArchive : public MpqControl
{
public:
    enum class Step { Extract, Store, List };
    KindFailingArchive(Step step, FailureKind kind) : m_step(step), m_kind(kind) {}

    Status extractEntry(const QString &archive, const QString &entry,
                        const QString &dest) const override
    {
        if (m_step == Step::Extract)
            return injected(archive);
        return MpqControl::extractEntry(archive, entry, dest);
    }
    Status storeEntry(const QString &archive, const QString &file,
                      const QString &entry) const override
    {
        if (m_step == Step::Store) {
            // Half a store: the working archive is cut, as a full disk would leave it.
            QFile cut(archive);
            (void)cut.resize(cut.size() / 2);
            return injected(archive);
        }
        return MpqControl::storeEntry(archive, file, entry);
    }
    Status listEntries(const QString &archive, QStringList *names, int *count) const override
    {
        if (m_step == Step::List)
            return injected(archive);
        return MpqControl::listEntries(archive, names, count);
    }
    // A checked store goes through the steps above, so that their failures are injected.
    Status storeChecked(const QString &archive, const QString &file, const QString &entry,
                        const Failure &notVerified, CheckedArchive *checked) const override
    {
        return ArchiveAccess::storeChecked(archive, file, entry, notVerified, checked);
    }

private:
    Status injected(const QString &archive) const
    {
        return Status::failure(m_kind, QStringLiteral("injected failure in \"%1\"").arg(archive));
    }
    Step m_step;
    FailureKind m_kind;
};

class Session : public ::testing::Test
{
protected:
    testsupport::ProgramFolder program;
    QString map;
    QByteArray original;
    const QString shownFolder = QStringLiteral("/shown/working/folder");

    void SetUp() override
    {
        map = program.file("Island.scm");
        testsupport::writeMap(map, testsupport::scenario(64, 64, 4));
        original = readFile(map);
    }
    Workspace workspace() const { return Workspace(program.path()); }

    /// The sentence names the user's file or the shown folder, never a working path.
    void expectUserTerms(const Status &failed, const QString &mentions)
    {
        EXPECT_TRUE(failed.reason().contains(mentions)) << failed.reason().toStdString();
        EXPECT_FALSE(failed.reason().contains(workspace().folder())) << failed.reason().toStdString();
        EXPECT_EQ(readFile(map), original) << "the user's map changed";
    }
};

TEST_F(Session, ArchiveFailuresWhileOpeningKeepTheirKindInTheUsersTerms)
{
    using Step = KindFailingArchive::Step;
    const struct
    {
        const char *label;
        FailureKind kind;
        bool namesFolder; // the sentence names the working folder instead of the map
    } cases[] = {
        {"not an archive", FailureKind::NotAnArchive, false},
        {"no scenario entry", FailureKind::NoScenario, false},
        {"damaged entry", FailureKind::Damaged, false},
        {"disk full while extracting", FailureKind::WorkingFolder, true},
        {"map unreadable", FailureKind::MapUnreadable, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        const KindFailingArchive archive(Step::Extract, c.kind);
        MapSession session(workspace(), archive, shownFolder);
        const Status opened = session.open(map);
        EXPECT_FALSE(opened.ok());
        EXPECT_EQ(opened.kind(), c.kind);
        EXPECT_FALSE(session.isOpen());
        expectUserTerms(opened, c.namesFolder ? shownFolder : map);
    }
}

TEST_F(Session, FailuresWhileSavingLeaveTheTargetAsItWas)
{
    using Step = KindFailingArchive::Step;
    const struct
    {
        const char *label;
        Step step;
        FailureKind injected;
        FailureKind reported;
        bool namesFolder;
    } cases[] = {
        {"protected archive", Step::Store, FailureKind::ProtectedArchive, FailureKind::ProtectedArchive, false},
        {"disk full while storing", Step::Store, FailureKind::WorkingFolder, FailureKind::WorkingFolder, true},
        {"archive damaged by the store", Step::Store, FailureKind::NotAnArchive, FailureKind::Output, false},
        {"listing fails", Step::List, FailureKind::Damaged, FailureKind::Output, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        const KindFailingArchive archive(c.step, c.injected);
        MapSession session(workspace(), archive, shownFolder);
        ASSERT_TRUE(session.open(map).ok());
        ASSERT_TRUE(session.applyTileset(6).ok());
        const Status saved = session.save(map);
        EXPECT_FALSE(saved.ok());
        EXPECT_EQ(saved.kind(), c.reported);
        expectUserTerms(saved, c.namesFolder ? shownFolder : map);
        EXPECT_EQ(QDir(program.path()).entryList(QDir::Files), QStringList{"Island.scm"})
            << "a temporary file was left beside the map";
    }
}

TEST_F(Session, CommandsWithoutAMapSaySoInTheUsersWords)
{
    const MpqControl archive;
    MapSession session(workspace(), archive, shownFolder);
    QStringList names;
    int count = 0;
    const picture::Pixels picture(64, 64);
    const Status results[] = {
        Status(session.tileset().ok() ? Status() : Status(session.tileset().failure())),
        session.applyTileset(1),
        session.convert(picture, QList<qint32>{0}, QStringList{"0"}),
        session.save(program.file("out.scm")),
        session.listEntries(&names, &count),
    };
    for (const Status &result : results) {
        EXPECT_EQ(result.kind(), FailureKind::NoMap);
        EXPECT_EQ(result.reason(), QStringLiteral("No map is loaded. Load a map first."));
    }
    EXPECT_FALSE(QFile::exists(program.file("out.scm")));

    // A failed open leaves no map behind either: the old one's working files are gone.
    ASSERT_TRUE(session.open(map).ok());
    EXPECT_FALSE(session.open(program.file("missing.scm")).ok());
    EXPECT_EQ(session.save(program.file("out.scm")).kind(), FailureKind::NoMap);
}

TEST_F(Session, SizeCheckRefusesOddSizesButReportsThem)
{
    testsupport::writeMap(map, testsupport::scenario(20, 100));
    const MpqControl archive;
    MapSession session(workspace(), archive, shownFolder);

    const Status strict = session.open(map);
    EXPECT_EQ(strict.kind(), FailureKind::UnsupportedSize);
    EXPECT_TRUE(strict.reason().contains(map));
    EXPECT_EQ(session.size().width, 20);
    EXPECT_EQ(session.size().height, 100);
    EXPECT_FALSE(session.isOpen());

    ASSERT_TRUE(session.open(map, {}, MapSession::SizeCheck::AnySize).ok());
    EXPECT_EQ(session.sizeAccepted().kind(), FailureKind::UnsupportedSize);
}

} // namespace
