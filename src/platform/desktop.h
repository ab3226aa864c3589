#pragma once

#include <QString>
#include <QUrl>

// What the desktop does for the program: open documents and web addresses with the user's
// chosen handler, and start other programs.
class Desktop {
public:
    virtual ~Desktop() = default;

    // Opens a file or address with the desktop's handler; false when the desktop has no program
    // to hand it to. Whether the handler then managed is not known.
    virtual bool openUrl(const QUrl& url) = 0;
    // The path of a system-information program on this system; empty when there is none.
    virtual QString systemInfoProgram() = 0;
    // Starts a program, detached; false when it could not be started.
    virtual bool startProgram(const QString& path) = 0;
};
