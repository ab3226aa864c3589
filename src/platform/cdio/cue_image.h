#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A disc image (.cue and its data file) made ready for libcdio, which takes the data file's
// name from the .cue's own name (x.cue -> x.bin), ignores the FILE line, and waits forever when
// that name is a FIFO.
//
// The FILE line is read here: a name relative to the .cue's folder or absolute, else the same
// name in the .cue's folder in any case. The data file is opened and checked to be a regular
// file; libcdio then gets a private .cue whose FILE names a private link to that very file.
class CueImage {
public:
    enum class Problem {
        None,
        Unreadable,  // no .cue we can use, its data file is no regular file, or several files
        DataMissing,  // the data file is not there: missing() names it
        NoPermission,  // the data file may not be read
    };

    static std::unique_ptr<CueImage> prepare(const QString& cuePath);
    ~CueImage();
    CueImage(const CueImage&) = delete;
    CueImage& operator=(const CueImage&) = delete;

    Problem problem() const { return problem_; }
    QString missing() const { return missing_; }
    QString dataFile() const { return dataFile_; }
    // The .cue to hand libcdio (valid while this object lives).
    QByteArray cueForLibcdio() const;

    // The FILE names of a cue sheet's text, in order.
    static QList<QByteArray> fileNames(const QByteArray& cueText);

private:
    CueImage() = default;
    Problem problem_ = Problem::Unreadable;
    QString missing_, dataFile_;
    std::unique_ptr<QTemporaryDir> dir_;
    int fd_ = -1;
};
