#pragma once

#include <QString>

#include <functional>

class QWidget;
class UserDialogs;

/// Whether the working copy holds changes the map file does not have yet (a conversion,
/// a new tileset), and the question asked before such changes would be thrown away.
class UnsavedWork
{
public:
    explicit UnsavedWork(UserDialogs &dialogs) : m_dialogs(dialogs) {}

    void markChanged() { m_pending = true; }
    /// The map file now holds the work, or the work is gone.
    void markSettled() { m_pending = false; }
    bool pending() const { return m_pending; }

    /// Returns true when the caller may go on and drop the working copy: nothing is
    /// pending, the user chose Save and `save` succeeded, or the user chose Discard.
    /// Cancel, or a failed save, returns false and keeps everything as it was.
    [[nodiscard]] bool settle(QWidget *parent, const QString &title, const QString &mapPath,
                              const std::function<bool()> &save);

private:
    UserDialogs &m_dialogs;
    bool m_pending = false;
};
