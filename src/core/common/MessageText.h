#pragma once

#include <QString>

/// Text that reaches the user's terminal or a message box: whatever a user's file
/// contributes (a name, a line of a colour file) is shown with its control characters
/// escaped, and Qt's own messages go through the program's one handler.
namespace messagetext {

/// `text` with every control character written as an escape: \n, \r, \t, \\x1B for ESC,
/// \\xNN for the other C0 and C1 controls and DEL, \\u{NNNN} for the characters that reorder
/// text (bidirectional controls) and for unpaired surrogates. A backslash is kept as it is.
[[nodiscard]] QString escaped(const QString &text);

/// Installs the handler for Qt's messages: each one becomes a single escaped line
/// "PROGRAM: warning: TEXT" on standard error (debug messages are dropped unless
/// VELMORA_DEBUG is set). `program` must outlive the process (a literal).
void installHandler(const char *program);

} // namespace messagetext
