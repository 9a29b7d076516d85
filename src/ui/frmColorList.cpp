#include "ui/frmColorList.h"

#include "ui/ColorListModel.h"
#include "ui/FormFit.h"
#include "ui/UserDialogs.h"

#include "core/common/OutputTarget.h"
#include "core/tileset/TerrainSource.h"
#include "core/common/ReplacingFile.h"
#include "core/common/UserText.h"
#include "core/convert/ColorFile.h"
#include "core/convert/Conversion.h"
#include "core/picture/ColorKey.h"
#include "core/qtimage/QtImage.h"

#include <QFileInfo>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStyle>

#include <algorithm>

namespace {

QString describe(qint32 value)
{
    if (value < 0)
        return frmColorList::tr("no colour");
    const QColor c = qtimage::colorOf(value);
    return frmColorList::tr("red %1, green %2, blue %3").arg(c.red()).arg(c.green()).arg(c.blue());
}

/// Width of the list and the fields under it: room for the widest row a map can give (a
/// colour on all 65 536 pixels of the largest map, with the largest tile value) beside its swatch, with the scroll bar.
int listWidthFor(const QWidget *form)
{
    const QFontMetrics metrics = form->fontMetrics();
    const QString widest = QString::number(conversion::MaxTileValue);
    const int text = std::max(metrics.horizontalAdvance(ColorListModel::rowText(0xFFFFFF, 65536, widest)),
                              metrics.horizontalAdvance(ColorListModel::rowText(-1, 65536, widest)));
    const QStyle *style = form->style();
    // Swatch (12) and the item's paddings either side of it and the text; list frame.
    return text + 12 + 24 + style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, form)
        + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, form);
}

} // namespace

