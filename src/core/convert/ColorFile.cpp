#include "core/convert/ColorFile.h"

#include "core/common/BoundedFile.h"
#include "core/convert/Conversion.h"
#include "core/picture/ColorKey.h"
#include "core/picture/ColorTable.h"

#include <QObject>
#include <QStringDecoder>
#include <QStringView>

#include <algorithm>
#include <array>
#include <numeric>
#include <string_view>
#include <vector>

namespace {

/// A text as quoted in a message: at most 40 characters, so a huge line stays readable.
QString quoted(const QString &text)
{
    constexpr qsizetype Shown = 40;
    return text.size() <= Shown ? text : text.left(Shown) + QStringLiteral("...");
}

/// "#TEXT=..." with no space inside TEXT: a colour line, not a comment.
bool isColourLine(QStringView line)
{
    qsizetype i = 1;
    while (i < line.size() && !line[i].isSpace() && line[i] != u'=')
        ++i;
    if (i == 1)
        return false;
    while (i < line.size() && line[i].isSpace())
        ++i;
    return i < line.size() && line[i] == u'=';
}

/// Where the line starting at `begin` ends (at "\n", "\r" or the text's end), and where the
/// next one begins ("\r\n" counts as one line end).
struct LineEnd
{
    qsizetype end;
    qsizetype next;
};

LineEnd lineEnd(std::string_view text, qsizetype begin)
{
    const qsizetype n = qsizetype(text.size());
    qsizetype i = begin;
    while (i < n && text[i] != '\n' && text[i] != '\r')
        ++i;
    const qsizetype next = i + (i + 1 < n && text[i] == '\r' && text[i + 1] == '\n' ? 2 : 1);
    return {i, next};
}

/// QStringView::trimmed, without its call for the usual text: a line that starts and ends
/// with ASCII characters other than spaces is returned as it is.
QStringView trimmedFast(QStringView text)
{
    const auto plain = [](QChar c) { return c.unicode() > u' ' && c.unicode() < 0x7f; };
    if (text.isEmpty() || (plain(text.front()) && plain(text.back())))
        return text;
    return text.trimmed();
}

/// A colour written the way colour files are written: "#RRGGBB" or eight digits (ASCII, so
/// each byte is one character).
std::optional<qint32> writtenColour(std::string_view key)
{
    char16_t wide[8];
    std::copy(key.begin(), key.end(), wide);
    const QStringView text(wide, qsizetype(key.size()));
    return key.size() == 7 ? colorkey::valueFromRgbText(text) : colorkey::valueFromKey(text);
}

/// A line in the form colour files are written in, "#RRGGBB=N" or eight digits "=N" with N a
/// tile value, read in one pass from text[*start] up to the line's end, which *start then
/// moves past. False (nothing moved) for any other line: the general reading takes it.
bool writtenFormLine(std::string_view text, qsizetype *start, qint32 *color, quint16 *value)
{
    const qsizetype n = qsizetype(text.size());
    qsizetype i = *start;
    std::optional<qint32> read;
    if (i + 8 <= n && text[i] == '#' && text[i + 7] == '=')
        read = writtenColour(text.substr(i, 7));
    else if (i + 9 <= n && text[i + 8] == '=')
        read = writtenColour(text.substr(i, 8));
    if (!read)
        return false;
    i += text[i] == '#' ? 8 : 9;
    const qsizetype digits = i;
    quint32 tile = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
        tile = tile * 10 + quint32(text[i] - '0');
        if (tile > conversion::MaxTileValue)
            return false;
    }
    if (i == digits || (i < n && text[i] != '\n' && text[i] != '\r'))
        return false;
    *start = lineEnd(text, i).next;
    *color = *read;
    *value = quint16(tile);
    return true;
}

