#pragma once

// The real libmpv engine behind the command strings, its video window a child of `host`, on
// clips made by ffmpeg in one folder for the whole run.
#include "platform/mpv/mpv_engine.h"
#include "mci/mci_channel.h"
#include "mci/mci_interpreter.h"

#include "counting_bell.h"
#include "media_clips.h"
#include "wait.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>
#include <optional>

inline MediaClips& clips()
{
    static MediaClips made;
    return made;
}

// The frame number ffmpeg drew into a picture of a numbered clip.
inline int barcodeOf(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    return MediaClips::barcode(
        image.constBits(), image.width(), image.height(), image.bytesPerLine());
}

class EngineFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(clips().ok()) << clips().why().toStdString();
        host.resize(1280, 720);
        host.setAttribute(Qt::WA_NativeWindow);
        host.show();
    }

    int send(const QString& cmd) { return mci.MciSend(cmd, reply); }
    QString ask(const QString& cmd)
    {
        EXPECT_EQ(send(cmd), 0) << cmd.toStdString() << ": " << reply.toStdString();
        return reply;
    }
    // Opens `name` from the clip folder as the program does (into `parent`, else the host), in
    // frames.
    int open(
        const QString& name, const char* type = " type mpegvideo", std::optional<WId> parent = {})
    {
        const int rc = send(QStringLiteral("open \"%1\"%2 alias avfile style child parent %3")
                                .arg(clips().path(name), QLatin1String(type))
                                .arg(parent.value_or(host.winId())));
        if (rc == 0)
            send(QStringLiteral("set avfile time format frames"));
        return rc;
    }
    int position() { return ask(QStringLiteral("status avfile position")).toInt(); }
    void seek(int n)
    {
        ASSERT_EQ(send(QStringLiteral("seek avfile to  %1").arg(n)), 0) << reply.toStdString();
    }

    QWidget host;
    MpvEngine engine;
    MciInterpreter interpreter{engine};
    CountingBell bell;
    MciChannel mci{interpreter, bell};
    QString reply;
};
