#include "view/CTitleIcons.h"

#include <QFileInfo>
#include <QFileIconProvider>

QIcon CTitleIcons::Icon(const QString& path, int iconSize)
{
    (void)iconSize;
    QFileIconProvider provider;
    QIcon icon = provider.icon(QFileInfo(path));
    if (icon.isNull())
        icon = provider.icon(QFileIconProvider::File);
    return icon;
}
