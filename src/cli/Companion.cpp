#include "cli/Companion.h"

#include "cli/ExitStatus.h"
#include "cli/PrivateFolder.h"
#include "core/archive/MpqControl.h"
#include "core/common/EndSignals.h"
#include "core/common/FileIdentity.h"
#include "core/common/OutputTarget.h"
#include "core/common/ReplacingFile.h"
#include "core/common/UserText.h"
#include "core/convert/ColorFile.h"
#include "core/convert/Conversion.h"
#include "core/picture/ColorKey.h"
#include "core/picture/PictureFit.h"
#include "core/picture/PictureReader.h"
#include "core/picture/PngWriter.h"
#include "core/session/MapSession.h"
#include "core/tileset/GameData.h"
#include "core/tileset/TerrainRenderer.h"
#include "core/tileset/TerrainSource.h"
#include "core/tileset/TileGraphics.h"
#include "core/tileset/TileMap.h"
#include "core/tileset/TileDither.h"
#include "core/tileset/TileMatcher.h"
#include "core/tileset/TileVariety.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QTextStream>

#include <sys/stat.h>

using namespace exitstatus;

namespace {

/// run() goes on after parse() returned this.
constexpr int Continue = -1;

QString versionText()
{
    return QStringLiteral("velmora-cli %1.%2").arg(VELMORA_VERSION_MAJOR).arg(VELMORA_VERSION_MINOR);
}

// Messages are one line each, so scripts can read them with a line reader; what is left of
// control characters (from a user's file or argument) is shown escaped.
QString oneLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return messagetext::escaped(text.simplified());
}

/// How many names the file has (1 when it does not exist).
qint64 linkCount(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return 1;
    return qint64(st.st_nlink);
}

/// The option an argument names: "--colors=x" -> "colors", "-o" -> "o".
QString optionName(const QString &arg)
{
    QString name = arg;
    while (name.startsWith(QLatin1Char('-')))
        name.remove(0, 1);
    return name.section(QLatin1Char('='), 0, 0);
}

/// The usage text of a command line the parser refused, in the words of the arguments.
QString parseError(const QCommandLineParser &parser, const QStringList &args,
                   const QStringList &valueOptions)
{
    const qsizetype end = args.contains(QStringLiteral("--")) ? args.indexOf(QStringLiteral("--"))
                                                            : args.size();
    const QStringList unknown = parser.unknownOptionNames();
    for (qsizetype i = 0; i < end; ++i) {
        const QString &arg = args.at(i);
        if (!arg.startsWith(QLatin1Char('-')) || arg.size() < 2)
            continue;
        if (!unknown.isEmpty() && optionName(arg) == unknown.first())
            return QCoreApplication::translate("Companion", "unknown option %1").arg(arg);
        if (i + 1 == end && valueOptions.contains(optionName(arg)) && !arg.contains('='))
            return QCoreApplication::translate("Companion", "the option %1 needs a value").arg(arg);
    }
    return parser.errorText();
}

