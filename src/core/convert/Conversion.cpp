#include "core/convert/Conversion.h"

#include "core/convert/ColorLookup.h"
#include "core/picture/ColorKey.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QtEndian>

namespace {

/// Where one section's entries lie in the file.
struct SectionSpan
{
    qint64 nameOffset = -1;  // first byte of the 4-byte name
    qint64 dataOffset = -1;  // R + 4
    qint64 end = -1;         // one past the last entry byte the conversion writes
};

QString quoted(const char *name)
{
    return QStringLiteral("\"%1\"").arg(QLatin1String(name));
}

// The section search rule: first occurrence of the four name bytes anywhere in the file.
// The length field and the entries must be inside the file, and the length field must
// announce at least the entries the map needs.
Outcome locate(const QByteArray &file, const char *name, qint64 entryBytes,
               const QString &path, SectionSpan *span)
{
    const qsizetype at = file.indexOf(QByteArray::fromRawData(name, 4));
    if (at < 0)
        return Outcome::failure(
            QStringLiteral("The scenario file %1 has no %2 section, so the picture cannot be "
                           "converted into it. Load a complete map.")
                .arg(path, quoted(name)));
    const qint64 r = qint64(at) + 4;
    if (r + 4 > file.size())
        return Outcome::failure(
            QStringLiteral("The scenario file %1 ends inside the header of its %2 section; "
                           "the map is damaged.")
                .arg(path, quoted(name)));
    const quint32 length = qFromLittleEndian<quint32>(file.constData() + r);
    if (qint64(length) < entryBytes)
        return Outcome::failure(
            QStringLiteral("The %1 section of %2 holds %3 bytes, but the map's size needs %4; "
                           "the map is damaged or its size is wrong.")
                .arg(quoted(name), path)
                .arg(length)
                .arg(entryBytes));
    if (r + 4 + entryBytes > file.size())
        return Outcome::failure(
            QStringLiteral("The scenario file %1 ends inside its %2 section (%3 bytes short); "
                           "the map is damaged.")
                .arg(path, quoted(name))
                .arg(r + 4 + entryBytes - file.size()));
    span->nameOffset = at;
    span->dataOffset = r + 4;
    span->end = r + 4 + entryBytes;
    return Outcome::success();
}

} // namespace

namespace conversion {

bool parseTileValue(const QString &text, quint16 *value)
{
    if (text.isEmpty())
        return false;
    quint32 v = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        v = v * 10 + quint32(c.unicode() - '0');
        if (v > 32767)
            return false;
    }
    *value = quint16(v);
    return true;
}

} // namespace conversion

