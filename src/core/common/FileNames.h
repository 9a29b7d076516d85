#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

/// File names as the system gives them: bytes, which a QString does not always hold. Where
/// names are UTF-8, Qt reads a Latin-1 "Kart\xE9.scm" from the command line as "Kart\uFFFD.scm"
/// (another name), and its folder listings leave such a name out, so a file dialog never
/// offers it.
namespace filenames {

/// True when `bytes` survive Qt's decoding and encoding of file names unchanged.
[[nodiscard]] bool qtHolds(const QByteArray &bytes);

/// Bytes as a message shows them: UTF-8 decoded, any other byte as \xNN, control characters
/// escaped.
[[nodiscard]] QString shownBytes(const QByteArray &bytes);

/// The names in `folder` that Qt does not hold, shown by shownBytes, at most `most` of them;
/// at most MaxListedNames entries of the folder are looked at.
[[nodiscard]] QStringList unheldNames(const QString &folder, int most);
inline constexpr int MaxListedNames = 100000;

/// For a message that `path` does not exist: a clause naming the files beside it whose names
/// Qt does not hold, which is why a file dialog did not offer them (empty when there are none).
[[nodiscard]] QString unheldNamesNote(const QString &path);

} // namespace filenames
