#pragma once

#include <QString>
#include <QUrl>

// The message where the desktop has no program to open a file or address with (no xdg-open):
// what is missing, and the file or address that was to be opened, so that the user can open it
// by hand.
QString noLauncherMessage(const QUrl& url);
