#pragma once

#include "core/common/Result.h"

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

    /// Parses the text of a colour file. A failure (kind Colors for a malformed line or a
    /// repeated key, Values for a tile value out of range) says which line is wrong and why.
    static Result<ColorFile> parse(const QString &text);
    /// Reads and parses the file at `path`; a file that cannot be read fails with kind Colors.
    static Result<ColorFile> read(const QString &path);

    const QList<Assignment> &assignments() const { return m_assignments; }

    /// The colour list's key for a `#RRGGBB` text or a decimal key; empty when `text` is
    /// neither. Decimal keys are taken as written, so they must match the list exactly.
    static QString keyFromText(const QString &text);

private:
    QList<Assignment> m_assignments;
};
