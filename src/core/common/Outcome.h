#pragma once

#include <QString>

#include <utility>

/// Result of an operation that can fail: success, or a sentence the user can act on.
class Outcome
{
public:
    static Outcome success() { return Outcome(true, {}); }
    static Outcome failure(QString reason) { return Outcome(false, std::move(reason)); }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    /// Why it failed; empty on success.
    const QString &reason() const { return m_reason; }

private:
    Outcome(bool ok, QString reason) : m_ok(ok), m_reason(std::move(reason)) {}

    bool m_ok;
    QString m_reason;
};
