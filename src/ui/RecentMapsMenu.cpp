#include "ui/RecentMapsMenu.h"

#include "core/settings/RecentMaps.h"

#include "core/common/UserText.h"

#include <QDir>
#include <QFileInfo>

RecentMapsMenu::RecentMapsMenu(const QString &settingsPath, QWidget *parent)
    : QMenu(tr("Recent &Maps"), parent)
    , m_settingsPath(settingsPath)
{
    setObjectName(QStringLiteral("mnuRecent"));
    setToolTipsVisible(true);
    // A map may have been moved or deleted since the menu was last built.
    connect(this, &QMenu::aboutToShow, this, &RecentMapsMenu::refresh);
    refresh();
}

void RecentMapsMenu::remember(const QString &path)
{
    // A settings file that cannot be written only costs the list, never the load.
    RecentMaps::remember(m_settingsPath, path);
    refresh();
}

void RecentMapsMenu::refresh()
{
    clear();
    const QStringList maps = RecentMaps::read(m_settingsPath);
    for (int i = 0; i < maps.size(); ++i) {
        const QString &path = maps[i];
        const QString name = QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *entry = addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        const QString shown = shownPath(path);
        if (QFileInfo(path).isFile()) {
            entry->setToolTip(shown);
        } else {
            entry->setEnabled(false);
            entry->setToolTip(tr("%1 is no longer there.").arg(shown));
        }
        connect(entry, &QAction::triggered, this, [this, path] { emit mapChosen(path); });
    }
    menuAction()->setEnabled(!maps.isEmpty());
}