int ColorListView::currentRow() const
{
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void ColorListView::setCurrentRow(int row, QItemSelectionModel::SelectionFlags flags)
{
    if (!model() || !selectionModel())
        return;
    selectionModel()->setCurrentIndex(model()->index(row, 0), flags);
}

frmColorList::frmColorList(UserDialogs &dialogs, QWidget *parent)
    : QWidget(parent)
    , m_dialogs(&dialogs)
{
    createWidgets();
}

frmColorList::frmColorList(QWidget *parent)
    : QWidget(parent)
    , m_ownDialogs(std::make_unique<QtUserDialogs>())
    , m_dialogs(m_ownDialogs.get())
{
    createWidgets();
}

frmColorList::~frmColorList() = default;

void frmColorList::createWidgets()
{
    setObjectName(QStringLiteral("frmColorList"));
    setWindowTitle(tr("::[Color List]::::...."));

    const int listWidth = listWidthFor(this);

    lblGeneral0 = new QLabel(tr("::Color List::::...."), this);
    lblGeneral0->setObjectName(QStringLiteral("lblGeneral0"));
    lblGeneral0->setGeometry(8, 8, listWidth, 17);

    m_model = new ColorListModel(this);
    lstColor = new ColorListView(this);
    lstColor->setObjectName(QStringLiteral("lstColor"));
    lstColor->setGeometry(8, 24, listWidth, 147);
    lstColor->setModel(m_model);
    lstColor->setItemDelegate(new ColorSwatchDelegate(lstColor));
    lstColor->setSelectionMode(QAbstractItemView::SingleSelection);
    lstColor->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // All rows are alike: the layout asks one row for its size, not 30 000.
    lstColor->setUniformItemSizes(true);
    lstColor->setIconSize(QSize(12, 12));
    lstColor->setAccessibleName(tr("Color List"));
    lblGeneral0->setBuddy(lstColor);

    lblGeneral1 = new QLabel(tr("::Color::::...."), this);
    lblGeneral1->setObjectName(QStringLiteral("lblGeneral1"));
    lblGeneral1->setGeometry(8, 176, listWidth, 17);

    lblColor = new QLabel(this);
    lblColor->setObjectName(QStringLiteral("lblColor"));
    lblColor->setGeometry(8, 192, listWidth, 17);
    lblColor->setAutoFillBackground(true);
    lblColor->setAccessibleName(tr("Selected color"));
    lblGeneral1->setBuddy(lblColor);

    lblGeneral2 = new QLabel(tr("::Replace::::...."), this);
    lblGeneral2->setObjectName(QStringLiteral("lblGeneral2"));
    lblGeneral2->setGeometry(8, 212, listWidth, 17);

    txtReplace = new QLineEdit(this);
    txtReplace->setObjectName(QStringLiteral("txtReplace"));
    txtReplace->setGeometry(8, 228, listWidth, 19);
    txtReplace->setAccessibleName(tr("Replace"));
    // Digits only, for typing and pasting alike; an empty field is allowed.
    txtReplace->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]*")), txtReplace));
    lblGeneral2->setBuddy(txtReplace);

    imgTile = new QLabel(this);
    imgTile->setObjectName(QStringLiteral("imgTile"));
    imgTile->setGeometry(8, 252, 32, 32);
    imgTile->setAccessibleName(tr("Tile"));
    lblTileNote = new QLabel(this);
    lblTileNote->setObjectName(QStringLiteral("lblTileNote"));
    lblTileNote->setGeometry(44, 260, listWidth - 36, 17);
    setTileImages({}, tr("Set the game data folder in Preferences to see tiles."));

    // Pick Tile (the selected colour's), then the two ways to give every colour a tile side
    // by side, then the colour files.
    const int buttonWidth = (listWidth - 4) / 2;
    btnPickTile = new QPushButton(tr("&Pick Tile..."), this);
    btnPickTile->setObjectName(QStringLiteral("btnPickTile"));
    btnPickTile->setGeometry(8, 290, listWidth, 23);
    btnMatch = new QPushButton(tr("&Match Colours"), this);
    btnMatch->setObjectName(QStringLiteral("btnMatch"));
    btnMatch->setGeometry(8, 317, buttonWidth, 23);
    btnMatch->setToolTip(tr("Give every colour the terrain tile of the nearest average colour"));
    btnDither = new QPushButton(tr("&Dither"), this);
    btnDither->setObjectName(QStringLiteral("btnDither"));
    btnDither->setGeometry(12 + buttonWidth, 317, listWidth - 4 - buttonWidth, 23);
    btnDither->setToolTip(tr("Give every cell of the picture a terrain tile by error diffusion, "
                             "so the terrain matches the picture's colours on average"));
    // Enter on a colour opens the palette.
    lstColor->installEventFilter(this);

    btnImport = new QPushButton(tr("&Import Colours..."), this);
    btnImport->setObjectName(QStringLiteral("btnImport"));
    btnImport->setGeometry(8, 344, buttonWidth, 23);
    btnImport->setToolTip(tr("Read the tile values from a colour file"));
    btnExport = new QPushButton(tr("E&xport Colours..."), this);
    btnExport->setObjectName(QStringLiteral("btnExport"));
    btnExport->setGeometry(12 + buttonWidth, 344, listWidth - 4 - buttonWidth, 23);
    btnExport->setToolTip(tr("Write the colours and their tile values to a colour file"));

    setTabOrder(lstColor, txtReplace);
    setTabOrder(txtReplace, btnPickTile);
    setTabOrder(btnPickTile, btnMatch);
    setTabOrder(btnMatch, btnDither);
    setTabOrder(btnDither, btnImport);
    setTabOrder(btnImport, btnExport);
    setFixedSize(listWidth + 16, 375);
    fitFormToTexts(this);

    connect(lstColor->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmColorList::lstColor_Click);
    connect(txtReplace, &QLineEdit::textChanged, this, &frmColorList::txtReplace_Change);
    connect(btnPickTile, &QPushButton::clicked, this, &frmColorList::tilePaletteRequested);
    connect(btnMatch, &QPushButton::clicked, this, &frmColorList::matchRequested);
    connect(btnDither, &QPushButton::clicked, this, &frmColorList::ditherRequested);
    connect(btnImport, &QPushButton::clicked, this, &frmColorList::btnImport_Click);
    connect(btnExport, &QPushButton::clicked, this, &frmColorList::btnExport_Click);
    connect(m_model, &QAbstractItemModel::modelReset, this, &frmColorList::updateButtons);
    updateButtons();
}

