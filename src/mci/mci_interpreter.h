#pragma once

#include "mci/mci_device.h"
#include "platform/media_engine.h"

#include <QString>
#include <QVarLengthArray>
#include <QStringView>

// Carries out the MCI command strings the program sends, over a media engine. One device at a
// time, addressed by the alias given at open. Keywords are case-insensitive, blanks between
// words may come in runs, "wait" and "notify" are accepted and ignored (every command finishes
// before it returns; there is no notification window).
//
//   open "P" [type mpegvideo|avivideo] alias A [style child] [parent H]
//   close A | play A [window] | stop A | pause A | resume A
//   seek A to N|start|end | step A [reverse] [by N]
//   set A speed N | set A time format frames|milliseconds|ms
//   status A speed|position|length|window handle|mode|time format
//   where A source|destination                                   -> "0 0 w h"
//
// The quoted path runs from the first double quote to the last one in the command: what follows
// the path (keywords, alias, a decimal handle) never holds a quote, so a path may.
class MciInterpreter : public MciDevice {
public:
    explicit MciInterpreter(MediaEngine& engine);

    int sendString(const QString& cmd, QString& replyBuffer) override;
    QString errorText(int rc) override;

    // The alias of the open device; empty when none is open.
    QString alias() const { return alias_; }

private:
    enum class TimeFormat { Milliseconds, Frames };
    // The words of a command, as views into it. Commands have a handful: no heap for them, as
    // the position timer asks ten times a second.
    using Words = QVarLengthArray<QStringView, 8>;

    int open(const QString& rest);
    int close(const Words& args);
    int seek(const Words& args);
    int step(const Words& args);
    int set(const Words& args);
    int status(const Words& args, QString& reply);
    int where(const Words& args, QString& reply);

    std::int64_t length();
    static int toMci(MediaError error);

    MediaEngine& engine_;
    QString alias_;
    TimeFormat format_ = TimeFormat::Milliseconds;
};
