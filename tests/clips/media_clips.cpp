#include "media_clips.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

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
            QStringList{QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y")} +
                args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        error_ = QStringLiteral("ffmpeg %1 failed: %2")
                     .arg(args.join(u' '), QString::fromLocal8Bit(p.readAll()));
        return false;
    }
    return true;
}

bool MediaClips::makeVideoCd(const QString& name, int seconds)
{
    return ffmpeg({"-f", "lavfi", "-i", "testsrc=size=352x240:rate=30000/1001", "-f", "lavfi",
                   "-i", "sine", "-t", QString::number(seconds), "-target", "ntsc-vcd",
                   path(name)});
}

static bool copyFile(const QString& from, const QString& to, qint64 bytes = -1)
{
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = bytes < 0 ? in.readAll() : in.read(bytes);
    return out.write(data) == data.size();
}

static bool writeFile(const QString& to, const QByteArray& data)
{
    QFile out(to);
    return out.open(QIODevice::WriteOnly) && out.write(data) == data.size();
}

bool MediaClips::makeAll()
{
    const QString vcd = path(QStringLiteral("vcd.mpg"));
    return makeVideoCd(QStringLiteral("vcd.mpg")) &&
           // MPEG-2 program stream, 320x240, 25 fps, 50 frames.
           ffmpeg({"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25", "-t", "2", "-c:v",
                   "mpeg2video", "-f", "mpeg", path("mpeg2.mpeg")}) &&
           // AVI with Motion-JPEG, 320x240, 25 fps, 50 frames.
           ffmpeg({"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25", "-t", "2", "-c:v",
                   "mjpeg", path("clip.avi")}) &&
           // Sound only.
           ffmpeg({"-f", "lavfi", "-i", "sine", "-t", "1", "-c:a", "mp2", "-f", "mpeg",
                   path("sound.mpg")}) &&
           copyFile(vcd, path("AVSEQ01.DAT")) &&
           wrapCdxa(vcd, path("cdxa.dat")) &&
           // Packs that straddle sectors: only a reader that strips the framing plays this.
           wrapCdxa(path("mpeg2.mpeg"), path("cdxa-mpeg2.dat")) &&
           copyFile(vcd, path("truncated.mpg"), QFileInfo(vcd).size() * 2 / 5 + 1001) &&
           // The head of a Video-CD track: headers and a scrap of the first picture.
           copyFile(vcd, path("fragment.mpg"), 2400) &&
           writeFile(path("text.mpg"), "This is not a movie.\nJust some text.\n") &&
           writeFile(path("empty.mpg"), QByteArray()) &&
           makeEarlyEndings() &&
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
    if (!makeVideoCd(QStringLiteral("one-second.mpg"), 1))
        return false;
    for (const int percent : {50, 80, 90}) {
        if (!copyFile(whole, path(QStringLiteral("cut-%1.mpg").arg(percent)),
                      QFileInfo(whole).size() * percent / 100))
            return false;
    }
    return ffmpeg({"-f", "lavfi", "-i", "testsrc=size=352x240:rate=30000/1001", "-f", "lavfi",
                   "-i", "sine=duration=0.4", "-t", "1", "-target", "ntsc-vcd",
                   path("short-sound.mpg")});
}

bool MediaClips::wrapCdxa(const QString& mpegPath, const QString& outPath)
{
    QFile in(mpegPath);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QByteArray mpeg = in.readAll();
    constexpr int payload = 2324;
    const qsizetype sectors = (mpeg.size() + payload - 1) / payload;
    mpeg.append(QByteArray(sectors * payload - mpeg.size(), '\0'));

    auto le32 = [](quint32 v) {
        QByteArray b(4, '\0');
        for (int i = 0; i < 4; ++i)
            b[i] = char((v >> (8 * i)) & 0xff);
        return b;
    };
    const quint32 dataSize = quint32(sectors * 2352);
    QByteArray out;
    out += "RIFF" + le32(4 + 8 + 16 + 8 + dataSize) + "CDXA";
    out += "fmt " + le32(16) + QByteArray(16, '\0');
    out += "data" + le32(dataSize);
    for (qsizetype s = 0; s < sectors; ++s) {
        QByteArray sector;
        sector += '\0' + QByteArray(10, '\xff') + '\0';  // sync
        const int lba = int(s) + 150;
        auto bcd = [](int v) { return char(((v / 10) << 4) | (v % 10)); };
        sector += bcd(lba / 75 / 60);
        sector += bcd(lba / 75 % 60);
        sector += bcd(lba % 75);
        sector += '\x02';  // Mode 2
        const QByteArray sub("\x01\x01\x62\x0f", 4);  // file 1, channel 1, Form 2 video, coding
        sector += sub + sub;
        sector += mpeg.mid(s * payload, payload);
        sector += QByteArray(4, '\0');  // EDC, unused by players
        out += sector;
    }
    return writeFile(outPath, out);
}