/// The characters of one line of UTF-8 bytes. An ASCII line (nearly every line) is widened
/// into a buffer kept from line to line, so reading a file allocates nothing per line; any
/// other line is decoded as UTF-8.
class LineText
{
public:
    QStringView set(std::string_view bytes)
    {
        if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; })) {
            m_ascii.assign(bytes.begin(), bytes.end());
            return QStringView(m_ascii.data(), qsizetype(m_ascii.size()));
        }
        // As when the whole text is decoded at once: a sequence cut off by the line's end is
        // a broken character, and a byte-order mark inside the text is a character.
        QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::Stateless
                                                          | QStringConverter::Flag::ConvertInitialBom);
        m_decoded = decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
        return m_decoded;
    }

private:
    std::u16string m_ascii;
    QString m_decoded;
};

/// The failure for a colour given a value again on `lineNo`, when `lineOfColor` (colour ->
/// the line that first gave it a value) is kept; nothing otherwise.
std::optional<Failure> repeated(ColorTable *lineOfColor, qint32 color, int lineNo)
{
    if (!lineOfColor)
        return std::nullopt;
    const auto [firstLine, added] = lineOfColor->insert(color, lineNo);
    if (added)
        return std::nullopt;
    return fail(FailureKind::Colors,
                QObject::tr("line %1 gives colour %2 a value again (first on line %3)")
                    .arg(lineNo)
                    .arg(colorkey::colorKey(color))
                    .arg(*firstLine));
}

/// Whether a colour appears twice: the colour values (the no-pixel value and 24 bits, so
/// 25 bits once moved up by one) sorted by their bits in three passes over a compact array,
/// then compared with their neighbours.
bool anyColourTwice(const QList<ColorFile::Assignment> &assignments)
{
    std::vector<quint32> keys(size_t(assignments.size())), sorted(keys.size());
    std::transform(assignments.cbegin(), assignments.cend(), keys.begin(),
                   [](const ColorFile::Assignment &a) { return quint32(a.color + 1); });
    for (const int shift : {0, 9, 18}) {
        std::array<quint32, 513> start{};
        for (const quint32 key : keys)
            ++start[((key >> shift) & 511) + 1];
        std::partial_sum(start.begin(), start.end(), start.begin());
        for (const quint32 key : keys)
            sorted[start[(key >> shift) & 511]++] = key;
        keys.swap(sorted);
    }
    return std::adjacent_find(keys.begin(), keys.end()) != keys.end();
}

/// A file name on one line: a line break in it would end the comment it stands in.
QString oneLineName(QString name)
{
    name.replace(u'\r', u' ');
    return name.replace(u'\n', u' ');
}

} // namespace

std::optional<qint32> ColorFile::colorFromText(QStringView text)
{
    if (const std::optional<qint32> value = colorkey::valueFromRgbText(text))
        return value;
    return colorkey::valueFromKey(text);
}

Result<ColorFile> ColorFile::parse(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return parseLines(std::string_view(utf8.constData(), size_t(utf8.size())), 0);
}

Result<ColorFile> ColorFile::parseUtf8(QByteArrayView utf8)
{
    const std::string_view text(utf8.data(), size_t(utf8.size()));
    // A byte-order mark at the start is no part of the text.
    return parseLines(text, text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0);
}

Result<ColorFile> ColorFile::parseLines(std::string_view text, qsizetype next)
{
    // A colour line takes ten bytes or more: room for that many colours, up to a colour
    // list's size (a larger file grows as it needs; pages never written cost nothing).
    const qsizetype expected = std::min<qsizetype>(qsizetype(text.size()) / 10 + 1, 1 << 15);
    // Most files are sound: read without looking up each colour as it comes (a table of
    // thousands of colours misses the cache on nearly every one), then searched for a
    // repeat in one sort. A file with any problem is read again, looking colours up line by
    // line, so that its message names the first problem in it.
    Result<ColorFile> file = readLines(text, next, expected, nullptr);
    if (file && !anyColourTwice(file->m_assignments))
        return file;
    ColorTable lineOfColor(expected);
    return readLines(text, next, expected, &lineOfColor);
}

