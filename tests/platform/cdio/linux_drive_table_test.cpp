// How the drive table finds the system's drives and their mount points, in files laid out the
// way the kernel writes them.
// Checks: linux_drive_table.cpp (src/platform/cdio).
#include "platform/cdio/linux_drive_table.h"

#include "media_clips.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr auto& write = MediaClips::writeFile;

TEST(LinuxDriveTableTest, DrivesComeFromTheKernelListsOnceEachWithTheirMountPoints)
{
    const struct {
        const char* name;
        const char* cdromInfo;  // nullptr: no such file
        QStringList sysBlock;  // entries of /sys/block
        QStringList devLinks;  // "name>target" symlinks in /dev
        const char* mounts;  // @DEV@ stands for the device folder
        QStringList drives;  // "device name@mount point", in the table's order
    } cases[] = {
        {"newest-listed-first",
            "CD-ROM information\n\ndrive name:\t\tsr1\tsr0\ndrive speed:\t24\t24\n", {}, {}, "",
            {"sr0@", "sr1@"}},
        {"sys-block-without-info", nullptr, {"sda", "sr10", "sr2", "sr0", "loop0"}, {}, "",
            {"sr0@", "sr2@", "sr10@"}},
        {"none", nullptr, {"sda"}, {}, "", {}},
        {"mounted-by-its-udev-name", "drive name:\tsr0\n", {}, {"cdrom>sr0"},
            "/dev/sda1 / ext4 rw 0 0\n@DEV@/cdrom /media/me/MY\\040DISC iso9660 ro 0 0\n",
            {"sr0@/media/me/MY DISC"}},
        {"one-of-two-mounted", "drive name:\tsr1\tsr0\n", {}, {},
            "@DEV@/sr1 /media/cdrom1 udf ro 0 0\n", {"sr0@", "sr1@/media/cdrom1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        const LinuxDriveTable::Places places{root.filePath("info"), root.filePath("block"),
            root.filePath("dev"), root.filePath("mounts")};
        ASSERT_TRUE(QDir(root.path()).mkpath("dev") && QDir(root.path()).mkpath("block"));
        ASSERT_TRUE(!c.cdromInfo || write(places.cdromInfo, c.cdromInfo));
        for (const QString& name : c.sysBlock)
            ASSERT_TRUE(QDir(places.sysBlock).mkdir(name));
        for (const QString& drive : c.drives)  // plain files: drives without a disc
            ASSERT_TRUE(write(places.dev + '/' + drive.section('@', 0, 0), ""));
        for (const QString& link : c.devLinks)
            ASSERT_TRUE(
                QFile::link(link.section('>', 1), places.dev + '/' + link.section('>', 0, 0)));
        ASSERT_TRUE(
            write(places.mounts, QByteArray(c.mounts).replace("@DEV@", places.dev.toUtf8())));

        QStringList drives;
        for (const OpticalDrive& d : LinuxDriveTable(places, {}).drives()) {
            drives << d.device.section('/', -1) + '@' + d.mountPoint;
            EXPECT_FALSE(d.ready);
        }
        EXPECT_EQ(drives, c.drives);
    }
}

}  // namespace
