#include "core/common/FileNames.h"

#include "core/common/MessageText.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>

namespace {

/// This file's sentences, in their own translation context.
struct FileNamesText
{
    Q_DECLARE_TR_FUNCTIONS(FileNames)
};

/// The length of the UTF-8 sequence that starts with `lead`; 0 for a byte that starts none.
int sequenceLength(quint8 lead)
{
    return lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
}

} // namespace

namespace filenames {

bool qtHolds(const QByteArray &bytes)
{
    return QFile::encodeName(QFile::decodeName(bytes)) == bytes;
}

QString shownBytes(const QByteArray &bytes)
{
    QString out;
    for (qsizetype i = 0; i < bytes.size();) {
        const quint8 lead = quint8(bytes.at(i));
        const int length = sequenceLength(lead);
        bool valid = length > 0 && i + length <= bytes.size();
        for (int k = 1; valid && k < length; ++k)
            valid = (quint8(bytes.at(i + k)) & 0xc0) == 0x80;
        const QString decoded = valid ? QString::fromUtf8(bytes.mid(i, length)) : QString();
        if (valid && !decoded.contains(QChar::ReplacementCharacter)) {
            out += decoded;
            i += length;
        } else {
            out += QStringLiteral("\\x") + QString::number(lead, 16).toUpper().rightJustified(2, u'0');
            ++i;
        }
    }
    return messagetext::escaped(out);
}

QStringList unheldNames(const QString &folder, int most)
{
    QStringList names;
    DIR *dir = ::opendir(QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder).constData());
    if (!dir)
        return names;
    int looked = 0;
    while (const dirent *entry = ::readdir(dir)) {
        if (++looked > MaxListedNames || names.size() >= most)
            break;
        const QByteArray name(entry->d_name);
        if (!qtHolds(name))
            names.append(QLatin1Char('"') + shownBytes(name) + QLatin1Char('"'));
    }
    ::closedir(dir);
    names.sort();
    return names;
}

QString unheldNamesNote(const QString &path)
{
    const QStringList names = unheldNames(QFileInfo(path).absolutePath(), 3);
    if (names.isEmpty())
        return {};
    return FileNamesText::tr("its folder holds names that are not valid in the system's "
                             "encoding (UTF-8), which file dialogs do not list and which change "
                             "when given as text: %1; rename such a file to open it here")
        .arg(names.join(QStringLiteral(", ")));
}

} // namespace filenames
