#include "platform/linux/linux_desktop.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

QString findSystemInfoProgram(const QStringList& searchPaths)
{
    // Programs that show the machine's hardware and system, best first.
    static const char* const Known[] = {"hardinfo2", "hardinfo", "kinfocenter", "xfce4-about"};
    for (const char* name : Known) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name), searchPaths);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

void LinuxDesktop::openUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

QString LinuxDesktop::systemInfoProgram() { return findSystemInfoProgram(); }

bool LinuxDesktop::startProgram(const QString& path) { return QProcess::startDetached(path, {}); }