void frmColorList::updateButtons()
{
    const bool any = m_model->rowCount() > 0;
    btnPickTile->setEnabled(selectedIndex() >= 0);
    btnMatch->setEnabled(any);
    btnDither->setEnabled(any || m_ditherPending);
    btnImport->setEnabled(any);
    btnExport->setEnabled(any);
}

void frmColorList::setDitherPending(bool pending)
{
    m_ditherPending = pending;
    updateButtons();
}

bool frmColorList::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lstColor && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && selectedIndex() >= 0) {
            emit tilePaletteRequested();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmColorList::chooseTile(quint16 value)
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    if (bound())
        m_edits.picked(index, value);
    else
        (void)setReplacement(index, QString::number(value));
}

std::optional<quint16> frmColorList::selectedValue() const
{
    const int index = selectedIndex();
    if (index < 0)
        return std::nullopt;
    quint16 value = 0;
    return conversion::parseTileValue(m_model->replacements().at(index), &value)
        ? std::optional<quint16>(value)
        : std::nullopt;
}

qint32 frmColorList::colorOfKey(const QString &key)
{
    bool ok = false;
    const qint64 value = key.toLongLong(&ok);
    if (!ok || value < 0 || value > 0xFFFFFF)
        return -1;
    return qint32(value);
}

void frmColorList::setColors(const QList<qint32> &colors, const QList<int> &pixelCounts)
{
    m_model->setColors(colors, pixelCounts);
}

void frmColorList::setColors(const QStringList &keys)
{
    QList<qint32> colors;
    colors.reserve(keys.size());
    for (const QString &key : keys)
        colors.append(colorOfKey(key));
    m_model->setColors(colors, {});
}

void frmColorList::clearLists()
{
    m_model->clear();
}

QStringList frmColorList::colorKeys() const
{
    QStringList keys;
    keys.reserve(m_model->colors().size());
    for (const qint32 color : m_model->colors())
        keys.append(colorkey::colorKey(color));
    return keys;
}

const QList<qint32> &frmColorList::colorValues() const
{
    return m_model->colors();
}

const QStringList &frmColorList::lstReplace() const
{
    return m_model->replacements();
}

bool frmColorList::setReplacement(int index, const QString &text)
{
    if (index < 0 || index >= m_model->rowCount())
        return false;
    if (bound()) {
        m_edits.typed(index, text);
        return true;
    }
    // The field stores what it shows into the model itself and redraws the tile.
    if (index == selectedIndex())
        txtReplace->setText(text);
    return m_model->setReplacement(index, text);
}

bool frmColorList::setReplacements(const QStringList &texts, const QString &stepName)
{
    if (bound()) {
        if (texts.size() != m_model->rowCount())
            return false;
        m_edits.replaced(texts, stepName);
        return true;
    }
    if (!m_model->setReplacements(texts))
        return false;
    if (const int index = selectedIndex(); index >= 0)
        txtReplace->setText(texts.at(index));
    return true;
}

int frmColorList::selectedIndex() const
{
    const QModelIndex current = lstColor->currentIndex();
    if (!current.isValid() || !lstColor->selectionModel()->isSelected(current))
        return -1;
    return current.row();
}

void frmColorList::selectColor(int index)
{
    if (index < 0 || index >= m_model->rowCount())
        lstColor->selectionModel()->clearSelection();
    else
        lstColor->setCurrentRow(index);
}

void frmColorList::showSwatch(qint32 value)
{
    QPalette palette = lblColor->palette();
    if (value >= 0)
        palette.setBrush(QPalette::Window, qtimage::colorOf(value));
    else
        palette.setBrush(QPalette::Window, QBrush(Qt::black, Qt::DiagCrossPattern));
    lblColor->setPalette(palette);
    const QString description = describe(value);
    lblColor->setToolTip(description);
    lblColor->setAccessibleDescription(description);
}

void frmColorList::lstColor_Click()
{
    updateButtons();
    const int index = selectedIndex();
    if (index < 0)
        return; // nothing selected: the swatch and the field keep what they show
    showSwatch(m_model->colors().at(index));
    m_showing = true;
    txtReplace->setText(m_model->replacements().at(index));
    m_showing = false;
}

