#include "core/session/History.h"

#include <algorithm>

namespace {

qint64 textBytes(const QString &text)
{
    return qint64(text.size()) * 2;
}

qint64 stateBytes(const PictureState &state)
{
    return qint64(state.pixels.data().size()) * qint64(sizeof(picture::Argb))
        + qint64(state.colors.size()) * qint64(sizeof(qint32))
        + qint64(state.counts.size()) * qint64(sizeof(int)) + state.values.bytes()
        + textBytes(state.path) + textBytes(state.pending.path);
}

} // namespace

qint64 DocumentStep::cost() const
{
    qint64 bytes = qint64(sizeof(DocumentStep)) + textBytes(name) + textBytes(before) + textBytes(after)
        + valuesBefore.bytes() + valuesAfter.bytes() + stateBytes(pictureBefore)
        + stateBytes(pictureAfter);
    for (const BytePatch &patch : patches)
        bytes += qint64(sizeof(BytePatch)) + patch.before.size() + patch.after.size();
    return bytes;
}

QList<BytePatch> changedRuns(const QByteArray &before, const QByteArray &after, qsizetype joinGap)
{
    QList<BytePatch> runs;
    const qsizetype size = std::min(before.size(), after.size());
    qsizetype at = 0;
    while (at < size) {
        if (before[at] == after[at]) {
            ++at;
            continue;
        }
        const qsizetype start = at;
        qsizetype end = at + 1; // one past the last differing byte of the run
        for (qsizetype same = 0; at < size && same < joinGap; ++at) {
            if (before[at] == after[at]) {
                ++same;
            } else {
                same = 0;
                end = at + 1;
            }
        }
        at = end;
        runs.append({start, before.mid(start, end - start), after.mid(start, end - start)});
    }
    return runs;
}

void History::clear()
{
    m_steps.clear();
    m_position = 0;
    m_saved = 0;
    m_bytes = 0;
}

bool History::mergeIntoLast(const DocumentStep &step)
{
    if (!step.merges || m_position == 0 || m_position != m_steps.size() || m_saved == m_position)
        return false;
    DocumentStep &last = m_steps.last();
    if (!last.merges || last.kind != step.kind || last.index != step.index)
        return false;
    m_bytes -= last.cost();
    last.after = step.after;
    m_bytes += last.cost();
    return true;
}

void History::push(DocumentStep step)
{
    if (m_position < m_steps.size()) {
        // The steps that could be redone go; a saved position among them can only come
        // back when none of the steps up to it changed the map.
        if (m_saved > m_position)
            m_saved = mapChangedBetween(m_position, m_saved) ? SavedLost : m_position;
        for (qsizetype i = m_position; i < m_steps.size(); ++i)
            m_bytes -= m_steps.at(i).cost();
        m_steps.resize(m_position);
    }
    if (mergeIntoLast(step))
        return;
    m_bytes += step.cost();
    m_steps.append(std::move(step));
    m_position = m_steps.size();
    keepWithinBudget();
}

void History::keepWithinBudget()
{
    while (m_bytes > m_budget && m_steps.size() > 1) {
        const DocumentStep &oldest = m_steps.first();
        if (m_saved == 0)
            m_saved = oldest.changesMap() ? SavedLost : 0;
        else if (m_saved > 0)
            --m_saved;
        m_bytes -= oldest.cost();
        m_steps.removeFirst();
        --m_position;
    }
}

void History::stepBack()
{
    if (m_position > 0)
        --m_position;
}

void History::stepForward()
{
    if (m_position < m_steps.size())
        ++m_position;
}

void History::markSaved()
{
    m_saved = m_position;
}

bool History::mapChangedBetween(qsizetype from, qsizetype to) const
{
    const auto first = m_steps.cbegin() + std::min(from, to);
    const auto last = m_steps.cbegin() + std::max(from, to);
    return std::any_of(first, last, [](const DocumentStep &step) { return step.changesMap(); });
}

bool History::differsFromSaved() const
{
    return m_saved == SavedLost || mapChangedBetween(m_saved, m_position);
}
