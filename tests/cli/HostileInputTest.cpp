// Hostile inputs and unlucky places through the real companion: outputs that name devices,
// pipes, sockets, folders or the game data being read; a pipe among the tileset files; tiny
// pictures claiming huge sizes or thousands of scans; control characters in names and lines;
// a signal around the rename. Each run is bounded: a hang fails the test, never blocks it.
#include "cli/ExitStatus.h"

#include "SyntheticTileset.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <functional>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

using testsupport::readFile;
using testsupport::scenario;
using testsupport::writeFile;
using testsupport::writeMap;

namespace {

struct CliRun
{
    int status = -1;      ///< exit status; -1 when killed at the time limit
    QByteArray err;
    double seconds = 0;
    long peakKiB = 0;     ///< the child's own peak resident memory
};

/// Runs the companion with raw byte arguments, killed after `limitSeconds`; through
/// `launcher` (a program and its arguments that runs the rest) when one is given.
CliRun runBytes(const QList<QByteArray> &args, double limitSeconds = 20,
             const std::function<void(pid_t)> &during = {},
             const QList<QByteArray> &launcher = {})
{
    QTemporaryDir errDir;
    const QByteArray errPath = QFile::encodeName(errDir.filePath("err"));
    std::vector<QByteArray> kept(launcher.begin(), launcher.end());
    kept.push_back(QByteArray(VELMORA_CLI_PATH));
    for (const QByteArray &a : args)
        kept.push_back(a);
    std::vector<char *> argv;
    for (QByteArray &a : kept)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const auto start = std::chrono::steady_clock::now();
    CliRun run;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        return run;
    posix_spawn_file_actions_destroy(&actions);
    if (during)
        during(pid);
    int status = 0;
    rusage usage{};
    for (;;) {
        const pid_t done = wait4(pid, &status, WNOHANG, &usage);
        run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (done == pid)
            break;
        if (run.seconds > limitSeconds) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            run.err = readFile(errDir.filePath("err"));
            return run;
        }
        QThread::msleep(5);
    }
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.peakKiB = usage.ru_maxrss;
    run.err = readFile(errDir.filePath("err"));
    return run;
}

CliRun run(const QStringList &args, double limitSeconds = 20,
           const QList<QByteArray> &launcher = {})
{
    QList<QByteArray> bytes;
    for (const QString &a : args)
        bytes << QFile::encodeName(a);
    return runBytes(bytes, limitSeconds, {}, launcher);
}

/// Runs what follows as the unprivileged user "nobody", without supplementary groups.
const QList<QByteArray> AsNobody = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534",
                                    "--clear-groups"};

/// True when standard error holds no control character but the line ends.
bool printable(const QByteArray &text)
{
    for (char c : text)
        if ((quint8(c) < 0x20 && c != '\n') || c == 0x7f)
            return false;
    return true;
}

class Hostile : public ::testing::Test
{
public:
    QTemporaryDir dir;
    QString file(const QString &name) const { return dir.filePath(name); }
    void inputs()
    {
        writeMap(file("map.scm"), scenario(64, 64, 4));
        QImage picture(64, 64, QImage::Format_RGB32);
        picture.fill(qRgb(0, 0, 255));
        ASSERT_TRUE(picture.save(file("pic.bmp"), "BMP"));
        writeFile(file("colours.txt"), "#0000FF=5\n");
        testsupport::SyntheticTileset::make(6).writeFolder(file("game/tileset"), "jungle");
    }
};

/// The type and bytes of what `path` names, to show a refusal changed nothing.
QByteArray stateOf(const QString &path)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return "missing";
    QByteArray state = QByteArray::number(st.st_mode) + ':' + QByteArray::number(quint64(st.st_ino));
    if (S_ISREG(st.st_mode))
        state += readFile(path);
    return state;
}

} // namespace

