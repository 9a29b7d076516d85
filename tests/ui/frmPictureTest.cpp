// The picture window through its Load button, with scripted dialogs and a stand-in host.
#include "ui/PictureHost.h"
#include "ui/frmColorList.h"
#include "ui/frmPicture.h"

#include "TestSupport.h"

#include <QBuffer>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtEndian>

#include <gtest/gtest.h>

#include <memory>

namespace {

class FakeHost : public PictureHost
{
public:
    FakeHost(qint16 width, qint16 height) : width(width), height(height) {}

    qint16 mapWidth() const override { return width; }
    qint16 mapHeight() const override { return height; }
    QString mapPath() const override { return {}; }
    void setStatus(const QString &text) override
    {
        statuses << text;
        // The colour list must be greyed out while the scan reports.
        if (list && text.startsWith("Scanning"))
            enabledWhileScanning = enabledWhileScanning && !list->lstColor->isEnabled();
    }
    frmColorList *colorList() override
    {
        if (!list)
            list = std::make_unique<frmColorList>();
        return list.get();
    }
    void showColorList() override { ++shown; }
    void enableConversion() override { ++conversionEnabled; }

    qint16 width;
    qint16 height;
    QStringList statuses;
    std::unique_ptr<frmColorList> list;
    int shown = 0;
    int conversionEnabled = 0;
    bool enabledWhileScanning = true;
};

QImage filled(int width, int height, QRgb color)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(color);
    return picture;
}

// A GIF of up to four colours. Qt reads GIF but does not write it, so the test writes the
// file itself: LZW with a clear code after every two pixels keeps every code at 3 bits.
QByteArray gifOf(const QImage &picture, const QList<QRgb> &palette)
{
    QByteArray out("GIF89a");
    auto le16 = [&out](int v) { char b[2]; qToLittleEndian<quint16>(quint16(v), b); out.append(b, 2); };
    le16(picture.width());
    le16(picture.height());
    out.append(char(0x91)); // global colour table of 4 entries
    out.append(char(0));
    out.append(char(0));
    for (int i = 0; i < 4; ++i) {
        const QRgb c = palette.value(i, qRgb(0, 0, 0));
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    out.append(char(0x2C));
    le16(0);
    le16(0);
    le16(picture.width());
    le16(picture.height());
    out.append(char(0));
    out.append(char(2)); // minimum code size

    QByteArray data;
    quint32 bits = 0;
    int bitCount = 0;
    auto put = [&](int code) {
        bits |= quint32(code) << bitCount;
        bitCount += 3;
        while (bitCount >= 8) {
            data.append(char(bits & 0xFF));
            bits >>= 8;
            bitCount -= 8;
        }
    };
    int sinceClear = 0;
    put(4);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            if (sinceClear == 2) {
                put(4);
                sinceClear = 0;
            }
            put(int(palette.indexOf(picture.pixel(x, y) | 0xFF000000u)));
            ++sinceClear;
        }
    put(5);
    if (bitCount > 0)
        data.append(char(bits & 0xFF));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    out.append(char(0x3B));
    return out;
}

struct Fixture
{
    Fixture(qint16 width = 64, qint16 height = 64)
        : host(width, height), window(host, dialogs)
    {
    }

    // Saves `picture` in the program folder and loads it through the Load button.
    void load(const QImage &picture, const QString &name = "picture.bmp", const char *format = "BMP")
    {
        const QString path = folder.file(name);
        ASSERT_TRUE(picture.save(path, format)) << name.toStdString();
        loadPath(path);
    }
    void loadPath(const QString &path)
    {
        dialogs.fileAnswers.push_back(path);
        window.btnLoad->click();
    }
    QStringList keys() const { return host.list ? host.list->colorKeys() : QStringList(); }
    QStringList replacements() const { return host.list ? host.list->lstReplace() : QStringList(); }
    QStringList scanTexts() const { return host.statuses.filter("Scanning pixels"); }

    testsupport::ProgramFolder folder;
    testsupport::ScriptedDialogs dialogs;
    FakeHost host;
    frmPicture window;
};