/// The colour list as `colors` prints it: "KEY COUNT #RRGGBB" per colour, the colour left out
/// for "no pixel". Written into one buffer: a list holds up to 32767 colours.
QByteArray colorList(const picture::Prepared &scanned)
{
    constexpr qsizetype Room = 2 * colorkey::MaxKeyChars + colorkey::RgbChars + 3;
    QByteArray bytes(Room * scanned.colors.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (qsizetype i = 0; i < scanned.colors.size(); ++i) {
        const qint32 value = scanned.colors.at(i);
        out = colorkey::writeKey(value, out);
        *out++ = ' ';
        out = colorkey::writeNumber(scanned.counts.at(i), out);
        if (value >= 0) {
            *out++ = ' ';
            out = colorkey::writeRgb(value, out);
        }
        *out++ = '\n';
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}

/// The commands, their arguments and which options they take.
struct CommandEntry
{
    const char *name;
    int (Companion::*run)(const Companion::Request &);
    qsizetype arguments;
    const char *argumentsText;
    bool takesTemplate;
    bool takesConvertOptions;
    bool takesMatch;
    bool takesRenderOptions; ///< -o, --tile-size, --game-data without --match
};

} // namespace

/// What a command that opens a map works with: the private folder, the archive, the session.
struct Companion::Job
{
    PrivateFolder work;
    MpqControl archive;
    MapSession session{Workspace::inFolder(work.path()), archive, PrivateFolder::parent()};
};

Companion::Companion(QTextStream &out, QTextStream &err, bool progress)
    : m_out(out), m_err(err), m_progress(progress)
{
}

QString Companion::helpText()
{
    return tr(
        "Usage:\n"
        "  velmora-cli info MAP\n"
        "  velmora-cli colors MAP PICTURE [--template | --match] [--dither]\n"
        "                      [--fit MODE] [--resample HOW] [--game-data DIR]\n"
        "  velmora-cli convert MAP PICTURE [--colors FILE | --dither] [--match] [--vary]\n"
        "                      [--fit MODE] [--resample HOW] [--game-data DIR]\n"
        "                      [--tileset NAME|NUMBER] [-o OUT]\n"
        "  velmora-cli render MAP -o OUT.png [--game-data DIR] [--tile-size N]\n"
        "  velmora-cli data DIR\n"
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
        "  render    Draws the map's terrain (its \"MTXM\" tiles) with the tileset graphics of\n"
        "            the game data folder and writes it to OUT.png, N pixels per tile.\n"
        "\n"
        "Options:\n"
        "  --colors FILE        the colour file (convert)\n"
        "  --tileset NAME|NUM   Badlands, Space Platform, Installation, Ash World,\n"
        "                       Jungle World, Desert, Ice, Twilight, or 0 to 7 (convert)\n"
        "  -o, --output OUT     where to save the converted map (convert) or the PNG\n"
        "                       picture (render); not one of the inputs\n"
        "  --tile-size N        pixels per tile, 1 to 32 (render; default 32: each tile's\n"
        "                       own pixels; smaller sizes average them)\n"
        "  --template           print a colour file instead of the list (colors)\n"
        "  --match              give each colour the terrain tile whose average colour is\n"
        "                       nearest (CIELAB, CIE76 distance), from the map's tileset\n"
        "                       (or --tileset) in the game data folder (colors, convert)\n"
        "  --fit MODE           how the picture meets the map: none (default: its top-left\n"
        "                       map-sized area, one pixel per tile), stretch (the whole\n"
        "                       picture onto the whole map), contain (the whole picture,\n"
        "                       its shape kept, centred; no pixel around it), cover (the\n"
        "                       whole map, from the picture's centre) (colors, convert)\n"
        "  --resample HOW       with --fit: area (default: the mean of the pixels under a\n"
        "                       tile, in linear light) or nearest (the pixel under its centre)\n"
        "  --dither             give every tile a terrain tile by error diffusion, so the\n"
        "                       colours read right on average; sets the values itself, so\n"
        "                       not with --colors (colors, convert)\n"
        "  --vary               replace each terrain tile written by one of the same tile\n"
        "                       group and nearly the same colour, chosen by its position\n"
        "                       (convert)\n"
        "  --game-data DIR      the game data folder: a Remastered installation (its root or\n"
        "                       Data folder), the classic game's folder (StarDat.mpq) or\n"
        "                       extracted tileset files (default: VELMORA_GAME_DATA;\n"
        "                       --match, --dither, --vary, render)\n"
        "  -h, --help           this text\n"
        "  --version            the program's version\n"
        "\n"
        "Colour file: one KEY=VALUE per line. KEY is a colour key as `colors` prints it\n"
        "(00000255) or a colour as #RRGGBB; VALUE is a tile value from 0 to %1. Blank\n"
        "lines and lines starting with # are ignored (a line starting with #RRGGBB= is a\n"
        "colour). A colour of the picture the file does not name gets 0; a colour the\n"
        "picture does not have is a warning.\n"
        "\n"
        "Progress goes to standard error when it is a terminal, otherwise a summary line.\n"
        "\n"
        "Exit status:\n"
        "   0  success\n"
        "   1  any other failure\n"
        "   2  wrong usage: unknown command or option, missing argument, unknown tileset,\n"
        "      tile size not from 1 to 32\n"
        "   3  the map file is missing or cannot be read\n"
        "   4  the map file is not a map archive, or it is damaged\n"
        "   5  the archive has no scenario entry (staredit\\scenario.chk)\n"
        "   6  the map's size is not accepted (64, 96, 128, 192 or 256 tiles each way)\n"
        "   7  the picture is missing or cannot be decoded\n"
        "   8  the picture's map-sized area has more than %2 colours\n"
        "   9  the colour file cannot be read, or a line of it is malformed\n"
        "  10  a tile value is not a whole number from 0 to %1\n"
        "  11  the scenario lacks a \"TILE\", \"MTXM\" or \"ERA \" section, or one is too short\n"
        "  12  the output file cannot be written or replaced\n"
        "  13  the private working folder cannot be created or used (missing or read-only\n"
        "      TMPDIR, or its disk is full)\n"
        "  14  the map archive is protected and cannot be written\n"
        "  15  no game data folder, or its tileset files are missing or damaged (--match,\n"
        "      --dither, --vary, render, data)\n"
        "A failing command changes no input file.\n")
        .arg(conversion::MaxTileValue)
        .arg(colorkey::MaxColors);
}

int Companion::run(const QStringList &args)
{
    Request request;
    if (int done = parse(args, &request); done != Continue)
        return done;
    return checkRequest(request);
}

int Companion::parse(const QStringList &args, Request *request)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption asTemplate(QStringLiteral("template"));
    const QCommandLineOption colorFile(QStringLiteral("colors"), {}, QStringLiteral("FILE"));
    const QCommandLineOption tileset(QStringLiteral("tileset"), {}, QStringLiteral("NAME"));
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")}, {},
                                    QStringLiteral("OUT"));
    const QCommandLineOption match(QStringLiteral("match"));
    const QCommandLineOption gameData(QStringLiteral("game-data"), {}, QStringLiteral("DIR"));
    const QCommandLineOption tileSize(QStringLiteral("tile-size"), {}, QStringLiteral("N"));
    const QCommandLineOption fit(QStringLiteral("fit"), {}, QStringLiteral("MODE"));
    const QCommandLineOption resample(QStringLiteral("resample"), {}, QStringLiteral("HOW"));
    const QCommandLineOption dither(QStringLiteral("dither"));
    const QCommandLineOption vary(QStringLiteral("vary"));
    parser.addOptions({help, version, asTemplate, colorFile, tileset, output, match, gameData,
                       tileSize, fit, resample, dither, vary});
    if (!parser.parse(QStringList{QStringLiteral("velmora-cli")} + args))
        return usage(parseError(parser, args,
                                {"colors", "tileset", "o", "output", "game-data", "tile-size",
                                 "fit", "resample"}));
    if (parser.isSet(help)) {
        m_out << helpText();
        m_out.flush();
        return Ok;
    }
    if (parser.isSet(version)) {
        m_out << versionText() << '\n';
        m_out.flush();
        return Ok;
    }
    request->positional = parser.positionalArguments();
    if (request->positional.isEmpty())
        return usage(tr("no command given"));
    request->command = request->positional.takeFirst();
    request->asTemplate = parser.isSet(asTemplate);
    const auto valueOf = [&](const QCommandLineOption &option) {
        return parser.isSet(option) ? std::optional<QString>(parser.value(option)) : std::nullopt;
    };
    request->colorFile = valueOf(colorFile);
    request->tileset = valueOf(tileset);
    request->output = valueOf(output);
    request->match = parser.isSet(match);
    request->gameData = valueOf(gameData);
    request->tileSize = valueOf(tileSize);
    request->fit = valueOf(fit);
    request->resample = valueOf(resample);
    request->dither = parser.isSet(dither);
    request->vary = parser.isSet(vary);
    return Continue;
}

