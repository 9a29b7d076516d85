// Where the program's files go: beside a writable, uninstalled program; otherwise in the
// user's own folders, never shared between users.
#include "core/settings/AppPaths.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

using testsupport::ProgramFolder;
using testsupport::writeFile;

namespace {

/// Points the per-user folders at `home` for the life of the object.
class FakeUser
{
public:
    explicit FakeUser(const QString &home)
    {
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"})
            m_saved.append({name, qgetenv(name)});
        qputenv("XDG_CONFIG_HOME", (home + "/config").toUtf8());
        qputenv("XDG_CACHE_HOME", (home + "/cache").toUtf8());
        QDir().mkpath(home + "/run");
        QFile::setPermissions(home + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", (home + "/run").toUtf8());
    }
    ~FakeUser()
    {
        for (const auto &[name, value] : m_saved)
            value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }

private:
    QList<std::pair<const char *, QByteArray>> m_saved;
};

struct LayoutCase
{
    const char *name;
    std::function<QString(const QString &root)> programDir; // builds the layout under root
    bool perUser;
};

class Layouts : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P(Layouts, PortableOnlyInAWritableUninstalledFolder)
{
    ProgramFolder root;
    ProgramFolder home;
    FakeUser user(home.path());
    const QString programDir = GetParam().programDir(root.path());
    const AppPaths paths = AppPaths::forProgram(programDir);

    EXPECT_EQ(paths.perUser, GetParam().perUser);
    const QString base = paths.perUser ? home.path() : programDir;
    // Not one of the program's files may end up anywhere else.
    for (const QString &file : {paths.configFile, paths.workFolder, paths.lockFile})
        EXPECT_TRUE(QDir::cleanPath(QDir::fromNativeSeparators(file)).startsWith(base + "/"))
            << file.toStdString();
    if (paths.perUser) {
        EXPECT_EQ(QDir::fromNativeSeparators(paths.configFile), home.path() + "/config/velmora/config.ini");
        EXPECT_EQ(paths.workFolder, home.path() + "/cache/velmora/work");
        EXPECT_EQ(paths.lockFile, home.path() + "/run/velmora.lock");
    } else {
        EXPECT_EQ(QDir::fromNativeSeparators(paths.configFile), programDir + "/config.ini");
        EXPECT_EQ(paths.workFolder, programDir + "/temp");
        EXPECT_EQ(paths.lockFile, programDir + "/velmora.lock");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Folders, Layouts,
    ::testing::Values(
        LayoutCase{"BuildTree", [](const QString &r) { return r; }, false},
        LayoutCase{"Installed",
                   [](const QString &r) {
                       QDir().mkpath(r + "/usr/bin");
                       QDir().mkpath(r + "/usr/share/doc/velmora");
                       return r + "/usr/bin";
                   },
                   true},
        LayoutCase{"InstalledWithoutDocumentation",
                   [](const QString &r) {
                       // A bare copy of the program somewhere writable is a portable copy.
                       QDir().mkpath(r + "/opt/velmora");
                       return r + "/opt/velmora";
                   },
                   false},
        LayoutCase{"FolderGone", [](const QString &r) { return r + "/no/such/folder"; }, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(AppPaths, TwoUsersShareNothing)
{
    ProgramFolder installed;
    QDir().mkpath(installed.path() + "/bin");
    QDir().mkpath(installed.path() + "/share/doc/velmora");
    ProgramFolder homeA;
    ProgramFolder homeB;
    AppPaths a;
    AppPaths b;
    {
        FakeUser user(homeA.path());
        a = AppPaths::forProgram(installed.path() + "/bin");
    }
    {
        FakeUser user(homeB.path());
        b = AppPaths::forProgram(installed.path() + "/bin");
    }
    EXPECT_NE(a.configFile, b.configFile);
    EXPECT_NE(a.workFolder, b.workFolder);
    EXPECT_NE(a.lockFile, b.lockFile);
}

TEST(AppPaths, ReadmeBesideTheProgramFirstThenInTheDocumentationFolder)
{
    ProgramFolder root;
    QDir().mkpath(root.path() + "/bin");
    const AppPaths paths = AppPaths::portable(root.path() + "/bin");
    EXPECT_EQ(paths.readme(), "");

    QDir().mkpath(root.path() + "/share/doc/velmora");
    writeFile(root.path() + "/share/doc/velmora/readme.txt", "installed");
    EXPECT_EQ(QFileInfo(paths.readme()), QFileInfo(root.path() + "/share/doc/velmora/readme.txt"));

    writeFile(root.path() + "/bin/readme.txt", "beside");
    EXPECT_EQ(QFileInfo(paths.readme()), QFileInfo(root.path() + "/bin/readme.txt"));
}

TEST(AppPaths, FoldersAreMadePrivateAndFailuresSayWhatIsInTheWay)
{
    ProgramFolder root;
    const QString made = root.path() + "/a/b/work";
    ASSERT_TRUE(makeFolder(made, true));
    const QFile::Permissions permissions = QFile::permissions(made);
    EXPECT_TRUE(permissions.testFlags(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    EXPECT_FALSE(permissions & (QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
                                | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther));
    EXPECT_TRUE(makeFolder(made, true)) << "an existing folder is fine";

    writeFile(root.path() + "/blocker", "a file");
    const QString blocked = root.path() + "/blocker/cache/work";
    EXPECT_FALSE(makeFolder(blocked, true));
    const QString why = whyFolderUnusable(blocked);
    EXPECT_TRUE(why.contains(QDir::toNativeSeparators(root.path() + "/blocker"))) << why.toStdString();
    EXPECT_TRUE(why.contains("not a folder")) << why.toStdString();
}

} // namespace
