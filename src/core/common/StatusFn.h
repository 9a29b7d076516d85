#pragma once

#include <QString>

#include <functional>

/// Receives the status texts of a long step. The windows set the status line and
/// repaint; the command-line companion prints progress or ignores it.
using StatusFn = std::function<void(const QString &text)>;
