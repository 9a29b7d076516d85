#pragma once

#include "core/settings/modINI.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstddef>

/// Every key of the settings file, declared once: its section, name, type, default and
/// range. Readers and writers name a key by its declaration below, never by its spelling,
/// so adding a key is one declaration. Reading follows the file's rules (modINI): a
/// missing file, section or key, and a value that is not valid for its key, read as the
/// key's default; reading never creates the file.
namespace settings {

/// A whole number stored in decimal. A value that is not a whole number from -32768 to
/// 32767 (empty, letters, too large) reads as `fallback`. The program writes only `low` to
/// `high`; a stored number outside them still reads as stored (holds() tells).
struct Number
{
    const char *section;
    const char *name;
    qint16 fallback;
    qint16 low;
    qint16 high;

    [[nodiscard]] constexpr bool holds(qint16 value) const { return value >= low && value <= high; }
};

/// A text, empty by default, stored percent-encoded (UTF-8) except for the characters in
/// `plain`, so that any text fits the file's 8-bit lines and keeps its blanks and quotes.
/// At most `maxLength` stored characters are read, and a longer one is not written.
struct Text
{
    const char *section;
    const char *name;
    const char *plain;
    qsizetype maxLength;
};

/// `count` texts like Text, under the names `prefix`1 to `prefix``count`.
struct TextList
{
    const char *section;
    const char *prefix;
    int count;
    const char *plain;
    qsizetype maxLength;
};

/// One of `words`, stored as written here and read without regard to letter case;
/// anything else reads as the first word. Read and written as the word's index.
template <std::size_t N>
struct Choice
{
    const char *section;
    const char *name;
    const char *words[N];

    [[nodiscard]] static constexpr std::size_t size() { return N; }
};

/// The section of the program's own settings.
inline constexpr char General[] = "Settings";

/// The splash window at start (1) or not (0).
inline constexpr Number SplashScreen{General, "SplashScreen", 1, 0, 1};
/// The status bar shown (anything but 0) or hidden (0).
inline constexpr Number StatusBar{General, "StatusBar", 1, 0, 1};
/// The Load Map dialog at start (exactly 1) or not.
inline constexpr Number LoadDialog{General, "LoadDialog", 1, 0, 1};
/// The game data folder; plain ASCII paths stay readable in the file.
inline constexpr Text GameData{General, "GameData", "/\\:()_-.~ !$&'+,;=[]@",
                               modINI::MaxValueLength};
/// The language of the windows from the next start: "system" (the desktop's), "en" or the
/// code of a translation (see Language.h).
inline constexpr Text Language{General, "Language", "", 16};
/// How the picture window fits a picture to the map and resamples it: the names of
/// picture::fitName and picture::resampleName (anything else reads as none and area).
inline constexpr Text PictureFit{General, "PictureFit", "", 16};
inline constexpr Text PictureResample{General, "PictureResample", "", 16};
/// Conversions in the windows vary the tiles (1) or write each colour's tile (0).
inline constexpr Number VaryTiles{General, "VaryTiles", 0, 0, 1};
/// The maps loaded last, newest first. Far longer than any path the system accepts.
inline constexpr TextList RecentMaps{"RecentMaps", "Map", 8, "/\\:.-_~()", 16 * 1024};

[[nodiscard]] qint16 read(const QString &file, const Number &key);
[[nodiscard]] QString read(const QString &file, const Text &key);
/// Always `key.count` texts, empty where nothing is stored.
[[nodiscard]] QStringList read(const QString &file, const TextList &key);

/// The index of the word a choice's stored text names, or 0.
[[nodiscard]] std::size_t wordIndex(const QString &stored, const char *const *words,
                                    std::size_t count);

template <std::size_t N>
[[nodiscard]] std::size_t read(const QString &file, const Choice<N> &key)
{
    return wordIndex(modINI::ReadIniValue(QString::fromLatin1(key.section),
                                          QString::fromLatin1(key.name), QString(), file),
                     key.words, N);
}

/// Values stored together, in one replacement of the settings file.
class Changes
{
public:
    void set(const Number &key, qint16 value);
    /// False, and nothing set, when the stored form would be longer than the key keeps.
    [[nodiscard]] bool set(const Text &key, const QString &value);
    /// The first `key.count` of `values`, and empty texts for the rest; false (nothing set)
    /// when one would be too long to keep.
    [[nodiscard]] bool set(const TextList &key, const QStringList &values);
    template <std::size_t N>
    void set(const Choice<N> &key, std::size_t index)
    {
        add(key.section, QString::fromLatin1(key.name),
            QString::fromLatin1(key.words[index < N ? index : 0]));
    }

    [[nodiscard]] bool isEmpty() const { return m_entries.isEmpty(); }

    /// Writes every value set, in the order set, with one replacement of `file` (created
    /// when missing; its folder must exist). False when nothing was written.
    [[nodiscard]] bool store(const QString &file) const;

private:
    void add(const char *section, const QString &name, const QString &value);

    QList<modINI::Entry> m_entries;
};

} // namespace settings