void frmColorList::setTileImages(std::function<QImage(quint16)> tiles, const QString &reason)
{
    m_tiles = std::move(tiles);
    m_noTilesReason = reason;
    showTile();
}

void frmColorList::showTile()
{
    quint16 value = 0;
    const conversion::TileValueText read = conversion::readTileValue(txtReplace->text(), &value);
    QPixmap tile;
    // The note is short enough for the narrow window; the tip says it in full.
    QString note, tip;
    if (!m_tiles) {
        note = tr("No tiles");
        tip = m_noTilesReason;
    } else if (read == conversion::TileValueText::NotANumber) {
        note = tr("No value");
    } else if (read == conversion::TileValueText::TooLarge) {
        note = tr("Too large");
        tip = tr("Tile values go up to %1.").arg(conversion::MaxTileValue);
    } else {
        tile = QPixmap::fromImage(m_tiles(value));
        note = tr("Tile %1").arg(value);
    }
    imgTile->setPixmap(tile);
    lblTileNote->setText(note);
    lblTileNote->setToolTip(tip.isEmpty() ? note : tip);
    imgTile->setToolTip(tip.isEmpty() ? note : tip);
    imgTile->setAccessibleDescription(tip.isEmpty() ? note : tip);
}

void frmColorList::txtReplace_Change(const QString &text)
{
    showTile();
    const int index = selectedIndex();
    if (index < 0 || m_showing)
        return;
    if (bound())
        m_edits.typed(index, text);
    else
        m_model->setReplacement(index, text);
}

void frmColorList::showDocument(const ColorTable *table, ColorListEdits edits)
{
    m_edits = std::move(edits);
    m_model->showTable(table);
}

void frmColorList::showSelectedValue()
{
    const int index = selectedIndex();
    if (index < 0 || index >= m_model->rowCount()
        || txtReplace->text() == m_model->replacements().at(index))
        return;
    m_showing = true;
    txtReplace->setText(m_model->replacements().at(index));
    m_showing = false;
}

void frmColorList::documentTableChanged()
{
    m_model->tableChanged();
}

void frmColorList::documentValueChanged(int index)
{
    m_model->rowChanged(index);
    if (index == selectedIndex())
        showSelectedValue();
}

void frmColorList::documentValuesChanged()
{
    m_model->valuesChanged();
    showSelectedValue();
}

// ---------------------------------------------------------------------------
// Colour files

QString frmColorList::colorFileFilter()
{
    return tr("Colour Files (*.txt) (*.txt);;All Files (*.*) (*)");
}

void frmColorList::setOrigin(const QString &mapPath, int width, int height, const QString &picturePath)
{
    m_mapPath = mapPath;
    m_mapWidth = width;
    m_mapHeight = height;
    m_picturePath = picturePath;
}

QString frmColorList::suggestedColorFile() const
{
    if (!m_lastColorFile.isEmpty() || m_picturePath.isEmpty())
        return m_lastColorFile;
    const QFileInfo picture(m_picturePath);
    return picture.dir().filePath(picture.completeBaseName() + QStringLiteral(".txt"));
}

void frmColorList::btnExport_Click()
{
    const QString path = m_dialogs->getSaveFileName(this, tr("Export Colours"),
                                                    suggestedColorFile(), colorFileFilter());
    if (path.isEmpty())
        return;
    m_lastColorFile = path;
    exportColors(path);
}

void frmColorList::btnImport_Click()
{
    const QString path = m_dialogs->getOpenFileName(this, tr("Import Colours"),
                                                    suggestedColorFile(), colorFileFilter());
    if (path.isEmpty())
        return;
    m_lastColorFile = path;
    importColors(path);
}

