#pragma once

#include "core/common/OutputTarget.h"
#include "core/common/Result.h"
#include "core/convert/ColorFile.h"
#include "core/picture/PicturePipeline.h"

#include <QSize>
#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <utility>

namespace terrain {
class TileGraphics;
}


class MapSession;
class QTextStream;
namespace terrain {
class TileMatcher;
}

/// The headless companion: reads the command line and does the program's whole job with
/// the same map session as the windows (load, scan, convert, tileset, save).
///
/// Results go to `out`; errors, warnings and progress to `err`. Each failure prints one
/// line naming the file and the reason and returns its exitstatus::Code, chosen by the
/// failure's kind; input files are never changed by a failing command.
class Companion
{
    Q_DECLARE_TR_FUNCTIONS(Companion)

public:
    /// `progress`: print every status text as it happens (standard error is a terminal);
    /// otherwise only a summary line.
    Companion(QTextStream &out, QTextStream &err, bool progress);

    /// How a line names the arguments: `shown` replaces the private stand-ins of names Qt
    /// cannot hold by the arguments as given (see CommandLineNames).
    void setShownNames(std::function<QString(const QString &)> shown) { m_shown = std::move(shown); }

    /// Runs one command; `args` are the arguments after the program's name.
    int run(const QStringList &args);

    /// The --help text, listing commands, the colour file and the exit statuses.
    static QString helpText();

    /// What the command line asked for.
    struct Request
    {
        QString command;
        QStringList positional; ///< the arguments after the command
        bool asTemplate = false;
        std::optional<QString> colorFile;
        std::optional<QString> tileset;
        std::optional<QString> output;
        bool match = false;                ///< choose tile values by colour (--match)
        std::optional<QString> gameData;   ///< --game-data DIR
        std::optional<QString> tileSize;   ///< --tile-size N (render)
        std::optional<QString> fit;        ///< --fit NAME (colors, convert)
        std::optional<QString> resample;   ///< --resample NAME (colors, convert)
        bool dither = false;               ///< --dither: the tiles by error diffusion
        bool vary = false;                 ///< --vary: varied tiles (convert)
    };

private:
    int info(const Request &request);
    /// What kind of game data a folder holds and which tilesets it can read.
    int data(const Request &request);
    int colors(const Request &request);
    /// Writes UTF-8 text to the output after what it holds.
    void writeBytes(const QByteArray &bytes);
    int convert(const Request &request);
    int render(const Request &request);
    int parse(const QStringList &args, Request *request);
    int checkRequest(const Request &request);

    int checkConvertOptions(const Request &request);
    /// render's -o and --tile-size; `tileSize` receives the pixels per tile.
    int checkRenderOptions(const Request &request, int *tileSize);
    /// Refuses an output that is not a regular file or a new name (exit CannotReplace), or
    /// that is one of `inputs` or lies in the game data folder the job reads (usage).
    int checkOutput(const Request &request, const QString &output,
                    QList<outputtarget::Input> inputs);
    /// Warns about each line of the colour file whose colour the picture's area lacks.
    void warnAbsentColors(const Request &request, const QList<ColorFile::Assignment> &absent);
    /// With --match: the nearest terrain tile of each colour of `colors`, from the graphics
    /// of `tileset` in the game data folder (--game-data, else VELMORA_GAME_DATA).
    int matchColors(const Request &request, int tileset, const QList<qint32> &colors,
                    QHash<qint32, quint16> *matched);
    /// The graphics of `tileset` from the game data folder (--game-data, else
    /// VELMORA_GAME_DATA); `asker` names what needs them in the message when there is none.
    int loadGraphics(const Request &request, int tileset, const QString &asker,
                     std::shared_ptr<const terrain::TileGraphics> *graphics);
    /// Writes `image` as a PNG to `path` safely: the file appears whole or not at all.
    int writePng(const picture::Pixels &image, const QString &path);

    struct Job;
    /// Opens the map in the job's session and prepares the picture for it, as the windows do
    /// (fitted with --fit, dithered with --dither: `dithered` receives the tile value of
    /// each of its colours).
    int loadMapAndPicture(Job &job, const Request &request, picture::Prepared *prepared,
                          QHash<qint32, quint16> *dithered);
    static picture::FitOptions fitOptions(const Request &request);
    static QString noTerrainTiles(const QString &stem);
    /// --fit, --resample and --dither before the game data or the map are looked at.
    int checkPictureOptions(const Request &request);
    /// With --dither: the matcher of `tileset`'s tiles.
    int ditherMatcher(const Request &request, int tileset,
                      std::shared_ptr<const terrain::TileMatcher> *matcher);
    /// The tileset the values are for: --tileset, else the map's.
    int valuesTileset(const Request &request, const MapSession &session, int *tileset);
    int applyTileset(MapSession &session, const QString &tilesetText, QString *note);
    int save(MapSession &session, const QString &target);

    /// A failure the core reported: its sentence names the file; the status comes from its kind.
    static QString noPrivateFolder();
    int fail(const Failure &failure);
    int fail(int code, const QString &file, const QString &reason);
    int usage(const QString &reason);
    void warn(const QString &text, bool flush = true);
    void progress(const QString &text);
    void endProgress();

    /// Writes one line to standard error, the arguments named as given.
    void report(const QString &line);

    QTextStream &m_out;
    QTextStream &m_err;
    std::function<QString(const QString &)> m_shown;
    bool m_progress;
    bool m_progressShown = false;
};
