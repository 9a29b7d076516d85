#include "ui/UnsavedWork.h"

#include "ui/UserDialogs.h"

#include <QCoreApplication>
#include <QFileInfo>

bool UnsavedWork::settle(QWidget *parent, const QString &title, const QString &mapPath,
                         const std::function<bool()> &save)
{
    if (!pending())
        return true;
    const QString text =
        QCoreApplication::translate("UnsavedWork",
                                    "The changes to %1 have not been saved.\n\n"
                                    "Save them before going on?")
            .arg(QFileInfo(mapPath).fileName());
    switch (m_dialogs.askUnsavedWork(parent, title, text)) {
    case UserDialogs::UnsavedChoice::Save:
        // save() reports its own failure; the work stays pending then.
        return save();
    case UserDialogs::UnsavedChoice::Discard:
        // The caller drops the working copy, and its history with it.
        return true;
    case UserDialogs::UnsavedChoice::Cancel:
        break;
    }
    return false;
}
