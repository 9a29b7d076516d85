#pragma once

#include <QString>

#include <functional>

class QWidget;
class UserDialogs;

/// The question asked before changes the map file does not have yet (a conversion, a new
/// tileset) would be thrown away; `pending` says whether there are such changes (the
/// document's history decides).
class UnsavedWork
{
public:
    UnsavedWork(UserDialogs &dialogs, std::function<bool()> pending)
        : m_dialogs(dialogs), m_pending(std::move(pending))
    {
    }

    bool pending() const { return m_pending(); }

    /// Returns true when the caller may go on and drop the working copy: nothing is
    /// pending, the user chose Save and `save` succeeded, or the user chose Discard.
    /// Cancel, or a failed save, returns false and keeps everything as it was.
    [[nodiscard]] bool settle(QWidget *parent, const QString &title, const QString &mapPath,
                              const std::function<bool()> &save);

private:
    UserDialogs &m_dialogs;
    std::function<bool()> m_pending;
};
