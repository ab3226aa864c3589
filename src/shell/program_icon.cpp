#include "shell/program_icon.h"

#include <QApplication>
#include <QStyle>

QIcon programIcon()
{
    const QIcon icon(QStringLiteral(":/reelbox/reelbox.svg"));
    if (!icon.pixmap(16, 16).isNull())
        return icon;
    return QApplication::style()->standardIcon(QStyle::SP_MediaPlay);
}
