// The one rule for "the same file" and for what a write may replace, the escaping of what a
// user's file contributes to a message, and the writer that replaces a file only whole.
#include "core/common/FileIdentity.h"
#include "core/common/MessageText.h"
#include "core/common/OutputTarget.h"
#include "core/common/ReplacingFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

QByteArray native(const QString &path) { return QFile::encodeName(path); }

} // namespace

TEST(OutputTarget, SameFileAndInputsByDeviceAndInode)
{
    QTemporaryDir dir;
    const auto at = [&](const char *name) { return dir.filePath(QString::fromLatin1(name)); };
    writeFile(at("map.scm"), "map");
    writeFile(at("other.scm"), "map"); // same bytes, another file
    ASSERT_EQ(::link(native(at("map.scm")), native(at("hard.scm"))), 0);
    ASSERT_TRUE(QFile::link(at("map.scm"), at("soft.scm")));
    ASSERT_TRUE(QDir(dir.path()).mkpath("game/tileset"));
    writeFile(at("game/tileset/ice.cv5"), "cv5");
    ASSERT_EQ(::link(native(at("game/tileset/ice.cv5")), native(at("ice-elsewhere"))), 0);
    ASSERT_TRUE(QFile::link(at("game"), at("game-link")));
    ASSERT_TRUE(QFile::link(at("game/tileset/new.png"), at("dangling-into-game")));
    ASSERT_EQ(mkfifo(native(at("fifo")), 0600), 0);

    const QList<outputtarget::Input> inputs = {{at("map.scm"), QStringLiteral("the map")},
                                               {at("game"), QStringLiteral("in the game data folder"), true}};
    const struct
    {
        const char *what;
        QString target;
        const char *refusal; // nullptr: may be written
    } cases[] = {
        {"a new name", at("out.scm"), nullptr},
        {"another file with the same bytes", at("other.scm"), nullptr},
        {"the map", at("map.scm"), "the map"},
        {"the map spelled with ./", dir.path() + "/./map.scm", "the map"},
        {"a hard link to the map", at("hard.scm"), "the map"},
        {"a symbolic link to the map", at("soft.scm"), "the map"},
        {"a game data file", at("game/tileset/ice.cv5"), "game data"},
        {"a new name in game data", at("game/tileset/new.png"), "game data"},
        {"game data through a linked folder", at("game-link/tileset/ice.cv5"), "game data"},
        {"a hard link to a game data file", at("ice-elsewhere"), "game data"},
        {"a dangling link into game data", at("dangling-into-game"), "game data"},
        {"out of game data by ..", at("game/tileset/../../out.scm"), nullptr},
        {"a named pipe", at("fifo"), "a named pipe"},
        {"a folder", dir.path(), "a folder"},
        {"a device", QStringLiteral("/dev/null"), "a device"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const Status got = outputtarget::check(c.target, inputs);
        EXPECT_EQ(got.ok(), c.refusal == nullptr) << got.reason().toStdString();
        if (c.refusal) {
            EXPECT_EQ(got.kind(), FailureKind::Output);
            EXPECT_TRUE(got.reason().contains(QLatin1String(c.refusal))) << got.reason().toStdString();
        }
    }
    // Where one side does not exist, the clean absolute paths decide.
    EXPECT_TRUE(fileidentity::sameFile(at("gone/../new.scm"), at("new.scm")));
    EXPECT_FALSE(fileidentity::sameFile(at("new.scm"), at("new2.scm")));
}

TEST(MessageText, ControlCharactersAreEscapedAndTheRestKept)
{
    const struct
    {
        QString text;
        const char *shown;
    } cases[] = {
        {QStringLiteral("plain name.scm"), "plain name.scm"},
        {QStringLiteral("line\nbreak\r\ttab"), "line\\nbreak\\r\\ttab"},
        {QString::fromLatin1("ti\x1b]0;x\atle"), "ti\\x1B]0;x\\x07tle"},
        {QString(QChar(0)) + QStringLiteral("nul") + QChar(0x7f) + QChar(0x9b), "\\x00nul\\x7F\\x9B"},
        {QStringLiteral("abc") + QChar(0x202e) + QStringLiteral("gpj.exe"), "abc\\u{202E}gpj.exe"},
        {QString::fromUtf8("Karté 地图 🗺"), "Karté 地图 🗺"},
        {QString(QChar(0xdc80)) + QStringLiteral("lone"), "\\u{DC80}lone"},
        {QStringLiteral("back\\slash"), "back\\slash"},
    };
    for (const auto &c : cases) {
        const QString shown = messagetext::escaped(c.text);
        EXPECT_EQ(shown, QString::fromUtf8(c.shown)) << shown.toStdString();
        EXPECT_EQ(messagetext::escaped(shown), shown); // escaping twice changes nothing
    }
}

// The writer replaces the file a link names (in the system's bytes: a name that is not UTF-8
// included), keeps its permissions, and leaves the target as it was when cancelled.
TEST(ReplacingFile, ReplacesWholeThroughLinksOrNotAtAll)
{
    QTemporaryDir dir;
    const QByteArray latin1Name = native(dir.path()) + "/Kart\xe9.scm";
    {
        const int fd = ::open(latin1Name.constData(), O_WRONLY | O_CREAT, 0640);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, "old", 3), 3);
        ::close(fd);
    }
    const QString link = dir.filePath("link.scm");
    ASSERT_EQ(::symlink(latin1Name.constData(), native(link).constData()), 0);

    {
        ReplacingFile cancelled(link);
        ASSERT_TRUE(cancelled.begin().ok());
        ASSERT_EQ(cancelled.write("half"), 4);
    } // goes without commit
    ReplacingFile file(link);
    ASSERT_TRUE(file.begin().ok());
    ASSERT_EQ(file.write("new bytes"), 9);
    const Status committed = file.commit();
    ASSERT_TRUE(committed.ok()) << committed.reason().toStdString();

    struct stat st {};
    ASSERT_EQ(::lstat(native(link).constData(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode)); // the link stays a link
    ASSERT_EQ(::stat(latin1Name.constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(st.st_size, 9);
    // No copy left: the folder holds the file and the link (listed in bytes; Qt's listing
    // leaves out names that are not UTF-8).
    int entries = 0;
    if (DIR *d = ::opendir(native(dir.path()).constData())) {
        while (const dirent *e = ::readdir(d))
            entries += std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0;
        ::closedir(d);
    }
    EXPECT_EQ(entries, 2);

    // A target that turns into a pipe after the check is still not replaced.
    const QString pipe = dir.filePath("pipe");
    ASSERT_EQ(mkfifo(native(pipe).constData(), 0600), 0);
    ReplacingFile ontoPipe(pipe);
    const Status refused = ontoPipe.begin();
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.reason().contains("named pipe")) << refused.reason().toStdString();
    ASSERT_EQ(::lstat(native(pipe).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ::unlink(latin1Name.constData());
}
