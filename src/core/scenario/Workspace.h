#pragma once

#include "core/common/Result.h"

#include <QString>

class ArchiveAccess;

/// The working folder "<program folder>/temp": "~temp.map", a byte copy of the chosen map
/// archive, and "scenario.chk", its scenario entry as a plain file that the program edits
/// in place. Both files stay on disk from one map load to the next.
class Workspace
{
public:
    explicit Workspace(const QString &programDir);

    /// The scenario entry's name inside a map archive.
    static const QString ScenarioEntry;

    QString folder() const;
    QString archivePath() const;
    QString scenarioPath() const;

    /// Deletes both working files when present and creates the folder when missing.
    [[nodiscard]] Status clear() const;
    /// Copies the chosen archive, byte for byte, to "~temp.map".
    [[nodiscard]] Status copyIn(const QString &chosenMap) const;
    /// Extracts the scenario entry of "~temp.map" as "scenario.chk".
    [[nodiscard]] Status extractScenario(const ArchiveAccess &archive) const;

private:
    QString m_programDir;
};
