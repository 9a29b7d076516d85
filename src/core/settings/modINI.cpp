#include "core/settings/modINI.h"

#include "core/common/BoundedFile.h"
#include "core/common/OutputTarget.h"

#include "core/common/UserText.h"
#include "core/settings/AppPaths.h"
#include "core/settings/Settings.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QSaveFile>

namespace modINI {

namespace {

// A settings file is a few lines; anything this large is not ours and is left alone.
constexpr qint64 kMaxFileSize = boundedfile::MaxSettingsFileBytes;

struct Line
{
    QByteArray text; // without the line ending
    QByteArray eol;  // "\r\n", "\n", "\r" or empty on a last line without one
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

QByteArray trimmedBlanks(const QByteArray &s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isBlank(s.at(b)))
        ++b;
    while (e > b && isBlank(s.at(e - 1)))
        --e;
    return s.mid(b, e - b);
}

QList<Line> splitLines(const QByteArray &bytes)
{
    QList<Line> lines;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype end = pos;
        while (end < bytes.size() && bytes.at(end) != '\n' && bytes.at(end) != '\r')
            ++end;
        Line line{bytes.mid(pos, end - pos), {}};
        if (end < bytes.size()) {
            const qsizetype eolLength =
                (bytes.at(end) == '\r' && end + 1 < bytes.size() && bytes.at(end + 1) == '\n') ? 2 : 1;
            line.eol = bytes.mid(end, eolLength);
            end += eolLength;
        }
        lines.append(line);
        pos = end;
    }
    return lines;
}

/// True for a header line "[name]", with the name in `name`.
bool sectionName(const QByteArray &line, QByteArray *name)
{
    const QByteArray t = trimmedBlanks(line);
    if (!t.startsWith('['))
        return false;
    qsizetype close = t.indexOf(']');
    if (close < 0)
        close = t.size();
    *name = trimmedBlanks(t.mid(1, close - 1));
    return true;
}

/// Key and raw value of a "key=value" line; false for comments, headers and other lines.
bool keyValue(const QByteArray &line, QByteArray *key, QByteArray *value)
{
    const QByteArray t = trimmedBlanks(line);
    if (t.isEmpty() || t.startsWith(';') || t.startsWith('['))
        return false;
    const qsizetype eq = t.indexOf('=');
    if (eq < 0)
        return false;
    *key = trimmedBlanks(t.left(eq));
    *value = trimmedBlanks(t.mid(eq + 1));
    return true;
}

bool sameName(const QByteArray &a, const QString &b)
{
    return QString::fromLatin1(a).compare(b, Qt::CaseInsensitive) == 0;
}

bool isLatin1(const QString &s)
{
    for (const QChar c : s)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

enum class Load { Missing, Loaded, Failed };

Load loadFile(const QString &path, QByteArray *bytes)
{
    if (!QFile::exists(path))
        return Load::Missing;
    // A folder, device or pipe in the settings file's place is never read (a pipe would
    // block, a device never end).
    Result<QByteArray> read = boundedfile::read(path, kMaxFileSize, FailureKind::Settings);
    if (!read)
        return Load::Failed;
    *bytes = std::move(read).value();
    return Load::Loaded;
}

/// Index of the header line of the first section called `section`, or -1.
qsizetype findSection(const QList<Line> &lines, const QString &section)
{
    QByteArray name;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (sectionName(lines[i].text, &name) && sameName(name, section))
            return i;
    return -1;
}

/// One past the last line of the section whose header is at `header`.
qsizetype sectionEnd(const QList<Line> &lines, qsizetype header)
{
    QByteArray name;
    qsizetype i = header + 1;
    while (i < lines.size() && !sectionName(lines[i].text, &name))
        ++i;
    return i;
}

qsizetype findKey(const QList<Line> &lines, qsizetype header, const QString &key,
                  QByteArray *storedKey, QByteArray *value)
{
    const qsizetype end = sectionEnd(lines, header);
    for (qsizetype i = header + 1; i < end; ++i)
        if (keyValue(lines[i].text, storedKey, value) && sameName(*storedKey, key))
            return i;
    return -1;
}

QByteArray unquoted(const QByteArray &value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

QByteArray lineEndingOf(const QByteArray &bytes)
{
    if (bytes.contains("\r\n"))
        return "\r\n";
    if (bytes.contains('\n'))
        return "\n";
#ifdef Q_OS_WIN
    return "\r\n";
#else
    return "\n";
#endif
}

bool validName(const QString &name, const char *forbidden)
{
    if (name.trimmed().isEmpty() || !isLatin1(name))
        return false;
    for (const char *f = forbidden; *f; ++f)
        if (name.contains(QLatin1Char(*f)))
            return false;
    return true;
}

} // namespace

QString ReadIniValue(const QString &section, const QString &key, const QString &def,
                     const QString &path)
{
    return ReadIniValue(section, key, def, path, MaxValueLength);
}

QString ReadIniValue(const QString &section, const QString &key, const QString &def,
                     const QString &path, qsizetype maxLength)
{
    QString result = def;
    QByteArray bytes;
    if (loadFile(path, &bytes) == Load::Loaded) {
        const QList<Line> lines = splitLines(bytes);
        const qsizetype header = findSection(lines, section);
        QByteArray storedKey;
        QByteArray value;
        if (header >= 0 && findKey(lines, header, key, &storedKey, &value) >= 0)
            result = QString::fromLatin1(unquoted(value));
    }
    return result.left(maxLength);
}

namespace {

/// Sets `key`=`value` in `section` of `lines`, as WriteIniValue describes.
void setValue(QList<Line> &lines, const QByteArray &eol, const QString &section,
              const QString &key, const QString &value)
{
    const qsizetype header = findSection(lines, section);
    QByteArray storedKey;
    QByteArray oldValue;
    const qsizetype keyLine = header >= 0 ? findKey(lines, header, key, &storedKey, &oldValue) : -1;
    if (keyLine >= 0) {
        // The user's spelling of the key stays; only the value changes.
        lines[keyLine].text = storedKey + '=' + value.toLatin1();
    } else if (header >= 0) {
        // After the section's last non-blank line, so blank lines between sections stay.
        qsizetype at = sectionEnd(lines, header);
        while (at > header + 1 && trimmedBlanks(lines[at - 1].text).isEmpty())
            --at;
        if (lines[at - 1].eol.isEmpty())
            lines[at - 1].eol = eol;
        lines.insert(at, Line{key.toLatin1() + '=' + value.toLatin1(), eol});
    } else {
        if (!lines.isEmpty()) {
            if (lines.last().eol.isEmpty())
                lines.last().eol = eol;
            if (!trimmedBlanks(lines.last().text).isEmpty())
                lines.append(Line{{}, eol});
        }
        lines.append(Line{'[' + section.toLatin1() + ']', eol});
        lines.append(Line{key.toLatin1() + '=' + value.toLatin1(), eol});
    }
}

} // namespace

bool WriteIniValue(const QString &section, const QString &key, const QString &value,
                   const QString &path)
{
    return WriteIniValues(section, {{key, value}}, path);
}

bool WriteIniValues(const QString &section, const QList<std::pair<QString, QString>> &values,
                    const QString &path)
{
    QList<Entry> entries;
    entries.reserve(values.size());
    for (const auto &[key, value] : values)
        entries.append({section, key, value});
    // Without keys the section name is still checked, as before.
    return validName(section, "[]\r\n") && WriteIniEntries(entries, path);
}

bool WriteIniEntries(const QList<Entry> &entries, const QString &path)
{
    // A line break or a stray "=" / "]" in a name would let one call write lines the next
    // read takes for other keys or sections.
    for (const Entry &entry : entries) {
        if (!validName(entry.section, "[]\r\n") || !validName(entry.key, "=\r\n")
            || entry.key.trimmed().startsWith(';') || entry.value.contains(QLatin1Char('\r'))
            || entry.value.contains(QLatin1Char('\n')) || !isLatin1(entry.value))
            return false;
    }

    QByteArray bytes;
    if (loadFile(path, &bytes) == Load::Failed)
        return false;
    QList<Line> lines = splitLines(bytes);
    const QByteArray eol = lineEndingOf(bytes);
    for (const Entry &entry : entries)
        setValue(lines, eol, entry.section, entry.key, entry.value);

    QByteArray out;
    out.reserve(bytes.size() + 256);
    for (const Line &line : std::as_const(lines))
        out += line.text + line.eol;

    if (!outputtarget::checkKind(path))
        return false; // a pipe or a device is never replaced by a settings file
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(out) != out.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QString configPath(const QString &programDir)
{
    return QDir::toNativeSeparators(QDir(programDir).filePath(QLatin1StringView(AppPaths::ConfigFileName)));
}

qint16 ReadSetting(const QString &programDir, const QString &key)
{
    return ReadSettingFrom(configPath(programDir), key);
}

qint16 ReadSettingFrom(const QString &configFile, const QString &key)
{
    const QByteArray name = key.toLatin1();
    return settings::read(configFile, settings::Number{settings::General, name.constData(), 1,
                                                       INT16_MIN, INT16_MAX});
}

} // namespace modINI