Outcome convertScenario(const ConversionInput &input, const StatusFn &status)
{
    const auto say = [&status](const QString &text) {
        if (status)
            status(text);
    };
    say(QStringLiteral("Location \"TILE\" region."));

    // Everything is checked and every value computed before the file is opened for writing,
    // so a refusal leaves the scenario file exactly as it was.
    if (input.picture.isNull())
        return Outcome::failure(
            QStringLiteral("No picture is loaded. Load a picture before converting."));
    if (input.width <= 0 || input.height <= 0 || input.width > 65535 || input.height > 65535)
        return Outcome::failure(
            QStringLiteral("The map size %1 x %2 is not valid. Load the map again.")
                .arg(input.width)
                .arg(input.height));
    if (input.colors.size() != input.replacements.size())
        return Outcome::failure(
            QStringLiteral("The colour list has %1 entries but the tile value list has %2. "
                           "Load the picture again.")
                .arg(input.colors.size())
                .arg(input.replacements.size()));
    if (input.colors.size() > colorkey::MaxColors)
        return Outcome::failure(
            QStringLiteral("The colour list has %1 entries; at most %2 can be converted.")
                .arg(input.colors.size())
                .arg(colorkey::MaxColors));

    QList<quint16> values(input.replacements.size());
    for (qsizetype i = 0; i < input.replacements.size(); ++i) {
        if (!conversion::parseTileValue(input.replacements.at(i), &values[i]))
            return Outcome::failure(
                QStringLiteral("The tile value \"%1\" of colour %2 is not a whole number from "
                               "0 to 32767. Correct it and convert again.")
                    .arg(input.replacements.at(i), input.colors.at(i)));
    }

    const int width = input.width;
    const int height = input.height;
    const qint64 entryBytes = 2 * qint64(width) * qint64(height);
    const QImage picture = colorkey::normalized(input.picture);

    // One tile value per pixel, laid out exactly as the sections hold them. Pictures have far
    // fewer colours than pixels, so each colour value is looked up once.
    QByteArray entries(entryBytes, Qt::Uninitialized);
    {
        const ColorLookup lookup(input.colors);
        QHash<qint32, qint16> indexOfValue;
        qint32 lastValue = 0;
        qint16 lastIndex = -2; // nothing cached yet
        char *out = entries.data();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x, out += 2) {
                const qint32 pixel = colorkey::pixelValue(picture, x, y);
                if (pixel != lastValue || lastIndex == -2) {
                    const auto found = indexOfValue.constFind(pixel);
                    if (found != indexOfValue.cend()) {
                        lastIndex = found.value();
                    } else {
                        lastIndex = lookup.indexOf(colorkey::colorKey(pixel));
                        indexOfValue.insert(pixel, lastIndex);
                    }
                    lastValue = pixel;
                }
                if (lastIndex < 0)
                    return Outcome::failure(
                        QStringLiteral("The colour %1 of pixel (%2, %3) is not in the colour "
                                       "list. Load the picture again so the list matches it.")
                            .arg(colorkey::colorKey(pixel))
                            .arg(x)
                            .arg(y));
                qToLittleEndian<quint16>(values.at(lastIndex), out);
            }
        }
    }

    const QString &path = input.scenarioPath;
    QByteArray file;
    {
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly))
            return Outcome::failure(
                QStringLiteral("The scenario file %1 cannot be read: %2. Load the map again.")
                    .arg(path, in.errorString()));
        file = in.readAll();
        if (in.error() != QFileDevice::NoError)
            return Outcome::failure(
                QStringLiteral("The scenario file %1 cannot be read: %2. Load the map again.")
                    .arg(path, in.errorString()));
    }

    SectionSpan spans[2];
    const char *const names[2] = {"TILE", "MTXM"};
    for (int s = 0; s < 2; ++s) {
        const Outcome found = locate(file, names[s], entryBytes, path, &spans[s]);
        if (!found)
            return found;
    }
    // A name found inside the other section's entries would have its own header overwritten
    // by the first pass and the two sections would not end up holding the same tiles.
    if (spans[0].nameOffset < spans[1].end && spans[1].nameOffset < spans[0].end)
        return Outcome::failure(
            QStringLiteral("The \"TILE\" and \"MTXM\" sections of %1 overlap; the map is "
                           "damaged and cannot be converted.")
                .arg(path));

    // Only the entry bytes are patched, so anything else written to the file meanwhile
    // (such as a tileset change) is kept.
    QFile out(path);
    if (!out.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return Outcome::failure(
            QStringLiteral("The scenario file %1 cannot be opened for writing: %2.")
                .arg(path, out.errorString()));
    if (out.size() != file.size())
        return Outcome::failure(
            QStringLiteral("The scenario file %1 changed while it was being converted. "
                           "Convert again.")
                .arg(path));

    const qint64 rowBytes = 2 * qint64(width);
    for (int s = 0; s < 2; ++s) {
        const QString name = QLatin1String(names[s]);
        if (s == 1)
            say(QStringLiteral("Location \"MTXM\" region."));
        if (!out.seek(spans[s].dataOffset))
            return Outcome::failure(
                QStringLiteral("The scenario file %1 could not be written: %2. The map is "
                               "partly converted; load it again.")
                    .arg(path, out.errorString()));
        for (int y = 0; y < height; ++y) {
            if (out.write(entries.constData() + y * rowBytes, rowBytes) != rowBytes)
                return Outcome::failure(
                    QStringLiteral("The scenario file %1 could not be written: %2. The map is "
                                   "partly converted; load it again.")
                        .arg(path, out.errorString()));
            say(QStringLiteral("Inserting data in %1 region... (%2, %3)").arg(name).arg(width).arg(y));
        }
    }
    out.close();
    if (out.error() != QFileDevice::NoError)
        return Outcome::failure(
            QStringLiteral("The scenario file %1 could not be written: %2. The map is partly "
                           "converted; load it again.")
                .arg(path, out.errorString()));

    say(QStringLiteral("Conversion successful!"));
    return Outcome::success();
}
