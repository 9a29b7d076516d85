#pragma once

#include "core/common/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringList>

#include <limits>
#include <optional>

/// The bytes of a scenario file and the one place that knows its layout: sections found by
/// name, little-endian values read only inside the file.
///
/// A section is found by the first exact occurrence of its 4-byte name anywhere in the file
/// (an occurrence inside another section's data counts too). The position R of a section is
/// that offset + 4: the section's 32-bit length field; its data begin at R + 4.
class ScenarioFile
{
public:
    /// Offsets are signed 32-bit; a larger file cannot be a scenario file.
    static constexpr qint64 MaxSize = std::numeric_limits<qint32>::max() - 4;

    ScenarioFile() = default;
    explicit ScenarioFile(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    /// Reads the whole file. Fails (kind BadScenario, the sentence naming `shownName`) when
    /// it is missing, not a regular file, larger than MaxSize, or cannot be read in full.
    static Result<ScenarioFile> read(const QString &path, const QString &shownName);

    const QByteArray &bytes() const { return m_bytes; }
    qint64 size() const { return m_bytes.size(); }

    /// R for the section `name` (4 bytes), or -1 when the name does not occur.
    qint32 findSection(QByteArrayView name) const;

    /// The byte / little-endian value at `offset`; nullopt when any of it lies outside.
    std::optional<quint8> u8At(qint64 offset) const;
    std::optional<quint32> u32At(qint64 offset) const;

private:
    QByteArray m_bytes;
};

/// Writes into a scenario file on disk in place: the file keeps its length and nothing
/// outside the written ranges changes, so edits made meanwhile elsewhere in the file (a
/// tileset change) are kept.
class ScenarioPatcher
{
public:
    /// Opens the existing file at `path` (never creating it). `expectedSize` >= 0 refuses a
    /// file whose size differs (it changed since it was read). `shownName` names the file
    /// in failure sentences.
    [[nodiscard]] Status open(const QString &path, qint64 expectedSize, const QString &shownName);
    qint64 size() const { return m_file.size(); }
    /// Writes `data` at `offset`; refused, with nothing written, when it would not end
    /// inside the file.
    [[nodiscard]] Status write(qint64 offset, QByteArrayView data);
    /// Flushes and closes; a failure means the written data may not be on disk.
    [[nodiscard]] Status finish();

private:
    [[nodiscard]] Failure writeFailure() const;

    QFile m_file;
    QString m_shown;
};

/// The facts the program reads from a scenario file besides the tiles.
namespace scenario {

/// One map dimension from its two "DIM " bytes: when the high byte is exactly 1 the
/// dimension is 256, otherwise it is the low byte alone (so 320 reads as 256, 576 as 64).
int dimensionFromBytes(quint8 low, quint8 high);

/// True for the map sizes the program accepts: 64, 96, 128, 192 or 256 tiles.
bool isAcceptedDimension(int tiles);

struct MapSize
{
    qint16 width = 0;
    qint16 height = 0;

    bool accepted() const { return isAcceptedDimension(width) && isAcceptedDimension(height); }
};

/// Width and height from the four bytes at R + 4 .. R + 7, R being the "DIM " position.
/// Fails (kind UnsupportedSize) when R < 0 or the file ends before those bytes.
Result<MapSize> mapSize(const ScenarioFile &file, qint32 dimPosition, const QString &shownName);

/// The same for a file on disk: reads it and fills `size`, which failures leave alone.
Status readMapSize(const QString &scenarioPath, qint32 dimPosition, MapSize *size);

/// The tileset names; the index is the tileset number ("Badlands" = 0 ... "Twilight" = 7).
const QStringList &tilesetNames();

/// The tileset a text names: a number 0..7 or a name (letter case and surrounding spaces
/// ignored); nullopt for anything else.
std::optional<int> tilesetFromText(const QString &text);

} // namespace scenario
