#include "ui/PictureHost.h"

#include "ui/frmColorList.h"

void PictureHost::usePicture(const QString &path, picture::Prepared prepared,
                             const picture::FitOptions &)
{
    frmColorList *list = colorList();
    list->setColors(prepared.colors, prepared.counts);
    list->setOrigin(mapPath(), mapWidth(), mapHeight(), path);
}
