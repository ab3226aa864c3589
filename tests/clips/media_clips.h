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
    // Movies whose every picture carries its frame number as a barcode (see barcode()), 29.97 fps,
    // with sound, keyframes every `gop` frames: Video-CD MPEG-1 352x240 (gop 0: the Video-CD
    // default), MPEG-2 program stream, MPEG-4 in AVI (DivX-style), H.264 with B-frames in MP4,
    // VP9 with Opus in WebM, H.264 in Matroska with two sound tracks and a subtitle track.
    enum class Numbered { VideoCd, Mpeg2, Mpeg4Avi, H264Mp4, Vp9WebM, H264Mkv };
    bool makeNumbered(const QString& name, Numbered kind, int seconds, int gop = 0,
        int width = 1280, int height = 720);
    // The frame number in a picture of such a movie, given as 32-bit pixels with blue, green and
    // red in the first three bytes (mpv's "bgr0"); -1 when the top row holds no barcode.
    static int barcode(const uchar* pixels, int width, int height, qsizetype stride);

    // Sound alone, one second, with a cover picture as music files carry one: no movie.
    bool makeSoundOnly(const QString& name);

    // An MPEG-2 video stream, 25 fps, whose picture size changes on the way: `small` frames of
    // 176x144, then `large` frames of 3840x2160, one keyframe range each.
    bool makeSizeChanging(const QString& name, int small, int large);

    // The rest of the set the engine must handle (see the .cpp for what each is).
    bool makeAll();
    // Names of the clips in makeAll() whose playback stops short of their stated length: cut off
    // at several points, and one whose sound ends long before its picture.
    static QStringList earlyEndings();

    // Wraps an MPEG stream as a RIFF/CDXA file of raw Mode 2 Form 2 sectors, the way a Video-CD
    // track looks when copied off the disc.
    static bool wrapCdxa(const QString& mpegPath, const QString& outPath);

    // A file's bytes (the first `bytes` of them; none when it cannot be read), and a file written
    // whole.
    static QByteArray readFile(const QString& path, qint64 bytes = -1);
    static bool writeFile(const QString& path, const QByteArray& data);

private:
    bool ffmpeg(const QStringList& args);
    bool makeEarlyEndings();

    QTemporaryDir dir_;
    QString error_;
};
