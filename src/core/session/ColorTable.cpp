#include "core/session/ColorTable.h"

ColorTable ColorTable::fresh(const QList<qint32> &colors, const QList<int> &counts)
{
    ColorTable table;
    table.colors = colors;
    table.counts = counts;
    table.counts.resize(colors.size(), -1);
    table.values = QStringList(colors.size(), QStringLiteral("0"));
    return table;
}

PackedTexts::PackedTexts(const QStringList &texts)
{
    qsizetype total = 0;
    for (const QString &text : texts)
        total += text.size();
    m_joined.reserve(total);
    m_lengths.reserve(texts.size());
    for (const QString &text : texts) {
        m_joined += text;
        m_lengths.append(qint32(text.size()));
    }
}

QStringList PackedTexts::unpacked() const
{
    QStringList texts;
    texts.reserve(m_lengths.size());
    qsizetype at = 0;
    for (const qint32 length : m_lengths) {
        texts.append(m_joined.mid(at, length));
        at += length;
    }
    return texts;
}
