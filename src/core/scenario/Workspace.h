#pragma once

#include "core/common/Result.h"

#include <QString>

class ArchiveAccess;

/// The working folder (by default "<program folder>/temp"; see AppPaths): "~temp.map", a
/// byte copy of the chosen map archive, and "scenario.chk", its scenario entry as a plain
/// file that the program edits in place. Both files stay on disk from one map load to the
/// next, and go when the program ends (removeFiles).
class Workspace
{
public:
    explicit Workspace(const QString &programDir);
    /// A working folder at `folder` itself.
    [[nodiscard]] static Workspace inFolder(const QString &folder);

    /// The scenario entry's name inside a map archive.
    static const QString ScenarioEntry;

    QString folder() const;
    QString archivePath() const;
    QString scenarioPath() const;

    /// Deletes both working files when present and creates the folder when missing (only
    /// its owner may enter it). Fails, naming the folder and the reason, when the folder
    /// cannot be created or written.
    [[nodiscard]] Status clear() const;
    /// Deletes both working files, and the folder when nothing else is left in it.
    [[nodiscard]] Status removeFiles() const;
    /// Copies the chosen archive, byte for byte, to "~temp.map".
    [[nodiscard]] Status copyIn(const QString &chosenMap) const;
    /// Extracts the scenario entry of "~temp.map" as "scenario.chk".
    [[nodiscard]] Status extractScenario(const ArchiveAccess &archive) const;

private:
    QString m_folder;
};
