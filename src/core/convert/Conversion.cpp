#include "core/convert/Conversion.h"

#include "core/common/UserText.h"
#include "core/convert/ColorLookup.h"
#include "core/picture/ColorKey.h"
#include "core/scenario/ScenarioFile.h"
#include "core/tileset/TileVariety.h"

#include <QtEndian>

#include <vector>
#include <QCoreApplication>

namespace {

/// This file's sentences, in their own translation context.
struct ConversionText
{
    Q_DECLARE_TR_FUNCTIONS(Conversion)
};

} // namespace

namespace {

constexpr const char *SectionNames[2] = {"TILE", "MTXM"};

QString quoted(const char *name)
{
    return QStringLiteral("\"%1\"").arg(QLatin1String(name));
}

QString shownName(const ConversionInput &input)
{
    return shownPath(input.mapName.isEmpty() ? input.scenarioPath : input.mapName);
}

/// One section by the search rule; its length field and its entries must lie inside the
/// file, and the length field must announce at least the entries the map needs.
Result<conversion::SectionSpan> locateOne(const ScenarioFile &file, const char *name,
                                          qint64 entryBytes, const QString &shown)
{
    const qint32 r = file.findSection(QByteArrayView(name, 4));
    if (r < 0)
        return fail(FailureKind::BadScenario,
                    ConversionText::tr("The scenario of %1 has no %2 section, so the picture cannot be "
                                "converted into it.")
                        .arg(shown, quoted(name)));
    const std::optional<quint32> length = file.u32At(r);
    if (!length)
        return fail(FailureKind::BadScenario,
                    ConversionText::tr("The scenario of %1 ends inside the header of its %2 section; the "
                                "map is damaged.")
                        .arg(shown, quoted(name)));
    if (qint64(*length) < entryBytes)
        return fail(FailureKind::BadScenario,
                    ConversionText::tr("The %1 section of %2 holds %3 bytes, but the map's size needs %4; "
                                "the map is damaged or its size is wrong.")
                        .arg(quoted(name), shown)
                        .arg(*length)
                        .arg(entryBytes));
    const qint64 end = qint64(r) + 4 + entryBytes;
    if (end > file.size())
        return fail(FailureKind::BadScenario,
                    ConversionText::tr("The scenario of %1 ends inside its %2 section (%3 bytes short); "
                                "the map is damaged.")
                        .arg(shown, quoted(name))
                        .arg(end - file.size()));
    return conversion::SectionSpan{qint64(r) - 4, qint64(r) + 4, end};
}

Status writeSections(const ConversionInput &input, qint64 fileSize,
                     const std::array<conversion::SectionSpan, 2> &spans,
                     const QByteArray &entries, const StatusFn &say)
{
    ScenarioPatcher out;
    if (Status opened = out.open(input.scenarioPath, fileSize, shownName(input)); !opened)
        return opened;
    const qint64 rowBytes = 2 * qint64(input.width);
    for (int s = 0; s < 2; ++s) {
        if (s == 1 && say)
            say(ConversionText::tr("Location \"MTXM\" region."));
        // Nobody follows the rows: each section in one write, no row texts made.
        if (!say) {
            if (Status written = out.write(spans[s].dataOffset, QByteArrayView(entries)); !written)
                return written;
            continue;
        }
        for (int y = 0; y < input.height; ++y) {
            const QByteArrayView row(entries.constData() + y * rowBytes, rowBytes);
            if (Status written = out.write(spans[s].dataOffset + y * rowBytes, row); !written)
                return written;
            say(ConversionText::tr("Inserting data in %1 region... (%2, %3)")
                    .arg(QLatin1String(SectionNames[s]))
                    .arg(input.width)
                    .arg(y));
        }
    }
    return out.finish();
}

} // namespace

namespace conversion {

TileValueText readTileValue(QStringView text, quint16 *value)
{
    if (text.isEmpty())
        return TileValueText::NotANumber;
    quint32 v = 0;
    bool tooLarge = false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return TileValueText::NotANumber;
        // Past the ceiling the rest only has to be digits.
        tooLarge = tooLarge || (v = v * 10 + quint32(c.unicode() - '0')) > MaxTileValue;
    }
    if (tooLarge)
        return TileValueText::TooLarge;
    *value = quint16(v);
    return TileValueText::Value;
}

bool parseTileValue(QStringView text, quint16 *value)
{
    return readTileValue(text, value) == TileValueText::Value;
}

