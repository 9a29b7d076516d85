#include "core/settings/Language.h"

#include "core/settings/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace language {
namespace {

/// The ISO 639 code of a desktop language ("ko-KR" -> "ko"); "C" and "POSIX" are English.
QString codeOf(const QString &uiLanguage)
{
    if (uiLanguage == QLatin1String("C") || uiLanguage == QLatin1String("POSIX"))
        return QString::fromLatin1(English);
    return uiLanguage.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
}

/// Loads `file` (without ".qm") from the first folder that has it into a translator owned
/// by the application; false when no folder has it.
bool installFrom(const QStringList &folders, const QString &file)
{
    for (const QString &folder : folders) {
        auto translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(file, folder) && QCoreApplication::installTranslator(translator))
            return true;
        delete translator;
    }
    return false;
}

} // namespace

QStringList translated()
{
    return QString::fromLatin1(VELMORA_LANGUAGES).split(QLatin1Char(','), Qt::SkipEmptyParts);
}

QString choose(const QString &stored, const QStringList &uiLanguages, const QStringList &translated)
{
    if (stored == QLatin1String(English) || translated.contains(stored))
        return stored;
    for (const QString &wanted : uiLanguages) {
        const QString code = codeOf(wanted);
        if (code == QLatin1String(English) || translated.contains(code))
            return code;
    }
    return QString::fromLatin1(English);
}

QStringList translationFolders(const QString &programDir)
{
    const QDir dir(programDir);
    return {dir.filePath(QStringLiteral("translations")),
            QDir::cleanPath(dir.filePath(QStringLiteral(VELMORA_TRANSLATIONS_FROM_BIN)))};
}

QString stored(const QString &configFile)
{
    const QString choice = settings::read(configFile, settings::Language).trimmed().toLower();
    return choice.isEmpty() ? QString::fromLatin1(System) : choice;
}

bool install(const QString &code, const QString &programDir)
{
    if (code == QLatin1String(English) || !QCoreApplication::instance())
        return false;
    if (!installFrom(translationFolders(programDir), QStringLiteral("velmora_") + code))
        return false; // English throughout rather than Qt's words alone in another language
    // Qt's own words (standard buttons, file dialogs, --help) where Qt's translations are.
    (void)installFrom({QLibraryInfo::path(QLibraryInfo::TranslationsPath)},
                      QStringLiteral("qtbase_") + code);
    return true;
}

QString start(const QString &storedChoice, const QString &programDir)
{
    const QString code = choose(storedChoice, QLocale::system().uiLanguages(), translated());
    install(code, programDir);
    return code;
}

} // namespace language
