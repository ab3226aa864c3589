#include "media_clips.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtEndian>

MediaClips::MediaClips()
{
    if (!dir_.isValid())
        error_ = QStringLiteral("no temporary folder");
}

bool MediaClips::ffmpeg(const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("ffmpeg"),
        QStringList{QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y")} + args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        error_ = QStringLiteral("ffmpeg %1 failed: %2")
                     .arg(args.join(u' '), QString::fromLocal8Bit(p.readAll()));
        return false;
    }
    return true;
}

bool MediaClips::makeVideoCd(const QString& name, int seconds)
{
    return ffmpeg({"-f", "lavfi", "-i", "testsrc=size=352x240:rate=30000/1001", "-f", "lavfi", "-i",
        "sine", "-t", QString::number(seconds), "-target", "ntsc-vcd", path(name)});
}

static constexpr int BarcodeBits = 12;

bool MediaClips::makeNumbered(
    const QString& name, Numbered kind, int seconds, int gop, int width, int height)
{
    const bool vcd = kind == Numbered::VideoCd;
    const int w = vcd ? 352 : width;
    const int h = vcd ? 240 : height;
    const int strip = h / 8;  // the barcode: one black or white block per bit across the top
    const QString t = QString::number(seconds);
    const QString bits = QStringLiteral(
        "color=black:size=%1x1:rate=30000/1001:duration=%2,format=gray,"
        "geq=lum='255*mod(floor(N/pow(2\\,%3-X))\\,2)'")
                             .arg(BarcodeBits)
                             .arg(t)
                             .arg(BarcodeBits - 1);
    QStringList args{"-f", "lavfi", "-i",
        QStringLiteral("testsrc=size=%1x%2:rate=30000/1001:duration=%3")
            .arg(w)
            .arg(h - strip)
            .arg(t),
        "-f", "lavfi", "-i", bits, "-f", "lavfi", "-i", "sine=duration=" + t,
        // Input 3, a line of subtitles for the Matroska clip.
        "-f", "srt", "-i",
        "data:text/plain;base64,MQowMDowMDowMCwwMDAgLS0+IDAwOjAwOjAxLDAwMApPbmUK",
        "-filter_complex",
        QStringLiteral("[1]scale=%1:%2:flags=neighbor[b];[b][0]vstack,format=yuv420p[v]")
            .arg(w)
            .arg(strip),
        "-map", "[v]", "-map", "2:a"};
    const QStringList h264{"-c:v", "libx264", "-preset", "veryfast", "-bf", "2", "-c:a", "aac"};
    const QStringList codecs[] = {{"-target", "ntsc-vcd"},  // in the order of Numbered
        {"-c:v", "mpeg2video", "-q:v", "3", "-c:a", "mp2", "-f", "mpeg"},
        {"-c:v", "mpeg4", "-q:v", "3", "-c:a", "mp2"}, h264,
        {"-c:v", "libvpx-vp9", "-deadline", "realtime", "-cpu-used", "8", "-c:a", "libopus"},
        h264 + QStringList{"-map", "2:a", "-map", "3", "-c:s", "srt"}};
    args << codecs[int(kind)];
    if (gop > 0)
        args << "-g" << QString::number(gop);
    return ffmpeg(args << path(name));
}

bool MediaClips::makeSoundOnly(const QString& name)
{
    return ffmpeg({"-f", "lavfi", "-i", "sine=duration=1", "-f", "lavfi", "-i",
        "color=red:size=64x64:duration=0.04", "-map", "0", "-map", "1", "-c:v", "png",
        "-disposition:v", "attached_pic", path(name)});
}

int MediaClips::barcode(const uchar* pixels, int width, int height, qsizetype stride)
{
    if (!pixels || width < BarcodeBits || height < 16)
        return -1;
    const uchar* row = pixels + (height / 16) * stride;  // the middle of the strip
    int n = 0;
    for (int bit = 0; bit < BarcodeBits; ++bit) {
        const uchar* px = row + qsizetype((2 * bit + 1) * width / (2 * BarcodeBits)) * 4;
        const int level = (px[0] + px[1] + px[2]) / 3;
        if (level > 64 && level < 192)
            return -1;  // neither black nor white: no barcode here
        n = n * 2 + (level >= 192);
    }
    return n;
}

bool MediaClips::writeFile(const QString& to, const QByteArray& data)
{
    QFile out(to);
    return out.open(QIODevice::WriteOnly) && out.write(data) == data.size();
}

QByteArray MediaClips::readFile(const QString& from, qint64 bytes)
{
    QFile in(from);
    return !in.open(QIODevice::ReadOnly) ? QByteArray() : bytes < 0 ? in.readAll() : in.read(bytes);
}

static bool copyFile(const QString& from, const QString& to, qint64 bytes = -1)
{
    const QByteArray data = MediaClips::readFile(from, bytes);
    return !data.isEmpty() && MediaClips::writeFile(to, data);
}

