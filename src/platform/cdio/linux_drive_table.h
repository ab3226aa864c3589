#pragma once

#include "platform/drive_table.h"

#include <QMutex>
#include <QStringList>

// The optical drives the kernel knows, then the disc images named in REELBOX_DISC_IMAGES
// (separated by ":") and those added in this run; every disc is read through libcdio, mounted
// or not.
class LinuxDriveTable : public DriveTable {
public:
    // Where the system describes its drives; tests point these at files of their own.
    struct Places {
        QString cdromInfo = QStringLiteral("/proc/sys/dev/cdrom/info");
        QString sysBlock = QStringLiteral("/sys/block");  // used when cdromInfo is missing
        QString dev = QStringLiteral("/dev");
        QString mounts = QStringLiteral("/proc/self/mounts");
    };

    LinuxDriveTable();
    LinuxDriveTable(Places places, QStringList images);

    QList<OpticalDrive> drives() override;
    OpticalDrive addImage(const QString& imagePath) override;
    bool removeImage(const QString& device) override;
    std::optional<DiscFolder> listFolder(const QString& path) override;

    // The kernel's names of the optical drives ("sr0", "sr1"), in order.
    QStringList kernelDriveNames() const;

private:
    OpticalDrive probe(const QString& device) const;
    QString mountPointOf(const QString& device) const;

    Places places_;
    mutable QMutex imagesLock_;  // a search may run on a worker while an image is added
    QStringList images_;
};
