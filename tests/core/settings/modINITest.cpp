// The settings file: what a reader sees in hand-edited files, what a write keeps.
#include "core/settings/modINI.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

using testsupport::ProgramFolder;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

const QString kSettings = QStringLiteral("Settings");

} // namespace

TEST(ReadIniValue, MissingFileSectionOrKeyGivesTheDefaultAndCreatesNothing)
{
    ProgramFolder folder;
    const QString path = folder.file("config.ini");

    EXPECT_EQ(modINI::ReadIniValue(kSettings, "SplashScreen", "1", path), "1");
    EXPECT_FALSE(QFileInfo::exists(path));

    writeFile(path, "[Other]\nSplashScreen=0\n");
    EXPECT_EQ(modINI::ReadIniValue(kSettings, "SplashScreen", "1", path), "1");

    writeFile(path, "[Settings]\nStatusBar=0\n");
    EXPECT_EQ(modINI::ReadIniValue(kSettings, "SplashScreen", "dflt", path), "dflt");

    // A folder where the file should be reads as no file.
    ProgramFolder other;
    ASSERT_TRUE(QDir(other.path()).mkdir("config.ini"));
    EXPECT_EQ(modINI::ReadIniValue(kSettings, "SplashScreen", "1", other.file("config.ini")), "1");

    // So does a pipe, which would block a plain read, and a file over the 4 MiB settings cap;
    // writing refuses both rather than replacing them.
    ProgramFolder third;
    const QString pipe = third.file("config.ini");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(modINI::ReadIniValue(kSettings, "SplashScreen", "1", pipe), "1");
    EXPECT_FALSE(modINI::WriteIniValue(kSettings, "SplashScreen", "0", pipe));
    writeFile(path, "[Settings]\nSplashScreen=0\n" + QByteArray(4 << 20, '\n'));
    EXPECT_EQ(modINI::ReadIniValue(kSettings, "SplashScreen", "1", path), "1");
}

struct ReadCase
{
    const char *name;
    QByteArray file;
    const char *key;
    QString expected; // read with default "DEF"
};

class ReadIniValueForms : public ::testing::TestWithParam<ReadCase>
{
};

TEST_P(ReadIniValueForms, ReadsWhatTheProfileRulesSay)
{
    ProgramFolder folder;
    const QString path = folder.file("config.ini");
    writeFile(path, GetParam().file);
    EXPECT_EQ(modINI::ReadIniValue(kSettings, GetParam().key, "DEF", path), GetParam().expected);
    EXPECT_EQ(readFile(path), GetParam().file) << "reading changed the file";
}