int Companion::checkRequest(const Request &request)
{
    static const CommandEntry commands[] = {
        {"info", &Companion::info, 1, QT_TR_NOOP("info takes one map"), false, false, false, false},
        {"colors", &Companion::colors, 2, QT_TR_NOOP("colors takes a map and a picture"), true, false,
         true, false},
        {"convert", &Companion::convert, 2, QT_TR_NOOP("convert takes a map and a picture"), false,
         true, true, false},
        {"render", &Companion::render, 1, QT_TR_NOOP("render takes one map"), false, false, false,
         true},
        {"data", &Companion::data, 1, QT_TR_NOOP("data takes one game data folder"), false, false,
         false, false},
    };
    for (const CommandEntry &entry : commands) {
        if (request.command != QLatin1String(entry.name))
            continue;
        if (request.asTemplate && !entry.takesTemplate)
            return usage(tr("--template applies only to the colors command"));
        if ((request.colorFile || request.tileset) && !entry.takesConvertOptions)
            return usage(tr("--colors/--tileset applies only to the convert command"));
        if (request.output && !entry.takesConvertOptions && !entry.takesRenderOptions)
            return usage(tr("--output applies only to the convert and render commands"));
        if (request.tileSize && !entry.takesRenderOptions)
            return usage(tr("--tile-size applies only to the render command"));
        if (request.match && !entry.takesMatch)
            return usage(tr("--match applies only to the colors and convert commands"));
        if ((request.fit || request.resample || request.dither) && !entry.takesMatch)
            return usage(tr("--fit/--resample/--dither applies only to the colors and convert "
                            "commands"));
        if (request.vary && !entry.takesConvertOptions)
            return usage(tr("--vary applies only to the convert command"));
        const bool usesGameData = request.match || request.dither || request.vary;
        if (request.gameData && !usesGameData && !entry.takesRenderOptions)
            return usage(tr("--game-data applies only with --match, --dither, --vary or the "
                            "render command"));
        if (int bad = checkPictureOptions(request))
            return bad;
        if (request.match && request.asTemplate)
            return usage(tr("--template and --match cannot be used together"));
        if (request.positional.size() != entry.arguments)
            return usage(tr(entry.argumentsText));
        return (this->*entry.run)(request);
    }
    return usage(tr("unknown command \"%1\"").arg(request.command));
}

