#pragma once

#include <QString>
#include <QStringList>

// The command line as one text, the way the program has always read it: movie files, list files
// and the Video-CD switch "1".
namespace command_line {

// The arguments after the program's name (what QApplication left of them), each holding the very
// bytes it was given (platform/native_file_name.h): Qt's own list turns bytes that are not UTF-8
// into U+FFFD, and the file they name is lost.
QStringList arguments(int argc, const char* const* argv);

// Joins an argument vector back into one text: single blanks between the arguments; when any
// argument contains a blank or a double quote, each one up to a Video-CD switch enclosed in
// double quotes, a double quote inside it doubled.
QString join(const QStringList& arguments);

// The command line cut into what start-up acts on.
struct Parsed {
    enum Kind { Empty, VideoCdOnly, SingleToken, Tokens };
    Kind kind = Empty;
    // SingleToken: one token (quotes removed). Tokens: the tokens before the Video-CD switch (or
    // all of them), in order.
    QStringList tokens;
    // Tokens: true when a token "1" stopped the examination; `rest` is everything of the command
    // line behind that token (what follows its separator).
    bool videoCdSwitch = false;
    QString rest;
};

// A doubled quote inside a quoted token is one quote of the token, so that every argument join()
// quoted comes back whole; any other text is cut as it always was.
Parsed parse(const QString& text);

}  // namespace command_line
