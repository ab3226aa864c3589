#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

// A PulseAudio server with one null sink, private to this process (its own XDG_RUNTIME_DIR, set
// in this process's environment so that ALSA's default device becomes the server). Read and set
// the sink's volume from outside with pactl.
class PulseServer {
public:
    PulseServer();
    ~PulseServer();

    bool running() const;
    void stop();

    // The default sink's volume, one raw value (0..65536) per channel; empty when unreadable.
    std::vector<long> sinkVolume() const;
    void setSinkVolume(const std::vector<long>& channels) const;

private:
    QString pactl(const QStringList& args) const;

    QTemporaryDir runtime_;
    QProcess server_;
};
