#include "shell/program_icon.h"

#include <QString>

QIcon programIcon()
{
    // Each size drawn for it: scaled down from a larger one, the reel's spokes blur away.
    QIcon icon;
    for (int size : {REELBOX_ICON_SIZES})
        icon.addFile(QStringLiteral(":/reelbox/hicolor/%1x%1/apps/reelbox.png").arg(size),
            QSize(size, size));
    return icon;
}
