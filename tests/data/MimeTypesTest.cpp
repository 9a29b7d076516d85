// The map file types as a desktop sees them: the shared-mime-info package installed next to
// the system's own types, compiled by update-mime-database and read through Qt. A map
// archive named *.scm is a map; a Scheme source with the same ending stays Scheme.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString SystemTypes = QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml");

TEST(MapFileTypes, ContentDecidesBetweenMapsAndSchemeSources)
{
    const QString compiler = QStandardPaths::findExecutable("update-mime-database");
    if (compiler.isEmpty() || !QFile::exists(SystemTypes))
        GTEST_SKIP() << "shared-mime-info is not installed";

    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    const QString packages = data.filePath("mime/packages");
    ASSERT_TRUE(QDir().mkpath(packages));
    ASSERT_TRUE(QFile::copy(SystemTypes, packages + "/freedesktop.org.xml"));
    ASSERT_TRUE(QFile::copy(VELMORA_MIME_XML, packages + "/io.github.velmora.Velmora.xml"));
    QProcess compile;
    compile.start(compiler, {data.filePath("mime")});
    ASSERT_TRUE(compile.waitForFinished(60000));
    ASSERT_EQ(compile.exitCode(), 0) << compile.readAllStandardError().toStdString();

    // Only this folder is searched; the database reads it on first use.
    qputenv("XDG_DATA_DIRS", data.path().toUtf8());
    qputenv("XDG_DATA_HOME", data.filePath("home").toUtf8());

    const QByteArray scheme = "(define (square x) (* x x))\n";
    struct Case
    {
        const char *name;
        bool map; // archive content, else Scheme text
        const char *type;
    };
    const Case cases[] = {
        {"Island.scm", true, "application/x-starcraft-map"},
        {"Island.scx", true, "application/x-starcraft-expansion-map"},
        {"ISLAND.SCM", true, "application/x-starcraft-map"},
        {"island-without-ending", true, "application/x-starcraft-map"},
        {"square.scm", false, "text/x-scheme"},
    };
    QTemporaryDir files;
    QMimeDatabase db;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = files.filePath(c.name);
        if (c.map)
            testsupport::writeMap(path, testsupport::scenario(64, 64));
        else
            testsupport::writeFile(path, scheme);
        EXPECT_EQ(db.mimeTypeForFile(path).name().toStdString(), c.type);
    }
    const QMimeType expansion = db.mimeTypeForName("application/x-starcraft-expansion-map");
    EXPECT_TRUE(expansion.inherits("application/x-starcraft-map"));
}

} // namespace
