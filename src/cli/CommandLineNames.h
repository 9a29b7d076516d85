#pragma once

#include "cli/PrivateFolder.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>

/// The command line as the system gives it: bytes. An argument whose bytes a file name in
/// Qt cannot hold (a Latin-1 "Kart\xE9.scm" where names are UTF-8) becomes a symbolic link
/// in a private folder that points at exactly those bytes, so every reader and the saver
/// reach the user's file; messages show the argument, its odd bytes escaped, instead.
class CommandLineNames
{
public:
    /// The arguments after the program's name.
    CommandLineNames(int argc, char **argv);

    const QStringList &arguments() const { return m_arguments; }

    /// `text` with every private link's path replaced by the argument it stands for.
    [[nodiscard]] QString shown(QString text) const;

private:
    QString linkFor(const QByteArray &bytes, int index);

    QStringList m_arguments;
    std::unique_ptr<PrivateFolder> m_folder;
    QList<std::pair<QString, QString>> m_links; ///< link path, shown argument
};
