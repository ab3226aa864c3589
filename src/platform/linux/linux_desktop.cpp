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

bool LinuxDesktop::openUrl(const QUrl& url)
{
    // Qt's answer does not tell: on X11 it reports success once a launcher starts, and without
    // xdg-open it guesses at browsers. The desktop's own launcher is what the program relies on.
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty())
        return false;
    QDesktopServices::openUrl(url);
    return true;
}

QString LinuxDesktop::systemInfoProgram() { return findSystemInfoProgram(); }

bool LinuxDesktop::startProgram(const QString& path) { return QProcess::startDetached(path, {}); }
