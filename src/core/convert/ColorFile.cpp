#include "core/convert/ColorFile.h"

#include "core/common/BoundedFile.h"
#include "core/convert/ColorLookup.h"
#include "core/convert/Conversion.h"
#include "core/picture/ColorKey.h"

#include <QObject>
#include <QStringDecoder>
#include <QStringView>

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>
#include <QCoreApplication>

namespace {

/// This file's sentences, in their own translation context.
struct ColorFileText
{
    Q_DECLARE_TR_FUNCTIONS(ColorFile)
};

} // namespace

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

/// A colour written the way colour files are written, read from its bytes: `rgb` is the six
/// hex digits of "#RRGGBB", `key` the eight digits of a colour key (one of them null). The
/// same answers as colorkey::valueFromRgbText and colorkey::valueFromKey give for these
/// texts, without widening each line to UTF-16 first.
std::optional<qint32> writtenColour(const char *rgb, const char *key)
{
    quint32 value = 0;
    if (rgb) {
        for (int i = 0; i < 6; ++i) {
            const int digit = colorkey::HexDigit[uchar(rgb[i])];
            if (digit < 0)
                return std::nullopt;
            value = value << 4 | quint32(digit);
        }
        return colorkey::colorValue(int(value >> 16), int(value >> 8), int(value));
    }
    for (int i = 0; i < 8; ++i) {
        const quint32 digit = quint32(uchar(key[i])) - '0';
        if (digit > 9)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value <= 0xFFFFFF ? std::optional<qint32>(qint32(value)) : std::nullopt;
}

/// A line in the form colour files are written in, "#RRGGBB=N" or eight digits "=N" with N a
/// tile value, read in one pass from text[*start] up to the line's end, which *start then
/// moves past. False (nothing moved) for any other line: the general reading takes it.
bool writtenFormLine(std::string_view text, qsizetype *start, qint32 *color, quint16 *value)
{
    const qsizetype n = qsizetype(text.size());
    const char *const at = text.data() + *start;
    qsizetype i = *start;
    std::optional<qint32> read;
    if (i + 8 <= n && at[0] == '#' && at[7] == '=') {
        read = writtenColour(at + 1, nullptr);
        i += 8;
    } else if (i + 9 <= n && at[8] == '=') {
        read = writtenColour(nullptr, at);
        i += 9;
    }
    if (!read)
        return false;
    const qsizetype digits = i;
    quint32 tile = 0;
    for (; i < n && quint32(uchar(text[i])) - '0' <= 9; ++i) {
        tile = tile * 10 + quint32(text[i] - '0');
        if (tile > conversion::MaxTileValue)
            return false;
    }
    if (i == digits || (i < n && text[i] != '\n' && text[i] != '\r'))
        return false;
    *start = i + (i + 1 < n && text[i] == '\r' && text[i + 1] == '\n' ? 2 : 1);
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

/// The colours given a value so far, to find one given again as its line is read: open
/// addressing in one flat array of colour values plus two (0: free), at most half full. Four
/// bytes a slot, so the table for a colour list's 32767 colours (256 KiB) stays in the cache
/// while the file is read, and no second pass or sort is needed.
class ColoursGiven
{
public:
    explicit ColoursGiven(qsizetype expected) { resize(expected); }

    /// Adds `color` (a pixel value); false when it is there already.
    bool add(qint32 color)
    {
        if (2 * (m_size + 1) > qsizetype(m_slots.size()))
            resize(m_size + 1);
        return place(quint32(color + 2));
    }

private:
    bool place(quint32 key)
    {
        const size_t mask = m_slots.size() - 1;
        for (size_t i = (key * 0x9E3779B1u) >> m_shift;; i = (i + 1) & mask) {
            if (m_slots[i] == key)
                return false;
            if (m_slots[i] == 0) {
                m_slots[i] = key;
                ++m_size;
                return true;
            }
        }
    }

    /// Room for `count` colours, the ones already given kept.
    void resize(qsizetype count)
    {
        int bits = 4;
        while ((qsizetype(1) << bits) < 2 * count)
            ++bits;
        std::vector<quint32> old(size_t(1) << bits, 0);
        old.swap(m_slots);
        m_shift = 32 - bits;
        m_size = 0;
        for (const quint32 key : old)
            if (key != 0)
                place(key);
    }

    std::vector<quint32> m_slots;
    int m_shift = 32;
    qsizetype m_size = 0;
};

/// The failure for `color` given a value again on `lineNo`, naming the line of `assignments`
/// that first gave it one.
Failure givenAgain(const QList<ColorFile::Assignment> &assignments, qint32 color, int lineNo)
{
    const auto first = std::find_if(assignments.cbegin(), assignments.cend(),
                                    [color](const ColorFile::Assignment &a) { return a.color == color; });
    return fail(FailureKind::Colors,
                ColorFileText::tr("line %1 gives colour %2 a value again (first on line %3)")
                    .arg(lineNo)
                    .arg(colorkey::colorKey(color))
                    .arg(first->line));
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
    const qsizetype size = qsizetype(text.size());
    // A colour line takes ten bytes or more: room for that many colours, up to a colour
    // list's size (a larger file grows as it needs; pages never written cost nothing).
    const qsizetype expected = std::min<qsizetype>(size / 10 + 1, 1 << 15);
    ColorFile file;
    file.m_assignments.reserve(expected);
    ColoursGiven given(expected);
    LineText lineText;
    // A text ending in a line end still has an empty last line; an empty text has one line.
    for (int lineNo = 1; next <= size; ++lineNo) {
        qint32 color = 0;
        quint16 tile = 0;
        if (writtenFormLine(text, &next, &color, &tile)) {
            if (!given.add(color))
                return givenAgain(file.m_assignments, color, lineNo);
            file.m_assignments.append({color, tile, lineNo});
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
            return fail(FailureKind::Colors, ColorFileText::tr("line %1 is not KEY=VALUE: \"%2\"")
                                                 .arg(lineNo)
                                                 .arg(quoted(line.toString())));
        const QStringView keyText = trimmedFast(line.first(eq));
        const QStringView valueText = trimmedFast(line.sliced(eq + 1));
        const std::optional<qint32> key = colorFromText(keyText);
        if (!key)
            return fail(FailureKind::Colors,
                        ColorFileText::tr("line %1: \"%2\" is not a colour key (eight digits, such as "
                                    "00000255) or a colour (such as #FF0000)")
                            .arg(lineNo)
                            .arg(quoted(keyText.toString())));
        if (!given.add(*key))
            return givenAgain(file.m_assignments, *key, lineNo);
        if (!conversion::parseTileValue(valueText, &tile))
            return fail(FailureKind::Values,
                        ColorFileText::tr("line %1: the tile value \"%2\" of colour %3 is not a whole "
                                    "number from 0 to %4")
                            .arg(lineNo)
                            .arg(quoted(valueText.toString()), colorkey::colorKey(*key),
                                 QString::number(conversion::MaxTileValue)));
        file.m_assignments.append({*key, tile, lineNo});
    }
    return file;
}

QList<quint16> ColorFile::tileValues(const QList<qint32> &colors,
                                     const QHash<qint32, quint16> &matched, int *unnamed,
                                     QList<Assignment> *absent) const
{
    // Each line's colour is found among the colours, not each colour among the lines. Lines
    // in the list's order (as colors --template writes them) are found at the entry after
    // the one found last, a few others by a plain search; only a file in another order has
    // the look-up table built (16 bits a slot, over the list itself).
    const qsizetype count = std::min<qsizetype>(colors.size(), colorkey::MaxColors);
    const qint32 *const list = colors.constData();
    std::optional<ColorLookup> table;
    int searchesLeft = 4;
    qsizetype last = -1;
    const auto positionOf = [&](qint32 color) -> qsizetype {
        if (last + 1 < count && list[last + 1] == color)
            return last + 1;
        if (!table && searchesLeft > 0) {
            --searchesLeft;
            const qint32 *const found = std::find(list, list + count, color);
            return found == list + count ? -1 : found - list;
        }
        if (!table)
            table.emplace(colors);
        return table->indexOf(color);
    };
    // No tile value has the top bit: it marks a colour no line has named yet.
    constexpr quint16 Unnamed = 0x8000;
    static_assert(conversion::MaxTileValue < Unnamed);
    QList<quint16> values(colors.size(), Unnamed);
    quint16 *const value = values.data();
    absent->clear();
    for (const Assignment &a : m_assignments) {
        const qsizetype at = positionOf(a.color);
        // A colour given twice (parse refuses that) keeps its first value; the other is unused.
        if (at < 0 || value[at] != Unnamed) {
            absent->append(a);
            continue;
        }
        value[at] = a.value;
        last = at;
    }
    *unnamed = 0;
    for (qsizetype i = 0; i < colors.size(); ++i) {
        if (value[i] != Unnamed)
            continue;
        const auto it = matched.constFind(list[i]);
        value[i] = it != matched.cend() ? *it : 0;
        *unnamed += it == matched.cend();
    }
    return values;
}

QByteArray ColorFile::formatUtf8(const Origin &origin, const QList<Entry> &entries)
{
    const QByteArray header =
        (QStringLiteral("# Colour file for velmora-cli convert: one KEY=VALUE per line, VALUE a "
                        "tile value\n# from 0 to ")
         + QString::number(conversion::MaxTileValue) + QStringLiteral(". Map ")
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