bool MediaClips::makeSizeChanging(const QString& name, int small, int large)
{
    QByteArray joined;
    for (const auto& [size, frames] : {std::pair{"176x144", small}, {"3840x2160", large}}) {
        const QString part = path(QStringLiteral("part-%1.m2v").arg(QLatin1String(size)));
        if (!ffmpeg({"-f", "lavfi", "-i",
                QStringLiteral("testsrc=size=%1:rate=25").arg(QLatin1String(size)), "-frames:v",
                QString::number(frames), "-c:v", "mpeg2video", "-g", QString::number(frames),
                "-q:v", "10", part}))
            return false;
        joined += readFile(part);
    }
    return writeFile(path(name), joined);
}

bool MediaClips::makeAll()
{
    const QString vcd = path(QStringLiteral("vcd.mpg"));
    const QStringList twoSeconds{
        "-f", "lavfi", "-i", "testsrc=size=320x240:rate=25", "-t", "2", "-c:v"};
    return makeVideoCd(QStringLiteral("vcd.mpg")) &&
           // 320x240, 25 fps, 50 frames: an MPEG-2 program stream, and AVI with Motion-JPEG.
           ffmpeg(twoSeconds + QStringList{"mpeg2video", "-f", "mpeg", path("mpeg2.mpeg")}) &&
           ffmpeg(twoSeconds + QStringList{"mjpeg", path("clip.avi")}) &&
           // Sound only.
           ffmpeg({"-f", "lavfi", "-i", "sine", "-t", "1", "-c:a", "mp2", "-f", "mpeg",
               path("sound.mpg")}) &&
           copyFile(vcd, path("AVSEQ01.DAT")) && wrapCdxa(vcd, path("cdxa.dat")) &&
           // Packs that straddle sectors: only a reader that strips the framing plays this.
           wrapCdxa(path("mpeg2.mpeg"), path("cdxa-mpeg2.dat")) &&
           // The head of a Video-CD track: headers and a scrap of the first picture.
           copyFile(vcd, path("fragment.mpg"), 2400) && makeEarlyEndings() &&
           copyFile(vcd, path(QStringLiteral("say \"hi\", a=b c.mpg"))) &&
           copyFile(vcd, path(QStringLiteral("旅行 ビデオ.mpg")));
}

QStringList MediaClips::earlyEndings()
{
    return {QStringLiteral("cut-50.mpg"), QStringLiteral("cut-80.mpg"),
        QStringLiteral("cut-90.mpg"), QStringLiteral("short-sound.mpg")};
}

bool MediaClips::makeEarlyEndings()
{
    // Cut inside a group of pictures, the last frames reference a picture that is gone; where
    // that happens depends on the cut, so there are several.
    const QString whole = path(QStringLiteral("one-second.mpg"));
    bool made = makeVideoCd(QStringLiteral("one-second.mpg"), 1);
    for (const int percent : {50, 80, 90})
        made = made && copyFile(whole, path(QStringLiteral("cut-%1.mpg").arg(percent)),
                           QFileInfo(whole).size() * percent / 100);
    return made &&
           ffmpeg({"-f", "lavfi", "-i", "testsrc=size=352x240:rate=30000/1001", "-f", "lavfi", "-i",
               "sine=duration=0.4", "-t", "1", "-target", "ntsc-vcd", path("short-sound.mpg")});
}

bool MediaClips::wrapCdxa(const QString& mpegPath, const QString& outPath)
{
    QByteArray mpeg = readFile(mpegPath);
    if (mpeg.isEmpty())
        return false;
    constexpr int payload = 2324;
    const qsizetype sectors = (mpeg.size() + payload - 1) / payload;
    mpeg.append(QByteArray(sectors * payload - mpeg.size(), '\0'));
    const auto le32 = [](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        return QByteArray(reinterpret_cast<const char*>(&le), 4);
    };
    const auto bcd = [](int v) { return char(((v / 10) << 4) | (v % 10)); };
    const quint32 dataSize = quint32(sectors * 2352);
    QByteArray out = "RIFF" + le32(4 + 8 + 16 + 8 + dataSize) + "CDXA" + "fmt " + le32(16) +
                     QByteArray(16, '\0') + "data" + le32(dataSize);
    const QByteArray sub("\x01\x01\x62\x0f", 4);  // file 1, channel 1, Form 2 video, coding
    for (qsizetype s = 0; s < sectors; ++s) {
        const int lba = int(s) + 150;
        out += '\0' + QByteArray(10, '\xff') + '\0';  // sync
        const char header[] = {
            bcd(lba / 75 / 60), bcd(lba / 75 % 60), bcd(lba % 75), '\x02'};  // Mode 2
        out += QByteArray(header, 4);
        out += sub + sub + mpeg.mid(s * payload, payload) + QByteArray(4, '\0');  // EDC unused
    }
    return writeFile(outPath, out);
}
