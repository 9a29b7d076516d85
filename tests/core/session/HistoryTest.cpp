// The undo history: its bound, the saved position as steps come and go, and the changed runs
// a scenario step keeps.
#include "core/session/History.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

DocumentStep mapStep(const QString &name, qsizetype bytes)
{
    DocumentStep step;
    step.kind = DocumentStep::Kind::Scenario;
    step.name = name;
    step.patches.append({0, QByteArray(bytes, 'a'), QByteArray(bytes, 'b')});
    return step;
}

DocumentStep valueStep(const QString &name, int index, const QString &after, bool merges = false)
{
    DocumentStep step;
    step.name = name;
    step.index = index;
    step.after = after;
    step.merges = merges;
    return step;
}

TEST(History, AHundredConvertsOfTheLargestMapFitAndTheOldestGoFirst)
{
    // A Convert of a 256 x 256 map changes two sections of 128 KiB each.
    History history;
    for (int i = 0; i < 300; ++i) {
        DocumentStep step = mapStep(QString::number(i), 128 * 1024);
        step.patches.append({200000, QByteArray(128 * 1024, 'c'), QByteArray(128 * 1024, 'd')});
        history.push(std::move(step));
        ASSERT_LE(history.bytes(), history.budget());
    }
    EXPECT_GE(history.count(), 100);
    EXPECT_LT(history.count(), 300);
    EXPECT_EQ(history.undoStep().name, "299");
    // Walking back ends at the oldest kept step, which is no longer step 0.
    while (history.canUndo())
        history.stepBack();
    EXPECT_EQ(history.redoStep().name, QString::number(300 - history.count()));
}

TEST(History, ASavedPositionThatFallsOffStaysLostOnlyWhenTheMapChanged)
{
    const struct
    {
        const char *label;
        bool firstChangesMap;
    } cases[] = {{"value steps", false}, {"a map step", true}};
    const qint64 valueCost = valueStep("value", 0, QString(400, 'y')).cost();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        // Room for three value steps.
        History history(3 * valueCost + valueCost / 2);
        history.push(c.firstChangesMap ? mapStep("first", 400) : valueStep("first", 0, QString(400, 'x')));
        history.markSaved(); // saved after the first step
        history.stepBack();  // ... and back before it
        EXPECT_EQ(history.differsFromSaved(), c.firstChangesMap);
        history.stepForward();
        for (int i = 0; i < 4; ++i)
            history.push(valueStep("value", i, QString(400, 'y')));
        EXPECT_EQ(history.count(), 3) << "the oldest two went";
        EXPECT_FALSE(history.differsFromSaved()) << "no map step since the save";
        while (history.canUndo())
            history.stepBack();
        EXPECT_FALSE(history.differsFromSaved());
        history.push(mapStep("convert", 10));
        history.stepBack();
        history.push(valueStep("typed", 9, "1"));
        EXPECT_FALSE(history.differsFromSaved()) << "the dropped redo held only a map step after the save";
    }
    // The saved position itself falls off after a map step: lost until the next save.
    History history(3000);
    history.push(mapStep("convert", 600));
    history.push(mapStep("convert", 600));
    history.stepBack();
    history.markSaved();
    history.stepForward();
    history.push(mapStep("convert", 600));
    ASSERT_LT(history.count(), 3);
    EXPECT_TRUE(history.differsFromSaved());
    while (history.canUndo())
        history.stepBack();
    EXPECT_TRUE(history.differsFromSaved());
    history.markSaved();
    EXPECT_FALSE(history.differsFromSaved());
}

TEST(History, TypingInOneColourMergesUntilAnotherColourOrASave)
{
    History history;
    history.push(valueStep("Type Value", 0, "1", true));
    history.push(valueStep("Type Value", 0, "12", true));
    history.push(valueStep("Type Value", 1, "3", true));
    history.push(valueStep("Type Value", 1, "34", true));
    history.push(valueStep("Pick Tile", 1, "7"));
    history.push(valueStep("Pick Tile", 1, "8"));
    EXPECT_EQ(history.count(), 4);
    history.markSaved();
    history.push(valueStep("Type Value", 1, "9", true));
    history.push(valueStep("Type Value", 1, "99", true));
    EXPECT_EQ(history.count(), 5);
    EXPECT_EQ(history.undoStep().after, "99");
    history.push(valueStep("Type Value", 1, "999", true));
    EXPECT_EQ(history.count(), 5) << "merging goes on after the save's own step";
}

TEST(History, ChangedRunsRestoreEitherSideAndTouchNothingElse)
{
    QRandomGenerator random(21);
    for (int round = 0; round < 200; ++round) {
        QByteArray before(int(random.bounded(1, 600)), Qt::Uninitialized);
        for (char &b : before)
            b = char(random.bounded(4));
        QByteArray after = before;
        for (int n = int(random.bounded(0, 30)); n > 0; --n)
            after[int(random.bounded(after.size()))] = char(random.bounded(4));
        const QList<BytePatch> runs = changedRuns(before, after, 8);
        QByteArray forward = before, back = after;
        QList<bool> covered(before.size(), false);
        qint64 lastEnd = -1000;
        for (const BytePatch &run : runs) {
            ASSERT_EQ(run.before.size(), run.after.size());
            ASSERT_GE(run.offset - lastEnd, 8) << "runs closer than the gap are one";
            ASSERT_NE(run.before.front(), run.after.front());
            ASSERT_NE(run.before.back(), run.after.back());
            forward.replace(run.offset, run.after.size(), run.after);
            back.replace(run.offset, run.before.size(), run.before);
            for (qsizetype i = 0; i < run.after.size(); ++i)
                covered[run.offset + i] = true;
            lastEnd = run.offset + run.after.size();
        }
        ASSERT_EQ(forward, after);
        ASSERT_EQ(back, before);
        for (qsizetype i = 0; i < before.size(); ++i)
            if (!covered[i])
                ASSERT_EQ(before[i], after[i]) << i;
    }
}

} // namespace
