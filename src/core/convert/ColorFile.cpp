#include "core/convert/ColorFile.h"

#include "core/common/BoundedFile.h"
#include "core/convert/Conversion.h"
#include "core/picture/ColorKey.h"

#include <QHash>
#include <QObject>
#include <QStringView>

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

/// The lines of `text`: a line ends at "\n", "\r\n" or a lone "\r".
QList<QStringView> linesOf(QStringView text)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\n' && text[i] != u'\r')
            continue;
        lines.append(text.mid(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    lines.append(text.mid(start));
    return lines;
}

/// A file name on one line: a line break in it would end the comment it stands in.
QString oneLineName(QString name)
{
    name.replace(u'\r', u' ');
    return name.replace(u'\n', u' ');
}

} // namespace

std::optional<qint32> ColorFile::colorFromText(const QString &text)
{
    if (const std::optional<qint32> value = colorkey::valueFromRgbText(text))
        return value;
    // The forms colorKey writes: "-00000001", or exactly eight digits naming a 24-bit colour.
    if (text == QLatin1String("-00000001"))
        return -1;
    if (text.size() != 8)
        return std::nullopt;
    qint32 value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value > 0xFFFFFF)
        return std::nullopt;
    return value;
}

Result<ColorFile> ColorFile::parse(const QString &text)
{
    ColorFile file;
    QHash<qint32, int> lineOfColor;
    const QList<QStringView> lines = linesOf(text);
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        const QStringView line = lines.at(i).trimmed();
        // "#FF0000=5" is a colour; so is a mistyped "#FF00=5", which must not pass as a comment.
        if (line.isEmpty() || (line.startsWith(u'#') && !isColourLine(line)))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            return fail(FailureKind::Colors, QObject::tr("line %1 is not KEY=VALUE: \"%2\"")
                                                 .arg(lineNo)
                                                 .arg(quoted(line.toString())));
        const QString keyText = line.left(eq).trimmed().toString();
        const QString valueText = line.mid(eq + 1).trimmed().toString();
        const std::optional<qint32> color = colorFromText(keyText);
        if (!color)
            return fail(FailureKind::Colors,
                        QObject::tr("line %1: \"%2\" is not a colour key (eight digits, such as "
                                    "00000255) or a colour (such as #FF0000)")
                            .arg(lineNo)
                            .arg(quoted(keyText)));
        const QString key = colorkey::colorKey(*color);
        if (const auto seen = lineOfColor.constFind(*color); seen != lineOfColor.cend())
            return fail(FailureKind::Colors,
                        QObject::tr("line %1 gives colour %2 a value again (first on line %3)")
                            .arg(lineNo)
                            .arg(key)
                            .arg(seen.value()));
        quint16 value = 0;
        if (!conversion::parseTileValue(valueText, &value))
            return fail(FailureKind::Values,
                        QObject::tr("line %1: the tile value \"%2\" of colour %3 is not a whole "
                                    "number from 0 to 32767")
                            .arg(lineNo)
                            .arg(quoted(valueText), key));
        lineOfColor.insert(*color, lineNo);
        file.m_assignments.append({key, *color, value, lineNo});
    }
    return file;
}

QString ColorFile::format(const Origin &origin, const QList<Entry> &entries)
{
    QString text;
    // About 40 characters per colour; one allocation for a full list.
    text.reserve(200 + entries.size() * 48);
    text += QStringLiteral("# Colour file for velmora-cli convert: one KEY=VALUE per line, VALUE a "
                           "tile value\n# from 0 to 32767. Map ");
    text += oneLineName(origin.mapName) + QStringLiteral(" (") + QString::number(origin.width)
        + QStringLiteral(" x ") + QString::number(origin.height) + QStringLiteral(" tiles), picture ")
        + oneLineName(origin.pictureName) + QStringLiteral(": ") + QString::number(entries.size())
        + QStringLiteral(" colours in colour list order.\n");
    for (const Entry &entry : entries) {
        text += QStringLiteral("\n# ");
        text += entry.color < 0 ? QStringLiteral("no picture pixel") : colorkey::rgbText(entry.color);
        text += QStringLiteral(", ") + QString::number(entry.tiles)
            + (entry.tiles == 1 ? QStringLiteral(" tile\n") : QStringLiteral(" tiles\n"));
        text += colorkey::colorKey(entry.color) + u'=' + QString::number(entry.value) + u'\n';
    }
    return text;
}

Result<ColorFile> ColorFile::read(const QString &path)
{
    Result<QByteArray> bytes =
        boundedfile::read(path, boundedfile::MaxColorFileBytes, FailureKind::Colors);
    if (!bytes)
        return bytes.failure();
    return parse(QString::fromUtf8(bytes.value()));
}
