#pragma once

#include <QString>
#include <QStringList>

// The command line as one text, the way the program has always read it: movie files, list files
// and the Video-CD switch "1".
namespace command_line {

// Joins an argument vector back into one text: single blanks between the arguments; when any
// argument contains a blank, each one up to a Video-CD switch enclosed in double quotes.
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

Parsed parse(const QString& text);

}  // namespace command_line
