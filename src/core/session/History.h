#pragma once

#include "core/picture/PictureFit.h"
#include "core/picture/Pixels.h"
#include "core/session/ColorTable.h"

#include <QByteArray>
#include <QList>
#include <QString>

/// Bytes of the working scenario file one step changed: what stood at `offset` before the
/// step and what after (both the same length).
struct BytePatch
{
    qint64 offset = 0;
    QByteArray before;
    QByteArray after;
};

/// How the document's picture was made from its file: fitted to the map, and given the
/// colours of the tiles or not.
struct PictureMaking
{
    picture::FitOptions fit;
    bool dithered = false;

    friend bool operator==(const PictureMaking &, const PictureMaking &) = default;
};

/// The picture side of the document at one moment: the picture's map area and the colour
/// table made from it.
struct PictureState
{
    picture::Pixels pixels;
    QString path;
    PictureMaking making;
    QList<qint32> colors;
    QList<int> counts;
    PackedTexts values;
};

/// One change of the document, kept as data so that undoing restores exactly what was there.
struct DocumentStep
{
    enum class Kind {
        Value,    ///< one colour's value text
        Values,   ///< every colour's value text at once
        Picture,  ///< a new picture with its colour table
        Scenario, ///< bytes of the working scenario file
    };

    Kind kind = Kind::Value;
    /// What the user did, as the Edit menu names it ("Match Colours").
    QString name;
    /// Value: successive steps of the same colour with `merges` set become one.
    bool merges = false;
    int index = -1;
    QString before;
    QString after;
    /// Values.
    PackedTexts valuesBefore;
    PackedTexts valuesAfter;
    /// Picture.
    PictureState pictureBefore;
    PictureState pictureAfter;
    /// Scenario: the changed runs, in file order.
    QList<BytePatch> patches;

    /// Whether the step changed what saving writes into the map file.
    [[nodiscard]] bool changesMap() const { return kind == Kind::Scenario; }
    /// Bytes the step holds (pixels counted in full, though the document shares them).
    [[nodiscard]] qint64 cost() const;
};

/// The changed runs between two versions of a file of the same length, runs less than
/// `joinGap` bytes apart kept as one.
[[nodiscard]] QList<BytePatch> changedRuns(const QByteArray &before, const QByteArray &after,
                                           qsizetype joinGap = 32);

/// The document's undo history: steps in order, the current position among them and the
/// position the map file was last saved at.
///
/// The map file differs from the working copy exactly when a step between the saved position
/// and the current one changed the map (DocumentStep::changesMap): undoing back to the saved
/// position makes it equal again, redoing past it makes it differ. The history holds at most
/// its byte budget (the newest step always stays); the oldest steps go first, and when the
/// saved position goes with a step that changed the map, the working copy differs from the
/// map file until the next save.
class History
{
public:
    /// Enough for more than 100 of the largest common steps: a Convert of a 256 x 256 map
    /// keeps 512 KiB, a picture of 256 x 256 with 20 000 colours about 1.2 MiB.
    static constexpr qint64 DefaultBudget = qint64(128) << 20;

    explicit History(qint64 budget = DefaultBudget) : m_budget(budget) {}

    /// Forgets every step; the current position is the saved one.
    void clear();
    /// Adds `step` after the current position, dropping the steps that could be redone, or
    /// merges it into the last step (see DocumentStep::merges); then keeps within the budget.
    void push(DocumentStep step);

    [[nodiscard]] bool canUndo() const { return m_position > 0; }
    [[nodiscard]] bool canRedo() const { return m_position < m_steps.size(); }
    /// The step Undo takes back; only when canUndo().
    [[nodiscard]] const DocumentStep &undoStep() const { return m_steps.at(m_position - 1); }
    /// The step Redo makes again; only when canRedo().
    [[nodiscard]] const DocumentStep &redoStep() const { return m_steps.at(m_position); }
    /// Moves the position once the caller has undone / redone the step.
    void stepBack();
    void stepForward();

    /// The map file now holds the document as it is at the current position.
    void markSaved();
    /// A step between the saved position and the current one changed the map, or the saved
    /// position is gone.
    [[nodiscard]] bool differsFromSaved() const;

    [[nodiscard]] qsizetype count() const { return m_steps.size(); }
    [[nodiscard]] qsizetype position() const { return m_position; }
    [[nodiscard]] qint64 bytes() const { return m_bytes; }
    [[nodiscard]] qint64 budget() const { return m_budget; }

private:
    static constexpr qsizetype SavedLost = -1;
    [[nodiscard]] bool mapChangedBetween(qsizetype from, qsizetype to) const;
    [[nodiscard]] bool mergeIntoLast(const DocumentStep &step);
    void keepWithinBudget();

    QList<DocumentStep> m_steps;
    qsizetype m_position = 0;
    qsizetype m_saved = 0;
    qint64 m_bytes = 0;
    qint64 m_budget;
};
