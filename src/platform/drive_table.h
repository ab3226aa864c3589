#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Why a folder on a disc could not be listed.
enum class DiscFolderError {
    None,
    NotReady,  // no disc in the drive, or the disc or image cannot be read
    NotFound,  // the disc has no such folder, or no file system to hold one (an audio CD)
    NoPermission,  // the user may not read the drive or the image's data file
    DataMissing,  // the image's data file is not there
};

struct DiscFolder {
    DiscFolderError error = DiscFolderError::None;
    QStringList files;  // file names (no version suffix), in the disc's directory order
    QString missingFile = {};  // with DataMissing: the data file the image names
};

// One optical drive of this machine, or a disc image the program treats as one.
struct OpticalDrive {
    QString device;  // "/dev/sr0", or the image's .cue file
    QString mountPoint;  // where the system mounted the disc; empty when it is not mounted
    bool ready = false;  // a disc is in and its ISO 9660 file system can be read
    QString volumeLabel;  // the ISO 9660 volume id; empty when not ready
    bool hasMpegav = false;  // the disc has the folder "MPEGAV/" at its root
    DiscFolderError problem = DiscFolderError::None;  // why it is not ready
    QString missingFile = {};  // an image's data file that is not there

    // The drive as the playlist names it: the device path and "/". Paths below it
    // ("/dev/sr0/MPEGAV/AVSEQ01.DAT") name files on the disc, read from the disc itself.
    QString root() const { return device + QLatin1Char('/'); }
};

// The optical drives of this machine and the disc images opened in this run. drives() and
// listFolder() may be called from a worker thread while the window's thread uses the table.
class DriveTable {
public:
    virtual ~DriveTable() = default;

    // Every drive, in the system's order, images after the drives; read afresh on every call
    // (discs come and go). A drive appears once however many names the system gives it.
    virtual QList<OpticalDrive> drives() = 0;

    // Makes the disc image `imagePath` (a .cue file) one of the drives; returns it as listed.
    virtual OpticalDrive addImage(const QString& imagePath) = 0;
    // Takes a disc image that could not be read off the list of drives again; false when
    // `device` is no image of the list (a drive of the machine).
    virtual bool removeImage(const QString& device) = 0;

    // The files of the folder `path` on a disc: a drive's root followed by a folder
    // ("/dev/sr0/MPEGAV/"). Nothing when `path` does not lie on a disc (a folder of the file
    // system, listed the ordinary way).
    virtual std::optional<DiscFolder> listFolder(const QString& path) = 0;
};
