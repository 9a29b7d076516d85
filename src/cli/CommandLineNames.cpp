#include "cli/CommandLineNames.h"

#include "core/common/FileNames.h"
#include "core/common/UserText.h"

#include <QDir>
#include <QFile>

#include <algorithm>

#include <unistd.h>

CommandLineNames::CommandLineNames(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        const QString decoded = QFile::decodeName(bytes);
        m_arguments.append(filenames::qtHolds(bytes) ? decoded : linkFor(bytes, i));
    }
}

QString CommandLineNames::linkFor(const QByteArray &bytes, int index)
{
    if (!m_folder)
        m_folder = std::make_unique<PrivateFolder>();
    if (!m_folder->isValid())
        return QFile::decodeName(bytes); // no place for links: the name as Qt reads it
    QByteArray target = bytes;
    if (!target.startsWith('/'))
        target = QFile::encodeName(QDir::currentPath()) + '/' + target;
    // The suffix stays (".scm"), so what looks at a name's ending sees the same.
    const qsizetype dot = bytes.lastIndexOf('.');
    const QByteArray suffix = dot > bytes.lastIndexOf('/') ? bytes.mid(dot) : QByteArray();
    const bool asciiSuffix = std::all_of(suffix.begin(), suffix.end(),
                                         [](char c) { return c > 0x20 && c < 0x7f && c != '/'; });
    const QString link = QDir(m_folder->path())
                             .filePath(QStringLiteral("argument-%1").arg(index)
                                       + (asciiSuffix ? QString::fromLatin1(suffix) : QString()));
    if (::symlink(target.constData(), QFile::encodeName(link).constData()) != 0)
        return QFile::decodeName(bytes);
    m_links.append({link, filenames::shownBytes(bytes)});
    return link;
}

QString CommandLineNames::shown(QString text) const
{
    for (const auto &[link, argument] : m_links) {
        text.replace(shownPath(link), argument);
        text.replace(link, argument);
    }
    return text;
}
