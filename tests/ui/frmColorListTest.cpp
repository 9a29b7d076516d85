// The colour list window: the model's rows, the swatches, the selected colour's swatch and
// the replacement field.
#include "ui/ColorListModel.h"
#include "ui/frmColorList.h"

#include "core/convert/ColorFile.h"
#include "core/convert/Conversion.h"

#include "TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QPushButton>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

const QStringList Keys{"16777215", "00000255", "16711680", "-00000001", "00065280"};
const QList<qint32> Values{16777215, 255, 16711680, -1, 65280};
const QList<int> Pixels{1, 1234, 0, 56789, 1000000};

void select(frmColorList &window, int row)
{
    window.lstColor->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
}

} // namespace

TEST(ColorList, FillsTheModelFromColorsAndCounts)
{
    frmColorList window;
    window.setColors(Values, Pixels);
    EXPECT_EQ(window.colorKeys(), Keys);
    EXPECT_EQ(window.colorValues(), Values);
    EXPECT_EQ(window.model()->pixelCounts(), Pixels);
    EXPECT_EQ(window.lstReplace(), QStringList(Keys.size(), "0"));
    ASSERT_EQ(window.model()->rowCount(), Keys.size());

    // Each row shows its key first, then #RRGGBB, the pixel count and the tile value; the
    // model carries the colour for any view, none for "no pixel".
    const ColorListModel &model = *window.model();
    const QStringList texts{"16777215  #FFFFFF  1 px  tile 0", "00000255  #FF0000  1 234 px  tile 0",
                            "16711680  #0000FF  0 px  tile 0", "-00000001  no pixel  56 789 px  tile 0",
                            "00065280  #00FF00  1 000 000 px  tile 0"};
    const QList<QColor> decorations{Qt::white, QColor(255, 0, 0), QColor(0, 0, 255), QColor(),
                                    QColor(0, 255, 0)};
    for (int row = 0; row < Keys.size(); ++row) {
        const QModelIndex index = model.index(row);
        EXPECT_EQ(index.data().toString(), texts.at(row)) << row;
        EXPECT_EQ(index.data().toString().section(' ', 0, 0), Keys.at(row)) << row;
        EXPECT_EQ(index.data(Qt::DecorationRole).value<QColor>(), decorations.at(row)) << row;
        EXPECT_EQ(index.data(ColorListModel::ColorRole).toInt(), Values.at(row)) << row;
    }
    // Keys alone: counts unknown, so none is shown.
    window.setColors(QStringList{"00000255", "-00000001", "not a key"});
    EXPECT_EQ(window.colorValues(), QList<qint32>({255, -1, -1}));
    EXPECT_EQ(model.index(0).data().toString(), "00000255  #FF0000  tile 0");

    // A value set by index, all at once, or typed shows in its row, and the views hear of it.
    QSignalSpy changed(window.model(), &QAbstractItemModel::dataChanged);
    window.setReplacement(1, "1200");
    window.setReplacements({"7", "1200", "31"});
    window.selectColor(0);
    window.txtReplace->setText("");
    EXPECT_EQ(model.index(0).data().toString(), "00000255  #FF0000  no tile");
    EXPECT_EQ(model.index(1).data().toString(), "-00000001  no pixel  tile 1200");
    EXPECT_EQ(model.index(2).data().toString(), "-00000001  no pixel  tile 31");
    ASSERT_EQ(changed.size(), 3);
    for (const QList<QVariant> &signal : changed)
        EXPECT_TRUE(signal.at(2).value<QList<int>>().contains(Qt::DisplayRole));

    // A second fill replaces everything, typed values included.
    window.setColors(Values, Pixels);
    window.selectColor(1);
    window.txtReplace->setText("12");
    window.setColors({1}, {4});
    EXPECT_EQ(window.colorKeys(), QStringList({"00000001"}));
    EXPECT_EQ(window.lstReplace(), QStringList({"0"}));
    EXPECT_EQ(window.selectedIndex(), -1);

    window.clearLists();
    EXPECT_TRUE(window.colorKeys().isEmpty());
    EXPECT_TRUE(window.lstReplace().isEmpty());
}

