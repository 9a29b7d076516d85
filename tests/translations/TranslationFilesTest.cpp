// The .ts files as lupdate leaves them and a translator completes them: every sentence
// translated, its placeholders and access key kept; and how the language is chosen.
#include "core/settings/Language.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>

namespace {

struct Message
{
    QString context, source, translation, type;
};

/// Every message of a .ts file.
QList<Message> readTs(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QXmlStreamReader xml(&file);
    QList<Message> messages;
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            messages.append({context, {}, {}, {}});
        } else if (xml.name() == QLatin1String("source")) {
            messages.last().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            messages.last().type = xml.attributes().value(QLatin1String("type")).toString();
            messages.last().translation = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return messages;
}

/// How often each placeholder %1..%99 occurs.
std::map<QString, int> placeholders(const QString &text)
{
    static const QRegularExpression marker(QStringLiteral("%\\d+"));
    std::map<QString, int> found;
    for (const QRegularExpressionMatch &m : marker.globalMatch(text))
        ++found[m.captured()];
    return found;
}

/// The access keys a caption marks ("&&" is a literal ampersand, "& " a plain one in a title).
QString accessKeys(QString text)
{
    text.remove(QStringLiteral("&&"));
    QString keys;
    for (qsizetype at = text.indexOf(QLatin1Char('&')); at >= 0 && at + 1 < text.size();
         at = text.indexOf(QLatin1Char('&'), at + 1))
        if (!text.at(at + 1).isSpace())
            keys += text.at(at + 1).toLower();
    return keys;
}

TEST(TranslationFiles, EverySentenceIsTranslatedWithItsPlaceholdersAndOneAccessKey)
{
    const QStringList languages = QStringLiteral(VELMORA_TEST_LANGUAGES).split(QLatin1Char(','));
    EXPECT_EQ(language::translated(), languages);
    QList<Message> english;
    for (const QString &code : languages) {
        SCOPED_TRACE(code.toStdString());
        const QList<Message> messages =
            readTs(QStringLiteral(VELMORA_TRANSLATIONS_DIR "/velmora_%1.ts").arg(code));
        ASSERT_GT(messages.size(), 300);
        for (const Message &m : messages) {
            SCOPED_TRACE((m.context + QStringLiteral(": ") + m.source).toStdString());
            // Unfinished, vanished or obsolete entries all carry a type.
            EXPECT_EQ(m.type, QString());
            EXPECT_FALSE(m.translation.trimmed().isEmpty());
            EXPECT_EQ(placeholders(m.translation), placeholders(m.source));
            EXPECT_EQ(accessKeys(m.translation).size(), accessKeys(m.source).size());
        }
        // Every language translates the same sentences: none left out of one file.
        QList<Message> sources = messages;
        for (Message &m : sources)
            m.translation.clear(), m.type.clear();
        if (english.isEmpty())
            english = sources;
        ASSERT_EQ(sources.size(), english.size());
        for (qsizetype i = 0; i < sources.size(); ++i)
            EXPECT_EQ(sources[i].context + sources[i].source, english[i].context + english[i].source);
    }
}

TEST(Language, ChoiceFollowsTheSettingThenTheDesktopsLanguagesInOrder)
{
    const QStringList translated{QStringLiteral("ko"), QStringLiteral("de")};
    struct Case
    {
        const char *stored;
        QStringList desktop;
        const char *expected;
    };
    const Case cases[] = {
        {"system", {"ko-KR"}, "ko"},
        {"system", {"de-DE", "en-US"}, "de"},
        {"system", {"de_AT"}, "de"},
        {"system", {"fr-FR", "de-DE"}, "de"},   // the first the program speaks
        {"system", {"en-GB", "de-DE"}, "en"},   // English wanted before German
        {"system", {"fr-FR"}, "en"},
        {"system", {"C"}, "en"},
        {"system", {}, "en"},
        {"", {"ko"}, "ko"},
        {"en", {"ko-KR"}, "en"},                // the setting wins over the desktop
        {"de", {"ko-KR"}, "de"},
        {"fr", {"ko-KR"}, "ko"},                // an unknown setting counts as System
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.stored) + " / " + c.desktop.join(',').toStdString());
        EXPECT_EQ(language::choose(QString::fromLatin1(c.stored), c.desktop, translated),
                  QString::fromLatin1(c.expected));
    }
}

} // namespace
