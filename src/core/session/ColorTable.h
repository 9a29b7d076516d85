#pragma once

#include <QList>
#include <QString>
#include <QStringList>

/// The colour list's data: the picture's distinct colours over the map's area (colour values,
/// -1 for no pixel), how many pixels have each (-1 when unknown) and the tile value text the
/// user gives each, all parallel.
struct ColorTable
{
    QList<qint32> colors;
    QList<int> counts;
    QStringList values;

    /// A table of `colors` with their pixel counts (missing ones unknown), every value "0".
    [[nodiscard]] static ColorTable fresh(const QList<qint32> &colors, const QList<int> &counts);

    [[nodiscard]] qsizetype size() const { return colors.size(); }
    [[nodiscard]] bool isEmpty() const { return colors.isEmpty(); }

    friend bool operator==(const ColorTable &, const ColorTable &) = default;
};

/// Texts packed into one string and a list of lengths, for keeping many of them cheaply: a
/// list of 32767 short texts costs two allocations of about 14 bytes a text instead of 32767
/// strings.
class PackedTexts
{
public:
    PackedTexts() = default;
    explicit PackedTexts(const QStringList &texts);

    [[nodiscard]] QStringList unpacked() const;
    /// Bytes held.
    [[nodiscard]] qint64 bytes() const
    {
        return qint64(m_joined.size()) * 2 + qint64(m_lengths.size()) * qint64(sizeof(qint32));
    }

    friend bool operator==(const PackedTexts &, const PackedTexts &) = default;

private:
    QString m_joined;
    QList<qint32> m_lengths;
};