// Whatever an output names that is not a regular file or a new name, or that the job reads
// (game data included, however reached), is refused before any work, named, and unchanged.
TEST_F(Hostile, OutputsThatAreNotRegularFilesOrAreReadAreRefusedUntouched)
{
    inputs();
    writeFile(file("game/StarDat.mpq"), "not looked at: the output is refused first");
    ASSERT_EQ(mkfifo(QFile::encodeName(file("fifo")).constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    const bool device = mknod(QFile::encodeName(file("null")).constData(), S_IFCHR | 0600,
                              makedev(1, 3)) == 0;
    const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray sockPath = QFile::encodeName(file("sock"));
    std::strncpy(address.sun_path, sockPath.constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    ASSERT_EQ(::link(QFile::encodeName(file("game/tileset/jungle.vr4")).constData(),
                     QFile::encodeName(file("vr4-elsewhere")).constData()), 0);
    ASSERT_TRUE(QFile::link(file("game"), file("game-link")));

    const QStringList convert = {"convert", file("map.scm"), file("pic.bmp"), "--match",
                                 "--game-data", file("game"), "-o"};
    const QStringList render = {"render", file("map.scm"), "--game-data", file("game"), "-o"};
    const struct
    {
        const char *what;
        QStringList args;
        QString output;
        int status;
        const char *says;
    } cases[] = {
        {"a device", render, file("null"), exitstatus::CannotReplace, "a device"},
        {"a named pipe", render, file("fifo"), exitstatus::CannotReplace, "a named pipe"},
        {"a socket", convert, file("sock"), exitstatus::CannotReplace, "a socket"},
        {"a folder", convert, file("folder"), exitstatus::CannotReplace, "a folder"},
        {"a tileset file", render, file("game/tileset/jungle.cv5"), exitstatus::Usage, "game data"},
        {"the game archive", convert, file("game/StarDat.mpq"), exitstatus::Usage, "game data"},
        {"a new file in game data", render, file("game/tileset/new.png"), exitstatus::Usage, "game data"},
        {"game data through a link", render, file("game-link/tileset/jungle.wpe"), exitstatus::Usage,
         "game data"},
        {"a hard link to a tileset file", render, file("vr4-elsewhere"), exitstatus::Usage,
         "game data"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        if (!device && c.output == file("null"))
            continue; // this test may not make device nodes here
        const QByteArray before = stateOf(c.output), game = stateOf(file("game/tileset/jungle.cv5"));
        const CliRun r = run(c.args + QStringList{c.output}, 10);
        EXPECT_EQ(r.status, c.status) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QFile::encodeName(QFileInfo(c.output).fileName())))
            << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_EQ(stateOf(c.output), before);
        EXPECT_EQ(stateOf(file("game/tileset/jungle.cv5")), game);
    }
    ::close(sock);
}

// A pipe among the tileset files is refused as one; nothing waits for a writer.
TEST_F(Hostile, APipeAmongTheTilesetFilesIsRefusedWithoutWaiting)
{
    inputs();
    for (const char *name : {"jungle.cv5", "jungle.vr4"}) {
        SCOPED_TRACE(name);
        const QString pipe = file(QStringLiteral("game/tileset/") + name);
        const QByteArray kept = readFile(pipe);
        QFile::remove(pipe);
        ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const CliRun r = run({"render", file("map.scm"), "--game-data", file("game"), "-o", file("out.png")}, 10);
        ASSERT_NE(r.status, -1) << "the companion waited on the pipe";
        EXPECT_EQ(r.status, exitstatus::GameData) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("named pipe")) << r.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(file("out.png")));
        QFile::remove(pipe);
        writeFile(pipe, kept);
    }
}

