#include "core/scenario/modFunctions.h"

#include "core/common/UserText.h"
#include "core/scenario/ScenarioFile.h"

#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>

namespace {

/// This file's sentences, in their own translation context.
struct modFunctionsText
{
    Q_DECLARE_TR_FUNCTIONS(modFunctions)
};

} // namespace

namespace modFunctions {

qint32 FindSection(const QString &path, const QByteArray &name, Status *error)
{
    Status outcome;
    qint32 position = -1;
    if (name.size() != 4) {
        outcome = fail(FailureKind::Unspecified,
                       modFunctionsText::tr("\"%1\" is not a section name of four characters.")
                           .arg(QString::fromLatin1(name)));
    } else if (!QFileInfo::exists(path)) {
        // A missing file is left behind empty; it holds no section.
        if (QFile created(path); !created.open(QIODevice::WriteOnly))
            outcome = fail(FailureKind::BadScenario,
                           modFunctionsText::tr("The scenario file \"%1\" is missing and cannot be created.")
                               .arg(shownPath(path)));
    } else if (const Result<ScenarioFile> file = ScenarioFile::read(path, path); !file) {
        outcome = file.failure();
    } else {
        position = file->findSection(name);
    }
    if (error)
        *error = outcome;
    return position;
}

} // namespace modFunctions
