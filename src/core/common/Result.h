#pragma once

#include <QString>

#include <utility>
#include <variant>

/// What kind of failure happened: the code that decides what comes next (an exit status, a
/// message box title, a retry) looks at the kind, never at the sentence.
enum class FailureKind {
    Unspecified,      ///< not classified
    MapUnreadable,    ///< the user's map is missing, not a file or cannot be read
    NotAnArchive,     ///< the map is not a map archive
    NoScenario,       ///< the archive has no scenario entry
    Damaged,          ///< the archive or its scenario entry is damaged
    UnsupportedSize,  ///< no size section, or a width or height the program does not accept
    Picture,          ///< the picture is missing or does not decode
    TooManyColors,    ///< the picture's map area has more colours than the list can hold
    Colors,           ///< the colour file cannot be read or a line of it is malformed
    Values,           ///< a tile value is not a whole number from 0 to 32767
    BadScenario,      ///< a section the job needs is missing, short or overlapping
    Output,           ///< the map cannot be written to the place the user chose
    ProtectedArchive, ///< the archive is protected or read-only for the archive library
    WorkingFolder,    ///< the working folder cannot be made, written or is on a full disk
    NoMap,            ///< a command needs a loaded map and none is loaded
    Settings,         ///< the settings file cannot be read or written
    GameData,         ///< the game's own data cannot be found or read
};

/// A failure: its kind and one sentence for the user (naming the user's own file, never a
/// private working path).
struct Failure
{
    FailureKind kind = FailureKind::Unspecified;
    QString sentence;
};

/// Makes a failure; reads well at a return statement: `return fail(FailureKind::Picture, ...)`.
[[nodiscard]] inline Failure fail(FailureKind kind, QString sentence)
{
    return Failure{kind, std::move(sentence)};
}

/// A value, or the failure that prevented it.
template <typename T>
class [[nodiscard]] Result
{
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    /// The value; only on success.
    const T &value() const & { return std::get<0>(m_state); }
    T &value() & { return std::get<0>(m_state); }
    T &&value() && { return std::get<0>(std::move(m_state)); }
    const T &operator*() const & { return value(); }
    const T *operator->() const { return &value(); }
    /// The value, or `fallback` on failure.
    T valueOr(T fallback) const { return ok() ? value() : std::move(fallback); }

    /// The failure; only when !ok().
    const Failure &failure() const { return std::get<1>(m_state); }
    FailureKind kind() const { return ok() ? FailureKind::Unspecified : failure().kind; }
    /// The sentence for the user; empty on success.
    QString reason() const { return ok() ? QString() : failure().sentence; }

private:
    std::variant<T, Failure> m_state;
};

/// Success without a value, or a failure.
template <>
class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Failure failure) : m_failed(true), m_failure(std::move(failure)) {}

    static Result success() { return {}; }
    static Result failure(FailureKind kind, QString sentence)
    {
        return Result(Failure{kind, std::move(sentence)});
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }

    const Failure &failure() const { return m_failure; }
    FailureKind kind() const { return m_failure.kind; }
    const QString &reason() const { return m_failure.sentence; }

private:
    bool m_failed = false;
    Failure m_failure;
};

/// Success or failure, nothing else to hand back.
using Status = Result<void>;