TEST(ColorList, DescribesEachColorInWords)
{
    struct Case { qint32 color; int pixels; QString replacement; QString description; };
    const Case cases[] = {
        {255, 1, "7", "Colour 00000255: red 255, green 0, blue 0 (#FF0000), 1 pixel, tile value 7"},
        {0x0302FF, 1234, "0", "Colour 00197375: red 255, green 2, blue 3 (#FF0203), 1 234 pixels, tile value 0"},
        {-1, 0, "", "Colour -00000001: no picture pixel, 0 pixels, tile value none"},
        {0, -1, "32767", "Colour 00000000: red 0, green 0, blue 0 (#000000), tile value 32767"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ColorListModel::rowDescription(c.color, c.pixels, c.replacement), c.description);

    // Tips and screen readers get the same words, and follow the value typed.
    frmColorList window;
    window.setColors({255}, {1});
    window.selectColor(0);
    window.txtReplace->setText("7");
    const QModelIndex row = window.model()->index(0);
    EXPECT_EQ(row.data(Qt::ToolTipRole).toString(), cases[0].description);
    EXPECT_EQ(row.data(Qt::AccessibleTextRole).toString(), cases[0].description);
}

TEST(ColorList, EverySwatchHasADarkBorderAroundItsColor)
{
    frmColorList window;
    // White on the white list, black, and "no pixel" (a hatch of both).
    window.setColors({0xFFFFFF, 0, -1}, {1, 1, 1});
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage shown = window.lstColor->viewport()->grab().toImage();
    const qreal scale = qreal(shown.width()) / window.lstColor->viewport()->width();
    const auto at = [&](int x, int y) { return QColor(shown.pixel(x * scale, y * scale)).rgb(); };
    const QRgb border = qRgb(64, 64, 64);
    const QList<QSet<QRgb>> fills{{qRgb(255, 255, 255)}, {qRgb(0, 0, 0)},
                                  {qRgb(0, 0, 0), qRgb(255, 255, 255)}};
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        // The swatch: the border's bounding box within the row's left part.
        const QRect rect = window.lstColor->visualRect(window.model()->index(row));
        QRect frame;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x < rect.left() + 40; ++x)
                if (at(x, y) == border)
                    frame |= QRect(x, y, 1, 1);
        ASSERT_GE(frame.width(), 8);
        EXPECT_EQ(frame.width(), frame.height());
        // Closed on every side, and only the colour inside.
        QSet<QRgb> edge, inside;
        for (int y = frame.top(); y <= frame.bottom(); ++y)
            for (int x = frame.left(); x <= frame.right(); ++x)
                (x == frame.left() || x == frame.right() || y == frame.top() || y == frame.bottom()
                     ? edge : inside).insert(at(x, y));
        EXPECT_EQ(edge, QSet<QRgb>({border}));
        EXPECT_EQ(inside, fills.at(row));
    }
}

