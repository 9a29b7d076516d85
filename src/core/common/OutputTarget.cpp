#include "core/common/OutputTarget.h"

#include "core/common/FileIdentity.h"
#include "core/common/UserText.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>

namespace {

/// This file's sentences, in their own translation context.
struct OutputTargetText
{
    Q_DECLARE_TR_FUNCTIONS(OutputTarget)
};

} // namespace

namespace outputtarget {
namespace {

/// Files of an input folder looked at for another name of the target (a hard link): the
/// game data folder holds a few hundred.
constexpr int MaxFolderEntries = 20000;

/// True when a file inside `folder` (two levels down) is the file `target` names.
bool isFileOf(const fileidentity::FileId &target, const QString &folder)
{
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    for (int seen = 0; it.hasNext() && seen < MaxFolderEntries; ++seen) {
        const QString path = it.next();
        if (path.count(QLatin1Char('/')) - folder.count(QLatin1Char('/')) > 2)
            continue;
        if (fileidentity::idOf(path) == target)
            return true;
    }
    return false;
}

} // namespace

Status checkKind(const QString &target)
{
    if (target.isEmpty())
        return fail(FailureKind::Output, OutputTargetText::tr("No file name was given for the output."));
    const fileidentity::FileType type = fileidentity::typeOf(target);
    if (type == fileidentity::FileType::Missing || type == fileidentity::FileType::Regular)
        return {};
    return fail(FailureKind::Output,
                OutputTargetText::tr("\"%1\" is %2, not a regular file; Velmora writes only regular files or "
                   "new names. Choose another file.")
                    .arg(shownPath(target), fileidentity::typeName(type)));
}

Status checkNotInput(const QString &target, const QList<Input> &inputs)
{
    const std::optional<fileidentity::FileId> id = fileidentity::idOf(target);
    for (const Input &input : inputs) {
        if (input.path.isEmpty())
            continue;
        const bool clash = input.folder
            ? fileidentity::liesWithin(target, input.path) || (id && isFileOf(*id, input.path))
            : fileidentity::sameFile(target, input.path);
        if (clash)
            return fail(FailureKind::Output,
                        OutputTargetText::tr("\"%1\" is %2, which this job reads; choose another file.")
                            .arg(shownPath(target), input.what));
    }
    return {};
}

Status check(const QString &target, const QList<Input> &inputs)
{
    if (Status kind = checkKind(target); !kind)
        return kind;
    return checkNotInput(target, inputs);
}

} // namespace outputtarget
