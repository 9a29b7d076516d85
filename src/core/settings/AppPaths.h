#pragma once

#include <QString>
#include <QStringList>

/// Where the program keeps its files. Two layouts:
/// - beside the program ("portable"): when the program's folder is writable and is not an
///   installed system folder (a build tree, a copied folder), "config.ini", the working
///   folder "temp" and the lock "velmora.lock" sit in that folder, as they always have;
/// - per user: otherwise the settings go to the user's configuration folder, the working
///   folder to a private folder in the user's cache, the lock to the user's runtime folder.
/// Two users of an installed program therefore never share a file.
struct AppPaths
{
    /// The names of the settings file, the working folder and the lock beside the program.
    static constexpr char ConfigFileName[] = "config.ini";
    static constexpr char WorkFolderName[] = "temp";
    static constexpr char LockFileName[] = "velmora.lock";

    QString programDir;
    QString configFile;
    QString workFolder;
    QString lockFile;
    /// Where readme.txt may be, in order: beside the program, then the installed
    /// documentation folder.
    QStringList readmeCandidates;
    bool perUser = false;

    /// The layout for the program in `programDir`, decided as described above.
    [[nodiscard]] static AppPaths forProgram(const QString &programDir);
    /// Everything beside the program in `programDir`.
    [[nodiscard]] static AppPaths portable(const QString &programDir);
    /// The per-user places (QStandardPaths), for the program in `programDir`.
    [[nodiscard]] static AppPaths perUserFor(const QString &programDir);

    /// True when `programDir` can hold the program's files: writable, and not the binary
    /// folder of an installation (one with the documentation folder beside it).
    [[nodiscard]] static bool isPortableFolder(const QString &programDir);

    /// The first readme candidate that is a file, or an empty string.
    [[nodiscard]] QString readme() const;
};

/// Why the folder `path` cannot be created or written, as the end of a sentence
/// ("... cannot be created: <reason>"): which part of the path is in the way and how.
[[nodiscard]] QString whyFolderUnusable(const QString &path);

/// Creates `path` (and its parents) when missing. The last folder is made private to the
/// user (owner-only permissions) when `privateToUser`. True when it exists as a writable
/// folder afterwards.
[[nodiscard]] bool makeFolder(const QString &path, bool privateToUser);