// Two colours in a picture: a blue pixel at the top-left, red everywhere else.
QImage redWithBlueCorner(int width, int height)
{
    QImage picture = filled(width, height, qRgb(255, 0, 0));
    picture.setPixel(0, 0, qRgb(0, 0, 255));
    return picture;
}

} // namespace

TEST(PictureWindow, LoadsAOneColorPicture)
{
    Fixture f;
    f.load(filled(64, 64, qRgb(255, 255, 255)));

    EXPECT_EQ(f.keys(), QStringList({"16777215"}));
    EXPECT_EQ(f.replacements(), QStringList({"0"}));
    EXPECT_FALSE(f.window.picture().isNull());
    EXPECT_EQ(f.window.picture().at(63, 63), picture::argb(255, 255, 255));
    EXPECT_FALSE(f.window.picMain->pixmap().isNull());
    EXPECT_TRUE(f.host.list->lstColor->isEnabled());
    EXPECT_TRUE(f.host.enabledWhileScanning);
    EXPECT_EQ(f.host.shown, 1);
    EXPECT_EQ(f.host.conversionEnabled, 1);
    ASSERT_GE(f.host.statuses.size(), 2);
    EXPECT_EQ(f.host.statuses.mid(f.host.statuses.size() - 2),
              QStringList({"Removing duplicates...", "Picture loaded!"}));
    EXPECT_TRUE(f.dialogs.messages().isEmpty());

    ASSERT_EQ(f.dialogs.asked.size(), 1);
    EXPECT_EQ(f.dialogs.asked[0].kind, "open");
    EXPECT_EQ(f.dialogs.asked[0].title, "Open");
}

TEST(PictureWindow, ListsColorsInOrderOfLastOccurrence)
{
    Fixture f;
    f.load(redWithBlueCorner(64, 64));
    EXPECT_EQ(f.keys(), QStringList({"16711680", "00000255"}));
    EXPECT_EQ(f.replacements(), QStringList({"0", "0"}));
}

TEST(PictureWindow, ScansExactlyTheMapsArea)
{
    // Smaller than the map: the rest of the area has no pixel.
    Fixture small(96, 64);
    small.load(filled(32, 64, qRgb(0, 255, 0)));
    EXPECT_EQ(small.keys(), QStringList({"00065280", "-00000001"}));

    // Larger than the map: a colour outside the area does not count.
    QImage large = filled(80, 80, qRgb(0, 255, 0));
    large.setPixel(70, 70, qRgb(1, 1, 1));
    Fixture f;
    f.load(large);
    EXPECT_EQ(f.keys(), QStringList({"00065280"}));
}

TEST(PictureWindow, DecodesBmpGifAndJpeg)
{
    const QImage twoColors = redWithBlueCorner(64, 64);
    struct Case { const char *name; QByteArray bytes; bool exactColors; };
    QList<Case> cases;
    for (const char *format : {"BMP", "JPG"}) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(twoColors.save(&buffer, format)) << format;
        cases.append({format, bytes, QByteArray(format) == "BMP"});
    }
    cases.append({"GIF", gifOf(twoColors, {qRgb(255, 0, 0), qRgb(0, 0, 255)}), true});

    for (const Case &c : cases) {
        Fixture f;
        const QString path = f.folder.file(QStringLiteral("picture.") + QString(c.name).toLower());
        testsupport::writeFile(path, c.bytes);
        f.loadPath(path);
        EXPECT_FALSE(f.window.picture().isNull()) << c.name << ": " << QImageReader::supportedImageFormats().join(' ').toStdString();
        EXPECT_EQ(f.host.conversionEnabled, 1) << c.name;
        if (c.exactColors)
            EXPECT_EQ(f.keys(), QStringList({"16711680", "00000255"})) << c.name;
        else
            EXPECT_GE(f.keys().size(), 2) << c.name; // lossy: neighbours of the two colours
        EXPECT_EQ(f.replacements().size(), f.keys().size()) << c.name;
    }
}

