// Every caption of every window shows in full, in fonts from 96 to 144 dpi. CTest runs this
// program again with QT_FONT_DPI=120, QT_FONT_DPI=144 and QT_SCALE_FACTOR=2.
#include "MainWindowFixture.h"

#include "SyntheticTileset.h"
#include "core/tileset/TileGraphics.h"
#include "ui/frmAbout.h"
#include "ui/frmTilePalette.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

#include <functional>
#include <memory>

namespace {

/// The text a widget shows, access-key marks taken out.
QString shownText(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

/// Where the widget draws its caption (its own coordinates), measured through the style.
QRect captionRoom(const QWidget *w)
{
    if (auto *label = qobject_cast<const QLabel *>(w)) {
        const int m = label->margin();
        return label->contentsRect().adjusted(m, m, -m, -m);
    }
    if (auto *box = qobject_cast<const QCheckBox *>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(box);
        opt.text = box->text();
        return box->style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, box);
    }
    if (auto *button = qobject_cast<const QPushButton *>(w)) {
        QStyleOptionButton opt;
        opt.initFrom(button);
        opt.text = button->text();
        return button->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, button);
    }
    if (auto *combo = qobject_cast<const QComboBox *>(w)) {
        QStyleOptionComboBox opt;
        opt.initFrom(combo);
        return combo->style()->subControlRect(QStyle::CC_ComboBox, &opt,
                                              QStyle::SC_ComboBoxEditField, combo);
    }
    return w->rect();
}

Qt::Alignment captionAlignment(const QWidget *w)
{
    if (auto *label = qobject_cast<const QLabel *>(w))
        return label->alignment();
    if (qobject_cast<const QPushButton *>(w))
        return Qt::AlignCenter;
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QStringList captionsOf(const QWidget *w)
{
    if (auto *label = qobject_cast<const QLabel *>(w))
        return label->pixmap().isNull() && !label->text().isEmpty() ? QStringList{label->text()} : QStringList{};
    if (auto *button = qobject_cast<const QAbstractButton *>(w))
        return {button->text()};
    if (auto *combo = qobject_cast<const QComboBox *>(w)) {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }
    return {};
}

/// Checks every caption of `form` against its room, the form's edges and its neighbours.
void expectCaptionsFit(const QWidget *form, QSize minimum)
{
    EXPECT_GE(form->width(), minimum.width());
    EXPECT_GE(form->height(), minimum.height());
    QList<std::pair<QString, QRect>> drawn; // where each caption is drawn, in the form
    for (const QWidget *w : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        const QStringList captions = captionsOf(w);
        if (w->isHidden() || captions.isEmpty())
            continue;
        // The part of the room the form does not cut off.
        const QRect room = captionRoom(w) & QRect(w->mapFrom(form, QPoint(0, 0)), form->size());
        QRect widest;
        for (const QString &caption : captions) {
            const QString text = shownText(caption);
            SCOPED_TRACE(form->objectName().toStdString() + " / " + text.toStdString());
            const QSize size(w->fontMetrics().horizontalAdvance(text), w->fontMetrics().height());
            EXPECT_LE(size.width(), room.width());
            EXPECT_LE(size.height(), room.height());
            widest |= QStyle::alignedRect(w->layoutDirection(), captionAlignment(w), size, room);
        }
        drawn.append({w->objectName(), widest.translated(w->pos())});
    }
    for (int i = 0; i < drawn.size(); ++i)
        for (int j = i + 1; j < drawn.size(); ++j)
            EXPECT_FALSE(drawn[i].second.intersects(drawn[j].second))
                << drawn[i].first.toStdString() << " overlaps " << drawn[j].first.toStdString();
}

struct FormCase
{
    const char *name;
    QSize minimum;
    /// Opens the window in `test`'s main window (or alone) and returns the form.
    std::function<QWidget *(MainWindowTest &test, std::unique_ptr<QWidget> &own)> open;
};

const FormCase Forms[] = {
    {"Preferences", QSize(177, 108),
     [](MainWindowTest &t, std::unique_ptr<QWidget> &) {
         t.window->mnuPreferences->trigger();
         return t.window->preferencesWindow()->widget();
     }},
    {"Tileset", QSize(185, 62),
     [](MainWindowTest &t, std::unique_ptr<QWidget> &) {
         t.window->mnuTileset->trigger();
         return t.window->tilesetWindow()->widget();
     }},
    {"ColorList", QSize(161, 257),
     [](MainWindowTest &t, std::unique_ptr<QWidget> &) -> QWidget * {
         t.window->showColorList();
         return t.window->existingColorList();
     }},
    {"TilePalette", QSize(200, 120),
     [](MainWindowTest &, std::unique_ptr<QWidget> &own) -> QWidget * {
         const auto tiles = testsupport::SyntheticTileset::make(40);
         auto graphics = std::make_shared<terrain::TileGraphics>();
         if (!terrain::TileGraphics::create({tiles.cv5(), tiles.vx4(), false, tiles.vr4(),
                                             tiles.wpe(), "jungle", "/games"},
                                            graphics.get()))
             return nullptr;
         own = std::make_unique<frmTilePalette>(graphics);
         own->adjustSize();
         own->show();
         return own.get();
     }},
    {"About", QSize(402, 272),
     [](MainWindowTest &, std::unique_ptr<QWidget> &own) -> QWidget * {
         own = std::make_unique<frmAbout>();
         own->show();
         return own.get();
     }},
};

class FormsFit : public MainWindowTest, public ::testing::WithParamInterface<double>
{
protected:
    void SetUp() override { m_font = QApplication::font(); }
    void TearDown() override
    {
        window.reset();
        QApplication::setFont(m_font);
    }

private:
    QFont m_font;
};

TEST_P(FormsFit, EveryCaptionShowsInFullAndNothingOverlaps)
{
    // A larger desktop font stands for a higher dpi (1.25: 120 dpi, 1.5: 144 dpi).
    QFont font = QApplication::font();
    font.setPointSizeF(font.pointSizeF() * GetParam());
    QApplication::setFont(font);
    RecordProperty("logicalDpi", QString::number(QApplication::primaryScreen()->logicalDotsPerInch()).toStdString());

    for (const FormCase &c : Forms) {
        SCOPED_TRACE(c.name);
        start();
        loadMap(mapFile("Map.scm", testsupport::scenario(64, 64)));
        std::unique_ptr<QWidget> own;
        QWidget *form = c.open(*this, own);
        ASSERT_NE(form, nullptr);
        expectCaptionsFit(form, c.minimum);
        own.reset();
        window.reset();
    }
}

INSTANTIATE_TEST_SUITE_P(FontScales, FormsFit, ::testing::Values(1.0, 1.25, 1.5),
                         [](const ::testing::TestParamInfo<double> &info) {
                             return "x" + std::to_string(int(info.param * 100));
                         });

} // namespace