INSTANTIATE_TEST_SUITE_P(
    HandEditedFiles, ReadIniValueForms,
    ::testing::Values(
        ReadCase{"EmptyValueIsNotTheDefault", "[Settings]\nLoadDialog=\n", "LoadDialog", ""},
        ReadCase{"CaseOfNamesIgnored", "[sETTINGS]\nsplashscreen=0\n", "SplashScreen", "0"},
        ReadCase{"BlanksIgnored", "  [ Settings ]  \n\t StatusBar \t=   0  \t\n", "StatusBar", "0"},
        ReadCase{"WindowsLineEndings", "[Settings]\r\nStatusBar=0\r\nLoadDialog=2\r\n",
                 "LoadDialog", "2"},
        ReadCase{"CommentedKeyIgnored", "; my settings\n[Settings]\n;StatusBar=0\nStatusBar=2\n",
                 "StatusBar", "2"},
        ReadCase{"KeyOfAnotherSectionNotSeen", "[Settings]\nA=1\n[Other]\nStatusBar=0\n",
                 "StatusBar", "DEF"},
        ReadCase{"KeyBeforeAnySectionNotSeen", "StatusBar=0\n[Settings]\n", "StatusBar", "DEF"},
        ReadCase{"FirstOfTwoSameSections", "[Settings]\nStatusBar=5\n[Settings]\nStatusBar=7\n",
                 "StatusBar", "5"},
        ReadCase{"FirstOfTwoSameKeys", "[Settings]\nStatusBar=5\nstatusbar=7\n", "StatusBar", "5"},
        ReadCase{"QuotesRemoved", "[Settings]\nStatusBar=\"0\"\n", "StatusBar", "0"},
        ReadCase{"UnmatchedQuoteKept", "[Settings]\nStatusBar=\"0\n", "StatusBar", "\"0"},
        ReadCase{"EqualsInsideValue", "[Settings]\nStatusBar=a=b\n", "StatusBar", "a=b"},
        ReadCase{"TrailingTextIsPartOfValue", "[Settings]\nStatusBar=1 ; note\n", "StatusBar",
                 "1 ; note"},
        ReadCase{"LastLineWithoutLineEnd", "[Settings]\nStatusBar=0", "StatusBar", "0"},
        ReadCase{"Latin1Text", "[Settings]\nName=caf\xE9\n", "Name", QStringLiteral("caf\u00E9")}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ReadIniValue, ValuesAndDefaultsAreCutTo127Characters)
{
    ProgramFolder folder;
    const QString path = folder.file("config.ini");
    QByteArray longValue;
    for (int i = 0; i < 200; ++i)
        longValue.append(char('a' + i % 26));
    writeFile(path, "[Settings]\nLong=" + longValue + "\n");

    const QString read = modINI::ReadIniValue(kSettings, "Long", "1", path);
    EXPECT_EQ(read, QString::fromLatin1(longValue.left(127)));

    const QString longDefault(200, QLatin1Char('d'));
    EXPECT_EQ(modINI::ReadIniValue(kSettings, "Missing", longDefault, path).size(), 127);
}

TEST(WriteIniValue, CreatesTheFileWithSectionAndKeysInOrder)
{
    ProgramFolder folder;
    const QString path = folder.file("config.ini");
    EXPECT_TRUE(modINI::WriteIniValue(kSettings, "SplashScreen", "1", path));
    EXPECT_TRUE(modINI::WriteIniValue(kSettings, "StatusBar", "0", path));
    EXPECT_TRUE(modINI::WriteIniValue(kSettings, "LoadDialog", "1", path));

    EXPECT_EQ(readFile(path), "[Settings]\nSplashScreen=1\nStatusBar=0\nLoadDialog=1\n");
    EXPECT_EQ(modINI::ReadIniValue(kSettings, "StatusBar", "1", path), "0");
}

struct WriteCase
{
    const char *name;
    QByteArray before;
    const char *section;
    const char *key;
    const char *value;
    QByteArray after;
};

class WriteIniValueEdits : public ::testing::TestWithParam<WriteCase>
{
};

TEST_P(WriteIniValueEdits, ChangesOneLineAndKeepsTheRest)
{
    ProgramFolder folder;
    const QString path = folder.file("config.ini");
    writeFile(path, GetParam().before);
    ASSERT_TRUE(modINI::WriteIniValue(GetParam().section, GetParam().key, GetParam().value, path));
    EXPECT_EQ(readFile(path), GetParam().after);
    EXPECT_EQ(modINI::ReadIniValue(GetParam().section, GetParam().key, "DEF", path),
              GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    ExistingFiles, WriteIniValueEdits,
    ::testing::Values(
        WriteCase{"ReplacesValueKeepsCommentsAndOtherSections",
                  "; kept\r\n[Other]\r\nStatusBar=9\r\n\r\n[settings]\r\n  statusbar =  0 \r\n"
                  "LoadDialog=0\r\n; tail\r\n",
                  "Settings", "StatusBar", "1",
                  "; kept\r\n[Other]\r\nStatusBar=9\r\n\r\n[settings]\r\nstatusbar=1\r\n"
                  "LoadDialog=0\r\n; tail\r\n"},
        WriteCase{"ReplacesOnlyTheFirstOfTwoSameKeys", "[Settings]\nA=1\nA=2\n", "Settings", "A",
                  "3", "[Settings]\nA=3\nA=2\n"},
        WriteCase{"AddsKeyAtEndOfSectionBeforeBlankLines",
                  "[Settings]\r\nA=1\r\n\r\n[Other]\r\nB=2\r\n", "Settings", "C", "3",
                  "[Settings]\r\nA=1\r\nC=3\r\n\r\n[Other]\r\nB=2\r\n"},
        WriteCase{"AddsKeyToEmptySection", "[Settings]\n[Other]\n", "Settings", "C", "3",
                  "[Settings]\nC=3\n[Other]\n"},
        WriteCase{"AddsKeyToLastLineWithoutLineEnd", "[Settings]\nA=1", "Settings", "B", "2",
                  "[Settings]\nA=1\nB=2\n"},
        WriteCase{"AddsSectionAfterOthers", "[Other]\nB=2", "Settings", "K", "v",
                  "[Other]\nB=2\n\n[Settings]\nK=v\n"},
        WriteCase{"EmptyValue", "[Settings]\nLoadDialog=1\n", "Settings", "LoadDialog", "",
                  "[Settings]\nLoadDialog=\n"},
        WriteCase{"EmptyFile", "", "Settings", "A", "1", "[Settings]\nA=1\n"}),
    [](const auto &info) { return std::string(info.param.name); });

// Several keys at once give the file that writing them one after another gives, whatever
// the file held before; one key that cannot be written leaves the file as it was.
TEST_P(WriteIniValueEdits, SeveralKeysAtOnceEqualOneAfterAnother)
{
    const QList<std::pair<QString, QString>> values{
        {GetParam().key, GetParam().value}, {"Map1", "/a b"}, {"a", "0"}, {"Map2", ""},
        {GetParam().key, "again"}};
    ProgramFolder folder;
    const QString oneByOne = folder.file("one.ini");
    const QString atOnce = folder.file("all.ini");
    writeFile(oneByOne, GetParam().before);
    writeFile(atOnce, GetParam().before);
    for (const auto &[key, value] : values)
        ASSERT_TRUE(modINI::WriteIniValue(GetParam().section, key, value, oneByOne));
    ASSERT_TRUE(modINI::WriteIniValues(GetParam().section, values, atOnce));
    EXPECT_EQ(readFile(atOnce), readFile(oneByOne));

    QList<std::pair<QString, QString>> withBadOne = values;
    withBadOne.insert(2, {"Map3", "1\n[Evil]"});
    EXPECT_FALSE(modINI::WriteIniValues(GetParam().section, withBadOne, atOnce));
    EXPECT_EQ(readFile(atOnce), readFile(oneByOne));
}

struct RefusedCase
{
    const char *name;
    QString section;
    QString key;
    QString value;
};

class WriteIniValueRefuses : public ::testing::TestWithParam<RefusedCase>
{
};

TEST_P(WriteIniValueRefuses, NamesAndValuesThatWouldBreakTheFile)
{
    ProgramFolder folder;
    const QString path = folder.file("config.ini");
    const QByteArray before = "[Settings]\nStatusBar=0\n";
    writeFile(path, before);
    EXPECT_FALSE(modINI::WriteIniValue(GetParam().section, GetParam().key, GetParam().value, path));
    EXPECT_EQ(readFile(path), before);
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, WriteIniValueRefuses,
    ::testing::Values(RefusedCase{"LineBreakInValue", "Settings", "StatusBar", "1\n[Evil]"},
                      RefusedCase{"ReturnInValue", "Settings", "StatusBar", "1\rX=2"},
                      RefusedCase{"EqualsInKey", "Settings", "Status=Bar", "1"},
                      RefusedCase{"EmptyKey", "Settings", "  ", "1"},
                      RefusedCase{"CommentKey", "Settings", ";StatusBar", "1"},
                      RefusedCase{"BracketInSection", "Set]tings", "StatusBar", "1"},
                      RefusedCase{"EmptySection", "", "StatusBar", "1"},
                      RefusedCase{"BeyondLatin1", "Settings", "StatusBar",
                                  QStringLiteral("\u20AC")}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(WriteIniValue, FailureLeavesNothingBehind)
{
    ProgramFolder folder;
    // The folder of the file does not exist.
    const QString inMissingFolder = folder.file("nowhere/config.ini");
    EXPECT_FALSE(modINI::WriteIniValue(kSettings, "StatusBar", "1", inMissingFolder));
    EXPECT_FALSE(QFileInfo::exists(folder.file("nowhere")));

    // A folder stands where the file should be.
    ASSERT_TRUE(QDir(folder.path()).mkdir("config.ini"));
    EXPECT_FALSE(modINI::WriteIniValue(kSettings, "StatusBar", "1", folder.file("config.ini")));
    EXPECT_TRUE(QFileInfo(folder.file("config.ini")).isDir());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

TEST(WriteIniValue, Latin1RoundTrip)
{
    ProgramFolder folder;
    const QString path = folder.file("config.ini");
    ASSERT_TRUE(modINI::WriteIniValue(kSettings, "Name", QStringLiteral("caf\u00E9"), path));
    EXPECT_EQ(readFile(path), "[Settings]\nName=caf\xE9\n");
    EXPECT_EQ(modINI::ReadIniValue(kSettings, "Name", "", path), QStringLiteral("caf\u00E9"));
}

struct SettingCase
{
    QByteArray stored; // null: no key at all
    qint16 expected;
};

class ReadSettingValues : public ::testing::TestWithParam<SettingCase>
{
};

TEST_P(ReadSettingValues, WholeNumbersInRangeElseOne)
{
    ProgramFolder folder;
    if (!GetParam().stored.isNull())
        writeFile(modINI::configPath(folder.path()), "[Settings]\nStatusBar=" + GetParam().stored + "\n");
    EXPECT_EQ(modINI::ReadSetting(folder.path(), "StatusBar"), GetParam().expected)
        << "stored: " << GetParam().stored.constData();
}

INSTANTIATE_TEST_SUITE_P(
    StoredValues, ReadSettingValues,
    ::testing::Values(SettingCase{"0", 0}, SettingCase{"1", 1}, SettingCase{"2", 2},
                      SettingCase{"-1", -1}, SettingCase{"32767", 32767},
                      SettingCase{"-32768", -32768}, SettingCase{"", 1}, SettingCase{"abc", 1},
                      SettingCase{"12abc", 1}, SettingCase{"40000", 1}, SettingCase{"-40000", 1},
                      SettingCase{"1.5", 1}, SettingCase{QByteArray(), 1}));

TEST(ReadSetting, NoSettingsFileReadsOneAndCreatesNone)
{
    ProgramFolder folder;
    for (const char *key : {"SplashScreen", "StatusBar", "LoadDialog"})
        EXPECT_EQ(modINI::ReadSetting(folder.path(), key), 1) << key;
    EXPECT_FALSE(QFileInfo::exists(modINI::configPath(folder.path())));
    EXPECT_EQ(QFileInfo(modINI::configPath(folder.path())).dir(), QDir(folder.path()));
}
