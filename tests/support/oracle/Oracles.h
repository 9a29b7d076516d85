#pragma once

#include <QString>
#include <QStringList>

/// Slow, literal forms of rules the product implements fast. Tests and benchmarks compare
/// the product with these; the product never calls them.
namespace oracle {

/// The colour-list matching rule, straight: for each entry in order, split its text at each
/// single space (two spaces give an empty word; an empty text gives no words), compare each
/// word with the key, both upper-cased; the first matching entry's index, or -1.
/// Only the first 32767 entries take part: list positions are 16-bit.
qint16 FindColorIndex(const QString &key, const QStringList &lstColor);

/// The list with each text once: of equal entries the last survives, and the survivors keep
/// their order (A, B, A, C, A -> B, C, A). Texts are compared exactly.
QStringList deduplicated(const QStringList &list);

} // namespace oracle
