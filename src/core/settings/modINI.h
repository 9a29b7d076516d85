#pragma once

#include <QList>
#include <QString>

#include <utility>

/// The settings file: a profile (INI) file of 8-bit text read and written one value at a
/// time, with the rules of the Windows profile functions the program has always used.
///
/// Rules shared by reader and writer: section and key names match without regard to
/// letter case; blanks around "=" and around the value do not count; lines starting with
/// ';' are comments; only the first section of a given name is looked at. Text is taken
/// as Latin-1, one character per byte.
namespace modINI {

/// The most characters ReadIniValue gives of a value unless told otherwise: the reader's
/// buffer has always held 128 characters with the closing zero.
inline constexpr qsizetype MaxValueLength = 127;

/// Value of `key` in `section` of the file at `path`, or `def` when the file, the section
/// or the key is missing (or the file cannot be read). The result holds at most 127
/// characters; a longer value is cut. A key stored with an empty value reads as "", not
/// as `def`. A value enclosed in matching quotes is returned without them. Reading never
/// creates the file.
QString ReadIniValue(const QString &section, const QString &key, const QString &def,
                     const QString &path);

/// As above, but the result is cut at `maxLength` characters instead of 127: for values
/// the program stores itself that may be longer, such as file paths.
QString ReadIniValue(const QString &section, const QString &key, const QString &def,
                     const QString &path, qsizetype maxLength);

/// Stores `key`=`value` in `section` of the file at `path`, creating the file, the
/// section or the key as needed and replacing the first existing value. Every other line
/// and comment is kept byte for byte. The file is replaced by writing a complete copy
/// beside it and renaming it into place, so a failed write leaves the old file.
/// Returns false when nothing was written: the file could not be read or written, or a
/// name or the value would break the file's line structure (a line break, a "=" or "]"
/// in a name, characters beyond Latin-1). Callers may ignore the result.
bool WriteIniValue(const QString &section, const QString &key, const QString &value,
                   const QString &path);

/// Stores several keys of `section` at once, as WriteIniValue would one after another, but
/// with one replacement of the file: either every value is written or none is.
bool WriteIniValues(const QString &section, const QList<std::pair<QString, QString>> &values,
                    const QString &path);

/// One value to store: its section, key and value.
struct Entry
{
    QString section;
    QString key;
    QString value;
};

/// The same for keys of any sections, in order.
bool WriteIniEntries(const QList<Entry> &entries, const QString &path);

/// The settings file of the program installed in `programDir`: "<programDir>/config.ini",
/// with the platform's separators.
QString configPath(const QString &programDir);

/// Reads `key` of section "Settings" in the program's settings file, default "1", as a
/// signed 16-bit whole number. A value that is not a whole number in -32768..32767
/// (empty, letters, too large) reads as 1, the default.
qint16 ReadSetting(const QString &programDir, const QString &key);
/// The same, from the settings file at `configFile` (see AppPaths).
qint16 ReadSettingFrom(const QString &configFile, const QString &key);

} // namespace modINI
