#pragma once

#include "core/common/Outcome.h"

#include <QList>
#include <QString>

/// A colour file: the tile value of each colour, for scripted conversions.
///
/// One `KEY=VALUE` per line. KEY is a colour key as the colour list shows it ("00000255",
/// "-00000001") or the colour as `#RRGGBB`; VALUE is a tile value from 0 to 32767. Spaces
/// around KEY and VALUE are ignored, as are blank lines and comment lines starting with
/// `#`. A line of the form `#TEXT=...` (no space before the `=`) is read as a colour, so a
/// mistyped colour is reported rather than skipped as a comment.
class ColorFile
{
public:
    struct Assignment
    {
        QString key;     ///< colour key, always in the colour list's form
        quint16 value;   ///< tile value
        int line;        ///< 1-based line number in the file
    };

    /// What went wrong reading a colour file.
    enum class Problem
    {
        None,
        Unreadable,    ///< the file cannot be read
        Malformed,     ///< a line is not KEY=VALUE, a key is not a colour, or a key repeats
        OutOfRange,    ///< a value is not a whole number from 0 to 32767
    };

    /// Parses the text of a colour file. On failure `problem()` and `reason()` say which line
    /// is wrong and why, and `assignments()` is empty.
    static ColorFile parse(const QString &text);
    /// Reads and parses the file at `path`.
    static ColorFile read(const QString &path);

    bool ok() const { return m_problem == Problem::None; }
    Problem problem() const { return m_problem; }
    const QString &reason() const { return m_reason; }
    const QList<Assignment> &assignments() const { return m_assignments; }

    /// The colour list's key for a `#RRGGBB` text or a decimal key; empty when `text` is
    /// neither. Decimal keys are taken as written, so they must match the list exactly.
    static QString keyFromText(const QString &text);

private:
    Problem m_problem = Problem::None;
    QString m_reason;
    QList<Assignment> m_assignments;
};