TEST(PictureWindow, FailedLoadEmptiesThePictureAndKeepsTheLists)
{
    Fixture f;
    f.load(redWithBlueCorner(64, 64));
    f.host.list->lstColor->setCurrentRow(0);
    f.host.list->txtReplace->setText("12");
    const QStringList keys = f.keys();
    const QStringList replacements = f.replacements();
    ASSERT_EQ(replacements, QStringList({"12", "0"}));

    const QString notAPicture = f.folder.file("notes.bmp");
    testsupport::writeFile(notAPicture, "this is text, not a bitmap\n");
    const QString empty = f.folder.file("empty.gif");
    testsupport::writeFile(empty, QByteArray());

    struct Case { const char *name; QString answer; };
    const Case cases[] = {{"cancel", QString()},
                          {"text renamed .bmp", notAPicture},
                          {"empty file", empty},
                          {"missing file", f.folder.file("gone.jpg")},
                          {"folder", f.folder.path()}};
    for (const Case &c : cases) {
        // Put a picture back first, so each case has something to empty.
        f.load(filled(64, 64, qRgb(9, 9, 9)), "restore.bmp");
        f.host.list->setColors(keys);
        f.host.list->setReplacement(0, "12");
        const int statusCount = f.host.statuses.size();
        const int enabled = f.host.conversionEnabled;

        f.dialogs.fileAnswers.push_back(c.answer);
        f.window.btnLoad_Click();

        EXPECT_TRUE(f.window.picture().isNull()) << c.name;
        EXPECT_TRUE(f.window.picMain->pixmap().isNull()) << c.name;
        EXPECT_EQ(f.keys(), keys) << c.name;
        EXPECT_EQ(f.replacements(), replacements) << c.name;
        // Cancel says nothing; a failed load names the picture and the cause on the status line.
        if (c.answer.isEmpty()) {
            EXPECT_EQ(f.host.statuses.size(), statusCount) << c.name;
        } else {
            ASSERT_EQ(f.host.statuses.size(), statusCount + 1) << c.name;
            const QString said = f.host.statuses.last();
            EXPECT_TRUE(said.startsWith(QFileInfo(c.answer).fileName() + " could not be loaded: "))
                << said.toStdString();
            EXPECT_GT(said.size(), QFileInfo(c.answer).fileName().size() + 24) << "a cause follows";
        }
        EXPECT_EQ(f.host.conversionEnabled, enabled) << c.name;
        EXPECT_TRUE(f.dialogs.messages().isEmpty()) << c.name;
    }
}

TEST(PictureWindow, SecondPictureDiscardsTypedValues)
{
    Fixture f;
    f.load(redWithBlueCorner(64, 64), "first.bmp");
    f.host.list->lstColor->setCurrentRow(1);
    f.host.list->txtReplace->setText("300");
    ASSERT_EQ(f.replacements(), QStringList({"0", "300"}));

    f.load(redWithBlueCorner(64, 64), "second.bmp");
    EXPECT_EQ(f.replacements(), QStringList({"0", "0"}));

    // The dialog offers the picture chosen last.
    ASSERT_EQ(f.dialogs.asked.size(), 2);
    EXPECT_EQ(f.dialogs.asked[1].initialPath, f.folder.file("first.bmp"));
}

TEST(PictureWindow, ReportsProgressAfterEveryRow)
{
    Fixture small;
    small.load(filled(64, 64, qRgb(1, 2, 3)));
    const QStringList texts = small.scanTexts();
    ASSERT_EQ(texts.size(), 64);
    EXPECT_EQ(texts[0], "Scanning pixels... 2% complete.");
    EXPECT_EQ(texts[7], "Scanning pixels... 12% complete.");
    EXPECT_EQ(texts[23], "Scanning pixels... 38% complete.");
    EXPECT_EQ(texts[63], "Scanning pixels... 100% complete.");

    Fixture large(256, 256);
    large.load(filled(256, 256, qRgb(1, 2, 3)));
    const QStringList largeTexts = large.scanTexts();
    ASSERT_EQ(largeTexts.size(), 256);
    EXPECT_EQ(largeTexts.last(), "Scanning pixels... 100% complete.");
    EXPECT_EQ(largeTexts[127], "Scanning pixels... 50% complete.");
}

