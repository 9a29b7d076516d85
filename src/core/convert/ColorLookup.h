#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

/// The colour-list matching rule, straight: for each entry in order, split its text at each
/// single space (two spaces give an empty word; an empty text gives no words), compare each
/// word with the key, both upper-cased; the first matching entry's index, or -1.
/// Only the first 32767 entries take part: list positions are 16-bit.
qint16 FindColorIndex(const QString &key, const QStringList &lstColor);

/// The same answers as FindColorIndex, built once per conversion so that each look-up costs
/// one hash probe instead of a walk over the whole list.
class ColorLookup
{
public:
    explicit ColorLookup(const QStringList &lstColor);

    /// Position of the first entry that has a word equal to `key` (ignoring case), or -1.
    qint16 indexOf(const QString &key) const;

private:
    // Upper-cased word -> earliest entry holding it.
    QHash<QString, qint16> m_firstIndex;
};