TEST(ColorList, ReplacementsSetByIndexReachTheFieldWhenSelected)
{
    frmColorList window;
    window.setColors(Values, Pixels);
    window.setTileImages([](quint16) { return QImage(32, 32, QImage::Format_RGB32); }, QString());
    window.selectColor(2);
    ASSERT_EQ(window.selectedIndex(), 2);

    struct Case { int index; QString text; bool ok; QStringList replacements; QString field; };
    const Case cases[] = {
        {2, "44", true, {"0", "0", "44", "0", "0"}, "44"},  // selected: the field follows
        {4, "9", true, {"0", "0", "44", "0", "9"}, "44"},   // another colour: the field stays
        {5, "1", false, {"0", "0", "44", "0", "9"}, "44"},  // out of range: nothing changes
        {-1, "1", false, {"0", "0", "44", "0", "9"}, "44"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(window.setReplacement(c.index, c.text), c.ok) << c.index;
        EXPECT_EQ(window.lstReplace(), c.replacements) << c.index;
        EXPECT_EQ(window.txtReplace->text(), c.field) << c.index;
    }
    EXPECT_EQ(window.lblTileNote->text(), "Tile 44");

    // All at once: only with one text per colour.
    EXPECT_FALSE(window.setReplacements({"1", "2"}));
    EXPECT_EQ(window.lstReplace(), cases[3].replacements);
    EXPECT_TRUE(window.setReplacements({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(window.lstReplace(), QStringList({"1", "2", "3", "4", "5"}));
    EXPECT_EQ(window.txtReplace->text(), "3");
    EXPECT_EQ(window.lblTileNote->text(), "Tile 3");
    EXPECT_EQ(window.selectedIndex(), 2);

    window.selectColor(-1);
    EXPECT_EQ(window.selectedIndex(), -1);
}

TEST(ColorList, SwatchShowsTheSelectedColor)
{
    struct Case { int row; QColor color; };
    const Case cases[] = {{0, QColor(255, 255, 255)}, {1, QColor(255, 0, 0)},
                          {2, QColor(0, 0, 255)}, {4, QColor(0, 255, 0)}};
    frmColorList window;
    window.setColors(Values, Pixels);
    for (const Case &c : cases) {
        select(window, c.row);
        const QBrush brush = window.lblColor->palette().brush(QPalette::Window);
        EXPECT_EQ(brush.style(), Qt::SolidPattern) << c.row;
        EXPECT_EQ(brush.color(), c.color) << c.row;
        EXPECT_NE(window.lblColor->toolTip(), "no colour");
    }
    // No pixel: no colour is claimed.
    select(window, 3);
    EXPECT_NE(window.lblColor->palette().brush(QPalette::Window).style(), Qt::SolidPattern);
    EXPECT_EQ(window.lblColor->toolTip(), "no colour");
    EXPECT_EQ(window.lblColor->accessibleDescription(), "no colour");
}

TEST(ColorList, EditsAreStoredAtTheSelectedIndexOnly)
{
    frmColorList window;
    window.setColors(Values, Pixels);

    select(window, 2);
    EXPECT_EQ(window.txtReplace->text(), "0");
    window.txtReplace->setText("7");
    EXPECT_EQ(window.lstReplace(), QStringList({"0", "0", "7", "0", "0"}));

    select(window, 0);
    EXPECT_EQ(window.txtReplace->text(), "0");
    window.txtReplace->clear();
    window.txtReplace->setFocus();
    QTest::keyClicks(window.txtReplace, "300");
    select(window, 2);
    EXPECT_EQ(window.txtReplace->text(), "7");
    select(window, 0);
    EXPECT_EQ(window.txtReplace->text(), "300");

    // Erasing every digit stores an empty text.
    window.txtReplace->selectAll();
    QTest::keyClick(window.txtReplace, Qt::Key_Backspace);
    EXPECT_EQ(window.lstReplace(), QStringList({"", "0", "7", "0", "0"}));
}

TEST(ColorList, OnlyDigitsReachTheReplacementList)
{
    frmColorList window;
    window.setColors(Values, Pixels);
    select(window, 1);
    window.txtReplace->clear();

    QTest::keyClicks(window.txtReplace, "1a2-b 3");
    EXPECT_EQ(window.txtReplace->text(), "123");
    EXPECT_EQ(window.lstReplace().at(1), "123");

    // Pasting and inserting go through the same filter.
    QApplication::clipboard()->setText("x9");
    window.txtReplace->end(false);
    window.txtReplace->paste();
    window.txtReplace->insert("-5");
    window.txtReplace->insert("4e2");
    EXPECT_EQ(window.txtReplace->text(), "123");
    EXPECT_EQ(window.lstReplace().at(1), "123");

    QApplication::clipboard()->setText("45");
    window.txtReplace->paste();
    EXPECT_EQ(window.lstReplace().at(1), "12345");
}

TEST(ColorList, TypingWithoutSelectionChangesNothing)
{
    frmColorList window;
    window.setColors(Values, Pixels);
    QTest::keyClicks(window.txtReplace, "42");
    EXPECT_EQ(window.lstReplace(), QStringList(Keys.size(), "0"));

    // After a selection, a new fill leaves nothing selected again.
    select(window, 0);
    window.setColors(Values, Pixels);
    QTest::keyClicks(window.txtReplace, "9");
    EXPECT_EQ(window.lstReplace(), QStringList(Keys.size(), "0"));
}

TEST(ColorList, WorksFromTheKeyboard)
{
    frmColorList window;
    window.setColors(Values, Pixels);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    window.lstColor->setFocus();
    QTest::keyClick(window.lstColor, Qt::Key_Down);
    QTest::keyClick(window.lstColor, Qt::Key_Down);
    const int row = window.lstColor->currentRow();
    ASSERT_GE(row, 0);
    EXPECT_EQ(window.selectedIndex(), row);
    EXPECT_EQ(window.lblColor->palette().brush(QPalette::Window).color(),
              window.lstColor->currentIndex().data(Qt::DecorationRole).value<QColor>());

    QTest::keyClick(window.lstColor, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.txtReplace);
    QTest::keyClicks(QApplication::focusWidget(), "5");
    EXPECT_EQ(window.lstReplace().at(row), "5"); // Tab selects the field's text
}

// ---------------------------------------------------------------------------
// Colour files

namespace {

/// A colour list with scripted dialogs, filled as a loaded picture fills it.
struct ColorFileFixture
{
    ColorFileFixture()
    {
        window.setColors(Values, Pixels);
        window.setOrigin(folder.file("Map.scm"), 64, 96, folder.file("picture.bmp"));
    }
    /// Clicks `button` with `path` as the file dialog's answer.
    void click(QPushButton *button, const QString &path)
    {
        dialogs.fileAnswers.push_back(path);
        button->click();
    }

    testsupport::ProgramFolder folder;
    testsupport::ScriptedDialogs dialogs;
    frmColorList window{dialogs};
};

} // namespace

TEST(ColorListFiles, ExportWritesTheCompanionsFileAndImportReadsItBack)
{
    ColorFileFixture f;
    const QStringList values{"7", "0", "32767", "12", "300"};
    ASSERT_TRUE(f.window.setReplacements(values));
    const QString path = f.folder.file("colours.txt");
    f.click(f.window.btnExport, path);
    ASSERT_TRUE(f.dialogs.messages().isEmpty()) << f.dialogs.messages().value(0).text.toStdString();
    // The dialog suggests a file beside the picture.
    EXPECT_EQ(f.dialogs.asked.at(0).initialPath, f.folder.file("picture.txt"));

    // Byte for byte what the companion's writer gives for the same colours and values.
    QList<ColorFile::Entry> entries;
    for (int i = 0; i < Values.size(); ++i)
        entries.append({Values.at(i), Pixels.at(i), quint16(values.at(i).toUInt())});
    const QByteArray exported = testsupport::readFile(path);
    EXPECT_EQ(exported, ColorFile::format({"Map.scm", 64, 96, "picture.bmp"}, entries).toUtf8());

    // Read back into a list whose values were all reset, in another order of colours.
    ColorFileFixture g;
    QList<qint32> reversed(Values.crbegin(), Values.crend());
    g.window.setColors(reversed, Pixels);
    g.window.selectColor(0); // colour 00065280 ("300")
    g.click(g.window.btnImport, path);
    EXPECT_TRUE(g.dialogs.messages().isEmpty());
    EXPECT_EQ(g.window.lstReplace(), QStringList(values.crbegin(), values.crend()));
    EXPECT_EQ(g.window.txtReplace->text(), "300");

    // Exporting what was imported gives the same file again.
    f.window.setReplacements(QStringList(Values.size(), "0"));
    f.click(f.window.btnImport, path);
    f.click(f.window.btnExport, f.folder.file("again.txt"));
    EXPECT_EQ(testsupport::readFile(f.folder.file("again.txt")), exported);
}

TEST(ColorListFiles, AMalformedFileChangesNothing)
{
    struct Case { const char *name; QByteArray bytes; const char *cause; };
    const Case cases[] = {
        {"no equals sign", "00000255=5\n00065280\n", "line 2 is not KEY=VALUE"},
        {"value too large", "00000255=5\n00065280=32768\n", "line 2: the tile value \"32768\""},
        {"negative value", "00000255=-1\n", "line 1: the tile value \"-1\""},
        {"empty value", "00000255=\n", "line 1: the tile value \"\""},
        {"short colour", "#FF00=5\n", "line 1: \"#FF00\" is not a colour key"},
        {"key beyond 24 bits", "16777216=1\n", "is not a colour key"},
        {"colour twice", "00000255=1\n#FF0000=2\n", "line 2 gives colour 00000255 a value again"},
        {"binary", QByteArray("\x00\x01\x02=\xff\xfe", 7), "line 1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ColorFileFixture f;
        const QStringList before{"1", "2", "3", "4", "5"};
        f.window.setReplacements(before);
        f.window.selectColor(1);
        const QString path = f.folder.file("bad colours.txt");
        testsupport::writeFile(path, c.bytes);
        f.click(f.window.btnImport, path);
        EXPECT_EQ(f.window.lstReplace(), before);
        EXPECT_EQ(f.window.txtReplace->text(), "2");
        EXPECT_EQ(testsupport::readFile(path), c.bytes);
        ASSERT_EQ(f.dialogs.messages().size(), 1);
        const QString text = f.dialogs.messages().at(0).text;
        EXPECT_TRUE(text.startsWith(QDir::toNativeSeparators(path) + " cannot be imported: "))
            << text.toStdString();
        EXPECT_TRUE(text.contains(c.cause)) << text.toStdString();
    }
    // Files that cannot be read at all.
    for (const QString &name : {QStringLiteral("missing.txt"), QString()}) {
        ColorFileFixture f;
        const QString path = name.isEmpty() ? f.folder.path() : f.folder.file(name);
        f.click(f.window.btnImport, path);
        EXPECT_EQ(f.window.lstReplace(), QStringList(Values.size(), "0"));
        ASSERT_EQ(f.dialogs.messages().size(), 1);
        EXPECT_TRUE(f.dialogs.messages().at(0).text.startsWith(QDir::toNativeSeparators(path)));
    }
}

TEST(ColorListFiles, ColoursThePictureLacksAreListedAndTheRestApplied)
{
    struct Case
    {
        int absent;
        QStringList replacements; // after the import
        QStringList lines;        // expected in the message, in order
    };
    // 00000255 and 16711680 are in the list; the absent colours are 1, 2, 3, ...
    const auto file = [](int absent) {
        QByteArray text = "# made by hand\n00000255=11\n";
        for (int i = 1; i <= absent; ++i)
            text += QByteArray::number(i).rightJustified(8, '0') + "=5\n";
        return text + "#0000FF=22\n";
    };
    const Case cases[] = {
        {0, {"0", "11", "22", "0", "0"}, {}},
        {1, {"0", "11", "22", "0", "0"},
         {"names a colour that does not occur in the map's area of picture.bmp; it was left out:",
          "line 3: colour 00000001", "The file's other 2 colours were applied."}},
        {14, {"0", "11", "22", "0", "0"},
         {"names 14 colours that do not occur", "line 3: colour 00000001",
          "line 14: colour 00000012", "... and 2 more", "The file's other 2 colours were applied."}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.absent);
        ColorFileFixture f;
        const QString path = f.folder.file("colours.txt");
        testsupport::writeFile(path, file(c.absent));
        f.click(f.window.btnImport, path);
        EXPECT_EQ(f.window.lstReplace(), c.replacements);
        ASSERT_EQ(f.dialogs.messages().size(), c.lines.isEmpty() ? 0 : 1);
        if (c.lines.isEmpty())
            continue;
        const QString text = f.dialogs.messages().at(0).text;
        EXPECT_TRUE(text.startsWith(QDir::toNativeSeparators(path))) << text.toStdString();
        EXPECT_FALSE(text.contains("colour 00000013")) << text.toStdString();
        qsizetype at = 0;
        for (const QString &line : c.lines) {
            at = text.indexOf(line, at);
            EXPECT_GE(at, 0) << line.toStdString() << "\n" << text.toStdString();
        }
    }
}

TEST(ColorListFiles, ExportWritesNothingForAValueThatIsNoTile)
{
    struct Case { const char *name; QStringList values; int wrongRow; const char *shown; };
    const Case cases[] = {
        {"empty", {"1", "", "3", "4", "5"}, 1, "\"\" of colour 00000255"},
        {"too large", {"1", "2", "3", "4", "32768"}, 4, "\"32768\" of colour 00065280"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ColorFileFixture f;
        const QString path = f.folder.file("colours.txt");
        testsupport::writeFile(path, "00000255=9\n");
        f.window.setReplacements(c.values);
        f.click(f.window.btnExport, path);
        EXPECT_EQ(testsupport::readFile(path), "00000255=9\n");
        EXPECT_EQ(f.window.selectedIndex(), c.wrongRow);
        ASSERT_EQ(f.dialogs.messages().size(), 1);
        EXPECT_TRUE(f.dialogs.messages().at(0).text.contains(c.shown))
            << f.dialogs.messages().at(0).text.toStdString();
    }
    // Nor over the picture or the map the colours come from.
    ColorFileFixture f;
    for (const char *name : {"picture.bmp", "Map.scm"}) {
        testsupport::writeFile(f.folder.file(name), "keep");
        f.click(f.window.btnExport, f.folder.file(name));
        EXPECT_EQ(testsupport::readFile(f.folder.file(name)), "keep");
    }
    EXPECT_EQ(f.dialogs.messages().size(), 2);
    // Cancel writes nothing and says nothing.
    f.click(f.window.btnExport, QString());
    EXPECT_EQ(f.dialogs.messages().size(), 2);
}

// On a full disk Export Colours says so naming the file; an older file stays as it was and
// no copy is left beside it.
TEST(ColorListFiles, ExportOntoAFullDiskSaysSoAndChangesNothing)
{
    ColorFileFixture f;
    ASSERT_TRUE(QDir(f.folder.path()).mkdir("full"));
    testsupport::FullDisk disk(f.folder.file("full"));
    if (!disk.mounted())
        GTEST_SKIP() << disk.reason().toStdString();
    ASSERT_TRUE(f.window.setReplacements(QStringList(Values.size(), "0")));
    testsupport::writeFile(f.folder.file("full/old.txt"), "00000255=9\n");
    disk.fill();
    const QStringList names = disk.names();
    for (const char *name : {"old.txt", "new.txt"}) {
        SCOPED_TRACE(name);
        const QString path = f.folder.file(QStringLiteral("full/") + name);
        const QByteArray before = QFileInfo::exists(path) ? testsupport::readFile(path) : "missing";
        f.dialogs.asked.clear();
        f.click(f.window.btnExport, path);
        ASSERT_EQ(f.dialogs.messages().size(), 1);
        const QString text = f.dialogs.messages().at(0).text;
        EXPECT_TRUE(text.contains(name)) << text.toStdString();
        EXPECT_TRUE(text.contains("the disk is full")) << text.toStdString();
        EXPECT_EQ(QFileInfo::exists(path) ? testsupport::readFile(path) : "missing", before);
        EXPECT_EQ(disk.names(), names);
    }
}

TEST(ColorListFiles, ButtonsNeedColoursAndAnswerToTheirKeys)
{
    testsupport::ProgramFolder folder;
    testsupport::ScriptedDialogs dialogs;
    frmColorList window(dialogs);
    EXPECT_FALSE(window.btnImport->isEnabled());
    EXPECT_FALSE(window.btnExport->isEnabled());
    window.setColors(Values, Pixels);
    EXPECT_TRUE(window.btnImport->isEnabled());
    EXPECT_TRUE(window.btnExport->isEnabled());

    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    // A mnemonic clicks its button after a short press, as a mouse click would.
    window.lstColor->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs.asked.size() == 1; }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs.asked.size() == 2; }));
    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_EQ(dialogs.asked.at(0).kind, "save");
    EXPECT_EQ(dialogs.asked.at(0).title, "Export Colours");
    EXPECT_EQ(dialogs.asked.at(1).kind, "open");
    EXPECT_EQ(dialogs.asked.at(1).title, "Import Colours");
    EXPECT_EQ(dialogs.asked.at(1).text, frmColorList::colorFileFilter());

    window.clearLists();
    EXPECT_FALSE(window.btnExport->isEnabled());
}

TEST(ColorList, ReadsTileValuesAsTheConversionDoes)
{
    frmColorList window;
    window.setColors(Values, Pixels);
    window.setTileImages([](quint16) { return QImage(32, 32, QImage::Format_RGB32); }, QString());
    window.selectColor(2);
    // The note beside the tile, by what the text holds.
    const struct
    {
        const char *text;
        const char *note;
    } cases[] = {
        {"0", "Tile 0"}, {"32767", "Tile 32767"}, {"000042", "Tile 42"},
        {"00000000000000000001", "Tile 1"}, {"32768", "Too large"}, {"99999999999", "Too large"},
        {"4294967296", "Too large"}, {"", "No value"}, {"+7", "No value"}, {" 7", "No value"},
        {"99999x", "No value"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        ASSERT_TRUE(window.setReplacement(2, QString::fromLatin1(c.text)));
        // The reference: what a conversion with this list takes (or refuses).
        ConversionInput input;
        input.picture = picture::Pixels(1, 1);
        input.width = input.height = 1;
        input.colors = Values;
        input.replacements = window.lstReplace();
        const Result<QList<quint16>> converted = conversion::validate(input);
        const std::optional<quint16> shown = window.selectedValue();
        EXPECT_EQ(shown.has_value(), converted.ok());
        if (shown && converted)
            EXPECT_EQ(*shown, converted->at(2));
        EXPECT_EQ(window.lblTileNote->text(), QLatin1String(c.note));
    }
}