bool frmColorList::exportColors(const QString &path)
{
    const QString title = tr("Export Colours");
    QList<outputtarget::Input> sources{{m_mapPath, tr("the map the colours come from")},
                                       {m_picturePath, tr("the picture the colours come from")}};
    if (!m_gameData.isEmpty())
        sources.append(terrain::gameDataInput(m_gameData));
    if (Status usable = outputtarget::check(path, sources); !usable) {
        m_dialogs->showMessage(this, QMessageBox::Warning, title, usable.reason());
        return false;
    }
    const QList<qint32> &colors = m_model->colors();
    const QStringList &texts = m_model->replacements();
    QList<ColorFile::Entry> entries;
    entries.reserve(colors.size());
    for (qsizetype i = 0; i < colors.size(); ++i) {
        quint16 value = 0;
        if (!conversion::parseTileValue(texts.at(i), &value)) {
            selectColor(int(i));
            m_dialogs->showMessage(this, QMessageBox::Warning, title,
                                   tr("The tile value \"%1\" of colour %2 is not a whole number "
                                      "from 0 to %3. Correct it and export again; %4 was not "
                                      "written.")
                                       .arg(texts.at(i), colorkey::colorKey(colors.at(i)),
                                            QString::number(conversion::MaxTileValue), shownPath(path)));
            return false;
        }
        entries.append({colors.at(i), std::max(0, m_model->pixelCounts().at(i)), value});
    }
    const QString text = ColorFile::format({QFileInfo(m_mapPath).fileName(), m_mapWidth, m_mapHeight,
                                            QFileInfo(m_picturePath).fileName()},
                                           entries);
    ReplacingFile file(path);
    Status written = file.begin();
    if (written)
        written = file.write(text.toUtf8()) < 0 ? Status(fail(FailureKind::Output, file.errorString()))
                                                : file.commit();
    if (!written) {
        m_dialogs->showMessage(this, QMessageBox::Warning, title,
                               tr("%1 could not be written: %2.").arg(shownPath(path), written.reason()));
        return false;
    }
    return true;
}

bool frmColorList::importColors(const QString &path)
{
    const Result<ColorFile> file = ColorFile::read(path);
    if (!file) {
        m_dialogs->showMessage(this, QMessageBox::Warning, tr("Import Colours"),
                               tr("%1 cannot be imported: %2.\n\nNo tile value was changed.")
                                   .arg(shownPath(path), file.reason()));
        return false;
    }
    const QList<qint32> &colors = m_model->colors();
    QHash<qint32, int> rowOf;
    rowOf.reserve(colors.size());
    for (int row = 0; row < colors.size(); ++row)
        rowOf.insert(colors.at(row), row);
    QStringList texts = m_model->replacements();
    QStringList absent;
    int applied = 0;
    for (const ColorFile::Assignment &a : file->assignments()) {
        const auto row = rowOf.constFind(a.color);
        if (row == rowOf.cend()) {
            absent.append(tr("line %1: colour %2").arg(a.line).arg(colorkey::colorKey(a.color)));
            continue;
        }
        texts[row.value()] = QString::number(a.value);
        ++applied;
    }
    setReplacements(texts, tr("Import Colours"));
    if (!absent.isEmpty())
        reportAbsent(path, absent, applied);
    return true;
}

void frmColorList::reportAbsent(const QString &path, const QStringList &absent, int applied)
{
    // A long list is cut: the first lines say what is wrong, the count says how much.
    constexpr int Shown = 12;
    const QString picture = m_picturePath.isEmpty() ? tr("the picture")
                                                    : QFileInfo(m_picturePath).fileName();
    QString text = absent.size() == 1
        ? tr("%1 names a colour that does not occur in the map's area of %2; it was left out:")
              .arg(shownPath(path), picture)
        : tr("%1 names %2 colours that do not occur in the map's area of %3; they were left out:")
              .arg(shownPath(path))
              .arg(absent.size())
              .arg(picture);
    text += u'\n' + absent.mid(0, Shown).join(u'\n');
    if (absent.size() > Shown)
        text += u'\n' + tr("... and %1 more").arg(absent.size() - Shown);
    text += QStringLiteral("\n\n");
    if (applied == 0)
        text += tr("No tile value was changed.");
    else if (applied == 1)
        text += tr("The file's other colour was applied.");
    else
        text += tr("The file's other %1 colours were applied.").arg(applied);
    m_dialogs->showMessage(this, QMessageBox::Warning, tr("Import Colours"), text);
}
