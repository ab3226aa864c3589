#pragma once

#include "platform/desktop.h"

#include <QStringList>

// The desktop over Qt: xdg-open through QDesktopServices, programs through QProcess.
class LinuxDesktop : public Desktop {
public:
    bool openUrl(const QUrl& url) override;
    QString systemInfoProgram() override;
    bool startProgram(const QString& path) override;
};

// The first of the well-known system-information programs found on `searchPaths` (PATH when
// empty), in the order of preference; empty when none is there.
QString findSystemInfoProgram(const QStringList& searchPaths = {});
