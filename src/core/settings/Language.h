#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

/// The language the program speaks: English, or one of the translations built from
/// translations/velmora_LANG.ts. Velmora's own sentences come from velmora_LANG.qm, found
/// beside the program (a build tree) or in the installed share/velmora/translations; Qt's
/// own (standard buttons, file dialogs, --help options) from Qt's qtbase_LANG.qm.
namespace language {

/// The stored choice that follows the desktop's language.
inline constexpr char System[] = "system";
/// The stored choice and the code of the language of the sources.
inline constexpr char English[] = "en";

/// The languages there is a translation for, as ISO 639 codes ("ko", "de"), in build order.
[[nodiscard]] QStringList translated();

/// The language to speak: `stored` itself when it names English or a translated language,
/// otherwise (System, empty, unknown) the first of the desktop's `uiLanguages` (most
/// wanted first, as QLocale::uiLanguages lists them) that is English or translated;
/// English when none is.
[[nodiscard]] QString choose(const QString &stored, const QStringList &uiLanguages,
                             const QStringList &translated);

/// The folders the program's .qm files are looked for in, for the program in `programDir`.
[[nodiscard]] QStringList translationFolders(const QString &programDir);

/// The choice stored in the settings file at `configFile` (settings::Language; System when
/// there is none).
[[nodiscard]] QString stored(const QString &configFile);

/// Installs the translators for `code` on the running application (nothing for English):
/// Velmora's own, then Qt's where installed. True when Velmora's translation was found.
bool install(const QString &code, const QString &programDir);

/// The whole start: chooses from `stored` and the desktop's languages, installs, returns
/// the code spoken.
QString start(const QString &stored, const QString &programDir);

} // namespace language