Result<QList<quint16>> validate(const ConversionInput &input)
{
    if (input.picture.isNull())
        return fail(FailureKind::Picture,
                    ConversionText::tr("No picture is loaded. Load a picture before converting."));
    if (input.width <= 0 || input.height <= 0 || input.width > 65535 || input.height > 65535)
        return fail(FailureKind::UnsupportedSize,
                    ConversionText::tr("The map size %1 x %2 is not valid. Load the map again.")
                        .arg(input.width)
                        .arg(input.height));
    const qsizetype tiles =
        input.tileValues.isEmpty() ? input.replacements.size() : input.tileValues.size();
    if (input.colors.size() != tiles)
        return fail(FailureKind::Colors,
                    ConversionText::tr("The colour list has %1 entries but the tile value list has %2. "
                                "Load the picture again.")
                        .arg(input.colors.size())
                        .arg(tiles));
    if (input.colors.size() > colorkey::MaxColors)
        return fail(FailureKind::TooManyColors,
                    ConversionText::tr("The colour list has %1 entries; at most %2 can be converted.")
                        .arg(input.colors.size())
                        .arg(colorkey::MaxColors));
    if (!input.tileValues.isEmpty()) {
        for (const quint16 value : input.tileValues)
            if (value > MaxTileValue)
                return fail(FailureKind::Values,
                            ConversionText::tr("The tile value %1 is not from 0 to %2.")
                                .arg(value)
                                .arg(MaxTileValue));
        return input.tileValues;
    }
    QList<quint16> values(input.replacements.size());
    for (qsizetype i = 0; i < input.replacements.size(); ++i) {
        if (!parseTileValue(input.replacements.at(i), &values[i]))
            return fail(FailureKind::Values,
                        ConversionText::tr("The tile value \"%1\" of colour %2 is not a whole number "
                                    "from 0 to %3. Correct it and convert again.")
                            .arg(input.replacements.at(i), colorkey::colorKey(input.colors.at(i)),
                                 QString::number(MaxTileValue)));
    }
    return values;
}

Result<QByteArray> computeEntries(const ConversionInput &input, const QList<quint16> &values)
{
    const picture::Pixels &picture = input.picture;
    QByteArray entries(2 * qint64(input.width) * qint64(input.height), Qt::Uninitialized);
    // Looked up by colour value, a row at a time; a run of equal pixels is looked up once.
    const ColorLookup lookup(input.colors);
    std::vector<qint32> row(size_t(input.width), 0);
    qint32 lastValue = 0;
    qint16 lastIndex = -2; // nothing cached yet
    char *out = entries.data();
    for (int y = 0; y < input.height; ++y) {
        colorkey::pixelRow(picture, y, input.width, row.data());
        for (int x = 0; x < input.width; ++x, out += 2) {
            const qint32 pixel = row[size_t(x)];
            if (pixel != lastValue || lastIndex == -2) {
                lastIndex = lookup.indexOf(pixel);
                lastValue = pixel;
            }
            if (lastIndex < 0)
                return fail(FailureKind::Colors,
                            ConversionText::tr("The colour %1 of pixel (%2, %3) is not in the colour "
                                        "list. Load the picture again so the list matches it.")
                                .arg(colorkey::colorKey(pixel))
                                .arg(x)
                                .arg(y));
            qToLittleEndian<quint16>(values.at(lastIndex), out);
        }
    }
    return entries;
}

Result<std::array<SectionSpan, 2>> locate(const ScenarioFile &file, qint64 entryBytes,
                                          const QString &shown)
{
    std::array<SectionSpan, 2> spans;
    for (int s = 0; s < 2; ++s) {
        Result<SectionSpan> span = locateOne(file, SectionNames[s], entryBytes, shown);
        if (!span)
            return span.failure();
        spans[s] = *span;
    }
    // A name found inside the other section's entries would have its own header overwritten
    // by the first pass and the two sections would not end up holding the same tiles.
    if (spans[0].nameOffset < spans[1].end && spans[1].nameOffset < spans[0].end)
        return fail(FailureKind::BadScenario,
                    ConversionText::tr("The \"TILE\" and \"MTXM\" sections of %1 overlap; the map is "
                                "damaged and cannot be converted.")
                        .arg(shown));
    return spans;
}

} // namespace conversion

Status convertScenario(const ConversionInput &input, const StatusFn &status)
{
    const auto say = [&status](const QString &text) {
        if (status)
            status(text);
    };
    say(ConversionText::tr("Location \"TILE\" region."));

    // Everything is checked and every value computed before the file is opened for writing,
    // so a refusal leaves the scenario file exactly as it was.
    const Result<QList<quint16>> values = conversion::validate(input);
    if (!values)
        return values.failure();
    Result<QByteArray> entries = conversion::computeEntries(input, *values);
    if (!entries)
        return entries.failure();
    if (input.variety)
        input.variety->apply(entries.value(), input.width);
    const Result<ScenarioFile> file = ScenarioFile::read(input.scenarioPath, shownName(input));
    if (!file)
        return file.failure();
    const auto spans = conversion::locate(*file, entries->size(), shownName(input));
    if (!spans)
        return spans.failure();

    // Only the entry bytes are patched, so anything else written to the file meanwhile
    // (such as a tileset change) is kept.
    if (Status written = writeSections(input, file->size(), *spans, *entries, status); !written)
        return written;
    say(ConversionText::tr("Conversion successful!"));
    return {};
}
