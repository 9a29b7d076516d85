#include "cli/Companion.h"

#include "core/convert/ColorFile.h"
#include "cli/ExitStatus.h"
#include "core/convert/Conversion.h"
#include "core/picture/ColorKey.h"
#include "core/picture/PictureReader.h"
#include "core/picture/PixelScan.h"
#include "core/scenario/MapSaver.h"
#include "core/archive/MpqControl.h"
#include "core/scenario/ScenarioFile.h"
#include "core/scenario/Tileset.h"
#include "core/scenario/Workspace.h"
#include "core/scenario/modFunctions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

using namespace exitstatus;

namespace {

QString versionText()
{
    return QStringLiteral("velmora-cli %1.%2").arg(VELMORA_VERSION_MAJOR).arg(VELMORA_VERSION_MINOR);
}

// Messages are one line each, so scripts can read them with a line reader.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text.simplified();
}

/// Tileset from a number 0..7 or a name (letter case ignored); -1 when it is neither.
int tilesetFromText(const QString &text)
{
    const QStringList &names = scenario::tilesetNames();
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (isNumber)
        return number >= 0 && number < names.size() ? number : -1;
    for (int i = 0; i < names.size(); ++i)
        if (names.at(i).compare(text.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace

Companion::Companion(QTextStream &out, QTextStream &err, bool progress)
    : m_out(out), m_err(err), m_progress(progress)
{
}

QString Companion::helpText()
{
    return QStringLiteral(
        "Usage:\n"
        "  velmora-cli info MAP\n"
        "  velmora-cli colors MAP PICTURE [--template]\n"
        "  velmora-cli convert MAP PICTURE --colors FILE [--tileset NAME|NUMBER] [-o OUT]\n"
        "  velmora-cli --help | --version\n"
        "\n"
        "Paints PICTURE into the terrain of the StarCraft map archive MAP (*.scm, *.scx), one\n"
        "pixel per tile, exactly as the Velmora windows do.\n"
        "\n"
        "Commands:\n"
        "  info      Prints the map's width, height, tileset and the archive's entries.\n"
        "  colors    Prints each colour of the picture's map-sized area in colour list order:\n"
        "            key, pixel count and #RRGGBB. With --template, prints a colour file with\n"
        "            every value 0, ready to edit.\n"
        "  convert   Converts the picture with the tile values of the colour file, optionally\n"
        "            sets the tileset, and saves to OUT (default: MAP itself, replaced safely).\n"
        "\n"
        "Options:\n"
        "  --colors FILE        the colour file (convert)\n"
        "  --tileset NAME|NUM   Badlands, Space Platform, Installation, Ash World,\n"
        "                       Jungle World, Desert, Ice, Twilight, or 0 to 7 (convert)\n"
        "  -o, --output OUT     where to save the converted map (convert)\n"
        "  --template           print a colour file instead of the list (colors)\n"
        "  -h, --help           this text\n"
        "  --version            the program's version\n"
        "\n"
        "Colour file: one KEY=VALUE per line. KEY is a colour key as `colors` prints it\n"
        "(00000255) or a colour as #RRGGBB; VALUE is a tile value from 0 to 32767. Blank\n"
        "lines and lines starting with # are ignored (a line starting with #RRGGBB= is a\n"
        "colour). A colour of the picture the file does not name gets 0; a colour the\n"
        "picture does not have is a warning.\n"
        "\n"
        "Progress goes to standard error when it is a terminal, otherwise a summary line.\n"
        "\n"
        "Exit status:\n"
        "   0  success\n"
        "   2  wrong usage: unknown command or option, missing argument, unknown tileset\n"
        "   3  the map file is missing or cannot be read\n"
        "   4  the map file is not a map archive, or it is damaged\n"
        "   5  the archive has no scenario entry (staredit\\scenario.chk)\n"
        "   6  the map's size is not accepted (64, 96, 128, 192 or 256 tiles each way)\n"
        "   7  the picture is missing or cannot be decoded\n"
        "   8  the picture's map-sized area has more than 32767 colours\n"
        "   9  the colour file cannot be read, or a line of it is malformed\n"
        "  10  a tile value is not a whole number from 0 to 32767\n"
        "  11  the scenario lacks a \"TILE\", \"MTXM\" or \"ERA \" section, or one is too short\n"
        "  12  the output file cannot be written or replaced\n"
        "  13  the private working folder cannot be created or used\n"
        "A failing command changes no input file.\n");
}

int Companion::run(const QStringList &args)
{
    QStringList positional;
    bool help = false, version = false, asTemplate = false;
    QString colorFile, tileset, output;
    bool colorGiven = false, tilesetGiven = false, outputGiven = false;

    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        // Options that take a value accept "--name VALUE" and "--name=VALUE".
        const auto valueOption = [&](QStringList names, QString *value, bool *given) -> int {
            for (const QString &name : names) {
                if (a == name) {
                    if (i + 1 >= args.size())
                        return usage(QStringLiteral("the option %1 needs a value").arg(name));
                    *value = args.at(++i);
                    *given = true;
                    return 1;
                }
                if (name.startsWith(QLatin1String("--")) && a.startsWith(name + QLatin1Char('='))) {
                    *value = a.mid(name.size() + 1);
                    *given = true;
                    return 1;
                }
            }
            return 0;
        };
        int taken = 0;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            help = true;
            continue;
        }
        if (a == QLatin1String("--version")) {
            version = true;
            continue;
        }
        if (a == QLatin1String("--template")) {
            asTemplate = true;
            continue;
        }
        if (a == QLatin1String("--")) {
            positional += args.mid(i + 1);
            break;
        }
        for (auto [names, value, given] :
             {std::tuple{QStringList{"--colors"}, &colorFile, &colorGiven},
              std::tuple{QStringList{"--tileset"}, &tileset, &tilesetGiven},
              std::tuple{QStringList{"-o", "--output"}, &output, &outputGiven}}) {
            if (taken == 0)
                taken = valueOption(names, value, given);
        }
        if (taken == 1)
            continue;
        if (taken != 0)
            return taken;
        if (a.startsWith(QLatin1Char('-')) && a.size() > 1)
            return usage(QStringLiteral("unknown option %1").arg(a));
        positional << a;
    }

    if (help) {
        m_out << helpText();
        m_out.flush();
        return Ok;
    }
    if (version) {
        m_out << versionText() << '\n';
        m_out.flush();
        return Ok;
    }
    if (positional.isEmpty())
        return usage(QStringLiteral("no command given"));

    const QString command = positional.takeFirst();
    const auto onlyFor = [&](bool given, const char *option, const char *forCommand) {
        return given ? usage(QStringLiteral("%1 applies only to the %2 command")
                                 .arg(QLatin1String(option), QLatin1String(forCommand)))
                     : 0;
    };
    if (command == QLatin1String("info")) {
        if (int bad = onlyFor(asTemplate, "--template", "colors")
                      ?: onlyFor(colorGiven || tilesetGiven || outputGiven,
                                 "--colors/--tileset/--output", "convert"))
            return bad;
        if (positional.size() != 1)
            return usage(QStringLiteral("info takes one map"));
        return info(positional);
    }
    if (command == QLatin1String("colors")) {
        if (int bad = onlyFor(colorGiven || tilesetGiven || outputGiven,
                              "--colors/--tileset/--output", "convert"))
            return bad;
        if (positional.size() != 2)
            return usage(QStringLiteral("colors takes a map and a picture"));
        return colors(positional, asTemplate);
    }
    if (command == QLatin1String("convert")) {
        if (int bad = onlyFor(asTemplate, "--template", "colors"))
            return bad;
        if (positional.size() != 2)
            return usage(QStringLiteral("convert takes a map and a picture"));
        if (!colorGiven || colorFile.isEmpty())
            return usage(QStringLiteral("convert needs a colour file: --colors FILE"));
        if (tilesetGiven && tilesetFromText(tileset) < 0)
            return usage(QStringLiteral("unknown tileset \"%1\"; give a name such as Jungle World "
                                        "or a number from 0 to 7")
                             .arg(tileset));
        if (outputGiven && output.isEmpty())
            return usage(QStringLiteral("the output file name is empty"));
        return convert(positional, colorFile, tilesetGiven ? tileset : QString(), output);
    }
    return usage(QStringLiteral("unknown command \"%1\"").arg(command));
}

int Companion::info(const QStringList &positional)
{
    const QString &map = positional.at(0);
    QTemporaryDir work;
    if (!work.isValid())
        return fail(WorkFolder, work.path(), QStringLiteral("the working folder cannot be created"));
    const Workspace ws(work.path());
    scenario::MapSize size;
    if (int code = loadMap(map, ws, &size, false))
        return code;

    m_out << "width: " << size.width << '\n' << "height: " << size.height << '\n';
    const qint32 era = modFunctions::FindSection(ws.scenarioPath(), QByteArrayLiteral("ERA "));
    const std::optional<quint8> tileset = tileset::readTileset(ws.scenarioPath(), era);
    if (!tileset)
        m_out << "tileset: none (no \"ERA \" section)\n";
    else if (*tileset < scenario::tilesetNames().size())
        m_out << "tileset: " << scenario::tilesetNames().at(*tileset) << " (" << *tileset << ")\n";
    else
        m_out << "tileset: unknown (" << *tileset << ")\n";

    QStringList names;
    int count = 0;
    if (Outcome listed = MpqControl().listEntries(ws.archivePath(), &names, &count); !listed)
        return fail(NotAnArchive, map, QStringLiteral("its entries cannot be listed"));
    m_out << "entries: " << count << '\n';
    for (const QString &name : names)
        m_out << "  " << name << '\n';
    m_out.flush();

    if (!scenario::isAcceptedDimension(size.width) || !scenario::isAcceptedDimension(size.height))
        return fail(MapSize, map,
                    QStringLiteral("the map is %1 x %2 tiles; Velmora accepts only 64, 96, 128, "
                                   "192 or 256 tiles each way")
                        .arg(size.width)
                        .arg(size.height));
    return Ok;
}

int Companion::colors(const QStringList &positional, bool asTemplate)
{
    const QString &map = positional.at(0);
    const QString &picturePath = positional.at(1);
    QTemporaryDir work;
    if (!work.isValid())
        return fail(WorkFolder, work.path(), QStringLiteral("the working folder cannot be created"));
    const Workspace ws(work.path());
    scenario::MapSize size;
    QImage picture;
    QStringList keys;
    if (int code = loadMapAndPicture(map, picturePath, ws, &size, &picture, &keys))
        return code;
    endProgress();

    QHash<qint32, int> pixels;
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            ++pixels[colorkey::pixelValue(picture, x, y)];

    if (asTemplate) {
        m_out << "# Colour file for velmora-cli convert: one KEY=VALUE per line, VALUE a tile value\n"
              << "# from 0 to 32767. Map " << QFileInfo(map).fileName() << " (" << size.width << " x "
              << size.height << " tiles), picture " << QFileInfo(picturePath).fileName() << ": "
              << keys.size() << " colours in colour list order.\n";
    }
    for (const QString &key : keys) {
        const qint32 value = key.toInt();
        const int count = pixels.value(value);
        if (asTemplate) {
            m_out << "\n# " << (value < 0 ? QStringLiteral("no picture pixel") : colorkey::rgbText(value)) << ", "
                  << count << (count == 1 ? " tile\n" : " tiles\n") << key << "=0\n";
        } else {
            m_out << key << ' ' << count;
            if (value >= 0)
                m_out << ' ' << colorkey::rgbText(value);
            m_out << '\n';
        }
    }
    m_out.flush();
    return Ok;
}

int Companion::convert(const QStringList &positional, const QString &colorFilePath,
                       const QString &tilesetText, const QString &output)
{
    const QString &map = positional.at(0);
    const QString &picturePath = positional.at(1);
    const QString target = output.isEmpty() ? map : output;

    // Everything that can be checked without the map is checked first.
    const ColorFile colorFile = ColorFile::read(colorFilePath);
    if (!colorFile.ok())
        return fail(colorFile.problem() == ColorFile::Problem::OutOfRange ? ValueOutOfRange
                                                                           : BadColorFile,
                    colorFilePath, colorFile.reason());

    QTemporaryDir work;
    if (!work.isValid())
        return fail(WorkFolder, work.path(), QStringLiteral("the working folder cannot be created"));
    const Workspace ws(work.path());
    const MpqControl mpq;
    scenario::MapSize size;
    QImage picture;
    QStringList keys;
    if (int code = loadMapAndPicture(map, picturePath, ws, &size, &picture, &keys))
        return code;

    QHash<QString, quint16> valueOf;
    for (const ColorFile::Assignment &a : colorFile.assignments())
        valueOf.insert(a.key, a.value);
    const QSet<QString> inPicture(keys.cbegin(), keys.cend());
    QStringList replacements;
    int unnamed = 0;
    for (const QString &key : keys) {
        const auto v = valueOf.constFind(key);
        unnamed += v == valueOf.cend();
        replacements << QString::number(v == valueOf.cend() ? 0 : v.value());
    }
    for (const ColorFile::Assignment &a : colorFile.assignments())
        if (!inPicture.contains(a.key))
            warn(QStringLiteral("%1:%2: colour %3 does not occur in the map's area of %4")
                     .arg(colorFilePath)
                     .arg(a.line)
                     .arg(a.key, picturePath));

    ConversionInput in;
    in.scenarioPath = ws.scenarioPath();
    in.picture = picture;
    in.width = size.width;
    in.height = size.height;
    in.colors = keys;
    in.replacements = replacements;
    const Outcome converted =
        convertScenario(in, [this](const QString &text) { progress(text); });
    if (!converted) {
        QString reason = converted.reason();
        reason.replace(ws.scenarioPath(), QStringLiteral("staredit\\scenario.chk"));
        reason.replace(QDir::toNativeSeparators(ws.scenarioPath()), QStringLiteral("staredit\\scenario.chk"));
        return fail(BadScenario, map, reason);
    }

    QString tilesetNote;
    if (!tilesetText.isEmpty()) {
        const int number = tilesetFromText(tilesetText);
        const qint32 era = modFunctions::FindSection(ws.scenarioPath(), QByteArrayLiteral("ERA "));
        if (era < 0)
            return fail(BadScenario, map,
                        QStringLiteral("the scenario has no \"ERA \" section, so its tileset "
                                       "cannot be set"));
        if (Outcome written = tileset::writeTileset(ws.scenarioPath(), era, quint8(number)); !written)
            return fail(BadScenario, map,
                        QStringLiteral("the tileset cannot be set: %1").arg(written.reason()));
        tilesetNote = QStringLiteral(", tileset %1").arg(scenario::tilesetNames().at(number));
    }

    if (Outcome saved = saveMap(ws, mpq, target, [this] { progress(QStringLiteral("Saving map...")); });
        !saved)
        return fail(CannotReplace, target, saved.reason());
    progress(QStringLiteral("Map saved!"));
    endProgress();

    m_err << QStringLiteral("velmora-cli: converted %1 into %2 (%3 x %4 tiles, %5 colours, %6 not "
                            "named in %7 and set to 0%8)")
                 .arg(picturePath, target)
                 .arg(size.width)
                 .arg(size.height)
                 .arg(keys.size())
                 .arg(unnamed)
                 .arg(colorFilePath, tilesetNote)
          << '\n';
    m_err.flush();
    return Ok;
}

int Companion::loadMap(const QString &map, const Workspace &ws, scenario::MapSize *size,
                       bool requireAcceptedSize)
{
    const QFileInfo chosen(map);
    if (!chosen.exists())
        return fail(MapUnreadable, map, QStringLiteral("no such file"));
    if (!chosen.isFile())
        return fail(MapUnreadable, map, QStringLiteral("not a file"));
    if (QFile probe(map); !probe.open(QIODevice::ReadOnly))
        return fail(MapUnreadable, map, QStringLiteral("cannot be read: %1").arg(probe.errorString()));

    // The same steps as the window's Load Map.
    if (Outcome cleared = ws.clear(); !cleared)
        return fail(WorkFolder, ws.folder(), cleared.reason());
    if (Outcome copied = ws.copyIn(map); !copied)
        return fail(MapUnreadable, map, copied.reason());
    const MpqControl mpq;
    if (Outcome extracted = ws.extractScenario(mpq); !extracted) {
        // Tell a file that is no archive at all from an archive without a scenario.
        QStringList names;
        int count = 0;
        if (!mpq.listEntries(ws.archivePath(), &names, &count))
            return fail(NotAnArchive, map, QStringLiteral("not a map archive, or it is damaged"));
        if (!names.contains(Workspace::ScenarioEntry, Qt::CaseInsensitive))
            return fail(NoScenario, map,
                        QStringLiteral("the archive has no scenario entry \"%1\"").arg(Workspace::ScenarioEntry));
        return fail(NotAnArchive, map,
                    QStringLiteral("its scenario entry \"%1\" is damaged and cannot be read")
                        .arg(Workspace::ScenarioEntry));
    }

    Outcome searched = Outcome::success();
    const qint32 dim = modFunctions::FindSection(ws.scenarioPath(), QByteArrayLiteral("DIM "), &searched);
    if (!searched)
        return fail(WorkFolder, ws.scenarioPath(), searched.reason());
    if (dim < 0)
        return fail(MapSize, map, QStringLiteral("the scenario has no \"DIM \" section, so the map's "
                                                 "size is unknown"));
    if (Outcome read = scenario::readMapSize(ws.scenarioPath(), dim, size); !read)
        return fail(MapSize, map, QStringLiteral("the map's size cannot be read"));
    if (requireAcceptedSize
        && (!scenario::isAcceptedDimension(size->width) || !scenario::isAcceptedDimension(size->height)))
        return fail(MapSize, map,
                    QStringLiteral("the map is %1 x %2 tiles; Velmora accepts only 64, 96, 128, "
                                   "192 or 256 tiles each way")
                        .arg(size->width)
                        .arg(size->height));
    return Ok;
}

int Companion::loadMapAndPicture(const QString &map, const QString &picturePath,
                                 const Workspace &ws, scenario::MapSize *size, QImage *picture,
                                 QStringList *keys)
{
    if (int code = loadMap(map, ws, size, true))
        return code;
    if (int code = loadPicture(picturePath, QSize(size->width, size->height), picture))
        return code;
    return scanPicture(picturePath, *picture, size->width, size->height, keys);
}

int Companion::loadPicture(const QString &path, QSize map, QImage *picture)
{
    // Read exactly as the picture window reads it: only the map-sized area.
    picture::Area area = picture::readArea(path, map);
    switch (area.failure) {
    case picture::Failure::None:
        *picture = std::move(area.pixels);
        return Ok;
    case picture::Failure::Undecodable:
        return fail(BadPicture, path,
                    QStringLiteral("the picture cannot be decoded (%1); use a BMP, GIF or JPEG file")
                        .arg(area.reason));
    case picture::Failure::Truncated:
        return fail(BadPicture, path, QStringLiteral("the picture is incomplete: %1").arg(area.reason));
    default:
        return fail(BadPicture, path, area.reason);
    }
}

int Companion::scanPicture(const QString &path, const QImage &picture, int width, int height,
                           QStringList *keys)
{
    const pixelscan::ScanResult scanned =
        pixelscan::scan(picture, width, height, [this, width, height](int rowsDone) {
            if (m_progress)
                progress(QStringLiteral("Scanning pixels... %1% complete.")
                             .arg(pixelscan::progressPercent(rowsDone, width, height)));
        });
    if (scanned.tooManyColors)
        return fail(TooManyColors, path,
                    QStringLiteral("the map's %1 x %2 area of the picture has %3 colours; at most "
                                   "%4 fit the colour list")
                        .arg(width)
                        .arg(height)
                        .arg(scanned.distinctColors)
                        .arg(colorkey::MaxColors));
    *keys = scanned.keys;
    return Ok;
}

int Companion::fail(int code, const QString &file, const QString &reason)
{
    endProgress();
    m_err << "velmora-cli: " << file << ": " << oneLine(reason) << '\n';
    m_err.flush();
    return code;
}

int Companion::usage(const QString &reason)
{
    m_err << "velmora-cli: " << oneLine(reason) << " (see velmora-cli --help)\n";
    m_err.flush();
    return Usage;
}

void Companion::warn(const QString &text)
{
    endProgress();
    m_err << "velmora-cli: warning: " << oneLine(text) << '\n';
    m_err.flush();
}

void Companion::progress(const QString &text)
{
    if (!m_progress)
        return;
    // One line, rewritten in place.
    m_err << '\r' << text << "\x1b[K";
    m_err.flush();
    m_progressShown = true;
}

void Companion::endProgress()
{
    if (!m_progressShown)
        return;
    m_err << '\n';
    m_err.flush();
    m_progressShown = false;
}
