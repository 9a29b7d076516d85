#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

/// The colour-list matching rule: an entry matches a key when one of its words (its text
/// split at each single space; two spaces give an empty word, an empty text gives none)
/// equals the key, ignoring letter case; the first matching entry wins. Only the first
/// colorkey::MaxColors entries take part: list positions are 16-bit.
///
/// Built once per conversion so that each look-up costs one hash probe instead of a walk
/// over the whole list. A word that is a colour key (as colorkey::colorKey writes it) is kept
/// by its colour value, so a pixel is looked up by its value without making its key; only
/// other words (never written by the scan) are kept as text.
class ColorLookup
{
public:
    explicit ColorLookup(const QStringList &lstColor);

    /// Position of the first entry that has a word equal to `key` (ignoring case), or -1.
    qint16 indexOf(const QString &key) const;
    /// Position of the first entry that has a word equal to colorkey::colorKey(value), or -1.
    qint16 indexOf(qint32 value) const { return m_firstIndexOfValue.value(value, qint16(-1)); }

private:
    void add(QStringView word, qint16 index);

    // Colour value of a key word -> earliest entry holding it.
    QHash<qint32, qint16> m_firstIndexOfValue;
    // Any other upper-cased word -> earliest entry holding it.
    QHash<QString, qint16> m_firstIndex;
};