int Companion::info(const Request &request)
{
    const QString &map = request.positional.at(0);
    Job job;
    if (!job.work.isValid())
        return fail(WorkFolder, PrivateFolder::parent(), noPrivateFolder());
    MapSession &session = job.session;
    if (Status opened = session.open(map, {}, MapSession::SizeCheck::AnySize); !opened)
        return fail(opened.failure());

    m_out << "width: " << session.size().width << '\n'
          << "height: " << session.size().height << '\n';
    const Result<tileset::TilesetByte> tileset = session.tileset();
    if (!tileset)
        m_out << "tileset: none (no \"ERA \" section)\n";
    else if (tileset->value < scenario::tilesetNames().size())
        m_out << "tileset: " << scenario::tilesetNames().at(tileset->value) << " ("
              << tileset->value << ")\n";
    else
        m_out << "tileset: unknown (" << tileset->value << ")\n";

    QStringList names;
    int count = 0;
    if (Status listed = session.listEntries(&names, &count); !listed)
        return fail(listed.failure());
    m_out << "entries: " << count << '\n';
    for (const QString &name : names)
        m_out << "  " << name << '\n';
    m_out.flush();

    if (Status accepted = session.sizeAccepted(); !accepted)
        return fail(accepted.failure());
    return Ok;
}

int Companion::data(const Request &request)
{
    const QString &folder = request.positional.at(0);
    terrain::GameData gameData;
    if (Status located = terrain::GameData::locate(folder, &gameData); !located)
        return fail(located.failure());
    m_out << "folder: " << shownPath(folder) << '\n';
    for (const auto &[kind, path] : gameData.sources()) {
        switch (kind) {
        case terrain::GameData::Kind::Archive:
            m_out << "holds: classic game archive " << QFileInfo(path).fileName() << '\n';
            break;
        case terrain::GameData::Kind::Storage:
            m_out << "holds: Remastered installation (CASC storage; classic-resolution tiles)\n";
            break;
        case terrain::GameData::Kind::Folder:
            m_out << "holds: extracted tileset files in " << shownPath(path) << '\n';
            break;
        }
    }
    const MpqControl archives;
    int readable = 0;
    Failure last;
    for (int number = 0; number < scenario::tilesetNames().size(); ++number) {
        terrain::TilesetFiles files;
        terrain::TileGraphics graphics;
        Status read = gameData.readTileset(archives, number, &files);
        if (read.ok())
            read = terrain::TileGraphics::create(std::move(files), &graphics);
        m_out << "tileset " << number << " " << scenario::tilesetNames().at(number) << ": "
              << (read.ok() ? QStringLiteral("readable") : oneLine(read.reason())) << '\n';
        readable += read.ok();
        if (!read.ok())
            last = read.failure();
    }
    m_out.flush();
    if (readable == 0)
        return fail(last);
    return Ok;
}

