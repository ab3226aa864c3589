#pragma once

#include "platform/desktop.h"

#include <QStringList>
#include <vector>

// A desktop for tests: records what was opened and started.
class FakeDesktop : public Desktop {
public:
    bool openUrl(const QUrl& url) override
    {
        opened.push_back(url);
        return launcherFound;
    }
    QString systemInfoProgram() override { return infoProgram; }
    bool startProgram(const QString& path) override
    {
        started << path;
        return startWorks;
    }

    bool launcherFound = true;  // false: no xdg-open
    QString infoProgram;  // empty: none on this system
    bool startWorks = true;
    std::vector<QUrl> opened;
    QStringList started;
};
