#pragma once

#include "media_clips.h"

#include <QString>
#include <QStringList>

// A real Video-CD image made at test time: Video-CD clips by ffmpeg, authored by vcdimager into
// disc.bin/disc.cue (track 1 the ISO 9660 data track, then one Mode 2 track per clip).
class TestDisc {
public:
    static constexpr const char* Label = "REELBOXVCD";

    // Clips of 5 s and 3 s by default (150 and 90 frames).
    explicit TestDisc(int firstSeconds = 5, int secondSeconds = 3);

    bool ok() const { return error_.isEmpty(); }
    QString why() const { return error_; }
    QString dir() const { return clips_.dir(); }
    QString cue() const { return clips_.path(QStringLiteral("disc.cue")); }
    // The source clip of track file i (0: AVSEQ01.DAT).
    QString clip(int i) const { return clips_.path(QStringLiteral("clip%1.mpg").arg(i + 1)); }
    // The track file i on the image, as the playlist names it.
    QString track(int i) const
    {
        return cue() + QStringLiteral("/MPEGAV/AVSEQ%1.DAT").arg(i + 1, 2, 10, QLatin1Char('0'));
    }
    static constexpr int Tracks = 2;

    // Authors another image from the same clips (e.g. to damage it): its .cue path.
    QString author(const QString& name);

private:
    MediaClips clips_;
    QString error_;
};