int Companion::colors(const Request &request)
{
    const QString &map = request.positional.at(0);
    const QString &picturePath = request.positional.at(1);
    Job job;
    picture::Prepared scanned;
    QHash<qint32, quint16> matched;
    if (int code = loadMapAndPicture(job, request, &scanned, &matched))
        return code;
    endProgress();

    const scenario::MapSize size = job.session.size();
    if (request.match && !request.dither) {
        const Result<tileset::TilesetByte> tileset = job.session.tileset();
        if (!tileset)
            return fail(tileset.failure());
        if (int code = matchColors(request, tileset->value, scanned.colors, &matched))
            return code;
    }
    if (request.asTemplate || request.match || request.dither) {
        // The windows' Export writes through the same function.
        QList<ColorFile::Entry> entries;
        entries.reserve(scanned.colors.size());
        for (qsizetype i = 0; i < scanned.colors.size(); ++i)
            entries.append({scanned.colors.at(i), scanned.counts.at(i),
                            matched.value(scanned.colors.at(i), 0)});
        writeBytes(ColorFile::formatUtf8({QFileInfo(map).fileName(), size.width, size.height,
                                          QFileInfo(picturePath).fileName()},
                                         entries));
    } else {
        writeBytes(colorList(scanned));
    }
    return Ok;
}

void Companion::writeBytes(const QByteArray &bytes)
{
    // Straight to the device when there is one: the text is UTF-8 already, as the stream
    // would write it.
    m_out.flush();
    QIODevice *device = m_out.device();
    if (!device) {
        m_out << QString::fromUtf8(bytes);
        m_out.flush();
        return;
    }
    device->write(bytes);
    if (auto *file = qobject_cast<QFileDevice *>(device))
        file->flush();
}

int Companion::convert(const Request &request)
{
    const QString &map = request.positional.at(0);
    const QString &picturePath = request.positional.at(1);
    if (int bad = checkConvertOptions(request))
        return bad;
    const QString target = request.output.value_or(map);

    // Everything that can be checked without the map is checked first.
    Result<ColorFile> colorFile =
        request.colorFile ? ColorFile::read(*request.colorFile) : Result<ColorFile>(ColorFile());
    if (!colorFile)
        return fail(fromKind(colorFile.kind()), *request.colorFile, colorFile.reason());

    Job job;
    picture::Prepared scanned;
    QHash<qint32, quint16> matched;
    if (int code = loadMapAndPicture(job, request, &scanned, &matched))
        return code;
    MapSession &session = job.session;

    if (request.match && !request.dither) {
        int tileset = 0;
        if (int code = valuesTileset(request, session, &tileset))
            return code;
        if (int code = matchColors(request, tileset, scanned.colors, &matched))
            return code;
    }
    if (request.vary) {
        int tileset = 0;
        std::shared_ptr<const terrain::TileGraphics> graphics;
        if (int code = valuesTileset(request, session, &tileset))
            return code;
        if (int code = loadGraphics(request, tileset, QStringLiteral("--vary"), &graphics))
            return code;
        session.setVariety(std::make_shared<const terrain::TileVariety>(*graphics));
    }
    int unnamed = 0;
    QList<ColorFile::Assignment> absent;
    const QList<quint16> tileValues =
        colorFile->tileValues(scanned.colors, matched, &unnamed, &absent);
    warnAbsentColors(request, absent);
    // The file's lines (up to hundreds of KiB) are done with: their memory serves the
    // conversion and the save instead of fresh pages.
    colorFile = ColorFile();

    // Without a terminal to show them, no row texts are made at all.
    const StatusFn status = m_progress ? StatusFn([this](const QString &text) { progress(text); })
                                       : StatusFn();
    if (Status converted = session.convert(scanned.pixels, scanned.colors, tileValues, status);
        !converted)
        return fail(converted.failure());
    QString tilesetNote;
    if (int code = applyTileset(session, request.tileset.value_or(QString()), &tilesetNote))
        return code;
    if (int code = save(session, target))
        return code;

    report(tr("velmora-cli: converted %1 into %2 (%3 x %4 tiles, %5 colours, %6 not "
                            "named in %7 and set to 0%8)")
                 .arg(shownPath(picturePath), shownPath(target))
                 .arg(session.size().width)
                 .arg(session.size().height)
                 .arg(scanned.colors.size())
                 .arg(unnamed)
                 .arg(request.colorFile ? shownPath(*request.colorFile) : tr("a colour file"),
                      tilesetNote));
    return Ok;
}

