#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

class QImage;
class QTextStream;
class Workspace;

namespace scenario {
struct MapSize;
}

/// The headless companion: reads the command line and does the program's whole job with
/// the same core code as the windows (load, scan, convert, tileset, save).
///
/// Results go to `out`; errors, warnings and progress to `err`. Each failure prints one
/// line naming the file and the reason and returns its exitstatus::Code; input files are
/// never changed by a failing command.
class Companion
{
public:
    /// `progress`: print every status text as it happens (standard error is a terminal);
    /// otherwise only a summary line.
    Companion(QTextStream &out, QTextStream &err, bool progress);

    /// Runs one command; `args` are the arguments after the program's name.
    int run(const QStringList &args);

    /// The --help text, listing commands, the colour file and the exit statuses.
    static QString helpText();

private:
    int info(const QStringList &positional);
    int colors(const QStringList &positional, bool asTemplate);
    int convert(const QStringList &positional, const QString &colorFile, const QString &tileset,
                const QString &output);

    int loadMap(const QString &map, const Workspace &ws, scenario::MapSize *size,
                bool requireAcceptedSize);
    int loadPicture(const QString &path, QSize map, QImage *picture);
    int scanPicture(const QString &path, const QImage &picture, int width, int height,
                    QStringList *keys);
    /// Loads the map into `ws`, then decodes and scans the picture over the map's area,
    /// as the windows do.
    int loadMapAndPicture(const QString &map, const QString &picturePath, const Workspace &ws,
                          scenario::MapSize *size, QImage *picture, QStringList *keys);

    int fail(int code, const QString &file, const QString &reason);
    int usage(const QString &reason);
    void warn(const QString &text);
    void progress(const QString &text);
    void endProgress();

    QTextStream &m_out;
    QTextStream &m_err;
    bool m_progress;
    bool m_progressShown = false;
};