Result<ColorFile> ColorFile::readLines(std::string_view text, qsizetype next,
                                       qsizetype expected, ColorTable *lineOfColor)
{
    const qsizetype size = qsizetype(text.size());
    ColorFile file;
    file.m_assignments.reserve(expected);
    LineText lineText;
    // A text ending in a line end still has an empty last line; an empty text has one line.
    for (int lineNo = 1; next <= size; ++lineNo) {
        qint32 written = 0;
        quint16 tile = 0;
        if (writtenFormLine(text, &next, &written, &tile)) {
            if (const std::optional<Failure> again = repeated(lineOfColor, written, lineNo))
                return *again;
            file.m_assignments.append({written, tile, lineNo});
            continue;
        }
        const LineEnd end = lineEnd(text, next);
        const QStringView line = trimmedFast(lineText.set(text.substr(next, end.end - next)));
        next = end.next;
        // "#FF0000=5" is a colour; so is a mistyped "#FF00=5", which must not pass as a comment.
        if (line.isEmpty() || (line.startsWith(u'#') && !isColourLine(line)))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            return fail(FailureKind::Colors, QObject::tr("line %1 is not KEY=VALUE: \"%2\"")
                                                 .arg(lineNo)
                                                 .arg(quoted(line.toString())));
        const QStringView keyText = trimmedFast(line.first(eq));
        const QStringView valueText = trimmedFast(line.sliced(eq + 1));
        const std::optional<qint32> color = colorFromText(keyText);
        if (!color)
            return fail(FailureKind::Colors,
                        QObject::tr("line %1: \"%2\" is not a colour key (eight digits, such as "
                                    "00000255) or a colour (such as #FF0000)")
                            .arg(lineNo)
                            .arg(quoted(keyText.toString())));
        if (const std::optional<Failure> again = repeated(lineOfColor, *color, lineNo))
            return *again;
        quint16 value = 0;
        if (!conversion::parseTileValue(valueText, &value))
            return fail(FailureKind::Values,
                        QObject::tr("line %1: the tile value \"%2\" of colour %3 is not a whole "
                                    "number from 0 to 32767")
                            .arg(lineNo)
                            .arg(quoted(valueText.toString()), colorkey::colorKey(*color)));
        file.m_assignments.append({*color, value, lineNo});
    }
    return file;
}

QByteArray ColorFile::formatUtf8(const Origin &origin, const QList<Entry> &entries)
{
    const QByteArray header =
        (QStringLiteral("# Colour file for velmora-cli convert: one KEY=VALUE per line, VALUE a "
                        "tile value\n# from 0 to 32767. Map ")
         + oneLineName(origin.mapName) + QStringLiteral(" (") + QString::number(origin.width)
         + QStringLiteral(" x ") + QString::number(origin.height)
         + QStringLiteral(" tiles), picture ") + oneLineName(origin.pictureName)
         + QStringLiteral(": ") + QString::number(entries.size())
         + QStringLiteral(" colours in colour list order.\n"))
            .toUtf8();
    // Each colour's lines straight into one buffer: a list holds up to 32767 colours.
    constexpr qsizetype Room = 64 + 2 * colorkey::MaxKeyChars;
    QByteArray text(header.size() + Room * entries.size(), Qt::Uninitialized);
    char *out = std::copy(header.cbegin(), header.cend(), text.data());
    const auto put = [&out](std::string_view part) { out = std::copy(part.begin(), part.end(), out); };
    for (const Entry &entry : entries) {
        put("\n# ");
        if (entry.color < 0)
            put("no picture pixel");
        else
            out = colorkey::writeRgb(entry.color, out);
        put(", ");
        out = colorkey::writeNumber(entry.tiles, out);
        put(entry.tiles == 1 ? " tile\n" : " tiles\n");
        out = colorkey::writeKey(entry.color, out);
        *out++ = '=';
        out = colorkey::writeNumber(entry.value, out);
        *out++ = '\n';
    }
    text.truncate(out - text.constData());
    return text;
}

QString ColorFile::format(const Origin &origin, const QList<Entry> &entries)
{
    return QString::fromUtf8(formatUtf8(origin, entries));
}

Result<ColorFile> ColorFile::read(const QString &path)
{
    Result<QByteArray> bytes =
        boundedfile::read(path, boundedfile::MaxColorFileBytes, FailureKind::Colors);
    if (!bytes)
        return bytes.failure();
    return parseUtf8(bytes.value());
}