void Companion::warnAbsentColors(const Request &request,
                                 const QList<ColorFile::Assignment> &absent)
{
    for (const ColorFile::Assignment &a : absent)
        warn(tr("%1:%2: colour %3 does not occur in the map's area of %4")
                 .arg(shownPath(request.colorFile.value_or(QString())))
                 .arg(a.line)
                 .arg(colorkey::colorKey(a.color), shownPath(request.positional.at(1))),
             false); // written together: a table of thousands is one write, not thousands
    m_err.flush();
}

int Companion::checkConvertOptions(const Request &request)
{
    if ((!request.colorFile && !request.match && !request.dither)
        || (request.colorFile && request.colorFile->isEmpty()))
        return usage(tr("convert needs a colour file (--colors FILE), --match or --dither"));
    if (request.tileset && !scenario::tilesetFromText(*request.tileset))
        return usage(tr("unknown tileset \"%1\"; give a name such as Jungle World "
                                    "or a number from 0 to 7")
                         .arg(*request.tileset));
    if (!request.output)
        return Ok;
    return checkOutput(request, *request.output,
                       {{request.positional.at(0),
                         tr("the map (leave out -o to replace the map itself)")},
                        {request.positional.at(1), tr("the picture")},
                        {request.colorFile.value_or(QString()), tr("the colour file")}});
}

int Companion::checkOutput(const Request &request, const QString &output,
                           QList<outputtarget::Input> inputs)
{
    if (output.isEmpty())
        return usage(tr("the output file name is empty"));
    // Devices, pipes, sockets and folders are never replaced.
    if (Status kind = outputtarget::checkKind(output); !kind)
        return fail(kind.failure());
    // Every file the job reads is an input, the game data folder's included.
    if (request.match || request.command == QLatin1String("render")) {
        const QString folder = terrain::gameDataFolder(request.gameData.value_or(QString()));
        if (!folder.isEmpty())
            inputs.append(terrain::gameDataInput(folder));
    }
    if (Status notInput = outputtarget::checkNotInput(output, inputs); !notInput)
        return usage(notInput.reason());
    return Ok;
}

int Companion::checkRenderOptions(const Request &request, int *tileSize)
{
    if (!request.output)
        return usage(tr("render needs the picture to write (-o OUT.png)"));
    bool number = true;
    *tileSize = request.tileSize ? request.tileSize->toInt(&number) : terrain::TileGraphics::TileSize;
    if (!number || *tileSize < 1 || *tileSize > terrain::TileGraphics::TileSize)
        return usage(tr("the tile size \"%1\" is not a whole number from 1 to 32")
                         .arg(request.tileSize.value_or(QString())));
    return checkOutput(request, *request.output, {{request.positional.at(0), tr("the map")}});
}

int Companion::matchColors(const Request &request, int tileset, const QList<qint32> &colors,
                           QHash<qint32, quint16> *matched)
{
    std::shared_ptr<const terrain::TileGraphics> graphics;
    if (int code = loadGraphics(request, tileset, QStringLiteral("--match"), &graphics))
        return code;
    const terrain::TileMatcher matcher(*graphics);
    if (matcher.isEmpty())
        return fail(GameData, terrain::gameDataFolder(request.gameData.value_or(QString())),
                    noTerrainTiles(graphics->stem()));
    const QList<std::optional<quint16>> chosen = matcher.nearestAll(colors);
    for (qsizetype i = 0; i < colors.size(); ++i)
        if (chosen[i])
            matched->insert(colors[i], *chosen[i]);
    return Ok;
}

