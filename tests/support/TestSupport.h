#pragma once

#include "MpqBuilder.h"
#include "ui/UserDialogs.h"

#include <QByteArray>
#include <QList>
#include <QMessageBox>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>

namespace testsupport {

/// One section: 4-byte name, 32-bit little-endian length, data.
QByteArray section(const char (&name)[5], const QByteArray &data);
/// Little-endian 16-bit pairs of a "DIM " section's data.
QByteArray dimData(quint16 width, quint16 height);
/// A plausible scenario file: "VER ", "DIM ", "ERA ", "TILE", "MTXM" (W x H zero entries
/// each) and a trailing "UNIT" section, in that order.
QByteArray scenario(int width, int height, quint8 tileset = 0, quint8 tilesetHigh = 0);
/// Writes `bytes` to `path`; fails the current test when it cannot.
void writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

/// A finished run of a program: exit status (-1 when it did not finish) and its output.
struct ProgramRun
{
    int status = -1;
    QString out;
    QString err;
};
/// Runs `program` with `args` to its end (two minutes at most; a run that does not finish
/// fails the current test).
ProgramRun runProgram(const QString &program, const QStringList &args,
                      const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment());

/// A well-mixed byte for pixel (x, y) of made-up picture number `salt`.
quint8 noise(int x, int y, int salt);

/// How jpegOf stores a picture: libjpeg's colour space (J_COLOR_SPACE: JCS_YCbCr, JCS_RGB,
/// JCS_GRAYSCALE or JCS_CMYK), the luma sampling factors (chroma 1 x 1), progressive scans,
/// a restart interval in rows, arithmetic coding.
struct JpegLayout
{
    int colorSpace;
    int h = 1, v = 1;
    bool progressive = false;
    int restartRows = 0;
    bool arithmetic = false;
};
/// A JPEG of width x height written by libjpeg at quality 85, channel c of pixel (x, y) being
/// sample(x, y, c) (grey: one channel; CMYK: four; else red, green, blue).
QByteArray jpegOf(const JpegLayout &layout, int width, int height,
                  const std::function<quint8(int x, int y, int channel)> &sample);

/// Writes a format-1 archive holding `entries` (zlib-compressed and encrypted unless they
/// say otherwise), with a "(listfile)" when `withListfile`.
void writeArchive(const QString &path, const QList<MpqEntry> &entries, bool withListfile = true);

/// Creates a map archive at `path` holding "staredit\scenario.chk" = `scenarioBytes`
/// and a few other entries.
void writeMap(const QString &path, const QByteArray &scenarioBytes, bool withListfile = true);

/// The folder of the real test maps named by VELMORA_MAPS, or an empty string when the
/// variable is not set. When it is set and the folder is missing, the current test fails.
QString realMapsDir();
/// The real maps' paths (*.scm, *.scx) in realMapsDir().
QStringList realMaps();

/// A fresh program folder for one test case, removed afterwards.
class ProgramFolder
{
public:
    ProgramFolder();
    QString path() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    QString workFile(const QString &name) const { return m_dir.filePath("temp/" + name); }

private:
    QTemporaryDir m_dir;
};

/// A folder on a disk of its own that is full: a small memory file system mounted over the
/// (empty) folder `path`, filled to its last byte by fill() once the caller has placed its
/// files there, and unmounted when the object goes. Where the test may not mount a file
/// system (no CAP_SYS_ADMIN), mounted() is false and reason() says why.
class FullDisk
{
public:
    explicit FullDisk(const QString &path);
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    bool mounted() const { return m_mounted; }
    QString reason() const { return m_reason; }
    /// Writes a filler file until the disk refuses even one more byte.
    void fill();
    /// The names in the folder, hidden ones included: a stray copy shows here.
    QStringList names() const;

private:
    QByteArray m_path;
    bool m_mounted = false;
    QString m_reason;
};

/// Answers the program's dialogs from a script and records what it was asked.
class ScriptedDialogs : public UserDialogs
{
public:
    struct Asked
    {
        QString kind; // "open", "save", "folder", "message", "document", "unsaved"
        QString title;
        QString text; // filter for file dialogs, text for messages, path for documents
        QString initialPath;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };

    /// Answers for the next file dialogs, in order; an empty string is Cancel.
    /// A dialog with no answer queued is cancelled.
    std::deque<QString> fileAnswers;
    /// Answers for the next questions about unsaved work, in order; with none queued the
    /// question is cancelled (nothing is lost by a script that did not expect it).
    std::deque<UnsavedChoice> unsavedAnswers;
    /// Runs while a file dialog would be open (before its answer is returned).
    std::function<void()> whileFileDialogOpen;
    QList<Asked> asked;

    QList<Asked> messages() const;
    /// How many times the unsaved-work question was asked.
    int unsavedQuestions() const;

    QString getOpenFileName(QWidget *parent, const QString &title, const QString &initialPath,
                            const QString &filter) override;
    QString getSaveFileName(QWidget *parent, const QString &title, const QString &initialPath,
                            const QString &filter) override;
    QString getExistingDirectory(QWidget *parent, const QString &title,
                                 const QString &initialPath) override;
    void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                     const QString &text) override;
    void openDocument(const QString &path) override;
    UnsavedChoice askUnsavedWork(QWidget *parent, const QString &title,
                                 const QString &text) override;

private:
    QString answer(const QString &kind, const QString &title, const QString &initialPath,
                   const QString &filter);
};

} // namespace testsupport
