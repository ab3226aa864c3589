#include "pulse_server.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QThread>

PulseServer::PulseServer()
{
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());
    server_.setStandardOutputFile(QProcess::nullDevice());
    server_.setStandardErrorFile(QProcess::nullDevice());
    server_.start(QStringLiteral("pulseaudio"),
                  {QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                   QStringLiteral("-n"), QStringLiteral("--load=module-null-sink"),
                   QStringLiteral("--load=module-native-protocol-unix")});
    if (!server_.waitForStarted(10000))
        return;
    // Ready when it answers.
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && sinkVolume().empty())
        QThread::msleep(20);
}

PulseServer::~PulseServer()
{
    stop();
}

bool PulseServer::running() const
{
    return !sinkVolume().empty();
}

void PulseServer::stop()
{
    if (server_.state() == QProcess::NotRunning)
        return;
    server_.terminate();
    if (!server_.waitForFinished(10000))
        server_.kill();
    server_.waitForFinished(5000);
}

QString PulseServer::pactl(const QStringList& args) const
{
    QProcess p;
    p.start(QStringLiteral("pactl"), args);
    p.waitForFinished(10000);
    return p.exitCode() == 0 ? QString::fromLocal8Bit(p.readAllStandardOutput()) : QString();
}

std::vector<long> PulseServer::sinkVolume() const
{
    // "Volume: front-left: 30002 /  46% / -20.36 dB,   front-right: ..."
    const QString text = pactl({QStringLiteral("get-sink-volume"), QStringLiteral("@DEFAULT_SINK@")});
    std::vector<long> channels;
    static const QRegularExpression raw(QStringLiteral(":\\s*(\\d+)\\s*/"));
    for (const QRegularExpressionMatch& m : raw.globalMatch(text))
        channels.push_back(m.captured(1).toLong());
    return channels;
}

void PulseServer::setSinkVolume(const std::vector<long>& channels) const
{
    QStringList args{QStringLiteral("set-sink-volume"), QStringLiteral("@DEFAULT_SINK@")};
    for (long v : channels)
        args << QString::number(v);
    pactl(args);
}