int Companion::loadGraphics(const Request &request, int tileset, const QString &asker,
                            std::shared_ptr<const terrain::TileGraphics> *graphics)
{
    const QString folder = terrain::gameDataFolder(request.gameData.value_or(QString()));
    if (folder.isEmpty())
        return fail(GameData, asker,
                    tr("no game data folder: give --game-data DIR or set VELMORA_GAME_DATA"));
    const MpqControl archives;
    auto loaded = terrain::loadTileGraphics(archives, folder, tileset);
    if (!loaded)
        return fail(loaded.failure());
    *graphics = std::move(*loaded);
    return Ok;
}

int Companion::render(const Request &request)
{
    const QString &map = request.positional.at(0);
    int tileSize = 0;
    if (int bad = checkRenderOptions(request, &tileSize))
        return bad;
    Job job;
    if (!job.work.isValid())
        return fail(WorkFolder, PrivateFolder::parent(), noPrivateFolder());
    if (Status opened = job.session.open(map); !opened)
        return fail(opened.failure());
    terrain::TileMap tiles;
    // A short "MTXM" is damage, as a conversion calls it: no picture of made-up tiles.
    if (Status read = job.session.readTileMap(shownPath(map), &tiles, terrain::ShortTiles::Refused);
        !read)
        return fail(read.failure());
    std::shared_ptr<const terrain::TileGraphics> graphics;
    if (int code = loadGraphics(request, tiles.tileset, QStringLiteral("render"), &graphics))
        return code;

    int missing = 0;
    const picture::Pixels image = terrain::TerrainRenderer(graphics).render(tiles, tileSize, &missing);
    if (int code = writePng(image, *request.output))
        return code;
    if (missing > 0)
        warn(tr("%1 of the map's tiles have values outside the tileset \"%2\"; they show the "
                "missing-tile pattern")
                 .arg(missing)
                 .arg(graphics->stem()));
    report(tr("velmora-cli: rendered %1 into %2 (%3 x %4 tiles, %5 pixels per tile)")
                 .arg(shownPath(map), shownPath(*request.output))
                 .arg(tiles.width)
                 .arg(tiles.height)
                 .arg(tileSize));
    return Ok;
}

int Companion::writePng(const picture::Pixels &image, const QString &path)
{
    ReplacingFile file(path);
    if (Status begun = file.begin(); !begun)
        return fail(CannotReplace, path, tr("the file cannot be written: %1").arg(begun.reason()));
    if (QString error; !picture::writeOpaquePng(image, file, &error)) {
        // A failed write says why; the encoder's own words otherwise.
        const QString cause = file.errorString();
        file.cancel();
        return fail(CannotReplace, path,
                    tr("the file cannot be written: %1").arg(cause.isEmpty() ? error : cause));
    }
    if (Status committed = file.commit(); !committed)
        return fail(CannotReplace, path,
                    tr("the file cannot be written: %1").arg(committed.reason()));
    return Ok;
}

int Companion::applyTileset(MapSession &session, const QString &tilesetText, QString *note)
{
    if (tilesetText.isEmpty())
        return Ok;
    const int number = scenario::tilesetFromText(tilesetText).value_or(-1);
    if (Status applied = session.applyTileset(number); !applied)
        return fail(applied.failure());
    *note = tr(", tileset %1").arg(scenario::tilesetNames().at(number));
    return Ok;
}

int Companion::save(MapSession &session, const QString &target)
{
    // Replacing a file gives its name a new file: other names (hard links) keep the old map.
    const qint64 names = linkCount(target);
    if (Status saved = session.save(target, [this] { progress(tr("Saving map...")); });
        !saved)
        return fail(saved.failure());
    progress(tr("Map saved!"));
    endProgress();
    if (names > 1)
        warn(tr("%1 had %2 other names (hard links); they still hold the map as it "
                            "was")
                 .arg(shownPath(target))
                 .arg(names - 1));
    return Ok;
}