namespace {

QByteArray segment(quint8 marker, const QByteArray &body)
{
    QByteArray s("\xff");
    s += char(marker);
    s += char((body.size() + 2) >> 8);
    s += char((body.size() + 2) & 0xff);
    return s + body;
}

/// A JPEG of markers only: a frame of `components` claiming width x height, and `scans`
/// tiny scans. Every decoder must see its size and scans before allocating for them.
QByteArray claimingJpeg(int width, int height, int components, int scans, bool progressive)
{
    QByteArray frame;
    frame += char(8);
    frame += char(height >> 8);
    frame += char(height & 0xff);
    frame += char(width >> 8);
    frame += char(width & 0xff);
    frame += char(components);
    for (int i = 0; i < components; ++i)
        frame += QByteArray(1, char(i + 1)) + char(0x11) + char(0);
    QByteArray jpeg("\xff\xd8");
    jpeg += segment(0xdb, QByteArray(1, 0) + QByteArray(64, 1));
    QByteArray dht(1, char(0x00));
    dht += QByteArray(1, 1) + QByteArray(15, 0) + QByteArray(1, 0);
    jpeg += segment(0xc4, dht);
    jpeg += segment(progressive ? 0xc2 : 0xc0, frame);
    for (int s = 0; s < scans; ++s) {
        QByteArray sos(1, char(1));
        sos += QByteArray(1, 1) + char(0) + char(0) + char(0) + char(0);
        jpeg += segment(0xda, sos) + QByteArray(2, 0);
    }
    return jpeg + "\xff\xd9";
}

QByteArray pngChunk(const char *type, const QByteArray &data)
{
    QByteArray c(4, 0);
    qToBigEndian<quint32>(quint32(data.size()), c.data());
    const QByteArray body = QByteArray(type) + data;
    QByteArray crc(4, 0);
    quint32 value = 0xffffffffu;
    for (char ch : body) {
        value ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            value = (value >> 1) ^ (0xedb88320u & (0u - (value & 1)));
    }
    qToBigEndian<quint32>(~value, crc.data());
    return c + body + crc;
}

/// An interlaced 1-bit PNG claiming width x height, with a few bytes of image data.
QByteArray claimingPng(quint32 width, quint32 height, bool interlaced)
{
    QByteArray header(13, 0);
    qToBigEndian<quint32>(width, header.data());
    qToBigEndian<quint32>(height, header.data() + 4);
    header[8] = 1;  // 1 bit
    header[9] = 0;  // grey
    header[12] = interlaced ? 1 : 0;
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header)
        + pngChunk("IDAT", qCompress(QByteArray(4096, 0)).mid(4)) + pngChunk("IEND", {});
}

} // namespace

// Tiny pictures that claim huge sizes, thousands of scans or whole-picture interlacing are
// refused as too large or too complex, quickly and in little memory, whichever decoder
// would read them (CMYK goes to Qt's).
TEST_F(Hostile, TinyPicturesClaimingHugeWorkAreRefusedQuicklyInLittleMemory)
{
    inputs();
    const struct
    {
        const char *what;
        QByteArray bytes;
        const char *says;
    } cases[] = {
        {"progressive CMYK 13000 x 13000", claimingJpeg(13000, 13000, 4, 2, true), "too large"},
        {"progressive grey 20000 x 20000", claimingJpeg(20000, 20000, 1, 3, true), "too large"},
        {"CMYK with 12000 scans", claimingJpeg(64, 64, 4, 12000, true), "too complex"},
        {"grey with 12000 scans", claimingJpeg(64, 64, 1, 12000, true), "too complex"},
        {"interlaced 1048576 x 24576", claimingPng(1048576, 24576, true), "too large"},
    };
    // The bound is on what a refusal adds: a sanitizer's own memory is not the picture's.
    long limitKiB = 128 * 1024;
#if defined(__SANITIZE_ADDRESS__)
    limitKiB += run({"colors", file("map.scm"), file("pic.bmp")}).peakKiB;
#endif
    const struct
    {
        const char *what;
        QByteArray bytes;
    } fittedOnly[] = {
        {"1048576 x 24576, fitted", claimingPng(1048576, 24576, false)},
        {"progressive grey 20000 x 20000, fitted", claimingJpeg(20000, 20000, 1, 3, true)},
    };
    for (const auto &c : fittedOnly) {
        SCOPED_TRACE(c.what);
        writeFile(file("claim.pic"), c.bytes);
        const CliRun r = run({"colors", file("map.scm"), file("claim.pic"), "--fit", "cover"}, 10);
        EXPECT_EQ(r.status, exitstatus::BadPicture) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("too large")) << r.err.toStdString();
        EXPECT_LT(r.seconds, 2.0);
        EXPECT_LT(r.peakKiB, limitKiB);
    }
    // Fitted to the map, every pixel is decoded, so the whole picture is bounded too.
    for (const bool fitted : {false, true})
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.what) + (fitted ? ", fitted" : ""));
        writeFile(file("claim.pic"), c.bytes);
        QStringList args{"colors", file("map.scm"), file("claim.pic")};
        if (fitted)
            args << "--fit" << "stretch";
        const CliRun r = run(args, 10);
        EXPECT_EQ(r.status, exitstatus::BadPicture) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("claim.pic")) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("use a BMP")) << r.err.toStdString();
        EXPECT_LT(r.seconds, 2.0);
        EXPECT_LT(r.peakKiB, limitKiB);
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
}

