#pragma once

#include "platform/desktop.h"

#include <QStringList>
#include <vector>

// A desktop for tests: records what was opened and started.
class FakeDesktop : public Desktop {
public:
    void openUrl(const QUrl& url) override { opened.push_back(url); }
    QString systemInfoProgram() override { return infoProgram; }
    bool startProgram(const QString& path) override
    {
        started << path;
        return startWorks;
    }

    QString infoProgram;  // empty: none on this system
    bool startWorks = true;
    std::vector<QUrl> opened;
    QStringList started;
};
