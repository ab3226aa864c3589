#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Test clips, made with the ffmpeg command line in a temporary folder that goes with the object.
class MediaClips {
public:
    MediaClips();

    // False (with why()) when ffmpeg is missing or failed.
    bool ok() const { return error_.isEmpty(); }
    QString why() const { return error_; }
    QString dir() const { return dir_.path(); }
    QString path(const QString& name) const { return dir_.filePath(name); }

    // A Video-CD clip: MPEG-1 program stream, 352x240, 29.97 fps, 150 frames, with sound.
    // `seconds` other than 5 changes the frame count accordingly.
    bool makeVideoCd(const QString& name, int seconds = 5);
    // The rest of the set the engine must handle (see the .cpp for what each is).
    bool makeAll();
    // Names of the clips in makeAll() whose playback stops short of their stated length: cut off
    // at several points, and one whose sound ends long before its picture.
    static QStringList earlyEndings();

    // Wraps an MPEG stream as a RIFF/CDXA file of raw Mode 2 Form 2 sectors, the way a Video-CD
    // track looks when copied off the disc.
    static bool wrapCdxa(const QString& mpegPath, const QString& outPath);

private:
    bool ffmpeg(const QStringList& args);
    bool makeEarlyEndings();

    QTemporaryDir dir_;
    QString error_;
};