// A map whose "MTXM" is shorter than the map is damaged for render as for convert.
TEST_F(Hostile, RenderRefusesAShortMtxmAsConvertDoes)
{
    inputs();
    QByteArray s = scenario(64, 64, 4);
    const qsizetype at = s.indexOf("MTXM");
    qToLittleEndian<quint32>(100, s.data() + at + 4);
    QFile::remove(file("map.scm"));
    writeMap(file("map.scm"), s);
    const QByteArray before = readFile(file("map.scm"));
    const CliRun rendered = run({"render", file("map.scm"), "--game-data", file("game"), "-o", file("out.png")});
    const CliRun converted = run({"convert", file("map.scm"), file("pic.bmp"), "--colors", file("colours.txt")});
    EXPECT_EQ(rendered.status, exitstatus::BadScenario) << rendered.err.toStdString();
    EXPECT_EQ(rendered.status, converted.status) << converted.err.toStdString();
    EXPECT_TRUE(rendered.err.contains("MTXM")) << rendered.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(file("out.png")));
    EXPECT_EQ(readFile(file("map.scm")), before);
}

// Control characters from names and from a colour file's lines are shown escaped, so a
// message stays one line and sends the terminal nothing.
TEST_F(Hostile, ControlCharactersFromUserFilesAreEscaped)
{
    inputs();
    const QString odd = file(QStringLiteral("ti\x1b]0;owned\atle\nmap.scm"));
    ASSERT_TRUE(QFile::copy(file("map.scm"), odd));
    writeFile(file("bad.txt"), "#0000FF=5\n#00\x1b]0;x\a\x01=6\n");
    const struct
    {
        const char *what;
        QStringList args;
        int status;
        const char *shows;
    } cases[] = {
        {"escape sequence in a colour line",
         {"convert", file("map.scm"), file("pic.bmp"), "--colors", file("bad.txt")},
         exitstatus::BadColorFile, "\\x1B"},
        {"escape and newline in a map name (success)",
         {"render", odd, "--game-data", file("game"), "-o", file("out.png")},
         exitstatus::Ok, "\\x1B]0;owned\\x07tle\\nmap.scm"},
        {"the same name failing", {"info", odd + "x"}, exitstatus::MapUnreadable, "\\nmap.scmx"},
        {"in a tileset name", {"convert", file("map.scm"), file("pic.bmp"), "--colors", file("colours.txt"), "--tileset",
          "x\x1b[2J"},
         exitstatus::Usage, "x\\x1B[2J"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, c.status) << r.err.toStdString();
        EXPECT_TRUE(printable(r.err)) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.shows)) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    }
}

// A picture that is a JPEG or PNG but does not decode says why, without advising its own
// format.
TEST_F(Hostile, AnUndecodablePictureSaysWhyWithoutAdvisingItsFormat)
{
    inputs();
    for (const QByteArray &bytes : {QByteArray("\xff\xd8\xff\xe0 broken", 11),
                                    QByteArray("\x89PNG\r\n\x1a\nbroken", 14)}) {
        writeFile(file("broken.pic"), bytes);
        const CliRun r = run({"colors", file("map.scm"), file("broken.pic")});
        EXPECT_EQ(r.status, exitstatus::BadPicture) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains("use a BMP")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("broken.pic")) << r.err.toStdString();
    }
}

// SIGTERM at any moment of an in-place save: either the map is as it was and the status
// is 143, or it is converted and the status is 0 with the report; never a failure after the
// map was replaced, and no temporary copy is left beside it.
TEST_F(Hostile, ASignalAroundTheRenameMatchesTheOutcome)
{
    writeMap(file("map.scm"), scenario(256, 256));
    QImage picture(256, 256, QImage::Format_RGB32);
    picture.fill(qRgb(1, 2, 3));
    ASSERT_TRUE(picture.save(file("pic.bmp"), "BMP"));
    writeFile(file("colours.txt"), "00197121=258\n");
    const QByteArray original = readFile(file("map.scm"));
    int before = 0, after = 0;
    for (int delayUs = 0; delayUs < 600000 && after < 3; delayUs += 3000) {
        writeMap(file("map.scm"), scenario(256, 256));
        ASSERT_EQ(readFile(file("map.scm")), original);
        const CliRun r = runBytes({"convert", QFile::encodeName(file("map.scm")),
                                QFile::encodeName(file("pic.bmp")), "--colors",
                                QFile::encodeName(file("colours.txt"))},
                               30, [delayUs](pid_t pid) {
                                   usleep(useconds_t(delayUs));
                                   kill(pid, SIGTERM);
                               });
        const bool unchanged = readFile(file("map.scm")) == original;
        SCOPED_TRACE(delayUs);
        if (r.status == 128 + SIGTERM) {
            ++before;
            EXPECT_TRUE(unchanged) << "ended by the signal after the map was replaced";
        } else {
            ASSERT_EQ(r.status, 0) << r.err.toStdString();
            ++after;
            EXPECT_FALSE(unchanged);
            EXPECT_TRUE(r.err.contains("converted")) << r.err.toStdString();
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3)
            << QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString();
    }
    EXPECT_GT(before, 0);
    EXPECT_GT(after, 0);
}