TEST(PictureWindow, TooManyColorsKeepsTheOldLists)
{
    Fixture f(192, 192);
    f.load(redWithBlueCorner(192, 192), "few.bmp");
    f.host.list->lstColor->setCurrentRow(0);
    f.host.list->txtReplace->setText("5");
    const QStringList keys = f.keys();
    const QStringList replacements = f.replacements();

    QImage many(192, 192, QImage::Format_RGB32);
    for (int y = 0; y < 192; ++y)
        for (int x = 0; x < 192; ++x)
            many.setPixel(x, y, qRgb(x, y, 3));
    f.load(many, "many.bmp");

    ASSERT_EQ(f.dialogs.messages().size(), 1);
    const auto message = f.dialogs.messages().first();
    EXPECT_EQ(message.icon, QMessageBox::Warning);
    EXPECT_EQ(message.title, "Load Picture");
    EXPECT_TRUE(message.text.contains("36864 > 32767")) << message.text.toStdString();
    EXPECT_EQ(f.keys(), keys);
    EXPECT_EQ(f.replacements(), replacements);
    EXPECT_TRUE(f.host.list->lstColor->isEnabled());
    EXPECT_TRUE(f.window.picture().isNull());
    EXPECT_EQ(f.host.conversionEnabled, 1);
    EXPECT_NE(f.host.statuses.last(), "Picture loaded!");
}

TEST(PictureWindow, LaysOutOnePixelPerTile)
{
    Fixture f;
    const int buttonHeight = f.window.btnLoad->height();
    ASSERT_GT(buttonHeight, 0);
    f.window.layoutForMap(128, 96);
    EXPECT_EQ(f.window.picMain->geometry(), QRect(3, 3, 128, 96));
    EXPECT_EQ(f.window.btnLoad->geometry(), QRect(3, 102, 128, buttonHeight));
    EXPECT_EQ(f.window.size(), QSize(134, 96 + buttonHeight + 8));

    // The picture is drawn unscaled from the box's origin: a larger one is cut to the map's
    // area (the only part read), not shrunk.
    f.host.width = 128;
    f.host.height = 96;
    f.load(filled(300, 200, qRgb(4, 5, 6)));
    EXPECT_EQ(f.window.picMain->pixmap().size(), QSize(128, 96));
    EXPECT_EQ(f.window.picture().size(), QSize(128, 96));
    EXPECT_FALSE(f.window.picMain->hasScaledContents());
    EXPECT_EQ(f.window.picMain->alignment(), Qt::AlignLeft | Qt::AlignTop);
}

TEST(PictureWindow, OpenFilterWorksInQtsFileDialog)
{
    // The long-standing texts stay as they were; PNG is listed beside them.
    const QStringList shown{"All Picture Files (*.bmp; *.gif; *.jpg)", "Bitmap Images (*.bmp)",
                            "GIF Images (*.gif)", "JPEG Images (*.jpg; *.jpeg)",
                            "PNG Images (*.png)", "All Files (*.*)"};
    const QList<QStringList> patterns{{"*.bmp", "*.gif", "*.jpg", "*.jpeg", "*.png"}, {"*.bmp"},
                                      {"*.gif"}, {"*.jpg", "*.jpeg"}, {"*.png"}, {"*"}};

    testsupport::ProgramFolder folder;
    QFileDialog dialog(nullptr, "Open", folder.path(), frmPicture::openFilter());
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    auto *combo = dialog.findChild<QComboBox *>("fileTypeCombo");
    auto *model = dialog.findChild<QFileSystemModel *>();
    ASSERT_TRUE(combo && model);
    ASSERT_EQ(combo->count(), shown.size());
    for (int i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(combo->itemText(i), shown[i]);
        dialog.selectNameFilter(dialog.nameFilters().at(i));
        EXPECT_EQ(model->nameFilters(), patterns[i]) << shown[i].toStdString();
    }
}
