#include "core/settings/Settings.h"

#include <QUrl>

namespace settings {

namespace {

QString nameOf(const TextList &key, int i)
{
    return QString::fromLatin1(key.prefix) + QString::number(i + 1);
}

QString readText(const QString &file, const char *section, const QString &name,
                 qsizetype maxLength)
{
    const QString stored = modINI::ReadIniValue(QString::fromLatin1(section), name, QString(),
                                                file, maxLength);
    return QUrl::fromPercentEncoding(stored.toLatin1());
}

QString encoded(const QString &text, const char *plain)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text, plain));
}

} // namespace

qint16 read(const QString &file, const Number &key)
{
    const QString text = modINI::ReadIniValue(QString::fromLatin1(key.section),
                                              QString::fromLatin1(key.name), QString(), file);
    bool ok = false;
    const short number = text.toShort(&ok);
    return ok ? qint16(number) : key.fallback;
}

QString read(const QString &file, const Text &key)
{
    return readText(file, key.section, QString::fromLatin1(key.name), key.maxLength);
}

QStringList read(const QString &file, const TextList &key)
{
    QStringList texts;
    for (int i = 0; i < key.count; ++i)
        texts.append(readText(file, key.section, nameOf(key, i), key.maxLength));
    return texts;
}

std::size_t wordIndex(const QString &stored, const char *const *words, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        if (stored.compare(QLatin1StringView(words[i]), Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

void Changes::add(const char *section, const QString &name, const QString &value)
{
    m_entries.append({QString::fromLatin1(section), name, value});
}

void Changes::set(const Number &key, qint16 value)
{
    add(key.section, QString::fromLatin1(key.name), QString::number(value));
}

bool Changes::set(const Text &key, const QString &value)
{
    const QString stored = encoded(value, key.plain);
    if (stored.size() > key.maxLength)
        return false;
    add(key.section, QString::fromLatin1(key.name), stored);
    return true;
}

bool Changes::set(const TextList &key, const QStringList &values)
{
    QStringList stored;
    for (int i = 0; i < key.count; ++i) {
        stored.append(encoded(values.value(i), key.plain));
        if (stored.last().size() > key.maxLength)
            return false;
    }
    for (int i = 0; i < key.count; ++i)
        add(key.section, nameOf(key, i), stored.at(i));
    return true;
}

bool Changes::store(const QString &file) const
{
    return modINI::WriteIniEntries(m_entries, file);
}

} // namespace settings
