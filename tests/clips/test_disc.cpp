#include "test_disc.h"

#include <QProcess>

TestDisc::TestDisc(int firstSeconds, int secondSeconds)
{
    if (!clips_.makeVideoCd(QStringLiteral("clip1.mpg"), firstSeconds) ||
        !clips_.makeVideoCd(QStringLiteral("clip2.mpg"), secondSeconds)) {
        error_ = clips_.why();
        return;
    }
    author(QStringLiteral("disc"));
}

QString TestDisc::author(const QString& name)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setWorkingDirectory(dir());
    p.start(QStringLiteral("vcdimager"),
        {"-t", "vcd2", "-l", Label, "-c", name + ".cue", "-b", name + ".bin", clip(0), clip(1)});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        error_ = QStringLiteral("vcdimager failed: ") + QString::fromLocal8Bit(p.readAll());
    return clips_.path(name + ".cue");
}
