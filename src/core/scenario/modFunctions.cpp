#include "core/scenario/modFunctions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <limits>

namespace modFunctions {

qint32 FindSection(const QString &path, const QByteArray &name, Outcome *error)
{
    auto fail = [&](const QString &reason) {
        if (error)
            *error = Outcome::failure(reason);
        return qint32(-1);
    };
    if (error)
        *error = Outcome::success();
    if (name.size() != 4)
        return fail(QObject::tr("\"%1\" is not a section name of four characters.")
                        .arg(QString::fromLatin1(name)));

    const QString shown = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists()) {
        // A missing file is left behind empty; it holds no section.
        QFile created(path);
        if (!created.open(QIODevice::WriteOnly))
            return fail(QObject::tr("The scenario file \"%1\" is missing and cannot be "
                                    "created.")
                            .arg(shown));
        return -1;
    }

    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return fail(QObject::tr("The scenario file \"%1\" cannot be read.").arg(shown));
    // Offsets are signed 32-bit; a larger file cannot be a scenario file.
    if (file.size() > std::numeric_limits<qint32>::max() - 4)
        return fail(QObject::tr("The scenario file \"%1\" is too large.").arg(shown));
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        return fail(QObject::tr("The scenario file \"%1\" cannot be read.").arg(shown));
    file.close();

    const qsizetype at = bytes.indexOf(name);
    return at < 0 ? -1 : qint32(at + 4);
}

} // namespace modFunctions