int Companion::loadMapAndPicture(Job &job, const Request &request, picture::Prepared *prepared,
                                 QHash<qint32, quint16> *dithered)
{
    const QString &picturePath = request.positional.at(1);
    if (!job.work.isValid())
        return fail(WorkFolder, PrivateFolder::parent(), noPrivateFolder());
    const MapSession &session = job.session;
    if (Status opened = job.session.open(request.positional.at(0)); !opened)
        return fail(opened.failure());
    picture::PrepareOptions options;
    options.fit = fitOptions(request);
    std::shared_ptr<const terrain::TileMatcher> matcher;
    if (request.dither) {
        int tileset = 0;
        if (int code = valuesTileset(request, session, &tileset))
            return code;
        if (int code = ditherMatcher(request, tileset, &matcher))
            return code;
        options = terrain::ditherOptions(options.fit, *matcher, dithered);
    }
    // Prepared exactly as the picture window prepares it.
    const StatusFn status = m_progress ? StatusFn([this](const QString &text) { progress(text); })
                                       : StatusFn();
    Result<picture::Prepared> loaded = picture::prepare(
        picturePath, QSize(session.size().width, session.size().height), options, status);
    if (!loaded)
        return fail(fromKind(loaded.kind()), picturePath, loaded.reason());
    *prepared = std::move(loaded).value();
    return Ok;
}

int Companion::valuesTileset(const Request &request, const MapSession &session, int *tileset)
{
    if (request.tileset) {
        *tileset = *scenario::tilesetFromText(*request.tileset);
        return Ok;
    }
    const Result<tileset::TilesetByte> mapTileset = session.tileset();
    if (!mapTileset)
        return fail(mapTileset.failure());
    *tileset = int(mapTileset->value);
    return Ok;
}

int Companion::checkPictureOptions(const Request &request)
{
    if (request.fit && !picture::fitFromName(*request.fit))
        return usage(tr("unknown fit \"%1\"; give none, stretch, contain or cover").arg(*request.fit));
    if (request.resample && !picture::resampleFromName(*request.resample))
        return usage(tr("unknown resampling \"%1\"; give area or nearest").arg(*request.resample));
    if (request.dither && request.colorFile)
        return usage(tr("--dither sets the tile values itself, so it cannot be used with --colors"));
    return Ok;
}

int Companion::ditherMatcher(const Request &request, int tileset,
                             std::shared_ptr<const terrain::TileMatcher> *matcher)
{
    std::shared_ptr<const terrain::TileGraphics> graphics;
    if (int code = loadGraphics(request, tileset, QStringLiteral("--dither"), &graphics))
        return code;
    *matcher = std::make_shared<const terrain::TileMatcher>(*graphics);
    if ((*matcher)->isEmpty())
        return fail(GameData, terrain::gameDataFolder(request.gameData.value_or(QString())),
                    noTerrainTiles(graphics->stem()));
    return Ok;
}

picture::FitOptions Companion::fitOptions(const Request &request)
{
    picture::FitOptions options;
    options.fit = picture::fitFromName(request.fit.value_or(QString())).value_or(picture::Fit::None);
    options.resample = picture::resampleFromName(request.resample.value_or(QString()))
                           .value_or(picture::Resample::Area);
    return options;
}

QString Companion::noTerrainTiles(const QString &stem)
{
    return tr("the tileset \"%1\" in the game data folder has no terrain tiles to match").arg(stem);
}

QString Companion::noPrivateFolder()
{
    return tr("no private working folder can be made in this temporary folder (it "
                          "is missing, full or not writable; set TMPDIR to another folder)");
}

int Companion::fail(const Failure &failure)
{
    endProgress();
    report(QStringLiteral("velmora-cli: ") + oneLine(failure.sentence));
    return fromKind(failure.kind);
}

int Companion::fail(int code, const QString &file, const QString &reason)
{
    endProgress();
    report(QStringLiteral("velmora-cli: ") + shownPath(file) + QStringLiteral(": ") + oneLine(reason));
    return code;
}

int Companion::usage(const QString &reason)
{
    report(QStringLiteral("velmora-cli: ") + tr("%1 (see velmora-cli --help)").arg(oneLine(reason)));
    return Usage;
}

void Companion::warn(const QString &text, bool flush)
{
    endProgress();
    m_err << QStringLiteral("velmora-cli: ")
                 + tr("warning: %1").arg(m_shown ? m_shown(oneLine(text)) : oneLine(text))
          << '\n';
    if (flush)
        m_err.flush();
}

void Companion::report(const QString &line)
{
    m_err << (m_shown ? m_shown(line) : line) << '\n';
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
