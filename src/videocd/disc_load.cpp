// Video-CD mode (VideoCd), part: the chosen drive's disc loaded into the playlist.
#include "videocd/video_cd.h"

#include "controls/check_box.h"
#include "controls/file_list_box.h"
#include "controls/list_box.h"
#include "movie/form2.h"
#include "platform/dialogs.h"
#include "platform/drive_table.h"
#include "playback/playback.h"
#include "playback/player_window.h"
#include "playlist/list_reader.h"
#include "playlist/playlist.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLoggingCategory>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QTimer>
#include <utility>

Q_LOGGING_CATEGORY(lcVideoCd, "reelbox.videocd", QtWarningMsg)

// Loads the disc of the drive chosen in Combo1: its tracks become the playlist and the first
// one plays.
void VideoCd::Combo1_Click()
{
    if (Check5->Value() != 1)
        return;
    const bool wasBusy = std::exchange(busy_, true);
    const auto done = qScopeGuard([&] { busy_ = wasBusy; });

    form1.reset_all();
    Label5->setToolTip(QStringLiteral("ﾎﾞﾘｭｰﾑﾗﾍﾞﾙ表示"));
    Label5->setText(QStringLiteral("ﾎﾞﾘｭｰﾑﾗﾍﾞﾙ"));

    const QString root = Combo1->currentText();
    if (const int error = appendTracks(root)) {
        forgetFailedImage(root.chopped(1));
        return discError(error);
    }
    Timer2->stop();
    if (switches.cmd_vcd == QLatin1String("1")) {
        Line1->show();
        Line2->show();
        switches.cmd_vcd.clear();
    }
    if (!switches.cmd_item.isEmpty()) {
        Line1->show();
        Line2->show();
        applyListFileNames();
    }
    // A folder without tracks: nothing to select, and the load ends without a word.
    if (playlist.count() == 0)
        return;
    playlist.select(0);
    // Play only what opened: when every track failed, the list is empty and nothing is open.
    if (playlist.count() == 0)
        return;
    playback.Command2_Click();

    const std::optional<OpticalDrive> drive = driveOf(root);
    if (!drive)
        return;
    Label5->setText(drive->volumeLabel);
    Label5->setToolTip(drive->device + QStringLiteral("：- ") + drive->volumeLabel);
}

int VideoCd::openTrackFolder(const QString& root)
{
    return File1->trySetPath(root + VideoCdTrackFolder);
}

// Appends the tracks File1 lists in root's "MPEGAV/"; 0, or the error File1 failed with.
int VideoCd::appendTracks(const QString& root)
{
    if (const int error = openTrackFolder(root))
        return error;
    QStringList names;
    for (int i = 0; i < File1->ListCount(); ++i) {
        names << File1->List(i);
        if (!playlist.append(root + VideoCdTrackFolder + names.last(), names.last()))
            break;
    }
    qCDebug(lcVideoCd).noquote() << "tracks of" << root + QLatin1Char(':') << names.join(", ");
    return 0;
}

// The list file named on the command line behind "1" gives the tracks their names, line by
// line; the text after the last "=" of each line (ErrorList without one).
void VideoCd::applyListFileNames()
{
    Form2& movie = form1.form2();
    int i = 0;
    const bool read = list_reader::readFields(
        programDir + QLatin1Char('/') + switches.cmd_item, [&](const QString& field) {
            if (playlist.count() == 0 || i >= playlist.count())
                return false;
            playlist.rename(i, list_reader::trackName(field));
            ++i;
            movie.showEntryName(playlist.name(0));
            return i < playlist.count();
        });
    if (read)
        switches.cmd_item
            .clear();  // otherwise the tracks keep their file names, and cmd_item its list
}

void VideoCd::discError(int error, const QString& image)
{
    if (error == FileListBox::PathNotFound)
        form1.MsgBox(QStringLiteral("Video-CDではなさそうです。"), msgbox::OkOnly,
            msgbox::Information, QStringLiteral("NO Video-CD"), image);
    else if (error == FileListBox::DeviceUnavailable)
        driveError(QStringLiteral("ドライブの準備ができていないようです。"), image);
    else if (error == FileListBox::PermissionDenied)
        driveError(QStringLiteral("ドライブを読み込む権限がないようです。"), image);
}

void VideoCd::driveError(const QString& text, const QString& image)
{
    form1.MsgBox(text, msgbox::OkOnly, msgbox::Information, QStringLiteral("ﾄﾞﾗｲﾌﾞｴﾗｰ"), image);
}

std::optional<OpticalDrive> VideoCd::driveOf(const QString& root)
{
    for (const OpticalDrive& drive : probed_ ? probed_->drives : drives.drives())
        if (drive.root() == root && drive.ready)
            return drive;
    return std::nullopt;
}

// A disc image that failed to read is no drive to pick again.
void VideoCd::forgetFailedImage(const QString& device)
{
    if (!drives.removeImage(device))
        return;
    const QSignalBlocker quiet(Combo1);
    Combo1->removeItem(Combo1->findText(device + QLatin1Char('/')));
}

int VideoCd::appendDiscImage(const QString& imagePath)
{
    const OpticalDrive drive = drives.addImage(imagePath);
    const int before = playlist.count();
    if (!drive.ready) {
        forgetFailedImage(drive.device);
        const QString unreadable = QStringLiteral("ディスクイメージを読み込めません。");
        switch (drive.problem) {
        case DiscFolderError::NotFound:
            discError(FileListBox::PathNotFound, imagePath);
            break;
        case DiscFolderError::NoPermission:
            driveError(QStringLiteral("ディスクイメージを読み込む権限がないようです。"), imagePath);
            break;
        case DiscFolderError::DataMissing:
            driveError(unreadable + QStringLiteral("「") + drive.missingFile +
                           QStringLiteral("」が見つかりません。"),
                imagePath);
            break;
        default:
            driveError(unreadable, imagePath);
            break;
        }
        return 0;
    }
    int error = appendTracks(drive.root());
    if (error == 0 && playlist.count() == before)
        error = FileListBox::PathNotFound;  // "MPEGAV/" without a track is no Video-CD either
    if (error != 0)
        forgetFailedImage(drive.device);
    if (error == FileListBox::DeviceUnavailable)
        driveError(QStringLiteral("ディスクイメージを読み込めません。"), imagePath);
    else
        discError(error, imagePath);
    return playlist.count() - before;
}
