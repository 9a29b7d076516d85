#pragma once

#include <QMenu>

/// File > Recent Maps: the last maps loaded, newest first, numbered as access keys. A map
/// that is gone stays listed, greyed, with a tooltip saying so.
class RecentMapsMenu : public QMenu
{
    Q_OBJECT

public:
    RecentMapsMenu(const QString &settingsPath, QWidget *parent = nullptr);

    /// Puts `path` at the top of the list and stores the list.
    void remember(const QString &path);
    /// Rebuilds the entries from the settings file (also done each time the menu opens).
    void refresh();

signals:
    void mapChosen(const QString &path);

private:
    QString m_settingsPath;
};