// Names as the system gives them: a map and a picture named in Latin-1 bytes are read,
// converted in place or saved under another such name, and shown escaped.
TEST_F(Hostile, NamesThatAreNotUtf8AreReadWrittenAndShownEscaped)
{
    inputs();
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    const QByteArray map = folder + "Kart\xe9.scm", pic = folder + "Bild\xe9.bmp",
                     out = folder + "Ausgabe\xe9.scm";
    ASSERT_EQ(::rename(QFile::encodeName(file("map.scm")).constData(), map.constData()), 0);
    ASSERT_EQ(::rename(QFile::encodeName(file("pic.bmp")).constData(), pic.constData()), 0);
    const auto bytesOf = [](const QByteArray &path) {
        QFile f;
        const int fd = ::open(path.constData(), O_RDONLY);
        QByteArray all;
        if (fd >= 0 && f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
            all = f.readAll();
        return all;
    };
    const QByteArray original = bytesOf(map);
    ASSERT_FALSE(original.isEmpty());

    const CliRun info = runBytes({"info", map});
    EXPECT_EQ(info.status, 0) << info.err.toStdString();
    const CliRun saved = runBytes({"convert", map, pic, "--colors",
                                   QFile::encodeName(file("colours.txt")), "-o", out});
    ASSERT_EQ(saved.status, 0) << saved.err.toStdString();
    EXPECT_TRUE(saved.err.contains("Bild\\xE9.bmp into ")) << saved.err.toStdString();
    EXPECT_TRUE(saved.err.contains("Ausgabe\\xE9.scm (")) << saved.err.toStdString();
    EXPECT_FALSE(bytesOf(out).isEmpty());
    EXPECT_EQ(bytesOf(map), original);
    const CliRun inPlace = runBytes({"convert", map, pic, "--colors",
                                     QFile::encodeName(file("colours.txt"))});
    ASSERT_EQ(inPlace.status, 0) << inPlace.err.toStdString();
    EXPECT_EQ(bytesOf(map), bytesOf(out));
    struct stat st {};
    ASSERT_EQ(::lstat(map.constData(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode)); // the file itself was replaced, not a link made
    const CliRun missing = runBytes({"info", folder + "Fehlt\xe9.scm"});
    EXPECT_EQ(missing.status, exitstatus::MapUnreadable);
    EXPECT_TRUE(missing.err.contains("Fehlt\\xE9.scm")) << missing.err.toStdString();
    EXPECT_FALSE(missing.err.contains("argument-")) << missing.err.toStdString();
    for (const QByteArray &name : {map, pic, out})
        ::unlink(name.constData()); // Qt cannot remove names it cannot hold
}

// Run by a user who may not read an input or write the output's folder, the companion names
// the file or folder with that cause (never "damaged" or "has no tileset file"), its status
// comes from the kind, and nothing is written.
TEST_F(Hostile, WhatTheUserMayNotReadOrWriteIsNamedWithThatCause)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "the companion is run as another user, which needs root";
    inputs();
    ASSERT_TRUE(QDir(dir.path()).mkdir("archive"));
    writeFile(file("archive/StarDat.mpq"), "never opened: it cannot be read");
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("locked"));
    ASSERT_TRUE(QFile::copy(file("map.scm"), file("locked/map.scm")));
    const auto mode = [this](const QString &name, mode_t m) {
        ASSERT_EQ(::chmod(QFile::encodeName(file(name)).constData(), m), 0) << name.toStdString();
    };
    for (const char *folder : {"", "game", "game/tileset", "archive", "locked"})
        mode(folder, 0755);
    mode("out", 0777);
    mode("locked", 0555);
    const QString out = file("out/o.png");
    const QStringList render = {"render", file("map.scm"), "--game-data", file("game"), "-o", out};
    const struct
    {
        const char *what;
        QStringList args;
        const char *denied; ///< made unreadable for this case (mode 0)
        int status;
        const char *names;
        const char *says;
    } cases[] = {
        {"the map", render, "map.scm", exitstatus::MapUnreadable, "map.scm",
         "cannot be read (permission denied)"},
        {"the picture", {"colors", file("map.scm"), file("pic.bmp")}, "pic.bmp",
         exitstatus::BadPicture, "pic.bmp", "cannot be read (permission denied)"},
        {"the colour file",
         {"convert", file("map.scm"), file("pic.bmp"), "--colors", file("colours.txt"), "-o",
          file("out/o.scm")},
         "colours.txt", exitstatus::BadColorFile, "colours.txt", "cannot be read (permission denied)"},
        {"the tileset folder", render, "game/tileset", exitstatus::GameData, "tileset",
         "cannot be read (permission denied)"},
        {"a tileset file", render, "game/tileset/jungle.vr4", exitstatus::GameData, "jungle.vr4",
         "cannot be read (permission denied)"},
        {"the game archive",
         {"render", file("map.scm"), "--game-data", file("archive"), "-o", out},
         "archive/StarDat.mpq", exitstatus::GameData, "StarDat.mpq",
         "cannot be read (permission denied)"},
        {"the output's folder",
         {"render", file("map.scm"), "--game-data", file("game"), "-o", file("locked/o.png")},
         nullptr, exitstatus::CannotReplace, "o.png", "permission denied"},
        {"the folder of a map converted in place",
         {"convert", file("locked/map.scm"), file("pic.bmp"), "--colors", file("colours.txt")},
         nullptr, exitstatus::CannotReplace, "map.scm", "permission denied"},
    };
    const QByteArray lockedMap = readFile(file("locked/map.scm"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        struct stat before {};
        if (c.denied) {
            ASSERT_EQ(::stat(QFile::encodeName(file(c.denied)).constData(), &before), 0);
            mode(c.denied, 0);
        }
        const CliRun r = run(c.args, 10, AsNobody);
        if (c.denied)
            mode(c.denied, before.st_mode & 07777);
        EXPECT_EQ(r.status, c.status) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.names)) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(QDir(file("out")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
        EXPECT_EQ(QDir(file("locked")).entryList(QDir::Files | QDir::Hidden), QStringList{"map.scm"});
        EXPECT_EQ(readFile(file("locked/map.scm")), lockedMap);
    }
}

// On a full disk every output says so and names the user's file; a target that existed is
// as it was, and no copy is left beside it.
TEST_F(Hostile, AFullDiskIsNamedAndLeavesTheTargetAsItWas)
{
    inputs();
    ASSERT_TRUE(QDir(dir.path()).mkdir("full"));
    testsupport::FullDisk disk(file("full"));
    if (!disk.mounted())
        GTEST_SKIP() << disk.reason().toStdString();
    ASSERT_TRUE(QFile::copy(file("map.scm"), file("full/map.scm")));
    writeFile(file("full/old.png"), "the picture exported before");
    disk.fill();
    const QStringList names = disk.names();
    const QStringList convert = {"convert", file("map.scm"), file("pic.bmp"), "--colors",
                                 file("colours.txt"), "-o"};
    const QStringList render = {"render", file("map.scm"), "--game-data", file("game"), "-o"};
    const struct
    {
        const char *what;
        QStringList args;
        const char *target;
    } cases[] = {
        {"render, a new picture", render + QStringList{file("full/new.png")}, "new.png"},
        {"render over a picture", render + QStringList{file("full/old.png")}, "old.png"},
        {"convert, a new map", convert + QStringList{file("full/new.scm")}, "new.scm"},
        {"convert over a map", convert + QStringList{file("full/map.scm")}, "map.scm"},
        {"convert in place",
         {"convert", file("full/map.scm"), file("pic.bmp"), "--colors", file("colours.txt")},
         "map.scm"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString target = file(QStringLiteral("full/") + c.target);
        const QByteArray before = stateOf(target);
        const CliRun r = run(c.args, 10);
        EXPECT_EQ(r.status, exitstatus::CannotReplace) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("the disk is full")) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.target)) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_EQ(stateOf(target), before);
        EXPECT_EQ(disk.names(), names);
    }
}
