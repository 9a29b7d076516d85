#include "core/archive/ArchiveFailure.h"

#include "core/common/UserText.h"

#include <QObject>
#include <QCoreApplication>

namespace {

/// This file's sentences, in their own translation context.
struct ArchiveFailureText
{
    Q_DECLARE_TR_FUNCTIONS(ArchiveFailure)
};

} // namespace

Failure archiveFailure(ArchiveProblem problem, const QString &archive, const QString &entry)
{
    const QString shown = shownPath(archive);
    switch (problem) {
    case ArchiveProblem::Missing:
        return fail(FailureKind::MapUnreadable,
                    ArchiveFailureText::tr("The map archive \"%1\" does not exist or cannot be read.")
                        .arg(shown));
    case ArchiveProblem::NotAnArchive:
        return fail(FailureKind::NotAnArchive,
                    ArchiveFailureText::tr("\"%1\" is not a map archive, or it is damaged. Choose another "
                                "map file.").arg(shown));
    case ArchiveProblem::NoEntry:
        return fail(FailureKind::NoScenario,
                    ArchiveFailureText::tr("The map archive \"%1\" has no entry \"%2\".").arg(shown, entry));
    case ArchiveProblem::EntryDamaged:
        return fail(FailureKind::Damaged,
                    ArchiveFailureText::tr("The entry \"%1\" of the map archive \"%2\" is damaged and cannot "
                                "be read.").arg(entry, shown));
    case ArchiveProblem::EntryTooLarge:
        return fail(FailureKind::Damaged,
                    ArchiveFailureText::tr("The entry \"%1\" of the map archive \"%2\" is larger than Velmora "
                                "reads.").arg(entry, shown));
    case ArchiveProblem::Protected:
        return fail(FailureKind::ProtectedArchive,
                    ArchiveFailureText::tr("The map archive \"%1\" is protected and cannot be written.")
                        .arg(shown));
    case ArchiveProblem::FolderUnwritable:
        return fail(FailureKind::WorkingFolder,
                    ArchiveFailureText::tr("The folder of \"%1\" cannot be written to. Check that the disk is "
                                "not full and that you may write there.").arg(shown));
    case ArchiveProblem::ReadBack:
        return fail(FailureKind::Damaged,
                    ArchiveFailureText::tr("The entry \"%1\" did not read back correctly from the map archive "
                                "\"%2\"; the archive was left as it was.").arg(entry, shown));
    case ArchiveProblem::Unreadable:
        break;
    }
    return fail(FailureKind::Damaged,
                ArchiveFailureText::tr("The map archive \"%1\" is damaged or uses a form Velmora cannot read.")
                    .arg(shown));
}

std::optional<ArchiveProblem> archiveProblemOf(FailureKind kind)
{
    switch (kind) {
    case FailureKind::MapUnreadable:
        return ArchiveProblem::Missing;
    case FailureKind::NotAnArchive:
        return ArchiveProblem::NotAnArchive;
    case FailureKind::NoScenario:
        return ArchiveProblem::NoEntry;
    case FailureKind::Damaged:
        return ArchiveProblem::Unreadable;
    case FailureKind::ProtectedArchive:
        return ArchiveProblem::Protected;
    default:
        return std::nullopt;
    }
}
