// The recent maps list: order, limit and repeats against a plain list model, and file
// names that the settings file's text rules would otherwise break.
#include "core/settings/RecentMaps.h"

#include "TestSupport.h"
#include "core/settings/modINI.h"

#include <QDir>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using testsupport::ProgramFolder;

TEST(RecentMaps, FollowsAMostRecentFirstModelOverManyLoads)
{
    ProgramFolder folder;
    const QString ini = folder.file("config.ini");
    testsupport::writeFile(ini, "[Settings]\r\nLoadDialog=0\r\n");
    QStringList model;
    QRandomGenerator random(15);
    for (int step = 0; step < 25; ++step) {
        const QString path = folder.file(QStringLiteral("map%1.scm").arg(random.bounded(10)));
        ASSERT_TRUE(RecentMaps::remember(ini, path));
        model.removeAll(path);
        model.prepend(path);
        while (model.size() > RecentMaps::Limit)
            model.removeLast();
        ASSERT_EQ(RecentMaps::read(ini), model) << "after step " << step;
    }
    // The other settings are kept as they were.
    EXPECT_EQ(modINI::ReadIniValue("Settings", "LoadDialog", "?", ini), "0");
}

TEST(RecentMaps, AnyFileNameComesBackExactly)
{
    ProgramFolder folder;
    const QString ini = folder.file("config.ini");
    const QStringList names{
        QStringLiteral("plain.scm"),
        QStringLiteral(" blanks at both ends .scx "),
        QStringLiteral("\"quoted\".scm"),
        QStringLiteral("semi;colon=and[brackets].scm"),
        QStringLiteral("percent%41.scm"),
        QStringLiteral("Карта 地图 ü.scm"),
        QString(300, QLatin1Char('x')) + QStringLiteral(".scm"),
    };
    for (const QString &name : names)
        ASSERT_TRUE(RecentMaps::remember(ini, folder.file(name))) << name.toStdString();
    QStringList expected;
    for (const QString &name : names)
        expected.prepend(folder.file(name));
    expected = expected.mid(0, RecentMaps::Limit);
    EXPECT_EQ(RecentMaps::read(ini), expected);
    // The file holds only 8-bit text, one line per entry.
    const QByteArray bytes = testsupport::readFile(ini);
    EXPECT_EQ(bytes.count('\n'), 1 + RecentMaps::Limit);
    for (char c : bytes)
        EXPECT_LT(static_cast<unsigned char>(c), 0x80);
}

TEST(RecentMaps, ARelativePathIsStoredAbsoluteAndAnEmptyFileReadsEmpty)
{
    ProgramFolder folder;
    const QString ini = folder.file("config.ini");
    EXPECT_TRUE(RecentMaps::read(ini).isEmpty());
    ASSERT_TRUE(RecentMaps::remember(ini, "relative.scm"));
    EXPECT_EQ(RecentMaps::read(ini), QStringList(QDir::current().absoluteFilePath("relative.scm")));
}
