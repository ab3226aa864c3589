#include "videocd/video_cd.h"

#include "controls/check_box.h"
#include "controls/file_list_box.h"
#include "controls/list_box.h"
#include "movie/form2.h"
#include "platform/dialogs.h"
#include "platform/drive_table.h"
#include "playback/player_window.h"
#include "playlist/playlist.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

namespace {
const QString VolumeLabelCaption = QStringLiteral("ﾎﾞﾘｭｰﾑﾗﾍﾞﾙ");
const QString VolumeLabelTip = QStringLiteral("ﾎﾞﾘｭｰﾑﾗﾍﾞﾙ表示");
}  // namespace

VideoCd::VideoCd(PlayerWindow& form1, const VideoCdControls& controls, VideoCdSwitches switches,
    Playlist& playlist, Playback& playback, DriveTable& drives, QString programDir)
    : VideoCdControls(controls),
      form1(form1),
      switches(switches),
      playlist(playlist),
      playback(playback),
      drives(drives),
      programDir(std::move(programDir))
{
    // The folders of a disc are read from the disc, through the drive table.
    File1->setFolderSource([this](const QString& path) -> std::optional<FileListBox::Listing> {
        const std::optional<DiscFolder> folder = listFolder(path);
        if (!folder)
            return std::nullopt;
        switch (folder->error) {
        case DiscFolderError::NotReady:
        case DiscFolderError::DataMissing:
            return FileListBox::Listing{FileListBox::DeviceUnavailable, {}};
        case DiscFolderError::NotFound:
            return FileListBox::Listing{FileListBox::PathNotFound, {}};
        case DiscFolderError::NoPermission:
            return FileListBox::Listing{FileListBox::PermissionDenied, {}};
        case DiscFolderError::None:
            break;
        }
        return FileListBox::Listing{0, folder->files};
    });
}

void VideoCd::Check5_Click()
{
    if (switches.mode_flg == 0 && playlist.count() >= 1) {
        if (mode_revert == 1) {
            mode_revert = 0;  // the click of putting the box back
            return;
        }
        const int answer = form1.MsgBox(
            QStringLiteral("モードを変更します、リストがクリアされますがよろしいですか？"),
            msgbox::YesNo, msgbox::Question, QStringLiteral("ﾓｰﾄﾞ変更"));
        if (answer == msgbox::No) {
            mode_revert = 1;
            if (Check5->Value() == 1)
                Check5->setValue(0);
            else if (Check5->Value() == 0)
                Check5->setValue(1);
            return;
        }
        mode_revert = 0;
    }
    if (Check5->Value() == 1)
        enterMode();
    else if (Check5->Value() == 0)
        leaveMode();
}

void VideoCd::enterMode()
{
    form1.reset_all();
    Timer2->setInterval(5000);
    Timer2->start();
    Combo1->setEnabled(true);
    Command12->hide();
    Command1->hide();
    Command19->setEnabled(false);
    Command20->setEnabled(false);
    Command21->setEnabled(false);
    Label5->show();
    Check3->setValue(1);
    Check7->setValue(0);
    setDropsAccepted(false);
}

void VideoCd::leaveMode()
{
    form1.reset_all();
    Timer2->stop();
    Combo1->setEnabled(false);
    selectDrive(-1);
    Command12->show();
    Command1->show();
    Command20->setEnabled(true);
    Label5->hide();
    Label5->setToolTip(VolumeLabelTip);
    Label5->setText(VolumeLabelCaption);
    {
        const QSignalBlocker quiet(Combo1);
        Combo1->clear();
    }
    Check3->setValue(1);
    setDropsAccepted(true);
}

// Dropped files land on the playlist (its viewport takes them) and anywhere on the movie window.
void VideoCd::setDropsAccepted(bool on)
{
    Form2& movie = form1.form2();
    for (QWidget* target : {static_cast<QWidget*>(&movie), static_cast<QWidget*>(movie.Label1),
             static_cast<QWidget*>(movie.Label2), static_cast<QWidget*>(List2), List2->viewport()})
        target->setAcceptDrops(on);
}

std::optional<DiscFolder> VideoCd::listFolder(const QString& path)
{
    if (probed_)
        for (auto it = probed_->trackFolders.cbegin(); it != probed_->trackFolders.cend(); ++it)
            if (path == it.key() + QStringLiteral("MPEGAV/"))
                return it.value();
    return drives.listFolder(path);
}
