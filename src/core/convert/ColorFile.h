#pragma once

#include "core/common/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>
#include <string_view>

/// A colour file: the tile value of each colour, for scripted conversions.
///
/// One `KEY=VALUE` per line (a line ends at LF, CR LF or a lone CR). KEY is a colour key as
/// the colour list shows it (eight digits such as "00000255", or "-00000001") or the colour
/// as `#RRGGBB`; VALUE is a tile value from 0 to 32767. Spaces around KEY and VALUE are
/// ignored, as are blank lines and comment lines starting with `#`. A line of the form
/// `#TEXT=...` (no space before the `=`) is read as a colour, so a mistyped colour is
/// reported rather than skipped as a comment. Files over boundedfile::MaxColorFileBytes,
/// and anything but a regular file, are refused before they are read.
class ColorFile
{
public:
    struct Assignment
    {
        qint32 color;    ///< the colour value (colorkey::pixelValue's numbering, -1 = no pixel)
        quint16 value;   ///< tile value
        int line;        ///< 1-based line number in the file
    };

    /// What a written colour file names in its header: the map (its file name and size in
    /// tiles) and the picture (its file name) the colours come from.
    struct Origin
    {
        QString mapName;
        int width = 0;
        int height = 0;
        QString pictureName;
    };
    /// One colour as written: its value (-1 = no pixel), how many tiles have it, its tile value.
    struct Entry
    {
        qint32 color;
        int tiles;
        quint16 value;
    };

    /// The text of a colour file holding `entries` in their order: two comment lines naming
    /// `origin` and the number of colours, then per colour a blank line, a comment with its
    /// #RRGGBB (or "no picture pixel") and tile count, and its KEY=VALUE line. parse() reads
    /// it back to the same colours and values.
    static QString format(const Origin &origin, const QList<Entry> &entries);
    /// The same text as UTF-8 bytes, made without a QString per colour.
    static QByteArray formatUtf8(const Origin &origin, const QList<Entry> &entries);

    /// Parses the text of a colour file. A failure (kind Colors for a malformed line or a
    /// repeated key, Values for a tile value out of range) says which line is wrong and why.
    static Result<ColorFile> parse(const QString &text);
    /// The same for the file's bytes, read as UTF-8 without a copy of the whole text.
    static Result<ColorFile> parseUtf8(QByteArrayView utf8);
    /// Reads and parses the file at `path`; a file that cannot be read fails with kind Colors.
    static Result<ColorFile> read(const QString &path);

    const QList<Assignment> &assignments() const { return m_assignments; }

    /// The tile value of each colour of `colors` (distinct colour values, as a scan gives
    /// them): the file's value, else the one in `matched`, else 0 (counted in `unnamed`).
    /// `absent` receives the file's lines whose colour is not among `colors`, in file order.
    [[nodiscard]] QList<quint16> tileValues(const QList<qint32> &colors,
                                            const QHash<qint32, quint16> &matched, int *unnamed,
                                            QList<Assignment> *absent) const;

    /// The colour value a `#RRGGBB` text or a colour key stands for; nullopt for anything
    /// else (a key of more or fewer than eight digits, or one beyond 24 bits).
    static std::optional<qint32> colorFromText(QStringView text);

private:
    /// Reads the lines of UTF-8 `text` from byte `next` on.
    static Result<ColorFile> parseLines(std::string_view text, qsizetype next);

    QList<Assignment> m_assignments;
};
